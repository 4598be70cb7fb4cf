#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/platform/WindowSystem.h"
#include "framework/widget/WidgetManager.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

class SwallowingApp : public TestApp {
public:
  int mSwallow = 0;
  bool PreviewKeyDown(int key, bool ctrl, bool alt) override {
    mHooks.push_back("preview " + std::to_string(key) + (ctrl ? " ctrl" : "") + (alt ? " alt" : ""));
    return key == mSwallow;
  }
  void OnCloseMessage() override { mHooks.push_back("OnCloseMessage"); }
};

class WindowProcTest : public AppFixture {
protected:
  void SetUp() override {
    Make<SwallowingApp>();
    ASSERT_EQ(InitApp(), -1);
    // As Start leaves it.
    mApp->mMainLoopRunning = true;
    ShowWindow(mApp->mMainWindow, SW_SHOW);
    AddProbe();
  }
  SwallowingApp& App() { return static_cast<SwallowingApp&>(*mApp); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(mApp->mMainWindow, message, wParam, lParam);
  }
  std::vector<UINT> Queued() const {
    std::vector<UINT> ids;
    for (const DeferredMessage& m : mApp->mDeferredMessages) ids.push_back(m.message);
    return ids;
  }
  void Drain() {
    while (mApp->ProcessDeferredMessages()) {
    }
  }
};

struct Sent {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

TEST_F(WindowProcTest, AdmissionToTheQueue) {
  const struct {
    const char* name;
    std::vector<Sent> sent;
    std::vector<UINT> queued;
  } cases[] = {
      {"timers in a row collapse", {{WM_TIMER, 100, 0}, {WM_TIMER, 100, 0}}, {WM_TIMER}},
      {"a timer behind a move is queued",
       {{WM_TIMER, 100, 0}, {WM_MOUSEMOVE, 0, 0}, {WM_TIMER, 100, 0}},
       {WM_TIMER, WM_MOUSEMOVE, WM_TIMER}},
      {"nothing after a close", {{WM_CLOSE, 0, 0}, {WM_KEYDOWN, 'A', 0}, {WM_SIZE, SIZE_MINIMIZED, 0}}, {WM_CLOSE}},
      {"colour and display changes once",
       {{WM_SYSCOLORCHANGE, 0, 0}, {WM_KEYDOWN, 'A', 0}, {WM_DISPLAYCHANGE, 0, 0}, {WM_SYSCOLORCHANGE, 0, 0}},
       {WM_SYSCOLORCHANGE, WM_KEYDOWN}},
      {"input and state changes",
       {{WM_ACTIVATEAPP, 1, 0}, {WM_MOVE, 0, 0}, {WM_CHAR, 'a', 0}, {WM_LBUTTONDBLCLK, 0, 0},
        {WM_MOUSEWHEEL, 0, 0}, {WM_SYSKEYUP, VK_MENU, 0}},
       {WM_ACTIVATEAPP, WM_MOVE, WM_CHAR, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_SYSKEYUP}},
      {"others act at once", {{WM_SETCURSOR, 0, 0}, {WM_PAINT, 0, 0}, {WM_MBUTTONDBLCLK, 0, 0}, {WM_DEADCHAR, 0, 0}},
       {}},
      {"a swallowed key", {{WM_KEYDOWN, 'S', 0}, {WM_KEYUP, 'S', 0}}, {WM_KEYUP}},
  };
  for (const auto& c : cases) {
    mApp->mDeferredMessages.clear();
    App().mSwallow = 'S';
    for (const Sent& s : c.sent) Send(s.message, s.wParam, s.lParam);
    EXPECT_EQ(Queued(), c.queued) << c.name;
  }
  mApp->mDeferredMessages.clear();
}

TEST_F(WindowProcTest, ImmediateAnswers) {
  EXPECT_EQ(Send(WM_ERASEBKGND), 1);
  EXPECT_EQ(Send(WM_SETCURSOR), 1);
  // Alt+R and Alt+Enter make no system beep.
  EXPECT_EQ(Send(WM_SYSCHAR, 'r'), 0);
  EXPECT_EQ(Send(WM_SYSCHAR, 'R'), 0);
  EXPECT_EQ(Send(WM_SYSCHAR, 13), 0);
  // Keys with Alt go no further; Alt+F4 closes the window through the
  // default procedure even after a queued close.
  EXPECT_EQ(Send(WM_SYSKEYDOWN, 'X'), 0);
  Send(WM_CLOSE);
  EXPECT_EQ(App().mHooks.back(), "OnCloseMessage");
  App().mHooks.clear();
  Send(WM_SIZE, SIZE_MINIMIZED);
  EXPECT_TRUE(mApp->mMinimisedNow);
  Send(WM_SYSKEYDOWN, VK_F4);
  EXPECT_EQ(App().mHooks, (std::vector<std::string>{"preview 115", "OnCloseMessage"}));
  EXPECT_EQ(Queued(), (std::vector<UINT>{WM_SYSKEYDOWN, WM_CLOSE}));
  // The close shuts the application down when its turn comes.
  Drain();
  EXPECT_TRUE(mApp->mShuttingDown);
  EXPECT_TRUE(mApp->mUserClosed);
}

TEST_F(WindowProcTest, TheEndOfTheSessionShutsDownAtOnce) {
  Send(WM_ENDSESSION, 1);
  EXPECT_TRUE(mApp->mShuttingDown);
  EXPECT_TRUE(Queued().empty());
}

TEST_F(WindowProcTest, ControlAndAltAreTrackedForThePreview) {
  Send(WM_KEYDOWN, VK_CONTROL);
  Send(WM_SYSKEYDOWN, VK_MENU);
  Send(WM_SYSKEYDOWN, 'D');
  EXPECT_EQ(App().mHooks.back(), "preview 68 ctrl alt");
  Send(WM_KEYUP, VK_CONTROL);
  Send(WM_SYSKEYDOWN, 'E');
  EXPECT_EQ(App().mHooks.back(), "preview 69 alt");
}

TEST_F(WindowProcTest, WhileAMessageBoxIsUpNothingIsQueued) {
  mApp->mMessageBoxOpen = true;
  Send(WM_KEYDOWN, 'A');
  Send(WM_LBUTTONDOWN, 0, MakePointLParam(1, 1));
  EXPECT_TRUE(Queued().empty());
  mApp->mMessageBoxOpen = false;
}

TEST_F(WindowProcTest, InputReachesTheWidgets) {
  Send(WM_KEYDOWN, 'A');
  Send(WM_CHAR, 'a');
  Send(WM_KEYUP, 'A');
  Send(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-120)) << 16);
  Send(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-240)) << 16);
  Send(WM_MOUSEWHEEL, 360u << 16);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MakePointLParam(10, 20));
  Send(WM_LBUTTONUP, 0, MakePointLParam(11, 21));
  Send(WM_RBUTTONDBLCLK, MK_RBUTTON, MakePointLParam(5, 6));
  Send(WM_RBUTTONUP, 0, MakePointLParam(5, 6));
  Send(WM_MBUTTONDOWN, MK_MBUTTON, MakePointLParam(7, 8));
  Send(WM_MBUTTONUP, 0, MakePointLParam(7, 8));
  Drain();
  EXPECT_EQ(mProbe->mEvents,
            (std::vector<std::string>{"down 65", "char 97", "up 65", "wheel -1", "wheel -2", "wheel 3", "press 10,20 1",
                                      "release 11,21 1", "press 5,6 -2", "release 5,6 -1",
                                      "press 7,8 3", "release 7,8 3"}));
  EXPECT_TRUE(mApp->mMouseInside);
}

