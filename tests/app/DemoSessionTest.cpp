// A recorded session replays update for update: the application runs over
// the fake platform through a scripted session, is recorded, and is played
// back with other real input, another clipboard, missing files and a slower
// loading thread. Everything its widgets and hooks see must come at the same
// update with the same values, and the replay must leave the registry and
// the files alone.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/platform/CRand.h"
#include "framework/platform/CommandLine.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/platform/Registry.h"
#include "framework/platform/WindowSystem.h"
#include "framework/util/Utilities.h"
#include "framework/widget/WidgetManager.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

using Log = std::vector<std::string>;

// Input handed out when the fake clock reaches each step's time; a step
// that answers false is asked again at the next poll, and the steps behind
// it wait.
class ScriptedBackend : public FakeWindowBackend {
public:
  struct Step {
    uint32_t at;
    std::function<bool()> act;
  };

  void PollEvents(std::vector<MSG>& out) override {
    const uint32_t now = mClock->Milliseconds() - mStart;
    while (mNext < mScript.size() && mScript[mNext].at <= now && mScript[mNext].act()) ++mNext;
    FakeWindowBackend::PollEvents(out);
  }

  FakeClock* mClock = nullptr;
  uint32_t mStart = 0;
  std::vector<Step> mScript;
  size_t mNext = 0;
};

class SessionApp : public TestApp {
public:
  void Note(const std::string& what) { mLog.push_back(std::to_string(mTicksDone) + " " + what); }

  void LoadOnThread() override { std::this_thread::sleep_for(std::chrono::milliseconds(mLoadMs)); }
  void OnLoadingDone() override {
    // Outside values inside the hand-over come back inside it.
    Note("loaded, file " + std::to_string(FileExists("data/there.txt")) + ", stored " +
         std::to_string(WriteRegistryInteger("LoadedAt", mTicksDone)));
  }
  void GotFocus() override { Note("app focus, muted " + std::to_string(IsMuted())); }
  void LostFocus() override { Note("app lost focus, muted " + std::to_string(IsMuted())); }

  int mLoadMs = 0;
  Log mLog;
};

// Writes down every call that reaches it, with the widget manager's mouse.
class SessionWidget : public Widget {
public:
  explicit SessionWidget(SessionApp* app) : mApp(app) {}

  void Note(const std::string& what) {
    mApp->Note(what + " at " + std::to_string(mApp->mAppWidgets->mLastMouseX) + "," +
               std::to_string(mApp->mAppWidgets->mLastMouseY));
  }
  void Update() override {
    if (++mUpdates % 37 == 0) mApp->Note("draw " + std::to_string(Rand()));
  }
  bool AcceptsFocus() override { return true; }
  void GotFocus() override { Note("focus"); }
  void LostFocus() override { Note("lost focus"); }
  void MouseEnter() override { Note("enter"); }
  void MouseLeave() override { Note("leave"); }
  void MouseMove(int x, int y) override { Note("move " + std::to_string(x) + "," + std::to_string(y)); }
  void MouseDrag(int x, int y) override { Note("drag " + std::to_string(x) + "," + std::to_string(y)); }
  void MouseDown(int x, int y, int clicks) override { Note("down " + std::to_string(clicks)); }
  void MouseUp(int x, int y, int clicks) override { Note("up " + std::to_string(clicks)); }
  void MouseWheel(int delta) override { Note("wheel " + std::to_string(delta)); }
  void KeyDown(int key) override { Note("key down " + std::to_string(key)); }
  void KeyUp(int key) override { Note("key up " + std::to_string(key)); }
  void KeyChar(wchar_t ch) override {
    Note("char " + std::to_string(static_cast<int>(ch)));
    int32_t value = 0;
    switch (ch) {
      case 'w':
        mWritten = mApp->mTicksDone;
        Note("write " + std::to_string(mApp->WriteRegistryInteger("Counter", mWritten)));
        break;
      case 'r': {
        const bool read = mApp->ReadRegistryInteger("Counter", value);
        Note("read " + std::to_string(read) + (value == mWritten ? " as written" : " " + std::to_string(value)));
        break;
      }
      case 'f':
        Note("files " + std::to_string(mApp->FileExists("data/there.txt")) +
             std::to_string(mApp->FileExists("data/missing.txt")));
        break;
      case 's': Note("saved " + std::to_string(mApp->WriteBytesToFile(GetAppDataFolder() + "save.bin", "ok", 2))); break;
      case 'c': Note("clipboard " + mApp->GetClipboardText()); break;
      default: break;
    }
  }

