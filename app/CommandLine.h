#pragma once
// Files named on the command line, directly or through "/filelist:", and the hand-off text a second
// copy sends to the running one: every entry followed by CR LF.
#include <QString>
#include <QStringList>

// The second copy packs its arguments (without the program name). Paths are made absolute against
// its own working folder, since the running copy has another one.
QString BuildHandOffText(const QStringList &arguments, const QString &workingFolder);

// The first copy's own arguments: the existing regular files they name, in order, made absolute.
QStringList CollectCommandLineFiles(const QStringList &arguments, const QString &workingFolder);

// The receiving side: lines trimmed of blanks, empty ones skipped, only existing regular files kept
// (a FIFO or a device would hang the load).
QStringList FilesFromHandOffText(QStringView text);

// The path of a "/filelist:" argument without enclosing quotes, or a null string for other arguments.
// minimumLength is the length the whole argument must exceed to count.
QString ListFilePath(const QString &argument, int minimumLength);

// The lines of a list file: encoding from its byte-order mark, else UTF-8 when it is valid UTF-8,
// else Windows-1252. The file is deleted once read, but only when it lies in the temporary folder:
// "/filelist:" must not become a way to delete any file. A file that cannot be read gives nothing.
QStringList ReadListFile(const QString &path);

// True for the units the program trims: U+0000 to U+0020.
inline bool IsBlank(QChar c) { return c.unicode() <= 0x20; }
QString TrimBlanks(QStringView text);
