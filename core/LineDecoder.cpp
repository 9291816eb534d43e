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

// What one scan of a line found besides its end.
struct TByteLine {
  qsizetype End;     // index of the CR or LF that ends the line, or the data's end
  bool HasHigh;      // 8-bit data: a byte >= 0x80 (needs the code page or UTF-8 conversion)
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

// Where finding lines in a run goes on.
struct TLineWalk {
  qsizetype Pos = 0;
  bool Done = false;
};

template <bool BigEndian>
inline char16_t UnitAt(const uchar *p, qsizetype k) {
  return BigEndian ? qFromBigEndian<quint16>(p + 2 * k) : qFromLittleEndian<quint16>(p + 2 * k);
}

// Finds the end of the UTF-16 line starting at unit b, noting a control character on the way.
template <bool BigEndian>
TByteLine ScanWordLine(const uchar *p, qsizetype b, qsizetype n) {
  TByteLine line{n, false, false};
  for (qsizetype i = b; i < n; ++i) {
    const char16_t c = UnitAt<BigEndian>(p, i);
    if (c < 0x20 || c == 0x7F) {
      if (c == u'\r' || c == u'\n') {
        line.End = i;
        return line;
      }
      if (c != u'\t') line.HasControl = true;
    }
  }
  return line;
}

// Finds up to max lines from walk.Pos on and counts their breaks. A run that goes on in the next
// one ends right after a break, so it gives no line after its last break; the last run always
// gives its final line, empty or not.
template <TLineRoad Road>
qsizetype FindLines(const uchar *p, qsizetype n, bool last, TLineWalk &walk, TLineSpan *out, qsizetype max,
                    TBreakCounts &counts) {
  constexpr bool wide = Road == TLineRoad::Utf16LE || Road == TLineRoad::Utf16BE;
  constexpr bool bigEndian = Road == TLineRoad::Utf16BE;
  auto unitAt = [p](qsizetype k) -> char16_t { return wide ? UnitAt<bigEndian>(p, k) : p[k]; };
  qsizetype found = 0;
  qsizetype b = walk.Pos;
  while (found < max && !walk.Done) {
    const TByteLine line = wide ? ScanWordLine<bigEndian>(p, b, n) : ScanByteLine(p, b, n);
    if (line.End >= n && !last) {
      Q_ASSERT(b == n);
      walk.Done = true;
      break;
    }
    out[found++] = TLineSpan{b, line.End, line.HasHigh, line.HasControl};
    if (line.End >= n) {
      walk.Done = true;
      break;
    }
    qsizetype next = line.End + 1;
    if (unitAt(line.End) == u'\n') ++counts.Lf;
    else if (next < n && unitAt(next) == u'\n') {
      ++counts.CrLf;
      ++next;
    } else {
      ++counts.Cr;
    }
    b = next;
  }
  walk.Pos = b;
  return found;
}

qsizetype FindRunLines(const uchar *p, qsizetype n, TLineRoad road, bool last, TLineWalk &walk, TLineSpan *out,
                       qsizetype max, TBreakCounts &counts) {
  switch (road) {
    case TLineRoad::Utf16LE: return FindLines<TLineRoad::Utf16LE>(p, n, last, walk, out, max, counts);
    case TLineRoad::Utf16BE: return FindLines<TLineRoad::Utf16BE>(p, n, last, walk, out, max, counts);
    default: return FindLines<TLineRoad::Utf8>(p, n, last, walk, out, max, counts);
  }
}

// Turns found lines into strings and appends them, cut and sanitized where needed.
class TLineConverter {
 public:
  explicit TLineConverter(TLineRoad road)
      : FRoad(road),
        FDecoder(QStringConverter::Utf8,
                 QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom) {}

  void Append(const uchar *p, const TLineSpan *spans, qsizetype count, QStringList &list, bool &altered) {
    for (qsizetype k = 0; k < count; ++k) {
      const TLineSpan &span = spans[k];
      QString text = Convert(p, span);
      if (span.Control || text.size() > KMaxLineLength) altered |= AppendLineChunked(list, std::move(text));
      else list.append(std::move(text));
    }
  }
  bool HadError() const { return FDecoder.hasError(); }

