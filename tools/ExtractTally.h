#pragma once
// The values an extraction has accepted: each distinct value once, in the order it first appeared,
// with how often it was seen. Memory grows with the distinct values, not with the matches. Tallies
// of consecutive line ranges, joined in order, equal the tally of one pass over all the lines.
#include <QStringList>

#include <unordered_map>
#include <vector>

class TExtractTally {
 public:
  TExtractTally() = default;
  TExtractTally(TExtractTally &&) = default;
  TExtractTally &operator=(TExtractTally &&) = default;

  // One accepted match; exact, case-sensitive comparison.
  void Add(QStringView value);
  // Adds the tally of the lines that follow this tally's lines.
  void Append(TExtractTally &&later);
  // A line whose search gave up (a pattern that backtracks without end), so the results are
  // incomplete and the window should say so.
  void NoteLineGivenUp() { ++FLinesGivenUp; }

  qint64 MatchCount() const { return FMatchCount; }
  qsizetype UniqueCount() const { return qsizetype(FValues.size()); }
  qint64 LinesGivenUp() const { return FLinesGivenUp; }
  const std::vector<QString> &Values() const { return FValues; }
  const std::vector<qint64> &Counts() const { return FCounts; }

 private:
  struct THash {
    size_t operator()(QStringView value) const noexcept { return qHash(value); }
  };
  void AddCount(QStringView value, qint64 count, QString *owned);

  std::vector<QString> FValues;
  std::vector<qint64> FCounts;
  // Keys view the strings in FValues: a QString keeps its characters in place when moved.
  std::unordered_map<QStringView, size_t, THash> FIndex;
  qint64 FMatchCount = 0;
  qint64 FLinesGivenUp = 0;
};

// The result window's lines: the distinct values, or in count mode "count  value" lines sorted by
// count descending, then by the value as an IPv4 address ascending, counts padded to one width.
QStringList ExtractOutputLines(const TExtractTally &tally, bool countMode);
// Every line followed by CR LF, as the window shows and saves them.
QString ExtractResultText(const QStringList &lines);
// "%d match(es), %d unique", or "No matches found."; a note follows when lines were given up.
QString ExtractSummary(const TExtractTally &tally, qsizetype outputLines);
