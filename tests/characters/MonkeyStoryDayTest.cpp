// Story days with Vurez played as a player plays them, every click through
// the widget manager: customers come to the small floor and choose, their
// orders reach the counter (on a real day the belt and the serving monkey
// bring them), and the player sends Vurez with the counter tray to the
// tables, with napkins to whoever asks, with cookies and lemonade to a
// waiting guest, juggling and playing the organ while they wait, and back
// and forth clearing the tables; Pemi throws him a banana. At the day's end
// every table is clear, every badge is back at zero, and the profile file
// read back holds what the day counted.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "framework/platform/CRand.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/ProfileManager.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"
#include "tests/characters/MonkeyTestSupport.h"

namespace Plix {
namespace {

struct StoryDay {
  const char* name;
  int day;             // the day's index; the player has played the days before
  float fatigueFloor;  // how tired he may get
  bool shows;          // the day has the juggling balls and the organ
};

class VurezStoryDay : public Testing::MonkeyFixture, public ::testing::WithParamInterface<StoryDay> {
protected:
  WidgetManager& Widgets() { return *mGame->mAppWidgets; }

  // The mouse goes over the button and presses it.
  void Press(AlphaButton* button) {
    ASSERT_NE(button, nullptr);
    for (int dy = 0; dy < button->GetHeight(); dy += 2) {
      for (int dx = 0; dx < button->GetWidth(); dx += 2) {
        const int x = button->GetX() + dx, y = button->GetY() + dy;
        Widgets().MouseMove(x, y);
        if (mBoard->mHoverButton != button) continue;
        Widgets().MouseDown(x, y, 1);
        Widgets().MouseUp(x, y, 1);
        return;
      }
    }
    FAIL() << "button " << button->GetId() << " cannot be hovered";
  }
  void PressTable(Table* table) {
    for (int y = table->GetY() - 150; y < table->GetY() + 150; y += 2) {
      for (int x = table->GetX() - 150; x < table->GetX() + 150; x += 2) {
        Widgets().MouseMove(x, y);
        if (mBoard->mHoverTarget != table) continue;
        Widgets().MouseDown(x, y, 1);
        Widgets().MouseUp(x, y, 1);
        return;
      }
    }
    FAIL() << "the table cannot be hovered";
  }
  std::vector<AlphaButton*> MonkeyStations() {
    std::vector<AlphaButton*> stations = {mBoard->mDishButton.get(), mBoard->GetTrashStationButton(),
                                          mBoard->mNapkinsButton.get(), mBoard->mCookiesButton.get()};
    for (auto& bottle : mBoard->mLemonadeButtons) stations.push_back(bottle.get());
    if (mBoard->mJugglingButton) stations.push_back(mBoard->mJugglingButton.get());
    if (mBoard->mOrganButton) stations.push_back(mBoard->mOrganButton.get());
    return stations;
  }
  int Badges() {
    int sum = 0;
    for (AlphaButton* station : MonkeyStations()) sum += station->GetPending();
    for (int i = 0; i < mBoard->mTables.GetCount(); ++i) sum += TableAt(i)->GetPendingClicks();
    return sum + mBoard->mBananaButton->GetPending();
  }
  std::vector<Customer*> Guests() {
    std::vector<Customer*> guests;
    ObjectListIterator it;
    for (it.Begin(Manager().GetCustomers()); !it.AtEnd(); it.Next()) guests.push_back(static_cast<Customer*>(it.Get()));
    return guests;
  }
  static bool Waits(const Customer* c) { return c->GetState() == Customer::kWaiting && !c->WantsNapkin(); }
  bool VurezFree() const { return mMonkey->GetTaskCount() == 0 && !mMonkey->IsRunning(); }
  bool TablesClear() {
    for (int i = 0; i < mBoard->mTables.GetCount(); ++i)
      if (TableAt(i)->CountItems() > 0) return false;
    return true;
  }

