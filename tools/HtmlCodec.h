#pragma once
// HTML character references.
#include <QString>

// Double quote, "&", "<" and ">" become references; everything else, the apostrophe included, is
// copied.
QString HtmlEncode(QStringView text);

// Numeric references ("&#65;", "&#x41;", read by the integer reading) that name a Unicode scalar
// value, and "&amp;", "&apos;", "&gt;", "&lt;", "&quot;" are decoded; every other "&" is copied as
// it is. A numeric reference is looked for only a few characters ahead.
QString HtmlDecode(QStringView text);
