#pragma once
// Small Windows executables made by the test: headers for PE32 or PE32+, one ".rsrc" section with
// a version resource, and optionally an Authenticode signature made with OpenSSL over the image.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/pkcs7.h>
#include <openssl/x509.h>

struct TPeFixture {
  bool Is64 = false;
  bool WithVersion = true;
  QList<quint32> Translations{0x04B00409};  // language 0409, code page 04B0
  QString TableKey = QStringLiteral("040904B0");
  QList<std::pair<QString, QString>> Strings;

  QByteArray Build() const;
};

namespace PeFixtureDetail {

inline void PutU16(QByteArray &bytes, qsizetype at, quint16 value) { qToLittleEndian(value, bytes.data() + at); }
inline void PutU32(QByteArray &bytes, qsizetype at, quint32 value) { qToLittleEndian(value, bytes.data() + at); }
inline void PadFour(QByteArray &bytes) {
  while (bytes.size() % 4) bytes.append('\0');
}
inline QByteArray Utf16z(const QString &text) {
  QByteArray bytes;
  for (const QChar c : text) {
    bytes.append(char(c.unicode() & 0xFF));
    bytes.append(char(c.unicode() >> 8));
  }
  return bytes.append(2, '\0');
}

// wLength, wValueLength, wType, key, padding, value, padding, children.
inline QByteArray Block(const QString &key, const QByteArray &value, quint16 valueLength, quint16 type,
                        const QList<QByteArray> &children) {
  QByteArray block(6, '\0');
  block += Utf16z(key);
  PadFour(block);
  block += value;
  PadFour(block);
  for (const QByteArray &child : children) {
    block += child;
    PadFour(block);
  }
  PutU16(block, 0, quint16(block.size()));
  PutU16(block, 2, valueLength);
  PutU16(block, 4, type);
  return block;
}

}  // namespace PeFixtureDetail

