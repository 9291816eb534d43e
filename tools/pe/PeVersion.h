#pragma once
// The version resource of a Windows executable: its translations and its string tables, read from
// the file's bytes (no system call), for PE32 and PE32+ alike.
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

struct TVersionStringTable {
  QString Key;  // language and code page as eight hexadecimal digits, "040904B0"
  QList<std::pair<QString, QString>> Strings;
};

struct TPeVersionInfo {
  // Each entry: language in the low 16 bits, code page in the high 16 bits.
  QList<quint32> Translations;
  QList<TVersionStringTable> Tables;
};

// nullopt when the bytes are no executable or it has no readable version resource.
std::optional<TPeVersionInfo> ReadPeVersionInfo(QByteArrayView image);

// The field of the string table named by the first translation, as the system's query finds it:
// table and field names compare without regard to ASCII case. nullopt when the table or the field
// is missing; the caller sees a missing translation in Translations itself.
std::optional<QString> VersionString(const TPeVersionInfo &info, QStringView field);
