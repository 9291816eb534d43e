#include "ExtractWindows.h"

#include "ExtractThread.h"
#include "ExtractWindow.h"
#include "editor/Edit.h"

#include <utility>

TExtractWindows::TExtractWindows(QWidget *owner) : FOwner(owner) {}

TExtractWindows::~TExtractWindows() {
  // Each window leaves the list as it goes, so the list is taken first.
  const auto windows = std::exchange(FWindows, {});
  for (const auto &[id, window] : windows) delete window.data();
}

TfrmExtract *TExtractWindows::Find(quint64 id) const {
  const auto found = FWindows.find(id);
  return found == FWindows.end() ? nullptr : found->second.data();
}

TfrmExtract *TExtractWindows::Start(QStringList lines, TExtractKind kind) {
  const quint64 id = ++FLastId;
  auto *window = new TfrmExtract(id, FOwner);
  FWindows.emplace(id, window);
  connect(window, &QObject::destroyed, this, [this, id] { FWindows.erase(id); });
  const TExtractSpec spec = ExtractSpecOf(kind);
  auto thread = std::make_unique<TExtractThread>(
      std::move(lines), spec, id, this,
      [this](quint64 window, int percent) {
        if (TfrmExtract *found = Find(window)) found->ShowProgress(percent);
      },
      [this](quint64 window, const TExtractResult &result) {
        if (TfrmExtract *found = Find(window)) found->ShowResult(result);
      });
  window->StartExtract(spec, std::move(thread));
  window->show();
  return window;
}

QStringList TExtractWindows::InputLines(const TMEEdit &editor) {
  const QStringList &all = editor.Lines().Lines();
  if (!editor.SelAvail()) return all;
  TBufferCoord begin = editor.BlockBegin(), end = editor.BlockEnd();
  OrderCoords(begin, end);
  QStringList lines = all.mid(begin.Line - 1, end.Line - begin.Line + 1);
  if (lines.isEmpty()) return lines;
  // The last line first, so a one-line selection is cut at both ends of the same line.
  lines.last().truncate(end.Char - 1);
  lines.first().remove(0, begin.Char - 1);
  return lines;
}
