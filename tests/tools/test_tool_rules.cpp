// The definitions every text tool shares: blanks and trimming, integer reading, the generator and
// the walk over a text's lines.
#include "ToolsTestUtil.h"
#include "tools/RandomGenerator.h"
#include "tools/TextRules.h"

class TestToolRules : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void trimming_data();
  void trimming();
  void integerReading_data();
  void integerReading();
  void generatorDrawsTheKnownSequence();
  void generatorStaysInRange();
  void linesWalkKeepsEachBreak_data();
  void linesWalkKeepsEachBreak();
  void linesWalkStopsWhenVisitSaysSo();
};

void TestToolRules::trimming_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("left");
  QTest::addColumn<QString>("right");
  QTest::addColumn<QString>("both");
  QTest::newRow("spaces_and_tabs") << " \ta b\t " << "a b\t " << " \ta b" << "a b";
  QTest::newRow("controls_are_blanks") << QString::fromUtf16(u"\u0000\u001Fx\u0001", 4) << QString::fromUtf16(u"x\u0001")
                                       << QString::fromUtf16(u"\u0000\u001Fx", 3) << "x";
  QTest::newRow("no_break_space_is_not_blank") << QString::fromUtf16(u"\u00A0x\u00A0") << QString::fromUtf16(u"\u00A0x\u00A0")
                                               << QString::fromUtf16(u"\u00A0x\u00A0") << QString::fromUtf16(u"\u00A0x\u00A0");
  QTest::newRow("del_is_not_blank") << QString::fromUtf16(u"\u007F ") << QString::fromUtf16(u"\u007F ")
                                    << QString::fromUtf16(u"\u007F") << QString::fromUtf16(u"\u007F");
  QTest::newRow("only_blanks") << " \r\n " << "" << "" << "";
}

void TestToolRules::trimming() {
  QFETCH(QString, text);
  QFETCH(QString, left);
  QFETCH(QString, right);
  QFETCH(QString, both);
  QCOMPARE(Trimmed(text, TTrimSide::Left).toString(), left);
  QCOMPARE(Trimmed(text, TTrimSide::Right).toString(), right);
  QCOMPARE(Trimmed(text).toString(), both);
}

void TestToolRules::integerReading_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("as64");  // the value, or "fail"
  QTest::addColumn<QString>("as32");
  QTest::newRow("decimal") << "42" << "42" << "42";
  QTest::newRow("leading_spaces_and_sign") << "  -7" << "-7" << "-7";
  QTest::newRow("plus_sign") << "+5" << "5" << "5";
  QTest::newRow("leading_zero_is_decimal_not_octal") << "010" << "10" << "10";
  QTest::newRow("dollar_hex") << "$ff" << "255" << "255";
  QTest::newRow("x_hex") << "x1F" << "31" << "31";
  QTest::newRow("upper_0X_hex") << "0X10" << "16" << "16";
  QTest::newRow("negative_hex") << "-0x80" << "-128" << "-128";
  QTest::newRow("int64_max") << "9223372036854775807" << "9223372036854775807" << "fail";
  QTest::newRow("int64_min_does_not_overflow") << "-9223372036854775808" << "-9223372036854775808" << "fail";
  QTest::newRow("beyond_int64_max") << "9223372036854775808" << "fail" << "fail";
  QTest::newRow("beyond_int64_min") << "-9223372036854775809" << "fail" << "fail";
  QTest::newRow("int32_min") << "-2147483648" << "-2147483648" << "-2147483648";
  QTest::newRow("beyond_int32_max") << "2147483648" << "2147483648" << "fail";
  QTest::newRow("hex_beyond_signed_width") << "$FFFFFFFFFFFFFFFF" << "fail" << "fail";
  QTest::newRow("hex_int32_max") << "$7FFFFFFF" << "2147483647" << "2147483647";
  QTest::newRow("hex_beyond_int32") << "$80000000" << "2147483648" << "fail";
  QTest::newRow("empty") << "" << "fail" << "fail";
  QTest::newRow("sign_alone") << "-" << "fail" << "fail";
  QTest::newRow("prefix_alone") << "0x" << "fail" << "fail";
  QTest::newRow("trailing_space_not_consumed") << "5 " << "fail" << "fail";
  QTest::newRow("space_after_sign") << "- 5" << "fail" << "fail";
  QTest::newRow("hex_digit_in_decimal") << "1a" << "fail" << "fail";
  QTest::newRow("leading_tab_is_not_a_space") << "\t5" << "fail" << "fail";
  QTest::newRow("arabic_indic_digits_are_not_digits") << QString::fromUtf16(u"\u0661\u0662") << "fail" << "fail";
  QTest::newRow("fullwidth_digit") << QString::fromUtf16(u"\uFF11") << "fail" << "fail";
}

