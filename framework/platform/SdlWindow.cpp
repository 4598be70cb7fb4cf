#include "framework/platform/SdlWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>

#include "framework/platform/DDraw.h"
#include "framework/platform/QuietStderr.h"
#include "framework/platform/WindowSystem.h"

namespace Plix {

namespace {

std::mutex gWindowsLock;
std::set<SdlWindow*> gWindows;

std::string gVideoError;

std::string NoDisplay(const std::string& detail) {
  const char* display = std::getenv("DISPLAY");
  std::string text = display && *display ? std::string("No display could be opened at DISPLAY=") + display
                                         : std::string("No display could be opened: DISPLAY is not set");
  if (!detail.empty()) text += " (" + detail + ")";
  return text + ".";
}


uint32_t SdlFormat(FrameLayout layout) {
  switch (layout) {
    case FrameLayout::R5G6B5: return SDL_PIXELFORMAT_RGB565;
    case FrameLayout::X1R5G5B5: return SDL_PIXELFORMAT_RGB555;
    default: return SDL_PIXELFORMAT_RGB888;
  }
}

// Whether an OpenGL renderer's driver is a software rasteriser. Its context
// is the current one right after the renderer was made.
bool RendersInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || std::strncmp(info.name, "opengl", 6) != 0)
    return false;
  using GetString = const unsigned char* (*)(unsigned int);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(0x1F01) : nullptr;  // GL_RENDERER
  if (!name) return false;
  const std::string text(reinterpret_cast<const char*>(name));
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
    if (text.find(soft) != std::string::npos) return true;
  return false;
}

// The X server's idea of the window's size: without a window manager a
// full-screen request is never granted, yet SDL reports the desktop's size.
bool X11ClientSize(SDL_Window* window, int* width, int* height) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  XWindowAttributes a;
  if (!XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &a) || a.width <= 0 || a.height <= 0)
    return false;
  *width = a.width;
  *height = a.height;
  return true;
#else
  return false;
#endif
}

