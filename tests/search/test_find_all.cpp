// Find All's matching, its walk over documents with the hit limit, and the tree's texts.
#include "app/search/FindAllSearch.h"

#include <QTest>

namespace {

// "col+len" of every match in line.
QString Matches(const TFindAllQuery &query, const QString &line) {
  TFindAllMatcher matcher(query);
  QList<std::pair<int, int>> found;
  matcher.Matches(line, found);
  QStringList parts;
  for (const auto &[col, len] : found) parts << QString("%1+%2").arg(col).arg(len);
  return parts.join(u' ');
}

TDocId FakeDoc(TDocId n) { return n; }

}  // namespace

class TestFindAll : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void lineMatches_data();
  void lineMatches();
  void walksDocumentsAndNamesTheTree();
  void stopsAtTheLimitAndSaysSo();
  void pumpsEvenWithoutHits_data();
  void pumpsEvenWithoutHits();
  void hitText_data();
  void hitText();
};

void TestFindAll::lineMatches_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("matchCase");
  QTest::addColumn<bool>("wholeWord");
  QTest::addColumn<bool>("regex");
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("matches");
  QTest::newRow("threeInOneLine") << "ab" << false << false << false << "ab ab ab" << "1+2 4+2 7+2";
  QTest::newRow("neverOverlapping") << "aa" << false << false << false << "aaaa" << "1+2 3+2";
  QTest::newRow("foldsAToZ") << "abc" << false << false << false << "xABCx" << "2+3";
  QTest::newRow("foldsOnlyAToZ") << QString::fromUtf16(u"\u00e9") << false << false << false
                                 << QString::fromUtf16(u"\u00c9") << "";
  QTest::newRow("caseMatters") << "abc" << true << false << false << "ABC abc" << "5+3";
  QTest::newRow("wholeWordAtLineEdges") << "cat" << false << true << false << "cat cats _cat cat" << "1+3 15+3";
  QTest::newRow("wholeWordSkipsPartsOfWords") << "cat" << false << true << false << "a cat. catcat" << "3+3";
  QTest::newRow("emptyFindsNothing") << "" << false << false << false << "abc" << "";
  QTest::newRow("regexGroups") << "(\\d+)\\.(\\d+)" << false << false << true << "v1.2 and 10.20" << "2+3 10+5";
  QTest::newRow("regexIgnoresCase") << "ERR" << false << false << true << "err Err" << "1+3 5+3";
  QTest::newRow("regexSkipsEmptyMatches") << "x*" << false << false << true << "abxc" << "3+1";
  QTest::newRow("regexWholeWordIgnored") << "cat" << false << true << true << "cats" << "1+3";
  QTest::newRow("regexBadFindsNothing") << "(ab" << false << false << true << "ab" << "";
}

void TestFindAll::lineMatches() {
  QFETCH(QString, text);
  QFETCH(bool, matchCase);
  QFETCH(bool, wholeWord);
  QFETCH(bool, regex);
  QFETCH(QString, line);
  QFETCH(QString, matches);
  QCOMPARE(Matches({text, matchCase, wholeWord, regex}, line), matches);
}

void TestFindAll::walksDocumentsAndNamesTheTree() {
  const TFindAllQuery query{"x", false, false, false};
  const QList<TFindAllDoc> docs = {{FakeDoc(8), "/a.txt", {"x", "none", "x x"}},
                                   {FakeDoc(16), "b.txt", {"nothing"}},
                                   {FakeDoc(24), "Untitled", {"", "X"}}};
  const TFindAllResult result = RunFindAll(query, docs, nullptr);
  QCOMPARE(result.HitCount, 4);
  QCOMPARE(result.Searched, 3);
  QCOMPARE(result.Docs.size(), 2);
  QCOMPARE(FindAllRootText(query, result), QString("Search \"x\" (4 hits in 2 files of 3 searched) [Normal]"));
  QCOMPARE(FindAllDocText(result.Docs[0]), QString("/a.txt (3 hits)"));
  QCOMPARE(FindAllDocText(result.Docs[1]), QString("Untitled (1 hit)"));
  const TSearchHit &last = result.Docs[0].Hits[2];
  QCOMPARE(last.Doc, FakeDoc(8));
  QCOMPARE(last.Line, 3);
  QCOMPARE(last.Col, 3);
  QCOMPARE(last.Len, 1);
  QCOMPARE(result.Docs[1].Hits[0].Line, 2);

  const TFindAllQuery one{"%1", false, false, true};  // the text must not be taken for a placeholder
  const TFindAllResult single = RunFindAll(one, {{FakeDoc(8), "f", {"%1"}}, {FakeDoc(16), "g", {}}}, nullptr);
  QCOMPARE(FindAllRootText(one, single), QString("Search \"%1\" (1 hit in 1 file of 2 searched) [Regex]"));
}

void TestFindAll::stopsAtTheLimitAndSaysSo() {
  const TFindAllQuery query{"a", false, false, false};
  QStringList lines(1500, QString(10, u'a'));  // 15,000 hits in each document
  const QList<TFindAllDoc> docs = {{FakeDoc(8), "one", lines}, {FakeDoc(16), "two", lines}, {FakeDoc(24), "three", lines}};
  int pumps = 0;
  const TMsClock stopped = [] { return qint64(0); };  // only the hits make it pump
  const TFindAllResult result = RunFindAll(query, docs, [&] { ++pumps; }, stopped);
  QCOMPARE(result.HitCount, KFindAllHitLimit);
  QVERIFY(result.Stopped);
  QCOMPARE(result.Searched, 2);  // the third document was never reached
  QCOMPARE(result.Docs[1].Hits.size(), KFindAllHitLimit - 15000);
  QCOMPARE(pumps, KFindAllHitLimit / 1000);
  QVERIFY(FindAllRootText(query, result).endsWith("[Normal] - stopped at 20000"));
}

void TestFindAll::pumpsEvenWithoutHits_data() {
  QTest::addColumn<qint64>("msPerLook");
  QTest::addColumn<int>("pumps");
  QTest::newRow("noTimePassingNoPump") << qint64(0) << 0;
  QTest::newRow("slowLinesPumpAtEveryLook") << qint64(1000) << 10;
}

// A long search with no hits still lets the window run, by the clock: here one that moves on a
// fixed step each time the search looks at it, which it does every 1024 lines.
void TestFindAll::pumpsEvenWithoutHits() {
  QFETCH(qint64, msPerLook);
  QFETCH(int, pumps);
  const QStringList lines(10 * 1024, QString(20, u'b'));
  qint64 now = 0;
  int pumped = 0;
  const TFindAllResult result = RunFindAll(
      {"needle", false, false, false}, {{FakeDoc(8), "big", lines}}, [&] { ++pumped; },
      [&] { return now += msPerLook; });
  QCOMPARE(result.HitCount, 0);
  QCOMPARE(pumped, pumps);
}

void TestFindAll::hitText_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("text");
  QTest::newRow("leadingBlanksAndControlsTrimmed") << "\t  \x01x y" << "Line 7: x y";
  QTest::newRow("emptyAfterTrimming") << "   " << "Line 7: ";
  QTest::newRow("longLineCut") << QString(250, u'z') << "Line 7: " + QString(200, u'z') + "...";
  QTest::newRow("exactly200Kept") << QString(200, u'z') << "Line 7: " + QString(200, u'z');
}

void TestFindAll::hitText() {
  QFETCH(QString, line);
  QFETCH(QString, text);
  QCOMPARE(FindAllHitText(7, line), text);
}

QTEST_MAIN(TestFindAll)
#include "test_find_all.moc"
