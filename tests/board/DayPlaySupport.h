#pragma once
// Whole story days played by the scripted player: the day's own set-up
// from the level table and the profile, its real end-of-day report and
// game menu, the game ticked without drawing (the pictures have tests of
// their own), and the profile file read back afterwards. Every wait is
// bounded in game time and fails with what the floor showed.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "framework/platform/CRand.h"
#include "framework/widget/ButtonWidget.h"
#include "game/app/Fade.h"
#include "game/app/LevelTable.h"
#include "game/app/PlayerProfile.h"
#include "game/app/ProfileManager.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"
#include "game/characters/Monkey.h"
#include "game/characters/MonkeyAction.h"
#include "game/screens/GameMenuDialog.h"
#include "game/screens/LevelCompleteDialog.h"
#include "tests/board/PlaySupport.h"
#include "tests/board/ScriptedPlayer.h"

namespace Plix::Testing {

// The recording screens of the board tests, with the day's real dialogs.
class DayScreens : public BoardScreens {
public:
  DayScreens(GameApp& app, std::vector<std::string>& log) : BoardScreens(app, log), mGame(app) {}
  Dialog* CreateGameMenuDialog(int mode, bool openedByKey) override {
    return new GameMenuDialog(mGame, mode, openedByKey);
  }
  Dialog* CreateLevelCompleteDialog(GameScreen* board, int money, int tips, int goal, int expertGoal,
                                    int topScore) override {
    return new LevelCompleteDialog(mGame, board, money, tips, goal, expertGoal, topScore);
  }

private:
  GameApp& mGame;
};

class DayPlay : public PlayFixture {
protected:
  // The morning of day index `day` as a campaign with lessons on and
  // nothing bought leaves it: every day before done, the flavours the
  // level table has unlocked by then, and the lessons of those days seen.
  void PrepareMorning(int day) {
    // Lesson flags.
    constexpr int kFirstIceCream = 0, kTopping = 1, kMachine = 3, kChocolateSauce = 7, kSprinkles = 8,
                  kGolden = 18, kReputationStar = 24, kCone = 14, kPlate = 15, kSpecialCup = 20, kSpeedButton = 32;
    // The lesson presenting the flavour count n (2 to 6).
    constexpr int kFlavourLesson[7] = {-1, -1, 26, 28, 29, 30, 27};
    PlayerProfile& p = Player();
    p.SetStoryDays(day);
    if (day == 0) return;  // a fresh player
    p.SetFlavorCount(mGame->GetLevel(day - 1)->flavorCount);
    for (int before = 0; before < day; ++before) {
      const LevelRecord& r = *mGame->GetLevel(before);
      p.SetLevelDone(before);
      p.AddLevelTry(before);
      // The lessons its set-up offered were played through.
      p.SetFlag(kFirstIceCream, true);
      if (r.countT == 1) p.SetFlag(kTopping, true);
      if (r.countT == 2) p.SetFlag(kSprinkles, true);
      if (r.countT == 3) p.SetFlag(kChocolateSauce, true);
      if (r.countH == 2) p.SetFlag(kCone, true);
      if (r.countH == 3) p.SetFlag(kPlate, true);
      for (int s = 0; s < r.countS && s < 4; ++s) p.SetFlag(kSpecialCup + s, true);
      if (r.flavorCount >= 2 && r.flavorCount <= 6) p.SetFlag(kFlavourLesson[r.flavorCount], true);
    }
    // What the first days bring about: an empty box, her first scoop, a
    // golden ice cream, a star. The trash and napkin hints are left to
    // come whenever a day gives cause, as they do for a tidy player.
    for (int flag : {kMachine, kSpeedButton, kGolden, kReputationStar}) p.SetFlag(flag, true);
  }

  void SetUp() override {
    PlayFixture::SetUp();
    mScreens = std::make_unique<DayScreens>(*mGame, mLog);
    mGame->SetScreenFactory(mScreens.get());
  }

