#pragma once
// The two roads from a file's bytes to text: the line decoder, which never fails and converts one
// line at a time straight into a list, and the whole-text decoder with its strict conversion.
#include "LineStore.h"

#include <QByteArrayView>

class TEncoding;

// Appends the decoded lines of bytes[byteOffset...] to list and returns the voted line break.
// altered (optional) is set when the lines differ from what the bytes hold: a control character
// shown as U+00B7, invalid UTF-8 replaced by U+FFFD, a long line cut, an odd UTF-16 byte dropped.
TMELineEnding DecodeBytesToLines(QByteArrayView bytes, qsizetype byteOffset, const TEncoding *encoding,
                                 QStringList &list, bool *altered = nullptr);

struct TWholeText {
  const TEncoding *Encoding = nullptr;
  bool HasBOM = false;
  QString Text;
  QString EOL;  // the document's break string, from DetectEol
};

// Detects the encoding and converts everything after the mark strictly (or with the given
// encoding, skipping its mark when the bytes start with it). False with the conversion error.
bool DecodeWholeText(QByteArrayView bytes, TWholeText &out, QString *error, const TEncoding *encoding = nullptr);
