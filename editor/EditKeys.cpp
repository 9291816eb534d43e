// TMEEdit: navigation keys, Backspace and Delete, the Ctrl shortcuts, and typed characters.
#include "Edit.h"

#include "CellWidth.h"
#include "core/TextSplit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

bool TMEEdit::KeyDown(int key, Qt::KeyboardModifiers shift) {
  const bool extend = shift.testFlag(Qt::ShiftModifier);
  TBufferCoord to = FCaret;
  const QString line = LineText(FCaret.Line);
  const int length = int(line.size());
  // Ctrl and Alt leave the navigation keys as they are; only the shortcuts look at Ctrl.
  if (shift.testFlag(Qt::ControlModifier)) {
    switch (key) {
      case Qt::Key_A: SelectAll(); return true;
      case Qt::Key_C: CopyToClipboard(); return true;
      case Qt::Key_V: PasteFromClipboard(); return true;
      case Qt::Key_X: CutToClipboard(); return true;
      case Qt::Key_Y: Redo(); return true;
      case Qt::Key_Z: Undo(); return true;
      // They step from tab to tab in the window around the editor.
      case Qt::Key_PageUp:
      case Qt::Key_PageDown: return false;
      default: break;
    }
  }
  switch (key) {
    case Qt::Key_Backspace:
      DeleteLastChar();
      return true;
    case Qt::Key_Delete:
      DeleteChar();
      return true;
    case Qt::Key_PageUp:
      to.Line = qMax(1, FCaret.Line - VisibleRowCount());
      break;
    case Qt::Key_PageDown:
      to.Line = qMin(LineCount(), FCaret.Line + VisibleRowCount());
      break;
    case Qt::Key_End:
      to.Char = length + 1;
      break;
    case Qt::Key_Home:
      to.Char = 1;
      break;
    case Qt::Key_Left:
      if (FCaret.Char > 1) to.Char = FCaret.Char - 1;
      else if (FCaret.Line > 1) to = {int(LineText(FCaret.Line - 1).size()) + 1, FCaret.Line - 1};
      break;
    case Qt::Key_Up:
      if (FCaret.Line > 1) to.Line = FCaret.Line - 1;
      break;
    case Qt::Key_Right:
      // The caret never stands inside a surrogate pair: a pair is stepped over whole, both ways.
      if (FCaret.Char <= length) to.Char = FCaret.Char + (SplitsPair(line, FCaret.Char + 1) ? 2 : 1);
      else if (FCaret.Line < LineCount()) to = {1, FCaret.Line + 1};
      break;
    case Qt::Key_Down:
      if (FCaret.Line < LineCount()) to.Line = FCaret.Line + 1;
      break;
    default:
      return false;
  }
  MoveCaretExtend(to, extend);
  return true;
}

void TMEEdit::KeyPress(const QString &text) {
  if (FReadOnly || text.isEmpty()) return;
  const char16_t first = text.front().unicode();
  if (first == u'\t') {
    if (!FWantTabs) return;
    if (FOptions.testFlag(eoTabsToSpaces)) SetSelText(QString(FTabWidth - (FCaret.Char - 1) % FTabWidth, u' '));
    else SetSelText(QStringLiteral("\t"));
  } else if (first == u'\r') {
    QString insert = QStringLiteral("\r\n");
    if (FOptions.testFlag(eoAutoIndent)) {
      const QString line = LineText(FCaret.Line);
      int blanks = 0;
      while (blanks < line.size() && blanks < FCaret.Char - 1 && (line[blanks] == u' ' || line[blanks] == u'\t'))
        ++blanks;
      insert += line.left(blanks);
    }
    SetSelText(insert);
  } else if (first >= 32) {
    SetSelText(text);
  }
}

void TMEEdit::keyPressEvent(QKeyEvent *event) {
  int key = event->key();
  if (FOnKeyDown) FOnKeyDown(key, event->modifiers());
  if (key == 0 || KeyDown(key, event->modifiers())) {
    event->accept();
    return;
  }
  QString text;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Ctrl+Enter is a line feed on the keyboard, which the editor does not type.
      if (!(event->modifiers() & Qt::ControlModifier)) text = QStringLiteral("\r");
      break;
    // Shift does not change the Tab character.
    case Qt::Key_Tab:
    case Qt::Key_Backtab: text = QStringLiteral("\t"); break;
    default:
      // Ctrl and Alt combinations are commands of the window around the editor, not text.
      if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) break;
      text = event->text();
      if (!text.isEmpty() && text.front().unicode() < 32) text.clear();
      break;
  }
  if (text.isEmpty() || (text == u"\t" && !FWantTabs)) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  TypeText(text);
  event->accept();
}

void TMEEdit::TypeText(QString text) {
  if (text.isEmpty()) return;
  if (FOnKeyPress) FOnKeyPress(text);
  KeyPress(text);
}

// Composed text arrives whole, as typed characters do; text still being composed is not shown.
void TMEEdit::inputMethodEvent(QInputMethodEvent *event) {
  TypeText(event->commitString());
  event->accept();
}

QVariant TMEEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return !FReadOnly;
    // Where the input method places its candidate window.
    case Qt::ImCursorRectangle: return QRect(viewport()->mapTo(this, FCaretRect.topLeft()), FCaretRect.size());
    case Qt::ImFont: return font();
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// Tab reaches the editor as a key only while it wants tabs; otherwise it moves the focus on.
bool TMEEdit::focusNextPrevChild(bool next) {
  if (FWantTabs) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}
