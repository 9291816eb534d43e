// The File Hash Calculator window off screen: digests listed under the path they belong to and
// copied with it; results that give way to a new path however it comes (typed, set, dropped,
// browsed); a busy window that keeps its path against drops and starts afresh for a new file;
// paths it refuses; Cancel; a hidden window that still shows its result; and a window destroyed
// during a hash that hears nothing of it.
#include "app/hash/HashCalcForm.h"
#include "platform/Clipboard.h"
#include "platform/FileOps.h"
#include "platform/MessageBox.h"
#include "tools/hash/FileHash.h"

#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

namespace {

QString Write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(name));
  return file.fileName();
}

// A file large enough to take a while, without writing its bytes.
QString Large(const QTemporaryDir &dir, const QString &name) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(32) << 20)) qFatal("cannot make %s", qPrintable(name));
  return path;
}

QString Listing(const QString &path) {
  const THashResult r = *HashFile(path);
  return "File: " + path + "\nMD5: " + r.MD5 + "\nSHA-1: " + r.SHA1 + "\nSHA-256: " + r.SHA256 + "\nSHA-512: " + r.SHA512;
}

bool WaitForEnd(TfrmHashCalc &form) {
  QSignalSpy ended(&form, &TfrmHashCalc::HashEnded);
  return !form.Busy() || ended.wait(60000);
}

void Drop(TfrmHashCalc &form, const QString &path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &drop);
}

struct TBoxes {
  QStringList Texts;
  TBoxes() {
    SetMessageAnswerer([this](const TMessageRequest &request) {
      Texts << request.Text;
      return TAnswer::Ok;
    });
  }
  ~TBoxes() { SetMessageAnswerer(nullptr); }
};

}  // namespace

class TestHashForm : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void digestsStandUnderTheirPath();
  void readErrorIsShown();
  void aNewPathClearsTheResults_data();
  void aNewPathClearsTheResults();
  void busyWindowKeepsItsPathAgainstDrops();
  void calculateWhileBusyStartsAfresh();
  void pathsThatAreRefused_data();
  void pathsThatAreRefused();
  void cancelStopsTheHash();
  void hiddenWindowShowsItsResult();
  void destroyedWindowHearsNothing();
};

void TestHashForm::digestsStandUnderTheirPath() {
  QTemporaryDir dir;
  const QString path = Write(dir, "setup.exe", "MZ not really a program");
  TfrmHashCalc form;
  form.CalculateFile(path);
  QVERIFY(form.Busy());
  QVERIFY(WaitForEnd(form));
  QCOMPARE(form.ResultText(), Listing(path));
  SetClipboardText("before");
  QTest::mouseClick(form.findChild<QPushButton *>("btnCopy"), Qt::LeftButton);
  QCOMPARE(ClipboardText(), Listing(path));
}

void TestHashForm::readErrorIsShown() {
  QTemporaryDir dir;
  const QString path = Write(dir, "data.bin", QByteArray(3 * KHashPieceSize, 'x'));
  SetHashReadFault([](qint64 offset) { return offset >= KHashPieceSize ? EIO : 0; });
  TfrmHashCalc form;
  form.CalculateFile(path);
  QVERIFY(WaitForEnd(form));
  SetHashReadFault(nullptr);
  QCOMPARE(form.ResultText(), "File: " + path + "\nError: " + SystemErrorText(EIO));
}

void TestHashForm::aNewPathClearsTheResults_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("typed") << "typed";
  QTest::newRow("set_by_the_command") << "set";
  QTest::newRow("dropped") << "dropped";
  QTest::newRow("browsed") << "browsed";
}

void TestHashForm::aNewPathClearsTheResults() {
  QFETCH(QString, how);
  QTemporaryDir dir;
  const QString first = Write(dir, "first.txt", "one"), second = Write(dir, "second.txt", "two");
  TfrmHashCalc form;
  form.AskOpenPath = [&](const QString &) { return second; };
  form.CalculateFile(first);
  QVERIFY(WaitForEnd(form));
  QCOMPARE(form.ResultText(), Listing(first));
  if (how == "typed") QTest::keyClicks(form.findChild<QLineEdit *>("edFile"), "x");
  else if (how == "set") form.SetInitialFile(second);
  else if (how == "dropped") Drop(form, second);
  else QTest::mouseClick(form.findChild<QPushButton *>("btnBrowse"), Qt::LeftButton);
  QVERIFY(form.FileText() != first);
  QCOMPARE(form.ResultText(), "");
}

