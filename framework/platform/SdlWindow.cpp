#include "framework/platform/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <mutex>
#include <set>

#include "framework/platform/DDraw.h"
#include "framework/platform/WindowSystem.h"

namespace Plix {

namespace {

std::mutex gWindowsLock;
std::set<SdlWindow*> gWindows;

bool StartVideo(std::string* error) {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    if (error) *error = std::string("SDL video: ") + SDL_GetError();
    return false;
  }
  return true;
}

uint32_t SdlFormat(FrameLayout layout) {
  switch (layout) {
    case FrameLayout::R5G6B5: return SDL_PIXELFORMAT_RGB565;
    case FrameLayout::X1R5G5B5: return SDL_PIXELFORMAT_RGB555;
    default: return SDL_PIXELFORMAT_RGB888;
  }
}

}  // namespace

std::unique_ptr<SdlWindow> SdlWindow::Create(const SdlWindowDesc& desc, std::string* error) {
  if (!StartVideo(error)) return nullptr;
  std::unique_ptr<SdlWindow> w(new SdlWindow());
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (desc.fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  const int x = desc.x < 0 ? SDL_WINDOWPOS_CENTERED : desc.x;
  const int y = desc.y < 0 ? SDL_WINDOWPOS_CENTERED : desc.y;
  w->mWindow = SDL_CreateWindow(desc.title.c_str(), x, y, desc.width, desc.height, flags);
  if (!w->mWindow) {
    if (error) *error = std::string("SDL window: ") + SDL_GetError();
    return nullptr;
  }
  w->mTitle = desc.title;
  w->mOwnerThread = std::this_thread::get_id();
  SDL_GetWindowPosition(w->mWindow, &w->mX, &w->mY);
  SDL_GetWindowSize(w->mWindow, &w->mWidth, &w->mHeight);
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
}

bool SdlWindow::EnsureRenderer() {
  if (mRenderer) return true;
  mRenderer = SDL_CreateRenderer(mWindow, -1, 0);
  if (!mRenderer) mRenderer = SDL_CreateRenderer(mWindow, -1, SDL_RENDERER_SOFTWARE);
  return mRenderer != nullptr;
}

void SdlWindow::DrawLastFrame() {
  SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
  SDL_RenderSetLogicalSize(mRenderer, 0, 0);
  // A frame as large as the output covers it all: no clearing first.
  int outputWidth = 0, outputHeight = 0;
  const bool covers = mTexture && SDL_GetRendererOutputSize(mRenderer, &outputWidth, &outputHeight) == 0 &&
                      outputWidth == mTextureWidth && outputHeight == mTextureHeight;
  if (!covers) SDL_RenderClear(mRenderer);
  if (!mTexture) return;
  // Logical size = frame size: SDL scales it to the output, keeping the
  // aspect, and fills the rest black.
  SDL_RenderSetLogicalSize(mRenderer, mTextureWidth, mTextureHeight);
  SDL_RenderCopy(mRenderer, mTexture, nullptr, nullptr);
}

bool SdlWindow::PresentFrame(const void* pixels, int pitch, int width, int height, FrameLayout layout) {
  if (!IsOwnerThread() || width <= 0 || height <= 0 || !EnsureRenderer()) return false;
  const uint32_t format = SdlFormat(layout);
  if (!mTexture || mTextureWidth != width || mTextureHeight != height || mTextureFormat != format) {
    if (mTexture) SDL_DestroyTexture(mTexture);
    mTexture = SDL_CreateTexture(mRenderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!mTexture) return false;
    mTextureWidth = width;
    mTextureHeight = height;
    mTextureFormat = format;
  }
  if (SDL_UpdateTexture(mTexture, nullptr, pixels, pitch) != 0) return false;
  DrawLastFrame();
  SDL_RenderPresent(mRenderer);
  return true;
}

bool SdlWindow::ReadPresentedPixels(std::vector<uint32_t>& argb, int& width, int& height) {
  if (!IsOwnerThread() || !EnsureRenderer()) return false;
  // The back buffer is undefined after a present: draw the frame again.
  DrawLastFrame();
  SDL_RenderSetLogicalSize(mRenderer, 0, 0);
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
