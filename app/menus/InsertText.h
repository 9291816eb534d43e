#pragma once
// Putting a command's text into a document: in place of the selection, or at the caret, as one
// undoable edit that marks the document modified.
#include "app/DocId.h"

#include <QString>

class TCommandContext;
class TMEEdit;

// Nothing without an editor, for a read-only one (a file still loading) or for empty text: no
// command marks a document modified without changing it. Answers whether the text went in.
bool InsertOrReplaceText(TMEEdit *editor, const QString &text);
// The same for the document a command started in, looked up now: one closed meanwhile gets
// nothing.
bool InsertIntoDoc(TCommandContext &context, TDocId doc, const QString &text);
// The active document's id, or none.
TDocId ActiveDocId(const TCommandContext &context);
