#include "BitRow.h"

#include <bit>

namespace {
constexpr quint64 KFull = ~quint64(0);

qsizetype WordsFor(qsizetype bits) { return qMax<qsizetype>(1, (bits + 63) / 64); }
}  // namespace

TBitRow::TBitRow(qsizetype bits) : FBits(bits) {
  // Every level starts full, padding included, so a level is all ones just as the bits are.
  qsizetype words = WordsFor(bits);
  FLevels.emplace_back(size_t(words), KFull);
  while (words > 1) {
    words = WordsFor(words);
    FLevels.emplace_back(size_t(words), KFull);
  }
}

void TBitRow::Assign(const quint64 *words) {
  std::vector<quint64> &bits = FLevels[0];
  bits.assign(words, words + bits.size());
  for (size_t level = 1; level < FLevels.size(); ++level) {
    const std::vector<quint64> &below = FLevels[level - 1];
    std::vector<quint64> &summary = FLevels[level];
    summary.assign(summary.size(), KFull);
    for (size_t w = 0; w < below.size(); ++w)
      if (below[w] != KFull) summary[w >> 6] &= ~(quint64(1) << (w & 63));
  }
}

void TBitRow::SetWord(qsizetype index, quint64 value) {
  quint64 &word = FLevels[0][size_t(index)];
  const bool wasFull = word == KFull;
  word = value;
  if (wasFull != (value == KFull)) Summarize(1, index);
}

void TBitRow::Summarize(size_t level, qsizetype index) {
  if (level >= FLevels.size()) return;
  const bool full = FLevels[level - 1][size_t(index)] == KFull;
  quint64 &word = FLevels[level][size_t(index >> 6)];
  const bool wasFull = word == KFull;
  const quint64 bit = quint64(1) << (index & 63);
  word = full ? word | bit : word & ~bit;
  if (wasFull != (word == KFull)) Summarize(level + 1, index >> 6);
}

qsizetype TBitRow::FindZeroAt(size_t level, qsizetype from) const {
  const std::vector<quint64> &words = FLevels[level];
  const qsizetype w = from >> 6;
  if (w >= qsizetype(words.size())) return -1;
  if (const quint64 zeros = ~words[size_t(w)] & (KFull << (from & 63)))
    return (w << 6) + std::countr_zero(zeros);
  if (level + 1 == FLevels.size()) return -1;
  const qsizetype next = FindZeroAt(level + 1, w + 1);
  return next < 0 ? -1 : (next << 6) + std::countr_zero(~words[size_t(next)]);
}

qint64 TBitRow::MemoryBytes() const {
  qint64 bytes = 0;
  for (const std::vector<quint64> &level : FLevels) bytes += qint64(level.size() * sizeof(quint64));
  return bytes;
}
