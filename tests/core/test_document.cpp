// The document model without any view: the edit primitives, undo and redo with their groups and
// caret, Replace All splices, block replacements, whole-text changes, the revision and the reports of replaced lines.
#include "CoreTestUtil.h"
#include "core/Document.h"
#include "core/TextRange.h"
#include "core/TextSplit.h"

#include <QRandomGenerator>
#include <QSignalSpy>

#include <stdexcept>

Q_DECLARE_METATYPE(TBufferCoord)

class TestDocument : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void insertTextAt_data();
  void insertTextAt();
  void deleteRange_data();
  void deleteRange();
  void getTextRangeJoinsWithCrLf();
  void textBetweenJoinsWithTheBreakGiven();
  void listGroups_data();
  void listGroups();
  void documentGroupsTypingAndBlocks();
  void virtualSpacePaddingIsUndone();
  void replayMovesTheCaret_data();
  void replayMovesTheCaret();
  void spliceLinesUndoneAndRedone();
  void everyChangeRaisesRevisionAndReports_data();
  void everyChangeRaisesRevisionAndReports();
  void wholeTextChangesEmptyUndo_data();
  void wholeTextChangesEmptyUndo();
  void adoptLinesTakesLinesWithoutCopying();
  void undoBlockClosesHoweverItsScopeIsLeft_data();
  void undoBlockClosesHoweverItsScopeIsLeft();
  void randomEditsUndoAndRedoExactly();
  void propertyChangeJoinsTheTextsGroup();
  void propertyOnlyGroupUndoneAlone();
  void unrecordedOrUnchangedPropertyLeavesNoRecord();
  void replaceRangeActsAsRemovalAndInsertion_data();
  void replaceRangeActsAsRemovalAndInsertion();
  void blockRecordKeepsTheLinesThemselves();
  void blockRecordReplaysWithTheRestOfItsGroup();
};

static TBufferCoord BC(int ch, int line) { return {ch, line}; }
static QString Pos(TBufferCoord c) { return QStringLiteral("(%1,%2)").arg(c.Char).arg(c.Line); }
static QString S(const char16_t *text) { return QString::fromUtf16(text); }

// Lines given with "|" between them, so rows read like the dumps.
static void SetLines(TMEDocument &document, const QString &lines) {
  document.SetText(QString(lines).replace(u'|', u'\n'));
}

static QString Text(const TMEDocument &document) { return DumpLines(document.Lines().Lines()); }

// Every report as "first,oldCount,newCount", separated by blanks.
static QString Reports(const QSignalSpy &spy) {
  QStringList reports;
  for (const QList<QVariant> &args : spy)
    reports.append(QStringLiteral("%1,%2,%3").arg(args[0].toInt()).arg(args[1].toInt()).arg(args[2].toInt()));
  return reports.join(u' ');
}

void TestDocument::insertTextAt_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<TBufferCoord>("pos");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("result");
  QTest::addColumn<TBufferCoord>("end");
  QTest::addColumn<QString>("reports");
  QTest::newRow("x_crlf_splits_the_line") << "abcd" << BC(3, 1) << "x\r\n" << "abx|cd" << BC(1, 2) << "0,1,2";
  QTest::newRow("one_piece_stays_on_the_line") << "abcd" << BC(3, 1) << "xy" << "abxycd" << BC(5, 1) << "0,1,1";
  QTest::newRow("middle_pieces_become_lines") << "ab|cd" << BC(2, 1) << "1\n2\n3" << "a1|2|3b|cd" << BC(2, 3) << "0,1,3";
  QTest::newRow("every_break_style_starts_a_line") << "" << BC(1, 1) << "a\rb\nc\r\nd" << "a|b|c|d" << BC(2, 4)
                                                   << "0,1,4";
  QTest::newRow("lone_cr_before_lf_pair") << "" << BC(1, 1) << "a\r\r\nb" << "a||b" << BC(2, 3) << "0,1,3";
  QTest::newRow("virtual_space_padded_with_spaces") << "abc" << BC(10, 1) << "x" << "abc      x" << BC(11, 1)
                                                    << "0,1,1";
  QTest::newRow("empty_text_changes_nothing") << "ab" << BC(2, 1) << "" << "ab" << BC(2, 1) << "";
  QTest::newRow("control_characters_stored_as_dots") << "ab" << BC(1, 1) << S(u"\u0001") << "<00B7>ab" << BC(2, 1)
                                                     << "0,1,1";
  QTest::newRow("line_past_the_end_clamped") << "ab" << BC(1, 7) << "x" << "xab" << BC(2, 1) << "0,1,1";
  QTest::newRow("later_line_reported_alone") << "ab|cd|ef" << BC(2, 3) << "x\ny" << "ab|cd|ex|yf" << BC(2, 4)
                                             << "2,1,2";
}

void TestDocument::insertTextAt() {
  QFETCH(QString, lines);
  QFETCH(TBufferCoord, pos);
  QFETCH(QString, text);
  QFETCH(QString, result);
  QFETCH(TBufferCoord, end);
  QFETCH(QString, reports);
  TMEDocument document;
  SetLines(document, lines);
  QSignalSpy spy(&document, &TMEDocument::OnLinesReplaced);
  QCOMPARE(Pos(document.InsertTextAt(pos, text, false)), Pos(end));
  QCOMPARE(Text(document), result);
  QCOMPARE(Reports(spy), reports);
  QVERIFY(!document.CanUndo());
}

