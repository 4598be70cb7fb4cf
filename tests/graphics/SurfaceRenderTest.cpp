// The display image's surface fills and lines, its surface life and its
// read-back, pixel-exact on small 16- and 32-bit surfaces.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "framework/graphics/DDImage.h"
#include "tests/graphics/DisplayTestSupport.h"

namespace Plix {
namespace {

using Testing::FillSurface;
using Testing::MakeImage;
using Testing::SetSurfacePixel;
using Testing::SolidImage;
using Testing::SurfacePixel;
using Testing::TestDisplay;

struct FillCase {
  int bits;
  uint32_t before;
  Color color;
  int mode;
  uint32_t after;
};

TEST(SurfaceFill, PixelRules) {
  const FillCase cases[] = {
      // Opaque white: 254 per 8-bit channel and a cleared top byte; a full
      // 16-bit pixel.
      {32, 0x80000000, Color(255, 255, 255), 0, 0x00FEFEFE},
      {16, 0x0000, Color(255, 255, 255), 0, 0xFFFF},
      {16, 0x0000, Color(255, 0, 0), 0, 0xF800},
      // Alpha 0 keeps the channels; a 32-bit pixel loses its top byte.
      {32, 0x80123456, Color(9, 9, 9, 0), 0, 0x00123456},
      {16, 0x1234, Color(200, 100, 50, 0), 0, 0x1234},
      // Half alpha.
      {32, 0x000000FF, Color(200, 100, 0, 128), 0, 0x0064327F},
      // Additive: saturates at the channel's maximum; onto 0 it adds
      // ((K * A) / 255) >> (8 - bits).
      {16, 0xFFFF, Color(100, 200, 50), 1, 0xFFFF},
      {16, 0x0000, Color(100, 200, 50), 1, (12u << 11) | (50u << 5) | 6u},
      {32, 0x00F00000, Color(100, 0, 0), 1, 0x00FF0000},
      {32, 0x00000010, Color(0, 0, 100, 128), 1, 0x00000010 + 50},
      // Other draw modes draw nothing.
      {32, 0x00123456, Color(255, 255, 255), 2, 0x00123456},
  };
  for (const FillCase& c : cases) {
    TestDisplay d(c.bits, 4, 3);
    ASSERT_EQ(d.Init(), 0);
    DDImage* screen = d->GetScreenImage();
    FillSurface(d->mDrawSurface, c.before);
    screen->FillRect(Rect(1, 1, 2, 1), c.color, c.mode);
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 1), c.after) << c.bits << " bits, mode " << c.mode;
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 2, 1), c.after);
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 1), c.before) << "outside the rectangle";
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 2), c.before);
  }
}

std::set<std::pair<int, int>> Touched(IDirectDrawSurface* s) {
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < s->Height(); ++y)
    for (int x = 0; x < s->Width(); ++x)
      if (SurfacePixel(s, x, y) != 0) out.insert({x, y});
  return out;
}

TEST(SurfaceLine, WalksTheIntegerLine) {
  struct Case {
    double x1, y1, x2, y2;
    std::set<std::pair<int, int>> pixels;
  } cases[] = {
      {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
      {4, 2, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},  // reversed: drawn from the other end
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},          // |dx| = |dy| walks along y
      {2, 3, 6, 4, {{2, 3}, {3, 3}, {4, 3}, {5, 4}, {6, 4}}},
      {1, 5, 2, 1, {{2, 1}, {2, 2}, {2, 3}, {1, 4}, {1, 5}}},
  };
  for (int bits : {16, 32}) {
    for (const auto& c : cases) {
      TestDisplay d(bits, 8, 8);
      ASSERT_EQ(d.Init(), 0);
      d->GetScreenImage()->DrawLine(c.x1, c.y1, c.x2, c.y2, Color(255, 255, 255), 0);
      EXPECT_EQ(Touched(d->mDrawSurface), c.pixels) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
  }
}

TEST(SurfaceLine, PixelValuesAndRoutes) {
  TestDisplay d(32, 8, 8);
  ASSERT_EQ(d.Init(), 0);
  DDImage* screen = d->GetScreenImage();
  FillSurface(d->mDrawSurface, 0x00000080);
  screen->DrawLine(0, 0, 4, 2, Color(255, 0, 0), 0);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 2, 1), 0x00FE0000u);  // written whole
  screen->DrawLine(0, 3, 4, 5, Color(0, 0, 255, 128), 0);
  // ((0x80 * 128) + 127) >> 8 = 64, plus ((128 * 255) + 127) >> 8 = 127.
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 3), 0x000000BFu);
  screen->DrawLine(0, 6, 3, 7, Color(0, 0, 255), 1);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 6), 0x000000FFu);
  // Equal end points: a one-pixel fill (254 for opaque white).
  screen->DrawLine(7, 7, 7, 7, Color(255, 255, 255), 0);
  EXPECT_EQ(SurfacePixel(d->mDrawSurface, 7, 7), 0x00FEFEFEu);
}

