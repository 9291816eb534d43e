#include "CaseConversion.h"

#include "CodePoints.h"

namespace {
bool IsLetter(char32_t c) {
  switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other: return true;
    default: return false;
  }
}

bool IsMark(char32_t c) {
  const QChar::Category category = QChar::category(c);
  return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
         category == QChar::Mark_Enclosing;
}

// Raises the letter at text[i] in place when its upper-case form has as many code units.
void RaiseAt(QString &text, qsizetype i, TCodePoint point) {
  const char32_t upper = QChar::toUpper(point.Value);
  if (upper == point.Value || QChar::requiresSurrogates(upper) != (point.Units == 2)) return;
  if (point.Units == 1) {
    text[i] = QChar(char16_t(upper));
    return;
  }
  text[i] = QChar(QChar::highSurrogate(upper));
  text[i + 1] = QChar(QChar::lowSurrogate(upper));
}

QString MapAscii(QStringView text, char16_t from, char16_t to) {
  QString result = text.toString();
  for (QChar &c : result)
    if (c.unicode() >= from && c.unicode() <= to) c = QChar(c.unicode() ^ 0x20);
  return result;
}
}  // namespace

QString UpperCaseAscii(QStringView text) { return MapAscii(text, u'a', u'z'); }

QString LowerCaseAscii(QStringView text) { return MapAscii(text, u'A', u'Z'); }

QString SentenceCase(QStringView text) {
  QString result = LowerCaseAscii(text);
  bool capital = true;
  for (qsizetype i = 0; i < result.size();) {
    const TCodePoint point = CodePointAt(result, i);
    if (capital && IsLetter(point.Value)) {
      RaiseAt(result, i, point);
      capital = false;
    } else if (point.Value == u'.' || point.Value == u'!' || point.Value == u'?') {
      capital = true;
    }
    i += point.Units;
  }
  return result;
}

QString ProperCase(QStringView text) {
  QString result = LowerCaseAscii(text);
  bool start = true;
  for (qsizetype i = 0; i < result.size();) {
    const TCodePoint point = CodePointAt(result, i);
    if (IsLetter(point.Value)) {
      if (start) RaiseAt(result, i, point);
      start = false;
    } else if (QChar::category(point.Value) == QChar::Number_DecimalDigit) {
      start = false;
    } else if (!IsMark(point.Value)) {
      start = true;
    }
    i += point.Units;
  }
  return result;
}
