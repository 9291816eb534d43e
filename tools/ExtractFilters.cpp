#include "ExtractFilters.h"

#include "TextRules.h"

namespace {
constexpr bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool AllDigits(QStringView text) {
  for (const QChar c : text)
    if (!IsDigit(c)) return false;
  return true;
}

bool LooksLikeDottedNumber(QStringView text) {
  int dots = 0;
  qsizetype groupLength = 0;
  for (const QChar c : text) {
    if (IsDigit(c)) {
      if (++groupLength > 3) return false;
    } else if (c == u'.') {
      if (groupLength == 0) return false;
      ++dots;
      groupLength = 0;
    } else {
      return false;
    }
  }
  return groupLength > 0 && (dots == 2 || dots == 3);
}

bool LooksLikeDate(QStringView text) {
  qsizetype lengths[3];
  int parts = 0;
  for (const QStringView part : text.tokenize(u'-')) {
    if (parts == 3 || part.isEmpty() || part.size() > 4 || !AllDigits(part)) return false;
    lengths[parts++] = part.size();
  }
  if (parts != 3) return false;
  const auto [a, b, c] = lengths;
  return (a == 4 && b <= 2 && c <= 2) || (a <= 2 && b <= 2 && c == 4);
}
}  // namespace

std::optional<std::array<int, 4>> ReadDottedQuad(QStringView value) {
  std::array<int, 4> parts{};
  int count = 0;
  for (const QStringView part : value.tokenize(u'.')) {
    if (count == 4 || part.isEmpty() || part.size() > 3 || !AllDigits(part)) return std::nullopt;
    const int number = part.toInt();
    if (number > 255) return std::nullopt;
    parts[size_t(count++)] = number;
  }
  if (count != 4) return std::nullopt;
  return parts;
}

quint32 DottedQuadValue(QStringView value) {
  const std::optional<std::array<int, 4>> parts = ReadDottedQuad(value);
  if (!parts) return 0;
  const auto [a, b, c, d] = *parts;
  return quint32(a) << 24 | quint32(b) << 16 | quint32(c) << 8 | quint32(d);
}

bool IsPublicIPv4(QStringView value) {
  const std::optional<std::array<int, 4>> parts = ReadDottedQuad(value);
  if (!parts) return false;
  const auto [a, b, c, d] = *parts;
  Q_UNUSED(d);
  if (a == 0 || a == 10 || a == 127 || a >= 224) return false;
  if (a == 169 && b == 254) return false;
  if (a == 172 && b >= 16 && b <= 31) return false;
  if (a == 192 && b == 168) return false;
  if (a == 192 && b == 0 && c == 2) return false;
  if (a == 100 && b >= 64 && b <= 127) return false;
  return true;
}

void NormalizePhoneInto(QStringView value, QString &out) {
  out.resize(0);
  bool inSeparators = false;
  for (const QChar c : value) {
    if (c == u'\t' || c == u' ' || c == u'(' || c == u')') {
      inSeparators = true;
      continue;
    }
    if (inSeparators && !out.isEmpty()) out.append(u' ');
    inSeparators = false;
    out.append(c);
  }
  out.truncate(Trimmed(out, TTrimSide::Right).size());
}

QString NormalizePhone(QStringView value) {
  QString normalized;
  NormalizePhoneInto(value, normalized);
  return normalized;
}

bool IsAcceptedPhone(QStringView normalized) {
  return normalized.size() >= 6 && !LooksLikeDottedNumber(normalized) && !LooksLikeDate(normalized);
}
