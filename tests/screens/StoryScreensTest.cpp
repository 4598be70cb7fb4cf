// The uncle's room and the story's end played as a player plays them: the
// flavour contest won, lost and left; the hotel's opening and ending run
// through their balloons or skipped; the end map's title, fireworks and
// button. Each path reads the profile file back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <algorithm>
#include <functional>
#include <string>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/util/Utilities.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/ContestScene.h"
#include "game/screens/FlavorContest.h"
#include "game/screens/WarningDialogs.h"
#include "framework/platform/CRand.h"
#include "game/screens/Hotel.h"
#include "game/screens/TheEndMap.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix {
namespace {

using Testing::MainMenuTest;
using Testing::ScreenGame;

class StoryScreensTest : public MainMenuTest {
protected:
  // A new player, the main menu gone.
  PlayerProfile& NewPlayer() {
    Boot();
    ScreenGame& g = Game();
    g.SetCurrentProfile(g.CreateProfile(L"Pemi"));
    GameScreen* menu = g.mMainMenu;
    Widgets().RemoveWidget(menu);
    g.QueueWidgetDelete(menu);
    g.mMainMenu = nullptr;
    Tick();
    return *g.GetCurrentProfile();
  }
  FlavorContest* Contest() { return dynamic_cast<FlavorContest*>(Game().mFlavorContest); }
  Hotel* TheHotel() { return dynamic_cast<Hotel*>(Game().mHotel); }
  TheEndMap* EndMap() { return dynamic_cast<TheEndMap*>(Game().mTheEndMap); }

  // Updates only (the long waits of the scenes), a frame now and then.
  template <class Condition>
  bool RunUntil(Condition done, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      mApp->UpdateTick();
      if (i % 64 == 0) mApp->DrawFrame();
      mApp->FlushDeferredDeletes();
    }
    return done();
  }
  // A page reads whole when the balloon's body lies on the 800 x 600
  // screen and the page's text ends above the buttons on its bottom edge.
  void ExpectReadable(const InfoBalloon& b) {
    const Image* body = b.GetBodyImage();
    ASSERT_NE(body, nullptr);
    const int w = body->GetWidth(), h = body->GetHeight();
    const std::string page = WStringToString(b.GetPageText());
    EXPECT_GE(b.GetX(), 0) << page;
    EXPECT_GE(b.GetY(), 0) << page;
    EXPECT_LE(b.GetX() + w, 800) << page;
    EXPECT_LE(b.GetY() + h, 600) << page;
    int buttonsTop = b.GetY() + h;
    for (int slot = 0; slot < InfoBalloon::kSlotCount; ++slot)
      if (AlphaButton* button = b.GetSlot(slot)) buttonsTop = std::min(buttonsTop, button->GetY());
    Graphics g;
    g.SetFont(FONT_DEFAULT);
    EXPECT_LE(b.GetY() + 16 + g.MeasureWordWrappedHeight(w - 32, b.GetPageText()), buttonsTop) << page;
  }
  void ClickSlot(InfoBalloon* b, int slot) {
    AlphaButton* button = b->GetSlot(slot);
    ASSERT_NE(button, nullptr);
    Move(1, 1);
    Click(button->GetX() + button->GetWidth() / 2, button->GetY() + button->GetHeight() / 2);
  }
  // Turns the pages of the balloon that `get` shows and answers its last
  // one with `slot` (after setting the number chooser to `number`, if any);
  // the pages seen are collected.
  bool Answer(const std::function<InfoBalloon*()>& get, int slot = InfoBalloon::kYes, int number = 0,
              std::vector<int>* pagesSeen = nullptr) {
    InfoBalloon* b = nullptr;
    if (!RunUntil([&] { return (b = get()) != nullptr; }, 3000)) return false;
    // Known by its serial: the next balloon may be made where this one was.
    const int serial = b->GetSerial();
    for (int i = 0; i < 3000; ++i) {
      if (!get() || get()->GetSerial() != serial) return true;
      const bool last = b->IsLastPage();
      AlphaButton* button = b->GetSlot(last ? slot : InfoBalloon::kNext);
      if (button && button->IsVisible() && b->GetShown() > 0) {
        ExpectReadable(*b);
        if (pagesSeen && (pagesSeen->empty() || pagesSeen->back() != b->GetCurrentPage()))
          pagesSeen->push_back(b->GetCurrentPage());
        if (last && number > 0 && b->GetNumber() != number) {
          ClickSlot(b, b->GetNumber() < number ? InfoBalloon::kPlus : InfoBalloon::kMinus);
        } else {
          ClickSlot(b, last ? slot : InfoBalloon::kNext);
        }
      }
      Tick();
    }
    return false;
  }
  // The contest for a player with this many flavours, entered as the
  // board enters it.
  FlavorContest* EnterContest(int flavours) {
    NewPlayer().SetFlavorCount(flavours);
    Game().BoardToFlavorContest();
    return Contest();
  }
  InfoBalloon* ContestBalloon() { return Contest() ? Contest()->GetBalloon() : nullptr; }
  InfoBalloon* HotelBalloon() { return TheHotel() ? TheHotel()->GetBalloon() : nullptr; }
  // Back on the map after the contest, with the profile saved.
  int FlavoursInFile() {
    EXPECT_TRUE(RunUntil([&] { return Game().mMap != nullptr; }, 2000));
    auto profiles = ReadBackProfiles();
    return profiles->GetProfile(0) ? profiles->GetProfile(0)->GetFlavorCount() : -1;
  }
};

