// Writing documents: exact bytes per encoding kind and break, slicing, and saves that fail safely.
#include "../SmallFileSystem.h"
#include "CoreTestUtil.h"
#include "core/DocWriter.h"
#include "core/LineStore.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TSaveStep)

namespace {
// Makes the given steps fail with the given error numbers while it lives.
struct TFaults {
  explicit TFaults(QList<std::pair<TSaveStep, int>> faults) {
    SetSaveFault([faults](TSaveStep step) {
      for (const auto &[failing, error] : faults)
        if (failing == step) return error;
      return 0;
    });
  }
  ~TFaults() { SetSaveFault(nullptr); }
};

QString Failure(const QString &path, int error) { return QDir::toNativeSeparators(path) + ": " + qt_error_string(error); }

ino_t InodeOf(const QString &path) {
  struct stat info {};
  return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}
}  // namespace

class TestDocWriter : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void writesExactBytes_data();
  void writesExactBytes();
  void manySlicesJoinSeamlessly();
  void roundTripsThroughLoader_data();
  void roundTripsThroughLoader();
  void failedSaveLeavesOldFileIntact();
  void keepsPermissionsAndLinks();
  void unwritableFolderWritesInPlace();
  void readOnlyFileFails();
  void everyFailingStepNamesFileAndReason_data();
  void everyFailingStepNamesFileAndReason();
  void impossiblePathsNameFileAndReason_data();
  void impossiblePathsNameFileAndReason();
  void fullDiskNamesFileAndReason_data();
  void fullDiskNamesFileAndReason();
  void deviceIsWrittenInPlace();

 private:
  static QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }
  QTemporaryDir FDir;
};

void TestDocWriter::writesExactBytes_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QString>("eol");
  QTest::addColumn<int>("kind");
  QTest::addColumn<QByteArray>("bytes");
  const QStringList ab = {"A", "B"};
  QTest::newRow("utf8_lf") << ab << "\n" << int(ekUtf8) << QByteArray("A\nB");
  QTest::newRow("utf16le_crlf") << ab << "\r\n" << int(ekUtf16LeBom) << QByteArray("\xFF\xFE" "A\0\r\0\n\0B\0", 10);
  QTest::newRow("utf16be_cr") << ab << "\r" << int(ekUtf16BeBom) << QByteArray("\xFE\xFF\0A\0\r\0B", 8);
  QTest::newRow("empty_document_bom_only") << QStringList() << "\r\n" << int(ekUtf8Bom) << QByteArray("\xEF\xBB\xBF");
  QTest::newRow("empty_document_ansi_nothing") << QStringList() << "\r\n" << int(ekAnsi) << QByteArray();
  QTest::newRow("last_line_empty_ends_with_break") << QStringList{"A", ""} << "\r\n" << int(ekUtf8) << QByteArray("A\r\n");
  QTest::newRow("ansi_unmappable_is_question_mark")
      << QStringList{QString::fromUtf16(u"\u20ac \u0100")} << "\n" << int(ekAnsi) << QByteArray("\x80 ?");
  QTest::newRow("unknown_kind_is_utf8") << QStringList{QString::fromUtf16(u"\u00e9")} << "\n" << 9 << QByteArray("\xC3\xA9");
}

void TestDocWriter::writesExactBytes() {
  QFETCH(QStringList, lines);
  QFETCH(QString, eol);
  QFETCH(int, kind);
  QFETCH(QByteArray, bytes);
  TMELineList store;
  for (const QString &line : lines) store.Add(line);
  const QString path = FDir.filePath("exact.txt");
  QString error;
  QVERIFY2(WriteDocToFile(path, store, eol, kind, &error), qPrintable(error));
  QCOMPARE(ReadAll(path), bytes);
}

void TestDocWriter::manySlicesJoinSeamlessly() {
  // 3,000,000 lines of one character with CR LF: 9 Mi code units, so three slices.
  TMELineList store;
  const QString letters[3] = {"x", "y", QString::fromUtf16(u"\U0001F600")};
  for (int i = 0; i < 3000000; ++i) store.Add(letters[i % 3]);
  const QString path = FDir.filePath("slices.txt");
  QVERIFY(WriteDocToFile(path, store, u"\r\n", ekUtf8, nullptr));
  QByteArray expected;
  expected.reserve(3000000 * 4);
  for (int i = 0; i < 3000000; ++i) {
    if (i) expected += "\r\n";
    expected += i % 3 == 0 ? "x" : i % 3 == 1 ? "y" : "\xF0\x9F\x98\x80";
  }
  const QByteArray got = ReadAll(path);
  QCOMPARE(got.size(), expected.size());
  QVERIFY(got == expected);
}

