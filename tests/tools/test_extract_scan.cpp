// The extraction scan around the patterns: filters, the tally and its output, progress, stopping,
// splitting the lines over threads, and lines too complex to search.
#include "ToolsTestUtil.h"
#include "tools/ExtractFilters.h"
#include "tools/ExtractScan.h"

#include <thread>

namespace {
// A log with repeated and unique addresses, e-mails and URLs on lines of varying length.
QStringList SampleLog() {
  QStringList lines;
  for (int i = 0; i < 3000; ++i) {
    QString line = QStringLiteral("%1 host-%2 GET http://site%3.example/p?%4 from 10.%5.%6.%7 by u%8@mail.example")
                       .arg(i)
                       .arg(i % 7)
                       .arg(i % 13)
                       .arg(i)
                       .arg(i % 3)
                       .arg(i % 11)
                       .arg(i % 5)
                       .arg(i % 17);
    if (i % 9 == 0) line += QString(" padding").repeated(i % 40) + " 8.8.8.8";
    if (i % 4 == 0) line += QStringLiteral(" to 9.9.%1.1").arg(i % 6);
    lines.append(line);
  }
  return lines;
}

struct TOutcome {
  QStringList Lines;
  qint64 Matches = 0;
};

TOutcome OutcomeOf(const TExtractTally &tally, bool countMode) {
  return {ExtractOutputLines(tally, countMode), tally.MatchCount()};
}
}  // namespace

class TestExtractScan : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void publicAddress_data();
  void publicAddress();
  void phoneNormalisation_data();
  void phoneNormalisation();
  void phoneAcceptance_data();
  void phoneAcceptance();
  void dottedQuadValue();
  void tallyAppendKeepsFirstAppearanceAndSumsCounts();
  void tallyOfManyValuesAtOnceEqualsOneByOne();
  void scanEqualsTallyingEachMatchAsFound_data();
  void scanEqualsTallyingEachMatchAsFound();
  void summary();
  void splitByRangesGivesOnePassResults_data();
  void splitByRangesGivesOnePassResults();
  void twoThreadsShareOnePattern();
  void cancelStopsBeforeTheNextLine();
  void progressReportsEachPercentOnce();
  void splitLinesEvenlyBalancesCodeUnits();
  void patternThatDoesNotCompileFindsNothing();
  void lineBeyondTheJitStackIsMatchedByTheInterpreter();
  void lineTooComplexIsReported();
};

void TestExtractScan::publicAddress_data() {
  QTest::addColumn<QString>("value");
  QTest::addColumn<bool>("isPublic");
  QTest::newRow("public") << "8.8.8.8" << true;
  QTest::newRow("this_network") << "0.1.2.3" << false;
  QTest::newRow("private_10") << "10.1.2.3" << false;
  QTest::newRow("loopback") << "127.0.0.1" << false;
  QTest::newRow("link_local") << "169.254.1.1" << false;
  QTest::newRow("private_172_16_to_31") << "172.31.255.1" << false;
  QTest::newRow("just_past_172_31") << "172.32.0.1" << true;
  QTest::newRow("private_192_168") << "192.168.0.1" << false;
  QTest::newRow("documentation_192_0_2") << "192.0.2.7" << false;
  QTest::newRow("shared_100_64_to_127") << "100.100.1.1" << false;
  QTest::newRow("just_below_100_64") << "100.63.0.1" << true;
  QTest::newRow("multicast_and_above") << "224.0.0.1" << false;
  QTest::newRow("not_four_numbers") << "1.2.3" << false;
  QTest::newRow("number_above_255") << "1.2.3.256" << false;
}

void TestExtractScan::publicAddress() {
  QFETCH(QString, value);
  QFETCH(bool, isPublic);
  QCOMPARE(IsPublicIPv4(value), isPublic);
}

void TestExtractScan::phoneNormalisation_data() {
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("normalized");
  QTest::newRow("parentheses_become_one_space") << "(555) 123-4567" << "555 123-4567";
  QTest::newRow("country_code") << "+1 (555) 123-4567" << "+1 555 123-4567";
  QTest::newRow("tabs_and_spaces_collapse") << "555\t \t123" << "555 123";
  QTest::newRow("trailing_separators_go") << "555 123 " << "555 123";
}

void TestExtractScan::phoneNormalisation() {
  QFETCH(QString, value);
  QFETCH(QString, normalized);
  QCOMPARE(NormalizePhone(value), normalized);
}

