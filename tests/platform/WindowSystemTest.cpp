#include "framework/platform/WindowSystem.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "framework/platform/Clock.h"
#include "framework/platform/FakeWindowBackend.h"
#include "framework/platform/Instance.h"
#include "framework/platform/SdlWindow.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

// Every message a window procedure saw, in order.
std::vector<MSG> gSeen;

LRESULT Recorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  gSeen.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class WindowSystemTest : public ::testing::Test {
protected:
  void SetUp() override {
    gSeen.clear();
    ASSERT_NE(RegisterClassW("Test", &Recorder, CS_DBLCLKS), 0);
  }

  std::vector<UINT> Pump() {
    std::vector<UINT> ids;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      ids.push_back(m.message);
      DispatchMessageA(&m);
    }
    return ids;
  }

  FakeClock mClock{1000};
  ScopedClock mScopedClock{mClock};
  FakeWindowBackend mBackend;
  ScopedWindowBackend mScopedBackend{mBackend};
};

TEST_F(WindowSystemTest, StyledWindowsAreNativeAndBareOnesAreMessageWindows) {
  HWND hidden = CreateWindowExW(0, "Test", L"hidden", 0, 0, 0, 0, 0);
  HWND framed = CreateWindowExW(0, "Test", L"Zovad", WS_POPUP | WS_CAPTION | WS_SYSMENU, 64, 64, 800, 600);
  HWND full = CreateWindowExW(WS_EX_TOPMOST, "Test", L"Zovad", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600);
  ASSERT_TRUE(hidden && framed && full);
  ASSERT_EQ(mBackend.mCreated.size(), 2u);
  EXPECT_FALSE(mBackend.mCreated[0].fullScreen);
  EXPECT_EQ(mBackend.mCreated[0].x, 64);
  EXPECT_TRUE(mBackend.mCreated[1].fullScreen);
  EXPECT_TRUE(mBackend.mCreated[1].topMost);
  EXPECT_EQ(CreateWindowExW(0, "Unknown", L"", 0, 0, 0, 0, 0), nullptr);

  SetWindowLongPtr(framed, GWL_USERDATA, 1234);
  EXPECT_EQ(GetWindowLongPtr(framed, GWL_USERDATA), 1234);
  EXPECT_TRUE(DestroyWindow(framed));
  EXPECT_FALSE(IsWindow(framed));
  EXPECT_EQ(GetWindowLongPtr(framed, GWL_USERDATA), 0);
  EXPECT_EQ(mBackend.mLive.size(), 1u);
  ASSERT_FALSE(gSeen.empty());
  EXPECT_EQ(gSeen.back().message, WM_DESTROY);
}

TEST_F(WindowSystemTest, QueueOrderIsInputThenPaintThenTimer) {
  HWND w = CreateWindowExW(0, "Test", L"w", WS_POPUP | WS_CAPTION, 0, 0, 100, 100);
  ShowWindow(w, SW_SHOW);
  SetTimer(w, 100, 10);
  mClock.Advance(10);
  mBackend.Queue(WM_KEYDOWN, 'A');
  PostMessageA(w, WM_USER, 0, 0);
  // Posted before the poll, so ahead of the polled input.
  EXPECT_EQ(Pump(), (std::vector<UINT>{WM_USER, WM_KEYDOWN, WM_PAINT, WM_TIMER}));
  EXPECT_TRUE(Pump().empty());
}

TEST_F(WindowSystemTest, ALateTimerFiresOnceAndRunsOnTheFrameworkClock) {
  HWND w = CreateWindowExW(0, "Test", L"w", 0, 0, 0, 0, 0);
  SetTimer(w, 100, 10);
  EXPECT_TRUE(Pump().empty());
  mClock.Advance(95);
  EXPECT_EQ(Pump(), (std::vector<UINT>{WM_TIMER}));
  mClock.Advance(9);
  EXPECT_TRUE(Pump().empty());
  mClock.Advance(1);
  EXPECT_EQ(Pump(), (std::vector<UINT>{WM_TIMER}));
  EXPECT_EQ(gSeen.back().wParam, 100u);
  KillTimer(w, 100);
  mClock.Advance(50);
  EXPECT_TRUE(Pump().empty());
}

