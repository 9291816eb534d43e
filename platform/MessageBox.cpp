#include "MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

const char *const KAppTitle = "Quennet Notepad";

namespace {

TMessageAnswerer &Answerer() {
  static TMessageAnswerer answerer;
  return answerer;
}

QString ButtonText(TAnswer answer) {
  switch (answer) {
    case TAnswer::Ok: return QStringLiteral("OK");
    case TAnswer::Yes: return QStringLiteral("Yes");
    case TAnswer::No: return QStringLiteral("No");
    case TAnswer::Cancel: return QStringLiteral("Cancel");
    case TAnswer::YesToAll: return QStringLiteral("Yes to All");
    case TAnswer::NoToAll: return QStringLiteral("No to All");
  }
  return QString();
}

QMessageBox::ButtonRole RoleOf(TAnswer answer) {
  switch (answer) {
    case TAnswer::Ok:
    case TAnswer::Yes:
    case TAnswer::YesToAll: return QMessageBox::YesRole;
    case TAnswer::No:
    case TAnswer::NoToAll: return QMessageBox::NoRole;
    case TAnswer::Cancel: return QMessageBox::RejectRole;
  }
  return QMessageBox::NoRole;
}

QMessageBox::Icon IconOf(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Error: return QMessageBox::Critical;
    case TMessageKind::Warning: return QMessageBox::Warning;
    case TMessageKind::Information: return QMessageBox::Information;
    case TMessageKind::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

TAnswer AskUser(QWidget *parent, TMessageRequest request) {
  if (request.Caption.isEmpty()) request.Caption = QString::fromLatin1(KAppTitle);
  if (request.Buttons.isEmpty()) request.Buttons = {TAnswer::Ok};
  if (Answerer()) return Answerer()(request);
  QMessageBox box(IconOf(request.Kind), request.Caption, request.Title.isEmpty() ? request.Text : request.Title,
                  QMessageBox::NoButton, parent);
  if (!request.Title.isEmpty()) box.setInformativeText(request.Text);
  QList<QAbstractButton *> buttons;
  for (TAnswer answer : request.Buttons) buttons << box.addButton(ButtonText(answer), RoleOf(answer));
  const TAnswer fallback = request.Buttons.contains(TAnswer::Cancel) ? TAnswer::Cancel : request.Buttons.last();
  box.setEscapeButton(buttons.at(request.Buttons.indexOf(fallback)));
  box.exec();
  const qsizetype chosen = buttons.indexOf(box.clickedButton());
  return chosen < 0 ? fallback : request.Buttons.at(chosen);
}

void ShowError(QWidget *parent, const QString &text) { AskUser(parent, {TMessageKind::Error, {}, {}, text, {}}); }
void ShowWarning(QWidget *parent, const QString &text) { AskUser(parent, {TMessageKind::Warning, {}, {}, text, {}}); }
void ShowInformation(QWidget *parent, const QString &text) {
  AskUser(parent, {TMessageKind::Information, {}, {}, text, {}});
}

bool Confirm(QWidget *parent, const QString &text, TMessageKind kind) {
  return AskUser(parent, {kind, {}, {}, text, {TAnswer::Yes, TAnswer::No}}) == TAnswer::Yes;
}

TAnswer AskYesNoCancel(QWidget *parent, const QString &text) {
  return AskUser(parent, {TMessageKind::Question, {}, {}, text, {TAnswer::Yes, TAnswer::No, TAnswer::Cancel}});
}

void SetMessageAnswerer(TMessageAnswerer answerer) { Answerer() = std::move(answerer); }
