#pragma once
// File › Print: the active document on the printer chosen in the system's print dialog, in the
// colours of its highlighter, titled with its name; refused while the document is still loading.
#include "Command.h"

#include <functional>
#include <vector>

class QPrinter;
class TCommandContext;
struct TEditorDoc;

class TPrintCommand {
 public:
  explicit TPrintCommand(TCommandContext &context);

  std::vector<TCommand> Commands();
  void miPrintClick();

  // Whether the system has a printer installed; tests replace it.
  std::function<bool()> HasPrinter;
  // The print dialog: sets printer up and answers whether to print; tests replace it.
  std::function<bool(QPrinter &printer)> SetUpPrinter;

 private:
  // Tells the user when doc is still loading.
  bool RefusedWhileLoading(const TEditorDoc &doc);

  TCommandContext &FContext;
};
