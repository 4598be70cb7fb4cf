// Watching a demo: the playback keys, fast-forward, the marker list and
// the jump-to-time dialog; and the screen-saver filter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/DemoFile.h"
#include "framework/graphics/SysFont.h"
#include "framework/platform/Registry.h"
#include "framework/platform/WindowSystem.h"
#include "framework/widget/WidgetManager.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

// Notes the update of every key it gets and whether the sound was off.
class TickProbe : public ProbeWidget {
public:
  explicit TickProbe(PlixAppBase* app) : mApp(app) {}
  void KeyDown(int key) override { mKeys.push_back(std::to_string(mApp->mTicksDone) + ":" + std::to_string(key)); }
  void Update() override {
    ProbeWidget::Update();
    if (mApp->IsMuted()) ++mMutedUpdates;
  }
  PlixAppBase* mApp;
  std::vector<std::string> mKeys;
  int mMutedUpdates = 0;
};

class DemoToolsTest : public AppFixture {
protected:
  // A playing application with the given stream, length and markers.
  void Play(const std::vector<std::pair<uint32_t, int>>& fields, uint32_t length,
            std::vector<DemoMarker> markers = {}) {
    auto& app = Make();
    ASSERT_EQ(InitApp(), -1);
    app.mMainLoopRunning = true;
    app.mLoadingHookDone = true;
    ShowWindow(app.mMainWindow, SW_SHOW);
    mTicks = std::make_unique<TickProbe>(&app);
    mTicks->Resize(0, 0, 800, 600);
    app.mAppWidgets->AddWidget(mTicks.get());
    app.mAppWidgets->SetFocus(mTicks.get());
    Buffer b;
    for (const auto& [value, count] : fields) b.WriteBits(value, count);
    app.mDemoBuffer.SetData(b.GetDataPtr(), b.GetDataLen());
    app.mDemoPlaying = true;
    app.mDemoLoadingSeen = true;
    app.mDemoLength = length;
    app.mDemoMarkers = std::move(markers);
    app.mTicksDone = 0;
    app.mDemoRecordTime = 0;
  }
  void TearDown() override {
    if (mApp && mTicks) mApp->mAppWidgets->RemoveWidget(mTicks.get());
    if (mApp) mApp->StopDemo();
  }
  void Type(const std::wstring& text) {
    for (wchar_t ch : text) mBackend.Queue(WM_CHAR, static_cast<WPARAM>(ch), 0, mApp->mMainWindow);
  }
  void Key(int key) { mBackend.Queue(WM_KEYDOWN, static_cast<WPARAM>(key), 0, mApp->mMainWindow); }
  void Click(int x, int y, bool twice = false) {
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP}) mBackend.Queue(m, 0, MakePointLParam(x, y), mApp->mMainWindow);
    if (!twice) return;
    for (UINT m : {WM_LBUTTONDBLCLK, WM_LBUTTONUP}) mBackend.Queue(m, 0, MakePointLParam(x, y), mApp->mMainWindow);
  }

  std::unique_ptr<TickProbe> mTicks;
};

TEST_F(DemoToolsTest, PlaybackKeysSetSpeedJumpsPauseAndSound) {
  Play({}, 9000);
  const struct {
    wchar_t key;
    double speed;
    int32_t jump;
  } cases[] = {
      {'+', 1.5, 0}, {'+', 2.25, 0}, {'-', 1.5, 0}, {'=', 1.0, 0},
      {'0', 1.0, 9000}, {'9', 1.0, 8500}, {'8', 1.0, 8000}, {'7', 1.0, 6000}, {'6', 1.0, 3000}, {'5', 1.0, 0},
      // Two minutes before the end of a 90-second demo: behind its start.
      {'4', 1.0, -3000},
  };
  for (const auto& c : cases) {
    SendMessageA(mApp->mMainWindow, WM_CHAR, c.key, 0);
    EXPECT_DOUBLE_EQ(mApp->mSpeedFactor, c.speed) << static_cast<char>(c.key);
    EXPECT_EQ(mApp->mSkipToTick, c.jump) << static_cast<char>(c.key);
  }
  SendMessageA(mApp->mMainWindow, WM_CHAR, 'p', 0);
  EXPECT_TRUE(mApp->mUpdatesPaused);
  SendMessageA(mApp->mMainWindow, WM_CHAR, 'P', 0);
  EXPECT_FALSE(mApp->mUpdatesPaused);
  SendMessageA(mApp->mMainWindow, WM_CHAR, 'M', 0);
  EXPECT_TRUE(mApp->mSkipToMarker);
  mApp->mSkipToMarker = false;

  mApp->SetMusicVolume(0.5);
  mApp->SetSfxVolume(0.25);
  SendMessageA(mApp->mMainWindow, WM_CHAR, 's', 0);
  EXPECT_EQ(mApp->GetMusicVolume(), 0.0);
  EXPECT_EQ(mApp->GetSfxVolume(), 0.0);
  SendMessageA(mApp->mMainWindow, WM_CHAR, 'S', 0);
  EXPECT_EQ(mApp->GetMusicVolume(), 0.5);
  EXPECT_EQ(mApp->GetSfxVolume(), 0.25);
  // None of it reached the game.
  Pump();
  EXPECT_TRUE(mTicks->mEvents.empty());
}

