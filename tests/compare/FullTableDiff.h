#pragma once
// The line diff done the plain way, for checking the real one on small inputs: the whole table of
// longest common subsequences of suffixes, walked from the top.
#include "tools/compare/DiffEngine.h"

#include <vector>

using TLcsTable = std::vector<std::vector<int>>;

// T[i][j]: the length of the longest common subsequence of a[i..] and b[j..].
template <typename TSeq>
TLcsTable FullLcsTable(const TSeq &a, const TSeq &b) {
  const size_t n = size_t(a.size()), m = size_t(b.size());
  TLcsTable t(n + 1, std::vector<int>(m + 1, 0));
  for (size_t i = n; i-- > 0;)
    for (size_t j = m; j-- > 0;)
      t[i][j] = a[i] == b[j] ? t[i + 1][j + 1] + 1 : std::max(t[i + 1][j], t[i][j + 1]);
  return t;
}

inline TDiffRows FullTableDiff(const QStringList &left, const QStringList &right) {
  const TLcsTable t = FullLcsTable(left, right);
  const qsizetype n = left.size(), m = right.size();
  TDiffRows rows;
  std::vector<qsizetype> pendingLeft, pendingRight;
  const auto flush = [&] {
    const size_t pairs = std::min(pendingLeft.size(), pendingRight.size());
    for (size_t i = 0; i < pairs; ++i)
      rows.push_back({dkChanged, qint32(pendingLeft[i] + 1), qint32(pendingRight[i] + 1), left[pendingLeft[i]],
                      right[pendingRight[i]]});
    for (size_t i = pairs; i < pendingLeft.size(); ++i)
      rows.push_back({dkDelete, qint32(pendingLeft[i] + 1), 0, left[pendingLeft[i]], {}});
    for (size_t i = pairs; i < pendingRight.size(); ++i)
      rows.push_back({dkInsert, 0, qint32(pendingRight[i] + 1), {}, right[pendingRight[i]]});
    pendingLeft.clear();
    pendingRight.clear();
  };
  qsizetype k = 0, l = 0;
  while (k < n && l < m) {
    if (left[k] == right[l]) {
      flush();
      rows.push_back({dkEqual, qint32(k + 1), qint32(l + 1), left[k], right[l]});
      ++k;
      ++l;
    } else if (t[size_t(k) + 1][size_t(l)] < t[size_t(k)][size_t(l) + 1]) {
      pendingRight.push_back(l++);
    } else {
      pendingLeft.push_back(k++);
    }
  }
  while (k < n) pendingLeft.push_back(k++);
  while (l < m) pendingRight.push_back(l++);
  flush();
  return rows;
}

// "=3/4 a" for equal lines 3 and 4, "~1/1 b|x" changed, "-2 c" deleted, "+5 d" inserted.
inline QStringList DumpRows(const TDiffRows &rows) {
  QStringList out;
  for (const TDiffRow &r : rows) {
    switch (r.Kind) {
      case dkEqual: out << QStringLiteral("=%1/%2 %3").arg(r.LeftLine).arg(r.RightLine).arg(r.LeftText); break;
      case dkChanged:
        out << QStringLiteral("~%1/%2 %3|%4").arg(r.LeftLine).arg(r.RightLine).arg(r.LeftText, r.RightText);
        break;
      case dkDelete: out << QStringLiteral("-%1 %2").arg(r.LeftLine).arg(r.LeftText); break;
      case dkInsert: out << QStringLiteral("+%1 %2").arg(r.RightLine).arg(r.RightText); break;
    }
  }
  return out;
}
