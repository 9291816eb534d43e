// The compare window off screen: rows and their colours, one pane line per row however long the
// line, next and previous difference, reload with its clamped place, panes that scroll together,
// jumps and the panes' menu, the names in the headers, and a diff on its worker that can be
// cancelled or outlived by a closed window.
#include "app/compare/CompareForm.h"
#include "editor/Edit.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>

namespace {

QStringList Numbered(int count, const QString &prefix = "line ") {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << prefix + QString::number(i);
  return lines;
}

struct TJump {
  int Side;
  int Line;
  bool operator==(const TJump &) const = default;
};

// A shown compare window and what its callbacks were asked.
struct TCompareRun {
  QPointer<TfrmCompare> Form = new TfrmCompare;
  QList<TJump> Jumps;
  QStringList FetchLeft, FetchRight;

  ~TCompareRun() { delete Form; }

  bool Show(const QStringList &left, const QStringList &right, const QString &leftName = "left.txt",
            const QString &rightName = "right.txt") {
    QSignalSpy shown(Form.data(), &TfrmCompare::DiffShown);
    Form->resize(1000, 600);
    Form->show();
    Form->ShowDiff(
        leftName, rightName, left, right, [this](int side, int line) { Jumps << TJump{side, line}; },
        [this](int side, QStringList &lines) { lines = side ? FetchRight : FetchLeft; });
    return shown.wait(20000);
  }
  bool Reload() {
    QSignalSpy shown(Form.data(), &TfrmCompare::DiffShown);
    Form->Reload();
    return shown.wait(20000);
  }
  TMEEdit &Left() { return *Form->LeftPane(); }
  TMEEdit &Right() { return *Form->RightPane(); }
};

// The colour a pane paints at the far right of a row's text area.
QColor RowColour(TMEEdit &pane, int row) {
  const QImage image = pane.viewport()->grab().toImage();
  const int y = (row - pane.TopLine()) * pane.LineHeight() + pane.LineHeight() / 2;
  return image.pixelColor(pane.viewport()->width() - 3, y);
}

QString Kinds(const std::vector<TLineInfo> &info) {
  QString out;
  for (const TLineInfo &i : info) out += QString("=~-+")[int(i.Kind)] + QString(i.IsFiller ? "f" : "") + QString::number(i.SourceLine) + " ";
  return out.trimmed();
}

}  // namespace

class TestCompareForm : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void rowsAndFillers();
  void rowColours();
  void identicalDocumentsShowNoDifference();
  void longLineStaysOneRow();
  void nextWrapsAndPrevGoesToTheLastAbove();
  void reloadClampsThePlace();
  void reloadShowsAClosedSideEmpty();
  void panesScrollTogether();
  void jumpsNameSideAndSourceLine();
  void panesMenuFollowsTheRow();
  void longNamesAreCutInTheMiddle_data();
  void longNamesAreCutInTheMiddle();
  void splitKeepsItsRatio();
  void refusalIsToldAndLeavesThePanes();
  void cancelLeavesThePanesAsTheyWere();
  void closingDuringADiffStopsIt();
};

void TestCompareForm::rowsAndFillers() {
  TCompareRun run;
  QVERIFY(run.Show({"a", "b", "c", "d"}, {"a", "x", "c", "e", "f"}));
  QCOMPARE(Kinds(run.Form->LeftInfo()), "=1 ~2 =3 ~4 +f0");
  QCOMPARE(Kinds(run.Form->RightInfo()), "=1 ~2 =3 ~4 +5");
  QCOMPARE(run.Left().Lines().Lines(), (QStringList{"a", "b", "c", "d", ""}));
  QCOMPARE(run.Right().Lines().Lines(), (QStringList{"a", "x", "c", "e", "f"}));
  QCOMPARE(run.Form->DiffRows(), (std::vector<int>{1, 3, 4}));
  // The first difference is the left caret's row and the top line.
  QCOMPARE(run.Left().CaretXY(), (TBufferCoord{1, 2}));
  QVERIFY(run.Left().ReadOnly() && run.Right().ReadOnly());
}

void TestCompareForm::rowColours() {
  TCompareRun run;
  QVERIFY(run.Show({"same", "old", "gone", "same"}, {"same", "new", "same", "added"}));
  QCOMPARE(Kinds(run.Form->LeftInfo()), "=1 ~2 -3 =4 +f0");
  run.Left().SetTopLine(1);
  QCOMPARE(run.Right().TopLine(), 1);
  for (TMEEdit *pane : {&run.Left(), &run.Right()}) {
    QCOMPARE(RowColour(*pane, 1), ColorToQColor(pane->Color()));
    QCOMPARE(RowColour(*pane, 2), QColor(0xFF, 0xF4, 0xCF));
    QCOMPARE(RowColour(*pane, 3), QColor(0xFF, 0xDC, 0xDC));  // a filler is coloured like its partner
    QCOMPARE(RowColour(*pane, 5), QColor(0xE4, 0xFF, 0xDC));
  }
}

