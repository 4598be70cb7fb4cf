// The display's vectorised row kernels and its integer line walk against
// plain per-pixel statements of the same rules, over seeded random inputs:
// every pixel must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/PixelOps.h"
#include "framework/graphics/SWKernels.h"
#include "tests/graphics/DisplayTestSupport.h"

namespace Plix {
namespace {

using Testing::FillSurface;
using Testing::SurfacePixel;
using Testing::TestDisplay;

// Premultiplied native words in runs of clear, opaque and translucent
// pixels, with the run lengths the images keep (capped at 255).
struct NativeRow {
  std::vector<uint32_t> words;
  std::vector<uint8_t> runs;
};

NativeRow RandomNativeRow(std::mt19937& gen, int n) {
  NativeRow row;
  while (static_cast<int>(row.words.size()) < n) {
    const int kind = static_cast<int>(gen() % 3);
    const int length = static_cast<int>(gen() % (gen() % 4 == 0 ? 300 : 12)) + 1;
    for (int i = 0; i < length; ++i) {
      const uint32_t a = kind == 0 ? 0 : kind == 1 ? 255 : 1 + gen() % 254;
      uint32_t word = a << 24;
      for (int shift : {16, 8, 0}) word |= ((((gen() & 255) * (a + 1)) >> 8) & 255) << shift;
      row.words.push_back(word);
    }
  }
  row.words.resize(static_cast<size_t>(n));
  row.runs.resize(static_cast<size_t>(n));
  int remaining = 0, previous = -1;
  for (int x = n - 1; x >= 0; --x) {
    const uint32_t a = row.words[static_cast<size_t>(x)] >> 24;
    const int kind = a == 0 ? 0 : a == 255 ? 1 : 2;
    remaining = kind == previous ? remaining + 1 : 1;
    previous = kind;
    row.runs[static_cast<size_t>(x)] = static_cast<uint8_t>(std::min(remaining, 255));
  }
  return row;
}

// The display blit's per-pixel statement for an X8R8G8B8 surface.
uint32_t OverNativeReference(uint32_t d, uint32_t n) {
  const uint32_t alpha = n >> 24;
  if (alpha == 0) return d;
  if (alpha == 255) return n;
  const uint32_t v = 256 - alpha;
  return (((d & 0xFF0000) * v >> 8) & 0xFF0000) + (((d & 0xFF00) * v >> 8) & 0xFF00) + (((d & 0xFF) * v >> 8) & 0xFF) +
         n;
}

TEST(DisplayKernels, OverNativeRowMatchesThePixelRule) {
  std::mt19937 gen(3401);
  for (int round = 0; round < 400; ++round) {
    const int n = 1 + static_cast<int>(gen() % (round % 10 == 0 ? 700 : 40));
    const NativeRow source = RandomNativeRow(gen, n);
    std::vector<uint32_t> dest(static_cast<size_t>(n));
    for (uint32_t& p : dest) p = gen();
    std::vector<uint32_t> expect = dest;
    for (int i = 0; i < n; ++i) expect[size_t(i)] = OverNativeReference(dest[size_t(i)], source.words[size_t(i)]);
    Px::OverNativeRow(dest.data(), source.words.data(), source.runs.data(), n);
    ASSERT_EQ(dest, expect) << "round " << round << ", " << n << " pixels";
  }
}

// The memory image's blit onto an opaque destination: opaque pixels copied,
// clear ones kept, others OverOpaque. Rows long enough for every run length.
TEST(DisplayKernels, BlitOpaqueRowMatchesThePixelRule) {
  std::mt19937 gen(3404);
  for (int round = 0; round < 300; ++round) {
    const int n = 1 + static_cast<int>(gen() % (round % 5 == 0 ? 700 : 90));
    const NativeRow source = RandomNativeRow(gen, n);
    std::vector<uint32_t> dest(static_cast<size_t>(n));
    for (uint32_t& p : dest) p = 0xFF000000u | (gen() & 0xFFFFFF);
    std::vector<uint32_t> expect = dest;
    for (int i = 0; i < n; ++i) {
      const uint32_t s = source.words[size_t(i)], sa = s >> 24;
      if (sa == 255) expect[size_t(i)] = s;
      else if (sa != 0) expect[size_t(i)] = Px::OverOpaque(dest[size_t(i)], s, sa);
    }
    Px::BlitOpaqueRow(dest.data(), source.words.data(), source.runs.data(), n);
    ASSERT_EQ(dest, expect) << "round " << round << ", " << n << " pixels";
  }
}

// The memory image's kernels over blocks of rows (strides wider than the
// rows, as a blit from a larger image onto a larger one), against their
// per-pixel rules; rows of every length class (short ones go through one
// span, long ones by their runs; groups of eight and a remainder).
TEST(DisplayKernels, MemoryImageKernelsMatchThePixelRules) {
  const Color tint(200, 160, 100, 255), faint(90, 200, 30, 140);
  struct Case {
    const char* name;
    bool opaqueDest;
    std::function<void(uint32_t*, const uint32_t*, const uint8_t*, int, int, ptrdiff_t, ptrdiff_t, MemoryImage&)> run;
    std::function<uint32_t(uint32_t, uint32_t)> pixel;
  };
  auto tinted = [](const Color& c) {
    return [c](uint32_t d, uint32_t s) {
      const uint32_t a = ((s >> 24) * uint32_t(c.mAlpha)) / 255;
      return a ? Px::OverTinted(d, s, a, uint32_t(c.mRed), uint32_t(c.mGreen), uint32_t(c.mBlue)) : d;
    };
  };
  auto terms = [](const Color& c, bool opaque) {
    return [c, opaque](uint32_t* d, const uint32_t* s, const uint8_t* runs, int n, int rows, ptrdiff_t ds, ptrdiff_t ss,
                       MemoryImage& image) {
      ASSERT_EQ(image.GetTintTerms(c), nullptr);  // not on the first ask
      const uint32_t* t = image.GetTintTerms(c);
      ASSERT_NE(t, nullptr);
      Px::OverTintTermsRow(d, s, t, runs, n, uint32_t(c.mRed), uint32_t(c.mGreen), uint32_t(c.mBlue),
                           uint32_t(c.mAlpha), opaque, rows, ds, ss);
    };
  };
  const Case cases[] = {
      {"blit onto opaque", true,
       [](uint32_t* d, const uint32_t* s, const uint8_t* r, int n, int rows, ptrdiff_t ds, ptrdiff_t ss, MemoryImage&) {
         Px::BlitOpaqueRow(d, s, r, n, rows, ds, ss);
       },
       [](uint32_t d, uint32_t s) { return s >> 24 == 255 ? s : s >> 24 ? Px::OverOpaque(d, s, s >> 24) : d; }},
      {"over", false,
       [](uint32_t* d, const uint32_t* s, const uint8_t* r, int n, int rows, ptrdiff_t ds, ptrdiff_t ss, MemoryImage&) {
         Px::OverRow(d, s, r, n, rows, ds, ss);
       },
       [](uint32_t d, uint32_t s) { return s >> 24 ? Px::Over(d, s, s >> 24) : d; }},
      {"over by terms", false,
       [](uint32_t* d, const uint32_t* s, const uint8_t*, int n, int rows, ptrdiff_t ds, ptrdiff_t ss, MemoryImage&) {
         for (int r = 0; r < rows; ++r) {
           std::vector<uint32_t> t(static_cast<size_t>(n));
           Px::OverTerms(t.data(), s + r * ss, n);
           Px::OverTermsRow(d + r * ds, s + r * ss, t.data(), n);
         }
       },
       [](uint32_t d, uint32_t s) { return s >> 24 ? Px::Over(d, s, s >> 24) : d; }},
      {"tinted", false,
       [&](uint32_t* d, const uint32_t* s, const uint8_t* r, int n, int rows, ptrdiff_t ds, ptrdiff_t ss,
           MemoryImage&) {
         Px::OverTintedRow(d, s, r, n, uint32_t(faint.mRed), uint32_t(faint.mGreen), uint32_t(faint.mBlue),
                           uint32_t(faint.mAlpha), rows, ds, ss);
       },
       tinted(faint)},
      {"tint terms onto opaque", true, terms(tint, true), tinted(tint)},
      {"faint tint terms onto opaque", true, terms(faint, true), tinted(faint)},
      {"tint terms onto any", false, terms(tint, false), tinted(tint)},
      {"additive with alpha", false,
       [](uint32_t* d, const uint32_t* s, const uint8_t* r, int n, int rows, ptrdiff_t ds, ptrdiff_t ss, MemoryImage&) {
         Px::AddAlphaRow(d, s, r, n, rows, ds, ss);
       },
       [](uint32_t d, uint32_t s) { return Px::AddSaturate(d, Px::ScaleRGB(s, s >> 24)); }},
      {"additive", false,
       [](uint32_t* d, const uint32_t* s, const uint8_t*, int n, int rows, ptrdiff_t ds, ptrdiff_t ss, MemoryImage&) {
         Px::AddRow(d, s, n, rows, ds, ss);
       },
       [](uint32_t d, uint32_t s) { return Px::AddSaturate(d, s); }},
  };
  std::mt19937 gen(3405);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int round = 0; round < 60; ++round) {
      const int n = 1 + static_cast<int>(gen() % (round % 4 == 0 ? 400 : 70));
      const int rows = 1 + static_cast<int>(gen() % 4);
      const ptrdiff_t ss = n + static_cast<int>(gen() % 5), ds = n + static_cast<int>(gen() % 7);
      // The source block: rows of alpha runs with any colours, and the run
      // lengths of each row.
      std::vector<uint32_t> source(static_cast<size_t>(ss * rows));
      std::vector<uint8_t> runs(source.size());
      for (int r = 0; r < rows; ++r) {
        NativeRow row = RandomNativeRow(gen, static_cast<int>(ss));
        for (ptrdiff_t x = 0; x < ss; ++x) {
          source[size_t(r * ss + x)] = (row.words[size_t(x)] & 0xFF000000u) | (gen() & 0xFFFFFF);
          runs[size_t(r * ss + x)] = row.runs[size_t(x)];
        }
      }
      auto image = std::make_unique<MemoryImage>();
      image->SetBits(source.data(), static_cast<int32_t>(ss), rows);
      std::vector<uint32_t> dest(static_cast<size_t>(ds * rows));
      for (uint32_t& p : dest) p = c.opaqueDest ? 0xFF000000u | (gen() & 0xFFFFFF) : gen();
      std::vector<uint32_t> expect = dest;
      for (int r = 0; r < rows; ++r)
        for (int x = 0; x < n; ++x)
          expect[size_t(r * ds + x)] = c.pixel(dest[size_t(r * ds + x)], source[size_t(r * ss + x)]);
      c.run(dest.data(), image->GetBits(), runs.data(), n, rows, ds, ss, *image);
      ASSERT_EQ(dest, expect) << "round " << round << ", " << rows << " rows of " << n;
    }
  }
}

