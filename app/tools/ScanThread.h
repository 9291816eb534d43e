#pragma once
// TScanThread: a background scan over its own snapshot of lines (a QStringList copy shares the
// lines' characters, it copies none). It is asked to stop through an atomic flag the scan reads
// before every line, and whoever owns it stops and joins it before going away. Progress and
// results reach the main thread as queued calls on a receiver that outlives every scan; those
// calls find their window and document by id when they run, so nothing they name can have been
// freed under them.
#include "tools/ScanControl.h"

#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>

class TScanThread : public QThread {
  Q_OBJECT

 public:
  // Every scan class stops and joins in its own destructor.
  ~TScanThread() override = default;

  // The scan ends before its next line.
  void RequestStop() { FCancel = true; }
  // Asks and waits until the thread has ended.
  void Stop();

 protected:
  TScanThread(QStringList lines, QObject *receiver);

  const QStringList &Lines() const { return FLines; }
  const std::atomic_bool &Cancel() const { return FCancel; }
  bool Cancelled() const { return FCancel.load(); }
  // Runs call on the receiver's (the main) thread, after the calls posted before it.
  void Post(std::function<void()> call);

  // Scans the lines split into as many consecutive slices as there are cores, the first in this
  // thread and each other on a helper, and waits for all. scan(part, slice, progress) scans one
  // slice; report hears the whole percentage of all lines done each time it grows.
  using TSliceScan = std::function<void(size_t part, TLineSlice slice, const TProgressFunc &progress)>;
  size_t ScanSlices(const TSliceScan &scan, const TProgressFunc &report);

 private:
  QStringList FLines;
  QObject *FReceiver;
  std::atomic_bool FCancel{false};
};
