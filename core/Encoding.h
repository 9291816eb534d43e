#pragma once
// The four text encodings of the program, the user-facing encoding kinds, and file classification.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One of four process-wide, immutable encodings; documents refer to them and compare by identity.
class TEncoding {
 public:
  static const TEncoding *Ansi();
  static const TEncoding *Utf8();
  static const TEncoding *Utf16LE();
  static const TEncoding *Utf16BE();

  int CodePage() const { return FCodePage; }
  QByteArray Preamble() const { return FPreamble; }
  bool IsUtf16() const { return FCodePage == 1200 || FCodePage == 1201; }

  // Strict bytes -> text: false with the "No mapping" message for invalid UTF-8 (anywhere, also a
  // sequence cut at the end) or a UTF-16 range of exactly one byte. An odd trailing UTF-16 byte is
  // ignored; ANSI never fails.
  bool Decode(QByteArrayView bytes, QString &text, QString *error) const;
  // Text -> bytes, never failing: lone surrogates become U+FFFD in UTF-8, unmappable ANSI "?".
  QByteArray Encode(QStringView text) const;

  TEncoding(const TEncoding &) = delete;
  TEncoding &operator=(const TEncoding &) = delete;

 private:
  TEncoding(int codePage, QByteArray preamble) : FCodePage(codePage), FPreamble(std::move(preamble)) {}
  int FCodePage;
  QByteArray FPreamble;
};

extern const char *const KNoMappingError;

enum TEncKind : quint8 { ekAnsi = 0, ekUtf8 = 1, ekUtf8Bom = 2, ekUtf16BeBom = 3, ekUtf16LeBom = 4 };

QString EncKindName(int kind);
TEncKind EncKindOf(const TEncoding *encoding, bool hasBOM);
// The encoding a kind is written in; a value outside 0-4 means UTF-8.
const TEncoding *EncodingOfKind(int kind);
bool SameEncoding(const TEncoding *a, const TEncoding *b);

// Line-break strings of documents.
QString EolString(int n);
QString EolDisplayName(QStringView eol);
// 0 CR LF, 1 LF, 2 CR, -1 none: any CR LF wins; then LF when LF >= CR; then CR.
int DetectEol(QStringView text);

// Structural UTF-8 test of the first 1 MiB. A sequence cut by the end of that window is accepted
// only when the data goes on past it (it is then cut by the window, not broken).
bool IsValidUtf8Prefix(QByteArrayView bytes);
constexpr qsizetype KUtf8TestWindow = 1048576;

struct TDetectedEncoding {
  const TEncoding *Encoding;
  int BomLength;
};
// Byte-order mark first (EF BB BF, FF FE, FE FF), then the UTF-8 shape test, else ANSI.
TDetectedEncoding DetectTextEncoding(QByteArrayView bytes);
