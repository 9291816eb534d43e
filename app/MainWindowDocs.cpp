// Documents and tabs: making, finding, opening (directly or in the background), reloading, closing.
#include "CommandLine.h"
#include "EditorLook.h"
#include "MainWindow.h"
#include "app/menus/ContentMenu.h"
#include "core/FileLoader.h"
#include "core/FileRead.h"
#include "core/LineDecoder.h"
#include "editor/Edit.h"
#include "highlight/HighlighterSet.h"
#include "highlight/LanguageChoice.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include "TabStrip.h"

namespace {
constexpr qint64 KMiB = 1048576;
// Larger files ask before they load ("WarnLargeFiles").
constexpr qint64 KLargeFileWarning = 200 * KMiB;
// Larger files load on a worker thread with progress.
constexpr qint64 KDirectLoadLimit = KMiB;
constexpr qint64 KBinaryProbe = 65536;

bool IsBinaryFile(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && file.read(KBinaryProbe).contains('\0');
}
}  // namespace

TEditorDoc *TfrmMain::ActiveDoc() const { return DocOfEditor(pcTabs->currentWidget()); }

TMEEdit *TfrmMain::ActiveEditor() const {
  const TEditorDoc *doc = ActiveDoc();
  return doc ? doc->Editor : nullptr;
}

TEditorDoc *TfrmMain::DocOfEditor(const QWidget *page) const { return FDocs.OfEditor(page); }

TEditorDoc *TfrmMain::FindDocByFileName(const QString &path) const { return FDocs.ByFileName(path); }

std::vector<TEditorDoc *> TfrmMain::OpenDocs() const { return FDocs.All(); }

std::vector<TDocId> TfrmMain::TabOrder() const {
  std::vector<TDocId> ids;
  for (int i = 0; i < pcTabs->count(); ++i)
    if (const TEditorDoc *doc = DocOfEditor(pcTabs->widget(i))) ids.push_back(doc->Id);
  return ids;
}

void TfrmMain::ActivateDoc(TDocId id) {
  TEditorDoc *doc = FDocs.Find(id);
  if (!doc) return;
  pcTabs->setCurrentWidget(doc->Editor);
  UpdateStatus();
  UpdateTitle();
  doc->Editor->setFocus();
}

TEditorDoc *TfrmMain::CreateDocTab(const QString &caption) {
  TEditorDoc *doc = FDocs.Add(std::make_unique<TEditorDoc>());
  auto *editor = new TMEEdit;
  doc->Editor = editor;
  editor->SetOptions((editor->Options() | eoTabIndent | eoTrimTrailingSpaces | eoGroupUndo | eoSpecialLineDefaultFg) &
                     ~TMEEditorOptions(eoCompleteBrackets | eoCompleteQuotes));
  ApplyEditorLook(*editor, FSettings);
  ApplyIndentSettings(editor, caption);
  ApplyEditorView(*editor, FSettings);
  editor->SetSearchEngine(NewDocSearchEngine());
  editor->setAcceptDrops(true);
  editor->installEventFilter(this);
  editor->viewport()->installEventFilter(this);
  FContentMenu->AttachTo(editor);
  connect(editor, &TMEEdit::OnChange, this, [this, editor] { EditorChanged(editor); });
  connect(editor, &TMEEdit::OnStatusChange, this, [this, editor] { EditorStatusChanged(editor); });
  connect(editor, &TMEEdit::OnLinesReplaced, this, [doc](int first, int oldCount, int newCount) {
    if (doc->IsLoading) return;  // counted once when the load ends
    doc->Size.LinesReplaced(doc->Editor->Lines().Lines(), first, oldCount, newCount);
  });
  // A property changed alone (a new line break) changes no line, so the editor reports nothing.
  connect(&editor->Document(), &TMEDocument::OnPropertyChanged, this, [this, doc, editor](const QString &name) {
    doc->FollowDocumentProperty(name);
    EditorChanged(editor);
    if (doc == ActiveDoc()) UpdateStatus();
  });
  pcTabs->addTab(editor, caption);
  if (!FBatchOpen) pcTabs->setCurrentWidget(editor);
  return doc;
}

void TfrmMain::ApplyIndentSettings(TMEEdit *editor, const QString &path) {
  TLangIndent indent{FSettings.FIndentSize, FSettings.FIndentUseTabs};
  if (FSettings.FIndentUseLangDefault) indent = LangDefaultIndent(path);
  editor->SetTabWidth(indent.Width);
  TMEEditorOptions options = editor->Options() & ~TMEEditorOptions(eoTabsToSpaces | eoAutoIndent);
  if (!indent.UseTabs) options |= eoTabsToSpaces;
  if (FSettings.FIndentAutoIndent) options |= eoAutoIndent;
  editor->SetOptions(options);
}

