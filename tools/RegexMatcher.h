#pragma once
// Regular expressions for the scans: PCRE2 (16-bit) straight on the lines' UTF-16, code units as
// characters, so \d, \w, \s and \b keep their ASCII meaning. A TRegexPattern is compiled once, with
// JIT, and shared read-only by the threads of a scan; each thread matches through its own
// TRegexMatcher, which holds the match data and the JIT stack.
#include <QString>

#include <memory>

struct pcre2_real_code_16;
struct pcre2_real_match_data_16;
struct pcre2_real_match_context_16;
struct pcre2_real_jit_stack_16;

class TRegexPattern {
 public:
  // Null when the pattern does not compile.
  static std::shared_ptr<const TRegexPattern> Compile(QStringView pattern);
  ~TRegexPattern();
  TRegexPattern(const TRegexPattern &) = delete;
  TRegexPattern &operator=(const TRegexPattern &) = delete;

 private:
  TRegexPattern(pcre2_real_code_16 *code, bool jitCompiled) : FCode(code), FJitCompiled(jitCompiled) {}
  friend class TRegexMatcher;

  pcre2_real_code_16 *FCode;
  bool FJitCompiled;
};

class TRegexMatcher {
 public:
  // Room for the JIT's backtracking; a line that needs more is matched again by the interpreter.
  static constexpr size_t KJitStackLimit = 4 * 1024 * 1024;
  // Backtracking budget per search, so a pathological pattern gives up on a line instead of
  // freezing the scan.
  static constexpr quint32 KMatchLimit = 10000000;

  explicit TRegexMatcher(std::shared_ptr<const TRegexPattern> pattern, size_t jitStackLimit = KJitStackLimit);
  ~TRegexMatcher();
  TRegexMatcher(const TRegexMatcher &) = delete;
  TRegexMatcher &operator=(const TRegexMatcher &) = delete;

  // The first non-empty match at or after start; the text before start still counts for
  // look-behinds and \b. False when there is none, or when the search gave up (GaveUp).
  bool Find(QStringView line, qsizetype start);
  // Whether the last Find stopped at the backtracking budget rather than finding nothing.
  bool GaveUp() const { return FGaveUp; }

  qsizetype MatchBegin() const { return FBegin; }
  qsizetype MatchEnd() const { return FEnd; }
  // PCRE's count: one more than the highest-numbered group that took part in the match.
  int GroupCount() const { return FGroupCount; }
  // The text of a group of the last match; empty when it took no part.
  QStringView Group(QStringView line, int group) const;

 private:
  int Match(QStringView line, qsizetype start, bool jit);

  std::shared_ptr<const TRegexPattern> FPattern;
  pcre2_real_match_data_16 *FMatchData = nullptr;
  pcre2_real_match_context_16 *FContext = nullptr;
  pcre2_real_jit_stack_16 *FJitStack = nullptr;
  qsizetype FBegin = 0;
  qsizetype FEnd = 0;
  int FGroupCount = 0;
  bool FGaveUp = false;
};
