#pragma once
// Facts read from a web page's text: its title and its meta description, as one line of plain
// text with the commonest entities decoded. Both read the page once (no backtracking pattern), so
// a hostile page of five mebibytes costs one pass.
#include <QString>

// The text between the first title start tag and the "</title>" after it, blank runs made one
// space, trimmed, entities decoded; empty when there is no such pair.
QString ExtractHtmlTitle(QStringView page);

// The content attribute of the first meta tag whose name attribute is "description" (in any
// letter case), made one line as the title is; empty when that tag has no content or is missing.
// Attributes are read whole and with their quotes, so content="a > b" is one value and
// data-content or data-name are other attributes.
QString ExtractMetaDescription(QStringView page);

// "&lt;", "&gt;", "&quot;", "&#39;", "&#x27;", "&nbsp;" (to a plain space) and "&amp;", in any
// letter case; every other "&" stays. One pass, so "&amp;lt;" gives "&lt;".
QString DecodeBasicEntities(QStringView text);
