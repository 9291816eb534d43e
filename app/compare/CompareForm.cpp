#include "CompareForm.h"

#include "app/GutterSpacer.h"
#include "app/LiveIds.h"
#include "app/Worker.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr int KNameLength = 70;
constexpr int KSplitterWidth = 6;

void SetLines(TMEEdit &pane, QStringList &&lines) {
  auto adopted = std::make_unique<QStringList>(std::move(lines));
  pane.Document().AdoptLines(adopted, leCRLF);
}
}  // namespace

struct TfrmCompare::TOutcome {
  TComparePanes Panes;
  QString Error;
  bool Ok = false;
};

TfrmCompare::TfrmCompare(QWidget *parent) : QWidget(parent, Qt::Window), FId(TLiveIds<TfrmCompare>::Add(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  // The program ends with its main window, whatever side windows are still open.
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(QStringLiteral("Compare"));
  resize(1000, 600);

  pnlTop = new QWidget(this);
  pnlTop->setFixedHeight(44);
  auto *top = new QHBoxLayout(pnlTop);
  top->setContentsMargins(8, 8, 8, 8);
  pbDiff = new QProgressBar(pnlTop);
  pbDiff->setRange(0, 100);
  pbDiff->setMaximumWidth(240);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), pnlTop);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  top->addWidget(pbDiff);
  top->addWidget(btnCancel);
  top->addStretch(1);
  const auto button = [this, top](const QString &name, const QString &caption) {
    auto *b = new QPushButton(caption, pnlTop);
    b->setObjectName(name);
    b->setFixedSize(80, 28);
    top->addWidget(b);
    return b;
  };
  btnReload = button(QStringLiteral("btnReload"), QStringLiteral("Reload"));
  btnPrev = button(QStringLiteral("btnPrev"), QStringLiteral("Prev Diff"));
  btnNext = button(QStringLiteral("btnNext"), QStringLiteral("Next Diff"));
  btnClose = button(QStringLiteral("btnClose"), QStringLiteral("Close"));

  splitMid = new QSplitter(Qt::Horizontal, this);
  splitMid->setHandleWidth(KSplitterWidth);
  splitMid->setChildrenCollapsible(false);
  pnlLeft = new QWidget(splitMid);
  pnlRight = new QWidget(splitMid);
  FLeft = MakePane(pnlLeft, FLblLeft, FLeftInfo);
  FRight = MakePane(pnlRight, FLblRight, FRightInfo);
  auto *form = new QVBoxLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  form->setSpacing(0);
  form->addWidget(pnlTop);
  form->addWidget(splitMid, 1);

  FPopup = new QMenu(this);
  FMnuCopy = FPopup->addAction(QStringLiteral("Copy"));
  FMnuCopy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
  FPopup->addSeparator();
  FMnuEdit = FPopup->addAction(QStringLiteral("Edit original file at this line"));
  connect(FMnuCopy, &QAction::triggered, this, [this] {
    if (FPopupPane) FPopupPane->CopyToClipboard();
  });
  connect(FMnuEdit, &QAction::triggered, this, [this] {
    if (FPopupPane) JumpToSource(FPopupPane);
  });

  connect(btnReload, &QPushButton::clicked, this, &TfrmCompare::Reload);
  connect(btnPrev, &QPushButton::clicked, this, [this] { GoToDiff(false); });
  connect(btnNext, &QPushButton::clicked, this, [this] { GoToDiff(true); });
  connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
  connect(btnCancel, &QPushButton::clicked, this, &TfrmCompare::CancelDiff);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  connect(splitMid, &QSplitter::splitterMoved, this, [this](int position) {
    const int width = splitMid->width() - KSplitterWidth;
    if (width > 0) FSplitRatio = double(position) / width;
  });
  for (auto [source, target] : {std::pair{FLeft, FRight}, std::pair{FRight, FLeft}}) {
    connect(source, &TMEEdit::OnScroll, this, [this, source, target] { SyncScroll(source, target); });
    connect(source, &TMEEdit::OnStatusChange, this, [this, source, target](TMEStatusChanges changes) {
      if (changes & (scTopLine | scLeftChar)) SyncScroll(source, target);
    });
    connect(source, &TMEEdit::OnDblClick, this, [this, source] { JumpToSource(source); });
    connect(source, &QWidget::customContextMenuRequested, this,
            [this, source](const QPoint &pos) { PopupMenu(source, pos); });
  }
  SetBusy(false);
}

