#pragma once
// The word lookup of one language: keyword or value word. Looks a scanned word up in place, with
// no string built per word; case-insensitive languages fold it into a small stack buffer.
#include "UniLanguage.h"

#include <vector>

enum TWordCategory : quint8 { wcNone = 0, wcKeyword = 1, wcValue = 2 };

class TWordTable {
 public:
  explicit TWordTable(const TUniLanguage &lang);

  TWordCategory Find(QStringView word) const;

 private:
  struct TSlot {
    QString Word;  // empty = free
    quint32 Hash = 0;
    TWordCategory Category = wcNone;
  };

  void Add(const QString &word, TWordCategory category);
  const TSlot *Probe(QStringView word, quint32 hash) const;

  std::vector<TSlot> FSlots;  // open addressing; a power of two, at most half full
  qsizetype FMaxLength = 0;   // a longer word cannot be listed
  bool FFold;
};
