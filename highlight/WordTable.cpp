#include "WordTable.h"

#include "core/CaseFold.h"

#include <QVarLengthArray>

namespace {

// FNV-1a over code units: words are short, so a simple hash wins over a strong one.
quint32 HashOf(QStringView word) {
  quint32 hash = 2166136261u;
  for (QChar c : word) hash = (hash ^ c.unicode()) * 16777619u;
  return hash;
}

}  // namespace

TWordTable::TWordTable(const TUniLanguage &lang) : FFold(!lang.CaseSensitive) {
  size_t size = 8;
  while (size < 2 * size_t(lang.Keywords.size() + lang.Types.size())) size *= 2;
  FSlots.resize(size);
  for (const QString &word : lang.Keywords) Add(word, wcKeyword);
  for (const QString &word : lang.Types) Add(word, wcValue);
}

void TWordTable::Add(const QString &word, TWordCategory category) {
  QString stored = word;
  if (FFold)
    for (QChar &c : stored) c = QChar(FoldCase(c.unicode()));
  if (stored.isEmpty()) return;
  const quint32 hash = HashOf(stored);
  const size_t mask = FSlots.size() - 1;
  size_t i = hash & mask;
  for (; !FSlots[i].Word.isEmpty(); i = (i + 1) & mask)
    if (FSlots[i].Hash == hash && FSlots[i].Word == stored) return;  // the first list wins
  FSlots[i] = {stored, hash, category};
  FMaxLength = qMax(FMaxLength, stored.size());
}

const TWordTable::TSlot *TWordTable::Probe(QStringView word, quint32 hash) const {
  const size_t mask = FSlots.size() - 1;
  for (size_t i = hash & mask; !FSlots[i].Word.isEmpty(); i = (i + 1) & mask)
    if (FSlots[i].Hash == hash && QStringView(FSlots[i].Word) == word) return &FSlots[i];
  return nullptr;
}

TWordCategory TWordTable::Find(QStringView word) const {
  if (word.isEmpty() || word.size() > FMaxLength) return wcNone;
  const TSlot *slot;
  if (FFold) {
    QVarLengthArray<char16_t, 64> folded(word.size());
    for (qsizetype i = 0; i < word.size(); ++i) folded[i] = FoldCase(word[i].unicode());
    const QStringView view(folded.constData(), folded.size());
    slot = Probe(view, HashOf(view));
  } else {
    slot = Probe(word, HashOf(word));
  }
  return slot ? slot->Category : wcNone;
}
