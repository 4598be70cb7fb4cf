#pragma once
// The window system of the original platform as the application shell uses
// it: window classes with a window procedure, windows with a user-data
// pointer, the message queue (posted and input messages, then paint, then
// timers, as the original orders them), the default window procedure, and
// the small services around windows (placement, focus, capture, cursors,
// clipboard, message boxes, opening URLs, the work area and the system's
// screen-saver settings).
//
// Everything that needs a real window system goes through a WindowBackend:
// SDL2 for the program, FakeWindowBackend (scripted messages, recorded
// calls) for tests. The queue, the window table and the timers are shared
// code above it, so both run the same rules. Main thread only, except
// GetCursorPos and ScreenToClient, which the cursor thread calls.
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/WinMessages.h"

namespace Plix {

// What a backend makes when a visible top-level window is created.
struct NativeWindowDesc {
  std::wstring title;
  // Client area on the desktop.
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool fullScreen = false;  // a caption-less popup: covers the desktop
  bool visible = false;
  bool topMost = false;
};

// Screen-saver settings of the system.
struct ScreenSaverSettings {
  bool active = false;
  int timeoutSeconds = 0;
  bool running = false;
  bool runningKnown = false;  // the "running" query succeeded
};

class WindowBackend {
public:
  virtual ~WindowBackend() = default;

  // A native top-level window, or null. The handle of a real window is the
  // address of its SdlWindow, which the display presents into.
  virtual HWND CreateNativeWindow(const NativeWindowDesc& desc) = 0;
  virtual void DestroyNativeWindow(HWND hwnd) = 0;
  // SW_HIDE, SW_SHOW..., SW_MINIMIZE, SW_RESTORE.
  virtual void ShowNativeWindow(HWND hwnd, int showCmd) = 0;
  virtual void MoveNativeWindow(HWND hwnd, int x, int y, int width, int height) = 0;
  virtual void RaiseNativeWindow(HWND hwnd) = 0;
  // A client position to the position in the frame shown in the window (a
  // full-screen window shows a smaller frame scaled up); mouse messages
  // already carry frame positions.
  virtual POINT ClientToFrame(HWND hwnd, POINT client) = 0;
  // The window with the keyboard focus (the active one), or null.
  virtual HWND GetFocusWindow() = 0;
  // The window under the mouse pointer, or null.
  virtual HWND GetMouseWindow() = 0;
  // Appends the messages that input and window changes produced since the
  // last call, already translated; never blocks.
  virtual void PollEvents(std::vector<MSG>& out) = 0;
  // Waits until input may be waiting for PollEvents, at most timeoutMs on
  // the framework clock; true when woken by input.
  virtual bool WaitForEvents(uint32_t timeoutMs) = 0;
  // Desktop coordinates.
  virtual POINT GetCursorPos() = 0;
  virtual void SetMouseCapture(bool on) = 0;
  virtual RECT GetWorkArea() = 0;
  virtual ScreenSaverSettings GetScreenSaverSettings() = 0;
  // The time (GetTickCount) of the last input the system saw; false when
  // the system does not say.
  virtual bool GetLastInputTime(DWORD* time) = 0;

  // Cursors: a system cursor by IDC_ id, or a colour cursor from 0xAARRGGBB
  // pixels. SetCursor(null) hides the pointer.
  virtual HCURSOR LoadSystemCursor(int idc) = 0;
  virtual HCURSOR CreateColorCursor(const std::vector<uint32_t>& argb, int width, int height, int hotX,
                                    int hotY) = 0;
  virtual void DestroyCursor(HCURSOR cursor) = 0;
  virtual void SetCursor(HCURSOR cursor) = 0;

  // False when there is no clipboard to use.
  virtual bool SetClipboardText(const std::wstring& text) = 0;
  virtual bool GetClipboardText(std::wstring* text) = 0;

  // A modal box; the IDOK, IDYES... answer.
  virtual int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) = 0;
  // Opens a URL (or file) with the desktop's handler; false when that could
  // not be started.
  virtual bool OpenUrl(const std::string& url) = 0;
};

// The backend every call uses: SDL unless a test installed another.
WindowBackend& GetWindowBackend();
// Null restores the SDL backend.
void SetWindowBackend(WindowBackend* backend);

// Installs a backend for a scope and clears the queue, the timers and the
// window table around it (tests).
class ScopedWindowBackend {
public:
  explicit ScopedWindowBackend(WindowBackend& backend);
  ~ScopedWindowBackend();
  ScopedWindowBackend(const ScopedWindowBackend&) = delete;
  ScopedWindowBackend& operator=(const ScopedWindowBackend&) = delete;
};

