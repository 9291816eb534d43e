#include "FileRead.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <new>

TReadResult ReadFileBytes(const QString &path, QByteArray &bytes, QString *error, const TReadProgress &progress) {
  auto fail = [&](const QString &message) {
    if (error) *error = message;
    bytes.clear();
    return TReadResult::Failed;
  };
  // Opening a FIFO would wait for a writer, and a device may never end.
  const QFileInfo info(path);
  if (info.exists() && !info.isFile() && !info.isDir())
    return fail(QCoreApplication::translate("FileRead", "This is not a regular file."));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
  const qint64 size = file.size();
  if (size >= KMaxLoadableFileSize)
    return fail(QCoreApplication::translate("FileRead", "The file is too large to open (2 GiB or more)."));
  try {
    bytes = QByteArray(size, Qt::Uninitialized);
  } catch (const std::bad_alloc &) {
    return fail(QCoreApplication::translate("FileRead", "Not enough memory to read the file."));
  }
  qint64 pos = 0;
  while (pos < size) {
    const qint64 got = file.read(bytes.data() + pos, qMin(size - pos, KReadPieceSize));
    if (got < 0) return fail(file.errorString());
    if (got == 0) break;
    pos += got;
    if (progress && !progress(pos, size)) {
      bytes.clear();
      return TReadResult::Stopped;
    }
  }
  if (pos < size) bytes.truncate(pos);
  return TReadResult::Done;
}
