#include "Gutter.h"

#include "Edit.h"

#include <QFontInfo>

void TMEGutterBand::Changed() const {
  if (FOnChange) FOnChange();
}

void TMEGutterBand::SetKind(TMEGutterBandKind value) {
  if (value == FKind) return;
  FKind = value;
  Changed();
}

void TMEGutterBand::SetWidth(int value) {
  value = qMax(0, value);
  if (value == FWidth) return;
  FWidth = value;
  Changed();
}

void TMEGutterBand::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  Changed();
}

int TMEGutterBand::EffectiveWidth(const TMEEdit &editor) const {
  if (!FVisible) return 0;
  if (FKind != gbkLineNumbers) return FWidth;
  int digits = 1;
  for (int n = editor.LineCount(); n >= 10; n /= 10) ++digits;
  return qMax(digits, 3) * editor.CharWidth() + 9;
}

TMEGutterBand &TMEGutterBands::Insert(int index) {
  index = qBound(0, index, Count());
  auto &band = *FItems.insert(FItems.begin() + index, std::make_unique<TMEGutterBand>());
  band->FOnChange = FOnChange;
  if (FOnChange) FOnChange();
  return *band;
}

void TMEGutterBands::SetOnChange(TNotifyEvent onChange) {
  FOnChange = std::move(onChange);
  for (auto &item : FItems) item->FOnChange = FOnChange;
}

TMEGutter::TMEGutter(TMEEdit *editor) : FEditor(editor) {
  FBands.Add().SetKind(gbkLineNumbers);
  FBands.SetOnChange([this] { Changed(); });
}

void TMEGutter::Changed() {
  if (FOnChange) FOnChange();
}

void TMEGutter::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}

void TMEGutter::SetFont(const QFont &value) {
  if (value == FFont) return;
  FFont = value;
  Changed();
}

void TMEGutter::SetFontColor(TColor value) {
  if (value == FFontColor) return;
  FFontColor = value;
  Changed();
}

void TMEGutter::SetShowLineNumbers(bool value) {
  if (value == FShowLineNumbers) return;
  FShowLineNumbers = value;
  for (int i = 0; i < FBands.Count(); ++i)
    if (FBands.Items(i).Kind() == gbkLineNumbers) FBands.Items(i).SetVisible(value);
  Changed();
}

int TMEGutter::TotalWidth() const {
  int total = 0;
  for (int i = 0; i < FBands.Count(); ++i) total += FBands.Items(i).EffectiveWidth(*FEditor);
  return total == 0 ? 1 : total;
}

int TMEGutter::LineNumberBand(int *x0) const {
  int x = 0;
  for (int i = 0; i < FBands.Count(); ++i) {
    if (FBands.Items(i).Kind() == gbkLineNumbers) {
      if (x0) *x0 = x;
      return i;
    }
    x += FBands.Items(i).EffectiveWidth(*FEditor);
  }
  return -1;
}

void TMEGutter::FollowEditorFont(const QFont &editorFont) {
  const bool bold = FFont.bold(), italic = FFont.italic();
  QFont font = editorFont;
  font.setBold(bold);
  font.setItalic(italic);
  // Sizes are pixels here; a font given in points takes the pixel size the screen gives it.
  int pixels = font.pixelSize();
  if (pixels <= 0) pixels = QFontInfo(editorFont).pixelSize();
  font.setPixelSize(qMax(1, pixels > 2 ? pixels - 2 : pixels));
  SetFont(font);
}

void TMEIndentGuides::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  if (FOnChange) FOnChange();
}

void TMEIndentGuides::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  if (FOnChange) FOnChange();
}

void TMESelectedColor::SetForeground(TColor value) {
  if (value == FForeground) return;
  FForeground = value;
  if (FOnChange) FOnChange();
}

void TMESelectedColor::SetBackground(TColor value) {
  if (value == FBackground) return;
  FBackground = value;
  if (FOnChange) FOnChange();
}
