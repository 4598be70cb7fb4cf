#include "framework/app/PerfTimer.h"

#include <map>
#include <vector>

#include "framework/platform/Clock.h"
#include "framework/util/Utilities.h"

namespace Plix {

PerfTimer gPerfTimer;

void PerfTimer::Start() {
  mRunning = true;
  QueryPerformanceCounter(&mStart);
}

void PerfTimer::Stop() {
  if (!mRunning) return;
  CalcDuration();
  mRunning = false;
}

double PerfTimer::GetDuration() {
  if (mRunning) CalcDuration();
  return mDuration;
}

void PerfTimer::CalcDuration() {
  int64_t now = 0, frequency = 1;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  mDuration = static_cast<double>((now - mStart) * 1000) / static_cast<double>(frequency);
}

namespace {

int64_t gCPUSpeed = 0;

uint64_t TimeStamp() { return static_cast<uint64_t>(GetClock().PerformanceCounter()); }

struct Section {
  uint64_t startStamp = 0;
  uint64_t totalCycles = 0;
  double totalMs = 0.0;
  double longest = 0.0;  // cycles until Stop, milliseconds after
  int depth = 0;
  int calls = 0;
};

struct Event {
  const char* section;
  uint64_t stamp;
  bool begin;
};

struct Profiler {
  std::map<std::string, Section> sections;
  std::vector<Event> events;
  bool running = false;
  uint64_t startStamp = 0;
  uint64_t overhead = 0;
  double totalTime = 0.0;
};

Profiler gProfiler;

// Events wait in a list and are applied in batches, so that marking costs
// little inside the measured code.
constexpr size_t kEventBatch = 4096;

void ApplyEvent(const Event& e) {
  if (e.begin) {
    Section& s = gProfiler.sections[e.section];
    ++s.calls;
    if (++s.depth == 1) s.startStamp = e.stamp;
    return;
  }
  auto it = gProfiler.sections.find(e.section);
  if (it == gProfiler.sections.end()) return;
  Section& s = it->second;
  if (s.depth == 0) return;  // an unbalanced end
  if (--s.depth == 0) {
    uint64_t d = e.stamp - s.startStamp;
    s.totalCycles += d;
    if (static_cast<double>(d) > s.longest) s.longest = static_cast<double>(d);
  }
}

void ProcessEvents() {
  uint64_t start = TimeStamp();
  for (const Event& e : gProfiler.events) ApplyEvent(e);
  gProfiler.events.clear();
  gProfiler.overhead += TimeStamp() - start;
}

void AddEvent(const char* section, bool begin) {
  if (!gProfiler.running || !section) return;
  gProfiler.events.push_back({section, TimeStamp(), begin});
  if (gProfiler.events.size() >= kEventBatch) ProcessEvents();
}

}  // namespace

int64_t GetCPUSpeed() {
  if (gCPUSpeed > 0) return gCPUSpeed;
  int64_t frequency = 0;
  QueryPerformanceFrequency(&frequency);
  gCPUSpeed = frequency > 0 ? frequency : 1;
  return gCPUSpeed;
}

void SectionProfiler::Start() {
  gProfiler.sections.clear();
  gProfiler.events.clear();
  gProfiler.overhead = 0;
  gProfiler.running = true;
  gProfiler.startStamp = TimeStamp();
}

void SectionProfiler::Stop() {
  uint64_t now = TimeStamp();
  ProcessEvents();
  gProfiler.running = false;
  auto speed = static_cast<double>(GetCPUSpeed());
  gProfiler.totalTime = static_cast<double>(now - gProfiler.overhead - gProfiler.startStamp) * 1000.0 / speed;
  for (auto& [name, s] : gProfiler.sections) {
    s.totalMs = static_cast<double>(s.totalCycles) * 1000.0 / speed;
    s.longest = s.longest * 1000.0 / speed;
  }
}

bool SectionProfiler::IsRunning() { return gProfiler.running; }

std::string SectionProfiler::GetResults() {
  std::string out = StrFormat("Total Time: %.2f\n", gProfiler.totalTime);
  for (const auto& [name, s] : gProfiler.sections) {
    out += StrFormat("%s (%d calls, %%%.2f time): %.2f (%.2f avg, %.2f longest)\n", name.c_str(), s.calls,
                     s.totalMs / gProfiler.totalTime * 100, s.totalMs, s.totalMs / s.calls, s.longest);
  }
  return out;
}

void SectionProfiler::Begin(const char* section) { AddEvent(section, true); }
void SectionProfiler::End(const char* section) { AddEvent(section, false); }

}  // namespace Plix
