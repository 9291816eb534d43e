#include "ExtractTally.h"

#include "ExtractFilters.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

namespace {
constexpr size_t KFirstSlotCount = 64;

// Asks for memory that is about to be read, so several waits for it overlap.
inline void Prefetch(const void *address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}
}

size_t TExtractTally::SlotOf(QStringView value, quint32 hash) const {
  const size_t mask = FSlots.size() - 1;
  size_t slot = hash & mask;
  while (FSlots[slot].Index >= 0 && (FSlots[slot].Hash != hash || FSlots[slot].Value != value))
    slot = (slot + 1) & mask;
  return slot;
}

void TExtractTally::Grow() {
  std::vector<TSlot> old = std::exchange(FSlots, std::vector<TSlot>(std::max(KFirstSlotCount, FSlots.size() * 2)));
  const size_t mask = FSlots.size() - 1;
  for (const TSlot &entry : old) {
    if (entry.Index < 0) continue;
    size_t slot = entry.Hash & mask;
    while (FSlots[slot].Index >= 0) slot = (slot + 1) & mask;
    FSlots[slot] = entry;
  }
}

quint32 TExtractTally::HashOf(QStringView value) { return quint32(qHash(value, QHashSeed::globalSeed())); }

void TExtractTally::AddCount(QStringView value, qint64 count, QString *owned) {
  AddHashed(value, HashOf(value), count, owned);
}

void TExtractTally::AddHashed(QStringView value, quint32 hash, qint64 count, QString *owned) {
  FMatchCount += count;
  // At most half full, so probes stay short.
  if (2 * (FValues.size() + 1) > FSlots.size()) Grow();
  TSlot &slot = FSlots[SlotOf(value, hash)];
  if (slot.Index >= 0) {
    FCounts[size_t(slot.Index)] += count;
    return;
  }
  FValues.push_back(owned ? std::move(*owned) : value.toString());
  FCounts.push_back(count);
  slot = TSlot{hash, qint32(FValues.size() - 1), FValues.back()};
}

void TExtractTally::Add(QStringView value) { AddCount(value, 1, nullptr); }

void TExtractTally::AddAll(std::span<const QStringView> values) {
  constexpr size_t KGroup = 32;
  std::array<quint32, KGroup> hashes;
  for (size_t first = 0; first < values.size(); first += KGroup) {
    const std::span<const QStringView> group = values.subspan(first, std::min(KGroup, values.size() - first));
    // Grown first, so the slots fetched are the ones the additions probe.
    while (2 * (FValues.size() + group.size()) > FSlots.size()) Grow();
    const size_t mask = FSlots.size() - 1;
    for (size_t i = 0; i < group.size(); ++i) {
      hashes[i] = HashOf(group[i]);
      Prefetch(&FSlots[hashes[i] & mask]);
    }
    // A value seen before is compared with the one kept: fetch those too.
    for (size_t i = 0; i < group.size(); ++i) {
      const TSlot &slot = FSlots[hashes[i] & mask];
      if (slot.Index >= 0 && slot.Hash == hashes[i]) Prefetch(slot.Value.data());
    }
    for (size_t i = 0; i < group.size(); ++i) AddHashed(group[i], hashes[i], 1, nullptr);
  }
}

void TExtractTally::Append(TExtractTally &&later) {
  for (size_t i = 0; i < later.FValues.size(); ++i)
    AddCount(later.FValues[i], later.FCounts[i], &later.FValues[i]);
  FLinesGivenUp += later.FLinesGivenUp;
  later = TExtractTally();
}

QStringList ExtractOutputLines(const TExtractTally &tally, bool countMode) {
  const std::vector<QString> &values = tally.Values();
  if (!countMode) return QStringList(values.begin(), values.end());
  const std::vector<qint64> &counts = tally.Counts();
  std::vector<size_t> order(values.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::vector<quint32> addresses(values.size());
  for (size_t i = 0; i < values.size(); ++i) addresses[i] = DottedQuadValue(values[i]);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (counts[a] != counts[b]) return counts[a] > counts[b];
    return addresses[a] < addresses[b];
  });
  const qint64 largest = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
  const qsizetype width = QString::number(largest).size();
  QStringList lines;
  lines.reserve(qsizetype(order.size()));
  for (const size_t i : order)
    lines.append(QString::number(counts[i]).leftJustified(width) + QStringLiteral("  ") + values[i]);
  return lines;
}

QString ExtractResultText(const QStringList &lines) {
  QString text;
  qsizetype size = 0;
  for (const QString &line : lines) size += line.size() + 2;
  text.reserve(size);
  for (const QString &line : lines) {
    text.append(line);
    text.append(u"\r\n");
  }
  return text;
}

QString ExtractSummary(const TExtractTally &tally, qsizetype outputLines) {
  QString summary = outputLines > 0 ? QStringLiteral("%1 match(es), %2 unique").arg(tally.MatchCount()).arg(outputLines)
                                    : QStringLiteral("No matches found.");
  if (tally.LinesGivenUp() > 0)
    summary += QStringLiteral(" (%1 line(s) too complex to search)").arg(tally.LinesGivenUp());
  return summary;
}
