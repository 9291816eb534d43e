#include "HtmlTags.h"

namespace {

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c; }

// The blanks of HTML's tokenizer: tab, line feed, form feed, carriage return and space.
bool IsHtmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r'; }

qsizetype SkipSpaces(QStringView text, qsizetype i) {
  while (i < text.size() && IsHtmlSpace(text[i].unicode())) ++i;
  return i;
}

// Reads the attributes of a tag whose name ends at i; nullopt when the text ends inside the tag.
std::optional<THtmlTag> ReadAttributes(QStringView text, qsizetype i) {
  THtmlTag tag;
  const qsizetype size = text.size();
  while (true) {
    while (i < size && (IsHtmlSpace(text[i].unicode()) || text[i] == u'/')) ++i;
    if (i >= size) return std::nullopt;
    if (text[i] == u'>') {
      tag.End = i + 1;
      return tag;
    }
    const qsizetype nameStart = i;
    // A name may begin with "=", as in browsers; it ends at a blank, "/", ">" or a later "=".
    ++i;
    while (i < size && !IsHtmlSpace(text[i].unicode()) && text[i] != u'/' && text[i] != u'>' && text[i] != u'=') ++i;
    THtmlAttribute attribute{text.sliced(nameStart, i - nameStart), QStringView()};
    const qsizetype afterName = SkipSpaces(text, i);
    if (afterName < size && text[afterName] == u'=') {
      i = SkipSpaces(text, afterName + 1);
      if (i >= size) return std::nullopt;
      const char16_t quote = text[i].unicode();
      if (quote == u'"' || quote == u'\'') {
        const qsizetype close = text.indexOf(QChar(quote), i + 1);
        if (close < 0) return std::nullopt;
        attribute.Value = text.sliced(i + 1, close - i - 1);
        i = close + 1;
      } else {
        const qsizetype valueStart = i;
        while (i < size && !IsHtmlSpace(text[i].unicode()) && text[i] != u'>') ++i;
        attribute.Value = text.sliced(valueStart, i - valueStart);
      }
    }
    tag.Attributes.append(attribute);
  }
}

}  // namespace

std::optional<QStringView> THtmlTag::Attribute(QStringView name) const {
  for (const THtmlAttribute &attribute : Attributes)
    if (SameAsciiCaseless(attribute.Name, name)) return attribute.Value;
  return std::nullopt;
}

bool SameAsciiCaseless(QStringView a, QStringView b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i].unicode()) != AsciiLower(b[i].unicode())) return false;
  return true;
}

qsizetype IndexOfAsciiCaseless(QStringView text, QStringView needle, qsizetype from) {
  if (needle.isEmpty()) return from <= text.size() ? from : -1;
  const char16_t first = AsciiLower(needle[0].unicode());
  for (qsizetype i = qMax<qsizetype>(from, 0); i + needle.size() <= text.size(); ++i)
    if (AsciiLower(text[i].unicode()) == first && SameAsciiCaseless(text.sliced(i, needle.size()), needle)) return i;
  return -1;
}

std::optional<THtmlTag> NextStartTag(QStringView text, QStringView name, qsizetype &from) {
  while (true) {
    const qsizetype open = IndexOfAsciiCaseless(text, u"<", from);
    if (open < 0) {
      from = text.size();
      return std::nullopt;
    }
    const qsizetype nameEnd = open + 1 + name.size();
    from = open + 1;
    if (nameEnd > text.size() || !SameAsciiCaseless(text.sliced(open + 1, name.size()), name)) continue;
    if (nameEnd < text.size()) {
      const char16_t after = text[nameEnd].unicode();
      if (!IsHtmlSpace(after) && after != u'/' && after != u'>') continue;
    }
    std::optional<THtmlTag> tag = ReadAttributes(text, nameEnd);
    if (!tag) {
      from = text.size();
      return std::nullopt;
    }
    from = tag->End;
    return tag;
  }
}
