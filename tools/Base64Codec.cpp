#include "Base64Codec.h"

#include "CodePoints.h"
#include "Utf8Bytes.h"

#include <array>
#include <bit>
#include <cstring>

namespace {
constexpr char KAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int KLineLength = 76;

// Two output characters for each 12 bits, in the order they are written.
constexpr std::array<quint32, 4096> PairTable() {
  std::array<quint32, 4096> table{};
  for (quint32 v = 0; v < 4096; ++v) {
    const quint32 first = quint32(KAlphabet[v >> 6]), second = quint32(KAlphabet[v & 0x3F]);
    table[v] = std::endian::native == std::endian::little ? first | second << 16 : first << 16 | second;
  }
  return table;
}
constexpr std::array<quint32, 4096> KPairs = PairTable();

// Writes the encoding of bytes fed in any pieces into a buffer sized beforehand.
class TBase64Writer {
 public:
  explicit TBase64Writer(char16_t *out) : FOut(out) {}

  void Feed(QByteArrayView bytes) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (FCarried > 0 && FCarried < 3 && i < size) FCarry[FCarried++] = data[i++];
    if (FCarried == 3) {
      Group(FCarry[0], FCarry[1], FCarry[2]);
      FCarried = 0;
    }
    while (i + 3 <= size) {
      // Whole output lines at once, the common case, with no count kept per group.
      if (FColumn == 0) {
        for (; i + KLineBytes <= size; i += KLineBytes) Line(data + i);
        if (i + 3 > size) break;
      }
      Group(data[i], data[i + 1], data[i + 2]);
      i += 3;
    }
    while (i < size) FCarry[FCarried++] = data[i++];
  }

  void Finish() {
    if (FCarried == 0) return;
    const unsigned char b0 = FCarry[0];
    const unsigned char b1 = FCarried == 2 ? FCarry[1] : 0;
    FOut[0] = char16_t(KAlphabet[b0 >> 2]);
    FOut[1] = char16_t(KAlphabet[((b0 & 0x03) << 4) | (b1 >> 4)]);
    FOut[2] = FCarried == 2 ? char16_t(KAlphabet[(b1 & 0x0F) << 2]) : u'=';
    FOut[3] = u'=';
    FOut += 4;
    EndOfGroup();
  }

 private:
  // 76 characters are 57 bytes.
  static constexpr qsizetype KLineBytes = KLineLength / 4 * 3;

  void Put(unsigned char b0, unsigned char b1, unsigned char b2) {
    const quint32 bits = quint32(b0) << 16 | quint32(b1) << 8 | b2;
    std::memcpy(FOut, &KPairs[bits >> 12], sizeof(quint32));
    std::memcpy(FOut + 2, &KPairs[bits & 0xFFF], sizeof(quint32));
    FOut += 4;
  }

  void Group(unsigned char b0, unsigned char b1, unsigned char b2) {
    Put(b0, b1, b2);
    EndOfGroup();
  }

  void Line(const unsigned char *bytes) {
    for (qsizetype k = 0; k < KLineBytes; k += 3) Put(bytes[k], bytes[k + 1], bytes[k + 2]);
    FOut[0] = u'\r';
    FOut[1] = u'\n';
    FOut += 2;
  }

  // 76 is a whole number of groups, so a line can only end after a group.
  void EndOfGroup() {
    FColumn += 4;
    if (FColumn < KLineLength) return;
    FOut[0] = u'\r';
    FOut[1] = u'\n';
    FOut += 2;
    FColumn = 0;
  }

  char16_t *FOut;
  int FColumn = 0;
  std::array<unsigned char, 3> FCarry{};
  int FCarried = 0;
};

constexpr qint8 KInvalid = -1;
constexpr qint8 KPadding = -2;
constexpr qint8 KSkipped = -3;

constexpr std::array<qint8, 128> DecodeTable() {
  std::array<qint8, 128> table{};
  for (int c = 0; c < 128; ++c) table[size_t(c)] = c <= 32 ? KSkipped : KInvalid;
  for (int v = 0; v < 64; ++v) table[size_t(KAlphabet[v])] = qint8(v);
  table[size_t('=')] = KPadding;
  return table;
}
constexpr std::array<qint8, 128> KDecode = DecodeTable();

