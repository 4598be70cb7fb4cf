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

// Texel x of a row as ARGB.
template <TexelFormat F>
inline uint32_t TexelOf(const uint8_t* row, int32_t x, const uint32_t* palette) {
  if constexpr (F == TexelFormat::A8R8G8B8 || F == TexelFormat::X8R8G8B8) {
    uint32_t v;
    std::memcpy(&v, row + x * 4, 4);
    return F == TexelFormat::X8R8G8B8 ? v | 0xFF000000u : v;
  } else if constexpr (F == TexelFormat::P8) {
    return palette[row[x]];
  } else {
    uint16_t v;
    std::memcpy(&v, row + x * 2, 2);
    if constexpr (F == TexelFormat::A4R4G4B4)
      return (uint32_t((v >> 12) & 15) * 17 << 24) | (uint32_t((v >> 8) & 15) * 17 << 16) |
             (uint32_t((v >> 4) & 15) * 17 << 8) | uint32_t(v & 15) * 17;
    else if constexpr (F == TexelFormat::R5G6B5)
      return 0xFF000000u | (uint32_t(gWiden.t[5][(v >> 11) & 31]) << 16) | (uint32_t(gWiden.t[6][(v >> 5) & 63]) << 8) |
             gWiden.t[5][v & 31];
    else
      return 0xFF000000u | (uint32_t(gWiden.t[5][(v >> 10) & 31]) << 16) | (uint32_t(gWiden.t[5][(v >> 5) & 31]) << 8) |
             gWiden.t[5][v & 31];
  }
}

inline uint32_t Texel(const Texture& t, int32_t x, int32_t y) {
  const uint8_t* row = t.bits + std::ptrdiff_t(y) * t.pitch;
  switch (t.format) {
    case TexelFormat::A8R8G8B8: return TexelOf<TexelFormat::A8R8G8B8>(row, x, t.palette);
    case TexelFormat::X8R8G8B8: return TexelOf<TexelFormat::X8R8G8B8>(row, x, t.palette);
    case TexelFormat::A4R4G4B4: return TexelOf<TexelFormat::A4R4G4B4>(row, x, t.palette);
    case TexelFormat::R5G6B5: return TexelOf<TexelFormat::R5G6B5>(row, x, t.palette);
    case TexelFormat::X1R5G5B5: return TexelOf<TexelFormat::X1R5G5B5>(row, x, t.palette);
    case TexelFormat::P8: return TexelOf<TexelFormat::P8>(row, x, t.palette);
  }
  return 0;
}

// A texel index on one axis: clamped to the edge, or wrapped.
inline int32_t Address(int64_t i, int32_t size, bool wrap) {
  if (wrap) return int32_t(((i % size) + size) % size);
  return int32_t(std::clamp<int64_t>(i, 0, size - 1));
}

// A coordinate bound to a range that integer conversions survive.
inline double Bound(double v) { return std::clamp(v, -1e9, 1e9); }

// Texel coordinates step along a span in 32.32 fixed point, exact enough
// that a texel centre stays one over a whole texture's width.
constexpr double kOne = 4294967296.0;
inline int64_t Fixed(double texels) { return std::llround(Bound(texels) * kOne); }

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

// Targets the spans write without masks: X8R8G8B8 and R5G6B5.
enum class TargetKind { Xrgb8888, Rgb565, Masked };

// What stays the same over one primitive.
struct Pipeline {
  const Target& target;
  Layout layout;
  const Texture* texture;
  const State& state;
  TargetKind kind;
  // The straight "over" blend: opaque pixels are written, clear ones skipped.
  bool over;
  // The texture stage passes the texel on unchanged (white diffuse colour).
  bool texelOnly;
  // Texels go straight to the target: point sampling of the texel alone,
  // written or drawn "over".
  bool copyTexels;

  Pipeline(const Target& t, const Texture* tex, const State& s, bool constantWhite)
      : target(t), layout(t), texture(tex), state(s), kind(KindOf(t)),
        over(s.blend && s.srcBlend == Blend::SrcAlpha && s.destBlend == Blend::InvSrcAlpha),
        texelOnly(tex && constantWhite && StageKeepsTexel(s)),
        copyTexels(texelOnly && !s.bilinear && (over || !s.blend)) {}

