#include "RegexMatcher.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

std::shared_ptr<const TRegexPattern> TRegexPattern::Compile(QStringView pattern) {
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  pcre2_code *code = pcre2_compile(reinterpret_cast<PCRE2_SPTR16>(pattern.utf16()), PCRE2_SIZE(pattern.size()), 0,
                                   &errorCode, &errorOffset, nullptr);
  if (!code) return nullptr;
  // Without JIT the interpreter still matches.
  const bool jitCompiled = pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) == 0;
  return std::shared_ptr<const TRegexPattern>(new TRegexPattern(code, jitCompiled));
}

TRegexPattern::~TRegexPattern() { pcre2_code_free(FCode); }

TRegexMatcher::TRegexMatcher(std::shared_ptr<const TRegexPattern> pattern, size_t jitStackLimit)
    : FPattern(std::move(pattern)) {
  FMatchData = pcre2_match_data_create_from_pattern(FPattern->FCode, nullptr);
  FContext = pcre2_match_context_create(nullptr);
  pcre2_set_match_limit(FContext, KMatchLimit);
  FJitStack = pcre2_jit_stack_create(std::min<size_t>(32 * 1024, jitStackLimit), jitStackLimit, nullptr);
  pcre2_jit_stack_assign(FContext, nullptr, FJitStack);
}

TRegexMatcher::~TRegexMatcher() {
  pcre2_jit_stack_free(FJitStack);
  pcre2_match_context_free(FContext);
  pcre2_match_data_free(FMatchData);
}

int TRegexMatcher::Match(QStringView line, qsizetype start, bool jit) {
  const auto subject = reinterpret_cast<PCRE2_SPTR16>(line.utf16());
  // The JIT's own entry skips the checks pcre2_match makes before every call.
  if (jit)
    return pcre2_jit_match(FPattern->FCode, subject, PCRE2_SIZE(line.size()), PCRE2_SIZE(start), PCRE2_NOTEMPTY,
                           FMatchData, FContext);
  return pcre2_match(FPattern->FCode, subject, PCRE2_SIZE(line.size()), PCRE2_SIZE(start), PCRE2_NOTEMPTY | PCRE2_NO_JIT,
                     FMatchData, FContext);
}

bool TRegexMatcher::Find(QStringView line, qsizetype start) {
  FGaveUp = false;
  if (start > line.size()) return false;
  int rc = Match(line, start, FPattern->FJitCompiled);
  // The JIT's stack is fixed in size; the interpreter keeps its backtracking on the heap.
  if (rc == PCRE2_ERROR_JIT_STACKLIMIT) rc = Match(line, start, false);
  if (rc < 0) {
    FGaveUp = rc != PCRE2_ERROR_NOMATCH;
    return false;
  }
  const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(FMatchData);
  FBegin = qsizetype(ovector[0]);
  FEnd = qsizetype(ovector[1]);
  FGroupCount = rc;
  return true;
}

QStringView TRegexMatcher::Group(QStringView line, int group) const {
  if (group < 0 || group >= FGroupCount) return QStringView();
  const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(FMatchData);
  const PCRE2_SIZE begin = ovector[2 * group];
  if (begin == PCRE2_UNSET) return QStringView();
  return line.sliced(qsizetype(begin), qsizetype(ovector[2 * group + 1] - begin));
}
