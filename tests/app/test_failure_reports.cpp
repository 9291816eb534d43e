// What the user is told when a save or the settings cannot be written: the file and the system's
// reason, proved with failures that root meets as well (an injected writer error, a full disk, a
// path through a file).
#include "../SmallFileSystem.h"
#include "AppTestUtil.h"
#include "core/DocWriter.h"

#include <QDir>

#include <cerrno>

class TestFailureReports : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void fullDiskSaveNamesFileAndReason();
  void fullDiskSaveOnARealDisk();
  void unwritableSettingsAreReported();
  void settingsOnAFullDiskAreReported();

 private:
  // A modified document of the window, saved at path before.
  TEditorDoc *EditedDoc(TfrmMain &window, const QString &path) {
    WriteBytes(path, "old");
    window.OpenFile(path);
    Type(window.ActiveEditor(), "x");
    return window.ActiveDoc();
  }
  static QString Reason(const QString &path, int error) {
    return QDir::toNativeSeparators(path) + ": " + qt_error_string(error);
  }
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestFailureReports::init() { FDir = std::make_unique<QTemporaryDir>(); }

void TestFailureReports::fullDiskSaveNamesFileAndReason() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString path = FDir->filePath("notes.txt");
  TEditorDoc *doc = EditedDoc(*w, path);
  SetSaveFault([](TSaveStep step) { return step == TSaveStep::Write ? ENOSPC : 0; });
  const bool saved = w->SaveDoc(doc, false);
  SetSaveFault(nullptr);
  QVERIFY(!saved);
  QCOMPARE(boxes.Texts(), QStringList{"Could not save file: " + Reason(path, ENOSPC)});
  QVERIFY(doc->Editor->Modified());
  QCOMPARE(ReadBytes(path), "old");
}

void TestFailureReports::fullDiskSaveOnARealDisk() {
  TSmallFileSystem fs;
  if (!fs.Mounted()) QSKIP(qPrintable(fs.SkipMessage()));
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString path = fs.FilePath("notes.txt");
  TEditorDoc *doc = EditedDoc(*w, path);
  QVERIFY(fs.FillUp());
  QVERIFY(!w->SaveDoc(doc, false));
  QCOMPARE(boxes.Texts(), QStringList{"Could not save file: " + Reason(path, ENOSPC)});
  QVERIFY(doc->Editor->Modified());
  QCOMPARE(ReadBytes(path), "old");
}

// The window still closes; the user learns that the next start will not have these settings.
void TestFailureReports::unwritableSettingsAreReported() {
  TScriptedBoxes boxes;
  WriteBytes(FDir->filePath("config"), "a file, not a folder");
  const QString settings = FDir->filePath("config/settings.ini");
  auto w = std::make_unique<TfrmMain>(QStringList(), settings);
  QVERIFY(w->close());
  QCOMPARE(boxes.Texts(), QStringList{"Could not save settings: " + Reason(settings, ENOTDIR)});
}

void TestFailureReports::settingsOnAFullDiskAreReported() {
  TSmallFileSystem fs;
  if (!fs.Mounted()) QSKIP(qPrintable(fs.SkipMessage()));
  TScriptedBoxes boxes;
  const QString settings = fs.FilePath("settings.ini");
  auto w = std::make_unique<TfrmMain>(QStringList(), settings);
  QVERIFY(fs.FillUp());
  QVERIFY(w->close());
  QCOMPARE(boxes.Texts(), QStringList{"Could not save settings: " + Reason(settings, ENOSPC)});
}

QTEST_MAIN(TestFailureReports)
#include "test_failure_reports.moc"
