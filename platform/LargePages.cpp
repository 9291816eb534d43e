#include "LargePages.h"

#include <cstdlib>
#include <cstring>
#include <string>

#if defined(__linux__) && defined(__GLIBC__)
#include <unistd.h>
#define QUENNET_GLIBC_TUNABLES 1
#endif

namespace {
// Marks the restarted process and carries the caller's own GLIBC_TUNABLES (or "-" for none).
constexpr const char *KRestartedVar = "QUENNET_HEAP_RESTARTED";
// One arena, so the loader thread's lines come from the huge-page heap too.
constexpr const char *KHeapTunables = "glibc.malloc.hugetlb=1:glibc.malloc.arena_max=1";
bool GActive = false;
}  // namespace

void UseLargePageHeap(char **argv) {
#ifdef QUENNET_GLIBC_TUNABLES
  if (const char *previous = std::getenv(KRestartedVar)) {
    GActive = true;
    const std::string original = previous;
    if (original == "-") unsetenv("GLIBC_TUNABLES");
    else setenv("GLIBC_TUNABLES", original.c_str(), 1);
    unsetenv(KRestartedVar);
    return;
  }
  if (std::getenv("QUENNET_SMALL_PAGES")) return;
  const char *current = std::getenv("GLIBC_TUNABLES");
  if (current && std::strstr(current, "glibc.malloc.hugetlb")) {
    GActive = std::strstr(current, "glibc.malloc.hugetlb=1") != nullptr;
    return;
  }
  setenv(KRestartedVar, current ? current : "-", 1);
  const std::string tunables = current && *current ? std::string(current) + ":" + KHeapTunables
                                                   : std::string(KHeapTunables);
  setenv("GLIBC_TUNABLES", tunables.c_str(), 1);
  execv("/proc/self/exe", argv);
  // The restart failed: carry on with the ordinary heap.
  unsetenv(KRestartedVar);
  if (current) setenv("GLIBC_TUNABLES", current, 1);
  else unsetenv("GLIBC_TUNABLES");
#else
  (void)argv;
#endif
}

bool LargePageHeapActive() { return GActive; }
