// Font geometry and the conversions between buffer positions, display positions and pixels.
#include "EditorTestUtil.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

class TestEditorPositions : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void defaultFontFallsBackToSystemFixedFont();
  void glyphsAdvanceByWholeCells();
  void bufferToDisplay_data();
  void bufferToDisplay();
  void pixelsToBuffer_data();
  void pixelsToBuffer();
  void wrappedConversions_data();
  void wrappedConversions();
  void bufferToRowMatchesRowScan();
  void topLineClampedToLastPage();
};

static QString S(const char16_t *text) { return QString::fromUtf16(text); }
static QString Disp(TDisplayCoord d) { return QStringLiteral("col %1 row %2").arg(d.Column).arg(d.Row); }

void TestEditorPositions::defaultFontFallsBackToSystemFixedFont() {
  TMEEdit edit;
  QVERIFY(!QFontDatabase::hasFamily(QStringLiteral("Consolas")));
  const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (QFontMetrics(system).horizontalAdvance(u'i') == QFontMetrics(system).horizontalAdvance(u'M'))
    QCOMPARE(edit.font().family(), QFontInfo(system).family());
  QCOMPARE(edit.font().pointSize(), 10);
  // Every glyph takes one cell, whether or not the font is marked fixed pitch.
  const QFontMetrics cells(edit.font());
  for (QChar c : QStringLiteral("iW.m_"))
    QCOMPARE(cells.horizontalAdvance(c), cells.horizontalAdvance(u'M'));
  QCOMPARE(edit.FontPixelSize(), QFontInfo(edit.font()).pixelSize());
  const QFontMetrics metrics(edit.Renderer().RegularFont());
  QCOMPARE(edit.LineHeight(), metrics.ascent() + metrics.descent() + metrics.leading() + 2);
  QCOMPARE(edit.Baseline(), metrics.ascent());
  QCOMPARE(edit.Renderer().FormatKey(true, true),
           edit.font().family() + QStringLiteral("|%1.0|11").arg(edit.FontPixelSize()));
  QCOMPARE(edit.Gutter().Font().pixelSize(), edit.FontPixelSize() - 2);
}

// Caret positions taken from text layouts and from cells must agree on a fixed-pitch font.
void TestEditorPositions::glyphsAdvanceByWholeCells() {
  TMEEdit edit;
  QVERIFY(edit.CharWidth() > 0);
  auto layout = edit.Renderer().NewLineLayout(QStringLiteral("0123456789abcdefghij\tx"));
  QVERIFY(layout);
  QCOMPARE(edit.Renderer().LayoutCaretX(layout.get(), 20), 20 * edit.CharWidth());
  QCOMPARE(edit.Renderer().LayoutCaretX(layout.get(), 21), 24 * edit.CharWidth());
}

void TestEditorPositions::bufferToDisplay_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<TBufferCoord>("buffer");
  QTest::addColumn<QString>("display");
  QTest::newRow("line_start") << "abc" << BC(1, 1) << "col 1 row 1";
  QTest::newRow("after_tab") << "\tab" << BC(3, 1) << "col 6 row 1";
  QTest::newRow("after_wide") << S(u"\u4E00x") << BC(2, 1) << "col 3 row 1";
  QTest::newRow("after_combining_mark") << S(u"e\u0301x") << BC(3, 1) << "col 2 row 1";
  QTest::newRow("virtual_space") << "ab" << BC(5, 1) << "col 5 row 1";
  QTest::newRow("line_clamped_to_rows") << "ab" << BC(1, 7) << "col 1 row 1";
}

void TestEditorPositions::bufferToDisplay() {
  QFETCH(QString, line);
  QFETCH(TBufferCoord, buffer);
  QFETCH(QString, display);
  TMEEdit edit;
  edit.SetText(line);
  QCOMPARE(Disp(edit.BufferToDisplayPos(buffer)), display);
}

void TestEditorPositions::pixelsToBuffer_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<int>("leftChar");
  QTest::addColumn<int>("column");  // 0-based cell, the pixel is a quarter cell into it
  QTest::addColumn<int>("row");     // 0-based
  QTest::addColumn<QString>("display");
  QTest::addColumn<TBufferCoord>("buffer");
  QTest::newRow("left_of_text_is_column_1") << "abc" << 1 << -3 << 0 << "col 1 row 1" << BC(1, 1);
  QTest::newRow("below_last_row_is_last_row") << "abc|de" << 1 << 1 << 9 << "col 2 row 2" << BC(2, 2);
  QTest::newRow("inside_tab_cell_gives_the_tab") << "a\tb" << 1 << 2 << 0 << "col 3 row 1" << BC(2, 1);
  QTest::newRow("second_cell_of_wide_gives_the_wide") << S(u"\u4E00b") << 1 << 1 << 0 << "col 2 row 1" << BC(1, 1);
  QTest::newRow("past_end_one_char_per_column") << "abcde" << 1 << 8 << 0 << "col 9 row 1" << BC(9, 1);
  QTest::newRow("scrolled_view_adds_left_char") << "abcdefgh" << 4 << 1 << 0 << "col 5 row 1" << BC(5, 1);
}

