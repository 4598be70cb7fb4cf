#pragma once
// The program's one kind of top-level window: an SDL window with the
// little the display needs (title, size, position, windowed or full screen,
// shown or hidden) and the presentation of a frame's pixels through an SDL
// renderer, scaled to the window with the aspect kept (letter-boxed).
// Drawing and mouse mapping share one FrameTransform, made from the size
// the window really has (a window asked for full screen may stay smaller
// when no window manager grants it).
//
// The window handle (HWND) of the rest of the framework is the address of
// an SdlWindow; FromHandle turns it back and refuses stale handles. Message
// translation (SDL events -> window messages) is layered on top of this
// class by the application shell; it reports moves and resizes back through
// OnMoved and OnResized, and finds a window by its SDL id with FromWindowId.
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/platform/WinTypes.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace Plix {

struct SdlWindowDesc {
  std::string title;
  // Position of the client area on the desktop; -1 centres it.
  int x = -1;
  int y = -1;
  int width = 800;
  int height = 600;
  bool fullScreen = false;
  bool visible = false;
};

// Where a frame of frameWidth x frameHeight is drawn in a window: scaled to
// fit with its aspect kept, centred, black around.
struct FrameTransform {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int frameWidth = 0;
  int frameHeight = 0;

  static FrameTransform Fit(int windowWidth, int windowHeight, int frameWidth, int frameHeight);
  // A window pixel to the frame pixel drawn there (outside the drawn
  // rectangle: beyond the frame's edges, as the original reports them).
  POINT ToFrame(POINT window) const;
};

// Pixel layouts a frame can be handed over in.
enum class FrameLayout { X8R8G8B8, R5G6B5, X1R5G5B5 };

class SdlWindow {
public:
  // Null (with `error` set) when SDL's video cannot start or the window
  // cannot be made. Must be called on the thread that will present.
  static std::unique_ptr<SdlWindow> Create(const SdlWindowDesc& desc, std::string* error = nullptr);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  HWND Handle() { return this; }
  // The live window behind a handle, or null.
  static SdlWindow* FromHandle(HWND hwnd);
  static SdlWindow* FromWindowId(uint32_t sdlWindowId);

  void Show();
  void Hide();
  bool IsVisible() const { return mVisible; }
  void SetTitle(const std::string& title);
  const std::string& Title() const { return mTitle; }
  void Move(int x, int y);
  void SetClientSize(int width, int height);

  int ClientWidth() const { return mWidth; }
  int ClientHeight() const { return mHeight; }
  RECT GetClientRect() const;
  // Client coordinates to desktop coordinates.
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  // Told by the event translation when the system moved or resized it.
  void OnMoved(int x, int y);
  void OnResized(int width, int height);
  // Reads the size the window really has from the window system (which
  // can differ from what SDL was asked for) and keeps it.
  void SyncSize();
  // The transform of the last presented frame at the window's real size
  // (identity-sized before the first frame).
  FrameTransform Transform() const;
  // A client position to the position in the frame shown there.
  POINT ClientToFrame(POINT client) const { return Transform().ToFrame(client); }

  SDL_Window* Native() const { return mWindow; }
  uint32_t WindowId() const;
  // Presenting happens only on the thread that made the window.
  bool IsOwnerThread() const { return std::this_thread::get_id() == mOwnerThread; }

  // Shows a frame in Transform()'s rectangle, black around: through a
  // streaming texture of an accelerated renderer, or copied (scaled) into
  // the window's own surface where there is none. False when not on the
  // owner thread or presenting failed.
  bool PresentFrame(const void* pixels, int pitch, int width, int height, FrameLayout layout);
  // The window's content as last presented, as 0xAARRGGBB words of the
  // window's output size (for screenshots of the window in tests).
  bool ReadPresentedPixels(std::vector<uint32_t>& argb, int& width, int& height);
  // What presents: "renderer <name>", "window surface", or "none" before
  // the first frame.
  std::string PresenterName() const;

private:
  SdlWindow() = default;
  bool EnsurePresenter();
  void DrawLastFrame();
  bool PresentToSurface(const void* pixels, int pitch, int width, int height, uint32_t format);

  SDL_Window* mWindow = nullptr;
  SDL_Renderer* mRenderer = nullptr;
  SDL_Texture* mTexture = nullptr;
  uint32_t mTextureFormat = 0;
  bool mUseSurface = false;  // frames go into the window's surface
  // The size of the last frame.
  int mFrameWidth = 0;
  int mFrameHeight = 0;
  std::string mTitle;
  int mX = 0;
  int mY = 0;
  int mWidth = 0;
  int mHeight = 0;
  bool mVisible = false;
  std::thread::id mOwnerThread;
};

// Input on the window system's connection without a full SDL pump (which
// asks the connection many times over), where the driver is X11; -1 where
// it is not (or before the first window). WindowInputPending: 1 when
// something waits to be pumped, else 0. WaitForWindowInput: waits up to
// timeoutMs for it; 1 when it came, 0 when the time ran out. Main thread.
int WindowInputPending();
int WaitForWindowInput(uint32_t timeoutMs);

// Starts SDL's video once; false (with the reason, which names DISPLAY) when
// no display can be opened. The reason stays for VideoStartError.
bool StartVideo(std::string* error = nullptr);
const std::string& VideoStartError();

// Window-system queries of the original platform over the window and the
// emulated desktop.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
int GetSystemMetrics(int index);
// False for a handle that is not a live window (the point is unchanged).
bool ClientToScreen(HWND hwnd, POINT* point);
bool ScreenToClient(HWND hwnd, POINT* point);

}  // namespace Plix
