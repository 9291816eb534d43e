#pragma once
// The columns named by an answer such as «1-4,6», numbered from 1 by the user and from 0 here.
// They are kept as ranges, so «1-2147483647» is one entry and not two thousand million.
#include "TextResult.h"

#include <vector>

class TColumnSet {
 public:
  struct TRange {
    qint32 First;
    qint32 Last;
    friend bool operator==(const TRange &, const TRange &) = default;
  };

  // Adds the columns first..last; overlapping and touching ranges become one.
  void Add(qint32 first, qint32 last);
  bool Contains(qint32 column) const;
  bool IsEmpty() const { return FRanges.empty(); }
  // Sorted, neither overlapping nor touching.
  const std::vector<TRange> &Ranges() const { return FRanges; }

 private:
  std::vector<TRange> FRanges;
};

// Items separated by ",", each a column or a range "a-b" (split at its first "-"), read by the
// 32-bit integer reading after trimming; blank items are skipped. Fails with "Invalid column: ",
// "Invalid column range: " and the trimmed item, or "No columns specified".
TResult<TColumnSet> ParseColumnSpec(QStringView spec);
