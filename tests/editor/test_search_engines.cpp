// The literal and regular-expression engines: matches in one line, replacement, bad patterns.
#include "core/CaseFold.h"
#include "editor/LiteralSearch.h"
#include "editor/RegexSearch.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QString Dump(const TMEEditSearchCustom &engine) {
  QStringList parts;
  for (int i = 0; i < engine.Count(); ++i)
    parts << QStringLiteral("%1+%2").arg(engine.Results(i)).arg(engine.Lengths(i));
  return parts.join(u' ');
}

QString S(const char16_t *text) { return QString::fromUtf16(text); }

}  // namespace

class TestSearchEngines : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void literalFinds_data();
  void literalFinds();
  void literalAgreesWithPlainScan();
  void regexFinds_data();
  void regexFinds();
  void invalidPatternFindsNothingAndSaysWhy();
  void catastrophicPatternGivesUp();
  void replaceAll_data();
  void replaceAll();
  void replaceOneExpandsFromItsLine();
};

void TestSearchEngines::literalFinds_data() {
  QTest::addColumn<QString>("pattern");
  QTest::addColumn<int>("options");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("matches");
  QTest::newRow("occurrences_overlap") << "aa" << 0 << "aaaa" << "0+2 1+2 2+2";
  QTest::newRow("whole_word_before_dot") << "cat" << int(ssoWholeWord) << "a cat." << "2+3";
  QTest::newRow("whole_word_at_both_ends") << "cat" << int(ssoWholeWord) << "cat and cat" << "0+3 8+3";
  QTest::newRow("whole_word_not_inside_words") << "cat" << int(ssoWholeWord) << "cats _cat 2cat" << "";
  QTest::newRow("whole_word_letters_of_any_script") << "cat" << int(ssoWholeWord) << S(u"\u00e9cat cat\u4e00") << "";
  QTest::newRow("case_ignored") << "ABC" << 0 << "xAbCabc" << "1+3 4+3";
  QTest::newRow("match_case") << "Cat" << int(ssoMatchCase) << "cat Cat CAT" << "4+3";
  QTest::newRow("no_multi_unit_folding") << "STRASSE" << 0 << S(u"stra\u00dfe") << "";
  QTest::newRow("kelvin_sign_folds_to_k") << "k" << 0 << S(u"\u212a K k") << "0+1 2+1 4+1";
  // Lower-casing the whole string would turn U+0130 into two units and shift every offset after it.
  QTest::newRow("dotted_capital_i_does_not_shift_offsets") << "ix" << 0 << S(u"\u0130x ix") << "3+2";
  QTest::newRow("non_ascii_case") << S(u"\u00e9t\u00e9") << 0 << S(u"\u00c9T\u00c9 \u00e9t\u00e9") << "0+3 4+3";
  QTest::newRow("surrogate_pair_pattern") << S(u"\U0001F600") << 0 << S(u"a\U0001F600b\U0001F600") << "1+2 4+2";
  QTest::newRow("across_simd_blocks") << "ab" << 0 << "xxxxxxxabxxxxxabxxxxxxxxxxxxxab" << "7+2 14+2 29+2";
  QTest::newRow("pattern_longer_than_text") << "abcdef" << 0 << "abc" << "";
  QTest::newRow("empty_pattern") << "" << 0 << "abc" << "";
}

void TestSearchEngines::literalFinds() {
  QFETCH(QString, pattern);
  QFETCH(int, options);
  QFETCH(QString, text);
  QFETCH(QString, matches);
  TMEEditSearch engine;
  engine.SetPattern(pattern);
  engine.SetOptions(TMESearchOptions(options));
  QCOMPARE(engine.FindAll(text), int(matches.isEmpty() ? 0 : matches.count(u' ') + 1));
  QCOMPARE(Dump(engine), matches);
}