void TestCompareForm::identicalDocumentsShowNoDifference() {
  TCompareRun run;
  QVERIFY(run.Show(Numbered(200), Numbered(200)));
  QVERIFY(run.Form->DiffRows().empty());
  run.Form->GoToDiff(true);
  run.Form->GoToDiff(false);
  QCOMPARE(run.Left().CaretXY(), (TBufferCoord{1, 1}));
  QCOMPARE(run.Left().TopLine(), 1);
  QCOMPARE(RowColour(run.Left(), 2), ColorToQColor(run.Left().Color()));
}

// Filled as text, a line over 65,536 units would be cut into several, and every later row would
// stand beside the wrong partner.
void TestCompareForm::longLineStaysOneRow() {
  const QString longLine = QString(70000, u'x') + "end";
  QStringList left{"first", longLine, "middle", "last"};
  QStringList right{"first", longLine, "middle changed", "last"};
  TCompareRun run;
  QVERIFY(run.Show(left, right));
  QCOMPARE(run.Left().Lines().GetCount(), 4);
  QCOMPARE(run.Right().Lines().GetCount(), 4);
  QCOMPARE(run.Left().LineText(2), longLine);
  QCOMPARE(run.Form->DiffRows(), std::vector<int>{2});
  QCOMPARE(run.Left().LineText(3), "middle");
  QCOMPARE(run.Right().LineText(3), "middle changed");
}

void TestCompareForm::nextWrapsAndPrevGoesToTheLastAbove() {
  QStringList left = Numbered(100), right = Numbered(100);
  for (int i : {9, 39, 69}) right[i] += " changed";  // rows 10, 40, 70
  TCompareRun run;
  QVERIFY(run.Show(left, right));
  QCOMPARE(run.Left().CaretY(), 10);
  run.Form->GoToDiff(true);
  QCOMPARE(run.Left().CaretXY(), (TBufferCoord{1, 40}));
  QCOMPARE(run.Left().TopLine(), 37);  // the difference is the fourth visible line
  QCOMPARE(run.Right().TopLine(), 37);
  run.Left().SetCaretXY({1, 90});
  run.Form->GoToDiff(true);
  QCOMPARE(run.Left().CaretY(), 10);  // wrapped to the first
  run.Left().SetCaretXY({1, 90});
  run.Form->GoToDiff(false);
  QCOMPARE(run.Left().CaretY(), 70);
  run.Form->GoToDiff(false);
  QCOMPARE(run.Left().CaretY(), 40);
  run.Left().SetCaretXY({1, 5});
  run.Form->GoToDiff(false);
  QCOMPARE(run.Left().CaretY(), 70);  // wrapped to the last
  auto *next = run.Form->findChild<QPushButton *>("btnNext");
  QTest::mouseClick(next, Qt::LeftButton);
  QCOMPARE(run.Left().CaretY(), 10);
}

void TestCompareForm::reloadClampsThePlace() {
  TCompareRun run;
  QStringList right = Numbered(300);
  right[249] = "changed";
  QVERIFY(run.Show(Numbered(300), right));
  QCOMPARE(run.Left().CaretY(), 250);
  run.FetchLeft = Numbered(20);
  run.FetchRight = Numbered(25);
  QVERIFY(run.Reload());
  QCOMPARE(run.Left().LineCount(), 25);
  QCOMPARE(run.Left().CaretXY(), (TBufferCoord{1, 25}));
  QVERIFY(run.Left().TopLine() <= 25);
  QCOMPARE(run.Right().TopLine(), run.Left().TopLine());
  QCOMPARE(Kinds(run.Form->LeftInfo()).right(23), "=20 +f0 +f0 +f0 +f0 +f0");
}

void TestCompareForm::reloadShowsAClosedSideEmpty() {
  TCompareRun run;
  QVERIFY(run.Show({"a", "b"}, {"a", "c"}));
  run.FetchRight = {"a", "c"};  // the left document is gone: its side comes back empty
  QVERIFY(run.Reload());
  QCOMPARE(Kinds(run.Form->LeftInfo()), "+f0 +f0");
  QCOMPARE(run.Right().Lines().Lines(), (QStringList{"a", "c"}));
}

