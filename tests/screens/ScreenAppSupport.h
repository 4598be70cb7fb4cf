#pragma once
// The game on the fake platform with the real screens: a game application
// with the screen factory installed that records the sounds it plays, and a
// fixture that starts it (with or without the built data), steps it one
// update and frame at a time and feeds input through the widget manager.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "framework/widget/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/app/LevelTable.h"
#include "game/app/ProfileManager.h"
#include "game/screens/GameScreenFactory.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix::Testing {

class ScreenGame : public GameApp {
public:
  ScreenGame() : mFactory(*this) {
    mSoundWithoutWindow = true;
    SetScreenFactory(&mFactory);
  }
  ~ScreenGame() override { SetScreenFactory(nullptr); }
  bool HandleChangeDir(const std::string&) override { return true; }
  void PlaySound(int soundId) override {
    mSounds.push_back(soundId);
    GameApp::PlaySound(soundId);
  }

  GameScreenFactory mFactory;
  std::vector<int> mSounds;
};

class ScreenAppTest : public AppFixture {
protected:
  ScreenGame& Game() { return static_cast<ScreenGame&>(*mApp); }
  WidgetManager& Widgets() { return *Game().mAppWidgets; }

  // Initialised without a level table: a display, widgets and sound, but
  // no data; the caller adds what it tests.
  ScreenGame& StartBare() {
    ScreenGame& g = Make<ScreenGame>();
    EXPECT_EQ(InitApp(), -1);
    return g;
  }
  // Initialised in the built data's folder and run through the loader to
  // the main menu.
  ScreenGame& StartToMainMenu() {
    mRun = std::make_unique<ScopedCwd>(BinaryDir() + "/run");
    ScreenGame& g = Make<ScreenGame>();
    EXPECT_EQ(InitApp(), -1);
    EXPECT_FALSE(g.mShutdownAsked);
    g.SplashToLoader();
    EXPECT_TRUE(StepUntil([&] { return g.mMainMenu != nullptr; }));
    return g;
  }

  // One update tick, one frame, then the deferred deletions.
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      mApp->UpdateTick();
      mApp->DrawFrame();
      mApp->FlushDeferredDeletes();
    }
  }
  // Ticks until the condition holds; false after `limit` ticks.
  template <class Condition>
  bool TickUntil(Condition done, int limit = 2000) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      Tick();
    }
    return done();
  }
  // Main-loop steps until the condition holds; false after a minute.
  template <class Condition>
  bool StepUntil(Condition done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end || !mApp->MainLoopStep(nullptr)) return false;
    }
    return true;
  }

  void Move(int x, int y) { Widgets().MouseMove(x, y); }
  void Click(int x, int y) {
    Widgets().MouseMove(x, y);
    Widgets().MouseDown(x, y, 1);
    Widgets().MouseUp(x, y, 1);
  }
  void Key(wchar_t ch) { Widgets().KeyChar(ch); }
  void Type(const std::wstring& text) {
    for (wchar_t ch : text) Key(ch);
  }

  // The players as the profile file holds them now.
  std::unique_ptr<ProfileManager> ReadBackProfiles() {
    auto profiles = std::make_unique<ProfileManager>();
    profiles->LoadProfiles(Game().GetLevels());
    return profiles;
  }

  std::unique_ptr<ScopedCwd> mRun;
};

}  // namespace Plix::Testing
