#pragma once
// Texts handed to the editor may use any of CR LF, LF and CR; lines never hold one.
#include <QStringList>
#include <QStringView>

// The pieces between line breaks: CR LF, a lone LF and a lone CR each end a piece. Empty pieces
// are kept, so a text ending in a break gives an empty last piece; the empty text gives one.
QStringList SplitAtLineBreaks(QStringView text);