void TestCompareForm::panesScrollTogether() {
  QStringList left, right;
  for (int i = 0; i < 500; ++i) {
    left << QString(300, QChar(u'a' + i % 26));
    right << QString(300, QChar(u'a' + i % 26)) + (i % 50 == 0 ? "!" : "");
  }
  TCompareRun run;
  QVERIFY(run.Show(left, right));
  run.Right().verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  QVERIFY(run.Right().TopLine() > 1);
  QCOMPARE(run.Left().TopLine(), run.Right().TopLine());
  run.Right().horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  QVERIFY(run.Right().LeftChar() > 1);
  QCOMPARE(run.Left().LeftChar(), run.Right().LeftChar());
  run.Left().verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  QCOMPARE(run.Right().TopLine(), run.Left().TopLine());
  // Keys move the view too.
  run.Left().setFocus();
  QTest::keyClick(&run.Left(), Qt::Key_Home, Qt::ControlModifier);
  QCOMPARE(run.Left().TopLine(), 1);
  QCOMPARE(run.Right().TopLine(), 1);
  QCOMPARE(run.Left().LeftChar(), 1);
  QCOMPARE(run.Right().LeftChar(), 1);
}

void TestCompareForm::jumpsNameSideAndSourceLine() {
  TCompareRun run;
  QVERIFY(run.Show({"a", "b", "c"}, {"x", "a", "c"}));
  QCOMPARE(Kinds(run.Form->LeftInfo()), "+f0 =1 -2 =3");
  QCOMPARE(Kinds(run.Form->RightInfo()), "+1 =2 -f0 =3");
  run.Left().SetCaretXY({1, 1});
  run.Form->JumpToSource(&run.Left());  // a filler has no source line
  run.Right().SetCaretXY({1, 1});
  run.Form->JumpToSource(&run.Right());
  run.Left().SetCaretXY({1, 3});
  run.Form->JumpToSource(&run.Left());
  QCOMPARE(run.Jumps, (QList<TJump>{{1, 1}, {0, 2}}));
  TMEEdit &right = run.Right();
  const QPoint row4(right.TextLeft() + 4, (4 - right.TopLine()) * right.LineHeight() + right.LineHeight() / 2);
  QTest::mouseDClick(right.viewport(), Qt::LeftButton, Qt::NoModifier, row4);
  QCOMPARE(run.Jumps.size(), 3);
  QCOMPARE(run.Jumps.back(), (TJump{1, 3}));
}

void TestCompareForm::panesMenuFollowsTheRow() {
  TCompareRun run;
  QVERIFY(run.Show({"a", "b", "c"}, {"x", "a", "c"}));
  TMEEdit &left = run.Left();
  left.SetTopLine(1);
  const auto rowPoint = [&left](int row) {
    return QPoint(left.TextLeft() + 4, (row - left.TopLine()) * left.LineHeight() + left.LineHeight() / 2);
  };
  const QList<QAction *> items = run.Form->PanesMenu()->actions();
  QCOMPARE(items.size(), 3);
  QCOMPARE(items[0]->text(), "Copy");
  QCOMPARE(items[0]->shortcut(), QKeySequence("Ctrl+C"));
  QVERIFY(items[1]->isSeparator());
  QCOMPARE(items[2]->text(), "Edit original file at this line");
  // Opened on the filler row: the caret goes there, and there is nothing to edit or copy.
  Q_EMIT left.customContextMenuRequested(rowPoint(1));
  QCOMPARE(left.CaretY(), 1);
  QVERIFY(!items[0]->isEnabled());
  QVERIFY(!items[2]->isEnabled());
  run.Form->PanesMenu()->hide();
  Q_EMIT left.customContextMenuRequested(rowPoint(3));
  QCOMPARE(left.CaretY(), 3);
  QVERIFY(items[2]->isEnabled());
  run.Form->PanesMenu()->hide();
  items[2]->trigger();
  QCOMPARE(run.Jumps, (QList<TJump>{{0, 2}}));
  // With a selection the caret stays where it is, and Copy takes the selection.
  left.SetCaretAndSelection({2, 4}, {1, 4}, {2, 4});
  Q_EMIT left.customContextMenuRequested(rowPoint(1));
  QCOMPARE(left.CaretY(), 4);
  QVERIFY(items[0]->isEnabled());
  run.Form->PanesMenu()->hide();
  items[0]->trigger();
  QCOMPARE(ClipboardText(), "c");
}

void TestCompareForm::longNamesAreCutInTheMiddle_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("max");
  QTest::addColumn<QString>("shown");
  const QString letters = "abcdefghijklmnopqrstuvwxyz";
  const QString path = "/var/log/" + QString(80, u'n') + "/syslog.1";  // 98 characters
  QTest::newRow("fits") << letters << 70 << letters;
  QTest::newRow("max_4_or_less_keeps_all") << letters << 4 << letters;
  QTest::newRow("first_3_last_4_of_10") << letters << 10 << "abc...wxyz";
  QTest::newRow("first_27_last_40_of_70") << path << 70 << path.left(27) + "..." + path.right(40);
}