inline QByteArray TPeFixture::Build() const {
  using namespace PeFixtureDetail;
  QList<QByteArray> strings;
  for (const auto &[name, value] : Strings)
    strings << Block(name, Utf16z(value), quint16(value.size() + 1), 1, {});
  QByteArray translation;
  for (const quint32 entry : Translations) {
    translation.append(4, '\0');
    PutU32(translation, translation.size() - 4, entry);
  }
  QByteArray fixed(52, '\0');
  PutU32(fixed, 0, 0xFEEF04BD);
  const QByteArray version =
      Block("VS_VERSION_INFO", fixed, 52, 0,
            {Block("StringFileInfo", {}, 0, 1, {Block(TableKey, {}, 0, 1, strings)}),
             Block("VarFileInfo", {}, 0, 1, {Block("Translation", translation, quint16(translation.size()), 0, {})})});

  constexpr quint32 KSectionRva = 0x1000;
  constexpr quint32 KRawOffset = 0x200;
  // The resource tree: type 16 (or 3, an icon, when the file has no version), name 1, language 0409.
  QByteArray tree(0x58, '\0');
  PutU16(tree, 0x0E, 1);
  PutU32(tree, 0x10, WithVersion ? 16 : 3);
  PutU32(tree, 0x14, 0x80000018);
  PutU16(tree, 0x18 + 0x0E, 1);
  PutU32(tree, 0x28, 1);
  PutU32(tree, 0x2C, 0x80000030);
  PutU16(tree, 0x30 + 0x0E, 1);
  PutU32(tree, 0x40, 0x409);
  PutU32(tree, 0x44, 0x48);
  PutU32(tree, 0x48, KSectionRva + 0x58);
  PutU32(tree, 0x4C, quint32(version.size()));
  QByteArray section = tree + version;
  const quint32 virtualSize = quint32(section.size());
  section.append((0x200 - section.size() % 0x200) % 0x200, '\0');

  QByteArray image(KRawOffset, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  PutU32(image, 0x3C, 0x40);
  image.replace(0x40, 4, QByteArray("PE\0\0", 4));
  const qsizetype coff = 0x44;
  const quint16 optionalSize = Is64 ? 240 : 224;
  PutU16(image, coff, Is64 ? 0x8664 : 0x14C);
  PutU16(image, coff + 2, 1);
  PutU16(image, coff + 16, optionalSize);
  PutU16(image, coff + 18, 0x0102);
  const qsizetype optional = coff + 20;
  PutU16(image, optional, Is64 ? 0x20B : 0x10B);
  PutU32(image, optional + 32, 0x1000);  // section alignment
  PutU32(image, optional + 36, 0x200);   // file alignment
  PutU32(image, optional + 60, KRawOffset);
  PutU32(image, optional + 64, 0x12345678);  // checksum, left out of the signed digest
  const qsizetype directories = optional + (Is64 ? 112 : 96);
  PutU32(image, directories - 4, 16);
  PutU32(image, directories + 2 * 8, KSectionRva);
  PutU32(image, directories + 2 * 8 + 4, virtualSize);
  const qsizetype sectionHeader = optional + optionalSize;
  image.replace(sectionHeader, 8, QByteArray(".rsrc\0\0\0", 8));
  PutU32(image, sectionHeader + 8, virtualSize);
  PutU32(image, sectionHeader + 12, KSectionRva);
  PutU32(image, sectionHeader + 16, quint32(section.size()));
  PutU32(image, sectionHeader + 20, KRawOffset);
  return image + section;
}

// Where the PE32 or PE32+ header keeps the checksum and the certificate table's entry.
inline qsizetype PeChecksumOffset() { return 0x44 + 20 + 64; }
inline qsizetype PeCertificateEntryOffset(bool is64) { return 0x44 + 20 + (is64 ? 112 : 96) + 4 * 8; }

// Appends an Authenticode signature by key and certificate: a PKCS #7 message signing an
// SpcIndirectDataContent that holds the SHA-256 digest of image (checksum and certificate entry
// left out). tamper: a byte of the image, or the last byte of the message (inside its signature
// value), changes after signing.
enum class TPeTamper { Nothing, Image, Signature };
inline QByteArray SignPeFixture(QByteArray image, bool is64, EVP_PKEY *key, X509 *certificate,
                                TPeTamper tamper = TPeTamper::Nothing) {
  using namespace PeFixtureDetail;
  image.append((8 - image.size() % 8) % 8, '\0');
  const qsizetype checksum = PeChecksumOffset();
  const qsizetype entry = PeCertificateEntryOffset(is64);
  QByteArray hashed = image.first(checksum) + image.sliced(checksum + 4, entry - checksum - 4) + image.sliced(entry + 8);
  unsigned char digest[32];
  unsigned int digestLength = 0;
  EVP_Digest(hashed.constData(), size_t(hashed.size()), digest, &digestLength, EVP_sha256(), nullptr);
  const auto tlv = [](unsigned char tag, const QByteArray &body) {
    return QByteArray(1, char(tag)) + QByteArray(1, char(body.size())) + body;  // bodies stay under 128 bytes
  };
  const QByteArray peImageDataOid("\x2B\x06\x01\x04\x01\x82\x37\x02\x01\x0F", 10);
  const QByteArray sha256Oid("\x60\x86\x48\x01\x65\x03\x04\x02\x01", 9);
  const QByteArray description = tlv(0x30, tlv(0x06, peImageDataOid) + tlv(0x30, {}));
  const QByteArray digestInfo =
      tlv(0x30, tlv(0x30, tlv(0x06, sha256Oid) + QByteArray("\x05\x00", 2)) +
                    tlv(0x04, QByteArray(reinterpret_cast<const char *>(digest), int(digestLength))));
  const QByteArray content = description + digestInfo;
  const QByteArray indirect = tlv(0x30, content);

  PKCS7 *p7 = PKCS7_new();
  PKCS7_set_type(p7, NID_pkcs7_signed);
  PKCS7_SIGNER_INFO *signer = PKCS7_add_signature(p7, certificate, key, EVP_sha256());
  PKCS7_add_signed_attribute(signer, NID_pkcs9_contentType, V_ASN1_OBJECT, OBJ_txt2obj("1.3.6.1.4.1.311.2.1.4", 1));
  PKCS7_add_certificate(p7, certificate);
  PKCS7_content_new(p7, NID_pkcs7_data);
  BIO *bio = PKCS7_dataInit(p7, nullptr);
  BIO_write(bio, content.constData(), int(content.size()));
  PKCS7_dataFinal(p7, bio);
  BIO_free_all(bio);
  PKCS7 *inner = PKCS7_new();
  inner->type = OBJ_txt2obj("1.3.6.1.4.1.311.2.1.4", 1);
  inner->d.other = ASN1_TYPE_new();
  ASN1_STRING *sequence = ASN1_STRING_new();
  ASN1_STRING_set(sequence, indirect.constData(), int(indirect.size()));
  ASN1_TYPE_set(inner->d.other, V_ASN1_SEQUENCE, sequence);
  PKCS7_set_content(p7, inner);
  unsigned char *der = nullptr;
  const int derLength = i2d_PKCS7(p7, &der);
  QByteArray table(8, '\0');
  table += QByteArray(reinterpret_cast<const char *>(der), derLength);
  if (tamper == TPeTamper::Signature) table[table.size() - 1] = char(table[table.size() - 1] ^ 0x01);
  OPENSSL_free(der);
  PKCS7_free(p7);
  table.append((8 - table.size() % 8) % 8, '\0');
  PutU32(table, 0, quint32(table.size()));
  PutU16(table, 4, 0x0200);
  PutU16(table, 6, 0x0002);
  PutU32(image, entry, quint32(image.size()));
  PutU32(image, entry + 4, quint32(table.size()));
  if (tamper == TPeTamper::Image) image[0x300] = char(image[0x300] ^ 0x01);
  return image + table;
}
