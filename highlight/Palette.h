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

// A colour (0x00BBGGRR) is dark when its luma is below 128; the dark palette goes with it.
bool IsDarkColor(quint32 colour);
