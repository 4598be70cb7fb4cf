#include "framework/platform/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace Plix::Raster {

namespace {

struct RGBA {
  int32_t r = 0;
  int32_t g = 0;
  int32_t b = 0;
  int32_t a = 255;
};

RGBA Unpack8888(uint32_t argb) {
  return RGBA{int32_t((argb >> 16) & 255), int32_t((argb >> 8) & 255), int32_t(argb & 255), int32_t(argb >> 24)};
}

// Channels of n bits (n below 8) widened to 8 by repeating their bits, so
// that the largest value becomes 255 (a 4-bit 15 is 255, a 5-bit 16 is 132).
struct WidenTables {
  uint8_t t[9][256];
  WidenTables() {
    for (int bits = 0; bits <= 8; ++bits) {
      const int max = (1 << bits) - 1;
      for (int v = 0; v < 256; ++v) t[bits][v] = max ? uint8_t((std::min(v, max) * 255 + max / 2) / max) : 0;
    }
  }
};
const WidenTables gWiden;

// round(x / 255) for the sums of products of 8-bit values.
inline int32_t Div255(int32_t x) { return (x + 127) / 255; }

struct Channel {
  uint32_t mask = 0;
  int32_t shift = 0;
  int32_t bits = 0;

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!(m & 1)) {
      m >>= 1;
      ++shift;
    }
    while (m & 1) {
      m >>= 1;
      ++bits;
    }
  }
  int32_t Get(uint32_t pixel) const {
    const uint32_t v = (pixel & mask) >> shift;
    return bits >= 8 ? int32_t(v >> (bits - 8)) : gWiden.t[bits][v];
  }
  uint32_t Put(int32_t c) const {
    const uint32_t v = bits >= 8 ? uint32_t(c) << (bits - 8) : uint32_t(c) >> (8 - bits);
    return (v << shift) & mask;
  }
};

struct Layout {
  Channel r, g, b, a;
  int32_t bytes;
  explicit Layout(const Target& t)
      : r(t.redMask), g(t.greenMask), b(t.blueMask), a(t.alphaMask), bytes(t.bytesPerPixel) {}

  uint32_t Read(const uint8_t* p) const {
    switch (bytes) {
      case 2: { uint16_t v; std::memcpy(&v, p, 2); return v; }
      case 3: return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
      default: { uint32_t v; std::memcpy(&v, p, 4); return v; }
    }
  }
  void Write(uint8_t* p, uint32_t v) const {
    switch (bytes) {
      case 2: { uint16_t w = uint16_t(v); std::memcpy(p, &w, 2); break; }
      case 3: p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); break;
      default: std::memcpy(p, &v, 4); break;
    }
  }
  RGBA Unpack(uint32_t v) const { return RGBA{r.Get(v), g.Get(v), b.Get(v), a.mask ? a.Get(v) : 255}; }
  uint32_t Pack(const RGBA& c) const { return r.Put(c.r) | g.Put(c.g) | b.Put(c.b) | a.Put(c.a); }
};

inline int32_t Factor(Blend f, int32_t srcAlpha) {
  switch (f) {
    case Blend::Zero: return 0;
    case Blend::One: return 255;
    case Blend::SrcAlpha: return srcAlpha;
    case Blend::InvSrcAlpha: return 255 - srcAlpha;
  }
  return 0;
}

inline int32_t Clamp255(double v) { return v <= 0 ? 0 : v >= 255 ? 255 : int32_t(v + 0.5); }

// A texel index on one axis: clamped to the edge, or wrapped.
inline int32_t Address(int64_t i, int32_t size, bool wrap) {
  if (wrap) return int32_t(((i % size) + size) % size);
  return int32_t(std::clamp<int64_t>(i, 0, size - 1));
}

// Texture coordinate times size, kept where 64-bit arithmetic is safe.
inline double Scaled(double t, int32_t size) { return std::clamp(t * size, -1e9, 1e9); }

