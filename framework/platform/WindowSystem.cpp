#include "framework/platform/WindowSystem.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>

#include "framework/platform/Clock.h"
#include "framework/platform/Instance.h"
#include "framework/platform/SdlWindow.h"

namespace Plix {

WindowBackend& SdlWindowBackendInstance();

namespace {

struct WindowClass {
  WNDPROC proc = nullptr;
  UINT style = 0;
};

struct WindowRecord {
  HWND hwnd = nullptr;
  std::string className;
  WNDPROC proc = nullptr;
  intptr_t userData = 0;
  bool native = false;
  bool visible = false;
  int showState = SW_HIDE;
  RECT rect;  // client area on the desktop
  bool needsPaint = false;
};

struct Timer {
  HWND hwnd = nullptr;
  UINT id = 0;
  UINT period = 0;
  uint32_t due = 0;
};

// The shared state of the window system. The recursive lock lets a window
// procedure called from here call back in; it is never held while one runs.
struct State {
  std::recursive_mutex lock;
  WindowBackend* backend = nullptr;
  std::map<std::string, WindowClass> classes;
  // In creation order: the broadcast and the paint scan go oldest first.
  std::vector<std::unique_ptr<WindowRecord>> windows;
  std::deque<MSG> queue;
  std::vector<Timer> timers;
  std::map<std::wstring, UINT> registered;
  HWND capture = nullptr;
  HCURSOR cursor = nullptr;
  std::map<int, HCURSOR> systemCursors;
  // On the program's clock, so that a test that sets the clock decides
  // when the sockets are asked; none asked yet after a clear.
  bool broadcastPolled = false;
  DWORD lastBroadcastPoll = 0;
};

State& S() {
  static State* state = new State();  // outlives static destruction
  return *state;
}

WindowRecord* Find(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (auto& w : S().windows)
    if (w->hwnd == hwnd) return w.get();
  return nullptr;
}

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

void ClearState() {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  s.windows.clear();
  s.classes.clear();
  s.queue.clear();
  s.timers.clear();
  s.capture = nullptr;
  s.cursor = nullptr;
  s.systemCursors.clear();
  s.broadcastPolled = false;
}

// What a message from the backend changes in the table before it is
// queued: positions, sizes and show states follow the system's, and a
// paint request becomes the window's paint flag.
bool NoteBackendMessage(const MSG& m) {
  WindowRecord* w = Find(m.hwnd);
  if (!w) return true;
  switch (m.message) {
    case WM_MOVE: {
      const LONG width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
      w->rect = RECT{GetXLParam(m.lParam), GetYLParam(m.lParam), GetXLParam(m.lParam) + width,
                     GetYLParam(m.lParam) + height};
      return true;
    }
    case WM_SIZE:
      if (m.wParam == SIZE_MINIMIZED) {
        w->showState = SW_SHOWMINIMIZED;
      } else {
        w->showState = m.wParam == SIZE_MAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        w->rect.right = w->rect.left + (static_cast<DWORD>(m.lParam) & 0xFFFF);
        w->rect.bottom = w->rect.top + ((static_cast<DWORD>(m.lParam) >> 16) & 0xFFFF);
      }
      return true;
    case WM_PAINT:
      w->needsPaint = true;
      return false;
    default:
      return true;
  }
}

void PostToAll(const MSG& m) {
  State& s = S();
  for (auto& w : s.windows) {
    MSG copy = m;
    copy.hwnd = w->hwnd;
    s.queue.push_back(copy);
  }
}

void PollSources() {
  State& s = S();
  std::vector<MSG> incoming;
  s.backend->PollEvents(incoming);
  // Another start's notice can wait a tenth of a second: the sockets are
  // not asked on every pass of the loop.
  const DWORD now = GetTickCount();
  std::vector<std::wstring> broadcasts;
  if (!s.broadcastPolled || now - s.lastBroadcastPoll >= 100) {
    s.broadcastPolled = true;
    s.lastBroadcastPoll = now;
    broadcasts = PollInstanceBroadcasts();
  }
  for (const std::wstring& name : broadcasts) {
    MSG m;
    m.hwnd = HWND_BROADCAST;
    m.message = RegisterWindowMessageW(name);
    incoming.push_back(m);
  }
  for (MSG& m : incoming) {
    m.time = GetTickCount();
    if (m.hwnd == HWND_BROADCAST) {
      PostToAll(m);
    } else if (NoteBackendMessage(m)) {
      s.queue.push_back(m);
    }
  }
}

}  // namespace

WindowBackend& GetWindowBackend() {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  if (!s.backend) s.backend = &SdlWindowBackendInstance();
  return *s.backend;
}

void SetWindowBackend(WindowBackend* backend) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  S().backend = backend;
}

