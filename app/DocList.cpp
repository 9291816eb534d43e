#include "DocList.h"

#include "editor/Edit.h"
#include "platform/Paths.h"

TEditorDoc *TDocList::Add(std::unique_ptr<TEditorDoc> doc) {
  FDocs.push_back(std::move(doc));
  return FDocs.back().get();
}

void TDocList::Remove(TDocId id) {
  std::erase_if(FDocs, [id](const auto &doc) { return doc->Id == id; });
}

TEditorDoc *TDocList::Find(TDocId id) const {
  for (const auto &doc : FDocs)
    if (doc->Id == id) return doc.get();
  return nullptr;
}

TEditorDoc *TDocList::OfEditor(const QWidget *page) const {
  if (!page) return nullptr;
  for (const auto &doc : FDocs)
    if (doc->Editor == page) return doc.get();
  return nullptr;
}

TEditorDoc *TDocList::ByFileName(const QString &path) const {
  for (const auto &doc : FDocs)
    if (!doc->FileName.isEmpty() && SamePath(doc->FileName, path)) return doc.get();
  return nullptr;
}

std::vector<TEditorDoc *> TDocList::All() const {
  std::vector<TEditorDoc *> docs;
  docs.reserve(FDocs.size());
  for (const auto &doc : FDocs) docs.push_back(doc.get());
  return docs;
}

std::vector<TDocId> TDocList::Ids() const {
  std::vector<TDocId> ids;
  ids.reserve(FDocs.size());
  for (const auto &doc : FDocs) ids.push_back(doc->Id);
  return ids;
}
