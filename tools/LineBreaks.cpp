#include "LineBreaks.h"

#include "TextRules.h"

QStringList SplitLines(QStringView text) {
  QStringList lines;
  ForEachLine(text, [&](QStringView line, QStringView) { lines.append(line.toString()); });
  return lines;
}

QString ConvertLineBreaks(QStringView text, QStringView eol) {
  QString result;
  result.reserve(text.size() + (eol.size() > 1 ? text.count(u'\n') + text.count(u'\r') : 0));
  ForEachLine(text, [&](QStringView line, QStringView lineBreak) {
    result += line;
    if (!lineBreak.isEmpty()) result += eol;
  });
  return result;
}

QString EolToSpace(QStringView text) { return ConvertLineBreaks(text, u" "); }

QString TrimLinesToSpaces(QStringView text) {
  QString joined;
  joined.reserve(text.size());
  ForEachLine(text, [&](QStringView line, QStringView) {
    if (!joined.isEmpty()) joined += u' ';
    joined += Trimmed(line);
  });
  return Trimmed(joined).toString();
}
