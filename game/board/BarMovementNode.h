#pragma once
// The floor's walk network: a node at each table, station and way point,
// with directed links to other nodes, and the search for the shortest
// city-block route between two nodes. A node of kind 12 carries a
// decoration image and joins the depth-sorted drawing.
#include <cstdint>

#include "game/app/ObjectList.h"
#include "game/app/ZObject.h"

namespace Plix {

class Graphics;
class WalkPath;

class BarMovementNode : public ZObject {
public:
  static constexpr int32_t kDecorationKind = 12;

  BarMovementNode() = default;
  // Linked nodes are not deleted.
  ~BarMovementNode() override;

  // Kind 12: the foot of its image; else 0.
  int GetBaseY() override;
  // Kind 12: its image; else nothing.
  void Draw(Graphics& g) override;

  void SetPosition(float x, float y) {
    mX = x;
    mY = y;
  }
  float GetX() const { return mX; }
  float GetY() const { return mY; }
  void SetKind(int32_t kind) { mKind = kind; }
  int32_t GetKind() const { return mKind; }
  // A table, a station, or for kind 12 the decoration's Image.
  void SetObject(void* object) { mObject = object; }
  void* GetObject() const { return mObject; }
  // Directed: a link from this node to `node`, after the earlier ones.
  void AddLink(BarMovementNode* node) { mLinks.PushBack(node); }
  const ObjectList& GetLinks() const { return mLinks; }
  float GetSearchDistance() const { return mSearchDistance; }
  void SetSearchDistance(float distance) { mSearchDistance = distance; }

private:
  ObjectList mLinks;
  float mX = 0;
  float mY = 0;
  int32_t mKind = 0;
  void* mObject = nullptr;
  float mSearchDistance = 0;
};

// The board's table of walk nodes, filled from the first slot; the first
// empty slot ends it.
constexpr int kMaxWalkNodes = 64;

// The first node of the table with the kind; null when the table ends first.
BarMovementNode* FindWalkNodeByKind(BarMovementNode* const (&nodes)[kMaxWalkNodes], int32_t kind);
// The first node of the table holding the object.
BarMovementNode* FindWalkNodeForObject(BarMovementNode* const (&nodes)[kMaxWalkNodes], const void* object);
// The shortest route from one node to another through the node positions,
// as a new path the caller owns; among equal routes the one through the
// earlier links. Null when a node is missing, both are one node or the
// target cannot be reached.
WalkPath* BuildWalkPath(BarMovementNode* const (&nodes)[kMaxWalkNodes], BarMovementNode* from, BarMovementNode* to);

}  // namespace Plix
