#include "framework/platform/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

// Row kernels for the commonest target, X8R8G8B8, built twice on x86-64
// (plain and AVX2) like the software renderers' own; their helpers and
// lambdas are always inlined so that they are built for the kernel's target.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define PLIX_RASTER_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define PLIX_RASTER_KERNEL
#endif
#define PLIX_RASTER_INLINE inline __attribute__((always_inline))

namespace Plix::Raster {

namespace {

// Eight pixels as words, the same bits as sixteen 16-bit lanes, and eight
// 16-bit texels.
typedef uint32_t W8 __attribute__((vector_size(32)));
typedef uint16_t H16 __attribute__((vector_size(32)));
typedef uint16_t T8 __attribute__((vector_size(16)));

PLIX_RASTER_INLINE W8 Load8(const uint32_t* p) {
  W8 v;
  std::memcpy(&v, p, 32);
  return v;
}
PLIX_RASTER_INLINE void Store8(uint32_t* p, W8 v) { std::memcpy(p, &v, 32); }
PLIX_RASTER_INLINE H16 Lanes(W8 v) { return __builtin_bit_cast(H16, v); }
PLIX_RASTER_INLINE W8 Words(H16 v) { return __builtin_bit_cast(W8, v); }

// (v * 255 + max / 2) / max for a channel of 5 or 6 bits, the widening of
// the texel formats, as (v * m + c) >> 6: exact for every value, and within
// 16 bits.
PLIX_RASTER_INLINE T8 Widen5(T8 v) { return (v * 527 + 23) >> 6; }
PLIX_RASTER_INLINE T8 Widen6(T8 v) { return (v * 259 + 33) >> 6; }

// Opaque R5G6B5 texels onto X8R8G8B8: the widened channels, top byte 0.
// Sixteen at a time, so that the widening works on whole 32-byte vectors.
typedef uint16_t T16 __attribute__((vector_size(32)));
typedef uint32_t W16 __attribute__((vector_size(64)));
PLIX_RASTER_INLINE T16 Widen5(T16 v) { return (v * 527 + 23) >> 6; }
PLIX_RASTER_INLINE T16 Widen6(T16 v) { return (v * 259 + 33) >> 6; }

PLIX_RASTER_KERNEL void Copy565ToXrgb(uint32_t* d, const uint16_t* s, int32_t n) {
  auto eight = [](const uint16_t* t) __attribute__((always_inline)) {
    T8 v;
    std::memcpy(&v, t, 16);
    return (__builtin_convertvector(Widen5(v >> 11), W8) << 16) |
           (__builtin_convertvector(Widen6((v >> 5) & 63), W8) << 8) | __builtin_convertvector(Widen5(v & 31), W8);
  };
  int32_t i = 0;
  for (; i + 16 <= n; i += 16) {
    T16 v;
    std::memcpy(&v, s + i, 32);
    const W16 out = (__builtin_convertvector(Widen5(v >> 11), W16) << 16) |
                    (__builtin_convertvector(Widen6((v >> 5) & 63), W16) << 8) |
                    __builtin_convertvector(Widen5(v & 31), W16);
    std::memcpy(d + i, &out, 64);
  }
  for (; i + 8 <= n; i += 8) Store8(d + i, eight(s + i));
  if (i < n && n >= 8) {
    Store8(d + n - 8, eight(s + n - 8));  // the same values again where they overlap
    return;
  }
  for (; i < n; ++i) {
    const uint32_t v = s[i];
    d[i] = ((((v >> 11) * 527 + 23) >> 6) << 16) | (((((v >> 5) & 63) * 259 + 33) >> 6) << 8) |
           (((v & 31) * 527 + 23) >> 6);
  }
}

// A8R8G8B8 texels onto X8R8G8B8, drawn "over": clear ones skipped, opaque
// ones written, others per colour channel (s * a + d * (255 - a) + 127) / 255,
// worked in 16-bit lanes (the sum stays below 65281, where
// (y + 1 + (y >> 8)) >> 8 is y / 255); written pixels get top byte 0.
PLIX_RASTER_INLINE W8 Over8(W8 dv, W8 sv) {
  W8 a = sv >> 24;
  H16 a2 = Lanes(a | (a << 16)), k2 = 255 - a2;
  auto mix = [&](H16 sl, H16 dl) __attribute__((always_inline)) {
    H16 y = sl * a2 + dl * k2 + 127;
    return (y + 1 + (y >> 8)) >> 8;
  };
  H16 rb = mix(Lanes(sv & 0xFF00FF), Lanes(dv & 0xFF00FF));
  H16 g = mix(Lanes((sv >> 8) & 0xFF), Lanes((dv >> 8) & 0xFF));
  W8 blended = Words(rb) | (Words(g) << 8);
  return a == 0 ? dv : a == 255 ? sv & 0xFFFFFF : blended;
}

PLIX_RASTER_KERNEL void Over8888ToXrgb(uint32_t* d, const uint32_t* s, int32_t n) {
  if (n >= 8) {
    const W8 last = Over8(Load8(d + n - 8), Load8(s + n - 8));
    for (int32_t i = 0; i < n - 8; i += 8) Store8(d + i, Over8(Load8(d + i), Load8(s + i)));
    Store8(d + n - 8, last);
    return;
  }
  for (int32_t i = 0; i < n; ++i) {
    const uint32_t t = s[i], a = t >> 24;
    if (a == 0) continue;
    if (a == 255) {
      d[i] = t & 0xFFFFFF;
      continue;
    }
    uint32_t out = 0;
    for (int sh : {16, 8, 0}) out |= ((((t >> sh) & 255) * a + ((d[i] >> sh) & 255) * (255 - a) + 127) / 255) << sh;
    d[i] = out;
  }
}

// One colour onto X8R8G8B8 with constant factors (fs + fd at most 255):
// per channel (c * fs + d * fd + 127) / 255, top byte 0.
PLIX_RASTER_KERNEL void BlendConstantToXrgb(uint32_t* d, int32_t n, uint32_t rgb, uint32_t fs, uint32_t fd) {
  const H16 cRB = Lanes(W8{} + (rgb & 0xFF00FF)) * uint16_t(fs) + 127;
  const H16 cG = Lanes(W8{} + ((rgb >> 8) & 0xFF)) * uint16_t(fs) + 127;
  auto eight = [&](W8 dv) __attribute__((always_inline)) {
    H16 rb = Lanes(dv & 0xFF00FF) * uint16_t(fd) + cRB, g = Lanes((dv >> 8) & 0xFF) * uint16_t(fd) + cG;
    rb = (rb + 1 + (rb >> 8)) >> 8;
    g = (g + 1 + (g >> 8)) >> 8;
    return Words(rb) | (Words(g) << 8);
  };
  if (n >= 8) {
    const W8 last = eight(Load8(d + n - 8));
    for (int32_t i = 0; i < n - 8; i += 8) Store8(d + i, eight(Load8(d + i)));
    Store8(d + n - 8, last);
    return;
  }
  for (int32_t i = 0; i < n; ++i) {
    uint32_t out = 0;
    for (int sh : {16, 8, 0}) out |= ((((rgb >> sh) & 255) * fs + ((d[i] >> sh) & 255) * fd + 127) / 255) << sh;
    d[i] = out;
  }
}

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

// std::ceil and std::floor, inline (the plain x86-64 build calls the
// library for them, on every row and every pixel of a line). From 2^52 on
// every double is whole; NaN and infinities pass through.
inline double Ceil(double v) {
  if (!(std::fabs(v) < 4503599627370496.0)) return v;
  const double t = double(int64_t(v));
  return t < v ? t + 1 : t;
}
inline double Floor(double v) {
  if (!(std::fabs(v) < 4503599627370496.0)) return v;
  const double t = double(int64_t(v));
  return t > v ? t - 1 : t;
}

// Texel coordinates step along a span in 32.32 fixed point, exact enough
// that a texel centre stays one over a whole texture's width.
constexpr double kOne = 4294967296.0;
// std::llround, inline: half away from zero. Below 2^52 the fraction is
// exact; at or above it every double is whole.
inline int64_t Fixed(double texels) {
  const double v = Bound(texels) * kOne;
  int64_t whole = int64_t(v);
  const double fraction = v - double(whole);
  if (fraction >= 0.5) ++whole;
  else if (fraction <= -0.5) --whole;
  return whole;
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
  if constexpr (K == TargetKind::Xrgb8888 && F == TexelFormat::R5G6B5) {
    // Opaque texels: written whatever the blend.
    const uint16_t* from = reinterpret_cast<const uint16_t*>(row) + x;
    if (reinterpret_cast<uintptr_t>(px) % 4 == 0 && reinterpret_cast<uintptr_t>(from) % 2 == 0) {
      Copy565ToXrgb(reinterpret_cast<uint32_t*>(px), from, count);
      return;
    }
  }
  if constexpr (K == TargetKind::Xrgb8888 && F == TexelFormat::A8R8G8B8) {
    const uint8_t* from = row + std::ptrdiff_t(x) * 4;
    if (p.state.blend && reinterpret_cast<uintptr_t>(px) % 4 == 0 && reinterpret_cast<uintptr_t>(from) % 4 == 0) {
      Over8888ToXrgb(reinterpret_cast<uint32_t*>(px), reinterpret_cast<const uint32_t*>(from), count);
      return;
    }
  }
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
void Span(const Pipeline& p, int32_t y, int32_t x0, int32_t x1, const Attributes& start, const Attributes& step,
          bool constantDiffuse) {
  Attributes at = start;
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
  if constexpr (!kTextured && K == TargetKind::Xrgb8888) {
    // One colour over the whole run (a filled rectangle): the row at once.
    if (constantDiffuse && reinterpret_cast<uintptr_t>(px) % 4 == 0) {
      const RGBA c = p.Combine(white, diffuse);
      const State& s = p.state;
      const uint32_t rgb = (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | uint32_t(c.b);
      uint32_t* row = reinterpret_cast<uint32_t*>(px);
      if (!s.blend || (p.over && c.a == 255)) {
        std::fill(row, row + (x1 - x0), rgb);
        return;
      }
      if (p.over && c.a == 0) return;
      const int32_t fs = Factor(s.srcBlend, c.a), fd = Factor(s.destBlend, c.a);
      if (fs + fd <= 255) {
        BlendConstantToXrgb(row, x1 - x0, rgb, uint32_t(fs), uint32_t(fd));
        return;
      }
    }
  }
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

// One pixel of a known colour.
template <TargetKind K>
inline __attribute__((always_inline)) void PlotPixel(const Pipeline& p, int32_t x, int32_t y, const RGBA& c) {
  p.Store<K>(p.target.bits + std::ptrdiff_t(y) * p.target.pitch + std::ptrdiff_t(x) * p.layout.bytes, c);
}

using SpanFunction = void (*)(const Pipeline&, int32_t, int32_t, int32_t, const Attributes&, const Attributes&, bool);

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
  // A vertical edge (the sides of every upright quad) needs no division:
  // its x is the top's whatever the quotient (a signed zero) would add.
  if (top.x == bottom.x) return double(top.x);
  return double(top.x) + (y - double(top.y)) * (double(bottom.x) - double(top.x)) / (double(bottom.y) - double(top.y));
}

// Plane equations of a triangle's attributes: value = va + dx * (x - ax) +
// dy * (y - ay). False for a triangle without area.
bool Planes(const State& state, const Vertex& a, const Vertex& b, const Vertex& c, Attributes& va, Attributes& dx,
            Attributes& dy) {
  const double x0 = a.x, y0 = a.y;
  const double e1x = double(b.x) - x0, e1y = double(b.y) - y0, e2x = double(c.x) - x0, e2y = double(c.y) - y0;
  const double area = e1x * e2y - e2x * e1y;
  if (area == 0) return false;
  va = VertexAttributes(a);
  const Attributes vb = VertexAttributes(b), vc = VertexAttributes(c);
  dx = Attributes{};
  dy = Attributes{};
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
  return true;
}

// A triangle's rows, its vertices top first, and its attributes' planes.
struct TriangleRows {
  const Vertex* const* p;
  int32_t yStart, yEnd;
  double x0, y0;
  const Attributes& va;
  const Attributes& dx;
  const Attributes& dy;
  bool constantDiffuse;
};

// The rows with the span of the target and texturing built in: no call
// through a pointer per row.
template <TargetKind K, bool kTextured>
void DrawRows(const Pipeline& pipeline, const TriangleRows& t) {
  const State& state = pipeline.state;
  const Vertex* const* p = t.p;
  for (int32_t y = t.yStart; y < t.yEnd; ++y) {
    const double py = y;
    const double xa = EdgeX(*p[0], *p[2], py);
    const double xb = py < p[1]->y ? EdgeX(*p[0], *p[1], py) : EdgeX(*p[1], *p[2], py);
    const int32_t xStart = int32_t(std::max(Bound(Ceil(std::min(xa, xb))), double(state.clipLeft)));
    const int32_t xEnd = int32_t(std::min(Bound(Ceil(std::max(xa, xb))), double(state.clipRight)));
    if (xStart >= xEnd) continue;
    const double ox = xStart - t.x0, oy = py - t.y0;
    Attributes at = t.va;
    at.r += t.dx.r * ox + t.dy.r * oy;
    at.g += t.dx.g * ox + t.dy.g * oy;
    at.b += t.dx.b * ox + t.dy.b * oy;
    at.a += t.dx.a * ox + t.dy.a * oy;
    at.u += t.dx.u * ox + t.dy.u * oy;
    at.v += t.dx.v * ox + t.dy.v * oy;
    Span<K, kTextured>(pipeline, y, xStart, xEnd, at, t.dx, t.constantDiffuse);
  }
}

}  // namespace

void DrawTriangle(const Target& target, const Texture* texture, const State& state, const Vertex& a, const Vertex& b,
                  const Vertex& c) {
  if (!Finite(a) || !Finite(b) || !Finite(c)) return;
  const double x0 = a.x, y0 = a.y;
  Attributes va, dx, dy;
  if (!Planes(state, a, b, c, va, dx, dy)) return;

  // Top to bottom; ties left to right.
  const Vertex* p[3] = {&a, &b, &c};
  std::sort(p, p + 3, [](const Vertex* l, const Vertex* r) { return l->y < r->y || (l->y == r->y && l->x < r->x); });
  const int32_t yStart = int32_t(std::max(Bound(Ceil(double(p[0]->y))), double(state.clipTop)));
  const int32_t yEnd = int32_t(std::min(Bound(Ceil(double(p[2]->y))), double(state.clipBottom)));

  const bool constantDiffuse = !state.gouraud || (a.diffuse == b.diffuse && a.diffuse == c.diffuse);
  const Pipeline pipeline(target, texture, state, constantDiffuse && a.diffuse == 0xFFFFFFFF);
  const TriangleRows rows{p, yStart, yEnd, x0, y0, va, dx, dy, constantDiffuse};
  const bool textured = texture != nullptr;
  switch (pipeline.kind) {
    case TargetKind::Xrgb8888:
      return textured ? DrawRows<TargetKind::Xrgb8888, true>(pipeline, rows)
                      : DrawRows<TargetKind::Xrgb8888, false>(pipeline, rows);
    case TargetKind::Rgb565:
      return textured ? DrawRows<TargetKind::Rgb565, true>(pipeline, rows)
                      : DrawRows<TargetKind::Rgb565, false>(pipeline, rows);
    default:
      return textured ? DrawRows<TargetKind::Masked, true>(pipeline, rows)
                      : DrawRows<TargetKind::Masked, false>(pipeline, rows);
  }
}

namespace {

// One row of one triangle of an upright quad as DrawRows would draw it: its
// span and, when the span copies texels, where they come from.
struct QuadSpan {
  int32_t x0 = 0, x1 = 0;
  double u = 0, v = 0;  // the texture coordinates at x0 (the colours are never read)
  bool copies = false;
  int32_t row = 0;                 // texture row
  int64_t fixedU = 0, fixedV = 0;  // the texel coordinates at x0, 32.32
  int64_t First() const { return fixedU >> 32; }  // texel under x0
};

// A half's span from x0 to x1 (clipped already) on row py: where its texels
// come from, as Span would find them (the steps were found whole already).
QuadSpan HalfOfRow(const Pipeline& p, int32_t x0, int32_t x1, double py, double ax, double ay, const Attributes& va,
                   const Attributes& dx, const Attributes& dy) {
  QuadSpan q;
  q.x0 = x0;
  q.x1 = x1;
  if (x0 >= x1) return q;
  const double ox = x0 - ax, oy = py - ay;
  q.u = va.u + (dx.u * ox + dy.u * oy);
  q.v = va.v + (dx.v * ox + dy.v * oy);
  const Texture& tex = *p.texture;
  const int64_t u = Fixed(q.u * tex.width), v = Fixed(q.v * tex.height);
  q.fixedU = u;
  q.fixedV = v;
  const int64_t last = (u + (int64_t(1) << 32) * (x1 - x0 - 1)) >> 32;
  q.copies = q.First() >= 0 && last < tex.width;
  q.row = Address(v >> 32, tex.height, p.state.wrapV);
  return q;
}

// The usual quad, on whole pixels with its samples in the middle of its
// texels: where both halves' planes put every corner of the drawn area a
// good way inside the texel that stepping texel for texel from the first
// one predicts, they do so everywhere between (the planes are linear, and
// their rounding is far smaller than the margin). Then every row is one
// copy of one texture row, as the halves would have made it, and is drawn
// without working its halves out.
template <TargetKind K>
bool CopiesWholeRows(const Pipeline& p, const Vertex& tl, const Vertex& tr, const Attributes& va1,
                     const Attributes& dx1, const Attributes& dy1, const Attributes& va2, const Attributes& dx2,
                     const Attributes& dy2, int32_t left0, int32_t right1, int32_t yStart, int32_t yEnd) {
  if (left0 >= right1 || yStart >= yEnd) return false;
  const Texture& tex = *p.texture;
  const QuadSpan start = HalfOfRow(p, left0, right1, yStart, tl.x, tl.y, va1, dx1, dy1);
  const int64_t u0 = start.First(), v0 = start.fixedV >> 32;
  if (u0 < 0 || u0 + (right1 - left0 - 1) >= tex.width) return false;
  auto inside = [](int64_t fixed) { return uint32_t(fixed) >= (1u << 30) && uint32_t(fixed) <= (3u << 30); };
  for (int32_t y : {yStart, yEnd - 1})
    for (int32_t x : {left0, right1 - 1})
      for (int half = 0; half < 2; ++half) {
        const QuadSpan q = half == 0 ? HalfOfRow(p, x, x + 1, y, tl.x, tl.y, va1, dx1, dy1)
                                     : HalfOfRow(p, x, x + 1, y, tr.x, tr.y, va2, dx2, dy2);
        if (!inside(q.fixedU) || !inside(q.fixedV) || q.First() != u0 + (x - left0) ||
            (q.fixedV >> 32) != v0 + (y - yStart))
          return false;
      }
  const int32_t count = right1 - left0;
  for (int32_t y = yStart; y < yEnd; ++y) {
    const int32_t row = Address(v0 + (y - yStart), tex.height, p.state.wrapV);
    CopyRowOf<K>(p, p.target.bits + std::ptrdiff_t(y) * p.target.pitch + std::ptrdiff_t(left0) * p.layout.bytes,
                 tex.bits + std::ptrdiff_t(row) * tex.pitch, int32_t(u0), count);
  }
  return true;
}

template <TargetKind K>
void DrawQuadRows(const Pipeline& p, const Vertex& tl, const Vertex& bl, const Vertex& tr, const Vertex& br,
                  const Attributes& va1, const Attributes& dx1, const Attributes& dy1, const Attributes& va2,
                  const Attributes& dx2, const Attributes& dy2, int32_t yStart, int32_t yEnd) {
  const Texture& tex = *p.texture;
  const State& state = p.state;
  // The rows of (tl, bl, tr) and (tr, bl, br) as DrawTriangle finds them:
  // the left half runs from the left side to the diagonal, the right half
  // from there to the right side (the diagonal stays between the sides).
  const int32_t left0 = int32_t(std::max(Bound(Ceil(double(tl.x))), double(state.clipLeft)));
  const int32_t right1 = int32_t(std::min(Bound(Ceil(double(tr.x))), double(state.clipRight)));
  if (CopiesWholeRows<K>(p, tl, tr, va1, dx1, dy1, va2, dx2, dy2, left0, right1, yStart, yEnd)) return;
  for (int32_t y = yStart; y < yEnd; ++y) {
    const double py = y;
    const double split = Bound(Ceil(EdgeX(tr, bl, py)));
    const QuadSpan left =
        HalfOfRow(p, left0, int32_t(std::min(split, double(state.clipRight))), py, tl.x, tl.y, va1, dx1, dy1);
    const QuadSpan right =
        HalfOfRow(p, int32_t(std::max(split, double(state.clipLeft))), right1, py, tr.x, tr.y, va2, dx2, dy2);
    const bool leftSome = left.x0 < left.x1, rightSome = right.x0 < right.x1;
    uint8_t* px = p.target.bits + std::ptrdiff_t(y) * p.target.pitch;
    // Both halves copy the same texture row, continuing each other: one copy.
    if (leftSome && rightSome && left.copies && right.copies && left.row == right.row && left.x1 == right.x0 &&
        right.First() == left.First() + (right.x0 - left.x0)) {
      CopyRowOf<K>(p, px + std::ptrdiff_t(left.x0) * p.layout.bytes, tex.bits + std::ptrdiff_t(left.row) * tex.pitch,
                   int32_t(left.First()), right.x1 - left.x0);
      continue;
    }
    Attributes at{};
    if (leftSome) {
      at.u = left.u;
      at.v = left.v;
      Span<K, true>(p, y, left.x0, left.x1, at, dx1, true);
    }
    if (rightSome) {
      at.u = right.u;
      at.v = right.v;
      Span<K, true>(p, y, right.x0, right.x1, at, dx2, true);
    }
  }
}

}  // namespace

bool DrawUprightQuad(const Target& target, const Texture* texture, const State& state, const Vertex& tl,
                     const Vertex& bl, const Vertex& tr, const Vertex& br) {
  // An upright rectangle with a white texture drawn texel for texel.
  if (!texture || !Finite(tl) || !Finite(bl) || !Finite(tr) || !Finite(br)) return false;
  if (tl.x != bl.x || tr.x != br.x || tl.y != tr.y || bl.y != br.y || !(tl.x < tr.x) || !(tl.y < bl.y)) return false;
  for (const Vertex* v : {&bl, &tr, &br})
    if (v->diffuse != tl.diffuse) return false;
  const Pipeline pipeline(target, texture, state, tl.diffuse == 0xFFFFFFFF);
  if (!pipeline.copyTexels) return false;
  Attributes va1, dx1, dy1, va2, dx2, dy2;
  if (!Planes(state, tl, bl, tr, va1, dx1, dy1) || !Planes(state, tr, bl, br, va2, dx2, dy2)) return false;
  const int64_t one = int64_t(1) << 32;
  for (const Attributes* d : {&dx1, &dx2})
    if (Fixed(d->u * texture->width) != one || Fixed(d->v * texture->height) != 0) return false;
  // Both triangles have the same rows (top to bottom: tl, tr, bl and
  // tr, bl, br).
  const int32_t yStart = int32_t(std::max(Bound(Ceil(double(tl.y))), double(state.clipTop)));
  const int32_t yEnd = int32_t(std::min(Bound(Ceil(double(bl.y))), double(state.clipBottom)));
  // The diagonal leans one way: where it stays between the sides on the
  // first and last row it does on every row, and the halves never overlap
  // (so that the order they are drawn in does not matter).
  if (yStart < yEnd) {
    for (int32_t y : {yStart, yEnd - 1}) {
      const double d = EdgeX(tr, bl, y);
      if (!(d >= tl.x && d <= tr.x)) return false;
    }
  }
  switch (pipeline.kind) {
    case TargetKind::Xrgb8888:
      DrawQuadRows<TargetKind::Xrgb8888>(pipeline, tl, bl, tr, br, va1, dx1, dy1, va2, dx2, dy2, yStart, yEnd);
      break;
    case TargetKind::Rgb565:
      DrawQuadRows<TargetKind::Rgb565>(pipeline, tl, bl, tr, br, va1, dx1, dy1, va2, dx2, dy2, yStart, yEnd);
      break;
    default:
      DrawQuadRows<TargetKind::Masked>(pipeline, tl, bl, tr, br, va1, dx1, dy1, va2, dx2, dy2, yStart, yEnd);
      break;
  }
  return true;
}

void DrawLine(const Target& target, const Texture* texture, const State& state, const Vertex& a, const Vertex& b) {
  if (!Finite(a) || !Finite(b)) return;
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  if (dx == 0 && dy == 0) return;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  // Steps along the major axis from the start's pixel up to the end's.
  const double from = xMajor ? a.x : a.y, length = xMajor ? dx : dy;
  const int64_t first = int64_t(Floor(Bound(from) + 0.5));
  const int64_t last = int64_t(Floor(Bound(from + length) + 0.5));
  const int64_t step = last > first ? 1 : -1;
  const int64_t lo = xMajor ? state.clipLeft : state.clipTop, hi = xMajor ? state.clipRight : state.clipBottom;
  const Attributes va = VertexAttributes(a), vb = VertexAttributes(b);
  // Only the steps inside the clip range.
  const int64_t begin = step > 0 ? std::max(first, lo) : std::min(first, hi - 1);
  const int64_t end = step > 0 ? std::min(last, hi) : std::max(last, lo - 1);
  const bool constantDiffuse = !state.gouraud || a.diffuse == b.diffuse;
  const Pipeline pipeline(target, texture, state, constantDiffuse && a.diffuse == 0xFFFFFFFF);
  // Every step inside the clip: its pixel and its place t along the line.
  auto walk = [&](auto&& plot) __attribute__((always_inline)) {
    for (int64_t i = begin; step > 0 ? i < end : i > end; i += step) {
      const double t = std::clamp((double(i) - from) / length, 0.0, 1.0);
      const double minor = xMajor ? a.y + t * dy : a.x + t * dx;
      const int64_t j = int64_t(Floor(Bound(minor) + 0.5));
      const int64_t x = xMajor ? i : j, y = xMajor ? j : i;
      if (x < state.clipLeft || x >= state.clipRight || y < state.clipTop || y >= state.clipBottom) continue;
      plot(int32_t(x), int32_t(y), t);
    }
  };
  if (!texture && constantDiffuse) {
    // One colour: worked out once, each pixel only stored.
    const RGBA colour = pipeline.Combine(RGBA{255, 255, 255, 255}, DiffuseOf(va, state));
    switch (pipeline.kind) {
      case TargetKind::Xrgb8888: {
        // As Store blends one colour with constant factors whose sum stays
        // within 255: per channel (c * fs + d * fd + 127) / 255, top byte 0.
        const int32_t fs = Factor(state.srcBlend, colour.a), fd = Factor(state.destBlend, colour.a);
        const bool plain = !state.blend || (pipeline.over && colour.a == 255);
        if (state.blend && pipeline.over && colour.a == 0) return;
        if (plain || fs + fd <= 255) {
          const uint32_t rgb = (uint32_t(colour.r) << 16) | (uint32_t(colour.g) << 8) | uint32_t(colour.b);
          const uint32_t cr = uint32_t(colour.r * fs + 127), cg = uint32_t(colour.g * fs + 127),
                         cb = uint32_t(colour.b * fs + 127), k = uint32_t(fd);
          walk([&](int32_t x, int32_t y, double) {
            uint8_t* at = pipeline.target.bits + std::ptrdiff_t(y) * pipeline.target.pitch + std::ptrdiff_t(x) * 4;
            uint32_t d;
            std::memcpy(&d, at, 4);
            const uint32_t out = plain ? rgb
                                       : ((((d >> 16) & 255) * k + cr) / 255 << 16) |
                                             ((((d >> 8) & 255) * k + cg) / 255 << 8) | ((d & 255) * k + cb) / 255;
            std::memcpy(at, &out, 4);
          });
          return;
        }
        walk([&](int32_t x, int32_t y, double) { PlotPixel<TargetKind::Xrgb8888>(pipeline, x, y, colour); });
        return;
      }
      case TargetKind::Rgb565:
        walk([&](int32_t x, int32_t y, double) { PlotPixel<TargetKind::Rgb565>(pipeline, x, y, colour); });
        return;
      default:
        walk([&](int32_t x, int32_t y, double) { PlotPixel<TargetKind::Masked>(pipeline, x, y, colour); });
        return;
    }
  }
  const SpanFunction span = SpanFor(pipeline);
  const Attributes none{};
  walk([&](int32_t x, int32_t y, double t) {
    Attributes at = va;
    if (state.gouraud) {
      at.r += (vb.r - va.r) * t;
      at.g += (vb.g - va.g) * t;
      at.b += (vb.b - va.b) * t;
      at.a += (vb.a - va.a) * t;
    }
    at.u += (vb.u - va.u) * t;
    at.v += (vb.v - va.v) * t;
    span(pipeline, y, x, x + 1, at, none, true);
  });
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
