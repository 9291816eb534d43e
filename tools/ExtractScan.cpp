#include "ExtractScan.h"

#include "ExtractFilters.h"

TExtractScanner::TExtractScanner(const TExtractSpec &spec, std::shared_ptr<const TRegexPattern> pattern,
                                 size_t jitStackLimit)
    : FSpec(spec) {
  if (pattern) FMatcher.emplace(std::move(pattern), jitStackLimit);
}

QStringView TExtractScanner::ValueOf(QStringView line) {
  const TRegexMatcher &match = *FMatcher;
  const QStringView whole = line.sliced(match.MatchBegin(), match.MatchEnd() - match.MatchBegin());
  QStringView value = whole;
  if (FSpec.Group != 0) {
    value = match.Group(line, FSpec.Group);
    if (value.isEmpty()) {
      if (FSpec.AltGroup < 0 || FSpec.AltGroup >= match.GroupCount()) value = whole;
      else value = match.Group(line, FSpec.AltGroup);
    }
  }
  if (FSpec.PublicIPOnly && !IsPublicIPv4(value)) return QStringView();
  if (FSpec.PhoneFilter) {
    NormalizePhoneInto(value, FBuffer);
    if (!IsAcceptedPhone(FBuffer)) return QStringView();
    value = FBuffer;
  }
  return value;
}

void TExtractScanner::ScanLine(QStringView line, TExtractTally &tally) {
  for (qsizetype start = 0; FMatcher->Find(line, start); start = FMatcher->MatchEnd()) {
    const QStringView value = ValueOf(line);
    if (!value.isEmpty()) tally.Add(value);
  }
  if (FMatcher->GaveUp()) tally.NoteLineGivenUp();
}

bool TExtractScanner::Scan(TScanLines lines, TExtractTally &tally, const std::atomic_bool &cancel,
                           const TProgressFunc &progress) {
  TPercentTicker ticker(qsizetype(lines.size()), progress);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (cancel.load(std::memory_order_relaxed)) return false;
    if (FMatcher) ScanLine(lines[i], tally);
    ticker.LineDone(qsizetype(i));
  }
  return true;
}

TExtractTally ExtractValues(TScanLines lines, const TExtractSpec &spec, const std::atomic_bool &cancel) {
  TExtractScanner scanner(spec, TRegexPattern::Compile(spec.Pattern));
  TExtractTally tally;
  scanner.Scan(lines, tally, cancel);
  return tally;
}
