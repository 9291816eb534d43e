// The window's status line: an unmodified file's size is the one taken when it was loaded or
// saved, not asked of the disk on every update, and reading the status text changes nothing.
#include "AppTestUtil.h"

#include "app/StatusText.h"
#include "highlight/LanguageMenu.h"

class TestWindowStatus : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init() { FDir = std::make_unique<QTemporaryDir>(); }
  void fileSizeIsTakenAtLoadAndSave();
  void statusTextLeavesTheLanguageMenuAlone();

 private:
  std::unique_ptr<QTemporaryDir> FDir;
};

namespace {

QString ShownSize(TfrmMain &w) {
  w.UpdateStatus();
  return w.StatusLabel()->text().section("   |   ", 6);
}

}  // namespace

void TestWindowStatus::fileSizeIsTakenAtLoadAndSave() {
  TScriptedBoxes boxes;
  const QString path = MakeFile(*FDir, "size.txt", QByteArray(1536, 'a'));
  auto w = MakeWindow(*FDir);
  w->OpenFile(path);
  QCOMPARE(ShownSize(*w), FormatSize(1536));
  // Another program changes the file: the window keeps what it read until it reads again.
  WriteBytes(path, QByteArray(3000, 'b'));
  QCOMPARE(ShownSize(*w), FormatSize(1536));
  w->ReloadDoc(w->ActiveDoc());
  QCOMPARE(ShownSize(*w), FormatSize(3000));
  Type(w->ActiveEditor(), "xy");
  QCOMPARE(ShownSize(*w), FormatSize(3002));  // counted from the text while modified
  QVERIFY(w->SaveDoc(w->ActiveDoc(), false));
  WriteBytes(path, "short");
  QCOMPARE(ShownSize(*w), FormatSize(3002));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestWindowStatus::statusTextLeavesTheLanguageMenuAlone() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  w->OpenFile(MakeFile(*FDir, "tool.py", "print()\n"));
  QCOMPARE(CurrentLanguageName(w->LanguageMenu()), "Python");
  w->ActiveDoc()->LangTag = 11;
  QVERIFY(w->StatusText().contains("   |   JSON   |   "));
  QCOMPARE(w->CurrentLanguageName(), "JSON");
  QCOMPARE(CurrentLanguageName(w->LanguageMenu()), "Python");  // reading changed no check mark
  w->UpdateStatus();
  QCOMPARE(CurrentLanguageName(w->LanguageMenu()), "JSON");
}

QTEST_MAIN(TestWindowStatus)
#include "test_window_status.moc"
