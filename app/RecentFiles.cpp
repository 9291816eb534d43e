#include "RecentFiles.h"

#include "MainSettings.h"
#include "platform/Paths.h"

void AddToRecentFiles(QStringList &recent, const QString &path) {
  if (path.isEmpty()) return;
  recent.removeIf([&](const QString &entry) { return SamePath(entry, path); });
  recent.prepend(path);
  while (recent.size() > KMaxRecentFiles) recent.removeLast();
}

QString RecentItemCaption(int index, const QString &path) {
  return QStringLiteral("&%1  %2").arg(index + 1).arg(path);
}
