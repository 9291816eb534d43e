#pragma once
// One step of the bit-parallel longest-common-subsequence row (Allison and Dix; Hyyrö): the row of
// a[i..] against every suffix of b, made from the row of a[i + 1..]. Bit p of a row stands for
// b[m - 1 - p]; it is 0 where taking that line of b in lengthens the common subsequence.
//
// With U the row's set bits where b holds a[i], the next row is (V + U) | (V - U): in every run of
// ones that holds a bit of U the lowest such bit is cleared and the zero just above the run set.
// A line that occurs rarely in b is stepped that way, run by run, at the cost of its occurrences;
// a frequent one word by word with its mask.
#include "BitRow.h"

#include <vector>

// What one step changed in one word of a row.
struct TWordDelta {
  qint32 Word;
  quint64 Cleared;
  quint64 Set;
};

class TLcsStep {
 public:
  // b holds ids 0 .. symbols - 1. A symbol with more than denseFrom occurrences in b is stepped
  // word by word; -1 takes one per word of a row.
  TLcsStep(const std::vector<qint32> &b, qint32 symbols, qsizetype denseFrom = -1);

  qint64 MemoryBytes() const;

  // Turns the row of a[i + 1..] into the row of a[i..] for a[i] = symbol, and appends what changed
  // to changes, word by word in ascending order, one entry per word.
  void Apply(TBitRow &row, qint32 symbol, std::vector<TWordDelta> &changes) const;

 private:
  void ApplySparse(TBitRow &row, qint32 symbol, std::vector<TWordDelta> &changes) const;
  void ApplyDense(TBitRow &row, const quint64 *mask, std::vector<TWordDelta> &changes) const;

  qsizetype FWords;
  std::vector<qint32> FOccurStart;  // per symbol, then the end: its positions in FOccur
  std::vector<qint32> FOccur;       // bit positions, ascending per symbol
  std::vector<qint32> FDenseIndex;  // per symbol: its mask in FDenseMasks, or -1
  std::vector<quint64> FDenseMasks;
};
