#pragma once
// The extraction scan: every match of a kind's pattern in every line, the value taken from the
// match, filtered, and tallied. One TExtractScanner per thread; the compiled pattern is shared.
#include "ExtractKinds.h"
#include "ExtractTally.h"
#include "RegexMatcher.h"
#include "ScanControl.h"

#include <optional>
#include <vector>

class TExtractScanner {
 public:
  // pattern is spec's Pattern compiled by TRegexPattern::Compile; null (it did not compile)
  // finds nothing.
  TExtractScanner(const TExtractSpec &spec, std::shared_ptr<const TRegexPattern> pattern,
                  size_t jitStackLimit = TRegexMatcher::KJitStackLimit);

  // Tallies the values of lines, left to right, each search starting where the previous match
  // ended. Reads cancel before every line; false when it stopped there.
  bool Scan(TScanLines lines, TExtractTally &tally, const std::atomic_bool &cancel,
            const TProgressFunc &progress = {});

 private:
  // Adds the value of the matcher's last match to the pending ones, unless it is dropped.
  void TakeValue(QStringView line);
  void ScanLine(QStringView line, TExtractTally &tally);
  // Hands the pending values to the tally, in the order they were found.
  void FlushValues(TExtractTally &tally);

  TExtractSpec FSpec;
  std::optional<TRegexMatcher> FMatcher;
  // Holds a value that is not part of the line (a normalised phone number).
  QString FBuffer;
  // Values found and not yet tallied, so the tally takes them several at a time: views into the
  // lines, or (when normalised) the ends of the values laid one after another in FNormalized.
  std::vector<QStringView> FPending;
  QString FNormalized;
  std::vector<qsizetype> FNormalizedEnds;
};

// One pass over all lines in the calling thread, for small texts and tests.
TExtractTally ExtractValues(TScanLines lines, const TExtractSpec &spec, const std::atomic_bool &cancel);