// Random lines over a small alphabet with case variants: the vectorised scan must report exactly
// what comparing at every position reports.
void TestSearchEngines::literalAgreesWithPlainScan() {
  const QString alphabet = S(u"aAbB \u212a\u0130ik");
  QRandomGenerator random(7);
  TMEEditSearch engine;
  for (int round = 0; round < 2000; ++round) {
    auto make = [&](int length) {
      QString s;
      for (int i = 0; i < length; ++i) s += alphabet[int(random.bounded(int(alphabet.size())))];
      return s;
    };
    const QString pattern = make(1 + int(random.bounded(3)));
    const QString text = make(int(random.bounded(60)));
    const bool matchCase = random.bounded(2) == 1;
    engine.SetPattern(pattern);
    engine.SetOptions(matchCase ? ssoMatchCase : 0);
    engine.FindAll(text);
    QStringList expected;
    for (qsizetype at = 0; at + pattern.size() <= text.size(); ++at) {
      bool same = true;
      for (qsizetype k = 0; k < pattern.size() && same; ++k) {
        const char16_t t = text[at + k].unicode(), p = pattern[k].unicode();
        same = matchCase ? t == p : FoldCase(t) == FoldCase(p);
      }
      if (same) expected << QStringLiteral("%1+%2").arg(at).arg(pattern.size());
    }
    QCOMPARE(Dump(engine), expected.join(u' '));
  }
}

void TestSearchEngines::regexFinds_data() {
  QTest::addColumn<QString>("pattern");
  QTest::addColumn<int>("options");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("matches");
  QTest::newRow("empty_matches_skipped") << "x*" << 0 << "abc" << "";
  QTest::newRow("non_empty_after_empty") << "a*" << 0 << "baab" << "1+2";
  QTest::newRow("successive_matches") << "\\d+" << 0 << "a12b345" << "1+2 4+3";
  QTest::newRow("start_anchor_is_line_start") << "^a" << 0 << "aaa" << "0+1";
  QTest::newRow("end_anchor_is_line_end") << "a$" << 0 << "aaa" << "2+1";
  QTest::newRow("caseless_by_default") << "abc" << 0 << "ABC abc" << "0+3 4+3";
  QTest::newRow("match_case") << "abc" << int(ssoMatchCase) << "ABC abc" << "4+3";
  QTest::newRow("caseless_non_ascii") << S(u"\u00e9") << 0 << S(u"\u00c9\u00e9") << "0+1 1+1";
  QTest::newRow("dot_takes_a_whole_pair") << "." << 0 << S(u"\U0001F600") << "0+2";
  QTest::newRow("lone_surrogate_does_not_stop_search") << "b" << 0 << S(u"a") + QChar(0xD800) + "b" << "2+1";
  QTest::newRow("ipv4") << "\\b\\d{1,3}(\\.\\d{1,3}){3}\\b" << 0 << "from 10.1.2.3 port 22, 1.2.3" << "5+8";
  QTest::newRow("whole_word_has_no_effect") << "cat" << int(ssoWholeWord) << "cats" << "0+3";
}

void TestSearchEngines::regexFinds() {
  QFETCH(QString, pattern);
  QFETCH(int, options);
  QFETCH(QString, text);
  QFETCH(QString, matches);
  TMEEditRegexSearch engine;
  engine.SetPattern(pattern);
  engine.SetOptions(TMESearchOptions(options));
  engine.FindAll(text);
  QCOMPARE(Dump(engine), matches);
  QVERIFY(engine.CompileError().isEmpty());
}

void TestSearchEngines::invalidPatternFindsNothingAndSaysWhy() {
  TMEEditRegexSearch engine;
  engine.SetPattern("(ab");
  QCOMPARE(engine.FindAll(u"ab (ab"), 0);
  QVERIFY(engine.CompileError().contains("missing closing parenthesis"));
  std::vector<TMEReplacement> found{{0, 1, "left from before"}};
  engine.FindReplacements(u"ab", "x", found);
  QVERIFY(found.empty());
  engine.SetPattern("ab");
  QCOMPARE(engine.FindAll(u"ab (ab"), 2);
  QVERIFY(engine.CompileError().isEmpty());
}