TEST(SurfaceLine, AntialiasedWeights) {
  for (int bits : {16, 32}) {
    TestDisplay d(bits, 8, 8);
    ASSERT_EQ(d.Init(), 0);
    DDImage* screen = d->GetScreenImage();
    screen->DrawLineAA(1, 1, 5, 3, Color(255, 255, 255), 0);
    // The first pixel of a line on integer coordinates has weight 255.
    const uint32_t full = bits == 32 ? 0x00FDFDFDu : 0xEFBDu;
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 1, 1), full) << bits;
    // The end pixel takes the line weight of the last error: 255 - 128.
    const uint32_t half = bits == 32 ? 0x007E7E7Eu : 0x73CEu;
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 5, 3), half) << bits;
    // Between them each column has a line pixel and a neighbour below.
    for (int x = 2; x <= 4; ++x) {
      int lit = 0;
      for (int y = 0; y < 8; ++y) lit += SurfacePixel(d->mDrawSurface, x, y) != 0;
      EXPECT_GE(lit, 1) << x;
      EXPECT_LE(lit, 2) << x;
    }
    // Additive antialiased lines draw nothing on a surface.
    screen->DrawLineAA(0, 7, 7, 5, Color(255, 255, 255), 1);
    EXPECT_EQ(SurfacePixel(d->mDrawSurface, 0, 7), 0u);
  }
}

TEST(SurfaceLine, AntialiasedLineStaysInsideAtTheEdges) {
  TestDisplay d(32, 8, 8);
  ASSERT_EQ(d.Init(), 0);
  DDImage* screen = d->GetScreenImage();
  // Leftward along column 0 and rightward along the last row: no
  // neighbour is written outside the surface (the sanitizer would tell).
  screen->DrawLineAA(2.5, 0.5, 0.2, 7.9, Color(255, 255, 255), 0);
  screen->DrawLineAA(0.5, 6.5, 7.9, 7.9, Color(255, 255, 255, 100), 0);
  EXPECT_NE(SurfacePixel(d->mDrawSurface, 0, 7), 0u);
}

TEST(DDImageSurface, ColourKeyChoice) {
  struct Case {
    int bits;
    std::vector<uint32_t> pixels;
    uint32_t key;
  } cases[] = {
      // The first transparent pixel's converted value, when free.
      {16, {0xFF00FF00, 0x00FF0000, 0x00000000}, 0xF800},
      // A collision with an opaque pixel: the lowest value no opaque pixel
      // uses (black and 0x000008 give 0 and 1).
      {16, {0xFF000000, 0xFF000008, 0x00000000}, 2},
      {32, {0xFF00FF00, 0x00123456}, 0x00123456},
      {32, {0xFF000000, 0x00000000}, 1},
  };
  for (const auto& c : cases) {
    TestDisplay d(c.bits);
    ASSERT_EQ(d.Init(), 0);
    auto image = MakeImage(d.get(), static_cast<int>(c.pixels.size()), 1, c.pixels);
    ASSERT_TRUE(image->CreateSurface());
    DDCOLORKEY key;
    ASSERT_EQ(image->mSurface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, c.key) << c.bits;
    EXPECT_EQ(key.dwColorSpaceHighValue, c.key);
    for (size_t i = 0; i < c.pixels.size(); ++i) {
      if ((c.pixels[i] >> 24) != 255) {
        EXPECT_EQ(SurfacePixel(image->mSurface, static_cast<int>(i), 0), c.key);
      }
    }
    EXPECT_EQ(SurfacePixel(image->mSurface, 0, 0) == c.key, false) << "the opaque pixel keeps its colour";
  }
}

