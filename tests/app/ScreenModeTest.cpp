#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/Direct3D.h"
#include "framework/platform/WindowSystem.h"
#include "framework/widget/WidgetManager.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

class ScreenModeTest : public AppFixture {};

TEST_F(ScreenModeTest, StartUpAgainstADisplayThatFailsOnDemand) {
  const std::wstring colorDepth = L"Please set your desktop color depth to 16 bit.";
  const struct {
    const char* name;
    bool windowed;
    int desktopBits;
    std::function<void()> faults;
    int exitCode;  // -1: started
    bool windowedActual;
    bool fullScreenForced;
    bool windowedForced;
    std::wstring box;
  } cases[] = {
      {"windowed", true, 32, [] {}, -1, true, false, false, L""},
      {"full screen", false, 32, [] {}, -1, false, false, false, L""},
      {"16-bit desktop", true, 16, [] {}, -1, true, false, false, L""},
      {"unusable depth: full screen instead", true, 24, [] {}, -1, false, true, false, L""},
      {"no exclusive mode: a window instead", false, 32,
       [] { EmulatedDisplay::Get().FailNext(DDOp::SetCooperativeLevel, DDERR_EXCLUSIVEMODEALREADYSET); }, -1, true,
       false, true, L""},
      {"no display mode: a window instead", false, 32,
       [] { EmulatedDisplay::Get().FailNext(DDOp::SetDisplayMode, DDERR_INVALIDMODE); }, -1, true, false, true, L""},
      {"neither mode", true, 24,
       [] { EmulatedDisplay::Get().FailNext(DDOp::SetCooperativeLevel, DDERR_EXCLUSIVEMODEALREADYSET, -1); }, 1, false,
       true, true, colorDepth},
      {"full screen fails, then the window's depth", false, 24,
       [] { EmulatedDisplay::Get().FailNext(DDOp::SetCooperativeLevel, DDERR_EXCLUSIVEMODEALREADYSET); }, 1, true,
       false, true, colorDepth},
      {"no surfaces", true, 32, [] { EmulatedDisplay::Get().FailNext(DDOp::CreateSurface, DDERR_OUTOFMEMORY, -1); }, 1,
       true, false, false, L"Failed to initialize DirectDraw: RESULT_SURFACE_FAIL"},
  };
  for (const auto& c : cases) {
    EmulatedDisplayConfig config;
    config.desktopBits = c.desktopBits;
    EmulatedDisplay::Get().ClearFaults();
    EmulatedDisplay::Get().Configure(config);
    mBackend.mBoxes.clear();
    auto& app = Make();
    app.WriteRegistryInteger("ScreenMode", c.windowed ? 0 : 1);
    c.faults();
    const int code = InitApp();
    EmulatedDisplay::Get().ClearFaults();
    EXPECT_EQ(code, c.exitCode) << c.name;
    EXPECT_EQ(app.mWindowedActual, c.windowedActual) << c.name;
    EXPECT_EQ(app.mFullScreenForced, c.fullScreenForced) << c.name;
    EXPECT_EQ(app.mWindowedForced, c.windowedForced) << c.name;
    if (c.box.empty()) {
      EXPECT_TRUE(mBackend.mBoxes.empty()) << c.name;
      EXPECT_EQ(app.mAppWidgets->mImage, static_cast<Image*>(app.mAppDisplay->GetScreenImage())) << c.name;
      EXPECT_NE(app.mAppWidgets->mImage, nullptr) << c.name;
    } else {
      ASSERT_EQ(mBackend.mBoxes.size(), 1u) << c.name;
      EXPECT_EQ(mBackend.mBoxes[0].text.substr(0, c.box.size()), c.box) << c.name;
      EXPECT_EQ(mBackend.mBoxes[0].caption, L"FATAL ERROR") << c.name;
      // The steps after a success never ran on the failed display.
      EXPECT_EQ(app.mAppWidgets->mImage, nullptr) << c.name;
    }
    mApp.reset();
  }
}

