#include "FileRead.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <new>

bool TFileReader::Open(const QString &path, QString *error) {
  auto fail = [&](const QString &message) {
    if (error) *error = message;
    FFile.close();
    return false;
  };
  // Opening a FIFO would wait for a writer, and a device may never end.
  const QFileInfo info(path);
  if (info.exists() && !info.isFile() && !info.isDir())
    return fail(QCoreApplication::translate("FileRead", "This is not a regular file."));
  FFile.setFileName(path);
  if (!FFile.open(QIODevice::ReadOnly)) return fail(FFile.errorString());
  FSize = FFile.size();
  if (FSize >= KMaxLoadableFileSize)
    return fail(QCoreApplication::translate("FileRead", "The file is too large to open (2 GiB or more)."));
  return true;
}

qint64 TFileReader::Read(char *into, qint64 count, QString *error) {
  const qint64 got = FFile.read(into, count);
  if (got < 0 && error) *error = FFile.errorString();
  return got;
}

TReadResult ReadFileBytes(const QString &path, QByteArray &bytes, QString *error, const TReadProgress &progress) {
  auto fail = [&](const QString &message) {
    if (error) *error = message;
    bytes.clear();
    return TReadResult::Failed;
  };
  TFileReader file;
  QString message;
  if (!file.Open(path, &message)) return fail(message);
  const qint64 size = file.Size();
  try {
    bytes = QByteArray(size, Qt::Uninitialized);
  } catch (const std::bad_alloc &) {
    return fail(QCoreApplication::translate("FileRead", "Not enough memory to read the file."));
  }
  qint64 pos = 0;
  while (pos < size) {
    const qint64 got = file.Read(bytes.data() + pos, qMin(size - pos, KReadPieceSize), &message);
    if (got < 0) return fail(message);
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
