#include "ExtractThread.h"

#include "tools/ExtractScan.h"

#include <vector>

TExtractThread::TExtractThread(QStringList lines, TExtractSpec spec, quint64 window, QObject *receiver,
                               TProgressReport progress, TDoneReport done)
    : TScanThread(std::move(lines), receiver),
      FSpec(std::move(spec)),
      FWindow(window),
      FProgress(std::move(progress)),
      FDone(std::move(done)) {}

void TExtractThread::run() {
  const std::shared_ptr<const TRegexPattern> pattern = TRegexPattern::Compile(FSpec.Pattern);
  std::vector<TExtractTally> tallies(size_t(std::max(1, QThread::idealThreadCount())));
  const TScanLines lines = ScanLinesOf(Lines());
  const auto scanSlice = [&](size_t part, TLineSlice slice, const TProgressFunc &progress) {
    TExtractScanner scanner(FSpec, pattern);
    scanner.Scan(lines.subspan(size_t(slice.First), size_t(slice.Count)), tallies[part], Cancel(), progress);
  };
  const size_t parts = ScanSlices(scanSlice, [this](int percent) {
    Post([report = FProgress, window = FWindow, percent] { report(window, percent); });
  });
  if (Cancelled()) return;
  for (size_t part = 1; part < parts; ++part) tallies[0].Append(std::move(tallies[part]));
  TExtractResult result;
  result.Lines = ExtractOutputLines(tallies[0], FSpec.CountMode);
  result.Summary = ExtractSummary(tallies[0], result.Lines.size());
  Post([report = FDone, window = FWindow, result = std::move(result)] { report(window, result); });
}

TExtractThread::~TExtractThread() { Stop(); }
