#pragma once
// The recently opened files: full paths, most recent first, at most fifteen, each file once.
#include <QStringList>

// Moves path to the top (in its new spelling) and drops what falls past the fifteenth entry.
void AddToRecentFiles(QStringList &recent, const QString &path);

// The caption of entry index (0-based) in the "Recently Opened Files" menu.
QString RecentItemCaption(int index, const QString &path);