void TfrmMain::NewDoc() {
  TEditorDoc *doc = CreateDocTab(QStringLiteral("Untitled"));
  doc->EOL = FSettings.FNewDocEOL;
  doc->SetEncKind(FSettings.FNewDocEnc);
  if (FSettings.FNewDocLangTag != KLangTagPlainText) {
    doc->Editor->SetHighlighter(FHighlighters->ForLangTag(FSettings.FNewDocLangTag));
    doc->LangTag = FSettings.FNewDocLangTag;
  }
  doc->Editor->Document().SetLineBreak(doc->EOL);
  doc->Size.Reset(doc->Editor->Lines().Lines(), doc->EncKind, doc->EOL);
  doc->Editor->SetModified(false);
  UpdateTabCaption(doc);
  doc->Editor->setFocus();
  UpdateStatus();
  UpdateTitle();
}

bool TfrmMain::IsUntouched(const TEditorDoc *doc) const {
  return doc && doc->FileName.isEmpty() && !doc->Editor->Modified() && doc->Editor->Lines().GetCount() == 0 &&
         !doc->IsLoading;
}

void TfrmMain::OpenFile(const QString &path) {
  if (TEditorDoc *open = FindDocByFileName(path)) {
    pcTabs->setCurrentWidget(open->Editor);
    if (!FBatchOpen) {
      UpdateStatus();
      UpdateTitle();
    }
    return;
  }
  const QFileInfo info(path);
  if (!info.exists()) {
    ShowError(this, QStringLiteral("File not found: ") + path);
    return;
  }
  if (!info.isFile()) {
    ShowError(this, QStringLiteral("Could not open file: ") + QStringLiteral("This is not a regular file."));
    return;
  }
  const qint64 size = info.size();
  if (FSettings.FWarnLargeFiles && size > KLargeFileWarning &&
      !Confirm(this,
               QStringLiteral("The file is %1 MB. Opening very large files can use several times that much memory "
                              "and may fail, be slow, or become unresponsive.\r\n\r\nOpen it anyway?")
                   .arg(size / KMiB),
               TMessageKind::Warning))
    return;
  TEditorDoc *active = ActiveDoc();
  TEditorDoc *doc = IsUntouched(active) ? active : CreateDocTab(info.fileName());
  doc->FileName = info.absoluteFilePath();
  doc->IsLoading = true;
  doc->Editor->SetReadOnly(true);  // typing now would be lost when the text arrives
  UpdateTabCaption(doc);
  AddToRecent(doc->FileName);
  ApplyIndentSettings(doc->Editor, doc->FileName);
  const bool highlight = !IsBinaryFile(doc->FileName) && size <= qint64(FSettings.FHighlightLimitMB) * KMiB;
  doc->Editor->SetHighlighter(highlight ? FHighlighters->ForFileName(doc->FileName) : nullptr);
  doc->LangTag = LangTagForFileName(doc->FileName);
  if (!FBatchOpen) UpdateTitle();
  if (size > KDirectLoadLimit) StartBackgroundLoad(doc, doc->FileName);
  else LoadDirect(doc, doc->FileName);
}

void TfrmMain::LoadDirect(TEditorDoc *doc, const QString &path) {
  QByteArray bytes;
  QString error;
  TWholeText whole;
  const bool ok = ReadFileBytes(path, bytes, &error) == TReadResult::Done && DecodeWholeText(bytes, whole, &error);
  if (!ok) {
    // An empty tab holding the path would let a later Save wipe the file: remove it.
    DiscardDoc(doc);
    ShowError(this, QStringLiteral("Could not open file: ") + error);
    AfterClose();
    return;
  }
  doc->Encoding = whole.Encoding;
  doc->EncKind = EncKindOf(whole.Encoding, whole.HasBOM);
  doc->EOL = whole.EOL;
  TMEEdit *editor = doc->Editor;
  const TMEEditorOptions options = editor->Options();
  editor->SetOptions(options & ~TMEEditorOptions(eoTabsToSpaces));  // tabs load as they are
  bool altered = false;
  editor->SetText(whole.Text, &altered);
  // Offsets and the save must agree on the break the file is written with.
  editor->Document().SetLineBreak(doc->EOL);
  editor->SetOptions(options);
  // A lone trailing byte of UTF-16 text was dropped.
  const qsizetype mark = whole.HasBOM ? whole.Encoding->Preamble().size() : 0;
  doc->DecodeAltered = altered || (whole.Encoding->IsUtf16() && (bytes.size() - mark) % 2 != 0);
  FinishLoad(doc, false);
  if (!FBatchOpen) UpdateStatus();
}

