#pragma once
// The values an extraction has accepted: each distinct value once, in the order it first appeared,
// with how often it was seen. Memory grows with the distinct values, not with the matches. Tallies
// of consecutive line ranges, joined in order, equal the tally of one pass over all the lines.
#include <QStringList>

#include <span>
#include <vector>

class TExtractTally {
 public:
  TExtractTally() = default;
  TExtractTally(TExtractTally &&) = default;
  TExtractTally &operator=(TExtractTally &&) = default;

  // One accepted match; exact, case-sensitive comparison.
  void Add(QStringView value);
  // The same for several matches, in order. Their places in the index are fetched from memory
  // together rather than one wait at a time, which counts many distinct values much faster.
  void AddAll(std::span<const QStringView> values);
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
  // An open-addressing index over FValues that keeps each value's hash, so a probe rarely has to
  // look at a string: a scan looks up every match, and most are values seen before.
  struct TSlot {
    quint32 Hash = 0;
    qint32 Index = -1;  // into FValues; -1 for a free slot
    // The value's characters, which stay in place while FValues grows, so a probe that finds the
    // value reads no QString.
    QStringView Value;
  };
  static quint32 HashOf(QStringView value);
  void AddCount(QStringView value, qint64 count, QString *owned);
  void AddHashed(QStringView value, quint32 hash, qint64 count, QString *owned);
  size_t SlotOf(QStringView value, quint32 hash) const;
  void Grow();

  std::vector<QString> FValues;
  std::vector<qint64> FCounts;
  std::vector<TSlot> FSlots;
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
