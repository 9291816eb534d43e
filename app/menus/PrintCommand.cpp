#include "PrintCommand.h"

#include "CommandContext.h"
#include "app/DocList.h"
#include "app/EditorDoc.h"
#include "editor/Edit.h"
#include "editor/EditPrint.h"
#include "platform/MessageBox.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::Literals::StringLiterals;

TPrintCommand::TPrintCommand(TCommandContext &context) : FContext(context) {
  HasPrinter = [] { return !QPrinterInfo::availablePrinters().isEmpty(); };
  SetUpPrinter = [this](QPrinter &printer) {
    QPrintDialog dialog(&printer, FContext.DialogParent());
    // Every line is printed: the dialog offers no range, selection or current page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
  };
}

std::vector<TCommand> TPrintCommand::Commands() {
  return {{u"miPrint"_s, u"&Print..."_s, QKeySequence(u"Ctrl+P"_s), [this] { miPrintClick(); }, {}, {}}};
}

bool TPrintCommand::RefusedWhileLoading(const TEditorDoc &doc) {
  if (!doc.IsLoading) return false;
  ShowInformation(FContext.DialogParent(), doc.StillLoadingText());
  return true;
}

void TPrintCommand::miPrintClick() {
  const TEditorDoc *doc = FContext.ActiveDoc();
  if (!doc) return;
  if (!HasPrinter()) {
    ShowInformation(FContext.DialogParent(), u"No printer is installed."_s);
    return;
  }
  // Half a text would print as if it were the whole.
  if (RefusedWhileLoading(*doc)) return;
  const TDocId id = doc->Id;
  QPrinter printer(QPrinter::HighResolution);
  if (!SetUpPrinter(printer)) return;
  // The dialog let other events run: the document may have gone, or begun loading again, meanwhile.
  doc = FContext.Docs().Find(id);
  if (!doc || RefusedWhileLoading(*doc)) return;
  TMEEditPrint print;
  print.SetEditor(doc->Editor);
  print.SetHighlighter(doc->Editor->Highlighter());
  print.SetTitle(doc->DisplayName());
  if (!print.Print(printer)) ShowError(FContext.DialogParent(), u"Could not print \"%1\"."_s.arg(doc->DisplayName()));
}
