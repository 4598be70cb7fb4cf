#include "framework/graphics/SWKernels.h"

#include <cstddef>
#include <cstring>

#include "framework/graphics/PixelOps.h"

// The vector helpers below, and every lambda handed to them, are always
// inlined: the ABI of passing 32-byte vectors never matters, and the code
// is built for the kernel's own target (a lambda left out of line would be
// built for the plain one only).
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
#define PLIX_LAMBDA __attribute__((always_inline))

namespace Plix::Px {

namespace {

// Eight pixels as words, and the same bits as sixteen 16-bit lanes. Red and
// blue sit in the low bytes of the lanes of (p & 0xFF00FF), green and alpha
// in those of ((p >> 8) & 0xFF00FF); every product below stays within 16 bits.
typedef uint32_t W8 __attribute__((vector_size(32)));
typedef uint16_t H16 __attribute__((vector_size(32)));
typedef uint8_t B16 __attribute__((vector_size(16)));
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
// The same test on pixels already loaded.
typedef uint64_t U4 __attribute__((vector_size(32)));
PLIX_INLINE bool AllOpaque8(W8 v) {
  U4 q = __builtin_bit_cast(U4, v | 0xFFFFFF);
  return (q[0] & q[1] & q[2] & q[3]) == ~uint64_t(0);
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

// Both blends that use this (Over and the filtered stretch's) make an
// opaque source pixel OverOpaque(0, s, 255) whatever lies under it: groups
// of eight such are stored without reading the destination. Over eight
// opaque destination pixels the blend is OverOpaque8, which leaves them as
// they were under a clear source pixel; elsewhere one(d, s) decides pixel
// by pixel.
template <typename One>
PLIX_INLINE void OpaqueOrEach(uint32_t* d, const uint32_t* s, int32_t n, One one) {
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    if (AllOpaque8(s + i)) {
      W8 sv = Load8(s + i);
      Store8(d + i, OverOpaque8(W8{}, sv, sv >> 24));
      continue;
    }
    W8 dv = Load8(d + i);
    if (AllOpaque8(dv)) {
      W8 sv = Load8(s + i);
      Store8(d + i, OverOpaque8(dv, sv, sv >> 24));
      continue;
    }
    for (int32_t k = i; k < i + 8; ++k) d[k] = one(d[k], s[k]);
  }
  for (; i < n; ++i) d[i] = one(d[i], s[i]);
}

// Runs vec on eight pixels at a time and one on fewer than eight. A row of
// eight or more ends with the vector too: its last eight pixels are worked
// out before anything is stored, so that storing them after the loop only
// rewrites the pixels it shares with the loop's last group with the values
// they already got. Every pixel's result depends on that pixel alone.
template <typename Vec, typename One>
PLIX_INLINE void Each8(uint32_t* d, const uint32_t* s, int32_t n, Vec vec, One one) {
  if (n < 8) {
    for (int32_t i = 0; i < n; ++i) d[i] = one(d[i], s[i]);
    return;
  }
  const W8 last = vec(Load8(d + n - 8), Load8(s + n - 8));
  for (int32_t i = 0; i < n - 8; i += 8) Store8(d + i, vec(Load8(d + i), Load8(s + i)));
  Store8(d + n - 8, last);
}

// Each8 for blends that leave the destination alone under a clear source
// pixel and become the source pixel under an opaque one: a group of eight
// that the alpha runs show all clear is skipped, all opaque copied.
// (The source of the blend may be another form of the alpha-classified
// pixels: then `opaque` gives what an opaque group becomes.)
template <typename Vec, typename One, typename Opaque>
PLIX_INLINE void Each8Runs(uint32_t* d, const uint32_t* s, const uint8_t* runs, const uint32_t* alphaOf, int32_t n,
                           Vec vec, One one, Opaque opaque) {
  if (n < 8) {
    for (int32_t i = 0; i < n; ++i) d[i] = one(d[i], s[i]);
    return;
  }
  auto group = [&](int32_t i) PLIX_LAMBDA {
    if (runs[i] >= 8) {
      const uint32_t a = alphaOf[i] >> 24;
      if (a == 0) return Load8(d + i);
      if (a == 255) return opaque(i);
    }
    return vec(Load8(d + i), Load8(s + i));
  };
  const W8 last = group(n - 8);
  for (int32_t i = 0; i < n - 8; i += 8) Store8(d + i, group(i));
  Store8(d + n - 8, last);
}

template <typename Vec, typename One>
PLIX_INLINE void Each8Runs(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, Vec vec, One one) {
  Each8Runs(d, s, runs, s, n, vec, one, [&](int32_t i) PLIX_LAMBDA { return Load8(s + i); });
}

PLIX_INLINE void OverSpan(uint32_t* d, const uint32_t* s, int32_t n) {
  OpaqueOrEach(d, s, n, [](uint32_t dp, uint32_t sp) PLIX_LAMBDA { return sp >> 24 ? Over(dp, sp, sp >> 24) : dp; });
}

// OverTinted onto eight opaque pixels in 16-bit lanes: w = a * ta / 255
// (exact below 65281), (d * (256 - w)) >> 8 plus (s * w * t) >> 16, which is
// ((x >> 8) * t + (((x & 255) * t) >> 8)) >> 8 for x = s * w, exactly, with
// every step within 16 bits. A clear pixel gets w = 0 and stays as it was.
PLIX_INLINE W8 OverTintedOpaque8(W8 d, W8 s, H16 tRB, H16 tG, uint16_t ta) {
  W8 sa = s >> 24;
  H16 x = Lanes(sa | (sa << 16)) * ta;
  H16 w = (x + 1 + (x >> 8)) >> 8;
  H16 k = 256 - w;
  auto term = [&](H16 sv, H16 t) PLIX_LAMBDA {
    H16 sw = sv * w;
    return ((sw >> 8) * t + (((sw & 255) * t) >> 8)) >> 8;
  };
  H16 rb = (((Lanes(d & 0xFF00FF) * k) >> 8) + term(Lanes(s & 0xFF00FF), tRB)) & 255;
  H16 g = (((Lanes((d >> 8) & 0xFF) * k) >> 8) + term(Lanes((s >> 8) & 0xFF), tG)) & 255;
  return Words(rb) | (Words(g) << 8) | 0xFF000000;
}

PLIX_INLINE uint32_t OverTintedOne(uint32_t d, uint32_t s, uint32_t tr, uint32_t tg, uint32_t tb, uint32_t ta) {
  uint32_t a = ((s >> 24) * ta) / 255;
  return a != 0 ? OverTinted(d, s, a, tr, tg, tb) : d;
}

PLIX_INLINE void OverTintedSpan(uint32_t* d, const uint32_t* s, int32_t n, uint32_t tr, uint32_t tg, uint32_t tb,
                                uint32_t ta) {
  const H16 tRB = Lanes(W8{} + (tb | (tr << 16))), tG = Lanes(W8{} + tg);
  auto vec = [&](W8 dv, W8 sv) PLIX_LAMBDA { return OverTintedOpaque8(dv, sv, tRB, tG, uint16_t(ta)); };
  // Groups of eight opaque destination pixels go by the vector; the end of
  // the row as in Each8 when it is opaque too, else pixel by pixel.
  const bool lastOpaque = n >= 8 && AllOpaque8(d + n - 8);
  const W8 last = lastOpaque ? vec(Load8(d + n - 8), Load8(s + n - 8)) : W8{};
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    if (AllOpaque8(d + i)) {
      Store8(d + i, vec(Load8(d + i), Load8(s + i)));
      continue;
    }
    for (int32_t k = i; k < i + 8; ++k) d[k] = OverTintedOne(d[k], s[k], tr, tg, tb, ta);
  }
  if (i == n) return;
  if (lastOpaque) {
    Store8(d + n - 8, last);
    return;
  }
  for (; i < n; ++i) d[i] = OverTintedOne(d[i], s[i], tr, tg, tb, ta);
}

PLIX_INLINE void OverTintTermsSpan(uint32_t* d, const uint32_t* s, const uint32_t* t, const uint8_t* runs, int32_t n,
                                   uint32_t tr, uint32_t tg, uint32_t tb, uint32_t ta, bool destOpaque) {
  // A sum never carries into the next channel: both parts together stay
  // within 255, w = 0 gives d back.
  auto vec = [](W8 dv, W8 tv) PLIX_LAMBDA { return (Fade8(dv, 256 - (tv >> 24)) + (tv & 0xFFFFFF)) | 0xFF000000; };
  if (destOpaque) {
    auto one = [](uint32_t dp, uint32_t tp)
                   PLIX_LAMBDA { return (Fade1(dp, 256 - (tp >> 24)) + (tp & 0xFFFFFF)) | 0xFF000000; };
    if (runs == nullptr) {
      Each8(d, t, n, vec, one);
      return;
    }
    // An opaque source pixel under a tint of full alpha has w = 255, which
    // fades d to nothing: the term alone.
    Each8Runs(d, t, runs, s, n, vec, one, [&](int32_t i) PLIX_LAMBDA {
      return ta == 255 ? Load8(t + i) | 0xFF000000 : vec(Load8(d + i), Load8(t + i));
    });
    return;
  }
  const bool lastOpaque = n >= 8 && AllOpaque8(d + n - 8);
  const W8 last = lastOpaque ? vec(Load8(d + n - 8), Load8(t + n - 8)) : W8{};
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    if (AllOpaque8(d + i)) {
      Store8(d + i, vec(Load8(d + i), Load8(t + i)));
      continue;
    }
    for (int32_t k = i; k < i + 8; ++k) d[k] = OverTintedOne(d[k], s[k], tr, tg, tb, ta);
  }
  if (i == n) return;
  if (lastOpaque) {
    Store8(d + n - 8, last);
    return;
  }
  for (; i < n; ++i) d[i] = OverTintedOne(d[i], s[i], tr, tg, tb, ta);
}