void TfrmMain::FinishLoad(TEditorDoc *doc, bool countSizeLater) {
  doc->RefreshDiskSize();
  if (countSizeLater) CountSizeLater(doc);
  else doc->Size.Reset(doc->Editor->Lines().Lines(), doc->EncKind, doc->EOL);
  doc->Editor->SetModified(false);
  doc->Editor->SetReadOnly(false);
  doc->IsLoading = false;
  UpdateTabCaption(doc);
}

// Counting the bytes of every line of a huge file would stall the window for a moment: the lines
// are counted on a worker from a shared (not copied) snapshot. Until then the status bar shows the
// file's size, which an unmodified document has anyway; an edit before the count ends counts at once.
void TfrmMain::CountSizeLater(TEditorDoc *doc) {
  const QStringList lines = doc->Editor->Lines().Lines();
  const int kind = doc->EncKind;
  const quint64 ticket = doc->Size.BeginCount(kind, doc->EOL);
  auto *watcher = new QFutureWatcher<std::vector<quint32>>(this);
  connect(watcher, &QFutureWatcherBase::finished, this, [this, id = doc->Id, watcher, ticket] {
    watcher->deleteLater();
    TEditorDoc *counted = FDocs.Find(id);
    if (!counted) return;
    counted->Size.Adopt(watcher->future().takeResult(), ticket);
    if (counted == ActiveDoc()) UpdateStatus();
  });
  watcher->setFuture(QtConcurrent::run([lines, kind] { return TDocSizeCounter::CountLines(lines, kind); }));
}

void TfrmMain::StartBackgroundLoad(TEditorDoc *doc, const QString &path) {
  ++FActiveLoads;
  FLoadProgress->Report(QFileInfo(path).fileName(), 0);
  QPointer<TfrmMain> guard(this);
  const TDocId id = doc->Id;
  auto *loader = new TFileLoaderThread(
      path,
      [guard, id](TFileLoaderThread *sender, std::unique_ptr<QStringList> &lines, const QString &eol,
                  const QString &error, bool success, bool hasBOM, const TEncoding *encoding) {
        if (guard && !guard->FClosing) guard->LoaderDone(id, sender, lines, eol, error, success, hasBOM, encoding);
      },
      [guard](TFileLoaderThread *sender, int percent) {
        if (guard && !guard->FClosing) guard->LoaderProgress(sender, percent);
      });
  // The thread's end is the one report every load gives, also when it was stopped.
  connect(loader, &QThread::finished, this, &TfrmMain::LoadEnded);
  FLoaders.push_back({id, loader});
  loader->start();
}

void TfrmMain::LoaderProgress(TFileLoaderThread *sender, int percent) {
  FLoadProgress->Report(QFileInfo(sender->FileName()).fileName(), percent);
}

void TfrmMain::LoaderDone(TDocId id, TFileLoaderThread *sender, std::unique_ptr<QStringList> &lines,
                          const QString &eol, const QString &error, bool success, bool hasBOM,
                          const TEncoding *encoding) {
  TEditorDoc *doc = FDocs.Find(id);
  if (!doc) return;  // closed while it loaded
  if (success) {
    doc->Encoding = encoding;
    doc->EncKind = EncKindOf(encoding, hasBOM);
    doc->EOL = eol;
    doc->DecodeAltered = sender->DecodeAltered();
    doc->Editor->Document().AdoptLines(lines, TMELineList::LineEndingOf(eol));
    FinishLoad(doc, true);
  } else {
    doc->IsLoading = false;
    DiscardDoc(doc);
    ShowError(this, QStringLiteral("Could not open file: ") + error);
    if (pcTabs->count() == 0) NewDoc();
  }
  UpdateStatus();
  UpdateTitle();
}

void TfrmMain::LoadEnded() {
  if (FClosing) return;
  std::erase_if(FLoaders, [](const TRunningLoad &load) { return !load.Loader || load.Loader->isFinished(); });
  if (FActiveLoads > 0 && --FActiveLoads == 0) FLoadProgress->Finish();
  UpdateStatus();
  UpdateTitle();
}

void TfrmMain::OpenFiles(const QStringList &paths) {
  if (paths.isEmpty()) return;
  if (paths.size() == 1) {
    OpenFile(paths.first());
    return;
  }
  setUpdatesEnabled(false);
  FBatchOpen = true;
  TEditorDoc *last = nullptr;
  for (const QString &path : paths) {
    OpenFile(path);
    last = FDocs.Last();
  }
  FBatchOpen = false;
  setUpdatesEnabled(true);
  if (last) pcTabs->setCurrentWidget(last->Editor);
  UpdateStatus();
  UpdateTitle();
}