 private:
  QString Convert(const uchar *p, const TLineSpan &span) {
    const qsizetype len = span.End - span.Begin;
    switch (FRoad) {
      case TLineRoad::Ansi:
      case TLineRoad::Utf8: {
        const auto *bytes = reinterpret_cast<const char *>(p + span.Begin);
        if (!span.High) return QString::fromLatin1(bytes, len);
        if (FRoad == TLineRoad::Utf8) return FDecoder.decode(QByteArrayView(bytes, len));
        QString text(len, Qt::Uninitialized);
        AnsiToUnicode(bytes, len, reinterpret_cast<char16_t *>(text.data()));
        return text;
      }
      case TLineRoad::Utf16LE:
      case TLineRoad::Utf16BE: {
        QString text(len, Qt::Uninitialized);
        auto *out = reinterpret_cast<char16_t *>(text.data());
        const bool swap = (FRoad == TLineRoad::Utf16BE) != (QSysInfo::ByteOrder == QSysInfo::BigEndian);
        memcpy(out, p + 2 * span.Begin, size_t(len) * 2);
        if (swap)
          for (qsizetype k = 0; k < len; ++k) out[k] = qbswap(out[k]);
        return text;
      }
    }
    return QString();
  }

  TLineRoad FRoad;
  QStringDecoder FDecoder;
};

template <bool BigEndian>
qsizetype WordRunCut(const uchar *p, qsizetype units, qsizetype fromUnit) {
  for (qsizetype k = units - 1; k >= fromUnit; --k) {
    const char16_t c = UnitAt<BigEndian>(p, k);
    if (c == u'\n' || (c == u'\r' && k + 1 < units)) return 2 * (k + 1);
  }
  return 0;
}

// Only the last run of UTF-16 data can end in half a unit; that byte is dropped.
bool OddByteDropped(QByteArrayView run, TLineRoad road, bool last) {
  Q_ASSERT(last || run.size() % UnitSizeOf(road) == 0);
  return run.size() % UnitSizeOf(road) != 0;
}

}  // namespace

TLineRoad LineRoadOf(const TEncoding *encoding) {
  if (!encoding) return TLineRoad::Utf8;
  if (encoding->IsUtf16()) return encoding == TEncoding::Utf16BE() ? TLineRoad::Utf16BE : TLineRoad::Utf16LE;
  return SameEncoding(encoding, TEncoding::Ansi()) ? TLineRoad::Ansi : TLineRoad::Utf8;
}

void DecodeLineRun(QByteArrayView run, TLineRoad road, bool last, QStringList &list, TBreakCounts &counts,
                   bool &altered) {
  // Lines are found a batch at a time and converted while their bytes are still in cache.
  constexpr qsizetype KBatch = 256;
  TLineSpan spans[KBatch];
  TLineWalk walk;
  TLineConverter converter(road);
  const auto *p = reinterpret_cast<const uchar *>(run.data());
  const qsizetype n = run.size() / UnitSizeOf(road);
  while (!walk.Done) {
    const qsizetype found = FindRunLines(p, n, road, last, walk, spans, KBatch, counts);
    converter.Append(p, spans, found, list, altered);
  }
  altered |= converter.HadError() || OddByteDropped(run, road, last);
}

void IndexLineRun(QByteArrayView run, TLineRoad road, bool last, TLineIndex &index) {
  index.Spans.clear();
  index.Counts = TBreakCounts();
  index.OddByte = OddByteDropped(run, road, last);
  const auto *p = reinterpret_cast<const uchar *>(run.data());
  const qsizetype n = run.size() / UnitSizeOf(road);
  TLineWalk walk;
  while (!walk.Done) {
    const qsizetype at = index.Spans.size();
    index.Spans.resize(at + 256);
    const qsizetype found = FindRunLines(p, n, road, last, walk, index.Spans.data() + at, 256, index.Counts);
    index.Spans.resize(at + found);
  }
}

void DecodeIndexedRun(QByteArrayView run, TLineRoad road, const TLineIndex &index, QStringList &list,
                      TBreakCounts &counts, bool &altered) {
  TLineConverter converter(road);
  converter.Append(reinterpret_cast<const uchar *>(run.data()), index.Spans.data(), index.Spans.size(), list,
                   altered);
  counts.CrLf += index.Counts.CrLf;
  counts.Lf += index.Counts.Lf;
  counts.Cr += index.Counts.Cr;
  altered |= converter.HadError() || index.OddByte;
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
  return true;
}
