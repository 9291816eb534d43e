#include "LineStream.h"

#include "Encoding.h"

#include <QThread>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// The bytes of one run while they are gathered and until they are decoded.
struct TRun {
  std::unique_ptr<char[]> Bytes;
  qsizetype Capacity = 0;
  qsizetype Start = 0;  // the first run skips the byte-order mark
  qsizetype Used = 0;
  qsizetype End = 0;  // where the run was cut; the last run ends at Used
  bool Last = false;
  TLineIndex Index;  // found by the reading thread when a helper converts

  void Reserve(qsizetype needed) {
    if (needed <= Capacity) return;
    const qsizetype capacity = qMax(needed, 2 * Capacity);
    std::unique_ptr<char[]> bytes(new char[size_t(capacity)]);
    if (Used) std::memcpy(bytes.get(), Bytes.get(), size_t(Used));
    Bytes = std::move(bytes);
    Capacity = capacity;
  }
};

// Where the search for a cut resumes once data holds no place to cut: only its last whole unit,
// a CR whose follower was unknown, needs another look.
qsizetype ResumeScanAt(qsizetype length, int unit) { return qMax<qsizetype>(0, length / unit * unit - unit); }

// Runs read ahead of the decoder; more would only hold memory.
constexpr size_t KMaxQueuedRuns = 4;

}  // namespace

// The reading thread gathers and cuts runs and finds their lines; one decoding thread takes the runs
// in data order and appends their lines straight to the result. Two threads allocating lines at once
// would only fight over the heap (the program runs with one malloc arena, and on these machines the
// first touch of fresh pages, not the conversion, bounds the speed), so the work that runs alongside
// the allocating thread is the one that allocates nothing: reading and finding line breaks.
struct TLineStreamDecoder::TPrivate {
  qint64 ExpectedSize;
  qsizetype RunSize;
  bool WantHelper;

  bool Detected = false;
  const TEncoding *Encoding = TEncoding::Utf8();
  int BomLength = 0;
  TLineRoad Road = TLineRoad::Utf8;
  qint64 Total = 0;

  std::unique_ptr<TRun> Fill;
  qsizetype ScanFrom = 0;  // relative to Fill->Start

  // Written by whichever thread decodes; read by the caller once Finish has waited for the helper.
  std::unique_ptr<QStringList> Lines = std::make_unique<QStringList>();
  TBreakCounts Counts;
  bool Altered = false;

  // Shared with the helper.
  std::mutex Mutex;
  std::condition_variable WorkReady;
  std::condition_variable RunDone;
  std::deque<std::unique_ptr<TRun>> Queue;
  std::vector<std::unique_ptr<TRun>> Spare;
  bool Busy = false;
  bool Stop = false;
  std::exception_ptr Error;
  std::thread Helper;
  bool HelperTried = false;

  TPrivate(qint64 expectedSize, qsizetype runSize, bool helper)
      : ExpectedSize(expectedSize), RunSize(qMax<qsizetype>(runSize, 1)), WantHelper(helper) {}

  ~TPrivate() { StopHelper(); }

  void StopHelper() {
    {
      std::lock_guard lock(Mutex);
      Stop = true;
    }
    WorkReady.notify_all();
    if (Helper.joinable()) Helper.join();
  }

  std::unique_ptr<TRun> NewRun(qsizetype carry) {
    std::unique_ptr<TRun> run;
    {
      std::lock_guard lock(Mutex);
      if (!Spare.empty()) {
        run = std::move(Spare.back());
        Spare.pop_back();
      }
    }
    if (!run) run = std::make_unique<TRun>();
    run->Reserve(qMax(carry, 2 * RunSize));
    return run;
  }

  // Called with Mutex held.
  void Recycle(std::unique_ptr<TRun> run) {
    run->Start = run->Used = run->End = 0;
    run->Last = false;
    // A buffer that grew around a very long line is not worth keeping.
    if (run->Capacity > 4 * RunSize) {
      run->Bytes.reset();
      run->Capacity = 0;
    }
    Spare.push_back(std::move(run));
  }

  void Detect() {
    const TDetectedEncoding detected = DetectTextEncoding(QByteArrayView(Fill->Bytes.get(), Fill->Used));
    Encoding = detected.Encoding;
    BomLength = detected.BomLength;
    Road = LineRoadOf(Encoding);
    Fill->Start = BomLength;
    ScanFrom = 0;
    Detected = true;
    const qint64 length = qMax(ExpectedSize, Total) - BomLength;
    if (length > 0) Lines->reserve(qMax<qsizetype>(qsizetype(length / 40), 64));
  }

  static QByteArrayView View(const TRun &run) {
    return QByteArrayView(run.Bytes.get() + run.Start, run.End - run.Start);
  }

  void StartHelper() {
    HelperTried = true;
    if (!WantHelper || QThread::idealThreadCount() < 2) return;
    try {
      Helper = std::thread([this] { HelperLoop(); });
    } catch (const std::system_error &) {
      // No thread to be had: the reading thread decodes as well.
    }
  }

