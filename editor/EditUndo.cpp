// TMEEdit: recording and replaying undo groups.
#include "Edit.h"

void TMEEdit::AddUndo(TMEUndoKind kind, const QString &text, TBufferCoord start, TBufferCoord end) {
  TMEUndoRec rec;
  rec.Kind = kind;
  rec.Text = text;
  rec.StartPos = start;
  rec.EndPos = end;
  rec.CaretBefore = FCaret;
  rec.SelBeginBefore = FBlockBegin;
  rec.SelEndBefore = FBlockEnd;
  FUndoList.Add(std::move(rec), FOptions.testFlag(eoGroupUndo));
}

void TMEEdit::Undo() {
  if (FReadOnly || !FUndoList.CanUndo()) return;
  BeginUpdate();
  const int group = FUndoList.UndoGroup();
  while (FUndoList.CanUndo() && FUndoList.UndoGroup() == group) {
    TMEUndoRec rec = FUndoList.TakeUndo();
    if (rec.Kind == ukInsert) DeleteRange(rec.StartPos, rec.EndPos, false);
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
    if (rec.Kind == ukInsert) {
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
