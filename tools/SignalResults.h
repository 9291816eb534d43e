#pragma once
// The texts of the results panel after Locate Signals.
#include <QString>

inline QString SignalsScanningTitle() { return QStringLiteral("Locating signals..."); }
inline QString NoSignalsFoundCaption() { return QStringLiteral("No signals found."); }
// "Locate Signals - %d line(s)"; "Locate Signals" when nothing was found. A line found in two
// categories counts twice.
QString SignalResultsTitle(qsizetype hitCount);
// "%s - Found (%d) lines" for a category's root node.
QString SignalCategoryCaption(int category, qsizetype hitCount);
// "Line %d: " and the line trimmed of blanks, cut to its first 200 characters and "..." when longer.
QString SignalHitCaption(qsizetype lineNumber, QStringView line);
