// The line commands: sorts, de-duplication, shuffle, reverse, and the per-line maps.
#include "ToolsTestUtil.h"
#include "tools/LineDriver.h"
#include "tools/LineLists.h"
#include "tools/LineMaps.h"
#include "tools/LineSort.h"
#include "tools/RandomGenerator.h"

#include <QRandomGenerator>
#include <QSet>

Q_DECLARE_METATYPE(TLineMapFunc)

class TestLineOperations : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void sortByCollation_data();
  void sortByCollation();
  void sortByInteger_data();
  void sortByInteger();
  void ipv4Keys_data();
  void ipv4Keys();
  void sortByIPv4_data();
  void sortByIPv4();
  void removeDuplicates_data();
  void removeDuplicates();
  void removeDuplicatesOfManyLinesAsASimpleSetDoes();
  void shuffleFollowsTheGenerator();
  void reverse();
  void lineMaps_data();
  void lineMaps();
  void consecutiveDuplicatesMapStartsFresh();
};

void TestLineOperations::sortByCollation_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<bool>("caseSensitive");
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QStringList>("sorted");  // lines that compare equal are given in input order
  QTest::newRow("case_insensitive_groups_letters") << QStringList{"b", "A", "a", "B"} << false << "en_US"
                                                   << QStringList{"A", "a", "b", "B"};
  QTest::newRow("c_locale_still_ignores_case") << QStringList{"b", "A", "a", "B"} << false << "C"
                                               << QStringList{"A", "a", "b", "B"};
  QTest::newRow("case_sensitive_lower_first") << QStringList{"B", "b", "A", "a"} << true << "en_US"
                                              << QStringList{"a", "A", "b", "B"};
  QTest::newRow("accents_sort_with_their_letter") << QStringList{"f", QString::fromUtf16(u"\u00E9"), "e", "d"} << true
                                                  << "en_US" << QStringList{"d", "e", QString::fromUtf16(u"\u00E9"), "f"};
  QTest::newRow("empty_line_first") << QStringList{"b", "", "a"} << false << "en_US" << QStringList{"", "a", "b"};
  QTest::newRow("swedish_a_ring_after_z") << QStringList{QString::fromUtf16(u"\u00E5"), "z", "a"} << true << "sv_SE"
                                          << QStringList{"a", "z", QString::fromUtf16(u"\u00E5")};
}

void TestLineOperations::sortByCollation() {
  QFETCH(QStringList, lines);
  QFETCH(bool, caseSensitive);
  QFETCH(QString, locale);
  QFETCH(QStringList, sorted);
  SortLinesByCollation(lines, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive, QLocale(locale));
  QCOMPARE(lines, sorted);
}

void TestLineOperations::sortByInteger_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QStringList>("sorted");
  QTest::newRow("non_numbers_sort_among_zeros") << QStringList{"10", "9", "x", "-3", "0x10"}
                                                << QStringList{"-3", "x", "9", "10", "0x10"};
  QTest::newRow("leading_zero_is_decimal") << QStringList{"010", "9", "011"} << QStringList{"9", "010", "011"};
  QTest::newRow("blanks_around_are_trimmed") << QStringList{"\t5 ", " 4"} << QStringList{" 4", "\t5 "};
  QTest::newRow("extremes_of_64_bits") << QStringList{"9223372036854775807", "-9223372036854775808", "0"}
                                       << QStringList{"-9223372036854775808", "0", "9223372036854775807"};
  QTest::newRow("overflow_counts_as_zero") << QStringList{"1", "99999999999999999999", "-1"}
                                           << QStringList{"-1", "99999999999999999999", "1"};
  QTest::newRow("equal_keys_keep_their_order") << QStringList{"b", "a", "0", "c"} << QStringList{"b", "a", "0", "c"};
}

void TestLineOperations::sortByInteger() {
  QFETCH(QStringList, lines);
  QFETCH(QStringList, sorted);
  SortLinesByInteger(lines);
  QCOMPARE(lines, sorted);
}

