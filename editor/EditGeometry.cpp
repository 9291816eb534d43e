// TMEEdit: font geometry, the text area, tab width and word wrap, and the view's position.
#include "Edit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>

#include <cmath>

int TMEEdit::FontPixelSize() const {
  int size = QFontInfo(font()).pixelSize();
  if (size <= 0) size = int(std::lround(font().pointSize() * 96.0 / 72.0));
  return size > 0 ? size : 16;
}

void TMEEdit::MeasureFont() {
  FRenderer.SetFont(font().family(), float(FontPixelSize()));
  // Measure the font the renderer draws with, so cells and glyphs agree.
  const QFont drawn = FRenderer.RegularFont();
  const QFontMetricsF metricsF(drawn);
  const QFontMetrics metrics(drawn);
  FCharWidth = int(std::lround(metricsF.horizontalAdvance(QStringLiteral("0"))));
  if (FCharWidth <= 0) FCharWidth = int(std::lround(metricsF.averageCharWidth()));
  if (FCharWidth <= 0) FCharWidth = 8;
  FLineHeight = metrics.ascent() + metrics.descent() + metrics.leading() + 2;
  if (FLineHeight <= 0) FLineHeight = metrics.size(0, QStringLiteral("Wg")).height();
  if (FLineHeight <= 0) FLineHeight = 16;
  FBaseline = metrics.ascent();
  if (FBaseline <= 0 || FBaseline > FLineHeight) FBaseline = int(std::nearbyint(FLineHeight * 0.8));
  FRenderer.SetTabStop(float(FTabWidth * FCharWidth));
  FRenderer.SetLineMetrics(float(FLineHeight), float(FBaseline));
  InvalidateRows();
  Repaint();
}

int TMEEdit::TextLeft() const { return FGutter.TotalWidth() + FTextMargin; }

int TMEEdit::TextAreaWidth() const { return qMax(1, viewport()->width() - TextLeft()); }

int TMEEdit::VisibleRowCount() const { return FLineHeight <= 0 ? 1 : qMax(1, viewport()->height() / FLineHeight); }

int TMEEdit::VisibleColumns() const { return qMax(1, TextAreaWidth() / FCharWidth); }

int TMEEdit::WrapWidth() const { return qMax(1, TextAreaWidth() / FCharWidth); }

void TMEEdit::SetTabWidth(int value) {
  if (value <= 0 || value == FTabWidth) return;
  FTabWidth = value;
  FRenderer.SetTabStop(float(FTabWidth * FCharWidth));
  InvalidateRows();
  Repaint();
}

void TMEEdit::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  FLeftChar = 1;
  ResetHorizontalMeasure();
  InvalidateRows();
  Repaint();
}

void TMEEdit::SetTopLine(int value) {
  BuildRows();
  value = qBound(1, value, qMax(1, RowCount() - VisibleRowCount() + 1));
  if (value == FTopLine) return;
  FTopLine = value;
  StatusChanged(scTopLine);
  Repaint();
}

void TMEEdit::SetLeftChar(int value) {
  value = qMax(1, value);
  if (value == FLeftChar) return;
  FLeftChar = value;
  StatusChanged(scLeftChar);
  Repaint();
}

void TMEEdit::EnsureCursorPosVisible() {
  BuildRows();
  const TDisplayCoord caret = BufferToDisplayPos(FCaret);
  const int rows = VisibleRowCount();
  if (caret.Row < FTopLine) SetTopLine(caret.Row);
  else if (caret.Row > FTopLine + rows - 1) SetTopLine(caret.Row - rows + 1);
  if (!FWordWrap) {
    const int columns = VisibleColumns();
    // Through SetLeftChar, so the scroll bar and whoever follows the view hear of it.
    if (caret.Column < FLeftChar) SetLeftChar(caret.Column);
    else if (caret.Column > FLeftChar + columns - 1) SetLeftChar(caret.Column - columns + 1);
  }
  Repaint();
}
