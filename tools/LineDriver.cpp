#include "LineDriver.h"

#include "TextRules.h"

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

TLineBlockEdit LineBlockEdit(TLineRange range, int lineCount, const QStringList &lines,
                             const std::function<int(int line)> &lineLength) {
  TLineBlockEdit edit;
  edit.StartLine = range.First;
  edit.Text = lines.join(QStringLiteral("\r\n"));
  if (range.Last < range.First) {  // a document without lines: the new lines are all it holds
    edit.EndLine = range.First;
    return edit;
  }
  if (range.Last < lineCount) {
    edit.EndLine = range.Last + 1;
    if (!lines.isEmpty()) edit.Text += QStringLiteral("\r\n");
    return edit;
  }
  edit.EndLine = range.Last;
  edit.EndChar = lineLength(range.Last) + 1;
  if (lines.isEmpty() && range.First > 1) {
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
