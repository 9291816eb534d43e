#include "DiffEngine.h"

#include "DiffWork.h"
#include "SuffixLcs.h"

#include <QHash>

namespace {

// Lines as numbers, the same number for the same text on either side.
struct TLineIds {
  std::vector<qint32> Left;
  std::vector<qint32> Right;
  qint32 Symbols = 0;
};

TLineIds NumberLines(const QStringList &left, const QStringList &right, qsizetype from) {
  TLineIds ids;
  QHash<QString, qint32> numbers;
  numbers.reserve(left.size() + right.size() - 2 * from);
  const auto number = [&](const QStringList &lines, std::vector<qint32> &out) {
    out.reserve(size_t(lines.size() - from));
    for (qsizetype i = from; i < lines.size(); ++i) {
      auto found = numbers.find(lines[i]);
      if (found == numbers.end()) found = numbers.insert(lines[i], ids.Symbols++);
      out.push_back(*found);
    }
  };
  number(left, ids.Left);
  number(right, ids.Right);
  return ids;
}

QString BudgetText(qint64 bytes) {
  constexpr qint64 KMB = qint64(1) << 20, KGB = qint64(1) << 30;
  if (bytes >= KGB && bytes % KGB == 0) return QString::number(bytes / KGB) + QStringLiteral(" GB");
  if (bytes >= KMB && bytes % KMB == 0) return QString::number(bytes / KMB) + QStringLiteral(" MB");
  return QString::number(bytes) + QStringLiteral(" bytes");
}

TResult<TDiffRows> Stopped(const TDiffWork &work) {
  if (work.Cancelled()) return TResult<TDiffRows>::Failure(QStringLiteral("The comparison was cancelled."));
  return TResult<TDiffRows>::Failure(QStringLiteral("The documents are too large to compare: it would take more than ") +
                                     BudgetText(work.Budget()) + QStringLiteral(" of memory."));
}

// The rows of the walk, made as it goes.
class TRowMaker {
 public:
  TRowMaker(const QStringList &left, const QStringList &right) : FLeft(left), FRight(right) {}

  void Equal(qsizetype k, qsizetype l) {
    FRows.push_back({dkEqual, qint32(k + 1), qint32(l + 1), FLeft[k], FRight[l]});
  }
  // The unmatched lines left[leftFrom, leftTo) and right[rightFrom, rightTo) between two equal ones:
  // pairs first, then the deletions, then the insertions.
  void Unmatched(qsizetype leftFrom, qsizetype leftTo, qsizetype rightFrom, qsizetype rightTo) {
    const qsizetype pairs = qMin(leftTo - leftFrom, rightTo - rightFrom);
    for (qsizetype i = 0; i < pairs; ++i)
      FRows.push_back({dkChanged, qint32(leftFrom + i + 1), qint32(rightFrom + i + 1), FLeft[leftFrom + i],
                       FRight[rightFrom + i]});
    for (qsizetype k = leftFrom + pairs; k < leftTo; ++k) FRows.push_back({dkDelete, qint32(k + 1), 0, FLeft[k], {}});
    for (qsizetype l = rightFrom + pairs; l < rightTo; ++l)
      FRows.push_back({dkInsert, 0, qint32(l + 1), {}, FRight[l]});
  }
  TDiffRows Take() { return std::move(FRows); }

 private:
  const QStringList &FLeft;
  const QStringList &FRight;
  TDiffRows FRows;
};

TResult<TDiffRows> Diff(const QStringList &left, const QStringList &right, const TDiffControl &control) {
  TDiffWork work(control);
  const qsizetype n = left.size(), m = right.size();
  // The rows (at most one per line of both sides) and the lines' numbers.
  if (!work.Take(qint64(n + m) * qint64(sizeof(TDiffRow) + sizeof(qint32)))) return Stopped(work);
  TRowMaker rows(left, right);
  // The walk takes a common beginning line by line without asking the table.
  qsizetype prefix = 0;
  while (prefix < n && prefix < m && left[prefix] == right[prefix]) {
    rows.Equal(prefix, prefix);
    ++prefix;
  }
  const TLineIds ids = NumberLines(left, right, prefix);
  const std::vector<qint32> &a = ids.Left, &b = ids.Right;
  const qsizetype rn = qsizetype(a.size()), rm = qsizetype(b.size());
  TSuffixLcs lcs(a, b, ids.Symbols, work);
  if (rn > 0 && rm > 0 && !lcs.Build()) return Stopped(work);
  qsizetype k = 0, l = 0, pendingK = 0, pendingL = 0;
  while (k < rn && l < rm) {
    if (a[size_t(k)] == b[size_t(l)]) {
      rows.Unmatched(prefix + pendingK, prefix + k, prefix + pendingL, prefix + l);
      rows.Equal(prefix + k, prefix + l);
      pendingK = ++k;
      pendingL = ++l;
    } else {
      if (!lcs.Seek(k)) return Stopped(work);
      if (lcs.Drop(l) == 0) ++k;  // T[k+1][l] = T[k][l] >= T[k][l+1]: a tie deletes too
      else ++l;
    }
  }
  rows.Unmatched(prefix + pendingK, prefix + rn, prefix + pendingL, prefix + rm);
  work.Progress(1, 1);
  return TResult<TDiffRows>::Success(rows.Take());
}

}  // namespace

TResult<TDiffRows> ComputeDiff(const QStringList &left, const QStringList &right, const TDiffControl &control) {
  return CatchToolErrors([&] { return Diff(left, right, control); });
}
