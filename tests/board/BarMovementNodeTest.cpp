// The walk network: finding nodes in the board's table, the route search
// and its ties, and the decoration nodes.
#include "game/board/BarMovementNode.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "game/board/WalkPath.h"
#include "tests/board/ItemTestSupport.h"

namespace Plix {
namespace {

using Point = std::pair<float, float>;

// A board's node table.
struct Network {
  BarMovementNode* Add(float x, float y, int32_t kind = 0) {
    auto* node = new BarMovementNode();
    node->SetPosition(x, y);
    node->SetKind(kind);
    owned.emplace_back(node);
    for (BarMovementNode*& slot : table) {
      if (!slot) {
        slot = node;
        break;
      }
    }
    return node;
  }
  std::vector<Point> Route(BarMovementNode* from, BarMovementNode* to) {
    std::unique_ptr<WalkPath> path(BuildWalkPath(table, from, to));
    std::vector<Point> points;
    if (!path) return points;
    if (path->GetSegmentCount() == 0) {
      points.emplace_back(path->GetX(), path->GetY());
      return points;
    }
    points.emplace_back(path->GetSegment(0)->GetStartX(), path->GetSegment(0)->GetStartY());
    for (int i = 0; i < path->GetSegmentCount(); ++i)
      points.emplace_back(path->GetSegment(i)->GetEndX(), path->GetSegment(i)->GetEndY());
    return points;
  }