void TestCompareForm::longNamesAreCutInTheMiddle() {
  QFETCH(QString, name);
  QFETCH(int, max);
  QFETCH(QString, shown);
  QCOMPARE(TruncateMiddle(name, max), shown);
  if (max != 70) return;
  TCompareRun run;
  QVERIFY(run.Show({"a"}, {"a"}, name, "right.txt"));
  const QList<QLabel *> labels = run.Form->findChildren<QLabel *>();
  const auto header = std::find_if(labels.begin(), labels.end(), [&](QLabel *l) { return l->toolTip() == name; });
  QVERIFY(header != labels.end());
  QCOMPARE((*header)->text(), shown);
}

void TestCompareForm::splitKeepsItsRatio() {
  TCompareRun run;
  QVERIFY(run.Show({"a"}, {"b"}));
  auto *split = run.Form->findChild<QSplitter *>();
  QCOMPARE(split->sizes()[0], split->sizes()[1]);
  // Drag the handle to a quarter of the width.
  QSplitterHandle *handle = split->handle(1);
  const QPoint grip = handle->rect().center();
  const int target = (split->width() - split->handleWidth()) / 4;
  QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
  QTest::mouseMove(handle, grip + QPoint(target - split->sizes()[0], 0));
  QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip + QPoint(target - split->sizes()[0], 0));
  QVERIFY(qAbs(split->sizes()[0] - target) <= 2);
  run.Form->resize(1600, 600);
  QTRY_COMPARE(split->width(), 1600);
  QVERIFY(qAbs(split->sizes()[0] - (1600 - split->handleWidth()) / 4) <= 2);
}

void TestCompareForm::refusalIsToldAndLeavesThePanes() {
  TCompareRun run;
  QVERIFY(run.Show({"a", "b"}, {"a", "c"}));
  QStringList warnings;
  SetMessageAnswerer([&](const TMessageRequest &request) {
    if (request.Kind == TMessageKind::Warning) warnings << request.Text;
    return TAnswer::Ok;
  });
  run.Form->MemoryBudget = 1 << 20;
  run.FetchLeft = Numbered(20000);
  run.FetchRight = Numbered(20000, "other ");
  QSignalSpy stopped(run.Form.data(), &TfrmCompare::DiffStopped);
  run.Form->Reload();
  QVERIFY(stopped.wait(20000));
  SetMessageAnswerer(nullptr);
  QCOMPARE(warnings, QStringList{"The documents are too large to compare: it would take more than 1 MB of memory."});
  QCOMPARE(run.Left().Lines().Lines(), (QStringList{"a", "b"}));
  QCOMPARE(run.Form->DiffRows(), std::vector<int>{1});
}

// A diff long enough to watch: the window takes progress meanwhile, and Cancel leaves it as it was.
void TestCompareForm::cancelLeavesThePanesAsTheyWere() {
  TCompareRun run;
  QVERIFY(run.Show({"a", "b"}, {"a", "c"}));
  QStringList left, right;
  for (int i = 0; i < 200000; ++i) {
    left << QString::number((i * 7) % 3);
    right << QString::number((i * 5) % 3);
  }
  run.FetchLeft = left;
  run.FetchRight = right;
  QSignalSpy stopped(run.Form.data(), &TfrmCompare::DiffStopped);
  QSignalSpy shown(run.Form.data(), &TfrmCompare::DiffShown);
  run.Form->Reload();
  QVERIFY(run.Form->Busy());
  auto *progress = run.Form->findChild<QProgressBar *>();
  QTRY_VERIFY(progress->value() > 0);
  QTest::mouseClick(run.Form->findChild<QPushButton *>("btnCancel"), Qt::LeftButton);
  QCOMPARE(stopped.size(), 1);
  QVERIFY(!run.Form->Busy());
  QCOMPARE(run.Left().Lines().Lines(), (QStringList{"a", "b"}));
  // The cancelled diff never shows: the next one is the first to arrive.
  run.FetchLeft = {"x"};
  run.FetchRight = {"y"};
  QVERIFY(run.Reload());
  QCOMPARE(shown.size(), 1);
  QCOMPARE(run.Left().Lines().Lines(), QStringList{"x"});
}

void TestCompareForm::closingDuringADiffStopsIt() {
  QStringList left, right;
  for (int i = 0; i < 200000; ++i) {
    left << QString::number((i * 7) % 3);
    right << QString::number((i * 5) % 3);
  }
  QPointer<TfrmCompare> form = new TfrmCompare;
  form->show();
  form->ShowDiff("l", "r", left, right, {}, {});
  auto *progress = form->findChild<QProgressBar *>();
  QTRY_VERIFY(progress->value() > 0);
  form->close();
  QTRY_VERIFY(!form);
}

QTEST_MAIN(TestCompareForm)
#include "test_compare_form.moc"
