// The drawing context: what it hands the destination image after
// translating, scaling and clipping.
#include "framework/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/graphics/Image.h"

namespace Plix {
namespace {

std::string R(const Rect& r) {
  std::ostringstream s;
  s << r.mX << "," << r.mY << "," << r.mWidth << "," << r.mHeight;
  return s.str();
}

// Records the operations it receives.
class RecordingImage : public Image {
public:
  std::vector<std::string> mCalls;
  std::vector<Rect> mBlitDest;

  RecordingImage(int w, int h) {
    mWidth = w;
    mHeight = h;
  }
  void FillRect(const Rect& rect, const Color& color, int32_t drawMode) override {
    mCalls.push_back("fill " + R(rect));
  }
  void DrawRect(const Rect& rect, const Color& color, int32_t drawMode) override {
    mCalls.push_back("rect " + R(rect));
  }
  void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) override {
    std::ostringstream s;
    s << "line " << x1 << "," << y1 << " " << x2 << "," << y2;
    mCalls.push_back(s.str());
  }
  void Blit(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color, int32_t drawMode) override {
    std::ostringstream s;
    s << "blit " << x << "," << y << " from " << R(srcRect) << (color.IsWhite() ? "" : " tinted");
    mCalls.push_back(s.str());
    mBlitDest.push_back(Rect(x, y, srcRect.mWidth, srcRect.mHeight));
  }
  void BlitMirror(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                  int32_t drawMode) override {
    std::ostringstream s;
    s << "mirror " << x << "," << y << " from " << R(srcRect);
    mCalls.push_back(s.str());
  }
  void StretchBlit(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                   int32_t drawMode, bool fastStretch) override {
    mCalls.push_back("stretch " + R(destRect) + " from " + R(srcRect) + " clip " + R(clip));
  }
  void BlitRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                   int32_t drawMode, double angle, float centerX, float centerY) override {
    std::ostringstream s;
    s << "rotated " << x << "," << y << " about " << centerX << "," << centerY << " by " << angle;
    mCalls.push_back(s.str());
  }
};

class Source : public Image {
public:
  Source(int w, int h, int columns = 1, int rows = 1) {
    mWidth = w;
    mHeight = h;
    mCelColumns = columns;
    mCelRows = rows;
  }
};

using Calls = std::vector<std::string>;

TEST(Graphics, RectanglesAreTranslatedAndClipped) {
  RecordingImage dest(100, 50);
  Graphics g(&dest);
  EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 100, 50));
  g.SetColor(Color(1, 2, 3));
  g.Translate(10, 5);
  g.FillRect(-20, 0, 15, 4);    // (-10, 5) to (5, 9): cut at 0
  g.FillRect(200, 0, 5, 5);     // outside: an empty rectangle is still handed on
  g.SetColor(Color(1, 2, 3, 0));
  g.FillRect(0, 0, 5, 5);       // alpha 0: nothing
  g.DrawRect(0, 0, 5, 5);
  EXPECT_EQ(dest.mCalls, (Calls{"fill 0,5,5,4", "fill 0,0,0,0"}));

  RecordingImage box(20, 20);
  Graphics h(&box);
  h.DrawRect(0, 0, 10, 10);
  h.SetClipRect(0, 0, 10, 10);
  h.DrawRect(0, 0, 10, 10);  // the outline is 11 x 11: partly outside
  EXPECT_EQ(box.mCalls, (Calls{"rect 0,0,10,10", "fill 0,0,10,1", "fill 0,10,10,0", "fill 0,1,1,9", "fill 10,1,0,9"}));
}

TEST(Graphics, LinesAreClippedInDoubles) {
  RecordingImage dest(10, 10);
  Graphics g(&dest);
  g.DrawLine(20, 5, -10, 5);
  g.DrawLine(10, 0, 15, 9);  // entirely right of the clip
  g.DrawLine(-5, -5, 15, 15);
  EXPECT_EQ(dest.mCalls, (Calls{"line 0,5 9,5", "line 0,0 9,9"}));
  double x1 = 5, y1 = 20, x2 = 5, y2 = -3;
  EXPECT_TRUE(g.ClipLine(x1, y1, x2, y2));
  EXPECT_EQ(y1, 0);
  EXPECT_EQ(y2, 9);
}

