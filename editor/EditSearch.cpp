// TMEEdit: finding the next or previous match, and Replace All.
#include "Edit.h"

namespace {

// Past the end of any line: a backward search from here takes a line's last match.
constexpr int KLineEnd = 2147483647;

}  // namespace

bool TMEEdit::FindInLine(QStringView text, bool backwards, int startChar, int &offset, int &length) {
  const int count = FSearchEngine->FindAll(text);
  if (backwards) {
    for (int i = count - 1; i >= 0; --i)
      if (FSearchEngine->Results(i) + 1 < startChar) {
        offset = FSearchEngine->Results(i);
        length = FSearchEngine->Lengths(i);
        return true;
      }
  } else {
    for (int i = 0; i < count; ++i)
      if (FSearchEngine->Results(i) + 1 >= startChar) {
        offset = FSearchEngine->Results(i);
        length = FSearchEngine->Lengths(i);
        return true;
      }
  }
  return false;
}

int TMEEdit::SearchReplace(const QString &search, const QString &replace, TMESearchOptions options) {
  if (search.isEmpty() || !FSearchEngine) return 0;
  // Set once for the whole walk, so an expression is compiled once, not once per line.
  FSearchEngine->SetPattern(search);
  FSearchEngine->SetOptions(options);
  if ((options & ssoReplace) && (options & ssoReplaceAll)) return ReplaceAll(replace);

  const bool backwards = options & ssoBackwards;
  TBufferCoord start = FCaret;
  if (options & ssoEntireScope) {
    start = backwards ? TBufferCoord{KLineEnd, LineCount()} : TBufferCoord{1, 1};
  } else if (backwards && SelAvail()) {
    // From the start of the selection, so the match found last is stepped over, not found again.
    start = qMin(FBlockBegin, FBlockEnd);
  }
  start.Line = qBound(1, start.Line, LineCount());
  const QStringList &lines = FLines.Lines();
  const auto lineAt = [&](int line) { return line <= lines.size() ? QStringView(lines[line - 1]) : QStringView(); };
  int offset = 0, length = 0;
  for (int line = start.Line; backwards ? line >= 1 : line <= LineCount(); line += backwards ? -1 : 1) {
    const int startChar = line == start.Line ? start.Char : (backwards ? KLineEnd : 1);
    if (!FindInLine(lineAt(line), backwards, startChar, offset, length)) continue;
    const TBufferCoord end{offset + 1 + length, line};
    SetCaretAndSelection(end, {offset + 1, line}, end);
    EnsureCursorPosVisible();
    return 1;
  }
  return 0;
}

int TMEEdit::ReplaceAll(const QString &replace) {
  if (FReadOnly) return 0;
  BeginUpdate();
  int count = 0;
  // One record for every changed line: undoing a million replaced lines puts a million lines back
  // in place, instead of replaying a million deletions and insertions.
  QList<TMELineChange> changes;
  const QStringList &lines = FLines.Lines();
  for (int i = 0; i < lines.size(); ++i) {
    QString after;
    const int replaced = FSearchEngine->ReplaceAll(lines[i], replace, after);
    if (replaced == 0) continue;
    count += replaced;
    if (after == lines[i]) continue;
    // The store shows line breaks and control characters as dots: the record keeps the line as
    // stored, so Undo and Redo give back exactly this line.
    TMELineList::SanitizeInPlace(after);
    changes.append({i + 1, lines[i], std::move(after)});
  }
  PutLines(changes, true);
  if (!changes.isEmpty()) {
    const TMELineChange &last = changes.last();
    const TBufferCoord start{1, changes.first().Line}, end{int(last.After.size()) + 1, last.Line};
    AddUndo(ukLines, QString(), start, end, std::move(changes));
  }
  if (count > 0) {
    FModified = true;
    StatusChanged(scModified);
  }
  EndUpdate();
  if (count > 0) Q_EMIT OnChange();
  return count;
}
