#include "LineDriver.h"

#include "TextRules.h"
#include "core/TextSplit.h"

#include <algorithm>

void ApplyLineMap(QStringList &lines, const TLineMapFunc &map) {
  qsizetype kept = 0;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!map(lines[i])) continue;
    if (kept != i) lines[kept] = std::move(lines[i]);
    ++kept;
  }
  lines.resize(kept);
}

TLinesProc InMemoryLineMap(TLineMapFunc map) {
  return [map = std::move(map)](QStringList &lines) { ApplyLineMap(lines, map); };
}

TLineRange LinesOfSelection(int startLine, int endLine, int endChar) {
  return {startLine, endChar == 1 && endLine > startLine ? endLine - 1 : endLine};
}

TLineRange AllLines(int lineCount) { return {1, lineCount}; }

TResult<QStringList> RunLinesProc(QStringList lines, bool reachesEnd, const TLinesProc &proc) {
  return CatchToolErrors([&] {
    const bool holdFinalBreak = reachesEnd && lines.size() > 1 && lines.constLast().isEmpty();
    if (holdFinalBreak) lines.removeLast();
    proc(lines);
    if (holdFinalBreak) lines.append(QString());
    return TResult<QStringList>::Success(std::move(lines));
  });
}

namespace {

// Splits the lines that hold a line break, in place; most hold none and stay as they are.
void SplitLinesAtBreaks(QStringList &lines) {
  const auto holdsBreak = [](const QString &line) { return line.contains(u'\n') || line.contains(u'\r'); };
  if (std::none_of(lines.cbegin(), lines.cend(), holdsBreak)) return;
  QStringList pieces;
  pieces.reserve(lines.size());
  for (QString &line : lines) {
    if (holdsBreak(line)) pieces.append(SplitAtLineBreaks(line));
    else pieces.append(std::move(line));
  }
  lines = std::move(pieces);
}

}  // namespace

TLineBlockEdit LineBlockEdit(TLineRange range, int lineCount, QStringList lines,
                             const std::function<int(int line)> &lineLength) {
  TLineBlockEdit edit;
  edit.StartLine = range.First;
  const bool emptied = lines.isEmpty();
  SplitLinesAtBreaks(lines);
  edit.Lines = std::move(lines);
  // The empty text is one empty piece.
  if (emptied) edit.Lines.append(QString());
  if (range.Last < range.First) {  // a document without lines: the new lines are all it holds
    edit.EndLine = range.First;
    return edit;
  }
  if (range.Last < lineCount) {
    // The range ends at the start of the next line, so the new lines end with a break.
    edit.EndLine = range.Last + 1;
    if (!emptied) edit.Lines.append(QString());
    return edit;
  }
  edit.EndLine = range.Last;
  edit.EndChar = lineLength(range.Last) + 1;
  if (emptied && range.First > 1) {
    edit.StartLine = range.First - 1;
    edit.StartChar = lineLength(range.First - 1) + 1;
  }
  return edit;
}

QString MapTextLines(QStringView text, const std::function<QString(QStringView line)> &convert) {
  QString result;
  result.reserve(text.size());
  ForEachLine(text, [&](QStringView line, QStringView lineBreak) {
    result += convert(line);
    result += lineBreak;
  });
  return result;
}
