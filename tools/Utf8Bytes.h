#pragma once
// Text to UTF-8 bytes and back, as the encoders, decoders and hashes need them. A lone surrogate
// has no UTF-8 form and is written as U+FFFD.
#include "TextResult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>

#include <functional>
#include <memory>

QByteArray ToUtf8(QStringView text);
qsizetype Utf8Length(QStringView text);
// The UTF-8 bytes of text in pieces of a few tens of kilobytes (never splitting a surrogate pair),
// made in one buffer that stays in the cache, so a huge text is never held twice.
void ForEachUtf8Piece(QStringView text, const std::function<void(QByteArrayView piece)> &consume);

// Strict: bytes that are not UTF-8 give the failure every decoder reports. A leading U+FEFF is
// kept as a character.
TTextResult FromUtf8(QByteArrayView bytes);

// FromUtf8 of bytes that a decoder writes a few at a time into this builder's buffer: each full
// buffer is decoded straight into the text, so the bytes are never held whole. A character is
// never cut between two decodings, which keeps the result and its strictness those of FromUtf8.
class TUtf8TextBuilder {
 public:
  // Bytes a writer may put past Limit() before it must call Flush.
  static constexpr qsizetype KSlack = 16;

  // maxUnits: at least the length of the text the bytes make (their count always is).
  explicit TUtf8TextBuilder(qsizetype maxUnits);

  unsigned char *Begin() { return FBuffer.get(); }
  const unsigned char *Limit() const { return FBuffer.get() + KBufferSize - KSlack; }
  // Decodes the bytes written up to out, holding back a character they may end inside of, and
  // answers where to write on.
  unsigned char *Flush(unsigned char *out);
  // Decodes the rest; the text, or FromUtf8's failure when the bytes were not UTF-8.
  TTextResult Finish(unsigned char *out);

 private:
  static constexpr qsizetype KBufferSize = 64 * 1024;
  void Decode(QByteArrayView bytes);

  std::unique_ptr<unsigned char[]> FBuffer;
  QStringDecoder FDecoder;
  QString FText;
  QChar *FOut;
  bool FInvalid = false;
};
