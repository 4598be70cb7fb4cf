// Many seeded operations through the renderers' fast paths and through the
// plain per-pixel statements of RenderReference.h; the pixels must agree.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "framework/graphics/MemoryImage.h"
#include "tests/graphics/PixelTestUtil.h"
#include "tests/graphics/RenderReference.h"

namespace Plix {
namespace {

using Testing::MakeImage;
using Testing::Pixels;

class Dice {
public:
  explicit Dice(uint32_t seed) : mGen(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(mGen); }
  double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(mGen); }
  bool Chance(double p) { return Real(0, 1) < p; }
  uint32_t Word() { return mGen(); }
  Color AnyColor() {
    if (Chance(0.4)) return Color::White;
    return Color(Int(0, 255), Int(0, 255), Int(0, 255), Chance(0.3) ? 255 : Int(0, 255));
  }
  Rect AnyRect(int w, int h) { return Rect(Int(-4, w), Int(-4, h), Int(-2, w + 4), Int(-2, h + 4)); }

private:
  std::mt19937 mGen;
};

// Rows made of runs of clear, opaque and translucent pixels, as sprites are.
std::vector<uint32_t> SpritePixels(Dice& dice, int w, int h) {
  std::vector<uint32_t> bits;
  while (int(bits.size()) < w * h) {
    int kind = dice.Int(0, 19);
    uint32_t alpha = kind < 8 ? 0 : kind < 17 ? 255 : uint32_t(dice.Int(1, 254));
    int run = dice.Int(1, 6);
    for (int i = 0; i < run; ++i) {
      uint32_t a = alpha == 0 || alpha == 255 ? alpha : uint32_t(dice.Int(1, 254));
      bits.push_back(a << 24 | (dice.Word() & 0xFFFFFF));
    }
  }
  bits.resize(size_t(w) * size_t(h));
  return bits;
}

std::unique_ptr<MemoryImage> Destination(Dice& dice, int w, int h) {
  int kind = dice.Int(0, 2);
  std::vector<uint32_t> bits(size_t(w) * size_t(h));
  for (uint32_t& p : bits) {
    uint32_t a = kind == 0 ? 255 : kind == 1 ? uint32_t(dice.Int(0, 255)) : (dice.Chance(0.5) ? 0 : 255);
    p = a << 24 | (dice.Word() & 0xFFFFFF);
  }
  auto image = MakeImage(w, h, bits);
  if (kind == 0 && dice.Chance(0.5)) image->SetImageMode(false, false);
  return image;
}

TEST(RandomisedRender, FastPathsMatchPlainReference) {
  Dice dice(20240611);
  int compared = 0;
  for (int round = 0; round < 60; ++round) {
    int w = dice.Int(4, 16), h = dice.Int(4, 16);
    auto dest = Destination(dice, w, h);
    std::vector<uint32_t> expect = Pixels(*dest);
    for (int op = 0; op < 30; ++op) {
      int sw = dice.Int(1, 12), sh = dice.Int(1, 12);
      auto src = MakeImage(sw, sh, SpritePixels(dice, sw, sh));
      if (dice.Chance(0.3)) src->Palettize();
      if (dice.Chance(0.2)) src->SetVolatile(true);
      Color color = dice.AnyColor();
      int mode = dice.Chance(0.9) ? dice.Int(0, 1) : 2;
      std::ostringstream what;
      // The reference sees the flags the operation starts from.
      bool destOpaque = !dest->mHasAlpha && !dest->mHasTrans;
      switch (dice.Int(0, 4)) {
        case 0: {
          Rect r = dice.AnyRect(w, h);
          what << "FillRect " << r.mX << "," << r.mY << " " << r.mWidth << "x" << r.mHeight;
          Rect c = r.Intersection(Rect(0, 0, w, h));
          for (int y = c.mY; y < c.mY + c.mHeight; ++y)
            for (int x = c.mX; x < c.mX + c.mWidth; ++x) {
              uint32_t& d = expect[y * w + x];
              d = color.mAlpha == 255 ? (color.ToInt() | 0xFF000000) : Ref::Over(d, color.ToInt(), color.mAlpha);
            }
          dest->FillRect(r, color, mode);
          break;
        }
        case 1: {
          int x = dice.Int(-sw, w), y = dice.Int(-sh, h);
          Rect sr = dice.Chance(0.7) ? Rect(0, 0, sw, sh) : dice.AnyRect(sw, sh);
          what << "Blit at " << x << "," << y << " mode " << mode;
          Ref::Blit(expect.data(), w, h, destOpaque, *src, x, y, sr, color, mode);
          dest->Blit(src.get(), x, y, sr, color, mode);
          break;
        }
        case 2: {
          Rect dr(dice.Int(-6, w), dice.Int(-6, h), dice.Int(1, 2 * w), dice.Int(1, 2 * h));
          Rect sr(0, 0, sw, sh);
          Rect clip = dice.Chance(0.5) ? Rect(0, 0, w, h) : dice.AnyRect(w, h);
          what << "fast stretch to " << dr.mX << "," << dr.mY << " " << dr.mWidth << "x" << dr.mHeight;
          Ref::FastStretch(expect.data(), w, h, *src, dr, sr, clip, color);
          dest->StretchBlit(src.get(), dr, sr, clip, color, mode, true);
          break;
        }
        case 3: {
          Rect dr(dice.Int(-6, w), dice.Int(-6, h), dice.Int(1, 2 * w), dice.Int(1, 2 * h));
          Rect sr(dice.Int(0, sw - 1), dice.Int(0, sh - 1), 0, 0);
          sr.mWidth = dice.Int(1, sw - sr.mX);
          sr.mHeight = dice.Int(1, sh - sr.mY);
          Rect clip = dice.Chance(0.5) ? Rect(0, 0, w, h) : dice.AnyRect(w, h);
          what << "filtered stretch to " << dr.mX << "," << dr.mY << " " << dr.mWidth << "x" << dr.mHeight;
          Ref::FilteredStretch(expect.data(), w, h, *src, dr, sr, clip);
          dest->StretchBlit(src.get(), dr, sr, clip, color, mode, false);
          break;
        }
        default: {
          float x = float(dice.Real(-6, w)), y = float(dice.Real(-6, h));
          double angle = dice.Real(-7, 7);
          float cx = float(dice.Real(0, sw)), cy = float(dice.Real(0, sh));
          Rect clip = dice.Chance(0.5) ? Rect(0, 0, w, h) : dice.AnyRect(w, h);
          what << "rotated " << angle << " at " << x << "," << y << " mode " << mode;
          Ref::Rotated(expect.data(), w, h, *src, x, y, Rect(0, 0, sw, sh), clip, color, mode, angle, cx, cy);
          dest->BlitRotated(src.get(), x, y, Rect(0, 0, sw, sh), clip, color, mode, angle, cx, cy);
          break;
        }
      }
      ASSERT_EQ(Pixels(*dest), expect) << "round " << round << " op " << op << ": " << what.str();
      ++compared;
      if (dice.Chance(0.1)) dest->UpdateAlphaFlags();
    }
  }
  EXPECT_EQ(compared, 1800);
}

}  // namespace
}  // namespace Plix
