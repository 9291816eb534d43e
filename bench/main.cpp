// quennet-bench: prints performance figures for each area; "--only GROUP" runs one group.
#include "BenchGroup.h"
#include "platform/LargePages.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

std::vector<TBenchGroup> &BenchGroups() {
  static std::vector<TBenchGroup> groups;
  return groups;
}

void PrintFigure(const std::string &name, double value, const std::string &unit) {
  std::printf("%s: %.*f %s\n", name.c_str(), value >= 100 ? 0 : 2, value, unit.c_str());
  std::fflush(stdout);
}

int main(int argc, char **argv) {
  // Measure the program as it runs: with the heap it gives itself (QUENNET_SMALL_PAGES=1 to compare).
  UseLargePageHeap(argv);
  // The editor group measures a widget, which needs a GUI application even without a screen.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  PrintFigure("heap.large_pages", LargePageHeapActive() ? 1 : 0, "flag");
  const char *only = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) only = argv[++i];
    else if (std::strcmp(argv[i], "--list") == 0) {
      for (const TBenchGroup &g : BenchGroups()) std::printf("%s\n", g.Name.c_str());
      return 0;
    }
  }
  bool ran = false;
  for (const TBenchGroup &g : BenchGroups()) {
    if (only && g.Name != only) continue;
    g.Run();
    ran = true;
  }
  if (!ran) {
    std::fprintf(stderr, "no bench group named %s (try --list)\n", only ? only : "");
    return 1;
  }
  return 0;
}
