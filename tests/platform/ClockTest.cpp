#include "framework/platform/Clock.h"

#include <gtest/gtest.h>

namespace Plix {

TEST(Clock, FakeClockSleepAdvancesTime) {
  FakeClock clock(100);
  ScopedClock use(clock);
  EXPECT_EQ(timeGetTime(), 100u);
  Sleep(10);
  EXPECT_EQ(GetTickCount(), 110u);
  EXPECT_EQ(clock.SleepCount(), 1u);
  int64_t counter = 0, freq = 0;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&freq);
  EXPECT_EQ(counter * 1000 / freq, 110);
}

TEST(Clock, MillisecondsWrapAtTwoToThe32) {
  FakeClock clock(0xFFFFFFF0u);
  ScopedClock use(clock);
  uint32_t before = timeGetTime();
  Sleep(32);
  uint32_t after = timeGetTime();
  EXPECT_EQ(after, 0x10u);
  // Differences stay right across the wrap, as callers compute them.
  EXPECT_EQ(after - before, 32u);
}

TEST(Clock, RealClockMovesForward) {
  uint32_t a = timeGetTime();
  Sleep(2);
  EXPECT_GE(static_cast<uint32_t>(timeGetTime() - a), 1u);
}

}  // namespace Plix
