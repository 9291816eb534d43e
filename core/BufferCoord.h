#pragma once
// A place in a document's text, shared by the text model and every view of it.
#include <utility>

// Char is the 1-based UTF-16 code unit (length + 1 is the line end), Line the 1-based line.
// Ordered by Line, then Char.
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
