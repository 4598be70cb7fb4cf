#pragma once
// The game as the benchmarks that go to its main menu run it: windowed,
// with its data in the working directory rather than beside the program,
// and skipping the logos as a click would (their fixed timing is not work).
#include <string>

#include "game/app/GameApp.h"

namespace Plix::Bench {

class MenuBenchGame : public GameApp {
public:
  bool HandleChangeDir(const std::string&) override { return true; }
  void FinishInit() override {
    mWindowedMode = true;
    GameApp::FinishInit();
    if (mSplash) SplashToLoader();
  }
};

}  // namespace Plix::Bench
