#include "framework/graphics/SWKernels.h"

#include <cstring>

#include "framework/graphics/PixelOps.h"

// The vector helpers below are always inlined, so the ABI of passing 32-byte
// vectors never matters.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

// Built twice on x86-64 (plain and AVX2), the better one picked at start-up.
// Only with GCC: clang refuses 32-byte vector helpers outside an AVX
// function even when they are always inlined.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define PLIX_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define PLIX_KERNEL
#endif
#define PLIX_INLINE inline __attribute__((always_inline))

namespace Plix::Px {

namespace {

// Eight pixels as words, and the same bits as sixteen 16-bit lanes. Red and
// blue sit in the low bytes of the lanes of (p & 0xFF00FF), green and alpha
// in those of ((p >> 8) & 0xFF00FF); every product below stays within 16 bits.
typedef uint32_t W8 __attribute__((vector_size(32)));
typedef uint16_t H16 __attribute__((vector_size(32)));
// Four pixels widened to one 32-bit lane per channel, for the tint products.
typedef uint8_t B16 __attribute__((vector_size(16)));
typedef uint32_t Q16 __attribute__((vector_size(64)));
// One pixel's bytes and its four channels as words.
typedef uint8_t P8 __attribute__((vector_size(4)));
typedef uint32_t P32 __attribute__((vector_size(16)));

PLIX_INLINE W8 Load8(const uint32_t* p) {
  W8 v;
  std::memcpy(&v, p, 32);
  return v;
}
PLIX_INLINE void Store8(uint32_t* p, W8 v) { std::memcpy(p, &v, 32); }
PLIX_INLINE H16 Lanes(W8 v) { return __builtin_bit_cast(H16, v); }
PLIX_INLINE W8 Words(H16 v) { return __builtin_bit_cast(W8, v); }

PLIX_INLINE bool AllOpaque8(const uint32_t* d) {
  return (d[0] & d[1] & d[2] & d[3] & d[4] & d[5] & d[6] & d[7]) >> 24 == 255;
}

// OverOpaque on eight pixels: ((d * (256 - a)) >> 8) + ((s * a) >> 8) per
// colour channel, alpha 255.
PLIX_INLINE W8 OverOpaque8(W8 d, W8 s, W8 a) {
  W8 a2 = a | (a << 16);
  W8 k2 = (256 - a) | ((256 - a) << 16);
  H16 rb = ((Lanes(d & 0xFF00FF) * Lanes(k2)) >> 8) + ((Lanes(s & 0xFF00FF) * Lanes(a2)) >> 8);
  H16 g = ((Lanes((d >> 8) & 0xFF) * Lanes(k2)) >> 8) + ((Lanes((s >> 8) & 0xFF) * Lanes(a2)) >> 8);
  return Words(rb) | (Words(g) << 8) | 0xFF000000;
}

// d plus add per colour channel, each capped at 255; d's alpha stays.
PLIX_INLINE W8 AddSaturate8(W8 d, H16 addRB, H16 addG) {
  H16 rb = Lanes(d & 0xFF00FF) + addRB;
  H16 ga = Lanes((d >> 8) & 0xFF00FF) + addG;
  rb = rb > 255 ? 255 : rb;
  ga = ga > 255 ? 255 : ga;
  return Words(rb) | (Words(ga) << 8);
}

// Over eight opaque destination pixels the blend is OverOpaque8, which
// leaves them as they were under a clear source pixel; elsewhere one(d, s)
// decides pixel by pixel.
template <typename One>
PLIX_INLINE void OpaqueOrEach(uint32_t* d, const uint32_t* s, int32_t n, One one) {
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    if (AllOpaque8(d + i)) {
      W8 sv = Load8(s + i);
      Store8(d + i, OverOpaque8(Load8(d + i), sv, sv >> 24));
      continue;
    }
    for (int32_t k = i; k < i + 8; ++k) d[k] = one(d[k], s[k]);
  }
  for (; i < n; ++i) d[i] = one(d[i], s[i]);
}

PLIX_INLINE void OverSpan(uint32_t* d, const uint32_t* s, int32_t n) {
  OpaqueOrEach(d, s, n, [](uint32_t dp, uint32_t sp) { return sp >> 24 ? Over(dp, sp, sp >> 24) : dp; });
}

PLIX_INLINE void OverTintedSpan(uint32_t* d, const uint32_t* s, int32_t n, uint32_t tr, uint32_t tg, uint32_t tb,
                                uint32_t ta) {
  typedef uint16_t Q16h __attribute__((vector_size(32)));
  Q16 tint = {tb, tg, tr, 0, tb, tg, tr, 0, tb, tg, tr, 0, tb, tg, tr, 0};
  constexpr Q16h kAlphaLanes = {0, 0, 0, 0xFFFF, 0, 0, 0, 0xFFFF, 0, 0, 0, 0xFFFF, 0, 0, 0, 0xFFFF};
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    if ((d[i] & d[i + 1] & d[i + 2] & d[i + 3]) >> 24 == 255) {
      B16 sb, db;
      std::memcpy(&sb, s + i, 16);
      std::memcpy(&db, d + i, 16);
      Q16h sv = __builtin_convertvector(sb, Q16h), dv = __builtin_convertvector(db, Q16h);
#if defined(__clang__)
      Q16h sa = __builtin_shufflevector(sv, sv, 3, 3, 3, 3, 7, 7, 7, 7, 11, 11, 11, 11, 15, 15, 15, 15);
#else
      Q16h sa = __builtin_shuffle(sv, Q16h{3, 3, 3, 3, 7, 7, 7, 7, 11, 11, 11, 11, 15, 15, 15, 15});
#endif
      Q16h x = sa * uint16_t(ta);
      Q16h w = (x + 1 + (x >> 8)) >> 8;  // x / 255, exact below 65281
      Q16 term = (__builtin_convertvector(sv * w, Q16) * tint) >> 16;
      Q16h r = ((dv * (256 - w)) >> 8) + __builtin_convertvector(term, Q16h);
      r = (r & ~kAlphaLanes) | (kAlphaLanes & 255);
      B16 out = __builtin_convertvector(r, B16);
      std::memcpy(d + i, &out, 16);
      continue;
    }
    for (int32_t k = i; k < i + 4; ++k) {
      uint32_t a = ((s[k] >> 24) * ta) / 255;
      if (a != 0) d[k] = OverTinted(d[k], s[k], a, tr, tg, tb);
    }
  }
  for (; i < n; ++i) {
    uint32_t a = ((s[i] >> 24) * ta) / 255;
    if (a != 0) d[i] = OverTinted(d[i], s[i], a, tr, tg, tb);
  }
}