void TestDocument::deleteRange_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<TBufferCoord>("from");
  QTest::addColumn<TBufferCoord>("to");
  QTest::addColumn<QString>("result");
  QTest::addColumn<bool>("removed");
  QTest::addColumn<QString>("reports");
  QTest::newRow("within_a_line") << "abcd" << BC(2, 1) << BC(4, 1) << "ad" << true << "0,1,1";
  QTest::newRow("across_lines_joins") << "ab|cd|ef" << BC(2, 1) << BC(2, 3) << "af" << true << "0,3,1";
  QTest::newRow("ends_in_either_order") << "ab|cd|ef" << BC(2, 3) << BC(2, 1) << "af" << true << "0,3,1";
  QTest::newRow("whole_line_break") << "ab|cd" << BC(3, 1) << BC(1, 2) << "abcd" << true << "0,2,1";
  QTest::newRow("equal_ends_nothing") << "ab" << BC(2, 1) << BC(2, 1) << "ab" << false << "";
  QTest::newRow("virtual_start_joins_without_padding") << "ab|cd" << BC(9, 1) << BC(1, 2) << "abcd" << true << "0,2,1";
  QTest::newRow("inside_virtual_space_nothing") << "ab" << BC(5, 1) << BC(9, 1) << "ab" << false << "";
  QTest::newRow("never_half_a_surrogate_pair") << S(u"a\U0001F600b") << BC(1, 1) << BC(3, 1) << "<D83D><DE00>b"
                                               << true << "0,1,1";
  QTest::newRow("lines_past_the_end_clamped") << "ab|cd" << BC(2, 2) << BC(1, 9) << "ab|d" << true << "1,1,1";
}

void TestDocument::deleteRange() {
  QFETCH(QString, lines);
  QFETCH(TBufferCoord, from);
  QFETCH(TBufferCoord, to);
  QFETCH(QString, result);
  QFETCH(bool, removed);
  QFETCH(QString, reports);
  TMEDocument document;
  SetLines(document, lines);
  QSignalSpy spy(&document, &TMEDocument::OnLinesReplaced);
  QCOMPARE(document.DeleteRange(from, to, false), removed);
  QCOMPARE(Text(document), result);
  QCOMPARE(Reports(spy), reports);
}

void TestDocument::getTextRangeJoinsWithCrLf() {
  TMEDocument document;
  SetLines(document, "abc|de|fgh");
  QCOMPARE(int(document.Lines().LineEnding()), int(leLF));
  QCOMPARE(document.GetTextRange({2, 1}, {3, 3}), QStringLiteral("bc\r\nde\r\nfg"));
  QCOMPARE(document.GetTextRange({2, 1}, {3, 1}), QStringLiteral("b"));
  QCOMPARE(document.GetTextRange({4, 1}, {1, 2}), QStringLiteral("\r\n"));
  QCOMPARE(document.GetTextRange({3, 3}, {2, 1}), QString());
}

// What a tool's worker reads from a snapshot: the whole text is the document's own GetText.
void TestDocument::textBetweenJoinsWithTheBreakGiven() {
  TMEDocument document;
  SetLines(document, "abc|de||fgh|");
  const QStringList &lines = document.Lines().Lines();
  const int last = int(lines.size());
  for (const QString lineBreak : {"\n", "\r", "\r\n"}) {
    document.SetLineBreak(lineBreak);
    QCOMPARE(TextBetween(lines, {1, 1}, {1, last}, lineBreak), document.GetText());
  }
  QCOMPARE(TextBetween(lines, {3, 1}, {2, 2}, u"\n"), QStringLiteral("c\nd"));
  // Places past the lines read as empty lines.
  QCOMPARE(TextBetween(lines, {2, 4}, {1, 7}, u"|"), QStringLiteral("gh|||"));
  QCOMPARE(TextBetween(QStringList(), {1, 1}, {1, 1}, u"\n"), QString());
}

// Script: "[" opens a block, "]" closes it, "i<text>" records an insertion, "d<text>" a removal.
static QString GroupsOf(const QString &script, bool groupUndo) {
  TMEUndoList list;
  for (const QString &step : script.split(u' ')) {
    if (step == u"[") list.BeginBlock();
    else if (step == u"]") list.EndBlock();
    else {
      TMEUndoRec rec;
      rec.Kind = step[0] == u'i' ? ukInsert : ukDelete;
      rec.Text = step.mid(1);
      list.Add(rec, groupUndo);
    }
  }
  QStringList groups;
  while (list.CanUndo()) groups.prepend(QString::number(list.TakeUndo().GroupId));
  return groups.join(u' ');
}

