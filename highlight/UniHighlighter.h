#pragma once
// TUniHighlighter: the table-driven highlighter. One instance per language serves every document
// of that language; everything a line needs comes in with its state.
#include "CharClasses.h"
#include "CustomHighlighter.h"
#include "Palette.h"
#include "UniLanguage.h"
#include "WordTable.h"

// A construct that can stay open across a line end: a block comment or a multi-line string.
struct TUniContext {
  QString OpenMarker;
  QString CloseMarker;
  TMETokenKind Kind;  // tkComment or tkString
  char16_t Escape;
  bool Doubling;
  bool Nestable;
  bool LineStartOnly;
};

class TUniHighlighter : public TMECustomHighlighter {
 public:
  explicit TUniHighlighter(TUniLanguage lang);
  TUniHighlighter(const TUniHighlighter &) = delete;
  TUniHighlighter &operator=(const TUniHighlighter &) = delete;

  int AttrCount() const override { return KUniAttrCount; }
  TMEHighlighterAttributes *GetAttribute(int index) const override;
  void TokenizeLine(QStringView line, TLineState inState, TMETokenList &tokens,
                    TLineState &outState) override;
  const TMEHighlighterAttributes *AttributeForKind(TMETokenKind kind) const override;
  QString LanguageName() const override { return FLang.Name; }

  // Recolours every attribute from the dark or the light palette.
  void ApplyPalette(bool dark);
  bool DarkPalette() const { return FDarkPalette; }

 private:
  class TGenericScan;

  void BuildContexts();
  // The scanner of every language without markup; defined with TGenericScan.
  TLineState TokenizeGeneric(QStringView line, TLineState inState, TMETokenList &tokens) const;

  TUniLanguage FLang;  // Strings reordered longest opening marker first
  QList<TUniContext> FContexts;
  QList<int> FStringContexts;  // per entry of FLang.Strings: its context index, -1 if single-line
  TWordTable FWords;
  TCharClasses FClasses;

  TMEHighlighterAttributes FAttrText{QStringLiteral("Text")};
  TMEHighlighterAttributes FAttrComment{QStringLiteral("Comment")};
  TMEHighlighterAttributes FAttrString{QStringLiteral("String")};
  TMEHighlighterAttributes FAttrNumber{QStringLiteral("Number")};
  TMEHighlighterAttributes FAttrKeyword{QStringLiteral("Reserved word")};
  TMEHighlighterAttributes FAttrType{QStringLiteral("Value")};
  TMEHighlighterAttributes FAttrFunction{QStringLiteral("Function")};
  TMEHighlighterAttributes FAttrBracket{QStringLiteral("Brackets")};
  TMEHighlighterAttributes FAttrSymbol{QStringLiteral("Symbol")};
  TMEHighlighterAttributes FAttrPreproc{QStringLiteral("Preprocessor")};
  TMEHighlighterAttributes FAttrKey{QStringLiteral("Attribute")};
  TMEHighlighterAttributes FAttrElement{QStringLiteral("Element")};
  TMEHighlighterAttributes FAttrHeading{QStringLiteral("Heading")};
  TMEHighlighterAttributes FAttrEmphasis{QStringLiteral("Emphasis")};
  TMEHighlighterAttributes FAttrLink{QStringLiteral("Link")};
  // The same attributes in palette order.
  const std::array<TMEHighlighterAttributes *, KUniAttrCount> FAttrList{
      &FAttrText, &FAttrComment,  &FAttrString,  &FAttrNumber,   &FAttrKeyword,
      &FAttrType, &FAttrFunction, &FAttrBracket, &FAttrSymbol,   &FAttrPreproc,
      &FAttrKey,  &FAttrElement,  &FAttrHeading, &FAttrEmphasis, &FAttrLink};
  bool FDarkPalette = false;
};
