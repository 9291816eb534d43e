#pragma once
// Reading a whole file into one buffer, in pieces so callers can report progress or stop.
#include <QByteArray>
#include <QString>

#include <functional>

// Files this size or larger are refused before any byte is read.
constexpr qint64 KMaxLoadableFileSize = qint64(1) << 31;
constexpr qint64 KReadPieceSize = 1048576;

// Called after each piece with the bytes read so far and the size; false stops the read.
using TReadProgress = std::function<bool(qint64 pos, qint64 size)>;

enum class TReadResult { Done, Failed, Stopped };

// Reads path into bytes. A file that shrinks while it is read gives only the bytes read.
TReadResult ReadFileBytes(const QString &path, QByteArray &bytes, QString *error, const TReadProgress &progress = {});