#if defined(SDL_VIDEO_DRIVER_X11)
// The X11 connection behind SDL's windows, when that is the driver, asked
// of a live window (SDL keeps one connection for all of them).
Display* X11Display() {
  std::lock_guard<std::mutex> lock(gWindowsLock);
  if (gWindows.empty() || !SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo((*gWindows.begin())->Native(), &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  return info.info.x11.display;
}
#endif

}  // namespace

int WindowInputPending() {
#if defined(SDL_VIDEO_DRIVER_X11)
  Display* display = X11Display();
  if (!display) return -1;
  if (XEventsQueued(display, QueuedAlready) > 0) return 1;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  return poll(&connection, 1, 0) > 0 ? 1 : 0;
#else
  return -1;
#endif
}

int WaitForWindowInput(uint32_t timeoutMs) {
#if defined(SDL_VIDEO_DRIVER_X11)
  Display* display = X11Display();
  if (!display) return -1;
  // Requests still in the buffer go out before the wait (flushing also
  // reads what has come in).
  XFlush(display);
  if (XEventsQueued(display, QueuedAlready) > 0) return 1;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  return poll(&connection, 1, static_cast<int>(timeoutMs)) > 0 ? 1 : 0;
#else
  (void)timeoutMs;
  return -1;
#endif
}

bool StartVideo(std::string* error) {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  bool started;
  {
    QuietStderr quiet;
    started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  }
  if (started) {
    // Without a display SDL may still start a driver that shows nothing
    // anywhere (a console one); only a driver asked for by name counts then.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool windowing = driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
    if (windowing || (asked && *asked)) return true;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    gVideoError = NoDisplay(std::string("only the \"") + (driver ? driver : "") + "\" video driver started");
  } else {
    gVideoError = NoDisplay(SDL_GetError());
  }
  if (error) *error = gVideoError;
  return false;
}

const std::string& VideoStartError() { return gVideoError; }

FrameTransform FrameTransform::Fit(int windowWidth, int windowHeight, int frameWidth, int frameHeight) {
  FrameTransform t;
  t.frameWidth = frameWidth;
  t.frameHeight = frameHeight;
  if (windowWidth <= 0 || windowHeight <= 0 || frameWidth <= 0 || frameHeight <= 0) return t;
  // The larger scale that fits both ways, in integers so that drawing and
  // mapping round alike.
  const int64_t byWidth = static_cast<int64_t>(windowWidth) * frameHeight;
  const int64_t byHeight = static_cast<int64_t>(windowHeight) * frameWidth;
  if (byWidth <= byHeight) {
    t.width = windowWidth;
    t.height = static_cast<int>(byWidth / frameWidth);
  } else {
    t.width = static_cast<int>(byHeight / frameHeight);
    t.height = windowHeight;
  }
  t.x = (windowWidth - t.width) / 2;
  t.y = (windowHeight - t.height) / 2;
  return t;
}

POINT FrameTransform::ToFrame(POINT window) const {
  if (width <= 0 || height <= 0) return window;
  auto map = [](LONG v, int origin, int size, int frame) {
    const int64_t d = static_cast<int64_t>(v) - origin;
    // Floor division: a pixel left of the picture maps left of the frame.
    const int64_t n = d * frame;
    return static_cast<LONG>(n >= 0 ? n / size : -((-n + size - 1) / size));
  };
  return POINT{map(window.x, x, width, frameWidth), map(window.y, y, height, frameHeight)};
}

std::unique_ptr<SdlWindow> SdlWindow::Create(const SdlWindowDesc& desc, std::string* error) {
  if (!StartVideo(error)) return nullptr;
  std::unique_ptr<SdlWindow> w(new SdlWindow());
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (desc.fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  int x = desc.x < 0 ? SDL_WINDOWPOS_CENTERED : desc.x;
  int y = desc.y < 0 ? SDL_WINDOWPOS_CENTERED : desc.y;
  int width = desc.width, height = desc.height;
  SDL_DisplayMode desktop;
  if (desc.fullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
    // Made at the desktop's size, so that it covers the desktop even where
    // nobody grants the full-screen request (no window manager).
    flags |= SDL_WINDOW_BORDERLESS;
    x = 0;
    y = 0;
    width = desktop.w;
    height = desktop.h;
  }
  w->mWindow = SDL_CreateWindow(desc.title.c_str(), x, y, width, height, flags);
  if (!w->mWindow) {
    if (error) *error = std::string("SDL window: ") + SDL_GetError();
    return nullptr;
  }
  w->mTitle = desc.title;
  w->mOwnerThread = std::this_thread::get_id();
  SDL_GetWindowPosition(w->mWindow, &w->mX, &w->mY);
  w->SyncSize();
  {
    std::lock_guard<std::mutex> lock(gWindowsLock);
    gWindows.insert(w.get());
  }
  if (desc.visible) w->Show();
  return w;
}

SdlWindow::~SdlWindow() {
  {
    std::lock_guard<std::mutex> lock(gWindowsLock);
    gWindows.erase(this);
  }
  if (mTexture) SDL_DestroyTexture(mTexture);
  if (mRenderer) SDL_DestroyRenderer(mRenderer);
  if (mWindow) SDL_DestroyWindow(mWindow);
}

SdlWindow* SdlWindow::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  std::lock_guard<std::mutex> lock(gWindowsLock);
  auto it = gWindows.find(static_cast<SdlWindow*>(hwnd));
  return it == gWindows.end() ? nullptr : *it;
}

SdlWindow* SdlWindow::FromWindowId(uint32_t sdlWindowId) {
  std::lock_guard<std::mutex> lock(gWindowsLock);
  for (SdlWindow* w : gWindows) {
    if (SDL_GetWindowID(w->mWindow) == sdlWindowId) return w;
  }
  return nullptr;
}

uint32_t SdlWindow::WindowId() const { return SDL_GetWindowID(mWindow); }

void SdlWindow::Show() {
  SDL_ShowWindow(mWindow);
  mVisible = true;
  SyncSize();
}

void SdlWindow::Hide() {
  SDL_HideWindow(mWindow);
  mVisible = false;
}

void SdlWindow::SetTitle(const std::string& title) {
  mTitle = title;
  SDL_SetWindowTitle(mWindow, title.c_str());
}

void SdlWindow::Move(int x, int y) {
  SDL_SetWindowPosition(mWindow, x, y);
  mX = x;
  mY = y;
}

void SdlWindow::SetClientSize(int width, int height) {
  SDL_SetWindowSize(mWindow, width, height);
  mWidth = width;
  mHeight = height;
}

RECT SdlWindow::GetClientRect() const { return RECT{0, 0, mWidth, mHeight}; }

POINT SdlWindow::ClientToScreen(POINT p) const { return POINT{p.x + mX, p.y + mY}; }

POINT SdlWindow::ScreenToClient(POINT p) const { return POINT{p.x - mX, p.y - mY}; }

void SdlWindow::OnMoved(int x, int y) {
  mX = x;
  mY = y;
}

void SdlWindow::OnResized(int width, int height) {
  mWidth = width;
  mHeight = height;
  // The event carries SDL's idea; the window system's wins.
  SyncSize();
}

void SdlWindow::SyncSize() {
  int width = 0, height = 0;
  if (!X11ClientSize(mWindow, &width, &height)) SDL_GetWindowSize(mWindow, &width, &height);
  if (width > 0 && height > 0) {
    mWidth = width;
    mHeight = height;
  }
}

FrameTransform SdlWindow::Transform() const {
  if (mFrameWidth <= 0 || mFrameHeight <= 0) return FrameTransform::Fit(mWidth, mHeight, mWidth, mHeight);
  return FrameTransform::Fit(mWidth, mHeight, mFrameWidth, mFrameHeight);
}

bool SdlWindow::EnsurePresenter() {
  if (mRenderer || mUseSurface) return true;
  // An accelerated renderer scales on the graphics card. Without one (or
  // when software drawing is asked for) SDL's software renderer would only
  // copy each frame once more on its way into the window's own surface:
  // frames go there directly instead, without a renderer.
  const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  if (!asked || SDL_strcasecmp(asked, "software") != 0)
    mRenderer = SDL_CreateRenderer(mWindow, -1, SDL_RENDERER_ACCELERATED);
  // A graphics library that rasterises on the processor itself (Mesa's
  // llvmpipe where there is no graphics card) calls itself accelerated, yet
  // costs many times the plain copy, and threads and memory besides.
  if (mRenderer && RendersInSoftware(mRenderer)) {
    SDL_DestroyRenderer(mRenderer);
    mRenderer = nullptr;
  }
  if (mRenderer) return true;
  // The window's surface as the system's own image (shared memory on X11),
  // not a texture of a renderer SDL would make for it.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  mUseSurface = SDL_GetWindowSurface(mWindow) != nullptr;
  if (mUseSurface) return true;
  mRenderer = SDL_CreateRenderer(mWindow, -1, SDL_RENDERER_SOFTWARE);
  return mRenderer != nullptr;
}

std::string SdlWindow::PresenterName() const {
  if (mUseSurface) return "window surface";
  SDL_RendererInfo info{};
  return mRenderer && SDL_GetRendererInfo(mRenderer, &info) == 0 ? std::string("renderer ") + info.name : "none";
}

void SdlWindow::DrawLastFrame() {
  SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
  // A frame drawn over the whole output covers it all: no clearing first.
  int outputWidth = 0, outputHeight = 0;
  const FrameTransform t = Transform();
  const bool covers = mTexture && SDL_GetRendererOutputSize(mRenderer, &outputWidth, &outputHeight) == 0 &&
                      t.x == 0 && t.y == 0 && outputWidth == t.width && outputHeight == t.height;
  if (!covers) SDL_RenderClear(mRenderer);
  if (!mTexture) return;
  // Into the rectangle the mouse mapping uses. The output can be larger
  // than the window really is (SDL believing in a full screen it was not
  // given); the rectangle stays inside the real window.
  const SDL_Rect dest{t.x, t.y, t.width, t.height};
  SDL_RenderCopy(mRenderer, mTexture, nullptr, &dest);
}

bool SdlWindow::PresentToSurface(const void* pixels, int pitch, int width, int height, uint32_t format) {
  SDL_Surface* target = SDL_GetWindowSurface(mWindow);
  if (!target) return false;
  // The same rectangle, black around and scaling as the software renderer.
  const FrameTransform t = Transform();
  const bool covers = t.x == 0 && t.y == 0 && target->w == t.width && target->h == t.height;
  if (!covers && SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0)) != 0) return false;
  bool ok = true;
  if (t.width == width && t.height == height && target->format->format == format && !SDL_MUSTLOCK(target)) {
    // The usual case: rows copied straight, clipped to the surface.
    const int bytes = SDL_BYTESPERPIXEL(format);
    const int x0 = std::max(t.x, 0), x1 = std::min(t.x + width, target->w);
    const int y0 = std::max(t.y, 0), y1 = std::min(t.y + height, target->h);
    for (int y = y0; y < y1 && x0 < x1; ++y)
      std::memcpy(static_cast<uint8_t*>(target->pixels) + static_cast<size_t>(y) * target->pitch +
                      static_cast<size_t>(x0) * bytes,
                  static_cast<const uint8_t*>(pixels) + static_cast<size_t>(y - t.y) * pitch +
                      static_cast<size_t>(x0 - t.x) * bytes,
                  static_cast<size_t>(x1 - x0) * bytes);
  } else {
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<void*>(pixels), width, height,
                                                            SDL_BITSPERPIXEL(format), pitch, format);
    if (!frame) return false;
    SDL_SetSurfaceBlendMode(frame, SDL_BLENDMODE_NONE);
    SDL_Rect dest{t.x, t.y, t.width, t.height};
    ok = (t.width == width && t.height == height ? SDL_BlitSurface(frame, nullptr, target, &dest)
                                                 : SDL_BlitScaled(frame, nullptr, target, &dest)) == 0;
    SDL_FreeSurface(frame);
  }
  return SDL_UpdateWindowSurface(mWindow) == 0 && ok;
}

