#include "FindTabDialog.h"

#include "platform/MessageBox.h"

#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Lower-cases A to Z only, as the list compares and searches.
QString LowerAZ(const QString &text) {
  QString out = text;
  for (QChar &c : out)
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 0x20);
  return out;
}

}  // namespace

TfrmFindTab::TfrmFindTab(QWidget *parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Find Tab"));
  setModal(false);
  edSearch = new QLineEdit(this);
  edSearch->setPlaceholderText(QStringLiteral("Search tab name..."));
  btnSearch = new QPushButton(QStringLiteral("Search"), this);
  btnSearch->setDefault(true);
  lvTabs = new QTreeWidget(this);
  lvTabs->setColumnCount(3);
  lvTabs->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Path"), QStringLiteral("Saved")});
  lvTabs->setColumnWidth(0, 220);
  lvTabs->setColumnWidth(1, 380);
  lvTabs->setColumnWidth(2, 70);
  lvTabs->setRootIsDecorated(false);
  lvTabs->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lvTabs->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvTabs->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvTabs->setContextMenuPolicy(Qt::CustomContextMenu);
  lvTabs->header()->setSectionsClickable(true);
  lvTabs->header()->setSortIndicatorShown(true);
  btnActivate = new QPushButton(QStringLiteral("Activate"), this);
  btnCloseSel = new QPushButton(QStringLiteral("Close Selected"), this);
  lblCount = new QLabel(QStringLiteral("0 open tabs"), this);
  pmTabs = new QMenu(this);
  pmiActivate = pmTabs->addAction(QStringLiteral("Activate"));
  pmiCloseSel = pmTabs->addAction(QStringLiteral("Close Selected"));
  pmTabs->addSeparator();
  pmiOpenFolder = pmTabs->addAction(QStringLiteral("Open Containing Folder"));
  pmTabs->setDefaultAction(pmiActivate);
  edSearch->setObjectName(QStringLiteral("edSearch"));
  lvTabs->setObjectName(QStringLiteral("lvTabs"));
  lblCount->setObjectName(QStringLiteral("lblCount"));

  auto *grid = new QGridLayout(this);
  auto *top = new QHBoxLayout;
  top->addWidget(edSearch, 1);
  top->addWidget(btnSearch);
  grid->addLayout(top, 0, 0);
  grid->addWidget(lvTabs, 1, 0);
  auto *bottom = new QHBoxLayout;
  bottom->addWidget(lblCount);
  bottom->addStretch();
  bottom->addWidget(btnActivate);
  bottom->addWidget(btnCloseSel);
  grid->addLayout(bottom, 2, 0);
  resize(720, 420);
  setMinimumSize(520, 280);

  connect(btnSearch, &QPushButton::clicked, this, &TfrmFindTab::btnSearchClick);
  connect(btnActivate, &QPushButton::clicked, this, &TfrmFindTab::btnActivateClick);
  connect(btnCloseSel, &QPushButton::clicked, this, &TfrmFindTab::btnCloseSelClick);
  connect(lvTabs, &QTreeWidget::itemDoubleClicked, this, &TfrmFindTab::btnActivateClick);
  connect(lvTabs->header(), &QHeaderView::sectionClicked, this, &TfrmFindTab::lvTabsColumnClick);
  connect(pmiActivate, &QAction::triggered, this, &TfrmFindTab::btnActivateClick);
  connect(pmiCloseSel, &QAction::triggered, this, &TfrmFindTab::btnCloseSelClick);
  connect(pmiOpenFolder, &QAction::triggered, this, &TfrmFindTab::pmiOpenFolderClick);
  connect(lvTabs, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
    pmTabsPopup();
    pmTabs->popup(lvTabs->viewport()->mapToGlobal(at));
  });
}

TDocId TfrmFindTab::DocOf(const QTreeWidgetItem *item) const {
  return item ? item->data(0, Qt::UserRole).value<TDocId>() : KNoDoc;
}

void TfrmFindTab::RefreshTabs() {
  const TDocId focused = DocOf(lvTabs->currentItem());
  lvTabs->setUpdatesEnabled(false);
  lvTabs->clear();
  const QList<TTabInfo> tabs = OpenTabs ? OpenTabs() : QList<TTabInfo>();
  for (const TTabInfo &tab : tabs) {
    auto *item = new QTreeWidgetItem(lvTabs, {tab.Name, tab.Path, tab.Modified ? QStringLiteral("No") : QStringLiteral("Yes")});
    item->setData(0, Qt::UserRole, QVariant::fromValue(tab.Doc));
    if (focused != KNoDoc && tab.Doc == focused) {
      lvTabs->setCurrentItem(item);
      item->setSelected(true);
    }
  }
  Sort();
  lvTabs->setUpdatesEnabled(true);
  const int count = lvTabs->topLevelItemCount();
  lblCount->setText(count == 1 ? QStringLiteral("1 open tab") : QStringLiteral("%1 open tabs").arg(count));
}

