#include "EditorLook.h"

#include "GutterSpacer.h"
#include "MainSettings.h"
#include "editor/Edit.h"
#include "platform/FontChoice.h"

namespace {
constexpr TColor KDarkText = 0xDCDCDC;       // RGB(220, 220, 220)
constexpr TColor KDarkSelection = 0x785532;  // RGB(50, 85, 120)
constexpr TColor KWhite = 0xFFFFFF;
constexpr TColor KDarkGutter = 0x2D2D2D;  // RGB(45, 45, 45)
constexpr TColor KDarkGutterText = 0x808080;
}  // namespace

TColor ZebraColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  const int step = ColorRed(rgb) > 245 && ColorGreen(rgb) > 245 && ColorBlue(rgb) > 245 ? -10 : 10;
  const auto channel = [step](int value) { return TColor(qBound(0, value + step, 255)); };
  return channel(ColorRed(rgb)) | channel(ColorGreen(rgb)) << 8 | channel(ColorBlue(rgb)) << 16;
}

TColor SettingsBgColor(const TMainSettings &settings) { return TColor(quint32(settings.FBgColor)); }

void ApplyEditorLook(TMEEdit &editor, const TMainSettings &settings) {
  const TColor background = SettingsBgColor(settings);
  const bool dark = IsDarkColor(background);
  editor.setFont(ChooseFixedFont(settings.FFontName, settings.FFontSize));
  editor.SetColor(background);
  editor.SetFontColor(dark ? KDarkText : clWindowText);
  editor.SelectedColor().SetBackground(dark ? KDarkSelection : clHighlight);
  editor.SelectedColor().SetForeground(dark ? KWhite : clHighlightText);
  editor.Gutter().SetColor(dark ? KDarkGutter : clBtnFace);
  editor.Gutter().SetFontColor(dark ? KDarkGutterText : clGrayText);
  const bool zebra = settings.FZebraStripes;
  const TColor stripe = ZebraColor(background);
  editor.SetOnSpecialLineColors([zebra, stripe](int line, TColor &, TColor &bg) {
    if (!zebra || line % 2 != 0) return false;
    bg = stripe;
    return true;
  });
}

void ApplyEditorView(TMEEdit &editor, const TMainSettings &settings) {
  editor.SetWordWrap(settings.FWordWrap);
  TMEGutter &gutter = editor.Gutter();
  gutter.SetShowLineNumbers(settings.FShowLineNumbers);
  AddLineNumberSpacer(gutter);
  editor.SetRightEdge(settings.FRightEdgeCol);
  editor.SetVisibleSpecialChars(settings.FShowWhitespace ? TMEVisibleSpecialChars(scWhitespace)
                                                         : TMEVisibleSpecialChars());
  editor.IndentGuides().SetVisible(settings.FShowIndentGuide);
  TMEScrollOptions scroll = editor.ScrollOptions() & ~TMEScrollOptions(eoScrollPastEol);
  if (settings.FScrollPastEol) scroll |= eoScrollPastEol;
  editor.SetScrollOptions(scroll);
}
