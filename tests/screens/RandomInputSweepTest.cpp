// Random clicks, double and right clicks, drags, keys and focus changes on
// whatever screen or dialog is up, for a thousand updates from a fixed seed,
// starting once on every screen of the game, with the game's invariants
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
#include <vector>
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


// Every screen slot of the game, in one list.
std::vector<GameScreen*> Screens(ScreenGame& g) {
  return {g.mBoard, g.mCircus, g.mTrophyRoom, g.mFlavorContest, g.mStore, g.mMainMenu, g.mMap,
          g.mBestSellersScreen, g.mHotel, g.mTheEndMap};
}
GameScreen* CurrentScreen(ScreenGame& g) {
  for (GameScreen* s : Screens(g))
    if (s) return s;
  return nullptr;
}

class RandomInputSweep : public MainMenuTest, public ::testing::WithParamInterface<int> {
protected:
  int ScreensUp() {
    int n = 0;
    for (GameScreen* s : Screens(Game())) n += s != nullptr;
    return n;
  }
  GameScreen* Current() { return CurrentScreen(Game()); }
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

// Where a run starts: a player who stands before that screen, taken there
// through the game's own switchers; the run must be on it after the set-up.
struct Start {
  const char* name;
  int storyDays;
  // The switchers from the main menu, each given a moment to settle, as a
  // player's clicks would; then the screen it must reach.
  std::vector<void (*)(ScreenGame& g)> steps;
  GameScreen* ScreenGame::*screen;
};

void ToMap(ScreenGame& g) { g.MainMenuToMap(); }

// What a screen does before it calls a switcher: it leaves the stage.
void LeaveCurrent(ScreenGame& g) {
  GameScreen* s = CurrentScreen(g);
  if (auto* frame = dynamic_cast<ScreenFrame*>(s)) {
    frame->RemoveAndQueueDelete();
  } else if (s) {
    g.mAppWidgets->RemoveWidget(s);
    g.QueueWidgetDelete(s);
  }
}
const Start kStarts[] = {
    {"MainMenu", 0, {}, &ScreenGame::mMainMenu},
    {"Map", 6, {ToMap}, &ScreenGame::mMap},
    {"Store", 9, {ToMap, [](ScreenGame& g) { g.MapToStore(); }}, &ScreenGame::mStore},
    {"Circus", 12, {ToMap, [](ScreenGame& g) { g.MapToCircus(); }}, &ScreenGame::mCircus},
    {"TrophyRoom", 20, {ToMap, [](ScreenGame& g) { g.MapToTrophyRoom(); }}, &ScreenGame::mTrophyRoom},
    {"Hotel", 0, {ToMap, [](ScreenGame& g) { g.MapToHotel(); }}, &ScreenGame::mHotel},
    {"StoryDay", 3, {ToMap, [](ScreenGame& g) { g.MapToBoard(3); }}, &ScreenGame::mBoard},
    {"FlavorContest", 8,
     {ToMap, [](ScreenGame& g) { g.MapToBoard(8); }, [](ScreenGame& g) { g.BoardToFlavorContest(); }},
     &ScreenGame::mFlavorContest},
    {"TheEndMap", 50,
     {ToMap, [](ScreenGame& g) { g.MapToHotel(); }, [](ScreenGame& g) { g.HotelToTheEndMap(); }},
     &ScreenGame::mTheEndMap},
    {"HappyHour", 50, {[](ScreenGame& g) { g.MainMenuToBoard(2); }}, &ScreenGame::mBoard},
    {"BestSellers", 0, {[](ScreenGame& g) { g.MainMenuToBestSellers(); }}, &ScreenGame::mBestSellersScreen},
};

// The updates of one run; PLIX_SWEEP_UPDATES sets more for a long campaign
// (scripts/sweep.sh), PLIX_SWEEP_SEED another seed.
int Updates() {
  const char* v = std::getenv("PLIX_SWEEP_UPDATES");
  return v && std::atoi(v) > 0 ? std::atoi(v) : 1200;
}
unsigned Seed(unsigned fallback) {
  const char* v = std::getenv("PLIX_SWEEP_SEED");
  return v && *v ? static_cast<unsigned>(std::strtoul(v, nullptr, 10)) : fallback;
}

TEST_P(RandomInputSweep, KeepsTheGameWhole) {
  const Start& start = kStarts[GetParam()];
  const unsigned seed = Seed(1000u + GetParam() * 7u);
  SCOPED_TRACE(std::string(start.name) + ", seed " + std::to_string(seed));
  std::srand(seed);
  std::mt19937 rng(seed);
  Boot();
  ScreenGame& g = Game();
  g.SetCurrentProfile(g.CreateProfile(L"Sweep"));
  PlayerProfile* player = g.GetCurrentProfile();
  ASSERT_NE(player, nullptr);
  player->SetStoryDays(start.storyDays);
  player->AddCash(5000);
  if (start.storyDays >= 50) player->SetFlag(PlayerProfile::kFlagHappyHourUnlocked, true);
  g.SaveProfiles();
  for (auto step : start.steps) {
    LeaveCurrent(g);
    step(g);
    Tick(50);
  }
  ASSERT_NE(g.*start.screen, nullptr) << "the run never reached " << start.name;
  if (std::string(start.name) == "HappyHour") {
    auto* board = dynamic_cast<Board*>(g.mBoard);
    ASSERT_NE(board, nullptr);
    ASSERT_NE(board->GetMode(), 0) << "not a Happy Hour day";
  }

  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  static const wchar_t kKeys[] = {13, 27, L'p', L' ', L'a', L'Z', L'1', 8, 9};
  bool down = false;
  int x = 400, y = 300;
  int update = 0;
  std::set<std::string> visited;
  int changes = g.GetScreenChangeCount();
  const int updates = Updates();
  for (; update < updates; ++update) {
    // A quit goes back to the main menu: the run goes on from there.
    if (g.mShutdownAsked) {
      g.mShutdownAsked = false;
      if (g.mMap || g.mBoard || g.mBestSellersScreen) {
        const bool map = g.mMap, board = g.mBoard;
        LeaveCurrent(g);
        if (map) g.MapToMainMenu();
        else if (board) g.BoardToMainMenu();
        else g.BestSellersToMainMenu();
      }
    }
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
    } else if (roll < 39) {
      // A double click: the second press comes with its count.
      Widgets().MouseDown(x, y, 1);
      Widgets().MouseUp(x, y, 1);
      Widgets().MouseDown(x, y, 2);
      Widgets().MouseUp(x, y, 2);
    } else if (roll < 41) {
      Widgets().MouseDown(x, y, -1);  // right button
      Widgets().MouseUp(x, y, -1);
    } else if (roll < 45) {
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
    } else if (roll < 49) {
      const wchar_t key = kKeys[pick(static_cast<int>(std::size(kKeys)))];
      Widgets().KeyDown(key);
      Widgets().KeyChar(key);
      Widgets().KeyUp(key);
    } else if (roll < 50) {
      // The window loses the focus, or has it back.
      g.mAppActive = !g.mAppActive;
      g.UpdateFocusState();
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
  if (!g.mAppActive) {
    g.mAppActive = true;
    g.UpdateFocusState();
  }
  ASSERT_NO_FATAL_FAILURE(CheckProfileFile());
  std::string seen;
  for (const std::string& name : visited) seen += " " + name;
  std::printf("%s: %d updates, screens:%s\n", start.name, update, seen.c_str());
}

INSTANTIATE_TEST_SUITE_P(Starts, RandomInputSweep, ::testing::Range(0, static_cast<int>(std::size(kStarts))),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(kStarts[info.param].name); });

}  // namespace
}  // namespace Plix
