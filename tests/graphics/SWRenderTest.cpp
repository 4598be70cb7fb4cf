// Pixel tests of the memory image's fills, lines, coverage spans and blits.
#include <gtest/gtest.h>

#include <set>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/graphics/PixelTestUtil.h"
#include "tests/graphics/RenderReference.h"

namespace Plix {
namespace {

using Testing::MakeImage;
using Testing::PixelAt;
using Testing::Pixels;

TEST(SWRender, FillRectBlend) {
  struct Case {
    uint32_t dest;
    Color color;
    uint32_t expect;
  } cases[] = {
      {0xFF000000, Color(255, 255, 255, 128), 0xFF7F7F7F},  // half white over black
      {0x00000000, Color(255, 0, 0, 128), 0x80FE0000},      // onto clear: A = alpha, w = 255
      {0x00000000, Color(255, 255, 255, 0), 0x00000000},
      {0xFF102030, Color(1, 2, 3, 255), 0xFF010203},
      {0x80FF0000, Color(0, 0, 255, 128), 0xBF5500A9},  // A 191, w 170
  };
  for (const auto& c : cases) {
    for (int mode : {0, 1, 5}) {
      auto image = MakeImage(4, 4, c.dest);
      image->FillRect(Rect(1, 1, 2, 2), c.color, mode);
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
          bool inside = x >= 1 && x < 3 && y >= 1 && y < 3;
          EXPECT_EQ(PixelAt(*image, x, y), inside ? c.expect : c.dest) << std::hex << c.dest << " mode " << mode;
        }
    }
  }
}

TEST(SWRender, FillAndClearClipAtEveryEdge) {
  Rect rects[] = {{-2, 1, 4, 2}, {3, 1, 5, 2}, {1, -3, 2, 4}, {1, 3, 2, 9}, {-9, -9, 30, 30}, {6, 0, 2, 2}};
  for (const Rect& r : rects) {
    auto image = MakeImage(5, 5, 0xFF000000u);
    image->FillRect(r, Color(9, 8, 7), 0);
    auto cleared = MakeImage(5, 5, 0xFFFFFFFFu);
    cleared->ClearRect(r);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) {
        bool inside = x >= r.mX && x < r.mX + r.mWidth && y >= r.mY && y < r.mY + r.mHeight;
        EXPECT_EQ(PixelAt(*image, x, y), inside ? 0xFF090807u : 0xFF000000u);
        EXPECT_EQ(PixelAt(*cleared, x, y), inside ? 0u : 0xFFFFFFFFu);
      }
  }
}

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Changed(MemoryImage& image, uint32_t background) {
  PixelSet set;
  for (int y = 0; y < image.mHeight; ++y)
    for (int x = 0; x < image.mWidth; ++x)
      if (PixelAt(image, x, y) != background) set.insert({x, y});
  return set;
}

TEST(SWRender, LineWalks) {
  struct Case {
    double x1, y1, x2, y2;
    PixelSet pixels;
    uint32_t value;
  } cases[] = {
      {2.7, 1, 5.2, 1, {{2, 1}, {3, 1}, {4, 1}, {5, 1}}, 0xFFFFFFFF},  // horizontal: a fill
      {1, 0.5, 1, 3.9, {{1, 0}, {1, 1}, {1, 2}, {1, 3}}, 0xFFFFFFFF},
      {0, 0, 3, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}, 0xFFFEFEFE},  // opaque white writes 254
      {3, 1, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}, 0xFFFEFEFE},
      {3, 0, 0, 3, {{3, 0}, {2, 1}, {1, 2}, {0, 3}}, 0xFFFEFEFE},
      {1, 0, 2, 5, {{1, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}, {2, 5}}, 0xFFFEFEFE},
  };
  for (const auto& c : cases) {
    auto image = MakeImage(6, 6, 0xFF000000u);
    image->DrawLine(c.x1, c.y1, c.x2, c.y2, Color::White, 0);
    EXPECT_EQ(Changed(*image, 0xFF000000u), c.pixels) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    for (auto [x, y] : c.pixels) EXPECT_EQ(PixelAt(*image, x, y), c.value);
  }
}

