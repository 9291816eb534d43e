#pragma once
// The kinds of trouble Locate Signals looks for in a log, each with its lower-case keywords.
#include <QStringList>

constexpr int KSignalCategoryCount = 5;
// The category argument of a scan that tests them all.
constexpr int KAllSignalCategories = -1;

struct TSignalCategory {
  QString Name;
  QStringList Keywords;
};

// Indexes 0 to 4: "System Errors", "Resource Issues", "Failed Authentications", "Network Failures",
// "Application Crashes".
const TSignalCategory &SignalCategory(int index);
// The menu items' tags 0 to 4 name one category; 5 ("All...") all of them.
int SignalCategoryOfTag(int tag);
