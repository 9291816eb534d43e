#pragma once
// Character classes of one language, per UTF-16 code unit. Latin-1 is looked up in a table; other
// units ask Qt's Unicode categories, so a surrogate half is neither letter nor blank.
#include "UniLanguage.h"

#include <array>

enum TCharClass : quint8 {
  ccSpace = 1,
  ccLetter = 2,
  ccDigit = 4,
  ccIdentStart = 8,
  ccIdentBody = 16,
  ccSymbol = 32,        // ! # $ % & * + , - . / : ; < = > ? @ \ ^ | ~ and the backquote
  ccBracket = 64,       // ( ) [ ] { }
  ccMarkerStart = 128,  // may open a comment or a string
};

class TCharClasses {
 public:
  explicit TCharClasses(const TUniLanguage &lang);

  quint8 Of(char16_t c) const { return c < 256 ? FLatin1[c] : Compute(c); }
  bool Is(char16_t c, quint8 classes) const { return (Of(c) & classes) != 0; }

 private:
  quint8 Compute(char16_t c) const;

  std::array<quint8, 256> FLatin1;
  QString FStartExtra;
  QString FBodyExtra;
  QString FMarkerStarts;  // first unit of every opening marker, folded when case is ignored
  bool FCaseSensitive;
};
