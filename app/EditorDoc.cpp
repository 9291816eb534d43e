#include "EditorDoc.h"

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