RGBA Sample(const Texture& tex, const State& s, double u, double v) {
  if (!s.bilinear) {
    const int32_t x = Address(int64_t(std::floor(Scaled(u, tex.width))), tex.width, s.wrapU);
    const int32_t y = Address(int64_t(std::floor(Scaled(v, tex.height))), tex.height, s.wrapV);
    return Unpack8888(FetchTexel(tex, x, y));
  }
  // Bilinear: the four texels around the sample point, weighted in 1/256.
  const int64_t fu = int64_t(std::floor((Scaled(u, tex.width) - 0.5) * 256 + 0.5));
  const int64_t fv = int64_t(std::floor((Scaled(v, tex.height) - 0.5) * 256 + 0.5));
  const int32_t wx = int32_t(fu & 255), wy = int32_t(fv & 255);
  const int64_t ix = fu >> 8, iy = fv >> 8;
  const int32_t x0 = Address(ix, tex.width, s.wrapU), x1 = Address(ix + 1, tex.width, s.wrapU);
  const int32_t y0 = Address(iy, tex.height, s.wrapV), y1 = Address(iy + 1, tex.height, s.wrapV);
  const RGBA c00 = Unpack8888(FetchTexel(tex, x0, y0)), c10 = Unpack8888(FetchTexel(tex, x1, y0));
  const RGBA c01 = Unpack8888(FetchTexel(tex, x0, y1)), c11 = Unpack8888(FetchTexel(tex, x1, y1));
  auto mix = [&](int32_t a00, int32_t a10, int32_t a01, int32_t a11) {
    const int32_t top = a00 * (256 - wx) + a10 * wx;
    const int32_t bottom = a01 * (256 - wx) + a11 * wx;
    return (top * (256 - wy) + bottom * wy + 32768) >> 16;
  };
  return RGBA{mix(c00.r, c10.r, c01.r, c11.r), mix(c00.g, c10.g, c01.g, c11.g), mix(c00.b, c10.b, c01.b, c11.b),
              mix(c00.a, c10.a, c01.a, c11.a)};
}

inline int32_t Apply(StageOp op, int32_t arg1, int32_t arg2) {
  switch (op) {
    case StageOp::Arg1: return arg1;
    case StageOp::Arg2: return arg2;
    case StageOp::Modulate: return Div255(arg1 * arg2);
  }
  return arg1;
}

// The interpolated values of one pixel.
struct Attributes {
  double r, g, b, a, u, v;
};

// Texture stage, blend and write of one pixel.
class PixelWriter {
public:
  PixelWriter(const Target& target, const Texture* texture, const State& state)
      : mTarget(target), mLayout(target), mTexture(texture), mState(state) {}

  void Plot(int32_t x, int32_t y, const Attributes& at) {
    RGBA diffuse{Clamp255(at.r), Clamp255(at.g), Clamp255(at.b), mState.ignoreDiffuseAlpha ? 255 : Clamp255(at.a)};
    RGBA texel = mTexture ? Sample(*mTexture, mState, at.u, at.v) : RGBA{255, 255, 255, 255};
    const State& s = mState;
    auto arg = [&](StageArg which) -> const RGBA& { return which == StageArg::Texture ? texel : diffuse; };
    const RGBA& c1 = arg(s.colorArg1);
    const RGBA& c2 = arg(s.colorArg2);
    RGBA src{Apply(s.colorOp, c1.r, c2.r), Apply(s.colorOp, c1.g, c2.g), Apply(s.colorOp, c1.b, c2.b),
             Apply(s.alphaOp, arg(s.alphaArg1).a, arg(s.alphaArg2).a)};
    uint8_t* p = mTarget.bits + std::ptrdiff_t(y) * mTarget.pitch + std::ptrdiff_t(x) * mLayout.bytes;
    if (s.blend) {
      const RGBA dst = mLayout.Unpack(mLayout.Read(p));
      const int32_t fs = Factor(s.srcBlend, src.a), fd = Factor(s.destBlend, src.a);
      auto mix = [&](int32_t a, int32_t b) { return std::min(255, Div255(a * fs + b * fd)); };
      src = RGBA{mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b), mix(src.a, dst.a)};
    }
    mLayout.Write(p, mLayout.Pack(src));
  }