void TestSearchEngines::catastrophicPatternGivesUp() {
  TMEEditRegexSearch engine;
  engine.SetPattern("(a+)+$");
  const QString line = QString(5000, u'a') + u'b';
  QCOMPARE(engine.FindAll(line), 0);
  QVERIFY(engine.HitLimit());
  QCOMPARE(engine.FindAll(u"aab aa"), 1);  // the next line is searched afresh
  QVERIFY(!engine.HitLimit());
}

void TestSearchEngines::replaceAll_data() {
  QTest::addColumn<bool>("regex");
  QTest::addColumn<QString>("pattern");
  QTest::addColumn<QString>("replacement");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("result");
  QTest::addColumn<int>("count");
  QTest::newRow("literal_overlaps_replaced_left_to_right") << false << "aa" << "XYZ" << "aaa" << "XYZa" << 1;
  QTest::newRow("literal_every_occurrence") << false << "a" << "b" << "aca" << "bcb" << 2;
  QTest::newRow("literal_dollar_is_plain") << false << "a" << "$1" << "a" << "$1" << 1;
  QTest::newRow("regex_dot_star_once") << true << ".*" << "<$0>" << "abc" << "<abc>" << 1;
  QTest::newRow("regex_look_behind_sees_the_line") << true << "(?<=a)b" << "X" << "abab" << "aXaX" << 2;
  QTest::newRow("regex_anchor_sees_the_line") << true << "^b" << "X" << "bab" << "Xab" << 1;
  QTest::newRow("regex_groups") << true << "(\\w+)@(\\w+)" << "$2 at $1" << "me@host" << "host at me" << 1;
  QTest::newRow("regex_named_group_and_dollar") << true << "(?<n>\\d+)" << "$$${n}" << "a1b22" << "a$1b$22" << 2;
  QTest::newRow("regex_unset_groups_are_empty") << true << "(cat)|(dog)" << "[$1$2]" << "cat dog" << "[cat] [dog]" << 2;
  QTest::newRow("regex_optional_group_unset") << true << "(a)?b" << "x$1" << "b ab" << "x xa" << 2;
  QTest::newRow("regex_bad_reference_is_literal") << true << "a" << "$9" << "a" << "$9" << 1;
  QTest::newRow("regex_no_match") << true << "z" << "y" << "abc" << "abc" << 0;
  QTest::newRow("literal_no_match") << false << "z" << "y" << "abc" << "abc" << 0;
}

void TestSearchEngines::replaceAll() {
  QFETCH(bool, regex);
  QFETCH(QString, pattern);
  QFETCH(QString, replacement);
  QFETCH(QString, text);
  QFETCH(QString, result);
  QFETCH(int, count);
  TMEEditSearch literal;
  TMEEditRegexSearch expression;
  TMEEditSearchCustom &engine = regex ? static_cast<TMEEditSearchCustom &>(expression) : literal;
  engine.SetPattern(pattern);
  std::vector<TMEReplacement> found{{0, 1, "left from before"}};
  engine.FindReplacements(text, replacement, found);
  QCOMPARE(int(found.size()), count);
  // Made left to right, as Replace All makes them.
  QString got = text;
  int shift = 0;
  for (const TMEReplacement &r : found) {
    got.replace(r.Offset + shift, r.Length, r.Text);
    shift += int(r.Text.size()) - r.Length;
  }
  QCOMPARE(got, result);
}

void TestSearchEngines::replaceOneExpandsFromItsLine() {
  TMEEditRegexSearch engine;
  engine.SetPattern("(?<=a)(b)");
  const QString line = "ab cb ab";
  QCOMPARE(engine.FindAll(line), 2);
  QCOMPARE(engine.Replace(line, 1, u"[$1]"), "[b]");
  TMEEditSearch literal;
  literal.SetPattern("b");
  QCOMPARE(literal.FindAll(line), 3);
  QCOMPARE(literal.Replace(line, 0, u"$1"), "$1");
}

QTEST_GUILESS_MAIN(TestSearchEngines)
#include "test_search_engines.moc"
