#include "game/board/BarMovementNode.h"
#include "game/board/Board.h"

namespace Plix {

BarMovementNode* Board::FindNodeByKind(int kind) { return FindWalkNodeByKind(mWalkNodes, kind); }

BarMovementNode* Board::FindNodeForObject(void* object) { return FindWalkNodeForObject(mWalkNodes, object); }

WalkPath* Board::BuildWalkPath(BarMovementNode* from, BarMovementNode* to) {
  return Plix::BuildWalkPath(mWalkNodes, from, to);
}

}  // namespace Plix
