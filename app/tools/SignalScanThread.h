#pragma once
// TSignalScanThread: the Locate Signals scan over a snapshot of a document's lines, split over the
// cores. At its end, also after a stop, it hands every hit found so far to its scan's report; a
// report whose receiver has gone (the program is ending) is never run.
#include "ScanThread.h"
#include "tools/SignalScan.h"

#include <vector>

class TSignalScanThread : public TScanThread {
  Q_OBJECT

 public:
  // Both run on the receiver's thread and must not refer to the thread.
  using TProgressReport = std::function<void(int percent)>;
  using TDoneReport = std::function<void(std::vector<TSignalHit> hits)>;

  // category: 0 to 4, or KAllSignalCategories.
  TSignalScanThread(QStringList lines, int category, QObject *receiver, TProgressReport progress, TDoneReport done);

  // Stops and joins here, while run() is still this class's: a thread not yet started would
  // otherwise run the base's.
  ~TSignalScanThread() override;

 protected:
  void run() override;

 private:
  int FCategory;
  TProgressReport FProgress;
  TDoneReport FDone;
};
