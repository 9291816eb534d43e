#pragma once
// Walking UTF-16 text by code point: a surrogate pair is one character, a lone surrogate stands
// for itself.
#include <QChar>
#include <QStringView>

// The code point at units[i] and its length in code units (1 or 2).
struct TCodePoint {
  char32_t Value;
  int Units;
};

inline TCodePoint CodePointAt(QStringView text, qsizetype i) {
  const char16_t c = text[i].unicode();
  if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
    return {QChar::surrogateToUcs4(c, text[i + 1].unicode()), 2};
  return {c, 1};
}

// UTF-8 bytes of one code point into out (room for 4); a lone surrogate becomes U+FFFD.
inline int EncodeUtf8(char32_t c, unsigned char *out) {
  if (QChar::isSurrogate(c)) c = 0xFFFD;
  if (c < 0x80) {
    out[0] = static_cast<unsigned char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | (c >> 6));
    out[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<unsigned char>(0xE0 | (c >> 12));
    out[1] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<unsigned char>(0xF0 | (c >> 18));
  out[1] = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
  return 4;
}

// The whole character at units[i], for messages that name it.
inline QString CharacterAt(QStringView text, qsizetype i) {
  return text.sliced(i, CodePointAt(text, i).Units).toString();
}
