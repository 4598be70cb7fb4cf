#include "framework/graphics/DDInterface.h"

#include <gtest/gtest.h>

#include "framework/graphics/DDImage.h"
#include "tests/graphics/D3DTestSupport.h"
#include "tests/graphics/DisplayTestSupport.h"

namespace Plix {
namespace {

using Testing::SurfacePixel;
using Testing::TestDisplay;

TEST(DDInterface, WindowedInitReadsThePixelLayout) {
  struct Case {
    int bits;
    int32_t bitCount, redShift, greenShift, redBits, greenBits, blueBits;
  } cases[] = {{32, 32, 16, 8, 8, 8, 8}, {16, 16, 11, 5, 5, 6, 5}, {15, 16, 10, 5, 5, 5, 5}};
  for (const Case& c : cases) {
    TestDisplay d(c.bits, 40, 30);
    ASSERT_EQ(d.Init(), DDInterface::RESULT_OK) << d->mErrorString;
    EXPECT_EQ(d->mBitCount, c.bitCount);
    EXPECT_EQ(d->mRedShift, c.redShift);
    EXPECT_EQ(d->mGreenShift, c.greenShift);
    EXPECT_EQ(d->mBlueShift, 0);
    EXPECT_EQ(d->mRedBits, c.redBits);
    EXPECT_EQ(d->mGreenBits, c.greenBits);
    EXPECT_EQ(d->mBlueBits, c.blueBits);
    // Saturation: 2 * max + 1 entries of min(i, max).
    const int32_t max = (1 << c.greenBits) - 1;
    EXPECT_EQ(d->AddTable(1)[max - 1], max - 1);
    EXPECT_EQ(d->AddTable(1)[2 * max], max);
    EXPECT_TRUE(d->mInitialized);
    EXPECT_EQ(d->mInitCount, 1);
    ASSERT_NE(d->GetScreenImage(), nullptr);
    EXPECT_EQ(d->GetScreenImage()->mSurface, d->mDrawSurface);
    EXPECT_EQ(d->GetScreenImage()->GetWidth(), 40);
    EXPECT_EQ(d.mApp.mScreenRect, Rect(0, 0, 40, 30));
    EXPECT_EQ(d->mOldCursorAreaImage->GetWidth(), 64);
  }
}

TEST(DDInterface, InitFailuresGiveTheirCodesAndTexts) {
  struct Case {
    const char* name;
    std::function<void(EmulatedDisplayConfig&)> config;
    std::function<void()> fault;
    bool windowed;
    int result;
    const char* text;
  } cases[] = {
      {"24-bit desktop", [](auto& c) { c.desktopBits = 24; }, [] {}, true, DDInterface::RESULT_INVALID_COLORDEPTH, ""},
      {"8-bit desktop", [](auto& c) { c.desktopBits = 8; }, [] {}, true, DDInterface::RESULT_INVALID_COLORDEPTH, ""},
      {"create", [](auto&) {},
       [] { EmulatedDisplay::Get().FailNext(DDOp::Create, DDERR_NODIRECTDRAWHW); }, true,
       DDInterface::RESULT_DD_CREATE_FAIL, "DirectDrawCreateEx: DDERR_NODIRECTDRAWHW"},
      {"old create", [](auto& c) { c.hasDirectDrawCreateEx = false; },
       [] { EmulatedDisplay::Get().FailNext(DDOp::Create, DDERR_NODIRECTDRAWHW); }, true,
       DDInterface::RESULT_DD_CREATE_FAIL, "DirectDrawCreate: DDERR_NODIRECTDRAWHW"},
      {"query", [](auto&) {},
       [] { EmulatedDisplay::Get().FailNext(DDOp::QueryInterface, E_NOINTERFACE); }, true,
       DDInterface::RESULT_DD_CREATE_FAIL, "QueryrInterface IID_IDirectDraw: DSERR_NOINTERFACE"},
      {"primary", [](auto&) {},
       [] { EmulatedDisplay::Get().FailCreateSurface(DDSCAPS_PRIMARYSURFACE, DDERR_OUTOFVIDEOMEMORY); }, true,
       DDInterface::RESULT_SURFACE_FAIL, "CreateSurface Windowed Primary: DDERR_OUTOFVIDEOMEMORY"},
      {"draw surface", [](auto&) {},
       [] { EmulatedDisplay::Get().FailCreateSurface(DDSCAPS_OFFSCREENPLAIN, DDERR_OUTOFMEMORY); }, true,
       DDInterface::RESULT_SURFACE_FAIL, "CreateSurface Windowed DrawSurface: E_OUTOFMEMORY"},
      {"clipper", [](auto&) {},
       [] { EmulatedDisplay::Get().FailNext(DDOp::CreateClipper, DDERR_OUTOFMEMORY); }, true,
       DDInterface::RESULT_FAIL, "CreateClipper Windowed: E_OUTOFMEMORY"},
      {"exclusive", [](auto&) {},
       [] { EmulatedDisplay::Get().FailNext(DDOp::SetCooperativeLevel, DDERR_EXCLUSIVEMODEALREADYSET); }, false,
       DDInterface::RESULT_EXCLUSIVE_FAIL, "SetCooperativeLevel FullScreen: DDERR_EXCLUSIVEMODEALREADYSET"},
      {"mode", [](auto&) {},
       [] { EmulatedDisplay::Get().FailNext(DDOp::SetDisplayMode, DDERR_UNSUPPORTEDMODE); }, false,
       DDInterface::RESULT_DISPCHANGE_FAIL, "SetDisplayMode FullScreen: DDERR_UNSUPPORTEDMODE"},
      {"back buffer", [](auto&) {},
       [] { EmulatedDisplay::Get().FailNext(DDOp::GetAttachedSurface, DDERR_NOTFOUND); }, false,
       DDInterface::RESULT_SURFACE_FAIL, "GetAttachedSurface: DDERR_NOTFOUND"},
  };
  int window = 0;
  for (const auto& c : cases) {
    EmulatedDisplayConfig config;
    c.config(config);
    TestDisplay d(config.desktopBits, 800, 600, config);
    c.fault();
    EXPECT_EQ(d.Init(&window, c.windowed), c.result) << c.name;
    EXPECT_EQ(d->mErrorString, c.text) << c.name;
    EXPECT_FALSE(d->mInitialized) << c.name;
    EXPECT_FALSE(d->Redraw()) << c.name;
  }
}

TEST(DDInterface, FullScreenMakesAFlipChainInTheRequestedDepth) {
  TestDisplay d(32, 800, 600);
  d.mApp.mSettings.fullScreenBits = 16;
  int window = 0;
  ASSERT_EQ(d.Init(&window, false), DDInterface::RESULT_OK) << d->mErrorString;
  EXPECT_EQ(d->mBitCount, 16);
  EXPECT_EQ(EmulatedDisplay::Get().ModeWidth(), 800);
  ASSERT_NE(d->mSecondarySurface, nullptr);
  EXPECT_TRUE(d->mSecondarySurface->Caps() & DDSCAPS_BACKBUFFER);
  d->GetScreenImage()->FillRect(Rect(0, 0, 800, 600), Color(255, 0, 0), 0);
  ASSERT_TRUE(d->Redraw());
  EXPECT_EQ(SurfacePixel(d->mPrimarySurface, 10, 10), 0xF800u);
  d->Cleanup();
  EXPECT_EQ(EmulatedDisplay::Get().ModeWidth(), 1024);  // the desktop again
}

TEST(DDInterface, FullScreen3DOnAWideDesktopKeepsTheAspect) {
  struct Case {
    const char* name;
    bool is3D, adaptWidth;
    int modeWidth, modeHeight, drawWidth;
    Rect present;
  } cases[] = {
      {"3D, pillar-boxed", true, false, 1920, 1080, 800, Rect(240, 0, 1440, 1080)},
      {"3D, width adapted", true, true, 1920, 1080, 1066, Rect(0, 0, 1920, 1080)},
      {"2D: the application's own mode", false, false, 800, 600, 800, Rect(0, 0, 800, 600)},
  };
  int window = 0;
  for (const auto& c : cases) {
    EmulatedDisplayConfig desktop;
    desktop.desktopWidth = 1920;
    desktop.desktopHeight = 1080;
    Testing::Display3D d(c.is3D, 32, 800, 600, {}, desktop);
    d.mApp.mSettings.adaptWidth = c.adaptWidth;
    d.mApp.mSettings.fullScreenBits = 32;
    ASSERT_EQ(d->Init(&window, false), DDInterface::RESULT_OK) << c.name << ": " << d->mErrorString;
    EXPECT_EQ(EmulatedDisplay::Get().ModeWidth(), c.modeWidth) << c.name;
    EXPECT_EQ(EmulatedDisplay::Get().ModeHeight(), c.modeHeight) << c.name;
    EXPECT_EQ(d->mWidth, c.drawWidth) << c.name;
    EXPECT_EQ(d->mHeight, 600) << c.name;
    EXPECT_EQ(d->mPresentationRect, c.present) << c.name;
    EXPECT_EQ(d->mIsAspectCorrected, c.is3D) << c.name;
    EXPECT_EQ(d->mDrawSurface->Width(), c.drawWidth) << c.name;
    // The frame fills the present rectangle; black bars stay beside it.
    d.Screen()->FillRect(Rect(0, 0, c.drawWidth, 600), Color(255, 0, 0), 0);
    ASSERT_TRUE(d->Redraw()) << c.name << ": " << d->mErrorString;
    const int middle = c.modeHeight / 2;
    // Red as either path writes it (the software fill's 254 included).
    auto red = [&](int x) { return (SurfacePixel(d->mPrimarySurface, x, middle) & 0xFFFFFF) >= 0xFE0000u; };
    EXPECT_TRUE(red(c.present.mX + 2)) << c.name;
    EXPECT_TRUE(red(c.present.mX + c.present.mWidth - 2)) << c.name;
    if (c.present.mX > 0) {
      EXPECT_EQ(SurfacePixel(d->mPrimarySurface, c.present.mX - 1, middle), 0u) << c.name;
      EXPECT_EQ(SurfacePixel(d->mPrimarySurface, c.present.mX + c.present.mWidth, middle), 0u) << c.name;
    }
    d->Cleanup();
  }
}

TEST(DDInterface, TheDirect3DScreenIsNeverLocked) {
  Testing::Display3D d(true);
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK) << d->mErrorString;
  DDImage* screen = d.Screen();
  ASSERT_TRUE(screen->Is3D());
  EXPECT_FALSE(screen->LockSurface());
  EXPECT_FALSE(d->mDrawSurface->IsLocked());
  EXPECT_EQ(screen->mLockCount, 0);
  EXPECT_FALSE(screen->UnlockSurface());
  EXPECT_EQ(screen->mLockCount, 0);
}

TEST(DDInterface, MonitorFrequencyIsClampedAndMarksPacing) {
  struct Case {
    DWORD hz;
    int32_t rate, millis, failed;
  } cases[] = {{120, 100, 10, 1}, {0, 60, 16, 1}, {50, 60, 16, 1}, {75, 75, 13, 0}};
  for (const Case& c : cases) {
    EmulatedDisplayConfig config;
    config.monitorFrequency = c.hz;
    TestDisplay d(32, 32, 24, config);
    ASSERT_EQ(d.Init(), 0);
    EXPECT_EQ(d->mRefreshRate, c.rate) << c.hz;
    EXPECT_EQ(d->mMillisecondsPerFrame, c.millis) << c.hz;
    EXPECT_EQ(d.mApp.mPacingFailed, c.failed) << c.hz;
  }
}

TEST(DDInterface, ResultNamesAndRatios) {
  EXPECT_EQ(DDInterface::ResultToString(0), "RESULT_OK");
  EXPECT_EQ(DDInterface::ResultToString(6), "RESULT_INVALID_COLORDEPTH");
  EXPECT_EQ(DDInterface::ResultToString(7), "RESULT_UNKNOWN");
  EXPECT_EQ(DDInterface::ResultToString(-3), "RESULT_UNKNOWN");
  EXPECT_FALSE(RatioDiffers(MakeRatio(800, 600), MakeRatio(4, 3)));
  EXPECT_TRUE(RatioDiffers(MakeRatio(1920, 1080), MakeRatio(800, 600)));
  // Integer rounding: only an aspect wider than the second one counts.
  EXPECT_FALSE(RatioDiffers(MakeRatio(4, 3), MakeRatio(16, 9)));
  Ratio r = MakeRatio(1920, 1080);
  EXPECT_EQ(r.mNumerator, 16);
  EXPECT_EQ(r.mDenominator, 9);
}

TEST(DDInterface, RedrawShowsTheDrawBufferAtTheWindowOrigin) {
  TestDisplay d(32, 8, 6);
  ASSERT_EQ(d.Init(), 0);
  d->GetScreenImage()->FillRect(Rect(0, 0, 8, 6), Color(0, 0, 255), 0);
  d->GetScreenImage()->FillRect(Rect(2, 1, 3, 2), Color(0, 255, 0), 0);
  ASSERT_TRUE(d->Redraw());
  // Without a window the origin is the desktop's corner.
  EXPECT_EQ(SurfacePixel(d->mPrimarySurface, 0, 0), 0x0000FEu);
  EXPECT_EQ(SurfacePixel(d->mPrimarySurface, 2, 1), 0x00FE00u);
  EXPECT_EQ(SurfacePixel(d->mPrimarySurface, 8, 0), 0u);  // beyond the buffer
  // A lost primary makes the present fail with a named step.
  EmulatedDisplay::Get().LoseAllSurfaces();
  EXPECT_FALSE(d->Redraw());
  EXPECT_EQ(d->mErrorString, "Redraw Windowed: DDERR_SURFACELOST");
  EXPECT_FALSE(d->mInRedraw);
}

TEST(DDInterface, VideoOnlyDrawingUsesTheSecondarySurface) {
  TestDisplay d(32, 16, 12);
  ASSERT_EQ(d.Init(), 0);
  d->SetDrawToVideoMemory(true);
  DDImage* screen = d->GetScreenImage();
  EXPECT_EQ(screen->mSurface, d->mSecondarySurface);
  EXPECT_TRUE(screen->mVideoMemory);
  // The surface renderers leave a video-memory screen alone, and it cannot
  // be read back.
  screen->FillRect(Rect(0, 0, 4, 4), Color(255, 255, 255), 0);
  EXPECT_EQ(SurfacePixel(d->mSecondarySurface, 0, 0), 0u);
  EXPECT_EQ(screen->GetBits(), nullptr);
  // Without video memory for it the flag falls back to off.
  EmulatedDisplayConfig small;
  small.videoMemory = 100;
  TestDisplay tiny(32, 16, 12, small);
  // The primary alone exceeds 100 bytes: Init fails, but the fallback
  // itself is what SetDrawToVideoMemory decides on a working display.
  EXPECT_NE(tiny.Init(), 0);
}

}  // namespace
}  // namespace Plix