// Made where it will stand: a native window moved before it is first shown
// may still appear where it was made. A window as large as the screen (a
// demo played on an 800 x 600 screen) stands at its top left corner.
TEST_F(ScreenModeTest, TheWindowIsMadeCentredSlightlyAboveTheMiddleOfTheWorkArea) {
  const struct {
    RECT work;
    bool demo;
    int left, top;
  } cases[] = {{{0, 0, 1024, 738}, false, (1024 - 800) / 2, static_cast<int>(0.382 * (738 - 600))},
               {{0, 0, 1024, 738}, true, (1024 - 800) / 2, static_cast<int>(0.382 * (738 - 600))},
               {{0, 0, 800, 600}, true, 0, 0},
               {{10, 20, 810, 620}, true, 10, 20}};
  for (const auto& c : cases) {
    mBackend.mWorkArea = c.work;
    auto& app = Make();
    if (c.demo) app.WriteRegistryInteger("ScreenMode", 1);
    ASSERT_EQ(InitApp(), -1);
    if (c.demo) {
      app.mDemoPlaying = true;
      app.ReapplyScreenMode();
    }
    const std::string where = std::to_string(c.work.right) + "x" + std::to_string(c.work.bottom) + (c.demo ? " demo" : "");
    ASSERT_TRUE(app.mWindowedActual) << where;
    RECT r;
    ASSERT_TRUE(GetWindowRect(app.mMainWindow, &r));
    EXPECT_EQ(r.left, c.left) << where;
    EXPECT_EQ(r.top, c.top) << where;
    EXPECT_EQ(r.right - r.left, 800);
    const NativeWindowDesc& made = mBackend.mCreated.back();
    EXPECT_EQ(made.x, c.left) << where;
    EXPECT_EQ(made.y, c.top) << where;
    EXPECT_EQ(made.title, L"PlixTest");
    app.mDemoPlaying = false;
    mApp.reset();
  }
}

TEST_F(ScreenModeTest, APreferredPositionIsPulledBackIntoTheWorkArea) {
  const struct {
    int x, y;
    int left, top;
  } cases[] = {{2000, -50, 1020 - 800, 4},
               {10, 500, 10, 734 - 600},
               {300, 20, 220, 20},
               {INT32_MAX - 10, INT32_MAX - 10, 1020 - 800, 734 - 600}};  // damaged: no overflow
  for (const auto& c : cases) {
    auto& app = Make();
    app.mPreferredX = c.x;
    app.mPreferredY = c.y;
    app.WriteRegistryInteger("PreferredX", c.x);
    app.WriteRegistryInteger("PreferredY", c.y);
    ASSERT_EQ(InitApp(), -1);
    RECT r;
    GetWindowRect(app.mMainWindow, &r);
    EXPECT_EQ(r.left, c.left) << c.x << "," << c.y;
    EXPECT_EQ(r.top, c.top) << c.x << "," << c.y;
    mApp.reset();
  }
}

TEST_F(ScreenModeTest, AScreenLargerThanTheWorkAreaStartsAndStaysFullScreen) {
  mBackend.mWorkArea = RECT{0, 0, 800, 570};
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  EXPECT_TRUE(app.mFullScreenForced);
  EXPECT_FALSE(app.mWindowedActual);
  const size_t windows = mBackend.mCreated.size();
  app.ChangeScreenModeTo(true);
  EXPECT_FALSE(app.mWindowedMode);
  EXPECT_EQ(mBackend.mCreated.size(), windows);  // only the 3D flag could change
  app.ReapplyScreenMode();
  EXPECT_EQ(mBackend.mCreated.size(), windows + 1);  // always re-made
  EXPECT_TRUE(mBackend.mCreated.back().fullScreen);
}

TEST_F(ScreenModeTest, APlayedDemoAlwaysRunsInAWindow) {
  auto& app = Make();
  app.WriteRegistryInteger("ScreenMode", 1);
  ASSERT_EQ(InitApp(), -1);
  ASSERT_FALSE(app.mWindowedActual);
  app.mDemoPlaying = true;
  app.ReapplyScreenMode();
  EXPECT_TRUE(app.mWindowedActual);
  EXPECT_FALSE(mBackend.mCreated.back().fullScreen);
  EXPECT_FALSE(app.mWindowedMode);  // the mode asked for is kept
  app.mDemoPlaying = false;
}

