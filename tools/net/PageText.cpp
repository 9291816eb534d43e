#include "PageText.h"

#include "HtmlTags.h"
#include "core/Encoding.h"

#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype KMetaWindow = 1024;

QString AsciiLowerTrimmed(QStringView label) {
  QString lower = label.trimmed().toString();
  for (QChar &c : lower)
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 0x20);
  return lower;
}

// "charset=" inside a Content-Type value, quoted or not; empty when absent.
QString CharsetParameter(QStringView contentType) {
  qsizetype from = 0;
  while (true) {
    const qsizetype at = IndexOfAsciiCaseless(contentType, u"charset", from);
    if (at < 0) return QString();
    from = at + 7;
    // A whole parameter name: after ";" or a blank, or at the start of the text.
    if (at > 0 && contentType[at - 1] != u';' && contentType[at - 1] != u' ' && contentType[at - 1] != u'\t') continue;
    qsizetype i = from;
    while (i < contentType.size() && (contentType[i] == u' ' || contentType[i] == u'\t')) ++i;
    if (i >= contentType.size() || contentType[i] != u'=') continue;
    ++i;
    while (i < contentType.size() && (contentType[i] == u' ' || contentType[i] == u'\t')) ++i;
    if (i < contentType.size() && (contentType[i] == u'"' || contentType[i] == u'\'')) {
      const qsizetype close = contentType.indexOf(contentType[i], i + 1);
      return AsciiLowerTrimmed(contentType.sliced(i + 1, (close < 0 ? contentType.size() : close) - i - 1));
    }
    const qsizetype start = i;
    while (i < contentType.size() && contentType[i] != u';' && contentType[i] != u' ' && contentType[i] != u'\t') ++i;
    return AsciiLowerTrimmed(contentType.sliced(start, i - start));
  }
}

QString MetaCharset(QByteArrayView body) {
  const QString head = QString::fromLatin1(body.first(qMin(body.size(), KMetaWindow)));
  qsizetype from = 0;
  while (const std::optional<THtmlTag> tag = NextStartTag(head, u"meta", from)) {
    if (const std::optional<QStringView> charset = tag->Attribute(u"charset"); charset && !charset->trimmed().isEmpty())
      return AsciiLowerTrimmed(*charset);
    const std::optional<QStringView> equiv = tag->Attribute(u"http-equiv");
    const std::optional<QStringView> content = tag->Attribute(u"content");
    if (equiv && content && SameAsciiCaseless(equiv->trimmed(), u"content-type"))
      if (QString charset = CharsetParameter(*content); !charset.isEmpty()) return charset;
  }
  return QString();
}

bool IsWindows1252Label(const QString &label) {
  // Browsers read every Latin-1 and ASCII label as Windows-1252.
  static const QStringList labels = {u"windows-1252"_s, u"cp1252"_s,     u"x-cp1252"_s,   u"iso-8859-1"_s,
                                     u"iso8859-1"_s,    u"iso_8859-1"_s, u"latin1"_s,     u"l1"_s,
                                     u"us-ascii"_s,     u"ascii"_s,      u"ansi_x3.4-1968"_s, u"cp819"_s};
  return labels.contains(label);
}

QString DecodeUtf8Leniently(QByteArrayView bytes) {
  QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decoder.decode(bytes);
}

QString DecodeWithLabel(QByteArrayView bytes, const QString &label) {
  if (IsWindows1252Label(label)) {
    QString text;
    TEncoding::Ansi()->Decode(bytes, text, nullptr);
    return text;
  }
  QStringDecoder decoder(label.toLatin1().constData(), QStringConverter::Flag::ConvertInitialBom);
  if (!decoder.isValid()) return DecodeUtf8Leniently(bytes);
  return decoder.decode(bytes);
}

}  // namespace

QString DecodePageBody(QByteArrayView body, QByteArrayView contentType) {
  if (body.startsWith("\xEF\xBB\xBF")) return DecodeUtf8Leniently(body.sliced(3));
  if (body.startsWith("\xFF\xFE")) return DecodeWithLabel(body.sliced(2), u"utf-16le"_s);
  if (body.startsWith("\xFE\xFF")) return DecodeWithLabel(body.sliced(2), u"utf-16be"_s);
  QString label = CharsetParameter(QString::fromLatin1(contentType));
  if (label.isEmpty()) {
    label = MetaCharset(body);
    // A page that could declare itself in ASCII is not UTF-16.
    if (label.startsWith(u"utf-16")) label = u"utf-8"_s;
  }
  if (label.isEmpty()) return DecodeUtf8Leniently(body);
  return DecodeWithLabel(body, label);
}
