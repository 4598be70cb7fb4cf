#include "framework/graphics/Image.h"

#include <gtest/gtest.h>

#include "framework/graphics/Matrix3.h"

namespace Plix {
namespace {

// Records the FillRect calls the base operations make.
class RecordingImage : public Image {
public:
  std::vector<Rect> fills;
  void FillRect(const Rect& r, const Color&, int32_t) override { fills.push_back(r); }
};

TEST(Image, DrawRectIsFourFills) {
  RecordingImage image;
  image.DrawRect(Rect(0, 0, 4, 3), Color::White, 0);
  std::vector<Rect> expect = {Rect(0, 0, 5, 1), Rect(0, 3, 5, 1), Rect(0, 1, 1, 2), Rect(4, 1, 1, 2)};
  EXPECT_EQ(image.fills, expect);

  image.fills.clear();
  image.DrawRect(Rect(10, 20, 0, 0), Color::White, 0);
  expect = {Rect(10, 20, 1, 1), Rect(10, 20, 1, 1), Rect(10, 21, 1, -1), Rect(10, 21, 1, -1)};
  EXPECT_EQ(image.fills, expect);
}

TEST(Image, FillSpansFillsOneRowEach) {
  RecordingImage image;
  Span spans[] = {{3, 1, 4}, {5, 2, 0}};
  image.FillSpans(spans, 2, Color::White, 0);
  std::vector<Rect> expect = {Rect(1, 3, 4, 1), Rect(2, 5, 0, 1)};
  EXPECT_EQ(image.fills, expect);
}

TEST(Image, BaseOperationsDrawNothing) {
  Image image;
  EXPECT_FALSE(image.FillPolygonAccel(nullptr, 0, nullptr, Color::White, 0, 0, 0));
  EXPECT_EQ(image.GetCellWidth(), 0);
}

TEST(Image, CopyGetsOwnAnimationAndNoName) {
  auto first = std::make_unique<Image>();
  first->mName = "images/thing";
  first->mWidth = 30;
  first->mHeight = 20;
  first->mCelColumns = 3;
  first->mCelRows = 2;
  first->mDrawn = true;
  first->mAnimInfo = std::make_unique<CellAnimInfo>();
  first->mAnimInfo->mFrameDelay = 7;
  Image copy(*first);
  first.reset();
  EXPECT_TRUE(copy.mName.empty());
  EXPECT_FALSE(copy.mDrawn);
  EXPECT_EQ(copy.GetCellWidth(), 10);
  EXPECT_EQ(copy.GetCellHeight(), 10);
  ASSERT_TRUE(copy.mAnimInfo);
  EXPECT_EQ(copy.mAnimInfo->mFrameDelay, 7);

  Image other;
  other.mWidth = 5;
  other.mAnimInfo = std::make_unique<CellAnimInfo>();
  other.CopyAttributes(copy);
  EXPECT_EQ(other.mCelColumns, 3);
  EXPECT_EQ(other.mWidth, 5);
  EXPECT_NE(other.mAnimInfo.get(), copy.mAnimInfo.get());
  Image plain;
  other.CopyAttributes(plain);
  EXPECT_FALSE(other.mAnimInfo);
}

TEST(CellAnimInfo, Compute) {
  struct Case {
    int32_t type, frameDelay, cels, begin, end;
    std::vector<int32_t> frameMap, delays;
    int32_t frameCount, total;
  } cases[] = {
      {ANIM_PINGPONG, 3, 1, 0, 0, {}, {}, 1, 3},
      {ANIM_PINGPONG, 1, 4, 0, 0, {0, 1, 2, 3, 2, 1}, {}, 6, 6},
      {ANIM_PINGPONG, 1, 3, 0, 0, {0, 1, 2, 1}, {}, 4, 4},
      {ANIM_ONCE, 2, 3, 5, 7, {}, {5, 2, 7}, 3, 14},
      {ANIM_LOOP, 0, 0, 0, 0, {}, {}, 1, 1},
      {ANIM_LOOP, 4, 2, 0, 9, {}, {4, 9}, 2, 13},
  };
  for (const auto& c : cases) {
    CellAnimInfo info;
    info.mAnimType = c.type;
    info.mFrameDelay = c.frameDelay;
    info.Compute(c.cels, c.begin, c.end);
    EXPECT_EQ(info.mFrameMap, c.frameMap) << c.type << " " << c.cels;
    EXPECT_EQ(info.mPerFrameDelays, c.delays) << c.type << " " << c.cels;
    EXPECT_EQ(info.mFrameCount, c.frameCount) << c.type << " " << c.cels;
    EXPECT_EQ(info.mTotalTime, c.total) << c.type << " " << c.cels;
  }
}

TEST(CellAnimInfo, FrameMapDecidesFrameCount) {
  CellAnimInfo info;
  info.mAnimType = ANIM_LOOP;
  info.mFrameDelay = 2;
  info.mFrameMap = {0, 0, 1};
  info.SetPerFrameDelay(1, 5);
  info.Compute(8);
  EXPECT_EQ(info.mFrameCount, 3);
  EXPECT_EQ(info.mPerFrameDelays, (std::vector<int32_t>{2, 5, 2}));
  EXPECT_EQ(info.mTotalTime, 9);
}

TEST(CellAnimInfo, SetPerFrameDelayGrows) {
  CellAnimInfo info;
  info.SetPerFrameDelay(4, 9);
  EXPECT_EQ(info.mPerFrameDelays, (std::vector<int32_t>{0, 0, 0, 0, 9}));
  info.SetPerFrameDelay(-1, 3);
  EXPECT_EQ(info.mPerFrameDelays.size(), 5u);
  CellAnimInfo copy(info);
  EXPECT_EQ(copy.mPerFrameDelays, info.mPerFrameDelays);
}

TEST(CellAnimInfo, RefusesWhatNoImageHolds) {
  struct Case {
    int32_t type, cels, end;
    size_t frameMap, delays;
    bool ok;
  } cases[] = {
      {ANIM_PINGPONG, 1500000000, 0, 0, 0, false},  // 2 * cels - 2 overflowed
      {ANIM_LOOP, 2000000000, 1, 0, 0, false},      // the end delay asked for 8 GB
      {ANIM_LOOP, CellAnimInfo::kMaxCels + 1, 0, 0, 0, false},
      {ANIM_ONCE, 4, 0, CellAnimInfo::kMaxFrames + 1, 0, false},
      {ANIM_ONCE, 4, 0, 0, CellAnimInfo::kMaxFrames + 1, false},
      {ANIM_PINGPONG, CellAnimInfo::kMaxCels, 1, 0, 0, true},
      {ANIM_ONCE, 4, 1, CellAnimInfo::kMaxFrames, CellAnimInfo::kMaxFrames, true},
  };
  for (const auto& c : cases) {
    CellAnimInfo info;
    info.mAnimType = c.type;
    info.mFrameMap.resize(c.frameMap);
    info.mPerFrameDelays.resize(c.delays);
    EXPECT_EQ(info.Compute(c.cels, 0, c.end), c.ok) << c.cels << " " << c.frameMap << " " << c.delays;
    if (!c.ok) {
      EXPECT_EQ(info.mFrameCount, 1);
      EXPECT_EQ(info.mFrameMap.size(), c.frameMap);
    }
  }
  CellAnimInfo info;
  EXPECT_FALSE(info.SetPerFrameDelay(2000000000, 1));
  EXPECT_FALSE(info.SetPerFrameDelay(CellAnimInfo::kMaxFrames, 1));
  EXPECT_TRUE(info.mPerFrameDelays.empty());
  EXPECT_TRUE(info.SetPerFrameDelay(CellAnimInfo::kMaxFrames - 1, 1));
}

TEST(Rect, Intersection) {
  struct Case {
    Rect a, b, expect;
  } cases[] = {
      {{0, 0, 10, 10}, {10, 0, 5, 5}, {10, 0, 0, 5}},
      {{0, 0, 10, 10}, {11, 0, 5, 5}, {0, 0, 0, 0}},
      {{0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}},
      {{5, 5, 10, 10}, {0, 0, 8, 20}, {5, 5, 3, 10}},
      {{0, 0, 10, 10}, {0, 12, 5, 5}, {0, 0, 0, 0}},
      {{0, 0, 0, 0}, {0, 0, 5, 5}, {0, 0, 0, 0}},
      {{2147483600, 0, 100, 5}, {2147483640, 0, 10, 5}, {2147483640, 0, 10, 5}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.a.Intersection(c.b), c.expect);
    EXPECT_EQ(c.b.Intersection(c.a), c.expect);
  }
  EXPECT_EQ(FRect(0, 0, 10, 10).Intersection(FRect(9.5, 1, 5, 2)), FRect(9.5, 1, 0.5, 2));
  EXPECT_EQ(FRect(0, 0, 10, 10).Intersection(FRect(10.5, 1, 5, 2)), FRect());
}

TEST(Matrix3, Transforms) {
  Matrix3 m;
  m.Rotate(3.14159265f / 2);
  Vector2 p = m.TransformPoint(1, 0);
  EXPECT_NEAR(p.mX, 0, 1e-6);
  EXPECT_NEAR(p.mY, -1, 1e-6);

  Matrix3 t;
  t.Translate(5, 0);
  t.Scale(2, 2);
  p = t.TransformPoint(1, 1);
  EXPECT_FLOAT_EQ(p.mX, 12);
  EXPECT_FLOAT_EQ(p.mY, 2);

  Matrix3 a;
  a.Translate(1, 2);
  Matrix3 b;
  b.Scale(3, 4);
  a.Multiply(b);  // a = b x a: translate, then scale
  p = a.TransformPoint(0, 0);
  EXPECT_FLOAT_EQ(p.mX, 3);
  EXPECT_FLOAT_EQ(p.mY, 8);
  Vector3 v = a.MultiplyVector(Vector3{1, 1, 0});
  EXPECT_FLOAT_EQ(v.mX, 3);
  EXPECT_FLOAT_EQ(v.mY, 4);
  EXPECT_FLOAT_EQ(v.mZ, 0);
  Matrix3 c;
  c.Assign(a);
  c.LoadIdentity();
  EXPECT_FLOAT_EQ(c.TransformPoint(7, 8).mX, 7);
}

}  // namespace
}  // namespace Plix
