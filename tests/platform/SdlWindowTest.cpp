#include "framework/platform/SdlWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "framework/platform/DDraw.h"
#include "framework/platform/WindowSystem.h"

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
  // Software drawing asked for: no renderer copies the frame once more.
  EXPECT_EQ(window->PresenterName(), "window surface");

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

// The main loop's wait on the window system's connection: on X11 a quiet
// connection lets it run out its time and tells of nothing waiting; other
// drivers have no such connection to wait on.
TEST(SdlWindow, AQuietConnectionIsWaitedOnUntilTheTimeRunsOut) {
  auto window = MakeWindow(10, 20, 64, 48);
  ASSERT_TRUE(window);
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) {
    EXPECT_EQ(WaitForWindowInput(5), -1);
    EXPECT_EQ(WindowInputPending(), -1);
    return;
  }
  // Whatever showing the window brought in is handed out first.
  while (WindowInputPending() > 0) {
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
  }
  const uint32_t before = SDL_GetTicks();
  const int result = WaitForWindowInput(30);
  if (result == 0) {
    EXPECT_GE(SDL_GetTicks() - before, 29u);
  }
  EXPECT_GE(result, 0);
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

namespace Plix {
namespace {

TEST(FrameTransform, FitsKeepingTheAspectAndMapsBack) {
  struct Case {
    int ww, wh, fw, fh;
    FrameTransform want;
  };
  const Case cases[] = {
      {800, 600, 800, 600, {0, 0, 800, 600, 800, 600}},
      {1024, 768, 800, 600, {0, 0, 1024, 768, 800, 600}},
      {1280, 720, 800, 600, {160, 0, 960, 720, 800, 600}},   // bars left and right
      {800, 800, 800, 600, {0, 100, 800, 600, 800, 600}},    // bars above and below
      {640, 400, 800, 600, {53, 0, 533, 400, 800, 600}},     // smaller than the frame
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ww << "x" << c.wh);
    const FrameTransform t = FrameTransform::Fit(c.ww, c.wh, c.fw, c.fh);
    EXPECT_EQ(t.x, c.want.x);
    EXPECT_EQ(t.y, c.want.y);
    EXPECT_EQ(t.width, c.want.width);
    EXPECT_EQ(t.height, c.want.height);
    // The drawn rectangle's corners are the frame's.
    POINT tl = t.ToFrame(POINT{t.x, t.y});
    POINT br = t.ToFrame(POINT{t.x + t.width - 1, t.y + t.height - 1});
    EXPECT_EQ(tl.x, 0);
    EXPECT_EQ(tl.y, 0);
    // (a picture drawn smaller than the frame skips frame pixels)
    EXPECT_LT(br.x, c.fw);
    EXPECT_GE(br.x, c.fw - 1 - c.fw / t.width);
    EXPECT_LT(br.y, c.fh);
    EXPECT_GE(br.y, c.fh - 1 - c.fh / t.height);
    // Left of the picture is left of the frame.
    if (t.x > 0) {
      EXPECT_LT(t.ToFrame(POINT{t.x - 1, t.y}).x, 0);
    }
  }
}

// A window asked for full screen that stays at its first size (no window
// manager grants the request under Xvfb; SDL then believes in the desktop's
// size): the frame is drawn inside the window's real client area, and a
// click is mapped by the same transform to the frame pixel drawn under it.
TEST(SdlWindow, AWindowSmallerThanAskedShowsTheWholeFrameAndClicksHitWhatIsDrawn) {
  auto window = MakeWindow(0, 0, 200, 150);
  ASSERT_TRUE(window);
  SDL_SetWindowFullscreen(window->Native(), SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_PumpEvents();
  window->SyncSize();
  const int realW = window->ClientWidth(), realH = window->ClientHeight();
  ASSERT_GT(realW, 0);
  ASSERT_GT(realH, 0);

  // A 100 x 75 frame of four coloured quadrants.
  const int fw = 100, fh = 75;
  const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
  std::vector<uint32_t> frame(fw * fh);
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) frame[y * fw + x] = colours[(y >= fh / 2 ? 2 : 0) + (x >= fw / 2 ? 1 : 0)];
  ASSERT_TRUE(window->PresentFrame(frame.data(), fw * 4, fw, fh, FrameLayout::X8R8G8B8));

  const FrameTransform t = window->Transform();
  EXPECT_EQ(t.frameWidth, fw);
  EXPECT_GE(t.x, 0);
  EXPECT_GE(t.y, 0);
  EXPECT_LE(t.x + t.width, realW);  // the whole frame inside the real window
  EXPECT_LE(t.y + t.height, realH);

  std::vector<uint32_t> shot;
  int sw = 0, sh = 0;
  ASSERT_TRUE(window->ReadPresentedPixels(shot, sw, sh));
  ASSERT_GE(sw, realW);
  ASSERT_GE(sh, realH);
  // Clicks at the centres of the quadrants as drawn, through the backend's
  // translation of SDL's button events.
  for (int q = 0; q < 4; ++q) {
    SCOPED_TRACE(q);
    const int cx = t.x + t.width * (q % 2 ? 3 : 1) / 4;
    const int cy = t.y + t.height * (q / 2 ? 3 : 1) / 4;
    EXPECT_EQ(shot[cy * sw + cx] & 0xFFFFFF, colours[q]);
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.windowID = window->WindowId();
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = SDL_PRESSED;
    e.button.clicks = 1;
    e.button.x = cx;
    e.button.y = cy;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
    std::vector<MSG> out;
    GetWindowBackend().PollEvents(out);
    const MSG* down = nullptr;
    for (const MSG& m : out)
      if (m.message == WM_LBUTTONDOWN) down = &m;
    ASSERT_NE(down, nullptr);
    const int fx = static_cast<int16_t>(down->lParam & 0xFFFF), fy = static_cast<int16_t>((down->lParam >> 16) & 0xFFFF);
    ASSERT_GE(fx, 0);
    ASSERT_LT(fx, fw);
    ASSERT_GE(fy, 0);
    ASSERT_LT(fy, fh);
    EXPECT_EQ(frame[fy * fw + fx], colours[q]);
  }
}

}  // namespace
}  // namespace Plix
