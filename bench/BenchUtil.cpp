#include "BenchUtil.h"

#include "core/FileLoader.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

double TimeBest(int runs, const std::function<void()> &fn) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

static qint64 StatusField(const char *field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong() * 1024;
  return 0;
}

qint64 ResidentBytes() { return StatusField("VmRSS:"); }
qint64 PeakResidentBytes() { return StatusField("VmHWM:"); }

void ResetPeakMemory() {
  QFile refs(QStringLiteral("/proc/self/clear_refs"));
  if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

void TrimHeap() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

QString BenchScratchFolder() {
  static QTemporaryDir dir;
  return dir.path();
}

void LoadWithLoader(const QString &path, TMELineList &store) {
  QEventLoop loop;
  auto *loader = new TFileLoaderThread(
      path,
      [&](TFileLoaderThread *, std::unique_ptr<QStringList> &lines, const QString &eol, const QString &, bool success,
          bool, const TEncoding *) {
        if (success) store.AdoptLines(lines, TMELineList::LineEndingOf(eol));
        loop.quit();
      },
      {});
  loader->start();
  loop.exec();
}
