#pragma once
// Which delimiter a document's CSV commands use: the one stored with the document, or one found by
// looking at the first lines.
#include "TextResult.h"

#include <QString>

#include <optional>

// The candidates, in the order that wins a tie: comma, semicolon, tab, pipe.
extern const QChar KCsvDelimiterCandidates[4];

// Looks at the first 10 lines that are not blank and counts each candidate outside quotes. A
// candidate found the same number of times on every line is preferred; among equals the more
// frequent, then the earlier one wins. None when no candidate occurs at all.
std::optional<QChar> DetectCsvDelimiter(QStringView text);

// The delimiter for a command: stored is the document's choice (empty: detect). A stored
// delimiter that no longer stands outside quotes anywhere in the text, as after Undo of Replace
// Delimiter, gives way to the detected one; without any, the stored one is kept. A text with no
// candidate and no stored choice uses ",".
QChar ActiveCsvDelimiter(QStringView stored, QStringView text);

// The answer to "Enter a single-character delimiter:". One character, and not one that would
// corrupt the records (a double quote, a line break); otherwise the warning to show.
TResult<QChar> ReadCustomCsvDelimiter(QStringView answer);