  // One tick of the day: the customers, Pemi, the treat in the air, Vurez.
  void DayTick() {
    Manager().Update();
    Girl* pemi = mBoard->GetGirl();
    pemi->Update();
    pemi->StepCurrentAction(1.0f);
    const bool flying = mBoard->IsTreatFlying();
    mBoard->UpdateThrownTreat(1.0f);
    if (flying && !mBoard->IsTreatFlying()) {
      // The banana has reached him: fresh and fast at once.
      mTreatLanded = true;
      EXPECT_EQ(mMonkey->GetFatigue(), 1.0f);
      EXPECT_EQ(mMonkey->GetSpeed(), 5.0f);
      EXPECT_GE(mMonkey->GetBoostFrames(), 1500);
    }
    const float fatigue = mMonkey->GetFatigue();
    Tick();
    const bool boosted = mMonkey->GetBoostFrames() != 0;
    // Tiring only while he works and is not boosted, resting only while he
    // does not work, never below the day's floor.
    const float now = mMonkey->GetFatigue();
    if (boosted) {
      EXPECT_EQ(now, fatigue);
    }
    if (now != fatigue) {
      EXPECT_EQ(now < fatigue, mMonkey->IsRunning());
    }
    EXPECT_GE(now, GetParam().fatigueFloor - 1e-4f);
    mLeastFatigue = std::min(mLeastFatigue, now);
    for (Customer* c : Guests()) {
      mJuggled = mJuggled || c->GetJugglingShows() > 0;
      mHeardOrgan = mHeardOrgan || c->GetOrganTunes() > 0;
      mCookies = std::max(mCookies, c->GetCookies());
      mLemonades = std::max(mLemonades, c->GetLemonades());
      mNapkinGiven = mNapkinGiven || c->GetNapkins() > 0;
    }
  }

  // What the player does when Vurez has nothing left to do.
  void Play() {
    if (!VurezFree()) return;
    const int carry = mMonkey->GetCarryKind();
    std::vector<Customer*> guests = Guests();
    auto readyTables = [&] {
      std::vector<Table*> tables;
      for (Customer* c : Guests())
        if (Waits(c) && c->GetReadyMark() && std::find(tables.begin(), tables.end(), c->GetTable()) == tables.end())
          tables.push_back(c->GetTable());
      return tables;
    };
    if (carry == Monkey::kCarryTray) {
      // Leftovers someone waits for: to that table; else away with them.
      std::vector<Table*> tables = readyTables();
      if (tables.empty()) Press(mBoard->GetTrashStationButton());
      for (Table* t : tables) PressTable(t);
      return;
    }
    if (carry != Monkey::kCarryNothing) {
      Press(mBoard->GetTrashStationButton());
      return;
    }
    for (Customer* c : guests) {
      if (!c->WantsNapkin()) continue;
      Press(mBoard->mNapkinsButton.get());
      PressTable(c->GetTable());
      return;
    }
    for (Customer* c : guests) {
      if (!Waits(c) || mTreated) continue;
      // The first guest to wait gets a cookie and a lemonade, and a show.
      mTreated = true;
      Press(mBoard->mCookiesButton.get());
      PressTable(c->GetTable());
      Press(mBoard->mLemonadeButtons[0].get());
      PressTable(c->GetTable());
      if (GetParam().shows) {
        Press(mBoard->mJugglingButton.get());
        Press(mBoard->mOrganButton.get());
      }
      return;
    }
    // The orders of those who wait go onto the counter, as the serving
    // monkey brings them, and the tray to their tables.
    ItemHolder& counter = *mBoard->GetCounter();
    for (Customer* c : guests) {
      if (!Waits(c) || c->GetReadyMark() || !counter.HasRoomFor(c->GetOrder())) continue;
      counter.Add(c->GetOrder());
      mBoard->MarkCustomersWithReadyOrders();
    }
    if (!counter.IsEmpty()) {
      Press(mBoard->mDishButton.get());
      for (Table* t : readyTables()) PressTable(t);
      if (!mBananaThrown) {
        // Pemi throws him a banana while he works.
        mBananaThrown = true;
        Press(mBoard->mBananaButton.get());
      }
      return;
    }
    bool cleared = false;
    for (int i = 0; i < mBoard->mTables.GetCount(); ++i) {
      if (TableAt(i)->CountItems() == 0) continue;
      PressTable(TableAt(i));
      cleared = true;
    }
    if (cleared) Press(mBoard->GetTrashStationButton());
  }