  // A tick of the game as the main loop runs it, without the frame drawn
  // but while the screen fades (a fade-out hands over only once its black
  // frame has been shown).
  void Tick() override {
    if (mGame->GetFadeState() != Fade::kNone) {
      RunFor(10);
      return;
    }
    mGame->UpdateTick();
    mGame->UpdateSmooth(1.0f);
    mGame->FlushDeferredDeletes();
  }

  // The story day (-1: the player's current day) from the map, with the
  // game's random numbers from `seed`.
  Board& StartDay(int day, unsigned seed) {
    // The map left by the day before goes as the real one does.
    if (GameScreen* map = mGame->mMap) {
      Widgets().RemoveWidget(map);
      delete map;
      mGame->mMap = nullptr;
    }
    SRand(seed);
    return Open(0, day);
  }

  LevelCompleteDialog* Report() {
    return dynamic_cast<LevelCompleteDialog*>(mGame->GetDialog(LevelCompleteDialog::kDialogId));
  }
  GameMenuDialog* Menu() { return dynamic_cast<GameMenuDialog*>(mGame->GetDialog(GameMenuDialog::kDialogId)); }

  // Plays the day with `player` until its report opens; false (with what
  // the floor showed) when it does not within `seconds` of game time.
  bool PlayToReport(ScriptedPlayer& player, int seconds) {
    for (int tick = 0; tick < seconds * 100; ++tick) {
      if (Report()) return true;
      Board* board = Current();
      if (!board) {
        ADD_FAILURE() << "the board left before its report";
        return false;
      }
      player.Step(*board);
      Tick();
    }
    if (Report()) return true;
    Board* board = Current();
    ADD_FAILURE() << "no report within " << seconds << " s of game time\n"
                  << (board ? player.Describe(*board) : std::string("no board"));
    return false;
  }

  // Plays the day with `player` until its clock shows `second`; false
  // when the board left or the report opened before.
  bool PlayUntilSecond(ScriptedPlayer& player, int second) {
    for (int tick = 0; tick < (second + 60) * 100; ++tick) {
      Board* board = Current();
      if (!board || Report()) break;
      if (board->mSeconds >= second) return true;
      player.Step(*board);
      Tick();
    }
    ADD_FAILURE() << "the day did not reach second " << second;
    return false;
  }