private:
  const Target& mTarget;
  Layout mLayout;
  const Texture* mTexture;
  const State& mState;
};

Attributes VertexAttributes(const Vertex& v) {
  const RGBA c = Unpack8888(v.diffuse);
  return Attributes{double(c.r), double(c.g), double(c.b), double(c.a), double(v.u), double(v.v)};
}

bool Finite(const Vertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v); }

// A coordinate bound to a range that integer conversions survive.
inline double Bound(double v) { return std::clamp(v, -1e9, 1e9); }

// x of an edge at height y; the edge's ends are given top first, so that
// two triangles sharing the edge compute the same value.
inline double EdgeX(const Vertex& top, const Vertex& bottom, double y) {
  return double(top.x) + (y - double(top.y)) * (double(bottom.x) - double(top.x)) / (double(bottom.y) - double(top.y));
}

}  // namespace

uint32_t FetchTexel(const Texture& t, int32_t x, int32_t y) {
  const uint8_t* row = t.bits + std::ptrdiff_t(y) * t.pitch;
  switch (t.format) {
    case TexelFormat::A8R8G8B8: { uint32_t v; std::memcpy(&v, row + x * 4, 4); return v; }
    case TexelFormat::X8R8G8B8: { uint32_t v; std::memcpy(&v, row + x * 4, 4); return v | 0xFF000000u; }
    case TexelFormat::A4R4G4B4: {
      uint16_t v;
      std::memcpy(&v, row + x * 2, 2);
      return (uint32_t((v >> 12) & 15) * 17 << 24) | (uint32_t((v >> 8) & 15) * 17 << 16) |
             (uint32_t((v >> 4) & 15) * 17 << 8) | uint32_t(v & 15) * 17;
    }
    case TexelFormat::R5G6B5: {
      uint16_t v;
      std::memcpy(&v, row + x * 2, 2);
      return 0xFF000000u | (uint32_t(gWiden.t[5][(v >> 11) & 31]) << 16) | (uint32_t(gWiden.t[6][(v >> 5) & 63]) << 8) |
             gWiden.t[5][v & 31];
    }
    case TexelFormat::X1R5G5B5: {
      uint16_t v;
      std::memcpy(&v, row + x * 2, 2);
      return 0xFF000000u | (uint32_t(gWiden.t[5][(v >> 10) & 31]) << 16) | (uint32_t(gWiden.t[5][(v >> 5) & 31]) << 8) |
             gWiden.t[5][v & 31];
    }
    case TexelFormat::P8: return t.palette[row[x]];
  }
  return 0;
}