void TestDocument::listGroups_data() {
  QTest::addColumn<QString>("script");
  QTest::addColumn<bool>("groupUndo");
  QTest::addColumn<QString>("groups");
  QTest::newRow("block_first_record_opens_a_group") << "[ ia db ] [ ic ]" << true << "1 1 2";
  QTest::newRow("nested_blocks_are_one_group") << "[ [ ia ] ib ]" << true << "1 1";
  QTest::newRow("one_unit_inserts_join_outside_blocks") << "ia ib ic" << true << "1 1 1";
  QTest::newRow("no_joining_without_group_undo") << "ia ib" << false << "1 2";
  QTest::newRow("longer_insert_never_joins") << "ia ibc" << true << "1 2";
  QTest::newRow("removals_never_join") << "da db" << true << "1 2";
  QTest::newRow("insert_after_removal_opens_a_group") << "da ib" << true << "1 2";
  QTest::newRow("one_unit_insert_joins_a_block_before_it") << "[ ia ] ib" << true << "1 1";
  QTest::newRow("unbalanced_end_is_harmless") << "] ia [ ib ]" << true << "1 2";
}

void TestDocument::listGroups() {
  QFETCH(QString, script);
  QFETCH(bool, groupUndo);
  QFETCH(QString, groups);
  QCOMPARE(GroupsOf(script, groupUndo), groups);
}

// The document hands its group-undo setting and its blocks to the list; one Undo takes back a group.
void TestDocument::documentGroupsTypingAndBlocks() {
  TMEDocument document;
  SetLines(document, "ab|cd");
  document.InsertTextAt({3, 1}, QStringLiteral("x"), true);
  document.InsertTextAt({4, 1}, QStringLiteral("y"), true);
  document.SetGroupUndo(false);
  document.InsertTextAt({5, 1}, QStringLiteral("z"), true);
  {
    const TMEUndoBlock block(document);
    document.DeleteRange({1, 1}, {2, 2}, true);
    document.InsertTextAt({1, 1}, QStringLiteral("Q"), true);
  }
  QCOMPARE(document.UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                           "  ins g1 (3,1)-(4,1) \"x\"\n"
                                                           "  ins g1 (4,1)-(5,1) \"y\"\n"
                                                           "  ins g2 (5,1)-(6,1) \"z\"\n"
                                                           "  del g3 (1,1)-(2,2) \"abxyz\\r\\nc\"\n"
                                                           "  ins g3 (1,1)-(2,1) \"Q\"\n"
                                                           "redo:\n"));
  QCOMPARE(Text(document), "Qd");
  TBufferCoord caret;
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "abxyz|cd");
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "abxy|cd");
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "ab|cd");
  QVERIFY(!document.Undo(caret));
  QCOMPARE(document.UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                           "redo:\n"
                                                           "  ins g3 (1,1)-(2,1) \"Q\"\n"
                                                           "  del g3 (1,1)-(2,2) \"abxyz\\r\\nc\"\n"
                                                           "  ins g2 (5,1)-(6,1) \"z\"\n"
                                                           "  ins g1 (4,1)-(5,1) \"y\"\n"
                                                           "  ins g1 (3,1)-(4,1) \"x\"\n"));
  QVERIFY(document.Redo(caret));
  QCOMPARE(Text(document), "abxy|cd");
}

void TestDocument::virtualSpacePaddingIsUndone() {
  TMEDocument document;
  SetLines(document, "abc");
  QCOMPARE(Pos(document.InsertTextAt({10, 1}, QStringLiteral("x"), true)), "(11,1)");
  QCOMPARE(Text(document), "abc      x");
  // The padding belongs to the insertion, so the record starts at the old line end.
  QCOMPARE(document.UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                           "  ins g1 (4,1)-(11,1) \"      x\"\n"
                                                           "redo:\n"));
  TBufferCoord caret;
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "abc");
  QVERIFY(document.Redo(caret));
  QCOMPARE(Text(document), "abc      x");
  QCOMPARE(Pos(caret), "(11,1)");
}

// What Undo and Redo do with the view's caret, given as the source reported it at each record.
void TestDocument::replayMovesTheCaret_data() {
  QTest::addColumn<int>("operation");
  QTest::addColumn<QString>("afterUndo");
  QTest::addColumn<QString>("afterRedo");
  // The caret before each operation is (4,1) and stands at (9,9) before each replay.
  QTest::newRow("insert_redo_after_the_text") << 0 << "(4,1)" << "(3,2)";
  QTest::newRow("delete_redo_at_its_start") << 1 << "(4,1)" << "(2,1)";
  QTest::newRow("block_undo_to_its_first_record") << 2 << "(4,1)" << "(3,1)";
  QTest::newRow("splices_redo_leaves_the_caret") << 3 << "(4,1)" << "(9,9)";
}

void TestDocument::replayMovesTheCaret() {
  QFETCH(int, operation);
  QFETCH(QString, afterUndo);
  QFETCH(QString, afterRedo);
  TMEDocument document;
  SetLines(document, "abcd|ef");
  TMECaretState state{{4, 1}, {2, 1}, {4, 1}};
  document.SetCaretSource([&] { return state; });
  switch (operation) {
    case 0: document.InsertTextAt({2, 1}, QStringLiteral("x\nyz"), true); break;
    case 1: document.DeleteRange({2, 1}, {4, 1}, true); break;
    case 2: {
      const TMEUndoBlock block(document);
      document.DeleteRange({2, 1}, {4, 1}, true);
      state = {{2, 1}, {2, 1}, {2, 1}};
      document.InsertTextAt({2, 1}, QStringLiteral("X"), true);
      break;
    }
    case 3: document.SpliceLines({{1, 1, "b", "BB"}, {2, 0, "e", ""}}); break;
  }
  TBufferCoord caret{9, 9};
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "abcd|ef");
  QCOMPARE(Pos(caret), afterUndo);
  caret = {9, 9};
  QVERIFY(document.Redo(caret));
  QCOMPARE(Pos(caret), afterRedo);
}

