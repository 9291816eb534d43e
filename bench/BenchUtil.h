#pragma once
// Shared by bench groups: timing, process memory, generated input files.
#include <QString>

#include <chrono>
#include <functional>

// Seconds taken by one call of fn; best of the given runs.
double TimeBest(int runs, const std::function<void()> &fn);

// Resident memory of this process now, and its peak since the last ResetPeakMemory, in bytes.
qint64 ResidentBytes();
qint64 PeakResidentBytes();
void ResetPeakMemory();
// Hands freed heap memory back to the system so the next reading starts clean.
void TrimHeap();

class TMELineList;
// Loads a file through the background loader, as the main window does, into store.
void LoadWithLoader(const QString &path, TMELineList &store);

// A folder for generated inputs that lives as long as the bench run.
QString BenchScratchFolder();

constexpr double KMiB = 1048576.0;
