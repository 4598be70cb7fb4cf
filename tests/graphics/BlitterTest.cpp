// The surface blitters: every path of the normal blit, the additive and the
// mirrored blits, pixel-exact on 16- and 32-bit surfaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "tests/graphics/DisplayTestSupport.h"

namespace Plix {
namespace {

using Testing::FillSurface;
using Testing::MakeImage;
using Testing::SolidImage;
using Testing::SurfacePixel;
using Testing::TestDisplay;

std::unique_ptr<MemoryImage> Memory(int w, int h, const std::vector<uint32_t>& argb) {
  auto image = std::make_unique<MemoryImage>();
  image->SetBits(argb.data(), w, h);
  return image;
}

struct BlitCase {
  const char* name;
  int bits;
  std::vector<uint32_t> source;  // one row
  uint32_t before;
  Color color;
  int mode;
  std::vector<uint32_t> after;  // the destination row from x = 1
};

TEST(SurfaceBlit, PixelRules) {
  const BlitCase cases[] = {
      // Plain copy of native words; transparent pixels skipped.
      {"plain 32", 32, {0xFF102030, 0x00FFFFFF}, 0x00000055, Color::White, 0, {0xFF102030, 0x00000055}},
      {"plain 16", 16, {0xFF102030, 0x00FFFFFF}, 0x0055, Color::White, 0, {0x1106, 0x0055}},
      // Partial alpha: the destination weighted by 256 - alpha plus the
      // premultiplied source; in 32 bits the alpha lands in the top byte.
      {"alpha 32", 32, {0x80FF0000}, 0x000000FF, Color::White, 0, {0x8080007F}},
      {"alpha 16", 16, {0x80FF0000, 0xFF00FF00}, 0x001F, Color::White, 0, {0x800F, 0x07E0}},
      // Tint with alpha 128 over an opaque source: V = 128.
      {"tint 32", 32, {0xFFFFFFFF}, 0x000000FF, Color(255, 255, 255, 128), 0, {0x007F7FFF}},
      {"tint opaque 32", 32, {0xFFFFFFFF}, 0x00000000, Color(255, 0, 128), 0, {0x00FE007F}},
      // Additive: black adds nothing; channels saturate.
      {"add black", 32, {0xFF000000}, 0x00123456, Color::White, 1, {0x00123456}},
      {"add white 32", 32, {0xFFFFFFFF}, 0x00F00000, Color::White, 1, {0x00FFFFFF}},
      {"add 16", 16, {0xFF080808}, 0xFFFF, Color::White, 1, {0xFFFF}},
      {"add tinted", 32, {0xFF808080}, 0x00000010, Color(255, 0, 0, 255), 1, {0x007F0010}},
      {"mode 2", 32, {0xFFFFFFFF}, 0x00123456, Color::White, 2, {0x00123456}},
  };
  for (const BlitCase& c : cases) {
    TestDisplay d(c.bits, 8, 3);
    ASSERT_EQ(d.Init(), 0);
    FillSurface(d->mDrawSurface, c.before);
    auto src = Memory(static_cast<int>(c.source.size()), 1, c.source);
    d->GetScreenImage()->Blit(src.get(), 1, 1, Rect(0, 0, src->mWidth, 1), c.color, c.mode);
    EXPECT_TRUE(src->mDrawn);
    for (size_t i = 0; i < c.after.size(); ++i)
      EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1 + static_cast<int>(i), 1), c.after[i]) << c.name << " pixel " << i;
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 1), c.before) << c.name;
  }
}

TEST(SurfaceBlit, HardwareBlitWithColourKey) {
  for (int bits : {16, 32}) {
    TestDisplay d(bits, 8, 3);
    ASSERT_EQ(d.Init(), 0);
    FillSurface(d->mDrawSurface, 0x55);
    auto src = MakeImage(d.get(), 2, 1, {0xFFFFFFFF, 0x00000000});
    ASSERT_TRUE(src->CreateSurface());
    d->GetScreenImage()->Blit(src.get(), 1, 1, Rect(0, 0, 2, 1), Color::White, 0);
    // DirectDraw copies the surface value (no alpha byte in 32 bits) and
    // keeps the keyed pixel out.
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 1), bits == 32 ? 0x00FFFFFFu : 0xFFFFu);
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 2, 1), 0x55u);
    EXPECT_FALSE(d->mDrawSurface->IsLocked());
  }
}

TEST(SurfaceBlit, HardwareBlitReleasesAndRetakesAHeldLock) {
  TestDisplay d(32, 8, 3);
  ASSERT_EQ(d.Init(), 0);
  auto src = SolidImage(d.get(), 2, 2, 0xFF00FF00);
  ASSERT_TRUE(src->CreateSurface());
  DDImage* screen = d->GetScreenImage();
  ASSERT_TRUE(screen->LockSurface());
  screen->SurfaceBlit(src.get(), 0, 0, Rect(0, 0, 2, 2), Color::White);
  EXPECT_TRUE(d->mDrawSurface->IsLocked());
  EXPECT_EQ(screen->mLockCount, 1);
  screen->UnlockSurface();
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 1), 0x0000FF00u);
}

