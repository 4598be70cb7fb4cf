#include "framework/app/PerfTimer.h"

#include <gtest/gtest.h>

#include "framework/platform/Clock.h"

namespace Plix {

TEST(PerfTimer, MeasuresWhileRunningAndFreezesOnStop) {
  FakeClock clock(1000);
  ScopedClock scoped(clock);
  PerfTimer timer;
  EXPECT_EQ(timer.GetDuration(), 0.0);
  timer.Start();
  clock.AdvanceMicros(2500);
  EXPECT_DOUBLE_EQ(timer.GetDuration(), 2.5);
  clock.Advance(10);
  EXPECT_DOUBLE_EQ(timer.GetDuration(), 12.5);
  timer.Stop();
  clock.Advance(100);
  EXPECT_DOUBLE_EQ(timer.GetDuration(), 12.5);
  timer.Stop();  // stopping again changes nothing
  EXPECT_DOUBLE_EQ(timer.GetDuration(), 12.5);
}

TEST(PerfTimer, CPUSpeedIsAskedOnce) {
  int64_t first = GetCPUSpeed();
  EXPECT_GT(first, 0);
  FakeClock clock;  // a clock of another rate does not change the answer
  ScopedClock scoped(clock);
  EXPECT_EQ(GetCPUSpeed(), first);
}

TEST(SectionProfiler, RunWithoutSectionsIsOneLine) {
  FakeClock clock;
  ScopedClock scoped(clock);
  SectionProfiler::Start();
  EXPECT_TRUE(SectionProfiler::IsRunning());
  clock.Advance(20);
  SectionProfiler::Stop();
  EXPECT_FALSE(SectionProfiler::IsRunning());
  double ms = 20000.0 * 1000.0 / static_cast<double>(GetCPUSpeed());  // 20000 fake ticks
  char expected[64];
  std::snprintf(expected, sizeof expected, "Total Time: %.2f\n", ms);
  EXPECT_EQ(SectionProfiler::GetResults(), expected);
}

TEST(SectionProfiler, NestedBeginsCountEveryCallButTimeTheOutermost) {
  FakeClock clock;
  ScopedClock scoped(clock);
  SectionProfiler::Begin("Ignored");  // before the run: not counted
  SectionProfiler::Start();
  {
    ProfileSection outer("Draw");
    clock.AdvanceMicros(100);
    {
      ProfileSection inner("Draw");
      clock.AdvanceMicros(50);
    }
    clock.AdvanceMicros(50);
  }
  {
    ProfileSection again("Draw");
    clock.AdvanceMicros(400);
  }
  SectionProfiler::End("Nothing");  // an end without a begin does nothing
  SectionProfiler::Stop();
  std::string results = SectionProfiler::GetResults();
  double speed = static_cast<double>(GetCPUSpeed());
  double total = 600 * 1000.0 / speed;  // the 200 + 400 ticks of the two outermost spans
  double longest = 400 * 1000.0 / speed;
  char line[256];
  std::snprintf(line, sizeof line, "Draw (3 calls, %%%.2f time): %.2f (%.2f avg, %.2f longest)\n", 100.0, total,
                total / 3, longest);
  EXPECT_NE(results.find(line), std::string::npos) << results;
  EXPECT_EQ(results.find("Ignored"), std::string::npos);
  EXPECT_EQ(results.find("Nothing"), std::string::npos);
}

}  // namespace Plix