PLIX_INLINE void AddAlphaSpan(uint32_t* d, const uint32_t* s, int32_t n) {
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    W8 sv = Load8(s + i), a = sv >> 24;
    H16 a2 = Lanes(a | (a << 16));
    Store8(d + i, AddSaturate8(Load8(d + i), (Lanes(sv & 0xFF00FF) * a2) >> 8, (Lanes((sv >> 8) & 0xFF) * a2) >> 8));
  }
  for (; i < n; ++i) d[i] = AddSaturate(d[i], ScaleRGB(s[i], s[i] >> 24));
}

// Calls span(d, s, length) for the stretches of the row between long clear
// runs; the short runs of a sprite's rim cost less inside a span than alone.
// Every span leaves the destination alone under a clear source pixel.
constexpr int32_t kSkipClear = 8;
// Spans that pick opaque pixels out by themselves copy only runs this long
// on their own: a shorter one costs less inside the span.
constexpr int32_t kCopyLong = 64;

template <typename Span>
PLIX_INLINE void ForVisibleRuns(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, Span span) {
  if (runs == nullptr) {
    span(d, s, n);
    return;
  }
  int32_t from = 0;
  for (int32_t i = 0; i < n;) {
    int32_t length = runs[i] < n - i ? runs[i] : n - i;
    if (length >= kSkipClear && (s[i] >> 24) == 0) {
      if (i > from) span(d + from, s + from, i - from);
      from = i + length;
    }
    i += length;
  }
  if (n > from) span(d + from, s + from, n - from);
}

