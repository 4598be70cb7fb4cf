#pragma once
// Time as the framework sees it: 32-bit millisecond counters that wrap,
// a high-resolution counter, and Sleep. Tests install a FakeClock, in which
// sleeping advances time instead of waiting.
#include <atomic>
#include <cstdint>

namespace Plix {

class Clock {
public:
  virtual ~Clock() = default;
  // Milliseconds since some fixed start, truncated to 32 bits.
  virtual uint32_t Milliseconds() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  virtual int64_t PerformanceCounter() = 0;
  virtual int64_t PerformanceFrequency() = 0;
};

// CLOCK_MONOTONIC and nanosleep.
class RealClock : public Clock {
public:
  uint32_t Milliseconds() override;
  void Sleep(uint32_t ms) override;
  int64_t PerformanceCounter() override;
  int64_t PerformanceFrequency() override;
};

// A manual clock: time moves only through Advance and Sleep. The
// performance counter runs at 1 MHz in step with the milliseconds.
class FakeClock : public Clock {
public:
  explicit FakeClock(uint32_t startMs = 0) : mMicros(static_cast<uint64_t>(startMs) * 1000) {}
  uint32_t Milliseconds() override { return static_cast<uint32_t>(mMicros.load() / 1000); }
  void Sleep(uint32_t ms) override { ++mSleeps; Advance(ms); }
  int64_t PerformanceCounter() override { return static_cast<int64_t>(mMicros.load()); }
  int64_t PerformanceFrequency() override { return 1000000; }
  void Advance(uint32_t ms) { mMicros += static_cast<uint64_t>(ms) * 1000; }
  void AdvanceMicros(uint64_t us) { mMicros += us; }
  uint64_t SleepCount() const { return mSleeps.load(); }

private:
  std::atomic<uint64_t> mMicros;
  std::atomic<uint64_t> mSleeps{0};
};

// The clock every caller uses; a null argument restores the real clock.
Clock& GetClock();
void SetClock(Clock* clock);
// Whether the clock in use is the real one (waits that other sources end
// early, such as waiting for input, need real time).
bool ClockIsReal();

// Installs a clock for the lifetime of the guard (tests).
class ScopedClock {
public:
  explicit ScopedClock(Clock& clock) { SetClock(&clock); }
  ~ScopedClock() { SetClock(nullptr); }
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;
};

inline uint32_t timeGetTime() { return GetClock().Milliseconds(); }
inline uint32_t GetTickCount() { return GetClock().Milliseconds(); }
inline void Sleep(uint32_t ms) { GetClock().Sleep(ms); }
inline bool QueryPerformanceCounter(int64_t* out) { *out = GetClock().PerformanceCounter(); return true; }
inline bool QueryPerformanceFrequency(int64_t* out) { *out = GetClock().PerformanceFrequency(); return true; }

}  // namespace Plix
