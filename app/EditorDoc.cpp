#include "EditorDoc.h"

#include "editor/Edit.h"

#include <QFileInfo>

#include <atomic>

TDocId TEditorDoc::NewId() {
  static std::atomic<TDocId> last{KNoDoc};
  return ++last;
}

QString TEditorDoc::DisplayName() const {
  return FileName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(FileName).fileName();
}

void TEditorDoc::SetEncKind(int kind) {
  EncKind = kind >= ekAnsi && kind <= ekUtf16LeBom ? TEncKind(kind) : ekUtf8;
  Encoding = EncodingOfKind(EncKind);
}

void TEditorDoc::RefreshDiskSize() {
  const QFileInfo info(FileName);
  DiskSize = !FileName.isEmpty() && info.exists() ? std::optional<qint64>(info.size()) : std::nullopt;
}

void TEditorDoc::FollowDocumentProperty(const QString &name) {
  const TMEDocument &model = Editor->Document();
  if (name == TMEDocument::KLineBreakProperty) {
    EOL = model.Property(name);
    Size.SetLineBreak(EOL);
  } else if (name == KCsvDelimProperty) {
    CsvDelim = model.Property(name);
  }
}

QString TEditorDoc::StillLoadingText() const {
  return QStringLiteral("\"%1\" is still loading. Try again when it has loaded.").arg(DisplayName());
}