  static TargetKind KindOf(const Target& t) {
    if (t.bytesPerPixel == 4 && t.redMask == 0xFF0000 && t.greenMask == 0xFF00 && t.blueMask == 0xFF && !t.alphaMask)
      return TargetKind::Xrgb8888;
    if (t.bytesPerPixel == 2 && t.redMask == 0xF800 && t.greenMask == 0x07E0 && t.blueMask == 0x1F && !t.alphaMask)
      return TargetKind::Rgb565;
    return TargetKind::Masked;
  }
  // Texture x white, or the texture alone, in both colour and alpha.
  static bool StageKeepsTexel(const State& s) {
    auto keeps = [](StageOp op, StageArg a1, StageArg a2) {
      return op == StageOp::Modulate || (op == StageOp::Arg1 && a1 == StageArg::Texture) ||
             (op == StageOp::Arg2 && a2 == StageArg::Texture);
    };
    return keeps(s.colorOp, s.colorArg1, s.colorArg2) && keeps(s.alphaOp, s.alphaArg1, s.alphaArg2);
  }

  __attribute__((always_inline)) RGBA Sample(int64_t u, int64_t v) const {
    const Texture& tex = *texture;
    if (!state.bilinear) {
      const int32_t x = Address(u >> 32, tex.width, state.wrapU), y = Address(v >> 32, tex.height, state.wrapV);
      return Unpack8888(Texel(tex, x, y));
    }
    // The four texels around the sample point, weighted in 1/256.
    const int64_t su = u - (int64_t(1) << 31), sv = v - (int64_t(1) << 31);
    const int32_t wx = int32_t((su >> 24) & 255), wy = int32_t((sv >> 24) & 255);
    const int32_t x0 = Address(su >> 32, tex.width, state.wrapU), x1 = Address((su >> 32) + 1, tex.width, state.wrapU);
    const int32_t y0 = Address(sv >> 32, tex.height, state.wrapV), y1 = Address((sv >> 32) + 1, tex.height, state.wrapV);
    const RGBA c00 = Unpack8888(Texel(tex, x0, y0)), c10 = Unpack8888(Texel(tex, x1, y0));
    const RGBA c01 = Unpack8888(Texel(tex, x0, y1)), c11 = Unpack8888(Texel(tex, x1, y1));
    auto mix = [&](int32_t a00, int32_t a10, int32_t a01, int32_t a11) {
      const int32_t top = a00 * (256 - wx) + a10 * wx;
      const int32_t bottom = a01 * (256 - wx) + a11 * wx;
      return (top * (256 - wy) + bottom * wy + 32768) >> 16;
    };
    return RGBA{mix(c00.r, c10.r, c01.r, c11.r), mix(c00.g, c10.g, c01.g, c11.g), mix(c00.b, c10.b, c01.b, c11.b),
                mix(c00.a, c10.a, c01.a, c11.a)};
  }

  RGBA Combine(const RGBA& texel, const RGBA& diffuse) const {
    if (texelOnly) return texel;
    const State& s = state;
    auto arg = [&](StageArg which) -> const RGBA& { return which == StageArg::Texture ? texel : diffuse; };
    const RGBA& c1 = arg(s.colorArg1);
    const RGBA& c2 = arg(s.colorArg2);
    return RGBA{Apply(s.colorOp, c1.r, c2.r), Apply(s.colorOp, c1.g, c2.g), Apply(s.colorOp, c1.b, c2.b),
                Apply(s.alphaOp, arg(s.alphaArg1).a, arg(s.alphaArg2).a)};
  }

