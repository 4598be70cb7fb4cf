// Tools for whoever watches a demo play back: the marker list and the
// jump-to-time dialog, made of the toolkit's own widgets and run modally
// over the frozen game (on a widget manager of their own, so that nothing
// the game's widgets see changes); and the screen-saver filter.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

#include "framework/app/PlixAppBase.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"
#include "framework/platform/Clock.h"
#include "framework/platform/Registry.h"
#include "framework/platform/WindowSystem.h"
#include "framework/util/Utilities.h"
#include "framework/widget/ButtonListener.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/EditListener.h"
#include "framework/widget/EditWidget.h"
#include "framework/widget/WidgetHost.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

namespace {

constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr WPARAM SC_NEXTWINDOW = 0xF040;
constexpr WPARAM SC_PREVWINDOW = 0xF050;
// What the "DemoJumpTime" value is read into and how much is typed.
constexpr DWORD kJumpTimeBuffer = 1000;
constexpr int kJumpTimeMaxChars = 500;

// The dialogs are laid out in dialog units of an 8-point Tahoma, as their
// templates were: a base unit of 6 x 13 pixels, a unit a quarter of its
// width and an eighth of its height.
int DluX(int units) { return units * 6 / 4; }
int DluY(int units) { return units * 13 / 8; }

constexpr int kTitleHeight = 20;
constexpr int kBorder = 3;

// The tools' clipboard is the system's; nothing of theirs reaches a demo.
class DemoToolHost : public WidgetHost {
public:
  void CopyToClipboard(const std::string& text) override { SetClipboardTextA(text); }
  std::string GetClipboardText() override {
    std::string text;
    if (!GetClipboardTextA(&text)) text.clear();
    return text;
  }
};

// A list of lines with one selected; a double click picks one.
class MarkerListBox : public Widget {
public:
  struct Entry {
    std::wstring mText;
    uint32_t mUpdate;
  };

  explicit MarkerListBox(Font* font) : mFont(font) {}

  void Add(const std::wstring& text, uint32_t update) {
    mEntries.push_back(Entry{text, update});
    MarkDirty();
  }

  void Draw(Graphics* g) override {
    g->SetColor(Color(255, 255, 255));
    g->FillRect(0, 0, mWidth, mHeight);
    g->SetColor(Color(128, 128, 128));
    g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
    g->SetFont(mFont);
    const int line = LineHeight();
    for (int i = mTop; i < static_cast<int>(mEntries.size()); ++i) {
      const int y = 2 + (i - mTop) * line;
      if (y >= mHeight - 2) break;
      if (i == mSelected) {
        g->SetColor(Color(10, 36, 106));
        g->FillRect(2, y, mWidth - 4, line);
      }
      g->SetColor(i == mSelected ? Color(255, 255, 255) : Color(0, 0, 0));
      g->DrawString(mEntries[static_cast<size_t>(i)].mText, 4, y + mFont->GetAscent());
    }
  }

  void MouseDown(int x, int y, int clickCount) override {
    const int index = mTop + (y - 2) / LineHeight();
    if (y < 2 || index >= static_cast<int>(mEntries.size())) return;
    mSelected = index;
    MarkDirty();
    if (clickCount == 2 && mOnPick) mOnPick(mEntries[static_cast<size_t>(index)].mUpdate);
  }

  void MouseWheel(int delta) override {
    const int rows = std::max(1, (mHeight - 4) / LineHeight());
    mTop = std::clamp(mTop - delta, 0, std::max(0, static_cast<int>(mEntries.size()) - rows));
    MarkDirty();
  }

  int LineHeight() const { return std::max(1, mFont->GetHeight()); }

  std::vector<Entry> mEntries;
  int mSelected = -1;
  int mTop = 0;
  std::function<void(uint32_t)> mOnPick;

private:
  Font* mFont;
};

}  // namespace

