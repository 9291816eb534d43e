#pragma once
// Keys and certificates made by the test itself with OpenSSL: a self-signed certificate for a
// local HTTPS server or for signing a test executable. Nothing is read from the machine's store.
#include <QByteArray>
#include <QString>

#include <openssl/bio.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

struct TTestCertificate {
  std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> Key{nullptr, EVP_PKEY_free};
  std::unique_ptr<X509, decltype(&X509_free)> Certificate{nullptr, X509_free};

  QByteArray CertificatePem() const {
    BIO *bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, Certificate.get());
    return TakeBio(bio);
  }
  QByteArray KeyPem() const {
    BIO *bio = BIO_new(BIO_s_mem());
    PEM_write_bio_PrivateKey(bio, Key.get(), nullptr, nullptr, 0, nullptr, nullptr);
    return TakeBio(bio);
  }

 private:
  static QByteArray TakeBio(BIO *bio) {
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    QByteArray bytes(data, int(size));
    BIO_free(bio);
    return bytes;
  }
};

// A P-256 key and a self-signed certificate for commonName, valid from validFromDays to
// validToDays around now (negative: in the past), naming 127.0.0.1 and "localhost" as its hosts.
inline TTestCertificate MakeTestCertificate(const QString &commonName, int validFromDays = -1, int validToDays = 30) {
  TTestCertificate made;
  made.Key.reset(EVP_EC_gen("P-256"));
  made.Certificate.reset(X509_new());
  X509 *cert = made.Certificate.get();
  X509_set_version(cert, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
  X509_gmtime_adj(X509_getm_notBefore(cert), long(validFromDays) * 86400);
  X509_gmtime_adj(X509_getm_notAfter(cert), long(validToDays) * 86400);
  X509_NAME *name = X509_get_subject_name(cert);
  const QByteArray cn = commonName.toUtf8();
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char *>(cn.constData()), -1,
                             -1, 0);
  X509_set_issuer_name(cert, name);
  X509_set_pubkey(cert, made.Key.get());
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
  if (X509_EXTENSION *san = X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost")) {
    X509_add_ext(cert, san, -1);
    X509_EXTENSION_free(san);
  }
  X509_sign(cert, made.Key.get(), EVP_sha256());
  return made;
}
