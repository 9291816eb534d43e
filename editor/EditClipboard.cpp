// TMEEdit: copy, cut and paste through the system clipboard.
#include "Edit.h"

#include "platform/Clipboard.h"

bool TMEEdit::CanPaste() const { return !FReadOnly && ClipboardHasText(); }

void TMEEdit::CopyToClipboard() {
  if (SelAvail()) SetClipboardText(SelText());
}

void TMEEdit::CutToClipboard() {
  if (FReadOnly || !SelAvail()) return;
  CopyToClipboard();
  SetSelText(QString());
}

void TMEEdit::PasteFromClipboard() {
  if (CanPaste()) SetSelText(ClipboardText());
}