  SessionApp* mApp;
  int mUpdates = 0;
  int32_t mWritten = -1;
};

class DemoSessionTest : public AppFixture {
protected:
  ~DemoSessionTest() override { EndRun(); }

  // Runs the application until it shuts down, with the script as its
  // input; returns what it saw.
  Log Run(bool play, int loadMs, const std::vector<ScriptedBackend::Step>& script) {
    mBackend2 = std::make_unique<ScriptedBackend>();
    mBackend2->mFocusNewWindows = true;
    mBackend2->mHasClipboard = true;
    mBackend2->mClipboard = play ? L"something else" : L"pasted";
    mBackend2->mClipboardHasText = true;
    mScope = std::make_unique<ScopedWindowBackend>(*mBackend2);
    auto& app = Make<SessionApp>();
    app.mLoadMs = loadMs;
    SetCommandLineText(std::string("app ") + (play ? "-play" : "-record") + " \"-demofile=" + (mDir / "session.dmo") +
                       "\"");
    EXPECT_EQ(InitApp(), -1);
    mRegistryAfterInit = GetRegistryStore().Serialize();
    mWidget = std::make_unique<SessionWidget>(&app);
    mWidget->Resize(0, 0, 800, 600);
    app.mAppWidgets->AddWidget(mWidget.get());
    app.mAppWidgets->SetFocus(mWidget.get());
    mBackend2->mClock = &mClock;
    mBackend2->mStart = mClock.Milliseconds();
    mBackend2->mScript = script;
    app.Start();
    Log log = app.mLog;
    EndRun();
    return log;
  }

  void EndRun() {
    if (mApp && mWidget) mApp->mAppWidgets->RemoveWidget(mWidget.get());
    mApp.reset();
    mWidget.reset();
    mScope.reset();
    mBackend2.reset();
  }

  // Script steps.
  ScriptedBackend::Step Msg(uint32_t at, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return {at, [=, this] {
              mBackend2->Queue(message, wParam, lParam, mApp->mMainWindow);
              return true;
            }};
  }
  // The mouse at a point of the window: where the system says it is, and
  // the message.
  ScriptedBackend::Step Mouse(uint32_t at, UINT message, int x, int y) {
    return {at, [=, this] {
              POINT origin{0, 0};
              GetWindowClientOrigin(mApp->mMainWindow, &origin);
              mBackend2->mCursorPos = POINT{origin.x + x, origin.y + y};
              mBackend2->mMouseWindow = mApp->mMainWindow;
              mBackend2->Queue(message, 0, MakePointLParam(x, y), mApp->mMainWindow);
              return true;
            }};
  }
  ScriptedBackend::Step Char(uint32_t at, wchar_t ch) { return Msg(at, WM_CHAR, static_cast<WPARAM>(ch)); }

  std::unique_ptr<ScriptedBackend> mBackend2;
  std::unique_ptr<ScopedWindowBackend> mScope;
  std::unique_ptr<SessionWidget> mWidget;
  std::string mRegistryAfterInit;
};

