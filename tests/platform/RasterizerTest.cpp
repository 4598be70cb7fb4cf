#include "framework/platform/Rasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace Plix::Raster {
namespace {

// A 32-bit X8R8G8B8 (or any other layout) pixel buffer with padded rows.
struct Buffer {
  std::vector<uint8_t> bytes;
  Target target;
  Buffer(int w, int h, int bpp = 4, uint32_t r = 0xFF0000, uint32_t g = 0xFF00, uint32_t b = 0xFF, uint32_t a = 0) {
    target.width = w;
    target.height = h;
    target.bytesPerPixel = bpp;
    target.pitch = w * bpp + 12;
    target.redMask = r;
    target.greenMask = g;
    target.blueMask = b;
    target.alphaMask = a;
    bytes.assign(static_cast<size_t>(target.pitch) * h, 0);
    target.bits = bytes.data();
  }
  uint32_t At(int x, int y) const {
    uint32_t v = 0;
    std::memcpy(&v, bytes.data() + y * target.pitch + x * target.bytesPerPixel, target.bytesPerPixel);
    return v;
  }
  State Clipped(State s = State()) const {
    s.clipRight = target.width;
    s.clipBottom = target.height;
    return s;
  }
};

Vertex V(float x, float y, uint32_t diffuse = 0xFFFFFFFF, float u = 0, float v = 0) {
  Vertex r;
  r.x = x;
  r.y = y;
  r.diffuse = diffuse;
  r.u = u;
  r.v = v;
  return r;
}

// A quad as the framework draws it: a strip of two triangles, the second
// turned round.
void Quad(const Target& t, const Texture* tex, const State& s, float x0, float y0, float x1, float y1,
          uint32_t diffuse = 0xFFFFFFFF) {
  Vertex tl = V(x0, y0, diffuse, 0, 0), bl = V(x0, y1, diffuse, 0, 1), tr = V(x1, y0, diffuse, 1, 0),
         br = V(x1, y1, diffuse, 1, 1);
  DrawTriangle(t, tex, s, tl, bl, tr);
  DrawTriangle(t, tex, s, bl, tr, br);
}

// Additive drawing of 0x10: every covered pixel shows how often it was hit.
State Counting(const Buffer& b) {
  State s = b.Clipped();
  s.blend = true;
  s.srcBlend = Blend::One;
  s.destBlend = Blend::One;
  return s;
}

TEST(Rasterizer, QuadsCoverThePixelsWhoseCentresLieInsideOnce) {
  struct Case {
    float x0, y0, x1, y1;
    int left, top, right, bottom;  // covered, right and bottom exclusive
  } cases[] = {
      {1.5f, 2.5f, 5.5f, 4.5f, 2, 3, 6, 5},    // the framework's half-pixel quad of (2, 3, 4, 2)
      {0.3f, 0.3f, 5.3f, 2.3f, 1, 1, 6, 3},    // centres strictly inside
      {-3.5f, -3.5f, 2.5f, 1.5f, 0, 0, 3, 2},  // clipped by the target
      {2.0f, 2.0f, 2.0f, 6.0f, 0, 0, 0, 0},    // no area
  };
  for (const Case& c : cases) {
    Buffer b(8, 8);
    Quad(b.target, nullptr, Counting(b), c.x0, c.y0, c.x1, c.y1, 0xFF101010);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
        EXPECT_EQ(b.At(x, y), inside ? 0x101010u : 0u) << c.x0 << "," << c.y0 << " at " << x << "," << y;
      }
  }
}

TEST(Rasterizer, TrianglesSharingEdgesLeaveNoGapAndNoOverlap) {
  // A fan of slanted triangles around a point, and a diagonal split through
  // pixel centres: each covered pixel is hit exactly once.
  Buffer b(16, 16);
  const State s = Counting(b);
  const Vertex centre = V(7.5f, 8.0f, 0xFF101010);
  const Vertex ring[] = {V(1, 1, 0xFF101010), V(14, 2, 0xFF101010), V(15, 13.5f, 0xFF101010),
                         V(8, 15, 0xFF101010), V(0.5f, 10, 0xFF101010)};
  for (int i = 0; i < 5; ++i) DrawTriangle(b.target, nullptr, s, centre, ring[i], ring[(i + 1) % 5]);
  int covered = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const uint32_t v = b.At(x, y);
      EXPECT_TRUE(v == 0 || v == 0x101010u) << x << "," << y << " hit " << (v & 0xFF) / 0x10 << " times";
      covered += v != 0;
    }
  EXPECT_GT(covered, 120);

  Buffer d(8, 8);
  const State ds = Counting(d);
  DrawTriangle(d.target, nullptr, ds, V(0, 0, 0xFF101010), V(6, 6, 0xFF101010), V(6, 0, 0xFF101010));
  DrawTriangle(d.target, nullptr, ds, V(0, 0, 0xFF101010), V(0, 6, 0xFF101010), V(6, 6, 0xFF101010));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(d.At(x, y), x < 6 && y < 6 ? 0x101010u : 0u) << x << "," << y;
}

