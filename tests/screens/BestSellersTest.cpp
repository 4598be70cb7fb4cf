// The best-seller tables played as a player meets them: browsed and cleared
// from the main menu, and entered after a story run, a Happy Hour day of
// each difficulty and the end of the story, with the name typed, kept or
// left empty in the name dialog; the table file is read back at the end.
#include "game/screens/BestSellers.h"

#include <gtest/gtest.h>

#include "framework/graphics/Font.h"

#include "framework/widget/EditWidget.h"
#include "game/app/GameResources.h"
#include "game/screens/HiscoreDialogs.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix {
namespace {

using Testing::MainMenuTest;
using Testing::ScreenGame;

class BestSellersTest : public MainMenuTest {
protected:
  // The main menu with a current player named Pemi.
  void BootWithPlayer() {
    Boot();
    ASSERT_EQ(Game().CreateProfile(L"Pemi"), 0);
    Game().SetCurrentProfile(0);
  }
  // The screen on show goes, as the board goes when it leaves.
  void ClearScreens() {
    ScreenGame& g = Game();
    for (GameScreen** slot : {&g.mMainMenu, &g.mMap, &g.mBoard}) {
      if (!*slot) continue;
      Widgets().RemoveWidget(*slot);
      g.QueueWidgetDelete(*slot);
      *slot = nullptr;
    }
    Tick();
  }
  // As the board would leave a finished run.
  BestSellers* EnterResult(int kind, int score, int stars, int time) {
    ClearScreens();
    Game().BoardToBestSellers(kind, score, stars, time);
    return Screen();
  }
  BestSellers* Screen() { return dynamic_cast<BestSellers*>(Game().mBestSellersScreen); }
  // Scores 1000, 900, ... 100 under the names T0 to T9.
  void FillTable(int table) {
    for (int row = 0; row < 10; ++row) {
      BestSellerEntry* e = Game().GetBestSellerEntry(table, row);
      *e = BestSellerEntry{L"T" + std::to_wstring(row), 1000 - 100 * row, row % 6, 60 * row + 5};
    }
  }
  bool ScreenGone() {
    return TickUntil([&] { return Game().mBestSellersScreen == nullptr; }, 400);
  }
};

TEST_F(BestSellersTest, ResultsOfEveryKindEnterTheirTableUnderTheNameGiven) {
  enum class Answer { kTypeAndEnter, kEscape, kEmptyAndOk, kTypeAndOk };
  struct Case {
    const char* what;
    int kind;
    int table;
    int stars;
    int time;
    Answer answer;
    std::wstring typed;
    std::wstring kept;
    const wchar_t* button3;
  } cases[] = {
      {"story run", 1, 0, 4, 0, Answer::kTypeAndEnter, L"Zo\u00e9", L"Zo\u00e9", L"Retry"},
      {"Happy Hour easy", 2, 1, 0, 185, Answer::kEscape, L"Nobody", L"Pemi", L"Retry"},
      {"Happy Hour normal", 3, 2, 0, 61, Answer::kEmptyAndOk, L"", L"Pemi", L"Retry"},
      // Only what the fonts draw and the file keeps.
      {"Happy Hour hard", 4, 3, 0, 600, Answer::kTypeAndOk, L"\u0141ucja \u0085\u20acX", L"ucja X", L"Retry"},
      {"the end of the story", 5, 0, 5, 0, Answer::kTypeAndEnter, L"Vurez", L"Vurez", L"Continue"},
  };
  BootWithPlayer();
  ScreenGame& g = Game();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FillTable(c.table);
    // Equal to row 3's score: listed above that older entry.
    BestSellers* screen = EnterResult(c.kind, 700, c.stars, c.time);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GetShownTable(), c.table);
    EXPECT_EQ(screen->GetNewEntryRank(), 3);
    EXPECT_EQ(g.GetBestSellerEntry(c.table, 3)->name, L"Pemi");
    EXPECT_EQ(g.GetBestSellerEntry(c.table, 4)->name, L"T3");
    EXPECT_EQ(g.GetBestSellerEntry(c.table, 9)->name, L"T8");
    ASSERT_NE(screen->GetButton(BestSellers::kRetry), nullptr);
    EXPECT_EQ(screen->GetButton(BestSellers::kRetry)->mLabel, c.button3);
    EXPECT_EQ(screen->GetButton(BestSellers::kLeft), nullptr);
    EXPECT_EQ(screen->GetButton(BestSellers::kClear), nullptr);

