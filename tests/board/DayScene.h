#pragma once
// A busy moment of a story day, built through the board's own seams: the
// area's floor, the arrival schedule run to a time of day, every seat
// taken (most waiting with their wish in a cloud, some eating), the counter
// full, things in the air and a notice. Deterministic for a seed: the
// pictures of such a moment are compared with golden images, and the day
// benchmark draws one.
#include <memory>
#include <string>

#include "framework/platform/CRand.h"
#include "game/app/GameApp.h"
#include "game/app/PlayerProfile.h"
#include "game/app/GameResources.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/CustomerFlow.h"
#include "game/board/EventSchedule.h"
#include "game/board/IceCream.h"
#include "game/board/ItemHolder.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerManager.h"

namespace Plix::Testing {

struct DayMoment {
  int area = 1;
  float dayFraction = 0.35f;  // how much of the day's arrivals is over
  bool closed = false;        // the arrivals are over and the sign is out
  uint32_t seed = 1;
};

// The last story day played on the area's floor: its busiest.
inline int LastDayOfArea(GameApp& app, int area) {
  const std::string floor = "data/area" + std::to_string(area) + ".len";
  int day = -1;
  for (int i = 0; i < app.GetLevelCount(); ++i)
    if (floor == app.GetLevel(i)->environmentFile) day = i;
  return day;
}

inline IceCream SceneOrder(int i) {
  IceCream item;
  switch (i % 7) {
    case 0:
      item.SetKind(kItemCone);
      item.AddScoop(kItemVanilla + 1);
      item.AddScoop(kItemVanilla + 2);
      break;
    case 1:
      item.SetKind(kItemCup);
      item.AddScoop(kItemVanilla + 3);
      item.SetTopping(kItemFirstTopping);
      item.UpdateSize();
      break;
    case 2:
      item.SetKind(kItemPlate);
      for (int s = 0; s < 3; ++s) item.AddScoop(kItemVanilla + s);
      break;
    case 3: item = IceCream::CreateOfKind(kItemSpecialCup); break;
    case 4: item = IceCream::CreateOfKind(kItemBananaSplit); break;
    case 5: item = IceCream::CreateOfKind(kItemCake); break;
    default:
      item.SetKind(kItemCone);
      item.AddScoop(kItemVanilla + 4);
      item.SetDecoration(kItemUmbrella);
      break;
  }
  return item;
}

// Null when the area's floor cannot be read.
inline std::unique_ptr<Board> MakeDayMoment(GameApp& app, const DayMoment& moment) {
  SRand(moment.seed);
  app.ClearParticles();
  const int day = LastDayOfArea(app, moment.area);
  if (day < 0) return nullptr;
  const LevelRecord& level = *app.GetLevel(day);
  auto board = std::make_unique<Board>(app, 0, day);
  board->mLevelModeWord = level.customerMode;
  board->mArrivalSchedule = std::make_unique<ArrivalSchedule>();
  ArrivalSchedule& schedule = *board->mArrivalSchedule;
  for (int i = 0; i < 12; ++i) {
    ArrivalOrder order;
    order.SetGroupCode(i % 4);
    schedule.AddOrder(order);
  }
  schedule.SpreadOverDay(level.arrivalSpan);
  if (!board->LoadEnvironment(level.environmentFile)) return nullptr;
  const int seconds = moment.closed ? level.arrivalSpan : static_cast<int>(level.arrivalSpan * moment.dayFraction);
  for (int s = 0; s < seconds; ++s) schedule.NextDue();

  // The clock's passed hours have faded out; the rest are lit.
  const int hours = static_cast<int>(12.0f * schedule.GetDayFraction());
  for (int i = 0; i < 12; ++i) board->mStoryDayFlags[i] = (i >= 1 && i <= hours) || (hours >= 12 && i == 0) ? 0 : 255;
  board->mIntroCountdown = 0.0f;
  board->mClosedSignPos = moment.closed ? 722 : 800;

  // Every seat taken; the customers choose, and every third is eating.
  CustomerManager& manager = *board->GetCustomerManager();
  // Near closing time the shop is emptying.
  const int guests = moment.closed ? 5 : 40;
  for (int i = 0; i < guests; ++i)
    if (!manager.SpawnCustomerOfKind(i % 7, SceneOrder(i))) break;
  ObjectListIterator it;
  int n = 0;
  for (it.Begin(manager.GetCustomers()); !it.AtEnd(); it.Next(), ++n) {
    auto* c = static_cast<Customer*>(it.Get());
    for (int t = 0; t < 3000 && (c->GetState() == Customer::kChoosing || c->GetAlpha() < 255); ++t) c->Update();
    if (n % 3 == 2) {
      IceCream served = c->GetOrder();
      c->ReceiveItem(&served);
      for (int t = 0; t < 30; ++t) c->Update();
    } else if (n % 4 == 1) {
      c->SetReadyMark(true);
    }
    // The clouds have faded in.
    for (int t = 0; t < 60; ++t) c->Update();
  }

  // A laden belt: five containers on their way, most with scoops on.
  Conveyor& belt = *board->GetConveyor();
  for (int kind : {kItemCone, kItemCup, kItemPlate, kItemSpecialCup, kItemCone}) belt.AddItem(kind, false);
  for (int t = 0; t < 1000; ++t) {  // the belt is slow on the first days
    belt.Update();
    belt.Move(1.0f);
  }
  ObjectListIterator onBelt;
  int k = 0;
  for (onBelt.Begin(belt.GetContainers()); !onBelt.AtEnd(); onBelt.Next(), ++k) {
    IceCream* item = static_cast<ConveyorContainer*>(onBelt.Get())->GetItem();
    if (k % 2 == 0 && item->AddScoop(kItemVanilla + k % 6) && k == 0) item->AddExtra(kItemFirstTopping + 1);
  }

  ItemHolder& counter = *board->GetCounter();
  // Four ice creams of one place each fill it: two cones, a cup and a
  // sundae glass.
  for (int i : {0, 1, 3, 6}) counter.Add(SceneOrder(i));

  PlayerProfile* profile = app.GetCurrentProfile();
  if (profile) profile->SetReputationStars(2);
  board->mGoldenIceCreams = 1;
  board->mMoney = moment.closed ? 412 : 187;
  board->mShownMoney = board->mMoney;
  board->mGoal = 300;
  board->mExpertGoal = 450;
  board->mShownMoneyTarget = board->mMoney >= board->mGoal ? board->mExpertGoal : board->mGoal;

  board->StartGoldenIceCreamFlight(200.0f, 420.0f);
  for (int t = 0; t < 25; ++t) board->UpdateGoldenIceCreamFlight();
  board->ShowNotice(moment.closed ? IMAGE_SPLENDID : IMAGE_SECOND_ORDER, 420, 250, false);
  for (int t = 0; t < 40; ++t)
    for (BoardNotice& notice : board->mNotices) notice.Update();
  board->mMoneyPopups[0].Start(12, 300, 300.0f);
  for (int t = 0; t < 20; ++t) board->mMoneyPopups[0].Update();
  return board;
}

// A Happy Hour game of normal difficulty some minutes in: what the
// timetable has unlocked by then on the stations, a queue of customers who
// came as the game brings them (the first in line waiting longest, so the
// moods differ), an ice cream flying to one of them, the bar with the
// clock, a life lost and the best-seller place being chased. Null when the
// floor cannot be read.
inline std::unique_ptr<Board> MakeHappyHourMoment(GameApp& app, uint32_t seed, int seconds = 150) {
  SRand(seed);
  app.ClearParticles();
  auto board = std::make_unique<Board>(app, 2, 0);
  board->SetUpHappyHour();
  if (board->IsFloorMissing() || !board->mCrowdSchedule) return nullptr;
  board->mSeconds = seconds;
  for (int i = 0; i < 10000 && board->mCrowdSchedule->GetClock() < seconds; ++i) board->UpdateHappyHourUnlocks();
  // Half a minute of arrivals at that hour; the stations that appeared
  // have finished their entrance meanwhile.
  CustomerFlow& flow = *board->GetCustomerFlow();
  for (int t = 0; t < 3000 && flow.GetCount() < 6; ++t) board->UpdateHappyHourLogic();
  // The first in line have waited long; their faces have turned by now.
  int place = 0;
  const float moodLoss[] = {25.0f, 12.0f};
  for (int i = flow.GetCount() - 1; i >= 0 && place < 2; --i, ++place)
    static_cast<FlowCustomer*>(flow.GetCustomers().GetAt(i))->ChangeMood(-moodLoss[place]);
  for (int t = 0; t < 70; ++t) board->UpdateHappyHourLogic();
  app.ClearParticles();

  // An ice cream on its way to the first in line.
  ObjectListIterator it;
  FlowCustomer* first = nullptr;
  for (it.Begin(flow.GetCustomers()); !it.AtEnd(); it.Next()) first = static_cast<FlowCustomer*>(it.Get());
  if (first) {
    IceCream item = first->GetOrder();
    first->SetServed();
    auto* flying = new FlyingIceCream(item, 640.0f, 420.0f, 0.01f, first);
    for (int t = 0; t < 40; ++t) flying->Update(1.0f);
    board->mFlyingIceCreams.PushBack(flying);
  }

  board->mIntroCountdown = 0.0f;
  board->mLivesLeft = 2;
  board->mMoney = board->mShownMoney = 265;
  board->mHiscorePlace = 6;
  board->mNextHiscore = board->mShownMoneyTarget = 300;
  return board;
}

}  // namespace Plix::Testing
