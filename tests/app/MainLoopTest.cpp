#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/WindowSystem.h"
#include "framework/widget/WidgetManager.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

// Drawing and presenting take fake time; presents are counted.
class PacingApp : public TestApp {
public:
  FakeClock* mClock = nullptr;
  uint32_t mDrawCostMs = 0;
  uint64_t mPresentCostMicros = 0;
  int mPresents = 0;
  int mLoadingDone = 0;

  bool DrawFrame() override {
    mClock->Advance(mDrawCostMs);
    return PlixAppBase::DrawFrame();
  }
  void PresentScreen(bool) override {
    mClock->AdvanceMicros(mPresentCostMicros);
    ++mPresents;
  }
  void OnLoadingDone() override { ++mLoadingDone; }
};

class MainLoopTest : public AppFixture {
protected:
  // On the fixture's fake clock.
  PacingApp& MakePacingApp() {
    auto& app = Make<PacingApp>();
    app.mClock = &mClock;
    return app;
  }
  PacingApp& MakePacing() {
    auto& app = MakePacingApp();
    app.mLoadingHookDone = true;  // no load to wait for
    AddProbe().mAlwaysDirty = true;
    return app;
  }
};

TEST_F(MainLoopTest, TicksFollowRealTimeWhateverTheDrawCost) {
  const struct {
    double speed;
    uint32_t drawCostMs;
    int expectedPerSecond;
  } cases[] = {
      {1.0, 0, 100}, {1.0, 3, 100}, {1.0, 25, 100}, {1.0, 60, 100},
      {2.0, 0, 200}, {2.0, 15, 200}, {0.5, 0, 50},
  };
  for (const auto& c : cases) {
    auto& app = MakePacing();
    app.mSpeedFactor = c.speed;
    app.mDrawCostMs = c.drawCostMs;
    RunFor(1000);  // settle
    const int before = app.mTicksDone;
    RunFor(10000);
    const int ticks = app.mTicksDone - before;
    EXPECT_NEAR(ticks, c.expectedPerSecond * 10, 2) << "speed " << c.speed << " draw " << c.drawCostMs;
    EXPECT_GT(app.mPresents, 0);
  }
}

TEST_F(MainLoopTest, SlowFramesDrawAtLeastEveryTenTicks) {
  auto& app = MakePacing();
  app.mDrawCostMs = 200;
  RunFor(1000);
  const int ticks = app.mTicksDone, presents = app.mPresents;
  RunFor(5000);
  // At most 10 ticks in a row between 200 ms frames: the game slows down
  // rather than building up backlog.
  const int frames = app.mPresents - presents;
  EXPECT_NEAR(frames, 25, 1);
  EXPECT_LE(app.mTicksDone - ticks, 10 * frames);
  EXPECT_GE(app.mTicksDone - ticks, 9 * frames);
}

TEST_F(MainLoopTest, AStallIsCaughtUpByTwoHundredMillisecondsAtMost) {
  auto& app = MakePacing();
  RunFor(1000);
  const int before = app.mTicksDone;
  mClock.Advance(5000);
  // Run until the loop sleeps again: every step that does not move the
  // clock is catch-up.
  const uint32_t now = mClock.Milliseconds();
  while (mClock.Milliseconds() == now) app.MainLoopStep(nullptr);
  EXPECT_EQ(app.mTicksDone - before, 20);
}

TEST_F(MainLoopTest, RefreshLockedPacingRunsFiveTicksPerThreeFrames) {
  auto& app = MakePacing();
  app.mPaceByRefresh = true;
  app.mRefreshRateHz = 60;
  app.mWindowedActual = false;  // full screen: the present waits for the display
  app.mPresentCostMicros = 16667;
  RunFor(1000);
  const int ticks = app.mTicksDone, presents = app.mPresents;
  RunFor(10000);
  EXPECT_NEAR(app.mPresents - presents, 600, 3);
  EXPECT_NEAR(app.mTicksDone - ticks, 1000, 3);
  EXPECT_FALSE(app.mRefreshPacingFailed);
}

