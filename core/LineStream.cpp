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

enum class TRunState : quint8 { Filling, Queued, Decoding, Decoded };

// One run: its bytes while they are gathered and decoded, then its lines until they are joined.
struct TRun {
  std::unique_ptr<char[]> Bytes;
  qsizetype Capacity = 0;
  qsizetype Start = 0;  // the first run skips the byte-order mark
  qsizetype Used = 0;
  qsizetype End = 0;  // where the run was cut; the last run ends at Used
  bool Last = false;
  TRunState State = TRunState::Filling;
  QStringList Lines;
  TBreakCounts Counts;
  bool Altered = false;
  std::exception_ptr Error;

  void Reserve(qsizetype needed) {
    if (needed <= Capacity) return;
    const qsizetype capacity = qMax(needed, 2 * Capacity);
    std::unique_ptr<char[]> bytes(new char[size_t(capacity)]);
    if (Used) std::memcpy(bytes.get(), Bytes.get(), size_t(Used));
    Bytes = std::move(bytes);
    Capacity = capacity;
  }

  void Decode(TLineRoad road) {
    try {
      const qsizetype length = End - Start;
      if (Lines.capacity() < length / 40) Lines.reserve(length / 40);
      DecodeLineRun(QByteArrayView(Bytes.get() + Start, length), road, Last, Lines, Counts, Altered);
    } catch (...) {
      Error = std::current_exception();
    }
  }
};

// Where the search for a cut resumes once data holds no place to cut: only its last whole unit,
// a CR whose follower was unknown, needs another look.
qsizetype ResumeScanAt(qsizetype length, int unit) { return qMax<qsizetype>(0, length / unit * unit - unit); }

}  // namespace

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
  std::deque<std::unique_ptr<TRun>> Pending;  // cut runs in data order, not yet joined
  std::vector<std::unique_ptr<TRun>> Spare;

  std::unique_ptr<QStringList> Lines = std::make_unique<QStringList>();
  TBreakCounts Counts;
  bool Altered = false;

  // Shared with the helper: the queue and every run's State.
  std::mutex Mutex;
  std::condition_variable WorkReady;
  std::condition_variable RunDecoded;
  std::deque<TRun *> Queue;
  bool Stop = false;
  std::thread Helper;
  bool HelperTried = false;

  TPrivate(qint64 expectedSize, qsizetype runSize, bool helper)
      : ExpectedSize(expectedSize), RunSize(qMax<qsizetype>(runSize, 1)), WantHelper(helper) {}

  ~TPrivate() {
    {
      std::lock_guard lock(Mutex);
      Stop = true;
    }
    WorkReady.notify_all();
    if (Helper.joinable()) Helper.join();
  }

  std::unique_ptr<TRun> NewRun(qsizetype carry) {
    std::unique_ptr<TRun> run;
    if (Spare.empty()) {
      run = std::make_unique<TRun>();
    } else {
      run = std::move(Spare.back());
      Spare.pop_back();
    }
    run->Reserve(qMax(carry, 2 * RunSize));
    return run;
  }

  void Recycle(std::unique_ptr<TRun> run) {
    run->Lines.clear();  // keeps the list's capacity for the next run
    run->Counts = TBreakCounts();
    run->Altered = false;
    run->Start = run->Used = run->End = 0;
    run->State = TRunState::Filling;
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

  void StartHelper() {
    HelperTried = true;
    if (!WantHelper || QThread::idealThreadCount() < 2) return;
    try {
      Helper = std::thread([this] { HelperLoop(); });
    } catch (const std::system_error &) {
      // No thread to be had: the calling thread decodes everything.
    }
  }

  void HelperLoop() {
    std::unique_lock lock(Mutex);
    for (;;) {
      WorkReady.wait(lock, [this] { return Stop || !Queue.empty(); });
      if (Stop) return;
      TRun *run = Queue.front();
      Queue.pop_front();
      run->State = TRunState::Decoding;
      lock.unlock();
      run->Decode(Road);
      lock.lock();
      run->State = TRunState::Decoded;
      RunDecoded.notify_one();
    }
  }

  void Enqueue(std::unique_ptr<TRun> run) {
    TRun *queued = run.get();
    Pending.push_back(std::move(run));
    {
      std::lock_guard lock(Mutex);
      queued->State = TRunState::Queued;
      Queue.push_back(queued);
    }
    if (!HelperTried) StartHelper();
    WorkReady.notify_one();
  }

  qsizetype QueuedCount() {
    std::lock_guard lock(Mutex);
    return Queue.size();
  }

  bool DecodeOneHere() {
    TRun *run;
    {
      std::lock_guard lock(Mutex);
      if (Queue.empty()) return false;
      run = Queue.front();
      Queue.pop_front();
      run->State = TRunState::Decoding;
    }
    run->Decode(Road);
    std::lock_guard lock(Mutex);
    run->State = TRunState::Decoded;
    return true;
  }

  // Moves the lines of decoded runs, in data order, into the result; with wait, also the runs the
  // helper is still decoding.
  void JoinDecoded(bool wait) {
    while (!Pending.empty()) {
      TRun *run = Pending.front().get();
      {
        std::unique_lock lock(Mutex);
        if (run->State != TRunState::Decoded) {
          if (!wait) return;
          RunDecoded.wait(lock, [run] { return run->State == TRunState::Decoded; });
        }
      }
      if (run->Error) std::rethrow_exception(run->Error);
      Lines->append(std::move(run->Lines));
      Counts.CrLf += run->Counts.CrLf;
      Counts.Lf += run->Counts.Lf;
      Counts.Cr += run->Counts.Cr;
      Altered |= run->Altered;
      std::unique_ptr<TRun> done = std::move(Pending.front());
      Pending.pop_front();
      Recycle(std::move(done));
    }
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
    // Keep one run ready for the helper and decode the rest here, while its bytes are still in cache.
    const qsizetype keep = Helper.joinable() ? 1 : 0;
    while (QueuedCount() > keep && DecodeOneHere()) JoinDecoded(false);
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
  while (d->DecodeOneHere()) d->JoinDecoded(false);
  d->JoinDecoded(true);
}

const TEncoding *TLineStreamDecoder::Encoding() const { return d->Encoding; }
int TLineStreamDecoder::BomLength() const { return d->BomLength; }
TMELineEnding TLineStreamDecoder::LineEnding() const { return d->Counts.Vote(); }
bool TLineStreamDecoder::Altered() const { return d->Altered; }
std::unique_ptr<QStringList> TLineStreamDecoder::TakeLines() { return std::move(d->Lines); }
