// Story customers at their tables: seating, splitting and postponing
// parties, moods, orders, napkins, treats and shows by kind.
#include <gtest/gtest.h>

#include <string>

#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/IceCream.h"
#include "game/board/Table.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerKinds.h"
#include "game/characters/CustomerManager.h"
#include "framework/platform/CRand.h"
#include "tests/board/BoardTestSupport.h"
#include "tests/characters/MonkeyTestSupport.h"

namespace Plix {
namespace {

class Customers : public Testing::BoardFixture {
protected:
  // A story board on a floor of the given tables ("1 2 4": one table of
  // each size), in that order.
  Board& Floor(const std::string& seats, int day = 5) {
    std::string records, links;
    int n = 0;
    for (char c : seats) {
      if (c == ' ') continue;
      records += "1 " + std::to_string(40 + 150 * n) + " 200 " + std::string(1, c) + " 0\n";
      links += "0\n";
      ++n;
    }
    const std::string path = mDir / "tables.len";
    Testing::WriteFile(path, "1 " + std::to_string(n) + "\n" + records + links);
    mBoard = std::make_unique<Board>(*mGame, 0, day);
    EXPECT_TRUE(mBoard->LoadEnvironment(path.c_str()));
    return *mBoard;
  }
  Table* TableAt(int i) { return static_cast<Table*>(mBoard->mTables.GetAt(i)); }
  CustomerManager& Manager() { return *mBoard->GetCustomerManager(); }
  Customer* CustomerAt(int i) { return static_cast<Customer*>(Manager().GetCustomers().GetAt(i)); }
  static ArrivalOrder Party(int members, int kind = 0) {
    ArrivalOrder o;
    o.SetGroupCode(members - 1);
    for (int m = 0; m < 4; ++m) {
      o.SetMemberKind(m, kind + m);
      o.SetMemberValue(m, 1);
    }
    return o;
  }
  // Seats a preset customer at a table's free seat by filling the others.
  Customer* Preset(int kind = 0) {
    return Manager().SpawnCustomerOfKind(kind, IceCream::CreateOfKind(kItemCup));
  }
  void Run(Customer* c, int updates) {
    for (int i = 0; i < updates; ++i) c->Update();
  }
  // Runs the customer until its choosing is over.
  void ChooseAndWait(Customer* c) {
    for (int i = 0; i < 2000 && c->GetState() == Customer::kChoosing; ++i) c->Update();
    ASSERT_EQ(c->GetState(), Customer::kWaiting);
  }

