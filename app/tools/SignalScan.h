#pragma once
// TSignalScan: Locate Signals as the user sees it. It scans the active document's lines on a
// background thread, one scan at a time and never during Find All, shows progress and Cancel in the
// results panel, and fills the panel with the hits when the scan ends (a cancelled scan shows what
// it found so far). The hits belong to the document the scan started on, named by its id. It is
// the receiver of its scan's reports and stops and joins the scan when it goes.
#include "app/DocId.h"
#include "tools/SignalScan.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TCommandContext;
class TResultsPanel;
class TSignalScanThread;

class TSignalScan : public QObject {
  Q_OBJECT

 public:
  explicit TSignalScan(TCommandContext &context);
  ~TSignalScan() override;

  // The panel the results go to; set by the window.
  std::function<TResultsPanel *()> Panel;

  // The menu items' tags: 0 to 4 one category, 5 all of them.
  void miLocateSignalsClick(int tag);
  bool Running() const { return FSignalThread != nullptr; }
  void Cancel();

 private:
  void ScanDone(std::vector<TSignalHit> hits);

  TCommandContext &FContext;
  std::unique_ptr<TSignalScanThread> FSignalThread;
  // What the running scan looks at; the result texts are taken from these lines.
  TDocId FDoc = KNoDoc;
  QStringList FLines;
  int FCategory = KAllSignalCategories;
};
