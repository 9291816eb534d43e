// TMEEdit: 0-based character offsets, counting each line break as the document's own.
#include "Edit.h"

static int BreakLength(const TMELineList &lines) { return lines.LineEnding() == leCRLF ? 2 : 1; }

int TMEEdit::CoordToOffset(TBufferCoord coord) const {
  const QStringList &lines = Lines().Lines();
  const int count = int(lines.size());
  const int line = coord.Line <= 0 ? 1 : qMin(coord.Line, count + 1);
  const int breakLength = BreakLength(Lines());
  int offset = 0;
  for (int i = 0; i < line - 1; ++i) offset += int(lines[i].size()) + breakLength;
  // Virtual space past the end of a line adds nothing: the next offset is the next line's.
  return offset + qBound(0, coord.Char - 1, int(LineText(line).size()));
}

TBufferCoord TMEEdit::OffsetToCoord(int offset) const {
  const QStringList &lines = Lines().Lines();
  const int breakLength = BreakLength(Lines());
  int rest = qMax(0, offset);
  for (int i = 0; i < lines.size(); ++i) {
    const int length = int(lines[i].size());
    if (length >= rest) return {rest + 1, i + 1};
    rest -= length + breakLength;
    if (rest < 0) return {length + 1, i + 1};
  }
  if (lines.isEmpty()) return {1, 1};
  return {int(lines.last().size()) + 1, int(lines.size())};
}

int TMEEdit::SelStart() const {
  TBufferCoord begin = FBlockBegin, end = FBlockEnd;
  OrderCoords(begin, end);
  return CoordToOffset(begin);
}

int TMEEdit::SelEnd() const {
  TBufferCoord begin = FBlockBegin, end = FBlockEnd;
  OrderCoords(begin, end);
  return CoordToOffset(end);
}

void TMEEdit::SetSelStart(int value) {
  TBufferCoord coord = OffsetToCoord(value);
  ClampCoord(coord);
  FCaret = FBlockBegin = FBlockEnd = coord;
  StatusChanged(scCaretX | scCaretY | scSelection);
  Repaint();
}

void TMEEdit::SetSelEnd(int value) {
  FBlockEnd = OffsetToCoord(value);
  SetCaretXY(FBlockEnd);
}
