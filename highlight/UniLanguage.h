#pragma once
// TUniLanguage: one language as data for TUniHighlighter. The member defaults are what every
// definition starts from; a definition states only what differs.
#include <QList>
#include <QString>
#include <QStringList>

enum TUniMarkup : quint8 { umNone, umXml, umMarkdown };

struct TUniBlockComment {
  QString OpenMarker;
  QString CloseMarker;
  bool Nestable = false;       // inner openers count up, and each needs its own closer
  bool LineStartOnly = false;  // opens and closes only at column 1; lines in between are comment
};

struct TUniStringSpec {
  QString OpenMarker;
  QString CloseMarker;
  char16_t Escape = 0;     // 0 = none; makes the next character part of the literal
  bool Doubling = false;   // two closers in a row stand for one and do not close
  bool Multiline = false;  // an unterminated literal continues on the next line
};

// Every member has an initializer, so a definition may leave any of them out.
struct TUniLanguage {
  QString Name{};
  bool CaseSensitive = true;
  QStringList Keywords{};  // painted as keywords
  QStringList Types{};     // value words: types, constants, built-ins
  QStringList LineComments{};
  QStringList LineStartComments{};  // count only before anything but blanks and comments
  QList<TUniBlockComment> BlockComments{};
  QList<TUniStringSpec> Strings{};
  QString IdentStartExtra = QStringLiteral("_");
  QString IdentBodyExtra = QStringLiteral("_");
  char16_t PreprocChar = 0;  // starts a directive as the first token of a line; 0 = none
  QString KeyDelims{};       // a plain word before one of these is a key; empty = no keys
  bool KeyAnywhere = false;
  bool KeyAfterKeyword = false;
  bool OracleQQuote = false;  // q'[...]' literals
  bool HexDollar = false;     // $1F numbers
  bool FuncCalls = true;      // a word before "(" is painted as a function
  TUniMarkup Markup = umNone;
};

// Flags for Quote(): two closers stand for one, and the literal may run on past the line end.
enum TQuoteFlag : quint8 { qfNone = 0, qfDoubling = 1, qfMultiline = 2 };

constexpr char16_t KBackslash = u'\\';

// A string literal; it closes with its opening marker unless a closing marker is given.
TUniStringSpec Quote(QStringView open, char16_t escape = 0, int flags = qfNone,
                     QStringView close = {});
// Double- and single-quoted literals with backslash escapes, each on one line.
QList<TUniStringSpec> CStyleStrings();
