#pragma once
// Helpers shared by the text-storage tests: byte fixtures, readable dumps of line lists, and the
// whole-file decode that every piecewise road must match.
#include "core/Encoding.h"
#include "core/LineDecoder.h"
#include "tests/LineDump.h"

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
