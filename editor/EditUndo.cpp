// TMEEdit: recording and replaying undo groups.
#include "Edit.h"

#include <QScopedValueRollback>

void TMEEdit::AddUndo(TMEUndoKind kind, const QString &text, TBufferCoord start, TBufferCoord end,
                      QList<TMELineSplice> splices) {
  TMEUndoRec rec;
  rec.Kind = kind;
  rec.Text = text;
  rec.Splices = std::move(splices);
  rec.StartPos = start;
  rec.EndPos = end;
  rec.CaretBefore = FCaret;
  rec.SelBeginBefore = FBlockBegin;
  rec.SelEndBefore = FBlockEnd;
  FUndoList.Add(std::move(rec), FOptions.testFlag(eoGroupUndo));
}

void TMEEdit::ApplySplices(const QList<TMELineSplice> &splices, bool undo) {
  {
    const QScopedValueRollback<bool> own(FOwnChange, true);
    FLines.BeginUpdate();
    if (undo) {
      for (auto it = splices.crbegin(); it != splices.crend(); ++it)
        FLines.Splice(it->Line - 1, it->Offset, int(it->Inserted.size()), it->Removed);
    } else {
      for (const TMELineSplice &splice : splices)
        FLines.Splice(splice.Line - 1, splice.Offset, int(splice.Removed.size()), splice.Inserted);
    }
    FLines.EndUpdate();
  }
  // Splices come in line order: each run of neighbouring lines is reported once.
  for (qsizetype i = 0; i < splices.size();) {
    qsizetype end = i + 1;
    while (end < splices.size() && splices[end].Line - splices[end - 1].Line <= 1) ++end;
    const int first = splices[i].Line, count = splices[end - 1].Line - first + 1;
    LinesReplaced(first - 1, count, count);
    i = end;
  }
}

void TMEEdit::Undo() {
  if (FReadOnly || !FUndoList.CanUndo()) return;
  BeginUpdate();
  const int group = FUndoList.UndoGroup();
  while (FUndoList.CanUndo() && FUndoList.UndoGroup() == group) {
    TMEUndoRec rec = FUndoList.TakeUndo();
    if (rec.Kind == ukLines) ApplySplices(rec.Splices, true);
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
      ApplySplices(rec.Splices, false);
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
