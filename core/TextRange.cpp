#include "TextRange.h"

#include <cstring>

QString TextBetween(const QStringList &lines, TBufferCoord from, TBufferCoord to, QStringView lineBreak) {
  if (to <= from) return QString();
  const auto line = [&](int n) { return n >= 1 && n <= lines.size() ? QStringView(lines[n - 1]) : QStringView(); };
  if (from.Line == to.Line) return line(from.Line).mid(from.Char - 1, to.Char - from.Char).toString();
  const QStringView head = line(from.Line).mid(qMin<qsizetype>(from.Char - 1, line(from.Line).size()));
  const QStringView tail = line(to.Line).left(to.Char - 1);
  qsizetype total = head.size() + tail.size() + lineBreak.size() * qsizetype(to.Line - from.Line);
  for (int n = from.Line + 1; n < to.Line; ++n) total += line(n).size();
  QString text(total, Qt::Uninitialized);
  char16_t *out = reinterpret_cast<char16_t *>(text.data());
  const auto put = [&out](QStringView piece) {
    std::memcpy(out, piece.utf16(), size_t(piece.size()) * sizeof(char16_t));
    out += piece.size();
  };
  put(head);
  for (int n = from.Line + 1; n <= to.Line; ++n) {
    put(lineBreak);
    put(n < to.Line ? line(n) : tail);
  }
  return text;
}
