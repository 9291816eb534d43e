#include "GotoLineDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <climits>

TfrmGotoLine::TfrmGotoLine(QWidget *parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Go to Line"));
  lblHere = new QLabel(QStringLiteral("You are here:"), this);
  edHere = new QLineEdit(this);
  edHere->setReadOnly(true);
  edHere->setFocusPolicy(Qt::NoFocus);
  edHere->setBackgroundRole(QPalette::Button);
  lblGoto = new QLabel(QStringLiteral("You want to go to:"), this);
  edGoto = new QLineEdit(this);
  btnGo = new QPushButton(QStringLiteral("Go"), this);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btnGo->setDefault(true);
  edHere->setObjectName(QStringLiteral("edHere"));
  edGoto->setObjectName(QStringLiteral("edGoto"));
  auto *grid = new QGridLayout(this);
  grid->addWidget(lblHere, 0, 0);
  grid->addWidget(edHere, 0, 1);
  grid->addWidget(lblGoto, 1, 0);
  grid->addWidget(edGoto, 1, 1);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnGo);
  buttons->addWidget(btnCancel);
  grid->addLayout(buttons, 2, 0, 1, 2);
  setFixedSize(280, 130);
  connect(btnGo, &QPushButton::clicked, this, &TfrmGotoLine::btnGoClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmGotoLine::Execute(int currentLine, int maxLine, int &target) {
  FMaxLine = maxLine;
  edHere->setText(QString::number(currentLine));
  edGoto->setText(QString::number(currentLine));
  edGoto->setFocus();
  edGoto->selectAll();
  if (exec() != QDialog::Accepted) return false;
  bool ok = false;
  const int value = edGoto->text().toInt(&ok);
  target = ok ? value : currentLine;
  return true;
}

void TfrmGotoLine::btnGoClick() {
  bool ok = false;
  // Digits only, so "1e3" or "0x10" are no numbers here; a huge number still goes to the end.
  const QString text = edGoto->text().trimmed();
  const qlonglong value = text.toLongLong(&ok);
  if (!ok) {
    QApplication::beep();
    edGoto->setFocus();
    edGoto->selectAll();
    return;
  }
  const qlonglong upper = FMaxLine > 0 ? FMaxLine : INT_MAX;
  const int line = int(std::clamp<qlonglong>(value, 1, upper));
  edGoto->setText(QString::number(line));
  accept();
}
