// The tab strip: switching, closing by its glyph or the middle button, and its context menu.
#include "MainWindow.h"
#include "TabStrip.h"
#include "app/menus/TabMenu.h"

#include <QTimer>

QTabWidget *TfrmMain::Tabs() const { return pcTabs; }

TTabStrip *TfrmMain::TabStrip() const { return pcTabs->Strip(); }

void TfrmMain::CreateTabs() {
  pcTabs = new TTabControl(this);
  setCentralWidget(pcTabs);
  connect(pcTabs, &QTabWidget::currentChanged, this, [this] {
    UpdateTitle();
    UpdateStatus();
  });
  TTabStrip *strip = pcTabs->Strip();
  connect(strip, &TTabStrip::CloseRequested, this, [this](int index) {
    if (const TEditorDoc *doc = DocOfEditor(pcTabs->widget(index))) RequestCloseDoc(doc->Id);
  });
  connect(strip, &TTabStrip::ContextMenuRequested, this, [this](int index, const QPoint &globalPos) {
    const TEditorDoc *doc = index >= 0 ? DocOfEditor(pcTabs->widget(index)) : nullptr;
    FTabMenu->Popup(doc ? doc->Id : KNoDoc, globalPos);
  });
}

void TfrmMain::RequestCloseDoc(TDocId id) {
  QTimer::singleShot(0, this, [this, id] {
    if (FInCloseQuery) return;
    if (TEditorDoc *doc = FDocs.Find(id); doc && CloseDoc(doc)) AfterClose();
  });
}
