#include "Paths.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString Comparable(const QString &path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
}  // namespace

bool SamePath(const QString &a, const QString &b) {
#ifdef Q_OS_WIN
  return Comparable(a).compare(Comparable(b), Qt::CaseInsensitive) == 0;
#else
  return Comparable(a) == Comparable(b);
#endif
}