void TestExtractScan::phoneAcceptance_data() {
  QTest::addColumn<QString>("normalized");
  QTest::addColumn<bool>("accepted");
  QTest::newRow("phone") << "+1 555 123-4567" << true;
  QTest::newRow("too_short") << "12-345" << true;
  QTest::newRow("five_characters") << "12345" << false;
  QTest::newRow("year_first_date") << "2024-01-15" << false;
  QTest::newRow("year_last_date") << "15-01-2024" << false;
  QTest::newRow("three_groups_not_a_date") << "123-456-7890" << true;
  QTest::newRow("dotted_quad") << "10.0.0.1" << false;
  QTest::newRow("two_dots") << "123.45.6" << false;
  QTest::newRow("dotted_with_a_long_group") << "1234.5.6" << true;
  QTest::newRow("four_dots") << "1.2.3.4.5" << true;
}

void TestExtractScan::phoneAcceptance() {
  QFETCH(QString, normalized);
  QFETCH(bool, accepted);
  QCOMPARE(IsAcceptedPhone(normalized), accepted);
}

void TestExtractScan::dottedQuadValue() {
  QCOMPARE(DottedQuadValue(u"1.2.3.4"), 0x01020304u);
  QCOMPARE(DottedQuadValue(u"255.255.255.255"), 0xFFFFFFFFu);
  QCOMPARE(DottedQuadValue(u"1.2.3"), 0u);
  QCOMPARE(DottedQuadValue(u"a.b.c.d"), 0u);
}

void TestExtractScan::tallyAppendKeepsFirstAppearanceAndSumsCounts() {
  TExtractTally first, later;
  for (const char *value : {"x", "y", "x"}) first.Add(QString(value));
  for (const char *value : {"z", "y", "y"}) later.Add(QString(value));
  first.Append(std::move(later));
  QCOMPARE(QStringList(first.Values().begin(), first.Values().end()), QStringList({"x", "y", "z"}));
  QCOMPARE(first.Counts(), std::vector<qint64>({2, 3, 1}));
  QCOMPARE(first.MatchCount(), 6);
  QCOMPARE(ExtractResultText(ExtractOutputLines(first, false)), QString("x\r\ny\r\nz\r\n"));
}

// Values handed over together (many groups, repeats inside a group, the index growing between
// groups) are counted exactly as the same values one at a time.
void TestExtractScan::scanEqualsTallyingEachMatchAsFound_data() {
  QTest::addColumn<int>("kind");
  for (const TExtractKind kind : {TExtractKind::PhoneNumbers, TExtractKind::QuotedStrings, TExtractKind::Domains,
                                  TExtractKind::PublicIPv4Addresses})
    QTest::newRow(qPrintable(ExtractMenuCaption(kind))) << int(kind);
}

// The scanner hands its values to the tally in groups; the simple road, each match's value
// tallied the moment it is found, gives the same values, counts and order.
void TestExtractScan::scanEqualsTallyingEachMatchAsFound() {
  QFETCH(int, kind);
  const TExtractSpec spec = ExtractSpecOf(TExtractKind(kind));
  QStringList lines = SampleLog();
  for (int i = 0; i < lines.size(); i += 3)
    lines[i] += QStringLiteral(" call +1 (555) %1-%2 or '%3' \"%4\"").arg(i % 900 + 100).arg(i % 37 + 1000).arg(i % 11).arg(i % 5);
  TExtractTally simple;
  TRegexMatcher matcher(TRegexPattern::Compile(spec.Pattern));
  for (const QString &line : std::as_const(lines)) {
    for (qsizetype start = 0; matcher.Find(line, start); start = matcher.MatchEnd()) {
      QString value = line.mid(matcher.MatchBegin(), matcher.MatchEnd() - matcher.MatchBegin());
      if (spec.Group != 0) {
        const QStringView group = matcher.Group(line, spec.Group);
        value = !group.isEmpty() ? group.toString() : matcher.Group(line, spec.AltGroup).toString();
      }
      if (spec.PublicIPOnly && !IsPublicIPv4(value)) continue;
      if (spec.PhoneFilter && !IsAcceptedPhone(value = NormalizePhone(value))) continue;
      if (!value.isEmpty()) simple.Add(value);
    }
  }
  std::atomic_bool cancel{false};
  const TExtractTally scanned = ExtractValues(ScanLinesOf(lines), spec, cancel);
  QVERIFY(scanned.MatchCount() > 500);
  QCOMPARE(scanned.Values(), simple.Values());
  QCOMPARE(scanned.Counts(), simple.Counts());
  QCOMPARE(scanned.MatchCount(), simple.MatchCount());
}

