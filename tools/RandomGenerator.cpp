#include "RandomGenerator.h"

#include <chrono>

quint32 TRandomGenerator::Random(quint32 n) {
  FState = FState * 134775813u + 1u;
  return quint32((quint64(FState) * n) >> 32);
}

void TRandomGenerator::SeedFromClock() {
  FState = quint32(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  FState ^= Random(0xFFFFFFFFu);
}

TRandomGenerator &ProcessRandom() {
  static TRandomGenerator generator = [] {
    TRandomGenerator seeded;
    seeded.SeedFromClock();
    return seeded;
  }();
  return generator;
}
