#pragma once
// THashThread: hashes one file on a worker (see FileHash.h). Its callbacks run on the main thread,
// each a queued call of its own; they should name their receiver by id, for a call may arrive
// after the receiver is gone. Destroying the hasher stops it and waits for it; nothing is reported
// after a stop.
#include "tools/hash/FileHash.h"

#include <QString>

#include <functional>
#include <memory>

class TWorker;

class THashThread {
 public:
  using TProgressEvent = std::function<void(int percent)>;
  using TDoneEvent = std::function<void(const THashResult &result)>;

  // Starts at once.
  THashThread(QString file, TProgressEvent onProgress, TDoneEvent onDone);
  ~THashThread();

  void Stop();

 private:
  std::unique_ptr<TWorker> FWorker;
};