ScopedWindowBackend::ScopedWindowBackend(WindowBackend& backend) {
  ClearState();
  SetWindowBackend(&backend);
}

ScopedWindowBackend::~ScopedWindowBackend() {
  ClearState();
  SetWindowBackend(nullptr);
}

// ---------------------------------------------------------------- windows

ATOM RegisterClassW(const std::string& className, WNDPROC proc, UINT style) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  if (className.empty() || !proc || s.classes.count(className)) return 0;
  s.classes[className] = WindowClass{proc, style};
  return static_cast<ATOM>(s.classes.size());
}

HWND CreateWindowExW(DWORD exStyle, const std::string& className, const std::wstring& title, DWORD style, int x,
                     int y, int width, int height) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  auto cls = s.classes.find(className);
  if (cls == s.classes.end()) return nullptr;
  auto w = std::make_unique<WindowRecord>();
  w->className = className;
  w->proc = cls->second.proc;
  w->rect = RECT{x, y, x + width, y + height};
  w->visible = (style & WS_VISIBLE) != 0;
  w->showState = w->visible ? SW_SHOWNORMAL : SW_HIDE;
  w->needsPaint = w->visible;
  if (style != 0) {
    NativeWindowDesc desc;
    desc.title = title;
    desc.x = x;
    desc.y = y;
    desc.width = width;
    desc.height = height;
    desc.fullScreen = (style & WS_POPUP) != 0 && (style & WS_CAPTION) == 0;
    desc.visible = w->visible;
    desc.topMost = (exStyle & WS_EX_TOPMOST) != 0;
    w->hwnd = GetWindowBackend().CreateNativeWindow(desc);
    if (!w->hwnd) return nullptr;
    w->native = true;
  } else {
    w->hwnd = w.get();
  }
  HWND hwnd = w->hwnd;
  s.windows.push_back(std::move(w));
  return hwnd;
}

bool DestroyWindow(HWND hwnd) {
  State& s = S();
  std::unique_lock<std::recursive_mutex> lock(s.lock);
  if (!Find(hwnd)) return false;
  lock.unlock();
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  lock.lock();
  WindowRecord* w = Find(hwnd);
  if (!w) return true;
  const bool native = w->native;
  std::erase_if(s.timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
  std::erase_if(s.queue, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
  if (s.capture == hwnd) {
    s.capture = nullptr;
    GetWindowBackend().SetMouseCapture(false);
  }
  std::erase_if(s.windows, [hwnd](const std::unique_ptr<WindowRecord>& r) { return r->hwnd == hwnd; });
  if (native) GetWindowBackend().DestroyNativeWindow(hwnd);
  return true;
}

bool IsWindow(HWND hwnd) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  return Find(hwnd) != nullptr;
}

intptr_t SetWindowLongPtr(HWND hwnd, int index, intptr_t value) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  if (!w || index != GWL_USERDATA) return 0;
  intptr_t old = w->userData;
  w->userData = value;
  return old;
}

intptr_t GetWindowLongPtr(HWND hwnd, int index) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  return w && index == GWL_USERDATA ? w->userData : 0;
}

