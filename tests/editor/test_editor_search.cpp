// Finding from the caret forwards, backwards and over the whole document, and Replace All as one
// undoable edit, with both engines.
#include "EditorTestUtil.h"
#include "editor/LiteralSearch.h"
#include "editor/RegexSearch.h"

#include <QSignalSpy>

class TestEditorSearch : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void find_data();
  void find();
  void findPreviousStepsPastTheSelectedMatch();
  void nothingToSearchWith();
  void replaceAll_data();
  void replaceAll();
  void replaceAllIsOneUndoGroup();
  void replaceAllKeepsStoredTextForUndo();
  void replaceAllRefusedWhenReadOnly();

 private:
  TMEEditSearch FLiteral;
  TMEEditRegexSearch FRegex;
};

void TestEditorSearch::find_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<bool>("regex");
  QTest::addColumn<QString>("pattern");
  QTest::addColumn<int>("options");
  QTest::addColumn<TBufferCoord>("caret");
  QTest::addColumn<int>("found");
  QTest::addColumn<QString>("after");  // the editor's dump afterwards
  const QString text = "one|two x|abcdx fx|x";
  QTest::newRow("matchStartingAtTheCaret") << text << false << "x" << 0 << BC(5, 3) << 1
                                           << text + " caret=(6,3) sel=(5,3)-(6,3)";
  QTest::newRow("caretPastMatchGoesOn") << text << false << "x" << 0 << BC(6, 3) << 1
                                        << text + " caret=(9,3) sel=(8,3)-(9,3)";
  QTest::newRow("laterLineTakesItsFirstMatch") << text << false << "x" << 0 << BC(9, 3) << 1
                                               << text + " caret=(2,4) sel=(1,4)-(2,4)";
  QTest::newRow("notFoundChangesNothing") << text << false << "zz" << 0 << BC(2, 2) << 0
                                          << text + " caret=(2,2) sel=(2,2)-(2,2)";
  QTest::newRow("entireScopeFromTheTop") << text << false << "x" << int(ssoEntireScope) << BC(2, 4) << 1
                                         << text + " caret=(6,2) sel=(5,2)-(6,2)";
  QTest::newRow("backwardsTakesTheLastBefore") << text << false << "x" << int(ssoBackwards) << BC(8, 3) << 1
                                               << text + " caret=(6,3) sel=(5,3)-(6,3)";
  QTest::newRow("backwardsOnEarlierLine") << text << false << "x" << int(ssoBackwards) << BC(5, 3) << 1
                                          << text + " caret=(6,2) sel=(5,2)-(6,2)";
  QTest::newRow("backwardsEntireScopeFromTheEnd")
      << text << false << "x" << int(ssoBackwards | ssoEntireScope) << BC(1, 1) << 1
      << text + " caret=(2,4) sel=(1,4)-(2,4)";
  QTest::newRow("caseMatters") << text << false << "X" << int(ssoMatchCase) << BC(1, 1) << 0
                               << text + " caret=(1,1) sel=(1,1)-(1,1)";
  QTest::newRow("caseIgnored") << text << false << "TWO" << 0 << BC(1, 1) << 1
                               << text + " caret=(4,2) sel=(1,2)-(4,2)";
  QTest::newRow("regexAcrossLines") << text << true << "[c-f]+x" << 0 << BC(1, 1) << 1
                                    << text + " caret=(6,3) sel=(3,3)-(6,3)";
  QTest::newRow("regexBadPatternFindsNothing") << text << true << "(x" << 0 << BC(1, 1) << 0
                                               << text + " caret=(1,1) sel=(1,1)-(1,1)";
}

void TestEditorSearch::find() {
  QFETCH(QString, lines);
  QFETCH(bool, regex);
  QFETCH(QString, pattern);
  QFETCH(int, options);
  QFETCH(TBufferCoord, caret);
  QFETCH(int, found);
  QFETCH(QString, after);
  TMEEdit edit;
  SetLines(edit, lines);
  edit.SetSearchEngine(regex ? static_cast<TMEEditSearchCustom *>(&FRegex) : &FLiteral);
  edit.SetCaretXY(caret);
  QCOMPARE(edit.SearchReplace(pattern, QString(), TMESearchOptions(options)), found);
  QCOMPARE(DumpEdit(edit), after);
}

void TestEditorSearch::findPreviousStepsPastTheSelectedMatch() {
  TMEEdit edit;
  SetLines(edit, "x x x");
  edit.SetSearchEngine(&FLiteral);
  edit.SetCaretXY(BC(6, 1));
  QCOMPARE(edit.SearchReplace("x", QString(), ssoBackwards), 1);
  QCOMPARE(DumpEdit(edit), QString("x x x caret=(6,1) sel=(5,1)-(6,1)"));
  // The caret now stands after the selected match; the next search must move on.
  QCOMPARE(edit.SearchReplace("x", QString(), ssoBackwards), 1);
  QCOMPARE(DumpEdit(edit), QString("x x x caret=(4,1) sel=(3,1)-(4,1)"));
  QCOMPARE(edit.SearchReplace("x", QString(), ssoBackwards), 1);
  QCOMPARE(DumpEdit(edit), QString("x x x caret=(2,1) sel=(1,1)-(2,1)"));
  QCOMPARE(edit.SearchReplace("x", QString(), ssoBackwards), 0);
}