void TestDocWriter::roundTripsThroughLoader_data() {
  QTest::addColumn<int>("kind");
  for (int kind = ekAnsi; kind <= ekUtf16LeBom; ++kind) QTest::newRow(qPrintable(EncKindName(kind))) << kind;
}

void TestDocWriter::roundTripsThroughLoader() {
  QFETCH(int, kind);
  TMELineList store;
  store.SetText(kind == ekAnsi ? QString::fromUtf16(u"caf\u00e9 \u20ac\n\tx\n") : QString::fromUtf16(u"caf\u00e9 \U0001F600\n\tx\n"));
  const QString path = FDir.filePath("round.txt");
  QVERIFY(WriteDocToFile(path, store, u"\n", kind, nullptr));
  TMELineList loaded;
  QVERIFY(loaded.LoadFromFile(path, nullptr));
  QCOMPARE(loaded.Lines(), store.Lines());
  QCOMPARE(EncKindOf(loaded.GetEncoding(), loaded.HasBOM()), TEncKind(kind));
  QCOMPARE(loaded.LineEnding(), leLF);
}

void TestDocWriter::failedSaveLeavesOldFileIntact() {
  QTemporaryDir folder;
  const QString path = folder.filePath("precious.log");
  const QByteArray old = "the user's data\r\nmust survive\r\n";
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(old);
  }
  TMELineList store;
  store.SetText(QString(200000, u'n'));
  // A file-size limit makes the write fail midway, as a full disk would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit tight = saved;
  tight.rlim_cur = 4096;
  QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
  QString error;
  const bool written = WriteDocToFile(path, store, u"\r\n", ekUtf8, &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  QVERIFY(!written);
  QCOMPARE(error, Failure(path, EFBIG));
  QCOMPARE(ReadAll(path), old);
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"precious.log"});  // no leftovers
}

void TestDocWriter::keepsPermissionsAndLinks() {
  const QString target = FDir.filePath("script.sh");
  {
    QFile f(target);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
  }
  const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup;
  QVERIFY(QFile::setPermissions(target, mode));
  const QString link = FDir.filePath("link.sh");
  QVERIFY(QFile::link(target, link));
  TMELineList store;
  store.SetText(u"#!/bin/sh");
  QVERIFY(WriteDocToFile(link, store, u"\n", ekUtf8, nullptr));
  QVERIFY(QFileInfo(link).isSymLink());
  QCOMPARE(ReadAll(target), QByteArray("#!/bin/sh"));
  QCOMPARE(QFile::permissions(target) & 0x7077, mode);
}

// A folder that takes no new files: the file is written where it stands.
void TestDocWriter::unwritableFolderWritesInPlace() {
  const QString path = FDir.filePath("in-place.txt");
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old text that is longer");
  }
  const ino_t before = InodeOf(path);
  TMELineList store;
  store.SetText(u"new");
  TFaults faults({{TSaveStep::CreateTemp, EACCES}});
  QString error;
  QVERIFY2(WriteDocToFile(path, store, u"\n", ekUtf8, &error), qPrintable(error));
  QCOMPARE(ReadAll(path), QByteArray("new"));
  QCOMPARE(InodeOf(path), before);
}

// A read-only file system refuses root as well.
void TestDocWriter::readOnlyFileFails() {
  TSmallFileSystem fs;
  if (!fs.Mounted()) QSKIP(qPrintable(fs.SkipMessage()));
  const QString path = fs.FilePath("readonly.txt");
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep");
  }
  QVERIFY(fs.MakeReadOnly());
  TMELineList store;
  store.SetText(u"new");
  QString error;
  QVERIFY(!WriteDocToFile(path, store, u"\n", ekUtf8, &error));
  QCOMPARE(error, Failure(path, EROFS));
  QCOMPARE(ReadAll(path), QByteArray("keep"));
}

void TestDocWriter::everyFailingStepNamesFileAndReason_data() {
  QTest::addColumn<TSaveStep>("step");
  QTest::addColumn<int>("errorNumber");
  QTest::addColumn<bool>("inPlace");  // the folder takes no new file
  QTest::newRow("read_only_file") << TSaveStep::CheckWritable << EACCES << false;
  QTest::newRow("no_room_for_new_file") << TSaveStep::CreateTemp << ENOSPC << false;
  QTest::newRow("disk_full_while_writing") << TSaveStep::Write << ENOSPC << false;
  QTest::newRow("quota_full_on_sync") << TSaveStep::Sync << EDQUOT << false;
  QTest::newRow("network_file_fails_on_close") << TSaveStep::Close << EIO << false;
  QTest::newRow("rename_refused") << TSaveStep::Replace << EPERM << false;
  QTest::newRow("in_place_open_refused") << TSaveStep::OpenInPlace << EACCES << true;
  QTest::newRow("in_place_disk_full") << TSaveStep::Write << ENOSPC << true;
  QTest::newRow("in_place_sync_fails") << TSaveStep::Sync << EIO << true;
}

