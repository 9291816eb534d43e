#pragma once
// The file operations a save is made of, as the system gives them. Each answers 0 or the system's
// error number (errno), so the caller can name the system's own reason to the user.
#include <QString>

// A new file for writing; fails when path exists. ownerOnly: readable by its owner alone (until
// it takes the mode of the file it replaces), else with the user's default mode.
int CreateNewFile(const QString &path, bool ownerOnly, int &handle);
// An existing file (or device, or pipe) for writing from its start, emptied. A pipe without a
// reader answers at once (ENXIO) instead of blocking.
int OpenFileForOverwrite(const QString &path, int &handle);
int WriteAllBytes(int handle, const char *data, qint64 size);
// Waits until the bytes are on the disk. A device or pipe that cannot be synchronised counts as done.
int SyncFile(int handle);
int CloseFile(int handle);
// Puts from in the place of to in one step, replacing it.
int RenameOver(const QString &from, const QString &to);
int RemoveFile(const QString &path);
// 0 when this process may write path.
int CheckWritable(const QString &path);
// Gives the file behind handle the mode, and where allowed the owner and group, of the file at from.
void CopyModeAndOwner(int handle, const QString &from);

// A regular file for reading, found and checked on the same handle, so nothing swapped in between
// is read; the open never waits (a FIFO without a writer). A FIFO, device, socket or folder answers
// KNotRegularFile. size: the file's size at that moment.
constexpr int KNotRegularFile = -1;
int OpenRegularFile(const QString &path, int &handle, qint64 &size);
// Up to count bytes at the handle's position: the count read, 0 at the end, or -1 with error set.
qint64 ReadFromFile(int handle, char *into, qint64 count, int &error);

// The system's message for an error number, in the user's language.
QString SystemErrorText(int error);
