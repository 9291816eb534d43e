#pragma once
// TExtractThread: one extraction over a snapshot of lines, split over the cores, each part with
// its own matcher over the one compiled pattern. It hands the window (named by id) its progress
// and, unless stopped, its result lines; a stopped scan reports nothing more.
#include "ScanThread.h"
#include "tools/ExtractKinds.h"

struct TExtractResult {
  QStringList Lines;  // the distinct values, or "count  value" lines
  QString Summary;    // "%d match(es), %d unique", or "No matches found."
};

class TExtractThread : public TScanThread {
  Q_OBJECT

 public:
  // Both run on the receiver's thread; they must not refer to the thread.
  using TProgressReport = std::function<void(quint64 window, int percent)>;
  using TDoneReport = std::function<void(quint64 window, const TExtractResult &result)>;

  TExtractThread(QStringList lines, TExtractSpec spec, quint64 window, QObject *receiver, TProgressReport progress,
                 TDoneReport done);

  // Stops and joins here, while run() is still this class's: a thread not yet started would
  // otherwise run the base's.
  ~TExtractThread() override;

 protected:
  void run() override;

 private:
  TExtractSpec FSpec;
  quint64 FWindow;
  TProgressReport FProgress;
  TDoneReport FDone;
};