// The blender's colour: the flavour itself for the right guess, paler below
// it, darker above it.
TEST(FlavorContestRows, MixedColourFollowsTheGuess) {
  struct Case {
    int flavours, guess;
    int r, g, b;
  };
  const Case cases[] = {
      {1, 6, 230, 80, 80},     // exact
      {1, 3, 242, 167, 167},   // half as many: halfway to white
      {1, 8, 184, 64, 64},     // halfway to the dark shade (0.6 of the colour)
      {3, 1, 154, 224, 116},   // pear's one scoop
      {4, 10, 92, 156, 228},   // blueberry's ten
      {2, 10, 79, 51, 25},     // chocolate at the far end: the dark shade itself
  };
  for (const Case& c : cases) {
    const FlavorContest::Row* row = FlavorContest::RowFor(c.flavours);
    ASSERT_NE(row, nullptr);
    int out[3];
    FlavorContest::MixedColour(*row, c.guess, out);
    EXPECT_EQ(out[0], c.r) << c.flavours << "/" << c.guess;
    EXPECT_EQ(out[1], c.g) << c.flavours << "/" << c.guess;
    EXPECT_EQ(out[2], c.b) << c.flavours << "/" << c.guess;
  }
  EXPECT_EQ(FlavorContest::RowFor(0), nullptr);
  EXPECT_EQ(FlavorContest::RowFor(6), nullptr);
}

// The judges' idle moments draw from the game's seeded generator, as a
// demo replays them: the C library's own seed changes nothing.
TEST(ContestSceneTest, IdleMomentsFollowTheGamesSeed) {
  auto run = [](unsigned librarySeed) {
    std::srand(librarySeed);
    SRand(9);
    ContestScene scene(240, false);
    std::string seen;
    for (int i = 0; i < 4000; ++i) {
      scene.TriggerIdle();
      scene.Step();
      seen += scene.HasAnimation(ContestScene::kHappyLady) ? 'h' : '.';
      seen += scene.HasAnimation(ContestScene::kSeriousLady) ? 's' : '.';
    }
    return seen;
  };
  const std::string first = run(1);
  EXPECT_NE(first.find('h'), std::string::npos);
  EXPECT_EQ(run(2), first);
}

TEST(ContestSceneTest, PemisAnimationWaitsWhileSheWalks) {
  ContestScene scene(240, false);
  scene.Start(ContestScene::kHeroineScooping);
  scene.SetHeroineTarget(360);  // thirty steps away
  for (int i = 0; i < 30; ++i) scene.Step();
  EXPECT_EQ(scene.GetHeroineX(), 360);
  EXPECT_EQ(scene.GetCurrent(ContestScene::kHeroine)->GetCurrentCel(), 0);
  for (int i = 0; i < 20; ++i) scene.Step();
  EXPECT_EQ(scene.GetCurrent(ContestScene::kHeroine)->GetCurrentCel(), 1);
  // A finished animation is dropped; a looping one never finishes.
  scene.Start(ContestScene::kUncleGesture);
  scene.Start(ContestScene::kHeroineTalking);
  for (int i = 0; i < 190 + 1; ++i) scene.Step();
  EXPECT_FALSE(scene.HasAnimation(ContestScene::kUncle));
  EXPECT_FALSE(scene.HasAnimation(ContestScene::kHeroine));
  ContestScene hotel(300, true);
  hotel.Start(ContestScene::kHeroineTalking);
  for (int i = 0; i < 1000; ++i) hotel.Step();
  EXPECT_TRUE(hotel.HasAnimation(ContestScene::kHeroine));
}

