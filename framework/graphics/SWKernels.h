#pragma once
// Row kernels of the software renderers (internal). Each gives exactly the
// per-pixel results of the formulas in PixelOps.h; they work eight pixels at
// a time where the destination allows and are built for AVX2 as well, chosen
// when the program starts. Sources never overlap their destinations.
//
// The blits take `rows` rows, each `dStride` pixels after the one before in
// the destination and `sStride` in the source (its runs and terms alike).
//
// Kernels that take `runs` walk the source's alpha run lengths (a byte per
// pixel: pixels left in its run) and skip clear runs, which leave the
// destination alone in all of them; null runs means every pixel counts.
#include <cstddef>
#include <cstdint>

namespace Plix::Px {

// The blit onto an opaque destination: opaque runs are copied, other
// pixels become OverOpaque(d, s, alpha of s). Needs runs.
void BlitOpaqueRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, int32_t rows = 1,
                   ptrdiff_t dStride = 0, ptrdiff_t sStride = 0);
// The over-blend with each source pixel's own alpha.
void OverRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, int32_t rows = 1, ptrdiff_t dStride = 0,
             ptrdiff_t sStride = 0);
// The tinted over-blend: alpha (sa * tint alpha) / 255, source terms
// (s * w * t) >> 16.
void OverTintedRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, uint32_t tr, uint32_t tg,
                   uint32_t tb, uint32_t ta, int32_t rows = 1, ptrdiff_t dStride = 0, ptrdiff_t sStride = 0);
// The same with the source's tint terms t (MemoryImage::GetTintTerms):
// onto opaque destination pixels ((d * (256 - w)) >> 8) plus the term per
// colour channel, with w the term's top byte; others as OverTintedRow.
// destOpaque: every destination pixel is opaque.
void OverTintTermsRow(uint32_t* d, const uint32_t* s, const uint32_t* t, const uint8_t* runs, int32_t n, uint32_t tr,
                      uint32_t tg, uint32_t tb, uint32_t ta, bool destOpaque, int32_t rows = 1, ptrdiff_t dStride = 0,
                      ptrdiff_t sStride = 0);
// Additive: each colour channel saturates at 255; the destination alpha stays.
void AddRow(uint32_t* d, const uint32_t* s, int32_t n, int32_t rows = 1, ptrdiff_t dStride = 0, ptrdiff_t sStride = 0);
// Additive with the source's alpha: d + ((s * sa) >> 8).
void AddAlphaRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, int32_t rows = 1,
                 ptrdiff_t dStride = 0, ptrdiff_t sStride = 0);
// The filtered stretch's blend of filtered pixels f: channels weighted by
// f's alpha a, new alpha da + ((255 - da) * a) / 255; a = 0 leaves d.
void FilteredBlendRow(uint32_t* d, const uint32_t* f, int32_t n);

// The display's blit onto an X8R8G8B8 surface from premultiplied native
// words s (alpha in the top byte): a clear pixel leaves d whole, any other
// becomes ((d * (256 - a)) >> 8) per colour channel plus s as one word.
// Needs runs.
void OverNativeRow(uint32_t* d, const uint32_t* s, const uint8_t* runs, int32_t n, int32_t rows = 1,
                   ptrdiff_t dStride = 0, ptrdiff_t sStride = 0);
// The display's translucent fill of an X8R8G8B8 row: ((d * k) >> 8) per
// colour channel plus add as one word (k at most 256).
void FadeAddRow(uint32_t* d, int32_t n, uint32_t k, uint32_t add);

// The over-blend split in two for a row of source pixels blended more than
// once: OverTerms gives each pixel's alpha a in the top byte and
// (s * a) >> 8 per colour channel; OverTermsRow blends with them, which on
// opaque destination pixels is ((d * (256 - a)) >> 8) plus the term, and
// elsewhere Over(d, s, a) with the source pixels s.
void OverTerms(uint32_t* terms, const uint32_t* s, int32_t n);
void OverTermsRow(uint32_t* d, const uint32_t* s, const uint32_t* terms, int32_t n, int32_t rows = 1,
                  ptrdiff_t dStride = 0, ptrdiff_t sStride = 0);
// out[i] = row[columns[i]] for a nearest-sample stretch: columns never
// decrease and lie within the row's `length` pixels.
void GatherRow(uint32_t* out, const uint32_t* row, int32_t length, const int32_t* columns, int32_t n);
// The filtered stretch's pass across, for two taps per destination pixel:
// out (four channel sums per pixel, in the pixel's byte order) =
// row[i0] * w0 + row[i1] * w1; the weights come four to a pixel and add up
// to at most 257, so every sum fits 16 bits.
void ResampleRow2(uint16_t* out, const uint32_t* row, const int32_t* i0, const int32_t* i1, const uint16_t* w0,
                  const uint16_t* w1, int32_t n);
// The filtered stretch's pass down for two rows of sums: each channel of
// out is min((a * w0 + b * w1) >> 16, 255); n pixels.
void MixRowsToPixels(uint32_t* out, const uint16_t* a, uint32_t w0, const uint16_t* b, uint32_t w1, int32_t n);

}  // namespace Plix::Px
