#pragma once
// Choosing a language from a file name: the highlighter, the language tag and the default
// indentation. Paths may use "/" or "\"; only their file-name part counts.
#include <QString>

// The text after the last "." of the file-name part, lower-cased; empty when there is none, so
// ".env" has the extension "env" and "Makefile" none.
QString FileExtension(QStringView path);
// ".env", ".env.*" and "*.env", ignoring case.
bool IsEnvFileName(QStringView path);
// "dockerfile", "dockerfile.*", "*.dockerfile" and "containerfile", ignoring case.
bool IsDockerfileName(QStringView path);

// The registry key of the highlighter for a file name; empty when nothing matches (plain text).
QStringView HighlighterKeyForFileName(QStringView path);
// The tag of a language that the highlighter alone cannot name (tags 23 to 42); -1, which means
// "take it from the highlighter", for every other file name.
int LangTagForFileName(QStringView path);

struct TLangIndent {
  int Width;
  bool UseTabs;
  friend bool operator==(const TLangIndent &, const TLangIndent &) = default;
};

// The indentation a language's files are usually written with.
TLangIndent LangDefaultIndent(QStringView path);
// A file name whose default indentation a tag chosen in the menu gets.
QStringView RepresentativeFileForLangTag(int tag);
