#include "RowMap.h"

#include "CellWidth.h"
#include "core/LineStore.h"

#include <algorithm>
#include <iterator>

namespace {

inline bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

inline QStringView LineAt(const QStringList &text, int i) { return i < text.size() ? QStringView(text[i]) : QStringView(); }

}  // namespace

TMERowMap::TMERowMap(int blockLines) : FBlockLines(std::max(1, blockLines)) {}

int TMERowMap::WrapLine(QStringView text, int wrapWidth, int tabWidth, std::vector<TMERowSpan> &out) {
  const int n = int(text.size());
  if (n == 0) {
    out.push_back({1, 0});
    return 1;
  }
  const char16_t *p = text.utf16();
  int rows = 0;
  int s = 1;
  int rowCol = 0;  // line column where the row starts: tab stops stay those of the whole line
  while (s <= n) {
    // One pass finds the unit that overflows and the last blank before it, with the column after
    // that blank, so the row's end needs no second walk.
    int col = rowCol;
    int i = s;
    int width = 0, units = 1;
    int lastBlank = 0, colAfterBlank = 0;
    while (i <= n) {
      // Most text is a run of plain units of one column each, which needs no measuring: take as
      // many as certainly fit, remembering the last space.
      const int runStart = i;
      const int runEnd = std::min(n, i - 1 + wrapWidth - (col - rowCol));
      int lastSpace = 0;
      while (i <= runEnd) {
        const char16_t c = p[i - 1];
        if (c >= 0x0300 || c == u'\t') break;
        if (c == u' ') lastSpace = i;
        ++i;
      }
      if (lastSpace > s) {
        lastBlank = lastSpace;
        colAfterBlank = col + lastSpace - runStart + 1;
      }
      col += i - runStart;
      if (i > n) break;
      // Then one character of any kind, which may be the one that overflows.
      const char16_t c = p[i - 1];
      units = 1;
      if (c == u'\t') {
        width = TabCells(col, tabWidth);
      } else if (c < 0x0300) {  // below every zero-width and wide range, and no surrogate
        width = 1;
      } else {
        const TCellWidth cell = CellWidthAt(text, i);
        width = cell.Width;
        units = cell.Units;
      }
      if (col + width - rowCol > wrapWidth) break;
      col += width;
      // A blank as the row's first unit is no break point.
      if (i > s && IsBlank(c)) {
        lastBlank = i;
        colAfterBlank = col;
      }
      i += units;
    }
    int e;
    if (i > n) {
      e = n;
    } else if (i > s && IsBlank(p[i - 1])) {
      // The overflowing blank itself ends the row.
      e = i;
      col += width;
    } else if (lastBlank > 0) {
      e = lastBlank;
      col = colAfterBlank;
    } else if (i > s) {
      e = i - 1;
    } else {
      // A row whose first character does not fit still holds that whole character.
      e = s + units - 1;
      col += width;
    }
    out.push_back({s, e - s + 1});
    ++rows;
    rowCol = col;
    s = e + 1;
  }
  return rows;
}

void TMERowMap::Build(const TMELineList &lines, int wrapWidth, int tabWidth) {
  FWrapWidth = std::max(1, wrapWidth);
  FTabWidth = tabWidth;
  const QStringList &text = lines.Lines();
  const int count = std::max(1, int(text.size()));
  FBlocks.clear();
  FBlocks.reserve(size_t(count / FBlockLines + 1));
  for (int first = 0; first < count; first += FBlockLines) {
    const int n = std::min(FBlockLines, count - first);
    TBlock &block = FBlocks.emplace_back();
    block.FirstRow.resize(size_t(n) + 1);
    block.Rows.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
      block.FirstRow[size_t(i)] = int(block.Rows.size());
      WrapLine(LineAt(text, first + i), FWrapWidth, FTabWidth, block.Rows);
    }
    block.FirstRow[size_t(n)] = int(block.Rows.size());
  }
  Renumber(0);
}