  template <TargetKind K>
  RGBA Read(const uint8_t* p) const {
    if constexpr (K == TargetKind::Xrgb8888) {
      uint32_t v;
      std::memcpy(&v, p, 4);
      return RGBA{int32_t((v >> 16) & 255), int32_t((v >> 8) & 255), int32_t(v & 255), 255};
    } else if constexpr (K == TargetKind::Rgb565) {
      uint16_t v;
      std::memcpy(&v, p, 2);
      return RGBA{gWiden.t[5][(v >> 11) & 31], gWiden.t[6][(v >> 5) & 63], gWiden.t[5][v & 31], 255};
    } else {
      return layout.Unpack(layout.Read(p));
    }
  }

  template <TargetKind K>
  void Write(uint8_t* p, const RGBA& c) const {
    if constexpr (K == TargetKind::Xrgb8888) {
      const uint32_t v = (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | uint32_t(c.b);
      std::memcpy(p, &v, 4);
    } else if constexpr (K == TargetKind::Rgb565) {
      const uint16_t v = uint16_t(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3));
      std::memcpy(p, &v, 2);
    } else {
      layout.Write(p, layout.Pack(c));
    }
  }

  template <TargetKind K>
  void Store(uint8_t* p, RGBA src) const {
    const State& s = state;
    if (s.blend) {
      if (over && src.a == 0) return;
      if (!over || src.a != 255) {
        const RGBA dst = Read<K>(p);
        const int32_t fs = Factor(s.srcBlend, src.a), fd = Factor(s.destBlend, src.a);
        auto mix = [&](int32_t a, int32_t b) { return std::min(255, Div255(a * fs + b * fd)); };
        src = RGBA{mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b), mix(src.a, dst.a)};
      }
    }
    Write<K>(p, src);
  }
};

// Texels x .. x + count - 1 of one texture row, one per pixel, written or
// drawn over (the 1:1 blit, the commonest drawing there is).
template <TargetKind K, TexelFormat F>
void CopyRow(const Pipeline& p, uint8_t* px, const uint8_t* row, int32_t x, int32_t count) {
  const int32_t bytes = p.layout.bytes;
  const bool blend = p.state.blend;
  for (int32_t i = 0; i < count; ++i, px += bytes) {
    const uint32_t t = TexelOf<F>(row, x + i, p.texture->palette);
    const uint32_t alpha = t >> 24;
    if (blend && alpha != 255) {
      if (alpha != 0) p.Store<K>(px, Unpack8888(t));
      continue;
    }
    p.Write<K>(px, Unpack8888(t));
  }
}

template <TargetKind K>
void CopyRowOf(const Pipeline& p, uint8_t* px, const uint8_t* row, int32_t x, int32_t count) {
  switch (p.texture->format) {
    case TexelFormat::A8R8G8B8: return CopyRow<K, TexelFormat::A8R8G8B8>(p, px, row, x, count);
    case TexelFormat::X8R8G8B8: return CopyRow<K, TexelFormat::X8R8G8B8>(p, px, row, x, count);
    case TexelFormat::A4R4G4B4: return CopyRow<K, TexelFormat::A4R4G4B4>(p, px, row, x, count);
    case TexelFormat::R5G6B5: return CopyRow<K, TexelFormat::R5G6B5>(p, px, row, x, count);
    case TexelFormat::X1R5G5B5: return CopyRow<K, TexelFormat::X1R5G5B5>(p, px, row, x, count);
    case TexelFormat::P8: return CopyRow<K, TexelFormat::P8>(p, px, row, x, count);
  }
}

RGBA DiffuseOf(const Attributes& at, const State& s) {
  return RGBA{Clamp255(at.r), Clamp255(at.g), Clamp255(at.b), s.ignoreDiffuseAlpha ? 255 : Clamp255(at.a)};
}

