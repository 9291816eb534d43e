// Writing documents: exact bytes per encoding kind and break, slicing, and saves that fail safely.
#include "CoreTestUtil.h"
#include "core/DocWriter.h"
#include "core/LineStore.h"

#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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
  QVERIFY(!error.isEmpty());
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

void TestDocWriter::unwritableFolderWritesInPlace() {
  if (geteuid() == 0) QSKIP("root may write anywhere");
  const QString folder = FDir.filePath("locked");
  QVERIFY(QDir().mkpath(folder));
  const QString path = folder + "/note.txt";
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old text that is longer");
  }
  QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  TMELineList store;
  store.SetText(u"new");
  QString error;
  const bool written = WriteDocToFile(path, store, u"\n", ekUtf8, &error);
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QVERIFY2(written, qPrintable(error));
  QCOMPARE(ReadAll(path), QByteArray("new"));
}

void TestDocWriter::readOnlyFileFails() {
  if (geteuid() == 0) QSKIP("root may write a read-only file");
  const QString path = FDir.filePath("readonly.txt");
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep");
  }
  QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
  TMELineList store;
  store.SetText(u"new");
  QString error;
  QVERIFY(!WriteDocToFile(path, store, u"\n", ekUtf8, &error));
  QVERIFY(!error.isEmpty());
  QCOMPARE(ReadAll(path), QByteArray("keep"));
}

QTEST_GUILESS_MAIN(TestDocWriter)
#include "test_docwriter.moc"
