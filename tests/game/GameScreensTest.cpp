#include "game/app/GameScreens.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "game/app/Loader.h"
#include "game/app/Splash.h"
#include "tests/game/ScreenTestSupport.h"

namespace Plix {
namespace {

using Testing::FakeScreenHost;
using Testing::RecordingFactory;
using Testing::RecordingScreen;
using Slot = GameScreen* GameScreens::*;

struct ScreensFixture : ::testing::Test {
  ScreensFixture() { screens.SetScreenFactory(&factory); }
  ~ScreensFixture() override {
    host.FlushDeletes();
    screens.RemoveScreens();
    screens.DeleteScreens();
  }

  // A screen of that kind is showing, with particles about.
  RecordingScreen* Enter(Slot slot, const std::string& name) {
    auto* screen = new RecordingScreen(host.mLog, name);
    screens.*slot = screen;
    host.mWidgets.AddWidget(screen);
    screens.AddParticle(new Particle(1, 1));
    screens.AddParticle(new Particle(2, 2));
    return screen;
  }
  // What a screen does before it calls its switcher.
  void Leave(RecordingScreen* screen) {
    host.mWidgets.RemoveWidget(screen);
    host.QueueWidgetDelete(screen);
  }

  FakeScreenHost host;
  RecordingFactory factory{host.mLog};
  GameScreens screens{host};
};

struct SwitchCase {
  const char* name;
  Slot leaving;
  std::function<void(GameScreens&)> call;
  Slot arriving;
  const char* created;
  bool clearsParticles;
  bool savesProfiles;
  bool animatesMap;
};

const SwitchCase kSwitches[] = {
    {"MainMenuToMap", &GameScreens::mMainMenu, [](GameScreens& s) { s.MainMenuToMap(); }, &GameScreens::mMap,
     "Map(1,0,-4)", false, true, false},
    {"MainMenuToBoard", &GameScreens::mMainMenu, [](GameScreens& s) { s.MainMenuToBoard(2); }, &GameScreens::mBoard,
     "Board(2,-1)", false, true, false},
    {"MainMenuToBestSellers", &GameScreens::mMainMenu, [](GameScreens& s) { s.MainMenuToBestSellers(); },
     &GameScreens::mBestSellersScreen, "BestSellers(0,0,0,0)", false, true, false},
    {"MapToMainMenu", &GameScreens::mMap, [](GameScreens& s) { s.MapToMainMenu(); }, &GameScreens::mMainMenu,
     "MainMenu()", true, true, false},
    {"MapToStore", &GameScreens::mMap, [](GameScreens& s) { s.MapToStore(); }, &GameScreens::mStore, "Store()",
     true, true, false},
    {"MapToCircus", &GameScreens::mMap, [](GameScreens& s) { s.MapToCircus(); }, &GameScreens::mCircus, "Circus()",
     true, true, false},
    {"MapToTrophyRoom", &GameScreens::mMap, [](GameScreens& s) { s.MapToTrophyRoom(); }, &GameScreens::mTrophyRoom,
     "TrophyRoom()", true, true, false},
    {"MapToHotel", &GameScreens::mMap, [](GameScreens& s) { s.MapToHotel(); }, &GameScreens::mHotel, "Hotel(65)",
     true, true, false},
    {"RestartStory", &GameScreens::mMap, [](GameScreens& s) { s.RestartStory(); }, &GameScreens::mMap,
     "Map(0,0,-1)", true, true, false},
    {"HotelToBoard", &GameScreens::mHotel, [](GameScreens& s) { s.HotelToBoard(); }, &GameScreens::mBoard,
     "Board(0,-1)", false, true, false},
    {"HotelToTheEndMap", &GameScreens::mHotel, [](GameScreens& s) { s.HotelToTheEndMap(); },
     &GameScreens::mTheEndMap, "TheEndMap()", false, true, false},
    {"StoreToMap", &GameScreens::mStore, [](GameScreens& s) { s.StoreToMap(); }, &GameScreens::mMap, "Map(0,0,-2)",
     false, true, false},
    {"MapToBoard day", &GameScreens::mMap, [](GameScreens& s) { s.MapToBoard(7); }, &GameScreens::mBoard,
     "Board(0,7)", true, true, false},
    {"MapToBoard negative day", &GameScreens::mMap, [](GameScreens& s) { s.MapToBoard(-9); }, &GameScreens::mBoard,
     "Board(0,-1)", true, true, false},
    {"CircusToMap", &GameScreens::mCircus, [](GameScreens& s) { s.CircusToMap(); }, &GameScreens::mMap,
     "Map(0,0,-3)", false, true, false},
    {"TrophyRoomToMap", &GameScreens::mTrophyRoom, [](GameScreens& s) { s.TrophyRoomToMap(); }, &GameScreens::mMap,
     "Map(0,0,-1)", false, true, false},
    {"BoardToMap animated", &GameScreens::mBoard, [](GameScreens& s) { s.BoardToMap(1, 12, true); },
     &GameScreens::mMap, "Map(0,1,12)", true, true, true},
    {"BoardToMap still", &GameScreens::mBoard, [](GameScreens& s) { s.BoardToMap(0, 3, false); }, &GameScreens::mMap,
     "Map(0,0,3)", true, true, false},
    {"BoardToMainMenu", &GameScreens::mBoard, [](GameScreens& s) { s.BoardToMainMenu(); }, &GameScreens::mMainMenu,
     "MainMenu()", true, true, false},
    {"BoardToFlavorContest", &GameScreens::mBoard, [](GameScreens& s) { s.BoardToFlavorContest(); },
     &GameScreens::mFlavorContest, "FlavorContest()", true, true, false},
    {"BoardToHotel", &GameScreens::mBoard, [](GameScreens& s) { s.BoardToHotel(); }, &GameScreens::mHotel,
     "Hotel(0)", true, true, false},
    {"BoardToBestSellers", &GameScreens::mBoard, [](GameScreens& s) { s.BoardToBestSellers(3, 950, 0, 75); },
     &GameScreens::mBestSellersScreen, "BestSellers(3,950,0,75)", true, true, false},
    {"BestSellersToMap", &GameScreens::mBestSellersScreen, [](GameScreens& s) { s.BestSellersToMap(); },
     &GameScreens::mMap, "Map(0,0,-1)", false, true, false},
    {"BestSellersToBoard", &GameScreens::mBestSellersScreen, [](GameScreens& s) { s.BestSellersToBoard(3); },
     &GameScreens::mBoard, "Board(3,-1)", false, true, false},
    {"BestSellersToMainMenu", &GameScreens::mBestSellersScreen, [](GameScreens& s) { s.BestSellersToMainMenu(); },
     &GameScreens::mMainMenu, "MainMenu()", false, true, false},
    {"FlavorContestToMap", &GameScreens::mFlavorContest, [](GameScreens& s) { s.FlavorContestToMap(); },
     &GameScreens::mMap, "Map(0,0,-1)", false, true, true},
    {"TheEndMapToBestSellers", &GameScreens::mTheEndMap, [](GameScreens& s) { s.TheEndMapToBestSellers(); },
     &GameScreens::mBestSellersScreen, "BestSellers(5,4321,4,0)", true, true, false},
};

TEST_F(ScreensFixture, EverySwitcherReplacesTheScreenAsItsRowSays) {
  for (const SwitchCase& c : kSwitches) {
    SCOPED_TRACE(c.name);
    host.mProfile.Reset();
    host.mProfile.SetTotalScore(4321);
    for (int i = 0; i < 4; ++i) host.mProfile.AddReputationStar();
    RecordingScreen* old = Enter(c.leaving, "old");
    Leave(old);
    host.mLog.clear();
    c.call(screens);

    EXPECT_EQ(screens.GetParticleCount(), c.clearsParticles ? 0 : 2);
    auto* now = dynamic_cast<RecordingScreen*>(screens.*c.arriving);
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->GetName(), c.created);
    if (c.arriving != c.leaving) {
      EXPECT_EQ(screens.*c.leaving, nullptr);
    }
    EXPECT_EQ(now->GetRect(), Rect(0, 0, 800, 600));
    EXPECT_TRUE(host.mWidgets.HasWidget(now));
    EXPECT_EQ(host.mWidgets.mFocusWidget, now);

    std::vector<std::string> want{std::string("create ") + c.created};
    if (c.animatesMap) want.push_back(std::string("progress ") + c.created);  // before it is shown
    want.push_back(std::string("added ") + c.created);
    if (c.savesProfiles) want.push_back("save");  // the last step: every change between screens saves
    EXPECT_EQ(host.mLog, want);

    // Back to an empty stage for the next row.
    host.mWidgets.RemoveWidget(now);
    screens.*c.arriving = nullptr;
    delete now;
    screens.ClearParticles();
    host.FlushDeletes();
  }
}

TEST_F(ScreensFixture, RestartStoryResetsTheCurrentPlayersStory) {
  host.mProfile.SetName(L"Ana");
  host.mProfile.SetStoryDays(14);
  Leave(Enter(&GameScreens::mMap, "old"));
  screens.RestartStory();
  EXPECT_EQ(host.mProfile.GetStoryDays(), 0);
  EXPECT_EQ(host.mProfile.GetName(), L"Ana");
}

// Focus loss pauses (and focus gain resumes) only the first screen that
// exists in this order.
TEST_F(ScreensFixture, FocusPausesOnlyTheFirstScreenInTheFixedOrder) {
  const std::pair<Slot, const char*> order[] = {
      {&GameScreens::mBoard, "Board"},         {&GameScreens::mHotel, "Hotel"},
      {&GameScreens::mMainMenu, "MainMenu"},   {&GameScreens::mBestSellersScreen, "BestSellers"},
      {&GameScreens::mMap, "Map"},             {&GameScreens::mCircus, "Circus"},
      {&GameScreens::mTrophyRoom, "TrophyRoom"}, {&GameScreens::mStore, "Store"},
      {&GameScreens::mTheEndMap, "TheEndMap"}, {&GameScreens::mFlavorContest, "FlavorContest"},
  };
  // From the back of the order, so that each new screen outranks the rest.
  for (int i = 9; i >= 0; --i) {
    Enter(order[i].first, order[i].second);
    host.mLog.clear();
    screens.PauseCurrentScreen();
    screens.ResumeCurrentScreen();
    EXPECT_EQ(host.mLog, (std::vector<std::string>{std::string("pause ") + order[i].second,
                                                   std::string("resume ") + order[i].second}));
  }
}

TEST_F(ScreensFixture, FocusChangesWithoutAScreenDoNothing) {
  screens.ShowSplash();
  screens.PauseCurrentScreen();
  screens.ResumeCurrentScreen();
  EXPECT_TRUE(host.mLog.empty());
}

TEST_F(ScreensFixture, ResumeAfterADialogFocusesTheScreenThatExists) {
  screens.ResumeBoard();  // no board: nothing
  screens.ResumeMainMenu();
  EXPECT_TRUE(host.mLog.empty());
  RecordingScreen* menu = Enter(&GameScreens::mMainMenu, "MainMenu");
  host.mWidgets.SetFocus(nullptr);
  host.mLog.clear();
  screens.ResumeMainMenu();
  EXPECT_EQ(host.mWidgets.mFocusWidget, menu);
  EXPECT_EQ(host.mLog, std::vector<std::string>{"resume MainMenu"});
}

TEST_F(ScreensFixture, FadeOutSetsThePointerAndCountsItsDelayOnlyWithHardwareDrawing) {
  screens.StartFadeOut(5, 0, 0, 0, 255, 3, 255);
  EXPECT_EQ(host.mCursors, std::vector<int>{0});
  EXPECT_EQ(screens.UpdateFade(), 0);  // alpha 255 at once
  Graphics g;
  screens.DrawFade(&g);
  EXPECT_EQ(screens.UpdateFade(), 5);

  host.mHardware = true;
  screens.StartFadeOut(6, 0, 0, 0, 255, 3, 255);
  screens.DrawFade(&g);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(screens.UpdateFade(), 0) << i;
  EXPECT_EQ(screens.UpdateFade(), 6);
}

// Whether the covered frame was drawn depends on the drawing's pace, which
// a demo's playback does not repeat (a skip draws once a second): the
// updates take it through the demo, so that the screen changes at the
// recorded update whenever frames are drawn.
TEST_F(ScreensFixture, TheCoveredFrameIsTakenThroughTheDemoOnlyWhileTheFadeWaitsForIt) {
  const struct {
    int playedBack;  // what the demo answers; -1 none
    bool drawn;      // a covered frame was drawn here
    int result;      // UpdateFade once the alpha is full
  } cases[] = {{-1, false, 0}, {-1, true, 7}, {1, false, 7}, {0, true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.playedBack << " " << c.drawn);
    screens.StartFadeIn();
    for (int i = 0; i < 100 && screens.GetFadeState() != 0; ++i) screens.UpdateFade();
    host.mPlayedBack = c.playedBack;
    host.mSynced.clear();
    screens.StartFadeOut(7, 0, 0, 0, 255, 0, 128);
    EXPECT_EQ(screens.UpdateFade(), 0);  // rising
    EXPECT_EQ(screens.UpdateFade(), 0);  // full
    EXPECT_TRUE(host.mSynced.empty());
    Graphics g;
    if (c.drawn) screens.DrawFade(&g);
    EXPECT_EQ(screens.UpdateFade(), c.result);
    EXPECT_EQ(host.mSynced, std::vector<bool>{c.drawn});
    if (c.result == 0) continue;
    screens.UpdateFade();  // over: nothing more is asked
    EXPECT_EQ(host.mSynced.size(), 1u);
  }
}

TEST_F(ScreensFixture, SplashLoaderAndMainMenuFollowEachOther) {
  screens.ShowSplash();
  Splash* splash = screens.mSplash;
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(host.mWidgets.HasWidget(splash));
  EXPECT_NE(host.mWidgets.mFocusWidget, splash);  // not focused
  EXPECT_EQ(splash->GetRect(), Rect(0, 0, 800, 600));

  splash->Update();  // windowed, no logos: straight on
  EXPECT_EQ(screens.mSplash, nullptr);
  EXPECT_TRUE(host.IsQueued(splash));
  EXPECT_FALSE(host.mWidgets.HasWidget(splash));
  Loader* loader = screens.mLoader;
  ASSERT_NE(loader, nullptr);
  EXPECT_TRUE(host.mWidgets.HasWidget(loader));
  EXPECT_EQ(host.mWidgets.mFocusWidget, loader);
  EXPECT_EQ(host.mLoadingStarts, 1);

  screens.LoaderToMainMenu();
  EXPECT_EQ(screens.mLoader, nullptr);
  EXPECT_TRUE(host.IsQueued(loader));
  EXPECT_FALSE(host.mWidgets.HasWidget(loader));
  ASSERT_NE(screens.mMainMenu, nullptr);
  EXPECT_EQ(host.mWidgets.mFocusWidget, screens.mMainMenu);
}

TEST_F(ScreensFixture, ShutDownTakesEveryScreenOffTheManagerButKeepsThePointers) {
  screens.ShowSplash();
  screens.SplashToLoader();
  Loader* loader = screens.mLoader;
  screens.RemoveScreens();
  EXPECT_FALSE(host.mWidgets.HasWidget(loader));
  EXPECT_EQ(screens.mLoader, loader);
  screens.DeleteScreens();  // the loader too
  EXPECT_EQ(screens.mLoader, nullptr);
}

}  // namespace
}  // namespace Plix
