#include "CsvDelimiter.h"

#include "CsvFormat.h"
#include "TextRules.h"

const QChar KCsvDelimiterCandidates[4] = {u',', u';', u'\t', u'|'};

namespace {
constexpr int KDetectionLines = 10;
constexpr qint64 KConsistencyBonus = 100000;

struct TCandidateTally {
  qint64 Total = 0;
  qsizetype First = -1;
  bool Consistent = true;

  void Add(qsizetype count) {
    Total += count;
    if (First < 0) First = count;
    else if (count != First) Consistent = false;
  }
  qint64 Score() const { return Total + (Consistent ? KConsistencyBonus : 0); }
};
}  // namespace

std::optional<QChar> DetectCsvDelimiter(QStringView text) {
  TCandidateTally tallies[4];
  int linesSeen = 0;
  ForEachLine(text, [&](QStringView line, QStringView) {
    if (Trimmed(line).isEmpty()) return true;
    for (int i = 0; i < 4; ++i) tallies[i].Add(CountOutsideQuotes(line, KCsvDelimiterCandidates[i]));
    return ++linesSeen < KDetectionLines;
  });
  std::optional<QChar> winner;
  qint64 bestScore = 0;
  for (int i = 0; i < 4; ++i) {
    if (tallies[i].Total == 0 || (winner && tallies[i].Score() <= bestScore)) continue;
    winner = KCsvDelimiterCandidates[i];
    bestScore = tallies[i].Score();
  }
  return winner;
}

QChar ActiveCsvDelimiter(QStringView stored, QStringView text) {
  if (!stored.isEmpty() && CountOutsideQuotes(text, stored.front(), 1) > 0) return stored.front();
  const std::optional<QChar> detected = DetectCsvDelimiter(text);
  if (detected) return *detected;
  return stored.isEmpty() ? QChar(u',') : stored.front();
}

TResult<QChar> ReadCustomCsvDelimiter(QStringView answer) {
  if (answer.size() != 1 || !IsUsableCsvDelimiter(answer.front()))
    return TResult<QChar>::Failure(UnusableCsvDelimiterMessage());
  return TResult<QChar>::Success(answer.front());
}