TfrmCompare::~TfrmCompare() {
  TLiveIds<TfrmCompare>::Remove(FId);
  FWorker.reset();
}

TMEEdit *TfrmCompare::MakePane(QWidget *panel, QLabel *&label, const std::vector<TLineInfo> &info) {
  auto *header = new QWidget(panel);
  header->setFixedHeight(24);
  header->setAutoFillBackground(true);
  header->setBackgroundRole(QPalette::Button);
  label = new QLabel(header);
  auto *headerLayout = new QHBoxLayout(header);
  headerLayout->setContentsMargins(6, 0, 0, 0);
  headerLayout->addWidget(label, 1, Qt::AlignVCenter);
  auto *pane = new TMEEdit(panel);
  pane->SetReadOnly(true);
  pane->SetWordWrap(false);
  pane->Gutter().SetShowLineNumbers(true);
  AddLineNumberSpacer(pane->Gutter());
  pane->SetOptions(pane->Options() | eoSpecialLineDefaultFg);
  pane->setContextMenuPolicy(Qt::CustomContextMenu);
  pane->SetOnSpecialLineColors([&info](int line, TColor &, TColor &bg) {
    if (line < 1 || size_t(line) > info.size()) return false;
    switch (info[size_t(line) - 1].Kind) {
      case dkEqual: return false;
      case dkChanged: bg = KChangedRowColor; break;
      case dkDelete: bg = KDeletedRowColor; break;
      case dkInsert: bg = KInsertedRowColor; break;
    }
    return true;
  });
  auto *layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(header);
  layout->addWidget(pane, 1);
  return pane;
}

void TfrmCompare::ShowDiff(const QString &leftName, const QString &rightName, const QStringList &leftLines,
                           const QStringList &rightLines, TCompareJumpEvent onJump, TCompareFetchEvent onFetch) {
  FOnJump = std::move(onJump);
  FOnFetch = std::move(onFetch);
  FLblLeft->setText(TruncateMiddle(leftName, KNameLength));
  FLblLeft->setToolTip(leftName);
  FLblRight->setText(TruncateMiddle(rightName, KNameLength));
  FLblRight->setToolTip(rightName);
  StartDiff(leftLines, rightLines, TAfterDiff::FirstDifference);
}

void TfrmCompare::Reload() {
  if (!FOnFetch || FBusy) return;
  FKeptTop = FLeft->TopLine();
  FKeptCaret = FLeft->CaretY();
  QStringList left, right;
  FOnFetch(0, left);
  FOnFetch(1, right);
  StartDiff(std::move(left), std::move(right), TAfterDiff::KeptPlace);
}

// The worker diffs its own copies and lays the rows out for the panes; the window takes them when
// it is still there and still waiting for this very diff.
void TfrmCompare::StartDiff(QStringList left, QStringList right, TAfterDiff after) {
  FWorker.reset();
  FAfter = after;
  const quint64 id = FId, job = ++FJob;
  SetBusy(true);
  FWorker = std::make_unique<TWorker>([id, job, budget = MemoryBudget, left = std::move(left),
                                       right = std::move(right)](const std::atomic<bool> &stop) {
    TDiffControl control;
    control.Cancel = &stop;
    control.MemoryBudget = budget;
    control.OnProgress = [id, job](int percent) {
      PostToMainThread([id, job, percent] {
        if (TfrmCompare *form = TLiveIds<TfrmCompare>::Find(id)) form->DiffProgress(job, percent);
      });
    };
    TResult<TDiffRows> rows = ComputeDiff(left, right, control);
    if (stop) return;
    TResult<TComparePanes> panes =
        rows.IsOk() ? CatchToolErrors([&] { return TResult<TComparePanes>::Success(LayOutPanes(rows.Value())); })
                    : TResult<TComparePanes>::Failure(rows.Error());
    auto outcome = std::make_shared<TOutcome>();
    outcome->Ok = panes.IsOk();
    outcome->Error = panes.Error();
    outcome->Panes = panes.TakeValue();
    PostToMainThread([id, job, outcome] {
      if (TfrmCompare *form = TLiveIds<TfrmCompare>::Find(id)) form->DiffDone(job, *outcome);
    });
  });
}

void TfrmCompare::DiffProgress(quint64 job, int percent) {
  if (job == FJob && FBusy) pbDiff->setValue(percent);
}

