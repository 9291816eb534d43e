// The four digests of a 1 GiB file in one read, against md5sum, sha1sum, sha256sum and sha512sum
// run one after another on the same file (in the page cache for both).
#include "BenchGroup.h"
#include "BenchUtil.h"
#include "tools/hash/FileHash.h"

#include <QFile>
#include <QProcess>

namespace {

constexpr qint64 KFileSize = qint64(1) << 30;

QString WriteGibFile() {
  const QString path = BenchScratchFolder() + QStringLiteral("/hash.bin");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  QByteArray piece(1 << 20, Qt::Uninitialized);
  quint64 seed = 88172645463325252ull;
  for (qint64 written = 0; written < KFileSize; written += piece.size()) {
    auto *words = reinterpret_cast<quint64 *>(piece.data());
    for (qsizetype i = 0; i < piece.size() / 8; ++i) {
      seed ^= seed << 13;
      seed ^= seed >> 7;
      seed ^= seed << 17;
      words[i] = seed;
    }
    file.write(piece);
  }
  return path;
}

double ToolSeconds(const QString &tool, const QString &path) {
  return TimeBest(1, [&] {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(tool, {path});
    process.waitForFinished(-1);
  });
}

void Run() {
  const QString path = WriteGibFile();
  HashFile(path);  // into the page cache
  const double ours = TimeBest(2, [&] { HashFile(path); });
  double tools = 0;
  for (const char *tool : {"md5sum", "sha1sum", "sha256sum", "sha512sum"}) {
    const double seconds = ToolSeconds(QString::fromLatin1(tool), path);
    PrintFigure(std::string("hash.file_1gib.") + tool + "_ms", seconds * 1000, "ms");
    tools += seconds;
  }
  PrintFigure("hash.file_1gib.four_digests_ms", ours * 1000, "ms");
  PrintFigure("hash.file_1gib.four_digests_mb_per_s", KFileSize / KMiB / ours, "MiB/s");
  PrintFigure("hash.file_1gib.coreutils_one_after_another_ms", tools * 1000, "ms");
  PrintFigure("hash.file_1gib.vs_coreutils.ratio", ours / tools, "x");
  QFile::remove(path);
}

const TBenchRegistration registration("hash", Run);

}  // namespace
