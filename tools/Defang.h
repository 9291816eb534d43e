#pragma once
// Making addresses in a text unclickable, and back.
#include <QString>

// "://" becomes "[://]", "https" and "http" (any case) become "hxxps" and "hxxp", and every "."
// becomes "[.]", in that order.
QString DefangUrls(QStringView text);
// The reverse replacements, in reverse order.
QString RefangUrls(QStringView text);
