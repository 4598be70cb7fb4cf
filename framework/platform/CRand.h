#pragma once
// The game's random numbers: the original C runtime's rand(), one generator
// for the whole process, so that a run seeded with a recorded value repeats
// every draw. Linear congruential: state = state x 214013 + 2531011, result
// bits 16 to 30 of the new state (0 to 32767). Before any SRand the
// sequence starts as if seeded with 1.
#include <cstdint>

namespace Plix {

constexpr int kRandMax = 0x7FFF;

int Rand();
void SRand(uint32_t seed);

}  // namespace Plix
