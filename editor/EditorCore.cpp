// TMEEdit: caret and selection, the two editing primitives and what is built on them.
#include "Edit.h"

#include "CellWidth.h"
#include "TextSplit.h"

#include <QScopedValueRollback>

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
  BeginUpdate();
  ClampCoord(blockBegin);
  ClampCoord(blockEnd);
  FBlockBegin = blockBegin;
  FBlockEnd = blockEnd;
  MoveCaret(caret);
  StatusChanged(scSelection);
  EndUpdate();
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

QString TMEEdit::GetTextRange(TBufferCoord from, TBufferCoord to) const {
  if (to <= from) return QString();
  if (from.Line == to.Line) return LineText(from.Line).mid(from.Char - 1, to.Char - from.Char);
  const QStringList &lines = FLines.Lines();
  const auto line = [&](int n) { return n >= 1 && n <= lines.size() ? QStringView(lines[n - 1]) : QStringView(); };
  const QStringView head = line(from.Line).mid(qMin<qsizetype>(from.Char - 1, line(from.Line).size()));
  const QStringView tail = line(to.Line).left(to.Char - 1);
  qsizetype total = head.size() + tail.size() + 2 * qsizetype(to.Line - from.Line);
  for (int n = from.Line + 1; n < to.Line; ++n) total += line(n).size();
  QString text;
  text.reserve(total);
  text += head;
  text += u"\r\n";
  for (int n = from.Line + 1; n < to.Line; ++n) {
    text += line(n);
    text += u"\r\n";
  }
  text += tail;
  return text;
}

QString TMEEdit::SelText() const {
  TBufferCoord begin = FBlockBegin, end = FBlockEnd;
  OrderCoords(begin, end);
  return GetTextRange(begin, end);
}

TBufferCoord TMEEdit::InsertTextAt(TBufferCoord pos, const QString &text, bool record) {
  if (text.isEmpty()) return pos;
  pos.Line = qBound(1, pos.Line, LineCount());
  pos.Char = qMax(1, pos.Char);
  const QString line = LineText(pos.Line);
  // Typing in virtual space fills the gap with spaces, which belong to the insertion.
  const int padding = qMax(0, pos.Char - 1 - int(line.size()));
  const QString head = line.left(pos.Char - 1) + QString(padding, u' ');
  const QString tail = line.mid(pos.Char - 1);
  QStringList pieces = SplitAtLineBreaks(text);
  const int k = int(pieces.size());
  TBufferCoord end;
  {
    const QScopedValueRollback<bool> own(FOwnChange, true);
    FLines.BeginUpdate();
    if (FLines.GetCount() == 0) FLines.Add(QString());
    if (k == 1) {
      FLines.Put(pos.Line - 1, head + pieces[0] + tail);
      end = {int(head.size() + pieces[0].size()) + 1, pos.Line};
    } else {
      FLines.Put(pos.Line - 1, head + pieces[0]);
      end = {int(pieces[k - 1].size()) + 1, pos.Line + k - 1};
      pieces.removeFirst();
      pieces.last() += tail;
      FLines.InsertLines(pos.Line, std::move(pieces));
    }
    FLines.EndUpdate();
  }
  LinesReplaced(pos.Line - 1, 1, k);
  if (record) {
    if (padding > 0) AddUndo(ukInsert, QString(padding, u' ') + text, {int(line.size()) + 1, pos.Line}, end);
    else AddUndo(ukInsert, text, pos, end);
  }
  return end;
}

bool TMEEdit::DeleteRange(TBufferCoord from, TBufferCoord to, bool record) {
  // Virtual space holds no text: both ends are taken back to what exists.
  ClampCoord(from);
  ClampCoord(to);
  from.Char = qMin(from.Char, int(LineText(from.Line).size()) + 1);
  to.Char = qMin(to.Char, int(LineText(to.Line).size()) + 1);
  OrderCoords(from, to);
  if (from == to) return false;
  // The removed text is built only for the record.
  if (record) AddUndo(ukDelete, GetTextRange(from, to), from, to);
  {
    const QScopedValueRollback<bool> own(FOwnChange, true);
    FLines.BeginUpdate();
    if (from.Line == to.Line) {
      QString line = LineText(from.Line);
      line.remove(from.Char - 1, to.Char - from.Char);
      FLines.Put(from.Line - 1, line);
    } else {
      const QString joined = LineText(from.Line).left(from.Char - 1) + LineText(to.Line).mid(to.Char - 1);
      FLines.DeleteLines(from.Line, to.Line - from.Line);
      FLines.Put(from.Line - 1, joined);
    }
    FLines.EndUpdate();
  }
  LinesReplaced(from.Line - 1, to.Line - from.Line + 1, 1);
  return true;
}

void TMEEdit::DeleteSelection() {
  if (!SelAvail()) return;
  TBufferCoord begin = FBlockBegin, end = FBlockEnd;
  OrderCoords(begin, end);
  DeleteRange(begin, end, true);
  FCaret = FBlockBegin = FBlockEnd = begin;
}

void TMEEdit::SetSelText(const QString &value) {
  if (FReadOnly) return;
  BeginUpdate();
  FUndoList.BeginBlock();
  DeleteSelection();
  FCaret = FBlockBegin = FBlockEnd = InsertTextAt(FCaret, value, true);
  FModified = true;
  StatusChanged(scCaretX | scCaretY | scModified | scSelection);
  EnsureCursorPosVisible();
  FUndoList.EndBlock();
  EndUpdate();
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
  const bool changed = DeleteRange(from, FCaret, true);
  FCaret = FBlockBegin = FBlockEnd = from;
  if (changed) FModified = true;
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
    changed = DeleteRange(FCaret, {FCaret.Char + CellWidthAt(line, FCaret.Char).Units, FCaret.Line}, true);
  else if (FCaret.Line < LineCount())
    changed = DeleteRange(FCaret, {1, FCaret.Line + 1}, true);
  if (!changed) return;
  FModified = true;
  StatusChanged(scModified);
  Repaint();
  Q_EMIT OnChange();
}

void TMEEdit::SetText(const QString &value, bool *altered) {
  FLines.SetText(value, altered);
  FCaret = FBlockBegin = FBlockEnd = {1, 1};
  FTopLine = FLeftChar = 1;
  FUndoList.Clear();
  FModified = false;
  InvalidateRows();
  StatusChanged(scCaretX | scCaretY | scModified | scSelection);
  Repaint();
  Q_EMIT OnChange();
}

void TMEEdit::ClearAll() {
  BeginUpdate();
  FLines.Clear();
  FCaret = FBlockBegin = FBlockEnd = {1, 1};
  FUndoList.Clear();
  FTopLine = FLeftChar = 1;
  FModified = true;
  InvalidateRows();
  StatusChanged(scCaretX | scCaretY | scModified | scSelection);
  EndUpdate();
  Q_EMIT OnChange();
}
