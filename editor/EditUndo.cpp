// TMEEdit: Undo and Redo, replayed by the document; the caret goes where the replay leaves it.
#include "Edit.h"

void TMEEdit::Undo() { Replay(true); }

void TMEEdit::Redo() { Replay(false); }

void TMEEdit::Replay(bool undo) {
  if (undo ? !CanUndo() : !CanRedo()) return;
  {
    const TMEEditUpdate update(*this);
    if (undo) FDocument.Undo(FCaret);
    else FDocument.Redo(FCaret);
    ClampCoord(FCaret);
    FBlockBegin = FBlockEnd = FCaret;
    EnsureCursorPosVisible();
    StatusChanged(scCaretX | scCaretY | scModified | scSelection);
  }
  Q_EMIT OnChange();
}
