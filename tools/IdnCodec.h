#pragma once
// Internationalised domain names, line by line: every line's trimmed text is converted as one name,
// its surrounding blanks and the line breaks stay, and a line that cannot be converted is left as
// it was (these commands never fail).
#include <QString>

// Mapped as IDNA 2008 with the TR46 non-transitional rules after NFC: case is folded ("Bücher"
// becomes "xn--bcher-kva"), unassigned code points are refused, no STD3 rules.
QString IdnEncode(QStringView text);
// A name is decoded only when its Unicode form encodes back to the same ASCII form, so a label
// that decodes to something no encoder would produce (a bidi override, say) stays as it was.
QString IdnDecode(QStringView text);

// One name, converted as IdnEncode converts a line's name; a null string when it cannot be.
QString IdnNameToAscii(QStringView name);