// A framed window with a title bar; the frame of both tools. Its result is
// what the dialog ends with.
class DemoTool : public Widget, public ButtonListener, public EditListener {
public:
  DemoTool(PlixAppBase* app, const std::wstring& title, int widthUnits, int heightUnits)
      : mApp(app), mTitle(title), mFont("Tahoma", 8) {
    Resize(DluX(10), DluY(10), DluX(widthUnits) + 2 * kBorder, DluY(heightUnits) + kTitleHeight + 2 * kBorder);
  }
  ~DemoTool() override { RemoveAllWidgets(); }

  // Called once the tool is on its manager.
  virtual void Open(WidgetManager&) {}
  virtual void Accept() { Finish(0); }
  void Cancel() { Finish(0); }
  void Finish(int result) {
    mResult = result;
    mDone = true;
  }

  // A child at a place given in dialog units of the client area.
  void Place(Widget* child, int x, int y, int width, int height) {
    child->Resize(ClientX() + DluX(x), ClientY() + DluY(y), DluX(width), DluY(height));
    AddWidget(child);
  }
  int ClientX() const { return kBorder; }
  int ClientY() const { return kTitleHeight + kBorder; }
  int ClientWidth() const { return mWidth - 2 * kBorder; }
  int ClientHeight() const { return mHeight - kTitleHeight - 2 * kBorder; }

  void Draw(Graphics* g) override {
    g->SetColor(Color(212, 208, 200));
    g->FillRect(0, 0, mWidth, mHeight);
    g->SetColor(Color(64, 64, 64));
    g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
    g->SetColor(Color(10, 36, 106));
    g->FillRect(kBorder, kBorder, mWidth - 2 * kBorder, kTitleHeight - 2);
    g->SetFont(&mFont);
    g->SetColor(Color(255, 255, 255));
    g->DrawString(mTitle, kBorder + 4, kBorder + (kTitleHeight - 2 - mFont.GetHeight()) / 2 + mFont.GetAscent());
  }

  void ButtonReleased(int id) override {
    if (id == IDOK)
      Accept();
    else
      Cancel();
  }
  void OnEditText(int, const std::wstring&) override { Accept(); }

  PlixAppBase* mApp;
  std::wstring mTitle;
  SysFont mFont;
  bool mDone = false;
  int mResult = 0;
};

namespace {

// The markers still ahead, each with the time it lies before the end; a
// double click jumps to one.
class MarkerListTool : public DemoTool {
public:
  explicit MarkerListTool(PlixAppBase* app) : DemoTool(app, L"Marker List", 200, 200), mList(&mFont) {}

  void Open(WidgetManager&) override {
    mList.Resize(ClientX() + 10, ClientY() + 10, ClientWidth() - 20, ClientHeight() - 20);
    AddWidget(&mList);
    for (const DemoMarker& marker : mApp->mDemoMarkers) {
      if (static_cast<int64_t>(marker.mUpdate) <= mApp->mTicksDone) continue;
      mList.Add(DemoMarkerEntry(marker, mApp->mDemoLength, mApp->mTickMs), marker.mUpdate);
    }
    mList.mOnPick = [this](uint32_t update) {
      if (static_cast<int64_t>(update) <= mApp->mTicksDone) return;
      mApp->mSkipToTick = static_cast<int32_t>(update);
      Finish(0);
    };
  }

  MarkerListBox mList;
};

// A time typed as seconds, minutes:seconds or hours:minutes:seconds before
// the end of the demo; kept in the registry for the next time.
class JumpToTimeTool : public DemoTool {
public:
  explicit JumpToTimeTool(PlixAppBase* app)
      : DemoTool(app, L"Jump To Time", 200, 50), mEdit(100, this), mOk(IDOK, this), mCancel(IDCANCEL, this) {
    mOk.mLabel = L"Ok";
    mCancel.mLabel = L"Cancel";
    mOk.SetFont(&mFont);
    mCancel.SetFont(&mFont);
    mEdit.SetFont(&mFont);
    mEdit.mMaxChars = kJumpTimeMaxChars;
  }

