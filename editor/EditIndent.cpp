// TMEEdit: indenting and unindenting the selected lines, as one undo step.
#include "Edit.h"

void TMEEdit::CommandProcessor(quint16 command, QChar, void *) {
  if (command == ecIndentLines) IndentLines(false);
  else if (command == ecUnindentLines) IndentLines(true);
}

void TMEEdit::IndentLines(bool unindent) {
  if (FReadOnly) return;
  const bool hadSelection = SelAvail();
  const TBufferCoord caret = FCaret;
  int shift = 0;
  TBufferCoord begin = FBlockBegin, end = FBlockEnd;
  OrderCoords(begin, end);
  const int first = qMax(1, begin.Line);
  int last = end.Line;
  if (first < last && end.Char == 1) --last;  // a selection ending at a line's start leaves that line out
  last = qMin(last, Lines().GetCount());
  if (last < first) return;

  {
    const TMEEditUpdate update(*this);
    const TMEUndoBlock block(FDocument);
    const QString indent(FTabWidth, u' ');
    for (int i = first; i <= last; ++i) {
      const QString line = LineText(i);
      if (unindent) {
        int j = 0;
        if (line.startsWith(u'\t')) j = 1;
        else
          while (j < FTabWidth && j < line.size() && line[j] == u' ') ++j;
        if (j > 0) FDocument.DeleteRange({1, i}, {j + 1, i}, true);
        if (i == caret.Line) shift = -j;
      } else if (!line.isEmpty()) {
        FDocument.InsertTextAt({1, i}, indent, true);
        if (i == caret.Line) shift = FTabWidth;
      }
    }
    if (hadSelection)
      SetCaretAndSelection({int(LineText(last).size()) + 1, last}, {1, first}, {int(LineText(last).size()) + 1, last});
    else
      SetCaretAndSelection({qMax(1, caret.Char + shift), caret.Line}, {qMax(1, caret.Char + shift), caret.Line},
                           {qMax(1, caret.Char + shift), caret.Line});
    // Marked even when every line was empty and nothing moved.
    FDocument.SetModified(true);
    StatusChanged(scCaretX | scCaretY | scModified | scSelection);
  }
  Q_EMIT OnChange();
}
