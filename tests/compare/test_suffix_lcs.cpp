// The rows of the longest-common-subsequence table made bit by bit: every drop T[k][l] - T[k+1][l]
// equals the full table's, whether a block keeps its changes or its first row and whether a line
// is stepped run by run or word by word; the bit row finds zeros past long runs of ones.
#include "FullTableDiff.h"
#include "tools/compare/BitRow.h"
#include "tools/compare/DiffWork.h"
#include "tools/compare/SuffixLcs.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr qint64 KNoLimit = qint64(1) << 40;

std::vector<qint32> RandomIds(QRandomGenerator &random, int count, int symbols) {
  std::vector<qint32> ids{};
  ids.resize(size_t(count));
  for (qint32 &id : ids) id = qint32(random.bounded(symbols));
  return ids;
}

// b made from a by changing, dropping and adding a few ids, so most of it matches.
std::vector<qint32> Mutated(QRandomGenerator &random, const std::vector<qint32> &a, int symbols) {
  std::vector<qint32> b;
  for (const qint32 id : a) {
    const int roll = int(random.bounded(20));
    if (roll == 0) continue;
    b.push_back(roll == 1 ? qint32(random.bounded(symbols)) : id);
    if (roll == 2) b.push_back(qint32(random.bounded(symbols)));
  }
  return b;
}

}  // namespace

class TestSuffixLcs : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void dropsMatchTheFullTable_data();
  void dropsMatchTheFullTable();
  void bitRowFindsZerosPastFullWords();
  void overBudgetStops();
};

void TestSuffixLcs::dropsMatchTheFullTable_data() {
  QTest::addColumn<qsizetype>("denseFrom");
  QTest::addColumn<qint64>("blockBytes");
  QTest::newRow("as_tuned") << qsizetype(-1) << qint64(-1);
  QTest::newRow("every_line_word_by_word") << qsizetype(0) << qint64(-1);
  QTest::newRow("every_line_run_by_run") << qsizetype(1 << 30) << qint64(-1);
  QTest::newRow("blocks_keep_first_rows") << qsizetype(-1) << qint64(0);
  QTest::newRow("blocks_keep_changes") << qsizetype(-1) << KNoLimit;
  QTest::newRow("word_by_word_from_first_rows") << qsizetype(0) << qint64(0);
  QTest::newRow("run_by_run_keeping_changes") << qsizetype(1 << 30) << KNoLimit;
}

void TestSuffixLcs::dropsMatchTheFullTable() {
  QFETCH(qsizetype, denseFrom);
  QFETCH(qint64, blockBytes);
  QRandomGenerator random(7);
  // Sizes across word and block edges; few symbols make long runs and dense lines, many make
  // sparse ones; alike sequences keep few changes per step.
  for (int round = 0; round < 120; ++round) {
    const int n = int(random.bounded(1, 200)), m = int(random.bounded(1, 200));
    const int symbols = int(random.bounded(1, round % 3 == 0 ? 4 : 60));
    const std::vector<qint32> a = RandomIds(random, n, symbols);
    const std::vector<qint32> b = round % 2 ? Mutated(random, a, symbols) : RandomIds(random, m, symbols);
    if (b.empty()) continue;
    const TLcsTable t = FullLcsTable(a, b);
    TDiffControl control;
    TDiffWork work(control);
    TSuffixLcs lcs(a, b, symbols, work, {denseFrom, blockBytes});
    QVERIFY(lcs.Build());
    for (qsizetype k = 0; k < qsizetype(a.size()); ++k) {
      QVERIFY(lcs.Seek(k));
      for (qsizetype l = 0; l < qsizetype(b.size()); ++l) {
        const int expected = t[size_t(k)][size_t(l)] - t[size_t(k) + 1][size_t(l)];
        if (lcs.Drop(l) != expected) QFAIL(qPrintable(QStringLiteral("round %1 at %2,%3").arg(round).arg(k).arg(l)));
      }
    }
  }
}

void TestSuffixLcs::bitRowFindsZerosPastFullWords() {
  // 64^2 words and more, so the search climbs two summary levels.
  const qsizetype bits = 64 * 64 * 64 + 100;
  TBitRow row(bits);
  QCOMPARE(row.FindZero(0), qsizetype(-1));
  row.Clear(bits - 1);
  QCOMPARE(row.FindZero(0), bits - 1);
  row.Clear(70000);
  QCOMPARE(row.FindZero(5), qsizetype(70000));
  QCOMPARE(row.FindZero(70001), bits - 1);
  row.Set(bits - 1);
  QCOMPARE(row.FindZero(70001), qsizetype(-1));
  // A row taken whole from words builds its summaries again.
  std::vector<quint64> words(size_t(row.WordCount()), ~quint64(0));
  words[3000] = ~quint64(8);
  row.Assign(words.data());
  QCOMPARE(row.FindZero(0), qsizetype(3000 * 64 + 3));
  QCOMPARE(row.FindZero(3000 * 64 + 4), qsizetype(-1));
}

void TestSuffixLcs::overBudgetStops() {
  QRandomGenerator random(3);
  const std::vector<qint32> a = RandomIds(random, 3000, 3), b = RandomIds(random, 3000, 3);
  TDiffControl control;
  control.MemoryBudget = 4096;
  TDiffWork work(control);
  {
    TSuffixLcs lcs(a, b, 3, work);
    QVERIFY(!lcs.Build());
    QVERIFY(work.Used() <= control.MemoryBudget);
  }
  // Everything counted was given back.
  QCOMPARE(work.Used(), qint64(0));
}

QTEST_APPLESS_MAIN(TestSuffixLcs)
#include "test_suffix_lcs.moc"
