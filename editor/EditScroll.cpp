// TMEEdit: the two scroll bars, kept in step with TopLine and LeftChar and moving them back.
#include "Edit.h"

#include "CellWidth.h"

#include <QScopedValueRollback>
#include <QScrollBar>

void TMEEdit::ResetHorizontalMeasure() {
  FMaxScrollCol = 1;
  FMeasuredTopLine = 0;
  FScrollBarsValid = false;
}

// A bar's value is the first visible row or column; its page is the visible rows or columns.
void TMEEdit::UpdateScrollBars() {
  const QScopedValueRollback<bool> updating(FUpdatingBars, true);
  BuildRows();
  const int rows = VisibleRowCount(), columns = VisibleColumns();
  QScrollBar *vertical = verticalScrollBar();
  vertical->setRange(1, qMax(1, RowCount() - rows + 1));
  vertical->setPageStep(rows);
  vertical->setSingleStep(1);
  vertical->setValue(FTopLine);
  // Without word wrap the bar's range always exceeds its page by a column, so it is always there.
  const Qt::ScrollBarPolicy policy = FWordWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn;
  if (horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
  QScrollBar *horizontal = horizontalScrollBar();
  if (FWordWrap) {
    horizontal->setRange(1, 1);
  } else {
    if (FTopLine != FMeasuredTopLine) {
      const int lines = LineCount();
      const int from = qMax(1, qMin(FTopLine, lines)), to = qMin(lines, FTopLine + rows - 1);
      for (int line = from; line <= to; ++line) {
        const QString text = LineText(line);
        FMaxScrollCol = qMax(FMaxScrollCol, ColumnsBefore(text, int(text.size()) + 1, FTabWidth) + 1);
      }
      FMeasuredTopLine = FTopLine;
    }
    // While the thumb is dragged the range stays put, or holding it at the end would widen the
    // range by a column on every move; it follows once the thumb is let go.
    if (!horizontal->isSliderDown()) FMaxScrollCol = qMax(FMaxScrollCol, FLeftChar + columns - 1);
    horizontal->setRange(1, qMax(1, FMaxScrollCol + 1 - columns + 1));
  }
  horizontal->setPageStep(columns);
  horizontal->setSingleStep(1);
  horizontal->setValue(FLeftChar);
  FScrollBarsValid = true;
}

// Every action on a bar (arrows, pages, the thumb, the wheel or keys on the bar) scrolls to the
// bar's new position and is reported, even when it moved nothing.
void TMEEdit::ScrollBarAction(int scrollBar) {
  if (scrollBar == 1) SetTopLine(verticalScrollBar()->sliderPosition());
  else SetLeftChar(horizontalScrollBar()->sliderPosition());
  UpdateCaret();
  Q_EMIT OnScroll(scrollBar);
}

// A bar's value set from outside: follow it.
void TMEEdit::scrollContentsBy(int dx, int dy) {
  if (FUpdatingBars) return;
  if (dy != 0) SetTopLine(verticalScrollBar()->value());
  if (dx != 0) SetLeftChar(horizontalScrollBar()->value());
  UpdateCaret();
}