void TestEditorPositions::pixelsToBuffer() {
  QFETCH(QString, lines);
  QFETCH(int, leftChar);
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(QString, display);
  QFETCH(TBufferCoord, buffer);
  TMEEdit edit;
  SetLines(edit, lines);
  edit.SetLeftChar(leftChar);
  const int x = edit.TextLeft() + column * edit.CharWidth() + edit.CharWidth() / 4;
  const int y = row * edit.LineHeight() + 1;
  const TDisplayCoord d = edit.PixelsToRowColumn(x, y);
  QCOMPARE(Disp(d), display);
  QCOMPARE(Pos(edit.DisplayToBufferPos(d)), Pos(buffer));
  QCOMPARE(edit.PixelXToChar(d.Row, x), buffer.Char);
}

void TestEditorPositions::wrappedConversions_data() {
  QTest::addColumn<TBufferCoord>("buffer");
  QTest::addColumn<QString>("display");
  QTest::addColumn<TBufferCoord>("back");
  QTest::addColumn<int>("cellX");  // CharToPixelX in cells from the text's left edge
  // Rows: (1,1,10) (1,11,4) (2,1,10) (2,11,3)
  QTest::newRow("wrap_point_ends_the_upper_row") << BC(11, 1) << "col 11 row 1" << BC(11, 1) << 10;
  QTest::newRow("one_past_wrap_point_on_continuation") << BC(12, 1) << "col 2 row 2" << BC(12, 1) << 1;
  QTest::newRow("continuation_line_end") << BC(15, 1) << "col 5 row 2" << BC(15, 1) << 4;
  QTest::newRow("tab_on_continuation_row_uses_line_stops") << BC(13, 2) << "col 3 row 4" << BC(13, 2) << 2;
}

void TestEditorPositions::wrappedConversions() {
  QFETCH(TBufferCoord, buffer);
  QFETCH(QString, display);
  QFETCH(TBufferCoord, back);
  QFETCH(int, cellX);
  TMEEdit edit;
  SetWrapColumns(edit, 10);
  edit.SetWordWrap(true);
  SetLines(edit, "aaaa bbbb cccc|abcdefghijk\tx");
  QCOMPARE(edit.Rows().DebugDump(), QStringLiteral("(1,1,10) (1,11,4) (2,1,10) (2,11,3)"));
  const TDisplayCoord d = edit.BufferToDisplayPos(buffer);
  QCOMPARE(Disp(d), display);
  QCOMPARE(Pos(edit.DisplayToBufferPos(d)), Pos(back));
  QCOMPARE(edit.CharToPixelX(buffer), edit.TextLeft() + cellX * edit.CharWidth());
  // A point right of a short row gives the end of that row.
  QCOMPARE(Pos(edit.DisplayToBufferPos({9, 2})), QStringLiteral("(15,1)"));
  QCOMPARE(Pos(edit.DisplayToBufferPos({1, 2})), QStringLiteral("(11,1)"));
}

// The row of a position, answered from per-line row counts, is the one the row list gives when
// walked from the top.
void TestEditorPositions::bufferToRowMatchesRowScan() {
  TMEEdit edit;
  SetWrapColumns(edit, 6);
  edit.SetWordWrap(true);
  SetLines(edit, S(u"one two three four||\t\tx|\u4E00\u4E01\u4E02\u4E03 five six|seven"));
  const auto scan = [&](TBufferCoord pos) {
    for (int k = 0; k < edit.RowCount(); ++k) {
      const TMERow row = edit.GetRowInfo(k);
      if (row.Line < pos.Line) continue;
      const bool lastOfLine = k + 1 == edit.RowCount() || edit.GetRowInfo(k + 1).Line != row.Line;
      if (row.Line > pos.Line || pos.Char < row.StartChar || lastOfLine || pos.Char <= row.StartChar + row.Len)
        return k + 1;
    }
    return edit.RowCount();
  };
  QVERIFY(edit.RowCount() > edit.LineCount() + 3);
  for (int line = 0; line <= edit.LineCount() + 1; ++line)
    for (int ch = 0; ch <= edit.LineText(line).size() + 3; ++ch) QCOMPARE(edit.BufferToRow({ch, line}), scan({ch, line}));
}

void TestEditorPositions::topLineClampedToLastPage() {
  TMEEdit edit;
  edit.show();
  edit.resize(edit.width(), edit.height() - edit.viewport()->height() + 20 * edit.LineHeight());
  QCOMPARE(edit.VisibleRowCount(), 20);
  QStringList lines;
  for (int i = 1; i <= 50; ++i) lines << QString::number(i);
  edit.SetText(lines.join(u'\n'));
  edit.SetTopLine(1000000);
  QCOMPARE(edit.TopLine(), 31);
  edit.SetTopLine(1);
  edit.SetCaretXY({1, 45});
  QCOMPARE(edit.TopLine(), 26);
  edit.SetCaretXY({1, 3});
  QCOMPARE(edit.TopLine(), 3);
}

QTEST_MAIN(TestEditorPositions)
#include "test_editor_positions.moc"