TEST_F(MainLoopTest, RefreshLockIsDroppedWhenPresentingDoesNotWait) {
  auto& app = MakePacing();
  app.mPaceByRefresh = true;
  app.mRefreshRateHz = 60;
  app.mWindowedActual = false;
  app.mPresentCostMicros = 0;  // no vertical sync: frames cost nothing
  while (!app.mRefreshPacingFailed && app.mTicksDone < 1000) app.MainLoopStep(nullptr);
  EXPECT_TRUE(app.mRefreshPacingFailed);
  // Every 100th tick that state 1 runs is a test (the other two thirds run
  // with the frame's fraction); the third fast period in a row drops it.
  EXPECT_LE(app.mTicksDone, 670);
  const int before = app.mTicksDone;
  RunFor(10000);
  EXPECT_NEAR(app.mTicksDone - before, 1000, 3);
}

TEST_F(MainLoopTest, WhileLoadingFramesAreThrottledAndTheHandOverRunsOnce) {
  auto& app = MakePacing();
  app.mLoadingHookDone = false;
  app.mLoaderStarted = true;  // a load in progress (no thread needed)
  app.mLoaderPriority = true;
  app.mDrawCostMs = 5;
  RunFor(1000);
  const int presents = app.mPresents;
  RunFor(2000);
  EXPECT_LE(app.mPresents - presents, 41);  // at least 50 ms apart
  EXPECT_GE(app.mPresents - presents, 30);
  EXPECT_EQ(app.mLoadingDone, 0);

  app.mLoaderFinished = true;
  RunFor(1000);
  EXPECT_EQ(app.mLoadingDone, 1);
  EXPECT_FALSE(app.mLoaderPriority);
  EXPECT_TRUE(app.mLoadingHookDone);
  const int after = app.mPresents;
  RunFor(1000);
  EXPECT_GE(app.mPresents - after, 90);
}

// A still screen: ticks go on at their rate, but nothing is drawn or
// presented. Once nothing has changed for a second the loop wakes only
// every fourth tick and runs the ticks due together; a change made by a
// tick is shown within those four ticks, and brings back a wait per tick.
TEST_F(MainLoopTest, AStillScreenTicksButPresentsNothingAndWakesEveryFourthTick) {
  auto& app = MakePacingApp();
  app.mLoadingHookDone = true;
  ProbeWidget& probe = AddProbe();
  RunFor(1000);
  const int ticks = app.mTicksDone, presents = app.mPresents, updates = probe.mUpdates;
  int waits = mBackend.mWaits;
  RunFor(10000);
  // Up to three ticks wait for the next wake-up.
  EXPECT_NEAR(app.mTicksDone - ticks, 1000, 4);
  EXPECT_NEAR(probe.mUpdates - updates, 1000, 4);
  EXPECT_EQ(app.mPresents, presents);
  EXPECT_NEAR(mBackend.mWaits - waits, 250, 2);

  probe.MarkDirty();
  RunFor(40);
  EXPECT_EQ(app.mPresents, presents + 1);
  waits = mBackend.mWaits;
  RunFor(500);
  EXPECT_NEAR(mBackend.mWaits - waits, 50, 2);
  RunFor(2000);
  waits = mBackend.mWaits;
  RunFor(1000);
  EXPECT_NEAR(mBackend.mWaits - waits, 25, 2);
}

// Input on a still screen is answered at the full rate: the tick after it
// is not held back to the fourth.
TEST_F(MainLoopTest, InputOnAStillScreenBringsBackAWaitPerTick) {
  auto& app = MakePacingApp();
  ASSERT_EQ(InitApp(), -1);
  app.mLoadingHookDone = true;
  ProbeWidget& probe = AddProbe();
  RunFor(3000);
  int waits = mBackend.mWaits;
  RunFor(1000);
  ASSERT_LT(mBackend.mWaits - waits, 40);
  mBackend.Queue(WM_KEYDOWN, 'K', 0, app.mMainWindow);
  waits = mBackend.mWaits;
  RunFor(500);
  ASSERT_EQ(probe.mEvents.size(), 1u);
  EXPECT_NEAR(mBackend.mWaits - waits, 50, 3);
}

