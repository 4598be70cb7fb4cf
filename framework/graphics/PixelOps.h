#pragma once
// Pixel arithmetic shared by the software renderers (internal to the
// graphics library). Channels are worked on in place in the packed word:
// red and blue together through the mask 0xFF00FF (each product stays
// within its 16-bit lane), green through 0xFF00.
#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/graphics/Color.h"
#include "framework/graphics/NativeDisplay.h"

namespace Plix::Px {

// Shifts that treat a negative count as the other direction and a count of
// 32 or more as shifting everything out.
inline uint32_t Shr(uint32_t v, int32_t k) {
  if (k < 0) return k <= -32 ? 0u : v << -k;
  return k >= 32 ? 0u : v >> k;
}
inline uint32_t Shl(uint32_t v, int32_t k) { return Shr(v, -k); }

// Truncation toward zero that saturates instead of overflowing; NaN is 0.
inline int32_t TruncInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}
inline int64_t TruncInt64(double v) {
  if (!(v == v)) return 0;
  if (v >= 9.2e18) return std::numeric_limits<int64_t>::max();
  if (v <= -9.2e18) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(v);
}

// The display's pixel layout, or plain X8R8G8B8 without a display.
struct NativeLayout {
  uint32_t mask[3];
  int32_t bits[3];
  int32_t shift[3];

  explicit NativeLayout(const NativeDisplay* d) {
    if (d == nullptr) {
      *this = NativeLayout(0xFF0000, 0xFF00, 0xFF, 8, 8, 8, 16, 8, 0);
      return;
    }
    *this = NativeLayout(d->mRedMask, d->mGreenMask, d->mBlueMask, d->mRedBits, d->mGreenBits, d->mBlueBits,
                         d->mRedShift, d->mGreenShift, d->mBlueShift);
  }
  NativeLayout(uint32_t rm, uint32_t gm, uint32_t bm, int32_t rb, int32_t gb, int32_t bb, int32_t rs, int32_t gs,
               int32_t bs)
      : mask{rm, gm, bm}, bits{rb, gb, bb}, shift{rs, gs, bs} {}

  // Colour premultiplied by (alpha + 1) / 256 and fitted into the layout;
  // the alpha stays in the top byte.
  uint32_t ToNative(uint32_t p) const {
    uint32_t a = (p >> 24) + 1;
    uint32_t r = Shl(Shr(((p & 0xFF0000) * a) >> 8, 24 - bits[0]), shift[0]) & mask[0];
    uint32_t g = Shl(Shr(((p & 0xFF00) * a) >> 8, 16 - bits[1]), shift[1]) & mask[1];
    uint32_t b = Shl(Shr(((p & 0xFF) * a) >> 8, 8 - bits[2]), shift[2]) & mask[2];
    return r | g | b | (p & 0xFF000000);
  }

  // Undoes ToNative as far as the layout's precision allows.
  uint32_t FromNative(uint32_t n) const {
    uint32_t a = n >> 24;
    uint32_t ch[3];
    for (int i = 0; i < 3; ++i) {
      uint32_t v = (((n & mask[i]) << 8) / (a + 1)) & mask[i];
      ch[i] = Shr(v << 8, shift[i] + bits[i]) & 0xFF;
    }
    return (a << 24) | (ch[0] << 16) | (ch[1] << 8) | ch[2];
  }
};

// The over-blend of a source alpha a (1..255) onto a destination alpha da:
// new alpha A = da + ((255 - da) * a) / 255 and source weight
// w = (a * 255) / A, tabulated for every pair.
struct OverTable {
  uint8_t alpha[256][256];
  uint8_t weight[256][256];
};
const OverTable& GetOverTable();

// d over c with source alpha a (1..255); each term truncated on its own.
inline uint32_t Over(uint32_t d, uint32_t c, uint32_t a) {
  const OverTable& t = GetOverTable();
  uint32_t da = d >> 24;
  uint32_t w = t.weight[da][a];
  uint32_t k = 256 - w;
  uint32_t rb = ((((d & 0xFF00FF) * k) >> 8) & 0xFF00FF) + ((((c & 0xFF00FF) * w) >> 8) & 0xFF00FF);
  uint32_t g = ((((d & 0xFF00) * k) >> 8) & 0xFF00) + ((((c & 0xFF00) * w) >> 8) & 0xFF00);
  return (uint32_t(t.alpha[da][a]) << 24) | rb | g;
}

