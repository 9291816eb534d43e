#pragma once
// Language tags: the numbers 0 to 42 of the Language menu's entries, which documents and the
// new-document setting store. Tag 0 is plain text.
#include <QStringView>

constexpr int KLanguageTagCount = 43;
constexpr int KLangTagPlainText = 0;
constexpr int KLastLangTag = KLanguageTagCount - 1;
// A document's tag when its language follows its highlighter.
constexpr int KLangTagFromHighlighter = -1;

struct TLanguageTag {
  QStringView Item;     // the menu item's name
  QStringView Caption;  // as the menu writes it
  QStringView Key;      // registry key of the language's highlighter; empty for plain text
};

// The entry of a tag from 0 to 42, else null.
const TLanguageTag *LanguageTag(int tag);
// The key of the highlighter a tag selects: empty for 0 and for any tag outside 1 to 42. Tags 19
// and 39 (TeX, LaTeX) share one.
QStringView HighlighterKeyForLangTag(int tag);