// Each pixel by its alpha class: opaque copied, clear kept, others
// OverOpaque.
PLIX_INLINE void BlitOpaqueSpan(uint32_t* d, const uint32_t* s, int32_t n) {
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    W8 sv = Load8(s + i), dv = Load8(d + i), sa = sv >> 24;
    W8 blended = OverOpaque8(dv, sv, sa);
    Store8(d + i, sa == 255 ? sv : sa == 0 ? dv : blended);
  }
  for (; i < n; ++i) {
    uint32_t sa = s[i] >> 24;
    if (sa == 255)
      d[i] = s[i];
    else if (sa != 0)
      d[i] = OverOpaque(d[i], s[i], sa);
  }
}

// (d * k) >> 8 per colour channel (k at most 256), the top byte cleared:
// every product stays within 16 bits.
PLIX_INLINE W8 Fade8(W8 d, W8 k) {
  H16 k2 = Lanes(k | (k << 16));
  H16 rb = (Lanes(d & 0xFF00FF) * k2) >> 8;
  H16 g = (Lanes((d >> 8) & 0xFF) * k2) >> 8;
  return Words(rb) | (Words(g) << 8);
}
PLIX_INLINE uint32_t Fade1(uint32_t d, uint32_t k) {
  return ((((d & 0xFF00FF) * k) >> 8) & 0xFF00FF) | ((((d & 0xFF00) * k) >> 8) & 0xFF00);
}

// Native words over the destination, branch-free: a clear source pixel
// keeps d, an opaque one fades d to nothing and adds itself.
PLIX_INLINE void OverNativeSpan(uint32_t* d, const uint32_t* s, int32_t n) {
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    W8 sv = Load8(s + i), dv = Load8(d + i), a = sv >> 24;
    W8 out = Fade8(dv, 256 - a) + sv;
    Store8(d + i, a == 0 ? dv : out);
  }
  for (; i < n; ++i) {
    uint32_t a = s[i] >> 24;
    if (a != 0) d[i] = Fade1(d[i], 256 - a) + s[i];
  }
}

}  // namespace

PLIX_KERNEL void OverNativeRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  int32_t from = 0;
  for (int32_t i = 0; i < n;) {
    int32_t length = runs[i] < n - i ? runs[i] : n - i;
    if (length < 1) length = 1;
    uint32_t sa = s[i] >> 24;
    if ((sa == 0 && length >= kSkipClear) || (sa == 255 && length >= kCopyLong)) {
      if (i > from) OverNativeSpan(d + from, s + from, i - from);
      if (sa == 255) std::memcpy(d + i, s + i, size_t(length) * 4);
      from = i + length;
    }
    i += length;
  }
  if (n > from) OverNativeSpan(d + from, s + from, n - from);
}

PLIX_KERNEL void FadeAddRow(uint32_t* d, int32_t n, uint32_t k, uint32_t add) {
  int32_t i = 0;
  W8 kv = W8{} + k;
  for (; i + 8 <= n; i += 8) Store8(d + i, Fade8(Load8(d + i), kv) + add);
  for (; i < n; ++i) d[i] = Fade1(d[i], k) + add;
}

PLIX_KERNEL void BlitOpaqueRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  // Long clear runs are skipped and long opaque runs copied whole; what lies
  // between goes pixel by pixel.
  int32_t from = 0;
  for (int32_t i = 0; i < n;) {
    int32_t length = runs[i] < n - i ? runs[i] : n - i;
    uint32_t sa = s[i] >> 24;
    if ((sa == 0 && length >= kSkipClear) || (sa == 255 && length >= kCopyLong)) {
      if (i > from) BlitOpaqueSpan(d + from, s + from, i - from);
      if (sa == 255) {
        int32_t k = 0;
        for (; k + 8 <= length; k += 8) Store8(d + i + k, Load8(s + i + k));
        for (; k < length; ++k) d[i + k] = s[i + k];
      }
      from = i + length;
    }
    i += length;
  }
  if (n > from) BlitOpaqueSpan(d + from, s + from, n - from);
}

