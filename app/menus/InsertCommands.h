#pragma once
// The "Insert" submenu's own commands: identifiers, date and time, a picked colour, the current
// file's path, the computer and user, an executable's version field or signer, random values, and
// a browsed file's path. Each puts its text in place of the selection, as one edit.
#include "Command.h"

#include <QColor>

#include <vector>

class TCommandContext;

class TInsertCommands {
 public:
  explicit TInsertCommands(TCommandContext &context) : FContext(context) {}

  std::vector<TCommand> Commands();
  // The items of the submenus, in menu order.
  static QStringList DateTimeItems();
  static QStringList ColorItems();
  static QStringList CurrentFileItems();
  static QStringList ComputerItems();
  static QStringList ExeVersionItems();
  static QStringList RandomItems();

  void cmInsertDateTimeClick(int tag);
  void cmInsertColorClick(int tag);
  void cmInsertPathClick(int tag);
  void cmInsComputerClick(int tag);
  void cmInsExeVerClick(int tag);
  void cmInsExeSignerClick();
  void cmInsRandomClick(int tag);
  void cmInsBrowseFileClick();

 private:
  void Insert(const QString &text);
  // The bytes of an executable the user picks; empty when cancelled or unreadable.
  std::optional<QByteArray> AskExecutable();

  TCommandContext &FContext;
  QColor FLastColor = Qt::white;  // the colour dialog starts at the last one picked
};