void DrawTriangle(const Target& target, const Texture* texture, const State& state, const Vertex& a, const Vertex& b,
                  const Vertex& c) {
  if (!Finite(a) || !Finite(b) || !Finite(c)) return;
  const double x0 = a.x, y0 = a.y;
  const double e1x = double(b.x) - x0, e1y = double(b.y) - y0, e2x = double(c.x) - x0, e2y = double(c.y) - y0;
  const double area = e1x * e2y - e2x * e1y;
  if (area == 0) return;

  // Plane equations of the attributes: value = at(a) + dx * (x - ax) + dy * (y - ay).
  const Attributes va = VertexAttributes(a), vb = VertexAttributes(b), vc = VertexAttributes(c);
  Attributes dx{}, dy{};
  auto plane = [&](double Attributes::*f) {
    const double d1 = vb.*f - va.*f, d2 = vc.*f - va.*f;
    dx.*f = (d1 * e2y - d2 * e1y) / area;
    dy.*f = (d2 * e1x - d1 * e2x) / area;
  };
  plane(&Attributes::u);
  plane(&Attributes::v);
  if (state.gouraud) {
    plane(&Attributes::r);
    plane(&Attributes::g);
    plane(&Attributes::b);
    plane(&Attributes::a);
  }

  // Top to bottom; ties left to right.
  const Vertex* p[3] = {&a, &b, &c};
  std::sort(p, p + 3, [](const Vertex* l, const Vertex* r) { return l->y < r->y || (l->y == r->y && l->x < r->x); });
  const int32_t yStart = int32_t(std::max(Bound(std::ceil(double(p[0]->y))), double(state.clipTop)));
  const int32_t yEnd = int32_t(std::min(Bound(std::ceil(double(p[2]->y))), double(state.clipBottom)));

  PixelWriter writer(target, texture, state);
  for (int32_t y = yStart; y < yEnd; ++y) {
    const double py = y;
    const double xa = EdgeX(*p[0], *p[2], py);
    const double xb = py < p[1]->y ? EdgeX(*p[0], *p[1], py) : EdgeX(*p[1], *p[2], py);
    const int32_t xStart = int32_t(std::max(Bound(std::ceil(std::min(xa, xb))), double(state.clipLeft)));
    const int32_t xEnd = int32_t(std::min(Bound(std::ceil(std::max(xa, xb))), double(state.clipRight)));
    if (xStart >= xEnd) continue;
    const double ox = xStart - x0, oy = py - y0;
    Attributes at = va;
    for (double Attributes::*f : {&Attributes::r, &Attributes::g, &Attributes::b, &Attributes::a, &Attributes::u,
                                  &Attributes::v})
      at.*f += dx.*f * ox + dy.*f * oy;
    for (int32_t x = xStart; x < xEnd; ++x) {
      writer.Plot(x, y, at);
      at.r += dx.r;
      at.g += dx.g;
      at.b += dx.b;
      at.a += dx.a;
      at.u += dx.u;
      at.v += dx.v;
    }
  }
}

void DrawLine(const Target& target, const Texture* texture, const State& state, const Vertex& a, const Vertex& b) {
  if (!Finite(a) || !Finite(b)) return;
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  if (dx == 0 && dy == 0) return;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  // Steps along the major axis from the start's pixel up to the end's.
  const double from = xMajor ? a.x : a.y, length = xMajor ? dx : dy;
  const int64_t first = int64_t(std::floor(Bound(from) + 0.5));
  const int64_t last = int64_t(std::floor(Bound(from + length) + 0.5));
  const int64_t step = last > first ? 1 : -1;
  const int64_t lo = xMajor ? state.clipLeft : state.clipTop, hi = xMajor ? state.clipRight : state.clipBottom;
  const Attributes va = VertexAttributes(a), vb = VertexAttributes(b);
  // Only the steps inside the clip range.
  const int64_t begin = step > 0 ? std::max(first, lo) : std::min(first, hi - 1);
  const int64_t end = step > 0 ? std::min(last, hi) : std::max(last, lo - 1);
  PixelWriter writer(target, texture, state);
  for (int64_t i = begin; step > 0 ? i < end : i > end; i += step) {
    const double t = std::clamp((double(i) - from) / length, 0.0, 1.0);
    const double minor = xMajor ? a.y + t * dy : a.x + t * dx;
    const int64_t j = int64_t(std::floor(Bound(minor) + 0.5));
    const int64_t x = xMajor ? i : j, y = xMajor ? j : i;
    if (x < state.clipLeft || x >= state.clipRight || y < state.clipTop || y >= state.clipBottom) continue;
    Attributes at = va;
    if (state.gouraud) {
      at.r += (vb.r - va.r) * t;
      at.g += (vb.g - va.g) * t;
      at.b += (vb.b - va.b) * t;
      at.a += (vb.a - va.a) * t;
    }
    at.u += (vb.u - va.u) * t;
    at.v += (vb.v - va.v) * t;
    writer.Plot(int32_t(x), int32_t(y), at);
  }
}

void Fill(const Target& target, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t argb) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, target.width);
  bottom = std::min(bottom, target.height);
  const Layout layout(target);
  const uint32_t value = layout.Pack(Unpack8888(argb));
  for (int32_t y = top; y < bottom; ++y) {
    uint8_t* p = target.bits + std::ptrdiff_t(y) * target.pitch + std::ptrdiff_t(left) * layout.bytes;
    for (int32_t x = left; x < right; ++x, p += layout.bytes) layout.Write(p, value);
  }
}

}  // namespace Plix::Raster
