// TMEEdit: clicks, double and triple clicks, drag selection and the wheel.
#include "Edit.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWheelEvent>

TBufferCoord TMEEdit::MousePos(const QPoint &pos) {
  TBufferCoord coord = DisplayToBufferPos(PixelsToRowColumn(pos.x(), pos.y()));
  if (LayoutModelFor(coord.Line)) coord.Char = PixelToChar(coord.Line, pos.x());
  return coord;
}

void TMEEdit::mousePressEvent(QMouseEvent *event) {
  if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  if (FLastDblClickTick != 0) {
    const QStyleHints *hints = QGuiApplication::styleHints();
    const quint32 now = quint32(FClock.elapsed()) + 1;
    const int distance = hints->mouseDoubleClickDistance();
    const bool inTime = now - FLastDblClickTick <= quint32(hints->mouseDoubleClickInterval());
    const bool near = qAbs(pos.x() - FLastDblClickPt.x()) <= distance && qAbs(pos.y() - FLastDblClickPt.y()) <= distance;
    FLastDblClickTick = 0;
    if (inTime && near) {
      SelectLine(MousePos(pos).Line);
      return;
    }
  }
  const TBufferCoord coord = MousePos(pos);
  MoveCaret(coord);
  if (!event->modifiers().testFlag(Qt::ShiftModifier)) FBlockBegin = FCaret;
  FBlockEnd = FCaret;
  FSelecting = true;
  StatusChanged(scSelection);
  Repaint();
}

void TMEEdit::mouseMoveEvent(QMouseEvent *event) {
  if (!FSelecting || !(event->buttons() & Qt::LeftButton)) return;
  MoveCaret(MousePos(event->position().toPoint()));
  FBlockEnd = FCaret;
  StatusChanged(scSelection);
  Repaint();
}

void TMEEdit::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton) FSelecting = false;
}

void TMEEdit::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton) return;
  // A third click soon after, near this point, selects the line.
  FLastDblClickTick = quint32(FClock.elapsed()) + 1;
  FLastDblClickPt = event->position().toPoint();
  FSelecting = false;
  // Where the first click put the caret; a double click may also arrive without its presses.
  MoveCaret(MousePos(FLastDblClickPt));
  FBlockBegin = FBlockEnd = FCaret;
  Q_EMIT OnDblClick();
  DblClick();
}

static bool IsWordChar(QChar c) { return c.isLetter() || c.isDigit() || c == u'_'; }

void TMEEdit::DblClick() {
  const QString text = LineText(FCaret.Line);
  const int n = int(text.size());
  int start = qMin(FCaret.Char, n + 1), end = start;
  while (start > 1 && IsWordChar(text[start - 2])) --start;
  while (end <= n && IsWordChar(text[end - 1])) ++end;
  if (end <= start) return;
  FBlockBegin = {start, FCaret.Line};
  FBlockEnd = FCaret = {end, FCaret.Line};
  StatusChanged(scCaretX | scSelection);
  Repaint();
}

void TMEEdit::wheelEvent(QWheelEvent *event) {
  event->accept();
  const int delta = event->angleDelta().y();
  const int old = FTopLine;
  SetTopLine(FTopLine - delta * 3 / 120);
  if (FTopLine != old) Q_EMIT OnScroll(1);
}
