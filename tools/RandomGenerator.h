#pragma once
// The program's one pseudo-random generator: a 32-bit linear congruential generator, so a test can
// seed it and know every draw.
#include <QtGlobal>

class TRandomGenerator {
 public:
  explicit TRandomGenerator(quint32 state = 0) : FState(state) {}

  quint32 State() const { return FState; }
  void SetState(quint32 state) { FState = state; }
  // A number in 0 .. n - 1 (0 when n is 0).
  quint32 Random(quint32 n);
  // Seeds from the high-resolution clock, mixed with one draw.
  void SeedFromClock();

 private:
  quint32 FState;
};

// The process-wide generator, seeded from the clock on first use.
TRandomGenerator &ProcessRandom();
