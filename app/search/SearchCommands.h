#pragma once
// The window's side of find and replace: the two shared engines, Find Next and Find Previous with
// wrap-around, Replace of the found match, and Replace All over one or every open document.
#include "editor/LiteralSearch.h"
#include "editor/RegexSearch.h"

#include <QList>

#include <functional>
#include <optional>

class TMEEdit;

class TSearchCommands {
 public:
  // The editor of the active tab (or null), and every open document's editor in document order.
  std::function<TMEEdit *()> ActiveEditor;
  std::function<QList<TMEEdit *>()> Editors;

  // What a newly opened document searches with.
  TMEEditSearchCustom *LiteralEngine() { return &FSearch; }
  // Gives every open editor the regular-expression or the literal engine.
  void SetSearchRegex(bool useRegex);

  // From the caret, then once more from the document's start (or end): the search wraps silently.
  bool FindNext(const QString &text, TMESearchOptions options);
  bool FindPrevious(const QString &text, TMESearchOptions options);
  // Replaces the selection when it is a match of find, then finds the next match.
  void ReplaceCurrent(const QString &find, const QString &replace, TMESearchOptions options);
  int ReplaceAll(const QString &find, const QString &replace, TMESearchOptions options, bool allFiles);

 private:
  bool Find(const QString &text, TMESearchOptions options);
  // What replaces the selection when it is a match of find; nothing when it is not.
  std::optional<QString> ReplacementForSelection(TMEEdit *editor, const QString &find, const QString &replace,
                                                 TMESearchOptions options);

  TMEEditSearch FSearch;
  TMEEditRegexSearch FRegex;
  bool FUseRegex = false;
};
