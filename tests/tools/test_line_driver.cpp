// The text side of the line-tool drivers: the per-line map, the range a selection covers, running
// a procedure safely, the replacement that writes lines back, and the per-line text map.
#include "ToolsTestUtil.h"
#include "core/TextSplit.h"
#include "tools/LineDriver.h"
#include "tools/LineLists.h"
#include "tools/LineMaps.h"
#include "tools/LineSort.h"
#include "tools/RandomGenerator.h"

#include <stdexcept>

namespace {
// What the editor does with a replacement, on a document held as text with LF breaks.
QString ApplyToDocument(const QString &document, const TLineBlockEdit &edit) {
  const QStringList lines = document.split(u'\n');
  auto offsetOf = [&](int line, int character) {
    qsizetype offset = 0;
    for (int i = 0; i < line - 1; ++i) offset += lines[i].size() + 1;
    return offset + character - 1;
  };
  const qsizetype start = offsetOf(edit.StartLine, edit.StartChar);
  const qsizetype end = offsetOf(edit.EndLine, edit.EndChar);
  return QString(document).replace(start, end - start, edit.Lines.join(u'\n'));
}

// The whole road of a line command on a document (LF breaks), as the adapter will take it.
// selection: {startLine, endLine, endChar} in document order, or empty for none.
QString RunOnDocument(const QString &document, const QList<int> &selection, const TLinesProc &proc,
                      QString *error = nullptr) {
  const QStringList lines = document.split(u'\n');
  const int count = int(lines.size());
  const TLineRange range =
      selection.isEmpty() ? AllLines(count) : LinesOfSelection(selection[0], selection[1], selection[2]);
  TResult<QStringList> result = RunLinesProc(lines.mid(range.First - 1, range.Last - range.First + 1),
                                             range.Last >= count, proc);
  if (!result.IsOk()) {
    if (error) *error = result.Error();
    return document;
  }
  return ApplyToDocument(document, LineBlockEdit(range, count, result.Value(), [&](int n) { return int(lines[n - 1].size()); }));
}
}  // namespace

Q_DECLARE_METATYPE(TLinesProc)

class TestLineDriver : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void lineMapKeepsOrderAndSeesEveryLineOnce();
  void selectionCoversWholeLines_data();
  void selectionCoversWholeLines();
  void commandsOnDocuments_data();
  void commandsOnDocuments();
  void escapingErrorLeavesTheLinesAlone();
  void blockEditPositions_data();
  void blockEditPositions();
  void mapTextLinesKeepsBreaks_data();
  void mapTextLinesKeepsBreaks();
};

void TestLineDriver::lineMapKeepsOrderAndSeesEveryLineOnce() {
  QStringList lines{"1", "2", "3", "4", "5", "6"};
  QStringList seen;
  ApplyLineMap(lines, [&](QString &line) {
    seen.append(line);
    line += u'!';
    return line.at(0).digitValue() % 2 == 0;
  });
  QCOMPARE(seen, (QStringList{"1", "2", "3", "4", "5", "6"}));
  QCOMPARE(lines, (QStringList{"2!", "4!", "6!"}));
  QStringList none{"a", "b"};
  InMemoryLineMap([](QString &) { return false; })(none);
  QVERIFY(none.isEmpty());
}

void TestLineDriver::selectionCoversWholeLines_data() {
  QTest::addColumn<int>("startLine");
  QTest::addColumn<int>("endLine");
  QTest::addColumn<int>("endChar");
  QTest::addColumn<int>("first");
  QTest::addColumn<int>("last");
  QTest::newRow("end_at_char_1_of_later_line_leaves_it_out") << 2 << 5 << 1 << 2 << 4;
  QTest::newRow("end_inside_line_takes_it") << 2 << 5 << 3 << 2 << 5;
  QTest::newRow("within_one_line") << 3 << 3 << 1 << 3 << 3;
  QTest::newRow("empty_selection_on_one_line") << 3 << 3 << 4 << 3 << 3;
}

