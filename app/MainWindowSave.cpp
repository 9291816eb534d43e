// Saving a document over its file or under a new name, and saving a copy.
#include "MainWindow.h"
#include "core/DocWriter.h"
#include "editor/Edit.h"
#include "highlight/HighlighterSet.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace {
const QString KAlteredQuestion = QStringLiteral(
    "This file contained characters or lines that could not be loaded exactly. Saving will change them. "
    "Save anyway?");
}  // namespace

bool TfrmMain::SaveDoc(TEditorDoc *doc, bool saveAs) {
  if (!doc || RefuseWhileLoading(doc)) return false;
  const QString source = doc->FileName;
  QString target = source;
  if (saveAs || target.isEmpty()) {
    const QString chosen = AskSavePath(source);
    if (chosen.isEmpty()) return false;
    target = QFileInfo(chosen).absoluteFilePath();
  }
  // What the editor shows is not what the file holds; writing it back changes the file.
  if (doc->DecodeAltered && !source.isEmpty() && SamePath(target, source) &&
      !Confirm(this, KAlteredQuestion, TMessageKind::Warning))
    return false;
  QString error;
  const bool written = WriteDocToFile(target, doc->Editor->Lines(), doc->EOL, doc->EncKind, &error);
  // The document takes the new name only once its text is there: after a failed Save As the tab
  // would otherwise stand for a file that holds none of it.
  if (written && target != source) {
    doc->FileName = target;
    doc->Editor->SetHighlighter(FHighlighters->ForFileName(target));
  }
  if (written) {
    doc->Editor->SetModified(false);
    doc->DecodeAltered = false;
    doc->RefreshDiskSize();
  }
  UpdateTabCaption(doc);
  if (doc == ActiveDoc()) {
    UpdateTitle();
    UpdateStatus();
  }
  if (!written) ShowError(this, QStringLiteral("Could not save file: ") + error);
  return written;
}

void TfrmMain::SaveCopyAs(TEditorDoc *doc) {
  if (!doc || RefuseWhileLoading(doc)) return;
  const QString chosen = AskSavePath(doc->FileName);
  if (chosen.isEmpty()) return;
  const QString target = QFileInfo(chosen).absoluteFilePath();
  if (doc->DecodeAltered && !doc->FileName.isEmpty() && SamePath(target, doc->FileName) &&
      !Confirm(this, KAlteredQuestion, TMessageKind::Warning))
    return;
  QString error;
  if (!WriteDocToFile(target, doc->Editor->Lines(), doc->EOL, doc->EncKind, &error)) {
    ShowError(this, QStringLiteral("Could not save copy: ") + error);
    return;
  }
  // The copy may have gone over the file of an open document.
  if (TEditorDoc *overwritten = FDocs.ByFileName(target)) overwritten->RefreshDiskSize();
  AddToRecent(target);
}
