#pragma once
// TfrmExtract: the window that shows one extraction: progress with Cancel while it scans, then
// the values in a list that draws only the rows in view, with Copy and Save As. It owns its scan
// and stops it when it closes.
#include "tools/ExtractKinds.h"

#include <QWidget>

#include <memory>

class QLabel;
class QListView;
class QProgressBar;
class QPushButton;
class QStringListModel;
class TExtractThread;
struct TExtractResult;

class TfrmExtract : public QWidget {
  Q_OBJECT

 public:
  // id names the window to the scan's reports.
  TfrmExtract(quint64 id, QWidget *owner);
  ~TfrmExtract() override;

  quint64 Id() const { return FId; }
  // Prepares the window and starts thread (made for this window's id).
  void StartExtract(const TExtractSpec &spec, std::unique_ptr<TExtractThread> thread);
  void ShowProgress(int percent);
  void ShowResult(const TExtractResult &result);
  bool Done() const { return FDone; }

  // The values shown, as Copy puts them on the clipboard: every line followed by CR LF.
  QString ResultText() const;
  void btnCopyClick();
  void btnSaveAsClick();
  void btnCancelClick();

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  quint64 FId;
  std::unique_ptr<TExtractThread> FThread;
  bool FDone = false;
  QLabel *lblInfo;
  QProgressBar *pb;
  QListView *lvResults;
  QStringListModel *FResults;
  QPushButton *btnCopy;
  QPushButton *btnSaveAs;
  QPushButton *btnCancel;
  QPushButton *btnClose;
};