// One run of pixels of a row, from x0 up to x1, with the values at x0 and
// their steps per pixel. A constant diffuse colour is worked out once.
template <TargetKind K, bool kTextured>
void Span(const Pipeline& p, int32_t y, int32_t x0, int32_t x1, Attributes at, const Attributes& step,
          bool constantDiffuse) {
  const int32_t bytes = p.layout.bytes;
  uint8_t* px = p.target.bits + std::ptrdiff_t(y) * p.target.pitch + std::ptrdiff_t(x0) * bytes;
  int64_t u = 0, v = 0, du = 0, dv = 0;
  if constexpr (kTextured) {
    const Texture& tex = *p.texture;
    u = Fixed(at.u * tex.width);
    v = Fixed(at.v * tex.height);
    du = Fixed(step.u * tex.width);
    dv = Fixed(step.v * tex.height);
    if (p.copyTexels) {
      const State& s = p.state;
      // One texel per pixel along one texture row, all inside the texture.
      const int64_t first = u >> 32, last = (u + du * (x1 - x0 - 1)) >> 32;
      if (du == int64_t(1) << 32 && dv == 0 && first >= 0 && last < tex.width) {
        const int32_t row = Address(v >> 32, tex.height, s.wrapV);
        CopyRowOf<K>(p, px, tex.bits + std::ptrdiff_t(row) * tex.pitch, int32_t(first), x1 - x0);
        return;
      }
      for (int32_t x = x0; x < x1; ++x, px += bytes, u += du, v += dv) {
        const uint32_t t =
            Texel(tex, Address(u >> 32, tex.width, s.wrapU), Address(v >> 32, tex.height, s.wrapV));
        const uint32_t alpha = t >> 24;
        if (s.blend && alpha != 255) {
          if (alpha != 0) p.Store<K>(px, Unpack8888(t));
          continue;
        }
        p.Write<K>(px, Unpack8888(t));
      }
      return;
    }
  }
  const RGBA white{255, 255, 255, 255};
  RGBA diffuse = DiffuseOf(at, p.state);
  for (int32_t x = x0; x < x1; ++x, px += bytes) {
    if (!constantDiffuse) {
      diffuse = DiffuseOf(at, p.state);
      at.r += step.r;
      at.g += step.g;
      at.b += step.b;
      at.a += step.a;
    }
    if constexpr (kTextured) {
      p.Store<K>(px, p.Combine(p.Sample(u, v), diffuse));
      u += du;
      v += dv;
    } else {
      p.Store<K>(px, p.Combine(white, diffuse));
    }
  }
}

using SpanFunction = void (*)(const Pipeline&, int32_t, int32_t, int32_t, Attributes, const Attributes&, bool);

SpanFunction SpanFor(const Pipeline& p) {
  const bool textured = p.texture != nullptr;
  switch (p.kind) {
    case TargetKind::Xrgb8888: return textured ? Span<TargetKind::Xrgb8888, true> : Span<TargetKind::Xrgb8888, false>;
    case TargetKind::Rgb565: return textured ? Span<TargetKind::Rgb565, true> : Span<TargetKind::Rgb565, false>;
    default: return textured ? Span<TargetKind::Masked, true> : Span<TargetKind::Masked, false>;
  }
}

Attributes VertexAttributes(const Vertex& v) {
  const RGBA c = Unpack8888(v.diffuse);
  return Attributes{double(c.r), double(c.g), double(c.b), double(c.a), double(v.u), double(v.v)};
}

bool Finite(const Vertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v); }

// x of an edge at height y; the edge's ends are given top first, so that
// two triangles sharing the edge compute the same value.
inline double EdgeX(const Vertex& top, const Vertex& bottom, double y) {
  return double(top.x) + (y - double(top.y)) * (double(bottom.x) - double(top.x)) / (double(bottom.y) - double(top.y));
}

}  // namespace

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

  const bool constantDiffuse = !state.gouraud || (a.diffuse == b.diffuse && a.diffuse == c.diffuse);
  const Pipeline pipeline(target, texture, state, constantDiffuse && a.diffuse == 0xFFFFFFFF);
  const SpanFunction span = SpanFor(pipeline);
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
    span(pipeline, y, xStart, xEnd, at, dx, constantDiffuse);
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
  const bool constantDiffuse = !state.gouraud || a.diffuse == b.diffuse;
  const Pipeline pipeline(target, texture, state, constantDiffuse && a.diffuse == 0xFFFFFFFF);
  const SpanFunction span = SpanFor(pipeline);
  const Attributes none{};
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
    span(pipeline, int32_t(y), int32_t(x), int32_t(x) + 1, at, none, true);
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
