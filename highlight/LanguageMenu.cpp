#include "LanguageMenu.h"

#include "LanguageTags.h"

#include <initializer_list>

namespace {

constexpr int KPlainText = 0;

struct TCategory {
  QStringView Name;
  QStringView Caption;
  std::initializer_list<int> Tags;  // in menu order
};

const TCategory KCategories[] = {
    {u"miCatProgramming",
     u"Programming",
     {1, 4, 5, 33, 7, 23, 9, 36, 25, 34, 13, 14, 16, 17, 28, 35, 20}},
    {u"miCatWeb", u"Web", {6, 8, 10, 11, 15, 32, 21}},
    {u"miCatScripts", u"Scripts && Automation", {24, 2, 3, 30, 26, 31, 27}},
    {u"miCatData", u"Data && Configuration", {40, 29, 41, 18, 37, 22}},
    {u"miCatMarkup", u"Markup && Documentation", {39, 12, 19}},
    {u"miCatInfra", u"Infrastructure", {42, 38}},
};

TLanguageMenuItem RadioItem(int tag) {
  const TLanguageTag &entry = *LanguageTag(tag);
  return {entry.Item, entry.Caption, tag, false, {}};
}

// The first radio item in menu order that satisfies chosen.
template <typename TChosen>
const TLanguageMenuItem *FirstRadio(const TLanguageMenuItem &menu, const TChosen &chosen) {
  for (const TLanguageMenuItem &item : menu.Items) {
    if (item.Items.isEmpty()) {
      if (item.Tag >= 0 && chosen(item)) return &item;
    } else if (const TLanguageMenuItem *found = FirstRadio(item, chosen)) {
      return found;
    }
  }
  return nullptr;
}

QString NameOf(const TLanguageMenuItem *item) {
  if (!item) return QStringLiteral("Normal Text");
  QString name = item->Caption.toString().remove(u'&');
  const qsizetype suffix = name.indexOf(u" (Default)");
  if (suffix >= 0) name.truncate(suffix);
  return name;
}

}  // namespace

TLanguageMenuItem BuildLanguageMenu() {
  TLanguageMenuItem menu{u"mLanguage", u"&Language", -1, false, {}};
  menu.Items.append(RadioItem(KPlainText));
  menu.Items.append({u"miLangSep", {}, -1, false, {}});
  for (const TCategory &category : KCategories) {
    TLanguageMenuItem submenu{category.Name, category.Caption, -1, false, {}};
    for (int tag : category.Tags) submenu.Items.append(RadioItem(tag));
    menu.Items.append(std::move(submenu));
  }
  CheckLanguageItems(menu, KPlainText);
  return menu;
}

bool CheckLanguageItems(TLanguageMenuItem &menu, int tag) {
  bool any = false;
  for (TLanguageMenuItem &item : menu.Items) {
    item.Checked = item.Items.isEmpty() ? item.Tag >= 0 && item.Tag == tag
                                        : CheckLanguageItems(item, tag);
    any = any || item.Checked;
  }
  return any;
}

QString CurrentLanguageName(const TLanguageMenuItem &menu) {
  return NameOf(FirstRadio(menu, [](const TLanguageMenuItem &item) { return item.Checked; }));
}

QString LanguageNameOfTag(const TLanguageMenuItem &menu, int tag) {
  return NameOf(FirstRadio(menu, [tag](const TLanguageMenuItem &item) { return item.Tag == tag; }));
}
