// TMEEdit: the gutter with line numbers, indent guides and the right edge.
#include "Edit.h"

#include "CellWidth.h"

#include <QFontMetrics>
#include <QPainter>

void TMEEdit::GutterChanged() {
  FGutterWidth = FGutter.TotalWidth();
  // The text area's width, and with it the wrap width, may have changed.
  InvalidateRows();
  ClearLayouts();
  FScrollBarsValid = false;
  Repaint();
  UpdateCaret();
}

void TMEEdit::SetRightEdge(int value) {
  value = qMax(0, value);
  if (value == FRightEdge) return;
  FRightEdge = value;
  Repaint();
}

void TMEEdit::SetRightEdgeColor(TColor value) {
  if (value == FRightEdgeColor) return;
  FRightEdgeColor = value;
  Repaint();
}

void TMEEdit::PaintGutter(QPainter &painter, int first, int rowFirst, int rowLast) {
  const int total = FGutter.TotalWidth();
  painter.fillRect(QRect(0, 0, total, viewport()->height()), ColorToQColor(FGutter.Color()));
  if (!FGutter.ShowLineNumbers()) return;
  int x0 = 0;
  const int band = FGutter.LineNumberBand(&x0);
  if (band < 0) return;
  const int w = FGutter.Bands().Items(band).EffectiveWidth(*this);
  if (w <= 0) return;
  painter.save();
  painter.setFont(FGutter.Font());
  painter.setPen(ColorToQColor(FGutter.FontColor()));
  const QFontMetrics metrics(FGutter.Font());
  // The numbers share the text's baseline.
  const int dy = qMax(0, FBaseline - metrics.ascent());
  const int rows = RowCount();
  for (int r = rowFirst; r <= rowLast; ++r) {
    if (r < 1 || r > rows) continue;
    const TMERow row = GetRowInfo(r - 1);
    if (row.StartChar != 1) continue;
    const QString number = QString::number(row.Line);
    const int y = (r - first) * FLineHeight;
    painter.drawText(x0 + w - metrics.horizontalAdvance(number) - 2, y + dy + metrics.ascent(), number);
  }
  painter.restore();
}

void TMEEdit::PaintIndentGuides(QPainter &painter, int first, int rowFirst, int rowLast) {
  painter.save();
  QPen pen(ColorToQColor(FIndentGuides.Color()), 1, Qt::DotLine);
  painter.setPen(pen);
  const int rows = RowCount();
  for (int r = rowFirst; r <= rowLast; ++r) {
    if (r < 1 || r > rows) continue;
    const QString text = LineText(GetRowInfo(r - 1).Line);
    int blanks = 0;
    while (blanks < text.size() && (text[blanks] == u' ' || text[blanks] == u'\t')) ++blanks;
    const int k = ColumnsBefore(text, blanks + 1, FTabWidth);
    const int y = (r - first) * FLineHeight;
    for (int t = FTabWidth; t < k; t += FTabWidth) {
      const int x = TextLeft() + (t - FLeftChar + 1) * FCharWidth;
      if (x >= TextLeft()) painter.drawLine(x, y, x, y + FLineHeight - 1);
    }
  }
  painter.restore();
}

void TMEEdit::PaintRightEdge(QPainter &painter) {
  const int x = TextLeft() + (FRightEdge - FLeftChar + 1) * FCharWidth;
  if (x < TextLeft()) return;
  painter.save();
  painter.setPen(QPen(ColorToQColor(FRightEdgeColor), 1));
  painter.drawLine(x, 0, x, viewport()->height());
  painter.restore();
}
