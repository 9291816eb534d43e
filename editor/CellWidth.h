#pragma once
// The cell model of a line: how many display columns each character and tab takes.
#include <QStringView>

struct TCellWidth {
  int Width;  // 0, 1 or 2 columns
  int Units;  // 1, or 2 for a surrogate pair
};

// The code point starting at the 1-based unit index: zero-width marks take no column, wide
// East-Asian characters two, everything else one. index must lie within the text.
TCellWidth CellWidthAt(QStringView text, int index);

// Columns a tab starting at column col (0-based) takes.
inline int TabCells(int col, int tabWidth) { return tabWidth - col % tabWidth; }

// Display columns taken by the characters before the 1-based ch; each unit past the end of the
// line is one virtual column.
int ColumnsBefore(QStringView text, int ch, int tabWidth);

// The 1-based character whose cell holds the 0-based column target: the first character whose
// cell ends after it. Past the end of the line, one character per column.
int CharAtColumn(QStringView text, int target, int tabWidth);

// Units taken by the character that ends just before the 1-based ch (2 after a surrogate pair).
int UnitsBefore(QStringView text, int ch);
