#include "CaretCommands.h"

#include "CommandContext.h"
#include "app/EditorDoc.h"
#include "editor/Edit.h"
#include "platform/Clipboard.h"
#include "tools/CaretText.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct TCaretItem {
  QString Copy;    // empty: no copy item
  QString Select;  // empty: no select item
  QString Caption;
};

// By tag.
const std::vector<TCaretItem> &CaretItems() {
  static const std::vector<TCaretItem> items = {
      {u"cmCaToLineEnd"_s, u"cmSaToLineEnd"_s, u"To Line End"_s},
      {u"cmCaToLineStart"_s, u"cmSaToLineStart"_s, u"To Line Start"_s},
      {u"cmCaToDocEnd"_s, u"cmSaToDocEnd"_s, u"To Document End"_s},
      {u"cmCaToDocStart"_s, u"cmSaToDocStart"_s, u"To Document Start"_s},
      {u"cmCaNextWord"_s, QString(), u"Next Word"_s},
      {u"cmCaPrevWord"_s, QString(), u"Previous Word"_s},
      {u"cmCaToNextSQuote"_s, u"cmSaToNextSQuote"_s, u"To Next Single Quote"_s},
      {u"cmCaToPrevSQuote"_s, u"cmSaToPrevSQuote"_s, u"To Previous Single Quote"_s},
      {u"cmCaToNextDQuote"_s, u"cmSaToNextDQuote"_s, u"To Next Double Quote"_s},
      {u"cmCaToPrevDQuote"_s, u"cmSaToPrevDQuote"_s, u"To Previous Double Quote"_s},
      {u"cmCaBetweenSQuotes"_s, u"cmSaBetweenSQuotes"_s, u"Between Single Quotes ''"_s},
      {u"cmCaBetweenDQuotes"_s, u"cmSaBetweenDQuotes"_s, u"Between Double Quotes \"\""_s},
      {u"cmCaBetweenParens"_s, u"cmSaBetweenParens"_s, u"Between Parentheses ()"_s},
      {u"cmCaBetweenBrackets"_s, u"cmSaBetweenBrackets"_s, u"Between Brackets []"_s},
      {u"cmCaBetweenBraces"_s, u"cmSaBetweenBraces"_s, u"Between Braces {}"_s},
  };
  return items;
}

}  // namespace

QStringList TCaretCommands::CopyAroundItems() {
  QStringList names;
  for (const TCaretItem &item : CaretItems()) names << item.Copy;
  return names;
}

QStringList TCaretCommands::SelectAroundItems() {
  QStringList names;
  for (const TCaretItem &item : CaretItems())
    if (!item.Select.isEmpty()) names << item.Select;
  return names;
}

std::vector<TCommand> TCaretCommands::Commands() {
  const auto hasEditor = [this] { return FContext.ActiveEditor() != nullptr; };
  std::vector<TCommand> commands;
  for (int tag = 0; tag < int(CaretItems().size()); ++tag) {
    const TCaretItem &item = CaretItems()[tag];
    commands.push_back({item.Copy, item.Caption, {}, [this, tag] { cmCopyAroundClick(tag); }, hasEditor, {}});
    if (!item.Select.isEmpty())
      commands.push_back({item.Select, item.Caption, {}, [this, tag] { cmSelectAroundClick(tag); }, hasEditor, {}});
  }
  commands.push_back(
      {u"cmCopyCurrentLine"_s, u"Copy Current Line"_s, {}, [this] { cmCopyCurrentLineClick(); }, hasEditor, {}});
  commands.push_back({u"miBeginEndSelect"_s, u"&Begin/End Select"_s, QKeySequence(u"Ctrl+B"_s),
                      [this] { miBeginEndSelectClick(); }, hasEditor, {}});
  return commands;
}

void TCaretCommands::cmCopyAroundClick(int tag) {
  const TMEEdit *editor = FContext.ActiveEditor();
  if (!editor) return;
  const QString text = CopyAroundCaret(TCaretTarget(tag), editor->Document(), editor->CaretXY());
  if (!text.isEmpty()) SetClipboardText(text);
}

void TCaretCommands::cmSelectAroundClick(int tag) {
  TMEEdit *editor = FContext.ActiveEditor();
  if (!editor) return;
  const std::optional<TCaretSelection> selection =
      SelectAroundCaret(TCaretTarget(tag), editor->Document(), editor->CaretXY());
  if (!selection) return;
  editor->SetCaretAndSelection(editor->CaretXY(), selection->Anchor, selection->End);
  editor->setFocus();
  editor->EnsureCursorPosVisible();
}

void TCaretCommands::cmCopyCurrentLineClick() {
  if (const TMEEdit *editor = FContext.ActiveEditor()) SetClipboardText(editor->LineText(editor->CaretY()));
}

void TCaretCommands::miBeginEndSelectClick() {
  const TEditorDoc *doc = FContext.ActiveDoc();
  if (!doc || !doc->Editor) return;
  TMEEdit *editor = doc->Editor;
  if (FSelAnchorSet && FSelAnchorDoc == doc->Id) {
    editor->SetCaretAndSelection(editor->CaretXY(), FSelAnchor, editor->CaretXY());
    FSelAnchorSet = false;
    FContext.UpdateStatus();
    return;
  }
  FSelAnchor = editor->CaretXY();
  FSelAnchorDoc = doc->Id;
  FSelAnchorSet = true;
  FContext.ShowStatusText(QStringLiteral("Select anchor set at Ln %1, Col %2 - move and use Begin/End Select again")
                              .arg(FSelAnchor.Line)
                              .arg(FSelAnchor.Char));
}
