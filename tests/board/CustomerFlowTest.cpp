// Happy Hour's queue on a board of its own: where customers stand, how
// they wait, leave and close up, who gets an ice cream, and how a lost game
// empties the queue.
#include "game/board/CustomerFlow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/platform/CRand.h"
#include "framework/platform/DebugOutput.h"
#include "game/board/Board.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

class CustomerFlowTest : public Testing::BoardFixture {
protected:
  // A board of the mode whose queue runs 300 px left from the counter,
  // then 300 px up.
  CustomerFlow& MakeFlow(int mode = 1) {
    SRand(77);
    mBoard = std::make_unique<Board>(*mGame, mode, -1);
    mBoard->mLivesLeft = 3;
    CustomerFlow& flow = *mBoard->GetCustomerFlow();
    flow.AddPathPoint(600, 400);
    flow.AddPathPoint(300, 400);
    flow.AddPathPoint(300, 100);
    return flow;
  }
  void TearDown() override {
    mBoard.reset();
    BoardFixture::TearDown();
  }

  // How far along the path from the counter a customer stands.
  static float Distance(const FlowCustomer& c) {
    const PathCursor& at = c.GetCursor();
    return at.GetY() == 400.0f ? 600.0f - at.GetX() : 300.0f + (400.0f - at.GetY());
  }
  // Head first, as the list holds them.
  static std::vector<FlowCustomer*> Queue(CustomerFlow& flow) {
    std::vector<FlowCustomer*> out;
    ObjectListIterator it;
    for (it.Begin(flow.GetCustomers()); !it.AtEnd(); it.Next()) out.push_back(static_cast<FlowCustomer*>(it.Get()));
    return out;
  }
  static void Run(CustomerFlow& flow, int ticks) {
    for (int i = 0; i < ticks; ++i) flow.Update();
  }
  // Adds customers (first in line first) and lets them all start waiting.
  static std::vector<FlowCustomer*> AddWaiting(CustomerFlow& flow, int count) {
    for (int i = 0; i < count; ++i) EXPECT_TRUE(flow.AddCustomer(6));
    Run(flow, 100);
    std::vector<FlowCustomer*> queue = Queue(flow);
    for (FlowCustomer* c : queue) EXPECT_EQ(c->GetState(), FlowCustomer::kWaiting);
    return {queue.rbegin(), queue.rend()};
  }
  static IceCream VanillaCone() {
    IceCream item = IceCream::CreateOfKind(kItemCone);
    item.AddScoop(kItemVanilla);
    return item;
  }

  std::unique_ptr<Board> mBoard;
};

TEST_F(CustomerFlowTest, CustomersQueueFiftySixPixelsApartAndTheEleventhIsRefused) {
  CustomerFlow& flow = MakeFlow();
  for (int i = 0; i < CustomerFlow::kMaxCustomers; ++i) {
    ASSERT_TRUE(flow.AddCustomer(i % 7));
    const FlowCustomer& newest = *Queue(flow).front();
    EXPECT_FLOAT_EQ(Distance(newest), 56.0f * static_cast<float>(i)) << i;
    EXPECT_EQ(newest.GetQueuePos(), i);
  }
  EXPECT_FALSE(flow.AddCustomer(0));
  EXPECT_EQ(flow.GetCount(), 10);
}

TEST_F(CustomerFlowTest, ANewcomerWithoutRoomOnThePathIsDropped) {
  SRand(1);
  mBoard = std::make_unique<Board>(*mGame, 2, -1);
  CustomerFlow& flow = *mBoard->GetCustomerFlow();
  flow.AddPathPoint(200, 300);
  flow.AddPathPoint(100, 300);
  std::string debug;
  SetDebugOutputSink([&](const std::string& text) { debug += text; });
  EXPECT_TRUE(flow.AddCustomer(1));
  EXPECT_TRUE(flow.AddCustomer(1));
  EXPECT_EQ(debug, "");
  EXPECT_TRUE(flow.AddCustomer(1));
  SetDebugOutputSink(nullptr);
  EXPECT_EQ(debug, "Could not add customer\n");
  EXPECT_EQ(flow.GetCount(), 2);
  EXPECT_FLOAT_EQ(Queue(flow).back()->GetCursor().GetX(), 200.0f);
}

