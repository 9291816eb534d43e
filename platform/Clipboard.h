#pragma once
// The system clipboard as plain text: the editor needs only "is there text", read it, set it.
#include <QString>

bool ClipboardHasText();
// The whole text, also past an embedded U+0000 (a Windows clipboard text would end there).
QString ClipboardText();
void SetClipboardText(const QString &text);