void TestEditorSearch::nothingToSearchWith() {
  TMEEdit edit;
  SetLines(edit, "abc");
  QCOMPARE(edit.SearchReplace("b", "x", ssoReplace | ssoReplaceAll), 0);  // no engine
  edit.SetSearchEngine(&FLiteral);
  QCOMPARE(edit.SearchReplace(QString(), "x", ssoReplace | ssoReplaceAll), 0);
  QCOMPARE(edit.GetText(), QString("abc"));
  QVERIFY(!edit.Modified());
}

void TestEditorSearch::replaceAll_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<bool>("regex");
  QTest::addColumn<QString>("pattern");
  QTest::addColumn<QString>("replacement");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("after");
  QTest::addColumn<bool>("undoable");
  QTest::newRow("countsMatchesOverLines") << "aa|c" << false << "a" << "b" << 2 << "bb|c" << true;
  QTest::newRow("overlapsReplacedLeftToRight") << "aaa" << false << "aa" << "XYZ" << 1 << "XYZa" << true;
  QTest::newRow("sameTextCountsButChangesNothing") << "ab|ab" << false << "b" << "b" << 2 << "ab|ab" << false;
  QTest::newRow("regexWholeLineOnce") << "abc|d" << true << ".*" << "[$0]" << 2 << "[abc]|[d]" << true;
  QTest::newRow("regexGroups") << "k=v|x=y" << true << "(\\w)=(\\w)" << "$2=$1" << 2 << "v=k|y=x" << true;
  QTest::newRow("regexLookBehindSeesTheLine") << "ab ab" << true << "(?<= )ab" << "X" << 1 << "ab X" << true;
  QTest::newRow("lineBreakInReplacementStaysOnItsLine")
      << "a|b" << false << "a" << "1\r\n2" << 1 << "1<00B7><00B7>2|b" << true;
  QTest::newRow("longerTextsOfEveryCase") << "aAa|x|Aa" << false << "a" << "bc" << 5 << "bcbcbc|x|bcbc" << true;
  QTest::newRow("shorterAndEmpty") << "abXab|ab|abab" << false << "ab" << "" << 5 << "X||" << true;
  QTest::newRow("regexExpansionsDiffer") << "1 22|333" << true << "(\\d+)" << "[$1$1]" << 3
                                         << "[11] [2222]|[333333]" << true;
}

void TestEditorSearch::replaceAll() {
  QFETCH(QString, lines);
  QFETCH(bool, regex);
  QFETCH(QString, pattern);
  QFETCH(QString, replacement);
  QFETCH(int, count);
  QFETCH(QString, after);
  QFETCH(bool, undoable);
  TMEEdit edit;
  SetLines(edit, lines);
  edit.SetSearchEngine(regex ? static_cast<TMEEditSearchCustom *>(&FRegex) : &FLiteral);
  edit.SetCaretXY(BC(2, 1));
  QSignalSpy changes(&edit, &TMEEdit::OnChange);
  QCOMPARE(edit.SearchReplace(pattern, replacement, ssoReplace | ssoReplaceAll), count);
  QCOMPARE(DumpLines(edit.Lines().Lines()), after);
  QCOMPARE(changes.count(), 1);
  QVERIFY(edit.Modified());
  QCOMPARE(edit.CaretXY(), BC(2, 1));  // caret and selection stay
  QCOMPARE(edit.CanUndo(), undoable);
  if (!undoable) return;
  edit.Undo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), lines);
  edit.Redo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), after);
}

void TestEditorSearch::replaceAllIsOneUndoGroup() {
  TMEEdit edit;
  SetLines(edit, "a1|b|a2|a3");
  edit.SetSearchEngine(&FLiteral);
  edit.SetSelText("z");  // an earlier edit, which must stay after the undo
  const QString before = DumpLines(edit.Lines().Lines());
  QCOMPARE(edit.SearchReplace("a", "AA", ssoReplace | ssoReplaceAll), 3);
  QCOMPARE(DumpLines(edit.Lines().Lines()), QString("zAA1|b|AA2|AA3"));
  edit.Undo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), before);
  edit.Redo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), QString("zAA1|b|AA2|AA3"));
}

void TestEditorSearch::replaceAllKeepsStoredTextForUndo() {
  // What the store holds after the replacement is what Redo must give back.
  TMEEdit edit;
  SetLines(edit, "a-a|x");
  edit.SetSearchEngine(&FLiteral);
  QCOMPARE(edit.SearchReplace("-", "\n\t\x01", ssoReplace | ssoReplaceAll), 1);
  const QString replaced = DumpLines(edit.Lines().Lines());
  QCOMPARE(replaced, QString("a<00B7><0009><00B7>a|x"));
  edit.Undo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), QString("a-a|x"));
  edit.Redo();
  QCOMPARE(DumpLines(edit.Lines().Lines()), replaced);
  QCOMPARE(edit.LineCount(), 2);
}

void TestEditorSearch::replaceAllRefusedWhenReadOnly() {
  TMEEdit edit;
  SetLines(edit, "aaa");
  edit.SetSearchEngine(&FLiteral);
  edit.SetReadOnly(true);
  QCOMPARE(edit.SearchReplace("a", "b", ssoReplace | ssoReplaceAll), 0);
  QCOMPARE(edit.GetText(), QString("aaa"));
  // Finding still works.
  QCOMPARE(edit.SearchReplace("a", QString(), 0), 1);
}

QTEST_MAIN(TestEditorSearch)
#include "test_editor_search.moc"
