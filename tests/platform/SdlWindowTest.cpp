#include "framework/platform/SdlWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "framework/platform/DDraw.h"

namespace Plix {
namespace {

// A window on Xvfb when there is a display, else on SDL's dummy driver.
std::unique_ptr<SdlWindow> MakeWindow(int x, int y, int w, int h) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  SdlWindowDesc desc;
  desc.title = "Plix window test";
  desc.x = x;
  desc.y = y;
  desc.width = w;
  desc.height = h;
  desc.visible = true;
  std::string error;
  auto window = SdlWindow::Create(desc, &error);
  EXPECT_TRUE(window) << error;
  return window;
}

void FillRect32(IDirectDrawSurface* s, RECT r, uint32_t v) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) std::memcpy(s->Pixels() + y * s->Pitch() + x * 4, &v, 4);
}

TEST(SdlWindow, HandleRoundTripAndCoordinates) {
  auto window = MakeWindow(30, 40, 64, 48);
  ASSERT_TRUE(window);
  HWND hwnd = window->Handle();
  EXPECT_EQ(SdlWindow::FromHandle(hwnd), window.get());
  EXPECT_EQ(SdlWindow::FromWindowId(window->WindowId()), window.get());
  window->OnMoved(30, 40);
  POINT p{5, 6};
  ASSERT_TRUE(ClientToScreen(hwnd, &p));
  EXPECT_EQ(p.x, 35);
  EXPECT_EQ(p.y, 46);
  ASSERT_TRUE(ScreenToClient(hwnd, &p));
  EXPECT_EQ(p.x, 5);
  RECT r = window->GetClientRect();
  EXPECT_EQ(r.right, 64);
  EXPECT_EQ(r.bottom, 48);
  window->SetTitle("Zovad");
  EXPECT_EQ(window->Title(), "Zovad");
  window.reset();
  EXPECT_EQ(SdlWindow::FromHandle(hwnd), nullptr);
  POINT q{1, 1};
  EXPECT_FALSE(ClientToScreen(hwnd, &q));
}

// The windowed primary is the desktop: the window shows the part of it
// under its client area.
TEST(SdlWindow, PresentsTheClientAreaOfTheWindowedPrimary) {
  EmulatedDisplayConfig config;
  config.desktopWidth = 320;
  config.desktopHeight = 240;
  ScopedEmulatedDisplay scope(config);
  auto window = MakeWindow(10, 20, 64, 48);
  ASSERT_TRUE(window);
  window->OnMoved(10, 20);
  IDirectDraw* dd = nullptr;
  ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
  ASSERT_EQ(dd->SetCooperativeLevel(window->Handle(), DDSCL_NORMAL), DD_OK);
  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  IDirectDrawSurface* primary = nullptr;
  ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
  FillRect32(primary, RECT{0, 0, 320, 240}, 0x0000FF);
  FillRect32(primary, RECT{10, 20, 74, 68}, 0x00FF00);
  FillRect32(primary, RECT{10, 20, 20, 30}, 0xFF0000);
  EXPECT_TRUE(EmulatedDisplay::Get().PrimaryChanged());
  ASSERT_TRUE(EmulatedDisplay::Get().Present());
  EXPECT_FALSE(EmulatedDisplay::Get().PrimaryChanged());
  EXPECT_FALSE(EmulatedDisplay::Get().Present());  // nothing new

  std::vector<uint32_t> shot;
  int w = 0, h = 0;
  ASSERT_TRUE(window->ReadPresentedPixels(shot, w, h));
  ASSERT_EQ(w, 64);
  ASSERT_EQ(h, 48);
  EXPECT_EQ(shot[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(shot[9 * 64 + 9] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(shot[10 * 64 + 10] & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(shot[47 * 64 + 63] & 0xFFFFFF, 0x00FF00u);
  primary->Release();
  dd->Release();
}

// Full screen: the whole primary, scaled with its aspect kept, black bars.
TEST(SdlWindow, LetterBoxesTheExclusivePrimary) {
  ScopedEmulatedDisplay scope;
  auto window = MakeWindow(0, 0, 100, 100);
  ASSERT_TRUE(window);
  IDirectDraw* dd = nullptr;
  ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
  ASSERT_EQ(dd->SetCooperativeLevel(window->Handle(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
  ASSERT_EQ(dd->SetDisplayMode(640, 480, 16), DD_OK);
  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  IDirectDrawSurface* primary = nullptr;
  ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
  ASSERT_EQ(primary->Format().dwRGBBitCount, 16u);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      uint16_t v = 0xFFFF;
      std::memcpy(primary->Pixels() + y * primary->Pitch() + x * 2, &v, 2);
    }
  primary->Restore();  // marks it changed, as a write through a lock does
  ASSERT_TRUE(EmulatedDisplay::Get().Present());
  std::vector<uint32_t> shot;
  int w = 0, h = 0;
  ASSERT_TRUE(window->ReadPresentedPixels(shot, w, h));
  ASSERT_EQ(w, 100);
  ASSERT_EQ(h, 100);
  EXPECT_EQ(shot[2 * 100 + 50] & 0xFFFFFF, 0u);    // bar above
  EXPECT_EQ(shot[97 * 100 + 50] & 0xFFFFFF, 0u);   // bar below
  EXPECT_EQ(shot[50 * 100 + 0] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(shot[50 * 100 + 99] & 0xFFFFFF, 0xFFFFFFu);
  primary->Release();
  dd->SetCooperativeLevel(window->Handle(), DDSCL_NORMAL);
  dd->Release();
}

}  // namespace
}  // namespace Plix