TEST(Graphics, TranslationTruncatesTowardZero) {
  RecordingImage dest(50, 50);
  Source src(4, 4);
  Graphics g(&dest);
  g.mTransX = 0.7f;
  g.DrawImage(&src, 1, 0);
  g.DrawImage(&src, -1, 0);  // -0.3 becomes 0
  EXPECT_EQ(dest.mCalls, (Calls{"blit 1,0 from 0,0,4,4", "blit 0,0 from 0,0,4,4"}));
}

TEST(Graphics, PositionsPastTheIntRangeStopAtItsEnds) {
  // A broken font description places glyphs near the int limits; with a
  // translation or a scale they round past them, where a plain cast is
  // undefined.
  RecordingImage dest(50, 50);
  Source src(4, 4);
  Graphics g(&dest);
  g.Translate(5, 5);
  g.DrawImage(&src, INT32_MAX - 1, 0);
  g.DrawImage(&src, 0, INT32_MAX);
  g.mTransX = -1e10f;
  g.DrawImage(&src, INT32_MIN, 0);
  g.mTransX = 0;
  g.SetScale(2, 2, 0, 0);
  g.DrawImage(&src, INT32_MAX - 10, 0);
  g.SetScale(1, 1, 0, 0);
  g.DrawImage(&src, 1, 1);
  EXPECT_EQ(dest.mCalls, (Calls{"stretch 2147483647,5,8,8 from 0,0,4,4 clip 0,0,50,50", "blit 1,6 from 0,0,4,4"}));
}

TEST(Graphics, ImagesClipTheirSource) {
  RecordingImage dest(20, 20);
  Source src(10, 10);
  Graphics g(&dest);
  g.SetClipRect(5, 5, 10, 10);
  g.DrawImage(&src, 0, 0);
  g.DrawImageSrcRect(&src, 12, 12, Rect(2, 2, 6, 6));
  g.DrawImageMirrorSrcRect(&src, 2, 6, Rect(0, 0, 10, 2));  // 3 columns cut on the left
  g.DrawImage(&src, 30, 30);
  EXPECT_EQ(dest.mCalls, (Calls{"blit 5,5 from 5,5,5,5", "blit 12,12 from 2,2,3,3", "mirror 5,6 from 0,0,7,2"}));
}

TEST(Graphics, SourceRectanglesMustLieInsideTheImage) {
  RecordingImage dest(50, 50);
  Source src(10, 10);
  Graphics g(&dest);
  for (Rect bad : {Rect(-2, 0, 5, 5), Rect(0, -1, 5, 5), Rect(6, 0, 5, 5), Rect(0, 6, 5, 5), Rect(2, 2, 0, 5),
                   Rect(2, 2, 5, 0), Rect(2, 2, -3, 5), Rect(1, 0, INT32_MAX, 5), Rect(0, 1, 5, INT32_MAX)}) {
    g.DrawImageSrcRect(&src, 0, 0, bad);
    g.DrawImageMirrorSrcRect(&src, 0, 0, bad);
  }
  EXPECT_TRUE(dest.mCalls.empty());
  g.SetScale(2, 2, 0, 0);
  g.DrawImageSrcRect(&src, 0, 0, Rect(-2, 0, 5, 5));
  EXPECT_TRUE(dest.mCalls.empty());
}

TEST(Graphics, ScaleAboutAnOrigin) {
  RecordingImage dest(400, 400);
  Source src(10, 10);
  Graphics g(&dest);
  g.SetScale(2, 2, 100, 100);
  g.DrawImage(&src, 110, 100);
  EXPECT_EQ(dest.mCalls, (Calls{"stretch 120,100,20,20 from 0,0,10,10 clip 0,0,400,400"}));
  // Stretched and rotated drawing ignore the scale.
  dest.mCalls.clear();
  g.DrawImageStretched(&src, 1, 2, 30, 40);
  g.DrawImageRotated(&src, 4, 5, 0.5);
  EXPECT_EQ(dest.mCalls, (Calls{"stretch 1,2,30,40 from 0,0,10,10 clip 0,0,400,400", "rotated 4,5 about 5,5 by 0.5"}));
}