  BarMovementNode* table[kMaxWalkNodes] = {};
  std::vector<std::unique_ptr<BarMovementNode>> owned;
};

TEST(WalkNetwork, NoRouteToItselfOrWithoutANode) {
  Network n;
  BarMovementNode* a = n.Add(0, 0);
  BarMovementNode* b = n.Add(10, 0);
  a->AddLink(b);
  EXPECT_EQ(BuildWalkPath(n.table, a, a), nullptr);
  EXPECT_EQ(BuildWalkPath(n.table, nullptr, b), nullptr);
  EXPECT_EQ(BuildWalkPath(n.table, a, nullptr), nullptr);
}

TEST(WalkNetwork, LinksLeadOneWayOnly) {
  Network n;
  BarMovementNode* a = n.Add(0, 0);
  BarMovementNode* b = n.Add(10, 0);
  BarMovementNode* lonely = n.Add(50, 50);  // nothing leads here
  b->AddLink(a);
  a->AddLink(a);  // a link to itself leads nowhere new
  EXPECT_TRUE(n.Route(a, b).empty());
  EXPECT_TRUE(n.Route(b, lonely).empty());
  EXPECT_EQ(n.Route(b, a), (std::vector<Point>{{10, 0}, {0, 0}}));
}

TEST(WalkNetwork, EqualRoutesGoThroughTheEarlierLink) {
  for (bool acrossFirst : {true, false}) {
    Network n;
    BarMovementNode* s = n.Add(0, 0);
    BarMovementNode* across = n.Add(10, 0);
    BarMovementNode* down = n.Add(0, 10);
    BarMovementNode* t = n.Add(10, 10);
    s->AddLink(acrossFirst ? across : down);
    s->AddLink(acrossFirst ? down : across);
    across->AddLink(t);
    down->AddLink(t);
    const std::vector<Point> viaAcross{{0, 0}, {10, 0}, {10, 10}};
    const std::vector<Point> viaDown{{0, 0}, {0, 10}, {10, 10}};
    EXPECT_EQ(n.Route(s, t), acrossFirst ? viaAcross : viaDown);
  }
}

TEST(WalkNetwork, AShorterRouteFoundLaterWins) {
  Network n;
  BarMovementNode* s = n.Add(0, 0);
  BarMovementNode* far = n.Add(0, 50);
  BarMovementNode* mid = n.Add(40, 50);
  BarMovementNode* near = n.Add(5, 0);
  BarMovementNode* t = n.Add(10, 0);
  s->AddLink(far);
  far->AddLink(mid);
  mid->AddLink(t);
  s->AddLink(near);
  near->AddLink(t);
  far->AddLink(s);  // a cycle of positive length
  EXPECT_EQ(n.Route(s, t), (std::vector<Point>{{0, 0}, {5, 0}, {10, 0}}));
  std::unique_ptr<WalkPath> path(BuildWalkPath(n.table, s, t));
  ASSERT_TRUE(path);
  EXPECT_FLOAT_EQ(path->GetTotalLength(), 10);
}

TEST(WalkNetwork, EverySearchStartsFromFreshDistances) {
  Network n;
  BarMovementNode* from = n.Add(0, -100);
  BarMovementNode* s = n.Add(0, 0);
  BarMovementNode* a = n.Add(10, 0);
  BarMovementNode* t = n.Add(10, 10);
  from->AddLink(s);
  s->AddLink(a);
  a->AddLink(t);
  EXPECT_EQ(n.Route(s, t).size(), 3u);
  // The first search left s at distance 0; this one reaches it at 100.
  EXPECT_EQ(n.Route(from, t), (std::vector<Point>{{0, -100}, {0, 0}, {10, 0}, {10, 10}}));
}

TEST(WalkNetwork, LinkedNodesAtOnePositionEndTheSearch) {
  Network n;
  BarMovementNode* a = n.Add(5, 5);
  BarMovementNode* b = n.Add(5, 5);
  BarMovementNode* t = n.Add(20, 5);
  BarMovementNode* unreachable = n.Add(90, 90);
  a->AddLink(b);
  b->AddLink(a);
  EXPECT_TRUE(n.Route(a, unreachable).empty());
  b->AddLink(t);
  // The shared position appears once in the path.
  EXPECT_EQ(n.Route(a, t), (std::vector<Point>{{5, 5}, {20, 5}}));
  EXPECT_EQ(n.Route(a, b), (std::vector<Point>{{5, 5}}));
}

TEST(WalkNetwork, FindInTheTableUpToTheFirstEmptySlot) {
  Network n;
  int table = 0;
  int station = 0;
  BarMovementNode* first = n.Add(0, 0, 3);
  BarMovementNode* second = n.Add(1, 0, 4);
  BarMovementNode* third = n.Add(2, 0, 4);
  second->SetObject(&table);
  EXPECT_EQ(FindWalkNodeByKind(n.table, 4), second);
  EXPECT_EQ(FindWalkNodeByKind(n.table, 3), first);
  EXPECT_EQ(FindWalkNodeByKind(n.table, 9), nullptr);
  EXPECT_EQ(FindWalkNodeForObject(n.table, &table), second);
  EXPECT_EQ(FindWalkNodeForObject(n.table, &station), nullptr);
  // A node after a gap is not found.
  BarMovementNode late;
  late.SetKind(9);
  late.SetObject(&station);
  n.table[5] = &late;
  EXPECT_EQ(FindWalkNodeByKind(n.table, 9), nullptr);
  EXPECT_EQ(FindWalkNodeForObject(n.table, &station), nullptr);
  n.table[3] = third;
  n.table[4] = third;
  EXPECT_EQ(FindWalkNodeByKind(n.table, 9), &late);
  n.table[5] = nullptr;
}

TEST(WalkNetwork, DecorationNodesStandAndDrawByTheirImage) {
  auto image = Testing::GridImage(30, 40);
  BarMovementNode node;
  node.SetPosition(100.7f, 200.9f);
  node.SetObject(image.get());
  EXPECT_EQ(node.GetBaseY(), 0);
  Testing::BlitLog log;
  Graphics g(&log);
  node.Draw(g);
  EXPECT_TRUE(log.mCalls.empty());

  node.SetKind(BarMovementNode::kDecorationKind);
  EXPECT_EQ(node.GetBaseY(), 240);
  node.Draw(g);
  ASSERT_EQ(log.mCalls.size(), 1u);
  EXPECT_EQ(log.mCalls[0].image, image.get());
  EXPECT_EQ(log.mCalls[0].x, 100);
  EXPECT_EQ(log.mCalls[0].y, 200);
}

}  // namespace
}  // namespace Plix
