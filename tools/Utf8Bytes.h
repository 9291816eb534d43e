#pragma once
// Text to UTF-8 bytes and back, as the encoders, decoders and hashes need them. A lone surrogate
// has no UTF-8 form and is written as U+FFFD.
#include "TextResult.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

QByteArray ToUtf8(QStringView text);
qsizetype Utf8Length(QStringView text);
// The UTF-8 bytes of text in pieces of about a mebibyte (never splitting a surrogate pair), so a
// huge text is never held twice.
void ForEachUtf8Piece(QStringView text, const std::function<void(QByteArrayView piece)> &consume);

// Strict: bytes that are not UTF-8 give the failure every decoder reports. A leading U+FEFF is
// kept as a character.
TTextResult FromUtf8(QByteArrayView bytes);
