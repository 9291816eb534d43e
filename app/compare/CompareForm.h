#pragma once
// TfrmCompare: two documents side by side, aligned row by row by the line diff — coloured rows,
// panes that scroll together, next and previous difference, a reload of the documents' current
// text, and a jump from a row back to its line in the editor. The diff runs on a worker with its
// progress and a Cancel button, so the window never waits for it; each pane is filled with exactly
// one line per row, however long the line.
#include "ComparePanes.h"
#include "platform/Colors.h"

#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class TMEEdit;
class TWorker;

// side: 0 the left document, 1 the right one.
using TCompareJumpEvent = std::function<void(int side, int line)>;
using TCompareFetchEvent = std::function<void(int side, QStringList &lines)>;

// Row backgrounds by kind.
constexpr TColor KChangedRowColor = 0xCFF4FF;  // #FFF4CF
constexpr TColor KDeletedRowColor = 0xDCDCFF;  // #FFDCDC
constexpr TColor KInsertedRowColor = 0xDCFFE4;  // #E4FFDC

class TfrmCompare : public QWidget {
  Q_OBJECT

 public:
  // Destroyed when closed.
  explicit TfrmCompare(QWidget *parent = nullptr);
  ~TfrmCompare() override;

  // Starts the comparison of the two lists, each a copy of its document's lines.
  void ShowDiff(const QString &leftName, const QString &rightName, const QStringList &leftLines,
                const QStringList &rightLines, TCompareJumpEvent onJump, TCompareFetchEvent onFetch);

  void GoToDiff(bool forward);
  // Compares the documents' current text again, keeping the place where it can.
  void Reload();
  void JumpToSource(TMEEdit *pane);
  void SyncScroll(TMEEdit *source, TMEEdit *target);
  // Stops a running diff; the panes stay as they were.
  void CancelDiff();

  TMEEdit *LeftPane() const { return FLeft; }
  TMEEdit *RightPane() const { return FRight; }
  const std::vector<TLineInfo> &LeftInfo() const { return FLeftInfo; }
  const std::vector<TLineInfo> &RightInfo() const { return FRightInfo; }
  const std::vector<int> &DiffRows() const { return FDiffRows; }
  bool Busy() const { return FBusy; }
  QMenu *PanesMenu() const { return FPopup; }
  // What a diff may take before it is refused; tests lower it.
  qint64 MemoryBudget = KDiffMemoryBudget;

 Q_SIGNALS:
  // The diff started last is in the panes.
  void DiffShown();
  // It was cancelled or refused; the panes are as they were.
  void DiffStopped();

 protected:
  void resizeEvent(QResizeEvent *event) override;

 private:
  struct TOutcome;
  enum class TAfterDiff { FirstDifference, KeptPlace };

  TMEEdit *MakePane(QWidget *panel, QLabel *&label, const std::vector<TLineInfo> &info);
  void StartDiff(QStringList left, QStringList right, TAfterDiff after);
  void DiffProgress(quint64 job, int percent);
  void DiffDone(quint64 job, TOutcome &outcome);
  void FillPanes(TComparePanes &panes);
  void SetBusy(bool busy);
  // Left caret to column 1 of row (1-based), the left top line to top, the right pane after them.
  void PlaceLeft(int row, int top);
  void PopupMenu(TMEEdit *pane, const QPoint &pos);
  void ApplySplitRatio();

  QWidget *pnlTop;
  QPushButton *btnReload, *btnPrev, *btnNext, *btnClose, *btnCancel;
  QProgressBar *pbDiff;
  QWidget *pnlLeft, *pnlRight;
  QSplitter *splitMid;
  TMEEdit *FLeft, *FRight;
  QLabel *FLblLeft, *FLblRight;
  std::vector<TLineInfo> FLeftInfo, FRightInfo;
  bool FSyncing = false;
  double FSplitRatio = 0.5;
  bool FInitialSplitDone = false;
  std::vector<int> FDiffRows;
  TCompareJumpEvent FOnJump;
  TCompareFetchEvent FOnFetch;
  QMenu *FPopup;
  QAction *FMnuCopy, *FMnuEdit;
  TMEEdit *FPopupPane = nullptr;

  const quint64 FId;
  quint64 FJob = 0;
  std::unique_ptr<TWorker> FWorker;
  bool FBusy = false;
  TAfterDiff FAfter = TAfterDiff::FirstDifference;
  int FKeptTop = 1, FKeptCaret = 1;
};
