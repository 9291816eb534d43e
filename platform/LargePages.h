#pragma once
// Huge logs become millions of small line allocations; on virtual machines the first touch of each
// 4 KiB page dominates such a load. Backing the heap with transparent huge pages makes a 200 MiB
// load about fifteen times faster, but glibc takes that choice only from its environment at process
// start, so the program restarts itself once with it set.

// Call first thing in main(). Re-executes the program with the heap tunables set unless they are
// already in force, the variable QUENNET_SMALL_PAGES is set, or the platform has no such tunables.
// In the restarted process the caller's environment is restored so child processes do not inherit it.
void UseLargePageHeap(char **argv);

// True when this process runs with the huge-page heap.
bool LargePageHeapActive();