PLIX_INLINE void AddAlphaSpan(uint32_t* d, const uint32_t* s, int32_t n) {
  Each8(
      d, s, n,
      [](W8 dv, W8 sv) PLIX_LAMBDA {
        W8 a = sv >> 24;
        H16 a2 = Lanes(a | (a << 16));
        return AddSaturate8(dv, (Lanes(sv & 0xFF00FF) * a2) >> 8, (Lanes((sv >> 8) & 0xFF) * a2) >> 8);
      },
      [](uint32_t dp, uint32_t sp) PLIX_LAMBDA { return AddSaturate(dp, ScaleRGB(sp, sp >> 24)); });
}

// Calls span(d, s, length) for the stretches of the row between long clear
// runs; the short runs of a sprite's rim cost less inside a span than alone.
// Every span leaves the destination alone under a clear source pixel.
constexpr int32_t kSkipClear = 8;
// Spans that pick opaque pixels out by themselves copy only runs this long
// on their own: a shorter one costs less inside the span.
constexpr int32_t kCopyLong = 64;

// A row this short goes through one span from its first to its last
// pixel that is not clear: walking its runs would cost more than working
// through the few clear or opaque pixels inside.
constexpr int32_t kShortRow = 128;

PLIX_INLINE bool AllClear8(const uint32_t* s) {
  return ((s[0] | s[1] | s[2] | s[3] | s[4] | s[5] | s[6] | s[7]) >> 24) == 0;
}

