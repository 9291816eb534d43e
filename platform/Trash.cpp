#include "Trash.h"

#include <QFile>

bool MoveToTrash(const QString &path) { return QFile::moveToTrash(path); }