// ---------------------------------------------------------------- windows

// Registers a class name with its procedure; a second registration of the
// same name fails (0).
ATOM RegisterClassW(const std::string& className, WNDPROC proc, UINT style);
// A window with a style becomes a native window (a caption gives a framed
// window, a bare popup full screen); a window without one (style 0) is an
// invisible message window. Null when the class is unknown or the backend
// cannot make the window.
HWND CreateWindowExW(DWORD exStyle, const std::string& className, const std::wstring& title, DWORD style, int x,
                     int y, int width, int height);
// Sends WM_DESTROY, then removes the window.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
intptr_t SetWindowLongPtr(HWND hwnd, int index, intptr_t value);
intptr_t GetWindowLongPtr(HWND hwnd, int index);
bool ShowWindow(HWND hwnd, int showCmd);
bool IsWindowVisible(HWND hwnd);
bool IsIconic(HWND hwnd);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
bool GetWindowRect(HWND hwnd, RECT* rect);
bool SetForegroundWindow(HWND hwnd);
HWND SetFocus(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
HWND WindowFromPoint(POINT point);
// Our windows have no frame of their own: the outer rectangle is the
// client rectangle (the desktop's window manager adds its decoration).
bool AdjustWindowRect(RECT* rect, DWORD style, bool menu);
// A client position of the window to the position in its frame (see
// WindowBackend::ClientToFrame); false for an unknown window.
bool ClientToFrame(HWND hwnd, POINT* point);
// The windows the table holds, oldest first.
std::vector<HWND> GetTopLevelWindows();
// Where the window's client area lies on the desktop, as the table knows it.
bool GetWindowClientOrigin(HWND hwnd, POINT* origin);

// --------------------------------------------------------------- messages

constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;

// Fetches the next message: posted and input messages first, then a
// window's pending paint, then a due timer (one WM_TIMER per timer however
// late it is). False when there is nothing.
bool PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Character messages come from the backend already, so this does nothing.
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Waits until a message is waiting (input, a posted message, a paint or a
// due timer) or timeoutMs passes; a timer falling due meanwhile is picked up
// by the next PeekMessage after the wait. Only the form the main loop uses: no
// handles, any input. WAIT_OBJECT_0 when a message waits, else WAIT_TIMEOUT.
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD QS_ALLINPUT = 0x04FF;
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, bool waitAll, DWORD timeoutMs, DWORD wakeMask);
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// WM_CLOSE destroys the window; Alt+F4 (WM_SYSKEYDOWN with VK_F4) closes
// it through SC_CLOSE; WM_PAINT validates; WM_ERASEBKGND answers 1.
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
// The same name always gives the same id (from 0xC000 up).
UINT RegisterWindowMessageW(const std::wstring& name);
// The name of a registered id, or empty.
std::wstring GetRegisteredMessageName(UINT id);

// Timers post WM_TIMER with the timer id in wParam, measured on the
// framework clock (so a FakeClock drives them).
UINT SetTimer(HWND hwnd, UINT id, UINT periodMs);
bool KillTimer(HWND hwnd, UINT id);

// Raising the timer resolution is not needed with nanosleep.
inline UINT timeBeginPeriod(UINT) { return 0; }
inline UINT timeEndPeriod(UINT) { return 0; }

// ------------------------------------------------------- mouse and cursor

bool GetCursorPos(POINT* point);
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
HCURSOR LoadCursorA(int idc);
// A 32 x 32 (or other) monochrome cursor from AND and XOR masks, one bit
// per pixel, rows padded to 16 bits, as the original's CreateCursor.
HCURSOR CreateCursor(int hotX, int hotY, int width, int height, const uint8_t* andMask, const uint8_t* xorMask);
bool DestroyCursor(HCURSOR cursor);
// Null hides the pointer. Returns the previous cursor.
HCURSOR SetCursor(HCURSOR cursor);

// ------------------------------------------------ system and other services

bool SystemParametersInfoA(UINT action, UINT param, void* out, UINT winIni);
// GetLastInputInfo: false when the system does not say.
bool GetLastInputInfo(DWORD* time);

// The clipboard's text, as the narrow (Latin-1) text the framework keeps.
bool SetClipboardTextA(const std::string& text);
// False (text empty) when there is no clipboard or no text on it.
bool GetClipboardTextA(std::string* text);

int MessageBoxW(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// ShellExecuteA with the verb "open": above 32 on success, as the original.
intptr_t ShellExecuteA(HWND owner, const std::string& verb, const std::string& file);

}  // namespace Plix
