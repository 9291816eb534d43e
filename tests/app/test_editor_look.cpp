// The look and View settings on every editor: font, dark-theme colours, zebra stripes, gutter,
// ruler, whitespace marks and indent guides, and the highlighters' palette.
#include "AppTestUtil.h"

#include "app/EditorLook.h"
#include "highlight/UniHighlighter.h"

#include <QImage>

class TestEditorLook : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void backgrounds_data();
  void backgrounds();
  void settingsDressEveryEditor();
  void defaultsShowLineNumbersAndIndentGuides();
};

void TestEditorLook::backgrounds_data() {
  QTest::addColumn<uint>("color");
  QTest::addColumn<bool>("dark");
  QTest::addColumn<uint>("zebra");
  QTest::newRow("white_stripes_darker") << 0xFFFFFFu << false << 0xF5F5F5u;
  QTest::newRow("black_stripes_lighter") << 0x000000u << true << 0x0A0A0Au;
  QTest::newRow("grey_128_is_light") << 0x808080u << false << 0x8A8A8Au;
  QTest::newRow("grey_127_is_dark") << 0x7F7F7Fu << true << 0x898989u;
  // Not every channel above 245: all go up, kept to 255.
  QTest::newRow("near_white_mix_clamped") << 0xF0FAFAu << false << 0xFAFFFFu;
}

void TestEditorLook::backgrounds() {
  QFETCH(uint, color);
  QFETCH(bool, dark);
  QFETCH(uint, zebra);
  QCOMPARE(IsDarkColor(color), dark);
  QCOMPARE(ZebraColor(color), TColor(zebra));
}

void TestEditorLook::settingsDressEveryEditor() {
  QTemporaryDir dir;
  WriteBytes(dir.filePath("settings.ini"),
             "[General]\nFontSize=14\nBgColor=0\nZebraStripes=1\nLineNumbers=0\nRulerCol=80\n"
             "ShowWhitespace=1\nShowIndentGuide=0\n");
  const QString source = MakeFile(dir, "a.cpp", "int a;\nint b;\nint c;\n");
  auto w = MakeWindow(dir, {source});
  w->NewDoc();
  QCOMPARE(w->OpenDocs().size(), size_t(2));
  for (const TEditorDoc *doc : w->OpenDocs()) {
    TMEEdit *editor = doc->Editor;
    QCOMPARE(editor->font().pointSize(), 14);
    QCOMPARE(editor->Color(), TColor(0));
    QCOMPARE(editor->FontColor(), TColor(0xDCDCDC));
    QCOMPARE(editor->SelectedColor().Background(), TColor(0x785532));
    QCOMPARE(editor->SelectedColor().Foreground(), TColor(0xFFFFFF));
    QCOMPARE(editor->Gutter().Color(), TColor(0x2D2D2D));
    QCOMPARE(editor->Gutter().FontColor(), TColor(0x808080));
    QVERIFY(!editor->Gutter().ShowLineNumbers());
    QCOMPARE(editor->RightEdge(), 80);
    QCOMPARE(editor->VisibleSpecialChars(), TMEVisibleSpecialChars(scWhitespace));
    QVERIFY(!editor->IndentGuides().Visible());
  }
  auto *highlighter = dynamic_cast<TUniHighlighter *>(w->OpenDocs()[0]->Editor->Highlighter());
  QVERIFY(highlighter);
  QVERIFY(highlighter->DarkPalette());

  // Every even line is striped, right across the text area.
  TMEEdit *editor = w->OpenDocs()[0]->Editor;
  editor->resize(300, 200);
  const QImage image = editor->viewport()->grab().toImage();
  const int x = image.width() - 5, height = editor->LineHeight();
  QCOMPARE(QColor(image.pixel(x, height / 2)), QColor(0, 0, 0));
  QCOMPARE(QColor(image.pixel(x, height + height / 2)), QColor(10, 10, 10));
  QCOMPARE(QColor(image.pixel(x, 2 * height + height / 2)), QColor(0, 0, 0));
}

void TestEditorLook::defaultsShowLineNumbersAndIndentGuides() {
  QTemporaryDir dir;
  WriteBytes(dir.filePath("settings.ini"), "[General]\n");  // read, so the first tab is dressed twice
  auto w = MakeWindow(dir);
  TMEEdit *editor = w->ActiveEditor();
  QVERIFY(editor->Gutter().ShowLineNumbers());
  QVERIFY(editor->IndentGuides().Visible());
  QCOMPARE(editor->RightEdge(), 0);
  QCOMPARE(editor->Color(), clWindow);
  // The numbers get a 5-pixel spacer after them, once.
  const TMEGutterBands &bands = editor->Gutter().Bands();
  QCOMPARE(bands.Count(), 2);
  QCOMPARE(bands.Items(0).Kind(), gbkLineNumbers);
  QCOMPARE(bands.Items(1).Kind(), gbkCustom);
  QCOMPARE(bands.Items(1).Width(), 5);
}

QTEST_MAIN(TestEditorLook)
#include "test_editor_look.moc"
