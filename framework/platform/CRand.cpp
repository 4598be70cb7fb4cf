#include "framework/platform/CRand.h"

#include <atomic>

namespace Plix {

namespace {
// Atomic so that a draw on the loading thread cannot tear the state.
std::atomic<uint32_t> gRandState{1};
}  // namespace

int Rand() {
  uint32_t old = gRandState.load(std::memory_order_relaxed);
  uint32_t next;
  do {
    next = old * 214013u + 2531011u;
  } while (!gRandState.compare_exchange_weak(old, next, std::memory_order_relaxed));
  return static_cast<int>((next >> 16) & kRandMax);
}

void SRand(uint32_t seed) { gRandState.store(seed, std::memory_order_relaxed); }

}  // namespace Plix