  std::unique_ptr<Board> mBoard;
};

struct SeatingCase {
  const char* name;
  const char* tables;
  int members;
  bool placed;
  int tableIndex;  // where the first member sits; -1 none
};

class Seating : public Customers, public ::testing::WithParamInterface<SeatingCase> {};

TEST_P(Seating, PartyBySize) {
  const SeatingCase& c = GetParam();
  Floor(c.tables);
  ArrivalOrder order = Party(c.members);
  EXPECT_EQ(Manager().SpawnCustomer(&order), c.placed);
  if (c.tableIndex < 0) {
    EXPECT_EQ(Manager().Count(), 0);
    return;
  }
  ASSERT_GE(Manager().Count(), 1);
  EXPECT_EQ(CustomerAt(0)->GetTable(), TableAt(c.tableIndex));
  if (c.placed) {
    EXPECT_EQ(Manager().Count(), c.members);
    for (int i = 0; i < c.members; ++i) EXPECT_EQ(CustomerAt(i)->GetKindCode(), i);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Seating,
    ::testing::Values(SeatingCase{"SingleTakesTheOneSeatTable", "4 2 1", 1, true, 2},
                      SeatingCase{"SingleThenTwoSeats", "4 2", 1, true, 1},
                      SeatingCase{"SingleThenFourSeats", "4", 1, true, 0},
                      SeatingCase{"PairAtAnEmptyTwoSeatTable", "4 2", 2, true, 1},
                      SeatingCase{"PairAtFourSeats", "4 1", 2, true, 0},
                      SeatingCase{"ThreeAtFourSeats", "2 4", 3, true, 1},
                      SeatingCase{"FourAtAnEmptyFourSeatTable", "4", 4, true, 0},
                      // Split: the first member sits alone where a single may.
                      SeatingCase{"ThreeWithoutFourSeatsSplits", "2 1", 3, false, 1},
                      SeatingCase{"FourWithoutRoomSendsOneAhead", "1", 4, false, 0},
                      SeatingCase{"NoTableAtAll", "", 1, false, -1}),
    [](const ::testing::TestParamInfo<SeatingCase>& info) { return std::string(info.param.name); });

TEST_F(Customers, SplitPartyWaitsAsTheRestOfItself) {
  Floor("1 2");
  ArrivalOrder pair = Party(2);
  ASSERT_TRUE(Manager().SpawnCustomer(&pair));  // the two-seat table is taken
  ArrivalOrder order = Party(3, 2);
  EXPECT_FALSE(Manager().SpawnCustomer(&order));
  // The first member (kind 2) sat alone at the one-seat table; kinds 3 and 4
  // wait as a pair.
  ASSERT_EQ(Manager().Count(), 3);
  EXPECT_EQ(CustomerAt(2)->GetKindCode(), 2);
  EXPECT_EQ(CustomerAt(2)->GetTable(), TableAt(0));
  EXPECT_EQ(CustomerAt(2)->GetGroup(), 0);
  EXPECT_EQ(order.GetGroupCode(), 1);
  EXPECT_EQ(order.GetMemberKind(0), 3);
  EXPECT_EQ(order.GetMemberKind(1), 4);
  // No place for the pair either: the next one goes ahead only with a seat.
  EXPECT_FALSE(Manager().SpawnCustomer(&order));
  EXPECT_EQ(order.GetGroupCode(), 1);
}

// The party being placed decides, not the schedule's next arrival: a member
// split off a party of four never sits alone at a four-seat table, even when
// the next arrival is a single.
TEST_F(Customers, SplitMemberOfFourNeverTakesAFourSeatTable) {
  Board& board = Floor("4");
  Customer* sitting = Preset();  // two seats fewer: no room for a party of four
  Customer* sitting2 = Preset();
  ASSERT_NE(sitting2, nullptr);
  board.mArrivalSchedule = std::make_unique<ArrivalSchedule>();
  board.mArrivalSchedule->AddOrder(Party(1));
  board.mArrivalSchedule->SpreadOverDay(100);
  ASSERT_NE(board.mArrivalSchedule->GetCurrent(), nullptr);
  ArrivalOrder four = Party(4);
  EXPECT_FALSE(Manager().SpawnCustomer(&four));
  EXPECT_EQ(Manager().Count(), 2);
  EXPECT_EQ(four.GetGroupCode(), 3);  // nothing was taken from it
  ArrivalOrder single = Party(1);
  EXPECT_TRUE(Manager().SpawnCustomer(&single));  // a real single may
  EXPECT_EQ(sitting->GetTable(), TableAt(0));
}

TEST_F(Customers, GroupIdsRunToAHundredAndWrap) {
  Floor("");
  for (int i = 1; i < 100; ++i) Manager().NextGroupId();
  EXPECT_EQ(Manager().PeekGroupId(), 100);
  EXPECT_EQ(Manager().NextGroupId(), 1);
  EXPECT_FALSE(Manager().CanGroupReorder(1));  // no customers
}

TEST_F(Customers, WaitingLosesMoodByKindAndArea) {
  Floor("1 1");
  Customer* lady = Manager().SpawnCustomerOfKind(5, IceCream::CreateOfKind(kItemCup));
  ASSERT_NE(lady, nullptr);
  ChooseAndWait(lady);
  EXPECT_EQ(lady->GetOrder().GetKind(), kItemCup);  // the preset order stays
  const float start = lady->GetMood();
  Run(lady, 1000);
  // Ten losses of 1.15 x the park's 1.1.
  EXPECT_NEAR(lady->GetMood(), start - 10 * 1.15f * 1.1f, 0.01f);
  lady->SetReadyMark(true);
  const float marked = lady->GetMood();
  Run(lady, 1000);
  EXPECT_NEAR(lady->GetMood(), marked - 5 * 1.15f * 1.1f, 0.01f);
}

TEST_F(Customers, ServedCustomerEatsPaysAndLeaves) {
  Floor("1");
  Customer* c = Manager().SpawnCustomerOfKind(0, IceCream::CreateOfKind(kItemPlate));
  ChooseAndWait(c);
  Run(c, 1799 - c->GetWaited());
  IceCream plate = c->GetOrder();
  ASSERT_TRUE(c->MatchesOrderExactly(&plate));
  c->ReceiveItem(&plate);
  EXPECT_EQ(c->GetState(), Customer::kEating);
  EXPECT_FALSE(c->MatchesOrder(&plate));
  EXPECT_EQ(c->GetPrice(), plate.GetBasePrice());
  EXPECT_EQ(c->GetMoney(), plate.GetPrice() - plate.GetBasePrice() + 2);  // 17 hundreds waited: fast
  bool over = false;
  for (int i = 0; i < 20000 && !over; ++i) {
    if (c->WantsNapkin()) TableAt(0)->GiveNapkin();
    over = c->Update();
  }
  ASSERT_TRUE(over);  // a preset customer never orders again
  EXPECT_EQ(c->GetState(), Customer::kLeaving);
  EXPECT_EQ(TableAt(0)->GetDish(0), kItemPlate);
  EXPECT_EQ(TableAt(0)->CountFreeSeats(), 0);  // the dish keeps the seat
}

TEST_F(Customers, FastServiceEndsAtEighteenHundred) {
  Floor("1");
  Customer* c = Preset();
  ChooseAndWait(c);
  Run(c, 1800 - c->GetWaited());
  ASSERT_EQ(c->GetWaited(), 1800);
  IceCream cup = c->GetOrder();
  c->ReceiveItem(&cup);
  EXPECT_EQ(c->GetMoney(), cup.GetPrice() - cup.GetBasePrice());
}

TEST_F(Customers, MoodStaysWithinItsRange) {
  Floor("1");
  Customer* c = Preset();
  c->ChangeMood(500.0f);
  EXPECT_EQ(c->GetMood(), 100.0f);
  c->ChangeMood(-500.0f);
  EXPECT_EQ(c->GetMood(), 0.0f);
}

TEST_F(Customers, NoNapkinWishesOnACoolDay) {
  Floor("1");
  mBoard->mLevelModeWord = -1;
  for (int round = 0; round < 20; ++round) {
    Customer* c = Preset();
    ChooseAndWait(c);
    IceCream cup = c->GetOrder();
    c->ReceiveItem(&cup);
    for (int i = 0; i < 5000 && c->GetState() == Customer::kEating; ++i) {
      c->Update();
      ASSERT_FALSE(c->WantsNapkin());
    }
    TableAt(0)->RemoveCustomer(c);
    TableAt(0)->TakeItem();
    Manager().Clear();
  }
}

TEST_F(Customers, NapkinWishWaitsForTheNapkin) {
  Floor("1");
  mBoard->mLevelModeWord = 2;
  Customer* wisher = nullptr;
  for (int round = 0; round < 50 && !wisher; ++round) {
    Customer* c = Preset();
    ChooseAndWait(c);
    IceCream cup = c->GetOrder();
    c->ReceiveItem(&cup);
    const float before = c->GetMood();
    for (int i = 0; i < 5000 && c->GetState() == Customer::kEating && !c->WantsNapkin(); ++i) c->Update();
    if (c->WantsNapkin()) {
      EXPECT_NEAR(c->GetMood(), std::min(100.0f, before + 20.0f), 1.0f);
      wisher = c;
      break;
    }
    TableAt(0)->RemoveCustomer(c);
    TableAt(0)->TakeItem();
    Manager().Clear();
  }
  ASSERT_NE(wisher, nullptr);
  EXPECT_TRUE(TableAt(0)->AnyCustomerWantsNapkin());
  Run(wisher, 3000);
  EXPECT_EQ(wisher->GetState(), Customer::kEating);  // still waiting for it
  EXPECT_TRUE(TableAt(0)->GiveNapkin());
  EXPECT_FALSE(wisher->WantsNapkin());
  EXPECT_EQ(wisher->GetNapkins(), 1);
  EXPECT_EQ(wisher->GetState(), Customer::kFinished);
  EXPECT_FALSE(TableAt(0)->GiveNapkin());
}

struct TreatCase {
  int kind;
  int cookies;
  int lemonades;
};

class Treats : public Customers, public ::testing::WithParamInterface<TreatCase> {};

TEST_P(Treats, TakenUpToTheKindsLimit) {
  const TreatCase& t = GetParam();
  Floor("1");
  Customer* c = Manager().SpawnCustomerOfKind(t.kind, IceCream::CreateOfKind(kItemCup));
  EXPECT_FALSE(c->CanTakeCookie());  // not while choosing
  ChooseAndWait(c);
  int cookies = 0, lemonades = 0;
  while (cookies < 10 && TableAt(0)->GiveCookie(1)) ++cookies;
  while (lemonades < 10 && TableAt(0)->GiveLemonade(1)) ++lemonades;
  EXPECT_EQ(cookies, t.cookies);
  EXPECT_EQ(lemonades, t.lemonades);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Treats,
                         ::testing::Values(TreatCase{0, 3, 2}, TreatCase{1, 0, 1}, TreatCase{2, 4, 4},
                                           TreatCase{3, 2, 1}, TreatCase{4, 2, 2}, TreatCase{5, 3, 1},
                                           TreatCase{6, 1, 2}),
                         [](const ::testing::TestParamInfo<TreatCase>& info) {
                           return "Kind" + std::to_string(info.param.kind);
                         });

TEST_F(Customers, OnlyTheFirstShowPleases) {
  Floor("1");
  Customer* boy = Manager().SpawnCustomerOfKind(2, IceCream::CreateOfKind(kItemCup));
  boy->ChangeMood(-50.0f);
  const float before = boy->GetMood();
  const int money = boy->GetMoney();
  Manager().ShowJuggling(2);
  EXPECT_FLOAT_EQ(boy->GetMood(), before + 2 * 15.0f + 10.0f);
  EXPECT_EQ(boy->GetMoney(), money + 1);
  Manager().ShowJuggling(2);
  EXPECT_FLOAT_EQ(boy->GetMood(), before + 2 * 15.0f + 10.0f);
  EXPECT_EQ(boy->GetJugglingShows(), 2);
}

TEST_F(Customers, DadGainsNothingFromTheOrgan) {
  Floor("1");
  Customer* dad = Manager().SpawnCustomerOfKind(4, IceCream::CreateOfKind(kItemCup));
  const int money = dad->GetMoney();
  Manager().PlayBarrelOrgan(1);
  EXPECT_EQ(dad->GetMoney(), money);
  EXPECT_EQ(dad->GetOrganTunes(), 1);
}

TEST_F(Customers, OldManAndLadyChooseFasterEarly) {
  Floor("1 1", 1);
  for (int kind : {0, 5}) {
    Customer* c = Manager().SpawnCustomerOfKind(kind, IceCream::CreateOfKind(kItemCup));
    ASSERT_NE(c, nullptr);
    EXPECT_LT(c->GetChooseTime(), kind == 0 ? 550 : 450) << kind;
  }
}

TEST_F(Customers, UnknownKindIsAnOldMan) {
  Floor("1");
  ArrivalOrder order = Party(1, 9);
  ASSERT_TRUE(Manager().SpawnCustomer(&order));
  EXPECT_EQ(CustomerAt(0)->GetKindCode(), 0);
}

TEST_F(Customers, TableAppealCountsFreeSeatsDishesAndDressing) {
  Floor("2 2");
  EXPECT_EQ(TableAt(0)->GetAppeal(), 4);
  Customer* c = Manager().SpawnCustomerOfKind(0, IceCream::CreateOfKind(kItemCup));
  Table* taken = c->GetTable();
  EXPECT_EQ(taken->GetAppeal(), 2);
  Table* other = taken == TableAt(0) ? TableAt(1) : TableAt(0);
  other->SetFlowerLevel(1);
  EXPECT_EQ(other->GetAppeal(), 4 + 1);  // one table has fewer flowers
  other->SetSunshadeLevel(2);
  EXPECT_EQ(other->GetAppeal(), 4 + 1 + 2);
}


// ---- With Vurez serving ----

class CustomersWithVurez : public Testing::MonkeyFixture {
protected:
  // The order goes onto the counter; Vurez takes the tray to the table.
  void Serve(Customer* c) {
    ASSERT_TRUE(mBoard->GetCounter()->Add(c->GetOrder()));
    ASSERT_TRUE(mMonkey->EnqueueToCounterDish());
    ASSERT_TRUE(mMonkey->EnqueueToTable(c->GetTable()));
    ASSERT_TRUE(TickUntilDone());
    ASSERT_EQ(c->GetState(), Customer::kEating);
    EXPECT_TRUE(mBoard->GetCounter()->IsEmpty());
  }
  void Choose(Customer* c) {
    for (int i = 0; i < 3000 && c->GetState() == Customer::kChoosing; ++i) Manager().Update();
    ASSERT_EQ(c->GetState(), Customer::kWaiting);
  }
  static ArrivalOrder Single() {
    ArrivalOrder o;
    o.SetGroupCode(0);
    o.SetMemberKind(0, 0);
    o.SetMemberValue(0, 1);
    return o;
  }
};

TEST_F(CustomersWithVurez, TheTrayFromTheCounterFeedsTheCustomer) {
  StandardFloor();
  mBoard->mLevelModeWord = -1;
  ArrivalOrder order = Single();
  ASSERT_TRUE(Manager().SpawnCustomer(&order));
  Customer* c = static_cast<Customer*>(Manager().GetCustomers().GetAt(0));
  Choose(c);
  EXPECT_FALSE(c->GetReadyMark());
  ASSERT_TRUE(mBoard->GetCounter()->Add(c->GetOrder()));
  mBoard->MarkCustomersWithReadyOrders();
  EXPECT_TRUE(c->GetReadyMark());  // his order waits on the counter
  mBoard->GetCounter()->Clear();
  Serve(c);
  EXPECT_EQ(c->GetPrice(), c->GetOrder().GetBasePrice());
  EXPECT_TRUE(mMonkey->HasEmptyHands());  // the empty tray went to the trash
}

// A customer content enough may order once more; Vurez serves the second
// order too, and there is no third.
TEST_F(CustomersWithVurez, AReorderIsServedAgainAndThereIsNoThird) {
  StandardFloor();
  mBoard->mLevelModeWord = -1;
  Customer* c = nullptr;
  for (int visit = 0; visit < 40 && !c; ++visit) {
    ArrivalOrder order = Single();
    ASSERT_TRUE(Manager().SpawnCustomer(&order));
    Customer* guest = static_cast<Customer*>(Manager().GetCustomers().GetAt(0));
    Choose(guest);
    Serve(guest);
    for (int i = 0; i < 20000 && Manager().Count() > 0 && guest->GetState() != Customer::kChoosing; ++i)
      Manager().Update();
    if (Manager().Count() > 0 && guest->GetState() == Customer::kChoosing) c = guest;
    for (int i = 0; i < 2; ++i) TableAt(i)->TakeItem();
  }
  ASSERT_NE(c, nullptr) << "nobody ordered again";
  EXPECT_TRUE(c->HasReordered());
  Choose(c);
  Serve(c);
  bool again = false;
  for (int i = 0; i < 20000 && Manager().Count() > 0; ++i) {
    Manager().Update();
    if (Manager().Count() > 0 && c->GetState() == Customer::kChoosing) again = true;
  }
  EXPECT_FALSE(again);
  EXPECT_EQ(Manager().Count(), 0);
}

// A dish left without its customer blinks: full for fifty ticks, down to
// a hundred, back up; a seat still taken keeps its dish steady. Vurez
// clearing the table ends it.
TEST_F(CustomersWithVurez, AForgottenDishBlinksUntilItIsCleared) {
  StandardFloor();
  Customer* c = Manager().SpawnCustomerOfKind(0, IceCream::CreateOfKind(kItemPlate));
  ASSERT_NE(c, nullptr);
  Table* table = c->GetTable();
  table->PlaceDish(c);
  int seat = 0;
  while (table->GetDish(seat) == 0) ++seat;
  for (int i = 0; i < 100; ++i) table->UpdateDishes();
  EXPECT_EQ(table->GetDishAlpha(seat), 255);  // its customer still sits there
  table->RemoveCustomer(c);
  int low = 255, high = 0, firstDrop = -1;
  for (int i = 0; i < 400; ++i) {
    table->UpdateDishes();
    const int alpha = table->GetDishAlpha(seat);
    if (alpha < 255 && firstDrop < 0) firstDrop = i;
    low = std::min(low, alpha);
    if (low == 100) high = std::max(high, alpha);
  }
  EXPECT_EQ(firstDrop, 50);
  EXPECT_EQ(low, 100);
  EXPECT_EQ(high, 255);
  EXPECT_GT(table->GetDirtyTicks(), 0);
  ASSERT_TRUE(mMonkey->EnqueueToTable(table));
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(table->CountItems(), 0);
  table->UpdateDishes();
  EXPECT_EQ(table->GetDirtyTicks(), 0);
}

}  // namespace
}  // namespace Plix
