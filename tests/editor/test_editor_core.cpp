// What the editor builds on the document's primitives: replacing the selection, Backspace and
// Delete, selecting, indenting, whole-text changes, read-only refusal and change reports.
#include "EditorTestUtil.h"

#include <QSignalSpy>

class TestEditorCore : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void setSelText_data();
  void setSelText();
  void backspaceAndDelete_data();
  void backspaceAndDelete();
  void caretNeverBetweenPairHalves();
  void selectAllAndLine_data();
  void selectAllAndLine();
  void indentLines_data();
  void indentLines();
  void readOnlyRefusesChanges_data();
  void readOnlyRefusesChanges();
  void changeReports();
  void setTextAndClearAll();
};

static QString S(const char16_t *text) { return QString::fromUtf16(text); }

void TestEditorCore::setSelText_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<TBufferCoord>("blockBegin");
  QTest::addColumn<TBufferCoord>("blockEnd");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("result");
  QTest::newRow("typing_at_the_caret") << "abc" << BC(2, 1) << BC(2, 1) << "x" << "axbc caret=(3,1) sel=(3,1)-(3,1)";
  QTest::newRow("over_a_selection") << "abc" << BC(1, 1) << BC(3, 1) << "x" << "xc caret=(2,1) sel=(2,1)-(2,1)";
  QTest::newRow("over_a_backward_selection") << "abc|def" << BC(2, 2) << BC(2, 1) << "x" << "axef caret=(3,1) sel=(3,1)-(3,1)";
  QTest::newRow("empty_text_deletes_the_selection") << "abc|def" << BC(2, 1) << BC(2, 2) << "" << "aef caret=(2,1) sel=(2,1)-(2,1)";
  QTest::newRow("caret_after_multi_line_text") << "abc" << BC(2, 1) << BC(2, 1) << "1\r\n22" << "a1|22bc caret=(3,2) sel=(3,2)-(3,2)";
}

void TestEditorCore::setSelText() {
  QFETCH(QString, lines);
  QFETCH(TBufferCoord, blockBegin);
  QFETCH(TBufferCoord, blockEnd);
  QFETCH(QString, text);
  QFETCH(QString, result);
  TMEEdit edit;
  SetLines(edit, lines);
  edit.SetCaretAndSelection(blockEnd, blockBegin, blockEnd);
  edit.SetSelText(text);
  QCOMPARE(DumpEdit(edit), result);
  QVERIFY(edit.Modified());
}

void TestEditorCore::backspaceAndDelete_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<TBufferCoord>("caret");
  QTest::addColumn<bool>("backspace");
  QTest::addColumn<QString>("result");
  QTest::addColumn<bool>("modified");
  QTest::newRow("backspace_one_unit") << "abc" << BC(3, 1) << true << "ac caret=(2,1) sel=(2,1)-(2,1)" << true;
  QTest::newRow("backspace_removes_whole_pair") << S(u"a\U0001F600b") << BC(4, 1) << true
                                                << "ab caret=(2,1) sel=(2,1)-(2,1)" << true;
  QTest::newRow("backspace_at_line_start_joins") << "ab|cd" << BC(1, 2) << true << "abcd caret=(3,1) sel=(3,1)-(3,1)" << true;
  QTest::newRow("backspace_at_document_start_changes_nothing") << "ab" << BC(1, 1) << true
                                                               << "ab caret=(1,1) sel=(1,1)-(1,1)" << false;
  QTest::newRow("backspace_in_virtual_space_only_steps_left") << "ab" << BC(6, 1) << true
                                                              << "ab caret=(5,1) sel=(5,1)-(5,1)" << false;
  QTest::newRow("delete_one_unit") << "abc" << BC(2, 1) << false << "ac caret=(2,1) sel=(2,1)-(2,1)" << true;
  QTest::newRow("delete_removes_whole_pair") << S(u"a\U0001F600b") << BC(2, 1) << false
                                             << "ab caret=(2,1) sel=(2,1)-(2,1)" << true;
  QTest::newRow("delete_at_line_end_joins") << "ab|cd" << BC(3, 1) << false << "abcd caret=(3,1) sel=(3,1)-(3,1)" << true;
  QTest::newRow("delete_at_document_end_changes_nothing") << "ab" << BC(3, 1) << false
                                                          << "ab caret=(3,1) sel=(3,1)-(3,1)" << false;
}

