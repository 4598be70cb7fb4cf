// Vurez's errands from click to end: dishes, the counter tray, the trash
// station, napkins, lemonade and cookies, juggling and the barrel organ,
// each with the badge its click raised given back.
#include <gtest/gtest.h>

#include "game/app/GameResources.h"
#include "game/characters/ServingMonkey.h"
#include "tests/characters/MonkeyTestSupport.h"

namespace Plix {
namespace {

using Testing::MonkeyFixture;

class MonkeyTasks : public MonkeyFixture {
protected:
  // Plate eaters fill every seat and go, leaving their plates behind.
  int LeavePlates() {
    int plates = 0;
    while (Customer* c = Manager().SpawnCustomerOfKind(0, IceCream::CreateOfKind(kItemPlate))) {
      c->GetTable()->PlaceDish(c);
      c->GetTable()->RemoveCustomer(c);
      ++plates;
    }
    Manager().Clear();
    return plates;
  }
  int TablePlates() { return TableAt(0)->CountItems() + TableAt(1)->CountItems(); }
  void ClickTable(Table* table) {
    table->IncrementPending();
    ASSERT_TRUE(mMonkey->EnqueueToTable(table));
  }
  TrashStationButton* Trash() { return mBoard->GetTrashStationButton(); }
};

TEST_F(MonkeyTasks, DishesOfSeveralTablesGoOnOneStackAndIntoTheTrash) {
  StandardFloor();
  ASSERT_EQ(LeavePlates(), 3);
  ClickTable(TableAt(0));
  ClickTable(TableAt(1));
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(TablePlates(), 0);
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryDishes);
  EXPECT_EQ(mMonkey->GetDishCount(), 3);
  EXPECT_EQ(TableAt(0)->GetPendingClicks() + TableAt(1)->GetPendingClicks(), 0);
  EXPECT_EQ(mMonkey->GetNode(), Node(kTable2));

  Trash()->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToTrashStation());
  const int particles = mGame->GetParticleCount();
  ASSERT_TRUE(TickUntilDone());
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(mMonkey->GetDishCount(), 0);
  EXPECT_EQ(Sounds(SOUND_GARBAGE_LARGE), 1);
  EXPECT_EQ(mGame->GetParticleCount() - particles, 6);  // the puff
  EXPECT_EQ(mBoard->GetTrashStationButton()->GetLoad(), 0);  // dishes do not stack up there
  EXPECT_EQ(Trash()->GetPending(), 0);
}

// A stack of sixteen is full: what does not fit stays on the table.
TEST_F(MonkeyTasks, AFullStackLeavesTheRestOnTheTable) {
  StandardFloor();
  ASSERT_EQ(LeavePlates(), 3);
  for (int i = 0; i < Monkey::kMaxDishes - 2; ++i) ASSERT_TRUE(mMonkey->AddDish(kItemCake));
  ClickTable(TableAt(0));
  ClickTable(TableAt(1));
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(mMonkey->GetDishCount(), Monkey::kMaxDishes);
  EXPECT_EQ(TablePlates(), 1);
  EXPECT_FALSE(mMonkey->AddDish(kItemPlate));
  EXPECT_EQ(mMonkey->GetDish(Monkey::kMaxDishes - 1), kItemPlate);
  // After a trip to the trash the last plate is fetched.
  ASSERT_TRUE(mMonkey->EnqueueToTrashStation());
  ClickTable(TableAt(0));
  ClickTable(TableAt(1));
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(TablePlates(), 0);
  EXPECT_EQ(mMonkey->GetDishCount(), 1);
}

struct TrashCase {
  const char* name;
  int carry;
  int dishes;
  const int* sound;  // bound only once the test runs
};

class Throwing : public MonkeyTasks, public ::testing::WithParamInterface<TrashCase> {};

TEST_P(Throwing, SoundsByWhatHeHolds) {
  const TrashCase& c = GetParam();
  StandardFloor();
  for (int i = 0; i < c.dishes; ++i) mMonkey->AddDish(kItemPlate);
  if (c.carry) mMonkey->PickUp(c.carry);
  Trash()->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToTrashStation());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(mMonkey->GetNode(), Node(kTrash));
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(Sounds(*c.sound), 1);
  EXPECT_EQ(Sounds(SOUND_GARBAGE_LARGE) + Sounds(SOUND_GARBAGE_MEDIUM), 1);
  EXPECT_EQ(Trash()->GetPending(), 0);
}

