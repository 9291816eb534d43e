// Locate Signals: the categories and their keywords, the hits of the line scan, and the texts of
// the results.
#include "ToolsTestUtil.h"
#include "tools/SignalResults.h"
#include "tools/SignalScan.h"

#include <QRandomGenerator>

#include <thread>

namespace {
// Each hit as category@column+length, in order.
QString Dump(const std::vector<TSignalHit> &hits) {
  QStringList shown;
  for (const TSignalHit &hit : hits)
    shown.append(QStringLiteral("%1@%2+%3").arg(hit.Category).arg(hit.Column).arg(hit.Length));
  return shown.join(u' ');
}

std::vector<TSignalHit> Scan(int category, const QStringList &lines) {
  std::vector<TSignalHit> hits;
  const std::atomic_bool cancel = false;
  TSignalScanner(category).Scan(ScanLinesOf(lines), 0, hits, cancel);
  return hits;
}

// The rule written out plainly: ASCII letters lower-cased, each keyword searched as a substring.
std::vector<TSignalHit> NaiveScan(int category, const QStringList &lines) {
  std::vector<TSignalHit> hits;
  for (qsizetype index = 0; index < lines.size(); ++index) {
    QString lower = lines[index];
    for (QChar &c : lower)
      if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
    for (int tested = 0; tested < KSignalCategoryCount; ++tested) {
      if (category != KAllSignalCategories && category != tested) continue;
      TSignalHit best{tested, index, -1, 0};
      for (const QString &keyword : SignalCategory(tested).Keywords)
        for (qsizetype at = lower.indexOf(keyword); at >= 0; at = lower.indexOf(keyword, at + 1))
          if (best.Column < 0 || at < best.Column || (at == best.Column && keyword.size() > best.Length)) {
            best.Column = at;
            best.Length = keyword.size();
          }
      if (best.Column >= 0) hits.push_back(best);
    }
  }
  return hits;
}

// Lines built from pieces of keywords in random case, near misses and other characters.
QStringList RandomLines(int count) {
  QRandomGenerator random(77);
  QStringList pieces;
  for (int category = 0; category < KSignalCategoryCount; ++category)
    for (const QString &keyword : SignalCategory(category).Keywords) {
      pieces.append(keyword);
      pieces.append(keyword.left(keyword.size() / 2));
      pieces.append(keyword.mid(keyword.size() / 2));
    }
  pieces << " " << "x" << "_" << QString::fromUtf16(u"\u0130") << QString::fromUtf16(u"\u00E9") << "oom" << "pan";
  QStringList lines;
  for (int i = 0; i < count; ++i) {
    QString line;
    const int length = random.bounded(0, 8);
    for (int j = 0; j < length; ++j) line += pieces[random.bounded(int(pieces.size()))];
    for (QChar &c : line)
      if (c.isLower() && c.unicode() < 128 && random.bounded(3) == 0) c = c.toUpper();
    lines.append(line);
  }
  return lines;
}
}  // namespace

class TestSignalScan : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void categories_data();
  void categories();
  void menuTags();
  void hits_data();
  void hits();
  void automatonAgreesWithThePlainRule();
  void lineIndexesCountFromTheRangeStart();
  void splitByRangesGivesOnePassHits();
  void cancelStopsBeforeTheNextLine();
  void resultTexts();
};

void TestSignalScan::categories_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("keywords");
  QTest::newRow("system_errors") << 0 << "System Errors"
                                 << "bytes exhausted|oom killer|killed by oom|memory size exhausted|out of memory|"
                                    "segfault|stack overflow|kernel panic|fatal error";
  QTest::newRow("resource_issues") << 1 << "Resource Issues"
                                   << "disk full|no space left|quota exceeded|memory leak|limit exceeded";
  QTest::newRow("failed_authentications") << 2 << "Failed Authentications"
                                          << "login failed|invalid credentials|auth failure|unauthorized|forbidden|"
                                             "brute force|access denied|no such user found from|failed password for";
  QTest::newRow("network_failures") << 3 << "Network Failures"
                                    << "timeout|connection refused|reset by peer|econnrefused|etimedout|dns failure|"
                                       "slow query|high latency|prematurely closed connection";
  QTest::newRow("application_crashes") << 4 << "Application Crashes" << "crash|exception|panic|abort";
}

void TestSignalScan::categories() {
  QFETCH(int, index);
  QFETCH(QString, name);
  QFETCH(QString, keywords);
  QCOMPARE(SignalCategory(index).Name, name);
  QCOMPARE(SignalCategory(index).Keywords.join(u'|'), keywords);
}

void TestSignalScan::menuTags() {
  for (int tag = 0; tag < KSignalCategoryCount; ++tag) QCOMPARE(SignalCategoryOfTag(tag), tag);
  QCOMPARE(SignalCategoryOfTag(5), KAllSignalCategories);
}