PLIX_KERNEL void OverRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  ForVisibleRuns(d, s, runs, n, [](uint32_t* dd, const uint32_t* ss, int32_t len) { OverSpan(dd, ss, len); });
}

PLIX_KERNEL void OverTintedRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, uint32_t tr,
                               uint32_t tg, uint32_t tb, uint32_t ta) {
  ForVisibleRuns(d, s, runs, n,
                 [&](uint32_t* dd, const uint32_t* ss, int32_t len) { OverTintedSpan(dd, ss, len, tr, tg, tb, ta); });
}

PLIX_KERNEL void AddRow(uint32_t* d, const uint32_t* s, int32_t n) {
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    W8 sv = Load8(s + i);
    Store8(d + i, AddSaturate8(Load8(d + i), Lanes(sv & 0xFF00FF), Lanes((sv >> 8) & 0xFF)));
  }
  for (; i < n; ++i) d[i] = AddSaturate(d[i], s[i]);
}

PLIX_KERNEL void AddAlphaRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  ForVisibleRuns(d, s, runs, n, [](uint32_t* dd, const uint32_t* ss, int32_t len) { AddAlphaSpan(dd, ss, len); });
}

PLIX_KERNEL void FilteredBlendRow(uint32_t* d, const uint32_t* f, int32_t n) {
  OpaqueOrEach(d, f, n, [](uint32_t dp, uint32_t fp) {
    uint32_t a = fp >> 24;
    if (a == 0) return dp;
    uint32_t da = dp >> 24;
    return (OverOpaque(dp, fp, a) & 0xFFFFFF) | ((da + ((255 - da) * a) / 255) << 24);
  });
}

PLIX_KERNEL void ResampleRow2(uint16_t* out, const uint32_t* row, const int32_t* i0, const int32_t* i1,
                              const uint16_t* w0, const uint16_t* w1, int32_t n) {
  typedef uint16_t L16 __attribute__((vector_size(32)));
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    uint32_t a[4] = {row[i0[i]], row[i0[i + 1]], row[i0[i + 2]], row[i0[i + 3]]};
    uint32_t b[4] = {row[i1[i]], row[i1[i + 1]], row[i1[i + 2]], row[i1[i + 3]]};
    B16 ab, bb;
    L16 wa, wb;
    std::memcpy(&ab, a, 16);
    std::memcpy(&bb, b, 16);
    std::memcpy(&wa, w0 + size_t(i) * 4, 32);
    std::memcpy(&wb, w1 + size_t(i) * 4, 32);
    L16 sum = __builtin_convertvector(ab, L16) * wa + __builtin_convertvector(bb, L16) * wb;
    std::memcpy(out + size_t(i) * 4, &sum, 32);
  }
  for (; i < n; ++i)
    for (int k = 0; k < 4; ++k)
      out[i * 4 + k] = uint16_t(((row[i0[i]] >> (8 * k)) & 0xFF) * w0[i * 4 + k] +
                                ((row[i1[i]] >> (8 * k)) & 0xFF) * w1[i * 4 + k]);
}

PLIX_KERNEL void MixRowsToPixels(uint32_t* out, const uint16_t* a, uint32_t w0, const uint16_t* b, uint32_t w1,
                                 int32_t n) {
  auto* bytes = reinterpret_cast<uint8_t*>(out);
  for (int32_t k = 0; k < n * 4; ++k) {
    uint32_t v = (a[k] * w0 + b[k] * w1) >> 16;
    bytes[k] = uint8_t(v > 255 ? 255 : v);
  }
}

}  // namespace Plix::Px
