// Commands on a text's line breaks: splitting, breaks to spaces, trimming and joining, conversion.
#include "ToolsTestUtil.h"
#include "tools/LineBreaks.h"

class TestLineBreaks : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void splitLines_data();
  void splitLines();
  void eolToSpace_data();
  void eolToSpace();
  void trimLinesToSpaces_data();
  void trimLinesToSpaces();
  void convertLineBreaks_data();
  void convertLineBreaks();
  void convertingTwiceChangesNothingMore();
};

void TestLineBreaks::splitLines_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QStringList>("lines");
  QTest::newRow("final_break_makes_no_empty_line") << "a\r\nb\n" << QStringList{"a", "b"};
  QTest::newRow("inner_empty_lines_stay") << "a\r\rb" << QStringList{"a", "", "b"};
  QTest::newRow("empty_text_has_no_lines") << "" << QStringList();
  QTest::newRow("lone_break") << "\n" << QStringList{""};
}

void TestLineBreaks::splitLines() {
  QFETCH(QString, text);
  QFETCH(QStringList, lines);
  QCOMPARE(SplitLines(text), lines);
}

void TestLineBreaks::eolToSpace_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("result");
  QTest::newRow("crlf_is_one_space") << "a\r\nb" << "a b";
  QTest::newRow("cr_and_lf_alone") << "a\rb\nc" << "a b c";
  QTest::newRow("cr_cr_lf_is_two_spaces") << "a\r\r\nb" << "a  b";
  QTest::newRow("lf_cr_is_two_spaces") << "a\n\rb" << "a  b";
  QTest::newRow("final_break_becomes_space") << "a\n" << "a ";
}

void TestLineBreaks::eolToSpace() {
  QFETCH(QString, text);
  QFETCH(QString, result);
  QCOMPARE(EolToSpace(text), result);
}

void TestLineBreaks::trimLinesToSpaces_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("result");
  QTest::newRow("lines_trimmed_and_joined") << " a \r\n\tb\n" << "a b";
  QTest::newRow("empty_line_between_leaves_two_spaces") << "a\n\nb" << "a  b";
  QTest::newRow("leading_and_trailing_empty_lines_vanish") << "\n\na\n\n" << "a";
  QTest::newRow("blank_only_text") << " \r\n \t" << "";
}

void TestLineBreaks::trimLinesToSpaces() {
  QFETCH(QString, text);
  QFETCH(QString, result);
  QCOMPARE(TrimLinesToSpaces(text), result);
}

void TestLineBreaks::convertLineBreaks_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("eol");
  QTest::addColumn<QString>("result");
  QTest::newRow("lf_to_crlf") << "a\nb" << "\r\n" << "a\r\nb";
  QTest::newRow("mixed_to_lf") << "a\r\nb\rc\nd" << "\n" << "a\nb\nc\nd";
  QTest::newRow("final_break_is_kept") << "a\n" << "\r\n" << "a\r\n";
  QTest::newRow("trailing_empty_lines_are_kept") << "a\r\n\r\n\r\n" << "\r" << "a\r\r\r";
  QTest::newRow("no_break_no_change") << "abc" << "\n" << "abc";
}

void TestLineBreaks::convertLineBreaks() {
  QFETCH(QString, text);
  QFETCH(QString, eol);
  QFETCH(QString, result);
  QCOMPARE(Visible(ConvertLineBreaks(text, eol)), Visible(result));
}

void TestLineBreaks::convertingTwiceChangesNothingMore() {
  // Repeated conversions used to lose one final break per run.
  const QString text = QStringLiteral("a\n\n\n");
  const QString once = ConvertLineBreaks(text, u"\r\n");
  QCOMPARE(ConvertLineBreaks(once, u"\r\n"), once);
  QCOMPARE(ConvertLineBreaks(once, u"\n"), text);
}

QTEST_GUILESS_MAIN(TestLineBreaks)
#include "test_line_breaks.moc"