void TestExtractScan::tallyOfManyValuesAtOnceEqualsOneByOne() {
  QStringList values;
  for (int i = 0; i < 20000; ++i) values.append(QString::number(i % 3 == 0 ? i % 97 : i * 7919 % 5003));
  std::vector<QStringView> views(values.cbegin(), values.cend());
  TExtractTally together, single;
  together.AddAll(views);
  for (const QString &value : std::as_const(values)) single.Add(value);
  QCOMPARE(together.Values(), single.Values());
  QCOMPARE(together.Counts(), single.Counts());
  QCOMPARE(together.MatchCount(), single.MatchCount());
  QVERIFY(together.UniqueCount() > 5000);
}

void TestExtractScan::summary() {
  TExtractTally tally;
  QCOMPARE(ExtractSummary(tally, 0), QString("No matches found."));
  for (const char *value : {"8.8.8.8", "8.8.8.8", "1.1.1.1"}) tally.Add(QString(value));
  QCOMPARE(ExtractSummary(tally, 2), QString("3 match(es), 2 unique"));
  tally.NoteLineGivenUp();
  QCOMPARE(ExtractSummary(tally, 2), QString("3 match(es), 2 unique (1 line(s) too complex to search)"));
}

void TestExtractScan::splitByRangesGivesOnePassResults_data() {
  QTest::addColumn<int>("kind");
  for (const TExtractKind kind : {TExtractKind::Urls, TExtractKind::Emails, TExtractKind::IPv4Addresses,
                                  TExtractKind::IPv4AddressCounts, TExtractKind::PublicIPv4Addresses})
    QTest::newRow(qPrintable(ExtractMenuCaption(kind))) << int(kind);
}

void TestExtractScan::splitByRangesGivesOnePassResults() {
  QFETCH(int, kind);
  const TExtractSpec spec = ExtractSpecOf(TExtractKind(kind));
  const QStringList lines = SampleLog();
  const TScanLines all = ScanLinesOf(lines);
  const std::atomic_bool cancel = false;
  const TOutcome onePass = OutcomeOf(ExtractValues(all, spec, cancel), spec.CountMode);
  QVERIFY(onePass.Lines.size() > 1);

  const auto pattern = TRegexPattern::Compile(spec.Pattern);
  for (const int parts : {2, 3}) {
    TExtractTally joined;
    for (const TLineSlice &slice : SplitLinesEvenly(all, parts)) {
      TExtractScanner scanner(spec, pattern);
      TExtractTally tally;
      QVERIFY(scanner.Scan(all.subspan(size_t(slice.First), size_t(slice.Count)), tally, cancel));
      joined.Append(std::move(tally));
    }
    const TOutcome split = OutcomeOf(joined, spec.CountMode);
    QCOMPARE(split.Lines, onePass.Lines);
    QCOMPARE(split.Matches, onePass.Matches);
  }
}

void TestExtractScan::twoThreadsShareOnePattern() {
  const TExtractSpec spec = ExtractSpecOf(TExtractKind::IPv4AddressCounts);
  const QStringList lines = SampleLog();
  const TScanLines all = ScanLinesOf(lines);
  const std::atomic_bool cancel = false;
  const TOutcome onePass = OutcomeOf(ExtractValues(all, spec, cancel), true);

  const auto pattern = TRegexPattern::Compile(spec.Pattern);
  const std::vector<TLineSlice> slices = SplitLinesEvenly(all, 2);
  QCOMPARE(slices.size(), size_t(2));
  TExtractTally tallies[2];
  std::vector<std::thread> threads;
  for (size_t i = 0; i < 2; ++i)
    threads.emplace_back([&, i] {
      TExtractScanner scanner(spec, pattern);
      scanner.Scan(all.subspan(size_t(slices[i].First), size_t(slices[i].Count)), tallies[i], cancel);
    });
  for (std::thread &thread : threads) thread.join();
  tallies[0].Append(std::move(tallies[1]));
  QCOMPARE(OutcomeOf(tallies[0], true).Lines, onePass.Lines);
}

