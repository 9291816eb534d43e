#pragma once
// The two built-in colour palettes of TUniHighlighter, one row per attribute in attribute order.
#include "TokenModel.h"

#include <array>

constexpr int KUniAttrCount = 15;

struct TPaletteEntry {
  quint32 Light;
  quint32 Dark;
  TFontStyles Style;
};

extern const std::array<TPaletteEntry, KUniAttrCount> KUniPalette;