// The nearest stretch's gather: any columns that never decrease.
TEST(DisplayKernels, GatherRowTakesTheColumnsAsked) {
  std::mt19937 gen(3406);
  for (int round = 0; round < 200; ++round) {
    const int length = 1 + static_cast<int>(gen() % 300), n = 1 + static_cast<int>(gen() % 200);
    std::vector<uint32_t> row(static_cast<size_t>(length));
    for (uint32_t& p : row) p = gen();
    std::vector<int32_t> columns(static_cast<size_t>(n));
    int32_t at = static_cast<int32_t>(gen() % static_cast<uint32_t>(length));
    for (int32_t& c : columns) {
      c = at;
      at = std::min(length - 1, at + static_cast<int32_t>(gen() % (round % 2 ? 2 : 12)));
    }
    std::vector<uint32_t> out(static_cast<size_t>(n)), expect(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) expect[size_t(i)] = row[size_t(columns[size_t(i)])];
    Px::GatherRow(out.data(), row.data(), length, columns.data(), n);
    ASSERT_EQ(out, expect) << "round " << round;
  }
}

TEST(DisplayKernels, FadeAddRowMatchesThePixelRule) {
  std::mt19937 gen(3402);
  for (int round = 0; round < 200; ++round) {
    const int n = 1 + static_cast<int>(gen() % 70);
    const uint32_t k = 1 + gen() % 256;
    uint32_t add = 0;
    for (int shift : {16, 8, 0}) add |= (gen() % (258 - k)) << shift;
    std::vector<uint32_t> dest(static_cast<size_t>(n));
    for (uint32_t& p : dest) p = gen();
    std::vector<uint32_t> expect = dest;
    for (uint32_t& p : expect) {
      uint32_t out = 0;
      for (uint32_t m : {0xFF0000u, 0xFF00u, 0xFFu}) out += ((static_cast<uint64_t>(p & m) * k) >> 8) & m;
      p = out + add;
    }
    Px::FadeAddRow(dest.data(), n, k, add);
    ASSERT_EQ(dest, expect) << "round " << round << ", k " << k;
  }
}

