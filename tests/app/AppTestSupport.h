#pragma once
// The fake platform an application runs on in these tests: a manual clock,
// the fake window backend (scripted messages, recorded boxes), a registry in
// memory, the emulated display, and temporary folders for the working
// directory, the data folder and the instance lock. Exit throws ExitCalled.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/app/PlixAppBase.h"
#include "framework/platform/Clock.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/FakeWindowBackend.h"
#include "framework/platform/Registry.h"
#include "framework/widget/Widget.h"
#include "tests/support/TestSupport.h"

namespace Plix::Testing {

struct ExitCalled {
  int code;
};

// The application under test: the settings of a small program, silent
// sound, and a record of the hooks it saw.
class TestApp : public PlixAppBase {
public:
  TestApp();
  void FinishInit() override { mHooks.push_back("FinishInit"); }
  void OnShutdown() override { mHooks.push_back("OnShutdown"); }
  void OnLoadingDone() override { mHooks.push_back("OnLoadingDone"); }
  void GotFocus() override { mHooks.push_back("GotFocus"); }
  void LostFocus() override { mHooks.push_back("LostFocus"); }
  void ButtonPressed(int id) override { mHooks.push_back("ButtonPressed " + std::to_string(id)); }
  void ButtonReleased(int id) override { mHooks.push_back("ButtonReleased " + std::to_string(id)); }
  void SaveSettings() override {
    mHooks.push_back("SaveSettings");
    PlixAppBase::SaveSettings();
  }
  bool HandleChangeDir(const std::string&) override { return true; }

  std::vector<std::string> mHooks;
};

// A widget that records its input and can stay dirty every tick.
class ProbeWidget : public Widget {
public:
  void Update() override {
    ++mUpdates;
    if (mAlwaysDirty) MarkDirty();
  }
  void Draw(Graphics*) override { ++mDraws; }
  void KeyDown(int key) override { mEvents.push_back("down " + std::to_string(key)); }
  void KeyUp(int key) override { mEvents.push_back("up " + std::to_string(key)); }
  void KeyChar(wchar_t ch) override { mEvents.push_back("char " + std::to_string(static_cast<int>(ch))); }
  void MouseDown(int x, int y, int clicks) override {
    mEvents.push_back("press " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(clicks));
  }
  void MouseUp(int x, int y, int clicks) override {
    mEvents.push_back("release " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(clicks));
  }
  void MouseWheel(int delta) override { mEvents.push_back("wheel " + std::to_string(delta)); }
  bool AcceptsFocus() override { return true; }

  bool mAlwaysDirty = false;
  int mUpdates = 0;
  int mDraws = 0;
  std::vector<std::string> mEvents;
};

class AppFixture : public ::testing::Test {
protected:
  AppFixture();
  ~AppFixture() override;

  // Makes the application (not initialised).
  template <class App = TestApp>
  App& Make() {
    auto app = std::make_unique<App>();
    App& ref = *app;
    mApp = std::move(app);
    return ref;
  }
  TestApp& App() { return static_cast<TestApp&>(*mApp); }
  // Init with the exit handler armed; the code when it ended the process,
  // -1 when Init returned.
  int InitApp();
  // Runs loop steps until the fake clock has moved by `ms`.
  void RunFor(uint32_t ms);
  // Dispatches what the backend has queued and hands every deferred
  // record on.
  void Pump();
  // Adds a focused probe covering the screen.
  ProbeWidget& AddProbe();

  std::vector<std::string> DebugLines() const;

  FakeClock mClock{5000};
  TempDir mDir;
  FakeWindowBackend mBackend;
  std::unique_ptr<PlixAppBase> mApp;
  std::unique_ptr<ProbeWidget> mProbe;

private:
  ScopedClock mScopedClock{mClock};
  ScopedWindowBackend mScopedBackend{mBackend};
  RegistryStore mRegistry;
  ScopedRegistryStore mScopedRegistry{mRegistry};
  ScopedEmulatedDisplay mDisplay;
  ScopedEnv mRuntime;
  ScopedEnv mData;
  ScopedCwd mCwd;
  std::string mDebug;
};

}  // namespace Plix::Testing