TEST(SWRender, LinePixelValues) {
  struct Case {
    uint32_t dest;
    Color color;
    int mode;
    uint32_t expect;
  } cases[] = {
      {0xFF000000, Color(255, 0, 0, 128), 0, 0xFF7F0000},
      {0x800000FF, Color(255, 0, 0, 128), 0, 0xFF7F007F},  // lines always leave alpha 255
      {0x40102030, Color(100, 200, 50, 128), 1, 0xFF428449},
      {0x40F0F0F0, Color(100, 200, 50, 128), 1, 0xFFFFFFFF},
  };
  for (const auto& c : cases) {
    auto image = MakeImage(4, 4, c.dest);
    image->DrawLine(0, 0, 3, 3, c.color, c.mode);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelAt(*image, i, i), c.expect) << std::hex << c.expect;
  }
  // Other modes draw no sloped line, yet count a change.
  auto image = MakeImage(4, 4, 0xFF000000u);
  int32_t count = image->mBitsChangedCount;
  image->DrawLine(0, 0, 3, 3, Color::White, 2);
  EXPECT_EQ(Changed(*image, 0xFF000000u), PixelSet{});
  EXPECT_EQ(image->mBitsChangedCount, count + 1);
  // A level line in additive mode is a normal fill.
  image->DrawLine(0, 1, 3, 1, Color(10, 10, 10, 255), 1);
  EXPECT_EQ(PixelAt(*image, 2, 1), 0xFF0A0A0Au);
}

TEST(SWRender, AntialiasedLine) {
  auto image = MakeImage(5, 4, 0xFF000000u);
  image->DrawLineAA(0, 0, 4, 2, Color::White, 0);
  std::vector<uint32_t> expect = {
      0xFFFEFEFE, 0xFF7E7E7E, 0xFF000000, 0xFF000000, 0xFF000000,  //
      0xFF000000, 0xFF7F7F7F, 0xFFFEFEFE, 0xFF7E7E7E, 0xFF000000,  //
      0xFF000000, 0xFF000000, 0xFF000000, 0xFF7F7F7F, 0xFFFEFEFE,  //
      0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
  };
  EXPECT_EQ(Pixels(*image), expect);

  // Steep, leftward, translucent: coverage times (alpha + 1) >> 8.
  auto steep = MakeImage(3, 5, 0xFF000000u);
  steep->DrawLineAA(2, 0, 0, 4, Color(255, 255, 255, 127), 0);
  EXPECT_EQ(PixelAt(*steep, 2, 0), Ref::Over(0xFF000000, 0xFFFFFFFF, 127));
  EXPECT_EQ(PixelAt(*steep, 2, 1), Ref::Over(0xFF000000, 0xFFFFFFFF, (127 * 128) >> 8));
  // The neighbour is drawn only while the main pixel is left of the last column.
  EXPECT_EQ(PixelAt(*steep, 1, 1), 0xFF000000u);
  EXPECT_EQ(PixelAt(*steep, 0, 3), Ref::Over(0xFF000000, 0xFFFFFFFF, (128 * 128) >> 8));
  EXPECT_EQ(PixelAt(*steep, 0, 4), Ref::Over(0xFF000000, 0xFFFFFFFF, 127));

  auto additive = MakeImage(5, 4, 0xFF000000u);
  additive->DrawLineAA(0, 0, 4, 2, Color::White, 1);
  EXPECT_EQ(Changed(*additive, 0xFF000000u), PixelSet{});
}

TEST(SWRender, SpansWithCoverage) {
  auto image = MakeImage(4, 2, 0xFF000000u);
  const uint8_t coverage[] = {255, 0, 128, 64, 10, 20, 30, 40};
  Span spans[] = {{0, 0, 4}, {1, 2, 1}};
  image->FillSpansWithCoverage(spans, 2, Color::White, 0, coverage, 0, 0, 4, 2);
  std::vector<uint32_t> expect = {0xFFFEFEFE, 0xFF000000, 0xFF7F7F7F, 0xFF3F3F3F,
                                  0xFF000000, 0xFF000000, Ref::Over(0xFF000000, 0xFFFFFFFF, 30, true), 0xFF000000};
  EXPECT_EQ(Pixels(*image), expect);

  // The mask may sit elsewhere; positions outside it draw nothing.
  auto shifted = MakeImage(4, 2, 0x00000000u);
  const uint8_t one[] = {255, 255};
  Span wide[] = {{1, 0, 4}};
  shifted->FillSpansWithCoverage(wide, 1, Color(0, 255, 0, 200), 0, one, 1, 1, 2, 1);
  EXPECT_EQ(Pixels(*shifted), (std::vector<uint32_t>{0, 0, 0, 0, 0, 0xC800FE00, 0xC800FE00, 0}));
}

struct BlitCase {
  const char* name;
  uint32_t dest;
  bool destFlagsOpaque;
  Color color;
  int mode;
};

