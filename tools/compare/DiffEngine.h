#pragma once
// ComputeDiff: two lists of lines side by side, one row per line of the view — equal lines,
// changed pairs, lines only on the left (deleted) and only on the right (inserted). Lines compare
// as whole strings, exactly.
//
// The rows are those of the walk over the table T of longest common subsequences of suffixes
// (T[i][j] = LCS of left[i..] and right[j..]): from the top, equal lines are taken together; else
// the right line is taken as inserted when T[k+1][l] < T[k][l+1], and the left line as deleted
// otherwise (a tie deletes first); the unmatched lines between two equal ones are paired in order
// into changed rows, then the rest are deletions, then insertions. The table itself is never built:
// see SuffixLcs.h.
#include "tools/TextResult.h"

#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

enum TDiffKind : quint8 { dkEqual = 0, dkChanged = 1, dkDelete = 2, dkInsert = 3 };

struct TDiffRow {
  TDiffKind Kind = dkEqual;
  qint32 LeftLine = 0;   // 1-based; 0 for dkInsert
  qint32 RightLine = 0;  // 1-based; 0 for dkDelete
  QString LeftText;      // empty for dkInsert
  QString RightText;     // empty for dkDelete
  friend bool operator==(const TDiffRow &, const TDiffRow &) = default;
};

using TDiffRows = std::vector<TDiffRow>;

constexpr qint64 KDiffMemoryBudget = qint64(1) << 30;

struct TDiffControl {
  // Set from another thread to stop; the result is then a failure.
  const std::atomic<bool> *Cancel = nullptr;
  // Called on the computing thread whenever the whole percentage done changes.
  std::function<void(int percent)> OnProgress;
  // Working memory beyond which the comparison is refused rather than attempted.
  qint64 MemoryBudget = KDiffMemoryBudget;
};

// Fails, with no rows at all, when cancelled or when the comparison would need more memory than
// the budget; the message says which.
TResult<TDiffRows> ComputeDiff(const QStringList &left, const QStringList &right, const TDiffControl &control = {});
