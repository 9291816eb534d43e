#pragma once
// TUniHighlighter: the table-driven highlighter. One instance per language serves every document
// of that language; everything a line needs comes in with its state.
#include "CharClasses.h"
#include "CustomHighlighter.h"
#include "Palette.h"
#include "UniLanguage.h"
#include "WordTable.h"

#include <memory>

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

  // Recolours every attribute, and those of the islands, from the dark or the light palette.
  void ApplyPalette(bool dark);
  bool DarkPalette() const { return FDarkPalette; }

  // Island highlighters for the content of script and style elements and of PHP blocks, which
  // only the tag tokenizer uses. Each is created once; a later call keeps the one there is.
  void EnableHtmlIslands(TUniLanguage js, TUniLanguage css);
  void EnablePhpIsland(TUniLanguage phpCode);

 private:
  class TGenericScan;
  class TTagScan;
  class TMarkdownScan;

  void BuildContexts();
  // The scanner of every language without markup; defined with TGenericScan. Appends the tokens
  // of text, which stands at column column + 1 of its line. With closeAt, the scan ends before
  // the first "?>" outside strings and block comments, and closeAt receives its offset in text
  // (-1 when there is none).
  TLineState TokenizeGeneric(QStringView text, TLineState inState, TMETokenList &tokens,
                             qsizetype column = 0, qsizetype *closeAt = nullptr) const;
  // XML, HTML and PHP pages, with their islands; defined with TTagScan.
  TLineState TokenizeTags(QStringView line, TLineState inState, TMETokenList &tokens) const;
  // Defined with TMarkdownScan.
  TLineState TokenizeMarkdown(QStringView line, TLineState inState, TMETokenList &tokens) const;

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

  std::unique_ptr<TUniHighlighter> FJsHL;
  std::unique_ptr<TUniHighlighter> FCssHL;
  std::unique_ptr<TUniHighlighter> FPhpHL;
};
