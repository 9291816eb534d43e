#pragma once
// How the settings dress an editor: its font, colours and zebra stripes (the look) and the View
// switches (word wrap, line numbers, ruler, whitespace marks, indent guides).
#include "platform/Colors.h"

class TMEEdit;
struct TMainSettings;

// The background of every other line with zebra stripes: 10 darker when the colour is near white,
// else 10 lighter.
TColor ZebraColor(TColor color);
// The stored background colour as a colour value (the store keeps it as a signed number).
TColor SettingsBgColor(const TMainSettings &settings);

void ApplyEditorLook(TMEEdit &editor, const TMainSettings &settings);
void ApplyEditorView(TMEEdit &editor, const TMainSettings &settings);
