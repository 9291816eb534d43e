#pragma once
// Find All: every occurrence of a text in a set of documents, up to a limit, and the texts of the
// results tree. Pure logic: the panel that shows the tree lives apart.
#include "app/DocId.h"
#include "editor/RegexSearch.h"

#include <QList>
#include <QStringList>

#include <functional>

// A place to go back to: made by Find All and by the log-signal scan.
struct TSearchHit {
  TDocId Doc = KNoDoc;  // may have been closed since
  int Line = 0;               // 1-based
  int Col = 0;                // 1-based first code unit
  int Len = 0;
};

struct TFindAllQuery {
  QString Text;
  bool MatchCase = false;
  bool WholeWord = false;  // ignored for regular expressions
  bool Regex = false;
};

// The matches of one line. Normal mode folds A to Z only and never overlaps; a regular expression
// is compiled once for the whole search, and one that does not compile finds nothing.
class TFindAllMatcher {
 public:
  explicit TFindAllMatcher(const TFindAllQuery &query);

  // Appends (Col, Len) of every match in line, left to right.
  void Matches(QStringView line, QList<std::pair<int, int>> &out);

 private:
  TFindAllQuery FQuery;
  std::u16string FNeedle;  // folded unless case matters
  TMEEditRegexSearch FRegex;
};

// One document to search: its lines are a snapshot, so closing or editing the document while the
// search lets the window run cannot pull the text from under it.
struct TFindAllDoc {
  TDocId Doc = KNoDoc;
  QString Name;  // file name, or display name when there is none
  QStringList Lines;
};

struct TFindAllDocResult {
  TDocId Doc = KNoDoc;
  qsizetype Index = 0;  // in the searched list
  QString Name;
  QList<TSearchHit> Hits;
};

struct TFindAllResult {
  QList<TFindAllDocResult> Docs;  // only documents with hits, in search order
  int HitCount = 0;
  int Searched = 0;
  bool Stopped = false;  // the hit limit was reached
  int Limit = 0;
};

constexpr int KFindAllHitLimit = 20000;

// Milliseconds from any fixed point; tests give a clock of their own.
using TMsClock = std::function<qint64()>;
TMsClock SteadyMsClock();

// Searches docs in order. pump (may be null) lets the window run now and then: every 1000 hits
// and, looking at clock every 1024 lines, whenever 50 ms passed without a pump, so a search with
// few hits never freezes the window.
TFindAllResult RunFindAll(const TFindAllQuery &query, const QList<TFindAllDoc> &docs,
                          const std::function<void()> &pump, const TMsClock &clock = SteadyMsClock(),
                          int hitLimit = KFindAllHitLimit);

// Texts of the tree's nodes.
QString FindAllRootText(const TFindAllQuery &query, const TFindAllResult &result);
QString FindAllDocText(const TFindAllDocResult &doc);
QString FindAllHitText(int line, QStringView lineText);
