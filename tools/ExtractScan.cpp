#include "ExtractScan.h"

#include "ExtractFilters.h"

#include <QScopeGuard>

TExtractScanner::TExtractScanner(const TExtractSpec &spec, std::shared_ptr<const TRegexPattern> pattern,
                                 size_t jitStackLimit)
    : FSpec(spec) {
  if (pattern) FMatcher.emplace(std::move(pattern), jitStackLimit);
}

namespace {
// Values tallied together; enough for their fetches from memory to overlap.
constexpr size_t KPendingValues = 64;
}  // namespace

void TExtractScanner::TakeValue(QStringView line) {
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
  if (FSpec.PublicIPOnly && !IsPublicIPv4(value)) return;
  if (FSpec.PhoneFilter) {
    NormalizePhoneInto(value, FBuffer);
    if (!IsAcceptedPhone(FBuffer)) return;
    FNormalized += FBuffer;
    FNormalizedEnds.push_back(FNormalized.size());
    return;
  }
  if (!value.isEmpty()) FPending.push_back(value);
}

void TExtractScanner::FlushValues(TExtractTally &tally) {
  qsizetype start = 0;
  for (const qsizetype end : FNormalizedEnds) {
    FPending.push_back(QStringView(FNormalized).sliced(start, end - start));
    start = end;
  }
  tally.AddAll(FPending);
  FPending.clear();
  FNormalized.resize(0);
  FNormalizedEnds.clear();
}

void TExtractScanner::ScanLine(QStringView line, TExtractTally &tally) {
  for (qsizetype start = 0; FMatcher->Find(line, start); start = FMatcher->MatchEnd()) TakeValue(line);
  if (FMatcher->GaveUp()) tally.NoteLineGivenUp();
}

bool TExtractScanner::Scan(TScanLines lines, TExtractTally &tally, const std::atomic_bool &cancel,
                           const TProgressFunc &progress) {
  TPercentTicker ticker(qsizetype(lines.size()), progress);
  // The lines outlive the scan, so the pending values may point into them.
  const auto flush = qScopeGuard([&] { FlushValues(tally); });
  for (size_t i = 0; i < lines.size(); ++i) {
    if (cancel.load(std::memory_order_relaxed)) return false;
    if (FMatcher) ScanLine(lines[i], tally);
    if (FPending.size() + FNormalizedEnds.size() >= KPendingValues) FlushValues(tally);
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