TEST_F(CustomerFlowTest, ACustomerBeyondItsPlaceFadesInButWaitsOnlyOnceTheQueueMovesUp) {
  CustomerFlow& flow = MakeFlow();
  for (int i = 0; i < 4; ++i) flow.AddCustomer(6);
  flow.AddCustomer(0);  // the old man takes part from place 3 on
  FlowCustomer* late = Queue(flow).front();
  ASSERT_EQ(late->GetQueuePos(), 4);
  Run(flow, 400);
  EXPECT_EQ(late->GetState(), FlowCustomer::kFadingIn);
  EXPECT_EQ(late->GetAlpha(), 255);
  EXPECT_FLOAT_EQ(late->GetMood(), 100.0f);

  mBoard->mLivesLeft = 3;
  Queue(flow).back()->ChangeMood(-200.0f);
  EXPECT_EQ(mBoard->mLivesLeft, 2);
  for (int i = 0; i < 200 && flow.GetCount() == 5; ++i) flow.Update();
  ASSERT_EQ(flow.GetCount(), 4);
  EXPECT_EQ(late->GetQueuePos(), 3);
  Run(flow, 200);
  EXPECT_EQ(late->GetState(), FlowCustomer::kWaiting);
}

TEST_F(CustomerFlowTest, AWaitingCustomerLosesItsKindsMoodEverySecondAndNoneOnceServed) {
  const struct {
    int mode;
    int kind;
    float loss;
  } cases[] = {{1, 0, 2.25f}, {2, 3, 2.8f}, {3, 6, 3.6f}};
  for (const auto& c : cases) {
    CustomerFlow& flow = MakeFlow(c.mode);
    flow.AddCustomer(c.kind);
    FlowCustomer& customer = *Queue(flow).front();
    int ticks = 0;
    while (customer.GetState() == FlowCustomer::kFadingIn && ticks < 1000) {
      flow.Update();
      ++ticks;
    }
    Run(flow, 300);
    EXPECT_FLOAT_EQ(customer.GetMood(), 100.0f - 3.0f * c.loss) << c.mode;
    customer.SetServed();
    Run(flow, 1000);
    EXPECT_FLOAT_EQ(customer.GetMood(), 100.0f - 3.0f * c.loss) << c.mode;
    EXPECT_EQ(customer.GetShownAnimation(), nullptr);
  }
}

TEST_F(CustomerFlowTest, ACustomerLeavingAtMoodZeroCheersTheOthersUnlessTheGameIsLost) {
  for (const bool lost : {false, true}) {
    CustomerFlow& flow = MakeFlow();
    std::vector<FlowCustomer*> line = AddWaiting(flow, 3);
    line[1]->ChangeMood(-60.0f);
    line[2]->ChangeMood(-5.0f);
    if (lost) {
      // Nobody else is sent away before the angry one has gone.
      line[1]->SetServed();
      line[2]->SetServed();
      flow.SetLost();
    }
    line[0]->ChangeMood(-150.0f);
    EXPECT_EQ(line[0]->GetState(), FlowCustomer::kLeavingAngry);
    EXPECT_EQ(mBoard->mLivesLeft, 2);
    float before[2] = {};
    for (int i = 0; i < 200 && flow.GetCount() == 3; ++i) {
      before[0] = line[1]->GetMood();
      before[1] = line[2]->GetMood();
      flow.Update();
    }
    ASSERT_EQ(flow.GetCount(), 2) << lost;
    EXPECT_FLOAT_EQ(line[1]->GetMood(), lost ? before[0] : before[0] + 30.0f) << lost;
    EXPECT_FLOAT_EQ(line[2]->GetMood(), lost ? before[1] : 100.0f) << lost;
    EXPECT_EQ(line[1]->GetQueuePos(), 0);
    EXPECT_EQ(line[2]->GetQueuePos(), 1);
  }
}

TEST_F(CustomerFlowTest, WhenTheFirstInLineLeavesTheOthersWalkUpAPlaceAtAStrollingPace) {
  CustomerFlow& flow = MakeFlow();
  std::vector<FlowCustomer*> line = AddWaiting(flow, 3);
  IceCream item = VanillaCone();
  line[0]->SetServed();
  line[0]->LeaveHappy(&item);
  for (int i = 0; i < 200 && flow.GetCount() == 3; ++i) flow.Update();
  ASSERT_EQ(flow.GetCount(), 2);
  EXPECT_FLOAT_EQ(Distance(*line[1]), 56.0f);
  flow.Update();
  EXPECT_FLOAT_EQ(Distance(*line[1]), 54.5f);
  EXPECT_FLOAT_EQ(Distance(*line[2]), 110.5f);
  Run(flow, 40);
  EXPECT_NEAR(Distance(*line[1]), 0.0f, 0.01f);
  EXPECT_NEAR(Distance(*line[2]), 56.0f, 0.01f);
  // Someone joining now stands right behind the last one.
  flow.AddCustomer(2);
  EXPECT_NEAR(Distance(*Queue(flow).front()), 112.0f, 0.01f);
}