TEST_F(DemoSessionTest, ARecordedSessionReplaysUpdateForUpdate) {
  MkDir(mDir / "data");
  WriteFile(mDir / "data/there.txt", "here");

  std::vector<ScriptedBackend::Step> session = {
      Mouse(100, WM_MOUSEMOVE, 100, 100),
      Mouse(150, WM_MOUSEMOVE, 110, 95),
      Mouse(200, WM_MOUSEMOVE, 400, 300),
      Mouse(250, WM_LBUTTONDOWN, 400, 300),
      Mouse(260, WM_LBUTTONUP, 400, 300),
      // A drag that leaves the window to the left and above it.
      Mouse(300, WM_LBUTTONDOWN, 420, 310),
      Mouse(320, WM_MOUSEMOVE, 430, 320),
      Mouse(340, WM_MOUSEMOVE, -30, 320),
      Mouse(350, WM_MOUSEMOVE, -30, 320),
      Mouse(360, WM_MOUSEMOVE, -30, -40),
      Mouse(380, WM_LBUTTONUP, -30, -40),
      Mouse(400, WM_MOUSEMOVE, 200, 200),
      Mouse(410, WM_LBUTTONDOWN, 200, 200),
      Mouse(412, WM_LBUTTONUP, 200, 200),
      Mouse(415, WM_LBUTTONDBLCLK, 200, 200),
      Mouse(418, WM_LBUTTONUP, 200, 200),
      Mouse(450, WM_RBUTTONDOWN, 210, 200),
      Mouse(460, WM_RBUTTONUP, 210, 200),
      Mouse(470, WM_MBUTTONDOWN, 210, 205),
      Mouse(480, WM_MBUTTONUP, 210, 205),
      Msg(500, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(-240)) << 16),
      Msg(550, WM_KEYDOWN, 'A'),
      Char(551, 'a'),
      Msg(560, WM_KEYUP, 'A'),
      Char(600, 'w'),
      Char(610, 'r'),
      Char(620, 'f'),
      Char(630, 's'),
      Char(640, 'c'),
      Char(650, 0x20AC),
      Msg(700, WM_ACTIVATEAPP, 0),
      Msg(800, WM_ACTIVATEAPP, 1),
      Msg(900, WM_SIZE, SIZE_MINIMIZED),
      Msg(1000, WM_SIZE, SIZE_RESTORED),
      // The mouse leaves the window: the timer finds it gone.
      {1100, [this] {
         mBackend2->mMouseWindow = nullptr;
         return true;
       }},
      Mouse(1200, WM_MOUSEMOVE, 300, 300),
      // The rest comes once loading is over.
      {1300, [this] { return mApp->mLoadingHookDone.load(); }},
      Mouse(1310, WM_LBUTTONDOWN, 310, 300),
      Mouse(1330, WM_LBUTTONUP, 310, 300),
      Char(1340, 'r'),
      Msg(1500, WM_CLOSE),
  };
  const Log recorded = Run(false, 20, session);
  const std::string saved = GetAppDataFolder() + "save.bin";
  ASSERT_TRUE(Fs::Exists(mDir / "session.dmo"));
  ASSERT_TRUE(Fs::Exists(saved));
  const std::string demo = ReadFile(mDir / "session.dmo");

  // The replay: the files are gone, and the real input is other input.
  Fs::DeleteFile(saved);
  Fs::DeleteFile(mDir / "data/there.txt");
  const std::vector<ScriptedBackend::Step> noise = {
      Mouse(120, WM_MOUSEMOVE, 500, 500), Mouse(130, WM_LBUTTONDOWN, 500, 500), Mouse(140, WM_LBUTTONUP, 500, 500),
      Msg(700, WM_KEYDOWN, 'X'), Char(701, 'x'), Msg(702, WM_KEYUP, 'X'), Msg(900, WM_ACTIVATEAPP, 0),
      // Ends a replay that lost its step instead of hanging.
      Msg(600000, WM_CLOSE)};
  std::string debug;
  SetDebugOutputSink([&](const std::string& text) { debug += text; });
  const Log replayed = Run(true, 80, noise);
  SetDebugOutputSink(nullptr);

  EXPECT_EQ(replayed, recorded);
  if (getenv("DEMO_SESSION_LOG")) for (const std::string& line : recorded) printf("%s\n", line.c_str());
  EXPECT_EQ(debug.find("Demo out of step"), std::string::npos) << debug;
  EXPECT_EQ(GetRegistryStore().Serialize(), mRegistryAfterInit);
  EXPECT_FALSE(Fs::Exists(saved));
  EXPECT_FALSE(Fs::Exists(mDir / "data/there.txt"));
  EXPECT_EQ(ReadFile(mDir / "session.dmo"), demo);

  // The session did what it was meant to: every kind of input arrived.
  std::string all;
  for (const std::string& line : recorded) all += line + "\n";
  for (const char* what : {"move 110,95", "down 1", "down 2", "down -1", "down 3", "drag -30,-40", "up 1 at -30,-40",
                           "wheel -2", "key down 65", "char 97", "write 1", "read 1 as written", "files 10", "saved 1",
                           "clipboard pasted", "char 8364", "app lost focus, muted 1", "app focus, muted 0", "leave",
                           "loaded, file 1, stored 1", "draw "}) {
    EXPECT_NE(all.find(what), std::string::npos) << what << "\n" << all;
  }
}

}  // namespace
}  // namespace Plix::Testing
