#include "ExtractWindow.h"

#include "ExtractThread.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/Prompts.h"
#include "tools/ExtractTally.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStringListModel>
#include <QVBoxLayout>

TfrmExtract::TfrmExtract(quint64 id, QWidget *owner) : QWidget(owner, Qt::Window), FId(id) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Extract"));
  QFont font = this->font();
  font.setFamilies({QStringLiteral("Segoe UI"), font.family()});
  font.setPointSize(9);
  setFont(font);
  lblInfo = new QLabel(QStringLiteral("Scanning..."), this);
  pb = new QProgressBar(this);
  pb->setRange(0, 100);
  FResults = new QStringListModel(this);
  lvResults = new QListView(this);
  lvResults->setModel(FResults);
  lvResults->setUniformItemSizes(true);
  lvResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvResults->setSelectionMode(QAbstractItemView::ExtendedSelection);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setFamilies({QStringLiteral("Consolas"), fixed.family()});
  fixed.setPointSize(9);
  lvResults->setFont(fixed);
  btnCopy = new QPushButton(QStringLiteral("Copy"), this);
  btnSaveAs = new QPushButton(QStringLiteral("Save As..."), this);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btnClose = new QPushButton(QStringLiteral("Close"), this);
  btnClose->setDefault(true);
  lblInfo->setObjectName(QStringLiteral("lblInfo"));
  pb->setObjectName(QStringLiteral("pb"));
  lvResults->setObjectName(QStringLiteral("lvResults"));
  btnCopy->setObjectName(QStringLiteral("btnCopy"));
  btnSaveAs->setObjectName(QStringLiteral("btnSaveAs"));
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnClose->setObjectName(QStringLiteral("btnClose"));
  auto *top = new QHBoxLayout;
  top->addWidget(lblInfo, 1);
  top->addWidget(pb);
  top->addWidget(btnCancel);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(btnCopy);
  buttons->addWidget(btnSaveAs);
  buttons->addStretch();
  buttons->addWidget(btnClose);
  auto *column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(lvResults, 1);
  column->addLayout(buttons);
  resize(540, 420);
  connect(btnCopy, &QPushButton::clicked, this, &TfrmExtract::btnCopyClick);
  connect(btnSaveAs, &QPushButton::clicked, this, &TfrmExtract::btnSaveAsClick);
  connect(btnCancel, &QPushButton::clicked, this, &TfrmExtract::btnCancelClick);
  connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

// The scan may still run: it is stopped and joined before the window's memory goes.
TfrmExtract::~TfrmExtract() = default;

void TfrmExtract::StartExtract(const TExtractSpec &spec, std::unique_ptr<TExtractThread> thread) {
  setWindowTitle(QStringLiteral("Extract: ") + spec.Title);
  lblInfo->setText(QStringLiteral("Scanning..."));
  FResults->setStringList({});
  pb->setValue(0);
  pb->show();
  btnCancel->show();
  btnCopy->setEnabled(false);
  btnSaveAs->setEnabled(false);
  FDone = false;
  if (QWidget *owner = parentWidget()) move(owner->geometry().center() - rect().center());
  FThread = std::move(thread);
  FThread->start();
}

void TfrmExtract::ShowProgress(int percent) { pb->setValue(percent); }

void TfrmExtract::ShowResult(const TExtractResult &result) {
  FThread.reset();
  FDone = true;
  pb->setValue(100);
  pb->hide();
  btnCancel->hide();
  FResults->setStringList(result.Lines);
  lblInfo->setText(result.Summary);
  btnCopy->setEnabled(!result.Lines.isEmpty());
  btnSaveAs->setEnabled(!result.Lines.isEmpty());
}

QString TfrmExtract::ResultText() const { return ExtractResultText(FResults->stringList()); }

void TfrmExtract::btnCopyClick() {
  if (FResults->rowCount() > 0) SetClipboardText(ResultText());
}

void TfrmExtract::btnSaveAsClick() {
  if (FResults->rowCount() == 0) return;
  const std::optional<QString> path = AskSaveFile(this, QStringLiteral("Save Extracted Results As"),
                                                  QStringLiteral("Text files (*.txt);;All files (*)"), QStringLiteral("txt"));
  if (!path) return;
  QSaveFile file(*path);
  const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + ResultText().toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    ShowError(this, QStringLiteral("Could not save file: ") + file.errorString());
}

void TfrmExtract::btnCancelClick() {
  if (!FThread) return;
  FThread.reset();  // stopped and joined; a stopped scan reports nothing
  FDone = true;
  pb->hide();
  btnCancel->hide();
  lblInfo->setText(QStringLiteral("Cancelled."));
}

void TfrmExtract::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) close();
  else QWidget::keyPressEvent(event);
}
