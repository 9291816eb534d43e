#include "FileHash.h"

#include "platform/FileOps.h"

#include <openssl/err.h>
#include <openssl/evp.h>

#include <memory>
#include <semaphore>
#include <thread>
#include <vector>

namespace {

THashReadFault GReadFault;

QString CryptoError() {
  char message[256] = {};
  ERR_error_string_n(ERR_get_error(), message, sizeof message);
  return QString::fromUtf8(message);
}

class TDigest {
 public:
  explicit TDigest(const EVP_MD *kind)
      : FContext(EVP_MD_CTX_new(), EVP_MD_CTX_free),
        FOk(FContext && EVP_DigestInit_ex(FContext.get(), kind, nullptr) == 1) {}

  bool Ok() const { return FOk; }
  void Feed(const char *data, qint64 size) {
    FOk = FOk && EVP_DigestUpdate(FContext.get(), data, size_t(size)) == 1;
  }
  // Empty when the library failed.
  QString Hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!FOk || EVP_DigestFinal_ex(FContext.get(), digest, &length) != 1) return {};
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(digest), int(length)).toHex());
  }

 private:
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> FContext;
  bool FOk;
};

// Feeds two digests with each piece on a thread of its own.
class THelperFeed {
 public:
  THelperFeed(TDigest &first, TDigest &second) : FFirst(first), FSecond(second), FThread([this] { Run(); }) {}
  ~THelperFeed() {
    FQuit = true;
    FStart.release();
    FThread.join();
  }
  void Begin(const char *data, qint64 size) {
    FData = data;
    FSize = size;
    FStart.release();
  }
  void Wait() { FDone.acquire(); }

 private:
  void Run() {
    for (;;) {
      FStart.acquire();
      if (FQuit) return;
      FFirst.Feed(FData, FSize);
      FSecond.Feed(FData, FSize);
      FDone.release();
    }
  }

  TDigest &FFirst;
  TDigest &FSecond;
  const char *FData = nullptr;
  qint64 FSize = 0;
  bool FQuit = false;
  std::binary_semaphore FStart{0};
  std::binary_semaphore FDone{0};
  std::thread FThread;
};

class TFileHandle {
 public:
  explicit TFileHandle(int handle) : FHandle(handle) {}
  ~TFileHandle() { CloseFile(FHandle); }
  int Get() const { return FHandle; }

 private:
  int FHandle;
};

THashResult Failed(const QString &message) {
  THashResult result;
  result.Error = message;
  return result;
}

// Reads up to count bytes at offset: the count read, 0 at the end, -1 with error set.
qint64 ReadPiece(const TFileHandle &file, qint64 offset, char *into, qint64 count, int &error) {
  if (GReadFault) {
    error = GReadFault(offset);
    if (error != 0) return -1;
  }
  return ReadFromFile(file.Get(), into, count, error);
}

}  // namespace

void SetHashReadFault(THashReadFault fault) { GReadFault = std::move(fault); }

std::optional<THashResult> HashFile(const QString &path, const THashControl &control) {
  int handle = -1;
  qint64 size = 0;
  if (const int failure = OpenRegularFile(path, handle, size))
    return Failed(failure == KNotRegularFile ? QStringLiteral("This is not a regular file.") : SystemErrorText(failure));
  const TFileHandle file(handle);
  TDigest md5(EVP_md5()), sha1(EVP_sha1()), sha256(EVP_sha256()), sha512(EVP_sha512());
  if (!md5.Ok() || !sha1.Ok() || !sha256.Ok() || !sha512.Ok()) return Failed(CryptoError());

  // The two slowest digests go to different threads: MD5 and SHA-256 here, SHA-1 and SHA-512 there.
  THelperFeed helper(sha1, sha512);
  std::vector<char> buffers[2];
  int error = 0;
  qint64 done = 0;
  int reported = -1;
  int current = 0;
  const auto readNext = [&](int into) {
    const qint64 want = qMin(KHashPieceSize, size - done);
    if (want <= 0) return qint64(0);
    buffers[into].resize(size_t(want));
    return ReadPiece(file, done, buffers[into].data(), want, error);
  };
  qint64 piece = readNext(current);
  while (piece > 0) {
    if (control.Cancel && control.Cancel->load()) return std::nullopt;
    const char *data = buffers[current].data();
    helper.Begin(data, piece);
    md5.Feed(data, piece);
    sha256.Feed(data, piece);
    done += piece;
    const qint64 next = readNext(1 - current);
    helper.Wait();
    const int percent = int(done * 100 / size);
    if (percent != reported) {
      reported = percent;
      if (control.OnProgress) control.OnProgress(percent);
    }
    piece = next;
    current = 1 - current;
  }
  if (control.Cancel && control.Cancel->load()) return std::nullopt;
  if (piece < 0) return Failed(SystemErrorText(error));
  if (done < size) return Failed(QStringLiteral("The file became shorter while it was read."));
  THashResult result;
  result.MD5 = md5.Hex();
  result.SHA1 = sha1.Hex();
  result.SHA256 = sha256.Hex();
  result.SHA512 = sha512.Hex();
  if (result.MD5.isEmpty() || result.SHA1.isEmpty() || result.SHA256.isEmpty() || result.SHA512.isEmpty())
    return Failed(CryptoError());
  result.OK = true;
  return result;
}
