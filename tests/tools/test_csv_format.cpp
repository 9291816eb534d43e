// Reading and writing CSV records, choosing the delimiter.
#include "ToolsTestUtil.h"
#include "tools/CsvDelimiter.h"
#include "tools/CsvFormat.h"

namespace {
// Each record as [field][field], records joined by " / "; or "error:" and the message.
QString Dump(const TResult<TCsvRecords> &parsed) {
  if (!parsed.IsOk()) return QStringLiteral("error:") + parsed.Error();
  QStringList records;
  for (const QStringList &fields : parsed.Value()) {
    QString record;
    for (const QString &field : fields) record += u'[' + Visible(field) + u']';
    records.append(record);
  }
  return records.join(QStringLiteral(" / "));
}

QString DelimiterName(std::optional<QChar> delim) { return delim ? Visible(QString(*delim)) : QStringLiteral("none"); }
}  // namespace

class TestCsvFormat : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void parsing_data();
  void parsing();
  void writingQuotesOnlyWhatNeedsIt();
  void fieldNeedsQuotes_data();
  void fieldNeedsQuotes();
  void detection_data();
  void detection();
  void activeDelimiter_data();
  void activeDelimiter();
  void customDelimiter_data();
  void customDelimiter();
};

void TestCsvFormat::parsing_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("records");
  QTest::newRow("quoted_field_with_delimiter_and_doubled_quotes") << R"(a,"b,""c""",d)" << R"([a][b,"c"][d])";
  QTest::newRow("quote_inside_unquoted_field_is_literal")
      << "1,12\" screen\n2,15\" screen" << R"([1][12" screen] / [2][15" screen])";
  QTest::newRow("quote_after_a_closed_quoted_part_is_literal") << R"("ab"c"d,e)" << R"([abc"d][e])";
  QTest::newRow("quote_after_a_space_is_literal") << R"(a, "b,c")" << R"([a][ "b][c"])";
  QTest::newRow("line_break_inside_quotes_stays_in_the_field")
      << "a,\"x\r\ny\",b\nc" << "[a][x<000D><000A>y][b] / [c]";
  QTest::newRow("crlf_cr_and_lf_end_records") << "a\r\nb\rc\nd" << "[a] / [b] / [c] / [d]";
  QTest::newRow("final_line_break_adds_no_record") << "a,b\n" << "[a][b]";
  QTest::newRow("empty_line_in_the_middle_is_one_empty_field") << "a\n\nb" << "[a] / [] / [b]";
  QTest::newRow("trailing_delimiter_gives_an_empty_field") << "a," << "[a][]";
  QTest::newRow("empty_quoted_field_is_a_record") << "\"\"" << "[]";
  QTest::newRow("empty_text_has_no_records") << "" << "";
  QTest::newRow("text_ending_inside_quotes_is_refused")
      << "a,\"b\nc" << "error:The quoted field that opens on line 1 is never closed.";
  QTest::newRow("open_quote_names_its_line_after_quoted_breaks")
      << "\"x\ny\"\r\n\"a\"\"\n" << "error:The quoted field that opens on line 3 is never closed.";
}

void TestCsvFormat::parsing() {
  QFETCH(QString, text);
  QFETCH(QString, records);
  QCOMPARE(Dump(ParseCsv(text, u',')), records);
}

void TestCsvFormat::writingQuotesOnlyWhatNeedsIt() {
  const TCsvRecords records{{"a", R"(b,"c")", "d"}, {"x\ny", "", "12\" tv"}};
  QCOMPARE(WriteCsv(records, u',', u"\r\n"), QString("a,\"b,\"\"c\"\"\",d\r\n\"x\ny\",,\"12\"\" tv\""));
  QCOMPARE(Dump(ParseCsv(WriteCsv(records, u';', u"\n"), u';')), Dump(TResult<TCsvRecords>::Success(records)));
}

void TestCsvFormat::fieldNeedsQuotes_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<bool>("needsQuotes");
  QTest::newRow("plain") << "abc" << false;
  QTest::newRow("delimiter") << "a;b" << true;
  QTest::newRow("other_candidate_is_plain") << "a,b" << false;
  QTest::newRow("double_quote") << "a\"b" << true;
  QTest::newRow("carriage_return") << "a\rb" << true;
  QTest::newRow("line_feed") << "a\nb" << true;
  QTest::newRow("empty") << "" << false;
}

void TestCsvFormat::fieldNeedsQuotes() {
  QFETCH(QString, field);
  QFETCH(bool, needsQuotes);
  QCOMPARE(CsvFieldNeedsQuotes(field, u';'), needsQuotes);
}

void TestCsvFormat::detection_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("delimiter");
  QTest::newRow("consistent_semicolons") << "a;b;c\nd;e;f" << ";";
  QTest::newRow("inconsistent_commas_still_win_alone") << "a,b,c\nd,e" << ",";
  QTest::newRow("consistent_candidate_beats_a_more_frequent_one") << "a,b,c;x\nd,e;y" << ";";
  QTest::newRow("equal_scores_go_to_the_earlier_candidate") << "a|b\tc\nd|e\tf" << "<0009>";
  QTest::newRow("delimiter_inside_quotes_not_counted") << "\"a,b\";c\n\"d,e\";f" << ";";
  QTest::newRow("inch_mark_does_not_hide_the_rest_of_the_line") << "12\" x;y;z\n13\" x;y;z" << ";";
  QTest::newRow("blank_lines_are_skipped") << "a;b\n\t\t\t\nc;d" << ";";
  QTest::newRow("only_the_first_ten_lines_count") << QString("a,b;c\n").repeated(10) + "a,b,c;d" << ",";
  QTest::newRow("no_candidate") << "abc\ndef" << "none";
  QTest::newRow("empty_text") << "" << "none";
}

void TestCsvFormat::detection() {
  QFETCH(QString, text);
  QFETCH(QString, delimiter);
  QCOMPARE(DelimiterName(DetectCsvDelimiter(text)), delimiter);
}

void TestCsvFormat::activeDelimiter_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("delimiter");
  QTest::newRow("nothing_stored_detects") << "" << "a;b\nc;d" << ";";
  QTest::newRow("nothing_stored_nothing_found_is_comma") << "" << "abc" << ",";
  QTest::newRow("stored_choice_wins_over_detection") << "|" << "a,b|c\nd,e|f" << "|";
  QTest::newRow("stored_delimiter_gone_after_undo_detects_again") << ";" << "a,b\nc,d" << ",";
  QTest::newRow("stored_delimiter_only_inside_quotes_counts_as_gone") << ";" << "\"x;y\",a" << ",";
  QTest::newRow("stored_kept_when_nothing_is_detected") << ":" << "abc" << ":";
}

void TestCsvFormat::activeDelimiter() {
  QFETCH(QString, stored);
  QFETCH(QString, text);
  QFETCH(QString, delimiter);
  QCOMPARE(QString(ActiveCsvDelimiter(stored, text)), delimiter);
}

void TestCsvFormat::customDelimiter_data() {
  QTest::addColumn<QString>("answer");
  QTest::addColumn<QString>("outcome");
  const QString wrong = "error:The delimiter must be exactly one character.";
  QTest::newRow("one_character") << ":" << "ok::";
  QTest::newRow("two_characters") << "ab" << wrong;
  QTest::newRow("empty") << "" << wrong;
  QTest::newRow("double_quote_would_corrupt_the_records") << "\"" << wrong;
  QTest::newRow("line_feed") << "\n" << wrong;
  QTest::newRow("character_outside_the_bmp_is_two_units") << QString::fromUtf16(u"\U0001F600") << wrong;
}

void TestCsvFormat::customDelimiter() {
  QFETCH(QString, answer);
  QFETCH(QString, outcome);
  const TResult<QChar> read = ReadCustomCsvDelimiter(answer);
  QCOMPARE(read.IsOk() ? "ok:" + QString(read.Value()) : "error:" + read.Error(), outcome);
}

QTEST_GUILESS_MAIN(TestCsvFormat)
#include "test_csv_format.moc"