  void HelperLoop() {
    std::unique_lock lock(Mutex);
    for (;;) {
      WorkReady.wait(lock, [this] { return Stop || !Queue.empty(); });
      if (Stop) return;
      std::unique_ptr<TRun> run = std::move(Queue.front());
      Queue.pop_front();
      Busy = true;
      const bool failedBefore = bool(Error);
      lock.unlock();
      std::exception_ptr failed;
      try {
        // After a failure the remaining runs are only dropped; the caller rethrows the failure.
        if (!failedBefore) DecodeIndexedRun(View(*run), Road, run->Index, *Lines, Counts, Altered);
      } catch (...) {
        failed = std::current_exception();
      }
      lock.lock();
      if (failed) Error = failed;
      Busy = false;
      Recycle(std::move(run));
      RunDone.notify_all();
    }
  }

  void Enqueue(std::unique_ptr<TRun> run) {
    if (!HelperTried) StartHelper();
    if (!Helper.joinable()) {
      DecodeLineRun(View(*run), Road, run->Last, *Lines, Counts, Altered);
      std::lock_guard lock(Mutex);
      Recycle(std::move(run));
      return;
    }
    // Finding the lines here leaves the helper, the slower of the two, only their conversion.
    IndexLineRun(View(*run), Road, run->Last, run->Index);
    {
      std::unique_lock lock(Mutex);
      RunDone.wait(lock, [this] { return Queue.size() < KMaxQueuedRuns || (Error && !Busy); });
      if (Error && !Busy) std::rethrow_exception(Error);
      Queue.push_back(std::move(run));
    }
    WorkReady.notify_one();
  }

  // Waits until every queued run is decoded; rethrows what decoding threw.
  void WaitForHelper() {
    if (!Helper.joinable()) return;
    {
      std::unique_lock lock(Mutex);
      RunDone.wait(lock, [this] { return Queue.empty() && !Busy; });
    }
    StopHelper();
    if (Error) std::rethrow_exception(Error);
  }

  void CutRuns() {
    const int unit = UnitSizeOf(Road);
    while (Fill->Used - Fill->Start >= RunSize) {
      const QByteArrayView data(Fill->Bytes.get() + Fill->Start, Fill->Used - Fill->Start);
      const qsizetype cut = LineRunCut(data, ScanFrom, Road);
      if (cut == 0) {
        ScanFrom = ResumeScanAt(data.size(), unit);
        break;
      }
      const qsizetype carry = data.size() - cut;
      std::unique_ptr<TRun> next = NewRun(carry);
      std::memcpy(next->Bytes.get(), data.data() + cut, size_t(carry));
      next->Used = carry;
      Fill->End = Fill->Start + cut;
      Enqueue(std::move(Fill));
      Fill = std::move(next);
      ScanFrom = ResumeScanAt(carry, unit);  // the carried bytes hold no break
    }
  }
};

TLineStreamDecoder::TLineStreamDecoder(qint64 expectedSize, qsizetype runSize, bool helper)
    : d(std::make_unique<TPrivate>(expectedSize, runSize, helper)) {
  d->Fill = d->NewRun(0);
}

TLineStreamDecoder::~TLineStreamDecoder() = default;

char *TLineStreamDecoder::PieceBuffer(qsizetype count) {
  TRun &fill = *d->Fill;
  fill.Reserve(fill.Used + count);
  return fill.Bytes.get() + fill.Used;
}

void TLineStreamDecoder::Commit(qsizetype count) {
  d->Fill->Used += count;
  d->Total += count;
  if (!d->Detected) {
    // The UTF-8 test needs its whole window and to know whether the data goes on past it.
    if (d->Total <= KUtf8TestWindow) return;
    d->Detect();
  }
  d->CutRuns();
}

void TLineStreamDecoder::Append(QByteArrayView bytes) {
  std::memcpy(PieceBuffer(bytes.size()), bytes.data(), size_t(bytes.size()));
  Commit(bytes.size());
}

void TLineStreamDecoder::Finish() {
  if (!d->Detected) d->Detect();
  // Nothing after the mark: no lines at all, as DecodeBytesToLines gives for such data.
  if (d->Total > d->BomLength) {
    d->Fill->End = d->Fill->Used;
    d->Fill->Last = true;
    d->Enqueue(std::move(d->Fill));
  }
  d->WaitForHelper();
}

const TEncoding *TLineStreamDecoder::Encoding() const { return d->Encoding; }
int TLineStreamDecoder::BomLength() const { return d->BomLength; }
TMELineEnding TLineStreamDecoder::LineEnding() const { return d->Counts.Vote(); }
bool TLineStreamDecoder::Altered() const { return d->Altered; }
std::unique_ptr<QStringList> TLineStreamDecoder::TakeLines() { return std::move(d->Lines); }
