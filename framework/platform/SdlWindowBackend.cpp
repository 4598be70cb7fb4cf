// The window system over SDL2: one SdlWindow per native window, SDL events
// translated into window messages, SDL cursors, clipboard and message
// boxes, xdg-open for URLs. A message box that SDL cannot show (no display)
// goes to standard error.
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "framework/platform/Clock.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/ReportWindow.h"
#include "framework/platform/SdlEvents.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/Utf8.h"
#include "framework/platform/WindowSystem.h"

namespace Plix {

namespace {

class SdlWindowBackend : public WindowBackend {
public:
  SdlWindowBackend()
      : mTranslator({[](uint32_t id) -> HWND {
                       SdlWindow* w = SdlWindow::FromWindowId(id);
                       return w ? w->Handle() : nullptr;
                     },
                     [](HWND hwnd) {
                       POINT p{};
                       if (SdlWindow* w = SdlWindow::FromHandle(hwnd)) p = w->ClientToScreen(p);
                       return p;
                     }}),
        mMainThread(std::this_thread::get_id()) {
    // Closing the last window is a WM_CLOSE like any other; only a signal
    // (or the session ending) quits.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A click that activates the window also counts as a click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  }

  HWND CreateNativeWindow(const NativeWindowDesc& desc) override {
    if (!EnsureVideo()) return nullptr;
    SdlWindowDesc d;
    d.title = Utf8(desc.title);
    d.x = desc.x;
    d.y = desc.y;
    d.width = desc.width;
    d.height = desc.height;
    d.fullScreen = desc.fullScreen;
    d.visible = desc.visible;
    std::string error;
    std::unique_ptr<SdlWindow> window = SdlWindow::Create(d, &error);
    if (!window) {
      // The caller reports a missing display in its own words.
      if (VideoStartError().empty()) std::fprintf(stderr, "%s\n", error.c_str());
      return nullptr;
    }
    if (desc.topMost) SDL_SetWindowAlwaysOnTop(window->Native(), SDL_TRUE);
    HWND hwnd = window->Handle();
    mWindows[hwnd] = std::move(window);
    return hwnd;
  }

  void DestroyNativeWindow(HWND hwnd) override { mWindows.erase(hwnd); }

  void ShowNativeWindow(HWND hwnd, int showCmd) override {
    SdlWindow* w = Get(hwnd);
    if (!w) return;
    switch (showCmd) {
      case SW_HIDE: w->Hide(); break;
      case SW_MINIMIZE:
      case SW_SHOWMINIMIZED: SDL_MinimizeWindow(w->Native()); break;
      case SW_SHOWMAXIMIZED: SDL_MaximizeWindow(w->Native()); break;
      case SW_RESTORE:
        SDL_RestoreWindow(w->Native());
        w->Show();
        break;
      case SW_SHOWNOACTIVATE:
        SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, "1");
        w->Show();
        SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, "0");
        break;
      default: w->Show(); break;
    }
  }

  void MoveNativeWindow(HWND hwnd, int x, int y, int width, int height) override {
    if (SdlWindow* w = Get(hwnd)) {
      w->Move(x, y);
      w->SetClientSize(width, height);
    }
  }

  void RaiseNativeWindow(HWND hwnd) override {
    if (SdlWindow* w = Get(hwnd)) {
      SDL_RaiseWindow(w->Native());
      // Without a window manager nobody else gives the keyboard focus.
      SDL_SetWindowInputFocus(w->Native());
    }
  }

  POINT ClientToFrame(HWND hwnd, POINT client) override {
    SdlWindow* w = Get(hwnd);
    return w ? w->ClientToFrame(client) : client;
  }

  static bool DriverCanWait() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
  }

  HWND GetFocusWindow() override { return Lookup(SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetKeyboardFocus() : nullptr); }
  HWND GetMouseWindow() override { return Lookup(SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetMouseFocus() : nullptr); }