bool ShowWindow(HWND hwnd, int showCmd) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  if (!w) return false;
  const bool wasVisible = w->visible;
  switch (showCmd) {
    case SW_HIDE: w->visible = false; break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      w->visible = true;
      w->showState = SW_SHOWMINIMIZED;
      break;
    case SW_SHOWMAXIMIZED:
      w->visible = true;
      w->showState = SW_SHOWMAXIMIZED;
      break;
    default:
      w->visible = true;
      if (showCmd == SW_RESTORE || w->showState == SW_HIDE) w->showState = SW_SHOWNORMAL;
      break;
  }
  if (w->visible) w->needsPaint = true;
  if (w->native) GetWindowBackend().ShowNativeWindow(hwnd, showCmd);
  return wasVisible;
}

bool IsWindowVisible(HWND hwnd) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  return w && w->visible;
}

bool IsIconic(HWND hwnd) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  return w && w->showState == SW_SHOWMINIMIZED;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  if (!w) return false;
  w->rect = RECT{x, y, x + width, y + height};
  if (repaint && w->visible) w->needsPaint = true;
  if (w->native) GetWindowBackend().MoveNativeWindow(hwnd, x, y, width, height);
  return true;
}

bool GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  if (!w || !placement) return false;
  placement->showCmd = static_cast<UINT>(w->showState);
  placement->rcNormalPosition = w->rect;
  return true;
}

bool GetWindowRect(HWND hwnd, RECT* rect) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  if (!w || !rect) return false;
  *rect = w->rect;
  return true;
}

bool SetForegroundWindow(HWND hwnd) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  if (!w || !w->native) return false;
  GetWindowBackend().RaiseNativeWindow(hwnd);
  return true;
}

HWND SetFocus(HWND hwnd) {
  HWND previous = GetActiveWindow();
  SetForegroundWindow(hwnd);
  return previous;
}

HWND GetActiveWindow() {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  HWND focus = GetWindowBackend().GetFocusWindow();
  return Find(focus) ? focus : nullptr;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

HWND WindowFromPoint(POINT point) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(GetWindowBackend().GetMouseWindow());
  return w && w->visible && Inside(w->rect, point) ? w->hwnd : nullptr;
}

bool AdjustWindowRect(RECT* rect, DWORD, bool) { return rect != nullptr; }

bool ClientToFrame(HWND hwnd, POINT* point) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  if (!point || !Find(hwnd)) return false;
  *point = GetWindowBackend().ClientToFrame(hwnd, *point);
  return true;
}

std::vector<HWND> GetTopLevelWindows() {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  std::vector<HWND> out;
  for (auto& w : S().windows) out.push_back(w->hwnd);
  return out;
}

bool GetWindowClientOrigin(HWND hwnd, POINT* origin) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  WindowRecord* w = Find(hwnd);
  if (!w || !origin) return false;
  *origin = POINT{w->rect.left, w->rect.top};
  return true;
}

// --------------------------------------------------------------- messages

bool PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  PollSources();
  if (!s.queue.empty()) {
    *msg = s.queue.front();
    if (removeFlags & PM_REMOVE) s.queue.pop_front();
    return true;
  }
  for (auto& w : s.windows) {
    if (w->needsPaint && w->visible) {
      if (removeFlags & PM_REMOVE) w->needsPaint = false;
      *msg = MSG{w->hwnd, WM_PAINT, 0, 0, GetTickCount(), {}};
      return true;
    }
  }
  const uint32_t now = timeGetTime();
  for (Timer& t : s.timers) {
    if (static_cast<int32_t>(now - t.due) >= 0) {
      if (removeFlags & PM_REMOVE) t.due = now + t.period;
      *msg = MSG{t.hwnd, WM_TIMER, t.id, 0, GetTickCount(), {}};
      return true;
    }
  }
  return false;
}

