#include "Defang.h"

namespace {
char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c; }

// word is lower-case ASCII; only ASCII letters match it in either case (Qt's own case-insensitive
// search would also let a long s or a Kelvin sign match).
bool StartsWithAsciiWord(QStringView text, qsizetype at, QStringView word) {
  if (text.size() - at < word.size()) return false;
  for (qsizetype i = 0; i < word.size(); ++i)
    if (AsciiLower(text[at + i].unicode()) != word[i].unicode()) return false;
  return true;
}

QString ReplaceAsciiWord(QStringView text, QStringView word, QStringView by) {
  QString result;
  result.reserve(text.size());
  for (qsizetype i = 0; i < text.size();) {
    if (StartsWithAsciiWord(text, i, word)) {
      result += by;
      i += word.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}
}  // namespace

QString DefangUrls(QStringView text) {
  QString result = text.toString();
  result.replace(QStringLiteral("://"), QStringLiteral("[://]"));
  result = ReplaceAsciiWord(result, u"https", u"hxxps");
  result = ReplaceAsciiWord(result, u"http", u"hxxp");
  result.replace(u'.', QStringLiteral("[.]"));
  return result;
}

QString RefangUrls(QStringView text) {
  QString result = text.toString();
  result.replace(QStringLiteral("[.]"), QStringLiteral("."));
  result = ReplaceAsciiWord(result, u"hxxps", u"https");
  result = ReplaceAsciiWord(result, u"hxxp", u"http");
  result.replace(QStringLiteral("[://]"), QStringLiteral("://"));
  return result;
}