  void PollEvents(std::vector<MSG>& out) override {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    // Asking the window system costs a few system calls every time, and the
    // loop asks several times a tick: at most once a millisecond. Events a
    // wait brought in are already in SDL's queue.
    // On X11 only when the connection has something (looked at no more
    // often either), or once a second for SDL's own upkeep (such as keeping
    // the screen saver away).
    const auto now = std::chrono::steady_clock::now();
    if (now - mLastLook >= std::chrono::milliseconds(1)) {
      mLastLook = now;
      const int pending = WindowInputPending();
      if (pending > 0 || now - mLastPump >= (pending < 0 ? std::chrono::milliseconds(1) : std::chrono::seconds(1))) {
        SDL_PumpEvents();
        mLastPump = now;
      }
    }
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
      if (e.type == SDL_POLLSENTINEL) continue;  // SDL's own marker of a pump
      if (e.type == SDL_WINDOWEVENT) {
        if (SdlWindow* w = SdlWindow::FromWindowId(e.window.windowID)) {
          if (e.window.event == SDL_WINDOWEVENT_MOVED) w->OnMoved(e.window.data1, e.window.data2);
          if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) w->OnResized(e.window.data1, e.window.data2);
          if (e.window.event == SDL_WINDOWEVENT_SHOWN || e.window.event == SDL_WINDOWEVENT_EXPOSED) w->SyncSize();
        }
      }
      if (e.type == SDL_MOUSEMOTION) {
        if (SdlWindow* w = SdlWindow::FromWindowId(e.motion.windowID)) {
          POINT p = w->ClientToScreen(POINT{e.motion.x, e.motion.y});
          mCursorX = p.x;
          mCursorY = p.y;
        }
      }
      ToFramePositions(e);
      mTranslator.Translate(e, out);
    }
    mTranslator.EndBatch(out);
  }

  bool WaitForEvents(uint32_t timeoutMs) override {
    // SDL waits in real time, and only a driver with a connection to the
    // window system blocks on it (the others would poll every millisecond):
    // otherwise the time is slept out.
    if (!ClockIsReal() || !SDL_WasInit(SDL_INIT_VIDEO) || !DriverCanWait()) {
      Sleep(timeoutMs);
      return false;
    }
    // On X11 on the connection itself: SDL's own wait pumps it first. What
    // came is pumped by the next poll at once; after a quiet wait the
    // connection was just looked at.
    const int came = WaitForWindowInput(timeoutMs);
    if (came >= 0) {
      mLastLook = came > 0 ? std::chrono::steady_clock::time_point{} : std::chrono::steady_clock::now();
      return came > 0;
    }
    const uint32_t start = timeGetTime();
    const bool woken = SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs)) == 1;
    mLastPump = mLastLook = std::chrono::steady_clock::now();  // the wait asked the window system last
    // SDL counts whole milliseconds of its own and may give up a fraction
    // early: the rest is slept, rather than waited for again through it.
    const uint32_t waited = timeGetTime() - start;
    if (!woken && waited < timeoutMs) Sleep(timeoutMs - waited);
    return woken;
  }

  POINT GetCursorPos() override {
    // SDL is asked on the main thread only; the cursor thread gets the
    // position the main thread saw last.
    if (std::this_thread::get_id() == mMainThread && SDL_WasInit(SDL_INIT_VIDEO)) {
      int x = 0, y = 0;
      SDL_GetGlobalMouseState(&x, &y);
      mCursorX = x;
      mCursorY = y;
    }
    return POINT{mCursorX.load(), mCursorY.load()};
  }

  void SetMouseCapture(bool on) override {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE);
  }

  RECT GetWorkArea() override {
    SDL_Rect r;
    if (EnsureVideo() && SDL_GetDisplayUsableBounds(0, &r) == 0 && r.w > 0 && r.h > 0)
      return RECT{r.x, r.y, r.x + r.w, r.y + r.h};
    const EmulatedDisplay& d = EmulatedDisplay::Get();
    return RECT{0, 0, d.DesktopWidth(), d.DesktopHeight()};
  }

  // The desktop does not tell its screen saver's timeout; idle suspension
  // never starts.
  ScreenSaverSettings GetScreenSaverSettings() override { return ScreenSaverSettings(); }
  bool GetLastInputTime(DWORD*) override { return false; }

  HCURSOR LoadSystemCursor(int idc) override {
    if (!EnsureVideo()) return nullptr;
    SDL_SystemCursor id;
    switch (idc) {
      case IDC_IBEAM: id = SDL_SYSTEM_CURSOR_IBEAM; break;
      case IDC_WAIT: id = SDL_SYSTEM_CURSOR_WAIT; break;
      case IDC_CROSS: id = SDL_SYSTEM_CURSOR_CROSSHAIR; break;
      case IDC_SIZENWSE: id = SDL_SYSTEM_CURSOR_SIZENWSE; break;
      case IDC_SIZENESW: id = SDL_SYSTEM_CURSOR_SIZENESW; break;
      case IDC_SIZEWE: id = SDL_SYSTEM_CURSOR_SIZEWE; break;
      case IDC_SIZENS: id = SDL_SYSTEM_CURSOR_SIZENS; break;
      case IDC_SIZEALL: id = SDL_SYSTEM_CURSOR_SIZEALL; break;
      case IDC_NO: id = SDL_SYSTEM_CURSOR_NO; break;
      case IDC_HAND: id = SDL_SYSTEM_CURSOR_HAND; break;
      default: id = SDL_SYSTEM_CURSOR_ARROW; break;
    }
    return SDL_CreateSystemCursor(id);
  }

  HCURSOR CreateColorCursor(const std::vector<uint32_t>& argb, int width, int height, int hotX, int hotY) override {
    if (!EnsureVideo()) return nullptr;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb.data()), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return nullptr;
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hotX, hotY);
    SDL_FreeSurface(surface);
    return cursor;
  }

  void DestroyCursor(HCURSOR cursor) override {
    if (cursor && SDL_WasInit(SDL_INIT_VIDEO)) SDL_FreeCursor(static_cast<SDL_Cursor*>(cursor));
  }

  void SetCursor(HCURSOR cursor) override {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    if (cursor) {
      SDL_SetCursor(static_cast<SDL_Cursor*>(cursor));
      SDL_ShowCursor(SDL_ENABLE);
    } else {
      SDL_ShowCursor(SDL_DISABLE);
    }
  }

  bool SetClipboardText(const std::wstring& text) override {
    return EnsureVideo() && SDL_SetClipboardText(Utf8(text).c_str()) == 0;
  }

  bool GetClipboardText(std::wstring* text) override {
    text->clear();
    if (!EnsureVideo() || !SDL_HasClipboardText()) return false;
    char* utf8 = SDL_GetClipboardText();
    if (!utf8) return false;
    *text = FromUtf8(utf8);
    SDL_free(utf8);
    return true;
  }

  // Drawn by the program itself with the system's fonts: it wraps the text,
  // needs neither core X fonts nor a helper process (SDL's box has both, and
  // ignores a request to end the program while it is up), and closes when
  // the program is asked to end, leaving that request to the main loop.
  int MessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    std::vector<std::pair<int, std::string>> buttons;
    switch (flags & 0xF) {
      case MB_YESNO: buttons = {{IDYES, "Yes"}, {IDNO, "No"}}; break;
      case MB_OKCANCEL: buttons = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}}; break;
      default: buttons = {{IDOK, "OK"}}; break;
    }
    const std::string c = Utf8(caption);
    if (EnsureVideo()) {
      if (std::unique_ptr<ReportWindowSystem> windows = OpenReportWindowSystem()) {
        std::vector<std::string> labels;
        for (const auto& b : buttons) labels.push_back(b.second);
        const int pressed = windows->ShowMessageBox(c, text, labels);
        if (pressed >= 0 && pressed < static_cast<int>(buttons.size()))
          return buttons[static_cast<size_t>(pressed)].first;
      }
    }
    // No display: the text goes to standard error and the default answers.
    std::fprintf(stderr, "%s: %s\n", c.c_str(), Utf8(text).c_str());
    std::fflush(stderr);
    return buttons[0].first;
  }

  bool OpenUrl(const std::string& url) override { return SDL_OpenURL(url.c_str()) == 0; }

