#include "game/app/PlaceholderScreens.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "game/app/GameScreens.h"
#include "tests/game/ScreenTestSupport.h"

namespace Plix {
namespace {

// A game of stand-ins from the main menu on.
struct StandIns {
  StandIns() { screens.LoaderToMainMenu(); }
  ~StandIns() {
    host.FlushDeletes();
    screens.RemoveScreens();
    screens.DeleteScreens();
  }
  PlaceholderScreen* Current() { return dynamic_cast<PlaceholderScreen*>(host.mWidgets.mFocusWidget); }
  // Chooses a move and runs updates and frames until it has happened; the
  // number of updates.
  int Choose(int move) {
    PlaceholderScreen* from = Current();
    from->ChooseMove(move);
    Graphics g;
    const size_t logged = host.mLog.size();
    for (int n = 1; n <= 200; ++n) {
      from->Update();
      if (Current() != from || (host.mLog.size() != logged && host.mLog.back() == "quit")) {
        host.FlushDeletes();
        return n;
      }
      from->Draw(&g);
    }
    return -1;
  }

  Testing::FakeScreenHost host;
  GameScreens screens{host};
};

TEST(PlaceholderScreens, EveryScreenIsReachedFromTheMainMenuAndOffersAWayOn) {
  std::set<std::wstring> seen, explored;
  std::deque<std::vector<int>> paths{{}};
  int quits = 0;
  while (!paths.empty()) {
    const std::vector<int> path = paths.front();
    paths.pop_front();
    StandIns game;
    for (int move : path) ASSERT_GT(game.Choose(move), 0);
    if (!game.host.mLog.empty() && game.host.mLog.back() == "quit") {  // the main menu's quit
      EXPECT_EQ(game.Current(), game.screens.mMainMenu);
      ++quits;
      continue;
    }
    PlaceholderScreen* screen = game.Current();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GetRect(), Rect(0, 0, 800, 600));
    seen.insert(screen->GetTitle());
    ASSERT_FALSE(screen->GetMoves().empty());
    // A screen with other moves (the board of Story Mode or Happy Hour) is
    // explored once for each set of moves.
    std::wstring kind = screen->GetTitle();
    for (const auto& move : screen->GetMoves()) kind += L"|" + move.label;
    if (!explored.insert(kind).second) continue;
    for (int i = 0; i < static_cast<int>(screen->GetMoves().size()); ++i) {
      std::vector<int> longer = path;
      longer.push_back(i);
      paths.push_back(longer);
    }
  }
  EXPECT_EQ(seen, (std::set<std::wstring>{L"Main Menu", L"Map", L"Store", L"Circus", L"Trophy Room", L"Hotel",
                                          L"The End", L"Flavour Contest", L"Best Sellers", L"Board"}));
  EXPECT_EQ(quits, 1);
}

TEST(PlaceholderScreens, AMoveFadesOutFirstAndHandsTheStandInOverForDeletion) {
  StandIns game;
  PlaceholderScreen* menu = game.Current();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetTitle(), L"Main Menu");
  while (game.screens.GetFadeState() != 0) menu->Update();  // faded in
  // The first move by a click on its button.
  const Rect r = menu->GetMoveRect(0);
  menu->MouseUp(r.mX + 5, r.mY + 5, 1);
  EXPECT_EQ(game.screens.GetFadeState(), 2);
  EXPECT_EQ(game.host.mCursors.back(), 0);
  Graphics g;
  int n = 0;
  while (game.screens.mMainMenu && n < 100) {
    menu->Update();
    menu->Draw(&g);
    ++n;
  }
  EXPECT_GT(n, 10);  // not before the cover is complete
  EXPECT_TRUE(game.host.IsQueued(menu));
  EXPECT_FALSE(game.host.mWidgets.HasWidget(menu));
  ASSERT_NE(game.screens.mMap, nullptr);
  EXPECT_EQ(static_cast<PlaceholderScreen*>(game.screens.mMap)->GetDetail(),
            L"first flag 1, second flag 0, arrival -4");
  EXPECT_EQ(game.screens.GetFadeState(), 1);  // the map fades in
}

TEST(PlaceholderScreens, APausedStandInIgnoresClicksAndUpdates) {
  StandIns game;
  PlaceholderScreen* menu = game.Current();
  menu->Pause();
  const Rect r = menu->GetMoveRect(0);
  menu->MouseUp(r.mX + 5, r.mY + 5, 1);
  EXPECT_EQ(game.screens.GetFadeState(), 1);  // still its own fade-in, untouched
  for (int i = 0; i < 100; ++i) menu->Update();
  EXPECT_EQ(game.screens.GetFadeState(), 1);
  menu->Resume();
  menu->Resume();  // not below 0
  EXPECT_EQ(menu->GetPauseCount(), 0);
  menu->MouseUp(r.mX + 5, r.mY + 5, 1);
  EXPECT_EQ(game.screens.GetFadeState(), 2);
}

}  // namespace
}  // namespace Plix
