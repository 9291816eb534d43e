#pragma once
// TDiffWork: what a comparison in progress answers to — its cancel flag, its progress report and
// its memory budget.
#include "DiffEngine.h"

class TDiffWork {
 public:
  explicit TDiffWork(const TDiffControl &control) : FControl(control) {}

  bool Cancelled() const { return FControl.Cancel && FControl.Cancel->load(std::memory_order_relaxed); }
  // Reports done of total when the whole percentage has changed.
  void Progress(qint64 done, qint64 total);

  // Counts bytes against the budget; false, and nothing counted, when they do not fit.
  bool Take(qint64 bytes);
  void Give(qint64 bytes) { FUsed -= bytes; }
  qint64 Used() const { return FUsed; }
  qint64 Budget() const { return FControl.MemoryBudget; }

 private:
  const TDiffControl &FControl;
  qint64 FUsed = 0;
  int FPercent = -1;
};
