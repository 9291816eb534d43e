#pragma once
// The extraction scan: every match of a kind's pattern in every line, the value taken from the
// match, filtered, and tallied. One TExtractScanner per thread; the compiled pattern is shared.
#include "ExtractKinds.h"
#include "ExtractTally.h"
#include "RegexMatcher.h"
#include "ScanControl.h"

#include <optional>

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
  // The value of the matcher's last match, or empty when it is dropped.
  QStringView ValueOf(QStringView line);
  void ScanLine(QStringView line, TExtractTally &tally);

  TExtractSpec FSpec;
  std::optional<TRegexMatcher> FMatcher;
  // Holds a value that is not part of the line (a normalised phone number).
  QString FBuffer;
};

// One pass over all lines in the calling thread, for small texts and tests.
TExtractTally ExtractValues(TScanLines lines, const TExtractSpec &spec, const std::atomic_bool &cancel);
