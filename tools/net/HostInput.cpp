#include "HostInput.h"

#include "tools/IdnCodec.h"
#include "tools/TextRules.h"

#ifdef _WIN32
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#endif

namespace {

constexpr qsizetype KMaxHostLength = 253;
constexpr qsizetype KMaxLabelLength = 63;
constexpr qsizetype KMaxMyIpBody = 64;

bool IsAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// "scheme://" in front, as in "https://" or "ftp://".
qsizetype SchemeLength(QStringView text) {
  if (text.isEmpty() || !IsAsciiLetter(text[0])) return 0;
  qsizetype i = 1;
  while (i < text.size() && (IsAsciiLetter(text[i]) || IsAsciiDigit(text[i]) || text[i] == u'+' || text[i] == u'-' ||
                             text[i] == u'.'))
    ++i;
  return text.sliced(i).startsWith(u"://") ? i + 3 : 0;
}

// Labels of letters, digits, "-" and "_", none empty or longer than 63, and a last label that
// starts with a letter: no top-level domain starts with a digit, and every numeric form the
// system would read as an address does.
bool IsHostName(QStringView name) {
  if (name.endsWith(u'.')) name.chop(1);
  if (name.isEmpty() || name.size() > KMaxHostLength) return false;
  qsizetype labelStart = 0;
  for (qsizetype i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != u'.') {
      const QChar c = name[i];
      if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'-' && c != u'_') return false;
      continue;
    }
    const QStringView label = name.sliced(labelStart, i - labelStart);
    if (label.isEmpty() || label.size() > KMaxLabelLength || label.startsWith(u'-') || label.endsWith(u'-'))
      return false;
    if (i == name.size() && !IsAsciiLetter(label[0])) return false;
    labelStart = i + 1;
  }
  return true;
}

bool IsAscii(QStringView text) {
  for (const QChar c : text)
    if (c.unicode() >= 0x80) return false;
  return true;
}

TWebsiteHost AddressOrInvalid(QStringView text) {
  if (std::optional<QString> address = ParseIpAddress(text)) return {TWebsiteKind::Address, *address};
  return {TWebsiteKind::Invalid, QString()};
}

}  // namespace

std::optional<QString> ParseIpAddress(QStringView text) {
  if (text.isEmpty() || !IsAscii(text)) return std::nullopt;
  const QByteArray bytes = text.toLatin1();
  if (bytes.contains('\0')) return std::nullopt;
  unsigned char binary[16];
  char canonical[64];
  for (const int family : {AF_INET, AF_INET6}) {
    if (inet_pton(family, bytes.constData(), binary) != 1) continue;
    if (!inet_ntop(family, binary, canonical, sizeof canonical)) return std::nullopt;
    return QString::fromLatin1(canonical);
  }
  return std::nullopt;
}

TWebsiteHost NormalizeWebsiteHost(QStringView input) {
  QStringView text = Trimmed(input);
  text = text.sliced(SchemeLength(text));
  for (const char16_t end : {u'/', u'?', u'#'})
    if (const qsizetype at = text.indexOf(end); at >= 0) text.truncate(at);
  if (const qsizetype at = text.lastIndexOf(u'@'); at >= 0) text = text.sliced(at + 1);
  text = Trimmed(text);
  if (text.startsWith(u'[')) {
    const qsizetype close = text.indexOf(u']');
    if (close < 0) return {TWebsiteKind::Invalid, QString()};
    const QStringView rest = text.sliced(close + 1);
    if (!rest.isEmpty() && !rest.startsWith(u':')) return {TWebsiteKind::Invalid, QString()};
    return AddressOrInvalid(text.sliced(1, close - 1));
  }
  if (text.count(u':') >= 2) return AddressOrInvalid(text);
  if (const qsizetype colon = text.indexOf(u':'); colon >= 0) text.truncate(colon);
  text = Trimmed(text);
  if (text.isEmpty()) return {TWebsiteKind::Nothing, QString()};
  if (std::optional<QString> address = ParseIpAddress(text)) return {TWebsiteKind::Address, *address};
  const QString ascii = IsAscii(text) ? text.toString() : IdnNameToAscii(text);
  if (!IsHostName(ascii)) return {TWebsiteKind::Invalid, QString()};
  return {TWebsiteKind::HostName, ascii};
}

QString PickWebsiteAddress(const QStringList &addresses) {
  for (const QString &address : addresses)
    if (!address.contains(u':')) return address;
  return addresses.isEmpty() ? QString() : addresses.first();
}

QString CheckedHostName(QStringView name) {
  if (name.endsWith(u'.')) name.chop(1);
  if (name.isEmpty() || name.size() > KMaxHostLength) return QString();
  for (const QChar c : name)
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'-' && c != u'_' && c != u'.') return QString();
  return name.toString();
}

std::optional<QString> ParseMyIpBody(QByteArrayView body) {
  if (body.size() > KMaxMyIpBody) return std::nullopt;
  return ParseIpAddress(Trimmed(QString::fromLatin1(body)));
}
