#include "framework/platform/Clock.h"

#include <cerrno>
#include <ctime>

namespace Plix {

namespace {
int64_t MonotonicNanos() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

RealClock gRealClock;
std::atomic<Clock*> gClock{&gRealClock};
}  // namespace

uint32_t RealClock::Milliseconds() {
  return static_cast<uint32_t>(static_cast<uint64_t>(MonotonicNanos() / 1000000));
}

void RealClock::Sleep(uint32_t ms) {
  timespec req{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  timespec rem{};
  while (nanosleep(&req, &rem) == -1 && errno == EINTR) req = rem;
}

int64_t RealClock::PerformanceCounter() { return MonotonicNanos(); }
int64_t RealClock::PerformanceFrequency() { return 1000000000; }

Clock& GetClock() { return *gClock.load(std::memory_order_acquire); }

bool ClockIsReal() { return gClock.load(std::memory_order_acquire) == &gRealClock; }

void SetClock(Clock* clock) {
  gClock.store(clock ? clock : &gRealClock, std::memory_order_release);
}

}  // namespace Plix
