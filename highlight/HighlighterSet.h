#pragma once
// The program's highlighters: one instance of each of the 41 highlighter classes, created in the
// program's order, owned here and shared by every document of its language.
#include "UniShim.h"

#include <memory>
#include <vector>

class THighlighterSet {
 public:
  THighlighterSet();

  const std::vector<std::unique_ptr<TUniShim>> &Highlighters() const { return FHighlighters; }
  // By registry key as registered; null for any other text.
  TUniShim *ForKey(QStringView key) const;
  // Null for tag 0 (plain text) and for any tag outside 1 to 42; tags 19 and 39 share TeX.
  TUniShim *ForLangTag(int tag) const;
  // Null when no rule matches the file name.
  TUniShim *ForFileName(QStringView path) const;
  // The first tag from 0 to 42 that selects highlighter: 0 for none, and for one not in the set.
  int LangTagOf(const TMECustomHighlighter *highlighter) const;

 private:
  std::vector<std::unique_ptr<TUniShim>> FHighlighters;
};
