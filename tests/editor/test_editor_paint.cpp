// Painting checked on grabbed images: text, selection, gutter, whitespace marks, indent guides and
// the right edge land in the cells where they belong, through layouts and through plain cells.
#include "EditorTestUtil.h"
#include "highlight/HighlighterSet.h"

#include <QFontMetrics>
#include <QImage>

namespace {

constexpr TColor KWhite = 0xFFFFFF;
constexpr TColor KBlack = 0x000000;
constexpr TColor KSelBg = 0xFF0000;     // blue
constexpr TColor KSelFg = 0x00FF00;     // green
constexpr TColor KGutter = 0xC0C0C0;
constexpr TColor KNumbers = 0x0000FF;   // red

QColor Q(TColor c) { return ColorToQColor(c); }

bool Near(QRgb p, const QColor &c, int tolerance) {
  return qAbs(qRed(p) - c.red()) <= tolerance && qAbs(qGreen(p) - c.green()) <= tolerance &&
         qAbs(qBlue(p) - c.blue()) <= tolerance;
}

// Pixels of rect close to colour.
int Count(const QImage &image, const QRect &rect, const QColor &colour, int tolerance = 40) {
  int n = 0;
  const QRect r = rect.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += Near(image.pixel(x, y), colour, tolerance);
  return n;
}

// An editor in a fixed font and plain colours, shown and painted.
void SetUp(TMEEdit &edit, const QString &lines) {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setPixelSize(14);
  QVERIFY(QFontMetrics(font).inFont(u'A'));
  edit.setFont(font);
  edit.SetColor(KWhite);
  edit.SetFontColor(KBlack);
  edit.SelectedColor().SetBackground(KSelBg);
  edit.SelectedColor().SetForeground(KSelFg);
  edit.Gutter().SetColor(KGutter);
  edit.Gutter().SetFontColor(KNumbers);
  SetLines(edit, lines);
  edit.resize(400, 200);
  edit.show();
}

QImage Grab(TMEEdit &edit) { return edit.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The cell of 0-based column col on 1-based row row.
QRect CellRect(TMEEdit &edit, int col, int row, int columns = 1) {
  return {edit.TextLeft() + col * edit.CharWidth(), (row - 1) * edit.LineHeight(), columns * edit.CharWidth(),
          edit.LineHeight()};
}

}  // namespace

class TestEditorPaint : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void textSelectionAndGutter_data() {
    QTest::addColumn<bool>("layouts");
    QTest::newRow("throughLayouts") << true;
    QTest::newRow("plainCells") << false;
  }

  void textSelectionAndGutter() {
    QFETCH(bool, layouts);
    TMEEdit edit;
    SetUp(edit, "WWW WWW|second|third");
    edit.SetUseColorText(layouts);
    edit.SetBlockBegin(BC(5, 1));
    edit.SetBlockEnd(BC(7, 1));
    const QImage image = Grab(edit);
    QCOMPARE(edit.LayoutMode(), layouts);
    // Text in the font colour in the first cells, nothing after the line's end.
    QVERIFY(Count(image, CellRect(edit, 0, 1, 3), Q(KBlack)) > 20);
    QCOMPARE(Count(image, CellRect(edit, 8, 1, 10), Q(KBlack)), 0);
    QCOMPARE(Count(image, CellRect(edit, 0, 1, 3), Q(KSelBg), 0), 0);
    // The selected "WW" (columns 4 and 5): selection background with glyphs in its foreground.
    const QRect selected = CellRect(edit, 4, 1, 2);
    QVERIFY(Count(image, selected, Q(KSelBg), 0) > selected.width() * selected.height() / 3);
    QVERIFY(Count(image, selected, Q(KSelFg)) > 10);
    QCOMPARE(Count(image, selected, Q(KBlack)), 0);
    // The unselected last "W" keeps the font colour and no selection background.
    QCOMPARE(Count(image, CellRect(edit, 6, 1).adjusted(1, 0, 0, 0), Q(KSelBg), 0), 0);
    QVERIFY(Count(image, CellRect(edit, 6, 1), Q(KBlack)) > 5);
    // Gutter: its colour, numbers for the three lines only.
    const int gutter = edit.Gutter().TotalWidth();
    QCOMPARE(gutter, 3 * edit.CharWidth() + 9);
    QVERIFY(Near(image.pixel(1, 1), Q(KGutter), 0));
    const auto numberRow = [&](int row) { return QRect(0, (row - 1) * edit.LineHeight(), gutter, edit.LineHeight()); };
    QVERIFY(Count(image, numberRow(1), Q(KNumbers)) > 5);
    QVERIFY(Count(image, numberRow(3), Q(KNumbers)) > 5);
    QCOMPARE(Count(image, numberRow(4), Q(KNumbers)), 0);
  }