// One texel row of the given format with its ARGB meaning.
struct FormatCase {
  const char* name;
  TexelFormat format;
  int bytes;
  std::vector<uint32_t> raw;
  std::vector<uint32_t> argb;
};

TEST(Rasterizer, PointSamplingOneToOneReproducesEveryTexelFormat) {
  const FormatCase cases[] = {
      {"A8R8G8B8", TexelFormat::A8R8G8B8, 4, {0x80FF2040, 0xFF000000, 0x00FFFFFF}, {0x80FF2040, 0xFF000000, 0x00FFFFFF}},
      {"X8R8G8B8", TexelFormat::X8R8G8B8, 4, {0x00123456, 0x7F000000, 0}, {0xFF123456, 0xFF000000, 0xFF000000}},
      {"A4R4G4B4", TexelFormat::A4R4G4B4, 2, {0x8F21, 0xF000, 0x0FFF}, {0x88FF2211, 0xFF000000, 0x00FFFFFF}},
      {"R5G6B5", TexelFormat::R5G6B5, 2, {0xF800, 0x07E0, 0x8410}, {0xFFFF0000, 0xFF00FF00, 0xFF848284}},
      {"X1R5G5B5", TexelFormat::X1R5G5B5, 2, {0x7C00, 0x001F, 0}, {0xFFFF0000, 0xFF0000FF, 0xFF000000}},
      {"P8", TexelFormat::P8, 1, {2, 0, 1}, {0x40102030, 0x00000000, 0xFFFFFFFF}},
  };
  for (const FormatCase& c : cases) {
    std::vector<uint8_t> row(c.raw.size() * c.bytes);
    for (size_t i = 0; i < c.raw.size(); ++i) std::memcpy(row.data() + i * c.bytes, &c.raw[i], c.bytes);
    Texture tex;
    tex.bits = row.data();
    tex.pitch = static_cast<int32_t>(row.size());
    tex.width = static_cast<int32_t>(c.raw.size());
    tex.height = 1;
    tex.format = c.format;
    tex.palette[0] = 0x00000000;
    tex.palette[1] = 0xFFFFFFFF;
    tex.palette[2] = 0x40102030;
    // An A8R8G8B8 target keeps the alpha that the stage produced.
    Buffer b(3, 1, 4, 0xFF0000, 0xFF00, 0xFF, 0xFF000000u);
    Quad(b.target, &tex, b.Clipped(), -0.5f, -0.5f, 2.5f, 0.5f);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.At(x, 0), c.argb[x]) << c.name << " texel " << x;
  }
}

TEST(Rasterizer, BilinearSamplingBlendsNeighboursAndClampsAtTheEdges) {
  const uint32_t texels[2] = {0xFF000000, 0xFFFFFFFF};
  Texture tex;
  tex.bits = reinterpret_cast<const uint8_t*>(texels);
  tex.pitch = 8;
  tex.width = 2;
  tex.height = 1;
  // Two texels over four pixels: samples at texel positions -0.25, 0.25,
  // 0.75 and 1.25; the outer two clamp to the edge texels.
  Buffer b(4, 1);
  State s = b.Clipped();
  s.bilinear = true;
  Quad(b.target, &tex, s, -0.5f, -0.5f, 3.5f, 0.5f);
  EXPECT_EQ(b.At(0, 0), 0x000000u);
  EXPECT_EQ(b.At(1, 0), 0x404040u);
  EXPECT_EQ(b.At(2, 0), 0xBFBFBFu);
  EXPECT_EQ(b.At(3, 0), 0xFFFFFFu);
  // The same with wrapping: the outer samples reach round to the other edge.
  Buffer w(4, 1);
  s.wrapU = true;
  Quad(w.target, &tex, s, -0.5f, -0.5f, 3.5f, 0.5f);
  EXPECT_EQ(w.At(0, 0), 0x404040u);
  EXPECT_EQ(w.At(3, 0), 0xBFBFBFu);
}

