#pragma once
// The ANSI code page of the program: Windows-1252, as the Windows "system ANSI code page" of a
// Western installation. Every byte maps to one UTF-16 code unit, so decoding never fails.
#include <QByteArray>
#include <QStringView>

// Decodes len bytes into len code units at out.
void AnsiToUnicode(const char *bytes, qsizetype len, char16_t *out);

// Encodes text; a character the code page lacks becomes one "?" (a surrogate pair is one character).
QByteArray UnicodeToAnsi(QStringView text);
