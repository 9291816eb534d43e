// The CSV commands over whole texts, and the column specifications they take.
#include "ToolsTestUtil.h"
#include "tools/CsvColumns.h"
#include "tools/CsvOperations.h"

namespace {
enum TCsvCommand { ReplaceWithSemicolon, QuoteAll, UnquoteAll, QuoteDelimiter };

TTextResult Run(TCsvCommand command, const QString &text) {
  switch (command) {
    case ReplaceWithSemicolon: return CsvReplaceDelimiter(text, u',', u';', u"\n");
    case QuoteAll: return CsvQuoteAll(text, u',', u"\n");
    case UnquoteAll: return CsvUnquoteAll(text, u',', u"\n");
    case QuoteDelimiter: return CsvReplaceDelimiter(text, u',', u'"', u"\n");
  }
  return TTextResult::Failure("unknown command");
}

QString Dump(const TResult<TColumnSet> &columns) {
  if (!columns.IsOk()) return "error:" + columns.Error();
  QStringList ranges;
  for (const TColumnSet::TRange &range : columns.Value().Ranges())
    ranges.append(QStringLiteral("%1-%2").arg(range.First).arg(range.Last));
  return ranges.join(u',');
}
}  // namespace

class TestCsvOperations : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void commands_data();
  void commands();
  void emptyEolWritesCrLf();
  void columnSpec_data();
  void columnSpec();
  void columnSetMergesRanges();
  void selectColumns_data();
  void selectColumns();
};

void TestCsvOperations::commands_data() {
  QTest::addColumn<int>("command");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("outcome");
  const QString openQuote = "error:The quoted field that opens on line 2 is never closed.";
  QTest::newRow("replace_quotes_for_the_new_delimiter")
      << int(ReplaceWithSemicolon) << R"(a,"b,""c""",d;e)" << R"(ok:a;"b,""c""";"d;e")";
  QTest::newRow("replace_keeps_inch_marks") << int(ReplaceWithSemicolon) << "1,12\" screen\n2,15\" screen"
                                            << "ok:1;\"12\"\" screen\"\n2;\"15\"\" screen\"";
  QTest::newRow("replace_keeps_a_quoted_line_break_quoted") << int(ReplaceWithSemicolon) << "a,\"x\r\ny\"\nb,c"
                                                            << "ok:a;\"x\r\ny\"\nb;c";
  QTest::newRow("replace_refuses_an_open_quote") << int(ReplaceWithSemicolon) << "a,b\n\"c,d" << openQuote;
  QTest::newRow("final_line_break_is_dropped") << int(UnquoteAll) << "a,b\r\n" << "ok:a,b";
  QTest::newRow("empty_line_in_the_middle_survives") << int(UnquoteAll) << "a\n\nb" << "ok:a\n\nb";
  QTest::newRow("unquote_keeps_only_needed_quotes") << int(UnquoteAll) << R"("a","b,c","","d""e")"
                                                    << R"(ok:a,"b,c",,"d""e")";
  QTest::newRow("quote_all_quotes_empty_fields") << int(QuoteAll) << "a,,b" << R"(ok:"a","","b")";
  QTest::newRow("quote_all_turns_an_empty_line_into_two_quotes") << int(QuoteAll) << "a\n\nb"
                                                                 << "ok:\"a\"\n\"\"\n\"b\"";
  QTest::newRow("quote_all_refuses_an_open_quote") << int(QuoteAll) << "a\n\"b" << openQuote;
  QTest::newRow("double_quote_delimiter_is_refused") << int(QuoteDelimiter) << "a,b"
                                                     << "error:The delimiter must be exactly one character.";
  QTest::newRow("empty_text_stays_empty") << int(QuoteAll) << "" << "ok:";
}

void TestCsvOperations::commands() {
  QFETCH(int, command);
  QFETCH(QString, text);
  QFETCH(QString, outcome);
  QCOMPARE(Outcome(Run(TCsvCommand(command), text)), outcome);
}

void TestCsvOperations::emptyEolWritesCrLf() {
  QCOMPARE(Outcome(CsvUnquoteAll(u"a\nb", u',', QStringView())), QString("ok:a\r\nb"));
}

