#include "game/board/BarMovementNode.h"

#include <cmath>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/board/WalkPath.h"

namespace Plix {

BarMovementNode::~BarMovementNode() { mLinks.Clear(); }

int BarMovementNode::GetBaseY() {
  if (mKind != kDecorationKind) return 0;
  auto* image = static_cast<Image*>(mObject);
  return static_cast<int>(mY) + (image ? image->GetHeight() : 0);
}

void BarMovementNode::Draw(Graphics& g) {
  if (mKind != kDecorationKind || !mObject) return;
  g.DrawImage(static_cast<Image*>(mObject), static_cast<int>(mX), static_cast<int>(mY));
}

BarMovementNode* FindWalkNodeByKind(BarMovementNode* const (&nodes)[kMaxWalkNodes], int32_t kind) {
  for (BarMovementNode* node : nodes) {
    if (!node) break;
    if (node->GetKind() == kind) return node;
  }
  return nullptr;
}

BarMovementNode* FindWalkNodeForObject(BarMovementNode* const (&nodes)[kMaxWalkNodes], const void* object) {
  for (BarMovementNode* node : nodes) {
    if (!node) break;
    if (node->GetObject() == object) return node;
  }
  return nullptr;
}

namespace {

constexpr float kFarAway = 100000.0f;

// A depth-first search that prunes every branch no shorter than the best
// route so far or than an earlier visit of its node.
class RouteSearch {
public:
  bool Search(BarMovementNode* node, BarMovementNode* target, float distance);

  float mBestDistance = kFarAway;
  bool mFound = false;
  // The best route, start first.
  PointList mRoute;

private:
  bool OnCurrentRoute(const BarMovementNode* node) const {
    for (const BarMovementNode* n : mPath)
      if (n == node) return true;
    return false;
  }

  // The nodes from the start to the one being searched. Linked nodes at one
  // position would otherwise pass each other the same distance forever.
  std::vector<const BarMovementNode*> mPath;
};

bool RouteSearch::Search(BarMovementNode* node, BarMovementNode* target, float distance) {
  if (distance > node->GetSearchDistance()) return false;
  if (mFound && !(distance < mBestDistance)) return false;
  node->SetSearchDistance(distance);
  if (node == target) {
    mRoute.Clear();
    mBestDistance = distance;
    mFound = true;
    mRoute.PushFront(node->GetX(), node->GetY());
    return true;
  }
  mPath.push_back(node);
  bool reached = false;
  ObjectListIterator it;
  for (it.Begin(node->GetLinks()); !it.AtEnd(); it.Next()) {
    auto* next = static_cast<BarMovementNode*>(it.Get());
    if (OnCurrentRoute(next)) continue;
    const float step = std::fabs(next->GetX() - node->GetX()) + std::fabs(next->GetY() - node->GetY());
    if (Search(next, target, distance + step)) {
      mRoute.PushFront(node->GetX(), node->GetY());
      reached = true;
    }
  }
  mPath.pop_back();
  return reached;
}

}  // namespace

WalkPath* BuildWalkPath(BarMovementNode* const (&nodes)[kMaxWalkNodes], BarMovementNode* from, BarMovementNode* to) {
  if (!from || !to || from == to) return nullptr;
  for (BarMovementNode* node : nodes) {
    if (!node) break;
    node->SetSearchDistance(kFarAway);
  }
  RouteSearch search;
  if (!search.Search(from, to, 0.0f)) return nullptr;
  auto* path = new WalkPath();
  ObjectListIterator it;
  for (it.Begin(search.mRoute); !it.AtEnd(); it.NextPoint()) {
    float x = 0;
    float y = 0;
    it.GetPoint(x, y);
    path->AddPoint(x, y);
  }
  return path;
}

}  // namespace Plix
