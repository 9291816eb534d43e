#include "Utf8Bytes.h"

#include <QStringEncoder>

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUENNET_SSE2 1
#endif

namespace {
constexpr qsizetype KPieceUnits = 16 * 1024;

const QString KNotUtf8 = QStringLiteral("No mapping for the Unicode character exists in the target multi-byte code page");

QStringDecoder StrictUtf8Decoder() {
  return QStringDecoder(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
}

constexpr bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
}  // namespace

QByteArray ToUtf8(QStringView text) {
  QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  return encoder.encode(text);
}

qsizetype Utf8Length(QStringView text) {
  const char16_t *units = text.utf16();
  const qsizetype size = text.size();
  // One byte per unit, one more from U+0080 and another from U+0800; a surrogate pair is counted
  // as two three-byte units here and corrected below.
  qsizetype length = size;
  bool surrogates = false;
  qsizetype i = 0;
#ifdef QUENNET_SSE2
  // A unit masked with these is zero below U+0080 and below U+0800.
  const __m128i belowAscii = _mm_set1_epi16(short(0xFF80));
  const __m128i below800 = _mm_set1_epi16(short(0xF800));
  const __m128i surrogate = _mm_set1_epi16(short(0xD800));
  const __m128i ones = _mm_set1_epi16(1);
  __m128i anySurrogate = _mm_setzero_si128();
  while (i + 8 <= size) {
    // Per-lane counts of units that need a byte more, summed before a lane could overflow.
    __m128i extra = _mm_setzero_si128();
    for (int step = 0; step < 8192 && i + 8 <= size; ++step, i += 8) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i));
      const __m128i high = _mm_and_si128(v, below800);
      extra = _mm_add_epi16(extra, _mm_andnot_si128(_mm_cmpeq_epi16(_mm_and_si128(v, belowAscii), _mm_setzero_si128()), ones));
      extra = _mm_add_epi16(extra, _mm_andnot_si128(_mm_cmpeq_epi16(high, _mm_setzero_si128()), ones));
      anySurrogate = _mm_or_si128(anySurrogate, _mm_cmpeq_epi16(high, surrogate));
    }
    // At most 16384 per lane; pairs of lanes summed as 32-bit numbers.
    alignas(16) qint32 sums[4];
    _mm_store_si128(reinterpret_cast<__m128i *>(sums), _mm_madd_epi16(extra, ones));
    length += qsizetype(sums[0]) + sums[1] + sums[2] + sums[3];
  }
  surrogates = _mm_movemask_epi8(anySurrogate) != 0;
#endif
  for (; i < size; ++i) {
    const char16_t c = units[i];
    length += qsizetype(c >= 0x80) + qsizetype(c >= 0x800);
    surrogates |= (c & 0xF800) == 0xD800;
  }
  if (!surrogates) return length;
  for (i = 0; i + 1 < size; ++i) {
    if (QChar::isHighSurrogate(units[i]) && QChar::isLowSurrogate(units[i + 1])) {
      length -= 2;
      ++i;
    }
  }
  return length;
}

void ForEachUtf8Piece(QStringView text, const std::function<void(QByteArrayView piece)> &consume) {
  QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  const auto buffer = std::make_unique<char[]>(size_t(encoder.requiredSpace(KPieceUnits)));
  for (qsizetype start = 0; start < text.size();) {
    qsizetype end = qMin(start + KPieceUnits, text.size());
    if (end < text.size() && QChar::isHighSurrogate(text[end - 1].unicode())) --end;
    const char *pieceEnd = encoder.appendToBuffer(buffer.get(), text.sliced(start, end - start));
    consume(QByteArrayView(buffer.get(), pieceEnd - buffer.get()));
    start = end;
  }
}

TTextResult FromUtf8(QByteArrayView bytes) {
  QStringDecoder decoder = StrictUtf8Decoder();
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return TTextResult::Failure(KNotUtf8);
  return TTextResult::Success(std::move(text));
}

TUtf8TextBuilder::TUtf8TextBuilder(qsizetype maxUnits)
    : FBuffer(std::make_unique<unsigned char[]>(size_t(KBufferSize))),
      FDecoder(StrictUtf8Decoder()),
      FText(maxUnits + 1, Qt::Uninitialized),
      FOut(FText.data()) {}

void TUtf8TextBuilder::Decode(QByteArrayView bytes) {
  // Once the bytes failed, the text is never used: the rest need not be decoded.
  if (FInvalid || bytes.isEmpty()) return;
  FOut = FDecoder.appendToBuffer(FOut, bytes);
  FInvalid = FDecoder.hasError();
}

unsigned char *TUtf8TextBuilder::Flush(unsigned char *out) {
  unsigned char *const begin = FBuffer.get();
  // The last character is held back unless it is a single byte: its other bytes may still come.
  // A run of more continuation bytes than a character has is wrong however it is cut.
  unsigned char *cut = out;
  for (unsigned char *p = out; p > begin && out - p < 4;) {
    --p;
    if (IsContinuation(*p)) continue;
    if (*p >= 0x80) cut = p;
    break;
  }
  Decode(QByteArrayView(begin, cut - begin));
  const qsizetype kept = out - cut;
  std::memmove(begin, cut, size_t(kept));
  return begin + kept;
}

TTextResult TUtf8TextBuilder::Finish(unsigned char *out) {
  Decode(QByteArrayView(FBuffer.get(), out - FBuffer.get()));
  if (FInvalid) return TTextResult::Failure(KNotUtf8);
  FText.truncate(FOut - FText.constData());
  // The text was sized for the most it could hold; hand the rest back.
  FText.squeeze();
  return TTextResult::Success(std::move(FText));
}
