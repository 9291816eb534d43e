// TMEEdit: recording and replaying undo groups.
#include "Edit.h"

#include <QScopedValueRollback>

void TMEEdit::AddUndo(TMEUndoKind kind, const QString &text, TBufferCoord start, TBufferCoord end,
                      QList<TMELineChange> lines) {
  TMEUndoRec rec;
  rec.Kind = kind;
  rec.Text = text;
  rec.Lines = std::move(lines);
  rec.StartPos = start;
  rec.EndPos = end;
  rec.CaretBefore = FCaret;
  rec.SelBeginBefore = FBlockBegin;
  rec.SelEndBefore = FBlockEnd;
  FUndoList.Add(std::move(rec), FOptions.testFlag(eoGroupUndo));
}

void TMEEdit::PutLines(const QList<TMELineChange> &changes, bool after) {
  {
    const QScopedValueRollback<bool> own(FOwnChange, true);
    FLines.BeginUpdate();
    for (const TMELineChange &change : changes) FLines.PutStored(change.Line - 1, after ? change.After : change.Before);
    FLines.EndUpdate();
  }
  // Changes come in line order: each run of neighbouring lines is reported once.
  for (qsizetype i = 0; i < changes.size();) {
    qsizetype end = i + 1;
    while (end < changes.size() && changes[end].Line == changes[end - 1].Line + 1) ++end;
    LinesReplaced(changes[i].Line - 1, int(end - i), int(end - i));
    i = end;
  }
}

void TMEEdit::Undo() {
  if (FReadOnly || !FUndoList.CanUndo()) return;
  BeginUpdate();
  const int group = FUndoList.UndoGroup();
  while (FUndoList.CanUndo() && FUndoList.UndoGroup() == group) {
    TMEUndoRec rec = FUndoList.TakeUndo();
    if (rec.Kind == ukLines) PutLines(rec.Lines, false);
    else if (rec.Kind == ukInsert) DeleteRange(rec.StartPos, rec.EndPos, false);
    else InsertTextAt(rec.StartPos, rec.Text, false);
    FCaret = rec.CaretBefore;
    FUndoList.PushRedo(std::move(rec));
  }
  FinishUndoRedo();
}

void TMEEdit::Redo() {
  if (FReadOnly || !FUndoList.CanRedo()) return;
  BeginUpdate();
  const int group = FUndoList.RedoGroup();
  while (FUndoList.CanRedo() && FUndoList.RedoGroup() == group) {
    TMEUndoRec rec = FUndoList.TakeRedo();
    if (rec.Kind == ukLines) {
      PutLines(rec.Lines, true);
    } else if (rec.Kind == ukInsert) {
      FCaret = InsertTextAt(rec.StartPos, rec.Text, false);
    } else {
      DeleteRange(rec.StartPos, rec.EndPos, false);
      FCaret = rec.StartPos;
    }
    FUndoList.PushUndo(std::move(rec));
  }
  FinishUndoRedo();
}

void TMEEdit::FinishUndoRedo() {
  ClampCoord(FCaret);
  FBlockBegin = FBlockEnd = FCaret;
  EnsureCursorPosVisible();
  FModified = true;
  StatusChanged(scCaretX | scCaretY | scModified | scSelection);
  EndUpdate();
  Q_EMIT OnChange();
}
