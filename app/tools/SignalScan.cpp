#include "SignalScan.h"

#include "SignalScanThread.h"
#include "TextDriver.h"
#include "app/EditorDoc.h"
#include "app/menus/CommandContext.h"
#include "app/search/ResultsPanel.h"
#include "editor/Edit.h"
#include "tools/SignalResults.h"

TSignalScan::TSignalScan(TCommandContext &context) : FContext(context) {}

TSignalScan::~TSignalScan() = default;

void TSignalScan::miLocateSignalsClick(int tag) {
  TResultsPanel *panel = Panel ? Panel() : nullptr;
  if (!panel || Running() || panel->Searching() || panel->Scanning()) return;
  TEditorDoc *doc = TTextDriver(FContext).ToolTarget();
  if (!doc) return;
  FDoc = doc->Id;
  FLines = doc->Editor->Lines().Lines();
  FCategory = SignalCategoryOfTag(tag);
  panel->OnCancelScan = [this] { Cancel(); };
  panel->BeginScan(SignalsScanningTitle());
  FSignalThread = std::make_unique<TSignalScanThread>(
      FLines, FCategory, this,
      [this](int percent) {
        if (TResultsPanel *shown = Panel()) shown->ShowScanProgress(percent);
      },
      [this](std::vector<TSignalHit> hits) { ScanDone(std::move(hits)); });
  FSignalThread->start();
}

void TSignalScan::Cancel() {
  if (FSignalThread) FSignalThread->RequestStop();
}

void TSignalScan::ScanDone(std::vector<TSignalHit> hits) {
  FSignalThread.reset();
  QList<TResultsPanel::TResultGroup> groups(KSignalCategoryCount);
  for (const TSignalHit &hit : hits) {
    TResultsPanel::TResultGroup &group = groups[hit.Category];
    const int line = int(hit.LineIndex) + 1;
    group.HitCaptions.append(SignalHitCaption(line, FLines[hit.LineIndex]));
    group.Hits.append({FDoc, line, int(hit.Column) + 1, int(hit.Length)});
  }
  for (int category = 0; category < KSignalCategoryCount; ++category)
    groups[category].Caption = SignalCategoryCaption(category, groups[category].Hits.size());
  groups.removeIf([](const TResultsPanel::TResultGroup &group) { return group.Hits.isEmpty(); });
  FLines.clear();
  if (TResultsPanel *panel = Panel())
    panel->EndScan(SignalResultsTitle(qsizetype(hits.size())), groups, NoSignalsFoundCaption());
}
