#pragma once
// Digests of a text's UTF-8 bytes as lower-case hexadecimal.
#include "TextResult.h"

enum class TTextHashKind : quint8 { Md5, Sha1, Sha256 };

// Fails only when the crypto library refuses the digest (MD5 in a FIPS-only setup, say).
TTextResult HashText(QStringView text, TTextHashKind kind);
