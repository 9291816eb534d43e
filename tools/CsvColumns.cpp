#include "CsvColumns.h"

#include "TextRules.h"

#include <algorithm>

void TColumnSet::Add(qint32 first, qint32 last) {
  // Ranges that overlap or touch the new one are merged into it; qint64 keeps Last + 1 in range.
  auto begin = std::lower_bound(FRanges.begin(), FRanges.end(), first,
                                [](const TRange &range, qint32 column) { return qint64(range.Last) + 1 < column; });
  auto end = begin;
  while (end != FRanges.end() && end->First <= qint64(last) + 1) {
    first = std::min(first, end->First);
    last = std::max(last, end->Last);
    ++end;
  }
  begin = FRanges.erase(begin, end);
  FRanges.insert(begin, TRange{first, last});
}

bool TColumnSet::Contains(qint32 column) const {
  const auto after = std::upper_bound(FRanges.begin(), FRanges.end(), column,
                                      [](qint32 value, const TRange &range) { return value < range.First; });
  return after != FRanges.begin() && std::prev(after)->Last >= column;
}

namespace {
std::optional<qint32> ReadColumnNumber(QStringView text) {
  const std::optional<qint32> value = ReadInt32(Trimmed(text));
  if (!value || *value <= 0) return std::nullopt;
  return value;
}
}  // namespace

TResult<TColumnSet> ParseColumnSpec(QStringView spec) {
  TColumnSet columns;
  for (const QStringView rawItem : spec.tokenize(u',')) {
    const QStringView item = Trimmed(rawItem);
    if (item.isEmpty()) continue;
    const qsizetype dash = item.indexOf(u'-');
    if (dash < 0) {
      const std::optional<qint32> column = ReadColumnNumber(item);
      if (!column) return TResult<TColumnSet>::Failure(QStringLiteral("Invalid column: ") + item.toString());
      columns.Add(*column - 1, *column - 1);
      continue;
    }
    const std::optional<qint32> first = ReadColumnNumber(item.first(dash));
    const std::optional<qint32> last = ReadColumnNumber(item.sliced(dash + 1));
    if (!first || !last || *last < *first)
      return TResult<TColumnSet>::Failure(QStringLiteral("Invalid column range: ") + item.toString());
    columns.Add(*first - 1, *last - 1);
  }
  if (columns.IsEmpty()) return TResult<TColumnSet>::Failure(QStringLiteral("No columns specified"));
  return TResult<TColumnSet>::Success(std::move(columns));
}
