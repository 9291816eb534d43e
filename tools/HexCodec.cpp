#include "HexCodec.h"

#include "CodePoints.h"
#include "Utf8Bytes.h"

namespace {
constexpr char KHexDigits[] = "0123456789ABCDEF";

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsSeparator(char16_t c) {
  return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ' || c == u'$' || c == u',' || c == u'-' || c == u':' ||
         c == u';';
}
}  // namespace

QString AsciiToHex(QStringView text) {
  QString result(Utf8Length(text) * 2, Qt::Uninitialized);
  auto *out = reinterpret_cast<char16_t *>(result.data());
  ForEachUtf8Piece(text, [&](QByteArrayView piece) {
    for (const char byte : piece) {
      const auto value = static_cast<unsigned char>(byte);
      out[0] = char16_t(KHexDigits[value >> 4]);
      out[1] = char16_t(KHexDigits[value & 0x0F]);
      out += 2;
    }
  });
  return result;
}

TTextResult HexToAscii(QStringView text) {
  QString digits = text.toString();
  digits.remove(QStringLiteral("0x"), Qt::CaseInsensitive);
  QByteArray bytes;
  bytes.reserve(digits.size() / 2);
  int high = -1;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    const char16_t c = digits[i].unicode();
    const int value = HexValue(c);
    if (value < 0) {
      if (IsSeparator(c)) continue;
      return TTextResult::Failure(QStringLiteral("Invalid character '%1' in HEX input.").arg(CharacterAt(digits, i)));
    }
    if (high < 0) {
      high = value;
    } else {
      bytes.append(char(high << 4 | value));
      high = -1;
    }
  }
  if (bytes.isEmpty() || high >= 0)
    return TTextResult::Failure(QStringLiteral("Selection is not valid HEX (need an even number of hex digits)."));
  return FromUtf8(bytes);
}
