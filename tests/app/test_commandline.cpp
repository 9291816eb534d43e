// Command-line files, "/filelist:" list files and the hand-off text between two copies.
#include "app/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestCommandLine : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase();
  void handOffTextOfPlainArguments();
  void handOffTextOfListFile_data();
  void handOffTextOfListFile();
  void collectKeepsExistingRegularFiles();
  void collectFromListFile();
  void listFileOutsideTempIsKept();
  void listFileEncodings_data();
  void listFileEncodings();
  void receivedTextKeepsExistingFiles();

 private:
  QString Make(const QString &name, const QByteArray &bytes = "x") {
    const QString path = FDir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
    return path;
  }
  QTemporaryDir FDir;  // under the temporary folder, so list files there may be deleted
  QString FA, FB, FPipe;
};

void TestCommandLine::initTestCase() {
  QVERIFY(FDir.isValid());
  FA = Make("a.txt");
  FB = Make(QString::fromUtf16(u"b \u00e9.log"));
  FPipe = FDir.filePath("pipe");
  QCOMPARE(mkfifo(QFile::encodeName(FPipe).constData(), 0600), 0);
  QVERIFY(QDir(FDir.path()).mkdir("folder"));
}

void TestCommandLine::handOffTextOfPlainArguments() {
  QCOMPARE(BuildHandOffText({}, FDir.path()), QString());
  // Relative paths mean the second copy's folder; nothing is checked for existence.
  QCOMPARE(BuildHandOffText({"a.txt", "", "/elsewhere/missing.txt"}, FDir.path()),
           FA + "\r\n/elsewhere/missing.txt\r\n");
}

void TestCommandLine::handOffTextOfListFile_data() {
  QTest::addColumn<QString>("argumentPrefix");
  QTest::addColumn<bool>("quoted");
  QTest::newRow("lower_case") << "/filelist:" << false;
  QTest::newRow("any_letter_case") << "/FileList:" << false;
  QTest::newRow("quoted_path") << "/filelist:" << true;
}

void TestCommandLine::handOffTextOfListFile() {
  QFETCH(QString, argumentPrefix);
  QFETCH(bool, quoted);
  const QString list = Make("list.txt", "  a.txt \r\n\r\n" + QFile::encodeName(FB) + "\n");
  const QString argument = argumentPrefix + (quoted ? '"' + list + '"' : list);
  QCOMPARE(BuildHandOffText({argument}, FDir.path()), FA + "\r\n" + FB + "\r\n");
  QVERIFY(!QFile::exists(list));  // read, and in the temporary folder: deleted
  QCOMPARE(BuildHandOffText({argument}, FDir.path()), QString());  // gone now
  QCOMPARE(BuildHandOffText({"/filelist:"}, FDir.path()), QString());
}

void TestCommandLine::collectKeepsExistingRegularFiles() {
  const QStringList files =
      CollectCommandLineFiles({"a.txt", "missing.txt", "folder", FPipe, "", FB, "/filelist:"}, FDir.path());
  QCOMPARE(files, (QStringList{FA, FB}));
}

void TestCommandLine::collectFromListFile() {
  const QString list = Make("list2.txt", QFile::encodeName(FB) + "\r\n \t\r\nmissing\r\n" + QFile::encodeName(FPipe) +
                                             "\r\n a.txt");
  QCOMPARE(CollectCommandLineFiles({"/filelist:" + list, "ignored.txt"}, FDir.path()), (QStringList{FB, FA}));
  QVERIFY(!QFile::exists(list));
}

void TestCommandLine::listFileOutsideTempIsKept() {
  // "/filelist:" must not delete a file the user keeps elsewhere.
  // The temporary folder moves to a sibling of the list's folder, wherever the test runs.
  QVERIFY(QDir(FDir.path()).mkpath("temp") && QDir(FDir.path()).mkpath("kept"));
  const QByteArray oldTemp = qgetenv("TMPDIR");
  qputenv("TMPDIR", QFile::encodeName(FDir.filePath("temp")));
  const auto restore = qScopeGuard([&] { qputenv("TMPDIR", oldTemp); });
  QCOMPARE(QDir::tempPath(), FDir.filePath("temp"));
  const QString list = FDir.filePath("kept/keep.txt");
  QFile f(list);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(QFile::encodeName(FA));
  f.close();
  QCOMPARE(CollectCommandLineFiles({"/filelist:" + list}, FDir.path()), QStringList{FA});
  QVERIFY(QFile::exists(list));
}

void TestCommandLine::listFileEncodings_data() {
  QTest::addColumn<QByteArray>("bytes");
  const QString name = QString::fromUtf16(u"b \u00e9.log");
  QTest::newRow("utf8_without_mark") << name.toUtf8();
  QTest::newRow("utf8_with_mark") << "\xEF\xBB\xBF" + name.toUtf8();
  QByteArray le("\xFF\xFE", 2);
  for (QChar c : name) le += char(c.unicode() & 0xFF), le += char(c.unicode() >> 8);
  QTest::newRow("utf16le_with_mark") << le;
  QTest::newRow("windows_1252") << QByteArray("b \xE9.log");
}

void TestCommandLine::listFileEncodings() {
  QFETCH(QByteArray, bytes);
  const QString list = Make("enc.txt", bytes);
  QCOMPARE(ReadListFile(list), QStringList{QString::fromUtf16(u"b \u00e9.log")});
}

void TestCommandLine::receivedTextKeepsExistingFiles() {
  QString text = " " + FA + " \r\n\r\n" + FDir.filePath("missing") + "\r\n" + FPipe + "\n" + FB + "\r\n";
  text += QChar(0);  // the terminating zero ends up alone on a last line
  QCOMPARE(FilesFromHandOffText(text), (QStringList{FA, FB}));
  QCOMPARE(FilesFromHandOffText(QString()), QStringList());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
