#include "SettingsStore.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryFile>

TSettingsStore::TSettingsStore() = default;
TSettingsStore::TSettingsStore(QString iniPath) : FIniPath(std::move(iniPath)) {}
TSettingsStore::~TSettingsStore() { Close(); }

bool TSettingsStore::OpenWrite() {
  Close();
  FWriteError.clear();
  FReg = FIniPath.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("Tarsolin"), QStringLiteral("Quennet Notepad"))
                            : std::make_unique<QSettings>(FIniPath, QSettings::IniFormat);
  FOpen = FReg->isWritable();
  FWritable = FOpen;
  if (!FOpen) {
    NoteWriteFailure();
    FReg.reset();
  }
  return FOpen;
}

// QSettings tells only that writing failed; writing a scrap file beside the settings tells the
// system's reason (no space, a read-only disk, a path through a file).
void TSettingsStore::NoteWriteFailure() {
  const QString path = FReg->fileName();
  QTemporaryFile scrap(path + QStringLiteral(".XXXXXX"));
  const bool written = scrap.open() && scrap.write("settings\n") > 0 && scrap.flush();
  const QString reason = written ? QStringLiteral("the settings could not be written") : scrap.errorString();
  FWriteError = QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

bool TSettingsStore::OpenRead() {
  Close();
  FReg = FIniPath.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("Tarsolin"), QStringLiteral("Quennet Notepad"))
                            : std::make_unique<QSettings>(FIniPath, QSettings::IniFormat);
  FOpen = FReg->status() == QSettings::NoError && !FReg->allKeys().isEmpty();
  FWritable = false;
  if (!FOpen) FReg.reset();
  return FOpen;
}

void TSettingsStore::Close() {
  if (FReg && FWritable) {
    FReg->sync();
    if (FReg->status() != QSettings::NoError) NoteWriteFailure();
  }
  FReg.reset();
  FOpen = false;
  FWritable = false;
}

void TSettingsStore::Sync() {
  if (FReg) FReg->sync();
}

void TSettingsStore::WriteInt(const QString &name, qint64 value) {
  if (FWritable) FReg->setValue(name, value);
}

void TSettingsStore::WriteBool(const QString &name, bool value) {
  if (FWritable) FReg->setValue(name, value ? 1 : 0);
}

void TSettingsStore::WriteStr(const QString &name, const QString &value) {
  if (FWritable) FReg->setValue(name, value);
}

void TSettingsStore::WriteList(const QString &name, const QStringList &list) {
  QString text;
  for (const QString &entry : list) text += entry + u'\n';
  WriteStr(name, text);
}

qint64 TSettingsStore::ReadInt(const QString &name, qint64 defaultValue) const {
  if (!FOpen) return defaultValue;
  const QVariant value = FReg->value(name);
  bool ok = false;
  const qint64 number = value.toString().trimmed().toLongLong(&ok);
  return ok ? number : defaultValue;
}

bool TSettingsStore::ReadBool(const QString &name, bool defaultValue) const {
  if (!FOpen) return defaultValue;
  const QString text = FReg->value(name).toString().trimmed();
  bool ok = false;
  const qint64 number = text.toLongLong(&ok);
  if (ok) return number != 0;
  if (text.compare(u"true", Qt::CaseInsensitive) == 0) return true;
  if (text.compare(u"false", Qt::CaseInsensitive) == 0) return false;
  return defaultValue;
}

QString TSettingsStore::ReadStr(const QString &name, const QString &defaultValue) const {
  if (!FOpen) return defaultValue;
  const QVariant value = FReg->value(name);
  // A list written by hand comes back as a string list; that is not a string value.
  if (!value.isValid() || value.typeId() == QMetaType::QStringList) return defaultValue;
  return value.toString();
}

QStringList TSettingsStore::ReadList(const QString &name) const {
  QStringList list = ReadStr(name, QString()).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  if (list.last().isEmpty()) list.removeLast();
  return list;
}
