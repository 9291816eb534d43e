#pragma once
// Helpers shared by the text-storage tests: byte fixtures, readable dumps of line lists, and the
// whole-file decode that every piecewise road must match.
#include "core/Encoding.h"
#include "core/LineDecoder.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTest>

inline QString FixturePath(const char *name) {
  return QStringLiteral(QUENNET_FIXTURES "/encodings/") + QString::fromLatin1(name);
}

inline QByteArray FixtureBytes(const char *name) {
  QFile f(FixturePath(name));
  if (!f.open(QIODevice::ReadOnly)) qFatal("missing fixture %s", name);
  return f.readAll();
}

// Lines joined by "|", with code units outside printable ASCII written as <XXXX>.
inline QString DumpLines(const QStringList &lines) {
  QString out;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i) out += u'|';
    for (QChar c : lines[i]) {
      if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'|' && c != u'<') out += c;
      else out += QStringLiteral("<%1>").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
    }
  }
  return out;
}

struct TWholeDecode {
  TDetectedEncoding Detected;
  QStringList Lines;
  bool Altered = false;
  TMELineEnding Ending;
};

inline TWholeDecode WholeDecode(const QByteArray &bytes) {
  TWholeDecode whole{DetectTextEncoding(bytes), {}, false, leCRLF};
  whole.Ending = DecodeBytesToLines(bytes, whole.Detected.BomLength, whole.Detected.Encoding, whole.Lines, &whole.Altered);
  return whole;
}