DWORD MsgWaitForMultipleObjects(DWORD, const HANDLE*, bool, DWORD timeoutMs, DWORD) {
  State& s = S();
  WindowBackend* backend = nullptr;
  {
    std::lock_guard<std::recursive_mutex> lock(s.lock);
    PollSources();
    if (!s.queue.empty()) return WAIT_OBJECT_0;
    for (auto& w : s.windows)
      if (w->needsPaint && w->visible) return WAIT_OBJECT_0;
    // A due timer's message is waiting too. One falling due meanwhile does
    // not end the wait: the window timer runs at the tick's rate, out of
    // step with it, and would wake the loop twice a tick for nothing that
    // cannot wait until the tick.
    const uint32_t now = timeGetTime();
    for (const Timer& t : s.timers)
      if (static_cast<int32_t>(t.due - now) <= 0) return WAIT_OBJECT_0;
    backend = &GetWindowBackend();
  }
  // Not under the lock: other threads post while the main thread waits.
  if (timeoutMs == 0) return WAIT_TIMEOUT;
  return backend->WaitForEvents(timeoutMs) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

bool TranslateMessage(const MSG*) { return false; }

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  MSG m{hwnd, message, wParam, lParam, GetTickCount(), {}};
  if (hwnd == HWND_BROADCAST) {
    PostToAll(m);
    if (message >= kFirstRegisteredMessage) BroadcastToOtherInstances(GetRegisteredMessageName(message));
    return true;
  }
  if (!Find(hwnd)) return false;
  s.queue.push_back(m);
  return true;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = nullptr;
  {
    std::lock_guard<std::recursive_mutex> lock(S().lock);
    if (WindowRecord* w = Find(hwnd)) proc = w->proc;
  }
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == static_cast<WPARAM>(VK_F4)) SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_PAINT: {
      std::lock_guard<std::recursive_mutex> lock(S().lock);
      if (WindowRecord* w = Find(hwnd)) w->needsPaint = false;
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_QUERYOPEN:
      return 1;
    default:
      return 0;
  }
}

UINT RegisterWindowMessageW(const std::wstring& name) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  if (name.empty()) return 0;
  auto it = s.registered.find(name);
  if (it != s.registered.end()) return it->second;
  const UINT id = kFirstRegisteredMessage + static_cast<UINT>(s.registered.size());
  s.registered[name] = id;
  return id;
}

std::wstring GetRegisteredMessageName(UINT id) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  for (const auto& [name, value] : S().registered)
    if (value == id) return name;
  return std::wstring();
}

UINT SetTimer(HWND hwnd, UINT id, UINT periodMs) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  if (!Find(hwnd)) return 0;
  const UINT period = std::max<UINT>(periodMs, 1);
  for (Timer& t : s.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.period = period;
      t.due = timeGetTime() + period;
      return id;
    }
  }
  s.timers.push_back(Timer{hwnd, id, period, timeGetTime() + period});
  return id;
}

bool KillTimer(HWND hwnd, UINT id) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  return std::erase_if(S().timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

// ------------------------------------------------------- mouse and cursor

bool GetCursorPos(POINT* point) {
  if (!point) return false;
  *point = GetWindowBackend().GetCursorPos();
  return true;
}

HWND SetCapture(HWND hwnd) {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  HWND previous = S().capture;
  S().capture = hwnd;
  GetWindowBackend().SetMouseCapture(true);
  return previous;
}

bool ReleaseCapture() {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  S().capture = nullptr;
  GetWindowBackend().SetMouseCapture(false);
  return true;
}

HWND GetCapture() {
  std::lock_guard<std::recursive_mutex> lock(S().lock);
  return S().capture;
}

HCURSOR LoadCursorA(int idc) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  auto it = s.systemCursors.find(idc);
  if (it != s.systemCursors.end()) return it->second;
  HCURSOR cursor = GetWindowBackend().LoadSystemCursor(idc);
  if (cursor) s.systemCursors[idc] = cursor;
  return cursor;
}