// The line walk as first written, in doubles: the pixels it visits.
std::set<std::pair<int, int>> ReferenceWalk(double x1, double y1, double x2, double y2) {
  auto trunc = [](double v) { return static_cast<int32_t>(v); };
  std::set<std::pair<int, int>> out;
  const double minX = std::min(x1, x2), maxX = std::max(x1, x2);
  const double minY = std::min(y1, y2), maxY = std::max(y1, y2);
  double dx = x2 - x1, dy = y2 - y1;
  const bool xMajor = std::fabs(dx) > std::fabs(dy);
  if (xMajor ? dx < 0 : dy < 0) {
    std::swap(x1, x2);
    std::swap(y1, y2);
    dx = -dx;
    dy = -dy;
  }
  const double ma1 = xMajor ? x1 : y1, mi1 = xMajor ? y1 : x1, ma2 = xMajor ? x2 : y2;
  const double majorExtent = xMajor ? dx : dy, minorDelta = xMajor ? dy : dx;
  const int32_t step = minorDelta >= 0 ? 1 : -1;
  const double minorExtent = std::fabs(minorDelta);
  int32_t major = trunc(ma1), minor = trunc(mi1);
  out.insert(xMajor ? std::pair(major, minor) : std::pair(minor, major));
  const int32_t incE = trunc(2 * minorExtent), incNE = trunc(2 * (minorExtent - majorExtent));
  int32_t d = trunc((mi1 - trunc(mi1)) * incE + trunc(2 * minorExtent - majorExtent));
  for (int32_t counter = xMajor ? major + 1 : trunc(y1 + 1.0); static_cast<double>(counter) <= ma2; ++counter) {
    if (d > 0) {
      minor += step;
      d += incNE;
      const double px = xMajor ? counter : minor, py = xMajor ? minor : counter;
      if (px < minX || px > maxX || py < minY || py > maxY) break;
    } else {
      d += incE;
    }
    out.insert(xMajor ? std::pair(counter, minor) : std::pair(minor, counter));
  }
  return out;
}

