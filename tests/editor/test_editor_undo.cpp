// Undo through the editor: how its edits group, what one Undo or Redo replays, where the caret
// goes, the Modified flag.
#include "EditorTestUtil.h"

#include <QRandomGenerator>
#include <QSignalSpy>

class TestEditorUndo : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void typingIsOneGroupPerCharacter();
  void backspaceRunIsOneGroupPerPress();
  void pasteUndoneAndRedoneInOneStep();
  void overwrittenSelectionComesBack();
  void multiLineReplaceIsOneStep();
  void indentIsOneStep_data();
  void indentIsOneStep();
  void virtualSpacePaddingIsUndone();
  void newEditEmptiesRedo();
  void undoOnEmptyStackReportsNothing();
  void randomEditsUndoAndRedoExactly();
  void selLinesEndsAsSelText_data();
  void selLinesEndsAsSelText();
};

static int UndoSteps(TMEEdit &edit) {
  int steps = 0;
  for (; edit.CanUndo(); ++steps) edit.Undo();
  return steps;
}

void TestEditorUndo::typingIsOneGroupPerCharacter() {
  TMEEdit edit;
  SetLines(edit, "ab");
  edit.SetCaretXY({3, 1});
  for (QChar c : QStringLiteral("xyz")) edit.SetSelText(QString(c));
  QCOMPARE(edit.Document().UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                                  "  ins g1 (3,1)-(4,1) \"x\"\n"
                                                                  "  ins g2 (4,1)-(5,1) \"y\"\n"
                                                                  "  ins g3 (5,1)-(6,1) \"z\"\n"
                                                                  "redo:\n"));
  edit.Undo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("abxy caret=(5,1) sel=(5,1)-(5,1)"));
  QCOMPARE(UndoSteps(edit), 2);
  QCOMPARE(DumpEdit(edit), QStringLiteral("ab caret=(3,1) sel=(3,1)-(3,1)"));
}

void TestEditorUndo::backspaceRunIsOneGroupPerPress() {
  TMEEdit edit;
  SetLines(edit, "abcde");
  edit.SetCaretXY({6, 1});
  for (int i = 0; i < 5; ++i) edit.DeleteLastChar();
  QCOMPARE(edit.GetText(), QString());
  edit.Undo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("a caret=(2,1) sel=(2,1)-(2,1)"));
  QCOMPARE(UndoSteps(edit), 4);
  QCOMPARE(DumpEdit(edit), QStringLiteral("abcde caret=(6,1) sel=(6,1)-(6,1)"));
}

void TestEditorUndo::pasteUndoneAndRedoneInOneStep() {
  TMEEdit edit;
  SetLines(edit, "ab");
  edit.SetCaretXY({2, 1});
  edit.SetSelText(QStringLiteral("x\r\ny\r\nz"));
  QCOMPARE(DumpEdit(edit), QStringLiteral("ax|y|zb caret=(2,3) sel=(2,3)-(2,3)"));
  edit.Undo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("ab caret=(2,1) sel=(2,1)-(2,1)"));
  QVERIFY(!edit.CanUndo());
  edit.Redo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("ax|y|zb caret=(2,3) sel=(2,3)-(2,3)"));
  QVERIFY(!edit.CanRedo());
}

void TestEditorUndo::overwrittenSelectionComesBack() {
  TMEEdit edit;
  SetLines(edit, "abcd");
  edit.SetCaretAndSelection({4, 1}, {2, 1}, {4, 1});
  edit.SetSelText(QStringLiteral("x"));
  QCOMPARE(edit.Document().UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                                  "  del g1 (2,1)-(4,1) \"bc\"\n"
                                                                  "  ins g1 (2,1)-(3,1) \"x\"\n"
                                                                  "redo:\n"));
  edit.Undo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("abcd caret=(4,1) sel=(4,1)-(4,1)"));
}