TEST_F(WindowProcTest, CaptureStaysWhileAnotherButtonIsHeld) {
  Send(WM_RBUTTONDOWN, MK_RBUTTON, MakePointLParam(5, 5));
  Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MakePointLParam(5, 5));
  Drain();
  EXPECT_EQ(GetCapture(), mApp->mMainWindow);
  Send(WM_LBUTTONUP, MK_RBUTTON, MakePointLParam(5, 5));
  Drain();
  EXPECT_EQ(GetCapture(), mApp->mMainWindow);
  Send(WM_RBUTTONUP, 0, MakePointLParam(5, 5));
  Drain();
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowProcTest, AltEnterSwitchesTheModeUnlessAModeIsForced) {
  ASSERT_TRUE(mApp->mWindowedMode);
  mApp->mAppWidgets->mKeyDown[VK_MENU] = 1;
  Send(WM_SYSKEYDOWN, VK_RETURN);
  Drain();
  EXPECT_FALSE(mApp->mWindowedMode);
  EXPECT_FALSE(mApp->mWindowedActual);
  EXPECT_EQ(mApp->mAppWidgets->mKeyDown[VK_MENU], 0);  // every held key cleared
  EXPECT_TRUE(mProbe->mEvents.empty());

  mApp->mFullScreenForced = true;
  Send(WM_SYSKEYDOWN, VK_RETURN);
  Drain();
  EXPECT_FALSE(mApp->mWindowedMode);
  EXPECT_EQ(mProbe->mEvents, (std::vector<std::string>{"down 13"}));
}

