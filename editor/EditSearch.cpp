// TMEEdit: finding the next or previous match, and Replace All.
#include "Edit.h"

namespace {

// Past the end of any line: a backward search from here takes a line's last match.
constexpr int KLineEnd = 2147483647;

// Every match the engine finds as a splice, top to bottom; count gets the number of matches, those
// replaced by themselves (which need no splice) included. The document makes each splice in its
// line in place: neither the changed lines nor the undo record hold a second copy of every line.
QList<TMELineSplice> ReplacementSplices(TMEEditSearchCustom &engine, const QStringList &lines, const QString &replace,
                                        int &count) {
  QList<TMELineSplice> splices;
  std::vector<TMEReplacement> found;
  QString removed;  // shared by neighbouring splices that remove the same text
  for (int i = 0; i < lines.size(); ++i) {
    engine.FindReplacements(lines[i], replace, found);
    count += int(found.size());
    int shift = 0;
    for (TMEReplacement &replacement : found) {
      // The store shows line breaks and control characters as dots: the splice holds the text as
      // stored, so Undo and Redo give back exactly this line.
      TMELineList::SanitizeInPlace(replacement.Text);
      const QStringView matched = QStringView(lines[i]).mid(replacement.Offset, replacement.Length);
      if (matched == replacement.Text) continue;
      if (matched != removed) removed = matched.toString();
      splices.append({i + 1, replacement.Offset + shift, removed, std::move(replacement.Text)});
      shift += int(splices.last().Inserted.size()) - replacement.Length;
    }
  }
  return splices;
}

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
  const QStringList &lines = Lines().Lines();
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
  int count = 0;
  {
    const TMEEditUpdate update(*this);
    FDocument.SpliceLines(ReplacementSplices(*FSearchEngine, Lines().Lines(), replace, count));
    if (count > 0) {
      // Marked even when every match was replaced by itself.
      FDocument.SetModified(true);
      StatusChanged(scModified);
    }
  }
  if (count > 0) Q_EMIT OnChange();
  return count;
}