HCURSOR CreateCursor(int hotX, int hotY, int width, int height, const uint8_t* andMask, const uint8_t* xorMask) {
  if (width <= 0 || height <= 0 || !andMask || !xorMask) return nullptr;
  const int rowBytes = (width + 15) / 16 * 2;
  std::vector<uint32_t> argb(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int byte = y * rowBytes + x / 8, bit = 7 - x % 8;
      const bool a = (andMask[byte] >> bit) & 1, o = (xorMask[byte] >> bit) & 1;
      // AND 1 keeps the screen (transparent; an inverting pixel becomes
      // black, which a colour cursor cannot invert); AND 0 paints XOR.
      uint32_t pixel = 0;
      if (!a) pixel = o ? 0xFFFFFFFFu : 0xFF000000u;
      else if (o) pixel = 0xFF000000u;
      argb[static_cast<size_t>(y) * width + x] = pixel;
    }
  }
  return GetWindowBackend().CreateColorCursor(argb, width, height, hotX, hotY);
}

bool DestroyCursor(HCURSOR cursor) {
  if (!cursor) return false;
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  if (s.cursor == cursor) {
    GetWindowBackend().SetCursor(LoadCursorA(IDC_ARROW));
    s.cursor = nullptr;
  }
  GetWindowBackend().DestroyCursor(cursor);
  return true;
}

HCURSOR SetCursor(HCURSOR cursor) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> lock(s.lock);
  HCURSOR previous = s.cursor;
  s.cursor = cursor;
  GetWindowBackend().SetCursor(cursor);
  return previous;
}

// ------------------------------------------------ system and other services

bool SystemParametersInfoA(UINT action, UINT, void* out, UINT) {
  if (!out) return false;
  WindowBackend& b = GetWindowBackend();
  switch (action) {
    case SPI_GETWORKAREA:
      *static_cast<RECT*>(out) = b.GetWorkArea();
      return true;
    case SPI_GETSCREENSAVETIMEOUT:
      *static_cast<int*>(out) = b.GetScreenSaverSettings().timeoutSeconds;
      return true;
    case SPI_GETSCREENSAVEACTIVE:
      *static_cast<BOOL*>(out) = b.GetScreenSaverSettings().active ? TRUE : FALSE;
      return true;
    case SPI_GETSCREENSAVERRUNNING: {
      const ScreenSaverSettings ss = b.GetScreenSaverSettings();
      if (!ss.runningKnown) return false;
      *static_cast<BOOL*>(out) = ss.running ? TRUE : FALSE;
      return true;
    }
    default:
      return false;
  }
}

bool GetLastInputInfo(DWORD* time) { return time && GetWindowBackend().GetLastInputTime(time); }

namespace {
// The framework's narrow text is Latin-1.
std::wstring Widen(const std::string& s) {
  std::wstring w;
  for (unsigned char c : s) w.push_back(c);
  return w;
}
}  // namespace

bool SetClipboardTextA(const std::string& text) { return GetWindowBackend().SetClipboardText(Widen(text)); }

bool GetClipboardTextA(std::string* text) {
  if (!text) return false;
  text->clear();
  std::wstring wide;
  if (!GetWindowBackend().GetClipboardText(&wide)) return false;
  for (wchar_t c : wide) text->push_back(c > 255 ? '?' : static_cast<char>(c));
  return true;
}

int MessageBoxW(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  return GetWindowBackend().MessageBox(owner, text, caption, flags);
}

int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  return MessageBoxW(owner, Widen(text), Widen(caption), flags);
}

intptr_t ShellExecuteA(HWND, const std::string& verb, const std::string& file) {
  if (verb != "open" || file.empty()) return 2;  // ERROR_FILE_NOT_FOUND
  return GetWindowBackend().OpenUrl(file) ? 42 : 2;
}

}  // namespace Plix
