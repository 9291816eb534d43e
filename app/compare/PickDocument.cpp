#include "PickDocument.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TDocId PickDocument(QWidget *parent, const TPickDocumentRequest &request) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("dlgPickDocument"));
  dialog.setWindowTitle(request.Title);
  dialog.setFixedSize(360, 260);
  int top = 10;
  if (!request.Header.isEmpty()) {
    auto *header = new QLabel(request.Header, &dialog);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    header->move(12, 10);
    top += 22;
  }
  auto *prompt = new QLabel(request.Prompt, &dialog);
  prompt->move(12, top);
  auto *list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("lbDocs"));
  list->setGeometry(12, top + 22, 336, 160);
  for (const auto &[id, name] : request.Choices) {
    auto *item = new QListWidgetItem(name, list);
    item->setData(Qt::UserRole, QVariant::fromValue(id));
  }
  list->setCurrentRow(0);
  auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setGeometry(176, 222, 80, 28);
  ok->setDefault(true);
  auto *cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
  cancel->setGeometry(264, 222, 80, 28);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  if (parent) dialog.move(parent->geometry().center() - dialog.rect().center());
  if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return KNoDoc;
  return list->currentItem()->data(Qt::UserRole).value<TDocId>();
}