// The main loop's wait between ticks: whatever would make PeekMessage
// return ends it at once (a due timer too); otherwise it lasts until the
// timeout, and a timer falling due meanwhile waits for the next pump.
TEST_F(WindowSystemTest, WaitingForInputEndsWithAnyWaitingMessage) {
  const struct {
    const char* what;
    bool input, posted, paint;
    UINT timerMs;  // 0: none
    DWORD result;
    uint32_t waited;
  } cases[] = {
      {"nothing", false, false, false, 0, WAIT_TIMEOUT, 10},
      {"input", true, false, false, 0, WAIT_OBJECT_0, 0},
      {"posted", false, true, false, 0, WAIT_OBJECT_0, 0},
      {"paint", false, false, true, 0, WAIT_OBJECT_0, 0},
      {"timer falling due meanwhile", false, false, false, 4, WAIT_TIMEOUT, 10},
      {"timer later", false, false, false, 25, WAIT_TIMEOUT, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND w = CreateWindowExW(0, "Test", L"w", WS_POPUP | WS_CAPTION, 0, 0, 100, 100);
    Pump();
    if (c.paint) ShowWindow(w, SW_SHOW);
    if (c.input) mBackend.Queue(WM_KEYDOWN, 'A');
    if (c.posted) PostMessageA(w, WM_USER, 0, 0);
    if (c.timerMs) SetTimer(w, 7, c.timerMs);
    const uint32_t before = mClock.Milliseconds();
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, 10, QS_ALLINPUT), c.result);
    EXPECT_EQ(mClock.Milliseconds() - before, c.waited);
    if (c.timerMs && c.timerMs <= 10) {
      // Due now: the next wait ends at once, and the pump hands it out.
      EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, 10, QS_ALLINPUT), WAIT_OBJECT_0);
      EXPECT_EQ(Pump(), (std::vector<UINT>{WM_TIMER}));
    }
    KillTimer(w, 7);
    DestroyWindow(w);
    Pump();
  }
}

