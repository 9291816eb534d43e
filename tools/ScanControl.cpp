#include "ScanControl.h"

void TPercentTicker::Report(qsizetype index) {
  // Rounding half up: percent p is reached at the first n = index + 1 with 200 n >= (2 p - 1) count.
  const qint64 done = qint64(index) + 1;
  const int percent = int((done * 200 + FCount) / (qint64(FCount) * 2));
  if (FReport) FReport(percent);
  const qint64 nextDone = ((2 * qint64(percent) + 1) * FCount + 199) / 200;
  FNextChange = qsizetype(std::max(nextDone, done + 1) - 1);
}

std::vector<TLineSlice> SplitLinesEvenly(TScanLines lines, int parts) {
  std::vector<TLineSlice> slices;
  if (lines.empty() || parts < 1) return slices;
  qint64 total = 0;
  for (const QString &line : lines) total += std::max<qsizetype>(line.size(), 1);
  qint64 seen = 0;
  TLineSlice slice;
  for (size_t i = 0; i < lines.size(); ++i) {
    seen += std::max<qsizetype>(lines[i].size(), 1);
    ++slice.Count;
    if (seen * parts >= total * qint64(slices.size() + 1) && i + 1 < lines.size()) {
      slices.push_back(slice);
      slice = TLineSlice{qsizetype(i) + 1, 0};
    }
  }
  slices.push_back(slice);
  return slices;
}
