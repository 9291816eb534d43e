#pragma once
// Base64 of a text's UTF-8 bytes, standard alphabet with "=" padding.
#include "TextResult.h"

// CR LF after every complete run of 76 output characters, and nowhere else.
QString Base64Encode(QStringView text);

// Blanks (line breaks, spaces) anywhere are skipped. Padding ends a group of four, so encoded
// pieces may follow one another; a missing final padding is accepted. Any other character, a
// misplaced "=", a group with one character left over, or bytes that are not UTF-8 make it fail
// with a message naming the problem.
TTextResult Base64Decode(QStringView text);
