#pragma once
// TDocList: the open documents, owned, in the order they were made (the tab order may differ).
// Documents are found by id; an id that finds nothing belongs to a document that is gone.
#include "EditorDoc.h"

#include <memory>
#include <vector>

class QWidget;

class TDocList {
 public:
  TEditorDoc *Add(std::unique_ptr<TEditorDoc> doc);
  // Frees the document; its id finds nothing from now on.
  void Remove(TDocId id);

  TEditorDoc *Find(TDocId id) const;
  // The document whose editor is page.
  TEditorDoc *OfEditor(const QWidget *page) const;
  // The first with that file name, the same file however spelled (see SamePath).
  TEditorDoc *ByFileName(const QString &path) const;

  std::vector<TEditorDoc *> All() const;
  std::vector<TDocId> Ids() const;
  bool Empty() const { return FDocs.empty(); }
  TEditorDoc *Last() const { return FDocs.empty() ? nullptr : FDocs.back().get(); }

 private:
  std::vector<std::unique_ptr<TEditorDoc>> FDocs;
};
