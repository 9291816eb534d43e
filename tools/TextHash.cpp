#include "TextHash.h"

#include "Utf8Bytes.h"

#include <openssl/err.h>
#include <openssl/evp.h>

#include <memory>

namespace {
const EVP_MD *DigestOf(TTextHashKind kind) {
  switch (kind) {
    case TTextHashKind::Md5: return EVP_md5();
    case TTextHashKind::Sha1: return EVP_sha1();
    case TTextHashKind::Sha256: return EVP_sha256();
  }
  return nullptr;
}

QString LastCryptoError() {
  char message[256] = {};
  ERR_error_string_n(ERR_get_error(), message, sizeof message);
  return QString::fromUtf8(message);
}
}  // namespace

TTextResult HashText(QStringView text, TTextHashKind kind) {
  const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!context || EVP_DigestInit_ex(context.get(), DigestOf(kind), nullptr) != 1)
    return TTextResult::Failure(LastCryptoError());
  bool updated = true;
  ForEachUtf8Piece(text, [&](QByteArrayView piece) {
    updated = updated && EVP_DigestUpdate(context.get(), piece.data(), size_t(piece.size())) == 1;
  });
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!updated || EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
    return TTextResult::Failure(LastCryptoError());
  return TTextResult::Success(
      QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(digest), int(length)).toHex()));
}