// Otherwise the first file's digests would end up under the dropped path.
void TestHashForm::busyWindowKeepsItsPathAgainstDrops() {
  QTemporaryDir dir;
  const QString large = Large(dir, "large.iso"), other = Write(dir, "other.txt", "other");
  TfrmHashCalc form;
  form.CalculateFile(large);
  QVERIFY(form.Busy());
  Drop(form, other);
  QCOMPARE(form.FileText(), large);
  QVERIFY(WaitForEnd(form));
  QVERIFY(form.ResultText().startsWith("File: " + large + "\nMD5: "));
}

void TestHashForm::calculateWhileBusyStartsAfresh() {
  QTemporaryDir dir;
  const QString large = Large(dir, "large.iso"), other = Write(dir, "other.txt", "other");
  TfrmHashCalc form;
  form.CalculateFile(large);
  QVERIFY(form.Busy());
  form.CalculateFile(other);
  QCOMPARE(form.FileText(), other);
  QVERIFY(form.Busy());
  QTRY_VERIFY_WITH_TIMEOUT(!form.Busy(), 60000);
  QCOMPARE(form.ResultText(), Listing(other));
}

void TestHashForm::pathsThatAreRefused_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("relative_name") << "relative";
  QTest::newRow("missing") << "missing";
  QTest::newRow("folder") << "folder";
  QTest::newRow("fifo") << "fifo";
}

void TestHashForm::pathsThatAreRefused() {
  QFETCH(QString, kind);
  QTemporaryDir dir;
  QString path;
  if (kind == "relative") path = "setup.exe";
  else if (kind == "missing") path = dir.filePath("missing.txt");
  else if (kind == "folder") path = dir.path();
  else {
    path = dir.filePath("pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  }
  TBoxes boxes;
  TfrmHashCalc form;
  form.CalculateFile(path);
  QVERIFY(!form.Busy());
  QCOMPARE(boxes.Texts, QStringList{"Please choose an existing file first."});
  QCOMPARE(form.ResultText(), "");
}

void TestHashForm::cancelStopsTheHash() {
  QTemporaryDir dir;
  const QString large = Large(dir, "large.iso");
  TfrmHashCalc form;
  form.show();
  form.CalculateFile(large);
  auto *cancel = form.findChild<QPushButton *>("btnCancel");
  QVERIFY(cancel->isVisible());
  QTest::mouseClick(cancel, Qt::LeftButton);
  QVERIFY(!form.Busy());
  QVERIFY(!cancel->isVisible());
  QCOMPARE(form.ResultText(), "File: " + large + "\nCancelled.");
  // Calculating again works as ever.
  form.CalculateFile(large);
  QVERIFY(WaitForEnd(form));
  QVERIFY(form.ResultText().contains("SHA-512: "));
}

void TestHashForm::hiddenWindowShowsItsResult() {
  QTemporaryDir dir;
  const QString large = Large(dir, "large.iso");
  TfrmHashCalc form;
  form.show();
  form.CalculateFile(large);
  QTest::mouseClick(form.findChild<QPushButton *>("btnClose"), Qt::LeftButton);
  QVERIFY(form.isHidden());
  QVERIFY(WaitForEnd(form));
  QVERIFY(form.ResultText().startsWith("File: " + large + "\nMD5: "));
}

void TestHashForm::destroyedWindowHearsNothing() {
  QTemporaryDir dir;
  const QString large = Large(dir, "large.iso");
  QPointer<TfrmHashCalc> form = new TfrmHashCalc;
  form->CalculateFile(large);
  delete form;
  // The hasher was stopped and waited for; what it posted finds no window.
  QCoreApplication::processEvents();
  QVERIFY(!form);
}

QTEST_MAIN(TestHashForm)
#include "test_hash_form.moc"