  void Open(WidgetManager& manager) override {
    Place(&mEdit, 5, 5, 190, 15);
    Place(&mOk, 30, 25, 60, 15);
    Place(&mCancel, 100, 25, 60, 15);
    // Straight from the registry: the tools are not part of the demo.
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
      char text[kJumpTimeBuffer] = {};
      // One byte stays for the terminator.
      DWORD type = REG_NONE, length = kJumpTimeBuffer - 1;
      if (RegQueryValueExA(key, "DemoJumpTime", nullptr, &type, reinterpret_cast<BYTE*>(text), &length) ==
          ERROR_SUCCESS) {
        text[std::min<DWORD>(length, kJumpTimeBuffer - 1)] = 0;
        mEdit.SetText(StringToWString(text));
      }
      RegCloseKey(key);
    }
    manager.SetFocus(&mEdit);
  }

  void Accept() override {
    const std::string text = WStringToString(mEdit.mString.substr(0, kJumpTimeMaxChars));
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
      RegSetValueExA(key, "DemoJumpTime", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
      RegCloseKey(key);
    }
    const int64_t target = static_cast<int64_t>(mApp->mDemoLength) -
                           (SecondsBeforeEnd(text) + 1) * 1000 / std::max(mApp->mTickMs, 1);
    mApp->mSkipToTick = static_cast<int32_t>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX));
    Finish(IDOK);
  }

  // "1:30" is 90 seconds, "2:00:00" 7,200; each part counts its leading
  // digits.
  static int64_t SecondsBeforeEnd(const std::string& text) {
    int64_t total = 0;
    size_t from = 0;
    for (;;) {
      const size_t colon = text.find(':', from);
      const std::string part = text.substr(from, colon == std::string::npos ? std::string::npos : colon - from);
      total = std::clamp<int64_t>(total * 60 + std::atoi(part.c_str()), -(int64_t{1} << 40), int64_t{1} << 40);
      if (colon == std::string::npos) return total;
      from = colon + 1;
    }
  }

  std::string KeyPath() const { return "SOFTWARE\\" + mApp->mRegKeyPath; }

  EditWidget mEdit;
  ButtonWidget mOk;
  ButtonWidget mCancel;
};

}  // namespace

int PlixAppBase::MouseClickCode(UINT message, bool& pressed) {
  pressed = true;
  switch (message) {
    case WM_LBUTTONDOWN: return 1;
    case WM_LBUTTONDBLCLK: return 2;
    case WM_RBUTTONDOWN: return -1;
    case WM_RBUTTONDBLCLK: return -2;
    case WM_MBUTTONDOWN: return 3;
    default: break;
  }
  pressed = false;
  switch (message) {
    case WM_LBUTTONUP: return 1;
    case WM_RBUTTONUP: return -1;
    case WM_MBUTTONUP: return 3;
    default: return 0;
  }
}

int PlixAppBase::ShowMarkerListDialog() {
  MarkerListTool tool(this);
  return RunDemoTool(tool);
}

int PlixAppBase::ShowJumpToTimeDialog() {
  JumpToTimeTool tool(this);
  return RunDemoTool(tool);
}

