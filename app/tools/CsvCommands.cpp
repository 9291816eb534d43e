#include "CsvCommands.h"

#include "TextDriver.h"
#include "app/EditorDoc.h"
#include "app/menus/CommandContext.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"
#include "platform/Prompts.h"
#include "tools/CsvColumns.h"
#include "tools/CsvDelimiter.h"

#include <algorithm>

namespace {

const QChar KDelimiterOfTag[] = {QChar(), u',', u';', u'\t', u'|'};
constexpr int KDetectTag = 0;
constexpr int KCustomTag = 5;

}  // namespace

TCsvCommands::TCsvCommands(TCommandContext &context, TTextDriver &driver) : FContext(context), FDriver(driver) {}

std::optional<QChar> TCsvCommands::DelimiterOfTag(int tag) {
  if (tag > KDetectTag && tag < KCustomTag) return KDelimiterOfTag[tag];
  const std::optional<QString> answer = AskText(FContext.DialogParent(), QStringLiteral("Custom Delimiter"),
                                                QStringLiteral("Enter a single-character delimiter:"), QString());
  if (!answer) return std::nullopt;
  const TResult<QChar> delim = ReadCustomCsvDelimiter(*answer);
  if (!delim.IsOk()) {
    ShowWarning(FContext.DialogParent(), delim.Error());
    return std::nullopt;
  }
  return delim.Value();
}

void TCsvCommands::StoreDelimiter(TEditorDoc &doc, const QString &delim) {
  doc.Editor->Document().SetProperty(KCsvDelimProperty, delim, false);
}

void TCsvCommands::miCsvSetDelimClick(int tag) {
  TEditorDoc *doc = FContext.ActiveDoc();
  if (!doc) return;
  if (tag == KDetectTag) return StoreDelimiter(*doc, QString());
  if (const std::optional<QChar> delim = DelimiterOfTag(tag)) StoreDelimiter(*doc, QString(*delim));
}

bool TCsvCommands::DelimiterChecked(int tag) const {
  const TEditorDoc *doc = FContext.ActiveDoc();
  const QString stored = doc ? doc->CsvDelim : QString();
  if (tag == KDetectTag) return stored.isEmpty();
  if (tag < KCustomTag) return stored == QString(KDelimiterOfTag[tag]);
  return !stored.isEmpty() && std::none_of(std::begin(KDelimiterOfTag) + 1, std::end(KDelimiterOfTag),
                                           [&](QChar c) { return stored == QString(c); });
}

void TCsvCommands::miCsvReplaceClick(int tag) {
  TEditorDoc *doc = FDriver.ToolTarget();
  if (!doc) return;
  const QChar old = ActiveCsvDelimiter(doc->CsvDelim, doc->Editor->GetText());
  const std::optional<QChar> delim = DelimiterOfTag(tag);
  if (!delim || *delim == old) return;
  const QString eol = doc->EOL;
  FDriver.TransformDocument(
      [old, delim = *delim, eol](QStringView text) { return CsvReplaceDelimiter(text, old, delim, eol); },
      QStringLiteral("Replace Delimiter"), {{KCsvDelimProperty, QString(*delim)}});
}

void TCsvCommands::miCsvQuoteAllClick() {
  const TEditorDoc *doc = FDriver.ToolTarget();
  if (!doc) return;
  FDriver.TransformDocument([stored = doc->CsvDelim, eol = doc->EOL](QStringView text) {
    return CsvQuoteAll(text, ActiveCsvDelimiter(stored, text), eol);
  }, QStringLiteral("Quote All Fields"));
}

void TCsvCommands::miCsvUnquoteAllClick() {
  const TEditorDoc *doc = FDriver.ToolTarget();
  if (!doc) return;
  FDriver.TransformDocument([stored = doc->CsvDelim, eol = doc->EOL](QStringView text) {
    return CsvUnquoteAll(text, ActiveCsvDelimiter(stored, text), eol);
  }, QStringLiteral("Unquote All Fields"));
}

void TCsvCommands::SelectColumns(TColumnChoice choice) {
  const TEditorDoc *doc = FDriver.ToolTarget();
  if (!doc) return;
  const bool keep = choice == TColumnChoice::Keep;
  const std::optional<QString> spec =
      AskText(FContext.DialogParent(), keep ? QStringLiteral("Keep Columns") : QStringLiteral("Remove Columns"),
              keep ? QStringLiteral("Columns to keep (e.g. 1 or 1,3 or 1-4,6):")
                   : QStringLiteral("Columns to remove (e.g. 1 or 1,3 or 1-4,6):"),
              QString());
  if (!spec) return;
  if (const TResult<TColumnSet> columns = ParseColumnSpec(*spec); !columns.IsOk()) {
    ShowWarning(FContext.DialogParent(), columns.Error());
    return;
  }
  FDriver.TransformDocument([stored = doc->CsvDelim, eol = doc->EOL, choice, spec = *spec](QStringView text) {
    return CsvSelectColumns(text, ActiveCsvDelimiter(stored, text), eol, choice, spec);
  }, keep ? QStringLiteral("Keep Columns") : QStringLiteral("Remove Columns"));
}