void TestLineOperations::ipv4Keys_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<quint32>("key");
  QTest::newRow("plain_address") << "10.0.0.1" << 0x0A000001u;
  QTest::newRow("address_in_text") << "host 192.168.0.1 up" << 0xC0A80001u;
  QTest::newRow("first_address_counts") << "1.2.3.4 -> 5.6.7.8" << 0x01020304u;
  QTest::newRow("high_addresses_stay_unsigned") << "255.255.255.255" << 0xFFFFFFFFu;
  QTest::newRow("no_address") << "none" << 0u;
  QTest::newRow("octet_out_of_range_is_no_match") << "256.1.1.1" << 0u;
  QTest::newRow("letter_before_digits_is_no_boundary") << "a1.2.3.4" << 0u;
  QTest::newRow("non_ascii_letter_is_a_boundary") << QString::fromUtf16(u"\u00E91.2.3.4") << 0x01020304u;
  QTest::newRow("arabic_indic_digits_are_not_digits") << QString::fromUtf16(u"\u0661.2.3.4") << 0u;
  QTest::newRow("no_match_reads_the_trimmed_line_by_parts") << " 0x1.2.3.4 " << 0x01020304u;
  QTest::newRow("three_parts") << "1.2.3" << 0u;
}

void TestLineOperations::ipv4Keys() {
  QFETCH(QString, line);
  QFETCH(quint32, key);
  QCOMPARE(IPv4SortKey(line), key);
}

void TestLineOperations::sortByIPv4_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QStringList>("sorted");
  QTest::newRow("lines_without_address_first") << QStringList{"host 10.0.0.2", "10.0.0.10", "none", "9.255.1.1"}
                                               << QStringList{"none", "9.255.1.1", "host 10.0.0.2", "10.0.0.10"};
  QTest::newRow("unsigned_keys_put_192_after_10") << QStringList{"192.168.0.1", "10.0.0.1", "128.0.0.1"}
                                                  << QStringList{"10.0.0.1", "128.0.0.1", "192.168.0.1"};
}

void TestLineOperations::sortByIPv4() {
  QFETCH(QStringList, lines);
  QFETCH(QStringList, sorted);
  SortLinesByIPv4(lines);
  QCOMPARE(lines, sorted);
}

void TestLineOperations::removeDuplicates_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QStringList>("kept");
  QTest::newRow("first_occurrences_in_order") << QStringList{"a", "b", "a", "", ""} << QStringList{"a", "b", ""};
  QTest::newRow("case_differs") << QStringList{"a", "A", "a"} << QStringList{"a", "A"};
  QTest::newRow("soft_hyphen_is_a_difference") << QStringList{"ab", QString::fromUtf16(u"a\u00ADb")}
                                               << QStringList{"ab", QString::fromUtf16(u"a\u00ADb")};
  QTest::newRow("composed_and_decomposed_differ") << QStringList{QString::fromUtf16(u"\u00E9"), QString::fromUtf16(u"e\u0301")}
                                                  << QStringList{QString::fromUtf16(u"\u00E9"), QString::fromUtf16(u"e\u0301")};
  QTest::newRow("empty_list") << QStringList() << QStringList();
}

void TestLineOperations::removeDuplicates() {
  QFETCH(QStringList, lines);
  QFETCH(QStringList, kept);
  RemoveDuplicateLines(lines);
  QCOMPARE(lines, kept);
}

// Many short random lines, most of them repeated, some empty: the first of each stays, in order.
void TestLineOperations::removeDuplicatesOfManyLinesAsASimpleSetDoes() {
  QRandomGenerator random(3);
  QStringList lines;
  for (int i = 0; i < 200000; ++i) {
    QString line;
    for (int length = int(random.bounded(4)); length > 0; --length) line += QChar(u'a' + random.bounded(6));
    lines.append(line);
  }
  QStringList expected;
  QSet<QString> seen;
  for (const QString &line : std::as_const(lines))
    if (!seen.contains(line)) {
      seen.insert(line);
      expected.append(line);
    }
  const QStringList shared = lines;  // the list may share its data with another
  RemoveDuplicateLines(lines);
  QCOMPARE(lines, expected);
  QCOMPARE(shared.size(), 200000);
}

void TestLineOperations::shuffleFollowsTheGenerator() {
  // Fisher-Yates from the last line down, each swap partner drawn by Random(n + 1).
  QStringList lines{"a", "b", "c", "d", "e", "f"};
  TRandomGenerator random(0);
  ShuffleLines(lines, random);
  QCOMPARE(lines, (QStringList{"b", "c", "e", "d", "f", "a"}));
  QStringList one{"x"};
  ShuffleLines(one, random);
  QCOMPARE(one, QStringList{"x"});
}

