#include "DocSize.h"

qint64 TDocSizeCounter::LineBytes(QStringView line, int kind) {
  const char16_t *p = line.utf16();
  const qsizetype n = line.size();
  if (kind == ekUtf16BeBom || kind == ekUtf16LeBom) return 2 * n;
  qint64 bytes = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = p[i];
    const bool pair = QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]);
    if (kind == ekAnsi) bytes += 1;  // one byte, or one "?", per character
    else if (c < 0x80) bytes += 1;
    else if (c < 0x800) bytes += 2;
    else bytes += pair ? 4 : 3;  // a lone surrogate is written as U+FFFD
    if (pair) ++i;
  }
  return bytes;
}

std::vector<quint32> TDocSizeCounter::CountLines(const QStringList &lines, int kind) {
  std::vector<quint32> counts(size_t(lines.size()));
  for (qsizetype i = 0; i < lines.size(); ++i) counts[size_t(i)] = quint32(LineBytes(lines[i], kind));
  return counts;
}

void TDocSizeCounter::Reset(const QStringList &lines, int kind, QStringView eol) {
  FKind = kind;
  FEolBytes = LineBytes(eol, kind);
  Recount(lines);
}

void TDocSizeCounter::Recount(const QStringList &lines) { Install(CountLines(lines, FKind)); }

void TDocSizeCounter::Install(std::vector<quint32> &&counts) {
  FLineBytes = std::move(counts);
  FSum = 0;
  for (const quint32 bytes : FLineBytes) FSum += bytes;
  FPending = false;
  ++FTicket;
}

quint64 TDocSizeCounter::BeginCount(int kind, QStringView eol) {
  FKind = kind;
  FEolBytes = LineBytes(eol, kind);
  FLineBytes.clear();
  FSum = 0;
  FPending = true;
  return ++FTicket;
}

void TDocSizeCounter::Adopt(std::vector<quint32> &&counts, quint64 ticket) {
  if (FPending && ticket == FTicket) Install(std::move(counts));
}

void TDocSizeCounter::LinesReplaced(const QStringList &lines, int first, int oldCount, int newCount) {
  // The editor counts an empty store as one line; whenever its report and the store disagree,
  // count afresh rather than trust either.
  const qsizetype counted = qsizetype(FLineBytes.size());
  if (FPending || first < 0 || oldCount < 0 || newCount < 0 || first + oldCount > counted ||
      counted - oldCount + newCount != lines.size()) {
    Recount(lines);
    return;
  }
  const auto at = FLineBytes.begin() + first;
  for (auto it = at; it != at + oldCount; ++it) FSum -= *it;
  if (newCount > oldCount) FLineBytes.insert(at + oldCount, size_t(newCount - oldCount), 0);
  else FLineBytes.erase(at + newCount, at + oldCount);
  for (int i = first; i < first + newCount; ++i) FSum += FLineBytes[size_t(i)] = quint32(LineBytes(lines[i], FKind));
}

qint64 TDocSizeCounter::Total() const {
  const qint64 mark = FKind == ekUtf8Bom ? 3 : FKind == ekUtf16BeBom || FKind == ekUtf16LeBom ? 2 : 0;
  const qint64 breaks = FLineBytes.empty() ? 0 : qint64(FLineBytes.size() - 1) * FEolBytes;
  return mark + FSum + breaks;
}
