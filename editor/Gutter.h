#pragma once
// The small settings objects around the text: the gutter and its bands, indent guides and the
// selection colours. Each reports every real change through its OnChange.
#include "platform/Colors.h"

#include <QFont>

#include <functional>
#include <memory>
#include <vector>

class TMEEdit;

using TNotifyEvent = std::function<void()>;

enum TMEGutterBandKind : quint8 { gbkMarbles, gbkLineNumbers, gbkFold, gbkTrackChanges, gbkMargin, gbkCustom };

class TMEGutterBand {
 public:
  TMEGutterBandKind Kind() const { return FKind; }
  void SetKind(TMEGutterBandKind value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  // Pixels the band takes in editor's gutter: line numbers size themselves to the line count.
  int EffectiveWidth(const TMEEdit &editor) const;

 private:
  friend class TMEGutterBands;
  void Changed() const;

  TMEGutterBandKind FKind = gbkCustom;
  int FWidth = 0;
  bool FVisible = true;
  TNotifyEvent FOnChange;
};

class TMEGutterBands {
 public:
  int Count() const { return int(FItems.size()); }
  TMEGutterBand &Items(int index) { return *FItems[size_t(index)]; }
  const TMEGutterBand &Items(int index) const { return *FItems[size_t(index)]; }
  TMEGutterBand &Add() { return Insert(Count()); }
  // A new band at index (0 to Count()), before the band that stood there.
  TMEGutterBand &Insert(int index);
  void SetOnChange(TNotifyEvent onChange);

 private:
  std::vector<std::unique_ptr<TMEGutterBand>> FItems;
  TNotifyEvent FOnChange;
};

class TMEGutter {
 public:
  explicit TMEGutter(TMEEdit *editor);

  TMEGutterBands &Bands() { return FBands; }
  const TMEGutterBands &Bands() const { return FBands; }
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  const QFont &Font() const { return FFont; }
  void SetFont(const QFont &value);
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor value);
  bool ShowLineNumbers() const { return FShowLineNumbers; }
  void SetShowLineNumbers(bool value);
  // The bands' widths together, at least 1.
  int TotalWidth() const;
  // The first line-number band and the pixels left of it; -1 when there is none.
  int LineNumberBand(int *x0) const;
  // Takes the editor's font, 2 pixels smaller, keeping the gutter font's own style.
  void FollowEditorFont(const QFont &editorFont);
  void SetOnChange(TNotifyEvent onChange) { FOnChange = std::move(onChange); }

 private:
  void Changed();

  TMEEdit *FEditor;
  TMEGutterBands FBands;
  TColor FColor = clBtnFace;
  QFont FFont;
  TColor FFontColor = clGrayText;
  bool FShowLineNumbers = true;
  TNotifyEvent FOnChange;
};

class TMEIndentGuides {
 public:
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  void SetOnChange(TNotifyEvent onChange) { FOnChange = std::move(onChange); }

 private:
  bool FVisible = false;
  TColor FColor = 0x808080;
  TNotifyEvent FOnChange;
};

class TMESelectedColor {
 public:
  TColor Foreground() const { return FForeground; }
  void SetForeground(TColor value);
  TColor Background() const { return FBackground; }
  void SetBackground(TColor value);
  void SetOnChange(TNotifyEvent onChange) { FOnChange = std::move(onChange); }

 private:
  TColor FForeground = clHighlightText;
  TColor FBackground = clHighlight;
  TNotifyEvent FOnChange;
};
