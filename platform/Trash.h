#pragma once
// The desktop's trash, from where a file can be restored: on Linux the freedesktop.org trash (the
// home trash under $XDG_DATA_HOME, or for a file on another disk the trash at that disk's top).
#include <QString>

// Moves the file into the trash; false when there is no trash to take it (none on its disk, or
// none can be made), and the file then stays where it was: it is never copied, nor deleted instead.
bool MoveToTrash(const QString &path);
