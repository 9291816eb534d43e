#include "CellWidth.h"

#include <algorithm>
#include <iterator>

namespace {

struct TRange {
  char32_t First, Last;
};

constexpr TRange KZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670},
    {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x1AB0, 0x1AFF},
    {0x1DC0, 0x1DFF}, {0x200C, 0x200D}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
};

constexpr TRange KWide[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},   {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6},   {0x1F000, 0x1FAFF}, {0x20000, 0x3FFFD},
};

template <size_t N>
bool InRanges(const TRange (&ranges)[N], char32_t cp) {
  const TRange *it = std::lower_bound(std::begin(ranges), std::end(ranges), cp,
                                      [](const TRange &r, char32_t c) { return r.Last < c; });
  return it != std::end(ranges) && it->First <= cp;
}

}  // namespace

TCellWidth CellWidthAt(QStringView text, int index) {
  const char16_t unit = text[index - 1].unicode();
  // Plain text is almost all below the first table entry.
  if (unit < 0x0300) return {1, 1};
  char32_t cp = unit;
  int units = 1;
  if (QChar::isHighSurrogate(unit) && index < text.size() && text[index].isLowSurrogate()) {
    cp = QChar::surrogateToUcs4(unit, text[index].unicode());
    units = 2;
  }
  if (InRanges(KZeroWidth, cp)) return {0, units};
  return {InRanges(KWide, cp) ? 2 : 1, units};
}

int ColumnsBefore(QStringView text, int ch, int tabWidth) {
  const int end = std::min<int>(ch - 1, int(text.size()));
  int col = 0;
  int i = 1;
  while (i <= end) {
    if (text[i - 1] == u'\t') {
      col += TabCells(col, tabWidth);
      ++i;
    } else {
      const TCellWidth cell = CellWidthAt(text, i);
      col += cell.Width;
      i += cell.Units;
    }
  }
  if (ch - 1 > text.size()) col += ch - 1 - int(text.size());
  return col;
}

int CharAtColumn(QStringView text, int target, int tabWidth) {
  int col = 0;
  int i = 1;
  while (i <= text.size()) {
    int width, units = 1;
    if (text[i - 1] == u'\t') {
      width = TabCells(col, tabWidth);
    } else {
      const TCellWidth cell = CellWidthAt(text, i);
      width = cell.Width;
      units = cell.Units;
    }
    if (col + width > target) return i;
    col += width;
    i += units;
  }
  return int(text.size()) + 1 + std::max(0, target - col);
}

int UnitsBefore(QStringView text, int ch) {
  if (ch >= 3 && ch - 1 <= text.size() && text[ch - 2].isLowSurrogate() && text[ch - 3].isHighSurrogate()) return 2;
  return 1;
}