private:
  // Mouse messages carry positions in the frame shown, mapped by the
  // transform the window draws with.
  static void ToFramePositions(SDL_Event& e) {
    auto map = [](uint32_t windowId, Sint32& x, Sint32& y) {
      if (SdlWindow* w = SdlWindow::FromWindowId(windowId)) {
        const POINT p = w->ClientToFrame(POINT{x, y});
        x = p.x;
        y = p.y;
      }
    };
    if (e.type == SDL_MOUSEMOTION) map(e.motion.windowID, e.motion.x, e.motion.y);
    if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) map(e.button.windowID, e.button.x, e.button.y);
  }

  bool EnsureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (!StartVideo()) return false;
    EmulatedDisplay::Get().ConfigureFromRealDesktop();
    return true;
  }

  SdlWindow* Get(HWND hwnd) {
    auto it = mWindows.find(hwnd);
    return it == mWindows.end() ? nullptr : it->second.get();
  }

  HWND Lookup(SDL_Window* window) {
    if (!window) return nullptr;
    SdlWindow* w = SdlWindow::FromWindowId(SDL_GetWindowID(window));
    return w ? w->Handle() : nullptr;
  }

  SdlEventTranslator mTranslator;
  std::map<HWND, std::unique_ptr<SdlWindow>> mWindows;
  std::atomic<int> mCursorX{0};
  std::atomic<int> mCursorY{0};
  std::thread::id mMainThread;
  std::chrono::steady_clock::time_point mLastPump{};
  std::chrono::steady_clock::time_point mLastLook{};
};

}  // namespace

WindowBackend& SdlWindowBackendInstance() {
  static SdlWindowBackend* backend = new SdlWindowBackend();  // outlives static destruction
  return *backend;
}

}  // namespace Plix