TEST(DDImageSurface, PartialAlphaGetsNoSurfaceAndOpaqueNoKey) {
  TestDisplay d(32);
  ASSERT_EQ(d.Init(), 0);
  auto partial = MakeImage(d.get(), 2, 1, {0xFF000000, 0x80FFFFFF});
  EXPECT_FALSE(partial->CreateSurface());
  EXPECT_EQ(partial->mSurface, nullptr);
  auto opaque = SolidImage(d.get(), 2, 2, 0xFF102030);
  ASSERT_TRUE(opaque->CreateSurface());
  DDCOLORKEY key;
  EXPECT_EQ(opaque->mSurface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
  EXPECT_EQ(SurfacePixel(opaque->mSurface, 1, 1), 0x00102030u);
}

TEST(DDImageSurface, LocksNestAndReadBack) {
  TestDisplay d(16);
  ASSERT_EQ(d.Init(), 0);
  auto image = SolidImage(d.get(), 3, 2, 0xFFFFFFFF);
  ASSERT_TRUE(image->LockSurface());
  ASSERT_TRUE(image->LockSurface());
  EXPECT_TRUE(image->mSurface->IsLocked());
  image->UnlockSurface();
  EXPECT_TRUE(image->mSurface->IsLocked());
  image->UnlockSurface();
  EXPECT_FALSE(image->mSurface->IsLocked());

  // Drawing into the surface leaves it the only copy; reading back widens
  // 5-6-5 white to 248, 252, 248.
  image->FillRect(Rect(0, 0, 1, 1), Color(0, 0, 255), 0);
  EXPECT_EQ(image->mBits, nullptr);
  uint32_t* bits = image->GetBits();
  ASSERT_NE(bits, nullptr);
  EXPECT_EQ(bits[0], 0xFF0000F8u);
  EXPECT_EQ(bits[1], 0xFFF8FCF8u);
  EXPECT_EQ(bits[6], MemoryImage::kGuardWord);

  // Deleting the surface of a surface-only image reads it back first.
  image->FillRect(Rect(2, 1, 1, 1), Color(255, 0, 0), 0);
  image->DeleteSurface();
  EXPECT_EQ(image->mSurface, nullptr);
  ASSERT_NE(image->mBits, nullptr);
  EXPECT_EQ(image->mBits[5], 0xFFF80000u);
}

// Keyed pixels come back transparent rather than as a solid block.
TEST(DDImageSurface, ReadBackKeepsTransparency) {
  for (int bits : {16, 32}) {
    TestDisplay d(bits);
    ASSERT_EQ(d.Init(), 0);
    auto image = MakeImage(d.get(), 2, 1, {0xFF00FF00, 0x00000000});
    ASSERT_TRUE(image->CreateSurface());
    image->DeleteAllNonSurfaceData();
    uint32_t* out = image->GetBits();
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out[0] >> 24, 255u);
    EXPECT_EQ(out[1] >> 24, 0u) << bits;
  }
}

TEST(DDImageSurface, ReadBackOfAlphaFormats) {
  // A4R4G4B4: alpha is the nibble times 17.
  DDSURFACEDESC desc;
  desc.ddpfPixelFormat = PixelFormatA4R4G4B4();
  uint16_t pixels[2] = {0x8F00, 0xF0F0};
  desc.lpSurface = pixels;
  desc.lPitch = 4;
  uint32_t out[2];
  SurfaceToARGB(desc, 2, 1, nullptr, out);
  EXPECT_EQ(out[0], 0x88F00000u);  // channels widen with low bits 0
  EXPECT_EQ(out[1], 0xFF00F000u);
  desc.ddpfPixelFormat = PixelFormatA8R8G8B8();
  uint32_t argb[1] = {0x40112233};
  desc.lpSurface = argb;
  SurfaceToARGB(desc, 1, 1, nullptr, out);
  EXPECT_EQ(out[0], 0x40112233u);
}

