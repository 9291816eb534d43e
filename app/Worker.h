#pragma once
// TWorker: work on a thread of its own, over its own copy of its input, with a flag that asks it to
// stop. Destroying the worker asks it to stop and waits for it, so no work outlives its owner.
// Work hands results back with PostToMainThread: calls that name their receiver by id and look it
// up on the main thread (see LiveIds.h), so a receiver gone meanwhile receives nothing.
#include <atomic>
#include <functional>
#include <thread>

class TWorker {
 public:
  using TWork = std::function<void(const std::atomic<bool> &stop)>;

  // Starts work at once.
  explicit TWorker(TWork work);
  ~TWorker();
  TWorker(const TWorker &) = delete;
  TWorker &operator=(const TWorker &) = delete;

  // Asks the work to stop; it looks at the flag between pieces.
  void Stop() { FStop = true; }

 private:
  std::atomic<bool> FStop = false;
  std::thread FThread;
};

// Runs call on the main thread, from its event loop, after the calls posted before it.
void PostToMainThread(std::function<void()> call);