    // The row flashes and the buttons wait for the name.
    Tick();
    EXPECT_LT(screen->GetPulse(), 255);
    ClickButton(screen->GetButton(BestSellers::kRetry));
    Tick(3);
    EXPECT_EQ(Screen(), screen);
    EXPECT_NE(g.GetFadeState(), 2);
    auto* dialog = OpenDialog<BSNameDialog>(BSNameDialog::kDialogId);
    EXPECT_EQ(dialog, nullptr);
    ASSERT_TRUE(TickUntil([&] { return g.GetDialog(BSNameDialog::kDialogId) != nullptr; }, 400));
    dialog = OpenDialog<BSNameDialog>(BSNameDialog::kDialogId);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(screen->GetPauseCount(), 1);
    ASSERT_TRUE(AtRest(dialog));
    EditWidget* field = dialog->GetNameField();
    EXPECT_EQ(field->mString, L"Pemi");
    const size_t sounds = g.mSounds.size();
    switch (c.answer) {
      case Answer::kTypeAndEnter:
        Type(c.typed);
        EXPECT_EQ(field->mString, c.kept);  // the selected name was replaced
        Key(13);
        break;
      case Answer::kEscape:
        Type(c.typed);
        Key(27);
        break;
      case Answer::kEmptyAndOk:
        Widgets().KeyDown(KEYCODE_BACK);
        EXPECT_EQ(field->mString, L"");
        ClickButton(dialog->GetButton(BSNameDialog::kOk));
        break;
      case Answer::kTypeAndOk:
        Type(c.typed);
        EXPECT_EQ(field->mString, c.kept);
        ClickButton(dialog->GetButton(BSNameDialog::kOk));
        break;
    }
    EXPECT_EQ(g.mSounds[sounds], SOUND_KEYBOARD);
    ASSERT_TRUE(TickUntil([&] { return g.GetDialog(BSNameDialog::kDialogId) == nullptr; }, 200));
    EXPECT_EQ(screen->GetPauseCount(), 0);
    EXPECT_EQ(g.GetBestSellerEntry(c.table, 3)->name, c.kept);
    EXPECT_EQ(g.GetBestSellerEntry(c.table, 3)->score, 700);

    // Retry: the same difficulty again, or the island after a story result.
    ClickButton(screen->GetButton(BestSellers::kRetry));
    ASSERT_TRUE(ScreenGone());
    if (c.kind >= 2 && c.kind <= 4) {
      ASSERT_NE(g.mBoard, nullptr);
      ASSERT_NE(Floor(g.mBoard), nullptr);
      EXPECT_EQ(Floor(g.mBoard)->GetMode(), c.kind - 1);
    } else {
      EXPECT_NE(g.mMap, nullptr);
    }
  }
  g.Shutdown();
  auto stored = ReadBackProfiles();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.kind == 1) continue;  // the end of the story took the story table's row 3
    const BestSellerEntry* e = stored->GetBestSellerEntry(c.table, 3);
    EXPECT_EQ(e->name, c.kept);
    EXPECT_EQ(e->score, 700);
    EXPECT_EQ(e->time, c.time);
  }
  const BestSellerEntry* story = stored->GetBestSellerEntry(0, 3);
  EXPECT_EQ(story->name, L"Vurez");
  EXPECT_EQ(story->stars, 5);
}

