// TMEEdit: caret and selection, and the edits built on the document's primitives.
#include "Edit.h"

#include "CellWidth.h"
#include "core/TextSplit.h"

void TMEEdit::ClampCoord(TBufferCoord &coord) const {
  coord.Line = qBound(1, coord.Line, LineCount());
  coord.Char = qMax(1, coord.Char);
  const QString line = LineText(coord.Line);
  if (!FScrollOptions.testFlag(eoScrollPastEol)) coord.Char = qMin(coord.Char, int(line.size()) + 1);
  // Nothing may stand between the halves of a surrogate pair.
  if (SplitsPair(line, coord.Char)) --coord.Char;
}

void TMEEdit::MoveCaret(TBufferCoord coord) {
  ClampCoord(coord);
  TMEStatusChanges changes;
  if (coord.Char != FCaret.Char) changes |= scCaretX;
  if (coord.Line != FCaret.Line) changes |= scCaretY;
  FCaret = coord;
  StatusChanged(changes);
  EnsureCursorPosVisible();
}

void TMEEdit::SetCaretXY(TBufferCoord value) {
  MoveCaret(value);
  FBlockBegin = FBlockEnd = FCaret;
  StatusChanged(scSelection);
  Repaint();
}

void TMEEdit::MoveCaretExtend(TBufferCoord coord, bool extend) {
  if (extend && !SelAvail()) FBlockBegin = FCaret;
  MoveCaret(coord);
  if (!extend) FBlockBegin = FCaret;
  FBlockEnd = FCaret;
  StatusChanged(scSelection);
  Repaint();
}

void TMEEdit::SetBlockBegin(TBufferCoord value) {
  ClampCoord(value);
  FBlockBegin = value;
  StatusChanged(scSelection);
  Repaint();
}

void TMEEdit::SetBlockEnd(TBufferCoord value) {
  ClampCoord(value);
  FBlockEnd = value;
  StatusChanged(scSelection);
  Repaint();
}

void TMEEdit::SetCaretAndSelection(TBufferCoord caret, TBufferCoord blockBegin, TBufferCoord blockEnd) {
  const TMEEditUpdate update(*this);
  ClampCoord(blockBegin);
  ClampCoord(blockEnd);
  FBlockBegin = blockBegin;
  FBlockEnd = blockEnd;
  MoveCaret(caret);
  StatusChanged(scSelection);
}

void TMEEdit::SelectAll() {
  FBlockBegin = {1, 1};
  FCaret = FBlockEnd = {int(LineText(LineCount()).size()) + 1, LineCount()};
  StatusChanged(scCaretX | scCaretY | scSelection);
  Repaint();
}

void TMEEdit::SelectLine(int line) {
  if (line < 1 || line > LineCount()) return;
  FBlockBegin = {1, line};
  FBlockEnd = line < LineCount() ? TBufferCoord{1, line + 1} : TBufferCoord{int(LineText(line).size()) + 1, line};
  FCaret = FBlockEnd;
  StatusChanged(scCaretX | scCaretY | scSelection);
  Repaint();
}

QString TMEEdit::SelText() const {
  TBufferCoord begin = FBlockBegin, end = FBlockEnd;
  OrderCoords(begin, end);
  return FDocument.GetTextRange(begin, end);
}

void TMEEdit::DeleteSelection() {
  if (!SelAvail()) return;
  TBufferCoord begin = FBlockBegin, end = FBlockEnd;
  OrderCoords(begin, end);
  FDocument.DeleteRange(begin, end, true);
  FCaret = FBlockBegin = FBlockEnd = begin;
}

void TMEEdit::SetSelText(const QString &value) {
  if (FReadOnly) return;
  {
    const TMEEditUpdate update(*this);
    const TMEUndoBlock block(FDocument);
    DeleteSelection();
    FCaret = FBlockBegin = FBlockEnd = FDocument.InsertTextAt(FCaret, value, true);
    // Marked even when value and the selection were both empty.
    FDocument.SetModified(true);
    StatusChanged(scCaretX | scCaretY | scModified | scSelection);
    EnsureCursorPosVisible();
  }
  Q_EMIT OnChange();
}

void TMEEdit::SetSelLines(QStringList lines) {
  if (FReadOnly) return;
  {
    const TMEEditUpdate update(*this);
    TBufferCoord begin = SelAvail() ? FBlockBegin : FCaret, end = SelAvail() ? FBlockEnd : FCaret;
    OrderCoords(begin, end);
    // Text put in virtual space starts where it was put: the gap is filled with spaces.
    const int gap = begin.Char - 1 - int(LineText(begin.Line).size());
    const bool hasText = lines.size() > 1 || (lines.size() == 1 && !lines[0].isEmpty());
    if (gap > 0 && hasText) lines.first().prepend(QString(gap, u' '));
    const TBufferCoord last = FDocument.ReplaceRange(begin, end, std::move(lines));
    // Without text the caret stays where the selection began, in virtual space too.
    FCaret = FBlockBegin = FBlockEnd = hasText ? last : begin;
    // Marked even when the text and the selection were both empty.
    FDocument.SetModified(true);
    StatusChanged(scCaretX | scCaretY | scModified | scSelection);
    EnsureCursorPosVisible();
  }
  Q_EMIT OnChange();
}

void TMEEdit::DeleteLastChar() {
  if (FReadOnly) return;
  if (SelAvail()) {
    SetSelText(QString());
    return;
  }
  TBufferCoord from;
  if (FCaret.Char > 1) from = {FCaret.Char - UnitsBefore(LineText(FCaret.Line), FCaret.Char), FCaret.Line};
  else if (FCaret.Line > 1) from = {int(LineText(FCaret.Line - 1).size()) + 1, FCaret.Line - 1};
  else return;
  // In virtual space nothing is removed; the caret only steps left.
  const bool changed = FDocument.DeleteRange(from, FCaret, true);
  FCaret = FBlockBegin = FBlockEnd = from;
  StatusChanged(scCaretX | scCaretY | scSelection | (changed ? scModified : TMEStatusChanges()));
  EnsureCursorPosVisible();
  if (changed) Q_EMIT OnChange();
}

void TMEEdit::DeleteChar() {
  if (FReadOnly) return;
  if (SelAvail()) {
    SetSelText(QString());
    return;
  }
  const QString line = LineText(FCaret.Line);
  bool changed = false;
  if (FCaret.Char <= line.size())
    changed = FDocument.DeleteRange(FCaret, {FCaret.Char + CellWidthAt(line, FCaret.Char).Units, FCaret.Line}, true);
  else if (FCaret.Line < LineCount())
    changed = FDocument.DeleteRange(FCaret, {1, FCaret.Line + 1}, true);
  if (!changed) return;
  StatusChanged(scModified);
  Repaint();
  Q_EMIT OnChange();
}

void TMEEdit::SetText(const QString &value, bool *altered) {
  FDocument.SetText(value, altered);
  FCaret = FBlockBegin = FBlockEnd = {1, 1};
  FTopLine = FLeftChar = 1;
  StatusChanged(scCaretX | scCaretY | scModified | scSelection);
  Repaint();
  Q_EMIT OnChange();
}

void TMEEdit::ClearAll() {
  {
    const TMEEditUpdate update(*this);
    FDocument.Clear();
    FCaret = FBlockBegin = FBlockEnd = {1, 1};
    FTopLine = FLeftChar = 1;
    StatusChanged(scCaretX | scCaretY | scModified | scSelection);
  }
  Q_EMIT OnChange();
}
