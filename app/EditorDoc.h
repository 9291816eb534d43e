#pragma once
// TEditorDoc: one open document — its editor (which is also its tab page), the file it came from
// and how that file is written back.
#include "DocId.h"
#include "DocSize.h"
#include "core/Encoding.h"
#include "highlight/LanguageTags.h"

#include <QString>

#include <optional>

class TMEEdit;

// The name of the stored CSV delimiter among the document model's properties.
inline const QString KCsvDelimProperty = QStringLiteral("CsvDelim");

struct TEditorDoc {
  const TDocId Id = NewId();
  TMEEdit *Editor = nullptr;  // owned by the tab widget
  QString FileName;
  const TEncoding *Encoding = TEncoding::Utf8();
  TEncKind EncKind = ekUtf8;
  QString EOL = QStringLiteral("\r\n");
  bool IsLoading = false;
  int LangTag = KLangTagFromHighlighter;
  QString CsvDelim;
  // The load changed what the file holds (control characters shown as dots, invalid UTF-8, cut
  // lines); saving over the file then needs the user's consent.
  bool DecodeAltered = false;
  TDocSizeCounter Size;
  // The file's size when it was last loaded or saved; none when it did not exist then. The status
  // bar shows it for an unmodified document without asking the disk on every caret move.
  std::optional<qint64> DiskSize;

  QString DisplayName() const;
  // Keeps Encoding in step with a new kind.
  void SetEncKind(int kind);
  // Reads the size of FileName from the disk again.
  void RefreshDiskSize();
  // EOL and CsvDelim are kept by the document model too, whose undo history restores them with
  // the text a command changed along with them; the fields follow the model's reports.
  void FollowDocumentProperty(const QString &name);
  // The refusal of a command that would act on the text before it has arrived.
  QString StillLoadingText() const;

 private:
  static TDocId NewId();
};
