#pragma once
// The signer of a Windows executable's Authenticode signature, read from its certificate table
// with OpenSSL. The signature is checked as far as the file itself allows: the signed message
// against the signer's certificate, and the image's digest against the one it signs. Whether the
// certificate is trusted (its chain, revocation) is not checked.
#include <QByteArrayView>
#include <QString>

#include <optional>

struct TPeSigner {
  QString Name;           // the certificate's display name: its common name, else its organisation...
  bool Verified = false;  // the message's signature holds and it signs this very image
};

// nullopt when the file has no readable signature or its signer has no name.
std::optional<TPeSigner> ReadPeSigner(QByteArrayView image);
