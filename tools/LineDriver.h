#pragma once
// The text-only half of the drivers that run line tools: which whole lines a command works on,
// running a procedure over them safely, and the one replacement that writes the result back.
// The document side (copying lines out, selecting, one undo group) is the caller's.
#include "TextResult.h"

#include <QStringList>

#include <functional>

// Changes one line in place; false drops it.
using TLineMapFunc = std::function<bool(QString &line)>;
// Changes a list of lines in place: lines may be replaced, removed, reordered or added.
using TLinesProc = std::function<void(QStringList &lines)>;

// Calls map on every line once, in order, and keeps the lines it keeps in their order. The list is
// compacted in place, so dropping many lines costs one pass.
void ApplyLineMap(QStringList &lines, const TLineMapFunc &map);
TLinesProc InMemoryLineMap(TLineMapFunc map);

// Whole lines First..Last, 1-based and inclusive.
struct TLineRange {
  int First = 1;
  int Last = 0;
  friend bool operator==(const TLineRange &, const TLineRange &) = default;
};
// The lines a selection covers, its ends given in document order: a selection that ends at the
// first character of a later line does not take that line.
TLineRange LinesOfSelection(int startLine, int endLine, int endChar);
TLineRange AllLines(int lineCount);

// Runs proc over the lines of a range. When the range reaches the end of a document that ends
// with a line break, its empty last line is the document's final break rather than a line: it is
// held out of proc and put back after, so a sort or a reversal keeps the break at the end. An
// exception escaping proc gives a failed result, and the lines are then not to be written back.
TResult<QStringList> RunLinesProc(QStringList lines, bool reachesEnd, const TLinesProc &proc);

// The single replacement that puts new lines in the place of a range: replace the text from
// (StartChar, StartLine) to (EndChar, EndLine), 1-based, by the text whose pieces between line
// breaks are Lines. A line given with a break inside is split there, as it would be once joined.
struct TLineBlockEdit {
  int StartLine = 1;
  int StartChar = 1;
  int EndLine = 1;
  int EndChar = 1;
  QStringList Lines;
  friend bool operator==(const TLineBlockEdit &, const TLineBlockEdit &) = default;
};
// lineLength(n) is the length of document line n. A range emptied completely at the end of the
// document takes the break before it along, so no empty line is left behind.
TLineBlockEdit LineBlockEdit(TLineRange range, int lineCount, QStringList lines,
                             const std::function<int(int line)> &lineLength);

// Applies convert to every line of text and keeps every line break as it was.
QString MapTextLines(QStringView text, const std::function<QString(QStringView line)> &convert);