template <typename Span>
PLIX_INLINE bool ShortRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, Span span) {
  if (n > kShortRow) return false;
  int32_t from = 0;
  if ((s[0] >> 24) == 0) from = runs[0] < 1 ? 1 : runs[0] < n ? runs[0] : n;
  int32_t end = n;
  while (end - 8 >= from && AllClear8(s + end - 8)) end -= 8;
  while (end > from && (s[end - 1] >> 24) == 0) --end;
  if (end > from) span(d + from, s + from, end - from);
  return true;
}

template <typename Span>
PLIX_INLINE void ForVisibleRuns(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, Span span) {
  if (runs == nullptr) {
    span(d, s, n);
    return;
  }
  if (ShortRow(d, s, runs, n, span)) return;
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
PLIX_INLINE void BlitOpaqueSpan(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  // On an opaque destination OverOpaque with alpha 0 gives d back: only
  // opaque source pixels need choosing.
  Each8Runs(
      d, s, runs, n,
      [](W8 dv, W8 sv) PLIX_LAMBDA {
        W8 sa = sv >> 24;
        W8 blended = OverOpaque8(dv, sv, sa);
        return sa == 255 ? sv : blended;
      },
      [](uint32_t dp, uint32_t sp) PLIX_LAMBDA {
        uint32_t sa = sp >> 24;
        return sa == 255 ? sp : sa != 0 ? OverOpaque(dp, sp, sa) : dp;
      });
}

// Native words over the destination, branch-free: a clear source pixel
// keeps d, an opaque one fades d to nothing and adds itself.
PLIX_INLINE void OverNativeSpan(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  Each8Runs(
      d, s, runs, n,
      [](W8 dv, W8 sv) PLIX_LAMBDA {
        W8 a = sv >> 24;
        W8 out = Fade8(dv, 256 - a) + sv;
        return a == 0 ? dv : out;
      },
      [](uint32_t dp, uint32_t sp) PLIX_LAMBDA {
        uint32_t a = sp >> 24;
        return a != 0 ? Fade1(dp, 256 - a) + sp : dp;
      });
}

}  // namespace