bool SdlWindow::PresentFrame(const void* pixels, int pitch, int width, int height, FrameLayout layout) {
  if (!IsOwnerThread() || width <= 0 || height <= 0 || !EnsurePresenter()) return false;
  const uint32_t format = SdlFormat(layout);
  if (mUseSurface) {
    mFrameWidth = width;
    mFrameHeight = height;
    return PresentToSurface(pixels, pitch, width, height, format);
  }
  if (!mTexture || mFrameWidth != width || mFrameHeight != height || mTextureFormat != format) {
    if (mTexture) SDL_DestroyTexture(mTexture);
    mTexture = SDL_CreateTexture(mRenderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!mTexture) return false;
    mFrameWidth = width;
    mFrameHeight = height;
    mTextureFormat = format;
  }
  if (SDL_UpdateTexture(mTexture, nullptr, pixels, pitch) != 0) return false;
  DrawLastFrame();
  SDL_RenderPresent(mRenderer);
  return true;
}

bool SdlWindow::ReadPresentedPixels(std::vector<uint32_t>& argb, int& width, int& height) {
  if (!IsOwnerThread() || !EnsurePresenter()) return false;
  if (mUseSurface) {
    SDL_Surface* shown = SDL_GetWindowSurface(mWindow);
    if (!shown || shown->w <= 0 || shown->h <= 0) return false;
    width = shown->w;
    height = shown->h;
    argb.assign(static_cast<size_t>(width) * height, 0);
    return SDL_ConvertPixels(width, height, shown->format->format, shown->pixels, shown->pitch,
                             SDL_PIXELFORMAT_ARGB8888, argb.data(), width * 4) == 0;
  }
  // The back buffer is undefined after a present: draw the frame again.
  DrawLastFrame();
  if (SDL_GetRendererOutputSize(mRenderer, &width, &height) != 0 || width <= 0 || height <= 0) return false;
  argb.assign(static_cast<size_t>(width) * height, 0);
  return SDL_RenderReadPixels(mRenderer, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(), width * 4) == 0;
}

