// A story day on each area's shipped floor, driven through the seams the
// day logic uses: the schedule makes parties due once a second, the
// customer manager seats them or the party is postponed, and customers no
// one serves leave again when their patience runs out.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "framework/platform/CRand.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Table.h"
#include "game/characters/CustomerManager.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

class ShippedFloorDay : public Testing::BoardFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ShippedFloorDay, FillsTheTablesAndEmptiesThemAgain) {
  const int area = GetParam();
  const std::string floor = "data/area" + std::to_string(area) + ".len";
  int day = -1;
  // The area's last day, its busiest.
  for (int i = 0; i < mGame->GetLevelCount(); ++i)
    if (floor == mGame->GetLevel(i)->environmentFile) day = i;
  ASSERT_GE(day, 0) << floor;
  const LevelRecord& level = *mGame->GetLevel(day);

  Board board(*mGame, 0, day);
  // Seeded after the board is built: what its construction draws does not
  // change the day.
  SRand(1234);
  board.mLevelModeWord = level.customerMode;
  board.mArrivalSchedule = std::make_unique<ArrivalSchedule>();
  ArrivalSchedule& schedule = *board.mArrivalSchedule;
  int kind = 0;
  for (int size = 4; size >= 1; --size)
    for (int g = 0; g < level.groupCounts[size - 1]; ++g) {
      ArrivalOrder order;
      order.SetGroupCode(size - 1);
      for (int m = 0; m < size; ++m) {
        order.SetMemberKind(m, kind++ % 7);
        order.SetMemberValue(m, 1);
      }
      schedule.AddOrder(order);
    }
  schedule.SpreadOverDay(level.arrivalSpan);
  ASSERT_TRUE(board.LoadEnvironment(floor.c_str()));
  ASSERT_GT(board.mTables.GetCount(), 0);

  CustomerManager& manager = *board.GetCustomerManager();
  std::set<Table*> used;
  int handedOut = 0, mostSeated = 0;
  for (int second = 0; second < 5000; ++second) {
    if (ArrivalOrder* order = schedule.NextDue()) {
      ++handedOut;
      if (!manager.SpawnCustomer(order)) schedule.Postpone(order, 4 + Rand() % 4);
    }
    for (int tick = 0; tick < 100; ++tick) manager.Update();
    ObjectListIterator it;
    for (it.Begin(board.mTables); !it.AtEnd(); it.Next()) {
      auto* table = static_cast<Table*>(it.Get());
      if (table->CountFreeSeats() < table->GetKind()) used.insert(table);
    }
    mostSeated = std::max(mostSeated, manager.Count());
    if (schedule.IsOver() && schedule.GetCurrent() == nullptr && manager.Count() == 0) break;
  }
  EXPECT_TRUE(schedule.IsOver());
  EXPECT_EQ(schedule.GetCurrent(), nullptr) << "a party never came";
  EXPECT_GE(handedOut, schedule.GetOrders().GetCount());
  EXPECT_EQ(static_cast<int>(used.size()), board.mTables.GetCount()) << "a table nobody sat at";
  EXPECT_GT(mostSeated, 1);
  EXPECT_EQ(manager.Count(), 0);
  ObjectListIterator it;
  for (it.Begin(board.mTables); !it.AtEnd(); it.Next()) EXPECT_TRUE(static_cast<Table*>(it.Get())->IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Areas, ShippedFloorDay, ::testing::Range(1, 7),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Area" + std::to_string(info.param);
                         });

}  // namespace
}  // namespace Plix