PLIX_INLINE void OverNativeRowOne(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  auto span = [&](uint32_t* dd, const uint32_t* ss, int32_t len)
                  PLIX_LAMBDA { OverNativeSpan(dd, ss, runs + (ss - s), len); };
  if (ShortRow(d, s, runs, n, span)) return;
  int32_t from = 0;
  for (int32_t i = 0; i < n;) {
    int32_t length = runs[i] < n - i ? runs[i] : n - i;
    if (length < 1) length = 1;
    uint32_t sa = s[i] >> 24;
    if ((sa == 0 && length >= kSkipClear) || (sa == 255 && length >= kCopyLong)) {
      if (i > from) span(d + from, s + from, i - from);
      if (sa == 255) std::memcpy(d + i, s + i, size_t(length) * 4);
      from = i + length;
    }
    i += length;
  }
  if (n > from) span(d + from, s + from, n - from);
}

PLIX_KERNEL void OverNativeRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, int32_t rows,
                               ptrdiff_t dStride, ptrdiff_t sStride) {
  for (int32_t r = 0; r < rows; ++r) {
    OverNativeRowOne(d, s, runs, n);
    d += dStride;
    s += sStride;
    if (runs) runs += sStride;
  }
}

PLIX_KERNEL void FadeAddRow(uint32_t* d, int32_t n, uint32_t k, uint32_t add) {
  W8 kv = W8{} + k;
  // The row is its own source: Each8 reads a pixel before it writes it.
  Each8(
      d, d, n, [&](W8 dv, W8) PLIX_LAMBDA { return Fade8(dv, kv) + add; },
      [&](uint32_t dp, uint32_t) PLIX_LAMBDA { return Fade1(dp, k) + add; });
}

PLIX_INLINE void BlitOpaqueRowOne(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  // Long clear runs are skipped and long opaque runs copied whole; what lies
  // between goes pixel by pixel.
  auto span = [&](uint32_t* dd, const uint32_t* ss, int32_t len)
                  PLIX_LAMBDA { BlitOpaqueSpan(dd, ss, runs + (ss - s), len); };
  if (ShortRow(d, s, runs, n, span)) return;
  int32_t from = 0;
  for (int32_t i = 0; i < n;) {
    int32_t length = runs[i] < n - i ? runs[i] : n - i;
    uint32_t sa = s[i] >> 24;
    if ((sa == 0 && length >= kSkipClear) || (sa == 255 && length >= kCopyLong)) {
      if (i > from) span(d + from, s + from, i - from);
      if (sa == 255) {
        int32_t k = 0;
        for (; k + 8 <= length; k += 8) Store8(d + i + k, Load8(s + i + k));
        for (; k < length; ++k) d[i + k] = s[i + k];
      }
      from = i + length;
    }
    i += length;
  }
  if (n > from) span(d + from, s + from, n - from);
}

PLIX_KERNEL void BlitOpaqueRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, int32_t rows,
                               ptrdiff_t dStride, ptrdiff_t sStride) {
  for (int32_t r = 0; r < rows; ++r) {
    BlitOpaqueRowOne(d, s, runs, n);
    d += dStride;
    s += sStride;
    if (runs) runs += sStride;
  }
}