// Input ends the wait between ticks: a key is handled before the next tick
// is due, not after it.
TEST_F(MainLoopTest, InputEndsTheWaitBetweenTicks) {
  auto& app = MakePacingApp();
  ASSERT_EQ(InitApp(), -1);
  app.mLoadingHookDone = true;
  ProbeWidget& probe = AddProbe();
  RunFor(100);
  // Run to the wait after a tick's frame.
  app.mStepPhase = 3;
  app.mDrawWanted = false;
  app.ResetFrameTiming();
  mBackend.Queue(WM_KEYDOWN, 'K', 0, app.mMainWindow);
  const uint32_t before = mClock.Milliseconds();
  EXPECT_TRUE(app.Process(true));
  EXPECT_EQ(mClock.Milliseconds(), before);  // woken at once
  app.MainLoopStep(nullptr);
  ASSERT_EQ(probe.mEvents.size(), 1u);
  EXPECT_EQ(probe.mEvents[0], "down 75");
}

TEST_F(MainLoopTest, SleepingIsRefusedWhenNotAllowed) {
  auto& app = MakePacing();
  RunFor(100);
  // Nothing to draw and the next tick 10 ms away: the pass would sleep.
  app.mStepPhase = 3;
  app.mDrawWanted = false;
  app.ResetFrameTiming();
  const uint32_t before = mClock.Milliseconds();
  EXPECT_FALSE(app.Process(false));
  EXPECT_EQ(mClock.Milliseconds(), before);
  EXPECT_TRUE(app.Process(true));
  EXPECT_EQ(mClock.Milliseconds(), before + 10);
}

TEST_F(MainLoopTest, APausedLoopStillPumpsMessagesAndShowsWhatChanged) {
  auto& app = MakePacingApp();
  ASSERT_EQ(InitApp(), -1);
  ProbeWidget& probe = AddProbe();
  app.mUpdatesPaused = true;
  RunFor(100);
  const int ticks = app.mTicksDone, presents = app.mPresents;
  mBackend.Queue(WM_KEYDOWN, 'P', 0, app.mMainWindow);
  RunFor(3000);
  EXPECT_EQ(app.mTicksDone, ticks);
  ASSERT_FALSE(probe.mEvents.empty());
  EXPECT_EQ(probe.mEvents[0], "down 80");
  EXPECT_EQ(app.mPresents, presents);  // nothing changed, nothing shown
  probe.MarkDirty();
  RunFor(100);
  EXPECT_EQ(app.mPresents, presents + 1);
  app.mUpdatesPaused = false;
  RunFor(1000);
  EXPECT_NEAR(app.mTicksDone - ticks, 100, 2);  // no catch-up of the pause

  app.mSpeedFactor = 0.0;
  const int stopped = app.mTicksDone;
  RunFor(1000);
  EXPECT_EQ(app.mTicksDone, stopped);
}

// Queues a victim for deletion, then runs nested loop steps as a modal
// dialog would.
class NestingWidget : public ProbeWidget {
public:
  PlixAppBase* mApp = nullptr;
  Widget* mVictim = nullptr;
  bool* mVictimAlive = nullptr;
  bool mAliveAfterNested = false;
  void Update() override {
    ProbeWidget::Update();
    if (!mVictim) return;
    mApp->QueueWidgetDelete(mVictim);
    mVictim = nullptr;
    for (int i = 0; i < 5; ++i) mApp->MainLoopStep(nullptr);
    mAliveAfterNested = *mVictimAlive;
  }
};

class Victim : public Widget {
public:
  explicit Victim(bool* alive) : mAlive(alive) { *mAlive = true; }
  ~Victim() override { *mAlive = false; }
  bool* mAlive;
};

TEST_F(MainLoopTest, AWidgetQueuedInAStepIsNotDeletedByANestedStep) {
  auto& app = MakePacing();
  bool alive = false;
  auto* victim = new Victim(&alive);
  NestingWidget nesting;
  nesting.mApp = &app;
  nesting.mVictim = victim;
  nesting.mVictimAlive = &alive;
  app.mAppWidgets->AddWidget(&nesting);
  RunFor(50);
  EXPECT_TRUE(nesting.mAliveAfterNested);
  EXPECT_FALSE(alive);
  app.mAppWidgets->RemoveWidget(&nesting);

  // Queued outside any step: kept until the loop has ended.
  bool outsideAlive = false;
  app.QueueWidgetDelete(new Victim(&outsideAlive));
  RunFor(50);
  EXPECT_TRUE(outsideAlive);
  app.mStepNesting = 0;
  app.FlushDeferredDeletes();
  EXPECT_FALSE(outsideAlive);
}

