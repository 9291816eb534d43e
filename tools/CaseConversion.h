#pragma once
// Case conversions. Only ASCII letters are lowered or raised wholesale; the letters that begin a
// sentence or a word are raised by Unicode's one-to-one mapping, so the text keeps its length and
// every offset (ß stays ß). The text is walked by code point: a surrogate pair is one letter, and
// combining marks stay part of the word they follow.
#include <QString>

QString UpperCaseAscii(QStringView text);
QString LowerCaseAscii(QStringView text);
// Lower-cased, then the first letter after the start or after ".", "!" or "?" raised.
QString SentenceCase(QStringView text);
// Lower-cased, then the first letter of every word raised; letters, digits and marks make words
// ("o'neil 2nd" becomes "O'Neil 2nd").
QString ProperCase(QStringView text);
