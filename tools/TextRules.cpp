#include "TextRules.h"

#include <limits>

QStringView Trimmed(QStringView text, TTrimSide side) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  if (side != TTrimSide::Right)
    while (begin < end && IsBlank(text[begin])) ++begin;
  if (side != TTrimSide::Left)
    while (end > begin && IsBlank(text[end - 1])) --end;
  return text.sliced(begin, end - begin);
}

namespace {
int DigitValue(char16_t c, int base) {
  int value = 99;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  else if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
  else if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
  return value < base ? value : -1;
}

// The magnitude is gathered unsigned against the limit of its sign, so the most negative value of
// the width reads without overflow.
std::optional<qint64> ReadInteger(QStringView text, qint64 min, qint64 max) {
  qsizetype i = 0;
  const qsizetype size = text.size();
  while (i < size && text[i] == u' ') ++i;
  bool negative = false;
  if (i < size && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  int base = 10;
  if (i < size && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < size && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == size) return std::nullopt;
  const quint64 limit = negative ? quint64(-(min + 1)) + 1 : quint64(max);
  quint64 magnitude = 0;
  for (; i < size; ++i) {
    const int digit = DigitValue(text[i].unicode(), base);
    if (digit < 0) return std::nullopt;
    if (magnitude > (limit - quint64(digit)) / quint64(base)) return std::nullopt;
    magnitude = magnitude * quint64(base) + quint64(digit);
  }
  if (!negative) return qint64(magnitude);
  return magnitude == quint64(max) + 1 ? min : -qint64(magnitude);
}
}  // namespace

std::optional<qint64> ReadInt64(QStringView text) {
  return ReadInteger(text, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
}

std::optional<qint32> ReadInt32(QStringView text) {
  const std::optional<qint64> value =
      ReadInteger(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
  if (!value) return std::nullopt;
  return qint32(*value);
}
