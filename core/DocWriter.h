#pragma once
// Writing a document's lines to disk in its encoding kind and line break.
#include "Encoding.h"

#include <functional>

class TMELineList;

// Text is encoded and written in slices of about this many code units, so a save of any size needs
// only one slice of extra memory.
constexpr qsizetype KWriteSliceUnits = 4194304;

// Writes [mark] line0 eol line1 ... eol lineN-1 into a new file beside the old one, which it
// replaces only once every byte is written and on the disk. Where the folder allows no new file,
// and for a device or pipe, the file is written in place. A symbolic link is followed and kept.
// False on any failure, with error = the path and the system's reason ("x.txt: No space left on
// device"); an existing file is then left as it was, except in place.
bool WriteDocToFile(const QString &path, const TMELineList &lines, QStringView eol, int kind, QString *error);

// The steps of a save that can fail.
enum class TSaveStep { CheckWritable, CreateTemp, OpenInPlace, Write, Sync, Close, Replace };

// Tests make a chosen step fail as the system would, with the error number the fault answers for
// it (0: the step runs as usual), where no real file system can be made to fail; null: none.
using TSaveFault = std::function<int(TSaveStep step)>;
void SetSaveFault(TSaveFault fault);