TEST_F(StoryScreensTest, AnExactGuessAtTheFirstTryUnlocksTheFlavour) {
  FlavorContest* contest = EnterContest(4);  // blueberry: ten scoops
  ASSERT_NE(contest, nullptr);
  // Yes to the rules, then ten scoops.
  ASSERT_TRUE(Answer([&] { return ContestBalloon(); }, InfoBalloon::kYes));
  ASSERT_EQ(Contest()->GetState(), FlavorContest::kRules);
  ASSERT_TRUE(Answer([&] { return ContestBalloon(); }));
  ASSERT_EQ(Contest()->GetState(), FlavorContest::kQuestion);
  ASSERT_TRUE(Answer([&] { return ContestBalloon(); }, InfoBalloon::kYes, 10));
  ASSERT_TRUE(RunUntil([&] { return Contest()->GetState() == FlavorContest::kWinTalk; }, 6000));
  EXPECT_EQ(Contest()->GetAttemptsLeft(), 3);
  const int* mixed = Contest()->GetMixedColour();
  EXPECT_EQ(mixed[0], 92);
  EXPECT_EQ(mixed[2], 228);
  EXPECT_NE(std::count(Game().mSounds.begin(), Game().mSounds.end(), SOUND_FLAVOR_CONTEST_SUCCEDED), 0);
  ASSERT_TRUE(Answer([&] { return ContestBalloon(); }));
  EXPECT_EQ(FlavoursInFile(), 5);
}

TEST_F(StoryScreensTest, FiveWrongGuessesLoseAndTheLastQuestionSaysSo) {
  ASSERT_NE(EnterContest(1), nullptr);  // strawberry: six scoops, five attempts
  ASSERT_TRUE(Answer([&] { return ContestBalloon(); }, InfoBalloon::kNo));
  int questions = 0;
  while (Contest()->GetState() != FlavorContest::kLossTalk) {
    ASSERT_TRUE(RunUntil(
        [&] {
          const int s = Contest()->GetState();
          return (s == FlavorContest::kQuestion && ContestBalloon()) || s == FlavorContest::kLossTalk;
        },
        6000));
    if (Contest()->GetState() == FlavorContest::kLossTalk) break;
    ++questions;
    // The fifth question is the last attempt.
    if (questions == 5) {
      EXPECT_EQ(Contest()->GetAttemptsLeft(), 1);
    }
    // A guess of 2 each time: too weak, so paler.
    ASSERT_TRUE(Answer([&] { return ContestBalloon(); }, InfoBalloon::kYes, 2));
    if (questions == 1) {
      ASSERT_TRUE(RunUntil([&] { return Contest()->GetBlenderState() == 3; }, 3000));
      EXPECT_GT(Contest()->GetMixedColour()[1], 80);
    }
    ASSERT_LE(questions, 5);
  }
  EXPECT_EQ(questions, 5);
  EXPECT_EQ(Contest()->GetVerdict(), 1);
  EXPECT_EQ(Contest()->GetAttemptsLeft(), 0);
  ASSERT_TRUE(Answer([&] { return ContestBalloon(); }));
  EXPECT_EQ(FlavoursInFile(), 1);
}

TEST_F(StoryScreensTest, TheExitLeavesMidContestWithoutTheFlavour) {
  FlavorContest* contest = EnterContest(2);
  ASSERT_NE(contest, nullptr);
  ASSERT_TRUE(Answer([&] { return ContestBalloon(); }, InfoBalloon::kNo));
  ASSERT_TRUE(Answer([&] { return ContestBalloon(); }, InfoBalloon::kYes, 9));  // the right number, but...
  AlphaButton* exit = Contest()->FindButton(FlavorContest::kExit);
  ASSERT_NE(exit, nullptr);
  int x = 0, y = 0;
  bool found = false;
  for (y = exit->GetY(); !found && y < exit->GetY() + exit->GetHeight(); ++y)
    for (x = exit->GetX(); !found && x < exit->GetX() + exit->GetWidth(); ++x) found = exit->Contains(x, y);
  ASSERT_TRUE(found);
  Move(x - 1, y - 1);
  Click(x - 1, y - 1);
  EXPECT_EQ(FlavoursInFile(), 2);
}

