#pragma once
// What a background scan is handed besides its lines: a flag asking it to stop, read before every
// line, and a callback told the whole percentage of lines done each time it changes. A long scan
// can be split by line ranges over several threads, each with its own range, flag reader and
// progress, and the ranges' results joined in order.
#include <QStringList>

#include <atomic>
#include <functional>
#include <span>
#include <vector>

// A snapshot of lines that the scan only reads (a QStringList's storage, or part of it).
using TScanLines = std::span<const QString>;
using TProgressFunc = std::function<void(int percent)>;

inline TScanLines ScanLinesOf(const QStringList &lines) { return {lines.constData(), size_t(lines.size())}; }

// Reports Round((index + 1) / count × 100) after each line, once per distinct value.
class TPercentTicker {
 public:
  TPercentTicker(qsizetype lineCount, const TProgressFunc &report) : FCount(lineCount), FReport(report) {}

  void LineDone(qsizetype index) {
    if (index >= FNextChange) Report(index);
  }

 private:
  void Report(qsizetype index);

  qsizetype FCount;
  const TProgressFunc &FReport;
  qsizetype FNextChange = 0;
};

struct TLineSlice {
  qsizetype First = 0;
  qsizetype Count = 0;
  friend bool operator==(const TLineSlice &, const TLineSlice &) = default;
};
// Up to parts consecutive ranges covering all lines, each with about the same number of code units
// (an empty line counts as one), so two threads finish together even when long lines bunch up.
std::vector<TLineSlice> SplitLinesEvenly(TScanLines lines, int parts);
