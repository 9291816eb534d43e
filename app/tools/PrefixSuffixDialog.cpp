#include "PrefixSuffixDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmPrefixSuffix::TfrmPrefixSuffix(QWidget *parent) : QDialog(parent) {
  QFont font = this->font();
  font.setFamilies({QStringLiteral("Segoe UI"), font.family()});
  font.setPointSize(9);
  setFont(font);
  lblPrefix = new QLabel(QStringLiteral("Prefix:"), this);
  edPrefix = new QLineEdit(this);
  lblSuffix = new QLabel(QStringLiteral("Suffix:"), this);
  edSuffix = new QLineEdit(this);
  btnApply = new QPushButton(QStringLiteral("Apply"), this);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btnApply->setDefault(true);
  edPrefix->setObjectName(QStringLiteral("edPrefix"));
  edSuffix->setObjectName(QStringLiteral("edSuffix"));
  btnApply->setObjectName(QStringLiteral("btnApply"));
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  auto *grid = new QGridLayout(this);
  grid->addWidget(lblPrefix, 0, 0);
  grid->addWidget(edPrefix, 0, 1);
  grid->addWidget(lblSuffix, 1, 0);
  grid->addWidget(edSuffix, 1, 1);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnApply);
  buttons->addWidget(btnCancel);
  grid->addLayout(buttons, 2, 0, 1, 2);
  setFixedSize(380, 160);
  connect(btnApply, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmPrefixSuffix::Execute(QWidget *parent, const QString &caption, const QString &applyCaption, QString &prefix,
                               QString &suffix) {
  TfrmPrefixSuffix dialog(parent);
  dialog.setWindowTitle(caption);
  dialog.btnApply->setText(applyCaption);
  const bool applied = dialog.exec() == QDialog::Accepted;
  prefix = applied ? dialog.edPrefix->text() : QString();
  suffix = applied ? dialog.edSuffix->text() : QString();
  return applied;
}
