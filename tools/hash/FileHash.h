#pragma once
// The MD5, SHA-1, SHA-256 and SHA-512 digests of one file, read once: every piece goes to all four
// digests, two of them fed on a helper thread while this one feeds the other two and reads on.
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

struct THashResult {
  bool OK = false;
  QString MD5, SHA1, SHA256, SHA512;  // lower-case hexadecimal
  QString Error;                      // why there are no digests, when not OK
};

struct THashControl {
  // Set from another thread to stop; the hash then ends with no result at all.
  const std::atomic<bool> *Cancel = nullptr;
  // Called on the hashing thread after a piece, whenever the whole percentage changes; an empty
  // file reports nothing.
  std::function<void(int percent)> OnProgress;
};

// Reads at most this many bytes at a time, into one of two buffers.
constexpr qint64 KHashPieceSize = 1048576;

// Hashes the bytes the file holds when it is opened: bytes added meanwhile are not read, so the
// percentage never passes 100 and a growing log still ends. Only a regular file is read; anything
// else, an open or read error, or a file that becomes shorter meanwhile fails with its message.
// Nothing when cancelled.
std::optional<THashResult> HashFile(const QString &path, const THashControl &control = {});

// Tests make the read at a chosen offset fail as the system would, with the error number the fault
// answers (0: the read runs as usual); null: none.
using THashReadFault = std::function<int(qint64 offset)>;
void SetHashReadFault(THashReadFault fault);
