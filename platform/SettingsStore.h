#pragma once
// TSettingsStore: the program's flat set of named values, typed, never failing. It lives in the
// user's settings (the registry key Software\Tarsolin\Quennet Notepad on Windows, an INI file
// under the XDG configuration folder elsewhere); a missing or unreadable value reads as its default.
// Writes never fail loudly either, but a write that did not reach the settings leaves a reason.
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

class TSettingsStore {
 public:
  TSettingsStore();
  // A store in the given INI file instead of the user's settings (tests).
  explicit TSettingsStore(QString iniPath);
  ~TSettingsStore();

  // False, with WriteError set, when the settings cannot be written.
  bool OpenWrite();
  // False when nothing has been stored yet.
  bool OpenRead();
  // Writes what was set since OpenWrite through; a failure sets WriteError.
  void Close();

  void WriteInt(const QString &name, qint64 value);
  void WriteBool(const QString &name, bool value);
  void WriteStr(const QString &name, const QString &value);
  // Every entry followed by LF.
  void WriteList(const QString &name, const QStringList &list);

  qint64 ReadInt(const QString &name, qint64 defaultValue) const;
  bool ReadBool(const QString &name, bool defaultValue) const;
  QString ReadStr(const QString &name, const QString &defaultValue) const;
  // Split at LF, CR or CR LF; a final break adds no empty entry. Missing: empty.
  QStringList ReadList(const QString &name) const;

  // Makes Close write through, for callers that read the file right after.
  void Sync();

  // Empty, or why the last write did not reach the settings: the file and the system's reason.
  QString WriteError() const { return FWriteError; }

 private:
  void NoteWriteFailure();

  QString FIniPath;
  QString FWriteError;
  std::unique_ptr<QSettings> FReg;
  bool FOpen = false;
  bool FWritable = false;
};
