// TMEEdit: the caret the editor draws itself, and where text positions fall in pixels.
#include "Edit.h"

#include <QGuiApplication>
#include <QPainter>
#include <QStyleHints>

bool TMEEdit::LayoutModelFor(int line) {
  return FLayoutMode && !FWordWrap && !FVisibleSpecialChars.testFlag(scWhitespace) && GetLineLayout(line);
}

int TMEEdit::CaretPixelX(TBufferCoord coord) {
  if (!LayoutModelFor(coord.Line)) return CharToPixelX(coord);
  TMELineLayout *layout = GetLineLayout(coord.Line);
  const int n = int(LineText(coord.Line).size());
  int x;
  if (coord.Char - 1 > n) x = FRenderer.LayoutCaretX(layout, n) + (coord.Char - 1 - n) * FCharWidth;
  else x = FRenderer.LayoutCaretX(layout, coord.Char - 1);
  return x + TextLeft() - (FLeftChar - 1) * FCharWidth;
}

int TMEEdit::PixelToChar(int line, int x) {
  if (!LayoutModelFor(line)) return PixelXToChar(BufferToRow({1, line}), x);
  TMELineLayout *layout = GetLineLayout(line);
  const int relative = x + (FLeftChar - 1) * FCharWidth - TextLeft();
  if (FScrollOptions.testFlag(eoScrollPastEol)) {
    const int n = int(LineText(line).size());
    const int q = FRenderer.LayoutCaretX(layout, n);
    if (relative > q) return (relative + FCharWidth / 2 - q) / FCharWidth + n + 1;
  }
  return FRenderer.LayoutHitChar(layout, relative) + 1;
}

void TMEEdit::UpdateCaret() {
  if (!hasFocus()) return;
  const QRect old = FCaretRect;
  const int y = (BufferToRow(FCaret) - FTopLine) * FLineHeight;
  FCaretRect = QRect(CaretPixelX(FCaret), y, 2, FLineHeight);
  FCaretShown = true;
  // Moving the caret shows it at once; the blinking starts over.
  FCaretBlinkOn = true;
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  if (flash > 0) FBlinkTimer.start(flash / 2);
  viewport()->update(old);
  viewport()->update(FCaretRect);
}

void TMEEdit::CaretBlink() {
  FCaretBlinkOn = !FCaretBlinkOn;
  viewport()->update(FCaretRect);
}

void TMEEdit::PaintCaret(QPainter &painter) {
  if (!FCaretShown || !hasFocus()) return;
  // The view may have scrolled under the caret since it was placed.
  FCaretRect = QRect(CaretPixelX(FCaret), (BufferToRow(FCaret) - FTopLine) * FLineHeight, 2, FLineHeight);
  if (!FCaretBlinkOn) return;
  if (FCaretRect.left() < TextLeft()) return;
  painter.fillRect(FCaretRect, ColorToQColor(FFontColor));
}

void TMEEdit::focusInEvent(QFocusEvent *event) {
  QAbstractScrollArea::focusInEvent(event);
  FCaretShown = false;
  UpdateCaret();
}

void TMEEdit::focusOutEvent(QFocusEvent *event) {
  QAbstractScrollArea::focusOutEvent(event);
  FBlinkTimer.stop();
  FCaretShown = false;
  viewport()->update(FCaretRect);
}
