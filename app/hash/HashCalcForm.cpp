#include "HashCalcForm.h"

#include "HashThread.h"
#include "app/LiveIds.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {
QString FirstLocalFile(const QMimeData *data) {
  for (const QUrl &url : data->urls())
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) return url.toLocalFile();
  return {};
}
}  // namespace

TfrmHashCalc::TfrmHashCalc(QWidget *parent) : QDialog(parent), FId(TLiveIds<TfrmHashCalc>::Add(this)) {
  setWindowTitle(QStringLiteral("File Hash Calculator"));
  setAttribute(Qt::WA_QuitOnClose, false);
  setFixedSize(540, 280);
  setAcceptDrops(true);
  AskOpenPath = [this](const QString &current) {
    return QFileDialog::getOpenFileName(this, QString(), QFileInfo(current).path());
  };
  lblFile = new QLabel(QStringLiteral("File:"), this);
  edFile = new QLineEdit(this);
  edFile->setObjectName(QStringLiteral("edFile"));
  btnBrowse = new QPushButton(QStringLiteral("Browse..."), this);
  btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
  btnCalc = new QPushButton(QStringLiteral("Calculate"), this);
  btnCalc->setObjectName(QStringLiteral("btnCalc"));
  btnCalc->setDefault(true);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setAutoDefault(false);
  pbHash = new QProgressBar(this);
  pbHash->setRange(0, 100);
  mmoResults = new QPlainTextEdit(this);
  mmoResults->setObjectName(QStringLiteral("mmoResults"));
  mmoResults->setReadOnly(true);
  mmoResults->setLineWrapMode(QPlainTextEdit::NoWrap);
  mmoResults->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mmoResults->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  btnCopy = new QPushButton(QStringLiteral("Copy"), this);
  btnCopy->setObjectName(QStringLiteral("btnCopy"));
  btnCopy->setAutoDefault(false);
  btnClose = new QPushButton(QStringLiteral("Close"), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setAutoDefault(false);

  auto *grid = new QGridLayout(this);
  grid->addWidget(lblFile, 0, 0);
  grid->addWidget(edFile, 0, 1);
  grid->addWidget(btnBrowse, 0, 2);
  grid->addWidget(pbHash, 1, 1);
  auto *actions = new QHBoxLayout;
  actions->addWidget(btnCancel);
  actions->addWidget(btnCalc);
  grid->addLayout(actions, 1, 2);
  grid->addWidget(mmoResults, 2, 0, 1, 3);
  auto *bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(btnCopy);
  bottom->addWidget(btnClose);
  grid->addLayout(bottom, 3, 0, 1, 3);

  connect(btnCalc, &QPushButton::clicked, this, &TfrmHashCalc::btnCalcClick);
  connect(btnBrowse, &QPushButton::clicked, this, &TfrmHashCalc::btnBrowseClick);
  connect(btnCopy, &QPushButton::clicked, this, &TfrmHashCalc::btnCopyClick);
  connect(btnCancel, &QPushButton::clicked, this, &TfrmHashCalc::btnCancelClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(edFile, &QLineEdit::textChanged, this, &TfrmHashCalc::edFileChanged);
  SetBusy(false);
}

TfrmHashCalc::~TfrmHashCalc() {
  TLiveIds<TfrmHashCalc>::Remove(FId);
  FThread.reset();
}

QString TfrmHashCalc::ResultText() const { return mmoResults->toPlainText(); }
QString TfrmHashCalc::FileText() const { return edFile->text(); }

void TfrmHashCalc::SetInitialFile(const QString &path) { edFile->setText(path); }

void TfrmHashCalc::CalculateFile(const QString &path) {
  if (FBusy) btnCancelClick();
  edFile->setText(path);
  btnCalcClick();
}

void TfrmHashCalc::edFileChanged() {
  if (edFile->text() != FResultPath) {
    FResultPath.clear();
    mmoResults->clear();
  }
}

// A relative path would be taken from wherever the program was started: only a whole path counts.
void TfrmHashCalc::btnCalcClick() {
  if (FBusy) return;
  const QString path = edFile->text();
  if (!QDir::isAbsolutePath(path) || !QFileInfo(path).isFile()) {
    ShowInformation(this, QStringLiteral("Please choose an existing file first."));
    return;
  }
  FResultPath = path;
  ShowResult({QStringLiteral("Calculating...")});
  SetBusy(true);
  const quint64 id = FId, job = ++FJob;
  FThread.reset();
  FThread = std::make_unique<THashThread>(
      path,
      [id, job](int percent) {
        if (TfrmHashCalc *form = TLiveIds<TfrmHashCalc>::Find(id)) form->HashProgress(job, percent);
      },
      [id, job](const THashResult &result) {
        if (TfrmHashCalc *form = TLiveIds<TfrmHashCalc>::Find(id)) form->HashDone(job, result);
      });
}

void TfrmHashCalc::btnCancelClick() {
  if (!FBusy) return;
  FThread->Stop();
  SetBusy(false);
  ShowResult({QStringLiteral("Cancelled.")});
  Q_EMIT HashEnded();
}

void TfrmHashCalc::HashProgress(quint64 job, int percent) {
  if (job == FJob && FBusy) pbHash->setValue(percent);
}

void TfrmHashCalc::HashDone(quint64 job, const THashResult &result) {
  if (job != FJob || !FBusy) return;
  SetBusy(false);
  if (result.OK)
    ShowResult({QStringLiteral("MD5: ") + result.MD5, QStringLiteral("SHA-1: ") + result.SHA1,
                QStringLiteral("SHA-256: ") + result.SHA256, QStringLiteral("SHA-512: ") + result.SHA512});
  else
    ShowResult({QStringLiteral("Error: ") + result.Error});
  Q_EMIT HashEnded();
}

// The path heads the lines, so the digests never stand apart from the file they belong to.
void TfrmHashCalc::ShowResult(const QStringList &lines) {
  mmoResults->setPlainText((QStringList{QStringLiteral("File: ") + FResultPath} + lines).join(u'\n'));
}

void TfrmHashCalc::SetBusy(bool busy) {
  FBusy = busy;
  btnCalc->setEnabled(!busy);
  btnBrowse->setEnabled(!busy);
  edFile->setEnabled(!busy);
  pbHash->setValue(0);
  pbHash->setVisible(busy);
  btnCancel->setVisible(busy);
}

void TfrmHashCalc::btnBrowseClick() {
  if (FBusy) return;
  if (const QString path = AskOpenPath(edFile->text()); !path.isEmpty()) edFile->setText(path);
}

void TfrmHashCalc::btnCopyClick() {
  if (const QString text = mmoResults->toPlainText(); !text.isEmpty()) SetClipboardText(text);
}

void TfrmHashCalc::dragEnterEvent(QDragEnterEvent *event) {
  if (!FBusy && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// A drop while a hash runs is refused: the box keeps the path being hashed.
void TfrmHashCalc::dropEvent(QDropEvent *event) {
  if (FBusy) return;
  if (const QString path = FirstLocalFile(event->mimeData()); !path.isEmpty()) {
    edFile->setText(path);
    event->acceptProposedAction();
  }
}
