// Loading and saving large files: decode throughput, the loader end to end against a plain read
// and line count, memory per MiB of file, whole-text and save throughput.
#include "BenchGroup.h"
#include "BenchInputs.h"
#include "BenchUtil.h"
#include "core/DocWriter.h"
#include "core/Encoding.h"
#include "core/FileRead.h"
#include "core/LineDecoder.h"
#include "core/LineStore.h"

#include <QDir>
#include <QFile>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 KLongLineFile = 50 * 1048576;

QByteArray ToUtf16Le(const QByteArray &ascii) {
  QByteArray out(ascii.size() * 2, '\0');
  for (qsizetype i = 0; i < ascii.size(); ++i) out[2 * i] = ascii[i];
  return out;
}

// The reference: read the whole file with read(2) and count its lines with memchr.
double PlainReadAndCount(const QString &path, qint64 &lines) {
  return TimeBest(2, [&] {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    const off_t size = lseek(fd, 0, SEEK_END);
    lseek(fd, 0, SEEK_SET);
    char *buffer = static_cast<char *>(std::malloc(size_t(size)));
    qint64 pos = 0;
    while (pos < size) {
      const ssize_t got = ::read(fd, buffer + pos, size_t(std::min<qint64>(size - pos, 1 << 20)));
      if (got <= 0) break;
      pos += got;
    }
    ::close(fd);
    lines = 0;
    for (const char *p = buffer, *end = buffer + pos; (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p))));
         ++p)
      ++lines;
    std::free(buffer);
  });
}

// The loader end to end, as the main window uses it: read, detect, decode, hand over, adopt.
double LoaderEndToEnd(const QString &path, TMELineList &store) {
  return TimeBest(1, [&] { LoadWithLoader(path, store); });
}

void MeasureFile(const char *name, const QString &path) {
  const double mib = double(QFileInfo(path).size()) / KMiB;
  const std::string prefix = std::string("load.") + name;
  qint64 newlines = 0;
  const double plain = PlainReadAndCount(path, newlines);
  PrintFigure(prefix + ".plain_read_count.mbps", mib / plain, "MB/s");

  {
    QByteArray bytes;
    ReadFileBytes(path, bytes, nullptr);
    const TDetectedEncoding detected = DetectTextEncoding(bytes);
    QStringList lines;
    double decode = 1e30;
    for (int run = 0; run < 2; ++run) {
      lines = QStringList();
      decode = std::min(decode, TimeBest(1, [&] { DecodeBytesToLines(bytes, detected.BomLength, detected.Encoding, lines); }));
    }
    PrintFigure(prefix + ".decode.mbps", mib / decode, "MB/s");
  }
  TrimHeap();

  const qint64 before = ResidentBytes();
  ResetPeakMemory();
  TMELineList store;
  double loaded = LoaderEndToEnd(path, store);
  const qint64 peak = PeakResidentBytes();
  TrimHeap();
  const qint64 kept = ResidentBytes();
  loaded = std::min(loaded, LoaderEndToEnd(path, store));
  PrintFigure(prefix + ".loader.mbps", mib / loaded, "MB/s");
  PrintFigure(prefix + ".loader_vs_plain.ratio", loaded / plain, "x");
  PrintFigure(prefix + ".store_memory.per_byte", double(kept - before) / (mib * KMiB), "B/B");
  PrintFigure(prefix + ".peak_memory.per_byte", double(peak - before) / (mib * KMiB), "B/B");
  if (store.GetCount() < newlines) qFatal("loader lost lines in %s", name);

  if (std::strcmp(name, "ascii") == 0) {
    const double getText = TimeBest(2, [&] { (void)store.GetText(); });
    PrintFigure(prefix + ".get_text.mbps", mib / getText, "MB/s");
    const QString out = BenchScratchFolder() + QStringLiteral("/saved.log");
    const double save = TimeBest(2, [&] { WriteDocToFile(out, store, u"\n", ekUtf8, nullptr); });
    PrintFigure(prefix + ".write_doc.mbps", mib / save, "MB/s");
    QFile::remove(out);
  }
}

void RunLoadBench() {
  const QString ascii = WriteInput(QStringLiteral("ascii.log"), KBigFile, [](quint32 &seed, qint64) { return LogLine(seed, false); });
  MeasureFile("ascii", ascii);
  QFile::remove(ascii);

  const QString utf16 = WriteInput(QStringLiteral("utf16le.log"), KBigFile,
                                   [](quint32 &seed, qint64) { return ToUtf16Le(LogLine(seed, false)); },
                                   QByteArray("\xFF\xFE", 2));
  MeasureFile("utf16le", utf16);
  QFile::remove(utf16);

  const QString ansi = WriteInput(QStringLiteral("ansi.log"), KBigFile, [](quint32 &seed, qint64) { return LogLine(seed, true); });
  MeasureFile("ansi", ansi);
  QFile::remove(ansi);

  const QString longLines = WriteInput(QStringLiteral("long-lines.log"), KLongLineFile, [](quint32 &seed, qint64 index) {
    return index % 1000 == 999 ? QByteArray(200000, 'w') + '\n' : LogLine(seed, false);
  });
  MeasureFile("long_lines", longLines);
  QFile::remove(longLines);
}

const TBenchRegistration KRegistration("load", RunLoadBench);

}  // namespace