TEST_F(BestSellersTest, BrowsingCyclesTheTablesAndClearRefillsOnlyOnYes) {
  BootWithPlayer();
  ScreenGame& g = Game();
  ClickSign(MainMenu::kBestSellers);
  ASSERT_TRUE(TickUntil([&] { return Screen() != nullptr; }, 400));
  BestSellers* screen = Screen();
  EXPECT_EQ(screen->GetMode(), 0);
  EXPECT_EQ(screen->GetNewEntryRank(), -1);
  EXPECT_EQ(screen->GetButton(BestSellers::kRetry), nullptr);
  ASSERT_TRUE(TickUntil([&] { return g.GetFadeState() == 0; }, 400));

  // All ten rows show: the tenth, descenders and all, ends above the
  // buttons at the board's foot.
  const int lastRowBottom = BestSellers::RowBaseline(9) + FONT_RAVIE_14->GetHeight() - FONT_RAVIE_14->GetAscent();
  for (int id : {BestSellers::kClear, BestSellers::kMainMenu}) {
    ASSERT_NE(screen->GetButton(id), nullptr);
    EXPECT_LT(lastRowBottom, screen->GetButton(id)->mY) << "button " << id;
  }

  std::vector<int> seen{screen->GetShownTable()};
  for (int i = 0; i < 4; ++i) {
    ClickButton(screen->GetButton(BestSellers::kRight));
    seen.push_back(screen->GetShownTable());
  }
  for (int i = 0; i < 3; ++i) {
    ClickButton(screen->GetButton(BestSellers::kLeft));
    seen.push_back(screen->GetShownTable());
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 0, 3, 2, 1}));
  EXPECT_EQ(g.mSounds.back(), SOUND_MOUSE_CLICK);

  // Table 1 marked; No leaves it, Yes refills it with the default entries.
  for (int row = 0; row < 10; ++row) g.GetBestSellerEntry(1, row)->name = L"Mark";
  struct Step {
    wchar_t key;
    std::wstring name;
  } steps[] = {{27, L"Mark"}, {13, L"Varnok"}};
  for (const Step& s : steps) {
    ClickButton(screen->GetButton(BestSellers::kClear));
    auto* dialog = OpenDialog<BSClearDialog>(BSClearDialog::kDialogId);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetTable(), 1);
    EXPECT_EQ(screen->GetPauseCount(), 1);
    ASSERT_TRUE(AtRest(dialog));
    EXPECT_EQ(g.mSounds.back(), SOUND_DIALOG_ASK);
    Key(s.key);
    ASSERT_TRUE(TickUntil([&] { return g.GetDialog(BSClearDialog::kDialogId) == nullptr; }, 200));
    EXPECT_EQ(screen->GetPauseCount(), 0);
    for (int row = 0; row < 10; ++row) EXPECT_EQ(g.GetBestSellerEntry(1, row)->name, s.name);
  }
  EXPECT_EQ(g.GetBestSellerEntry(0, 0)->name, L"Varnok");
  const int top = g.GetBestSellerEntry(1, 0)->score;

  ClickButton(screen->GetButton(BestSellers::kMainMenu));
  ASSERT_TRUE(ScreenGone());
  EXPECT_NE(g.mMainMenu, nullptr);
  g.Shutdown();
  auto stored = ReadBackProfiles();
  EXPECT_EQ(stored->GetBestSellerEntry(1, 0)->name, L"Varnok");
  EXPECT_EQ(stored->GetBestSellerEntry(1, 0)->score, top);
}

TEST_F(BestSellersTest, AResultBelowEveryRowIsNotEnteredAndTheButtonsWorkAtOnce) {
  BootWithPlayer();
  ScreenGame& g = Game();
  FillTable(2);
  BestSellers* screen = EnterResult(3, 50, 0, 30);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->GetNewEntryRank(), -1);
  EXPECT_EQ(screen->GetNameCountdown(), 0);
  EXPECT_EQ(g.GetBestSellerEntry(2, 9)->score, 100);
  ClickButton(screen->GetButton(BestSellers::kMainMenu));
  ASSERT_TRUE(ScreenGone());
  EXPECT_NE(g.mMainMenu, nullptr);
  EXPECT_EQ(g.GetDialog(BSNameDialog::kDialogId), nullptr);
}

TEST(BestSellersTime, SecondsAreNotPadded) {
  EXPECT_EQ(BestSellers::FormatTime(185), L"3:5");
  EXPECT_EQ(BestSellers::FormatTime(600), L"10:0");
  EXPECT_EQ(BestSellers::FormatTime(59), L"0:59");
}

}  // namespace
}  // namespace Plix
