#pragma once
// Case folding one UTF-16 code unit at a time with Unicode's simple lower-case mapping. Offsets and
// lengths never change (unlike QString::toLower, which turns U+0130 into two units) and the user's
// locale plays no part (a Turkish locale must not fold "I" to a dotless i).
#include <QChar>

#include <array>

namespace CaseFoldDetail {
struct TFoldTable {
  std::array<char16_t, 65536> Units;
  TFoldTable() {
    for (char32_t c = 0; c < 65536; ++c) {
      const char32_t lower = QChar::toLower(c);
      Units[c] = lower <= 0xFFFF ? char16_t(lower) : char16_t(c);
    }
  }
};
inline const TFoldTable &FoldTable() {
  static const TFoldTable table;
  return table;
}
}  // namespace CaseFoldDetail

inline char16_t FoldCase(char16_t c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
  return CaseFoldDetail::FoldTable().Units[c];
}