std::vector<uint32_t> SpriteBits() {
  return {0xFFFFFFFF, 0x00FFFFFF, 0x80FFFFFF, 0xFF102030,  //
          0x00000000, 0x40C08040, 0xFF808080, 0xFE010203,  //
          0xFFFFFFFF, 0xFFFFFFFF, 0x01FFFFFF, 0x00ABCDEF,  //
          0x7F7F7F7F, 0xFF000000, 0xC0FF00FF, 0x00000000};
}

TEST(SWRender, BlitValues) {
  struct Case {
    std::vector<uint32_t> src;
    uint32_t dest;
    Color color;
    int mode;
    std::vector<uint32_t> expect;
  } cases[] = {
      // Opaque destination, white: copy, skip, blend with alpha 255.
      {{0xFFFFFFFF, 0x00FFFFFF, 0x80FFFFFF, 0xFF102030},
       0xFF000000,
       Color::White,
       0,
       {0xFFFFFFFF, 0xFF000000, 0xFF7F7F7F, 0xFF102030}},
      // Clear destination: the over-blend, even for opaque pixels.
      {{0x80FFFFFF, 0xFFFFFFFF, 0x00FFFFFF, 0xFF000000},
       0x00000000,
       Color::White,
       0,
       {0x80FEFEFE, 0xFFFEFEFE, 0x00000000, 0xFF000000}},
      // Tinted red.
      {{0xFFFFFFFF, 0x80FFFFFF, 0x00FFFFFF, 0xFF808080},
       0xFF000000,
       Color(255, 0, 0, 255),
       0,
       {0xFFFD0000, 0xFF7F0000, 0xFF000000, 0xFF7F0000}},
      // Additive without the alpha flag: 128 + 144 saturates, alpha kept.
      {{0xFF808080, 0xFF000000, 0xFF010203, 0xFFFFFFFF}, 0x20909090, Color::White, 1,
       {0x20FFFFFF, 0x20909090, 0x20919293, 0x20FFFFFF}},
      // Additive with the alpha flag.
      {{0x80FFFFFF, 0xFF101010, 0x00FFFFFF, 0xFF000000}, 0xFF000000, Color::White, 1,
       {0xFF7F7F7F, 0xFF0F0F0F, 0xFF000000, 0xFF000000}},
      // Additive tinted.
      {{0xFFFFFFFF, 0xFF808080, 0xFF000000, 0xFF0000FF}, 0xFF000000, Color(255, 128, 0, 128), 1,
       {0xFF7F3F00, 0xFF402000, 0xFF000000, 0xFF000000}},
  };
  for (const auto& c : cases) {
    auto src = MakeImage(4, 1, c.src);
    auto dest = MakeImage(4, 1, c.dest);
    dest->Blit(src.get(), 0, 0, Rect(0, 0, 4, 1), c.color, c.mode);
    EXPECT_EQ(Pixels(*dest), c.expect) << std::hex << c.src[0] << " mode " << c.mode;
    EXPECT_TRUE(src->mDrawn);
  }
}

TEST(SWRender, BlitCasesMatchReference) {
  const BlitCase cases[] = {
      {"opaque white", 0xFF336699, true, Color::White, 0},
      {"opaque tinted", 0xFF336699, true, Color(200, 100, 50, 255), 0},
      {"opaque tinted translucent", 0xFF336699, true, Color(200, 100, 50, 90), 0},
      {"translucent white", 0x80336699, false, Color::White, 0},
      {"clear white", 0x00000000, false, Color::White, 0},
      {"translucent tinted", 0x80336699, false, Color(10, 250, 128, 200), 0},
      {"additive white", 0xFF336699, true, Color::White, 1},
      {"additive tinted", 0x80336699, false, Color(250, 20, 128, 177), 1},
  };
  for (const auto& c : cases) {
    for (bool palettised : {false, true}) {
      auto src = MakeImage(4, 4, SpriteBits());
      if (palettised) {
        ASSERT_TRUE(src->Palettize());
      }
      auto dest = MakeImage(6, 6, c.dest);
      if (c.destFlagsOpaque) dest->SetImageMode(false, false);
      std::vector<uint32_t> expect = Pixels(*dest);
      Ref::Blit(expect.data(), 6, 6, c.destFlagsOpaque, *src, 1, 2, Rect(0, 0, 4, 4), c.color, c.mode);
      dest->Blit(src.get(), 1, 2, Rect(0, 0, 4, 4), c.color, c.mode);
      EXPECT_EQ(Pixels(*dest), expect) << c.name << (palettised ? " palettised" : "");
      EXPECT_EQ(palettised, src->mColorTable != nullptr) << c.name;
    }
  }
}

