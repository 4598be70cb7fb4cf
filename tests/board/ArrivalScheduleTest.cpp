#include "game/board/ArrivalSchedule.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/platform/CRand.h"

namespace Plix {
namespace {

ArrivalOrder Party(int code, int value) {
  ArrivalOrder o;
  o.SetGroupCode(code);
  for (int m = 0; m < 4; ++m) {
    o.SetMemberKind(m, m);
    o.SetMemberValue(m, value);
  }
  return o;
}

std::vector<int> Times(const ArrivalSchedule& s) {
  std::vector<int> times;
  ObjectListIterator it;
  for (it.Begin(s.GetOrders()); !it.AtEnd(); it.Next()) times.push_back(static_cast<ArrivalOrder*>(it.Get())->GetTime());
  return times;
}

// Seconds at which NextDue hands out each order, until the day ends.
std::vector<int> DueSeconds(ArrivalSchedule& s) {
  std::vector<int> seconds;
  for (int guard = 0; guard < 100000 && !s.IsOver(); ++guard)
    if (s.NextDue()) seconds.push_back(s.GetSecond());
  return seconds;
}

TEST(ArrivalSchedule, NewOrderIsZero) {
  ArrivalOrder o;
  EXPECT_EQ(o.GetTime(), 0);
  EXPECT_EQ(o.GetGroupCode(), 0);
  for (int m = 0; m < 4; ++m) {
    EXPECT_EQ(o.GetMemberKind(m), 0);
    EXPECT_EQ(o.GetMemberValue(m), 0);
  }
  EXPECT_FALSE(o.IsTaken());
}

TEST(ArrivalSchedule, OneSingleComesAtSecondTwo) {
  ArrivalSchedule s;
  s.AddOrder(Party(0, 1));
  s.SpreadOverDay(300);
  EXPECT_EQ(Times(s), std::vector<int>{2});
  EXPECT_EQ(DueSeconds(s), std::vector<int>{2});
  EXPECT_EQ(s.GetSecond(), 300);
  EXPECT_EQ(s.NextDue(), nullptr);  // the clock stops at the day's end
  EXPECT_EQ(s.GetSecond(), 300);
}

TEST(ArrivalSchedule, TwoSinglesSpreadOverTheDay) {
  ArrivalSchedule s;
  s.AddOrder(Party(0, 1));
  s.AddOrder(Party(0, 1));
  s.SpreadOverDay(300);
  EXPECT_EQ(Times(s), (std::vector<int>{2, 151}));
  EXPECT_EQ(s.GetDayLength(), 300);
}

TEST(ArrivalSchedule, LateOrdersArePulledTowardsTheBusyPart) {
  // Spread: 2, 26, 51, 75; the pull towards second 60 moves the last one
  // forward and the earlier ones back with a falling weight.
  ArrivalSchedule s;
  for (int i = 0; i < 4; ++i) s.AddOrder(Party(0, 1));
  s.SpreadOverDay(100);
  EXPECT_EQ(Times(s), (std::vector<int>{2, 32, 55, 68}));
}

TEST(ArrivalSchedule, ShuffleDrawsWithTheGameGenerator) {
  SRand(7);
  ArrivalSchedule s;
  for (int code = 0; code < 4; ++code) s.AddOrder(Party(code, 1));
  s.SpreadOverDay(300);
  std::vector<int> codes;
  ObjectListIterator it;
  for (it.Begin(s.GetOrders()); !it.AtEnd(); it.Next())
    codes.push_back(static_cast<ArrivalOrder*>(it.Get())->GetGroupCode());

  // The same draws by hand.
  SRand(7);
  std::vector<int> left{0, 1, 2, 3}, expected;
  for (int i = 0; i < 4; ++i) {
    int r = Rand() % static_cast<int>(left.size());
    expected.push_back(left[r]);
    left.erase(left.begin() + r);
  }
  EXPECT_EQ(codes, expected);
}

TEST(ArrivalSchedule, EntryNoOneComesFromTakesNoTime) {
  ArrivalSchedule s;
  s.AddOrder(Party(4, 1));
  s.AddOrder(Party(0, 1));
  s.SpreadOverDay(300);
  // Drawn first, the empty entry starts where the single does; drawn last,
  // it starts after the single's share and both are then pulled towards
  // second 180.
  std::vector<int> times = Times(s);
  EXPECT_TRUE(times == (std::vector<int>{2, 2}) || times == (std::vector<int>{82, 246})) << times[0] << " " << times[1];
  EXPECT_EQ(DueSeconds(s).size(), 2u);  // the empty entry is handed out like the others
}

TEST(ArrivalSchedule, OnlyEmptyEntriesStillSpread) {
  ArrivalSchedule s;
  s.AddOrder(Party(5, 1));
  s.SpreadOverDay(50);
  EXPECT_EQ(Times(s), std::vector<int>{2});
}

TEST(ArrivalSchedule, OneOrderPerSecond) {
  ArrivalSchedule s;
  ArrivalOrder a = Party(4, 0), b = Party(4, 0);
  s.AddOrder(a);
  s.AddOrder(b);
  s.SpreadOverDay(40);  // both empty entries are due at second 2
  EXPECT_EQ(DueSeconds(s), (std::vector<int>{2, 3}));
}

TEST(ArrivalSchedule, PostponeMakesTheOrderDueLater) {
  ArrivalSchedule s;
  s.AddOrder(Party(0, 1));
  s.SpreadOverDay(300);
  ArrivalOrder* order = nullptr;
  while (!order) order = s.NextDue();
  EXPECT_TRUE(order->IsTaken());
  EXPECT_EQ(s.GetCurrent(), nullptr);
  while (s.GetSecond() < 50) s.NextDue();
  s.Postpone(order, 5);
  EXPECT_EQ(order->GetTime(), 55);
  EXPECT_FALSE(order->IsTaken());
  EXPECT_EQ(s.GetCurrent(), order);
  EXPECT_FALSE(s.IsDone());
  std::vector<int> due = DueSeconds(s);
  EXPECT_EQ(due, std::vector<int>{55});
}

TEST(ArrivalSchedule, PostponedOrderGoesBackInTimeOrder) {
  ArrivalSchedule s;
  for (int i = 0; i < 3; ++i) s.AddOrder(Party(0, 1));
  s.SpreadOverDay(300);
  std::vector<int> times = Times(s);
  ArrivalOrder* first = nullptr;
  while (!first) first = s.NextDue();
  ASSERT_EQ(s.GetSecond(), times[0]);
  // Due after the second order and before the third.
  s.Postpone(first, times[1] + 1 - s.GetSecond());
  EXPECT_EQ(Times(s), (std::vector<int>{times[1], times[1] + 1, times[2]}));
  EXPECT_EQ(s.GetCurrent(), static_cast<ArrivalOrder*>(s.GetOrders().GetAt(0)));
  EXPECT_EQ(DueSeconds(s), (std::vector<int>{times[1], times[1] + 1, times[2]}));
}

TEST(ArrivalSchedule, EmptyScheduleIsOverFromTheStart) {
  ArrivalSchedule s;
  s.SpreadOverDay(300);
  EXPECT_EQ(s.GetDayLength(), 0);
  EXPECT_TRUE(s.IsOver());
  EXPECT_EQ(s.NextDue(), nullptr);
  EXPECT_EQ(s.GetCurrent(), nullptr);
  EXPECT_EQ(s.GetDayFraction(), 1.0f);
}

TEST(ArrivalSchedule, ClockAnswers) {
  ArrivalSchedule s;
  s.AddOrder(Party(0, 1));
  s.SpreadOverDay(200);
  for (int i = 0; i < 50; ++i) s.NextDue();
  EXPECT_EQ(s.GetSecondsLeft(), 150);
  EXPECT_FLOAT_EQ(s.GetDayFraction(), 0.25f);
  EXPECT_FALSE(s.IsOver());
  s.Clear();
  EXPECT_TRUE(s.GetOrders().IsEmpty());
}

}  // namespace
}  // namespace Plix
