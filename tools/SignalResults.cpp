#include "SignalResults.h"

#include "SignalCategories.h"
#include "TextRules.h"

namespace {
constexpr qsizetype KShownHitLength = 200;
}

QString SignalResultsTitle(qsizetype hitCount) {
  if (hitCount == 0) return QStringLiteral("Locate Signals");
  return QStringLiteral("Locate Signals - %1 line(s)").arg(hitCount);
}

QString SignalCategoryCaption(int category, qsizetype hitCount) {
  return QStringLiteral("%1 - Found (%2) lines").arg(SignalCategory(category).Name).arg(hitCount);
}

QString SignalHitCaption(qsizetype lineNumber, QStringView line) {
  QStringView text = Trimmed(line);
  QString shown = QStringLiteral("Line %1: ").arg(lineNumber);
  if (text.size() <= KShownHitLength) return shown + text.toString();
  // Never half of a surrogate pair.
  qsizetype cut = KShownHitLength;
  if (text[cut - 1].isHighSurrogate()) --cut;
  return shown + text.first(cut).toString() + QStringLiteral("...");
}
