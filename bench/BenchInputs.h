#pragma once
// Generated inputs shared by bench groups.
#include <QByteArray>
#include <QString>

#include <functional>

// A deterministic log line of about 120 bytes; ansi puts Windows-1252 letters in it.
QByteArray LogLine(quint32 &seed, bool ansi);

// Writes a file of exactly size bytes in the scratch folder from successive lines.
QString WriteInput(const QString &name, qint64 size, const std::function<QByteArray(quint32 &, qint64)> &lineAt,
                   const QByteArray &mark = {});

constexpr qint64 KBigFile = 200 * 1048576;
