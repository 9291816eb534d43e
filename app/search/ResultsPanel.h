#pragma once
// The results panel under the editors: a header with its title, a busy bar and a close button,
// and the tree of hits of the last Find All (or log-signal scan). It owns the hits it shows.
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

  QTreeWidget *Tree() const { return tvResults; }
  // The hit of a node; null for the root and document nodes.
  const TSearchHit *HitOf(const QTreeWidgetItem *item) const;
  void GotoSelected();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  bool FSearching = false;
  QList<TSearchHit> FHits;
  QLabel *lblResultsTitle;
  QProgressBar *pbResults;
  QToolButton *btnResultsClose;
  QTreeWidget *tvResults;
};