TEST(DDImageSurface, LifecycleTransitions) {
  TestDisplay d(32);
  ASSERT_EQ(d.Init(), 0);
  auto image = SolidImage(d.get(), 4, 4, 0xFF336699);
  // Draw mode 2 draws nothing; without a surface the bits are the only
  // copy and stay.
  image->FillRect(Rect(0, 0, 2, 2), Color(255, 255, 255), 2);
  ASSERT_NE(image->mBits, nullptr);
  EXPECT_EQ(image->mSurface, nullptr);
  // With a surface the memory forms are freed all the same.
  image->EnsureSurface();
  image->FillRect(Rect(0, 0, 2, 2), Color(255, 255, 255), 2);
  EXPECT_EQ(image->mBits, nullptr);
  ASSERT_NE(image->mSurface, nullptr);
  EXPECT_EQ(image->GetBits()[0], 0xFF336699u);
  // So does a sloped line.
  image->DrawLine(0, 0, 3, 2, Color(255, 255, 255), 2);
  EXPECT_EQ(image->mBits, nullptr);
  EXPECT_EQ(image->GetBits()[5], 0xFF336699u);
  // The same memory kind again does nothing.
  IDirectDrawSurface* surface = image->mSurface;
  image->SetVideoMemory(false);
  EXPECT_EQ(image->mSurface, surface);
  image->SetVideoMemory(true);
  EXPECT_EQ(image->mSurface, nullptr);
  ASSERT_TRUE(image->CreateSurface());
  EXPECT_TRUE(image->mSurface->Caps() & DDSCAPS_VIDEOMEMORY);
  // New bits drop the surface, so that it is rebuilt from them.
  std::vector<uint32_t> red(16, 0xFFFF0000);
  image->SetBits(red.data(), 4, 4);
  EXPECT_EQ(image->mSurface, nullptr);
  // A failed creation leaves the image on its memory bits.
  EmulatedDisplay::Get().FailNext(DDOp::CreateSurface, DDERR_OUTOFVIDEOMEMORY);
  EXPECT_FALSE(image->CreateSurface());
  image->FillRect(Rect(0, 0, 1, 1), Color(0, 0, 255), 0);
  EXPECT_EQ(image->GetBits()[1], 0xFFFF0000u);
  // A failed lock draws nothing.
  ASSERT_TRUE(image->CreateSurface());
  EmulatedDisplay::Get().FailNext(DDOp::Lock, DDERR_SURFACELOST);
  image->SurfaceFillRect(Rect(0, 0, 4, 4), Color(0, 255, 0));
  EXPECT_NE(SurfacePixel(image->mSurface, 3, 3), 0x0000FE00u);
}

TEST(DDImageSurface, PurgeKeepsASurfaceOnlyImage) {
  TestDisplay d(32);
  ASSERT_EQ(d.Init(), 0);
  auto image = SolidImage(d.get(), 4, 4, 0xFF445566);
  image->mWantSurface = true;
  image->PurgeBits();
  EXPECT_EQ(image->mBits, nullptr);
  ASSERT_NE(image->mSurface, nullptr);
  EXPECT_EQ(image->GetBits()[15], 0xFF445566u);
  // The screen's own surface is never purged.
  DDImage* screen = d->GetScreenImage();
  screen->PurgeBits();
  EXPECT_EQ(screen->mSurface, d->mDrawSurface);
}

TEST(DDImageSurface, PalettizeDropsTheSurfaceOnlyWhenItSucceeds) {
  TestDisplay d(32);
  ASSERT_EQ(d.Init(), 0);
  auto few = MakeImage(d.get(), 2, 1, {0xFF102030, 0xFF405060});
  ASSERT_TRUE(few->CreateSurface());
  ASSERT_TRUE(few->Palettize());
  EXPECT_EQ(few->mSurface, nullptr);
  EXPECT_EQ(few->GetBits()[1], 0xFF405060u);

  std::vector<uint32_t> many(257);
  for (uint32_t i = 0; i < many.size(); ++i) many[i] = 0xFF000000u | i;
  auto rich = MakeImage(d.get(), 257, 1, many);
  ASSERT_TRUE(rich->CreateSurface());
  IDirectDrawSurface* surface = rich->mSurface;
  EXPECT_FALSE(rich->Palettize());
  EXPECT_EQ(rich->mSurface, surface);
  EXPECT_EQ(rich->mColorTable, nullptr);
}

}  // namespace
}  // namespace Plix
