#pragma once
// The "CSV Operations" commands: the delimiter a document uses (stored with it, or detected), and
// the commands that rewrite the whole document through the text driver. A stored delimiter is a
// property of the document model, so Undo of Replace Delimiter brings the old one back too.
#include "tools/CsvOperations.h"

#include <optional>

class TCommandContext;
class TTextDriver;
struct TEditorDoc;

class TCsvCommands {
 public:
  TCsvCommands(TCommandContext &context, TTextDriver &driver);

  // The "Delimiter" items by tag: 0 detect, 1 to 4 ",", ";", tab, "|", 5 ask for one.
  void miCsvSetDelimClick(int tag);
  // Whether the item of tag shows the active document's choice.
  bool DelimiterChecked(int tag) const;
  // The "Replace Delimiter" items by tag, 1 to 5 as above.
  void miCsvReplaceClick(int tag);
  void miCsvQuoteAllClick();
  void miCsvUnquoteAllClick();
  void SelectColumns(TColumnChoice choice);

 private:
  // The delimiter of tag 1 to 4, or the one asked for with tag 5; null when cancelled or refused.
  std::optional<QChar> DelimiterOfTag(int tag);
  void StoreDelimiter(TEditorDoc &doc, const QString &delim);

  TCommandContext &FContext;
  TTextDriver &FDriver;
};
