// The floor's fixed paths, the depth order of the draw list and the
// clearing before a layout is loaded.
#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/Graphics.h"
#include "game/board/Table.h"
#include "game/board/WalkPath.h"
#include "tests/board/BoardTestSupport.h"
#include "tests/game/GameTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

// Stands at a base line and notes when it is drawn.
class Marker : public ZObject {
public:
  Marker(std::string& drawn, char name, int baseY) : mDrawn(drawn), mName(name), mBaseY(baseY) {}
  int GetBaseY() override { return mBaseY; }
  void Draw(Graphics&) override { mDrawn += mName; }

private:
  std::string& mDrawn;
  char mName;
  int mBaseY;
};

TEST_F(BoardFixture, WalkPathsAlongTheCounterAndTheBench) {
  Board board(*mGame, 0, -1);
  ASSERT_NE(board.GetCounterWalkPath(), nullptr);
  EXPECT_EQ(board.GetCounterWalkPath()->GetSegmentCount(), 15);
  EXPECT_EQ(board.GetBenchWalkPath()->GetSegmentCount(), 11);
  PathSegment* first = board.GetCounterWalkPath()->GetSegment(0);
  EXPECT_EQ(first->GetStartX(), 0.0f);
  EXPECT_EQ(first->GetStartY(), 598.0f);
  PathSegment* last = board.GetBenchWalkPath()->GetSegment(10);
  EXPECT_EQ(last->GetEndX(), 771.0f);
  EXPECT_EQ(last->GetEndY(), 679.0f);
}

TEST_F(BoardFixture, DrawListKeepsDepthOrder) {
  Board board(*mGame, 0, -1);
  std::string drawn;
  Marker a(drawn, 'a', 300), b(drawn, 'b', 300), c(drawn, 'c', 100), d(drawn, 'd', 500), e(drawn, 'e', 300);
  for (ZObject* o : {static_cast<ZObject*>(&a), static_cast<ZObject*>(&b), static_cast<ZObject*>(&c),
                     static_cast<ZObject*>(&d), static_cast<ZObject*>(&e)})
    board.AddToDrawList(o);
  auto image = Testing::FilledImage(1, 1, 0);
  Graphics g(image.get());
  board.DrawDrawList(g);
  EXPECT_EQ(drawn, "cabed");  // equal lines in the order they came
  board.RemoveFromDrawList(&b);
  drawn.clear();
  board.DrawDrawList(g);
  EXPECT_EQ(drawn, "caed");
  board.ClearFloor();
  drawn.clear();
  board.DrawDrawList(g);
  EXPECT_EQ(drawn, "");
}

TEST_F(BoardFixture, ClearFloorDeletesNodesAndTables) {
  Board board(*mGame, 0, -1);
  board.ClearFloor();  // an empty floor: nothing to do
  board.mWalkNodes[0] = new BarMovementNode();
  board.mWalkNodes[5] = new BarMovementNode();
  board.GetTables().PushBack(new Table(&board, 2));
  board.mOverlayDecorations[0] = board.mWalkNodes[5];
  board.mOverlayCount = 1;
  board.mAreaImages[3] = board.mAreaBackground;
  board.ClearFloor();
  for (BarMovementNode* node : board.mWalkNodes) EXPECT_EQ(node, nullptr);
  EXPECT_TRUE(board.GetTables().IsEmpty());
  EXPECT_EQ(board.mOverlayCount, 0);
  EXPECT_EQ(board.mOverlayDecorations[0], nullptr);
  EXPECT_EQ(board.GetShadowColor(), Color(0, 0, 0, 64));
}

}  // namespace
}  // namespace Plix
