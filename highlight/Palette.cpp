#include "Palette.h"

namespace {

// Written as #RRGGBB, stored as 0x00BBGGRR.
constexpr quint32 Rgb(quint32 rrggbb) {
  return ((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF);
}

}  // namespace

const std::array<TPaletteEntry, KUniAttrCount> KUniPalette = {{
    {clNone, clNone, {}},                         // Text
    {Rgb(0x898989), Rgb(0x919191), fsItalic},     // Comment
    {Rgb(0x0F6E56), Rgb(0x4FD1A0), {}},           // String
    {Rgb(0x854F0B), Rgb(0xE0B26B), {}},           // Number
    {clNone, clNone, fsBold},                     // Reserved word
    {Rgb(0x534AB7), Rgb(0xB7A8F2), {}},           // Value
    {Rgb(0x185FA5), Rgb(0x79B8F0), {}},           // Function
    {Rgb(0xD85A30), Rgb(0xF08A5C), fsBold},       // Brackets
    {clNone, clNone, {}},                         // Symbol
    {Rgb(0x993C1D), Rgb(0xE08A66), fsBold},       // Preprocessor
    {Rgb(0x185FA5), Rgb(0x79B8F0), {}},           // Attribute
    {Rgb(0x534AB7), Rgb(0xB7A8F2), fsBold},       // Element
    {clNone, clNone, fsBold},                     // Heading
    {clNone, clNone, fsItalic},                   // Emphasis
    {Rgb(0x185FA5), Rgb(0x79B8F0), fsUnderline},  // Link
}};