TEST_F(WindowProcTest, MaximisingSwitchesToFullScreen) {
  Send(WM_SIZE, SIZE_MAXIMIZED, MakePointLParam(1024, 738));
  Drain();
  EXPECT_FALSE(mApp->mWindowedMode);
}

TEST_F(WindowProcTest, FocusAndMinimisingMuteAutomatically) {
  auto& app = App();
  app.mHooks.clear();
  Send(WM_ACTIVATEAPP, 0);
  Drain();
  EXPECT_EQ(app.mHooks, (std::vector<std::string>{"LostFocus"}));
  EXPECT_EQ(app.mMuteDepth, 1);
  EXPECT_EQ(app.mFocusMuteCount, 1);
  Send(WM_SIZE, SIZE_MINIMIZED);
  Drain();
  EXPECT_TRUE(app.mIsMinimised);
  EXPECT_EQ(app.mMuteDepth, 2);
  Send(WM_ACTIVATEAPP, 1);
  Send(WM_SIZE, SIZE_RESTORED, MakePointLParam(800, 600));
  Drain();
  EXPECT_EQ(app.mHooks, (std::vector<std::string>{"LostFocus", "GotFocus"}));
  EXPECT_EQ(app.mMuteDepth, 0);
  EXPECT_EQ(app.mFocusMuteCount, 0);
}

TEST_F(WindowProcTest, TheMovedWindowBecomesThePreferredPosition) {
  MoveWindow(mApp->mMainWindow, 150, 90, 800, 600, false);
  Send(WM_MOVE, 0, MakePointLParam(150, 90));
  Drain();
  EXPECT_EQ(mApp->mPreferredX, 150);
  EXPECT_EQ(mApp->mPreferredY, 90);
}

TEST_F(WindowProcTest, DebugKeysNeedCtrlAltD) {
  Send(WM_KEYDOWN, VK_F3);
  Drain();
  EXPECT_FALSE(mApp->mFpsOverlayOn);
  mApp->mAppWidgets->mKeyDown[VK_CONTROL] = 1;
  mApp->mAppWidgets->mKeyDown[VK_MENU] = 1;
  Send(WM_KEYDOWN, 'D');
  Drain();
  EXPECT_TRUE(mApp->mDebugKeysEnabled);
  mApp->mAppWidgets->mKeyDown[VK_CONTROL] = 0;
  mApp->mAppWidgets->mKeyDown[VK_MENU] = 0;
  Send(WM_KEYDOWN, VK_F3);
  Drain();
  EXPECT_TRUE(mApp->mFpsOverlayOn);
  EXPECT_EQ(mApp->mFpsOverlayKind, 0);
  mApp->mAppWidgets->mKeyDown[VK_SHIFT] = 1;
  Send(WM_KEYDOWN, VK_F3);
  Drain();
  EXPECT_TRUE(mApp->mFpsOverlayOn);
  EXPECT_EQ(mApp->mFpsOverlayKind, 1);
  // F10 is consumed, F3 goes on to the widgets.
  mProbe->mEvents.clear();
  Send(WM_KEYDOWN, VK_F10);
  Drain();
  EXPECT_TRUE(mProbe->mEvents.empty());
}

TEST_F(WindowProcTest, TheTimerTracksTheMouseLeavingTheWindow) {
  mBackend.mMouseWindow = mApp->mMainWindow;
  RECT r;
  GetWindowRect(mApp->mMainWindow, &r);
  mBackend.mCursorPos = POINT{r.left + 5, r.top + 5};
  Send(WM_TIMER, 100);
  Drain();
  EXPECT_TRUE(mApp->mMouseInside);
  mBackend.mCursorPos = POINT{r.left + 900, r.top + 5};
  Send(WM_TIMER, 100);
  Drain();
  EXPECT_FALSE(mApp->mMouseInside);
}

TEST_F(WindowProcTest, TheNotifyMessageBringsTheWindowForward) {
  ShowWindow(mApp->mMainWindow, SW_MINIMIZE);
  mBackend.mShows.clear();
  mBackend.mRaised.clear();
  PostMessageA(HWND_BROADCAST, mApp->mNotifyMessageId, 0, 0);
  Pump();
  ASSERT_FALSE(mBackend.mShows.empty());
  EXPECT_EQ(mBackend.mShows.back().second, SW_RESTORE);
  EXPECT_EQ(mBackend.mRaised, (std::vector<HWND>{mApp->mMainWindow}));
}

}  // namespace
}  // namespace Plix::Testing