int GetSystemMetrics(int index) {
  const EmulatedDisplay& d = EmulatedDisplay::Get();
  switch (index) {
    case SM_CXSCREEN: return d.DesktopWidth();
    case SM_CYSCREEN: return d.DesktopHeight();
    // The largest client area a framed window can have: the work area.
    case SM_CXFULLSCREEN: {
      RECT r;
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
      return r.right - r.left;
    }
    case SM_CYFULLSCREEN: {
      RECT r;
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
      return r.bottom - r.top;
    }
    default: return 0;
  }
}

bool ClientToScreen(HWND hwnd, POINT* point) {
  if (!point) return false;
  if (SdlWindow* w = SdlWindow::FromHandle(hwnd)) {
    *point = w->ClientToScreen(*point);
    return true;
  }
  // A window of another backend (tests) is placed by the window table.
  POINT origin;
  if (!GetWindowClientOrigin(hwnd, &origin)) return false;
  *point = POINT{point->x + origin.x, point->y + origin.y};
  return true;
}

bool ScreenToClient(HWND hwnd, POINT* point) {
  if (!point) return false;
  if (SdlWindow* w = SdlWindow::FromHandle(hwnd)) {
    *point = w->ScreenToClient(*point);
    return true;
  }
  POINT origin;
  if (!GetWindowClientOrigin(hwnd, &origin)) return false;
  *point = POINT{point->x - origin.x, point->y - origin.y};
  return true;
}

}  // namespace Plix

// SDL's video drivers (X11, D-Bus, the GL loaders) keep allocations for the
// life of the process; the leak checker of the test build is told so.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\nleak:libX11.so\nleak:libGLX_mesa.so\nleak:swrast_dri.so\nleak:libSDL2-2.0.so\n";
}
