// Load progress in the status bar: shown at once, then at most once per refresh interval with the
// latest report, and never again once the loads have ended.
#include "app/LoadProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestLoadProgress : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void reportsWithinIntervalShowTheLatestOnce();
  void finishDropsReportNotYetShown();
};

void TestLoadProgress::reportsWithinIntervalShowTheLatestOnce() {
  QWidget window;
  auto *label = new QLabel(&window);
  auto *bar = new QProgressBar(&window);
  bar->hide();
  window.show();
  TLoadProgress progress(label, bar);
  progress.Report("a.log", 0);
  QVERIFY(bar->isVisible());
  QCOMPARE(label->text(), "Loading a.log ... 0%");
  progress.Report("a.log", 1);
  progress.Report("b.log", 7);
  QCOMPARE(label->text(), "Loading a.log ... 0%");
  QCOMPARE(bar->value(), 0);
  QTRY_COMPARE_WITH_TIMEOUT(label->text(), "Loading b.log ... 7%", 2000);
  QCOMPARE(bar->value(), 7);
}

void TestLoadProgress::finishDropsReportNotYetShown() {
  QWidget window;
  auto *label = new QLabel(&window);
  auto *bar = new QProgressBar(&window);
  window.show();
  TLoadProgress progress(label, bar);
  progress.Report("a.log", 10);
  progress.Report("a.log", 99);
  progress.Finish();
  QVERIFY(!bar->isVisible());
  label->setText("Ln 1");
  // A timer started now runs out after the refresh would have: by then nothing may have changed.
  QTimer later;
  later.setSingleShot(true);
  later.setTimerType(Qt::PreciseTimer);
  QSignalSpy ranOut(&later, &QTimer::timeout);
  later.start(2 * TLoadProgress::KRefreshMs);
  QVERIFY(ranOut.wait());
  QCOMPARE(label->text(), "Ln 1");
  QVERIFY(!bar->isVisible());
  // The next load shows at once.
  progress.Report("c.log", 0);
  QCOMPARE(label->text(), "Loading c.log ... 0%");
}

QTEST_MAIN(TestLoadProgress)
#include "test_load_progress.moc"
