#pragma once
// TBitRow: a row of bits that finds the next zero bit past long runs of ones in a few steps. Above
// the bits stands a pyramid of summaries, each bit of a level telling whether a word of the level
// below is all ones, so a search skips 64 full words, then 4096, with one look.
#include <QtGlobal>

#include <vector>

class TBitRow {
 public:
  // All bits set. Bits past the end read as ones and never change.
  explicit TBitRow(qsizetype bits);

  qsizetype Bits() const { return FBits; }
  qsizetype WordCount() const { return qsizetype(FLevels[0].size()); }
  quint64 Word(qsizetype index) const { return FLevels[0][size_t(index)]; }
  const quint64 *Data() const { return FLevels[0].data(); }
  void SetWord(qsizetype index, quint64 value);
  // Takes WordCount() words, padding bits set.
  void Assign(const quint64 *words);

  bool Test(qsizetype bit) const { return (Word(bit >> 6) >> (bit & 63)) & 1; }
  void Set(qsizetype bit) { SetWord(bit >> 6, Word(bit >> 6) | (quint64(1) << (bit & 63))); }
  void Clear(qsizetype bit) { SetWord(bit >> 6, Word(bit >> 6) & ~(quint64(1) << (bit & 63))); }

  // The first zero bit at or after from; -1 when there is none.
  qsizetype FindZero(qsizetype from) const { return FindZeroAt(0, from); }

  // Bytes held.
  qint64 MemoryBytes() const;

 private:
  qsizetype FindZeroAt(size_t level, qsizetype from) const;
  // Keeps the summary bit of word index of level in step with that word.
  void Summarize(size_t level, qsizetype index);

  qsizetype FBits;
  std::vector<std::vector<quint64>> FLevels;  // [0] the bits; [i + 1] bit w: word w of [i] is full
};
