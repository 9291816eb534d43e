#include "PeSignature.h"

#include "PeImage.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/pkcs7.h>
#include <openssl/x509.h>

#include <memory>

namespace {

template <auto Free>
struct TOpenSslFree {
  template <typename T>
  void operator()(T *p) const { Free(p); }
};
using TPkcs7 = std::unique_ptr<PKCS7, TOpenSslFree<PKCS7_free>>;
using TBio = std::unique_ptr<BIO, TOpenSslFree<BIO_free>>;
using TStore = std::unique_ptr<X509_STORE, TOpenSslFree<X509_STORE_free>>;
using TDigestContext = std::unique_ptr<EVP_MD_CTX, TOpenSslFree<EVP_MD_CTX_free>>;
using TObject = std::unique_ptr<ASN1_OBJECT, TOpenSslFree<ASN1_OBJECT_free>>;

constexpr qsizetype KCertificateHeader = 8;  // dwLength, wRevision, wCertificateType

// One DER element: its tag, where its contents start and how long they are.
struct TDer {
  unsigned char Tag = 0;
  qsizetype Header = 0;
  qsizetype Length = 0;
  qsizetype Size() const { return Header + Length; }
};

// Definite lengths of up to four bytes only, as Authenticode writes them.
std::optional<TDer> ReadDer(QByteArrayView data) {
  if (data.size() < 2) return std::nullopt;
  TDer der;
  der.Tag = static_cast<unsigned char>(data[0]);
  const auto first = static_cast<unsigned char>(data[1]);
  if (first < 0x80) {
    der.Header = 2;
    der.Length = first;
  } else {
    const int count = first & 0x7F;
    if (count == 0 || count > 4 || data.size() < 2 + count) return std::nullopt;
    for (int i = 0; i < count; ++i) der.Length = (der.Length << 8) | static_cast<unsigned char>(data[2 + i]);
    der.Header = 2 + count;
  }
  if (der.Length > data.size() - der.Header) return std::nullopt;
  return der;
}

constexpr unsigned char KSequence = 0x30;
constexpr unsigned char KOctetString = 0x04;
constexpr unsigned char KObjectId = 0x06;

// The signed content's DER: SpcIndirectDataContent, a sequence of the image's description and a
// DigestInfo (the digest's algorithm and value).
struct TSignedDigest {
  QByteArrayView Content;  // the sequence's contents, which the signature covers
  const EVP_MD *Algorithm = nullptr;
  QByteArrayView Digest;
};

// SPC_INDIRECT_DATA_OBJID: only content of this type is read through the union's "other" member.
bool IsIndirectData(const ASN1_OBJECT *type) {
  const TObject indirectData(OBJ_txt2obj("1.3.6.1.4.1.311.2.1.4", 1));
  return type && indirectData && OBJ_cmp(type, indirectData.get()) == 0;
}

std::optional<TSignedDigest> SignedDigestOf(PKCS7 *p7) {
  if (!PKCS7_type_is_signed(p7) || !p7->d.sign || !p7->d.sign->contents) return std::nullopt;
  if (!IsIndirectData(p7->d.sign->contents->type)) return std::nullopt;
  const ASN1_TYPE *other = p7->d.sign->contents->d.other;
  if (!other || other->type != V_ASN1_SEQUENCE || !other->value.sequence) return std::nullopt;
  const QByteArrayView whole(reinterpret_cast<const char *>(other->value.sequence->data), other->value.sequence->length);
  const std::optional<TDer> outer = ReadDer(whole);
  if (!outer || outer->Tag != KSequence) return std::nullopt;
  TSignedDigest result;
  result.Content = whole.sliced(outer->Header, outer->Length);
  const std::optional<TDer> description = ReadDer(result.Content);
  if (!description || description->Tag != KSequence) return std::nullopt;
  const QByteArrayView afterDescription = result.Content.sliced(description->Size());
  const std::optional<TDer> digestInfo = ReadDer(afterDescription);
  if (!digestInfo || digestInfo->Tag != KSequence) return std::nullopt;
  const QByteArrayView info = afterDescription.sliced(digestInfo->Header, digestInfo->Length);
  const std::optional<TDer> algorithm = ReadDer(info);
  if (!algorithm || algorithm->Tag != KSequence) return std::nullopt;
  const QByteArrayView algorithmBody = info.sliced(algorithm->Header, algorithm->Length);
  const std::optional<TDer> oid = ReadDer(algorithmBody);
  if (!oid || oid->Tag != KObjectId) return std::nullopt;
  const auto *oidBytes = reinterpret_cast<const unsigned char *>(algorithmBody.data());
  const TObject object(d2i_ASN1_OBJECT(nullptr, &oidBytes, long(oid->Size())));
  if (!object) return std::nullopt;
  result.Algorithm = EVP_get_digestbyobj(object.get());
  const QByteArrayView afterAlgorithm = info.sliced(algorithm->Size());
  const std::optional<TDer> digest = ReadDer(afterAlgorithm);
  if (!result.Algorithm || !digest || digest->Tag != KOctetString) return std::nullopt;
  result.Digest = afterAlgorithm.sliced(digest->Header, digest->Length);
  return result;
}

// The Authenticode digest: the whole file but the header's checksum, the certificate table's
// directory entry and the certificate table itself.
QByteArray ImageDigest(const TPeImage &pe, const EVP_MD *algorithm, qsizetype tableStart, qsizetype tableEnd) {
  const QByteArrayView bytes = pe.Bytes();
  const qsizetype checksum = pe.ChecksumOffset();
  const qsizetype entry = pe.DirectoryEntryOffset(TPeImage::KCertificateDirectory);
  if (checksum + 4 > entry || entry + 8 > tableStart) return QByteArray();
  const TDigestContext context(EVP_MD_CTX_new());
  if (!context || EVP_DigestInit_ex(context.get(), algorithm, nullptr) != 1) return QByteArray();
  const auto add = [&](qsizetype from, qsizetype to) {
    return EVP_DigestUpdate(context.get(), bytes.data() + from, size_t(to - from)) == 1;
  };
  QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
  unsigned int length = 0;
  if (!add(0, checksum) || !add(checksum + 4, entry) || !add(entry + 8, tableStart) ||
      !add(tableEnd, bytes.size()) ||
      EVP_DigestFinal_ex(context.get(), reinterpret_cast<unsigned char *>(digest.data()), &length) != 1)
    return QByteArray();
  digest.resize(length);
  return digest;
}

bool SignatureHolds(PKCS7 *p7, QByteArrayView content) {
  const TBio data(BIO_new_mem_buf(content.data(), int(content.size())));
  const TStore store(X509_STORE_new());
  if (!data || !store) return false;
  return PKCS7_verify(p7, nullptr, store.get(), data.get(), nullptr, PKCS7_NOVERIFY | PKCS7_BINARY) == 1;
}

QString EntryText(X509_NAME *name, int nid) {
  const int index = X509_NAME_get_index_by_NID(name, nid, -1);
  if (index < 0) return QString();
  unsigned char *utf8 = nullptr;
  const int length = ASN1_STRING_to_UTF8(&utf8, X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, index)));
  if (length < 0) return QString();
  QString text = QString::fromUtf8(reinterpret_cast<const char *>(utf8), length).trimmed();
  OPENSSL_free(utf8);
  return text;
}

