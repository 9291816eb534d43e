#include "LineStates.h"

#include "core/LineStore.h"
#include "highlight/CustomHighlighter.h"

#include <algorithm>

void TMELineStates::Reset() {
  FEnd.clear();
  FStale.clear();
  FValidTo = 0;
}

void TMELineStates::InvalidateFrom(int first) {
  first = qMax(0, first);
  FValidTo = qMin(FValidTo, first);
  if (first < int(FEnd.size())) FEnd.resize(size_t(first));
  MarkStale(first, first);
}

void TMELineStates::LinesReplaced(int first, int oldCount, int newCount) {
  const int stored = int(FEnd.size());
  FValidTo = qMin(FValidTo, first);
  if (first >= stored) return;
  const int oldEnd = first + oldCount;
  if (oldEnd > stored) {
    // The edit reaches past what was ever computed: forget everything from it on.
    FEnd.resize(size_t(first));
    MarkStale(first, first);
    return;
  }
  // The line after the edit was tokenized from the old last line's end state; keeping that value
  // as the new last line's stored state lets the re-tokenizing stop right after the edit.
  const TLineState boundary = oldEnd >= 1 ? FEnd[size_t(oldEnd - 1)] : 0;
  const int delta = newCount - oldCount;
  if (delta > 0) FEnd.insert(FEnd.begin() + first, size_t(delta), TLineState(0));
  else if (delta < 0) FEnd.erase(FEnd.begin() + first, FEnd.begin() + first - delta);
  if (newCount >= 1) FEnd[size_t(first + newCount - 1)] = boundary;

  for (TRange &r : FStale) {
    const auto map = [&](int v, int inside) { return v < first ? v : v >= oldEnd ? v + delta : inside; };
    r = {map(r.first, first), r.second <= first ? r.second : map(r.second, first + newCount)};
  }
  // Without new lines the next line lost the state it was tokenized from.
  MarkStale(first, qMin(first + qMax(newCount, 1), int(FEnd.size())));
}

void TMELineStates::MarkStale(int first, int end) {
  if (end > first) FStale.emplace_back(first, end);
  std::sort(FStale.begin(), FStale.end());
  std::vector<TRange> merged;
  const int stored = int(FEnd.size());
  for (TRange r : FStale) {
    r.first = qMax(r.first, FValidTo);
    r.second = qMin(r.second, stored);
    if (r.second <= r.first) continue;
    if (!merged.empty() && r.first <= merged.back().second) merged.back().second = qMax(merged.back().second, r.second);
    else merged.push_back(r);
  }
  FStale.swap(merged);
}

int TMELineStates::NextStale(int index) const {
  for (const TRange &r : FStale)
    if (r.second > index) return qMax(r.first, index);
  return int(FEnd.size());
}

int TMELineStates::Update(int count, const TMELineList &lines, TMECustomHighlighter *highlighter) {
  count = qMin(count, lines.GetCount());
  if (FValidTo >= count) return 0;
  if (!highlighter) {
    // Every state is 0; nothing is stored.
    Reset();
    FValidTo = count;
    return 0;
  }
  // Exactly one state per line: growing by doubling would cost up to twice that.
  if (FEnd.capacity() < size_t(lines.GetCount())) FEnd.reserve(size_t(lines.GetCount()));
  const QStringList &text = lines.Lines();
  int i = FValidTo;
  TLineState state = StartState(i);
  int tokenized = 0;
  while (i < count) {
    TLineState out = 0;
    highlighter->TokenizeLine(text[i], state, FScratch, out);
    ++tokenized;
    if (i < int(FEnd.size())) {
      const bool same = FEnd[size_t(i)] == out;
      FEnd[size_t(i)] = out;
      if (same) {
        // The stored states after this line were computed from this very state.
        i = NextStale(i + 1);
        FValidTo = i;
        state = FEnd[size_t(i - 1)];
        continue;
      }
    } else {
      FEnd.push_back(out);
    }
    state = out;
    FValidTo = ++i;
  }
  // The next line may have been tokenized from a state that just changed; a later edit above must
  // not skip it.
  MarkStale(FValidTo, FValidTo + 1);
  return tokenized;
}

QString TMELineStates::DebugDump() const {
  QString out = QStringLiteral("valid=%1 stored=%2").arg(FValidTo).arg(FEnd.size());
  for (const TRange &r : FStale) out += QStringLiteral(" stale=[%1,%2)").arg(r.first).arg(r.second);
  return out;
}
