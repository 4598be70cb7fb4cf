// The island map played through the widget manager: from the main menu to
// the map, the day markers, the buildings, the talk, the day counter's flip
// and a new story, on the built data with the other screens' stand-ins.
#include <algorithm>

#include "framework/resources/ResourceManager.h"

#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/Hotel.h"
#include "game/screens/Map.h"
#include "game/screens/RestartDialog.h"
#include "game/screens/ShopScreen.h"
#include "game/screens/TrophyRoom.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix::Testing {
namespace {

class MapTest : public MainMenuTest {
protected:
  // The main menu with a player whose story stands at `days` completed;
  // `setUp` prepares the profile further before the map is entered.
  template <class SetUp>
  Map& EnterMap(int days, SetUp setUp) {
    if (!mApp) {
      Boot();
      Game().SetCurrentProfile(Game().CreateProfile(L"Pemi"));
    } else {
      AtMenu();
    }
    PlayerProfile& p = Player();
    p.SetStoryDays(days);
    p.SetFlag(65, true);  // the hotel's opening visit is over
    setUp(p);
    ClickSign(MainMenu::kStoryMode);
    EXPECT_TRUE(TickUntil([&] { return TheMap() != nullptr; }, 300));
    Settle();
    return *TheMap();
  }
  // Back on the main menu, slid in.
  void AtMenu() {
    EXPECT_TRUE(TickUntil(
        [&] { return Menu() && Menu()->GetQuitOffset() == 0 && Menu()->GetBuildingOffset() == 0; }, 600));
  }
  // From a stand-in or the map (the save hint already seen) to the menu.
  // From the map, or from a day that is quit back to the map first.
  void LeaveForMenu(GameScreen* floor = nullptr) {
    if (Board* board = Floor(floor)) {
      Settle();
      board->ExitLevel(4);
      ASSERT_TRUE(TickUntil([&] { return TheMap() != nullptr; }, 300));
      Settle();
    }
    ClickMapButton(Map::kBack);
    AtMenu();
  }
  Map& EnterMap(int days) {
    return EnterMap(days, [](PlayerProfile&) {});
  }
  PlayerProfile& Player() { return *Game().GetCurrentProfile(); }
  Map* TheMap() { return dynamic_cast<Map*>(Game().mMap); }
  // Until the fade-in is over.
  void Settle() { EXPECT_TRUE(TickUntil([&] { return Game().GetFadeState() == 0; }, 300)); }

