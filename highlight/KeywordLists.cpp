#include "KeywordLists.h"

QStringList Words(TWordList list) {
  QStringList words;
  words.reserve(qsizetype(list.size()));
  for (const char16_t *word : list) words.append(QString::fromUtf16(word));
  return words;
}
