#pragma once
// Writing a document's lines to disk in its encoding kind and line break.
#include "Encoding.h"

class TMELineList;

// Text is encoded and written in slices of about this many code units, so a save of any size needs
// only one slice of extra memory.
constexpr qsizetype KWriteSliceUnits = 4194304;

// Writes [mark] line0 eol line1 ... eol lineN-1. The old file is replaced only once every byte is
// written and flushed; where the folder allows no new file, the file is written in place. False with
// the system's message on any failure, leaving an existing file as it was (except in place).
bool WriteDocToFile(const QString &path, const TMELineList &lines, QStringView eol, int kind, QString *error);
