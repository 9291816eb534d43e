#pragma once
// The position types every part of the editor passes around, and one display row.
#include "core/BufferCoord.h"

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
