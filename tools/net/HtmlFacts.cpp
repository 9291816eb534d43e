#include "HtmlFacts.h"

#include "HtmlTags.h"
#include "tools/TextRules.h"

namespace {

// The white space of a pattern's "\s" without Unicode support: tab, line feed, vertical tab, form
// feed, carriage return and space.
bool IsPatternSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

QString CollapseSpaces(QStringView text) {
  QString result;
  result.reserve(text.size());
  bool inRun = false;
  for (const QChar c : text) {
    if (IsPatternSpace(c.unicode())) {
      if (!inRun) result += u' ';
      inRun = true;
    } else {
      result += c;
      inRun = false;
    }
  }
  return result;
}

QString OneLine(QStringView text) { return DecodeBasicEntities(Trimmed(CollapseSpaces(text))); }

struct TEntity {
  QStringView Name;
  QStringView Text;
};

constexpr TEntity KEntities[] = {
    {u"&lt;", u"<"},    {u"&gt;", u">"},    {u"&quot;", u"\""}, {u"&#39;", u"'"},
    {u"&#x27;", u"'"},  {u"&nbsp;", u" "},  {u"&amp;", u"&"},
};

}  // namespace

QString DecodeBasicEntities(QStringView text) {
  QString result;
  result.reserve(text.size());
  qsizetype i = 0;
  while (i < text.size()) {
    const qsizetype amp = text.indexOf(u'&', i);
    if (amp < 0) break;
    result += text.sliced(i, amp - i);
    i = amp + 1;
    result += u'&';
    for (const TEntity &entity : KEntities) {
      if (amp + entity.Name.size() > text.size() ||
          !SameAsciiCaseless(text.sliced(amp, entity.Name.size()), entity.Name))
        continue;
      result.chop(1);
      result += entity.Text;
      i = amp + entity.Name.size();
      break;
    }
  }
  result += text.sliced(i);
  return result;
}

QString ExtractHtmlTitle(QStringView page) {
  qsizetype from = 0;
  const std::optional<THtmlTag> tag = NextStartTag(page, u"title", from);
  if (!tag) return QString();
  const qsizetype close = IndexOfAsciiCaseless(page, u"</title>", tag->End);
  if (close < 0) return QString();
  return OneLine(page.sliced(tag->End, close - tag->End));
}

QString ExtractMetaDescription(QStringView page) {
  qsizetype from = 0;
  while (const std::optional<THtmlTag> tag = NextStartTag(page, u"meta", from)) {
    const std::optional<QStringView> name = tag->Attribute(u"name");
    if (!name || !SameAsciiCaseless(*name, u"description")) continue;
    const std::optional<QStringView> content = tag->Attribute(u"content");
    return content ? OneLine(*content) : QString();
  }
  return QString();
}
