#include "LineLists.h"

#include "LineDriver.h"
#include "RandomGenerator.h"

#include <QSet>

#include <algorithm>

void RemoveDuplicateLines(QStringList &lines) {
  QSet<QString> seen;
  seen.reserve(lines.size());
  ApplyLineMap(lines, [&](QString &line) {
    const qsizetype before = seen.size();
    seen.insert(line);
    return seen.size() != before;
  });
}

void ShuffleLines(QStringList &lines, TRandomGenerator &random) {
  for (qsizetype n = lines.size() - 1; n >= 1; --n) {
    const qsizetype j = qsizetype(random.Random(quint32(n + 1)));
    lines.swapItemsAt(n, j);
  }
}

void ReverseLines(QStringList &lines) { std::reverse(lines.begin(), lines.end()); }
