#include "WebAddress.h"

#include "HtmlTags.h"
#include "tools/TextRules.h"

bool HasWebScheme(QStringView text) {
  return (text.size() >= 7 && SameAsciiCaseless(text.first(7), u"http://")) ||
         (text.size() >= 8 && SameAsciiCaseless(text.first(8), u"https://"));
}

std::optional<QString> PageAddressFromInput(QStringView input) {
  const QStringView text = Trimmed(input);
  if (text.isEmpty() || SameAsciiCaseless(text, u"http://") || SameAsciiCaseless(text, u"https://")) return std::nullopt;
  if (HasWebScheme(text)) return text.toString();
  return QStringLiteral("https://") + text.toString();
}

std::optional<QUrl> BrowserUrl(QStringView text) {
  const QStringView trimmed = Trimmed(text);
  if (!HasWebScheme(trimmed)) return std::nullopt;
  for (const QChar c : trimmed)
    if (c.unicode() <= 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control ||
        c.category() == QChar::Separator_Space || c.category() == QChar::Separator_Line ||
        c.category() == QChar::Separator_Paragraph || c.category() == QChar::Other_Format)
      return std::nullopt;
  const QUrl url(trimmed.toString(), QUrl::StrictMode);
  const QString scheme = url.scheme();
  if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty()) return std::nullopt;
  return url;
}
