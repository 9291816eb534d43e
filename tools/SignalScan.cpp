#include "SignalScan.h"

namespace {
std::vector<TKeywordAutomaton::TKeyword> KeywordsOf(int category) {
  std::vector<TKeywordAutomaton::TKeyword> keywords;
  for (int index = 0; index < KSignalCategoryCount; ++index)
    if (category == KAllSignalCategories || category == index)
      for (const QString &keyword : SignalCategory(index).Keywords) keywords.push_back({keyword, index});
  return keywords;
}

struct TFirstOccurrence {
  qsizetype Column = -1;
  qsizetype Length = 0;
};
}  // namespace

TSignalScanner::TSignalScanner(int category) : FAutomaton(KeywordsOf(category)) {}

bool TSignalScanner::Scan(TScanLines lines, qsizetype firstLineIndex, std::vector<TSignalHit> &hits,
                          const std::atomic_bool &cancel, const TProgressFunc &progress) const {
  TPercentTicker ticker(qsizetype(lines.size()), progress);
  std::array<TFirstOccurrence, KSignalCategoryCount> first;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (cancel.load(std::memory_order_relaxed)) return false;
    bool found = false;
    FAutomaton.ForEachMatch(lines[i], [&](qsizetype column, qsizetype length, int category) {
      TFirstOccurrence &occurrence = first[size_t(category)];
      if (occurrence.Column < 0 || column < occurrence.Column ||
          (column == occurrence.Column && length > occurrence.Length))
        occurrence = {column, length};
      found = true;
    });
    if (found)
      for (int category = 0; category < KSignalCategoryCount; ++category) {
        TFirstOccurrence &occurrence = first[size_t(category)];
        if (occurrence.Column < 0) continue;
        hits.push_back({category, firstLineIndex + qsizetype(i), occurrence.Column, occurrence.Length});
        occurrence = {};
      }
    ticker.LineDone(qsizetype(i));
  }
  return true;
}