TEST_F(CustomerFlowTest, AnIceCreamGoesToTheLeastPatientWaitingCustomerTheNewerOnATie) {
  const struct {
    const char* name;
    float moodDrops[3];  // first in line first
    bool served[3];
    int chosen;  // -1 none
  } cases[] = {
      {"equal moods: the newer", {60, 60, 10}, {false, false, false}, 1},
      {"the lowest mood", {70, 20, 40}, {false, false, false}, 0},
      {"being served: not again", {70, 20, 40}, {true, false, false}, 2},
      {"nobody waiting", {0, 0, 0}, {true, true, true}, -1},
  };
  for (const auto& c : cases) {
    CustomerFlow& flow = MakeFlow();
    std::vector<FlowCustomer*> line = AddWaiting(flow, 3);
    for (int i = 0; i < 3; ++i) {
      line[i]->SetOrder(VanillaCone());
      line[i]->ChangeMood(-c.moodDrops[i]);
      if (c.served[i]) line[i]->SetServed();
    }
    const IceCream item = VanillaCone();
    EXPECT_EQ(flow.FindCustomerFor(&item), c.chosen < 0 ? nullptr : line[c.chosen]) << c.name;
    IceCream other = VanillaCone();
    other.AddScoop(kItemVanilla);
    EXPECT_EQ(flow.FindCustomerFor(&other), nullptr) << c.name;
  }
}

TEST_F(CustomerFlowTest, HappyLeavesWithinThreeHundredTicksBuildAStreakThatDelaysArrivals) {
  CustomerFlow& flow = MakeFlow();
  std::vector<FlowCustomer*> line = AddWaiting(flow, 4);
  IceCream item = VanillaCone();
  const struct {
    int gap;
    int streak;
    int delay;
  } steps[] = {{0, 0, 0}, {299, 1, 10}, {299, 2, 20}, {300, 0, 0}};
  // The first leave comes long after the start: it begins no streak.
  Run(flow, 300 - flow.GetTicksSinceHappy());
  for (int i = 0; i < 4; ++i) {
    Run(flow, steps[i].gap);
    mBoard->mTicksToNextArrival = 500;
    line[i]->SetServed();
    line[i]->LeaveHappy(&item);
    EXPECT_EQ(flow.GetStreak(), steps[i].streak) << i;
    EXPECT_EQ(mBoard->mTicksToNextArrival, 500 + steps[i].delay) << i;
  }
}

TEST_F(CustomerFlowTest, ALostGameSendsOneAwayEveryFiftyTicksButNotThoseAnIceCreamIsFlyingTo) {
  CustomerFlow& flow = MakeFlow();
  std::vector<FlowCustomer*> line = AddWaiting(flow, 4);
  line[2]->SetServed();
  IceCream item = VanillaCone();
  // Slow enough to land after everyone else has been sent away.
  FlyingIceCream flight(item, 400.0f, 550.0f, 0.002f, line[2]);
  flow.SetLost();
  EXPECT_FALSE(flow.AddCustomer(0));

  std::vector<int> angryAt;  // until the ice cream lands
  bool landed = false;
  int tick = 0;
  for (; tick < 2000 && !flow.IsOver(); ++tick) {
    std::vector<FlowCustomer*> queue = Queue(flow);
    std::vector<int> statesBefore;
    for (FlowCustomer* c : queue) statesBefore.push_back(c->GetState());
    flow.Update();
    for (size_t i = 0; i < queue.size() && !landed; ++i)
      if (flow.GetCustomers().Contains(queue[i]) && statesBefore[i] != FlowCustomer::kLeavingAngry &&
          queue[i]->GetState() == FlowCustomer::kLeavingAngry)
        angryAt.push_back(tick);
    if (!landed && flight.Update(1.0f)) {
      landed = true;
      ASSERT_TRUE(flow.GetCustomers().Contains(line[2]));
      flow.HandOver(flight.GetTarget(), &flight);
      EXPECT_EQ(line[2]->GetState(), FlowCustomer::kLeavingHappy);
    }
    EXPECT_EQ(flow.IsOver(), flow.GetCustomers().IsEmpty());
  }
  EXPECT_TRUE(flow.IsOver());
  EXPECT_TRUE(landed);
  EXPECT_EQ(angryAt, (std::vector<int>{49, 99, 149}));
  EXPECT_GT(tick, 500);
}

}  // namespace
}  // namespace Plix