TEST(Rasterizer, TextureStageAndBlendCombineAsTheDeviceStatesSay) {
  struct Case {
    const char* name;
    uint32_t texel, diffuse, dest;
    StageOp alphaOp;
    bool blend;
    Blend src, dst;
    uint32_t expected;
  } cases[] = {
      {"texture x diffuse", 0xFF808080, 0xFF8040FF, 0, StageOp::Arg1, false, Blend::One, Blend::Zero, 0x402080},
      {"normal blend", 0x80FF0000, 0xFFFFFFFF, 0x0000FF, StageOp::Arg1, true, Blend::SrcAlpha, Blend::InvSrcAlpha,
       0x80007F},
      {"additive saturates", 0xFFC04020, 0xFFFFFFFF, 0x808080, StageOp::Arg1, true, Blend::One, Blend::One, 0xFFC0A0},
      {"alpha add", 0x80808080, 0xFFFFFFFF, 0x404040, StageOp::Arg1, true, Blend::SrcAlpha, Blend::One, 0x808080},
      {"diffuse alpha modulates", 0xFFFF0000, 0x80FFFFFF, 0x0000FF, StageOp::Modulate, true, Blend::SrcAlpha,
       Blend::InvSrcAlpha, 0x80007F},
      {"diffuse alpha ignored by the default alpha op", 0xFFFF0000, 0x80FFFFFF, 0x0000FF, StageOp::Arg1, true,
       Blend::SrcAlpha, Blend::InvSrcAlpha, 0xFF0000},
  };
  for (const Case& c : cases) {
    Texture tex;
    tex.bits = reinterpret_cast<const uint8_t*>(&c.texel);
    tex.pitch = 4;
    tex.width = tex.height = 1;
    Buffer b(2, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) std::memcpy(b.bytes.data() + y * b.target.pitch + x * 4, &c.dest, 4);
    State s = b.Clipped();
    s.alphaOp = c.alphaOp;
    s.blend = c.blend;
    s.srcBlend = c.src;
    s.destBlend = c.dst;
    Quad(b.target, &tex, s, -0.5f, -0.5f, 1.5f, 1.5f, c.diffuse);
    EXPECT_EQ(b.At(1, 1) & 0xFFFFFF, c.expected) << c.name;
  }
}

TEST(Rasterizer, ColoursAreInterpolatedAcrossTheTriangle) {
  Buffer b(5, 1);
  const Vertex l = V(-0.5f, -0.5f, 0xFF000000), r = V(4.5f, -0.5f, 0xFFFF0000), bl = V(-0.5f, 0.5f, 0xFF000000),
               br = V(4.5f, 0.5f, 0xFFFF0000);
  DrawTriangle(b.target, nullptr, b.Clipped(), l, bl, r);
  DrawTriangle(b.target, nullptr, b.Clipped(), bl, r, br);
  // Red at the pixel centres 0.5 / 5 ... 4.5 / 5 of the way.
  const uint32_t red[] = {26, 77, 128, 179, 230};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(b.At(x, 0) >> 16, red[x]) << x;
}

