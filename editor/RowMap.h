#pragma once
// The display rows of a word-wrapped document, with each line's first row kept as a running sum
// so a position finds its row without a scan, and an edit re-wraps only the lines it touched.
#include "Coords.h"

#include <QString>
#include <QStringView>

#include <vector>

class TMELineList;

class TMERowMap {
 public:
  // Wraps every line; a store without lines is one empty line.
  void Build(const TMELineList &lines, int wrapWidth, int tabWidth);
  // The 0-based lines [first, first + oldCount) became [first, first + newCount) in lines;
  // re-wraps only those and renumbers the rows after them.
  void Rewrap(const TMELineList &lines, int first, int oldCount, int newCount);
  void Clear();

  int WrapWidth() const { return FWrapWidth; }
  int Count() const { return int(FRows.size()); }
  // The 0-based row k; k must be in range.
  const TMERow &At(int k) const { return FRows[size_t(k)]; }
  // 1-based row of a position; a position at a wrap point belongs to the end of the upper row.
  int RowOf(TBufferCoord pos) const;

  // Rows as "(line,start,len)" separated by spaces, for tests.
  QString DebugDump() const;

  // Appends the rows of one line, wrapping at wrapWidth columns measured with the line's own tab
  // stops and character widths, breaking after a blank where one exists.
  static void WrapLine(QStringView text, int line, int wrapWidth, int tabWidth, std::vector<TMERow> &out);

 private:
  std::vector<TMERow> FRows;
  // FFirstRow[i] is the 0-based index of the first row of 0-based line i; one more entry holds
  // the row count.
  std::vector<int> FFirstRow;
  int FWrapWidth = 1;
  int FTabWidth = 4;
};
