// A still scene: the framework's application with one picture that never
// changes, in a real window (run it on a display, e.g. under Xvfb; without
// one SDL's dummy driver stands in and says so). After a few seconds to
// settle it measures, for a stretch of wall time (30 s, or the seconds given
// as the first argument), the processor time of the whole program (every
// thread, from getrusage) and ends with "ratio idle <processor time / wall
// time>": the share of one core it used. Once per run it checks that the
// loop kept its 100 updates a second all along and presented nothing while
// nothing changed, and fails when it did not.
// Beside it, as what a program waking for each of its 100 ticks a second
// pays on this machine, a bare loop waits (poll with a timeout, nothing to
// read) for each 10 ms tick over the same wall time; "ratio idle_floor" is
// that loop's share of a core, and "ratio idle_over_floor" ours over it
// (below 1: a still screen wakes the game only every few ticks).
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/BenchFolder.h"
#include "framework/app/PlixAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/CommandLine.h"
#include "framework/widget/Widget.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {
namespace {

using WallClock = std::chrono::steady_clock;

double ProcessorSeconds(int who = RUSAGE_SELF) {
  rusage u{};
  getrusage(who, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The floor: a wait for each 10 ms tick on a descriptor that never becomes
// readable, for `seconds` of wall time. Returns the share of a core this
// thread used, and the ticks it made in `ticks`.
double FloorShare(double seconds, int& ticks) {
  int ends[2];
  if (pipe(ends) != 0) return -1;
  const auto from = WallClock::now();
  const double fromCpu = ProcessorSeconds(RUSAGE_THREAD);
  auto next = from;
  ticks = 0;
  double wall = 0;
  while ((wall = std::chrono::duration<double>(WallClock::now() - from).count()) < seconds) {
    next += std::chrono::milliseconds(10);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next - WallClock::now()).count();
    pollfd quiet{ends[0], POLLIN, 0};
    if (left > 0) poll(&quiet, 1, static_cast<int>(left));
    ++ticks;
  }
  const double cpu = ProcessorSeconds(RUSAGE_THREAD) - fromCpu;
  close(ends[0]);
  close(ends[1]);
  return cpu / wall;
}

// A picture drawn once: it never marks itself dirty again.
class Picture : public Widget {
public:
  void Draw(Graphics* g) override {
    for (int i = 0; i < 60; ++i) {
      g->SetColor(Color(40 + i * 3, 90 + i, 200 - i * 2));
      g->FillRect(0, i * 10, 800, 10);
    }
  }
};

class StillApp : public PlixAppBase {
public:
  StillApp(double settle, double seconds) : mSettle(settle), mSeconds(seconds) {
    mCompanyWord = "PlixBench";
    mProductTitle = "PlixIdle";
    mWindowTitle = L"PlixIdle";
    mRegKeyPath = "PlixBench\\PlixIdle";
    mScreenWidth = 800;
    mScreenHeight = 600;
    mWindowedMode = true;
  }
  bool HandleChangeDir(const std::string&) override { return true; }

  // The stretch is timed from the main loop's own ticks.
  void UpdateTick() override {
    PlixAppBase::UpdateTick();
    const auto now = WallClock::now();
    if (mTicksDone == 1) mBegun = now;
    const double since = std::chrono::duration<double>(now - mBegun).count();
    if (!mMeasuring && since >= mSettle) {
      mMeasuring = true;
      mFrom = now;
      mFromCpu = ProcessorSeconds();
      mFromTicks = mTicksDone;
      mFromDraws = mDrawsDone;
      mFromWaits = mSleepsDone;
    } else if (mMeasuring && !mDone && std::chrono::duration<double>(now - mFrom).count() >= mSeconds) {
      mDone = true;
      mWall = std::chrono::duration<double>(now - mFrom).count();
      mCpu = ProcessorSeconds() - mFromCpu;
      mTicks = mTicksDone - mFromTicks;
      mDraws = mDrawsDone - mFromDraws;
      mWaits = mSleepsDone - mFromWaits;
      Shutdown();
    }
  }

  double mSettle, mSeconds;
  WallClock::time_point mBegun{}, mFrom{};
  bool mMeasuring = false, mDone = false;
  double mFromCpu = 0, mWall = 0, mCpu = 0;
  int mFromTicks = 0, mFromDraws = 0, mFromWaits = 0, mTicks = 0, mDraws = 0, mWaits = 0;
};

}  // namespace
}  // namespace Plix

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
  auto folder = std::make_unique<Plix::Bench::BenchFolder>("idle-bench");
  const char* args[] = {argv[0]};
  Plix::SetCommandLineArgs(1, args);

  auto* app = new Plix::StillApp(3.0, seconds > 0 ? seconds : 30.0);
  app->Init();
  Plix::Picture picture;
  picture.Resize(0, 0, 800, 600);
  app->mAppWidgets->AddWidget(&picture);
  app->Start();
  app->mAppWidgets->RemoveWidget(&picture);
  const bool done = app->mDone;
  const double wall = app->mWall, cpu = app->mCpu;
  const int ticks = app->mTicks, draws = app->mDraws, waits = app->mWaits;
  delete app;
  folder.reset();

  const char* driver = std::getenv("SDL_VIDEODRIVER");
  std::printf("video: %s\n", driver && *driver ? driver : "the display's");
  if (!done) {
    std::fprintf(stderr, "FAILED: the program ended before the measurement did\n");
    return 1;
  }
  // 100 updates a second, within a tick or two each second of a loaded
  // machine's scheduling.
  const double rate = ticks / wall;
  std::printf("check idle: %d updates in %.1f s (%.1f a second), %d presents, %d waits\n", ticks, wall, rate, draws,
              waits);
  if (rate < 97.0 || rate > 103.0 || draws != 0) {
    std::fprintf(stderr, "FAILED: a still scene must keep 100 updates a second and present nothing\n");
    return 1;
  }
  int floorTicks = 0;
  const double floor = Plix::FloorShare(wall, floorTicks);
  std::printf("idle %.3f s of processor time in %.1f s\n", cpu, wall);
  std::printf("floor: %d bare waits in %.1f s, %.4f of a core\n", floorTicks, wall, floor);
  std::printf("ratio idle %.4f\n", cpu / wall);
  if (floor > 0) {
    std::printf("ratio idle_floor %.4f\n", floor);
    std::printf("ratio idle_over_floor %.3f\n", cpu / wall / floor);
  }
  return 0;
}
