#include "IdnCodec.h"

#include "LineDriver.h"
#include "TextRules.h"
#include "Utf8Bytes.h"

#include <idn2.h>

namespace {
constexpr int KFlags = IDN2_NFC_INPUT | IDN2_NONTRANSITIONAL;
constexpr qsizetype KMaxResultLength = 256;

using TIdnConversion = int (*)(const char *input, char **output, int flags);

QString Convert(QStringView name, TIdnConversion conversion) {
  if (name.contains(u'\0')) return QString();  // the library reads the name up to a NUL
  char *output = nullptr;
  const int rc = conversion(ToUtf8(name).constData(), &output, KFlags);
  if (rc != IDN2_OK) return QString();
  TTextResult result = FromUtf8(output);
  idn2_free(output);
  if (!result.IsOk() || result.Value().size() > KMaxResultLength) return QString();
  return result.TakeValue();
}

QString ConvertLine(QStringView line, QString (*convertName)(QStringView)) {
  const QStringView name = Trimmed(line);
  if (name.isEmpty()) return line.toString();
  const QString converted = convertName(name);
  if (converted.isNull()) return line.toString();
  const qsizetype before = name.data() - line.data();
  QString result;
  result.reserve(line.size() - name.size() + converted.size());
  result += line.first(before);
  result += converted;
  result += line.sliced(before + name.size());
  return result;
}

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c; }

// ASCII letters in either case are the same in an encoded name; nothing else is.
bool SameAsciiName(QStringView a, QStringView b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i].unicode()) != AsciiLower(b[i].unicode())) return false;
  return true;
}

QString IdnNameToUnicode(QStringView name) {
  QString decoded = Convert(name, idn2_to_unicode_8z8z);
  if (decoded.isNull()) return decoded;
  if (!SameAsciiName(IdnNameToAscii(decoded), name)) return QString();
  return decoded;
}
}  // namespace

QString IdnNameToAscii(QStringView name) { return Convert(name, idn2_to_ascii_8z); }

QString IdnEncode(QStringView text) {
  return MapTextLines(text, [](QStringView line) { return ConvertLine(line, IdnNameToAscii); });
}

QString IdnDecode(QStringView text) {
  return MapTextLines(text, [](QStringView line) { return ConvertLine(line, IdnNameToUnicode); });
}
