#pragma once
// A window backend for tests: windows are tokens, input is a script of
// messages handed out on the next poll, and every service call is recorded
// with a settable answer (focus, cursor position, work area, clipboard,
// message-box answers, URL results, screen-saver settings).
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/WindowSystem.h"

namespace Plix {

class FakeWindowBackend : public WindowBackend {
public:
  struct Box {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT flags = 0;
  };
  struct Cursor {
    int idc = 0;  // 0 for a colour cursor
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<uint32_t> argb;
  };

  FakeWindowBackend();
  ~FakeWindowBackend() override;

  // Queues input for the next poll; hwnd null stands for the newest window.
  void Queue(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, HWND hwnd = nullptr);
  HWND NewestWindow() const { return mLive.empty() ? nullptr : mLive.back(); }

  // WindowBackend.
  HWND CreateNativeWindow(const NativeWindowDesc& desc) override;
  void DestroyNativeWindow(HWND hwnd) override;
  void ShowNativeWindow(HWND hwnd, int showCmd) override { mShows.push_back({hwnd, showCmd}); }
  void MoveNativeWindow(HWND hwnd, int x, int y, int width, int height) override;
  void RaiseNativeWindow(HWND hwnd) override { mRaised.push_back(hwnd); }
  POINT ClientToFrame(HWND, POINT client) override { return client; }
  HWND GetFocusWindow() override { return mFocus; }
  HWND GetMouseWindow() override { return mMouseWindow; }
  void PollEvents(std::vector<MSG>& out) override;
  // Queued input ends the wait at once; otherwise the clock sleeps.
  bool WaitForEvents(uint32_t timeoutMs) override;
  POINT GetCursorPos() override { return mCursorPos; }
  void SetMouseCapture(bool on) override { mCaptured = on; }
  RECT GetWorkArea() override { return mWorkArea; }
  ScreenSaverSettings GetScreenSaverSettings() override { return mScreenSaver; }
  bool GetLastInputTime(DWORD* time) override;
  HCURSOR LoadSystemCursor(int idc) override;
  HCURSOR CreateColorCursor(const std::vector<uint32_t>& argb, int width, int height, int hotX, int hotY) override;
  void DestroyCursor(HCURSOR cursor) override { ++mCursorsDestroyed; }
  void SetCursor(HCURSOR cursor) override { mCursorSets.push_back(cursor); }
  bool SetClipboardText(const std::wstring& text) override;
  bool GetClipboardText(std::wstring* text) override;
  int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override;
  bool OpenUrl(const std::string& url) override;

  // The cursor behind a handle from LoadSystemCursor/CreateColorCursor.
  const Cursor* CursorOf(HCURSOR cursor) const;
  HCURSOR CurrentCursor() const { return mCursorSets.empty() ? nullptr : mCursorSets.back(); }

  // Recorded calls and settable answers.
  std::vector<NativeWindowDesc> mCreated;
  std::vector<HWND> mLive;
  bool mFailCreate = false;
  // A new window gets the keyboard focus, as most window managers give it.
  bool mFocusNewWindows = false;
  std::vector<std::pair<HWND, int>> mShows;
  std::vector<std::pair<HWND, RECT>> mMoves;
  std::vector<HWND> mRaised;
  HWND mFocus = nullptr;
  HWND mMouseWindow = nullptr;
  std::vector<MSG> mPending;
  int mWaits = 0;  // calls of WaitForEvents
  POINT mCursorPos;
  bool mCaptured = false;
  RECT mWorkArea{0, 0, 1024, 738};
  ScreenSaverSettings mScreenSaver;
  bool mHasLastInput = false;
  DWORD mLastInput = 0;
  std::vector<HCURSOR> mCursorSets;
  int mCursorsDestroyed = 0;
  bool mHasClipboard = true;
  std::wstring mClipboard;
  bool mClipboardHasText = false;
  std::vector<Box> mBoxes;
  std::deque<int> mAnswers;              // answered in order; then IDOK or IDYES
  std::function<void(const Box&)> mOnBox;  // runs while the box is "open"
  std::vector<std::string> mUrls;
  bool mUrlResult = true;

private:
  std::vector<std::unique_ptr<char>> mTokens;
  std::vector<std::unique_ptr<Cursor>> mCursors;
};

}  // namespace Plix
