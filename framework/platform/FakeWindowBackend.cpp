#include "framework/platform/FakeWindowBackend.h"

#include <algorithm>

#include "framework/platform/Clock.h"

namespace Plix {

FakeWindowBackend::FakeWindowBackend() = default;
FakeWindowBackend::~FakeWindowBackend() = default;

void FakeWindowBackend::Queue(UINT message, WPARAM wParam, LPARAM lParam, HWND hwnd) {
  mPending.push_back(MSG{hwnd ? hwnd : NewestWindow(), message, wParam, lParam, 0, {}});
}

HWND FakeWindowBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
  if (mFailCreate) return nullptr;
  mCreated.push_back(desc);
  mTokens.push_back(std::make_unique<char>('w'));
  HWND hwnd = mTokens.back().get();
  mLive.push_back(hwnd);
  if (mFocusNewWindows) mFocus = hwnd;
  return hwnd;
}

void FakeWindowBackend::DestroyNativeWindow(HWND hwnd) {
  std::erase(mLive, hwnd);
  if (mFocus == hwnd) mFocus = nullptr;
  if (mMouseWindow == hwnd) mMouseWindow = nullptr;
}

void FakeWindowBackend::MoveNativeWindow(HWND hwnd, int x, int y, int width, int height) {
  mMoves.push_back({hwnd, RECT{x, y, x + width, y + height}});
}

void FakeWindowBackend::PollEvents(std::vector<MSG>& out) {
  out.insert(out.end(), mPending.begin(), mPending.end());
  mPending.clear();
}

bool FakeWindowBackend::WaitForEvents(uint32_t timeoutMs) {
  ++mWaits;
  if (!mPending.empty()) return true;
  Sleep(timeoutMs);
  return false;
}

bool FakeWindowBackend::GetLastInputTime(DWORD* time) {
  if (!mHasLastInput) return false;
  *time = mLastInput;
  return true;
}

HCURSOR FakeWindowBackend::LoadSystemCursor(int idc) {
  auto c = std::make_unique<Cursor>();
  c->idc = idc;
  mCursors.push_back(std::move(c));
  return mCursors.back().get();
}

HCURSOR FakeWindowBackend::CreateColorCursor(const std::vector<uint32_t>& argb, int width, int height, int hotX,
                                             int hotY) {
  auto c = std::make_unique<Cursor>();
  c->width = width;
  c->height = height;
  c->hotX = hotX;
  c->hotY = hotY;
  c->argb = argb;
  mCursors.push_back(std::move(c));
  return mCursors.back().get();
}

const FakeWindowBackend::Cursor* FakeWindowBackend::CursorOf(HCURSOR cursor) const {
  for (const auto& c : mCursors)
    if (c.get() == cursor) return c.get();
  return nullptr;
}

bool FakeWindowBackend::SetClipboardText(const std::wstring& text) {
  if (!mHasClipboard) return false;
  mClipboard = text;
  mClipboardHasText = true;
  return true;
}

bool FakeWindowBackend::GetClipboardText(std::wstring* text) {
  text->clear();
  if (!mHasClipboard || !mClipboardHasText) return false;
  *text = mClipboard;
  return true;
}

int FakeWindowBackend::MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  mBoxes.push_back(Box{owner, text, caption, flags});
  if (mOnBox) mOnBox(mBoxes.back());
  if (!mAnswers.empty()) {
    const int answer = mAnswers.front();
    mAnswers.pop_front();
    return answer;
  }
  return (flags & 0xF) == MB_YESNO ? IDYES : IDOK;
}

bool FakeWindowBackend::OpenUrl(const std::string& url) {
  mUrls.push_back(url);
  return mUrlResult;
}

}  // namespace Plix
