#pragma once
// What every line scanner holds: the highlighter it colours for, the text it scans and the token
// list it appends to. An island's text stands further right in its line, at column + 1.
#include "UniHighlighter.h"

class TLineScan {
 protected:
  TLineScan(const TUniHighlighter &hl, QStringView text, TMETokenList &tokens, qsizetype column = 0)
      : FHl(hl), FLine(text), FText(text.utf16()), FLength(text.size()), FColumn(column), FTokens(tokens) {}

  void Emit(qsizetype start, qsizetype len, TMETokenKind kind, const TMEHighlighterAttributes *attr) {
    if (len > 0) FTokens.push_back(TMEToken{qint32(FColumn + start + 1), qint32(len), kind, attr});
  }

  const TUniHighlighter &FHl;
  const QStringView FLine;
  const char16_t *FText;
  const qsizetype FLength;
  const qsizetype FColumn;
  TMETokenList &FTokens;
};
