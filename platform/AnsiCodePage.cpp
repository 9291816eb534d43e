#include "AnsiCodePage.h"

#include <array>

namespace {

// 0x80..0x9F; the five holes (81, 8D, 8F, 90, 9D) map to the C1 controls, as Windows does.
constexpr char16_t KHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> MakeDecodeTable() {
  std::array<char16_t, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = char16_t(b);
  for (int b = 0; b < 32; ++b) t[0x80 + b] = KHighControls[b];
  return t;
}

constexpr std::array<char16_t, 256> KDecode = MakeDecodeTable();

char EncodeUnit(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
  for (int b = 0; b < 32; ++b)
    if (KHighControls[b] == u) return char(0x80 + b);
  return '?';
}

}  // namespace

void AnsiToUnicode(const char *bytes, qsizetype len, char16_t *out) {
  const auto *p = reinterpret_cast<const unsigned char *>(bytes);
  for (qsizetype i = 0; i < len; ++i) out[i] = KDecode[p[i]];
}

QByteArray UnicodeToAnsi(QStringView text) {
  QByteArray out;
  out.reserve(text.size());
  const char16_t *p = text.utf16();
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t u = p[i];
    if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) ++i;
    out.append(EncodeUnit(u));
  }
  return out;
}
