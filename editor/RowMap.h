#pragma once
// The display rows of a word-wrapped document. Lines are kept in blocks of about a thousand, each
// with its lines' first rows as a running sum, and the blocks' first lines and rows as running
// sums too: a position finds its row by two binary searches, and an edit re-wraps only the lines
// it touched and rewrites one block, whatever it does to the line count.
#include "Coords.h"

#include <QString>
#include <QStringView>

#include <vector>

class TMELineList;

// One row of a line: the units StartChar .. StartChar + Len - 1.
struct TMERowSpan {
  int StartChar = 1;
  int Len = 0;

  friend bool operator==(const TMERowSpan &, const TMERowSpan &) = default;
};

class TMERowMap {
 public:
  // Lines per block when blocks are built; tests pass small numbers to cross many boundaries.
  static constexpr int KDefaultBlockLines = 1024;
  explicit TMERowMap(int blockLines = KDefaultBlockLines);

  // Wraps every line; a store without lines is one empty line.
  void Build(const TMELineList &lines, int wrapWidth, int tabWidth);
  // The 0-based lines [first, first + oldCount) became [first, first + newCount) in lines;
  // re-wraps only those and renumbers the rows after them.
  void Rewrap(const TMELineList &lines, int first, int oldCount, int newCount);
  void Clear();

  int WrapWidth() const { return FWrapWidth; }
  int Count() const { return FBlockRow.empty() ? 0 : FBlockRow.back(); }
  int LineCount() const { return FBlockLine.empty() ? 0 : FBlockLine.back(); }
  // The 0-based row k; k must be in range.
  TMERow At(int k) const;
  // 1-based row of a position; a position at a wrap point belongs to the end of the upper row.
  int RowOf(TBufferCoord pos) const;

  // Rows as "(line,start,len)" separated by spaces, for tests.
  QString DebugDump() const;
  // Lines per block, for tests of how blocks split and merge.
  std::vector<int> BlockSizes() const;

  // Appends the rows of one line, wrapping at wrapWidth columns measured with the line's own tab
  // stops and character widths, breaking after a blank where one exists. Answers how many.
  static int WrapLine(QStringView text, int wrapWidth, int tabWidth, std::vector<TMERowSpan> &out);

 private:
  struct TBlock {
    std::vector<TMERowSpan> Rows;
    // FirstRow[i] is the index in Rows of the first row of the block's line i; one more entry
    // holds the block's row count.
    std::vector<int> FirstRow;
    int LineCount() const { return int(FirstRow.size()) - 1; }
  };

  // The block holding the 0-based line; line must be below LineCount().
  int BlockOfLine(int line) const;
  // Renumbers the blocks' first lines and rows from block b on.
  void Renumber(size_t b);

  std::vector<TBlock> FBlocks;
  // FBlockLine[b] and FBlockRow[b] are block b's first line and row (0-based); one more entry
  // each holds the line count and the row count.
  std::vector<int> FBlockLine;
  std::vector<int> FBlockRow;
  int FBlockLines;
  int FWrapWidth = 1;
  int FTabWidth = 4;
};