// Whichever step fails, the message names the file and the system's reason; unless the file is
// written in place, the old file stays whole and nothing is left beside it.
void TestDocWriter::everyFailingStepNamesFileAndReason() {
  QFETCH(TSaveStep, step);
  QFETCH(int, errorNumber);
  QFETCH(bool, inPlace);
  QTemporaryDir folder;
  const QString path = folder.filePath("precious.log");
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
  }
  TMELineList store;
  store.SetText(u"new");
  QList<std::pair<TSaveStep, int>> failing{{step, errorNumber}};
  if (inPlace) failing.prepend({TSaveStep::CreateTemp, EACCES});
  TFaults faults(failing);
  QString error;
  QVERIFY(!WriteDocToFile(path, store, u"\n", ekUtf8, &error));
  QCOMPARE(error, Failure(path, errorNumber));
  if (!inPlace) QCOMPARE(ReadAll(path), QByteArray("old"));
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"precious.log"});
}

void TestDocWriter::impossiblePathsNameFileAndReason_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("errorNumber");
  QTest::newRow("parent_is_a_regular_file") << "blocker/new.txt" << ENOTDIR;
  QTest::newRow("folder_where_the_file_should_be") << "folder" << EISDIR;
  QTest::newRow("missing_folder") << "missing/new.txt" << ENOENT;
}

void TestDocWriter::impossiblePathsNameFileAndReason() {
  QFETCH(QString, name);
  QFETCH(int, errorNumber);
  QTemporaryDir folder;
  {
    QFile f(folder.filePath("blocker"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("blocker");
  }
  QVERIFY(QDir(folder.path()).mkdir("folder"));
  TMELineList store;
  store.SetText(u"new");
  const QString path = folder.filePath(name);
  QString error;
  QVERIFY(!WriteDocToFile(path, store, u"\n", ekUtf8, &error));
  QCOMPARE(error, Failure(path, errorNumber));
  QCOMPARE(ReadAll(folder.filePath("blocker")), QByteArray("blocker"));
  QVERIFY(QFileInfo(folder.filePath("folder")).isDir());
  QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
           QStringList({"blocker", "folder"}));
}

void TestDocWriter::fullDiskNamesFileAndReason_data() {
  QTest::addColumn<int>("units");
  QTest::newRow("one_line") << 3;
  QTest::newRow("larger_than_the_disk") << 200000;
}

void TestDocWriter::fullDiskNamesFileAndReason() {
  QFETCH(int, units);
  TSmallFileSystem fs;
  if (!fs.Mounted()) QSKIP(qPrintable(fs.SkipMessage()));
  const QString path = fs.FilePath("notes.txt");
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
  }
  QVERIFY(fs.FillUp());
  TMELineList store;
  store.SetText(QString(units, u'n'));
  QString error;
  QVERIFY(!WriteDocToFile(path, store, u"\n", ekUtf8, &error));
  QCOMPARE(error, Failure(path, ENOSPC));
  QCOMPARE(ReadAll(path), QByteArray("old"));
  QCOMPARE(QDir(fs.Path()).entryList(QDir::Files | QDir::Hidden), QStringList({"filler", "notes.txt"}));
}

// A device is written to, not replaced by a file; here one that is always full.
void TestDocWriter::deviceIsWrittenInPlace() {
  const QString path = FDir.filePath("full");
  if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
    QSKIP(qPrintable("cannot make a device node here (needs root): " + qt_error_string(errno)));
  TMELineList store;
  store.SetText(u"new");
  QString error;
  const bool written = WriteDocToFile(path, store, u"\n", ekUtf8, &error);
  struct stat info {};
  QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
  QVERIFY(S_ISCHR(info.st_mode));
  QVERIFY(!written);
  if (error == Failure(path, EACCES) || error == Failure(path, EPERM)) QSKIP("devices cannot be opened here");
  QCOMPARE(error, Failure(path, ENOSPC));
}

QTEST_GUILESS_MAIN(TestDocWriter)
#include "test_docwriter.moc"
