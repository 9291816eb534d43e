#include "LcsStep.h"

namespace {
// Records one word's change; a step's changes come in ascending order, so a word already
// recorded by this step is the last entry.
void Note(std::vector<TWordDelta> &changes, size_t stepStart, qint32 word, quint64 cleared, quint64 set) {
  if (changes.size() > stepStart && changes.back().Word == word) {
    changes.back().Cleared |= cleared;
    changes.back().Set |= set;
  } else {
    changes.push_back({word, cleared, set});
  }
}
}  // namespace

TLcsStep::TLcsStep(const std::vector<qint32> &b, qint32 symbols, qsizetype denseFrom)
    : FWords(qMax<qsizetype>(1, (qsizetype(b.size()) + 63) / 64)) {
  if (denseFrom < 0) denseFrom = FWords;
  const qsizetype m = qsizetype(b.size());
  FOccurStart.assign(size_t(symbols) + 1, 0);
  for (const qint32 symbol : b) ++FOccurStart[size_t(symbol) + 1];
  for (size_t s = 1; s < FOccurStart.size(); ++s) FOccurStart[s] += FOccurStart[s - 1];
  FOccur.resize(b.size());
  std::vector<qint32> fill(FOccurStart.begin(), FOccurStart.end() - 1);
  for (qsizetype p = 0; p < m; ++p) FOccur[size_t(fill[size_t(b[size_t(m - 1 - p)])]++)] = qint32(p);

  FDenseIndex.assign(size_t(symbols), -1);
  qint32 dense = 0;
  for (qint32 s = 0; s < symbols; ++s)
    if (FOccurStart[size_t(s) + 1] - FOccurStart[size_t(s)] > denseFrom) FDenseIndex[size_t(s)] = dense++;
  FDenseMasks.assign(size_t(dense) * size_t(FWords), 0);
  for (qint32 s = 0; s < symbols; ++s) {
    if (FDenseIndex[size_t(s)] < 0) continue;
    quint64 *mask = FDenseMasks.data() + size_t(FDenseIndex[size_t(s)]) * size_t(FWords);
    for (qint32 i = FOccurStart[size_t(s)]; i < FOccurStart[size_t(s) + 1]; ++i)
      mask[FOccur[size_t(i)] >> 6] |= quint64(1) << (FOccur[size_t(i)] & 63);
  }
}

qint64 TLcsStep::MemoryBytes() const {
  return qint64((FOccurStart.size() + FOccur.size() + FDenseIndex.size()) * sizeof(qint32) +
                FDenseMasks.size() * sizeof(quint64));
}

void TLcsStep::Apply(TBitRow &row, qint32 symbol, std::vector<TWordDelta> &changes) const {
  if (const qint32 dense = FDenseIndex[size_t(symbol)]; dense >= 0)
    ApplyDense(row, FDenseMasks.data() + size_t(dense) * size_t(FWords), changes);
  else
    ApplySparse(row, symbol, changes);
}

void TLcsStep::ApplySparse(TBitRow &row, qint32 symbol, std::vector<TWordDelta> &changes) const {
  const size_t stepStart = changes.size();
  // Bits up to handled belong to a run already stepped (or are the zero set above it): the row
  // there no longer shows what it was, and no occurrence there counts again.
  qsizetype handled = -1;
  for (qint32 i = FOccurStart[size_t(symbol)]; i < FOccurStart[size_t(symbol) + 1]; ++i) {
    const qsizetype p = FOccur[size_t(i)];
    if (p <= handled || !row.Test(p)) continue;
    const qsizetype top = row.FindZero(p + 1);
    row.Clear(p);
    Note(changes, stepStart, qint32(p >> 6), quint64(1) << (p & 63), 0);
    if (top < 0) break;  // the run reaches the end: the carry leaves the row
    row.Set(top);
    Note(changes, stepStart, qint32(top >> 6), 0, quint64(1) << (top & 63));
    handled = top;
  }
}

void TLcsStep::ApplyDense(TBitRow &row, const quint64 *mask, std::vector<TWordDelta> &changes) const {
  quint64 carry = 0;
  for (qsizetype w = 0; w < FWords; ++w) {
    const quint64 v = row.Word(w);
    const quint64 u = v & mask[w];
    if ((u | carry) == 0) continue;
    const quint64 sum = v + u;
    const quint64 total = sum + carry;
    carry = quint64(sum < v) | quint64(total < sum);
    const quint64 next = total | (v & ~u);
    if (next == v) continue;
    row.SetWord(w, next);
    changes.push_back({qint32(w), v & ~next, next & ~v});
  }
}
