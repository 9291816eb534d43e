#include "RegexSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

namespace {
PCRE2_SPTR16 Units(QStringView text) { return reinterpret_cast<PCRE2_SPTR16>(text.utf16()); }
}  // namespace

TMEEditRegexSearch::TMEEditRegexSearch() {
  FMatchContext = pcre2_match_context_create(nullptr);
  pcre2_set_match_limit(FMatchContext, KMatchLimit);
  pcre2_set_depth_limit(FMatchContext, KMatchLimit / 10);
  FJitStack = pcre2_jit_stack_create(32 * 1024, 4 * 1024 * 1024, nullptr);
  pcre2_jit_stack_assign(FMatchContext, nullptr, FJitStack);
}

TMEEditRegexSearch::~TMEEditRegexSearch() {
  FreeCompiled();
  pcre2_jit_stack_free(FJitStack);
  pcre2_match_context_free(FMatchContext);
}

void TMEEditRegexSearch::FreeCompiled() {
  pcre2_match_data_free(FMatchData);
  pcre2_code_free(FRegex);
  FMatchData = nullptr;
  FRegex = nullptr;
  FCompiled = false;
}

bool TMEEditRegexSearch::Compile() {
  const TMESearchOptions caseOption = FOptions & ssoMatchCase;
  if (FCompiled && FCompiledPattern == FPattern && FCompiledOpts == caseOption) return FRegex != nullptr;
  FreeCompiled();
  FCompiledPattern = FPattern;
  FCompiledOpts = caseOption;
  FCompiled = true;
  FCompileError.clear();
  // Lines may hold lone surrogates; they must not make the whole line unsearchable.
  quint32 flags = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
  if (!caseOption) flags |= PCRE2_CASELESS;
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  FRegex = pcre2_compile(Units(FPattern), PCRE2_SIZE(FPattern.size()), flags, &errorCode, &errorOffset, nullptr);
  if (!FRegex) {
    PCRE2_UCHAR16 message[256];
    pcre2_get_error_message(errorCode, message, 256);
    FCompileError = QString::fromUtf16(reinterpret_cast<const char16_t *>(message)) +
                    QStringLiteral(" (at character %1)").arg(errorOffset + 1);
    return false;
  }
  pcre2_jit_compile(FRegex, PCRE2_JIT_COMPLETE);  // without JIT the interpreter still matches
  FMatchData = pcre2_match_data_create_from_pattern(FRegex, nullptr);
  return true;
}

QString TMEEditRegexSearch::CompileError() {
  if (FPattern.isEmpty()) return QString();
  Compile();
  return FCompileError;
}

bool TMEEditRegexSearch::NextMatch(QStringView text, qsizetype start, quint32 flags, qsizetype &begin, qsizetype &end) {
  if (start > text.size()) return false;
  // Empty matches are never reported, so ask only for non-empty ones.
  const int rc = pcre2_match(FRegex, Units(text), PCRE2_SIZE(text.size()), PCRE2_SIZE(start), flags | PCRE2_NOTEMPTY,
                             FMatchData, FMatchContext);
  if (rc < 0) {
    if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_JIT_STACKLIMIT ||
        rc == PCRE2_ERROR_HEAPLIMIT)
      FHitLimit = true;
    return false;
  }
  const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(FMatchData);
  begin = qsizetype(ovector[0]);
  end = qsizetype(ovector[1]);
  return end > begin;
}

int TMEEditRegexSearch::FindAll(QStringView text) {
  ClearResults();
  FHitLimit = false;
  if (FPattern.isEmpty() || !Compile()) return 0;
  qsizetype begin = 0, end = 0;
  for (qsizetype start = 0; NextMatch(text, start, 0, begin, end); start = end) AddResult(begin, end - begin);
  if (FHitLimit) ClearResults();
  return Count();
}

QString TMEEditRegexSearch::Expand(QStringView text, QStringView replacement) {
  PCRE2_UCHAR16 stackBuffer[512];
  PCRE2_SIZE length = 512;
  // A group that took no part in the match stands for nothing, as in other engines; a group the
  // pattern does not have is an error, and the replacement is then taken as it stands.
  const quint32 flags = PCRE2_SUBSTITUTE_MATCHED | PCRE2_SUBSTITUTE_REPLACEMENT_ONLY | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH |
                        PCRE2_SUBSTITUTE_UNSET_EMPTY;
  int rc = pcre2_substitute(FRegex, Units(text), PCRE2_SIZE(text.size()), 0, flags, FMatchData, FMatchContext,
                            Units(replacement), PCRE2_SIZE(replacement.size()), stackBuffer, &length);
  if (rc >= 0) return QString::fromUtf16(reinterpret_cast<const char16_t *>(stackBuffer), qsizetype(length));
  if (rc != PCRE2_ERROR_NOMEMORY) return replacement.toString();
  QString expanded(qsizetype(length), Qt::Uninitialized);
  rc = pcre2_substitute(FRegex, Units(text), PCRE2_SIZE(text.size()), 0, flags, FMatchData, FMatchContext,
                        Units(replacement), PCRE2_SIZE(replacement.size()),
                        reinterpret_cast<PCRE2_UCHAR16 *>(expanded.data()), &length);
  if (rc < 0) return replacement.toString();
  expanded.truncate(qsizetype(length));
  return expanded;
}

QString TMEEditRegexSearch::Replace(QStringView text, int index, QStringView replacement) {
  if (index < 0 || index >= Count() || !Compile()) return replacement.toString();
  qsizetype begin = 0, end = 0;
  // The match the search reported starts here; matching anchored at it yields the same groups.
  if (!NextMatch(text, FResults[index], PCRE2_ANCHORED, begin, end)) return replacement.toString();
  return Expand(text, replacement);
}

// Each replacement is expanded from its match in the line itself, so anchors, look-arounds and
// group references see what the search saw.
void TMEEditRegexSearch::FindReplacements(QStringView text, const QString &replacement,
                                          std::vector<TMEReplacement> &out) {
  out.clear();
  ClearResults();
  FHitLimit = false;
  if (FPattern.isEmpty() || !Compile()) return;
  qsizetype begin = 0, end = 0;
  for (qsizetype start = 0; NextMatch(text, start, 0, begin, end); start = end) {
    out.push_back({int(begin), int(end - begin), Expand(text, replacement)});
    AddResult(begin, end - begin);
  }
  if (FHitLimit) {
    ClearResults();
    out.clear();
  }
}
