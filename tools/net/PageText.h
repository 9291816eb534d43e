#pragma once
// The text of a fetched page. Its character set is taken, in this order, from a byte-order mark,
// the charset of the response's Content-Type, a meta tag in the page's first 1,024 bytes
// (<meta charset> or the http-equiv form), else UTF-8. Decoding is lenient: a bad sequence gives
// U+FFFD, and a label no decoder knows decodes as UTF-8, so a page never turns into no text.
#include <QByteArrayView>
#include <QString>

QString DecodePageBody(QByteArrayView body, QByteArrayView contentType);
