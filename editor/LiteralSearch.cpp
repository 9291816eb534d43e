#include "LiteralSearch.h"

#include "core/CaseFold.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUENNET_SSE2 1
#endif

#include <bit>

bool IsSearchWordChar(QChar c) {
  if (c == u'_') return true;
  switch (c.category()) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
      return true;
    default:
      return false;
  }
}

void TMEEditSearch::Prepare() {
  const TMESearchOptions caseOption = FOptions & ssoMatchCase;
  if (FPreparedFrom == FPattern && FPreparedCase == caseOption) return;
  FPreparedFrom = FPattern;
  FPreparedCase = caseOption;
  FNeedle.assign(reinterpret_cast<const char16_t *>(FPattern.utf16()), size_t(FPattern.size()));
  FFirstUnits.clear();
  if (FNeedle.empty()) return;
  if (caseOption) {
    FFirstUnits.push_back(FNeedle[0]);
    return;
  }
  for (char16_t &c : FNeedle) c = FoldCase(c);
  for (char32_t u = 0; u < 65536; ++u)
    if (FoldCase(char16_t(u)) == FNeedle[0]) FFirstUnits.push_back(char16_t(u));
}

bool TMEEditSearch::MatchesAt(const char16_t *text, qsizetype at) const {
  const size_t n = FNeedle.size();
  if (FOptions & ssoMatchCase) return std::memcmp(text + at, FNeedle.data(), n * 2) == 0;
  for (size_t k = 0; k < n; ++k)
    if (FoldCase(text[at + qsizetype(k)]) != FNeedle[k]) return false;
  return true;
}

bool StandsAsWholeWord(QStringView text, qsizetype at, qsizetype length) {
  const qsizetype end = at + length;
  if (at > 0 && IsSearchWordChar(text[at - 1])) return false;
  return end >= text.size() || !IsSearchWordChar(text[end]);
}

int TMEEditSearch::FindAll(QStringView text) {
  ClearResults();
  Prepare();
  const qsizetype n = qsizetype(FNeedle.size());
  if (n == 0 || text.size() < n) return 0;
  const char16_t *p = text.utf16();
  const qsizetype last = text.size() - n;  // the last start an occurrence fits at
  auto consider = [&](qsizetype at) {
    if (MatchesAt(p, at) && (!(FOptions & ssoWholeWord) || StandsAsWholeWord(text, at, n))) AddResult(at, n);
  };
  qsizetype i = 0;
#ifdef QUENNET_SSE2
  // Candidates for the first unit are found eight units at a time; an ASCII letter has two forms,
  // a few letters a third (the Kelvin sign for "k"), so a handful of compares covers every case.
  if (FFirstUnits.size() <= 4) {
    __m128i firsts[4];
    const size_t count = FFirstUnits.size();
    for (size_t k = 0; k < 4; ++k) firsts[k] = _mm_set1_epi16(short(FFirstUnits[k < count ? k : 0]));
    for (; i + 8 <= last + 1; i += 8) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
      __m128i hit = _mm_cmpeq_epi16(v, firsts[0]);
      for (size_t k = 1; k < count; ++k) hit = _mm_or_si128(hit, _mm_cmpeq_epi16(v, firsts[k]));
      unsigned mask = unsigned(_mm_movemask_epi8(hit)) & 0x5555u;  // one bit per unit
      for (; mask; mask &= mask - 1) consider(i + std::countr_zero(mask) / 2);
    }
  }
#endif
  for (; i <= last; ++i) {
    for (char16_t first : FFirstUnits)
      if (p[i] == first) {
        consider(i);
        break;
      }
  }
  return Count();
}