void TestToolRules::integerReading() {
  QFETCH(QString, text);
  QFETCH(QString, as64);
  QFETCH(QString, as32);
  const std::optional<qint64> wide = ReadInt64(text);
  const std::optional<qint32> narrow = ReadInt32(text);
  QCOMPARE(wide ? QString::number(*wide) : QStringLiteral("fail"), as64);
  QCOMPARE(narrow ? QString::number(*narrow) : QStringLiteral("fail"), as32);
}

void TestToolRules::generatorDrawsTheKnownSequence() {
  // The classic sequence of this generator from state 0.
  TRandomGenerator random(0);
  QList<quint32> draws;
  for (int i = 0; i < 10; ++i) draws.append(random.Random(100));
  QCOMPARE(draws, (QList<quint32>{0, 3, 86, 20, 27, 67, 31, 16, 37, 42}));
  QCOMPARE(random.State(), 1828254910u);
}

void TestToolRules::generatorStaysInRange() {
  TRandomGenerator random(0xDEADBEEF);
  QCOMPARE(random.Random(0), 0u);
  QCOMPARE(random.Random(1), 0u);
  for (int i = 0; i < 1000; ++i) QVERIFY(random.Random(7) < 7u);
  // Seeding from the clock leaves the generator usable and changes its state.
  TRandomGenerator seeded(12345);
  seeded.SeedFromClock();
  QVERIFY(seeded.Random(10) < 10u);
  QVERIFY(ProcessRandom().Random(3) < 3u);
}

void TestToolRules::linesWalkKeepsEachBreak_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("walk");  // line[break] per call
  QTest::newRow("mixed_breaks_stay_in_place") << "a\r\nb\nc\r" << "a[<000D><000A>]b[<000A>]c[<000D>]";
  QTest::newRow("last_line_without_break") << "a\nb" << "a[<000A>]b[]";
  QTest::newRow("cr_lf_lf_is_two_breaks") << "\r\n\n" << "[<000D><000A>][<000A>]";
  QTest::newRow("lf_cr_is_two_breaks") << "\n\r" << "[<000A>][<000D>]";
  QTest::newRow("empty_text_no_call") << "" << "";
}

void TestToolRules::linesWalkKeepsEachBreak() {
  QFETCH(QString, text);
  QFETCH(QString, walk);
  QString got;
  ForEachLine(text, [&](QStringView line, QStringView lineBreak) {
    got += Visible(line.toString()) + u'[' + Visible(lineBreak.toString()) + u']';
  });
  QCOMPARE(got, walk);
}

void TestToolRules::linesWalkStopsWhenVisitSaysSo() {
  QStringList seen;
  ForEachLine(u"a\nb\nc\nd", [&](QStringView line, QStringView) {
    seen.append(line.toString());
    return seen.size() < 2;
  });
  QCOMPARE(seen, QStringList({"a", "b"}));
}

QTEST_GUILESS_MAIN(TestToolRules)
#include "test_tool_rules.moc"
