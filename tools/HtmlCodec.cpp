#include "HtmlCodec.h"

#include "TextRules.h"

#include <algorithm>
#include <array>

namespace {
struct TNamedReference {
  QStringView Name;  // with its "&" and ";"
  char16_t Character;
};
constexpr std::array<TNamedReference, 5> KNamed = {{
    {u"&amp;", u'&'},
    {u"&apos;", u'\''},
    {u"&gt;", u'>'},
    {u"&lt;", u'<'},
    {u"&quot;", u'"'},
}};

// The longest number text between "&#" and ";" worth reading ("x0010FFFF" and a little room).
constexpr qsizetype KMaxNumberLength = 12;

QStringView EncodedForm(char16_t c) {
  switch (c) {
    case u'"': return u"&quot;";
    case u'&': return u"&amp;";
    case u'<': return u"&lt;";
    case u'>': return u"&gt;";
    default: return {};
  }
}

bool IsScalarValue(qint64 code) { return code >= 1 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF); }

// The code of the numeric reference at text[at] ("&#...;") and its length, or 0 when there is none.
qsizetype NumericReference(QStringView text, qsizetype at, char32_t &code) {
  const qsizetype digits = at + 2;
  const qsizetype limit = qMin(text.size(), digits + KMaxNumberLength + 1);
  for (qsizetype end = digits; end < limit; ++end) {
    if (text[end] != u';') continue;
    const std::optional<qint32> value = ReadInt32(text.sliced(digits, end - digits));
    if (!value || !IsScalarValue(*value)) return 0;
    code = char32_t(*value);
    return end + 1 - at;
  }
  return 0;
}
}  // namespace

QString HtmlEncode(QStringView text) {
  qsizetype extra = 0;
  for (const QChar c : text) extra += qMax(EncodedForm(c.unicode()).size() - 1, qsizetype(0));
  if (extra == 0) return text.toString();
  QString result(text.size() + extra, Qt::Uninitialized);
  QChar *out = result.data();
  for (const QChar c : text) {
    const QStringView form = EncodedForm(c.unicode());
    if (form.isEmpty()) {
      *out++ = c;
      continue;
    }
    for (const QChar unit : form) *out++ = unit;
  }
  return result;
}

QString HtmlDecode(QStringView text) {
  // Every reference is longer than what it decodes to, so the result fits in the text's size.
  QString result(text.size(), Qt::Uninitialized);
  QChar *const begin = result.data();
  QChar *out = begin;
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const QChar c = text[i];
    if (c != u'&') {
      *out++ = c;
      continue;
    }
    if (i + 1 < size && text[i + 1] == u'#') {
      char32_t code = 0;
      if (const qsizetype length = NumericReference(text, i, code)) {
        for (const char16_t unit : QChar::fromUcs4(code)) *out++ = unit;
        i += length - 1;
        continue;
      }
    } else {
      const QStringView rest = text.sliced(i);
      const auto named = std::find_if(KNamed.begin(), KNamed.end(),
                                      [&](const TNamedReference &ref) { return rest.startsWith(ref.Name); });
      if (named != KNamed.end()) {
        *out++ = named->Character;
        i += named->Name.size() - 1;
        continue;
      }
    }
    *out++ = c;
  }
  result.truncate(out - begin);
  return result;
}
