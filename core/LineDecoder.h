#pragma once
// The two roads from a file's bytes to text: the line decoder, which never fails and converts one
// line at a time straight into a list, and the whole-text decoder with its strict conversion.
#include "LineStore.h"

#include <QByteArrayView>

#include <vector>

class TEncoding;

// Appends the decoded lines of bytes[byteOffset...] to list and returns the voted line break.
// altered (optional) is set when the lines differ from what the bytes hold: a control character
// shown as U+00B7, invalid UTF-8 replaced by U+FFFD, a long line cut, an odd UTF-16 byte dropped.
TMELineEnding DecodeBytesToLines(QByteArrayView bytes, qsizetype byteOffset, const TEncoding *encoding,
                                 QStringList &list, bool *altered = nullptr);

// The same decoder in runs, for data that arrives in pieces or is split between threads.
enum class TLineRoad : quint8 { Ansi, Utf8, Utf16LE, Utf16BE };
TLineRoad LineRoadOf(const TEncoding *encoding);  // no encoding: UTF-8
constexpr int UnitSizeOf(TLineRoad road) { return road == TLineRoad::Utf16LE || road == TLineRoad::Utf16BE ? 2 : 1; }

// Decodes a run of lines into list and adds its breaks to counts. A run that is not the last must end
// right after a line break (see LineRunCut) and gives no line after it; the last run always gives
// its final line, empty or not. Decoding the runs one after another gives what DecodeBytesToLines
// gives for their concatenation.
void DecodeLineRun(QByteArrayView run, TLineRoad road, bool last, QStringList &list, TBreakCounts &counts,
                   bool &altered);

// The lines of a run found ahead of their conversion, so that one thread can find them while
// another converts the run before. Offsets are in code units from the run's start.
struct TLineSpan {
  qsizetype Begin;
  qsizetype End;
  bool High;     // 8-bit roads: a byte from 0x80 up, for the code page or the UTF-8 conversion
  bool Control;  // a control character other than TAB, or DEL, to be sanitized
};
struct TLineIndex {
  std::vector<TLineSpan> Spans;
  TBreakCounts Counts;
  bool OddByte = false;  // half a UTF-16 unit at the end, which is dropped
};
// IndexLineRun then DecodeIndexedRun does what DecodeLineRun does.
void IndexLineRun(QByteArrayView run, TLineRoad road, bool last, TLineIndex &index);
void DecodeIndexedRun(QByteArrayView run, TLineRoad road, const TLineIndex &index, QStringList &list,
                      TBreakCounts &counts, bool &altered);

// Where data may end a run that is not the last: just after its last line break found at or after
// byte from, never between a CR and a LF, so a CR in the last whole unit does not count (the next
// byte is unknown). 0 when there is no such place. For UTF-16 roads data starts at a unit boundary.
qsizetype LineRunCut(QByteArrayView data, qsizetype from, TLineRoad road);

struct TWholeText {
  const TEncoding *Encoding = nullptr;
  bool HasBOM = false;
  QString Text;
  QString EOL;  // the document's break string, from DetectEol
};

// Detects the encoding and converts everything after the mark strictly (or with the given
// encoding, skipping its mark when the bytes start with it). False with the conversion error.
bool DecodeWholeText(QByteArrayView bytes, TWholeText &out, QString *error, const TEncoding *encoding = nullptr);