// The same with the two terms rounded together.
inline uint32_t OverRounded(uint32_t d, uint32_t c, uint32_t a) {
  const OverTable& t = GetOverTable();
  uint32_t da = d >> 24;
  uint32_t w = t.weight[da][a];
  uint32_t k = 256 - w;
  uint32_t rb = (((d & 0xFF00FF) * k + (c & 0xFF00FF) * w) >> 8) & 0xFF00FF;
  uint32_t g = (((d & 0xFF00) * k + (c & 0xFF00) * w) >> 8) & 0xFF00;
  return (uint32_t(t.alpha[da][a]) << 24) | rb | g;
}

// The over-blend of a tinted source: the source term of each channel is
// (s * w * t) >> 16 with t the tint's channel.
inline uint32_t OverTinted(uint32_t d, uint32_t s, uint32_t a, uint32_t tr, uint32_t tg, uint32_t tb) {
  const OverTable& t = GetOverTable();
  uint32_t da = d >> 24;
  uint32_t w = t.weight[da][a];
  uint32_t k = 256 - w;
  uint32_t r = ((((d >> 16) & 0xFF) * k) >> 8) + ((((s >> 16) & 0xFF) * w * tr) >> 16);
  uint32_t g = ((((d >> 8) & 0xFF) * k) >> 8) + ((((s >> 8) & 0xFF) * w * tg) >> 16);
  uint32_t b = (((d & 0xFF) * k) >> 8) + (((s & 0xFF) * w * tb) >> 16);
  return (uint32_t(t.alpha[da][a]) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

// Blend onto an opaque pixel with the source's own alpha sa; alpha 255.
inline uint32_t OverOpaque(uint32_t d, uint32_t s, uint32_t sa) {
  uint32_t k = 256 - sa;
  uint32_t rb = ((((d & 0xFF00FF) * k) >> 8) & 0xFF00FF) + ((((s & 0xFF00FF) * sa) >> 8) & 0xFF00FF);
  uint32_t g = ((((d & 0xFF00) * k) >> 8) & 0xFF00) + ((((s & 0xFF00) * sa) >> 8) & 0xFF00);
  return 0xFF000000 | rb | g;
}

// Per-channel saturating add of two colours' low 24 bits (each lane's sum
// looked up in the 512-entry saturation table); d's alpha is kept.
inline uint32_t AddSaturate(uint32_t d, uint32_t add) {
  uint32_t rb = (d & 0xFF00FF) + (add & 0xFF00FF);
  uint32_t over = rb & 0x01000100;
  rb = (rb | (over - (over >> 8))) & 0xFF00FF;
  uint32_t g = (d & 0xFF00) + (add & 0xFF00);
  uint32_t overG = g & 0x10000;
  g = (g | (overG - (overG >> 8))) & 0xFF00;
  return (d & 0xFF000000) | rb | g;
}

// Scales each colour channel by f (0..256) >> 8, truncating per channel.
inline uint32_t ScaleRGB(uint32_t s, uint32_t f) {
  return ((((s & 0xFF00FF) * f) >> 8) & 0xFF00FF) | ((((s & 0xFF00) * f) >> 8) & 0xFF00);
}

// The colour's channels as 0..255 values of its packed form.
struct Channels {
  uint32_t r, g, b, a;
  explicit Channels(const Color& c)
      : r(uint32_t(c.mRed) & 0xFF), g(uint32_t(c.mGreen) & 0xFF), b(uint32_t(c.mBlue) & 0xFF),
        a(uint32_t(c.mAlpha) & 0xFF) {}
  uint32_t Packed() const { return (a << 24) | (r << 16) | (g << 8) | b; }
};

}  // namespace Plix::Px