TEST_F(ScreenModeTest, SwitchingModesRemakesWindowAndDisplayAndRedrawsEverything) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  ProbeWidget& probe = AddProbe();
  app.mAppWidgets->DrawDirtyWidgets();
  ASSERT_FALSE(probe.mDirty);
  HWND before = app.mMainWindow;
  app.ChangeScreenModeTo(false);
  EXPECT_NE(app.mMainWindow, before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_FALSE(app.mWindowedActual);
  EXPECT_TRUE(probe.mDirty);
  EXPECT_EQ(app.mAppWidgets->mImage, static_cast<Image*>(app.mAppDisplay->GetScreenImage()));
  EXPECT_EQ(mBackend.mShows.back(), std::make_pair(app.mMainWindow, SW_SHOWNORMAL));
  app.ChangeScreenModeTo(true);
  EXPECT_TRUE(app.mWindowedActual);
}

TEST_F(ScreenModeTest, AFailed3DStartFallsBackWithoutEndingTheProgram) {
  ScopedEmulatedDirect3D d3d;
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  app.SetHardwareDrawing(true, true);
  EXPECT_TRUE(app.IsHardwareDrawing());
  app.SetHardwareDrawing(false, true);
  EmulatedDirect3D::Get().FailNext(D3DOp::CreateDevice, DDERR_GENERIC, -1);
  app.SetHardwareDrawing(true, true);  // the device cannot be made
  EmulatedDirect3D::Get().ClearFaults();
  EXPECT_FALSE(app.IsHardwareDrawing());
  EXPECT_TRUE(app.mMode3DChanged);
  EXPECT_TRUE(mBackend.mBoxes.empty());
  EXPECT_EQ(app.mAppWidgets->mImage, static_cast<Image*>(app.mAppDisplay->GetScreenImage()));
  // Switching off when the display then cannot be made is fatal.
  app.mAppDisplay->mIs3D = true;
  EmulatedDisplay::Get().FailNext(DDOp::CreateSurface, DDERR_OUTOFMEMORY, -1);
  int code = -1;
  try {
    app.SetHardwareDrawing(false, true);
  } catch (const ExitCalled& e) {
    code = e.code;
  }
  EmulatedDisplay::Get().ClearFaults();
  EXPECT_EQ(code, 1);
}

TEST_F(ScreenModeTest, HardwareDrawingSwitchedOnDuringTheRunIsAskedAboutAtExit) {
  ScopedEmulatedDirect3D d3d;
  const struct {
    bool switchOn;
    int answer;
    int stored;  // -1: no value
    size_t boxes;
  } cases[] = {{false, IDYES, -1, 0}, {true, IDNO, -1, 1}, {true, IDYES, 1, 1}};
  for (const auto& c : cases) {
    GetRegistryStore().DeleteValue("SOFTWARE\\TestCo\\PlixTest", "Is3D");
    auto& app = Make();
    ASSERT_EQ(InitApp(), -1);
    if (c.switchOn) app.SetHardwareDrawing(true, true);
    mBackend.mBoxes.clear();
    mBackend.mAnswers = {c.answer};
    mApp.reset();
    ASSERT_EQ(mBackend.mBoxes.size(), c.boxes);
    if (c.boxes) {
      EXPECT_EQ(mBackend.mBoxes[0].caption, L" Hardware Acceleration Confirmation");
      EXPECT_EQ(mBackend.mBoxes[0].flags, MB_YESNO | MB_ICONQUESTION);
      EXPECT_EQ(mBackend.mBoxes[0].text.rfind(L"Hardware Acceleration was switched on during this session.", 0), 0u);
    }
    DWORD type = 0, length = 4;
    uint8_t bytes[4] = {};
    const bool stored =
        GetRegistryStore().QueryValue("SOFTWARE\\TestCo\\PlixTest", "Is3D", &type, bytes, &length) == ERROR_SUCCESS;
    EXPECT_EQ(stored ? bytes[0] : -1, c.stored) << c.switchOn << " " << c.answer;
  }
}

TEST_F(ScreenModeTest, ALostDisplayIsRepairedOnTheNextPresent) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  app.mMainLoopRunning = true;
  EmulatedDisplay::Get().FailNext(DDOp::Blt, DDERR_SURFACELOST, 1);
  EmulatedDisplay::Get().LoseAllSurfaces();
  app.PresentScreen(false);
  EXPECT_TRUE(gDisplayLost);
  app.PresentScreen(false);
  EXPECT_FALSE(gDisplayLost);
  gDisplayLost = false;
}

}  // namespace
}  // namespace Plix::Testing