void TestDocument::spliceLinesUndoneAndRedone() {
  TMEDocument document;
  SetLines(document, "a1|b|a2|a3|x|a4");
  QSignalSpy spy(&document, &TMEDocument::OnLinesReplaced);
  const QString removed = QStringLiteral("a");
  document.SpliceLines({{1, 0, removed, "AA"}, {3, 0, removed, "AA"}, {4, 0, removed, ""}, {6, 0, removed, "AA"}});
  QCOMPARE(Text(document), "AA1|b|AA2|3|x|AA4");
  // Neighbouring lines are reported as one run.
  QCOMPARE(Reports(spy), "0,1,1 2,2,2 5,1,1");
  QCOMPARE(document.UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                           "  lines g1 4 splices\n"
                                                           "redo:\n"));
  spy.clear();
  TBufferCoord caret;
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "a1|b|a2|a3|x|a4");
  QCOMPARE(Reports(spy), "0,1,1 2,2,2 5,1,1");
  QVERIFY(document.Redo(caret));
  QCOMPARE(Text(document), "AA1|b|AA2|3|x|AA4");
  spy.clear();
  document.SpliceLines({});
  QCOMPARE(Reports(spy), "");
  QCOMPARE(document.UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                           "  lines g1 4 splices\n"
                                                           "redo:\n"));
}

void TestDocument::everyChangeRaisesRevisionAndReports_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<int>("operation");
  QTest::addColumn<QString>("reports");
  QTest::addColumn<bool>("modified");
  QTest::newRow("insert_in_a_line") << "ab|cd|ef" << 0 << "1,1,1" << true;
  QTest::newRow("insert_lines") << "ab|cd|ef" << 1 << "1,1,3" << true;
  QTest::newRow("insert_into_empty_document_counts_one_line") << "" << 0 << "0,1,1" << true;
  QTest::newRow("delete_across_lines") << "ab|cd|ef" << 2 << "0,3,1" << true;
  QTest::newRow("delete_nothing") << "ab|cd|ef" << 3 << "" << false;
  QTest::newRow("splices_by_runs") << "ab|cd|ef" << 4 << "0,1,1 2,1,1" << true;
  QTest::newRow("set_text_every_line") << "ab|cd|ef" << 5 << "0,3,2" << false;
  QTest::newRow("clear_every_line") << "ab|cd|ef" << 6 << "0,3,1" << true;
  QTest::newRow("clear_empty_document_nothing") << "" << 6 << "" << true;
  QTest::newRow("adopt_every_line") << "ab|cd|ef" << 7 << "0,3,4" << false;
  // A group of an insertion then a deletion: Undo replays them last first, Redo first first.
  // Modified does not follow the undo position: undoing back to the loaded text still counts.
  QTest::newRow("undo_replays_the_records") << "ab|cd|ef" << 8 << "0,1,3 1,2,1" << true;
  QTest::newRow("redo_replays_the_records") << "ab|cd|ef" << 9 << "1,1,2 0,3,1" << true;
}

void TestDocument::everyChangeRaisesRevisionAndReports() {
  QFETCH(QString, lines);
  QFETCH(int, operation);
  QFETCH(QString, reports);
  QFETCH(bool, modified);
  TMEDocument document;
  SetLines(document, lines);
  TBufferCoord caret;
  if (operation == 8 || operation == 9) {
    const TMEUndoBlock block(document);
    document.InsertTextAt({2, 2}, QStringLiteral("x\ny"), true);
    document.DeleteRange({2, 1}, {2, 3}, true);
  }
  if (operation == 9) document.Undo(caret);
  document.SetModified(false);
  QSignalSpy spy(&document, &TMEDocument::OnLinesReplaced);
  const quint64 revision = document.Revision();
  switch (operation) {
    case 0: document.InsertTextAt({2, 2}, QStringLiteral("x"), false); break;
    case 1: document.InsertTextAt({2, 2}, QStringLiteral("x\ny\nz"), false); break;
    case 2: document.DeleteRange({2, 1}, {2, 3}, false); break;
    case 3: document.DeleteRange({2, 1}, {2, 1}, false); break;
    case 4: document.SpliceLines({{1, 0, "a", "A"}, {3, 1, "f", "F"}}); break;
    case 5: document.SetText(u"1\n2"); break;
    case 6: document.Clear(); break;
    case 7: {
      auto adopted = std::make_unique<QStringList>(QStringList{"1", "2", "3", "4"});
      document.AdoptLines(adopted, leLF);
      break;
    }
    case 8: QVERIFY(document.Undo(caret)); break;
    case 9: QVERIFY(document.Redo(caret)); break;
  }
  QCOMPARE(Reports(spy), reports);
  QCOMPARE(document.Revision() - revision, quint64(spy.count()));
  QCOMPARE(document.Modified(), modified);
}

