#pragma once
// What a highlighter hands the editor for one line: tokens, their kinds, and the colour and style
// each kind is painted with.
#include "platform/Colors.h"

#include <QFlags>
#include <QList>
#include <QString>

#include <vector>

enum TFontStyle : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

enum TMETokenKind : quint8 {
  tkText,
  tkWhitespace,
  tkComment,
  tkString,
  tkNumber,
  tkKeyword,
  tkIdentifier,
  tkSymbol,
  tkPreprocessor,
  tkElement,
  tkAttribute,
  tkValue,
  tkHeading,
  tkEmphasis,
  tkLink,
  tkList,
  tkError,  // reserved; no tokenizer produces it
};
constexpr int KTokenKindCount = tkError + 1;

class TMEHighlighterAttributes {
 public:
  explicit TMEHighlighterAttributes(QString name, QString friendlyName = QString())
      : FName(std::move(name)),
        FFriendlyName(friendlyName.isEmpty() ? FName : std::move(friendlyName)) {}

  const QString &Name() const { return FName; }
  const QString &FriendlyName() const { return FFriendlyName; }
  quint32 Foreground() const { return FForeground; }
  void SetForeground(quint32 colour) { FForeground = colour; }
  // The colour of the light palette, whichever palette the screen shows: paper is white.
  quint32 LightForeground() const { return FLightForeground; }
  void SetLightForeground(quint32 colour) { FLightForeground = colour; }
  // Always clNone: the painter keeps the editor's background under every token.
  quint32 Background() const { return FBackground; }
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style) { FStyle = style; }

 private:
  QString FName;
  QString FFriendlyName;
  quint32 FForeground = clNone;
  quint32 FLightForeground = clNone;
  quint32 FBackground = clNone;
  TFontStyles FStyle;
};

struct TMEToken {
  qint32 StartCol;  // 1-based, in UTF-16 code units
  qint32 Len;       // at least 1
  TMETokenKind Kind;
  const TMEHighlighterAttributes *Attr;  // not owned; null means AttributeForKind(Kind)
};

// A std::vector: its push_back inlines to a store on the hot path, where QList's append does not.
using TMETokenList = std::vector<TMEToken>;

// The state a line leaves for the next one; 0 means nothing is open. Opaque to the caller.
using TLineState = quint32;
