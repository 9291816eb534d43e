#include "ResultsPanel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScopeGuard>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int KNoHit = -1;

}  // namespace

TResultsPanel::TResultsPanel(QWidget *parent) : QWidget(parent) {
  auto *header = new QWidget(this);
  header->setFixedHeight(24);
  lblResultsTitle = new QLabel(QStringLiteral("Search results"), header);
  pbResults = new QProgressBar(header);
  pbResults->setFixedSize(120, 16);
  pbResults->setTextVisible(false);
  pbResults->hide();
  btnScanCancel = new QToolButton(header);
  btnScanCancel->setText(QStringLiteral("Cancel"));
  btnScanCancel->setObjectName(QStringLiteral("btnScanCancel"));
  btnScanCancel->hide();
  btnResultsClose = new QToolButton(header);
  btnResultsClose->setText(QStringLiteral("x"));
  btnResultsClose->setFixedSize(24, 24);
  auto *row = new QHBoxLayout(header);
  row->setContentsMargins(8, 0, 0, 0);
  row->addWidget(lblResultsTitle, 1);
  row->addWidget(pbResults);
  row->addWidget(btnScanCancel);
  row->addSpacing(4);
  row->addWidget(btnResultsClose);
  tvResults = new QTreeWidget(this);
  tvResults->setHeaderHidden(true);
  tvResults->setIndentation(19);
  tvResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvResults->setUniformRowHeights(true);
  tvResults->installEventFilter(this);
  lblResultsTitle->setObjectName(QStringLiteral("lblResultsTitle"));
  tvResults->setObjectName(QStringLiteral("tvResults"));
  auto *column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(header);
  column->addWidget(tvResults);
  connect(btnResultsClose, &QToolButton::clicked, this, &QWidget::hide);
  connect(tvResults, &QTreeWidget::itemDoubleClicked, this, &TResultsPanel::GotoSelected);
  connect(btnScanCancel, &QToolButton::clicked, this, [this] {
    if (FScanning && OnCancelScan) OnCancelScan();
  });
}

const TSearchHit *TResultsPanel::HitOf(const QTreeWidgetItem *item) const {
  const int index = item ? item->data(0, Qt::UserRole).toInt() : KNoHit;
  return index >= 0 && index < FHits.size() ? &FHits[index] : nullptr;
}

void TResultsPanel::GotoSelected() {
  const TSearchHit *hit = HitOf(tvResults->currentItem());
  if (hit && OnGotoHit) OnGotoHit(*hit);
}

bool TResultsPanel::eventFilter(QObject *watched, QEvent *event) {
  if (watched == tvResults && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      GotoSelected();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

int TResultsPanel::FindAll(const TFindAllQuery &query, const QList<TFindAllDoc> &docs) {
  if (FSearching || FScanning) return 0;
  FSearching = true;
  show();
  lblResultsTitle->setText(QStringLiteral("Searching..."));
  pbResults->setRange(0, 0);  // busy, without a measure
  pbResults->show();
  QCoreApplication::processEvents();
  // Restored however the search ends.
  const auto restore = qScopeGuard([this] {
    tvResults->setUpdatesEnabled(true);
    pbResults->setRange(0, 100);
    pbResults->hide();
    lblResultsTitle->setText(QStringLiteral("Search results"));
    FSearching = false;
  });
  tvResults->setUpdatesEnabled(false);
  tvResults->clear();
  FHits.clear();

  const TFindAllResult result = RunFindAll(query, docs, [] { QCoreApplication::processEvents(); });
  auto *root = new QTreeWidgetItem(tvResults, {FindAllRootText(query, result)});
  root->setData(0, Qt::UserRole, KNoHit);
  for (const TFindAllDocResult &doc : result.Docs) {
    auto *docItem = new QTreeWidgetItem(root, {FindAllDocText(doc)});
    docItem->setData(0, Qt::UserRole, KNoHit);
    const QStringList &lines = docs[doc.Index].Lines;
    QList<QTreeWidgetItem *> items;
    items.reserve(doc.Hits.size());
    for (const TSearchHit &hit : doc.Hits) {
      auto *item = new QTreeWidgetItem({FindAllHitText(hit.Line, lines[hit.Line - 1])});
      item->setData(0, Qt::UserRole, int(FHits.size()));
      FHits.append(hit);
      items.append(item);
    }
    docItem->addChildren(items);
  }
  tvResults->expandAll();
  tvResults->scrollToItem(root, QAbstractItemView::PositionAtTop);
  tvResults->setCurrentItem(root);
  return result.HitCount;
}

void TResultsPanel::BeginScan(const QString &title) {
  FScanning = true;
  show();
  lblResultsTitle->setText(title);
  pbResults->setRange(0, 100);
  pbResults->setValue(0);
  pbResults->show();
  btnScanCancel->show();
  tvResults->clear();
  FHits.clear();
}

void TResultsPanel::ShowScanProgress(int percent) {
  if (FScanning) pbResults->setValue(percent);
}

void TResultsPanel::EndScan(const QString &title, const QList<TResultGroup> &groups, const QString &emptyCaption) {
  FScanning = false;
  pbResults->hide();
  btnScanCancel->hide();
  tvResults->setUpdatesEnabled(false);
  tvResults->clear();
  FHits.clear();
  if (groups.isEmpty()) (new QTreeWidgetItem(tvResults, {emptyCaption}))->setData(0, Qt::UserRole, KNoHit);
  for (const TResultGroup &group : groups) {
    auto *root = new QTreeWidgetItem(tvResults, {group.Caption});
    root->setData(0, Qt::UserRole, KNoHit);
    QList<QTreeWidgetItem *> items;
    items.reserve(group.Hits.size());
    for (qsizetype i = 0; i < group.Hits.size(); ++i) {
      auto *item = new QTreeWidgetItem({group.HitCaptions.value(i)});
      item->setData(0, Qt::UserRole, int(FHits.size()));
      FHits.append(group.Hits[i]);
      items.append(item);
    }
    root->addChildren(items);
    root->setExpanded(true);
  }
  tvResults->setUpdatesEnabled(true);
  lblResultsTitle->setText(title);
  if (QTreeWidgetItem *first = tvResults->topLevelItem(0)) {
    tvResults->setCurrentItem(first);
    tvResults->scrollToItem(first, QAbstractItemView::PositionAtTop);
  }
}
