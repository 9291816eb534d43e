#pragma once
// Where a text may be split. Texts handed to a document may use any of CR LF, LF and CR; lines
// never hold one. Nothing may fall between the halves of a surrogate pair.
#include <QStringList>
#include <QStringView>

// The pieces between line breaks: CR LF, a lone LF and a lone CR each end a piece. Empty pieces
// are kept, so a text ending in a break gives an empty last piece; the empty text gives one.
QStringList SplitAtLineBreaks(QStringView text);

// True when the 1-based ch points at the second half of a surrogate pair.
inline bool SplitsPair(QStringView text, int ch) {
  return ch >= 2 && ch <= text.size() && text[ch - 1].isLowSurrogate() && text[ch - 2].isHighSurrogate();
}