void TestCsvOperations::columnSpec_data() {
  QTest::addColumn<QString>("spec");
  QTest::addColumn<QString>("columns");  // zero-based ranges, or the error
  QTest::newRow("single") << "2" << "1-1";
  QTest::newRow("list_is_sorted_and_merged") << " 3 , 1,2" << "0-2";
  QTest::newRow("ranges_and_columns") << "1-4,6" << "0-3,5-5";
  QTest::newRow("range_sides_are_trimmed") << "2 - 3" << "1-2";
  QTest::newRow("same_column_twice") << "2,2-2" << "1-1";
  QTest::newRow("hexadecimal_reading") << "$A" << "9-9";
  QTest::newRow("whole_width_range_is_one_entry") << "1-2147483647" << "0-2147483646";
  QTest::newRow("zero") << "0" << "error:Invalid column: 0";
  QTest::newRow("not_a_number") << " x " << "error:Invalid column: x";
  QTest::newRow("beyond_32_bits") << "2147483648" << "error:Invalid column: 2147483648";
  QTest::newRow("reversed_range") << "4-2" << "error:Invalid column range: 4-2";
  QTest::newRow("leading_minus_is_an_empty_left_side") << "-3" << "error:Invalid column range: -3";
  QTest::newRow("open_range") << "1-" << "error:Invalid column range: 1-";
  QTest::newRow("only_blank_items") << ", ," << "error:No columns specified";
  QTest::newRow("empty") << "" << "error:No columns specified";
}

void TestCsvOperations::columnSpec() {
  QFETCH(QString, spec);
  QFETCH(QString, columns);
  QCOMPARE(Dump(ParseColumnSpec(spec)), columns);
}

void TestCsvOperations::columnSetMergesRanges() {
  TColumnSet set;
  set.Add(10, 12);
  set.Add(0, 2);
  set.Add(4, 5);
  set.Add(3, 3);  // touches both neighbours
  set.Add(2147483000, 2147483647);
  QCOMPARE(Dump(TResult<TColumnSet>::Success(set)), QString("0-5,10-12,2147483000-2147483647"));
  QVERIFY(set.Contains(0) && set.Contains(5) && set.Contains(11) && set.Contains(2147483647));
  QVERIFY(!set.Contains(6) && !set.Contains(9) && !set.Contains(13) && !set.Contains(-1));
}

void TestCsvOperations::selectColumns_data() {
  QTest::addColumn<bool>("keep");
  QTest::addColumn<QString>("spec");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("outcome");
  QTest::newRow("keep_follows_the_record_order") << true << "3,1" << "a,b,c" << "ok:a,c";
  QTest::newRow("keep_single_range") << true << "2-2" << "a,b,c" << "ok:b";
  QTest::newRow("short_record_lacks_the_column") << true << "3" << "a,b,c\nd" << "ok:c\n";
  QTest::newRow("remove_keeps_inch_marks_and_lines") << false << "2" << "1,12\" screen,x\n2,15\" screen,y"
                                                     << "ok:1,x\n2,y";
  QTest::newRow("whole_width_range_keeps_all") << true << "1-2147483647" << "a,\"b,c\",d" << "ok:a,\"b,c\",d";
  QTest::newRow("remove_all_but_the_first") << false << "2-2147483647" << "a,b,c\nd,e" << "ok:a\nd";
  QTest::newRow("removing_a_quoting_reason_unquotes") << false << "1" << "x,\"a\"\"b\"" << "ok:\"a\"\"b\"";
  QTest::newRow("bad_spec_fails_before_reading") << true << "0" << "a,\"b" << "error:Invalid column: 0";
  QTest::newRow("open_quote_is_refused") << true << "1" << "a,\"b" << "error:The quoted field that opens on line 1 is never closed.";
}

void TestCsvOperations::selectColumns() {
  QFETCH(bool, keep);
  QFETCH(QString, spec);
  QFETCH(QString, text);
  QFETCH(QString, outcome);
  const TColumnChoice choice = keep ? TColumnChoice::Keep : TColumnChoice::Remove;
  QCOMPARE(Outcome(CsvSelectColumns(text, u',', u"\n", choice, spec)), outcome);
}

QTEST_GUILESS_MAIN(TestCsvOperations)
#include "test_csv_operations.moc"
