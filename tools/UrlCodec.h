#pragma once
// Percent-encoding of a text's UTF-8 bytes, with "+" for a space.
#include "TextResult.h"

// Letters, digits and ! $ ' ( ) * - . @ _ are copied, a space becomes "+", every other byte of
// the UTF-8 form becomes "%XX" with upper-case digits (so "~" is "%7E").
QString UrlEncode(QStringView text);

// "%XX" (either case) gives its byte, "%%" a "%", "+" a space; other characters give their UTF-8
// bytes, and the bytes must form UTF-8.
TTextResult UrlDecode(QStringView text);
