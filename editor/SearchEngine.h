#pragma once
// The search engines: each lists every match of a pattern inside one line. Matches never span a
// line break. TMEEditSearch finds literal text, TMEEditRegexSearch regular expressions.
#include <QList>
#include <QString>

#include <vector>

enum TMESearchOption : quint8 {
  ssoMatchCase = 1,
  ssoWholeWord = 2,  // literal engine only
  ssoBackwards = 4,
  ssoEntireScope = 8,
  ssoSelectedOnly = 16,
  ssoReplace = 32,
  ssoReplaceAll = 64,
  ssoPrompt = 128,
};
using TMESearchOptions = quint8;

// One match Replace All changes: where it lies in its line and what takes its place.
struct TMEReplacement {
  int Offset;  // 0-based
  int Length;
  QString Text;
};

class TMEEditSearchCustom {
 public:
  virtual ~TMEEditSearchCustom() = default;

  const QString &Pattern() const { return FPattern; }
  virtual void SetPattern(const QString &pattern) { FPattern = pattern; }
  TMESearchOptions Options() const { return FOptions; }
  void SetOptions(TMESearchOptions options) { FOptions = options; }

  // Matches of the last FindAll: 0-based start offsets, ascending, and their lengths.
  int Count() const { return int(FResults.size()); }
  int Results(int index) const { return FResults.at(index); }
  int Lengths(int index) const { return FLengths.at(index); }

  // Clears the results, lists every match in text and answers their number.
  virtual int FindAll(QStringView text) = 0;

  // The text that replaces match index of the last FindAll over text.
  virtual QString Replace(QStringView text, int index, QStringView replacement);

  // The matches Replace All changes in text, left to right, leaving out a match that overlaps
  // the one before it, each with the text that replaces it. Engines whose replacement depends on
  // the match override it.
  virtual void FindReplacements(QStringView text, const QString &replacement, std::vector<TMEReplacement> &out);

 protected:
  void ClearResults() {
    FResults.clear();
    FLengths.clear();
  }
  void AddResult(qsizetype offset, qsizetype length) {
    FResults.append(int(offset));
    FLengths.append(int(length));
  }

  QString FPattern;
  TMESearchOptions FOptions = 0;
  QList<int> FResults;
  QList<int> FLengths;
};
