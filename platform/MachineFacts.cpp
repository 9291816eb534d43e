#include "MachineFacts.h"

#include <QSysInfo>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

QString ComputerName() { return QSysInfo::machineHostName(); }

QString UserName() {
#ifndef _WIN32
  // The account of the effective user id: $USER may be unset, or name someone else after su.
  if (const passwd *account = getpwuid(geteuid()); account && account->pw_name)
    return QString::fromLocal8Bit(account->pw_name);
  return QString();
#else
  return qEnvironmentVariable("USERNAME");
#endif
}
