#pragma once
// TMELineStates: the highlighter state at the end of each line, brought up to date lazily. An edit
// marks only the lines it replaced as stale and moves the stored states of the lines after it, so
// re-tokenizing starts at the edited line and stops as soon as a line ends in the state it had
// before: from there on the stored states still follow from one another.
#include "highlight/TokenModel.h"

#include <QString>

#include <utility>
#include <vector>

class TMECustomHighlighter;
class TMELineList;

class TMELineStates {
 public:
  // Nothing is known any more (new text, another highlighter).
  void Reset();
  // The 0-based lines [first, first + oldCount) became newCount lines.
  void LinesReplaced(int first, int oldCount, int newCount);
  // Forgets the states from the 0-based line first on.
  void InvalidateFrom(int first);
  // Makes the end states of the first count lines valid, tokenizing what is stale. Without a
  // highlighter every state is 0. Answers the number of lines tokenized.
  int Update(int count, const TMELineList &lines, TMECustomHighlighter *highlighter);
  // The state a 0-based line starts in; only valid for index <= ValidTo().
  TLineState StartState(int index) const { return index <= 0 ? 0 : EndState(index - 1); }
  TLineState EndState(int index) const {
    return index >= 0 && index < int(FEnd.size()) ? FEnd[size_t(index)] : 0;
  }
  // Number of leading lines whose end state is known to be right.
  int ValidTo() const { return FValidTo; }
  // Number of leading lines that hold a stored state, right or awaiting a check.
  int StoredCount() const { return int(FEnd.size()); }
  // Bytes held for the states.
  size_t MemoryBytes() const { return FEnd.capacity() * sizeof(TLineState) + FStale.capacity() * sizeof(TRange); }
  // "valid=V stored=S stale=[a,b) ..." for tests.
  QString DebugDump() const;

 private:
  using TRange = std::pair<int, int>;  // [first, last + 1), 0-based

  void MarkStale(int first, int end);
  // The first line at or after index that must be tokenized whatever its stored state.
  int NextStale(int index) const;

  // FEnd[i] is the end state of line i as last computed. Lines below FValidTo are right; the other
  // stored lines are right as soon as the line before them is, except the stale ones, whose text
  // changed since their state was stored.
  std::vector<TLineState> FEnd;
  std::vector<TRange> FStale;  // sorted, disjoint, within [FValidTo, FEnd.size())
  int FValidTo = 0;
  TMETokenList FScratch;
};