TEST_F(DemoToolsTest, FastForwardRunsSilentlyToItsTargetReplayingOnTheWay) {
  // Keys at updates 100 and 200 (fillers between).
  std::vector<std::pair<uint32_t, int>> fields;
  for (int i = 0; i < 6; ++i) fields.insert(fields.end(), {{15, 4}, {0, 1}, {31, 5}});
  fields.insert(fields.end(), {{10, 4}, {0, 1}, {3, 5}, {'A', 8}});
  for (int i = 0; i < 6; ++i) fields.insert(fields.end(), {{15, 4}, {0, 1}, {31, 5}});
  fields.insert(fields.end(), {{10, 4}, {0, 1}, {3, 5}, {'B', 8}});
  Play(fields, 1000);
  mApp->mSkipToTick = 300;
  const uint32_t start = mClock.Milliseconds();
  while (mApp->mTicksDone < 300) mApp->MainLoopStep(nullptr);
  // No waiting between the ticks, and the sound off while skipping.
  EXPECT_LT(mClock.Milliseconds() - start, 100u);
  EXPECT_EQ(mTicks->mKeys, (std::vector<std::string>{"100:65", "200:66"}));
  EXPECT_GE(mTicks->mMutedUpdates, 290);
  RunFor(200);
  EXPECT_FALSE(mApp->IsMuted());
  EXPECT_NEAR(mApp->mTicksDone, 320, 2);

  // Paused, each N runs one update.
  SendMessageA(mApp->mMainWindow, WM_CHAR, 'p', 0);
  RunFor(200);
  const int32_t paused = mApp->mTicksDone;
  SendMessageA(mApp->mMainWindow, WM_CHAR, 'n', 0);
  RunFor(200);
  EXPECT_EQ(mApp->mTicksDone, paused + 1);
  SendMessageA(mApp->mMainWindow, WM_CHAR, 'n', 0);
  RunFor(200);
  EXPECT_EQ(mApp->mTicksDone, paused + 2);
  EXPECT_FALSE(mApp->IsMuted());
}

TEST_F(DemoToolsTest, JumpToTimeTakesTheTypedTimeBeforeTheEnd) {
  Play({}, 20000);
  const struct {
    const char* name;
    std::wstring typed;
    int32_t jump;
  } cases[] = {
      {"minutes and seconds", L"1:30", 20000 - 9100},
      {"hours", L"2:00:00", 20000 - 720100},
      {"empty", L"", 20000 - 100},
      {"zero", L"0", 20000 - 100},
      {"leading digits count", L"2x:5", 20000 - 12600},
  };
  for (const auto& c : cases) {
    mApp->mSkipToTick = 0;
    // The last time typed comes back selected: typing replaces it.
    Type(L"j" + c.typed);
    if (c.typed.empty()) Key(VK_BACK);
    Key(VK_RETURN);
    Pump();
    EXPECT_EQ(mApp->mSkipToTick, c.jump) << c.name;
  }
  // Kept as typed, with its terminator.
  DWORD type = 0, length = 16;
  BYTE data[16] = {};
  ASSERT_EQ(GetRegistryStore().QueryValue("SOFTWARE\\TestCo\\PlixTest", "DemoJumpTime", &type, data, &length),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), length), std::string("2x:5\0", 5));

  // Escape leaves the target alone; nothing reached the game.
  mApp->mSkipToTick = 7;
  Type(L"j5");
  Key(VK_ESCAPE);
  Pump();
  EXPECT_EQ(mApp->mSkipToTick, 7);
  EXPECT_TRUE(mTicks->mEvents.empty());
}

