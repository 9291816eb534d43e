#pragma once
// A text's UTF-8 bytes as hexadecimal digits, and back.
#include "TextResult.h"

// Two upper-case digits per byte, no separators ("Hi" gives "4869").
QString AsciiToHex(QStringView text);
// "0x" prefixes (any case) are removed, then tab, LF, CR, space, "$", ",", "-", ":" and ";" are
// skipped; any other character that is not a hexadecimal digit fails, and so does an odd or empty
// count of digits.
TTextResult HexToAscii(QStringView text);