TEST(Graphics, Cels) {
  RecordingImage dest(400, 400);
  Source src(30, 20, 3, 2);
  Graphics g(&dest);
  g.DrawImageCell(&src, 0, 0, 5);       // row 1, column 2
  g.DrawImageCellAt(&src, 0, 0, 3, 0);  // out of range
  g.DrawImageCellAt(&src, 0, 0, 0, -1);
  g.DrawImageMirrorCell(&src, 0, 0, 1);
  g.DrawImageCellStretched(Rect(0, 0, 20, 20), &src, 1);  // always the first row
  g.DrawImageCellStretched(Rect(0, 0, 20, 20), &src, 3);
  EXPECT_EQ(dest.mCalls, (Calls{"blit 0,0 from 20,10,10,10", "mirror 0,0 from 10,0,10,10",
                                "stretch 0,0,20,20 from 10,0,10,10 clip 0,0,400,400"}));
}

TEST(Graphics, NinePartBoxCoversTheDestinationExactly) {
  struct Case {
    Rect source;
    Rect dest;
  } cases[] = {{Rect(0, 0, 9, 9), Rect(3, 4, 20, 17)}, {Rect(0, 0, 10, 11), Rect(0, 0, 31, 12)},
               {Rect(2, 1, 7, 7), Rect(5, 5, 7, 7)}};
  for (const auto& c : cases) {
    RecordingImage dest(64, 64);
    Source src(12, 12);
    Graphics g(&dest);
    g.DrawImageBoxSrcRect(c.dest, c.source, &src);
    std::vector<int> hits(64 * 64, 0);
    for (const Rect& r : dest.mBlitDest)
      for (int y = r.mY; y < r.mY + r.mHeight; ++y)
        for (int x = r.mX; x < r.mX + r.mWidth; ++x) ++hits[y * 64 + x];
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const bool inside = x >= c.dest.mX && x < c.dest.mX + c.dest.mWidth && y >= c.dest.mY &&
                            y < c.dest.mY + c.dest.mHeight;
        EXPECT_EQ(hits[y * 64 + x], inside ? 1 : 0) << R(c.dest) << " at " << x << "," << y;
      }
    EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 64, 64));  // the caller's clip is unchanged
  }
}

TEST(Graphics, StateStackAndTint) {
  RecordingImage dest(50, 50);
  Source src(4, 4);
  Graphics g(&dest);
  g.PopState();  // empty: nothing changes
  EXPECT_EQ(g.mTransX, 0);
  g.SetColor(Color(10, 20, 30, 0));
  g.SetColorizeImages(true);
  g.PushState();
  g.Translate(5, 5);
  g.SetClipRect(0, 0, 10, 10);
  g.SetDrawMode(1);
  g.PopState();
  EXPECT_EQ(g.mTransX, 0);
  EXPECT_EQ(g.GetClipRect(), Rect(0, 0, 50, 50));
  EXPECT_EQ(g.GetDrawMode(), 0);
  // Alpha 0 with tinting still blits.
  g.DrawImage(&src, 0, 0);
  EXPECT_EQ(dest.mCalls, (Calls{"blit 0,0 from 0,0,4,4 tinted"}));
  std::unique_ptr<Graphics> copy(g.Create());
  EXPECT_TRUE(copy->mStateStack.empty());
  EXPECT_EQ(copy->GetColor(), g.GetColor());
  // Without a destination nothing is visible.
  Graphics none(nullptr);
  EXPECT_EQ(none.GetClipRect(), Rect(0, 0, 0, 0));
  none.FillRect(0, 0, 5, 5);
}

}  // namespace
}  // namespace Plix
