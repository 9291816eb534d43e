#pragma once
// TfrmFindTab: the modeless "Find Tab" dialog listing the open documents, to search by name,
// sort, activate, close or show in the file manager. Created once and kept.
#include "app/DocId.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

struct TTabInfo {
  TDocId Doc = KNoDoc;
  QString Name;  // the display name
  QString Path;  // empty for a document never saved
  bool Modified = false;
};

class TfrmFindTab : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmFindTab(QWidget *parent = nullptr);

  // The window's side: its documents in creation order, and what to do with them.
  std::function<QList<TTabInfo>()> OpenTabs;
  std::function<void(TDocId doc)> ActivateDoc;
  std::function<void(const QList<TDocId> &docs)> CloseDocList;
  std::function<void(const QString &path)> OpenContainingFolder;

  void RefreshTabs();
  void lvTabsColumnClick(int column);
  void btnSearchClick();
  void btnActivateClick();
  void btnCloseSelClick();
  // Enables the pop-up menu's items for the current selection.
  void pmTabsPopup();
  void pmiOpenFolderClick();

 protected:
  void showEvent(QShowEvent *event) override;
  void changeEvent(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  void Sort();
  TDocId DocOf(const QTreeWidgetItem *item) const;
  QString SelectedPath() const;

  int FSortColumn = 0;
  bool FSortAscending = true;
  QLineEdit *edSearch;
  QPushButton *btnSearch;
  QTreeWidget *lvTabs;
  QPushButton *btnActivate;
  QPushButton *btnCloseSel;
  QLabel *lblCount;
  QMenu *pmTabs;
  QAction *pmiActivate;
  QAction *pmiCloseSel;
  QAction *pmiOpenFolder;
};