INSTANTIATE_TEST_SUITE_P(Loads, Throwing,
                         ::testing::Values(TrashCase{"ThreeDishes", 0, 3, &SOUND_GARBAGE_LARGE},
                                           TrashCase{"TwoDishes", 0, 2, &SOUND_GARBAGE_MEDIUM},
                                           TrashCase{"Napkin", Monkey::kCarryNapkin, 0, &SOUND_GARBAGE_MEDIUM},
                                           TrashCase{"Cookie", Monkey::kCarryCookie + 2, 0, &SOUND_GARBAGE_MEDIUM}),
                         [](const ::testing::TestParamInfo<TrashCase>& info) { return std::string(info.param.name); });

// ---- The counter tray ----

TEST_F(MonkeyTasks, TheTrayIsServedAndTheEmptyTrayGoesToTheTrash) {
  StandardFloor();
  Customer* c = Waiting(Cup(kItemVanilla));
  ASSERT_NE(c, nullptr);
  ASSERT_EQ(c->GetState(), Customer::kWaiting);
  ASSERT_TRUE(mBoard->GetCounter()->Add(Cup(kItemVanilla)));
  mBoard->mDishButton->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToCounterDish());
  ClickTable(c->GetTable());
  const int particles = mGame->GetParticleCount();
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(c->GetState(), Customer::kEating);
  EXPECT_EQ(Sounds(SOUND_PICK_UP_TRAY), 2);  // taken, then thrown away
  EXPECT_EQ(Trash()->GetLoad(), 1);
  EXPECT_EQ(mGame->GetParticleCount(), particles);  // an empty tray makes no smoke
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(mMonkey->GetNode(), Node(kTrash));
  EXPECT_EQ(mBoard->mDishButton->GetPending(), 0);
  EXPECT_EQ(c->GetTable()->GetPendingClicks(), 0);
}

TEST_F(MonkeyTasks, LeftoversSomeoneElseWantsStayOnTheTray) {
  StandardFloor();
  Customer* a = Waiting(Cup(kItemVanilla));
  Customer* b = Waiting(Cup(15));
  ASSERT_TRUE(a && b);
  ASSERT_NE(a->GetTable(), b->GetTable());
  ASSERT_TRUE(mBoard->GetCounter()->Add(Cup(kItemVanilla)));
  ASSERT_TRUE(mBoard->GetCounter()->Add(Cup(15)));
  mMonkey->PickUp(Monkey::kCarryTray, mBoard->GetCounter());
  mBoard->GetCounter()->Clear();
  ClickTable(a->GetTable());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(a->GetState(), Customer::kEating);
  EXPECT_EQ(b->GetState(), Customer::kWaiting);
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryTray);
  EXPECT_TRUE(b->GetReadyMark());
  // The counter, napkins and organ clicks are dropped while he holds it.
  for (AlphaButton* button : {static_cast<AlphaButton*>(mBoard->mDishButton.get()), mBoard->mNapkinsButton.get(),
                              mBoard->mOrganButton.get()})
    button->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToCounterDish());
  ASSERT_TRUE(mMonkey->EnqueueToNapkins());
  ASSERT_TRUE(mMonkey->EnqueueToBarrelOrgan());
  BarMovementNode* here = mMonkey->GetNode();
  Tick();
  EXPECT_EQ(mMonkey->GetTaskCount(), 0);
  EXPECT_EQ(mMonkey->GetNode(), here);
  EXPECT_EQ(mBoard->mDishButton->GetPending() + mBoard->mNapkinsButton->GetPending() +
                mBoard->mOrganButton->GetPending(),
            0);
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryTray);
}

TEST_F(MonkeyTasks, AnEmptyCounterWithNothingComingEndsTheErrand) {
  StandardFloor();
  mBoard->mDishButton->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToCounterDish());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(mMonkey->GetNode(), Node(kCounter));
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(mBoard->mDishButton->GetPending(), 0);
}

