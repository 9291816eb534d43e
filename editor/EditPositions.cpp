// TMEEdit: display rows and the conversions between buffer, display and pixel positions.
#include "Edit.h"

#include "CellWidth.h"

void TMEEdit::InvalidateRows() { FRowsValid = false; }

void TMEEdit::BuildRows() {
  if (FRowsValid) return;
  if (FWordWrap) FRows.Build(Lines(), WrapWidth(), FTabWidth);
  else FRows.Clear();
  FRowsValid = true;
}

const TMERowMap &TMEEdit::Rows() {
  BuildRows();
  return FRows;
}

int TMEEdit::RowCount() {
  if (!FWordWrap) return LineCount();
  BuildRows();
  return FRows.Count();
}

TMERow TMEEdit::GetRowInfo(int index) {
  if (FWordWrap) {
    BuildRows();
    return FRows.At(qBound(0, index, FRows.Count() - 1));
  }
  index = qBound(0, index, LineCount() - 1);
  return {index + 1, 1, int(Lines().Get(index).size())};
}

int TMEEdit::BufferToRow(TBufferCoord coord) {
  if (!FWordWrap) return qBound(1, coord.Line, LineCount());
  BuildRows();
  return FRows.RowOf(coord);
}

// Columns left of a wrapped row's first character, counted from its line's start.
int TMEEdit::RowOriginColumns(const TMERow &row) const {
  return ColumnsBefore(LineText(row.Line), row.StartChar, FTabWidth);
}

TDisplayCoord TMEEdit::BufferToDisplayPos(TBufferCoord buffer) {
  const int row = BufferToRow(buffer);
  int column = ColumnsBefore(LineText(buffer.Line), buffer.Char, FTabWidth) + 1;
  if (FWordWrap) column -= RowOriginColumns(GetRowInfo(row - 1));
  return {column, row};
}

TDisplayCoord TMEEdit::PixelsToRowColumn(int pixelX, int pixelY) {
  BuildRows();
  const int index = qBound(0, pixelY / FLineHeight + FTopLine - 1, RowCount() - 1);
  const int column = (pixelX - TextLeft()) / FCharWidth + FLeftChar;
  return {column <= 0 ? 1 : column, index + 1};
}

TBufferCoord TMEEdit::DisplayToBufferPos(TDisplayCoord display) {
  const TMERow row = GetRowInfo(display.Row - 1);
  const int x = TextLeft() + (display.Column - FLeftChar) * FCharWidth;
  return {qMax(row.StartChar, PixelXToChar(display.Row, x)), row.Line};
}

int TMEEdit::PixelXToChar(int row, int x) {
  const TMERow info = GetRowInfo(row - 1);
  const QString text = LineText(info.Line);
  int relative = (x - TextLeft()) / FCharWidth;
  if (!FWordWrap) relative += FLeftChar - 1;
  relative = qMax(0, relative);
  const int target = FWordWrap ? relative + RowOriginColumns(info) : relative;
  const int ch = qMax(1, CharAtColumn(text, target, FTabWidth));
  if (!FWordWrap) return ch;
  return qBound(info.StartChar, ch, info.StartChar + info.Len);
}

int TMEEdit::CharToPixelX(TBufferCoord coord) {
  const int origin = FWordWrap ? RowOriginColumns(GetRowInfo(BufferToRow(coord) - 1)) : FLeftChar - 1;
  return TextLeft() + (ColumnsBefore(LineText(coord.Line), coord.Char, FTabWidth) - origin) * FCharWidth;
}