TEST_F(WindowSystemTest, AltF4ClosesThroughTheSystemCommand) {
  HWND w = CreateWindowExW(0, "Test", L"w", WS_POPUP | WS_CAPTION, 0, 0, 100, 100);
  mBackend.Queue(WM_SYSKEYDOWN, VK_F4, 0, w);
  Pump();
  std::vector<UINT> seen;
  for (const MSG& m : gSeen) seen.push_back(m.message);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(WindowSystemTest, BackendMessagesKeepThePlacementCurrent) {
  HWND w = CreateWindowExW(0, "Test", L"w", WS_POPUP | WS_CAPTION, 10, 20, 800, 600);
  mBackend.Queue(WM_MOVE, 0, MakePointLParam(30, 40), w);
  mBackend.Queue(WM_SIZE, SIZE_MINIMIZED, 0, w);
  Pump();
  WINDOWPLACEMENT p;
  ASSERT_TRUE(GetWindowPlacement(w, &p));
  EXPECT_EQ(p.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
  EXPECT_EQ(p.rcNormalPosition.left, 30);
  EXPECT_EQ(p.rcNormalPosition.bottom, 640);
  EXPECT_TRUE(IsIconic(w));
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsIconic(w));
  // Windows of another backend are placed by the table.
  POINT point{1, 2};
  ASSERT_TRUE(ClientToScreen(w, &point));
  EXPECT_EQ(point.x, 31);
  EXPECT_EQ(point.y, 42);
}

TEST_F(WindowSystemTest, BroadcastReachesEveryWindowAndRegisteredIdsAreStable) {
  HWND a = CreateWindowExW(0, "Test", L"a", 0, 0, 0, 0, 0);
  HWND b = CreateWindowExW(0, "Test", L"b", WS_POPUP | WS_CAPTION, 0, 0, 10, 10);
  const UINT id = RegisterWindowMessageW(L"ProductNotify");
  EXPECT_GE(id, kFirstRegisteredMessage);
  EXPECT_EQ(RegisterWindowMessageW(L"ProductNotify"), id);
  EXPECT_NE(RegisterWindowMessageW(L"OtherNotify"), id);
  EXPECT_EQ(GetRegisteredMessageName(id), L"ProductNotify");
  PostMessageA(HWND_BROADCAST, id, 0, 0);
  Pump();
  ASSERT_EQ(gSeen.size(), 2u);
  EXPECT_EQ(gSeen[0].hwnd, a);
  EXPECT_EQ(gSeen[1].hwnd, b);
}

TEST_F(WindowSystemTest, MonochromeCursorsBecomeColourCursors) {
  // 16 x 2: row 0 AND 0 / XOR 1 (white) then AND 1 / XOR 0 (clear);
  // row 1 AND 0 / XOR 0 (black) then AND 1 / XOR 1 (inverted: black).
  const uint8_t andMask[] = {0x00, 0xFF, 0x00, 0xFF};
  const uint8_t xorMask[] = {0xFF, 0x00, 0x00, 0xFF};
  HCURSOR c = CreateCursor(3, 1, 16, 2, andMask, xorMask);
  const FakeWindowBackend::Cursor* cursor = mBackend.CursorOf(c);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->hotX, 3);
  EXPECT_EQ(cursor->argb[0], 0xFFFFFFFFu);
  EXPECT_EQ(cursor->argb[8], 0u);
  EXPECT_EQ(cursor->argb[16], 0xFF000000u);
  EXPECT_EQ(cursor->argb[31], 0xFF000000u);
  EXPECT_EQ(LoadCursorA(IDC_ARROW), LoadCursorA(IDC_ARROW));
  SetCursor(nullptr);
  EXPECT_EQ(mBackend.CurrentCursor(), nullptr);
}

TEST_F(WindowSystemTest, ClipboardIsLatin1AndMayBeMissing) {
  EXPECT_TRUE(SetClipboardTextA("caf\xE9"));
  EXPECT_EQ(mBackend.mClipboard, L"caf\u00E9");
  mBackend.mClipboard = L"\u20AC5";
  std::string text;
  EXPECT_TRUE(GetClipboardTextA(&text));
  EXPECT_EQ(text, "?5");
  mBackend.mHasClipboard = false;
  EXPECT_FALSE(GetClipboardTextA(&text));
  EXPECT_EQ(text, "");
}

TEST(Instance, SecondMutexOfANameReportsThatItExistsAndHearsTheBroadcast) {
  Testing::TempDir dir;
  Testing::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path());
  HANDLE first = CreateMutexW(L"Zovad Uda VodizMutex", true);
  EXPECT_EQ(GetLastError(), 0u);
  HANDLE second = CreateMutexW(L"Zovad Uda VodizMutex", true);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  // Another program tells the owner; a program never tells itself.
  BroadcastToOtherInstances(L"Zovad Uda VodizNotify");
  EXPECT_TRUE(PollInstanceBroadcasts().empty());
  const pid_t child = fork();
  if (child == 0) {
    BroadcastToOtherInstances(L"Zovad Uda VodizNotify");
    _exit(0);
  }
  ASSERT_GT(child, 0);
  int status = 0;
  waitpid(child, &status, 0);
  std::vector<std::wstring> heard;
  for (int i = 0; i < 100 && heard.empty(); ++i) heard = PollInstanceBroadcasts();
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], L"Zovad Uda VodizNotify");
  CloseHandle(second);
  CloseHandle(first);
  HANDLE again = CreateMutexW(L"Zovad Uda VodizMutex", true);
  EXPECT_EQ(GetLastError(), 0u);
  CloseHandle(again);
}

}  // namespace
}  // namespace Plix
