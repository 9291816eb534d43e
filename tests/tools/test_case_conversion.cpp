// Case conversions: ASCII-only lowering and raising, sentence and proper case by code point.
#include "ToolsTestUtil.h"
#include "tools/CaseConversion.h"

namespace {
QString U(const char16_t *text) { return QString::fromUtf16(text); }
}  // namespace

class TestCaseConversion : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void upperAndLower_data();
  void upperAndLower();
  void sentenceCase_data();
  void sentenceCase();
  void properCase_data();
  void properCase();
};

void TestCaseConversion::upperAndLower_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("upper");
  QTest::addColumn<QString>("lower");
  QTest::newRow("ascii_letters_only") << U(u"Abc \u00E9\u00C9 z1") << U(u"ABC \u00E9\u00C9 Z1") << U(u"abc \u00E9\u00C9 z1");
  QTest::newRow("sharp_s_and_dotted_i_untouched") << U(u"\u00DF\u0130i") << U(u"\u00DF\u0130I") << U(u"\u00DF\u0130i");
  QTest::newRow("punctuation_next_to_letters") << "@[`{" << "@[`{" << "@[`{";
}

void TestCaseConversion::upperAndLower() {
  QFETCH(QString, text);
  QFETCH(QString, upper);
  QFETCH(QString, lower);
  QCOMPARE(UpperCaseAscii(text), upper);
  QCOMPARE(LowerCaseAscii(text), lower);
}

void TestCaseConversion::sentenceCase_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("result");
  QTest::newRow("after_each_end_mark") << "HELLO. WORLD? yes! no" << "Hello. World? Yes! No";
  QTest::newRow("digits_leave_the_capital_pending") << "3 apples. 2nd" << "3 Apples. 2Nd";
  QTest::newRow("non_ascii_first_letter_raised") << U(u"\u00E9t\u00E9. \u00E0 bient\u00F4t") << U(u"\u00C9t\u00E9. \u00C0 bient\u00F4t");
  QTest::newRow("astral_letter_raised_as_a_pair") << U(u"\U00010428abc") << U(u"\U00010400abc");
  QTest::newRow("sharp_s_keeps_length") << U(u"\u00DFtra\u00DFe") << U(u"\u00DFtra\u00DFe");
}

void TestCaseConversion::sentenceCase() {
  QFETCH(QString, text);
  QFETCH(QString, result);
  QCOMPARE(Visible(SentenceCase(text)), Visible(result));
}

void TestCaseConversion::properCase_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("result");
  QTest::newRow("apostrophe_starts_a_word") << "o'neil 2nd" << "O'Neil 2nd";
  QTest::newRow("only_ascii_lowered") << U(u"\u00C9COLE") << U(u"\u00C9cole");
  QTest::newRow("astral_letter_does_not_split_word") << U(u"\U00010428abc") << U(u"\U00010400abc");
  QTest::newRow("combining_mark_stays_inside_word") << U(u"e\u0301cole de\u0301ja\u0300") << U(u"E\u0301cole De\u0301ja\u0300");
  QTest::newRow("digit_then_letter_same_word") << "3d model" << "3d Model";
  QTest::newRow("sharp_s_keeps_length") << U(u"\u00DFtra\u00DFe") << U(u"\u00DFtra\u00DFe");
  QTest::newRow("hyphen_starts_a_word") << "jean-luc" << "Jean-Luc";
  QTest::newRow("greek_letters") << U(u"\u03B1\u03B8\u03AE\u03BD\u03B1") << U(u"\u0391\u03B8\u03AE\u03BD\u03B1");
}

void TestCaseConversion::properCase() {
  QFETCH(QString, text);
  QFETCH(QString, result);
  QCOMPARE(Visible(ProperCase(text)), Visible(result));
}

QTEST_GUILESS_MAIN(TestCaseConversion)
#include "test_case_conversion.moc"