TEST(Rasterizer, LinesCoverOnePixelPerStepFromStartToJustBeforeTheEnd) {
  struct Case {
    float x0, y0, x1, y1;
    std::vector<std::pair<int, int>> pixels;
  } cases[] = {
      {1, 1, 5, 1, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
      {5, 1, 1, 1, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
      {2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
      {0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
      {5, 5, 5.5f, 5.5f, {{5, 5}}},      // the end pixel the framework adds
      {-100, 3, 100, 3, {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}}},  // clipped
      {3, 3, 3, 3, {}},
  };
  for (const Case& c : cases) {
    Buffer b(8, 8);
    DrawLine(b.target, nullptr, Counting(b), V(c.x0, c.y0, 0xFF101010), V(c.x1, c.y1, 0xFF101010));
    std::vector<std::pair<int, int>> got;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        if (b.At(x, y) == 0) continue;
        EXPECT_EQ(b.At(x, y), 0x101010u);
        got.emplace_back(x, y);
      }
    auto want = c.pixels;
    std::sort(want.begin(), want.end(), [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a.first < b.first; });
    EXPECT_EQ(got, want) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
  }
}

TEST(Rasterizer, SixteenAndTwentyFourBitTargetsAreReadAndWrittenThroughTheirMasks) {
  // Half-transparent white over a 5-6-5 red: the red channel widened
  // (31 -> 255) before blending and narrowed after.
  Buffer b(1, 1, 2, 0xF800, 0x07E0, 0x001F);
  uint16_t red = 0xF800;
  std::memcpy(b.bytes.data(), &red, 2);
  State s = b.Clipped();
  s.blend = true;
  s.srcBlend = Blend::SrcAlpha;
  s.destBlend = Blend::InvSrcAlpha;
  s.alphaArg1 = StageArg::Diffuse;
  Quad(b.target, nullptr, s, -0.5f, -0.5f, 0.5f, 0.5f, 0x80FFFFFF);
  EXPECT_EQ(b.At(0, 0), (31u << 11) | (32u << 5) | 16u);

  Buffer c(2, 1, 3);
  Fill(c.target, 1, 0, 5, 1, 0xFF123456);
  EXPECT_EQ(c.At(0, 0), 0u);
  EXPECT_EQ(c.At(1, 0), 0x123456u);
}

TEST(Rasterizer, BrokenCoordinatesDrawNothing) {
  Buffer b(4, 4);
  const float inf = std::numeric_limits<float>::infinity();
  DrawTriangle(b.target, nullptr, b.Clipped(), V(0, 0), V(inf, 0), V(0, 3));
  DrawTriangle(b.target, nullptr, b.Clipped(), V(0, 0), V(std::nanf(""), 0), V(0, 3));
  DrawLine(b.target, nullptr, b.Clipped(), V(0, 0), V(std::nanf(""), 2));
  // Huge but finite coordinates are clipped, not looped over.
  DrawTriangle(b.target, nullptr, b.Clipped(), V(-1e30f, -1e30f, 0xFF010101), V(1e30f, -1e30f, 0xFF010101),
               V(0, 1e30f, 0xFF010101));
  DrawLine(b.target, nullptr, b.Clipped(), V(-1e30f, 1, 0xFF010101), V(1e30f, 1, 0xFF010101));
  EXPECT_EQ(b.At(0, 0), 0x010101u);
  EXPECT_EQ(b.At(3, 3), 0x010101u);
}

// A texture of random texels (alpha classes mixed) in the given format.
struct RandomTexture {
  std::vector<uint8_t> bits;
  Texture texture;
  RandomTexture(std::mt19937& gen, TexelFormat format, int w, int h) {
    const bool wide = format == TexelFormat::A8R8G8B8 || format == TexelFormat::X8R8G8B8;
    const int bytes = format == TexelFormat::P8 ? 1 : wide ? 4 : 2;
    texture.format = format;
    texture.width = w;
    texture.height = h;
    texture.pitch = w * bytes + 8;
    bits.resize(static_cast<size_t>(texture.pitch) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t alphas[3] = {0, 255, uint32_t(gen() % 256)};
        uint32_t v = (alphas[gen() % 3] << 24) | (gen() & 0xFFFFFF);
        if (bytes == 2) v = gen() & 0xFFFF;
        if (bytes == 1) v = gen() & 0xFF;
        std::memcpy(bits.data() + y * texture.pitch + x * bytes, &v, static_cast<size_t>(bytes));
      }
    for (uint32_t& e : texture.palette) e = gen();
    texture.bits = bits.data();
  }
};

// Scenes of image quads (one to one, a part of a texture, shifted by
// fractions, clipped; opaque and translucent formats; blended over or
// not), filled rectangles and lines, random every time.
struct SceneDraw {
  TexelFormat format;
  int tw, th;
  float x, y, w, h, u0, v0;
  bool blend;
  uint32_t diffuse;
  State clip;
};

SceneDraw RandomDraw(std::mt19937& gen, int width, int height) {
  const TexelFormat formats[] = {TexelFormat::R5G6B5, TexelFormat::A8R8G8B8, TexelFormat::X8R8G8B8,
                                 TexelFormat::A4R4G4B4, TexelFormat::P8};
  SceneDraw d;
  d.format = formats[gen() % 5];
  d.tw = 1 << (1 + gen() % 6);
  d.th = 1 << (1 + gen() % 6);
  // Mostly texel for texel (whole and half pixels), now and then scaled or
  // at odd places.
  const float fractions[] = {-0.5f, -0.5f, -0.5f, 0.0f, 0.25f, -0.375f};
  d.x = float(int(gen() % (width + 20)) - 10) + fractions[gen() % 6];
  d.y = float(int(gen() % (height + 20)) - 10) + fractions[gen() % 6];
  d.w = float(1 + gen() % d.tw);
  d.h = float(1 + gen() % d.th);
  if (gen() % 6 == 0) d.w *= 1.5f;
  d.u0 = float(gen() % d.tw) / float(d.tw);
  d.v0 = float(gen() % d.th) / float(d.th);
  d.blend = gen() % 4 != 0;
  d.diffuse = gen() % 5 == 0 ? 0xC0FF8040u : 0xFFFFFFFFu;
  d.clip.clipLeft = int32_t(gen() % 8);
  d.clip.clipTop = int32_t(gen() % 8);
  d.clip.clipRight = width - int32_t(gen() % 8);
  d.clip.clipBottom = height - int32_t(gen() % 8);
  d.clip.blend = d.blend;
  d.clip.srcBlend = Blend::SrcAlpha;
  d.clip.destBlend = Blend::InvSrcAlpha;
  return d;
}

// The strip of an image quad, as the framework sends it.
void QuadOf(const SceneDraw& d, Vertex v[4]) {
  const float u1 = d.u0 + d.w / float(d.tw), v1 = d.v0 + d.h / float(d.th);
  v[0] = V(d.x, d.y, d.diffuse, d.u0, d.v0);
  v[1] = V(d.x, d.y + d.h, d.diffuse, d.u0, v1);
  v[2] = V(d.x + d.w, d.y, d.diffuse, u1, d.v0);
  v[3] = V(d.x + d.w, d.y + d.h, d.diffuse, u1, v1);
}

TEST(Rasterizer, AnUprightQuadDrawsAsItsTwoTriangles) {
  std::mt19937 gen(4711);
  int together = 0;
  for (int round = 0; round < 400; ++round) {
    const bool sixteen = round % 4 == 3;
    Buffer a(37, 29, sixteen ? 2 : 4, sixteen ? 0xF800 : 0xFF0000, sixteen ? 0x07E0 : 0xFF00, sixteen ? 0x1F : 0xFF);
    for (uint8_t& byte : a.bytes) byte = static_cast<uint8_t>(gen());
    Buffer b = a;
    b.target.bits = b.bytes.data();
    const SceneDraw d = RandomDraw(gen, 37, 29);
    RandomTexture tex(gen, d.format, d.tw, d.th);
    Vertex v[4];
    QuadOf(d, v);
    if (!DrawUprightQuad(a.target, &tex.texture, d.clip, v[0], v[1], v[2], v[3])) continue;
    ++together;
    DrawTriangle(b.target, &tex.texture, d.clip, v[0], v[1], v[2]);
    DrawTriangle(b.target, &tex.texture, d.clip, v[2], v[1], v[3]);
    ASSERT_EQ(a.bytes, b.bytes) << "round " << round;
  }
  EXPECT_GT(together, 150);  // the usual quad takes the joined road
}

// The rows the commonest target gets at once (texels copied or blended,
// one colour filled or blended) against the same drawing through the plain
// per-pixel road of a layout with an alpha channel: the colours agree.
TEST(Rasterizer, RowsOfTheCommonestTargetMatchThePlainPixelRoad) {
  std::mt19937 gen(4712);
  const Blend factors[] = {Blend::Zero, Blend::One, Blend::SrcAlpha, Blend::InvSrcAlpha};
  for (int round = 0; round < 300; ++round) {
    Buffer fast(41, 23), plain(41, 23, 4, 0xFF0000, 0xFF00, 0xFF, 0xFF000000u);
    for (size_t i = 0; i < fast.bytes.size(); ++i) fast.bytes[i] = plain.bytes[i] = static_cast<uint8_t>(gen());
    const SceneDraw d = RandomDraw(gen, 41, 23);
    RandomTexture tex(gen, d.format, d.tw, d.th);
    Vertex v[4];
    QuadOf(d, v);
    State solid = d.clip;
    solid.srcBlend = factors[gen() % 4];
    solid.destBlend = factors[gen() % 4];
    solid.alphaArg1 = StageArg::Diffuse;
    const uint32_t colour = gen();
    const Vertex line0 = V(float(gen() % 41), float(gen() % 23), colour);
    const Vertex line1 = V(float(gen() % 41), float(gen() % 23), colour);
    for (Buffer* b : {&fast, &plain}) {
      if (!DrawUprightQuad(b->target, &tex.texture, d.clip, v[0], v[1], v[2], v[3])) {
        DrawTriangle(b->target, &tex.texture, d.clip, v[0], v[1], v[2]);
        DrawTriangle(b->target, &tex.texture, d.clip, v[2], v[1], v[3]);
      }
      Vertex r[4] = {V(v[0].x, v[0].y, colour), V(v[1].x, v[1].y, colour), V(v[2].x, v[2].y, colour),
                     V(v[3].x, v[3].y, colour)};
      DrawTriangle(b->target, nullptr, solid, r[0], r[1], r[2]);
      DrawTriangle(b->target, nullptr, solid, r[2], r[1], r[3]);
      DrawLine(b->target, nullptr, solid, line0, line1);
    }
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 41; ++x)
        ASSERT_EQ(fast.At(x, y) & 0xFFFFFF, plain.At(x, y) & 0xFFFFFF) << "round " << round << " at " << x << "," << y;
  }
}

}  // namespace
}  // namespace Plix::Raster