TEST_F(MainLoopTest, StartRunsUntilCloseAndWritesTheRunStatistics) {
  auto& app = MakePacingApp();
  ASSERT_EQ(InitApp(), -1);
  app.mLoaderStartsWithLoop = false;
  app.mLoadingHookDone = true;
  app.mHooks.clear();
  // Closes the window after two seconds of fake time.
  struct Closer : ProbeWidget {
    FakeWindowBackend* backend;
    HWND window;
    uint32_t closeAt;
    void Update() override {
      if (GetTickCount() >= closeAt && closeAt != 0) {
        backend->Queue(WM_CLOSE, 0, 0, window);
        closeAt = 0;
      }
    }
  } closer;
  closer.backend = &mBackend;
  closer.window = app.mMainWindow;
  closer.closeAt = mClock.Milliseconds() + 2000;
  app.mAppWidgets->AddWidget(&closer);
  app.Start();
  app.mAppWidgets->RemoveWidget(&closer);
  EXPECT_TRUE(app.mShuttingDown);
  EXPECT_NEAR(app.mTicksDone, 200, 3);
  const auto lines = DebugLines();
  bool seconds = false, updates = false;
  for (const std::string& line : lines) {
    seconds = seconds || line.rfind("Seconds       = 2", 0) == 0;
    updates = updates || line.rfind("Update Count  = ", 0) == 0;
  }
  EXPECT_TRUE(seconds) << testing::PrintToString(lines);
  EXPECT_TRUE(updates);
  EXPECT_EQ(app.mHooks, (std::vector<std::string>{"OnShutdown", "SaveSettings", "SaveSettings"}));
}

TEST_F(MainLoopTest, NothingTicksOrDrawsWhileTheScreenSaverIsDue) {
  auto& app = MakePacingApp();
  ASSERT_EQ(InitApp(), -1);
  app.mLoadingHookDone = true;
  app.mMainLoopRunning = true;
  ShowWindow(app.mMainWindow, SW_SHOW);
  AddProbe().mAlwaysDirty = true;
  mBackend.mScreenSaver = ScreenSaverSettings{true, 30, false, true};
  app.mLastInputTime = mClock.Milliseconds();
  RunFor(27000);
  EXPECT_FALSE(gScreenSaverIdle);
  RunFor(3000);
  ASSERT_TRUE(gScreenSaverIdle);
  // A load that ends now is handed over only when ticks run again.
  app.mLoadingHookDone = false;
  app.mLoaderStarted = app.mLoaderFinished = true;
  const int ticks = app.mTicksDone, presents = app.mPresents;
  RunFor(5000);
  EXPECT_EQ(app.mTicksDone, ticks);
  EXPECT_EQ(app.mPresents, presents);
  EXPECT_EQ(app.mLoadingDone, 0);
  // Input ends the suspension and everything is drawn again.
  mBackend.Queue(WM_KEYDOWN, 'A', 0, app.mMainWindow);
  RunFor(2000);
  EXPECT_FALSE(gScreenSaverIdle);
  EXPECT_GT(app.mTicksDone, ticks + 50);
  EXPECT_GT(app.mPresents, presents);
  EXPECT_EQ(app.mLoadingDone, 1);
  gScreenSaverIdle = false;
}

class LoadingApp : public PacingApp {
public:
  std::atomic<int> mLoads{0};
  std::thread::id mDoneOn;
  void LoadOnThread() override {
    ++mLoads;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  void OnLoadingDone() override {
    ++mLoadingDone;
    mDoneOn = std::this_thread::get_id();
  }
};

TEST_F(MainLoopTest, TheLoadingThreadRunsOnceAndHandsOverOnTheMainThread) {
  auto& app = Make<LoadingApp>();
  app.mClock = &mClock;
  app.StartLoadingThread();
  app.StartLoadingThread();
  EXPECT_TRUE(app.mLoaderPriority);
  while (!app.mLoadingHookDone) app.MainLoopStep(nullptr);
  RunFor(100);
  EXPECT_EQ(app.mLoads, 1);
  EXPECT_EQ(app.mLoadingDone, 1);
  EXPECT_EQ(app.mDoneOn, std::this_thread::get_id());
  EXPECT_FALSE(app.mLoaderPriority);
  EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 1.0);
  const auto lines = DebugLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("Resource Loading Time: ", 0) == 0; }),
            1);
}

