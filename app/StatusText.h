#pragma once
// The texts of the status bar and the window title.
#include <QString>

// Digits in groups of three separated by ".", whatever the locale.
QString FormatThousands(qint64 n);
// "%d B", then KB, MB, GB with one decimal in the locale's notation.
QString FormatSize(qint64 bytes);

QString StatusLineText(qint64 caretLine, qint64 caretColumn, const QString &encodingName, qint64 lineCount,
                       const QString &eolName, const QString &languageName, const QString &sizeText);

// hasFile: the document has a file name; empty title parts are left out as the window shows them.
QString WindowTitleText(const QString &appName, bool hasDocument, bool modified, const QString &fileName,
                        const QString &displayName);

// A tab's caption: "• " when modified, the name, and ten spaces that leave room for the close glyph.
QString TabCaptionText(const QString &displayName, bool modified);