void TfrmFindTab::Sort() {
  // Rows are taken out, ordered and put back, so the order is exactly the one defined here; taking
  // them out loses the selection, which is put back after.
  const TDocId current = DocOf(lvTabs->currentItem());
  QList<TDocId> selected;
  for (QTreeWidgetItem *item : lvTabs->selectedItems()) selected.append(DocOf(item));
  QList<QTreeWidgetItem *> items;
  while (lvTabs->topLevelItemCount() > 0) items.append(lvTabs->takeTopLevelItem(0));
  const int column = FSortColumn;
  std::stable_sort(items.begin(), items.end(), [&](QTreeWidgetItem *a, QTreeWidgetItem *b) {
    const int order = LowerAZ(a->text(column)).compare(LowerAZ(b->text(column)));
    return FSortAscending ? order < 0 : order > 0;
  });
  lvTabs->addTopLevelItems(items);
  for (QTreeWidgetItem *item : items) {
    if (current != KNoDoc && DocOf(item) == current) lvTabs->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    item->setSelected(selected.contains(DocOf(item)));
  }
  lvTabs->header()->setSortIndicator(FSortColumn, FSortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TfrmFindTab::lvTabsColumnClick(int column) {
  if (column == FSortColumn) FSortAscending = !FSortAscending;
  else FSortColumn = column, FSortAscending = true;
  Sort();
}

void TfrmFindTab::btnSearchClick() {
  const QString text = edSearch->text().trimmed();
  const int count = lvTabs->topLevelItemCount();
  if (text.isEmpty() || count == 0) return;
  const QString needle = LowerAZ(text);
  const int focused = lvTabs->currentItem() ? lvTabs->indexOfTopLevelItem(lvTabs->currentItem()) : -1;
  for (int step = 0; step < count; ++step) {
    QTreeWidgetItem *item = lvTabs->topLevelItem((focused + 1 + step) % count);
    if (!LowerAZ(item->text(0)).contains(needle)) continue;
    lvTabs->clearSelection();
    lvTabs->setCurrentItem(item);
    item->setSelected(true);
    lvTabs->scrollToItem(item);
    lvTabs->setFocus();
    return;
  }
  ShowInformation(this, QStringLiteral("No tab name contains \"") + text + QStringLiteral("\"."));
}

void TfrmFindTab::btnActivateClick() {
  const QList<QTreeWidgetItem *> selected = lvTabs->selectedItems();
  if (selected.isEmpty()) return;
  const TDocId doc = DocOf(lvTabs->currentItem() && lvTabs->currentItem()->isSelected() ? lvTabs->currentItem()
                                                                                         : selected.first());
  if (ActivateDoc) ActivateDoc(doc);
  hide();
  if (QWidget *main = parentWidget()) {
    main->raise();
    main->activateWindow();
  }
}

void TfrmFindTab::btnCloseSelClick() {
  QList<TDocId> docs;
  for (QTreeWidgetItem *item : lvTabs->selectedItems()) docs.append(DocOf(item));
  if (docs.isEmpty()) return;
  if (CloseDocList) CloseDocList(docs);
  RefreshTabs();
}

QString TfrmFindTab::SelectedPath() const {
  const QList<QTreeWidgetItem *> selected = lvTabs->selectedItems();
  return selected.isEmpty() ? QString() : selected.first()->text(1);
}

void TfrmFindTab::pmTabsPopup() {
  const int selected = int(lvTabs->selectedItems().size());
  pmiActivate->setEnabled(selected > 0);
  pmiCloseSel->setEnabled(selected > 0);
  const QString path = SelectedPath();
  pmiOpenFolder->setEnabled(selected == 1 && !path.isEmpty() && QFileInfo(path).isFile());
}

void TfrmFindTab::pmiOpenFolderClick() {
  const QString path = SelectedPath();
  if (!path.isEmpty() && QFileInfo(path).isFile() && OpenContainingFolder) OpenContainingFolder(path);
}

void TfrmFindTab::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  RefreshTabs();
}

void TfrmFindTab::changeEvent(QEvent *event) {
  QDialog::changeEvent(event);
  // Rebuilt whenever the dialog becomes active, so closed documents are gone from it.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshTabs();
}

void TfrmFindTab::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QDialog::keyPressEvent(event);
}
