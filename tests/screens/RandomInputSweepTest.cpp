// Random clicks, drags and keys on whatever screen or dialog is up, for
// thousands of updates from a fixed seed, with the game's invariants
// checked as it goes: never two screens at once, no pause depth below
// zero, at most one balloon, no badge below zero, a profile file that
// always loads whole and, after every change of screen, holds whatever the
// players in memory hold.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <cstdio>
#include <fstream>
#include <random>
#include <set>
#include <typeinfo>
#include <string>

#include "framework/app/Buffer.h"
#include "framework/widget/Widget.h"
#include "game/app/AlphaButton.h"
#include "game/app/InfoBalloon.h"
#include "game/app/ObjectList.h"
#include "game/board/Board.h"
#include "game/screens/ScreenFrame.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix {
namespace {

using Testing::MainMenuTest;
using Testing::ScreenGame;

constexpr int kUpdates = 4000;

class RandomInputSweep : public MainMenuTest, public ::testing::WithParamInterface<unsigned> {
protected:
  int ScreensUp() {
    ScreenGame& g = Game();
    int n = 0;
    for (GameScreen* s : {g.mBoard, g.mCircus, g.mTrophyRoom, g.mFlavorContest, g.mStore, g.mMainMenu, g.mMap,
                          g.mBestSellersScreen, g.mHotel, g.mTheEndMap})
      n += s != nullptr;
    return n;
  }
  GameScreen* Current() {
    ScreenGame& g = Game();
    for (GameScreen* s : {g.mBoard, g.mCircus, g.mTrophyRoom, g.mFlavorContest, g.mStore, g.mMainMenu, g.mMap,
                          g.mBestSellersScreen, g.mHotel, g.mTheEndMap})
      if (s) return s;
    return nullptr;
  }
  void CheckInvariants(int update) {
    SCOPED_TRACE("update " + std::to_string(update));
    ASSERT_LE(ScreensUp(), 1);
    GameScreen* screen = Current();
    // On the floor every queued lesson holds the balloons of its pages
    // until it shows them, one at a time, through the board's one balloon.
    if (!dynamic_cast<Board*>(screen)) {
      ASSERT_LE(InfoBalloon::GetLiveCount(), 1);
    }
    if (auto* frame = dynamic_cast<ScreenFrame*>(screen)) {
      ASSERT_GE(frame->GetPauseCount(), 0);
    }
    if (auto* board = dynamic_cast<Board*>(screen)) {
      ASSERT_GE(board->mPauseDepth, 0);
      for (ObjectList& list : board->mButtonLists) {
        ObjectListIterator it;
        for (it.Begin(list); !it.AtEnd(); it.Next()) {
          ASSERT_GE(static_cast<AlphaButton*>(it.Get())->GetPending(), 0);
        }
      }
    }
  }
  // After a change of screen the players' file, read back, holds all that
  // the players in memory do.
  void CheckFileHoldsProfiles(int update) {
    ScreenGame& g = Game();
    std::ifstream in(g.GetProfiles().GetProfilePath(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Buffer file;
    file.SetData(bytes.data(), static_cast<int>(bytes.size()));
    const std::string lacks = g.GetProfiles().DescribeDifference(file);
    ASSERT_EQ(lacks, "") << "after screen change " << g.GetScreenChangeCount() << " (update " << update
                         << "), the players' file lacks it";
  }
  void CheckProfileFile() {
    auto profiles = ReadBackProfiles();
    ASSERT_EQ(profiles->GetError(), "");
    ASSERT_EQ(profiles->GetNotice(), "");
  }
};

TEST_P(RandomInputSweep, KeepsTheGameWhole) {
  const unsigned seed = GetParam();
  std::srand(seed);
  std::mt19937 rng(seed);
  Boot();
  ScreenGame& g = Game();
  g.SetCurrentProfile(g.CreateProfile(L"Sweep"));
  g.SaveProfiles();
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  static const wchar_t kKeys[] = {13, 27, L'p', L' ', L'a', L'Z', L'1', 8};
  bool down = false;
  int x = 400, y = 300;
  int update = 0;
  std::set<std::string> visited;
  int changes = g.GetScreenChangeCount();
  for (; update < kUpdates && !g.mShutdownAsked; ++update) {
    const int roll = pick(100);
    if (roll < 25) {
      x = pick(800);
      y = pick(600);
      Widgets().MouseMove(x, y);
    } else if (roll < 37) {
      x = pick(800);
      y = pick(600);
      Widgets().MouseMove(x, y);
      Widgets().MouseDown(x, y, 1);
      Widgets().MouseUp(x, y, 1);
    } else if (roll < 41) {
      // A drag: pressed here, released a few updates later elsewhere.
      if (!down) {
        Widgets().MouseDown(x, y, 1);
      } else {
        x = pick(800);
        y = pick(600);
        Widgets().MouseMove(x, y);
        Widgets().MouseUp(x, y, 1);
      }
      down = !down;
    } else if (roll < 45) {
      const wchar_t key = kKeys[pick(static_cast<int>(std::size(kKeys)))];
      Widgets().KeyDown(key);
      Widgets().KeyChar(key);
      Widgets().KeyUp(key);
    }
    mApp->UpdateTick();
    if (update % 3 == 0) mApp->DrawFrame();
    mApp->FlushDeferredDeletes();
    ASSERT_NO_FATAL_FAILURE(CheckInvariants(update));
    if (GameScreen* screen = Current()) visited.insert(typeid(*screen).name());
    if (g.GetScreenChangeCount() != changes) {
      changes = g.GetScreenChangeCount();
      ASSERT_NO_FATAL_FAILURE(CheckFileHoldsProfiles(update));
    }
    if (update % 500 == 499) {
      ASSERT_NO_FATAL_FAILURE(CheckProfileFile());
    }
  }
  ASSERT_NO_FATAL_FAILURE(CheckProfileFile());
  std::string seen;
  for (const std::string& name : visited) seen += " " + name;
  std::printf("%d updates, screens:%s\n", update, seen.c_str());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomInputSweep, ::testing::Values(1u, 7u, 42u, 1234u));

}  // namespace
}  // namespace Plix
