// Copy, cut and paste through the system clipboard.
#include "EditorTestUtil.h"

#include <QClipboard>
#include <QGuiApplication>

class TestEditorClipboard : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init() { QGuiApplication::clipboard()->clear(); }
  void copyJoinsLinesWithCrLf();
  void cutThenPasteRoundTrip();
  void pasteStartsLinesAtEveryBreak();
  void pasteKeepsTextAfterNul();
  void withoutSelectionNothingIsCopiedOrCut();
  void canPasteFollowsTheClipboard();
};

void TestEditorClipboard::copyJoinsLinesWithCrLf() {
  TMEEdit edit;
  edit.SetText(QStringLiteral("ab\ncd\nef"));
  edit.SetCaretAndSelection({2, 3}, {2, 1}, {2, 3});
  edit.CopyToClipboard();
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b\r\ncd\r\ne"));
  QVERIFY(!edit.Modified());
}

void TestEditorClipboard::cutThenPasteRoundTrip() {
  TMEEdit edit;
  edit.SetText(QStringLiteral("one\ntwo\nthree"));
  edit.SetCaretAndSelection({1, 3}, {1, 2}, {1, 3});
  edit.CutToClipboard();
  QCOMPARE(DumpEdit(edit), QStringLiteral("one|three caret=(1,2) sel=(1,2)-(1,2)"));
  edit.SetCaretXY({1, 1});
  edit.PasteFromClipboard();
  QCOMPARE(DumpEdit(edit), QStringLiteral("two|one|three caret=(1,2) sel=(1,2)-(1,2)"));
  edit.Undo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), QStringLiteral("one|three"));
}

void TestEditorClipboard::pasteStartsLinesAtEveryBreak() {
  TMEEdit edit;
  QGuiApplication::clipboard()->setText(QStringLiteral("1\r2\n3\r\n4"));
  edit.PasteFromClipboard();
  QCOMPARE(DumpEdit(edit), QStringLiteral("1|2|3|4 caret=(2,4) sel=(2,4)-(2,4)"));
}

// A Windows clipboard text ends at its first U+0000; here nothing after it may be lost.
void TestEditorClipboard::pasteKeepsTextAfterNul() {
  TMEEdit edit;
  QGuiApplication::clipboard()->setText(QString::fromUtf16(u"a\u0000b\r\nc", 6));
  edit.PasteFromClipboard();
  QCOMPARE(DumpEdit(edit), QStringLiteral("a<00B7>b|c caret=(2,2) sel=(2,2)-(2,2)"));
}

void TestEditorClipboard::withoutSelectionNothingIsCopiedOrCut() {
  TMEEdit edit;
  edit.SetText(QStringLiteral("abc"));
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  edit.CopyToClipboard();
  edit.CutToClipboard();
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
  QCOMPARE(edit.GetText(), QStringLiteral("abc"));
  QVERIFY(!edit.Modified());
}

void TestEditorClipboard::canPasteFollowsTheClipboard() {
  TMEEdit edit;
  QVERIFY(!edit.CanPaste());
  edit.PasteFromClipboard();
  QVERIFY(!edit.Modified());
  QGuiApplication::clipboard()->setText(QStringLiteral("x"));
  QVERIFY(edit.CanPaste());
  QGuiApplication::clipboard()->clear();
  QVERIFY(!edit.CanPaste());
}

QTEST_MAIN(TestEditorClipboard)
#include "test_editor_clipboard.moc"
