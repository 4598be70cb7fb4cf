// The report at the end of a day, over a stand-in for the shop floor: the
// count of the takings and the costs, the marks on the bar, the header
// word, the sounds, "Continue" skipping then closing, and the result the
// day is left with.
#include "game/screens/LevelCompleteDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "framework/widget/ButtonWidget.h"
#include "game/app/PlayerProfile.h"
#include "tests/game/GameTestSupport.h"
#include "tests/screens/DayDialogTestSupport.h"

namespace Plix {
namespace {

using Testing::FloorStandIn;

struct Day {
  int takings, tips, goal, expert, top;
};

class LevelCompleteDialogTest : public Testing::DayDialogTest {
protected:
  // Without a sound device every sound is bound to id 0: the report's own
  // get ids of their own, for the test's scope.
  FloorStandIn& BootToFloor(int day = 0) {
    FloorStandIn& floor = DayDialogTest::BootToFloor(day);
    int next = 9001;
    for (int* sound : {&SOUND_SCORE_COUNT, &SOUND_PAY, &SOUND_GAME_OVER, &SOUND_LEVEL_COMPLETE,
                       &SOUND_FLAVOR_CONTEST_SUCCEDED, &SOUND_MOUSE_CLICK})
      mSoundIds.push_back(std::make_unique<Testing::ScopedResource<int>>(*sound, next++));
    return floor;
  }
  LevelCompleteDialog* OpenReport(const Day& d) {
    Dialog* dialog =
        Game().GetScreenFactory().CreateLevelCompleteDialog(&Floor(), d.takings, d.tips, d.goal, d.expert, d.top);
    return OpenOverFloor<LevelCompleteDialog>(dialog, LevelCompleteDialog::kDialogId, IMAGE_DIALOG_STANDARD, 86);
  }
  bool ReportGone() { return DialogGone(LevelCompleteDialog::kDialogId); }
  // Updates, a frame drawn now and then; false when the condition did not
  // come within `limit` updates.
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
  int Count(int sound) {
    const std::vector<int>& sounds = Game().mSounds;
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), sound));
  }

  std::vector<std::unique_ptr<Testing::ScopedResource<int>>> mSoundIds;
};

// Counted to the end without a skip, then closed with "Continue".
TEST_F(LevelCompleteDialogTest, CountsTheDayAndLeavesItWithPassOrFail) {
  struct Case {
    Day day;
    const wchar_t* word;
    int result;
    int earned;
  } cases[] = {
      {{400, 50, 300, 500, 0}, L"Completed", 1, 100},
      {{300, 0, 300, 450, 0}, L"Completed", 1, 0},
      {{120, 20, 200, 300, 350}, L"Failed", 2, -80},
      {{0, 0, 0, 0, 0}, L"Completed", 1, 0},  // nothing to scale the chart by
  };
  FloorStandIn& floor = BootToFloor();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.day.takings);
    floor.mExits.clear();
    Game().mSounds.clear();
    LevelCompleteDialog* report = OpenReport(c.day);
    ASSERT_NE(report, nullptr);
    ASSERT_TRUE(RunUntil([&] { return report->GetPhase() == LevelCompleteDialog::kDone; }, 5000));
    EXPECT_EQ(report->GetHeaderWord(), c.word);
    EXPECT_EQ(report->GetShownSales() + report->GetShownTips(), c.day.takings);
    EXPECT_EQ(report->GetShownTips(), c.day.tips);
    EXPECT_EQ(report->GetShownEarned(), c.earned);
    EXPECT_EQ(Count(SOUND_SCORE_COUNT), c.day.takings / 5);
    EXPECT_EQ(Count(SOUND_PAY), c.earned > 0 ? 1 : 0);
    EXPECT_EQ(Count(SOUND_GAME_OVER), c.result == 2 ? 1 : 0);
    EXPECT_EQ(Count(SOUND_LEVEL_COMPLETE), c.result == 1 ? 1 : 0);
    EXPECT_TRUE(floor.mExits.empty());
    ClickButton(report->GetButton());
    ASSERT_TRUE(ReportGone());
    EXPECT_EQ(floor.mExits, std::vector<int>{c.result});
    EXPECT_EQ(floor.mPauseDepth, 0);
  }
}


// A press before the count is done, by click, Enter or Esc, while the report
// still slides in or while it counts, skips to the end of the count with the
// figures a full count gives, and leaves the report up; the next press
// closes it. A missed day with no life left is "Game Over".
TEST_F(LevelCompleteDialogTest, APressSkipsTheCountAndTheNextOneCloses) {
  enum How { kClick, kEnter, kEsc };
  struct Case {
    How how;
    bool whileSliding;
    Day day;
    int lives;
    const wchar_t* word;
    int result;
    int earned;
  } cases[] = {
      {kClick, false, {400, 50, 300, 500, 0}, 3, L"Completed", 1, 100},
      {kEnter, true, {400, 50, 300, 500, 0}, 3, L"Completed", 1, 100},
      {kEsc, false, {120, 20, 200, 300, 350}, 2, L"Failed", 2, -80},
      {kEsc, true, {120, 20, 200, 300, 350}, 0, L"Game Over", 2, -80},
  };
  FloorStandIn& floor = BootToFloor();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.how) + (c.whileSliding ? " while sliding" : " while counting"));
    floor.mExits.clear();
    Game().mSounds.clear();
    Game().GetCurrentProfile()->SetLives(c.lives);
    LevelCompleteDialog* report = OpenReport(c.day);
    ASSERT_NE(report, nullptr);
    if (c.whileSliding) {
      ASSERT_TRUE(report->IsSliding());
    } else {
      ASSERT_TRUE(RunUntil([&] { return !report->IsSliding() && report->GetPhase() != LevelCompleteDialog::kTakings; },
                           5000));
      ASSERT_NE(report->GetPhase(), LevelCompleteDialog::kDone);
    }
    auto press = [&] {
      if (c.how == kClick) {
        ASSERT_TRUE(RunUntil([&] { return !report->IsSliding(); }, 5000));
        ClickButton(report->GetButton());
      } else {
        Widgets().KeyChar(c.how == kEnter ? 13 : 27);
      }
    };
    press();
    EXPECT_EQ(report->GetPhase(), LevelCompleteDialog::kDone);
    ASSERT_TRUE(RunUntil([&] { return !report->IsSliding(); }, 5000));
    for (int i = 0; i < 50; ++i) mApp->UpdateTick();
    EXPECT_EQ(Game().GetDialog(LevelCompleteDialog::kDialogId), report) << "the skip closed the report";
    EXPECT_TRUE(floor.mExits.empty());
    EXPECT_EQ(report->GetHeaderWord(), c.word);
    EXPECT_EQ(report->GetShownSales() + report->GetShownTips(), c.day.takings);
    EXPECT_EQ(report->GetShownEarned(), c.earned);
    EXPECT_EQ(Count(SOUND_PAY), c.earned > 0 ? 1 : 0);
    EXPECT_EQ(Count(SOUND_GAME_OVER), c.result == 2 ? 1 : 0);
    press();
    ASSERT_TRUE(ReportGone());
    EXPECT_EQ(floor.mExits, std::vector<int>{c.result});
    EXPECT_EQ(floor.mPauseDepth, 0);
  }
}

}  // namespace
}  // namespace Plix
