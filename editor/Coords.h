#pragma once
// The two position types every part of the editor passes around, and one display row.
#include <utility>

// A place in the text: Char is the 1-based UTF-16 code unit (length + 1 is the line end), Line the
// 1-based line. Ordered by Line, then Char.
struct TBufferCoord {
  int Char = 1;
  int Line = 1;

  friend bool operator==(const TBufferCoord &a, const TBufferCoord &b) { return a.Line == b.Line && a.Char == b.Char; }
  friend bool operator!=(const TBufferCoord &a, const TBufferCoord &b) { return !(a == b); }
  friend bool operator<(const TBufferCoord &a, const TBufferCoord &b) {
    return a.Line < b.Line || (a.Line == b.Line && a.Char < b.Char);
  }
  friend bool operator>(const TBufferCoord &a, const TBufferCoord &b) { return b < a; }
  friend bool operator<=(const TBufferCoord &a, const TBufferCoord &b) { return !(b < a); }
  friend bool operator>=(const TBufferCoord &a, const TBufferCoord &b) { return !(a < b); }
};

// Swaps the two when b comes before a.
inline void OrderCoords(TBufferCoord &a, TBufferCoord &b) {
  if (b < a) std::swap(a, b);
}

// A place on the screen: 1-based cell column (from the row's first character with word wrap) and
// 1-based display row (the line number without word wrap).
struct TDisplayCoord {
  int Column = 1;
  int Row = 1;

  friend bool operator==(const TDisplayCoord &, const TDisplayCoord &) = default;
};

// One display row: the units StartChar .. StartChar + Len - 1 of Line (Len 0 for an empty line).
struct TMERow {
  int Line = 1;
  int StartChar = 1;
  int Len = 0;

  friend bool operator==(const TMERow &, const TMERow &) = default;
};
