#include "LineDecoder.h"

#include "Encoding.h"
#include "FileRead.h"
#include "platform/AnsiCodePage.h"

#include <QStringDecoder>
#include <QtEndian>

#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUENNET_SSE2 1
#endif

namespace {

// What one scan of an 8-bit line found besides its end.
struct TByteLine {
  qsizetype End;     // index of the CR or LF that ends the line, or the data's end
  bool HasHigh;      // a byte >= 0x80 (needs the code page or UTF-8 conversion)
  bool HasControl;   // a control byte other than TAB, or DEL (needs sanitizing)
};

inline bool ClassifyByte(uchar c, TByteLine &line) {
  if (c == '\r' || c == '\n') return true;
  if (c >= 0x80) line.HasHigh = true;
  else if (c != '\t') line.HasControl = true;  // only controls and DEL reach here
  return false;
}

// Finds the end of the line starting at b. Plain ASCII text, the common case of logs, is skipped
// sixteen bytes at a time; only bytes below 0x20 or from 0x7F up are looked at one by one.
TByteLine ScanByteLine(const uchar *p, qsizetype b, qsizetype n) {
  TByteLine line{n, false, false};
  qsizetype i = b;
#ifdef QUENNET_SSE2
  const __m128i space = _mm_set1_epi8(0x20);
  const __m128i del = _mm_set1_epi8(0x7F);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
    // Signed compare: bytes from 0x80 up are negative, so one test catches them and the controls.
    unsigned mask = unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmplt_epi8(v, space), _mm_cmpeq_epi8(v, del))));
    while (mask) {
      const int bit = std::countr_zero(mask);
      if (ClassifyByte(p[i + bit], line)) {
        line.End = i + bit;
        return line;
      }
      mask &= mask - 1;
    }
  }
#endif
  for (; i < n; ++i) {
    const uchar c = p[i];
    if ((c < 0x20 || c >= 0x7F) && ClassifyByte(c, line)) {
      line.End = i;
      return line;
    }
  }
  return line;
}

class TByteLineConverter {
 public:
  explicit TByteLineConverter(bool utf8)
      : FUtf8(utf8),
        FDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom) {}

  QString Convert(const uchar *p, const TByteLine &line, qsizetype b) {
    const auto *bytes = reinterpret_cast<const char *>(p + b);
    const qsizetype len = line.End - b;
    if (!line.HasHigh) return QString::fromLatin1(bytes, len);
    if (FUtf8) return FDecoder.decode(QByteArrayView(bytes, len));
    QString text(len, Qt::Uninitialized);
    AnsiToUnicode(bytes, len, reinterpret_cast<char16_t *>(text.data()));
    return text;
  }
  bool HadError() const { return FDecoder.hasError(); }

 private:
  bool FUtf8;
  QStringDecoder FDecoder;
};

void DecodeByteRoad(const uchar *p, qsizetype n, bool utf8, bool last, QStringList &list, TBreakCounts &counts,
                    bool &altered) {
  TByteLineConverter converter(utf8);
  qsizetype b = 0;
  for (;;) {
    const TByteLine line = ScanByteLine(p, b, n);
    // A run that goes on in the next one ends right after a break: nothing is left for a line here.
    if (line.End >= n && !last) {
      Q_ASSERT(b == n);
      break;
    }
    QString text = converter.Convert(p, line, b);
    if (line.HasControl || text.size() > KMaxLineLength) altered |= AppendLineChunked(list, std::move(text));
    else list.append(std::move(text));
    if (line.End >= n) break;
    qsizetype next = line.End + 1;
    if (p[line.End] == '\n') ++counts.Lf;
    else if (next < n && p[next] == '\n') {
      ++counts.CrLf;
      ++next;
    } else {
      ++counts.Cr;
    }
    b = next;
  }
  altered |= converter.HadError();
}

template <bool BigEndian>
inline char16_t UnitAt(const uchar *p, qsizetype k) {
  return BigEndian ? qFromBigEndian<quint16>(p + 2 * k) : qFromLittleEndian<quint16>(p + 2 * k);
}

template <bool BigEndian>
void DecodeWordRoad(const uchar *p, qsizetype n, bool last, QStringList &list, TBreakCounts &counts, bool &altered) {
  qsizetype b = 0;
  for (;;) {
    qsizetype i = b;
    bool control = false;
    for (; i < n; ++i) {
      const char16_t c = UnitAt<BigEndian>(p, i);
      if (c < 0x20 || c == 0x7F) {
        if (c == u'\r' || c == u'\n') break;
        if (c != u'\t') control = true;
      }
    }
    if (i >= n && !last) {
      Q_ASSERT(b == n);
      break;
    }
    QString text(i - b, Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    if (BigEndian) {
      for (qsizetype k = b; k < i; ++k) *out++ = UnitAt<true>(p, k);
    } else {
      memcpy(out, p + 2 * b, size_t(i - b) * 2);
      if (QSysInfo::ByteOrder == QSysInfo::BigEndian)
        for (qsizetype k = 0; k < i - b; ++k) out[k] = qFromLittleEndian(out[k]);
    }
    if (control || text.size() > KMaxLineLength) altered |= AppendLineChunked(list, std::move(text));
    else list.append(std::move(text));
    if (i >= n) break;
    qsizetype next = i + 1;
    if (UnitAt<BigEndian>(p, i) == u'\n') ++counts.Lf;
    else if (next < n && UnitAt<BigEndian>(p, next) == u'\n') {
      ++counts.CrLf;
      ++next;
    } else {
      ++counts.Cr;
    }
    b = next;
  }
}

template <bool BigEndian>
qsizetype WordRunCut(const uchar *p, qsizetype units, qsizetype fromUnit) {
  for (qsizetype k = units - 1; k >= fromUnit; --k) {
    const char16_t c = UnitAt<BigEndian>(p, k);
    if (c == u'\n' || (c == u'\r' && k + 1 < units)) return 2 * (k + 1);
  }
  return 0;
}

}  // namespace

