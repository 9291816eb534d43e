// The window title, the status line, tab captions and the language name they show.
#include "MainWindow.h"
#include "StatusText.h"
#include "TabStrip.h"
#include "editor/Edit.h"
#include "highlight/HighlighterSet.h"
#include "highlight/LanguageMenu.h"

#include <QLabel>
#include <QProgressBar>

QString TfrmMain::AppName() const {
  return QStringLiteral("Quennet Notepad v") + QStringLiteral(QUENNET_VERSION);
}

void TfrmMain::UpdateTitle() {
  const TEditorDoc *doc = ActiveDoc();
  setWindowTitle(WindowTitleText(AppName(), doc != nullptr, doc && doc->Editor->Modified(),
                                 doc ? doc->FileName : QString(), doc ? doc->DisplayName() : QString()));
}

void TfrmMain::UpdateStatus() {
  // The Language menu's check follows the active document as the status line does.
  CheckLanguageItems(*FLanguageMenu, LanguageTagOf(ActiveDoc()));
  // While files load the label shows their progress.
  if (ProgressBar1->isVisible()) return;
  lblStatus->setText(StatusText());
}

void TfrmMain::ShowStatusText(const QString &text) { lblStatus->setText(text); }

QString TfrmMain::StatusText() const {
  const TEditorDoc *doc = ActiveDoc();
  if (!doc) return QString();
  const TMEEdit *editor = doc->Editor;
  return StatusLineText(editor->CaretY(), editor->CaretX(), EncKindName(doc->EncKind), editor->Lines().GetCount(),
                        EolDisplayName(doc->EOL), CurrentLanguageName(), DocSizeText(doc));
}

int TfrmMain::LanguageTagOf(const TEditorDoc *doc) const {
  if (!doc) return KLangTagPlainText;
  return doc->LangTag != KLangTagFromHighlighter ? doc->LangTag : FHighlighters->LangTagOf(doc->Editor->Highlighter());
}

QString TfrmMain::CurrentLanguageName() const {
  return LanguageNameOfTag(*FLanguageMenu, LanguageTagOf(ActiveDoc()));
}

QString TfrmMain::DocSizeText(const TEditorDoc *doc) const {
  if (!doc) return FormatSize(0);
  // The size on disk as of the last load or save: asking the disk here would cost a system call on
  // every caret move.
  if (!doc->FileName.isEmpty() && (!doc->Editor->Modified() || doc->Size.Pending()) &&
      (doc->DiskSize || doc->Size.Pending()))
    return FormatSize(doc->DiskSize.value_or(0));
  // Counted line by line as edits arrive, with the break a save writes.
  return FormatSize(doc->Size.Total());
}

void TfrmMain::UpdateTabCaption(TEditorDoc *doc) {
  const int index = pcTabs->indexOf(doc->Editor);
  if (index < 0) return;
  const bool modified = doc->Editor->Modified();
  pcTabs->Strip()->SetTabCaption(index, TabCaptionText(doc->DisplayName(), modified), modified);
  pcTabs->setTabToolTip(index, doc->FileName.isEmpty() ? QStringLiteral("Untitled") : doc->FileName);
}