int PlixAppBase::RunDemoTool(DemoTool& tool) {
  DemoToolHost host;
  ScopedWidgetHost scopedHost(&host);
  WidgetManager tools(&host);
  tools.Resize(Rect(0, 0, mScreenWidth, mScreenHeight), Rect(0, 0, mScreenWidth, mScreenHeight));
  tools.mImage = mAppWidgets->mImage;
  tools.AddWidget(&tool);
  tool.Open(tools);
  mDemoToolOpen = true;
  ApplyCursor();

  while (!tool.mDone && !mShuttingDown) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    // What the window procedure queued is the tool's; a close ends the tool
    // and stays queued for the main loop.
    while (!mDeferredMessages.empty() && !tool.mDone) {
      const DeferredMessage m = mDeferredMessages.front();
      if (m.message == WM_CLOSE) {
        tool.Cancel();
        break;
      }
      mDeferredMessages.pop_front();
      switch (m.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
          if (m.wParam == static_cast<WPARAM>(VK_ESCAPE))
            tool.Cancel();
          else if (m.wParam == static_cast<WPARAM>(VK_RETURN))
            tool.Accept();
          else
            tools.KeyDown(static_cast<int>(m.wParam));
          break;
        case WM_KEYUP:
        case WM_SYSKEYUP: tools.KeyUp(static_cast<int>(m.wParam)); break;
        case WM_CHAR:
          if (m.wParam != '\r' && m.wParam != 27) tools.KeyChar(static_cast<wchar_t>(m.wParam));
          break;
        case WM_MOUSEWHEEL: tools.MouseWheel(GetWheelDeltaWParam(m.wParam) / WHEEL_DELTA); break;
        default:
          if (m.message >= WM_MOUSEMOVE && m.message <= WM_MBUTTONUP) {
            int x = GetXLParam(m.lParam), y = GetYLParam(m.lParam);
            mAppWidgets->ScaleMousePosition(x, y);
            tools.MouseMove(x, y);
            bool pressed = false;
            if (const int code = MouseClickCode(m.message, pressed)) {
              if (pressed)
                tools.MouseDown(x, y, code);
              else
                tools.MouseUp(x, y, code);
            }
          }
          break;
      }
    }
    tools.UpdateTick();
    if (tools.mImage && tools.DrawDirtyWidgets()) PresentScreen(false);
    Sleep(static_cast<uint32_t>(mTickMs));
  }

  tools.RemoveWidget(&tool);
  mDemoToolOpen = false;
  // The game's picture comes back whole, and the time the tool was open is
  // not caught up.
  mAppWidgets->MarkAllDirty();
  mRedrawAll = true;
  ResetFrameTiming();
  ApplyCursor();
  return tool.mResult;
}

// ----------------------------------------------------------- screen saver

bool PlixAppBase::ScreenSaverFilter(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (mSaverClosing) return false;
  // The moves are counted from where the cursor was when the window came
  // up. This window system sends no WM_CREATE: the first message stands
  // for it. The system's password check before closing does not exist here.
  if (!mSaverFilterStarted) {
    mSaverFilterStarted = true;
    GetCursorPos(&mSaverReference);
  }
  switch (message) {
    case WM_SYSCOMMAND: {
      const WPARAM command = wParam & 0xFFF0;
      return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_CLOSE || command == SC_SCREENSAVE;
    }
    case WM_MOUSEMOVE: {
      const POINT p{GetXLParam(lParam), GetYLParam(lParam)};
      if (p.x != mSaverReference.x || p.y != mSaverReference.y) {
        ++mSaverMoves;
        mSaverReference = p;
      }
      // Small jitter is not activity.
      if (mSaverMoves < 4) return true;
      return ScreenSaverCloseCheck(hwnd, message);
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CLOSE: return ScreenSaverCloseCheck(hwnd, message);
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE: return wParam == 0 && ScreenSaverCloseCheck(hwnd, message);
    default: return false;
  }
}

bool PlixAppBase::ScreenSaverCloseCheck(HWND hwnd, UINT message) {
  if (mMainWindow && hwnd != mMainWindow) return false;
  // Powering the monitor down activates and moves things: not the user.
  const bool quietAfterPowerOff = message == WM_ACTIVATE || message == WM_ACTIVATEAPP || message == WM_NCACTIVATE ||
                                  message == WM_CLOSE || message == WM_MOUSEMOVE;
  if (quietAfterPowerOff && GetTickCount() - gMonitorPowerTime < 1000) return false;
  mSaverClosing = true;
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  return false;
}

}  // namespace Plix