// SetText, Clear and AdoptLines replace the whole text: nothing before them can be undone or redone.
void TestDocument::wholeTextChangesEmptyUndo_data() {
  QTest::addColumn<int>("operation");
  QTest::addColumn<QString>("result");
  QTest::newRow("set_text") << 0 << "new|text";
  QTest::newRow("clear") << 1 << "";
  QTest::newRow("adopt_lines") << 2 << "adopted";
}

void TestDocument::wholeTextChangesEmptyUndo() {
  QFETCH(int, operation);
  QFETCH(QString, result);
  TMEDocument document;
  SetLines(document, "ab|cd");
  document.InsertTextAt({1, 1}, QStringLiteral("1"), true);
  document.InsertTextAt({1, 1}, QStringLiteral("22"), true);
  TBufferCoord caret;
  document.Undo(caret);
  QVERIFY(document.CanUndo() && document.CanRedo());
  switch (operation) {
    case 0: document.SetText(u"new\r\ntext"); break;
    case 1: document.Clear(); break;
    case 2: {
      auto adopted = std::make_unique<QStringList>(QStringList{"adopted"});
      document.AdoptLines(adopted, leCR);
      QCOMPARE(int(document.Lines().LineEnding()), int(leCR));
      break;
    }
  }
  QCOMPARE(Text(document), result);
  QVERIFY(!document.CanUndo());
  QVERIFY(!document.CanRedo());
  QVERIFY(!document.Undo(caret));
  QCOMPARE(document.UndoList().DebugDump(), "undo:\nredo:\n");
}

void TestDocument::adoptLinesTakesLinesWithoutCopying() {
  TMEDocument document;
  SetLines(document, "old");
  QSignalSpy spy(&document, &TMEDocument::OnLinesReplaced);
  std::unique_ptr<QStringList> none;
  document.AdoptLines(none, leLF);
  QCOMPARE(spy.count(), 0);
  QCOMPARE(Text(document), "old");

  auto lines = std::make_unique<QStringList>(QStringList{"x", "y"});
  const QChar *data = lines->at(0).constData();
  document.AdoptLines(lines, leLF);
  QVERIFY(!lines);
  QCOMPARE(document.Lines().Lines().at(0).constData(), data);
  QCOMPARE(Reports(spy), "0,1,2");
  QVERIFY(!document.Modified());
}

// The block is closed by its guard: the record after an early return or an exception opens a new
// group instead of joining the interrupted one.
void TestDocument::undoBlockClosesHoweverItsScopeIsLeft_data() {
  QTest::addColumn<int>("leaveBy");
  QTest::addColumn<QString>("records");
  QTest::newRow("early_return") << 0 << "ins g1 ab|del g2 a";
  QTest::newRow("exception") << 1 << "ins g1 ab|del g2 a";
  QTest::newRow("end_of_scope") << 2 << "ins g1 ab|ins g1 cd|del g2 a";
}

// 0: returns after the first record, 1: throws after it, 2: makes a second record.
static void EditInBlock(TMEDocument &document, int leaveBy) {
  const TMEUndoBlock block(document);
  document.InsertTextAt({1, 1}, QStringLiteral("ab"), true);
  if (leaveBy == 0) return;
  if (leaveBy == 1) throw std::runtime_error("interrupted");
  document.InsertTextAt({3, 1}, QStringLiteral("cd"), true);
}

void TestDocument::undoBlockClosesHoweverItsScopeIsLeft() {
  QFETCH(int, leaveBy);
  QFETCH(QString, records);
  TMEDocument document;
  try {
    EditInBlock(document, leaveBy);
  } catch (const std::runtime_error &) {
    QCOMPARE(leaveBy, 1);
  }
  document.DeleteRange({1, 1}, {2, 1}, true);
  // "kind group text" of each record, oldest first.
  QStringList got;
  for (const QString &line : document.UndoList().DebugDump().split(u'\n')) {
    const QStringList parts = line.simplified().split(u' ');
    if (parts.size() == 4) got.append(parts[0] + u' ' + parts[1] + u' ' + QString(parts[3]).remove(u'"'));
  }
  QCOMPARE(got.join(u'|'), records);
}

