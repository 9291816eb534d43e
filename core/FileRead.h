#pragma once
// Reading a whole file into one buffer, in pieces so callers can report progress or stop.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

// Files this size or larger are refused before any byte is read.
constexpr qint64 KMaxLoadableFileSize = qint64(1) << 31;
constexpr qint64 KReadPieceSize = 1048576;

// A file opened for reading piece by piece, with the refusals every whole-file read shares: no FIFO
// or device, nothing of KMaxLoadableFileSize or more.
class TFileReader {
 public:
  bool Open(const QString &path, QString *error);
  qint64 Size() const { return FSize; }
  // Reads up to count bytes into into: the count read, 0 at the end, or -1 with the message.
  qint64 Read(char *into, qint64 count, QString *error);

 private:
  QFile FFile;
  qint64 FSize = 0;
};

// Called after each piece with the bytes read so far and the size; false stops the read.
using TReadProgress = std::function<bool(qint64 pos, qint64 size)>;

enum class TReadResult { Done, Failed, Stopped };

// Reads path into bytes. A file that shrinks while it is read gives only the bytes read.
TReadResult ReadFileBytes(const QString &path, QByteArray &bytes, QString *error, const TReadProgress &progress = {});
