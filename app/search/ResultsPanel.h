#pragma once
// The results panel under the editors: a header with its title, a busy bar and a close button,
// and the tree of hits of the last Find All or background scan (Locate Signals). It owns the hits
// it shows. A scan shows its progress and a Cancel button while it runs; Find All does nothing
// then, as a scan does not start during Find All.
#include "FindAllSearch.h"

#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class TResultsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TResultsPanel(QWidget *parent = nullptr);

  // Going to a hit; the window checks that its document is still open.
  std::function<void(const TSearchHit &hit)> OnGotoHit;

  // Searches docs and shows the tree; answers the number of hits, or 0 at once while a search is
  // already running (the running one lets the window take clicks).
  int FindAll(const TFindAllQuery &query, const QList<TFindAllDoc> &docs);
  bool Searching() const { return FSearching; }

  // One root node of a scan's results, with a node per hit under it.
  struct TResultGroup {
    QString Caption;
    QStringList HitCaptions;
    QList<TSearchHit> Hits;  // one per caption
  };
  void BeginScan(const QString &title);
  void ShowScanProgress(int percent);
  // Fills the tree with groups (expanded), or one root emptyCaption when there are none, and
  // selects the first node.
  void EndScan(const QString &title, const QList<TResultGroup> &groups, const QString &emptyCaption);
  bool Scanning() const { return FScanning; }
  // The Cancel button of a running scan.
  std::function<void()> OnCancelScan;

  QTreeWidget *Tree() const { return tvResults; }
  // The hit of a node; null for the root and document nodes.
  const TSearchHit *HitOf(const QTreeWidgetItem *item) const;
  void GotoSelected();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  bool FSearching = false;
  bool FScanning = false;
  QList<TSearchHit> FHits;
  QLabel *lblResultsTitle;
  QProgressBar *pbResults;
  QToolButton *btnResultsClose;
  QToolButton *btnScanCancel;
  QTreeWidget *tvResults;
};
