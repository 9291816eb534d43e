#pragma once
// What the two panes of the compare window show: one line per row on each side (a filler row is an
// empty line), each row's kind and source line on that side, and the rows that differ.
#include "tools/compare/DiffEngine.h"

#include <QStringList>

#include <vector>

struct TLineInfo {
  TDiffKind Kind = dkEqual;  // the row's kind, the same on both sides
  bool IsFiller = false;     // this side has no line in this row
  qint32 SourceLine = 0;     // 1-based line in this side's document; 0 for a filler
};

struct TComparePanes {
  QStringList LeftLines;
  QStringList RightLines;
  std::vector<TLineInfo> LeftInfo;   // index = row - 1
  std::vector<TLineInfo> RightInfo;
  std::vector<int> DiffRows;         // 0-based rows whose kind is not dkEqual, ascending
};

TComparePanes LayOutPanes(const TDiffRows &rows);

// The text cut in its middle to max characters: the first max - b - 3, "...", the last b, with
// b = (6 max - 18) div 10. Unchanged when it fits or when max is 4 or less.
QString TruncateMiddle(const QString &text, int max);
