#include "DiffWork.h"

void TDiffWork::Progress(qint64 done, qint64 total) {
  const int percent = total > 0 ? int(qMin<qint64>(100, done * 100 / total)) : 100;
  if (percent == FPercent) return;
  FPercent = percent;
  if (FControl.OnProgress) FControl.OnProgress(percent);
}

bool TDiffWork::Take(qint64 bytes) {
  if (bytes > FControl.MemoryBudget - FUsed) return false;
  FUsed += bytes;
  return true;
}
