#pragma once
// TColor: 0x00BBGGRR, or a system colour 0xFF0000nn that stands for a colour of the platform theme.
#include <QColor>
#include <QtGlobal>

using TColor = quint32;

// The attribute has no colour of its own: the editor's default is used.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clGrayText = 0xFF000011;

// The channels of a plain 0x00BBGGRR value.
constexpr int ColorRed(TColor rgb) { return int(rgb & 0xFF); }
constexpr int ColorGreen(TColor rgb) { return int(rgb >> 8 & 0xFF); }
constexpr int ColorBlue(TColor rgb) { return int(rgb >> 16 & 0xFF); }

// The plain 0x00BBGGRR value of a colour, system colours taken from the application palette.
TColor ColorToRGB(TColor color);
QColor ColorToQColor(TColor color);
// Whether the colour (a system colour resolved first) has a luma below 128: text on it wants the
// dark theme.
bool IsDarkColor(TColor color);
