#include "Encoding.h"

#include "platform/AnsiCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

const char *const KNoMappingError = "No mapping for the Unicode character exists in the target multi-byte code page";

const TEncoding *TEncoding::Ansi() {
  static const TEncoding e(1252, QByteArray());
  return &e;
}
const TEncoding *TEncoding::Utf8() {
  static const TEncoding e(65001, QByteArray("\xEF\xBB\xBF", 3));
  return &e;
}
const TEncoding *TEncoding::Utf16LE() {
  static const TEncoding e(1200, QByteArray("\xFF\xFE", 2));
  return &e;
}
const TEncoding *TEncoding::Utf16BE() {
  static const TEncoding e(1201, QByteArray("\xFE\xFF", 2));
  return &e;
}

bool TEncoding::Decode(QByteArrayView bytes, QString &text, QString *error) const {
  text.clear();
  if (bytes.isEmpty()) return true;
  auto fail = [&] {
    if (error) *error = QString::fromLatin1(KNoMappingError);
    return false;
  };
  switch (FCodePage) {
    case 1252:
      text.resize(bytes.size());
      AnsiToUnicode(bytes.data(), bytes.size(), reinterpret_cast<char16_t *>(text.data()));
      return true;
    case 1200:
    case 1201: {
      if (bytes.size() == 1) return fail();
      const qsizetype n = bytes.size() / 2;
      text.resize(n);
      auto *out = reinterpret_cast<char16_t *>(text.data());
      const auto *in = reinterpret_cast<const uchar *>(bytes.data());
      for (qsizetype k = 0; k < n; ++k)
        out[k] = FCodePage == 1200 ? qFromLittleEndian<quint16>(in + 2 * k) : qFromBigEndian<quint16>(in + 2 * k);
      return true;
    }
    default: {
      QStringDecoder decoder(QStringConverter::Utf8,
                             QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
      QString decoded = decoder.decode(bytes);
      if (decoder.hasError()) return fail();
      text = std::move(decoded);
      return true;
    }
  }
}

QByteArray TEncoding::Encode(QStringView text) const {
  switch (FCodePage) {
    case 1252:
      return UnicodeToAnsi(text);
    case 1200:
    case 1201: {
      QByteArray out(text.size() * 2, Qt::Uninitialized);
      auto *dst = reinterpret_cast<uchar *>(out.data());
      const char16_t *src = text.utf16();
      for (qsizetype k = 0; k < text.size(); ++k) {
        if (FCodePage == 1200) qToLittleEndian<quint16>(src[k], dst + 2 * k);
        else qToBigEndian<quint16>(src[k], dst + 2 * k);
      }
      return out;
    }
    default: {
      QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
      return encoder.encode(text);
    }
  }
}

QString EncKindName(int kind) {
  switch (kind) {
    case ekAnsi: return QStringLiteral("ANSI");
    case ekUtf8Bom: return QStringLiteral("UTF-8-BOM");
    case ekUtf16BeBom: return QStringLiteral("UTF-16 BE BOM");
    case ekUtf16LeBom: return QStringLiteral("UTF-16 LE BOM");
    default: return QStringLiteral("UTF-8");
  }
}

TEncKind EncKindOf(const TEncoding *encoding, bool hasBOM) {
  if (encoding == TEncoding::Utf16LE()) return ekUtf16LeBom;
  if (encoding == TEncoding::Utf16BE()) return ekUtf16BeBom;
  if (encoding == TEncoding::Utf8()) return hasBOM ? ekUtf8Bom : ekUtf8;
  return ekAnsi;
}

const TEncoding *EncodingOfKind(int kind) {
  switch (kind) {
    case ekAnsi: return TEncoding::Ansi();
    case ekUtf16BeBom: return TEncoding::Utf16BE();
    case ekUtf16LeBom: return TEncoding::Utf16LE();
    default: return TEncoding::Utf8();
  }
}

bool SameEncoding(const TEncoding *a, const TEncoding *b) {
  return a == b || (a && b && a->CodePage() == b->CodePage());
}

QString EolString(int n) {
  switch (n) {
    case 1: return QStringLiteral("\n");
    case 2: return QStringLiteral("\r");
    default: return QStringLiteral("\r\n");
  }
}

QString EolDisplayName(QStringView eol) {
  if (eol == u"\n") return QStringLiteral("Unix (LF)");
  if (eol == u"\r") return QStringLiteral("Macintosh (CR)");
  return QStringLiteral("Windows (CR LF)");
}

int DetectEol(QStringView text) {
  qsizetype crlf = 0, cr = 0, lf = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = text[i].unicode();
    if (c == u'\r') {
      if (i + 1 < n && text[i + 1] == u'\n') {
        ++crlf;
        ++i;
      } else {
        ++cr;
      }
    } else if (c == u'\n') {
      ++lf;
    }
  }
  if (crlf > 0) return 0;
  if (lf > 0 && lf >= cr) return 1;
  if (cr >= 1) return 2;
  return -1;
}

bool IsValidUtf8Prefix(QByteArrayView bytes) {
  const qsizetype window = qMin(bytes.size(), KUtf8TestWindow);
  const auto *p = reinterpret_cast<const uchar *>(bytes.data());
  qsizetype i = 0;
  while (i < window) {
    const uchar a = p[i++];
    int follow;
    if (a < 0x80) follow = 0;
    else if ((a & 0xE0) == 0xC0) follow = 1;
    else if ((a & 0xF0) == 0xE0) follow = 2;
    else if ((a & 0xF8) == 0xF0) follow = 3;
    else return false;
    for (; follow > 0; --follow) {
      if (i >= window) return bytes.size() > window;
      if ((p[i] & 0xC0) != 0x80) return false;
      ++i;
    }
  }
  return true;
}

TDetectedEncoding DetectTextEncoding(QByteArrayView bytes) {
  if (bytes.size() >= 3 && bytes.startsWith("\xEF\xBB\xBF")) return {TEncoding::Utf8(), 3};
  if (bytes.size() >= 2 && bytes.startsWith("\xFF\xFE")) return {TEncoding::Utf16LE(), 2};
  if (bytes.size() >= 2 && bytes.startsWith("\xFE\xFF")) return {TEncoding::Utf16BE(), 2};
  return {IsValidUtf8Prefix(bytes) ? TEncoding::Utf8() : TEncoding::Ansi(), 0};
}