// Each contest announces the flavour that the floor's next box is filled
// with, and is won as a player wins it.
TEST_F(StoryScreensTest, EachContestWonAnnouncesTheFlavourTheFloorOffersNext) {
  // The floor's flavour codes 13 to 18 by name.
  const char* const names[] = {"vanilla", "strawberry", "chocolate", "pear", "blueberry", "pineapple"};
  for (int n = 1; n <= 5; ++n) {
    SCOPED_TRACE(n);
    if (n == 1) {
      ASSERT_NE(EnterContest(1), nullptr);
    } else {
      // Straight to the next contest, as the board goes when it is due.
      GameScreen* map = Game().mMap;
      Widgets().RemoveWidget(map);
      Game().QueueWidgetDelete(map);
      Game().mMap = nullptr;
      Tick();
      Game().BoardToFlavorContest();
      ASSERT_NE(Contest(), nullptr);
    }
    InfoBalloon* invitation = nullptr;
    ASSERT_TRUE(RunUntil([&] { return (invitation = ContestBalloon()) != nullptr; }, 3000));
    const std::string text = WStringToString(invitation->GetPageText());
    // Won, it brings the n + 1-th flavour: the floor fills box n with code
    // 13 + n (the board's tests hold that).
    EXPECT_NE(text.find(std::string(names[n]) + " flavor contest"), std::string::npos) << text;
    ASSERT_TRUE(Answer([&] { return ContestBalloon(); }, InfoBalloon::kNo));
    // The right number, found as a player would: from the verdicts.
    auto settled = [&] {
      const int s = Contest()->GetState();
      return (s == FlavorContest::kQuestion && ContestBalloon()) || s == FlavorContest::kWinTalk ||
             s == FlavorContest::kLossTalk;
    };
    int low = 1, high = 10;
    for (int tries = 0; tries < 5; ++tries) {
      ASSERT_TRUE(RunUntil(settled, 6000));
      if (Contest()->GetState() != FlavorContest::kQuestion) break;
      if (tries > 0) {
        if (Contest()->GetVerdict() > 0)
          low = (low + high + 1) / 2 + 1;  // too weak
        else
          high = (low + high + 1) / 2 - 1;  // too strong
      }
      ASSERT_TRUE(Answer([&] { return ContestBalloon(); }, InfoBalloon::kYes, (low + high + 1) / 2));
      ASSERT_TRUE(RunUntil([&] { return Contest()->GetState() != FlavorContest::kQuestion; }, 6000));
    }
    ASSERT_EQ(Contest()->GetState(), FlavorContest::kWinTalk);
    ASSERT_TRUE(Answer([&] { return ContestBalloon(); }));
    ASSERT_EQ(FlavoursInFile(), n + 1);
  }
}

// A players' file that cannot be written: the first failed save puts up the
// game's warning with the file and the reason, once; play goes on, and the
// exit code says a save failed.
TEST_F(StoryScreensTest, AFailedSaveIsShownOnceAndPlayGoesOn) {
  NewPlayer();
  const std::string path = Game().GetProfiles().GetProfilePath();
  std::filesystem::remove(path);
  std::filesystem::create_directories(path);  // nothing can be written there
  Game().MapToStore();
  auto* warning = dynamic_cast<MessageDialog*>(Game().GetDialog(MessageDialog::kDialogId));
  ASSERT_NE(warning, nullptr);
  const std::string text = WStringToString(warning->GetText());
  EXPECT_EQ(text.rfind("Your progress could not be saved.", 0), 0u) << text;
  EXPECT_NE(text.find(path), std::string::npos) << text;
  RunUntil([] { return false; }, 100);  // risen into place
  Key(13);
  ASSERT_TRUE(RunUntil([&] { return Game().GetDialog(MessageDialog::kDialogId) == nullptr; }, 500));
  EXPECT_NE(Game().mStore, nullptr);
  EXPECT_FALSE(Game().SaveProfiles());
  EXPECT_EQ(Game().GetDialog(MessageDialog::kDialogId), nullptr);  // once a session
  EXPECT_EQ(Game().mExitCode, 1);
  std::filesystem::remove(path);
  Game().mExitCode = 0;
}

TEST_F(StoryScreensTest, WithEveryFlavourUnlockedTheContestLeavesAtOnce) {
  ASSERT_NE(EnterContest(6), nullptr);
  EXPECT_EQ(FlavoursInFile(), 6);
}

