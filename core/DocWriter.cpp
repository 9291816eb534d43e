#include "DocWriter.h"

#include "LineStore.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <utility>

namespace {

TSaveFault GSaveFault;

QByteArray MarkOfKind(int kind) {
  switch (kind) {
    case ekUtf8Bom: return QByteArray("\xEF\xBB\xBF", 3);
    case ekUtf16BeBom: return QByteArray("\xFE\xFF", 2);
    case ekUtf16LeBom: return QByteArray("\xFF\xFE", 2);
    default: return QByteArray();
  }
}

// Runs one step, unless a test has it fail.
template <typename TCall>
int Attempt(TSaveStep step, TCall call) {
  if (GSaveFault)
    if (const int injected = GSaveFault(step)) return injected;
  return call();
}

// The file a chain of symbolic links ends at, existing or not, so the link itself stays.
QString FollowLinks(const QString &path) {
  QFileInfo info(path);
  for (int depth = 0; depth < 40 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
  return info.filePath();
}

// A new file beside target, under a name no other file has.
int CreateTempBeside(const QString &target, bool ownerOnly, QString &temp, int &handle) {
  static constexpr char KLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int tries = 0;; ++tries) {
    QString suffix;
    for (int i = 0; i < 6; ++i) suffix += QLatin1Char(KLetters[QRandomGenerator::global()->bounded(36)]);
    temp = target + QStringLiteral(".save-") + suffix;
    const int error = Attempt(TSaveStep::CreateTemp, [&] { return CreateNewFile(temp, ownerOnly, handle); });
    if (error != EEXIST || tries == 100) return error;
  }
}

// One save: the file being written and what is left to undo when it fails.
class TDocFileWriter {
 public:
  explicit TDocFileWriter(const QString &path) : FTarget(FollowLinks(path)) {}
  ~TDocFileWriter() {
    if (FHandle >= 0) CloseFile(FHandle);
    if (!FTemp.isEmpty()) RemoveFile(FTemp);
  }

  int Open() {
    const QFileInfo info(FTarget);
    // Renaming a new file over a device, a pipe or a folder would replace it, not write to it.
    FInPlace = info.exists() && !info.isFile();
    if (info.isFile())
      if (const int error = Attempt(TSaveStep::CheckWritable, [&] { return CheckWritable(FTarget); })) return error;
    if (!FInPlace) {
      const int error = CreateTempBeside(FTarget, info.exists(), FTemp, FHandle);
      if (error == 0) {
        if (info.exists()) CopyModeAndOwner(FHandle, FTarget);
        return 0;
      }
      FTemp.clear();
      // A folder that takes no new files may still let its files be written.
      if (!info.exists() || (error != EACCES && error != EPERM)) return error;
      FInPlace = true;
    }
    return Attempt(TSaveStep::OpenInPlace, [&] { return OpenFileForOverwrite(FTarget, FHandle); });
  }

  int Write(const QByteArray &bytes) {
    return Attempt(TSaveStep::Write, [&] { return WriteAllBytes(FHandle, bytes.constData(), bytes.size()); });
  }

  // The bytes on the disk, the file closed, and the new file in the place of the old one.
  int Finish() {
    if (const int error = Attempt(TSaveStep::Sync, [&] { return SyncFile(FHandle); })) return error;
    const int closed = CloseFile(std::exchange(FHandle, -1));
    if (const int error = Attempt(TSaveStep::Close, [&] { return closed; })) return error;
    if (FInPlace) return 0;
    if (const int error = Attempt(TSaveStep::Replace, [&] { return RenameOver(FTemp, FTarget); })) return error;
    FTemp.clear();
    return 0;
  }

 private:
  QString FTarget;
  QString FTemp;
  int FHandle = -1;
  bool FInPlace = false;
};

int WriteLines(TDocFileWriter &file, const TMELineList &lines, QStringView eol, int kind) {
  const TEncoding *encoding = EncodingOfKind(kind);
  if (const QByteArray mark = MarkOfKind(kind); !mark.isEmpty())
    if (const int error = file.Write(mark)) return error;
  QString slice;
  slice.reserve(KWriteSliceUnits + 4096);
  // Slices end only after a whole line or break, so a surrogate pair is never split.
  auto flush = [&] {
    if (slice.isEmpty()) return 0;
    const QByteArray bytes = encoding->Encode(slice);
    slice.resize(0);
    return bytes.isEmpty() ? 0 : file.Write(bytes);
  };
  const QStringList &all = lines.Lines();
  for (qsizetype i = 0; i < all.size(); ++i) {
    slice.append(all.at(i));
    if (i + 1 < all.size()) slice.append(eol);
    if (slice.size() >= KWriteSliceUnits)
      if (const int error = flush()) return error;
  }
  return flush();
}

}  // namespace

bool WriteDocToFile(const QString &path, const TMELineList &lines, QStringView eol, int kind, QString *error) {
  TDocFileWriter file(path);
  int failure = file.Open();
  if (!failure) failure = WriteLines(file, lines, eol, kind);
  if (!failure) failure = file.Finish();
  if (failure && error) *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + SystemErrorText(failure);
  return !failure;
}

void SetSaveFault(TSaveFault fault) { GSaveFault = std::move(fault); }
