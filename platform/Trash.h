#pragma once
// The desktop's trash, from where a file can be restored.
#include <QString>

// Moves the file into the trash; false when there is no trash to take it (none on its disk, or
// none can be made), and the file then stays where it was: it is never deleted instead.
bool MoveToTrash(const QString &path);