void TestEditorCore::backspaceAndDelete() {
  QFETCH(QString, lines);
  QFETCH(TBufferCoord, caret);
  QFETCH(bool, backspace);
  QFETCH(QString, result);
  QFETCH(bool, modified);
  TMEEdit edit;
  edit.SetScrollOptions(eoScrollPastEol);
  SetLines(edit, lines);
  edit.SetCaretXY(caret);
  QSignalSpy changes(&edit, &TMEEdit::OnChange);
  if (backspace) edit.DeleteLastChar();
  else edit.DeleteChar();
  QCOMPARE(DumpEdit(edit), result);
  QCOMPARE(edit.Modified(), modified);
  QCOMPARE(changes.count(), modified ? 1 : 0);
}

void TestEditorCore::caretNeverBetweenPairHalves() {
  TMEEdit edit;
  edit.SetText(S(u"a\U0001F600b"));
  edit.SetCaretXY({3, 1});
  QCOMPARE(Pos(edit.CaretXY()), QStringLiteral("(2,1)"));
  edit.SetBlockEnd({3, 1});
  QCOMPARE(Pos(edit.BlockEnd()), QStringLiteral("(2,1)"));
  edit.SetSelStart(2);  // offset 2 falls between the halves
  QCOMPARE(Pos(edit.CaretXY()), QStringLiteral("(2,1)"));
  edit.SetSelEnd(2);
  QCOMPARE(DumpEdit(edit), S(u"a<D83D><DE00>b caret=(2,1) sel=(2,1)-(2,1)"));
}

void TestEditorCore::selectAllAndLine_data() {
  QTest::addColumn<int>("line");
  QTest::addColumn<QString>("result");
  QTest::newRow("select_all") << 0 << "ab|cd|e caret=(2,3) sel=(1,1)-(2,3)";
  QTest::newRow("line_takes_its_break") << 2 << "ab|cd|e caret=(1,3) sel=(1,2)-(1,3)";
  QTest::newRow("last_line_up_to_its_end") << 3 << "ab|cd|e caret=(2,3) sel=(1,3)-(2,3)";
  QTest::newRow("line_out_of_range_ignored") << 4 << "ab|cd|e caret=(1,1) sel=(1,1)-(1,1)";
}

void TestEditorCore::selectAllAndLine() {
  QFETCH(int, line);
  QFETCH(QString, result);
  TMEEdit edit;
  SetLines(edit, "ab|cd|e");
  if (line == 0) edit.SelectAll();
  else edit.SelectLine(line);
  QCOMPARE(DumpEdit(edit), result);
}

void TestEditorCore::indentLines_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<TBufferCoord>("blockBegin");
  QTest::addColumn<TBufferCoord>("blockEnd");
  QTest::addColumn<bool>("unindent");
  QTest::addColumn<QString>("result");
  QTest::newRow("selection_ending_at_line_start_leaves_that_line")
      << "l1|line2|line3|line4" << BC(5, 2) << BC(1, 4) << false
      << "l1|    line2|    line3|line4 caret=(10,3) sel=(1,2)-(10,3)";
  QTest::newRow("empty_lines_stay_empty") << "a||b" << BC(1, 1) << BC(2, 3) << false
                                          << "    a||    b caret=(6,3) sel=(1,1)-(6,3)";
  QTest::newRow("caret_follows_without_selection") << "ab" << BC(2, 1) << BC(2, 1) << false
                                                   << "    ab caret=(6,1) sel=(6,1)-(6,1)";
  QTest::newRow("unindent_tab_then_spaces_removes_only_the_tab") << "\t  x" << BC(4, 1) << BC(4, 1) << true
                                                                 << "  x caret=(3,1) sel=(3,1)-(3,1)";
  QTest::newRow("unindent_at_most_tab_width_spaces") << "      x|  y|z" << BC(1, 1) << BC(2, 3) << true
                                                     << "  x|y|z caret=(2,3) sel=(1,1)-(2,3)";
  QTest::newRow("unindent_caret_not_before_column_1") << "  x" << BC(2, 1) << BC(2, 1) << true
                                                      << "x caret=(1,1) sel=(1,1)-(1,1)";
}

void TestEditorCore::indentLines() {
  QFETCH(QString, lines);
  QFETCH(TBufferCoord, blockBegin);
  QFETCH(TBufferCoord, blockEnd);
  QFETCH(bool, unindent);
  QFETCH(QString, result);
  TMEEdit edit;
  SetLines(edit, lines);
  edit.SetCaretAndSelection(blockEnd, blockBegin, blockEnd);
  edit.CommandProcessor(unindent ? ecUnindentLines : ecIndentLines);
  QCOMPARE(DumpEdit(edit), result);
  QVERIFY(edit.Modified());
}