// Every record keeps where its text ends and the caret from before it; replaying a mix of edits
// backwards and forwards must land exactly on each earlier text and caret.
void TestDocument::randomEditsUndoAndRedoExactly() {
  QRandomGenerator rng(11);
  const QStringList inserts = {"x", "\r\n", "ab\ncd", "\t", S(u"\U0001F600"), "p\rq\r\n"};
  TMEDocument document;
  SetLines(document, "alpha|beta||gamma delta");
  TMECaretState state;
  document.SetCaretSource([&] { return state; });
  QStringList history{document.GetText()};
  QList<TBufferCoord> carets{{}};  // the caret before each group
  const auto randomPos = [&] {
    const int line = 1 + int(rng.bounded(document.LineCount()));
    return TBufferCoord{1 + int(rng.bounded(int(document.LineText(line).size()) + 4)), line};
  };
  const auto topGroup = [&] { return document.CanUndo() ? document.UndoList().UndoGroup() : 0; };
  for (int step = 0; step < 300; ++step) {
    const int group = topGroup();
    const TBufferCoord a = randomPos(), b = randomPos();
    state = {randomPos(), a, b};
    switch (rng.bounded(5)) {
      case 0: document.InsertTextAt(a, inserts[int(rng.bounded(inserts.size()))], true); break;
      case 1: document.DeleteRange(a, b, true); break;
      case 2: {
        const TMEUndoBlock block(document);
        document.DeleteRange(a, b, true);
        document.InsertTextAt(qMin(a, b), inserts[int(rng.bounded(inserts.size()))], true);
        break;
      }
      case 3: document.ReplaceRange(a, b, SplitAtLineBreaks(inserts[int(rng.bounded(inserts.size()))])); break;
      default: {
        QList<TMELineSplice> splices;
        for (int i = 0; i < document.Lines().GetCount(); ++i) {
          const QString line = document.Lines().Get(i);
          if (!line.isEmpty() && rng.bounded(3) == 0) splices.append({i + 1, 0, line.left(1), "Z!"});
        }
        document.SpliceLines(splices);
        break;
      }
    }
    if (topGroup() != group) {
      history.append(document.GetText());
      carets.append(state.Caret);
    } else {
      // A one-unit insertion joined the group before it, or nothing changed.
      history.last() = document.GetText();
    }
  }
  QVERIFY(history.size() > 100);
  TBufferCoord caret;
  for (int i = int(history.size()) - 2; i >= 0; --i) {
    QVERIFY(document.Undo(caret));
    QCOMPARE(document.GetText(), history[i]);
    QCOMPARE(Pos(caret), Pos(carets[i + 1]));
  }
  QVERIFY(!document.CanUndo());
  for (qsizetype i = 1; i < history.size(); ++i) {
    QVERIFY(document.Redo(caret));
    QCOMPARE(document.GetText(), history[i]);
  }
  QVERIFY(!document.CanRedo());
}

// A command that rewrites the text and changes the line break and a remembered choice with it:
// Undo puts all three back at once, Redo makes them again, and each value change is reported.
void TestDocument::propertyChangeJoinsTheTextsGroup() {
  TMEDocument document;
  SetLines(document, "a,b|c,d");
  document.SetLineBreak(u"\r\n");
  QSignalSpy properties(&document, &TMEDocument::OnPropertyChanged);
  {
    const TMEUndoBlock block(document);
    document.DeleteRange(BC(1, 1), BC(4, 2), true);
    document.InsertTextAt(BC(1, 1), "a;b\nc;d", true);
    document.SetProperty(TMEDocument::KLineBreakProperty, "\n", true);
    document.SetProperty("CsvDelim", ";", true);
  }
  QCOMPARE(document.UndoList().DebugDump(), QString("undo:\n"
                                                    "  del g1 (1,1)-(4,2) \"a,b\\r\\nc,d\"\n"
                                                    "  ins g1 (1,1)-(4,2) \"a;b\\nc;d\"\n"
                                                    "  prop g1 LineBreak \"\\r\\n\"->\"\\n\"\n"
                                                    "  prop g1 CsvDelim \"\"->\";\"\n"
                                                    "redo:\n"));
  QCOMPARE(document.Lines().LineBreak(), "\n");
  QCOMPARE(properties.size(), 2);

  TBufferCoord caret;
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "a,b|c,d");
  QCOMPARE(document.Property(TMEDocument::KLineBreakProperty), "\r\n");
  QCOMPARE(document.Lines().LineBreak(), "\r\n");
  QCOMPARE(document.Property("CsvDelim"), "");
  QVERIFY(!document.CanUndo());
  QCOMPARE(properties.size(), 4);

  QVERIFY(document.Redo(caret));
  QCOMPARE(Text(document), "a;b|c;d");
  QCOMPARE(document.Lines().LineBreak(), "\n");
  QCOMPARE(document.Property("CsvDelim"), ";");
  QCOMPARE(properties.size(), 6);
  QCOMPARE(properties.last().first().toString(), "CsvDelim");
}

// Converting only the line break changes no line: its group is the one record, and Undo of it
// leaves the text and the groups before it alone.
void TestDocument::propertyOnlyGroupUndoneAlone() {
  TMEDocument document;
  SetLines(document, "x");
  document.InsertTextAt(BC(2, 1), "yz", true);
  document.SetModified(false);
  document.SetProperty(TMEDocument::KLineBreakProperty, "\r", true);
  QVERIFY(document.Modified());
  QCOMPARE(document.Lines().LineEnding(), leCR);
  TBufferCoord caret;
  QVERIFY(document.Undo(caret));
  QCOMPARE(document.Lines().LineEnding(), leCRLF);
  QCOMPARE(Text(document), "xyz");
  QVERIFY(document.CanUndo());
}

void TestDocument::unrecordedOrUnchangedPropertyLeavesNoRecord() {
  TMEDocument document;
  QSignalSpy properties(&document, &TMEDocument::OnPropertyChanged);
  document.SetProperty("CsvDelim", "|", false);
  QCOMPARE(document.Property("CsvDelim"), "|");
  document.SetProperty("CsvDelim", "|", true);
  document.SetProperty(TMEDocument::KLineBreakProperty, "\r\n", true);
  QVERIFY(!document.CanUndo());
  QVERIFY(!document.Modified());
  QCOMPARE(properties.size(), 1);
}

