#pragma once
// Copying or selecting text relative to the caret: to a line or document end, to the next or
// previous quote, the word before or after, or between a pair of quotes or brackets. Positions are
// 1-based as the editor's: Char is the index of the character just after the caret, and Char =
// length + 1 is the line end. A caret outside its line is clamped to it; one on no line gives
// nothing.
#include <QString>

#include <functional>
#include <optional>

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

struct TTextPoint {
  int Char = 1;
  int Line = 1;
  bool operator==(const TTextPoint &) const = default;
};

// A document's lines as the commands read them: Line(1) to Line(Count).
struct TCaretLines {
  int Count = 0;
  std::function<QString(int line)> Line;
};

// The text the target names, lines joined by CR LF; empty when there is none.
QString CopyAroundCaret(TCaretTarget target, const TCaretLines &lines, TTextPoint caret);

struct TCaretSelection {
  TTextPoint Anchor;
  TTextPoint End;
  bool operator==(const TCaretSelection &) const = default;
};

// The selection the target names (the words have none); nullopt when nothing is found. The
// previous-quote targets search from the character before the caret, so a quote just before the
// caret is the one found and the selection never takes in the quote after it.
std::optional<TCaretSelection> SelectAroundCaret(TCaretTarget target, const TCaretLines &lines, TTextPoint caret);
