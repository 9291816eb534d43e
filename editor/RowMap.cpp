#include "RowMap.h"

#include "CellWidth.h"
#include "core/LineStore.h"

#include <algorithm>

namespace {

inline bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Replaces v[from, to) by with, moving the tail once.
template <class T>
void Splice(std::vector<T> &v, size_t from, size_t to, const std::vector<T> &with) {
  const size_t oldLen = to - from;
  const size_t newLen = with.size();
  if (newLen > oldLen) {
    const size_t grow = newLen - oldLen;
    v.resize(v.size() + grow);
    std::move_backward(v.begin() + to, v.end() - grow, v.end());
  } else if (newLen < oldLen) {
    v.erase(v.begin() + from + newLen, v.begin() + to);
  }
  std::copy(with.begin(), with.end(), v.begin() + from);
}

}  // namespace

// Width and units of the character at the 1-based i when it starts at line column col.
static TCellWidth CellAtColumn(QStringView text, int i, int col, int tabWidth) {
  if (text[i - 1] == u'\t') return {TabCells(col, tabWidth), 1};
  return CellWidthAt(text, i);
}

void TMERowMap::WrapLine(QStringView text, int line, int wrapWidth, int tabWidth, std::vector<TMERow> &out) {
  const int n = int(text.size());
  if (n == 0) {
    out.push_back({line, 1, 0});
    return;
  }
  int s = 1;
  int rowCol = 0;  // line column where the row starts: tab stops stay those of the whole line
  while (s <= n) {
    int col = rowCol;
    int i = s;
    while (i <= n) {
      const TCellWidth cell = CellAtColumn(text, i, col, tabWidth);
      if (col + cell.Width - rowCol > wrapWidth) break;
      col += cell.Width;
      i += cell.Units;
    }
    int e;
    if (i > n) {
      e = n;
    } else {
      // The overflowing unit itself is looked at first, so a row may end on the blank that overflowed.
      e = i;
      while (e > s && !IsBlank(text[e - 1])) --e;
      if (e <= s) e = i - 1;
      // A row whose first character does not fit still holds that whole character.
      if (e < s) e = s + CellWidthAt(text, s).Units - 1;
    }
    out.push_back({line, s, e - s + 1});
    if (e + 1 != i) {
      col = rowCol;
      for (int k = s; k <= e;) {
        const TCellWidth cell = CellAtColumn(text, k, col, tabWidth);
        col += cell.Width;
        k += cell.Units;
      }
    }
    rowCol = col;
    s = e + 1;
  }
}

void TMERowMap::Build(const TMELineList &lines, int wrapWidth, int tabWidth) {
  FWrapWidth = std::max(1, wrapWidth);
  FTabWidth = tabWidth;
  const int count = std::max(1, lines.GetCount());
  FRows.clear();
  FRows.reserve(size_t(count));
  FFirstRow.resize(size_t(count) + 1);
  const QStringList &text = lines.Lines();
  for (int i = 0; i < count; ++i) {
    FFirstRow[size_t(i)] = int(FRows.size());
    WrapLine(i < text.size() ? QStringView(text[i]) : QStringView(), i + 1, FWrapWidth, FTabWidth, FRows);
  }
  FFirstRow[size_t(count)] = int(FRows.size());
}

void TMERowMap::Rewrap(const TMELineList &lines, int first, int oldCount, int newCount) {
  const size_t rowBegin = size_t(FFirstRow[size_t(first)]);
  const size_t rowEnd = size_t(FFirstRow[size_t(first + oldCount)]);
  const QStringList &text = lines.Lines();
  std::vector<TMERow> fresh;
  std::vector<int> starts;
  starts.reserve(size_t(newCount));
  for (int i = first; i < first + newCount; ++i) {
    starts.push_back(int(rowBegin + fresh.size()));
    WrapLine(i < text.size() ? QStringView(text[i]) : QStringView(), i + 1, FWrapWidth, FTabWidth, fresh);
  }
  const int lineDelta = newCount - oldCount;
  if (lineDelta != 0)
    for (size_t k = rowEnd; k < FRows.size(); ++k) FRows[k].Line += lineDelta;
  Splice(FRows, rowBegin, rowEnd, fresh);

  const int rowDelta = int(fresh.size()) - int(rowEnd - rowBegin);
  Splice(FFirstRow, size_t(first), size_t(first + oldCount), starts);
  if (rowDelta != 0)
    for (size_t i = size_t(first + newCount); i < FFirstRow.size(); ++i) FFirstRow[i] += rowDelta;
}

void TMERowMap::Clear() {
  FRows.clear();
  FFirstRow.clear();
}

int TMERowMap::RowOf(TBufferCoord pos) const {
  const int lineCount = int(FFirstRow.size()) - 1;
  if (pos.Line < 1) return 1;
  if (pos.Line > lineCount) return Count();
  const auto begin = FRows.begin() + FFirstRow[size_t(pos.Line - 1)];
  const auto last = FRows.begin() + FFirstRow[size_t(pos.Line)] - 1;
  // The first row of the line that reaches pos.Char; the last row takes everything beyond.
  const auto it = std::lower_bound(begin, last, pos.Char,
                                   [](const TMERow &row, int ch) { return row.StartChar + row.Len < ch; });
  return int(it - FRows.begin()) + 1;
}

QString TMERowMap::DebugDump() const {
  QString out;
  for (const TMERow &row : FRows) {
    if (!out.isEmpty()) out += u' ';
    out += QStringLiteral("(%1,%2,%3)").arg(row.Line).arg(row.StartChar).arg(row.Len);
  }
  return out;
}