TEST(SWRender, BlitClipsAtEveryEdge) {
  struct Case {
    int x, y;
    Rect src;
  } cases[] = {
      {-2, 1, {0, 0, 4, 4}}, {4, 1, {0, 0, 4, 4}}, {1, -3, {0, 0, 4, 4}}, {1, 4, {0, 0, 4, 4}},
      {-1, -1, {1, 1, 9, 9}}, {0, 0, {-2, -1, 4, 4}}, {7, 0, {0, 0, 4, 4}}, {0, 0, {3, 3, 2, 2}},
  };
  for (const auto& c : cases) {
    for (int mode : {0, 1}) {
      auto src = MakeImage(4, 4, SpriteBits());
      auto dest = MakeImage(6, 6, 0xFF204060u);
      std::vector<uint32_t> expect = Pixels(*dest);
      Ref::Blit(expect.data(), 6, 6, true, *src, c.x, c.y, c.src, Color::White, mode);
      dest->Blit(src.get(), c.x, c.y, c.src, Color::White, mode);
      EXPECT_EQ(Pixels(*dest), expect) << c.x << "," << c.y << " mode " << mode;
    }
  }
}

TEST(SWRender, BlitOddModesAndSources) {
  auto src = MakeImage(2, 2, 0xFFFFFFFFu);
  auto dest = MakeImage(2, 2, 0xFF000000u);
  int32_t count = dest->mBitsChangedCount;
  dest->Blit(src.get(), 0, 0, Rect(0, 0, 2, 2), Color::White, 2);
  EXPECT_EQ(Pixels(*dest), std::vector<uint32_t>(4, 0xFF000000u));
  EXPECT_EQ(dest->mBitsChangedCount, count);

  Image notMemory;
  dest->Blit(&notMemory, 0, 0, Rect(0, 0, 2, 2), Color::White, 0);
  EXPECT_TRUE(notMemory.mDrawn);
  EXPECT_EQ(dest->mBitsChangedCount, count);

  // An image onto itself.
  auto self = MakeImage(3, 1, {0xFF010101, 0xFF020202, 0xFF030303});
  self->Blit(self.get(), 1, 0, Rect(0, 0, 2, 1), Color::White, 0);
  EXPECT_EQ(Pixels(*self), (std::vector<uint32_t>{0xFF010101, 0xFF010101, 0xFF020202}));
}

}  // namespace
}  // namespace Plix

namespace Plix {
namespace {

TEST(SWRender, MirroredBlitsDrawNothingOnAMemoryImage) {
  auto src = Testing::MakeImage(2, 2, 0xFFFFFFFFu);
  auto dest = Testing::MakeImage(4, 4, 0xFF000000u);
  dest->BlitMirror(src.get(), 0, 0, Rect(0, 0, 2, 2), Color::White, 0);
  dest->StretchBlitMirror(src.get(), Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White, 0, true);
  EXPECT_EQ(Testing::Pixels(*dest), std::vector<uint32_t>(16, 0xFF000000u));
}

TEST(SWRender, ArgumentsOutsideTheImageAreSafe) {
  // The drawing context clips before calling; direct callers get clipping
  // instead of writes outside the bits.
  auto image = Testing::MakeImage(8, 8, 0xFF000000u);
  image->DrawLine(-100, -50, 300, 200, Color::White, 0);
  image->DrawLine(-1e12, 3, 1e12, 4, Color::White, 1);
  image->DrawLineAA(-100, -50, 300, 200, Color::White, 0);
  image->DrawLineAA(3, 3, 3, 3, Color::White, 0);
  Span spans[] = {{-3, 0, 4}, {2, -5, 40}, {9, 0, 2}};
  image->FillSpansWithCoverage(spans, 3, Color::White, 0, nullptr, 0, 0, 8, 8);
  const uint8_t cover[4] = {255, 255, 255, 255};
  image->FillSpansWithCoverage(spans, 3, Color::White, 0, cover, 0, 0, 2, 2);
  auto src = Testing::MakeImage(4, 4, 0xFFFFFFFFu);
  image->Blit(src.get(), 2147483000, -2147483000, Rect(-5, -5, 100, 100), Color::White, 0);
  image->StretchBlit(src.get(), Rect(-5, -5, 100, 3), Rect(-2, 1, 9, 9), Rect(-5, -5, 100, 100), Color::White, 0,
                     false);
  image->BlitRotated(src.get(), 1e30f, -3, Rect(0, 0, 4, 4), Rect(0, 0, 100, 100), Color::White, 0, 1.0, 2, 2);
  EXPECT_EQ(image->GetBits()[64], MemoryImage::kGuardWord);
}

}  // namespace
}  // namespace Plix