PLIX_INLINE void OverRowOne(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  ForVisibleRuns(d, s, runs, n,
                 [](uint32_t* dd, const uint32_t* ss, int32_t len) PLIX_LAMBDA { OverSpan(dd, ss, len); });
}

PLIX_KERNEL void OverRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, int32_t rows,
                         ptrdiff_t dStride, ptrdiff_t sStride) {
  for (int32_t r = 0; r < rows; ++r) {
    OverRowOne(d, s, runs, n);
    d += dStride;
    s += sStride;
    if (runs) runs += sStride;
  }
}

PLIX_INLINE void OverTintedRowOne(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, uint32_t tr,
                                  uint32_t tg, uint32_t tb, uint32_t ta) {
  ForVisibleRuns(d, s, runs, n, [&](uint32_t* dd, const uint32_t* ss, int32_t len) PLIX_LAMBDA {
    OverTintedSpan(dd, ss, len, tr, tg, tb, ta);
  });
}

PLIX_KERNEL void OverTintedRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, uint32_t tr, uint32_t tg,
                               uint32_t tb, uint32_t ta, int32_t rows, ptrdiff_t dStride, ptrdiff_t sStride) {
  for (int32_t r = 0; r < rows; ++r) {
    OverTintedRowOne(d, s, runs, n, tr, tg, tb, ta);
    d += dStride;
    s += sStride;
    if (runs) runs += sStride;
  }
}

PLIX_INLINE void OverTintTermsRowOne(uint32_t* d, const uint32_t* s, const uint32_t* t, const uint8_t* runs, int32_t n,
                                     uint32_t tr, uint32_t tg, uint32_t tb, uint32_t ta, bool destOpaque) {
  ForVisibleRuns(d, s, runs, n, [&](uint32_t* dd, const uint32_t* ss, int32_t len) PLIX_LAMBDA {
    OverTintTermsSpan(dd, ss, t + (ss - s), runs ? runs + (ss - s) : nullptr, len, tr, tg, tb, ta, destOpaque);
  });
}

PLIX_KERNEL void OverTintTermsRow(uint32_t* d, const uint32_t* s, const uint32_t* t, const uint8_t* runs, int32_t n,
                                  uint32_t tr, uint32_t tg, uint32_t tb, uint32_t ta, bool destOpaque, int32_t rows,
                                  ptrdiff_t dStride, ptrdiff_t sStride) {
  for (int32_t r = 0; r < rows; ++r) {
    OverTintTermsRowOne(d, s, t, runs, n, tr, tg, tb, ta, destOpaque);
    d += dStride;
    s += sStride;
    if (runs) runs += sStride;
    t += sStride;
  }
}

PLIX_INLINE void AddRowOne(uint32_t* d, const uint32_t* s, int32_t n) {
  Each8(
      d, s, n, [](W8 dv, W8 sv) PLIX_LAMBDA { return AddSaturate8(dv, Lanes(sv & 0xFF00FF), Lanes((sv >> 8) & 0xFF)); },
      [](uint32_t dp, uint32_t sp) PLIX_LAMBDA { return AddSaturate(dp, sp); });
}

PLIX_KERNEL void AddRow(uint32_t* d, const uint32_t* s, int32_t n, int32_t rows, ptrdiff_t dStride, ptrdiff_t sStride) {
  for (int32_t r = 0; r < rows; ++r) {
    AddRowOne(d, s, n);
    d += dStride;
    s += sStride;
  }
}

PLIX_INLINE void AddAlphaRowOne(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n) {
  ForVisibleRuns(d, s, runs, n,
                 [](uint32_t* dd, const uint32_t* ss, int32_t len) PLIX_LAMBDA { AddAlphaSpan(dd, ss, len); });
}

PLIX_KERNEL void AddAlphaRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, int32_t rows,
                             ptrdiff_t dStride, ptrdiff_t sStride) {
  for (int32_t r = 0; r < rows; ++r) {
    AddAlphaRowOne(d, s, runs, n);
    d += dStride;
    s += sStride;
    if (runs) runs += sStride;
  }
}

