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

constexpr std::array<QStringView, u'>' + 1> EncodedForms() {
  std::array<QStringView, u'>' + 1> forms{};
  forms[u'"'] = u"&quot;";
  forms[u'&'] = u"&amp;";
  forms[u'<'] = u"&lt;";
  forms[u'>'] = u"&gt;";
  return forms;
}
constexpr std::array<QStringView, u'>' + 1> KEncodedForms = EncodedForms();

QStringView EncodedForm(char16_t c) { return c < KEncodedForms.size() ? KEncodedForms[c] : QStringView(); }

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
  const char16_t *units = text.utf16();
  const qsizetype size = text.size();
  qsizetype extra = 0;
  for (qsizetype i = 0; i < size; ++i)
    if (const qsizetype length = EncodedForm(units[i]).size()) extra += length - 1;
  if (extra == 0) return text.toString();
  QString result(size + extra, Qt::Uninitialized);
  auto *out = reinterpret_cast<char16_t *>(result.data());
  // Copies the runs between the characters to encode whole.
  qsizetype runStart = 0;
  for (qsizetype i = 0; i < size; ++i) {
    const QStringView form = EncodedForm(units[i]);
    if (form.isEmpty()) continue;
    out = std::copy(units + runStart, units + i, out);
    out = std::copy(form.utf16(), form.utf16() + form.size(), out);
    runStart = i + 1;
  }
  std::copy(units + runStart, units + size, out);
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
