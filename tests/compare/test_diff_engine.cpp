// The line diff: the rows of the walk over the whole table of common subsequences, exactly, for
// the documented cases, for random inputs against the plain walk, and for equal-line counts
// against GNU diff; large inputs in bounded memory; refusal, cancelling and progress.
#include "FullTableDiff.h"
#include "tools/compare/DiffEngine.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList Lines(const QString &joined) { return joined.isEmpty() ? QStringList() : joined.split(u','); }

QStringList RandomLines(QRandomGenerator &random, int count, int alphabet) {
  static const QStringList variants = {"a", "b", "c", "A", "a ", "d", "e", "", "f", "g", "h", "i"};
  QStringList lines;
  for (int i = 0; i < count; ++i) {
    const int pick = int(random.bounded(alphabet));
    lines << (pick < variants.size() ? variants[pick] : QStringLiteral("line %1").arg(pick));
  }
  return lines;
}

// lines with a few changed, dropped and added, so most of them still match.
QStringList Mutated(QRandomGenerator &random, const QStringList &lines, int alphabet) {
  QStringList out;
  for (const QString &line : lines) {
    const int roll = int(random.bounded(12));
    if (roll == 0) continue;
    out << (roll == 1 ? RandomLines(random, 1, alphabet).first() : line);
    if (roll == 2) out << RandomLines(random, 1, alphabet);
  }
  return out;
}

// A log of unique lines, and a copy with every hundredth line changed.
QStringList LogLines(int count, const QString &suffix = {}, int changeEvery = 0) {
  QStringList lines;
  lines.reserve(count);
  for (int i = 0; i < count; ++i) {
    QString line = QStringLiteral("2024-05-01T10:%1 host%2 sshd[%3]: event %4")
                       .arg(i % 60, 2, 10, QChar(u'0')).arg(i % 17).arg(1000 + i % 977).arg(i);
    if (changeEvery && i % changeEvery == changeEvery / 2) line += suffix;
    lines << line;
  }
  return lines;
}

qsizetype EqualRows(const TDiffRows &rows) {
  return std::count_if(rows.begin(), rows.end(), [](const TDiffRow &r) { return r.Kind == dkEqual; });
}

}  // namespace

class TestDiffEngine : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void rows_data();
  void rows();
  void randomInputsFollowTheFullTableWalk();
  void equalLinesAsManyAsGnuDiffFinds();
  void largeLogsCompareInBoundedMemory();
  void overBudgetIsRefusedWithoutRows();
  void cancelLeavesNoRows();
  void progressRisesToHundred();
};

void TestDiffEngine::rows_data() {
  QTest::addColumn<QString>("left");
  QTest::addColumn<QString>("right");
  QTest::addColumn<QStringList>("rows");
  QTest::newRow("both_empty") << "" << "" << QStringList();
  QTest::newRow("empty_left_inserts_all") << "" << "a,b" << QStringList{"+1 a", "+2 b"};
  QTest::newRow("empty_right_deletes_all") << "a,b" << "" << QStringList{"-1 a", "-2 b"};
  QTest::newRow("middle_line_changed") << "a,b,c" << "a,x,c" << QStringList{"=1/1 a", "~2/2 b|x", "=3/3 c"};
  QTest::newRow("no_common_line_pairs_then_inserts")
      << "1,2" << "3,4,5" << QStringList{"~1/1 1|3", "~2/2 2|4", "+3 5"};
  QTest::newRow("tie_deletes_first") << "x,y" << "y,x" << QStringList{"-1 x", "=2/1 y", "+2 x"};
  QTest::newRow("case_counts") << "Line" << "line" << QStringList{"~1/1 Line|line"};
  QTest::newRow("trailing_blank_counts") << "a,b" << "a,b " << QStringList{"=1/1 a", "~2/2 b|b "};
  // A common end is not simply taken as equal: the walk pairs the first a on the right with the
  // left's only a, though both texts end in a.
  QTest::newRow("common_suffix_walked_as_the_table_says")
      << "x,a" << "a,a" << QStringList{"-1 x", "=2/1 a", "+2 a"};
  QTest::newRow("common_prefix_then_walk") << "p,q,x,y" << "p,q,y,x"
                                          << QStringList{"=1/1 p", "=2/2 q", "-3 x", "=4/3 y", "+4 x"};
  QTest::newRow("block_changed_then_deleted_then_inserted")
      << "a,1,2,3,b" << "a,4,b,5" << QStringList{"=1/1 a", "~2/2 1|4", "-3 2", "-4 3", "=5/3 b", "+4 5"};
}

