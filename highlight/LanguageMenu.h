#pragma once
// The Language menu as a model: its items in menu order, which of them are checked, and the
// language name the status bar shows. The menu widgets mirror it.
#include <QList>
#include <QString>

struct TLanguageMenuItem {
  QStringView Name;     // "mLanguage", "miCatWeb", "miLangHtml", "miLangSep"
  QStringView Caption;  // "&&" stands for one ampersand; empty for the separator
  int Tag = -1;         // a radio item's language tag; -1 for a submenu and the separator
  bool Checked = false;
  QList<TLanguageMenuItem> Items;
};

// "&Language": plain text, a separator and six submenus holding the other 42 radio items, with
// plain text checked.
TLanguageMenuItem BuildLanguageMenu();
// Checks the radio items that carry tag and every submenu above a checked item, and unchecks
// all others. Returns whether anything in menu is checked.
bool CheckLanguageItems(TLanguageMenuItem &menu, int tag);
// The caption of the first checked radio item in menu order, without "&" and from " (Default)"
// on; "Normal Text" when none is checked.
QString CurrentLanguageName(const TLanguageMenuItem &menu);
// The name CurrentLanguageName gives once tag is checked, without checking anything.
QString LanguageNameOfTag(const TLanguageMenuItem &menu, int tag);