TEST(DisplayKernels, LineWalkAndBlendMatchTheReference) {
  std::mt19937 gen(3403);
  auto coordinate = [&](int size) {
    // Whole, half and arbitrary fractions, all inside the surface.
    const int kind = static_cast<int>(gen() % 3);
    const double whole = static_cast<double>(gen() % static_cast<uint32_t>(size - 1));
    return kind == 0 ? whole : kind == 1 ? whole + 0.5 : whole + (gen() % 1000) / 1000.0;
  };
  for (int bits : {32, 16}) {
    TestDisplay display(bits, 40, 30);
    ASSERT_EQ(display.Init(), 0);
    IDirectDrawSurface* surface = display->mDrawSurface;
    for (int round = 0; round < 150; ++round) {
      const double x1 = coordinate(40), y1 = coordinate(30), x2 = coordinate(40), y2 = coordinate(30);
      const uint32_t before = bits == 32 ? 0x00406080u : 0x4208u;
      FillSurface(surface, before);
      const Color color(static_cast<int>(gen() % 256), static_cast<int>(gen() % 256), static_cast<int>(gen() % 256),
                        static_cast<int>(1 + gen() % 254));
      display->GetScreenImage()->DrawLine(x1, y1, x2, y2, color, 0);
      const auto expect = ReferenceWalk(x1, y1, x2, y2);
      // Every visited pixel gets the translucent blend, in 64 bits as first
      // written.
      const uint32_t masks[3] = {bits == 32 ? 0xFF0000u : 0xF800u, bits == 32 ? 0xFF00u : 0x07E0u,
                                 bits == 32 ? 0xFFu : 0x001Fu};
      const uint64_t a = static_cast<uint64_t>(color.mAlpha);
      const uint64_t k[3] = {static_cast<uint64_t>(color.mRed), static_cast<uint64_t>(color.mGreen),
                             static_cast<uint64_t>(color.mBlue)};
      uint32_t painted = 0;
      for (int c = 0; c < 3; ++c) {
        const uint64_t m = masks[c], q = (k[c] * a + 128) >> 8;
        painted += static_cast<uint32_t>(((uint64_t(before & m) * (256 - a) + (m >> 1)) >> 8) & m) +
                   static_cast<uint32_t>(((q * m + (m >> 1)) >> 8) & m);
      }
      std::set<std::pair<int, int>> touched;
      for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
          const uint32_t p = SurfacePixel(surface, x, y);
          if (p != before) {
            touched.insert({x, y});
            EXPECT_EQ(p, painted) << x << "," << y;
          }
        }
      if (painted != before) {
        ASSERT_EQ(touched, expect) << bits << " bits: " << x1 << "," << y1 << " " << x2 << "," << y2;
      }
    }
  }
}

}  // namespace
}  // namespace Plix