void TestExtractScan::cancelStopsBeforeTheNextLine() {
  const QStringList lines{"1.1.1.1", "2.2.2.2", "3.3.3.3", "4.4.4.4"};
  const TExtractSpec spec = ExtractSpecOf(TExtractKind::IPv4Addresses);
  TExtractScanner scanner(spec, TRegexPattern::Compile(spec.Pattern));

  std::atomic_bool cancel = true;
  TExtractTally untouched;
  QVERIFY(!scanner.Scan(ScanLinesOf(lines), untouched, cancel));
  QCOMPARE(untouched.MatchCount(), 0);

  // Asked to stop once half the lines are done, as a window closed during the scan would.
  cancel = false;
  TExtractTally tally;
  const TProgressFunc stopAtHalf = [&](int percent) { if (percent >= 50) cancel = true; };
  QVERIFY(!scanner.Scan(ScanLinesOf(lines), tally, cancel, stopAtHalf));
  QCOMPARE(QStringList(tally.Values().begin(), tally.Values().end()), QStringList({"1.1.1.1", "2.2.2.2"}));
}

void TestExtractScan::progressReportsEachPercentOnce() {
  for (const qsizetype count : {1, 2, 3, 7, 8, 99, 100, 101, 199, 200, 201, 333, 1000, 12345}) {
    QList<int> reported;
    const TProgressFunc record = [&](int percent) { reported.append(percent); };
    TPercentTicker ticker(count, record);
    QList<int> expected;
    for (qsizetype i = 0; i < count; ++i) {
      ticker.LineDone(i);
      const int percent = int(std::floor((double(i) + 1) * 100 / double(count) + 0.5));
      if (expected.isEmpty() || expected.last() != percent) expected.append(percent);
    }
    QCOMPARE(reported, expected);
  }
}

void TestExtractScan::splitLinesEvenlyBalancesCodeUnits() {
  const QStringList lines{QString(90, u'x'), "a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
  const std::vector<TLineSlice> halves = SplitLinesEvenly(ScanLinesOf(lines), 2);
  QCOMPARE(halves, std::vector<TLineSlice>({{0, 1}, {1, 10}}));
  const QStringList even{"a", "b", "c", "d", "", "f"};
  QCOMPARE(SplitLinesEvenly(ScanLinesOf(even), 3), std::vector<TLineSlice>({{0, 2}, {2, 2}, {4, 2}}));
  QCOMPARE(SplitLinesEvenly(ScanLinesOf(QStringList{"one"}), 2), std::vector<TLineSlice>({{0, 1}}));
  QVERIFY(SplitLinesEvenly(ScanLinesOf(QStringList{}), 2).empty());
}

void TestExtractScan::patternThatDoesNotCompileFindsNothing() {
  TExtractSpec spec;
  spec.Pattern = "(unclosed";
  const QStringList lines{"(unclosed"};
  const std::atomic_bool cancel = false;
  const TExtractTally tally = ExtractValues(ScanLinesOf(lines), spec, cancel);
  QCOMPARE(ExtractSummary(tally, ExtractOutputLines(tally, false).size()), QString("No matches found."));
}

// The JIT's backtracking for this pattern outgrows a 32 KiB stack after about a thousand
// repetitions; the interpreter keeps its own on the heap.
void TestExtractScan::lineBeyondTheJitStackIsMatchedByTheInterpreter() {
  TExtractSpec spec;
  spec.Pattern = "(a|b)*c";
  const QStringList lines{QString("ab").repeated(5000) + "c"};
  TExtractScanner scanner(spec, TRegexPattern::Compile(spec.Pattern), 32 * 1024);
  TExtractTally tally;
  const std::atomic_bool cancel = false;
  QVERIFY(scanner.Scan(ScanLinesOf(lines), tally, cancel));
  QCOMPARE(tally.Values(), std::vector<QString>({lines[0]}));
  QCOMPARE(tally.LinesGivenUp(), 0);
}

void TestExtractScan::lineTooComplexIsReported() {
  TExtractSpec spec;
  spec.Pattern = "(a|aa)+\\d";
  const QStringList lines{"b1", QString(40, u'a'), "a2"};
  const std::atomic_bool cancel = false;
  const TExtractTally tally = ExtractValues(ScanLinesOf(lines), spec, cancel);
  QCOMPARE(tally.Values(), std::vector<QString>({"a2"}));
  QCOMPARE(tally.LinesGivenUp(), 1);
}

QTEST_GUILESS_MAIN(TestExtractScan)
#include "test_extract_scan.moc"