// A block replacement ends as removing the range and inserting the text joined by CR LF would, in
// one undo group, end: the same text, end, caret after Undo and Redo, and Modified flag.
void TestDocument::replaceRangeActsAsRemovalAndInsertion_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<TBufferCoord>("from");
  QTest::addColumn<TBufferCoord>("to");
  QTest::addColumn<QString>("pieces");  // the new text's lines, "|" between them
  QTest::addColumn<QString>("result");
  QTest::addColumn<TBufferCoord>("end");
  QTest::addColumn<QString>("reports");
  QTest::newRow("within_one_line") << "abcd" << BC(2, 1) << BC(4, 1) << "XY" << "aXYd" << BC(4, 1) << "0,1,1";
  QTest::newRow("lines_in_place_of_part_of_a_line") << "abcd" << BC(2, 1) << BC(3, 1) << "1|2|3" << "a1|2|3cd"
                                                   << BC(2, 3) << "0,1,3";
  QTest::newRow("fewer_lines_than_the_range") << "ab|cd|ef|gh" << BC(2, 1) << BC(2, 3) << "X" << "aXf|gh" << BC(3, 1)
                                              << "0,3,1";
  QTest::newRow("ends_in_either_order") << "ab|cd|ef|gh" << BC(2, 3) << BC(2, 1) << "X" << "aXf|gh" << BC(3, 1)
                                        << "0,3,1";
  // The line after the range is left alone: only the lines the text reaches are reported.
  QTest::newRow("whole_lines_exchanged") << "a|b|c|d" << BC(1, 2) << BC(1, 4) << "C|B|" << "a|C|B|d" << BC(1, 4)
                                         << "1,2,2";
  QTest::newRow("whole_lines_removed") << "a|b|c|d" << BC(1, 2) << BC(1, 4) << "" << "a|d" << BC(1, 2) << "1,3,1";
  QTest::newRow("lines_inserted_before_a_line") << "a|b" << BC(1, 2) << BC(1, 2) << "x|y|" << "a|x|y|b" << BC(1, 4)
                                                << "1,1,3";
  QTest::newRow("empty_text_removes_the_range") << "ab|cd" << BC(2, 1) << BC(2, 2) << "" << "ad" << BC(2, 1)
                                                << "0,2,1";
  QTest::newRow("empty_range_and_text_nothing") << "ab" << BC(2, 1) << BC(2, 1) << "" << "ab" << BC(2, 1) << "";
  QTest::newRow("into_an_empty_document") << "" << BC(1, 1) << BC(1, 1) << "a|b" << "a|b" << BC(2, 2) << "0,1,2";
  QTest::newRow("control_characters_stored_as_dots") << "ab" << BC(1, 1) << BC(1, 1) << S(u"\u0001|\u007F")
                                                     << "<00B7>|<00B7>ab" << BC(2, 2) << "0,1,2";
  QTest::newRow("never_half_a_surrogate_pair") << S(u"a\U0001F600b") << BC(1, 1) << BC(3, 1) << "x"
                                               << "x<D83D><DE00>b" << BC(2, 1) << "0,1,1";
  QTest::newRow("places_past_the_end_clamped") << "ab|cd" << BC(2, 2) << BC(1, 9) << "X" << "ab|Xd" << BC(2, 2)
                                               << "1,1,1";
  QTest::newRow("virtual_start_joins_without_padding") << "ab|cd" << BC(9, 1) << BC(1, 2) << "X" << "abXcd"
                                                       << BC(4, 1) << "0,2,1";
}

void TestDocument::replaceRangeActsAsRemovalAndInsertion() {
  QFETCH(QString, lines);
  QFETCH(TBufferCoord, from);
  QFETCH(TBufferCoord, to);
  QFETCH(QString, pieces);
  QFETCH(QString, result);
  QFETCH(TBufferCoord, end);
  QFETCH(QString, reports);
  TMEDocument block, twin;
  for (TMEDocument *document : {&block, &twin}) {
    SetLines(*document, lines);
    document->SetCaretSource([] { return TMECaretState{{3, 1}, {1, 1}, {3, 1}}; });
  }
  const QString before = Text(block);
  QSignalSpy spy(&block, &TMEDocument::OnLinesReplaced);
  QCOMPARE(Pos(block.ReplaceRange(from, to, pieces.split(u'|'))), Pos(end));
  QCOMPARE(Text(block), result);
  QCOMPARE(Reports(spy), reports);
  {
    // The removal puts both ends on the text; the insertion goes where the earlier one stood.
    const auto onText = [&](TBufferCoord coord) {
      coord.Line = qBound(1, coord.Line, twin.LineCount());
      const QString line = twin.LineText(coord.Line);
      coord.Char = qBound(1, coord.Char, int(line.size()) + 1);
      if (SplitsPair(line, coord.Char)) --coord.Char;
      return coord;
    };
    const TMEUndoBlock group(twin);
    TBufferCoord start = onText(from), stop = onText(to);
    OrderCoords(start, stop);
    twin.DeleteRange(start, stop, true);
    twin.InsertTextAt(start, QString(pieces).replace(u'|', QStringLiteral("\r\n")), true);
  }
  QCOMPARE(Text(twin), result);
  QCOMPARE(block.CanUndo(), twin.CanUndo());
  if (!block.CanUndo()) return;
  for (const bool undo : {true, false}) {
    block.SetModified(false);
    twin.SetModified(false);
    TBufferCoord blockCaret{9, 9}, twinCaret{9, 9};
    QVERIFY(undo ? block.Undo(blockCaret) : block.Redo(blockCaret));
    QVERIFY(undo ? twin.Undo(twinCaret) : twin.Redo(twinCaret));
    QCOMPARE(Text(block), undo ? Text(twin) : result);
    QCOMPARE(Text(twin), undo ? before : result);
    QCOMPARE(Pos(blockCaret), Pos(twinCaret));
    QCOMPARE(block.Modified(), twin.Modified());
    QCOMPARE(block.CanUndo(), twin.CanUndo());
    QCOMPARE(block.CanRedo(), twin.CanRedo());
  }
}

