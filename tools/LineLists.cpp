#include "LineLists.h"

#include "LineDriver.h"
#include "RandomGenerator.h"

#include <QHashFunctions>

#include <algorithm>
#include <bit>
#include <vector>

void RemoveDuplicateLines(QStringList &lines) {
  // An open-addressing set of the kept lines' places in the list, at most half full, each slot
  // with its line's hash so a probe rarely reads a line. Kept lines move forward in place, and a
  // slot names the place a line moved to, which no later step overwrites.
  struct TSlot {
    quint32 Hash = 0;
    qint32 Index = -1;  // -1: free
  };
  const size_t mask = std::bit_ceil(size_t(std::max<qsizetype>(2 * lines.size(), 16))) - 1;
  std::vector<TSlot> slots(mask + 1);
  const QStringList &read = lines;
  qsizetype kept = 0;
  for (qsizetype i = 0; i < read.size(); ++i) {
    const QString &line = read[i];
    const quint32 hash = quint32(qHash(QStringView(line), QHashSeed::globalSeed()));
    size_t slot = hash & mask;
    while (slots[slot].Index >= 0 && (slots[slot].Hash != hash || read[slots[slot].Index] != line))
      slot = (slot + 1) & mask;
    if (slots[slot].Index >= 0) continue;
    slots[slot] = TSlot{hash, qint32(kept)};
    if (kept != i) lines[kept] = std::move(lines[i]);
    ++kept;
  }
  lines.resize(kept);
}

void ShuffleLines(QStringList &lines, TRandomGenerator &random) {
  for (qsizetype n = lines.size() - 1; n >= 1; --n) {
    const qsizetype j = qsizetype(random.Random(quint32(n + 1)));
    lines.swapItemsAt(n, j);
  }
}

void ReverseLines(QStringList &lines) { std::reverse(lines.begin(), lines.end()); }