  // A point where the button takes clicks.
  static bool HitPoint(AlphaButton* b, int& x, int& y) {
    for (y = b->GetY(); y < b->GetY() + b->GetHeight(); ++y)
      for (x = b->GetX(); x < b->GetX() + b->GetWidth(); ++x)
        if (b->Contains(x, y)) return true;
    return false;
  }
  void ClickMapButton(int id) { ClickFrameButton(TheMap(), id); }
  void ClickFrameButton(ScreenFrame* screen, int id) {
    ASSERT_NE(screen, nullptr);
    AlphaButton* b = screen->FindButton(id);
    ASSERT_NE(b, nullptr) << "button " << id;
    int x = 0, y = 0;
    ASSERT_TRUE(HitPoint(b, x, y)) << "button " << id;
    Move(1, 1);
    Click(x, y);
  }
  void ClickDay(int day) {
    Move(1, 1);
    Click(Map::kMarkers[day][0] + 19, Map::kMarkers[day][1] + 8);
  }
  // Clicks through the balloon's pages and its closing button; true once
  // the balloon of that id is gone.
  bool AnswerBalloon() {
    InfoBalloon* first = TheMap() ? TheMap()->GetBalloon() : nullptr;
    if (!first) return false;
    const int id = first->GetId();
    for (int i = 0; i < 3000; ++i) {
      InfoBalloon* b = TheMap() ? TheMap()->GetBalloon() : nullptr;
      if (!b || b->GetId() != id) return true;
      AlphaButton* button = b->GetSlot(b->IsLastPage() ? InfoBalloon::kYes : InfoBalloon::kNext);
      if (button && button->IsVisible() && b->GetShown() > 0) {
        Move(1, 1);
        Click(button->GetX() + button->GetWidth() / 2, button->GetY() + button->GetHeight() / 2);
      }
      Tick();
    }
    return false;
  }
  int BalloonId() {
    InfoBalloon* b = TheMap() ? TheMap()->GetBalloon() : nullptr;
    return b ? b->GetId() : -1;
  }
  int BalloonPages() { return TheMap()->GetBalloon() ? TheMap()->GetBalloon()->GetPageCount() : 0; }
};

TEST_F(MapTest, TheNextDayStartsFromItsMarkerAndTheMapStopsWhenItSwitches) {
  Map& map = EnterMap(3, [](PlayerProfile& p) {
    p.SetFlag(66, true);
    p.SetFlag(34, true);  // the store's opening was told
  });
  ScreenGame& g = Game();
  EXPECT_EQ(map.GetBalloon(), nullptr);
  EXPECT_EQ(map.ShownDayNumber(), 4);
  EXPECT_EQ(map.MarkerCel(0), 1);
  EXPECT_EQ(map.MarkerCel(3), 0);
  // From the main menu with a story begun: continue, back and new game.
  EXPECT_NE(map.FindButton(Map::kPlay), nullptr);
  EXPECT_NE(map.FindButton(Map::kNewGame), nullptr);
  // Days ahead cannot be hovered.
  Move(Map::kMarkers[4][0] + 19, Map::kMarkers[4][1] + 8);
  EXPECT_EQ(map.GetHoveredDay(), -1);
  Move(Map::kMarkers[3][0] + 19, Map::kMarkers[3][1] + 8);
  EXPECT_EQ(map.GetHoveredDay(), 3);
  ClickDay(3);
  // The tick that switches leaves the next screen's fade and particles alone.
  ASSERT_TRUE(TickUntil([&] { return g.mBoard != nullptr; }, 300));
  EXPECT_EQ(g.mMap, nullptr);
  ASSERT_NE(Floor(g.mBoard), nullptr);
  EXPECT_EQ(Floor(g.mBoard)->GetMode(), 0);
  EXPECT_EQ(Floor(g.mBoard)->GetDay(), 3);
  EXPECT_NE(g.GetFadeState(), 2);
  EXPECT_EQ(g.GetParticleCount(), 0);
}

TEST_F(MapTest, PlayButtonStartsTheDayDueAndAnEarlierMarkerReplaysItsDay) {
  const struct {
    int clickDay;  // -1: the play button
    int day;
  } cases[] = {{-1, 5}, {1, 1}, {5, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clickDay);
    Map& map = EnterMap(5, [](PlayerProfile& p) {
      p.SetFlag(66, true);
      p.SetFlag(33, true);
      p.SetFlag(34, true);  // the store's opening was told
      p.SetLevelDone(1);
    });
    EXPECT_EQ(map.MarkerCel(1), 2);
    EXPECT_EQ(map.GetBalloon(), nullptr);
    if (c.clickDay < 0)
      ClickMapButton(Map::kPlay);
    else
      ClickDay(c.clickDay);
    ASSERT_TRUE(TickUntil([&] { return Game().mBoard != nullptr; }, 300));
    ASSERT_NE(Floor(Game().mBoard), nullptr);
    EXPECT_EQ(Floor(Game().mBoard)->GetDay(), c.day);
    LeaveForMenu(Game().mBoard);
  }
}

TEST_F(MapTest, AFinishedDayBringsTheMapBackWithTheDayCounterFlipping) {
  EnterMap(0, [](PlayerProfile& p) { p.SetFlag(66, true); });
  ScreenGame& g = Game();
  ClickMapButton(Map::kPlay);
  ASSERT_TRUE(TickUntil([&] { return g.mBoard != nullptr; }, 300));
  Settle();
  // The day closes with its goal reached: the board books it and goes back.
  Board* board = Floor(g.mBoard);
  ASSERT_NE(board, nullptr);
  board->mMoney = board->mGoal;
  board->ExitLevel(1);
  ASSERT_TRUE(TickUntil([&] { return TheMap() != nullptr; }, 300));
  Map& map = *TheMap();
  EXPECT_EQ(map.GetProgressState(), 1);
  g.mSounds.clear();
  ASSERT_TRUE(TickUntil([&] { return map.GetProgressState() == 2; }, 5));
  ASSERT_TRUE(TickUntil([&] { return map.GetProgressState() == 4; }, 100));
  EXPECT_FLOAT_EQ(map.GetProgressAngle(), -1.570795f);
  ASSERT_TRUE(TickUntil([&] { return map.GetProgressState() == 0; }, 200));
  EXPECT_EQ(std::count(g.mSounds.begin(), g.mSounds.end(), SOUND_TROPHY_STARS), 1);
  EXPECT_GE(g.GetParticleCount(), 16);
  EXPECT_EQ(map.ShownDayNumber(), 2);
  // The switch back saved the day.
  EXPECT_EQ(ReadBackProfiles()->GetCurrentProfile()->GetStoryDays(), 1);
}

TEST_F(MapTest, EachTalkBalloonShowsOnceAndBuildingsGlowWithNews) {
  // Day 14: the store glows and the uncle moves Pemi to the ruins; then the
  // store and the circus tell their opening, then nobody speaks.
  Map* map = &EnterMap(13);
  const struct {
    int flag;
    int pages;
    bool storeNews, circusNews;
  } visits[] = {{38, 2, true, false}, {34, 1, true, false}, {35, 1, false, true}, {-1, 0, false, false}};
  for (const auto& v : visits) {
    SCOPED_TRACE(v.flag);
    EXPECT_EQ(BalloonPages(), v.pages);
    EXPECT_EQ(map->HasStoreNews(), v.storeNews);
    EXPECT_EQ(map->HasCircusNews(), v.circusNews);
    if (v.flag >= 0) {
      EXPECT_TRUE(Player().GetFlag(v.flag));
      ASSERT_TRUE(AnswerBalloon());
    }
    // Away to the store and back.
    ClickMapButton(Map::kStore);
    ASSERT_TRUE(TickUntil([&] { return Game().mStore != nullptr; }, 300));
    Settle();
    ClickFrameButton(dynamic_cast<ScreenFrame*>(Game().mStore), ShopScreen::kExit);
    ASSERT_TRUE(TickUntil([&] { return TheMap() != nullptr; }, 300));
    map = TheMap();
    Settle();
  }
  EXPECT_TRUE(Player().GetFlag(44));  // the day-14 glow was used
}

TEST_F(MapTest, ANewStoryIsGreetedThenInvitedToTheHotel) {
  Boot();
  ScreenGame& g = Game();
  g.SetCurrentProfile(g.CreateProfile(L"Pemi"));
  ClickSign(MainMenu::kStoryMode);
  ASSERT_TRUE(TickUntil([&] { return TheMap() != nullptr; }, 300));
  Settle();
  // A story not begun: play and back only.
  EXPECT_EQ(TheMap()->FindButton(Map::kNewGame), nullptr);
  EXPECT_EQ(BalloonId(), Map::kArrival);
  ASSERT_TRUE(AnswerBalloon());
  EXPECT_EQ(BalloonId(), Map::kInvitation);
  ASSERT_TRUE(AnswerBalloon());
  ASSERT_TRUE(TickUntil([&] { return g.mHotel != nullptr; }, 300));
  auto* hotel = dynamic_cast<Hotel*>(g.mHotel);
  ASSERT_NE(hotel, nullptr);
  EXPECT_TRUE(hotel->IsOpening());
}

TEST_F(MapTest, BackShowsTheSaveHintOnceThenLeavesForTheMenu) {
  EnterMap(2);
  ClickMapButton(Map::kBack);
  EXPECT_EQ(BalloonId(), Map::kSaveHint);
  EXPECT_TRUE(Player().GetFlag(33));
  ASSERT_TRUE(AnswerBalloon());
  ASSERT_TRUE(TickUntil([&] { return Game().mMainMenu != nullptr; }, 300));
  EXPECT_EQ(Game().mMap, nullptr);
  // The second time leaves at once.
  AtMenu();
  ClickSign(MainMenu::kStoryMode);
  ASSERT_TRUE(TickUntil([&] { return TheMap() != nullptr; }, 300));
  Settle();
  ClickMapButton(Map::kBack);
  EXPECT_EQ(BalloonId(), -1);
  ASSERT_TRUE(TickUntil([&] { return Game().mMainMenu != nullptr; }, 300));
}

TEST_F(MapTest, BuildingsOpenWithTheStoryAndLeadToTheirScreens) {
  const struct {
    int days;
    bool trophy;
    bool store, circus, hotel;
  } cases[] = {{2, false, false, false, false}, {3, false, true, false, false}, {8, true, true, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.days);
    Map& map = EnterMap(c.days, [&](PlayerProfile& p) {
      for (int f = 33; f <= 64; ++f) p.SetFlag(f, true);  // nothing left to tell
      if (c.trophy) p.SetTrophyGrade(3, 1);
    });
    EXPECT_EQ(map.IsStoreOpen(), c.store);
    EXPECT_EQ(map.IsCircusOpen(), c.circus);
    EXPECT_EQ(map.IsHotelOpen(), c.hotel);
    EXPECT_EQ(map.GetBalloon(), nullptr);
    for (int id : {Map::kStore, Map::kCircus, Map::kHotel})
      EXPECT_EQ(map.FindButton(id)->GetState() == 3, !(id == Map::kStore   ? c.store
                                                          : id == Map::kCircus ? c.circus
                                                                               : c.hotel));
    if (c.hotel) {
      ClickMapButton(Map::kHotel);
      ASSERT_TRUE(TickUntil([&] { return Game().mTrophyRoom != nullptr; }, 300));
      Settle();
      ClickFrameButton(dynamic_cast<ScreenFrame*>(Game().mTrophyRoom), TrophyRoom::kExit);
    } else if (c.store) {
      AlphaButton* circus = map.FindButton(Map::kCircus);  // closed: nothing happens
      Move(1, 1);
      Click(circus->GetX() + circus->GetWidth() / 2, circus->GetY() + circus->GetHeight() / 2);
      Tick(30);
      EXPECT_NE(TheMap(), nullptr);
      ClickMapButton(Map::kStore);
      ASSERT_TRUE(TickUntil([&] { return Game().mStore != nullptr; }, 300));
      Settle();
      ClickFrameButton(dynamic_cast<ScreenFrame*>(Game().mStore), ShopScreen::kExit);
    }
    ASSERT_TRUE(TickUntil([&] { return TheMap() != nullptr; }, 300));
    Settle();
    LeaveForMenu();
  }
}

TEST_F(MapTest, NewGameAsksAndYesRestartsTheStoryWhileNoLeavesItAsItWas) {
  for (wchar_t answer : {L'\x1b', L'\r'}) {
    SCOPED_TRACE(static_cast<int>(answer));
    Map& map = EnterMap(6, [](PlayerProfile& p) {
      p.SetFlag(66, true);
      for (int f = 33; f <= 64; ++f) p.SetFlag(f, true);
      p.AddCash(120);
    });
    ScreenGame& g = Game();
    ClickMapButton(Map::kNewGame);
    g.mSounds.clear();
    auto* dialog = OpenDialog<RestartDialog>(RestartDialog::kId);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(map.GetPauseCount(), 1);
    ASSERT_TRUE(AtRest(dialog));
    EXPECT_EQ(std::count(g.mSounds.begin(), g.mSounds.end(), SOUND_DIALOG_ASK), 1);
    Key(answer);
    ASSERT_TRUE(TickUntil([&] { return g.GetDialog(RestartDialog::kId) == nullptr; }, 300));
    if (answer == L'\x1b') {
      EXPECT_EQ(TheMap(), &map);
      EXPECT_EQ(map.GetPauseCount(), 0);
      Tick(60);
      EXPECT_EQ(TheMap(), &map);
      EXPECT_EQ(Player().GetStoryDays(), 6);
      EXPECT_EQ(Player().GetCash(), 120);
      LeaveForMenu();
    } else {
      ASSERT_TRUE(TickUntil([&] { return TheMap() != nullptr && TheMap() != &map; }, 300));
      EXPECT_EQ(Player().GetStoryDays(), 0);
      EXPECT_TRUE(g.mAppResources->IsGroupReady("Map"));
      Tick(3);
      EXPECT_TRUE(g.mAppResources->IsGroupReady("Map"));  // kept for the new map
    }
  }
}

}  // namespace
}  // namespace Plix::Testing
