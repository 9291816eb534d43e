#include "CharClasses.h"

#include "core/CaseFold.h"

namespace {

constexpr QStringView KSymbols = u"!#$%&*+,-./:;<=>?@\\^|~`";
constexpr QStringView KBrackets = u"()[]{}";

quint8 BaseClasses(char16_t c) {
  if (c < 256) {
    if ((c >= 9 && c <= 13) || c == 32 || c == 0x85 || c == 0xA0) return ccSpace;
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return ccLetter;
    if (c >= u'0' && c <= u'9') return ccDigit;
    if (KSymbols.contains(QChar(c))) return ccSymbol;
    if (KBrackets.contains(QChar(c))) return ccBracket;
    return c >= 0x80 && QChar::isLetter(char32_t(c)) ? ccLetter : 0;
  }
  switch (QChar::category(char32_t(c))) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return ccSpace;
    case QChar::Number_DecimalDigit: return ccDigit;
    default: return QChar::isLetter(char32_t(c)) ? ccLetter : 0;
  }
}

}  // namespace

TCharClasses::TCharClasses(const TUniLanguage &lang)
    : FStartExtra(lang.IdentStartExtra),
      FBodyExtra(lang.IdentBodyExtra),
      FCaseSensitive(lang.CaseSensitive) {
  auto addStart = [this](const QString &marker) {
    if (marker.isEmpty()) return;
    FMarkerStarts.append(FCaseSensitive ? marker[0] : QChar(FoldCase(marker[0].unicode())));
  };
  for (const TUniBlockComment &comment : lang.BlockComments) addStart(comment.OpenMarker);
  for (const TUniStringSpec &spec : lang.Strings) addStart(spec.OpenMarker);
  for (const QString &marker : lang.LineComments) addStart(marker);
  for (const QString &marker : lang.LineStartComments) addStart(marker);
  for (int c = 0; c < 256; ++c) FLatin1[c] = Compute(char16_t(c));
}

quint8 TCharClasses::Compute(char16_t c) const {
  quint8 classes = BaseClasses(c);
  if ((classes & ccLetter) || FStartExtra.contains(QChar(c))) classes |= ccIdentStart;
  if ((classes & (ccLetter | ccDigit)) || FBodyExtra.contains(QChar(c))) classes |= ccIdentBody;
  if (FMarkerStarts.contains(QChar(FCaseSensitive ? c : FoldCase(c)))) classes |= ccMarkerStart;
  return classes;
}