void TestLineOperations::reverse() {
  QStringList lines{"1", "2", "", "3"};
  ReverseLines(lines);
  QCOMPARE(lines, (QStringList{"3", "", "2", "1"}));
}

void TestLineOperations::lineMaps_data() {
  QTest::addColumn<TLineMapFunc>("map");
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QStringList>("result");
  QTest::newRow("consecutive_duplicates_dropped") << RemoveConsecutiveDuplicatesMap() << QStringList{"x", "x", "y", "x"}
                                                  << QStringList{"x", "y", "x"};
  QTest::newRow("consecutive_duplicates_exact_case") << RemoveConsecutiveDuplicatesMap() << QStringList{"x", "X", "", ""}
                                                     << QStringList{"x", "X", ""};
  QTest::newRow("prefix_suffix_on_every_line") << AddPrefixSuffixMap("> ", ";") << QStringList{"a", ""}
                                               << QStringList{"> a;", "> ;"};
  QTest::newRow("remove_prefix_then_suffix_from_rest") << RemovePrefixSuffixMap("ab", "ba") << QStringList{"aba"}
                                                       << QStringList{"a"};
  QTest::newRow("remove_prefix_suffix_each_end_alone") << RemovePrefixSuffixMap("<", ">")
                                                       << QStringList{"<a>", "<b", "c>", "Xd", "<>"}
                                                       << QStringList{"a", "b", "c", "Xd", ""};
  QTest::newRow("remove_prefix_case_sensitive") << RemovePrefixSuffixMap("A", "") << QStringList{"abc", "Abc"}
                                                << QStringList{"abc", "bc"};
  QTest::newRow("empty_lines_include_blank_only") << RemoveEmptyLinesMap() << QStringList{"a", "", "\t ", " b "}
                                                  << QStringList{"a", " b "};
  QTest::newRow("trim_right") << TrimMap(TTrimSide::Right) << QStringList{" a \t"} << QStringList{" a"};
  QTest::newRow("trim_left") << TrimMap(TTrimSide::Left) << QStringList{" a \t"} << QStringList{"a \t"};
  QTest::newRow("trim_both_keeps_empty_lines") << TrimMap(TTrimSide::Both) << QStringList{" a \t", "  "}
                                               << QStringList{"a", ""};
  QTest::newRow("tab_to_spaces_fixed_count") << TabsToSpacesMap(4) << QStringList{"a\tb", "\t\t"}
                                             << QStringList{"a    b", "        "};
  QTest::newRow("tab_width_zero_means_one") << TabsToSpacesMap(0) << QStringList{"a\tb"} << QStringList{"a b"};
  QTest::newRow("spaces_to_tab_leading_whole_runs") << SpacesToTabsMap(4, true) << QStringList{"        x", "      x"}
                                                    << QStringList{"\t\tx", "\t  x"};
  QTest::newRow("spaces_to_tab_leading_stops_at_tab") << SpacesToTabsMap(4, true) << QStringList{"\t    x    y"}
                                                      << QStringList{"\t    x    y"};
  QTest::newRow("spaces_to_tab_all_runs_from_their_start") << SpacesToTabsMap(4, false)
                                                           << QStringList{"a    b", "a   b", "a     b"}
                                                           << QStringList{"a\tb", "a   b", "a\t b"};
  QTest::newRow("spaces_to_tab_width_one") << SpacesToTabsMap(1, false) << QStringList{"a  b"}
                                           << QStringList{"a\t\tb"};
  QTest::newRow("collapse_runs_of_spaces_and_tabs") << CollapseSpacesMap() << QStringList{"a  b\t \tc", "a\tb d "}
                                                    << QStringList{"a b c", "a\tb d "};
}

void TestLineOperations::lineMaps() {
  QFETCH(TLineMapFunc, map);
  QFETCH(QStringList, lines);
  QFETCH(QStringList, result);
  ApplyLineMap(lines, map);
  QCOMPARE(lines, result);
}

void TestLineOperations::consecutiveDuplicatesMapStartsFresh() {
  // A map made for one run carries no state into the next.
  QStringList first{"x", "x"};
  ApplyLineMap(first, RemoveConsecutiveDuplicatesMap());
  QStringList second{"x"};
  ApplyLineMap(second, RemoveConsecutiveDuplicatesMap());
  QCOMPARE(first, QStringList{"x"});
  QCOMPARE(second, QStringList{"x"});
}

QTEST_GUILESS_MAIN(TestLineOperations)
#include "test_line_operations.moc"
