// File digests: the four of coreutils for empty, whole-piece and odd sizes; progress by piece; the
// bytes held at the start only; failures named — a read error in the middle, a file cut short, a
// FIFO, a device, a folder, a missing file; cancelling reports nothing.
#include "tools/hash/FileHash.h"

#include "platform/FileOps.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

namespace {

QByteArray Bytes(qint64 size) {
  QByteArray bytes(size, Qt::Uninitialized);
  quint32 seed = 12345;
  for (char &c : bytes) c = char((seed = seed * 1103515245u + 12345u) >> 24);
  return bytes;
}

QString Write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(name));
  return file.fileName();
}

// The digest the coreutils program prints for the file.
QString Coreutils(const QString &program, const QString &path) {
  QProcess process;
  process.start(program, {path});
  if (!process.waitForFinished(60000)) return {};
  return QString::fromLatin1(process.readAllStandardOutput().split(' ').value(0));
}

struct THashRun {
  std::optional<THashResult> Result;
  QList<int> Progress;
};

THashRun Hash(const QString &path, const std::function<void(int)> &onProgress = {}, std::atomic<bool> *cancel = nullptr) {
  THashRun run;
  THashControl control;
  control.Cancel = cancel;
  control.OnProgress = [&](int percent) {
    run.Progress << percent;
    if (onProgress) onProgress(percent);
  };
  run.Result = HashFile(path, control);
  return run;
}

}  // namespace

class TestFileHash : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void digestsMatchCoreutils_data();
  void digestsMatchCoreutils();
  void readErrorInTheMiddleFails();
  void bytesAddedMeanwhileAreNotRead();
  void fileCutShortMeanwhileFails();
  void onlyRegularFilesAreRead_data();
  void onlyRegularFilesAreRead();
  void missingFileFails();
  void cancelReportsNothing();
};

void TestFileHash::digestsMatchCoreutils_data() {
  QTest::addColumn<qint64>("size");
  QTest::addColumn<QList<int>>("progress");
  QTest::newRow("empty_reports_no_progress") << qint64(0) << QList<int>{};
  QTest::newRow("one_byte") << qint64(1) << QList<int>{100};
  QTest::newRow("exactly_one_piece_jumps_to_100") << KHashPieceSize << QList<int>{100};
  QTest::newRow("odd_size_over_several_pieces") << 2 * KHashPieceSize + 524289 << QList<int>{39, 79, 100};
}

void TestFileHash::digestsMatchCoreutils() {
  QFETCH(qint64, size);
  QFETCH(QList<int>, progress);
  for (const char *program : {"md5sum", "sha1sum", "sha256sum", "sha512sum"})
    if (QStandardPaths::findExecutable(program).isEmpty()) QSKIP("coreutils are not installed");
  QTemporaryDir dir;
  const QString path = Write(dir, "data.bin", Bytes(size));
  const THashRun run = Hash(path);
  QVERIFY(run.Result && run.Result->OK);
  QCOMPARE(run.Result->MD5, Coreutils("md5sum", path));
  QCOMPARE(run.Result->SHA1, Coreutils("sha1sum", path));
  QCOMPARE(run.Result->SHA256, Coreutils("sha256sum", path));
  QCOMPARE(run.Result->SHA512, Coreutils("sha512sum", path));
  QCOMPARE(run.Result->SHA512.size(), 128);
  QCOMPARE(run.Progress, progress);
}

// A failing read is an error, not the end of the file.
void TestFileHash::readErrorInTheMiddleFails() {
  QTemporaryDir dir;
  const QString path = Write(dir, "data.bin", Bytes(3 * KHashPieceSize));
  SetHashReadFault([](qint64 offset) { return offset == 2 * KHashPieceSize ? EIO : 0; });
  const THashRun run = Hash(path);
  SetHashReadFault(nullptr);
  QVERIFY(run.Result && !run.Result->OK);
  QCOMPARE(run.Result->Error, SystemErrorText(EIO));
  QVERIFY(run.Result->MD5.isEmpty());
}

// A log written to while it is hashed: the digests are those of what it held at the start, and the
// percentage stops at 100.
void TestFileHash::bytesAddedMeanwhileAreNotRead() {
  QTemporaryDir dir;
  const QByteArray start = Bytes(2 * KHashPieceSize + 10);
  const QString path = Write(dir, "growing.log", start);
  const QString reference = Write(dir, "reference.bin", start);
  QFile appender(path);
  QVERIFY(appender.open(QIODevice::Append));
  const THashRun run = Hash(path, [&](int) {
    appender.write(Bytes(3 * KHashPieceSize));
    appender.flush();
  });
  QVERIFY(run.Result && run.Result->OK);
  QCOMPARE(run.Result->SHA256, Hash(reference).Result->SHA256);
  QCOMPARE(run.Progress, (QList<int>{49, 99, 100}));
}

void TestFileHash::fileCutShortMeanwhileFails() {
  QTemporaryDir dir;
  const QString path = Write(dir, "shrinking.log", Bytes(3 * KHashPieceSize));
  const THashRun run = Hash(path, [&](int) { QFile::resize(path, KHashPieceSize + 5); });
  QVERIFY(run.Result && !run.Result->OK);
  QCOMPARE(run.Result->Error, QStringLiteral("The file became shorter while it was read."));
}

void TestFileHash::onlyRegularFilesAreRead_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("fifo_without_writer_does_not_wait") << "fifo";
  QTest::newRow("endless_device") << "device";
  QTest::newRow("folder") << "folder";
}

void TestFileHash::onlyRegularFilesAreRead() {
  QFETCH(QString, kind);
  QTemporaryDir dir;
  QString path;
  if (kind == "fifo") {
    path = dir.filePath("pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  } else if (kind == "device") {
    path = "/dev/zero";
  } else {
    path = dir.path();
  }
  const THashRun run = Hash(path);
  QVERIFY(run.Result && !run.Result->OK);
  QCOMPARE(run.Result->Error, QStringLiteral("This is not a regular file."));
}

void TestFileHash::missingFileFails() {
  QTemporaryDir dir;
  const THashRun run = Hash(dir.filePath("missing.bin"));
  QVERIFY(run.Result && !run.Result->OK);
  QCOMPARE(run.Result->Error, SystemErrorText(ENOENT));
}

void TestFileHash::cancelReportsNothing() {
  QTemporaryDir dir;
  const QString path = Write(dir, "data.bin", Bytes(4 * KHashPieceSize));
  std::atomic<bool> cancel = false;
  const THashRun run = Hash(path, [&](int) { cancel = true; }, &cancel);
  QVERIFY(!run.Result);
  QCOMPARE(run.Progress, QList<int>{25});
}

QTEST_APPLESS_MAIN(TestFileHash)
#include "test_file_hash.moc"
