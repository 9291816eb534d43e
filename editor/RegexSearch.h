#pragma once
// Regular-expression search with PCRE2 (16-bit, JIT) straight on the lines' UTF-16 data. The
// expression is compiled once per pattern and case option; \d, \w and \b keep their ASCII meaning.
#include "SearchEngine.h"

struct pcre2_real_code_16;
struct pcre2_real_match_data_16;
struct pcre2_real_match_context_16;
struct pcre2_real_jit_stack_16;

class TMEEditRegexSearch : public TMEEditSearchCustom {
 public:
  TMEEditRegexSearch();
  ~TMEEditRegexSearch() override;
  TMEEditRegexSearch(const TMEEditRegexSearch &) = delete;
  TMEEditRegexSearch &operator=(const TMEEditRegexSearch &) = delete;

  int FindAll(QStringView text) override;
  // Expands the replacement's group references ($1, ${name}, $$) from the match in its own line,
  // so anchors and look-arounds see what the search saw. Falls back to the plain text on error.
  QString Replace(QStringView text, int index, QStringView replacement) override;
  void FindReplacements(QStringView text, const QString &replacement, std::vector<TMEReplacement> &out) override;

  // Why the pattern does not compile ("" when it does), for the find dialog.
  QString CompileError();
  // The last FindAll or FindReplacements gave up on its line because the expression backtracked too much.
  bool HitLimit() const { return FHitLimit; }

  // Backtracking budget per line; a catastrophic pattern finds nothing rather than freezing.
  static constexpr quint32 KMatchLimit = 5000000;

 private:
  bool Compile();
  void FreeCompiled();
  // Finds the next non-empty match at or after start; false at the end or on an error.
  bool NextMatch(QStringView text, qsizetype start, quint32 flags, qsizetype &begin, qsizetype &end);
  QString Expand(QStringView text, QStringView replacement);

  pcre2_real_code_16 *FRegex = nullptr;
  pcre2_real_match_data_16 *FMatchData = nullptr;
  pcre2_real_match_context_16 *FMatchContext = nullptr;
  pcre2_real_jit_stack_16 *FJitStack = nullptr;
  bool FCompiled = false;
  QString FCompiledPattern;
  TMESearchOptions FCompiledOpts = 0;
  QString FCompileError;
  bool FHitLimit = false;
};