void TestEditorCore::readOnlyRefusesChanges_data() {
  QTest::addColumn<int>("operation");
  QTest::newRow("set_sel_text") << 0;
  QTest::newRow("backspace") << 1;
  QTest::newRow("delete") << 2;
  QTest::newRow("indent") << 3;
  QTest::newRow("unindent") << 4;
  QTest::newRow("cut") << 5;
  QTest::newRow("paste") << 6;
  QTest::newRow("undo") << 7;
}

void TestEditorCore::readOnlyRefusesChanges() {
  QFETCH(int, operation);
  TMEEdit edit;
  SetLines(edit, "  ab|cd");
  edit.SetCaretAndSelection({2, 2}, {2, 1}, {2, 2});
  edit.SetSelText(QStringLiteral("x"));  // something to undo
  edit.SetModified(false);
  edit.SetCaretAndSelection({2, 1}, {1, 1}, {2, 1});
  edit.CopyToClipboard();
  edit.SetReadOnly(true);
  const QString before = DumpEdit(edit);
  QSignalSpy changes(&edit, &TMEEdit::OnChange);
  switch (operation) {
    case 0: edit.SetSelText(QStringLiteral("y")); break;
    case 1: edit.DeleteLastChar(); break;
    case 2: edit.DeleteChar(); break;
    case 3: edit.IndentLines(false); break;
    case 4: edit.IndentLines(true); break;
    case 5: edit.CutToClipboard(); break;
    case 6: edit.PasteFromClipboard(); break;
    case 7: edit.Undo(); break;
  }
  QCOMPARE(DumpEdit(edit), before);
  QCOMPARE(changes.count(), 0);
  QVERIFY(!edit.Modified());
  QVERIFY(!edit.CanUndo());
  QVERIFY(!edit.CanPaste());
}

void TestEditorCore::changeReports() {
  TMEEdit edit;
  SetLines(edit, "abc");
  QSignalSpy changes(&edit, &TMEEdit::OnChange);
  QSignalSpy status(&edit, &TMEEdit::OnStatusChange);
  edit.SetSelText(QStringLiteral("x"));
  QCOMPARE(changes.count(), 1);
  QCOMPARE(status.count(), 1);
  QCOMPARE(status.at(0).at(0).value<TMEStatusChanges>(), scCaretX | scCaretY | scModified | scSelection);

  // Inside a bracket everything is reported once, when it closes.
  status.clear();
  {
    const TMEEditUpdate update(edit);
    edit.SetCaretXY({1, 1});
    edit.SetReadOnly(true);
    QCOMPARE(status.count(), 0);
  }
  QCOMPARE(status.count(), 1);
  QCOMPARE(status.at(0).at(0).value<TMEStatusChanges>(), scCaretX | scSelection | scReadOnly);

  status.clear();
  edit.SetReadOnly(true);  // unchanged: nothing to report
  edit.SetOptions(edit.Options());
  QCOMPARE(status.count(), 0);
  edit.SetOptions(edit.Options() | eoTabsToSpaces);
  QCOMPARE(status.at(0).at(0).value<TMEStatusChanges>(), TMEStatusChanges(scOptions));
}

void TestEditorCore::setTextAndClearAll() {
  TMEEdit edit;
  SetLines(edit, "ab|cd");
  edit.SetCaretXY({2, 2});
  edit.SetSelText(QStringLiteral("x"));
  edit.SetText(QStringLiteral("one\r\ntwo"));
  QCOMPARE(DumpEdit(edit), QStringLiteral("one|two caret=(1,1) sel=(1,1)-(1,1)"));
  QVERIFY(!edit.Modified());
  QVERIFY(!edit.CanUndo());
  QCOMPARE(edit.GetText(), QStringLiteral("one\r\ntwo"));

  edit.SetCaretXY({2, 2});
  edit.SetSelText(QStringLiteral("x"));
  edit.ClearAll();
  QCOMPARE(DumpEdit(edit), QStringLiteral(" caret=(1,1) sel=(1,1)-(1,1)"));
  QCOMPARE(edit.LineCount(), 1);
  QCOMPARE(edit.LineText(1), QString());
  QVERIFY(edit.Modified());
  QVERIFY(!edit.CanUndo());
  QCOMPARE(Pos(edit.Document().InsertTextAt({1, 1}, QStringLiteral("z"), true)), QStringLiteral("(2,1)"));
  QCOMPARE(edit.GetText(), QStringLiteral("z"));
}

QTEST_MAIN(TestEditorCore)
#include "test_editor_core.moc"
