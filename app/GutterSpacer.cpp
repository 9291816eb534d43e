#include "GutterSpacer.h"

#include "editor/Gutter.h"

namespace {
constexpr int KSpacerBandWidth = 5;
}  // namespace

void AddLineNumberSpacer(TMEGutter &gutter) {
  TMEGutterBands &bands = gutter.Bands();
  int last = -1;
  for (int i = 0; i < bands.Count(); ++i)
    if (bands.Items(i).Kind() == gbkLineNumbers) last = i;
  if (last < 0 || (last + 1 < bands.Count() && bands.Items(last + 1).Kind() == gbkCustom)) return;
  TMEGutterBand &spacer = bands.Insert(last + 1);
  spacer.SetKind(gbkCustom);
  spacer.SetWidth(KSpacerBandWidth);
}
