#include "SearchCommands.h"

#include "core/CaseFold.h"
#include "editor/Edit.h"

void TSearchCommands::SetSearchRegex(bool useRegex) {
  FUseRegex = useRegex;
  for (TMEEdit *editor : Editors()) editor->SetSearchEngine(useRegex ? static_cast<TMEEditSearchCustom *>(&FRegex) : &FSearch);
}

bool TSearchCommands::Find(const QString &text, TMESearchOptions options) {
  TMEEdit *editor = ActiveEditor();
  if (!editor || text.isEmpty()) return false;
  options &= ~(ssoReplace | ssoReplaceAll);
  if (editor->SearchReplace(text, QString(), options & ~ssoEntireScope) > 0) return true;
  return editor->SearchReplace(text, QString(), options | ssoEntireScope) > 0;
}

bool TSearchCommands::FindNext(const QString &text, TMESearchOptions options) {
  return Find(text, options & ~ssoBackwards);
}

bool TSearchCommands::FindPrevious(const QString &text, TMESearchOptions options) {
  return Find(text, options | ssoBackwards);
}

std::optional<QString> TSearchCommands::ReplacementForSelection(TMEEdit *editor, const QString &find,
                                                                const QString &replace, TMESearchOptions options) {
  TBufferCoord begin = editor->BlockBegin(), end = editor->BlockEnd();
  OrderCoords(begin, end);
  if (begin == end) return std::nullopt;
  if (!FUseRegex) {
    // Folded as the search folds, so every variant Find Next selects can be replaced.
    const QString selected = editor->SelText();
    if (selected.size() != find.size()) return std::nullopt;
    for (qsizetype i = 0; i < find.size(); ++i) {
      const char16_t a = selected[i].unicode(), b = find[i].unicode();
      if ((options & ssoMatchCase) ? a != b : FoldCase(a) != FoldCase(b)) return std::nullopt;
    }
    return replace;
  }
  // An expression's match is looked for in its own line, so anchors and look-arounds hold, and
  // the replacement's group references are expanded from it.
  if (begin.Line != end.Line) return std::nullopt;
  const QString line = editor->LineText(begin.Line);
  FRegex.SetPattern(find);
  FRegex.SetOptions(options);
  const int count = FRegex.FindAll(line);
  for (int i = 0; i < count; ++i)
    if (FRegex.Results(i) == begin.Char - 1 && FRegex.Lengths(i) == end.Char - begin.Char)
      return FRegex.Replace(line, i, replace);
  return std::nullopt;
}

void TSearchCommands::ReplaceCurrent(const QString &find, const QString &replace, TMESearchOptions options) {
  TMEEdit *editor = ActiveEditor();
  if (!editor || find.isEmpty()) return;
  if (const std::optional<QString> replacement = ReplacementForSelection(editor, find, replace, options))
    editor->SetSelText(*replacement);
  FindNext(find, options);
}

int TSearchCommands::ReplaceAll(const QString &find, const QString &replace, TMESearchOptions options, bool allFiles) {
  options |= ssoEntireScope | ssoReplace | ssoReplaceAll;
  int total = 0;
  if (allFiles) {
    for (TMEEdit *editor : Editors()) total += editor->SearchReplace(find, replace, options);
  } else if (TMEEdit *editor = ActiveEditor()) {
    total = editor->SearchReplace(find, replace, options);
  }
  return total;
}