// The certificate's simple display name: its common name, else its organisational unit, else its
// organisation, else its e-mail address.
QString DisplayName(X509 *certificate) {
  X509_NAME *subject = X509_get_subject_name(certificate);
  for (const int nid : {NID_commonName, NID_organizationalUnitName, NID_organizationName, NID_pkcs9_emailAddress})
    if (QString text = EntryText(subject, nid); !text.isEmpty()) return text;
  return QString();
}

std::optional<TPeSigner> ReadSigner(const TPeImage &pe) {
  const QByteArrayView bytes = pe.Bytes();
  const TPeImage::TDirectory table = pe.Directory(TPeImage::KCertificateDirectory);
  if (table.Address == 0 || table.Size < KCertificateHeader || qint64(table.Address) + table.Size > bytes.size())
    return std::nullopt;
  const std::optional<quint32> length = ReadU32(bytes, table.Address);
  if (!length || *length < KCertificateHeader || *length > table.Size) return std::nullopt;
  const auto *der = reinterpret_cast<const unsigned char *>(bytes.data() + table.Address + KCertificateHeader);
  const TPkcs7 p7(d2i_PKCS7(nullptr, &der, long(*length - KCertificateHeader)));
  if (!p7 || !PKCS7_type_is_signed(p7.get())) return std::nullopt;
  STACK_OF(X509) *signers = PKCS7_get0_signers(p7.get(), nullptr, 0);
  if (!signers) return std::nullopt;
  TPeSigner signer;
  if (sk_X509_num(signers) > 0) signer.Name = DisplayName(sk_X509_value(signers, 0));
  sk_X509_free(signers);
  if (signer.Name.isEmpty()) return std::nullopt;
  if (const std::optional<TSignedDigest> signedDigest = SignedDigestOf(p7.get())) {
    const QByteArray digest =
        ImageDigest(pe, signedDigest->Algorithm, table.Address, qsizetype(table.Address) + table.Size);
    signer.Verified = !digest.isEmpty() && digest == signedDigest->Digest && SignatureHolds(p7.get(), signedDigest->Content);
  }
  return signer;
}

}  // namespace

std::optional<TPeSigner> ReadPeSigner(QByteArrayView image) {
  const std::optional<TPeImage> pe = TPeImage::Parse(image);
  std::optional<TPeSigner> signer = pe ? ReadSigner(*pe) : std::nullopt;
  ERR_clear_error();  // the reasons of a failed read stay with this call
  return signer;
}
