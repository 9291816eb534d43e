#pragma once
// Definitions every text tool shares: blanks and trimming, integer reading, walking the lines of a
// text with their breaks.
#include <QString>
#include <QStringView>

#include <optional>
#include <type_traits>

// Control characters and the space; other spaces such as U+00A0 are not blanks.
constexpr bool IsBlank(QChar c) { return c.unicode() <= 32; }

enum class TTrimSide : quint8 { Left, Right, Both };
QStringView Trimmed(QStringView text, TTrimSide side = TTrimSide::Both);

// Optional leading spaces, an optional sign, then decimal digits, or hexadecimal digits after "$",
// "x", "X", "0x" or "0X". The whole text must be read and the value must fit the width. Leading
// zeros are decimal ("010" is ten).
std::optional<qint64> ReadInt64(QStringView text);
std::optional<qint32> ReadInt32(QStringView text);

// Calls visit(line, lineBreak) for every line of text, the break being CR LF, CR, LF or empty
// after the last line. A text that ends with a break gives no call for the empty rest, and an
// empty text gives none at all. A visit that returns bool ends the walk by returning false, so a
// look at the first lines of a large text reads no further.
template <typename TVisit>
void ForEachLine(QStringView text, TVisit &&visit) {
  const auto visitLine = [&](QStringView line, QStringView lineBreak) {
    if constexpr (std::is_same_v<decltype(visit(line, lineBreak)), bool>) return visit(line, lineBreak);
    else {
      visit(line, lineBreak);
      return true;
    }
  };
  const qsizetype size = text.size();
  const char16_t *units = text.utf16();
  qsizetype start = 0;
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = units[i];
    if (c != u'\r' && c != u'\n') continue;
    const qsizetype breakLength = c == u'\r' && i + 1 < size && units[i + 1] == u'\n' ? 2 : 1;
    if (!visitLine(text.mid(start, i - start), text.mid(i, breakLength))) return;
    i += breakLength - 1;
    start = i + 1;
  }
  if (start < size) visitLine(text.mid(start), QStringView());
}
