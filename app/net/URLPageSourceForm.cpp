#include "URLPageSourceForm.h"

#include "core/Encoding.h"
#include "editor/Edit.h"
#include "platform/Clipboard.h"
#include "platform/FontChoice.h"
#include "platform/MessageBox.h"
#include "platform/Prompts.h"
#include "tools/net/PageText.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString KViewCaption = u"View Page Source"_s;
}  // namespace

TfrmURLPageSource::TfrmURLPageSource(QWidget *owner) : QWidget(owner, Qt::Window) {
  setWindowTitle(u"View URL Page Source"_s);
  resize(760, 500);
  auto *layout = new QVBoxLayout(this);
  auto *pnlTop = new QHBoxLayout;
  edUrl = new QLineEdit(this);
  btnView = new QPushButton(KViewCaption, this);
  pnlTop->addWidget(edUrl, 1);
  pnlTop->addWidget(btnView);
  layout->addLayout(pnlTop);
  edt = new TMEEdit(this);
  edt->SetReadOnly(true);
  edt->SetWordWrap(false);
  edt->setFont(ChooseFixedFont(u"Consolas"_s, 10));
  edt->Gutter().SetFont(ChooseFixedFont(u"Consolas"_s, 10));
  edt->Gutter().SetShowLineNumbers(true);
  layout->addWidget(edt, 1);
  auto *pnlBottom = new QHBoxLayout;
  btnCopy = new QPushButton(u"Copy"_s, this);
  btnSaveAs = new QPushButton(u"Save As..."_s, this);
  btnOpenInEditor = new QPushButton(u"Open in Editor"_s, this);
  btnClose = new QPushButton(u"Close"_s, this);
  pnlBottom->addStretch(1);
  for (QPushButton *button : {btnCopy, btnSaveAs, btnOpenInEditor, btnClose}) pnlBottom->addWidget(button);
  layout->addLayout(pnlBottom);
  connect(btnView, &QPushButton::clicked, this, &TfrmURLPageSource::btnViewClick);
  connect(edUrl, &QLineEdit::returnPressed, this, &TfrmURLPageSource::btnViewClick);
  connect(btnCopy, &QPushButton::clicked, this, &TfrmURLPageSource::btnCopyClick);
  connect(btnSaveAs, &QPushButton::clicked, this, &TfrmURLPageSource::btnSaveAsClick);
  connect(btnOpenInEditor, &QPushButton::clicked, this, &TfrmURLPageSource::btnOpenInEditorClick);
  connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
  auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void TfrmURLPageSource::ShowFor(const QString &url) {
  edUrl->setText(url);
  ShowText(QString());
  if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
  show();
  raise();
  activateWindow();
  if (!url.isEmpty()) btnViewClick();
}

void TfrmURLPageSource::btnViewClick() {
  if (FBusy) return;
  if (edUrl->text().trimmed().isEmpty()) return;
  StartFetch(std::nullopt);
}

void TfrmURLPageSource::StartFetch(const std::optional<TCertificateException> &trustOnce) {
  SetBusy(true);
  ShowText(QString());
  FTooLarge = false;
  FShowsError = false;
  THttpFetch *fetch = THttpFetch::Start({QUrl(edUrl->text().trimmed()), Profile, trustOnce}, this);
  connect(fetch, &THttpFetch::Finished, this, &TfrmURLPageSource::FetchFinished);
}

void TfrmURLPageSource::FetchFinished(const TFetchResult &result) {
  SetBusy(false);
  switch (result.Status) {
    case TFetchStatus::TooLarge:
      FTooLarge = true;
      ShowText(QString());
      ShowError(this, u"Remote content is higher than 5MB limit."_s);
      return;
    case TFetchStatus::Failed:
    case TFetchStatus::CertificateRejected:
      FShowsError = true;
      ShowText(u"// Failed to fetch URL:\r\n// "_s + result.Error);
      break;
    case TFetchStatus::Ok: ShowText(DecodePageBody(result.Body, result.ContentType)); return;
  }
  if (result.Status != TFetchStatus::CertificateRejected) return;
  const QString question = u"The certificate of %1 is not trusted:\r\n%2\r\n\r\nLoad this page anyway, trusting this "
                           u"certificate for this one fetch?"_s.arg(result.Host, result.CertificateProblems.join(u"\r\n"_s));
  if (Confirm(this, question, TMessageKind::Warning)) StartFetch(TCertificateException{result.Host, result.Certificate});
}

void TfrmURLPageSource::SetBusy(bool busy) {
  FBusy = busy;
  btnView->setEnabled(!busy);
  btnView->setText(busy ? u"Loading..."_s : KViewCaption);
  edUrl->setEnabled(!busy);
}

void TfrmURLPageSource::ShowText(const QString &text) {
  FShownText = text;
  edt->SetText(text);
}

void TfrmURLPageSource::btnCopyClick() {
  if (!FShownText.isEmpty()) SetClipboardText(FShownText);
}

void TfrmURLPageSource::btnSaveAsClick() {
  if (FShownText.isEmpty()) return;
  const std::optional<QString> path =
      AskSaveFile(this, u"Save Page Source As"_s, u"Text files (*.txt);;All files (*)"_s, u"txt"_s);
  if (!path) return;
  QSaveFile file(*path);
  if (!file.open(QIODevice::WriteOnly) || file.write("\xEF\xBB\xBF") < 0 || file.write(TEncoding::Utf8()->Encode(FShownText)) < 0 ||
      !file.commit())
    ShowError(this, u"Could not save file: "_s + file.errorString());
}

void TfrmURLPageSource::btnOpenInEditorClick() {
  if (FBusy || FTooLarge || FShowsError || FShownText.isEmpty() || !FOnOpenInEditor) return;
  FOnOpenInEditor(edUrl->text().trimmed(), FShownText);
  close();
}
