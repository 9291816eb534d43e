#pragma once
// Decoding a file into lines while it is still being read. The bytes arrive in pieces and are
// gathered into runs that end at a line break; a helper thread decodes each run as soon as it is
// complete, in data order, while the next pieces are read. The outcome is the same as
// DecodeBytesToLines over the whole data after DetectTextEncoding. Reading into a few reused run
// buffers instead of one buffer of the file's size also spares the first touch of that much memory.
#include "LineDecoder.h"

#include <memory>

class TEncoding;

class TLineStreamDecoder {
 public:
  static constexpr qsizetype KDefaultRunSize = 1048576;

  // expectedSize reserves the line list as DecodeBytesToLines would for data of that size; it need
  // not be exact. A run is cut off once it holds runSize bytes and a place to cut (see LineRunCut).
  // Without helper (or a second processor), runs are decoded on the calling thread.
  explicit TLineStreamDecoder(qint64 expectedSize, qsizetype runSize = KDefaultRunSize, bool helper = true);
  // Stops the helper (after the run it is decoding); the lines decoded so far are freed.
  ~TLineStreamDecoder();
  TLineStreamDecoder(const TLineStreamDecoder &) = delete;
  TLineStreamDecoder &operator=(const TLineStreamDecoder &) = delete;

  // Room for the next count bytes; Commit tells how many of them were filled. Commit may wait for
  // the helper to catch up, or decode a run itself. Both throw what decoding throws (std::bad_alloc).
  char *PieceBuffer(qsizetype count);
  void Commit(qsizetype count);
  void Append(QByteArrayView bytes);

  // After the last piece: decodes what is left and waits for the helper; rethrows what a helper's
  // decoding threw. Afterwards the results below are valid.
  void Finish();

  const TEncoding *Encoding() const;
  int BomLength() const;
  TMELineEnding LineEnding() const;
  // Whether decoding changed anything the data held, as DecodeBytesToLines reports it.
  bool Altered() const;
  std::unique_ptr<QStringList> TakeLines();

 private:
  struct TPrivate;
  std::unique_ptr<TPrivate> d;
};