TEST_F(StoryScreensTest, TheOpeningRunsOnEnterToTheFirstDay) {
  PlayerProfile& player = NewPlayer();
  Game().MapToHotel();
  ASSERT_NE(TheHotel(), nullptr);
  EXPECT_TRUE(TheHotel()->IsOpening());
  std::vector<int> steps;
  for (int i = 0; i < 20000 && Game().mHotel; ++i) {
    if (InfoBalloon* b = HotelBalloon()) {
      if (steps.empty() || steps.back() != TheHotel()->GetStep()) steps.push_back(TheHotel()->GetStep());
      if (b->GetShown() > 0) {
        ExpectReadable(*b);
        Key(13);
      }
    }
    mApp->UpdateTick();
    if (i % 64 == 0) mApp->DrawFrame();
    mApp->FlushDeferredDeletes();
  }
  ASSERT_NE(Game().mBoard, nullptr);
  EXPECT_EQ(steps, (std::vector<int>{2, 3, 4, 6, 7, 9}));
  EXPECT_TRUE(player.GetFlag(Hotel::kOpening));
}

TEST_F(StoryScreensTest, SkippingTheOpeningAtOnceStillLeadsToTheFirstDay) {
  PlayerProfile& player = NewPlayer();
  Game().MapToHotel();
  ASSERT_NE(TheHotel(), nullptr);
  Tick();
  ClickButton(TheHotel()->GetSkipButton());
  EXPECT_TRUE(player.GetFlag(Hotel::kOpening));
  ASSERT_TRUE(RunUntil([&] { return Game().mBoard != nullptr; }, 1000));
  EXPECT_EQ(Game().mHotel, nullptr);
}

TEST_F(StoryScreensTest, TheEndingLeadsToTheEndMapAndOnToTheBestSellers) {
  PlayerProfile& player = NewPlayer();
  player.SetStoryDays(50);
  player.SetLevelDone(0);
  player.SetLevelDone(49);
  Game().BoardToHotel();
  ASSERT_NE(TheHotel(), nullptr);
  EXPECT_FALSE(TheHotel()->IsOpening());
  for (int i = 0; i < 20000 && Game().mHotel; ++i) {
    InfoBalloon* b = HotelBalloon();
    if (b && b->GetShown() > 0) {
      ExpectReadable(*b);
      Key(13);
    }
    mApp->UpdateTick();
    if (i % 64 == 0) mApp->DrawFrame();
    mApp->FlushDeferredDeletes();
  }
  TheEndMap* end = EndMap();
  ASSERT_NE(end, nullptr);
  ASSERT_NE(end->GetPicture(), nullptr);
  // The title: in from update 101, whole from 228 to 500, gone from 755.
  ASSERT_TRUE(RunUntil([&] { return end->GetCounter() == 100; }, 1000));
  EXPECT_EQ(end->GetTitleAlpha(), 0);
  ASSERT_TRUE(RunUntil([&] { return end->GetCounter() == 228; }, 1000));
  EXPECT_EQ(end->GetTitleAlpha(), 255);
  ASSERT_TRUE(RunUntil([&] { return end->GetCounter() == 500; }, 1000));
  EXPECT_EQ(end->GetTitleAlpha(), 255);
  EXPECT_GT(Game().GetParticleCount(), 0);
  ASSERT_TRUE(RunUntil([&] { return end->GetCounter() == 755; }, 1000));
  EXPECT_EQ(end->GetTitleAlpha(), 0);
  Tick();
  AlphaButton* next = end->FindButton(TheEndMap::kContinue);
  ASSERT_NE(next, nullptr);
  int x = next->GetX() + next->GetWidth() / 2, y = next->GetY() + next->GetHeight() / 2;
  for (int yy = next->GetY(); yy < next->GetY() + next->GetHeight() && !next->Contains(x, y); ++yy)
    for (int xx = next->GetX(); xx < next->GetX() + next->GetWidth(); ++xx)
      if (next->Contains(xx, yy)) {
        x = xx;
        y = yy;
        break;
      }
  Move(x, y);
  Click(x, y);
  ASSERT_TRUE(RunUntil([&] { return Game().mBestSellersScreen != nullptr; }, 1000));
  auto profiles = ReadBackProfiles();
  ASSERT_NE(profiles->GetProfile(0), nullptr);
  EXPECT_EQ(profiles->GetProfile(0)->GetStoryDays(), 50);
}

TEST_F(StoryScreensTest, SkippingTheEndingGoesStraightToTheEndMap) {
  NewPlayer().SetStoryDays(50);
  Game().BoardToHotel();
  ASSERT_NE(TheHotel(), nullptr);
  Tick();
  ClickButton(TheHotel()->GetSkipButton());
  ASSERT_TRUE(RunUntil([&] { return EndMap() != nullptr; }, 1000));
  EXPECT_EQ(Game().mHotel, nullptr);
}

}  // namespace
}  // namespace Plix
