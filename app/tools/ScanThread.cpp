#include "ScanThread.h"

#include <QMetaObject>

#include <thread>
#include <vector>

TScanThread::TScanThread(QStringList lines, QObject *receiver) : FLines(std::move(lines)), FReceiver(receiver) {}

void TScanThread::Stop() {
  RequestStop();
  wait();
}

void TScanThread::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(FReceiver, std::move(call), Qt::QueuedConnection);
}

size_t TScanThread::ScanSlices(const TSliceScan &scan, const TProgressFunc &report) {
  const TScanLines lines = ScanLinesOf(FLines);
  const std::vector<TLineSlice> slices = SplitLinesEvenly(lines, std::max(1, QThread::idealThreadCount()));
  // Lines done per slice, from each slice's own percentages; the total is reported once per value.
  std::vector<std::atomic<qint64>> done(slices.size());
  std::atomic<int> reported{-1};
  const qint64 total = qint64(lines.size());
  const auto progressOf = [&](size_t part) {
    return TProgressFunc([&, part](int percent) {
      done[part] = qint64(percent) * slices[part].Count / 100;
      qint64 sum = 0;
      for (const std::atomic<qint64> &d : done) sum += d.load();
      const int overall = total == 0 ? 100 : int((sum * 200 + total) / (total * 2));
      int last = reported.load();
      while (overall > last && !reported.compare_exchange_weak(last, overall)) {
      }
      if (overall > last && report) report(overall);
    });
  };
  std::vector<std::thread> helpers;
  std::vector<TProgressFunc> progress;
  for (size_t part = 0; part < slices.size(); ++part) progress.push_back(progressOf(part));
  for (size_t part = 1; part < slices.size(); ++part)
    helpers.emplace_back([&, part] { scan(part, slices[part], progress[part]); });
  if (!slices.empty()) scan(0, slices[0], progress[0]);
  for (std::thread &helper : helpers) helper.join();
  return slices.size();
}