TEST_F(DemoToolsTest, AStoredTimeTooLongForItsBufferIsNotShown) {
  Play({}, 20000);
  const std::string key = "SOFTWARE\\TestCo\\PlixTest";
  const struct {
    std::string stored;
    int32_t jump;
  } cases[] = {{"0:10", 20000 - 1100}, {std::string(1000, '7'), 20000 - 100}, {"9" + std::string(998, ' '), 20000 - 1000}};
  for (const auto& c : cases) {
    GetRegistryStore().SetValue(key, "DemoJumpTime", REG_SZ, reinterpret_cast<const BYTE*>(c.stored.data()),
                                static_cast<DWORD>(c.stored.size()));
    Type(L"j");
    Key(VK_RETURN);
    Pump();
    EXPECT_EQ(mApp->mSkipToTick, c.jump) << c.stored.size();
  }
}

TEST_F(DemoToolsTest, TheMarkerListShowsWhatLiesAheadAndJumpsToIt) {
  const std::vector<DemoMarker> markers = {{"early", 50}, {"mid", 3000}, {"late", 6000}};
  EXPECT_EQ(DemoMarkerEntry(markers[1], 9000, 10), L"mid (00:01:00)");
  EXPECT_EQ(DemoMarkerEntry({"long ago", 0}, 400000, 10), L"long ago (01:06:40)");
  Play({}, 9000, markers);
  mApp->mTicksDone = 100;
  // The list's first line, 10 pixels inside the dialog's client area.
  const int line = SysFont("Tahoma", 8).GetHeight();
  const int x = 15 + 3 + 10 + 20, y = 16 + 20 + 3 + 10 + 2 + line / 2;
  Type(L"l");
  Click(x, y + line, true);
  Pump();
  EXPECT_EQ(mApp->mSkipToTick, 6000);  // "early" is behind: "late" is second
  Type(L"l");
  Click(x, y, true);
  Pump();
  EXPECT_EQ(mApp->mSkipToTick, 3000);
  // A single click only selects; a close of the window ends the list and
  // still closes the program afterwards.
  mApp->mSkipToTick = 0;
  Type(L"l");
  Click(x, y);
  mBackend.Queue(WM_CLOSE, 0, 0, mApp->mMainWindow);
  Pump();
  EXPECT_EQ(mApp->mSkipToTick, 0);
  EXPECT_TRUE(mApp->mShuttingDown);
}

class ScreenSaverTest : public AppFixture {
protected:
  void SetUp() override {
    auto& app = Make();
    app.mScreenSaverMode = true;
    ASSERT_EQ(InitApp(), -1);
    ShowWindow(app.mMainWindow, SW_SHOW);
  }
  bool ClosePosted() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message == WM_CLOSE) return true;
    return false;
  }
  void Move(int x, int y) { SendMessageA(mApp->mMainWindow, WM_MOUSEMOVE, 0, MakePointLParam(x, y)); }
};

TEST_F(ScreenSaverTest, SmallJitterIsIgnoredAndTheFourthMoveCloses) {
  Move(1, 1);
  Move(2, 1);
  Move(2, 1);  // no move: not counted
  Move(3, 1);
  EXPECT_FALSE(ClosePosted());
  EXPECT_TRUE(mApp->mDeferredMessages.empty());
  Move(4, 1);
  EXPECT_TRUE(ClosePosted());
  // Closing: nothing more is looked at.
  Move(9, 9);
  EXPECT_FALSE(ClosePosted());
}

TEST_F(ScreenSaverTest, TheMonitorPoweringDownIsNotActivity) {
  for (int i = 1; i <= 3; ++i) Move(i, i);
  gMonitorPowerTime = GetTickCount();
  Move(10, 10);
  SendMessageA(mApp->mMainWindow, WM_ACTIVATEAPP, 0, 0);
  EXPECT_FALSE(ClosePosted());
  mClock.Advance(1000);
  Move(11, 11);
  EXPECT_TRUE(ClosePosted());
  gMonitorPowerTime = 0;
}

TEST_F(ScreenSaverTest, AKeyOrAClickClosesAtOnce) {
  for (UINT message : {WM_KEYDOWN, WM_LBUTTONDOWN}) {
    mApp->mSaverClosing = false;
    SendMessageA(mApp->mMainWindow, message, 'A', 0);
    EXPECT_TRUE(ClosePosted()) << message;
  }
}

}  // namespace
}  // namespace Plix::Testing
