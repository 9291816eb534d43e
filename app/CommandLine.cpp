#include "CommandLine.h"

#include "core/Encoding.h"
#include "core/FileRead.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString KListPrefix = QStringLiteral("/filelist:");

QString Absolute(const QString &path, const QString &workingFolder) {
  return QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path));
}

bool IsRegularFile(const QString &path) { return QFileInfo(path).isFile(); }

bool InTemporaryFolder(const QString &path) {
  const QString temp = QFileInfo(QDir::tempPath()).canonicalFilePath();
  const QString folder = QFileInfo(QFileInfo(path).canonicalFilePath()).path();
  return !temp.isEmpty() && (folder == temp || folder.startsWith(temp + u'/'));
}

QStringList SplitLines(QStringView text) {
  QStringList lines = text.toString().split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  if (lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

QString TrimBlanks(QStringView text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.sliced(begin, end - begin).toString();
}

QString ListFilePath(const QString &argument, int minimumLength) {
  if (argument.size() <= minimumLength || !argument.startsWith(KListPrefix, Qt::CaseInsensitive)) return QString();
  QString path = argument.mid(KListPrefix.size());
  if (path.size() >= 2 && path.startsWith(u'"')) path = path.mid(1, path.size() - 2);
  return path.isNull() ? QStringLiteral("") : path;
}

QStringList ReadListFile(const QString &path) {
  QByteArray bytes;
  if (path.isEmpty() || !IsRegularFile(path) || ReadFileBytes(path, bytes, nullptr) != TReadResult::Done) return {};
  TDetectedEncoding detected = DetectTextEncoding(bytes);
  if (detected.BomLength == 0 && detected.Encoding == TEncoding::Utf8()) {
    QString probe;
    if (!detected.Encoding->Decode(bytes, probe, nullptr)) detected.Encoding = TEncoding::Ansi();
  }
  QString text;
  detected.Encoding->Decode(QByteArrayView(bytes).sliced(detected.BomLength), text, nullptr);
  if (InTemporaryFolder(path)) QFile::remove(path);
  return SplitLines(text);
}

QString BuildHandOffText(const QStringList &arguments, const QString &workingFolder) {
  if (arguments.isEmpty()) return QString();
  QStringList entries;
  const QString listPath = ListFilePath(arguments.first(), KListPrefix.size() - 1);
  if (!listPath.isNull()) {
    entries = ReadListFile(Absolute(listPath, workingFolder));
  } else {
    entries = arguments;
  }
  QString text;
  for (const QString &entry : entries) {
    const QString path = listPath.isNull() ? entry : TrimBlanks(entry);
    if (path.isEmpty()) continue;
    text += Absolute(path, workingFolder) + QStringLiteral("\r\n");
  }
  return text;
}

QStringList CollectCommandLineFiles(const QStringList &arguments, const QString &workingFolder) {
  QStringList files;
  if (arguments.isEmpty()) return files;
  const QString listPath = ListFilePath(arguments.first(), KListPrefix.size());
  const QStringList entries = listPath.isNull() ? arguments : ReadListFile(Absolute(listPath, workingFolder));
  for (const QString &entry : entries) {
    const QString path = listPath.isNull() ? entry : TrimBlanks(entry);
    if (path.isEmpty()) continue;
    const QString absolute = Absolute(path, workingFolder);
    if (IsRegularFile(absolute)) files.append(absolute);
  }
  return files;
}

QStringList FilesFromHandOffText(QStringView text) {
  QStringList files;
  for (const QString &line : SplitLines(text)) {
    const QString path = TrimBlanks(line);
    if (!path.isEmpty() && IsRegularFile(path)) files.append(path);
  }
  return files;
}
