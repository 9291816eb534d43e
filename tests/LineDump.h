#pragma once
// One-string dumps of line lists shared by the tests of every layer.
#include <QString>
#include <QStringList>

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
