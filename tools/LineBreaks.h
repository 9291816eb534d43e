#pragma once
// Commands that work on a text's line breaks as one string: CR LF, CR and LF alike.
#include <QStringList>

// The lines of text; a final break makes no extra empty line and an empty text has none.
QStringList SplitLines(QStringView text);

// Every line break becomes one space.
QString EolToSpace(QStringView text);
// Every line trimmed, then joined by spaces and the whole trimmed: an empty line between two lines
// leaves two spaces.
QString TrimLinesToSpaces(QStringView text);
// Every line break becomes eol; the lines themselves, the last one included, stay as they are.
QString ConvertLineBreaks(QStringView text, QStringView eol);