// While Rudav brings a cone to the counter, Vurez waits there and then
// takes everything at once.
TEST_F(MonkeyTasks, TheCounterErrandWaitsForWhatIsComing) {
  StandardFloor();
  ServingMonkey* rudav = mBoard->GetServingMonkey();
  ASSERT_TRUE(mBoard->GetCounter()->Add(Cup(kItemVanilla)));
  rudav->TakeItemToState4(Cup(15), 7);
  ASSERT_FALSE(mBoard->CanTakeCounterTray());
  mBoard->mDishButton->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToCounterDish());
  int waited = 0;
  for (int i = 0; i < 6000 && mMonkey->GetTaskCount() > 0; ++i) {
    rudav->Update();
    Tick();
    const bool atCounter = mMonkey->GetNode() == Node(kCounter) && mMonkey->GetTaskCount() > 0;
    if (atCounter && !mBoard->CanTakeCounterTray()) {
      ++waited;
      EXPECT_TRUE(mMonkey->HasEmptyHands());
    }
  }
  ASSERT_EQ(mMonkey->GetTaskCount(), 0);
  EXPECT_GT(waited, 0);
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryTray);
  int held = 0;
  for (int place = 0; place < ItemHolder::kPlaces; ++place) held += mMonkey->GetCarriedItems()->IsOccupied(place);
  EXPECT_EQ(held, 2);
  EXPECT_TRUE(mBoard->GetCounter()->IsEmpty());
  EXPECT_EQ(mBoard->mDishButton->GetPending(), 0);
}

// ---- Napkins, lemonade, cookies ----

TEST_F(MonkeyTasks, LemonadeWithEveryStockEmptyEndsWhereHeStands) {
  StandardFloor();
  for (auto& bottle : mBoard->mLemonadeButtons) bottle->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToLemonade());
  Tick();
  EXPECT_EQ(mMonkey->GetTaskCount(), 0);
  EXPECT_EQ(mMonkey->GetNode(), Node(kStage));
  for (auto& bottle : mBoard->mLemonadeButtons) EXPECT_EQ(bottle->GetPending(), 0);
}

TEST_F(MonkeyTasks, AStandEmptiedOnTheWayGivesNothing) {
  StandardFloor();
  mBoard->mCookies[0] = 1;
  mBoard->mCookiesButton->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToCookies());
  Tick(5);
  ASSERT_TRUE(mMonkey->IsRunning());
  EXPECT_EQ(mBoard->TakeCookie(), 7);
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(mMonkey->GetNode(), Node(kCookies));
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(mBoard->mCookiesButton->GetPending(), 0);
}

TEST_F(MonkeyTasks, TheCookieIsFromTheLastStockAndGoesToTheTable) {
  StandardFloor();
  mBoard->mCookies[0] = 2;
  mBoard->mCookies[2] = 1;
  ASSERT_TRUE(mMonkey->EnqueueToCookies());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryCookie + 2);
  EXPECT_EQ(mBoard->GetCookieCount(), 2);
  EXPECT_EQ(Sounds(SOUND_PICK_UP_COOKIE), 1);
  Customer* c = Waiting(Cup(kItemVanilla));
  ASSERT_NE(c, nullptr);
  ClickTable(c->GetTable());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(c->GetCookies(), 1);
}

TEST_F(MonkeyTasks, ANapkinWhileHoldingLemonadeGoesByTheTrash) {
  StandardFloor();
  mMonkey->PickUp(Monkey::kCarryLemonade);
  mBoard->mNapkinsButton->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToNapkins());
  bool visitedTrash = false;
  for (int i = 0; i < 6000 && mMonkey->GetTaskCount() > 0; ++i) {
    Tick();
    visitedTrash = visitedTrash || mMonkey->GetNode() == Node(kTrash);
  }
  EXPECT_TRUE(visitedTrash);
  EXPECT_EQ(Sounds(SOUND_GARBAGE_MEDIUM), 1);
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryNapkin);
  EXPECT_EQ(mBoard->mNapkinsButton->GetPending(), 0);
}

TEST_F(MonkeyTasks, ANapkinReachesTheGuestWhoWantsOne) {
  StandardFloor();
  mBoard->mLevelModeWord = 2;
  Customer* wisher = nullptr;
  for (int round = 0; round < 50 && !wisher; ++round) {
    Customer* c = Waiting(Cup(kItemVanilla));
    ASSERT_NE(c, nullptr);
    IceCream cup = c->GetOrder();
    c->ReceiveItem(&cup);
    for (int i = 0; i < 5000 && c->GetState() == Customer::kEating && !c->WantsNapkin(); ++i) c->Update();
    if (c->WantsNapkin()) {
      wisher = c;
    } else {
      c->GetTable()->RemoveCustomer(c);
      Manager().Clear();
    }
  }
  ASSERT_NE(wisher, nullptr) << "nobody asked for a napkin";
  // Asked at a table where nobody wants one, he keeps it.
  Table* other = wisher->GetTable() == TableAt(0) ? TableAt(1) : TableAt(0);
  ASSERT_TRUE(mMonkey->EnqueueToNapkins());
  ClickTable(other);
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryNapkin);
  ClickTable(wisher->GetTable());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(wisher->GetNapkins(), 1);
  EXPECT_FALSE(wisher->WantsNapkin());
  EXPECT_TRUE(Player().GetFlag(17));  // the napkin hint is seen
}