  void whitespaceMarks_data() {
    QTest::addColumn<bool>("layouts");
    QTest::newRow("throughRuns") << true;
    QTest::newRow("plainCells") << false;
  }

  void whitespaceMarks() {
    QFETCH(bool, layouts);
    TMEEdit edit;
    SetUp(edit, "a b\tc");
    edit.SetUseColorText(layouts);
    edit.SetTabWidth(4);
    const QColor mark(150, 120, 0);
    QCOMPARE(Q(edit.WhitespaceMarkColor()), mark);
    QCOMPARE(Count(Grab(edit), CellRect(edit, 0, 1, 8), mark, 10), 0);
    edit.SetVisibleSpecialChars(scWhitespace);
    const QImage image = Grab(edit);
    // The space at column 1 and the tab, 1 column wide after "a b", at column 3.
    QVERIFY(Count(image, CellRect(edit, 1, 1), mark, 40) > 0);
    QVERIFY(Count(image, CellRect(edit, 3, 1), mark, 40) > 0);
    QCOMPARE(Count(image, CellRect(edit, 0, 1), mark, 40), 0);
    QCOMPARE(Count(image, CellRect(edit, 4, 1), mark, 40), 0);
  }

  void wideTabShowsOneArrow() {
    TMEEdit edit;
    SetUp(edit, "a\tb");
    edit.SetUseColorText(false);
    edit.SetVisibleSpecialChars(scWhitespace);
    edit.SetWhitespaceColor(0x0000FF);
    const QImage image = Grab(edit);
    // The tab takes columns 1 to 3; the arrow sits in its first cell only.
    QVERIFY(Count(image, CellRect(edit, 1, 1), Qt::red, 60) > 3);
    QCOMPARE(Count(image, CellRect(edit, 2, 1, 2).adjusted(2, 0, 0, 0), Qt::red, 60), 0);
  }

  // A special line's background fills its whole row on every path; with eoSpecialLineDefaultFg
  // its text keeps the default colour, otherwise it takes the special one.
  void specialLineColours_data() {
    QTest::addColumn<bool>("layouts");
    QTest::addColumn<bool>("defaultFg");
    QTest::newRow("throughLayouts") << true << false;
    QTest::newRow("throughLayoutsDefaultFg") << true << true;
    QTest::newRow("plainCells") << false << false;
    QTest::newRow("plainCellsDefaultFg") << false << true;
  }

  void specialLineColours() {
    QFETCH(bool, layouts);
    QFETCH(bool, defaultFg);
    TMEEdit edit;
    SetUp(edit, "WWWW|WWWW");
    edit.SetUseColorText(layouts);
    if (defaultFg) edit.SetOptions(edit.Options() | eoSpecialLineDefaultFg);
    const TColor stripe = 0x00FFFF, special = 0x0000FF;  // yellow, red
    edit.SetOnSpecialLineColors([&](int line, TColor &fg, TColor &bg) {
      if (line != 2) return false;
      fg = special;
      bg = stripe;
      return true;
    });
    const QImage image = Grab(edit);
    const QRect beyondText = CellRect(edit, 10, 2, 10);
    QCOMPARE(Count(image, beyondText, Q(stripe), 10), beyondText.width() * beyondText.height());
    QCOMPARE(Count(image, CellRect(edit, 10, 1, 10), Q(stripe), 10), 0);
    const QRect text = CellRect(edit, 0, 2, 4);
    QCOMPARE(Count(image, text, Q(special), 60) > 10, !defaultFg);
    QCOMPARE(Count(image, text, Q(KBlack), 60) > 10, defaultFg);
  }

