#pragma once
// The framework's Mersenne Twister (MT19937 state and seeding). One global
// generator is seeded with 4357 at start, from the tick count by the
// application and from a demo's header on replay; nothing draws from it.
// The game's draws use Rand (framework/platform/CRand.h).
//
// The module also keeps a hold count that the draw pass and the deferred
// deletes raise for their duration (RandomHold).
#include <cstdint>

namespace Plix {

class MersenneTwister {
public:
  static constexpr int kStateSize = 624;
  static constexpr uint32_t kDefaultSeed = 4357;

  MersenneTwister() { Seed(kDefaultSeed); }
  // A seed of 0 stands for the default seed.
  void Seed(uint32_t seed);

  const uint32_t* GetState() const { return mState; }
  int GetIndex() const { return mIndex; }

private:
  uint32_t mState[kStateSize];
  int mIndex = kStateSize;
};

extern MersenneTwister gMersenneTwister;

// Seeds the global generator.
void SeedRandom(uint32_t seed);

// false raises the hold count, true lowers it (never below 0).
void SetRandomAllowed(bool allowed);
int GetRandomHoldCount();

class RandomHold {
public:
  RandomHold() { SetRandomAllowed(false); }
  ~RandomHold() { SetRandomAllowed(true); }
  RandomHold(const RandomHold&) = delete;
  RandomHold& operator=(const RandomHold&) = delete;
};

}  // namespace Plix