void TestSignalScan::hits_data() {
  QTest::addColumn<int>("category");
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("hits");
  const int all = KAllSignalCategories;
  QTest::newRow("one_line_in_two_categories") << all << "  Kernel PANIC at boot  " << "0@2+12 4@9+5";
  QTest::newRow("keyword_inside_a_longer_word") << all << "Timeouts: 3" << "3@0+7";
  QTest::newRow("keyword_joined_to_a_word") << all << "user unauthorized_user" << "2@5+12";
  QTest::newRow("non_ascii_capital_is_not_folded")
      << all << QString::fromUtf16(u"L\u0130MIT EXCEEDED") << "";
  QTest::newRow("ascii_capitals_are_folded") << all << "LIMIT EXCEEDED" << "1@0+14";
  QTest::newRow("one_hit_per_category_at_its_first_keyword") << all << "exception after abort" << "4@0+9";
  QTest::newRow("earlier_keyword_found_later_in_the_scan") << all << "killed by oom killer" << "0@0+13";
  QTest::newRow("longest_of_keywords_starting_together") << all << "out of memory size exhausted" << "0@0+13";
  QTest::newRow("every_category_in_order") << all << "abort timeout access denied disk full segfault"
                                           << "0@38+8 1@28+9 2@14+13 3@6+7 4@0+5";
  QTest::newRow("one_category_ignores_the_others") << 3 << "kernel panic timeout" << "3@13+7";
  QTest::newRow("one_category_without_its_keywords") << 1 << "kernel panic timeout" << "";
  QTest::newRow("keyword_split_by_non_ascii_letter") << all << QString::fromUtf16(u"pan\u00EFc") << "";
  QTest::newRow("empty_line") << all << "" << "";
}

void TestSignalScan::hits() {
  QFETCH(int, category);
  QFETCH(QString, line);
  QFETCH(QString, hits);
  QCOMPARE(Dump(Scan(category, {line})), hits);
}

void TestSignalScan::automatonAgreesWithThePlainRule() {
  const QStringList lines = RandomLines(20000);
  for (int category = KAllSignalCategories; category < KSignalCategoryCount; ++category) {
    const std::vector<TSignalHit> expected = NaiveScan(category, lines);
    QVERIFY(expected.size() > 1000);
    QCOMPARE(Dump(Scan(category, lines)), Dump(expected));
    QVERIFY(Scan(category, lines) == expected);
  }
}

void TestSignalScan::lineIndexesCountFromTheRangeStart() {
  const QStringList lines{"ok", "crash", "ok", "timeout and crash"};
  std::vector<TSignalHit> hits;
  const std::atomic_bool cancel = false;
  TSignalScanner(KAllSignalCategories).Scan(ScanLinesOf(lines).subspan(2), 2, hits, cancel);
  QCOMPARE(hits, std::vector<TSignalHit>({{3, 3, 0, 7}, {4, 3, 12, 5}}));
}

void TestSignalScan::splitByRangesGivesOnePassHits() {
  const QStringList lines = RandomLines(5000);
  const TScanLines all = ScanLinesOf(lines);
  const TSignalScanner scanner(KAllSignalCategories);
  const std::atomic_bool cancel = false;
  std::vector<TSignalHit> onePass;
  scanner.Scan(all, 0, onePass, cancel);

  const std::vector<TLineSlice> slices = SplitLinesEvenly(all, 2);
  std::vector<TSignalHit> parts[2];
  std::vector<std::thread> threads;
  for (size_t i = 0; i < slices.size(); ++i)
    threads.emplace_back([&, i] {
      scanner.Scan(all.subspan(size_t(slices[i].First), size_t(slices[i].Count)), slices[i].First, parts[i], cancel);
    });
  for (std::thread &thread : threads) thread.join();
  std::vector<TSignalHit> joined = parts[0];
  joined.insert(joined.end(), parts[1].begin(), parts[1].end());
  QVERIFY(joined == onePass);
}

void TestSignalScan::cancelStopsBeforeTheNextLine() {
  const QStringList lines{"crash", "crash", "crash", "crash"};
  std::atomic_bool cancel = false;
  std::vector<TSignalHit> hits;
  const TProgressFunc stopAtHalf = [&](int percent) { if (percent >= 50) cancel = true; };
  QVERIFY(!TSignalScanner(4).Scan(ScanLinesOf(lines), 0, hits, cancel, stopAtHalf));
  QCOMPARE(hits.size(), size_t(2));
  hits.clear();
  QVERIFY(!TSignalScanner(4).Scan(ScanLinesOf(lines), 0, hits, cancel));
  QVERIFY(hits.empty());
}

void TestSignalScan::resultTexts() {
  QCOMPARE(SignalResultsTitle(0), QString("Locate Signals"));
  QCOMPARE(SignalResultsTitle(2), QString("Locate Signals - 2 line(s)"));
  QCOMPARE(SignalsScanningTitle(), QString("Locating signals..."));
  QCOMPARE(NoSignalsFoundCaption(), QString("No signals found."));
  QCOMPARE(SignalCategoryCaption(3, 12), QString("Network Failures - Found (12) lines"));
  QCOMPARE(SignalHitCaption(7, u"  \tKernel PANIC at boot  "), QString("Line 7: Kernel PANIC at boot"));
  const QString long250 = QString(250, u'x');
  QCOMPARE(SignalHitCaption(1, long250), "Line 1: " + QString(200, u'x') + "...");
  QCOMPARE(SignalHitCaption(1, QString(200, u'y')), "Line 1: " + QString(200, u'y'));
  const QString pairAtTheCut = QString(199, u'z') + QString::fromUtf16(u"\U0001F600") + "tail";
  QCOMPARE(SignalHitCaption(1, pairAtTheCut), "Line 1: " + QString(199, u'z') + "...");
}

QTEST_GUILESS_MAIN(TestSignalScan)
#include "test_signal_scan.moc"
