#include "framework/app/Random.h"

namespace Plix {

MersenneTwister gMersenneTwister;

namespace {
int gRandomHoldCount = 0;
}  // namespace

void MersenneTwister::Seed(uint32_t seed) {
  if (seed == 0) seed = kDefaultSeed;
  mState[0] = seed;
  for (mIndex = 1; mIndex < kStateSize; ++mIndex) {
    uint32_t prev = mState[mIndex - 1];
    mState[mIndex] = 1812433253u * (prev ^ (prev >> 30)) + static_cast<uint32_t>(mIndex);
  }
}

void SeedRandom(uint32_t seed) { gMersenneTwister.Seed(seed); }

void SetRandomAllowed(bool allowed) {
  if (!allowed)
    ++gRandomHoldCount;
  else if (gRandomHoldCount > 0)
    --gRandomHoldCount;
}

int GetRandomHoldCount() { return gRandomHoldCount; }

}  // namespace Plix