int Sextet(char16_t c) { return c < 128 ? KDecode[c] : KInvalid; }

QString Position(qsizetype index) { return QString::number(index + 1); }
}  // namespace

QString Base64Encode(QStringView text) {
  const qsizetype bytes = Utf8Length(text);
  const qsizetype chars = (bytes + 2) / 3 * 4;
  QString result(chars + chars / KLineLength * 2, Qt::Uninitialized);
  TBase64Writer writer(reinterpret_cast<char16_t *>(result.data()));
  ForEachUtf8Piece(text, [&](QByteArrayView piece) { writer.Feed(piece); });
  writer.Finish();
  return result;
}

TTextResult Base64Decode(QStringView text) {
  // Three bytes for every four characters, and each byte makes at most one unit of text.
  TUtf8TextBuilder builder(text.size() / 4 * 3 + 3);
  unsigned char *out = builder.Begin();
  const unsigned char *const limit = builder.Limit();
  const char16_t *units = text.utf16();
  const qsizetype size = text.size();
  quint32 bits = 0;
  int filled = 0;             // characters of the current group, padding included
  int padding = 0;            // "=" in the current group
  qsizetype paddingAt = 0;    // where the current group's padding began
  qsizetype lastDataAt = 0;
  for (qsizetype i = 0; i < size; ++i) {
    // Whole groups of four alphabet characters, the common case, bypass the checks below.
    for (; filled == 0 && i + 4 <= size; i += 4) {
      const int a = Sextet(units[i]), b = Sextet(units[i + 1]), c = Sextet(units[i + 2]), d = Sextet(units[i + 3]);
      if ((a | b | c | d) < 0) break;
      const quint32 group = quint32(a) << 18 | quint32(b) << 12 | quint32(c) << 6 | quint32(d);
      out[0] = static_cast<unsigned char>(group >> 16);
      out[1] = static_cast<unsigned char>(group >> 8);
      out[2] = static_cast<unsigned char>(group);
      out += 3;
      if (out >= limit) out = builder.Flush(out);
    }
    if (i == size) break;
    if (out >= limit) out = builder.Flush(out);
    const char16_t c = units[i];
    const int value = Sextet(c);
    if (value == KSkipped) continue;
    if (value == KInvalid)
      return TTextResult::Failure(
          QStringLiteral("Invalid character '%1' at position %2.").arg(CharacterAt(text, i), Position(i)));
    if (value == KPadding) {
      if (filled < 2) return TTextResult::Failure(QStringLiteral("Unexpected padding at position %1.").arg(Position(i)));
      if (padding++ == 0) paddingAt = i;
      if (++filled < 4) continue;
      // Two data characters give one byte, three give two.
      *out++ = static_cast<unsigned char>(bits >> (filled - padding == 2 ? 4 : 10));
      if (padding == 1) *out++ = static_cast<unsigned char>(bits >> 2);
      bits = 0;
      filled = padding = 0;
      continue;
    }
    if (padding > 0)
      return TTextResult::Failure(QStringLiteral("Incomplete padding at position %1.").arg(Position(paddingAt)));
    bits = (bits << 6) | quint32(value);
    lastDataAt = i;
    if (++filled < 4) continue;
    out[0] = static_cast<unsigned char>(bits >> 16);
    out[1] = static_cast<unsigned char>(bits >> 8);
    out[2] = static_cast<unsigned char>(bits);
    out += 3;
    bits = 0;
    filled = 0;
  }
  if (padding > 0)
    return TTextResult::Failure(QStringLiteral("Incomplete padding at position %1.").arg(Position(paddingAt)));
  if (filled == 1)
    return TTextResult::Failure(
        QStringLiteral("A single character is left over at position %1; a group needs at least two.")
            .arg(Position(lastDataAt)));
  if (filled == 2) *out++ = static_cast<unsigned char>(bits >> 4);
  if (filled == 3) {
    *out++ = static_cast<unsigned char>(bits >> 10);
    *out++ = static_cast<unsigned char>(bits >> 2);
  }
  return builder.Finish(out);
}
