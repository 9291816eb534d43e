// The trash: a file goes into the home trash with the info file that restores it, two files of one
// name both keep theirs, a trash folder is made where the data folder lacks one, and where no trash
// can be made the file stays where it was and nothing appears in the working folder. HOME and
// XDG_DATA_HOME point into the test's own folder, on the disk of the files.
#include "platform/Trash.h"
#include "tests/ScopedEnvironment.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QByteArray ReadBytes(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteBytes(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class TestTrash : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void fileGoesToTheHomeTrashWithItsInfo();
  void sameNameTwiceKeepsBoth();
  void leftoverWithoutInfoIsNeverReplaced();
  void missingDataFolderIsMade();
  void noTrashLeavesTheFileWhereItWas_data();
  void noTrashLeavesTheFileWhereItWas();
  void missingFileFails();

 private:
  QString Path(const QString &name) const { return FDir->filePath(name); }
  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TScopedEnvironment> FHome, FData;
  QString FTrash;
};

void TestTrash::init() {
  FDir = std::make_unique<QTemporaryDir>();
  QVERIFY(QDir().mkpath(Path("home/data")) && QDir().mkpath(Path("docs/sub")));
  FHome = std::make_unique<TScopedEnvironment>("HOME", Path("home").toLocal8Bit());
  FData = std::make_unique<TScopedEnvironment>("XDG_DATA_HOME", Path("home/data").toLocal8Bit());
  FTrash = Path("home/data/Trash");
}

void TestTrash::cleanup() {
  FData.reset();
  FHome.reset();
}

void TestTrash::fileGoesToTheHomeTrashWithItsInfo() {
  const QString file = Path("docs/a b%.txt");
  QVERIFY(WriteBytes(file, "alpha"));
  const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
  QVERIFY(MoveToTrash(file));
  QVERIFY(!QFile::exists(file));
  QCOMPARE(ReadBytes(FTrash + "/files/a b%.txt"), "alpha");
  const QStringList info = QString::fromUtf8(ReadBytes(FTrash + "/info/a b%.txt.trashinfo")).split(u'\n');
  QCOMPARE(info.size(), 4);
  QCOMPARE(info[0], "[Trash Info]");
  QCOMPARE(info[1], "Path=" + QString(QUrl::toPercentEncoding(file, "/")));
  QVERIFY(info[1].endsWith("/docs/a%20b%25.txt"));
  QVERIFY(info[2].startsWith("DeletionDate="));
  const QDateTime when = QDateTime::fromString(info[2].mid(13), "yyyy-MM-ddThh:mm:ss");
  QVERIFY2(when.isValid() && when >= before && when <= QDateTime::currentDateTime(), qPrintable(info[2]));
  QCOMPARE(info[3], "");
  // Only this user may look into the trash.
  QCOMPARE(QFile::permissions(FTrash) & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), QFile::Permissions());
}

void TestTrash::sameNameTwiceKeepsBoth() {
  QVERIFY(WriteBytes(Path("docs/b.txt"), "first"));
  QVERIFY(WriteBytes(Path("docs/sub/b.txt"), "second"));
  QVERIFY(MoveToTrash(Path("docs/b.txt")));
  QVERIFY(MoveToTrash(Path("docs/sub/b.txt")));
  QCOMPARE(ReadBytes(FTrash + "/files/b.txt"), "first");
  QCOMPARE(ReadBytes(FTrash + "/files/b.txt.2"), "second");
  QVERIFY(ReadBytes(FTrash + "/info/b.txt.2.trashinfo").contains("/docs/sub/b.txt\n"));
}

void TestTrash::leftoverWithoutInfoIsNeverReplaced() {
  QVERIFY(QDir().mkpath(FTrash + "/files") && QDir().mkpath(FTrash + "/info"));
  QVERIFY(WriteBytes(FTrash + "/files/c.txt", "leftover"));
  QVERIFY(WriteBytes(Path("docs/c.txt"), "new"));
  QVERIFY(MoveToTrash(Path("docs/c.txt")));
  QCOMPARE(ReadBytes(FTrash + "/files/c.txt"), "leftover");
  QCOMPARE(ReadBytes(FTrash + "/files/c.txt.2"), "new");
  QVERIFY(!QFile::exists(FTrash + "/info/c.txt.trashinfo"));
}

void TestTrash::missingDataFolderIsMade() {
  const TScopedEnvironment data("XDG_DATA_HOME", Path("home/not/yet").toLocal8Bit());
  QVERIFY(WriteBytes(Path("docs/d.txt"), "delta"));
  QVERIFY(MoveToTrash(Path("docs/d.txt")));
  QCOMPARE(ReadBytes(Path("home/not/yet/Trash/files/d.txt")), "delta");
}

// Each place a trash folder should go is taken by a regular file, which stops anyone, root too.
void TestTrash::noTrashLeavesTheFileWhereItWas_data() {
  QTest::addColumn<QString>("blocked");  // made a regular file
  QTest::addColumn<QString>("dataHome");
  QTest::newRow("dataFolderUnderAFile") << "blocker" << "blocker/data";
  QTest::newRow("trashIsAFile") << "home/data/Trash" << "home/data";
  QTest::newRow("filesFolderIsAFile") << "home/data/Trash/files" << "home/data";
  QTest::newRow("infoFolderIsAFile") << "home/data/Trash/info" << "home/data";
}

void TestTrash::noTrashLeavesTheFileWhereItWas() {
  QFETCH(QString, blocked);
  QFETCH(QString, dataHome);
  QVERIFY(QDir().mkpath(QFileInfo(Path(blocked)).path()));
  QVERIFY(WriteBytes(Path(blocked), "a file, not a folder"));
  const TScopedEnvironment data("XDG_DATA_HOME", Path(dataHome).toLocal8Bit());
  QVERIFY(WriteBytes(Path("docs/e.txt"), "echo"));
  // Run from an empty folder: nothing may be put there in the trash's stead.
  QTemporaryDir work;
  const QString previous = QDir::currentPath();
  QVERIFY(QDir::setCurrent(work.path()));
  const bool moved = MoveToTrash(Path("docs/e.txt"));
  QVERIFY(QDir::setCurrent(previous));
  QVERIFY(!moved);
  QCOMPARE(ReadBytes(Path("docs/e.txt")), "echo");
  QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
  QCOMPARE(ReadBytes(Path(blocked)), "a file, not a folder");
}

void TestTrash::missingFileFails() {
  QVERIFY(!MoveToTrash(Path("docs/absent.txt")));
  QVERIFY(!QFile::exists(FTrash + "/info/absent.txt.trashinfo"));
}

QTEST_MAIN(TestTrash)
#include "test_trash.moc"