// A text tool replaces a multi-line selection with multi-line text in one SetSelText.
void TestEditorUndo::multiLineReplaceIsOneStep() {
  TMEEdit edit;
  SetLines(edit, "one|two|three|four");
  edit.SetCaretAndSelection({3, 3}, {2, 2}, {3, 3});
  edit.SetSelText(QStringLiteral("A\r\nB\nC"));
  QCOMPARE(DumpLines(edit.Lines().Lines()), QStringLiteral("one|tA|B|Cree|four"));
  QCOMPARE(edit.Document().UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                                  "  del g1 (2,2)-(3,3) \"wo\\r\\nth\"\n"
                                                                  "  ins g1 (2,2)-(2,4) \"A\\r\\nB\\nC\"\n"
                                                                  "redo:\n"));
  edit.Undo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("one|two|three|four caret=(3,3) sel=(3,3)-(3,3)"));
  edit.Redo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("one|tA|B|Cree|four caret=(2,4) sel=(2,4)-(2,4)"));
}

void TestEditorUndo::indentIsOneStep_data() {
  QTest::addColumn<int>("tabWidth");
  QTest::addColumn<bool>("unindent");
  QTest::newRow("indent") << 4 << false;
  QTest::newRow("unindent") << 4 << true;
  // One-space insertions must not join the typing group before them.
  QTest::newRow("indent_tab_width_1_after_typing") << 1 << false;
}

void TestEditorUndo::indentIsOneStep() {
  QFETCH(int, tabWidth);
  QFETCH(bool, unindent);
  TMEEdit edit;
  edit.SetTabWidth(tabWidth);
  SetLines(edit, "  a|  b||  c");
  edit.SetCaretXY({4, 4});
  edit.SetSelText(QStringLiteral("x"));
  edit.SelectAll();
  edit.IndentLines(unindent);
  QVERIFY(DumpLines(edit.Lines().Lines()) != QStringLiteral("  a|  b||  cx"));
  edit.Undo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), QStringLiteral("  a|  b||  cx"));
  QCOMPARE(Pos(edit.CaretXY()), QStringLiteral("(5,4)"));
  edit.Undo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), QStringLiteral("  a|  b||  c"));
}

void TestEditorUndo::virtualSpacePaddingIsUndone() {
  TMEEdit edit;
  edit.SetScrollOptions(eoScrollPastEol);
  SetLines(edit, "abc");
  edit.SetCaretXY({10, 1});
  edit.SetSelText(QStringLiteral("x"));
  QCOMPARE(DumpLines(edit.Lines().Lines()), QStringLiteral("abc      x"));
  edit.Undo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("abc caret=(10,1) sel=(10,1)-(10,1)"));
  edit.Redo();
  QCOMPARE(DumpEdit(edit), QStringLiteral("abc      x caret=(11,1) sel=(11,1)-(11,1)"));
}

void TestEditorUndo::newEditEmptiesRedo() {
  TMEEdit edit;
  edit.SetSelText(QStringLiteral("a"));
  edit.SetSelText(QStringLiteral("b"));
  edit.Undo();
  QVERIFY(edit.CanRedo());
  edit.SetSelText(QStringLiteral("c"));
  QVERIFY(!edit.CanRedo());
  QCOMPARE(edit.GetText(), QStringLiteral("ac"));
}

void TestEditorUndo::undoOnEmptyStackReportsNothing() {
  TMEEdit edit;
  SetLines(edit, "ab");
  QSignalSpy changes(&edit, &TMEEdit::OnChange);
  QSignalSpy status(&edit, &TMEEdit::OnStatusChange);
  edit.Undo();
  edit.Redo();
  QCOMPARE(changes.count() + status.count(), 0);
  QVERIFY(!edit.Modified());

  // Modified does not follow the undo position.
  edit.SetSelText(QStringLiteral("x"));
  edit.Undo();
  QCOMPARE(edit.GetText(), QStringLiteral("ab"));
  QVERIFY(edit.Modified());
  QCOMPARE(changes.count(), 2);
}

