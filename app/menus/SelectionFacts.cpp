#include "SelectionFacts.h"

#include "editor/Edit.h"
#include "tools/SelectionKinds.h"

#include <climits>

namespace {
constexpr int KMaxPathSelection = 260;
constexpr int KMaxUrlSelection = 500;
}  // namespace

int SelLengthQuick(const TMEEdit *editor) {
  if (!editor || !editor->SelAvail()) return 0;
  const TBufferCoord begin = editor->BlockBegin();
  const TBufferCoord end = editor->BlockEnd();
  if (begin.Line != end.Line) return INT_MAX;
  return qAbs(end.Char - begin.Char);
}

QString ShortSelection(const TMEEdit *editor, int maxLength) {
  const int length = SelLengthQuick(editor);
  return length > 0 && length <= maxLength ? editor->SelText() : QString();
}

QString SelectionUpTo(const TMEEdit *editor, int maxLength) {
  if (!editor || !editor->SelAvail()) return QString();
  TBufferCoord begin = editor->BlockBegin();
  TBufferCoord end = editor->BlockEnd();
  OrderCoords(begin, end);
  // Every line break counts at least one, so no more lines than this are measured.
  if (end.Line - begin.Line > maxLength) return QString();
  qint64 length = (end.Line - begin.Line) - (begin.Char - 1) + (end.Char - 1);
  for (int line = begin.Line; line < end.Line; ++line) length += editor->LineText(line).size();
  return length <= maxLength ? editor->SelText() : QString();
}

bool SelectionLooksLikePath(const TMEEdit *editor) { return LooksLikePath(ShortSelection(editor, KMaxPathSelection)); }

bool SelectionLooksLikeUrl(const TMEEdit *editor) { return LooksLikeUrl(ShortSelection(editor, KMaxUrlSelection)); }

bool SelectionIsRegistryKey(const TMEEdit *editor) {
  return NormalizeRegistryKey(ShortSelection(editor, KMaxUrlSelection)).has_value();
}
