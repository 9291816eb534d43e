#include "DocWriter.h"

#include "LineStore.h"

#include <QSaveFile>

namespace {

QByteArray MarkOfKind(int kind) {
  switch (kind) {
    case ekUtf8Bom: return QByteArray("\xEF\xBB\xBF", 3);
    case ekUtf16BeBom: return QByteArray("\xFE\xFF", 2);
    case ekUtf16LeBom: return QByteArray("\xFF\xFE", 2);
    default: return QByteArray();
  }
}

}  // namespace

bool WriteDocToFile(const QString &path, const TMELineList &lines, QStringView eol, int kind, QString *error) {
  const TEncoding *encoding = EncodingOfKind(kind);
  QSaveFile file(path);
  file.setDirectWriteFallback(true);
  auto fail = [&] {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  };
  if (!file.open(QIODevice::WriteOnly)) return fail();
  const QByteArray mark = MarkOfKind(kind);
  if (!mark.isEmpty() && file.write(mark) != mark.size()) return fail();

  QString slice;
  slice.reserve(KWriteSliceUnits + 4096);
  // Slices end only after a whole line or break, so a surrogate pair is never split.
  auto flush = [&] {
    if (slice.isEmpty()) return true;
    const QByteArray bytes = encoding->Encode(slice);
    slice.resize(0);
    return bytes.isEmpty() || file.write(bytes) == bytes.size();
  };
  const QStringList &all = lines.Lines();
  for (qsizetype i = 0; i < all.size(); ++i) {
    slice.append(all.at(i));
    if (i + 1 < all.size()) slice.append(eol);
    if (slice.size() >= KWriteSliceUnits && !flush()) return fail();
  }
  if (!flush()) return fail();
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}
