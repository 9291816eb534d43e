#pragma once
// Copying or selecting text relative to the caret: to a line or document end, to the next or
// previous quote, the word before or after, or between a pair of quotes or brackets. Positions are
// 1-based as the editor's: Char is the index of the character just after the caret, and Char =
// length + 1 is the line end. A caret outside its line is clamped to it; one on no line gives
// nothing.
#include "core/BufferCoord.h"

#include <QString>

#include <optional>

class TMEDocument;

// In the order of the menu items' tags.
enum class TCaretTarget : quint8 {
  ToLineEnd,
  ToLineStart,
  ToDocEnd,
  ToDocStart,
  NextWord,
  PrevWord,
  ToNextSingleQuote,
  ToPrevSingleQuote,
  ToNextDoubleQuote,
  ToPrevDoubleQuote,
  BetweenSingleQuotes,
  BetweenDoubleQuotes,
  BetweenParens,
  BetweenBrackets,
  BetweenBraces,
};

// The text the target names, lines joined by CR LF; empty when there is none.
QString CopyAroundCaret(TCaretTarget target, const TMEDocument &document, TBufferCoord caret);

struct TCaretSelection {
  TBufferCoord Anchor;
  TBufferCoord End;
};

// The selection the target names (the words have none); nullopt when nothing is found. The
// previous-quote targets search from the character before the caret, so a quote just before the
// caret is the one found and the selection never takes in the quote after it.
std::optional<TCaretSelection> SelectAroundCaret(TCaretTarget target, const TMEDocument &document, TBufferCoord caret);
