#pragma once
// Texts of the find dialog: the Extended mode's backslash escapes and the history lists.
#include <QString>

class QComboBox;

// \0 \\ \n \r \t and \x with one or two hexadecimal digits; any other backslash stays as written.
QString ExpandEscapes(QStringView text);

// Puts text first in combo's list (an equal item in any letter case moves up) and keeps at most
// 30 items; the edit text and its cursor stay as they were. An empty text is not added.
void AddHistory(QComboBox *combo, const QString &text);
