#pragma once
// How the platform compares file paths: Windows ignores letter case, Linux does not, and on Linux
// two spellings of one file (a symbolic link, "a/../b") are the same file.
#include <QString>

bool SamePath(const QString &a, const QString &b);