TLineRoad LineRoadOf(const TEncoding *encoding) {
  if (!encoding) return TLineRoad::Utf8;
  if (encoding->IsUtf16()) return encoding == TEncoding::Utf16BE() ? TLineRoad::Utf16BE : TLineRoad::Utf16LE;
  return SameEncoding(encoding, TEncoding::Ansi()) ? TLineRoad::Ansi : TLineRoad::Utf8;
}

void DecodeLineRun(QByteArrayView run, TLineRoad road, bool last, QStringList &list, TBreakCounts &counts,
                   bool &altered) {
  const auto *p = reinterpret_cast<const uchar *>(run.data());
  switch (road) {
    case TLineRoad::Ansi:
    case TLineRoad::Utf8:
      DecodeByteRoad(p, run.size(), road == TLineRoad::Utf8, last, list, counts, altered);
      break;
    case TLineRoad::Utf16LE:
    case TLineRoad::Utf16BE:
      // Only the last run can end in half a unit; that byte is dropped.
      Q_ASSERT(last || run.size() % 2 == 0);
      altered |= run.size() % 2 != 0;
      if (road == TLineRoad::Utf16BE) DecodeWordRoad<true>(p, run.size() / 2, last, list, counts, altered);
      else DecodeWordRoad<false>(p, run.size() / 2, last, list, counts, altered);
      break;
  }
}

qsizetype LineRunCut(QByteArrayView data, qsizetype from, TLineRoad road) {
  const auto *p = reinterpret_cast<const uchar *>(data.data());
  from = qMax<qsizetype>(from, 0);
  if (UnitSizeOf(road) == 2) {
    const qsizetype units = data.size() / 2;
    return road == TLineRoad::Utf16BE ? WordRunCut<true>(p, units, from / 2) : WordRunCut<false>(p, units, from / 2);
  }
  const qsizetype n = data.size();
  for (qsizetype i = n - 1; i >= from; --i) {
    const uchar c = p[i];
    if (c == '\n' || (c == '\r' && i + 1 < n)) return i + 1;
  }
  return 0;
}

TMELineEnding DecodeBytesToLines(QByteArrayView bytes, qsizetype byteOffset, const TEncoding *encoding,
                                 QStringList &list, bool *altered) {
  bool changed = false;
  TBreakCounts counts;
  byteOffset = qMax<qsizetype>(byteOffset, 0);
  if (byteOffset < bytes.size()) {
    const qsizetype length = bytes.size() - byteOffset;
    if (list.capacity() < length / 40) list.reserve(qMax<qsizetype>(length / 40, 64));
    DecodeLineRun(bytes.sliced(byteOffset), LineRoadOf(encoding), true, list, counts, changed);
  }
  if (altered) *altered = changed;
  return counts.Vote();
}

bool DecodeWholeText(QByteArrayView bytes, TWholeText &out, QString *error, const TEncoding *encoding) {
  int bomLength = 0;
  if (encoding) {
    const QByteArray mark = encoding->Preamble();
    if (!mark.isEmpty() && bytes.startsWith(mark)) bomLength = int(mark.size());
  } else {
    const TDetectedEncoding detected = DetectTextEncoding(bytes);
    encoding = detected.Encoding;
    bomLength = detected.BomLength;
  }
  QString text;
  if (!encoding->Decode(bytes.sliced(bomLength), text, error)) return false;
  out.Encoding = encoding;
  out.HasBOM = bomLength > 0;
  out.EOL = EolString(DetectEol(text));
  out.Text = std::move(text);
  return true;
}

bool TMELineList::LoadFromFile(const QString &fileName, QString *error, const TEncoding *encoding, bool *altered) {
  QByteArray bytes;
  if (ReadFileBytes(fileName, bytes, error) != TReadResult::Done) return false;
  int offset = 0;
  if (encoding) {
    const QByteArray mark = encoding->Preamble();
    FHasBOM = !mark.isEmpty() && bytes.startsWith(mark);
    if (FHasBOM) offset = int(mark.size());
  } else {
    const TDetectedEncoding detected = DetectTextEncoding(bytes);
    encoding = detected.Encoding;
    offset = detected.BomLength;
    FHasBOM = offset > 0;
  }
  // Decoded apart first, so running out of memory midway leaves the old lines in place.
  QStringList lines;
  const TMELineEnding ending = DecodeBytesToLines(bytes, offset, encoding, lines, altered);
  FLines = std::move(lines);
  FLineBreak = ending;
  FEncoding = encoding;
  Changed();
  return true;
}