// Every record keeps where its text ends; replaying a mix of edits backwards and forwards must
// land exactly on each earlier text.
void TestEditorUndo::randomEditsUndoAndRedoExactly() {
  QRandomGenerator rng(11);
  const QStringList inserts = {"x", "\r\n", "ab\ncd", "\t", QString::fromUtf16(u"\U0001F600"), "p\rq\r\n", ""};
  TMEEdit edit;
  edit.SetScrollOptions(eoScrollPastEol);
  SetLines(edit, "alpha|beta||gamma delta");
  QStringList history{edit.GetText()};
  const auto randomPos = [&] {
    const int line = 1 + int(rng.bounded(edit.LineCount()));
    return TBufferCoord{1 + int(rng.bounded(int(edit.LineText(line).size()) + 4)), line};
  };
  const auto topGroup = [&] { return edit.Document().UndoList().CanUndo() ? edit.Document().UndoList().UndoGroup() : 0; };
  for (int step = 0; step < 200; ++step) {
    const int group = topGroup();
    const TBufferCoord a = randomPos();
    const TBufferCoord b = rng.bounded(2) ? a : randomPos();
    edit.SetCaretAndSelection(b, a, b);
    switch (rng.bounded(4)) {
      case 0: edit.DeleteLastChar(); break;
      case 1: edit.DeleteChar(); break;
      case 2: edit.IndentLines(rng.bounded(2)); break;
      default: edit.SetSelText(inserts[int(rng.bounded(inserts.size()))]); break;
    }
    if (topGroup() != group) history.append(edit.GetText());
    else QCOMPARE(edit.GetText(), history.last());
  }
  for (int i = int(history.size()) - 2; i >= 0; --i) {
    edit.Undo();
    QCOMPARE(edit.GetText(), history[i]);
  }
  QVERIFY(!edit.CanUndo());
  for (qsizetype i = 1; i < history.size(); ++i) {
    edit.Redo();
    QCOMPARE(edit.GetText(), history[i]);
  }
  QVERIFY(!edit.CanRedo());
}

// SetSelLines is SetSelText with the text given as its lines: the same text, caret, selection,
// Modified flag and change report, and the same after Undo and after Redo, from one block record.
void TestEditorUndo::selLinesEndsAsSelText_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<TBufferCoord>("caret");
  QTest::addColumn<TBufferCoord>("anchor");
  QTest::addColumn<QString>("text");
  QTest::newRow("at_the_caret") << "abc|def" << TBufferCoord{2, 1} << TBufferCoord{2, 1} << "x\r\ny";
  QTest::newRow("over_part_of_a_line") << "abc|def" << TBufferCoord{3, 1} << TBufferCoord{1, 1} << "XYZ";
  QTest::newRow("over_lines_selected_upwards") << "abc|def|ghi" << TBufferCoord{2, 1} << TBufferCoord{3, 3}
                                               << "1\r\n2\r\n";
  QTest::newRow("whole_lines_by_fewer") << "a|b|c|d" << TBufferCoord{1, 2} << TBufferCoord{1, 4} << "B\r\n";
  QTest::newRow("empty_text_removes") << "abc|def" << TBufferCoord{2, 2} << TBufferCoord{2, 1} << "";
  QTest::newRow("in_virtual_space_after_spaces") << "ab" << TBufferCoord{6, 1} << TBufferCoord{6, 1} << "x\r\ny";
  QTest::newRow("empty_text_in_virtual_space_adds_nothing") << "ab" << TBufferCoord{6, 1} << TBufferCoord{6, 1}
                                                            << "";
}

void TestEditorUndo::selLinesEndsAsSelText() {
  QFETCH(QString, lines);
  QFETCH(TBufferCoord, caret);
  QFETCH(TBufferCoord, anchor);
  QFETCH(QString, text);
  TMEEdit byLines, byText;
  QList<int> changes;
  for (TMEEdit *edit : {&byLines, &byText}) {
    edit->SetScrollOptions(eoScrollPastEol);
    SetLines(*edit, lines);
    edit->SetCaretAndSelection(caret, anchor, caret);
    QSignalSpy spy(edit, &TMEEdit::OnChange);
    if (edit == &byLines) edit->SetSelLines(text.split(QStringLiteral("\r\n")));
    else edit->SetSelText(text);
    changes.append(int(spy.count()));
  }
  QCOMPARE(DumpEdit(byLines), DumpEdit(byText));
  QCOMPARE(changes[0], changes[1]);
  QCOMPARE(byLines.Modified(), byText.Modified());
  QVERIFY(!byLines.Document().UndoList().DebugDump().contains(QStringLiteral(" ins ")));
  QCOMPARE(byLines.CanUndo(), byText.CanUndo());
  for (const bool undo : {true, false}) {
    for (TMEEdit *edit : {&byLines, &byText}) {
      edit->SetModified(false);
      undo ? edit->Undo() : edit->Redo();
    }
    QCOMPARE(DumpEdit(byLines), DumpEdit(byText));
    QCOMPARE(byLines.Modified(), byText.Modified());
  }
}

QTEST_MAIN(TestEditorUndo)
#include "test_editor_undo.moc"