// What a loading thread still running at the application's end saw.
std::atomic<bool> gLateLoaderStarted{false};
std::atomic<bool> gLateLoaderSawManagers{false};

class LateLoadingApp : public TestApp {
public:
  void LoadOnThread() override {
    gLateLoaderStarted = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // Only the base's members: the derived part is gone by now.
    gLateLoaderSawManagers = mAppWidgets != nullptr && mAppResources != nullptr;
    if (mAppWidgets) mAppWidgets->MarkAllDirty();
  }
};

TEST_F(MainLoopTest, TheApplicationWaitsForItsLoadingThreadBeforeReleasingWhatItUses) {
  gLateLoaderStarted = gLateLoaderSawManagers = false;
  auto& app = Make<LateLoadingApp>();
  app.StartLoadingThread();
  while (!gLateLoaderStarted) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  mApp.reset();
  EXPECT_TRUE(gLateLoaderSawManagers);
}

TEST_F(MainLoopTest, TheCursorThreadMovesTheCursorOnlyWhenFramesStop) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  DDInterface* display = app.mAppDisplay;
  RECT r;
  GetWindowRect(app.mMainWindow, &r);
  auto frameOf = [&](POINT screen) {
    ScreenToClient(app.mMainWindow, &screen);
    ClientToFrame(app.mMainWindow, &screen);
    return screen;
  };
  auto drawnAt = [&](POINT p) {
    AutoCrit lock(display->mCritSect);
    return display->mCursorDrawnX == p.x && display->mCursorDrawnY == p.y;
  };
  auto waitFor = [](const std::function<bool()>& condition) {
    for (int i = 0; i < 400 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return condition();
  };
  // The mouse moves as the system reports it: a move message through the
  // window procedure.
  auto moveMouse = [&](POINT screen) {
    mBackend.mCursorPos = screen;
    const POINT client = frameOf(screen);
    const DWORD packed = MAKELONG(static_cast<WORD>(client.x), static_cast<WORD>(client.y));
    mBackend.Queue(WM_MOUSEMOVE, 0, static_cast<LPARAM>(packed), app.mMainWindow);
    Pump();
    return client;
  };
  app.mDrawsDone = 1;
  app.mNextDrawTime = mClock.Milliseconds();  // frames keep coming
  const POINT first = frameOf(mBackend.mCursorPos = POINT{r.left + 30, r.top + 40});
  app.StartCursorThread();
  ASSERT_TRUE(waitFor([&] { return display->mCursorX == first.x && display->mCursorY == first.y; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(drawnAt(first));  // kept for the next frame to draw

  // The thread follows move messages and does not poll: a position no move
  // reported stays unseen.
  mBackend.mCursorPos = POINT{r.left + 35, r.top + 45};
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(display->mCursorX, first.x);
  const POINT moved = moveMouse(POINT{r.left + 35, r.top + 45});
  ASSERT_TRUE(waitFor([&] { return display->mCursorX == moved.x && display->mCursorY == moved.y; }));
  EXPECT_FALSE(drawnAt(moved));

  mClock.Advance(display->mMillisecondsPerFrame + 6);  // frames have stopped
  const POINT second = moveMouse(POINT{r.left + 50, r.top + 60});
  EXPECT_TRUE(waitFor([&] { return drawnAt(second); }));
}

TEST_F(MainLoopTest, TheFrameRateOverlayChangesAtMostOnceASecond) {
  auto& app = MakePacingApp();
  ASSERT_EQ(InitApp(), -1);
  app.mLoadingHookDone = true;
  AddProbe().mAlwaysDirty = true;
  app.mFpsOverlayOn = true;
  std::vector<int> values;
  const uint32_t end = mClock.Milliseconds() + 3500;
  while (static_cast<int32_t>(mClock.Milliseconds() - end) < 0) {
    app.MainLoopStep(nullptr);
    if (values.empty() || values.back() != app.mFpsValue) values.push_back(app.mFpsValue);
  }
  ASSERT_NE(app.mFpsImage, nullptr);
  EXPECT_EQ(app.mFpsImage->GetWidth(), 50);
  EXPECT_LE(values.size(), 4u);
  EXPECT_NEAR(values.back(), 100, 2);  // a frame after every tick
}

}  // namespace
}  // namespace Plix::Testing
