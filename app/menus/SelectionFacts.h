#pragma once
// What the active editor's selection looks like, for the context menu's enabling and the commands
// that act on it. The length comes first and costs nothing, so a huge selection is never read as
// text just to open a menu.
#include <QString>

class TMEEdit;

// 0 without an editor or a selection; the distance between its ends on one line; else INT_MAX.
int SelLengthQuick(const TMEEdit *editor);
// The selected text when there is a selection of at most maxLength, else empty.
QString ShortSelection(const TMEEdit *editor, int maxLength);
// The same for a selection over any number of lines (a whole line taken with its break), measured
// before it is read: a huge selection is never read as text.
QString SelectionUpTo(const TMEEdit *editor, int maxLength);

bool SelectionLooksLikePath(const TMEEdit *editor);
bool SelectionLooksLikeUrl(const TMEEdit *editor);
bool SelectionIsRegistryKey(const TMEEdit *editor);
