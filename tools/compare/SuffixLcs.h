#pragma once
// TSuffixLcs: for line ids a (n of them) and b (m), how much the longest common subsequence of
// a[k..] and b[l..] shrinks when a[k] is left out — T[k][l] - T[k+1][l], 0 or 1 — for a walk whose
// k never goes back, in memory far below the (n + 1) x (m + 1) table T.
//
// The rows of T are made as bit rows (LcsStep.h) from row n down to row 0; T[k][l] is the number of
// zero bits of row k below bit m - l, so the drop at (k, l) counts the bits below m - l that step k
// cleared, less those it set. Only what each step changed is kept, in blocks of 64 steps; alike
// texts change a few bits per step, so this stays small. A block whose changes would outgrow a whole
// row keeps the row it starts from instead, and its steps are made again when the walk reaches it.
#include "LcsStep.h"

class TDiffWork;

struct TLcsTuning {
  qsizetype DenseFrom = -1;  // see TLcsStep
  // Bytes a block's changes may take before it keeps a row instead; -1: the size of a row.
  qint64 BlockChangeBytes = -1;
};

class TSuffixLcs {
 public:
  // a and b must outlive this object. Memory is counted against work's budget.
  TSuffixLcs(const std::vector<qint32> &a, const std::vector<qint32> &b, qint32 symbols, TDiffWork &work,
             TLcsTuning tuning = {});
  ~TSuffixLcs();
  TSuffixLcs(const TSuffixLcs &) = delete;
  TSuffixLcs &operator=(const TSuffixLcs &) = delete;

  // Makes the rows; false when cancelled or over the budget.
  bool Build();
  // Readies the drops of row k, 0 <= k < n, never below a row sought before; false when cancelled
  // or over the budget.
  bool Seek(qsizetype k);
  // T[k][l] - T[k+1][l] for the row sought and 0 <= l < m.
  int Drop(qsizetype l) const;

 private:
  static constexpr qsizetype KBlockRows = 64;

  struct TBlock {
    std::vector<TWordDelta> Changes;  // its steps' changes, the step of its last row first
    std::vector<qint32> StepStart;    // where each step's changes begin in Changes, then their end
    std::vector<quint64> FromRow;     // kept instead of the changes: the row just below the block
  };

  qsizetype BlockEnd(qsizetype block) const { return qMin(FA.size(), size_t((block + 1) * KBlockRows)); }
  // Makes the steps of block from the current row down; false when cancelled or over budget.
  bool StepBlock(qsizetype block, TBlock &into, bool keepAll);
  bool KeepFromRow(TBlock &block);
  bool MakeAgain(qsizetype block);
  void Release(TBlock &block);
  template <typename T>
  bool Reserve(std::vector<T> &v, size_t size);
  template <typename T>
  void Free(std::vector<T> &v);

  const std::vector<qint32> &FA;
  const std::vector<qint32> &FB;
  TDiffWork &FWork;
  TLcsStep FStep;
  TBitRow FRow;
  qint64 FBlockLimit;
  qint64 FFixedBytes = 0;
  std::vector<TWordDelta> FStepChanges;
  std::vector<TBlock> FBlocks;
  TBlock FAgain;  // the block made again for the walk
  // The row sought: its changes and their running counts.
  qsizetype FBlock = -1;
  qsizetype FSought = -1;
  const TWordDelta *FBegin = nullptr;
  const TWordDelta *FEnd = nullptr;
  std::vector<qint32> FCounts;  // FCounts[e]: bits cleared less bits set by the changes before e
};