// ---- Entertainment ----

TEST_F(MonkeyTasks, JugglingFetchesTheBallsPerformsAndBringsThemBack) {
  StandardFloor(30);  // the day allows two levels of the player's three
  ASSERT_EQ(mBoard->mJugglingLevel, 2);
  AlphaButton* balls = mBoard->mJugglingButton.get();
  Customer* c = Waiting(Cup(kItemVanilla), 2);
  ASSERT_NE(c, nullptr);
  balls->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToJugglingBalls());
  bool hidden = false, fourBalls = false, onStage = false;
  for (int i = 0; i < 6000 && mMonkey->GetTaskCount() > 0; ++i) {
    Tick();
    if (!balls->IsVisible()) {
      hidden = true;
      EXPECT_EQ(balls->GetState(), 3);
    }
    if (mMonkey->IsPlaying(Monkey::kJuggleFour)) {
      fourBalls = true;
      onStage = mMonkey->GetNode() == Node(kStage);
    }
  }
  ASSERT_EQ(mMonkey->GetTaskCount(), 0);
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(fourBalls);  // the player's level three
  EXPECT_TRUE(onStage);
  EXPECT_TRUE(balls->IsVisible());
  EXPECT_NE(balls->GetState(), 3);
  EXPECT_EQ(balls->GetPending(), 0);
  EXPECT_EQ(c->GetJugglingShows(), 1);
  EXPECT_EQ(Sounds(SOUND_MONKEY_JUGGLING), 1);
  EXPECT_EQ(mMonkey->GetNode(), Node(kBalls));
  EXPECT_TRUE(mMonkey->HasEmptyHands());
}

// Without a way between the balls and the stage the errand used to fetch,
// throw away and fetch the balls for ever, lowering the badge each time.
struct NoRouteCase {
  const char* name;
  int unlinked;
};

class JugglingWithoutRoute : public MonkeyTasks, public ::testing::WithParamInterface<NoRouteCase> {};

TEST_P(JugglingWithoutRoute, GivesTheClickBackOnceAndGivesUp) {
  std::vector<bool> linked(10, true);
  linked[GetParam().unlinked] = false;
  Floor(StandardNodes(), 40, linked);
  AlphaButton* balls = mBoard->mJugglingButton.get();
  if (GetParam().unlinked == kStage) mMonkey->StandAtNode(Node(kBalls));
  balls->IncrementPending();
  balls->IncrementPending();  // a second click, still waiting
  ASSERT_TRUE(mMonkey->EnqueueToJugglingBalls());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(balls->GetPending(), 1);
  EXPECT_TRUE(balls->IsVisible());
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(Sounds(SOUND_GARBAGE_MEDIUM), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, JugglingWithoutRoute,
                         ::testing::Values(NoRouteCase{"NoWayToTheStage", MonkeyFixture::kStage},
                                           NoRouteCase{"NoWayToTheBalls", MonkeyFixture::kBalls}),
                         [](const ::testing::TestParamInfo<NoRouteCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(MonkeyTasks, TheOrganPlaysWhileEveryoneListens) {
  StandardFloor(20);  // level one of the player's three
  ASSERT_EQ(mBoard->mOrganLevel, 1);
  AlphaButton* organ = mBoard->mOrganButton.get();
  Customer* c = Waiting(Cup(kItemVanilla), 0);
  ASSERT_NE(c, nullptr);
  organ->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToBarrelOrgan());
  bool hidden = false;
  int playing = 0;
  for (int i = 0; i < 6000 && mMonkey->GetTaskCount() > 0; ++i) {
    Tick();
    hidden = hidden || !organ->IsVisible();
    if (mMonkey->IsPlaying(Monkey::kBarrelOrgan)) ++playing;
  }
  ASSERT_EQ(mMonkey->GetTaskCount(), 0);
  EXPECT_TRUE(hidden);
  EXPECT_EQ(playing, 19 * 10);  // nineteen frames of ten ticks
  EXPECT_TRUE(organ->IsVisible());
  EXPECT_EQ(organ->GetPending(), 0);
  EXPECT_EQ(c->GetOrganTunes(), 1);
  EXPECT_EQ(Sounds(SOUND_BARREL_ORGAN_1), 1);
  EXPECT_EQ(mMonkey->GetNode(), Node(kOrgan));
}

}  // namespace
}  // namespace Plix
