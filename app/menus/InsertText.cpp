#include "InsertText.h"

#include "CommandContext.h"
#include "app/DocList.h"
#include "editor/Edit.h"

bool InsertOrReplaceText(TMEEdit *editor, const QString &text) {
  if (!editor || editor->ReadOnly() || text.isEmpty()) return false;
  editor->SetSelText(text);
  return true;
}

bool InsertIntoDoc(TCommandContext &context, TDocId doc, const QString &text) {
  const TEditorDoc *target = context.Docs().Find(doc);
  return target && InsertOrReplaceText(target->Editor, text);
}

TDocId ActiveDocId(const TCommandContext &context) {
  const TEditorDoc *doc = context.ActiveDoc();
  return doc ? doc->Id : KNoDoc;
}