bool TfrmMain::RefuseWhileLoading(TEditorDoc *doc) {
  if (!doc || !doc->IsLoading) return false;
  ShowInformation(this, doc->StillLoadingText());
  return true;
}

void TfrmMain::ReloadDoc(TEditorDoc *doc) {
  if (!doc || doc->FileName.isEmpty() || !QFileInfo::exists(doc->FileName) || RefuseWhileLoading(doc)) return;
  if (doc->Editor->Modified() &&
      !Confirm(this, QStringLiteral("Discard unsaved changes and reload \"%1\" from disk?").arg(doc->DisplayName()),
               TMessageKind::Warning))
    return;
  const QString path = doc->FileName;
  pcTabs->setCurrentWidget(doc->Editor);
  doc->FileName.clear();
  doc->Editor->ClearAll();
  doc->Editor->SetModified(false);
  OpenFile(path);
}

bool TfrmMain::ConfirmCloseDoc(TEditorDoc *doc) {
  if (!doc || !doc->Editor->Modified()) return true;
  if (FBulkSave == bsYesAll) return SaveDoc(doc, false);
  if (FBulkSave == bsNoAll) return true;
  pcTabs->setCurrentWidget(doc->Editor);
  UpdateTitle();
  UpdateStatus();
  const QString question = QStringLiteral("Save changes to \"%1\"?").arg(doc->DisplayName());
  const std::vector<TEditorDoc *> docs = FDocs.All();
  const int modified = int(std::count_if(docs.begin(), docs.end(), [](const TEditorDoc *d) { return d->Editor->Modified(); }));
  if (FBatchClose && modified > 1) {
    switch (AskUser(this, {TMessageKind::Question, QStringLiteral("Confirmation"), QStringLiteral("Save changes?"), question,
                           {TAnswer::Yes, TAnswer::No, TAnswer::YesToAll, TAnswer::NoToAll, TAnswer::Cancel}})) {
      case TAnswer::Yes: return SaveDoc(doc, false);
      case TAnswer::No: return true;
      case TAnswer::YesToAll: FBulkSave = bsYesAll; return SaveDoc(doc, false);
      case TAnswer::NoToAll: FBulkSave = bsNoAll; return true;
      default: return false;
    }
  }
  switch (AskYesNoCancel(this, question)) {
    case TAnswer::Yes: return SaveDoc(doc, false);
    case TAnswer::No: return true;
    default: return false;
  }
}

void TfrmMain::RemoveDoc(TEditorDoc *doc) {
  // A load no one waits for any more stops; its thread still reports its end.
  for (const TRunningLoad &load : FLoaders)
    if (load.Doc == doc->Id && load.Loader) load.Loader->requestInterruption();
  TMEEdit *editor = doc->Editor;
  editor->disconnect(this);
  editor->Document().disconnect(this);
  pcTabs->removeTab(pcTabs->indexOf(editor));
  FDocs.Remove(doc->Id);
  delete editor;
}

bool TfrmMain::CloseDoc(TEditorDoc *doc) {
  if (!ConfirmCloseDoc(doc)) return false;
  RemoveDoc(doc);
  return true;
}

void TfrmMain::DiscardDoc(TEditorDoc *doc) { RemoveDoc(doc); }

void TfrmMain::AfterClose() {
  if (pcTabs->count() == 0) NewDoc();
  UpdateStatus();
  UpdateTitle();
}

int TfrmMain::CloseDocList(const std::vector<TDocId> &ids) {
  FBatchClose = true;
  FBulkSave = bsAsk;
  int closed = 0;
  for (const TDocId id : ids) {
    TEditorDoc *doc = FDocs.Find(id);
    if (!doc) continue;  // closed meanwhile, e.g. by a load that failed
    if (!CloseDoc(doc)) break;
    ++closed;
  }
  FBatchClose = false;
  FBulkSave = bsAsk;
  AfterClose();
  return closed;
}

void TfrmMain::EditorChanged(TMEEdit *editor) {
  TEditorDoc *doc = DocOfEditor(editor);
  if (!doc || doc->IsLoading) return;
  UpdateTabCaption(doc);
  if (doc == ActiveDoc()) UpdateTitle();
}

void TfrmMain::EditorStatusChanged(TMEEdit *editor) {
  if (editor == ActiveEditor()) {
    if (TEditorDoc *doc = ActiveDoc(); doc && !doc->IsLoading) UpdateTabCaption(doc);
    UpdateStatus();
  }
}
