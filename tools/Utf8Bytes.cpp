#include "Utf8Bytes.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr qsizetype KPieceUnits = 1 << 20;
}

QByteArray ToUtf8(QStringView text) {
  QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  return encoder.encode(text);
}

qsizetype Utf8Length(QStringView text) {
  qsizetype length = 0;
  const char16_t *units = text.utf16();
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = units[i];
    if (c < 0x80) {
      ++length;
    } else if (c < 0x800) {
      length += 2;
    } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(units[i + 1])) {
      length += 4;
      ++i;
    } else {
      length += 3;
    }
  }
  return length;
}

void ForEachUtf8Piece(QStringView text, const std::function<void(QByteArrayView piece)> &consume) {
  QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  for (qsizetype start = 0; start < text.size();) {
    qsizetype end = qMin(start + KPieceUnits, text.size());
    if (end < text.size() && QChar::isHighSurrogate(text[end - 1].unicode())) --end;
    const QByteArray piece = encoder.encode(text.sliced(start, end - start));
    consume(piece);
    start = end;
  }
}

TTextResult FromUtf8(QByteArrayView bytes) {
  QStringDecoder decoder(QStringConverter::Utf8,
                         QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
  QString text = decoder.decode(bytes);
  if (decoder.hasError())
    return TTextResult::Failure(
        QStringLiteral("No mapping for the Unicode character exists in the target multi-byte code page"));
  return TTextResult::Success(std::move(text));
}
