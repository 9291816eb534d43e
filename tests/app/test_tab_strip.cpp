// The tab strip the window draws itself: the close glyph's place at any dpi, the red bullet drawn
// for a modified document only (never for a name that starts with one), the orange bar and the lit
// glyph, closing by the glyph and the middle button, reordering by dragging (a tab takes a wider
// neighbour's place only past its middle, so it never flips back), and stepping through the tabs.
#include "AppTestUtil.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

void SendMouse(QWidget *widget, QEvent::Type type, const QPoint &at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void Press(QWidget *widget, const QPoint &at, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

void Release(QWidget *widget, const QPoint &at, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void Move(QWidget *widget, const QPoint &at, Qt::MouseButtons held) {
  SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

// The point a fraction of the way across the tab, halfway down.
QPoint Across(const QRect &tab, double fraction) {
  return QPoint(tab.x() + int(tab.width() * fraction), tab.center().y());
}

bool Reddish(const QColor &c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }

// Pixels of the bullet's red within the tab.
int RedPixels(TTabStrip *strip, int index) {
  const QImage image = strip->grab().toImage();
  const QRect tab = strip->tabRect(index);
  int count = 0;
  for (int y = tab.top(); y <= tab.bottom(); ++y)
    for (int x = tab.left(); x <= tab.right(); ++x)
      if (Reddish(image.pixelColor(x, y))) ++count;
  return count;
}

QColor PixelAt(TTabStrip *strip, const QPoint &at) { return strip->grab().toImage().pixelColor(at); }

}  // namespace

class TestTabStrip : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void closeGlyphScalesWithDpi_data();
  void closeGlyphScalesWithDpi();
  void bulletFollowsTheModifiedFlag_data();
  void bulletFollowsTheModifiedFlag();
  void activeBarAndLitGlyph();
  void glyphClosesTheTabAfterTheClick();
  void middleClickAsksForAModifiedTab();
  void draggingReorders_data();
  void draggingReorders();
  void steppingThroughTabs_data();
  void steppingThroughTabs();

 private:
  // A shown window with a tab for each name (a file of that name), the first active.
  std::unique_ptr<TfrmMain> WindowWith(const QStringList &names);
  QStringList Order(const TfrmMain &w) const;
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestTabStrip::init() { FDir = std::make_unique<QTemporaryDir>(); }

std::unique_ptr<TfrmMain> TestTabStrip::WindowWith(const QStringList &names) {
  auto w = MakeWindow(*FDir);
  for (const QString &name : names) w->OpenFile(MakeFile(*FDir, name, "text of " + name.toUtf8() + "\n"));
  if (!names.isEmpty()) w->Tabs()->setCurrentIndex(0);
  w->resize(1400, 500);
  w->show();
  if (!QTest::qWaitForWindowExposed(w.get())) return nullptr;
  return w;
}

QStringList TestTabStrip::Order(const TfrmMain &w) const {
  QStringList names;
  for (const TDocId id : w.TabOrder()) names << w.FindDoc(id)->DisplayName();
  return names;
}

void TestTabStrip::closeGlyphScalesWithDpi_data() {
  QTest::addColumn<int>("dpi");
  QTest::addColumn<QRect>("tab");
  QTest::addColumn<QRect>("glyph");
  QTest::newRow("at96") << 96 << QRect(100, 0, 120, 28) << QRect(200, 6, 15, 15);
  // s(15) = 22.5 and s(5) = 7.5 round away from zero.
  QTest::newRow("at144HalvesRoundUp") << 144 << QRect(0, 0, 200, 42) << QRect(169, 9, 23, 23);
  QTest::newRow("at120") << 120 << QRect(0, 10, 150, 35) << QRect(125, 18, 19, 19);
  QTest::newRow("oddHeightCentresDown") << 96 << QRect(0, 0, 100, 30) << QRect(80, 7, 15, 15);
}

void TestTabStrip::closeGlyphScalesWithDpi() {
  QFETCH(int, dpi);
  QFETCH(QRect, tab);
  QFETCH(QRect, glyph);
  QCOMPARE(CloseButtonRect(tab, dpi), glyph);
  TTabStrip strip;
  strip.SetDpi(dpi);
  strip.addTab("a");
  QCOMPARE(strip.tabRect(0).height(), ScaleToDpi(28, dpi));
}

void TestTabStrip::bulletFollowsTheModifiedFlag_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("edit");
  QTest::addColumn<bool>("save");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("red");
  QTest::newRow("unmodified") << "a.txt" << false << false << "a.txt" << false;
  QTest::newRow("modifiedDrawsTheBulletRed") << "a.txt" << true << false << "\u2022 a.txt" << true;
  QTest::newRow("savedLosesTheBullet") << "a.txt" << true << true << "a.txt" << false;
  QTest::newRow("nameStartingWithABulletIsNoModifiedMark") << "\u2022 x.txt" << false << false << "\u2022 x.txt" << false;
  QTest::newRow("nameStartingWithABulletModified") << "\u2022 x.txt" << true << false << "\u2022 \u2022 x.txt" << true;
  QTest::newRow("ampersandShownAsItIs") << "a&b.txt" << false << false << "a&b.txt" << false;
}

void TestTabStrip::bulletFollowsTheModifiedFlag() {
  QFETCH(QString, name);
  QFETCH(bool, edit);
  QFETCH(bool, save);
  QFETCH(QString, caption);
  QFETCH(bool, red);
  TScriptedBoxes boxes;
  // The inactive tab: no orange bar to mistake for red.
  auto w = WindowWith({"first.txt", name});
  QVERIFY(w);
  w->Tabs()->setCurrentIndex(1);
  if (edit) Type(w->ActiveEditor(), "x");
  if (save) RunCommand(*w, "miSave");
  w->Tabs()->setCurrentIndex(0);
  TTabStrip *strip = w->TabStrip();
  QCOMPARE(strip->TabCaption(1), Padded(caption));
  QCOMPARE(strip->TabModified(1), edit && !save);
  const int reds = RedPixels(strip, 1);
  QVERIFY2(red ? reds > 3 : reds == 0, qPrintable(QString::number(reds)));
  QVERIFY(boxes.Asked.isEmpty());
}

// The active tab carries the orange bar; the glyph under the mouse is filled and its cross white,
// every other cross grey.
void TestTabStrip::activeBarAndLitGlyph() {
  auto w = WindowWith({"a.txt", "b.txt"});
  QVERIFY(w);
  TTabStrip *strip = w->TabStrip();
  const int s5 = ScaleToDpi(5, strip->Dpi());
  const QRect active = strip->tabRect(0), other = strip->tabRect(1);
  QCOMPARE(PixelAt(strip, QPoint(active.center().x(), active.top() + s5 - 1)), QColor(255, 127, 51));
  QVERIFY(PixelAt(strip, QPoint(other.center().x(), other.top() + 1)) != QColor(255, 127, 51));

  const QRect glyph = CloseButtonRect(other, strip->Dpi());
  const int e = ScaleToDpi(4, strip->Dpi());
  // On the cross's first line, a step in from its start, and inside the filled square off the cross.
  const QPoint onCross(glyph.x() + e + 1, glyph.y() + e + 1);
  const QPoint offCross(glyph.x() + 2, glyph.center().y());
  QCOMPARE(PixelAt(strip, onCross), QColor(128, 128, 128));
  Move(strip, glyph.center(), Qt::NoButton);
  QCOMPARE(strip->HotCloseTab(), 1);
  QCOMPARE(PixelAt(strip, onCross), QColor(Qt::white));
  QCOMPARE(PixelAt(strip, offCross), QColor(224, 80, 80));
  Move(strip, Across(other, 0.2), Qt::NoButton);
  QCOMPARE(strip->HotCloseTab(), -1);
  QCOMPARE(PixelAt(strip, onCross), QColor(128, 128, 128));
  Move(strip, glyph.center(), Qt::NoButton);
  QCOMPARE(strip->HotCloseTab(), 1);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(strip, &leave);
  QCOMPARE(strip->HotCloseTab(), -1);
}

// The tab goes once the click is over, not under the mouse event that asked for it.
void TestTabStrip::glyphClosesTheTabAfterTheClick() {
  TScriptedBoxes boxes;
  auto w = WindowWith({"a.txt", "b.txt", "c.txt"});
  QVERIFY(w);
  TTabStrip *strip = w->TabStrip();
  const QPoint glyph = CloseButtonRect(strip->tabRect(1), strip->Dpi()).center();
  Press(strip, glyph);
  QCOMPARE(Order(*w).size(), 3);
  QCOMPARE(w->Tabs()->currentIndex(), 0);  // the glyph does not select its tab
  Release(strip, glyph);
  QTRY_COMPARE(Order(*w), (QStringList{"a.txt", "c.txt"}));
  // Left button elsewhere on a tab selects it and closes nothing.
  Press(strip, Across(strip->tabRect(1), 0.2));
  Release(strip, Across(strip->tabRect(1), 0.2));
  QCOMPARE(w->ActiveDoc()->DisplayName(), "c.txt");
  QCoreApplication::processEvents();
  QCOMPARE(Order(*w), (QStringList{"a.txt", "c.txt"}));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestTabStrip::middleClickAsksForAModifiedTab() {
  TScriptedBoxes boxes;
  auto w = WindowWith({"a.txt", "b.txt"});
  QVERIFY(w);
  w->Tabs()->setCurrentIndex(1);
  Type(w->ActiveEditor(), "x");
  w->Tabs()->setCurrentIndex(0);
  TTabStrip *strip = w->TabStrip();
  boxes.Answers = {TAnswer::Cancel};
  Press(strip, Across(strip->tabRect(1), 0.3), Qt::MiddleButton);
  Release(strip, Across(strip->tabRect(1), 0.3), Qt::MiddleButton);
  QTRY_COMPARE(boxes.Texts(), QStringList{"Save changes to \"b.txt\"?"});
  QCoreApplication::processEvents();
  QCOMPARE(Order(*w), (QStringList{"a.txt", "b.txt"}));
  QVERIFY(w->FindDocByFileName(FDir->filePath("b.txt"))->Editor->Modified());
  boxes.Answers = {TAnswer::No};
  Press(strip, Across(strip->tabRect(1), 0.3), Qt::MiddleButton);
  QTRY_COMPARE(Order(*w), QStringList{"a.txt"});
  QCOMPARE(boxes.Asked.size(), 2);
  QCOMPARE(ReadBytes(FDir->filePath("b.txt")), "text of b.txt\n");
}

// Moves name points on the tabs as they stood before the drag: "1@0.4" is 40% across the second
// tab, "release" lets the button go there.
void TestTabStrip::draggingReorders_data() {
  QTest::addColumn<QStringList>("names");
  QTest::addColumn<int>("pressed");
  QTest::addColumn<QStringList>("moves");
  QTest::addColumn<QStringList>("order");
  const QString wide = "a-much-longer-name-that-makes-a-really-wide-tab-indeed.txt";
  QTest::newRow("thirdOntoFirstMovesToTheFront")
      << QStringList{"a.txt", "b.txt", "c.txt"} << 2 << QStringList{"0@0.2"} << QStringList{"c.txt", "a.txt", "b.txt"};
  QTest::newRow("firstPastTheSecondsMiddle")
      << QStringList{"a.txt", "b.txt", "c.txt"} << 0 << QStringList{"1@0.7"} << QStringList{"b.txt", "a.txt", "c.txt"};
  QTest::newRow("overItsOwnTabNothingMoves")
      << QStringList{"a.txt", "b.txt", "c.txt"} << 1 << QStringList{"1@0.05", "1@0.95"}
      << QStringList{"a.txt", "b.txt", "c.txt"};
  QTest::newRow("widerNeighbourBeforeItsMiddleStays")
      << QStringList{"a.txt", wide, "c.txt"} << 2 << QStringList{"1@0.9", "1@0.6"} << QStringList{"a.txt", wide, "c.txt"};
  QTest::newRow("widerNeighbourPastItsMiddleMovesOnceAndStays")
      << QStringList{"a.txt", wide, "c.txt"} << 2 << QStringList{"1@0.45", "1@0.4", "1@0.35", "1@0.45"}
      << QStringList{"a.txt", "c.txt", wide};
  QTest::newRow("releasingEndsTheDrag")
      << QStringList{"a.txt", "b.txt", "c.txt"} << 2 << QStringList{"release", "0@0.2"}
      << QStringList{"a.txt", "b.txt", "c.txt"};
  QTest::newRow("outsideTheTabsNothingMoves")
      << QStringList{"a.txt", "b.txt", "c.txt"} << 0 << QStringList{"3@0.5"} << QStringList{"a.txt", "b.txt", "c.txt"};
}

void TestTabStrip::draggingReorders() {
  QFETCH(QStringList, names);
  QFETCH(int, pressed);
  QFETCH(QStringList, moves);
  QFETCH(QStringList, order);
  auto w = WindowWith(names);
  QVERIFY(w);
  TTabStrip *strip = w->TabStrip();
  std::vector<QRect> tabs;
  for (int i = 0; i < strip->count(); ++i) tabs.push_back(strip->tabRect(i));
  // Past the last tab: a rectangle of the strip beyond it.
  tabs.push_back(QRect(tabs.back().right() + 20, tabs.back().y(), 60, tabs.back().height()));
  QVERIFY(tabs.back().right() < strip->width());
  if (names.size() > 1 && names[1].size() > 40) QVERIFY(tabs[2].width() * 3 < tabs[1].width());

  Press(strip, tabs[size_t(pressed)].center());
  QCOMPARE(strip->DragTab(), pressed);
  Qt::MouseButtons held = Qt::LeftButton;
  QPoint at = tabs[size_t(pressed)].center();
  for (const QString &move : moves) {
    if (move == "release") {
      Release(strip, at);
      QCOMPARE(strip->DragTab(), -1);
      held = Qt::LeftButton;  // a stray move reporting the button still down must not drag either
      continue;
    }
    const QStringList parts = move.split(u'@');
    at = Across(tabs[size_t(parts[0].toInt())], parts[1].toDouble());
    Move(strip, at, held);
  }
  Release(strip, at);
  QCOMPARE(Order(*w), order);
  // The pages went with their tabs.
  for (int i = 0; i < order.size(); ++i) QCOMPARE(w->DocOfEditor(w->Tabs()->widget(i))->DisplayName(), order[i]);
}

void TestTabStrip::steppingThroughTabs_data() {
  QTest::addColumn<int>("active");
  QTest::addColumn<QString>("command");
  QTest::addColumn<int>("reached");
  QTest::newRow("first") << 2 << "miTabFirst" << 0;
  QTest::newRow("last") << 0 << "miTabLast" << 3;
  QTest::newRow("next") << 1 << "miTabNext" << 2;
  QTest::newRow("nextWrapsToTheFirst") << 3 << "miTabNext" << 0;
  QTest::newRow("previous") << 2 << "miTabPrev" << 1;
  QTest::newRow("previousWrapsToTheLast") << 0 << "miTabPrev" << 3;
  QTest::newRow("ctrlPageDownInTheEditor") << 3 << "Ctrl+PgDown" << 0;
  QTest::newRow("ctrlPageUpInTheEditor") << 1 << "Ctrl+PgUp" << 0;
}

void TestTabStrip::steppingThroughTabs() {
  QFETCH(int, active);
  QFETCH(QString, command);
  QFETCH(int, reached);
  auto w = WindowWith({"a.txt", "b.txt", "c.txt", "d.txt"});
  QVERIFY(w);
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  w->Tabs()->setCurrentIndex(active);
  if (command.startsWith("mi")) {
    RunCommand(*w, command);
  } else {
    TMEEdit *editor = w->ActiveEditor();
    editor->setFocus();
    QTest::keyClick(editor, command.endsWith("Down") ? Qt::Key_PageDown : Qt::Key_PageUp, Qt::ControlModifier);
  }
  QCOMPARE(w->Tabs()->currentIndex(), reached);
  QCOMPARE(w->windowTitle(), w->ActiveDoc()->FileName + " | " + w->AppName());
}

QTEST_MAIN(TestTabStrip)
#include "test_tab_strip.moc"