  // The clicks the floor still shows as pending: the badges of every
  // station and table and the markers on the ice creams riding the belt.
  static int ShownClicks(Board& board) {
    int sum = 0;
    for (int list = 0; list < 3; ++list) {
      ObjectListIterator it;
      for (it.Begin(board.GetButtonList(list)); !it.AtEnd(); it.Next())
        sum += static_cast<AlphaButton*>(it.Get())->GetPending();
    }
    ObjectListIterator it;
    for (it.Begin(board.GetTables()); !it.AtEnd(); it.Next()) sum += static_cast<Table*>(it.Get())->GetPendingClicks();
    for (it.Begin(const_cast<ObjectList&>(board.GetConveyor()->GetContainers())); !it.AtEnd(); it.Next())
      sum += static_cast<ConveyorContainer*>(it.Get())->GetItem()->GetMarker();
    return sum;
  }
  // The clicks still being worked off: the helpers' errands that carry a
  // click not yet given back, and the containers ordered that have not
  // reached the belt.
  static int ClicksUnderWay(Board& board, int containersOrdered) {
    int sum = containersOrdered;
    Girl& pemi = *board.GetGirl();
    for (int i = 0; i < pemi.GetActionCount(); ++i) {
      GirlAction* errand = pemi.GetAction(i);
      if (errand->GetKind() == kInitToIceCreamMachine) {
        ++sum;  // its click goes with the machine errand it becomes
        continue;
      }
      if (!errand->CountsClick() || errand->ClickGivenBack()) continue;
      // An ice cream that has left the belt took its marker along.
      if (errand->GetKind() == kGirlToIceCream &&
          !board.GetConveyor()->HasContainerWithSerial(static_cast<GirlToIceCreamAction*>(errand)->GetContainerId()))
        continue;
      ++sum;
    }
    Monkey& vurez = *board.GetMonkey();
    for (int i = 0; i < vurez.GetTaskCount(); ++i) {
      MonkeyAction* task = vurez.GetTask(i);
      if (task->CountsClick() && !task->ClickGivenBack()) ++sum;
    }
    return sum;
  }
  // Dishes on the tables that Vurez is not on his way to collect.
  static int DishesLeftBehind(Board& board) {
    int sum = 0;
    ObjectListIterator it;
    for (it.Begin(board.GetTables()); !it.AtEnd(); it.Next()) {
      auto* table = static_cast<Table*>(it.Get());
      bool fetched = false;
      Monkey& vurez = *board.GetMonkey();
      for (int i = 0; i < vurez.GetTaskCount(); ++i) {
        MonkeyAction* task = vurez.GetTask(i);
        fetched = fetched || (task->GetKind() == kMonkeyToTable && static_cast<MonkeyToTableAction*>(task)->GetTable() == table);
      }
      if (!fetched) sum += table->CountItems();
    }
    return sum;
  }
  // At the day's end the floor is tidy: no dish left that nobody fetches,
  // and every badge stands for an errand still under way (so none at all
  // once the helpers stand idle). The day closes by its own rule, whatever
  // the helpers are doing: they may be on their way with the last dishes.
  static void ExpectTidy(Board& board, const ScriptedPlayer& player) {
    const std::string seen = player.Describe(board);
    EXPECT_EQ(DishesLeftBehind(board), 0) << seen;
    EXPECT_EQ(ShownClicks(board), ClicksUnderWay(board, player.GetContainersOrdered())) << seen;
    if (board.GetGirl()->IsIdle() && board.GetMonkey()->GetTaskCount() == 0) {
      EXPECT_EQ(ShownClicks(board), 0) << seen;
    }
  }

  // Presses the report's "Continue" until it closes (the first press skips
  // the count) and the day's fade-out has booked the day.
  bool PressContinue() {
    for (int tick = 0; tick < 6000; ++tick) {
      if (!Current() && !Report()) return true;
      LevelCompleteDialog* report = Report();
      if (report && !report->IsSliding() && tick % 50 == 0) {
        ButtonWidget* b = report->GetButton();
        ClickAt(Widgets(), b->mX + b->mWidth / 2, b->mY + b->mHeight / 2);
      }
      Tick();
    }
    ADD_FAILURE() << "the report did not close";
    return false;
  }

  // The game menu opened by the day's menu button, then its leave button.
  bool QuitThroughMenu() {
    Board* board = Current();
    if (!board || !Click(board->GetMenuButton())) {
      ADD_FAILURE() << "the menu button could not be clicked";
      return false;
    }
    for (int tick = 0; tick < 6000; ++tick) {
      if (!Current()) return true;
      GameMenuDialog* menu = Menu();
      if (menu && !menu->IsSliding() && !menu->IsClosing() && tick % 50 == 0) {
        ButtonWidget* b = menu->GetButton(GameMenuDialog::kLeave);
        ClickAt(Widgets(), b->mX + b->mWidth / 2, b->mY + b->mHeight / 2);
      }
      Tick();
    }
    ADD_FAILURE() << "the day was not left through the game menu";
    return false;
  }

  // The players as the profile file holds them now.
  std::unique_ptr<ProfileManager> ReadBack() {
    auto stored = std::make_unique<ProfileManager>();
    stored->SetFolder(std::filesystem::path(mGame->GetProfiles().GetProfilePath()).parent_path().string());
    EXPECT_TRUE(stored->LoadProfiles(mGame->GetLevels()));
    EXPECT_TRUE(stored->GetNotice().empty()) << stored->GetNotice();
    return stored;
  }
};

}  // namespace Plix::Testing