void TestDiffEngine::rows() {
  QFETCH(QString, left);
  QFETCH(QString, right);
  QFETCH(QStringList, rows);
  const TResult<TDiffRows> result = ComputeDiff(Lines(left), Lines(right));
  QVERIFY(result.IsOk());
  QCOMPARE(DumpRows(result.Value()), rows);
  QCOMPARE(DumpRows(FullTableDiff(Lines(left), Lines(right))), rows);
}

void TestDiffEngine::randomInputsFollowTheFullTableWalk() {
  QRandomGenerator random(11);
  for (int round = 0; round < 600; ++round) {
    const int alphabet = int(random.bounded(1, round % 4 == 0 ? 40 : 8));
    const QStringList left = RandomLines(random, int(random.bounded(0, 150)), alphabet);
    const QStringList right =
        round % 2 ? Mutated(random, left, alphabet) : RandomLines(random, int(random.bounded(0, 150)), alphabet);
    const TResult<TDiffRows> result = ComputeDiff(left, right);
    QVERIFY(result.IsOk());
    const QStringList expected = DumpRows(FullTableDiff(left, right));
    if (DumpRows(result.Value()) != expected) {
      qWarning() << "round" << round << "left" << left << "right" << right;
      QCOMPARE(DumpRows(result.Value()), expected);
    }
  }
}

// GNU diff --minimal finds a longest common subsequence too: as many lines stay unchanged.
void TestDiffEngine::equalLinesAsManyAsGnuDiffFinds() {
  if (QStandardPaths::findExecutable("diff").isEmpty()) QSKIP("diff is not installed");
  QTemporaryDir dir;
  QRandomGenerator random(5);
  for (int round = 0; round < 12; ++round) {
    const int alphabet = round % 3 == 0 ? 4 : round % 3 == 1 ? 30 : 400;
    const QStringList left = RandomLines(random, int(random.bounded(200, 3000)), alphabet);
    const QStringList right =
        round % 2 ? Mutated(random, left, alphabet) : RandomLines(random, int(random.bounded(200, 3000)), alphabet);
    const auto write = [&](const QString &name, const QStringList &lines) {
      QFile file(dir.filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
      for (const QString &line : lines) file.write(line.toUtf8() + '\n');
    };
    write("left.txt", left);
    write("right.txt", right);
    QProcess diff;
    diff.start("diff", {"--minimal", dir.filePath("left.txt"), dir.filePath("right.txt")});
    QVERIFY(diff.waitForFinished(120000));
    const QList<QByteArray> output = diff.readAllStandardOutput().split('\n');
    const qsizetype deleted = std::count_if(output.begin(), output.end(), [](const QByteArray &l) { return l.startsWith("< "); });
    const TResult<TDiffRows> result = ComputeDiff(left, right);
    QVERIFY(result.IsOk());
    QCOMPARE(EqualRows(result.Value()), left.size() - deleted);
  }
}

// The whole table would take 160 GB here, and its 32-bit index would overflow past 46,341 lines.
void TestDiffEngine::largeLogsCompareInBoundedMemory() {
  const int count = 200000;
  const QStringList left = LogLines(count);
  QStringList right = LogLines(count, " (changed)", 100);
  right.insert(150000, "inserted line");
  right.removeAt(190000);
  const TResult<TDiffRows> result = ComputeDiff(left, right);
  QVERIFY2(result.IsOk(), qPrintable(result.Error()));
  const TDiffRows &rows = result.Value();
  QCOMPARE(rows.size(), size_t(count + 1));
  qsizetype changed = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    const TDiffRow &row = rows[r];
    if (row.Kind == dkChanged) {
      ++changed;
      QCOMPARE(row.LeftLine % 100, 51);
      QCOMPARE(row.RightText, row.LeftText + " (changed)");
    }
  }
  QCOMPARE(changed, qsizetype(count / 100));
  QCOMPARE(DumpRows({rows[150000]}), QStringList{"+150001 inserted line"});
  QCOMPARE(rows[150001].LeftLine, 150001);
  QCOMPARE(rows[150001].RightLine, 150002);
  QCOMPARE(DumpRows({rows[190000]}), QStringList{"-190000 " + left[189999]});
  QCOMPARE(rows.back().LeftLine, count);
  QCOMPARE(rows.back().RightLine, count);
}

