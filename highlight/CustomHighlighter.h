#pragma once
// TMECustomHighlighter: what the editor, the printer and the menus ask of any highlighter.
#include "TokenModel.h"

#include <QStringView>

class TMECustomHighlighter {
 public:
  virtual ~TMECustomHighlighter() = default;

  virtual int AttrCount() const = 0;
  // An index out of range gives null.
  virtual TMEHighlighterAttributes *GetAttribute(int index) const = 0;
  // Replaces tokens by the tokens of one line (no line break) that starts in inState, in column
  // order, and gives the state the line leaves behind. The result depends on nothing else, so the
  // caller may keep one state per line and re-tokenize any line on its own.
  virtual void TokenizeLine(QStringView line, TLineState inState, TMETokenList &tokens,
                            TLineState &outState) = 0;
  virtual const TMEHighlighterAttributes *AttributeForKind(TMETokenKind kind) const = 0;
  virtual QString LanguageName() const = 0;
};