  bool mTreated = false;
  bool mBananaThrown = false;
  bool mTreatLanded = false;
  bool mJuggled = false;
  bool mHeardOrgan = false;
  int mCookies = 0;
  int mLemonades = 0;
  bool mNapkinGiven = false;
  float mLeastFatigue = 1.0f;
};

IceCream Order(int i) {
  static const int kKinds[] = {kItemPlate, kItemCup, kItemCone, kItemCup};
  IceCream order = IceCream::CreateOfKind(kKinds[i % 4]);
  if (i % 4 != 0) order.AddScoop(14 + i % 3);
  return order;
}

TEST_P(VurezStoryDay, HeServesClearsFetchesAndEntertainsUntilTheShopIsEmpty) {
  const StoryDay& day = GetParam();
  Player().SetShowTutorials(false);
  for (int trophy = 0; trophy < 10; ++trophy) Player().SetTrophyGrade(trophy, 3);  // no award visit today
  ShownFloor(day.day);
  ASSERT_EQ(mBoard, mGame->mBoard);
  ASSERT_EQ(mBoard->mJugglingButton != nullptr, day.shows);
  ASSERT_EQ(mBoard->mOrganButton != nullptr, day.shows);
  mBoard->mLevelModeWord = 2;  // a hot day: napkins are asked for
  mBoard->mCookies[1] = 2;
  mBoard->mLemonades[0] = 1;
  mBoard->mBananas = 1;
  for (AlphaButton* b : MonkeyStations()) {
    b->SetVisible(true);
    b->SetState(0);
  }
  // Only the bottle of the stock in use shows.
  for (int i : {1, 2}) {
    mBoard->mLemonadeButtons[i]->SetVisible(false);
    mBoard->mLemonadeButtons[i]->SetDisabled(true);
  }
  mBoard->mBananaButton->SetVisible(true);
  mBoard->mBananaButton->SetState(0);
  const int girlActions = GirlAction::GetLiveCount();
  SRand(11);

  // Guests come every ten seconds, ten of them, and more while nobody has
  // asked for a napkin yet.
  int arrived = 0;
  int ticks = 0;
  for (; ticks < 200000; ++ticks) {
    const bool moreToCome = arrived < 10 || (!mNapkinGiven && arrived < 20);
    if (moreToCome && ticks >= arrived * 1000 && Manager().SpawnCustomerOfKind(arrived % 3 * 2, Order(arrived))) ++arrived;
    if (!moreToCome && Manager().Count() == 0 && VurezFree() && mMonkey->HasEmptyHands() && TablesClear() &&
        mBoard->GetGirl()->IsIdle() && !mBoard->IsTreatFlying())
      break;
    DayTick();
    Play();
    if (HasFatalFailure()) return;
  }
  ASSERT_LT(ticks, 200000) << "the day did not end";

  EXPECT_GE(arrived, 10);
  EXPECT_TRUE(mNapkinGiven);
  EXPECT_TRUE(Player().GetFlag(17));  // the napkin hint is seen
  EXPECT_EQ(mCookies, 1);
  EXPECT_EQ(mLemonades, 1);
  EXPECT_EQ(mJuggled, day.shows);
  EXPECT_EQ(mHeardOrgan, day.shows);
  EXPECT_TRUE(mTreatLanded);
  EXPECT_NEAR(mLeastFatigue, day.fatigueFloor, 1e-3f);  // he worked himself to the floor
  EXPECT_TRUE(TablesClear());
  EXPECT_EQ(Badges(), 0);
  EXPECT_EQ(MonkeyAction::GetLiveCount(), mLiveAtStart);
  EXPECT_EQ(GirlAction::GetLiveCount(), girlActions);
  EXPECT_EQ(mBoard->GetBananaStock(), 0);
  if (day.shows) {
    EXPECT_TRUE(mBoard->mJugglingButton->IsVisible());
    EXPECT_TRUE(mBoard->mOrganButton->IsVisible());
  }

  // What the day counted is in the profile file.
  ASSERT_TRUE(mGame->SaveProfiles());
  ProfileManager stored;
  stored.SetFolder(std::filesystem::path(mGame->GetProfiles().GetProfilePath()).parent_path().string());
  ASSERT_TRUE(stored.LoadProfiles(mGame->GetLevels()));
  ASSERT_TRUE(stored.GetNotice().empty()) << stored.GetNotice();
  PlayerProfile* back = stored.GetProfile(mGame->GetProfiles().GetCurrentProfileIndex());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetName(), L"Pemi");
  EXPECT_TRUE(back->GetFlag(17));
  for (int counter = 0; counter < PlayerProfile::kTrophyCounterCount; ++counter)
    EXPECT_EQ(back->GetTrophyCounter(counter), Player().GetTrophyCounter(counter)) << counter;
  EXPECT_EQ(back->GetTrophyCounter(7) > 0, day.shows);  // the guests enjoyed the show
}

INSTANTIATE_TEST_SUITE_P(Days, VurezStoryDay,
                         ::testing::Values(StoryDay{"EarlyDay", 5, 0.8f, false}, StoryDay{"LateDay", 40, 0.6f, true}),
                         [](const ::testing::TestParamInfo<StoryDay>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace Plix