TEST(SurfaceBlit, VideoMemorySourceIntoSystemMemoryIsCopiedInSoftware) {
  TestDisplay d(32, 8, 3);
  ASSERT_EQ(d.Init(), 0);
  auto src = SolidImage(d.get(), 1, 1, 0xFF00FF00);
  src->SetVideoMemory(true);
  ASSERT_TRUE(src->CreateSurface());
  d->GetScreenImage()->Blit(src.get(), 0, 0, Rect(0, 0, 1, 1), Color::White, 0);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 0), 0xFF00FF00u);  // the native word, alpha byte and all
}

TEST(SurfaceBlit, VolatileSourceBlendsFromItsBitsOnlyUntinted) {
  TestDisplay d(32, 8, 3);
  ASSERT_EQ(d.Init(), 0);
  auto src = Memory(1, 1, {0xFFFFFFFF});
  src->SetVolatile(true);
  DDImage* screen = d->GetScreenImage();
  screen->Blit(src.get(), 0, 0, Rect(0, 0, 1, 1), Color::White, 0);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 0), 0x00FDFDFDu);
  // A tint takes the run-length path.
  screen->Blit(src.get(), 1, 0, Rect(0, 0, 1, 1), Color(255, 255, 255, 254), 0);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 0), 0x00FDFDFDu - 0x00010101u * 0);
  EXPECT_NE(SurfacePixel(d->mDrawSurface, 1, 0), 0u);
}

TEST(SurfaceBlit, LongRunsAreSplitAt255) {
  for (int bits : {16, 32}) {
    TestDisplay d(bits, 320, 2);
    ASSERT_EQ(d.Init(), 0);
    std::vector<uint32_t> row(300, 0xC0FFFFFF);
    auto src = Memory(300, 1, row);
    d->GetScreenImage()->Blit(src.get(), 10, 0, Rect(0, 0, 300, 1), Color::White, 0);
    const uint32_t first = SurfacePixel(d->mDrawSurface, 10, 0);
    EXPECT_NE(first, 0u);
    for (int x = 10; x < 310; ++x) ASSERT_EQ(SurfacePixel(d->mDrawSurface, x, 0), first) << bits << " at " << x;
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 310, 0), 0u);
  }
}

TEST(SurfaceBlit, MirroredRowsRunRightToLeft) {
  for (int mode : {0, 1}) {
    TestDisplay d(32, 8, 2);
    ASSERT_EQ(d.Init(), 0);
    auto src = Memory(3, 1, {0xFF100000, 0xFF002000, 0xFF000030});
    DDImage* screen = d->GetScreenImage();
    screen->BlitMirror(src.get(), 2, 0, Rect(0, 0, 3, 1), Color::White, mode);
    const uint32_t top = mode == 0 ? 0xFF000000u : 0u;
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 2, 0), top | 0x000030u);
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 3, 0), top | 0x002000u);
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 4, 0), top | 0x100000u);
    // A one-pixel-wide rectangle lands where the normal blit puts it.
    screen->BlitMirror(src.get(), 6, 1, Rect(1, 0, 1, 1), Color::White, mode);
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 6, 1), top | 0x002000u);
  }
}

TEST(SurfaceBlit, MirroredBlitsIgnoreTheDestinationsTransparency) {
  TestDisplay d(32, 4, 2);
  ASSERT_EQ(d.Init(), 0);
  // A keyed destination never takes the surface route for a plain blit.
  auto dest = MakeImage(d.get(), 3, 1, {0x00000000, 0xFF000000, 0xFF000000});
  ASSERT_TRUE(dest->CreateSurface());
  ASSERT_TRUE(dest->mHasTrans);
  auto src = Memory(2, 1, {0xFF100000, 0xFF002000});
  dest->BlitMirror(src.get(), 1, 0, Rect(0, 0, 2, 1), Color::White, 0);
  EXPECT_EQ(SurfacePixel(dest->mSurface, 1, 0) & 0xFFFFFF, 0x002000u);
  EXPECT_EQ(SurfacePixel(dest->mSurface, 2, 0) & 0xFFFFFF, 0x100000u);
  EXPECT_EQ(dest->mBits, nullptr);
}

TEST(SurfaceBlit, SourcesThatAreNoMemoryImagesDrawNothing) {
  TestDisplay d(32, 4, 2);
  ASSERT_EQ(d.Init(), 0);
  Image plain;
  plain.mWidth = plain.mHeight = 1;
  d->GetScreenImage()->SurfaceBlit(&plain, 0, 0, Rect(0, 0, 1, 1), Color::White);
  EXPECT_TRUE(plain.mDrawn);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 0), 0u);
}

