#pragma once
// Line commands that change, keep or drop one line at a time, as maps for ApplyLineMap.
#include "LineDriver.h"
#include "TextRules.h"

// Drops a line equal (code unit for code unit) to the previous kept line.
TLineMapFunc RemoveConsecutiveDuplicatesMap();
TLineMapFunc AddPrefixSuffixMap(const QString &prefix, const QString &suffix);
// Strips prefix where the line begins with it, then suffix where what is left ends with it.
TLineMapFunc RemovePrefixSuffixMap(const QString &prefix, const QString &suffix);
// Drops lines that hold only blanks; kept lines stay as they are.
TLineMapFunc RemoveEmptyLinesMap();
TLineMapFunc TrimMap(TTrimSide side);
// Every tab becomes tabWidth spaces (one when tabWidth is not positive), not aligned to tab stops.
TLineMapFunc TabsToSpacesMap(int tabWidth);
// Every run of tabWidth spaces, counted from where the run starts, becomes a tab; with leadingOnly
// only in the spaces before the line's first other character.
TLineMapFunc SpacesToTabsMap(int tabWidth, bool leadingOnly);
// Every run of two or more spaces and tabs becomes one space.
TLineMapFunc CollapseSpacesMap();