void TMERowMap::Rewrap(const TMELineList &lines, int first, int oldCount, int newCount) {
  if (FBlocks.empty()) return;  // never built: the next Build wraps everything anyway
  const QStringList &text = lines.Lines();
  const int total = LineCount();
  first = std::clamp(first, 0, total);
  oldCount = std::clamp(oldCount, 0, total - first);
  newCount = std::max(0, newCount);

  std::vector<TMERowSpan> fresh;
  std::vector<int> freshRows;
  freshRows.reserve(size_t(newCount));
  for (int i = first; i < first + newCount; ++i) freshRows.push_back(WrapLine(LineAt(text, i), FWrapWidth, FTabWidth, fresh));

  // Appending after the last line belongs to the last block.
  int b0 = first < total ? BlockOfLine(first) : int(FBlocks.size()) - 1;
  int b1 = oldCount > 0 ? BlockOfLine(first + oldCount - 1) : b0;
  const int headLines = first - FBlockLine[size_t(b0)];
  const int tailFrom = first + oldCount - FBlockLine[size_t(b1)];

  // Typing changes a line without changing how many rows it has: the rows are overwritten in place.
  if (b0 == b1 && oldCount == newCount) {
    TBlock &block = FBlocks[size_t(b0)];
    bool same = true;
    for (int i = 0; i < newCount && same; ++i)
      same = block.FirstRow[size_t(headLines + i + 1)] - block.FirstRow[size_t(headLines + i)] == freshRows[size_t(i)];
    if (same) {
      std::copy(fresh.begin(), fresh.end(), block.Rows.begin() + block.FirstRow[size_t(headLines)]);
      return;
    }
  }

  // Otherwise the touched blocks are rebuilt from their untouched head and tail and the fresh rows,
  // taking in a neighbour when they would shrink to a small block.
  const int kept = headLines + newCount + (FBlocks[size_t(b1)].LineCount() - tailFrom);
  bool withNext = false, withPrevious = false;
  if (kept < FBlockLines / 2) {
    if (size_t(b1) + 1 < FBlocks.size()) withNext = true;
    else if (b0 > 0) withPrevious = true;
  }
  std::vector<TMERowSpan> rows;
  std::vector<int> lineRows;
  const auto take = [&](const TBlock &block, int from, int to) {
    rows.insert(rows.end(), block.Rows.begin() + block.FirstRow[size_t(from)], block.Rows.begin() + block.FirstRow[size_t(to)]);
    for (int i = from; i < to; ++i) lineRows.push_back(block.FirstRow[size_t(i) + 1] - block.FirstRow[size_t(i)]);
  };
  if (withPrevious) take(FBlocks[size_t(b0) - 1], 0, FBlocks[size_t(b0) - 1].LineCount());
  take(FBlocks[size_t(b0)], 0, headLines);
  if (rows.empty() && lineRows.empty()) {
    rows = std::move(fresh);
    lineRows = std::move(freshRows);
  } else {
    rows.insert(rows.end(), fresh.begin(), fresh.end());
    lineRows.insert(lineRows.end(), freshRows.begin(), freshRows.end());
  }
  take(FBlocks[size_t(b1)], tailFrom, FBlocks[size_t(b1)].LineCount());
  if (withNext) take(FBlocks[size_t(b1) + 1], 0, FBlocks[size_t(b1) + 1].LineCount());

  // Even blocks of at most FBlockLines lines.
  const int n = int(lineRows.size());
  const int parts = (n + FBlockLines - 1) / FBlockLines;
  std::vector<TBlock> made(static_cast<size_t>(parts));
  size_t row = 0;
  int line = 0;
  for (int c = 0; c < parts; ++c) {
    const int count = (n - line) / (parts - c);
    TBlock &block = made[size_t(c)];
    block.FirstRow.resize(size_t(count) + 1);
    int r = 0;
    for (int i = 0; i < count; ++i) {
      block.FirstRow[size_t(i)] = r;
      r += lineRows[size_t(line + i)];
    }
    block.FirstRow[size_t(count)] = r;
    block.Rows.assign(rows.begin() + ptrdiff_t(row), rows.begin() + ptrdiff_t(row) + r);
    row += size_t(r);
    line += count;
  }

  const size_t from = size_t(withPrevious ? b0 - 1 : b0);
  const size_t to = size_t(withNext ? b1 + 2 : b1 + 1);
  FBlocks.erase(FBlocks.begin() + ptrdiff_t(from), FBlocks.begin() + ptrdiff_t(to));
  FBlocks.insert(FBlocks.begin() + ptrdiff_t(from), std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
  // Like Build, a map without lines keeps one empty line.
  if (FBlocks.empty()) FBlocks.push_back({{{1, 0}}, {0, 1}});
  Renumber(std::min(from, FBlocks.size() - 1));
}

void TMERowMap::Clear() {
  FBlocks.clear();
  FBlockLine.clear();
  FBlockRow.clear();
}

void TMERowMap::Renumber(size_t b) {
  const size_t count = FBlocks.size();
  FBlockLine.resize(count + 1);
  FBlockRow.resize(count + 1);
  if (b == 0) FBlockLine[0] = FBlockRow[0] = 0;
  for (size_t k = b; k < count; ++k) {
    FBlockLine[k + 1] = FBlockLine[k] + FBlocks[k].LineCount();
    FBlockRow[k + 1] = FBlockRow[k] + FBlocks[k].FirstRow.back();
  }
}

int TMERowMap::BlockOfLine(int line) const {
  return int(std::upper_bound(FBlockLine.begin(), FBlockLine.end(), line) - FBlockLine.begin()) - 1;
}

TMERow TMERowMap::At(int k) const {
  const size_t b = size_t(std::upper_bound(FBlockRow.begin(), FBlockRow.end(), k) - FBlockRow.begin()) - 1;
  const TBlock &block = FBlocks[b];
  const int r = k - FBlockRow[b];
  const int i = int(std::upper_bound(block.FirstRow.begin(), block.FirstRow.end(), r) - block.FirstRow.begin()) - 1;
  const TMERowSpan &span = block.Rows[size_t(r)];
  return {FBlockLine[b] + i + 1, span.StartChar, span.Len};
}

int TMERowMap::RowOf(TBufferCoord pos) const {
  if (pos.Line < 1) return 1;
  if (pos.Line > LineCount()) return Count();
  const size_t b = size_t(BlockOfLine(pos.Line - 1));
  const TBlock &block = FBlocks[b];
  const size_t i = size_t(pos.Line - 1 - FBlockLine[b]);
  const auto begin = block.Rows.begin() + block.FirstRow[i];
  const auto last = block.Rows.begin() + block.FirstRow[i + 1] - 1;
  // The first row of the line that reaches pos.Char; the last row takes everything beyond.
  const auto it = std::lower_bound(begin, last, pos.Char,
                                   [](const TMERowSpan &span, int ch) { return span.StartChar + span.Len < ch; });
  return FBlockRow[b] + int(it - block.Rows.begin()) + 1;
}

QString TMERowMap::DebugDump() const {
  QString out;
  for (size_t b = 0; b < FBlocks.size(); ++b) {
    const TBlock &block = FBlocks[b];
    for (int i = 0; i < block.LineCount(); ++i)
      for (int r = block.FirstRow[size_t(i)]; r < block.FirstRow[size_t(i) + 1]; ++r) {
        if (!out.isEmpty()) out += u' ';
        const TMERowSpan &span = block.Rows[size_t(r)];
        out += QStringLiteral("(%1,%2,%3)").arg(FBlockLine[b] + i + 1).arg(span.StartChar).arg(span.Len);
      }
  }
  return out;
}

std::vector<int> TMERowMap::BlockSizes() const {
  std::vector<int> sizes;
  for (const TBlock &block : FBlocks) sizes.push_back(block.LineCount());
  return sizes;
}
