#include "DocFileActions.h"

#include "CommandContext.h"
#include "ShellActions.h"
#include "app/DocList.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/Trash.h"

#include <QFileInfo>

bool DocFileExists(const TEditorDoc *doc) { return doc && !doc->FileName.isEmpty() && QFileInfo(doc->FileName).isFile(); }

void RecycleDoc(TCommandContext &context, TEditorDoc *doc) {
  if (!DocFileExists(doc)) return;
  QString question = QStringLiteral("Move \"%1\" to the Recycle Bin?").arg(doc->DisplayName());
  if (doc->Editor->Modified()) question += QStringLiteral("\r\n\r\nIts unsaved changes will be lost.");
  const TDocId id = doc->Id;
  if (!Confirm(context.DialogParent(), question, TMessageKind::Warning)) return;
  // The question let other events run: the document may have gone or changed its file meanwhile.
  doc = context.Docs().Find(id);
  if (!DocFileExists(doc)) return;
  if (!MoveToTrash(doc->FileName)) {
    ShowError(context.DialogParent(), QStringLiteral("Could not move the file to the Recycle Bin."));
    return;
  }
  doc->Editor->SetModified(false);
  if (context.CloseDoc(doc)) context.AfterClose();
}

void LocateDoc(TCommandContext &context, const TEditorDoc *doc) {
  if (!doc || doc->FileName.isEmpty()) return;
  const QFileInfo file(doc->FileName);
  if (file.isFile()) ShowInFileManager(file.absoluteFilePath());
  else OpenFolderSafe(context.DialogParent(), file.absolutePath());
}

void OpenTerminalAtDoc(TCommandContext &context, const TEditorDoc *doc) {
  if (DocFileExists(doc)) OpenTerminalBeside(context.DialogParent(), doc->FileName);
}