  void markColourFollowsBackground() {
    TMEEdit edit;
    edit.SetColor(0x202020);
    QCOMPARE(Q(edit.WhitespaceMarkColor()), QColor(255, 150, 60));
    edit.SetWhitespaceColor(0x010203);
    QCOMPARE(edit.WhitespaceMarkColor(), TColor(0x010203));
  }

  void tokenColoursFromHighlighter() {
    THighlighterSet set;
    TMEEdit edit;
    SetUp(edit, "int x; // WWWW");
    edit.SetHighlighter(set.ForFileName(u"a.cpp"));
    const TMEHighlighterAttributes *comment = edit.Highlighter()->AttributeForKind(tkComment);
    QVERIFY(comment && comment->Foreground() != clNone);
    const QColor colour = Q(comment->Foreground());
    QVERIFY(!Near(colour.rgb(), Qt::black, 60));
    const QImage image = Grab(edit);
    QVERIFY(Count(image, CellRect(edit, 10, 1, 4), colour, 30) > 10);
    QCOMPARE(Count(image, CellRect(edit, 0, 1, 3), colour, 30), 0);
  }

  void rightEdgeAndIndentGuides() {
    TMEEdit edit;
    SetUp(edit, "        x|y");
    edit.SetTabWidth(4);
    edit.SetRightEdge(12);
    edit.SetRightEdgeColor(0x00FF00);
    edit.IndentGuides().SetVisible(true);
    edit.IndentGuides().SetColor(0xFF00FF);
    QImage image = Grab(edit);
    const int edgeX = edit.TextLeft() + 12 * edit.CharWidth();
    QCOMPARE(Count(image, QRect(edgeX, 0, 1, image.height()), Qt::green, 0), image.height());
    // Eight columns of indent: one guide at column 4, none at 8 where the text starts.
    const int guideX = edit.TextLeft() + 4 * edit.CharWidth();
    QVERIFY(Count(image, QRect(guideX, 0, 1, edit.LineHeight()), Qt::magenta, 0) > 2);
    QCOMPARE(Count(image, QRect(guideX + 4 * edit.CharWidth(), 0, 1, edit.LineHeight()), Qt::magenta, 0), 0);
    QCOMPARE(Count(image, QRect(guideX, edit.LineHeight(), 1, edit.LineHeight()), Qt::magenta, 0), 0);
    // Scrolled past it, the ruler is gone and guides stay out of the gutter.
    edit.SetLeftChar(14);
    image = Grab(edit);
    QCOMPARE(Count(image, QRect(0, 0, image.width(), image.height()), Qt::green, 0), 0);
    QCOMPARE(Count(image, QRect(0, 0, edit.TextLeft(), image.height()), Qt::magenta, 0), 0);
  }

  void wrappedLineNumberedOnce() {
    TMEEdit edit;
    SetUp(edit, QString(30, u'w') + "|end");
    SetWrapColumns(edit, 10);
    edit.SetWordWrap(true);
    QCOMPARE(edit.RowCount(), 4);
    const QImage image = Grab(edit);
    const int gutter = edit.Gutter().TotalWidth();
    const auto numberRow = [&](int row) { return QRect(0, (row - 1) * edit.LineHeight(), gutter, edit.LineHeight()); };
    QVERIFY(Count(image, numberRow(1), Q(KNumbers)) > 5);
    QCOMPARE(Count(image, numberRow(2), Q(KNumbers)), 0);
    QCOMPARE(Count(image, numberRow(3), Q(KNumbers)), 0);
    QVERIFY(Count(image, numberRow(4), Q(KNumbers)) > 5);
  }

