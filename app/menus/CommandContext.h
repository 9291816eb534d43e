#pragma once
// TCommandContext: all that command code sees of the main window — the active document and
// editor, the documents and the road they take (open, save, close), the settings, the status line
// and the window that owns message boxes and dialogs. The window implements it; menu files never
// include the window's own header.
#include "app/DocId.h"

#include <QStringList>

#include <vector>

class QWidget;
class TDocList;
class TMEEdit;
struct TEditorDoc;
struct TMainSettings;

class TCommandContext {
 public:
  virtual ~TCommandContext() = default;

  // What commands act on; null when there is none.
  virtual TEditorDoc *ActiveDoc() const = 0;
  virtual TMEEdit *ActiveEditor() const = 0;
  // The open documents, in the order they were made.
  virtual const TDocList &Docs() const = 0;
  // Their ids in the order their tabs stand, left to right.
  virtual std::vector<TDocId> TabOrder() const = 0;
  // Makes its tab the active one; nothing for a document that is gone.
  virtual void ActivateDoc(TDocId id) = 0;

  // The road of a document.
  virtual void NewDoc() = 0;
  virtual void OpenFiles(const QStringList &paths) = 0;
  // The Open dialog's answer; empty when cancelled.
  virtual QStringList AskFilesToOpen() = 0;
  virtual void ReloadDoc(TEditorDoc *doc) = 0;
  // False when cancelled or when the write failed (the user was told).
  virtual bool SaveDoc(TEditorDoc *doc, bool saveAs) = 0;
  virtual void SaveCopyAs(TEditorDoc *doc) = 0;
  // Asks about unsaved changes, then closes; false when refused.
  virtual bool CloseDoc(TEditorDoc *doc) = 0;
  // Closes those still open, in order, with the question for many; stops at the first refused.
  // Answers how many closed, and leaves an "Untitled" tab when none is left.
  virtual int CloseDocList(const std::vector<TDocId> &ids) = 0;
  // After a single close: a new "Untitled" tab when none is left, status and title.
  virtual void AfterClose() = 0;
  // Asks the window to close, as its close button does.
  virtual void Exit() = 0;

  virtual TMainSettings &Settings() = 0;
  virtual void UpdateStatus() = 0;
  // A message in the status line until the next update.
  virtual void ShowStatusText(const QString &text) = 0;
  virtual void UpdateTitle() = 0;
  // The parent of message boxes and dialogs.
  virtual QWidget *DialogParent() = 0;
};
