#include "TextSplit.h"

QStringList SplitAtLineBreaks(QStringView text) {
  QStringList pieces;
  const qsizetype n = text.size();
  const QChar *p = text.data();
  qsizetype start = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = p[i].unicode();
    if (c != u'\r' && c != u'\n') continue;
    pieces.append(text.sliced(start, i - start).toString());
    if (c == u'\r' && i + 1 < n && p[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  pieces.append(text.sliced(start).toString());
  return pieces;
}
