// The results panel: the tree Find All leaves, going to a hit, and no second search while one runs.
#include "app/search/ResultsPanel.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

TDocId FakeDoc(TDocId n) { return n; }

QStringList Texts(QTreeWidgetItem *item, int depth = 0) {
  QStringList out{QString(depth * 2, u' ') + item->text(0)};
  for (int i = 0; i < item->childCount(); ++i) out += Texts(item->child(i), depth + 1);
  return out;
}

}  // namespace

class TestResultsPanel : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void treeOfDocumentsAndHits();
  void enterAndDoubleClickGoToTheHit();
  void secondSearchWhileSearchingAnswersZero();
};

void TestResultsPanel::treeOfDocumentsAndHits() {
  TResultsPanel panel;
  const QList<TFindAllDoc> docs = {{FakeDoc(1), "/x/a.log", {"  error one", "fine", "\terror error"}},
                                   {FakeDoc(2), "Untitled", {"nothing"}}};
  QCOMPARE(panel.FindAll({"error", false, false, false}, docs), 3);
  QVERIFY(panel.isVisible());
  QCOMPARE(panel.findChild<QLabel *>("lblResultsTitle")->text(), QString("Search results"));
  QTreeWidget *tree = panel.Tree();
  QCOMPARE(tree->topLevelItemCount(), 1);
  QCOMPARE(Texts(tree->topLevelItem(0)), (QStringList{"Search \"error\" (3 hits in 1 file of 2 searched) [Normal]",
                                                      "  /x/a.log (3 hits)", "    Line 1: error one",
                                                      "    Line 3: error error", "    Line 3: error error"}));
  QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
  QVERIFY(tree->topLevelItem(0)->child(0)->isExpanded());
  QCOMPARE(panel.HitOf(tree->topLevelItem(0)), nullptr);
  const TSearchHit *hit = panel.HitOf(tree->topLevelItem(0)->child(0)->child(2));
  QVERIFY(hit);
  QCOMPARE(hit->Doc, FakeDoc(1));
  QCOMPARE(hit->Line, 3);
  QCOMPARE(hit->Col, 8);
  QCOMPARE(hit->Len, 5);
  // A new search replaces the old tree and hits.
  QCOMPARE(panel.FindAll({"zzz", false, false, false}, docs), 0);
  QCOMPARE(Texts(tree->topLevelItem(0)), QStringList{"Search \"zzz\" (0 hits in 0 files of 2 searched) [Normal]"});
}

void TestResultsPanel::enterAndDoubleClickGoToTheHit() {
  TResultsPanel panel;
  QList<TSearchHit> gone;
  panel.OnGotoHit = [&](const TSearchHit &hit) { gone.append(hit); };
  panel.FindAll({"b", false, false, false}, {{FakeDoc(1), "f", {"ab"}}});
  QTreeWidget *tree = panel.Tree();
  QTest::keyClick(tree, Qt::Key_Return);  // on the root: nothing to go to
  QVERIFY(gone.isEmpty());
  tree->setCurrentItem(tree->topLevelItem(0)->child(0)->child(0));
  QTest::keyClick(tree, Qt::Key_Return);
  QCOMPARE(gone.size(), 1);
  QCOMPARE(gone[0].Col, 2);
  Q_EMIT tree->itemDoubleClicked(tree->currentItem(), 0);
  QCOMPARE(gone.size(), 2);
}

void TestResultsPanel::secondSearchWhileSearchingAnswersZero() {
  TResultsPanel panel;
  // Many hits, so the search lets events run; one of them starts another search.
  const QList<TFindAllDoc> docs = {{FakeDoc(1), "f", QStringList(3000, "a a a")}};
  int nested = -1;
  QTimer::singleShot(0, &panel, [&] {
    QVERIFY(panel.Searching());
    nested = panel.FindAll({"a", false, false, false}, docs);
  });
  QCOMPARE(panel.FindAll({"a", false, false, false}, docs), 9000);
  QCOMPARE(nested, 0);
  QVERIFY(!panel.Searching());
}

QTEST_MAIN(TestResultsPanel)
#include "test_results_panel.moc"
