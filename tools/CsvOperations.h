#pragma once
// The CSV commands, each reading the whole text and writing it once. Records are written joined by
// eol (CR LF when it is empty), with none after the last. A failure leaves the text as it was and
// its message is shown in a warning box: a quoted field that is never closed, a list of columns
// that cannot be read, a delimiter that cannot be used.
#include "TextResult.h"

// Fields quoted only where the new delimiter needs it.
TTextResult CsvReplaceDelimiter(QStringView text, QChar oldDelim, QChar newDelim, QStringView eol);
// Every field quoted; an empty field becomes two double quotes.
TTextResult CsvQuoteAll(QStringView text, QChar delim, QStringView eol);
// Only fields that need quotes keep them.
TTextResult CsvUnquoteAll(QStringView text, QChar delim, QStringView eol);

enum class TColumnChoice : quint8 { Keep, Remove };
// Keeps or removes the columns of spec (see ParseColumnSpec) in every record; fields stay in the
// record's own order and a record shorter than a column simply lacks it.
TTextResult CsvSelectColumns(QStringView text, QChar delim, QStringView eol, TColumnChoice choice, QStringView spec);
