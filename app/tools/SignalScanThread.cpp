#include "SignalScanThread.h"

TSignalScanThread::TSignalScanThread(QStringList lines, int category, QObject *receiver, TProgressReport progress,
                                     TDoneReport done)
    : TScanThread(std::move(lines), receiver),
      FCategory(category),
      FProgress(std::move(progress)),
      FDone(std::move(done)) {}

void TSignalScanThread::run() {
  const TSignalScanner scanner(FCategory);
  std::vector<std::vector<TSignalHit>> parts(size_t(std::max(1, QThread::idealThreadCount())));
  const TScanLines lines = ScanLinesOf(Lines());
  const size_t count = ScanSlices(
      [&](size_t part, TLineSlice slice, const TProgressFunc &progress) {
        scanner.Scan(lines.subspan(size_t(slice.First), size_t(slice.Count)), slice.First, parts[part], Cancel(),
                     progress);
      },
      [this](int percent) { Post([report = FProgress, percent] { report(percent); }); });
  std::vector<TSignalHit> hits = std::move(parts[0]);
  for (size_t part = 1; part < count; ++part) hits.insert(hits.end(), parts[part].begin(), parts[part].end());
  Post([report = FDone, hits = std::move(hits)]() mutable { report(std::move(hits)); });
}

TSignalScanThread::~TSignalScanThread() { Stop(); }
