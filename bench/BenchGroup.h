#pragma once
// A bench group measures one area and prints one figure per line as "name: value unit".
#include <functional>
#include <string>
#include <vector>

struct TBenchGroup {
  std::string Name;
  std::function<void()> Run;
};

std::vector<TBenchGroup> &BenchGroups();

// Registers a group at static-initialisation time from its own source file.
struct TBenchRegistration {
  TBenchRegistration(std::string name, std::function<void()> run) {
    BenchGroups().push_back({std::move(name), std::move(run)});
  }
};

// Prints one figure in the bench's line format.
void PrintFigure(const std::string &name, double value, const std::string &unit);