PLIX_KERNEL void FilteredBlendRow(uint32_t* d, const uint32_t* f, int32_t n) {
  // Opaque filtered pixels give the same whatever lies under them: a group
  // of eight of them is stored without reading the destination.
  OpaqueOrEach(d, f, n, [](uint32_t dp, uint32_t fp) PLIX_LAMBDA {
    uint32_t a = fp >> 24;
    if (a == 0) return dp;
    uint32_t da = dp >> 24;
    return (OverOpaque(dp, fp, a) & 0xFFFFFF) | ((da + ((255 - da) * a) / 255) << 24);
  });
}

PLIX_KERNEL void OverTerms(uint32_t* terms, const uint32_t* s, int32_t n) {
  auto vec = [](W8 sv) PLIX_LAMBDA {
    W8 a = sv >> 24;
    H16 a2 = Lanes(a | (a << 16));
    H16 rb = (Lanes(sv & 0xFF00FF) * a2) >> 8, g = (Lanes((sv >> 8) & 0xFF) * a2) >> 8;
    return Words(rb) | (Words(g) << 8) | (a << 24);
  };
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) Store8(terms + i, vec(Load8(s + i)));
  for (; i < n; ++i) terms[i] = ScaleRGB(s[i], s[i] >> 24) | (s[i] & 0xFF000000);
}

PLIX_KERNEL void OverTermsRow(uint32_t* d, const uint32_t* s, const uint32_t* terms, int32_t n, int32_t rows,
                              ptrdiff_t dStride, ptrdiff_t sStride) {
  auto one = [](uint32_t dp, uint32_t sp) PLIX_LAMBDA { return sp >> 24 ? Over(dp, sp, sp >> 24) : dp; };
  for (int32_t r = 0; r < rows; ++r, d += dStride, s += sStride, terms += sStride) {
    int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
      W8 tv = Load8(terms + i);
      // An opaque source pixel fades any destination pixel to nothing and
      // makes it opaque: its term alone, the destination unread.
      if (AllOpaque8(tv)) {
        Store8(d + i, tv);
        continue;
      }
      W8 dv = Load8(d + i);
      if (AllOpaque8(dv)) {
        Store8(d + i, (Fade8(dv, 256 - (tv >> 24)) + (tv & 0xFFFFFF)) | 0xFF000000);
        continue;
      }
      for (int32_t k = i; k < i + 8; ++k) d[k] = one(d[k], s[k]);
    }
    for (; i < n; ++i) d[i] = one(d[i], s[i]);
  }
}

// The lanes of v in the order the indices (0 to 7) give. GCC permutes a
// vector by a variable mask in one builtin; other compilers (clang's fuzz
// build) pick the lanes one by one, to the same result. Always inlined,
// like every helper here: an out-of-line call from the AVX2 clone would pass
// the vectors by another convention than the plain callee expects.
PLIX_INLINE W8 Permute8(W8 v, W8 indices) {
#if defined(__GNUC__) && !defined(__clang__)
  return __builtin_shuffle(v, indices);
#else
  uint32_t lanes[8], picked[8], at[8];
  std::memcpy(lanes, &v, 32);
  std::memcpy(at, &indices, 32);
  for (int k = 0; k < 8; ++k) picked[k] = lanes[at[k] & 7];
  W8 out;
  std::memcpy(&out, picked, 32);
  return out;
#endif
}

PLIX_KERNEL void GatherRow(uint32_t* out, const uint32_t* row, int32_t length, const int32_t* columns, int32_t n) {
  // Enlarging, eight destination pixels show at most eight neighbouring
  // source pixels: one load and a permutation of it.
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const int32_t first = columns[i];
    if (columns[i + 7] - first < 8 && first + 8 <= length) {
      W8 lanes;
      std::memcpy(&lanes, columns + i, 32);
      Store8(out + i, Permute8(Load8(row + first), lanes - uint32_t(first)));
      continue;
    }
    for (int32_t k = i; k < i + 8; ++k) out[k] = row[columns[k]];
  }
  for (; i < n; ++i) out[i] = row[columns[i]];
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
      out[i * 4 + k] =
          uint16_t(((row[i0[i]] >> (8 * k)) & 0xFF) * w0[i * 4 + k] + ((row[i1[i]] >> (8 * k)) & 0xFF) * w1[i * 4 + k]);
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
