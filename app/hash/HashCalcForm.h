#pragma once
// TfrmHashCalc: the "File Hash Calculator" window — the MD5, SHA-1, SHA-256 and SHA-512 digests of
// one file, computed by a hasher on a worker with progress and Cancel, listed under the path they
// belong to, ready to copy. Closing the window only hides it; a running hash goes on.
#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class THashThread;
struct THashResult;

class TfrmHashCalc : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmHashCalc(QWidget *parent = nullptr);
  ~TfrmHashCalc() override;

  // The path in the box, nothing started.
  void SetInitialFile(const QString &path);
  // The path in the box, and Calculate; a hash of another file still running is stopped first.
  void CalculateFile(const QString &path);

  bool Busy() const { return FBusy; }
  QString ResultText() const;
  QString FileText() const;
  // The Browse dialog's answer; tests replace it. Empty: cancelled.
  std::function<QString(const QString &current)> AskOpenPath;

 Q_SIGNALS:
  // The hash ended, with digests or an error, or was cancelled.
  void HashEnded();

 protected:
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

 private:
  void btnCalcClick();
  void btnBrowseClick();
  void btnCopyClick();
  void btnCancelClick();
  // The box's text changed: results of another path give way.
  void edFileChanged();
  void SetBusy(bool busy);
  void ShowResult(const QStringList &lines);
  void HashProgress(quint64 job, int percent);
  void HashDone(quint64 job, const THashResult &result);

  QLabel *lblFile;
  QLineEdit *edFile;
  QPushButton *btnBrowse, *btnCalc, *btnCancel, *btnCopy, *btnClose;
  QProgressBar *pbHash;
  QPlainTextEdit *mmoResults;
  std::unique_ptr<THashThread> FThread;
  bool FBusy = false;
  // The path of the results shown, or being computed.
  QString FResultPath;
  const quint64 FId;
  quint64 FJob = 0;
};
