// The trophy room played with the mouse: each trophy in the look of its
// grade, the names and the star count fading in as the mouse points, the
// sparkles only on won trophies, and the exit that leaves only on a click
// that starts and ends on it; the profile is read back at the end.
#include "game/screens/TrophyRoom.h"

#include <gtest/gtest.h>

#include "framework/graphics/Image.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix {
namespace {

using Testing::MainMenuTest;
using Testing::ScreenGame;

struct Place {
  int x;
  int y;
};

class TrophyRoomTest : public MainMenuTest {
protected:
  // A player with these grades and stars, then the room entered from the
  // island.
  TrophyRoom* Enter(const std::vector<int>& grades, int stars) {
    Boot();
    ScreenGame& g = Game();
    EXPECT_EQ(g.CreateProfile(L"Pemi"), 0);
    g.SetCurrentProfile(0);
    PlayerProfile* profile = g.GetCurrentProfile();
    for (int i = 0; i < TrophyRoom::kTrophies; ++i) profile->SetTrophyGrade(i, grades[i]);
    profile->SetReputationStars(stars);
    GameScreen* menu = g.mMainMenu;
    Widgets().RemoveWidget(menu);
    g.QueueWidgetDelete(menu);
    g.mMainMenu = nullptr;
    Tick();
    g.MapToTrophyRoom();
    auto* room = Room();
    EXPECT_TRUE(TickUntil([&] { return g.GetFadeState() == 0; }, 400));
    return room;
  }
  TrophyRoom* Room() { return dynamic_cast<TrophyRoom*>(Game().mTrophyRoom); }
  // A point inside trophy i's picture, clear of every other trophy.
  Place OnTrophy(int i) {
    static const Place corners[] = {{119, 108}, {570, 137}, {83, 260},  {619, 275}, {153, 257},
                                    {496, 146}, {195, 147}, {491, 266}, {216, 269}, {551, 262}};
    return {corners[i].x + 2, corners[i].y + 2};
  }
  // A pixel of the exit that its hit mask takes.
  Place OnExit() {
    AlphaButton* exit = Room()->FindButton(TrophyRoom::kExit);
    for (int y = exit->GetY(); y < exit->GetY() + exit->GetHeight(); ++y)
      for (int x = exit->GetX(); x < exit->GetX() + exit->GetWidth(); ++x)
        if (exit->Contains(x, y)) return {x, y};
    ADD_FAILURE() << "the exit has no pixel to click";
    return {0, 0};
  }
  bool TextSettles(const std::wstring& text) {
    return TickUntil([&] { return Room()->GetShownText() == text && Room()->GetTextAlpha() == 255; }, 200);
  }
  int HoverSounds() {
    int n = 0;
    for (int id : Game().mSounds) n += id == SOUND_MOUSE_OVER_LONG;
    return n;
  }
};

TEST_F(TrophyRoomTest, EachGradeShowsItsCelAndTheNamesAndStarsFadeIn) {
  const std::vector<int> grades{1, 2, 3, 0, 1, 0, 2, 0, 3, 0};
  TrophyRoom* room = Enter(grades, 3);
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(room->GetWonCount(), 6);
  for (int i = 0; i < TrophyRoom::kTrophies; ++i) EXPECT_EQ(room->GetTrophyCel(i), grades[i] == 0 ? 3 : grades[i] - 1) << i;
  EXPECT_EQ(room->GetShownText(), L"Select Trophy");
  EXPECT_EQ(room->GetStarsText(), L"You have a 3 star");

  // Onto a trophy, across to another, then off: a sound for each trophy
  // reached, none for leaving.
  struct Step {
    Place at;
    int hovered;
    int sounds;
    std::wstring text;
  } steps[] = {
      {OnTrophy(0), 0, 1, L"Happy Customers"},
      {OnTrophy(6), 6, 2, L"Cash Saver"},
      {{380, 300}, -1, 2, L"You have a 3 star"},
      {{30, 30}, -1, 2, L"Select Trophy"},
      {OnTrophy(9), 9, 3, L"Fast Deliveries"},
  };
  for (const Step& s : steps) {
    Move(s.at.x, s.at.y);
    EXPECT_EQ(room->GetHoveredTrophy(), s.hovered);
    EXPECT_EQ(HoverSounds(), s.sounds);
    // The old text fades out fully before the new one comes.
    Tick();
    if (room->GetShownText() != s.text) {
      EXPECT_LT(room->GetTextAlpha(), 255);
    }
    EXPECT_TRUE(TextSettles(s.text)) << static_cast<int>(room->GetTextAlpha());
  }

  // The hovered trophy sparkles.
  Move(OnTrophy(2).x, OnTrophy(2).y);
  EXPECT_TRUE(TickUntil([&] { return room->GetSparkleCount() > 0; }, 400));
  const int countdown = room->GetSparkleCountdown();
  EXPECT_GE(countdown, 0);
  EXPECT_LE(countdown, 34);
}

TEST_F(TrophyRoomTest, WithoutTrophiesNothingSparklesAndStarlessRoomsSaySelectTrophy) {
  TrophyRoom* room = Enter(std::vector<int>(10, 0), 0);
  ASSERT_NE(room, nullptr);
  for (int i = 0; i < TrophyRoom::kTrophies; ++i) EXPECT_EQ(room->GetTrophyCel(i), 3);
  Move(380, 300);
  for (int i = 0; i < 600; ++i) {
    Tick();
    ASSERT_EQ(room->GetSparkleCount(), 0);
    ASSERT_LE(room->GetSparkleCountdown(), 61);
  }
  EXPECT_EQ(room->GetShownText(), L"Select Trophy");
  // Once the wait drawn before the mouse came has run out, the waits are
  // shorter.
  Move(OnTrophy(3).x, OnTrophy(3).y);
  Tick(62);
  for (int i = 0; i < 200; ++i) {
    Tick();
    ASSERT_EQ(room->GetSparkleCount(), 0);
    ASSERT_LE(room->GetSparkleCountdown(), 16);
  }
}

TEST_F(TrophyRoomTest, TheExitLeavesOnlyOnAClickThatStartsAndEndsOnIt) {
  const std::vector<int> grades{3, 3, 3, 3, 3, 2, 2, 1, 0, 0};
  TrophyRoom* room = Enter(grades, 5);
  ASSERT_NE(room, nullptr);
  ScreenGame& g = Game();
  const Place exit = OnExit();
  // Pressed on it, released away; pressed away, released on it.
  Move(exit.x, exit.y);
  Widgets().MouseDown(exit.x, exit.y, 1);
  Move(30, 30);
  Widgets().MouseUp(30, 30, 1);
  Tick(2);
  EXPECT_NE(g.GetFadeState(), 2);
  Move(30, 30);
  Widgets().MouseDown(30, 30, 1);
  Move(exit.x, exit.y);
  Widgets().MouseUp(exit.x, exit.y, 1);
  Tick(2);
  EXPECT_NE(g.GetFadeState(), 2);
  EXPECT_EQ(g.mTrophyRoom, room);

  Click(exit.x, exit.y);
  ASSERT_TRUE(TickUntil([&] { return g.mTrophyRoom == nullptr; }, 400));
  EXPECT_NE(g.mMap, nullptr);
  g.Shutdown();
  auto stored = ReadBackProfiles();
  for (int i = 0; i < TrophyRoom::kTrophies; ++i) EXPECT_EQ(stored->GetProfile(0)->GetTrophyGrade(i), grades[i]);
  EXPECT_EQ(stored->GetProfile(0)->GetReputationStars(), 5);
}

}  // namespace
}  // namespace Plix