void TestLineDriver::selectionCoversWholeLines() {
  QFETCH(int, startLine);
  QFETCH(int, endLine);
  QFETCH(int, endChar);
  QFETCH(int, first);
  QFETCH(int, last);
  QCOMPARE(LinesOfSelection(startLine, endLine, endChar), (TLineRange{first, last}));
}

void TestLineDriver::commandsOnDocuments_data() {
  QTest::addColumn<QString>("document");
  QTest::addColumn<QList<int>>("selection");
  QTest::addColumn<TLinesProc>("proc");
  QTest::addColumn<QString>("expected");
  const TLinesProc reverse = ReverseLines;
  const TLinesProc dropAll = InMemoryLineMap([](QString &) { return false; });
  const TLinesProc removeEmpty = InMemoryLineMap(RemoveEmptyLinesMap());
  const TLinesProc sort = [](QStringList &lines) { SortLinesByCollation(lines, Qt::CaseInsensitive, QLocale(QLocale::English)); };
  QTest::newRow("reverse_keeps_final_break_at_the_end") << "1\n2\n3\n" << QList<int>() << reverse << "3\n2\n1\n";
  QTest::newRow("reverse_without_final_break") << "1\n2\n3" << QList<int>() << reverse << "3\n2\n1";
  QTest::newRow("shuffle_keeps_final_break_at_the_end")
      << "1\n2\n3\n" << QList<int>()
      << TLinesProc([](QStringList &lines) {
           TRandomGenerator random(0);
           ShuffleLines(lines, random);
         })
      << "2\n3\n1\n";
  QTest::newRow("sort_keeps_final_break_at_the_end") << "b\na\n" << QList<int>() << sort << "a\nb\n";
  QTest::newRow("document_of_one_empty_line") << "" << QList<int>() << reverse << "";
  QTest::newRow("only_an_empty_line_and_the_break") << "\n" << QList<int>() << reverse << "\n";
  QTest::newRow("range_not_reaching_end_keeps_next_line") << "c\nb\na\nz" << QList<int>{1, 4, 1} << reverse
                                                          << "a\nb\nc\nz";
  QTest::newRow("selection_to_end_of_last_line") << "x\nb\na" << QList<int>{2, 3, 2} << reverse << "x\na\nb";
  QTest::newRow("removing_every_selected_line_moves_next_up") << "a\nb\nc\nd" << QList<int>{2, 4, 1} << dropAll
                                                              << "a\nd";
  QTest::newRow("range_emptied_at_end_leaves_no_stray_line") << "a\n \n " << QList<int>{2, 3, 2} << removeEmpty
                                                             << "a";
  QTest::newRow("whole_document_emptied") << "a\nb" << QList<int>() << dropAll << "";
  QTest::newRow("emptied_document_with_final_break") << " \n\t\n" << QList<int>() << removeEmpty << "";
  QTest::newRow("line_map_keeps_final_break") << "a\n\nb\n" << QList<int>() << removeEmpty << "a\nb\n";
}

void TestLineDriver::commandsOnDocuments() {
  QFETCH(QString, document);
  QFETCH(QList<int>, selection);
  QFETCH(TLinesProc, proc);
  QFETCH(QString, expected);
  QCOMPARE(Visible(RunOnDocument(document, selection, proc)), Visible(expected));
}

void TestLineDriver::escapingErrorLeavesTheLinesAlone() {
  QString error;
  const QString document = QStringLiteral("b\na\n");
  const QString after = RunOnDocument(document, {}, [](QStringList &lines) {
    lines.clear();
    throw std::runtime_error("line procedure broke");
  }, &error);
  QCOMPARE(after, document);
  QCOMPARE(error, QStringLiteral("line procedure broke"));
  const TResult<QStringList> outOfMemory =
      RunLinesProc({"a"}, true, [](QStringList &) { throw std::bad_alloc(); });
  QVERIFY(!outOfMemory.IsOk());
  QCOMPARE(outOfMemory.Error(), QStringLiteral("Not enough memory."));
}

