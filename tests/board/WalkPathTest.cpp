// Tracks on the floor: straight pieces, a path's own walker and cursors
// that share a path's pieces.
#include "game/board/WalkPath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Plix {
namespace {

struct FacingCase {
  float x0, y0, x1, y1;
  bool hasLength;
  int32_t forward;
  int32_t backward;
};

TEST(PathSegment, FacingsFromTheDirection) {
  const FacingCase cases[] = {
      {0, 0, 10, 10, true, kFacingRight, kFacingLeft},   // a diagonal counts as horizontal
      {5, 5, 5, 0, true, kFacingUp, kFacingDown},         //
      {0, 0, -10, 0, true, kFacingLeft, kFacingRight},    //
      {0, 0, -10, -10, true, kFacingLeft, kFacingRight},  //
      {0, 0, 3, 10, true, kFacingDown, kFacingUp},        //
      {7, 7, 7, 7, false, kFacingNone, kFacingNone},      //
  };
  for (const FacingCase& c : cases) {
    PathSegment s(c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(s.ComputeDirection(), c.hasLength) << c.x1 << "," << c.y1;
    EXPECT_EQ(s.GetDirection(), c.forward) << c.x1 << "," << c.y1;
    EXPECT_EQ(s.GetBackwardDirection(), c.backward) << c.x1 << "," << c.y1;
  }
  EXPECT_EQ(PathSegment(7, 7, 7, 7).GetReciprocalLength(), 0);
  EXPECT_FLOAT_EQ(PathSegment(0, 0, 3, 4).GetLength(), 5);
}

TEST(PathSegment, AdvanceStopsAtTheEndAndPointsClampOnlyWhenAsked) {
  PathSegment s(0, 0, 10, 0);
  EXPECT_FALSE(s.Advance(4));
  EXPECT_FLOAT_EQ(s.GetProgress(), 0.4f);
  EXPECT_TRUE(s.Advance(7));
  EXPECT_EQ(s.GetProgress(), 1);
  EXPECT_TRUE(s.Advance(0));
  s.SetProgress(1.5f);
  EXPECT_FLOAT_EQ(s.GetCurrentX(), 15);
  EXPECT_FLOAT_EQ(s.GetXAt(1.5f), 10);
  EXPECT_FLOAT_EQ(s.GetXAt(-1), 0);
  s.Reset();
  EXPECT_EQ(s.GetEndX(), 0);
  EXPECT_EQ(s.GetDirection(), 0);
}

TEST(WalkPath, PointsMakePieces) {
  WalkPath path;
  EXPECT_EQ(path.GetX(), -1);
  EXPECT_EQ(path.GetY(), -1);
  path.AddPoint(3, 4);
  EXPECT_EQ(path.GetSegmentCount(), 0);
  EXPECT_EQ(path.GetX(), 3);
  // One point: no piece; Start stays there, GoToEnd changes nothing and
  // there is nowhere to walk.
  path.Start();
  EXPECT_EQ(path.GetX(), 3);
  EXPECT_EQ(path.GetY(), 4);
  path.GoToEnd();
  EXPECT_EQ(path.GetX(), 3);
  EXPECT_EQ(path.GetProgress(), 0);
  EXPECT_TRUE(path.Advance(5));

  path.AddPoint(3, 4);
  EXPECT_EQ(path.GetSegmentCount(), 0);
  path.AddPoint(6, 8);
  path.AddPoint(6, 8);
  path.AddPoint(6, 18);
  EXPECT_EQ(path.GetSegmentCount(), 2);
  EXPECT_FLOAT_EQ(path.GetTotalLength(), 15);
  path.Start();
  EXPECT_EQ(path.GetCurrentDirection(), kFacingDown);  // |dy| > |dx|

  path.Clear();
  EXPECT_EQ(path.GetSegmentCount(), 0);
  EXPECT_EQ(path.GetX(), -1);
  EXPECT_EQ(path.GetTotalLength(), 0);
  EXPECT_EQ(path.GetCurrentDirection(), kFacingNone);
}

// A 10-pixel piece, then a 100-pixel one, both to the right.
void ShortThenLong(WalkPath& path) {
  path.AddPoint(0, 0);
  path.AddPoint(10, 0);
  path.AddPoint(110, 0);
  path.Start();
}

TEST(WalkPath, AWalkCarriesTheRestIntoTheNextPiece) {
  WalkPath path;
  ShortThenLong(path);
  EXPECT_FALSE(path.Advance(5));
  EXPECT_FLOAT_EQ(path.GetProgress(), 0.5f);
  EXPECT_FALSE(path.Advance(0));
  EXPECT_FALSE(path.Advance(20));
  EXPECT_EQ(path.GetSegmentIndex(), 1);
  EXPECT_FLOAT_EQ(path.GetProgress(), 0.15f);
  EXPECT_FLOAT_EQ(path.GetX(), 25);
  // Past the end it stops there, and stays.
  EXPECT_TRUE(path.Advance(200));
  EXPECT_FLOAT_EQ(path.GetX(), 110);
  EXPECT_EQ(path.GetProgress(), 1);
  EXPECT_TRUE(path.Advance(1));
  EXPECT_FLOAT_EQ(path.GetX(), 110);
}

TEST(WalkPath, OneFurtherPiecePerCallTheRestFollowsLater) {
  WalkPath path;
  for (float x : {0.f, 10.f, 20.f, 30.f}) path.AddPoint(x, 0);
  path.Start();
  EXPECT_FALSE(path.Advance(25));
  EXPECT_EQ(path.GetSegmentIndex(), 1);
  EXPECT_FLOAT_EQ(path.GetX(), 20);  // held at that piece's end
  EXPECT_FALSE(path.Advance(1));
  EXPECT_EQ(path.GetSegmentIndex(), 2);
  EXPECT_FLOAT_EQ(path.GetX(), 26);
}

TEST(WalkPath, BackwardToTheStart) {
  WalkPath path;
  ShortThenLong(path);
  path.GoToEnd();
  EXPECT_FLOAT_EQ(path.GetX(), 110);
  EXPECT_FALSE(path.AdvanceBackward(105));
  EXPECT_EQ(path.GetSegmentIndex(), 0);
  EXPECT_FLOAT_EQ(path.GetProgress(), 0.5f);
  EXPECT_FLOAT_EQ(path.GetX(), 5);
  EXPECT_TRUE(path.AdvanceBackward(10));
  EXPECT_EQ(path.GetX(), 0);
  EXPECT_EQ(path.GetProgress(), 0);
  EXPECT_TRUE(path.AdvanceBackward(1));
  // A negative distance turns round.
  EXPECT_FALSE(path.AdvanceBackward(-4));
  EXPECT_FLOAT_EQ(path.GetX(), 4);
  EXPECT_FALSE(path.Advance(-2));
  EXPECT_FLOAT_EQ(path.GetX(), 2);
}

// Right 10, then down 10.
void Corner(WalkPath& path) {
  path.AddPoint(0, 0);
  path.AddPoint(10, 0);
  path.AddPoint(10, 10);
}

TEST(PathCursor, LoopingStartsAgainNonLoopingStaysAtTheEnd) {
  WalkPath path;
  Corner(path);
  PathCursor looping;
  PathCursor stopping;
  EXPECT_EQ(looping.GetX(), -1);
  looping.Start(path);
  stopping.Start(path);
  EXPECT_FALSE(looping.Advance(path, 15, true));
  EXPECT_FALSE(stopping.Advance(path, 15, false));
  EXPECT_EQ(looping.GetCurrentDirection(), kFacingDown);
  EXPECT_FLOAT_EQ(looping.GetY(), 5);

  EXPECT_FALSE(looping.Advance(path, 10, true));
  EXPECT_EQ(looping.GetSegmentIndex(), 0);
  EXPECT_FLOAT_EQ(looping.GetX(), 5);
  EXPECT_FLOAT_EQ(looping.GetY(), 0);

  EXPECT_TRUE(stopping.Advance(path, 10, false));
  EXPECT_FLOAT_EQ(stopping.GetX(), 10);
  EXPECT_FLOAT_EQ(stopping.GetY(), 10);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(stopping.Advance(path, 3, false));
  EXPECT_FLOAT_EQ(stopping.GetY(), 10);
  // The path's own walker never moved.
  path.Start();
  EXPECT_EQ(path.GetX(), 0);

  EXPECT_FALSE(stopping.AdvanceBackward(path, 12));
  EXPECT_FLOAT_EQ(stopping.GetX(), 8);
  EXPECT_TRUE(stopping.AdvanceBackward(path, 20));
  EXPECT_EQ(stopping.GetX(), 0);
}

// Up-right, flat, then down-right.
void Hill(WalkPath& path) {
  path.AddPoint(0, 10);
  path.AddPoint(10, 20);
  path.AddPoint(30, 20);
  path.AddPoint(40, 0);
}

struct AtXCase {
  float x;
  float outX;
  float outY;
};

TEST(PathCursor, PointAtX) {
  WalkPath path;
  Hill(path);
  PathCursor cursor;
  const AtXCase cases[] = {{-5, 0, 10}, {0, 0, 10}, {5, 5, 15}, {20, 20, 20}, {35, 35, 10}, {50, 40, 0}};
  for (const AtXCase& c : cases) {
    float x = 0;
    float y = 0;
    cursor.PointAtX(path, c.x, x, y);
    EXPECT_FLOAT_EQ(x, c.outX) << c.x;
    EXPECT_FLOAT_EQ(y, c.outY) << c.x;
  }
  EXPECT_EQ(cursor.GetX(), -1);
}

TEST(PathCursor, SeekToXPlacesTheCursorOnItsPiece) {
  WalkPath path;
  Hill(path);
  PathCursor cursor;
  cursor.Start(path);
  EXPECT_FALSE(cursor.SeekToX(path, 100));
  EXPECT_EQ(cursor.GetX(), 0);
  EXPECT_EQ(cursor.GetY(), 10);
  ASSERT_TRUE(cursor.SeekToX(path, 20));
  EXPECT_EQ(cursor.GetSegmentIndex(), 1);
  EXPECT_FLOAT_EQ(cursor.GetProgress(), 0.5f);
  EXPECT_FLOAT_EQ(cursor.GetY(), 20);
  EXPECT_FALSE(cursor.Advance(path, 15, false));
  EXPECT_EQ(cursor.GetSegmentIndex(), 2);
  const float t = 5 / std::sqrt(500.0f);
  EXPECT_NEAR(cursor.GetX(), 30 + 10 * t, 1e-4);
  EXPECT_NEAR(cursor.GetY(), 20 - 20 * t, 1e-4);
}

TEST(ObjectListIterator, SeekToAnIndexOfTheList) {
  ObjectList list;
  int items[3] = {};
  for (int& i : items) list.PushBack(&i);
  ObjectListIterator it;
  it.Begin(list);
  ASSERT_TRUE(it.SeekTo(2));
  EXPECT_EQ(it.Get(), &items[2]);
  EXPECT_EQ(it.GetIndex(), 2);
  EXPECT_FALSE(it.SeekTo(3));
  EXPECT_FALSE(it.SeekTo(-1));
  EXPECT_EQ(it.Get(), &items[2]);
  ASSERT_TRUE(it.SeekTo(0));
  EXPECT_EQ(it.Get(), &items[0]);
  ObjectList empty;
  it.Begin(empty);
  EXPECT_FALSE(it.SeekTo(0));
  EXPECT_TRUE(it.AtEnd());
}

}  // namespace
}  // namespace Plix
