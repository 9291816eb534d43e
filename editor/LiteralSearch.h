#pragma once
// Literal search. Without ssoMatchCase both sides are folded one code unit at a time, so offsets
// hold; occurrences may overlap ("aa" occurs twice in "aaa").
#include "SearchEngine.h"

#include <vector>

class TMEEditSearch : public TMEEditSearchCustom {
 public:
  int FindAll(QStringView text) override;

 private:
  void Prepare();
  bool MatchesAt(const char16_t *text, qsizetype at) const;

  // What FindAll searches with, derived from the pattern and the case option.
  QString FPreparedFrom;
  TMESearchOptions FPreparedCase = 0xFF;
  std::u16string FNeedle;               // folded unless case matters
  std::vector<char16_t> FFirstUnits;     // every unit that can stand for the needle's first one
};

// Letters of any kind, decimal digits and "_": what a whole-word match may not touch.
bool IsSearchWordChar(QChar c);
// The length units at at touch no word character on either side.
bool StandsAsWholeWord(QStringView text, qsizetype at, qsizetype length);