// The record holds the replaced lines, not a copy of their text: Undo puts the very same lines
// back, and Redo the very lines that were given.
void TestDocument::blockRecordKeepsTheLinesThemselves() {
  TMEDocument document;
  SetLines(document, "first|second|third|fourth");
  const QChar *second = document.Lines().Lines().at(1).constData();
  const QStringList given{"B", "C", ""};
  const QChar *b = given.at(0).constData();
  QCOMPARE(Pos(document.ReplaceRange({1, 2}, {1, 4}, given)), "(1,4)");
  QCOMPARE(Text(document), "first|B|C|fourth");
  QCOMPARE(document.Lines().Lines().at(1).constData(), b);
  QCOMPARE(document.UndoList().DebugDump(), QStringLiteral("undo:\n"
                                                           "  block g1 (1,2)-(1,4) 2 for \"second\\r\\nthird\"\n"
                                                           "redo:\n"));
  TBufferCoord caret;
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "first|second|third|fourth");
  QCOMPARE(document.Lines().Lines().at(1).constData(), second);
  QVERIFY(document.Redo(caret));
  QCOMPARE(Text(document), "first|B|C|fourth");
  QCOMPARE(document.Lines().Lines().at(1).constData(), b);
  QCOMPARE(Pos(caret), "(1,4)");
}

// In a group with removals, insertions and a property, one Undo takes all of them back in order
// and one Redo makes them again; outside a group a block joins no typing, before or after it.
void TestDocument::blockRecordReplaysWithTheRestOfItsGroup() {
  TMEDocument document;
  SetLines(document, "one|two|three");
  TMECaretState state{{2, 1}, {2, 1}, {2, 1}};
  document.SetCaretSource([&] { return state; });
  document.InsertTextAt({4, 1}, QStringLiteral("!"), true);
  {
    const TMEUndoBlock block(document);
    document.DeleteRange({1, 1}, {2, 1}, true);
    state = {{7, 3}, {1, 1}, {7, 3}};
    document.ReplaceRange({2, 2}, {3, 3}, {"W", "X", "Y"});
    document.SetProperty("CsvDelim", ";", true);
    document.InsertTextAt({1, 1}, QStringLiteral("Z\n"), true);
  }
  QCOMPARE(Text(document), "Z|ne!|tW|X|Yree");
  document.ReplaceRange({1, 1}, {2, 1}, {"A"});
  document.InsertTextAt({2, 1}, QStringLiteral("?"), true);
  QCOMPARE(Text(document), "A?|ne!|tW|X|Yree");
  QCOMPARE(document.UndoList().DebugDump(),
           QStringLiteral("undo:\n"
                          "  ins g1 (4,1)-(5,1) \"!\"\n"
                          "  del g2 (1,1)-(2,1) \"o\"\n"
                          "  block g2 (2,2)-(2,4) 3 for \"two\\r\\nthree\"\n"
                          "  prop g2 CsvDelim \"\"->\";\"\n"
                          "  ins g2 (1,1)-(1,2) \"Z\\n\"\n"
                          "  block g3 (1,1)-(2,1) 1 for \"Z\"\n"
                          "  ins g4 (2,1)-(3,1) \"?\"\n"
                          "redo:\n"));
  TBufferCoord caret;
  QVERIFY(document.Undo(caret));
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "Z|ne!|tW|X|Yree");
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "one!|two|three");
  QCOMPARE(document.Property("CsvDelim"), "");
  // Where the caret stood before the group's first record.
  QCOMPARE(Pos(caret), "(2,1)");
  QVERIFY(document.Redo(caret));
  QCOMPARE(Text(document), "Z|ne!|tW|X|Yree");
  QCOMPARE(document.Property("CsvDelim"), ";");
  QCOMPARE(Pos(caret), "(1,2)");
  QVERIFY(document.Undo(caret));
  QCOMPARE(Text(document), "one!|two|three");
}

QTEST_GUILESS_MAIN(TestDocument)
#include "test_document.moc"
