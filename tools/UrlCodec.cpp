#include "UrlCodec.h"

#include "CodePoints.h"
#include "Utf8Bytes.h"

#include <array>

namespace {
constexpr char KHexDigits[] = "0123456789ABCDEF";

constexpr std::array<bool, 128> CopiedTable() {
  std::array<bool, 128> table{};
  for (int c = 'A'; c <= 'Z'; ++c) table[size_t(c)] = true;
  for (int c = 'a'; c <= 'z'; ++c) table[size_t(c)] = true;
  for (int c = '0'; c <= '9'; ++c) table[size_t(c)] = true;
  for (const char c : {'!', '$', '\'', '(', ')', '*', '-', '.', '@', '_'}) table[size_t(c)] = true;
  return table;
}
constexpr std::array<bool, 128> KCopied = CopiedTable();

bool IsCopied(char32_t c) { return c < 128 && (KCopied[c] || c == u' '); }

qsizetype EncodedLength(QStringView text) {
  qsizetype length = 0;
  unsigned char bytes[4];
  for (qsizetype i = 0; i < text.size();) {
    const char16_t unit = text[i].unicode();
    if (unit < 128) {
      length += IsCopied(unit) ? 1 : 3;
      ++i;
      continue;
    }
    const TCodePoint point = CodePointAt(text, i);
    length += 3 * EncodeUtf8(point.Value, bytes);
    i += point.Units;
  }
  return length;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}
}  // namespace

QString UrlEncode(QStringView text) {
  QString result(EncodedLength(text), Qt::Uninitialized);
  auto *out = reinterpret_cast<char16_t *>(result.data());
  auto *const begin = out;
  for (qsizetype i = 0; i < text.size();) {
    const char16_t unit = text[i].unicode();
    if (IsCopied(unit)) {
      *out++ = unit == u' ' ? u'+' : unit;
      ++i;
      continue;
    }
    const TCodePoint point = CodePointAt(text, i);
    unsigned char bytes[4];
    const int count = EncodeUtf8(point.Value, bytes);
    for (int b = 0; b < count; ++b) {
      out[0] = u'%';
      out[1] = char16_t(KHexDigits[bytes[b] >> 4]);
      out[2] = char16_t(KHexDigits[bytes[b] & 0x0F]);
      out += 3;
    }
    i += point.Units;
  }
  result.truncate(out - begin);
  return result;
}

TTextResult UrlDecode(QStringView text) {
  // Every character makes at most one unit of text: "%XX" gives one byte, and the bytes of any
  // other character decode back to it (a lone surrogate to U+FFFD).
  TUtf8TextBuilder builder(text.size());
  unsigned char *out = builder.Begin();
  const unsigned char *const limit = builder.Limit();
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size;) {
    if (out >= limit) out = builder.Flush(out);
    const char16_t unit = text[i].unicode();
    if (unit == u'%') {
      if (i + 1 < size && text[i + 1] == u'%') {
        *out++ = '%';
        i += 2;
        continue;
      }
      if (i + 2 >= size)
        return TTextResult::Failure(
            QStringLiteral("Error decoding URL style (%XX) encoded string at position %1").arg(i + 1));
      const int high = HexValue(text[i + 1].unicode());
      const int low = HexValue(text[i + 2].unicode());
      if (high < 0 || low < 0) {
        const qsizetype groupLength = 2 + CodePointAt(text, i + 2).Units;
        return TTextResult::Failure(QStringLiteral("Invalid URL encoded character (%1) at position %2")
                                        .arg(text.sliced(i, groupLength), QString::number(i + 1)));
      }
      *out++ = static_cast<unsigned char>(high << 4 | low);
      i += 3;
      continue;
    }
    if (unit < 128) {
      *out++ = unit == u'+' ? ' ' : static_cast<unsigned char>(unit);
      ++i;
      continue;
    }
    const TCodePoint point = CodePointAt(text, i);
    out += EncodeUtf8(point.Value, out);
    i += point.Units;
  }
  return builder.Finish(out);
}