// Any budget either gives the walk's very rows or refuses with the message and no rows at all.
void TestDiffEngine::overBudgetIsRefusedWithoutRows() {
  QRandomGenerator random(9);
  const QStringList left = RandomLines(random, 3000, 3), right = RandomLines(random, 3000, 3);
  const QStringList expected = DumpRows(FullTableDiff(left, right));
  int refused = 0, done = 0;
  for (qint64 budget = 64 * 1024; budget <= 4 * 1024 * 1024; budget += 64 * 1024) {
    TDiffControl control;
    control.MemoryBudget = budget;
    const TResult<TDiffRows> result = ComputeDiff(left, right, control);
    if (result.IsOk()) {
      ++done;
      QCOMPARE(DumpRows(result.Value()), expected);
    } else {
      ++refused;
      QVERIFY(result.Value().empty());
      QCOMPARE(result.Error(), QStringLiteral("The documents are too large to compare: it would take more than %1 "
                                              "bytes of memory.").arg(budget));
    }
  }
  QVERIFY(refused > 0);
  QVERIFY(done > 0);
  TDiffControl mega;
  mega.MemoryBudget = qint64(1) << 20;
  const TResult<TDiffRows> small = ComputeDiff(LogLines(20000), LogLines(20000, "!", 3), mega);
  QCOMPARE(small.Error(), QStringLiteral("The documents are too large to compare: it would take more than 1 MB of memory."));
}

void TestDiffEngine::cancelLeavesNoRows() {
  QRandomGenerator random(4);
  const QStringList left = RandomLines(random, 4000, 3), right = RandomLines(random, 4000, 3);
  std::atomic<bool> cancel = false;
  TDiffControl control;
  control.Cancel = &cancel;
  int last = -1;
  control.OnProgress = [&](int percent) {
    last = percent;
    if (percent >= 30) cancel = true;
  };
  const TResult<TDiffRows> result = ComputeDiff(left, right, control);
  QVERIFY(!result.IsOk());
  QVERIFY(result.Value().empty());
  QCOMPARE(result.Error(), QStringLiteral("The comparison was cancelled."));
  QCOMPARE(last, 30);
}

void TestDiffEngine::progressRisesToHundred() {
  QRandomGenerator random(6);
  const QStringList left = RandomLines(random, 2000, 5), right = RandomLines(random, 2000, 5);
  QList<int> reported;
  TDiffControl control;
  control.OnProgress = [&](int percent) { reported << percent; };
  QVERIFY(ComputeDiff(left, right, control).IsOk());
  QVERIFY(reported.size() > 50);
  QCOMPARE(reported.back(), 100);
  for (qsizetype i = 1; i < reported.size(); ++i) QVERIFY(reported[i] > reported[i - 1]);
}

QTEST_APPLESS_MAIN(TestDiffEngine)
#include "test_diff_engine.moc"