void TestLineDriver::blockEditPositions_data() {
  QTest::addColumn<int>("first");
  QTest::addColumn<int>("last");
  QTest::addColumn<int>("count");
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QList<int>>("expected");  // start line, start char, end line, end char
  QTest::addColumn<QString>("text");  // the new lines joined by CR LF
  // Every line of the document is 5 units long in these rows.
  QTest::newRow("inside_document_ends_at_next_line_start") << 2 << 3 << 6 << QStringList{"x", "y"}
                                                           << QList<int>{2, 1, 4, 1} << "x\r\ny\r\n";
  QTest::newRow("reaching_end_stops_at_last_line_end") << 2 << 6 << 6 << QStringList{"x", "y"}
                                                       << QList<int>{2, 1, 6, 6} << "x\r\ny";
  QTest::newRow("emptied_inside_document") << 2 << 3 << 6 << QStringList() << QList<int>{2, 1, 4, 1} << "";
  QTest::newRow("emptied_at_end_takes_the_break_before") << 4 << 6 << 6 << QStringList()
                                                         << QList<int>{3, 6, 6, 6} << "";
  QTest::newRow("emptied_whole_document") << 1 << 6 << 6 << QStringList() << QList<int>{1, 1, 6, 6} << "";
  QTest::newRow("document_without_lines_gets_the_lines") << 1 << 0 << 0 << QStringList{"x", "y"}
                                                         << QList<int>{1, 1, 1, 1} << "x\r\ny";
  QTest::newRow("one_empty_line_kept_inside") << 2 << 2 << 6 << QStringList{""} << QList<int>{2, 1, 3, 1} << "\r\n";
  QTest::newRow("break_inside_a_line_splits_it") << 2 << 3 << 6 << QStringList{"a\nb", "c\r", "d\r\ne"}
                                                 << QList<int>{2, 1, 4, 1} << "a\nb\r\nc\r\r\nd\r\ne\r\n";
}

void TestLineDriver::blockEditPositions() {
  QFETCH(int, first);
  QFETCH(int, last);
  QFETCH(int, count);
  QFETCH(QStringList, lines);
  QFETCH(QList<int>, expected);
  QFETCH(QString, text);
  const TLineBlockEdit edit = LineBlockEdit({first, last}, count, lines, [](int) { return 5; });
  QCOMPARE((QList<int>{edit.StartLine, edit.StartChar, edit.EndLine, edit.EndChar}), expected);
  // The pieces the text joined from the lines would split into.
  QCOMPARE(edit.Lines, SplitAtLineBreaks(text));
}

void TestLineDriver::mapTextLinesKeepsBreaks_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("mapped");
  QTest::addColumn<int>("calls");
  QTest::newRow("each_break_kind_stays_in_place") << "a\r\nb\nc\r" << "[a]\r\n[b]\n[c]\r" << 3;
  QTest::newRow("text_after_last_break") << "a\nb" << "[a]\n[b]" << 2;
  QTest::newRow("empty_lines_between_breaks") << "\n\n" << "[]\n[]\n" << 2;
  QTest::newRow("empty_text_no_call") << "" << "" << 0;
}

void TestLineDriver::mapTextLinesKeepsBreaks() {
  QFETCH(QString, text);
  QFETCH(QString, mapped);
  QFETCH(int, calls);
  int called = 0;
  const QString result = MapTextLines(text, [&](QStringView line) {
    ++called;
    return u'[' + line.toString() + u']';
  });
  QCOMPARE(Visible(result), Visible(mapped));
  QCOMPARE(called, calls);
}

QTEST_GUILESS_MAIN(TestLineDriver)
#include "test_line_driver.moc"
