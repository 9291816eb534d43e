#include "FindAllSearch.h"

#include "editor/LiteralSearch.h"

#include <chrono>

namespace {

constexpr int KPumpEveryHits = 1000;
constexpr qint64 KPumpEveryMs = 50;
constexpr qsizetype KPreviewLength = 200;

inline char16_t FoldAZ(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c; }

QString Plural(int count) { return count == 1 ? QString() : QStringLiteral("s"); }

}  // namespace

TFindAllMatcher::TFindAllMatcher(const TFindAllQuery &query) : FQuery(query) {
  for (QChar c : query.Text) FNeedle += query.MatchCase ? c.unicode() : FoldAZ(c.unicode());
  if (query.Regex) {
    FRegex.SetPattern(query.Text);
    FRegex.SetOptions(query.MatchCase ? ssoMatchCase : 0);
  }
}

void TFindAllMatcher::Matches(QStringView line, QList<std::pair<int, int>> &out) {
  if (FQuery.Text.isEmpty()) return;
  if (FQuery.Regex) {
    const int count = FRegex.FindAll(line);
    for (int i = 0; i < count; ++i) out.append({FRegex.Results(i) + 1, FRegex.Lengths(i)});
    return;
  }
  const qsizetype m = qsizetype(FNeedle.size());
  const char16_t *text = line.utf16();
  const char16_t first = FNeedle[0];
  const bool fold = !FQuery.MatchCase;
  qsizetype p = 0;
  while (p + m <= line.size()) {
    if ((fold ? FoldAZ(text[p]) : text[p]) != first) {
      ++p;
      continue;
    }
    qsizetype k = 1;
    while (k < m && (fold ? FoldAZ(text[p + k]) : text[p + k]) == FNeedle[size_t(k)]) ++k;
    if (k < m) {
      ++p;
      continue;
    }
    if (!FQuery.WholeWord || StandsAsWholeWord(line, p, m)) out.append({int(p) + 1, int(m)});
    p += m;  // occurrences never overlap
  }
}

TMsClock SteadyMsClock() {
  return [] {
    using namespace std::chrono;
    return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  };
}

TFindAllResult RunFindAll(const TFindAllQuery &query, const QList<TFindAllDoc> &docs,
                          const std::function<void()> &pump, const TMsClock &clock, int hitLimit) {
  TFindAllResult result;
  result.Limit = hitLimit;
  TFindAllMatcher matcher(query);
  qint64 lastPump = clock();
  const auto letRun = [&] {
    if (!pump) return;
    pump();
    lastPump = clock();
  };
  QList<std::pair<int, int>> matches;
  for (qsizetype index = 0; index < docs.size(); ++index) {
    const TFindAllDoc &doc = docs[index];
    ++result.Searched;
    TFindAllDocResult found{doc.Doc, index, doc.Name, {}};
    for (qsizetype n = 0; n < doc.Lines.size() && !result.Stopped; ++n) {
      matches.clear();
      matcher.Matches(doc.Lines[n], matches);
      for (const auto &[col, len] : matches) {
        found.Hits.append({doc.Doc, int(n) + 1, col, len});
        ++result.HitCount;
        if (result.HitCount % KPumpEveryHits == 0) letRun();
        if (result.HitCount >= hitLimit) {
          result.Stopped = true;
          break;
        }
      }
      if ((n & 1023) == 0 && clock() - lastPump >= KPumpEveryMs) letRun();
    }
    if (!found.Hits.isEmpty()) result.Docs.append(std::move(found));
    if (result.Stopped) break;
  }
  return result;
}

QString FindAllRootText(const TFindAllQuery &query, const TFindAllResult &result) {
  // Concatenated, not arg()-chained: the search text may itself hold "%1".
  const int files = int(result.Docs.size());
  QString text = QStringLiteral("Search \"") + query.Text + QStringLiteral("\" (") +
                 QString::number(result.HitCount) + QStringLiteral(" hit") + Plural(result.HitCount) +
                 QStringLiteral(" in ") + QString::number(files) + QStringLiteral(" file") + Plural(files) +
                 QStringLiteral(" of ") + QString::number(result.Searched) + QStringLiteral(" searched) [") +
                 (query.Regex ? QStringLiteral("Regex") : QStringLiteral("Normal")) + u']';
  if (result.Stopped) text += QStringLiteral(" - stopped at ") + QString::number(result.Limit);
  return text;
}

QString FindAllDocText(const TFindAllDocResult &doc) {
  const int count = int(doc.Hits.size());
  return doc.Name + QStringLiteral(" (") + QString::number(count) + QStringLiteral(" hit") + Plural(count) + u')';
}

QString FindAllHitText(int line, QStringView lineText) {
  qsizetype start = 0;
  while (start < lineText.size() && lineText[start].unicode() <= 32) ++start;
  QStringView preview = lineText.sliced(start);
  QString text = QStringLiteral("Line %1: ").arg(line);
  if (preview.size() > KPreviewLength) {
    text += preview.first(KPreviewLength);
    text += u"...";
  } else {
    text += preview;
  }
  return text;
}
