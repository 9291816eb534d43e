#pragma once
// The Locate Signals scan: a line is a hit of a category when, its ASCII letters lower-cased, it
// contains one of the category's keywords. One scanner serves any number of threads at once.
#include "KeywordAutomaton.h"
#include "ScanControl.h"
#include "SignalCategories.h"

struct TSignalHit {
  int Category = 0;
  qsizetype LineIndex = 0;  // zero-based, in the whole document
  // The category's keyword occurrence that starts first in the line (the longest of those that
  // start there), in code units.
  qsizetype Column = 0;
  qsizetype Length = 0;
  friend bool operator==(const TSignalHit &, const TSignalHit &) = default;
};

class TSignalScanner {
 public:
  // One category, or KAllSignalCategories.
  explicit TSignalScanner(int category);

  // Appends the hits of lines, whose first is document line firstLineIndex: in line order, and
  // within a line by category, at most one per category. Reads cancel before every line and
  // returns false when it stopped there, the hits so far kept.
  bool Scan(TScanLines lines, qsizetype firstLineIndex, std::vector<TSignalHit> &hits, const std::atomic_bool &cancel,
            const TProgressFunc &progress = {}) const;

 private:
  TKeywordAutomaton FAutomaton;
};
