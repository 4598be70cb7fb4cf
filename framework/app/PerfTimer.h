#pragma once
// Debugging timers: a millisecond stopwatch over the performance counter,
// the rate of the time-stamp counter, and a section profiler whose results
// the "Perf Results" debug key shows.
//
// The time-stamp counter here is the clock's performance counter
// (framework/platform/Clock.h, CLOCK_MONOTONIC), not the processor's rdtsc:
// it runs at one known rate on every core and machine, and tests can fake
// it. Its rate therefore needs no measuring: GetCPUSpeed reads it once.
#include <cstdint>
#include <string>

namespace Plix {

class PerfTimer {
public:
  void Start();
  void Stop();
  // Milliseconds from Start to Stop, or to now while running.
  double GetDuration();
  bool IsRunning() const { return mRunning; }

private:
  void CalcDuration();

  int64_t mStart = 0;
  double mDuration = 0.0;
  bool mRunning = false;
};

extern PerfTimer gPerfTimer;

// Time-stamp cycles per second, asked once per process (at least 1).
int64_t GetCPUSpeed();

// Per-section call counts and times between Start and Stop (main thread
// only). Sections are marked with Begin and End or a ProfileSection guard;
// marks outside a run are ignored. Names must outlive the run (literals).
class SectionProfiler {
public:
  static void Start();
  static void Stop();
  static bool IsRunning();
  // "Total Time: ..." and one line per section, in name order.
  static std::string GetResults();

  static void Begin(const char* section);
  static void End(const char* section);
};

class ProfileSection {
public:
  explicit ProfileSection(const char* section) : mSection(section) { SectionProfiler::Begin(section); }
  ~ProfileSection() { SectionProfiler::End(mSection); }
  ProfileSection(const ProfileSection&) = delete;
  ProfileSection& operator=(const ProfileSection&) = delete;

private:
  const char* mSection;
};

}  // namespace Plix