TEST(SurfaceBlit, PaletteSourcesReadThroughTheirTable) {
  TestDisplay d(16, 4, 2);
  ASSERT_EQ(d.Init(), 0);
  auto src = Memory(2, 1, {0xFFFF0000, 0xFF0000FF});
  ASSERT_TRUE(src->Palettize());
  d->GetScreenImage()->Blit(src.get(), 0, 0, Rect(0, 0, 2, 1), Color::White, 0);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 0), 0xF800u);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 0), 0x001Fu);
}

TEST(SurfaceStretch, FastAndFilteredRoutes) {
  TestDisplay d(32, 8, 8);
  ASSERT_EQ(d.Init(), 0);
  DDImage* screen = d->GetScreenImage();
  auto src = MakeImage(d.get(), 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
  // Untinted, opaque and with a surface: DirectDraw's stretch.
  screen->StretchBlit(src.get(), Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 8, 8), Color::White, 0, true);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 1), 0x00FF0000u);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 3, 3), 0x00FFFFFFu);
  // Tinted: the nearest-neighbour loop (alpha 255, so the native word).
  screen->StretchBlit(src.get(), Rect(4, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 8, 8), Color(255, 255, 0), 0, true);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 6, 2), 0x00FEFE00u);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 4, 2), 0x00000000u);  // blue tinted without blue
  // Clipped away: nothing.
  screen->StretchBlit(src.get(), Rect(0, 4, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 8, 4), Color::White, 0, false);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 5), 0u);
  // Filtered: a temporary image blitted; a flat source stays flat.
  auto flat = SolidImage(d.get(), 2, 2, 0xFF204060);
  screen->StretchBlit(flat.get(), Rect(0, 4, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 8, 8), Color::White, 0, false);
  const uint32_t p = SurfacePixel(d->mDrawSurface, 1, 5);
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(static_cast<int>((p >> shift) & 255), static_cast<int>((0x204060u >> shift) & 255), 1) << shift;
  // Mirrored stretch: the first source column ends up on the right.
  screen->StretchBlitMirror(src.get(), Rect(4, 4, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 8, 8), Color::White, 0, true);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 7, 4) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 4, 4) & 0xFFFFFF, 0x00FF00u);
}

TEST(SurfaceRotate, AngleZeroSkipsTheLastColumnAndRow) {
  for (int bits : {16, 32}) {
    TestDisplay d(bits, 16, 16);
    ASSERT_EQ(d.Init(), 0);
    auto src = SolidImage(d.get(), 10, 10, 0xFFFFFFFF);
    d->GetScreenImage()->BlitF(src.get(), 2.0f, 3.0f, Rect(0, 0, 10, 10), Rect(0, 0, 16, 16), Color::White, 0);
    // Columns x + 1 to x + 8 and rows y to y + 8 are written.
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool inside = x >= 3 && x <= 10 && y >= 3 && y <= 11;
        EXPECT_EQ(SurfacePixel(d->mDrawSurface, x, y) != 0, inside) << bits << " bits at " << x << "," << y;
      }
  }
}

TEST(SurfaceRotate, QuarterTurnAndVideoMemory) {
  TestDisplay d(32, 16, 16);
  ASSERT_EQ(d.Init(), 0);
  auto src = SolidImage(d.get(), 8, 4, 0xFF00FF00);
  DDImage* screen = d->GetScreenImage();
  screen->BlitRotated(src.get(), 4.0f, 6.0f, Rect(0, 0, 8, 4), Rect(0, 0, 16, 16), Color::White, 0, 1.5707963,
                      4.0f, 2.0f);
  int left = 16, right = -1, top = 16, bottom = -1;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (SurfacePixel(d->mDrawSurface, x, y) != 0) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, left);
  EXPECT_GT(bottom - top, right - left);  // the long side stands upright
  d->SetDrawToVideoMemory(true);
  DDImage* video = d->GetScreenImage();
  video->BlitRotated(src.get(), 4.0f, 6.0f, Rect(0, 0, 8, 4), Rect(0, 0, 16, 16), Color::White, 0, 0.5, 4.0f, 2.0f);
  EXPECT_EQ(SurfacePixel(d->mSecondarySurface, 8, 6), 0u);
}

TEST(SurfaceSpans, CoverageWeights) {
  TestDisplay d(32, 4, 2);
  ASSERT_EQ(d.Init(), 0);
  const uint8_t coverage[4] = {255, 127, 0, 0};
  Span span{0, 1, 2};
  d->GetScreenImage()->FillSpansWithCoverage(&span, 1, Color(255, 255, 255), 0, coverage, 1, 0, 4, 1);
  // Coverage 255 at alpha 255 is weight 255: 254 * 255 >> 8 = 253.
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 0), 0x00FDFDFDu);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 2, 0), 0x007E7E7Eu);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 0), 0u);
}

}  // namespace
}  // namespace Plix