void TfrmCompare::DiffDone(quint64 job, TOutcome &outcome) {
  if (job != FJob || !FBusy) return;
  SetBusy(false);
  if (!outcome.Ok) {
    ShowWarning(this, outcome.Error);
    Q_EMIT DiffStopped();
    return;
  }
  FillPanes(outcome.Panes);
  const int rows = FLeft->LineCount();
  if (FAfter == TAfterDiff::FirstDifference) {
    if (!FDiffRows.empty()) PlaceLeft(FDiffRows.front() + 1, FDiffRows.front() + 1);
  } else {
    PlaceLeft(qBound(1, FKeptCaret, rows), qBound(1, FKeptTop, rows));
  }
  Q_EMIT DiffShown();
}

void TfrmCompare::CancelDiff() {
  if (!FBusy) return;
  if (FWorker) FWorker->Stop();
  SetBusy(false);
  Q_EMIT DiffStopped();
}

void TfrmCompare::FillPanes(TComparePanes &panes) {
  FLeftInfo = std::move(panes.LeftInfo);
  FRightInfo = std::move(panes.RightInfo);
  FDiffRows = std::move(panes.DiffRows);
  for (TMEEdit *pane : {FLeft, FRight}) pane->SetCaretXY({1, 1});
  SetLines(*FLeft, std::move(panes.LeftLines));
  SetLines(*FRight, std::move(panes.RightLines));
  for (TMEEdit *pane : {FLeft, FRight}) {
    pane->SetCaretXY({1, 1});
    pane->SetTopLine(1);
    pane->SetLeftChar(1);
    pane->UpdateScrollBars();
  }
}

void TfrmCompare::SetBusy(bool busy) {
  FBusy = busy;
  pbDiff->setValue(0);
  pbDiff->setVisible(busy);
  btnCancel->setVisible(busy);
  for (QPushButton *b : {btnReload, btnPrev, btnNext}) b->setEnabled(!busy);
}

void TfrmCompare::PlaceLeft(int row, int top) {
  FLeft->SetCaretXY({1, row});
  FLeft->SetTopLine(top);
  SyncScroll(FLeft, FRight);
}

void TfrmCompare::GoToDiff(bool forward) {
  if (FDiffRows.empty() || FBusy) return;
  const int caret = FLeft->CaretY() - 1;
  int row;
  if (forward) {
    const auto next = std::upper_bound(FDiffRows.begin(), FDiffRows.end(), caret);
    row = next == FDiffRows.end() ? FDiffRows.front() : *next;
  } else {
    const auto next = std::lower_bound(FDiffRows.begin(), FDiffRows.end(), caret);
    row = next == FDiffRows.begin() ? FDiffRows.back() : *(next - 1);
  }
  PlaceLeft(row + 1, qMax(1, row + 1 - 3));
}

void TfrmCompare::SyncScroll(TMEEdit *source, TMEEdit *target) {
  if (FSyncing) return;
  FSyncing = true;
  target->SetTopLine(source->TopLine());
  target->SetLeftChar(source->LeftChar());
  FSyncing = false;
}

void TfrmCompare::JumpToSource(TMEEdit *pane) {
  const std::vector<TLineInfo> &info = pane == FLeft ? FLeftInfo : FRightInfo;
  const int row = pane->CaretY();
  if (!FOnJump || row < 1 || size_t(row) > info.size()) return;
  if (const int line = info[size_t(row) - 1].SourceLine; line > 0) FOnJump(pane == FLeft ? 0 : 1, line);
}

void TfrmCompare::PopupMenu(TMEEdit *pane, const QPoint &pos) {
  FPopupPane = pane;
  if (!pane->SelAvail()) pane->SetCaretXY(pane->DisplayToBufferPos(pane->PixelsToRowColumn(pos.x(), pos.y())));
  const std::vector<TLineInfo> &info = pane == FLeft ? FLeftInfo : FRightInfo;
  const int row = pane->CaretY();
  FMnuEdit->setEnabled(row >= 1 && size_t(row) <= info.size() && info[size_t(row) - 1].SourceLine > 0);
  FMnuCopy->setEnabled(pane->SelAvail());
  FPopup->popup(pane->viewport()->mapToGlobal(pos));
}

void TfrmCompare::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  if (!FInitialSplitDone) {
    FSplitRatio = 0.5;
    FInitialSplitDone = true;
  }
  ApplySplitRatio();
}

void TfrmCompare::ApplySplitRatio() {
  const int width = splitMid->width() - KSplitterWidth;
  if (width <= 0) return;
  const int left = int(std::lround(width * FSplitRatio));
  splitMid->setSizes({left, width - left});
}