  void gutterWidth() {
    TMEEdit edit;
    SetLines(edit, "1|2|3|4|5");
    QCOMPARE(edit.Gutter().TotalWidth(), 3 * edit.CharWidth() + 9);
    QCOMPARE(edit.TextLeft(), edit.Gutter().TotalWidth() + 2);
    QStringList many;
    for (int i = 0; i < 1000; ++i) many << QString();
    edit.SetText(many.join(u'\n'));
    QCOMPARE(edit.Gutter().TotalWidth(), 4 * edit.CharWidth() + 9);
    edit.Gutter().SetShowLineNumbers(false);
    QCOMPARE(edit.Gutter().TotalWidth(), 1);
    QCOMPARE(edit.TextLeft(), 3);
    edit.Gutter().Bands().Add().SetWidth(-5);
    QCOMPARE(edit.Gutter().Bands().Items(1).Width(), 0);
    edit.Gutter().Bands().Items(1).SetWidth(12);
    QCOMPARE(edit.TextLeft(), 14);
  }

  void layoutCacheEmptiesAtItsLimit() {
    TMEEdit edit;
    QStringList lines;
    for (int i = 0; i < 600; ++i) lines << QStringLiteral("line %1").arg(i);
    edit.SetText(lines.join(u'\n'));
    for (int line = 1; line <= 512; ++line) QVERIFY(edit.GetLineLayout(line));
    QCOMPARE(edit.LayoutCount(), 512);
    QVERIFY(edit.GetLineLayout(1));
    QCOMPARE(edit.LayoutCount(), 512);
    QVERIFY(edit.GetLineLayout(513));
    QCOMPARE(edit.LayoutCount(), 1);
  }

  void longLinePaintedAsRunsWithCachedTokens() {
    THighlighterSet set;
    TMEEdit edit;
    SetUp(edit, "int a;|" + QString(4097, u'x') + "|" + QString(4096, u'y'));
    edit.SetHighlighter(set.ForFileName(u"a.cpp"));
    QVERIFY(!edit.GetLineLayout(2));
    QVERIFY(edit.GetLineLayout(3));
    Grab(edit);
    QCOMPARE(edit.TokenCacheCount(), 1);
    // Its caret follows the cells.
    QCOMPARE(edit.CaretPixelX(BC(7, 2)), edit.TextLeft() + 6 * edit.CharWidth());
  }

  // After an edit the layouts of lines whose start state changed are made again.
  void editInCommentRecoloursLinesBelow() {
    THighlighterSet set;
    TMEEdit edit;
    SetUp(edit, "int a;|WWWW|int b;");
    edit.SetHighlighter(set.ForFileName(u"a.cpp"));
    // Comments are grey, plain text black: black pixels tell the two apart.
    const QColor comment = Q(edit.Highlighter()->AttributeForKind(tkComment)->Foreground());
    QVERIFY(!Near(comment.rgb(), Qt::black, 100));
    QVERIFY(Count(Grab(edit), CellRect(edit, 0, 2, 4), Qt::black, 40) > 10);
    edit.Document().InsertTextAt(BC(7, 1), "/*", true);
    QCOMPARE(Count(Grab(edit), CellRect(edit, 0, 2, 4), Qt::black, 40), 0);
    edit.Undo();
    QCOMPARE(edit.LineText(1), QStringLiteral("int a;"));
    QCOMPARE(edit.LineStartState(2), TLineState(0));
    QVERIFY(Count(Grab(edit), CellRect(edit, 0, 2, 4), Qt::black, 40) > 10);
  }
};

QTEST_MAIN(TestEditorPaint)
#include "test_editor_paint.moc"
