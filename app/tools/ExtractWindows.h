#pragma once
// TExtractWindows: the extraction windows. It starts each scan of an editor's text in a window of
// its own and receives every scan's reports, finding the window by id when a report arrives (a
// window closed meanwhile finds none). Going away, it closes its windows first, so every scan has
// been stopped and joined before the receiver is gone.
#include "tools/ExtractKinds.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <unordered_map>

class QWidget;
class TfrmExtract;
class TMEEdit;

class TExtractWindows : public QObject {
  Q_OBJECT

 public:
  // owner: the window the result windows stay with.
  explicit TExtractWindows(QWidget *owner);
  ~TExtractWindows() override;

  // Opens a window scanning lines for kind and shows it without waiting.
  TfrmExtract *Start(QStringList lines, TExtractKind kind);
  TfrmExtract *Find(quint64 id) const;

  // What an extraction scans: the selected lines (the first and last cut at the selection's
  // ends), else every line. The lines share their characters with the editor's.
  static QStringList InputLines(const TMEEdit &editor);

 private:
  QWidget *FOwner;
  quint64 FLastId = 0;
  std::unordered_map<quint64, QPointer<TfrmExtract>> FWindows;
};
