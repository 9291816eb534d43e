#pragma once
// A menu as a table: command names, separators and submenus with their own enabling condition.
// The files that own a menu's rows give them in this form; the menu that shows them builds them
// through the command registry.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct TMenuEntry {
  QString Name;     // a command, "-" for a separator, or the submenu's object name
  QString Caption;  // a submenu's caption; empty for a command or a separator
  std::vector<TMenuEntry> Items;
  std::function<bool()> Enabled;  // a submenu's condition; null: always
};

inline std::vector<TMenuEntry> MenuCommands(const QStringList &names) {
  std::vector<TMenuEntry> entries;
  for (const QString &name : names) entries.push_back({name, {}, {}, {}});
  return entries;
}

inline TMenuEntry MenuSubmenu(const QString &name, const QString &caption, std::vector<TMenuEntry> items,
                              std::function<bool()> enabled = {}) {
  return {name, caption, std::move(items), std::move(enabled)};
}

inline TMenuEntry MenuSeparator() { return {QStringLiteral("-"), {}, {}, {}}; }
