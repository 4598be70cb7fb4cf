// The memory image's transformed drawing: the rotated blit (and through it
// the float-position blit) and the stretched blit in its fast and filtered
// forms. Matrix and triangle blits are in PolygonRaster.cpp.
#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/PixelOps.h"
#include "framework/graphics/SWKernels.h"
#include "framework/graphics/SWRenderSource.h"

namespace Plix {

using namespace Px;

bool MemoryImage::RotatedDestBox(float x, float y, const Rect& srcRect, const Rect& clip, float centerX,
                                 float centerY, double angle, FRect& box) {
  float c = float(std::cos(angle)), s = float(std::sin(angle));
  float w = float(srcRect.mWidth), h = float(srcRect.mHeight);
  const float corners[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  float minX = 10000000.0f, minY = 10000000.0f, maxX = -10000000.0f, maxY = -10000000.0f;
  for (const auto& p : corners) {
    float px = x + centerX + (p[0] - centerX) * c + (p[1] - centerY) * s;
    float py = y + centerY + (p[1] - centerY) * c - (p[0] - centerX) * s;
    minX = std::min(minX, px);
    minY = std::min(minY, py);
    maxX = std::max(maxX, px);
    maxY = std::max(maxY, py);
  }
  box = FRect(minX, minY, double(maxX) - minX, double(maxY) - minY)
            .Intersection(FRect(clip.mX, clip.mY, clip.mWidth, clip.mHeight));
  return box.mWidth > 0 && box.mHeight > 0;
}

namespace {

// Narrows a row of the rotated blit to the columns whose bilinear sample
// lies wholly inside the source (u, v: 16.16 position of column 0; du, dv:
// steps; W, H: source size). False when nothing of the row is drawn.
bool NarrowRow(int64_t u, int64_t v, int64_t du, int64_t dv, int64_t W, int64_t H, int64_t& first,
               int64_t& last) {
  int64_t w16 = W << 16, h16 = H << 16;
  if (du >= 1) {
    if ((u >> 16) >= W - 1) return false;
    int64_t f = (0x10000 - u) / du;
    if (f > 0) first = std::max(first, f);
    last = std::min(last, (w16 - u - 0x17FFF) / du);
  } else if (du == 0) {
    if (u < 0 || u >= w16 - 0x10000) return false;
  } else {
    if ((u >> 16) < 0) return false;
    int64_t f = (w16 - u - 0x27FFF) / du;
    if (f >= 0) first = f;
    last = std::min(last, (0x7FFF - u) / du);
  }
  if (dv >= 1) {
    if ((v >> 16) >= H - 1) return false;
    first = std::max(first, (0x10000 - v) / dv);
    last = std::min(last, (h16 - v - 0x17FFF) / dv);
  } else if (dv == 0) {
    if (v < 0 || v >= h16 - 0x10000) return false;
  } else {
    if ((v >> 16) < 0) return false;
    first = std::max(first, (h16 - v - 0x27FFF) / dv);
    last = std::min(last, -(v / dv));
  }
  return first <= last;
}

struct RotateParams {
  int32_t mode;
  bool white;
  uint32_t tintAlpha;
  uint32_t factor[3];  // tint factors of the channel sums
  const uint8_t* sat;
};

// One bilinear sample blended into *d. The four weights carry their
// pixels' alpha (and, tinted in mode 0, the colour's).
template <typename Src>
inline void RotatedPixel(uint32_t* d, const Src& src, int32_t sx, int32_t sy, uint32_t fx, uint32_t fy,
                         const RotateParams& p) {
  uint32_t px[4] = {src.At(sx, sy), src.At(sx + 1, sy), src.At(sx, sy + 1), src.At(sx + 1, sy + 1)};
  uint32_t gx = 0x10000 - fx, gy = 0x10000 - fy;
  uint32_t w[4] = {(gx * gy) >> 16, (fx * gy) >> 16, (gx * fy) >> 16, (fx * fy) >> 16};
  uint32_t A = 0;
  for (int i = 0; i < 4; ++i) {
    w[i] = (w[i] * (px[i] >> 24)) >> 16;
    if (p.mode == DRAWMODE_NORMAL && !p.white) w[i] = (w[i] * p.tintAlpha) >> 8;
    A += w[i];
  }
  if (A == 0) return;
  uint32_t sum[3] = {0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    sum[0] += w[i] * ((px[i] >> 16) & 0xFF);
    sum[1] += w[i] * ((px[i] >> 8) & 0xFF);
    sum[2] += w[i] * (px[i] & 0xFF);
  }
  uint32_t S[3];
  for (int c = 0; c < 3; ++c) S[c] = p.white ? sum[c] >> 8 : (sum[c] * p.factor[c]) >> 16;
  uint32_t dp = *d;
  if (p.mode == DRAWMODE_ADDITIVE) {
    *d = (dp & 0xFF000000) | (uint32_t(p.sat[((dp >> 16) & 0xFF) + S[0]]) << 16) |
         (uint32_t(p.sat[((dp >> 8) & 0xFF) + S[1]]) << 8) | p.sat[(dp & 0xFF) + S[2]];
    return;
  }
  if (A >= 251) {
    *d = 0xFF000000 | (S[0] << 16) | (S[1] << 8) | S[2];
    return;
  }
  uint32_t da = dp >> 24, k = 256 - A;
  uint32_t n = 256 - (((256 - da) * k) >> 8);
  uint32_t dc[3] = {(dp >> 16) & 0xFF, (dp >> 8) & 0xFF, dp & 0xFF};
  uint32_t out[3];
  if (n == 256) {
    for (int c = 0; c < 3; ++c) out[c] = (((da * dc[c]) >> 8) * k + 256 * S[c]) >> 8;
  } else {
    for (int c = 0; c < 3; ++c) out[c] = (((da * dc[c]) >> 8) * k + 256 * S[c]) / n;
  }
  *d = ((n - 1) << 24) | ((out[0] & 0xFF) << 16) | ((out[1] & 0xFF) << 8) | (out[2] & 0xFF);
}

}  // namespace

void MemoryImage::BlitRotated(Image* srcImage, float x, float y, const Rect& srcRect, const Rect& clip,
                              const Color& color, int32_t drawMode, double angle, float centerX, float centerY) {
  srcImage->mDrawn = true;
  auto* src = dynamic_cast<MemoryImage*>(srcImage);
  if (src == nullptr || (drawMode != DRAWMODE_NORMAL && drawMode != DRAWMODE_ADDITIVE)) return;
  Rect inImage = clip.Intersection(Rect(0, 0, mWidth, mHeight));
  Rect sr = srcRect.Intersection(Rect(0, 0, src->mWidth, src->mHeight));
  FRect box;
  if (!RotatedDestBox(x, y, srcRect, inImage, centerX, centerY, angle, box)) return;
  uint32_t* bits = GetBits();

  double cs = std::cos(angle), sn = std::sin(angle);
  int64_t du = TruncInt64(cs * 65536), dv = TruncInt64(sn * 65536);
  Channels c(color);
  RotateParams p{drawMode, color.IsWhite(), c.a, {c.r, c.g, c.b}, mApp->GetSaturationTable()};
  if (drawMode == DRAWMODE_ADDITIVE)
    for (uint32_t& f : p.factor) f = (f * c.a) / 255;

  int32_t x0 = TruncInt(box.mX), y0 = TruncInt(box.mY);
  int64_t lastColumn = TruncInt(box.mWidth - 1), lastRow = TruncInt(box.mHeight - 1);
  int64_t W = sr.mWidth, H = sr.mHeight;
  WithSource(*src, [&](const auto& source) {
    for (int64_t j = 0; j <= lastRow; ++j) {
      double px = double(x0) - centerX - x, py = double(y0 + j) - centerY - y;
      int64_t u = TruncInt64((px * cs - py * sn + centerX) * 65536);
      int64_t v = TruncInt64((py * cs + px * sn + centerY) * 65536);
      int64_t first = 0, last = lastColumn;
      if (!NarrowRow(u, v, du, dv, W, H, first, last)) continue;
      u += first * du;
      v += first * dv;
      // The run is linear: both its ends inside means all of it is.
      int64_t uEnd = u + (last - first) * du, vEnd = v + (last - first) * dv;
      auto inside = [&](int64_t uu, int64_t vv) {
        return uu >= 0 && vv >= 0 && (uu >> 16) + 1 < W && (vv >> 16) + 1 < H;
      };
      if (!inside(u, v) || !inside(uEnd, vEnd)) continue;
      uint32_t* d = bits + size_t(y0 + j) * size_t(mWidth) + size_t(x0);
      for (int64_t i = first; i <= last; ++i, u += du, v += dv) {
        RotatedPixel(d + i, source, sr.mX + int32_t(u >> 16), sr.mY + int32_t(v >> 16), uint32_t(u & 0xFFFE) + 1,
                     uint32_t(v & 0xFFFE) + 1, p);
      }
    }
  });
  OnBitsChanged();
}

bool MemoryImage::ClipStretch(const Rect& destRect, const Rect& srcRect, const Rect& clip, Rect& clippedDest,
                              FRect& srcArea) {
  if (destRect.mWidth <= 0 || destRect.mHeight <= 0) return false;
  clippedDest = destRect.Intersection(clip);
  double sx = double(srcRect.mWidth) / destRect.mWidth, sy = double(srcRect.mHeight) / destRect.mHeight;
  srcArea = FRect(srcRect.mX + (clippedDest.mX - destRect.mX) * sx, srcRect.mY + (clippedDest.mY - destRect.mY) * sy,
                  srcRect.mWidth + (clippedDest.mWidth - destRect.mWidth) * sx,
                  srcRect.mHeight + (clippedDest.mHeight - destRect.mHeight) * sy);
  return srcArea.mWidth > 0 && srcArea.mHeight > 0 && clippedDest.mWidth > 0 && clippedDest.mHeight > 0;
}

bool MemoryImage::ClipStretchMirror(const Rect& destRect, const Rect& srcRect, const Rect& clip, Rect& clippedDest,
                                    FRect& srcArea) {
  if (!ClipStretch(destRect, srcRect, clip, clippedDest, srcArea)) return false;
  // What is cut off on the destination's right is cut off on the source's left.
  double sx = double(srcRect.mWidth) / destRect.mWidth;
  int64_t cutRight = (int64_t(destRect.mX) + destRect.mWidth) - (int64_t(clippedDest.mX) + clippedDest.mWidth);
  srcArea.mX = srcRect.mX + double(cutRight) * sx;
  return true;
}

namespace {

// The whole pixels under a source area, cut to the image.
bool WholePixels(const FRect& area, const MemoryImage& src, int32_t& left, int32_t& top, int32_t& right,
                 int32_t& bottom) {
  left = std::max(TruncInt(std::floor(area.mX)), 0);
  top = std::max(TruncInt(std::floor(area.mY)), 0);
  right = std::min(TruncInt(std::ceil(area.mX + area.mWidth)), src.mWidth);
  bottom = std::min(TruncInt(std::ceil(area.mY + area.mHeight)), src.mHeight);
  return left < right && top < bottom;
}

// A row's samples at the given columns (below `length`, never decreasing).
inline void GatherSamples(uint32_t* out, const DirectSource& src, int32_t row, int32_t length, const int32_t* columns,
                          int32_t n) {
  GatherRow(out, src.Row(row, 0).p, length, columns, n);
}
inline void GatherSamples(uint32_t* out, const PaletteSource& src, int32_t row, int32_t, const int32_t* columns,
                          int32_t n) {
  auto s = src.Row(row, 0);
  for (int32_t i = 0; i < n; ++i) out[i] = s[columns[i]];
}

// Nearest-sample stretch; tinted as the plain blit tints.
template <typename Src>
void FastStretch(uint32_t* bits, int32_t pitch, const Rect& dest, const Src& src, const FRect& area,
                 int32_t left, int32_t top, int32_t right, int32_t bottom, const Color& color) {
  double sx = area.mWidth / dest.mWidth, sy = area.mHeight / dest.mHeight;
  std::vector<int32_t> columns(size_t(dest.mWidth));
  for (int32_t i = 0; i < dest.mWidth; ++i) columns[i] = std::clamp(TruncInt(area.mX + i * sx), left, right - 1);
  std::vector<uint32_t> samples(size_t(dest.mWidth)), terms;
  bool white = color.IsWhite();
  Channels c(color);
  auto rowOf = [&](int32_t j) { return std::clamp(TruncInt(area.mY + j * sy), top, bottom - 1); };
  for (int32_t j = 0; j < dest.mHeight;) {
    // The destination rows that show the same source row blend one sample row.
    const int32_t row = rowOf(j);
    int32_t rows = 1;
    while (j + rows < dest.mHeight && rowOf(j + rows) == row) ++rows;
    GatherSamples(samples.data(), src, row, right, columns.data(), dest.mWidth);
    uint32_t* d = bits + size_t(dest.mY + j) * size_t(pitch) + size_t(dest.mX);
    if (white) {
      // The blend's source half once for all the rows (an opaque sample
      // needs nothing else).
      terms.resize(samples.size());
      OverTerms(terms.data(), samples.data(), dest.mWidth);
      OverTermsRow(d, samples.data(), terms.data(), dest.mWidth, rows, pitch, 0);
    } else
      OverTintedRow(d, samples.data(), nullptr, dest.mWidth, c.r, c.g, c.b, c.a, rows, pitch, 0);
    j += rows;
  }
}

// A whole source row as 32-bit pixels.
inline const uint32_t* RowOf(const DirectSource& src, int32_t y, std::vector<uint32_t>&) { return src.Row(y, 0).p; }
inline const uint32_t* RowOf(const PaletteSource& src, int32_t y, std::vector<uint32_t>& buffer) {
  buffer.resize(size_t(src.pitch));
  for (int32_t i = 0; i < src.pitch; ++i) buffer[i] = src.At(i, y);
  return buffer.data();
}

// Resampling weights of one axis: for each destination index, the source
// indices and weights (in units of `unit`) that make it.
struct Taps {
  std::vector<int32_t> start;  // per destination index, into index/weight; one extra at the end
  std::vector<int32_t> index;
  std::vector<uint32_t> weight;
};

Taps BuildTaps(double from, double length, int32_t low, int32_t high, int32_t count, double unit) {
  Taps t;
  t.start.reserve(size_t(count) + 1);
  if (count < length) {
    // Shrinking: each source pixel adds into the destination pixels it
    // covers, by the width it covers there.
    std::vector<std::vector<std::pair<int32_t, uint32_t>>> per(static_cast<size_t>(count));
    double scale = count / length;
    for (int32_t k = low; k < high; ++k) {
      double d0 = (std::max<double>(k, from) - from) * scale, d1 = (std::min<double>(k + 1, from + length) - from) * scale;
      if (d1 <= d0) continue;
      int32_t c0 = std::max(TruncInt(std::floor(d0)), 0), c1 = std::min(TruncInt(std::ceil(d1)) - 1, count - 1);
      for (int32_t c = c0; c <= c1; ++c) {
        double covered = std::min(d1, double(c + 1)) - std::max(d0, double(c));
        if (covered > 0) per[c].push_back({k, uint32_t(TruncInt(covered * unit))});
      }
    }
    for (auto& list : per) {
      t.start.push_back(int32_t(t.index.size()));
      for (auto [k, w] : list) {
        t.index.push_back(k);
        t.weight.push_back(w);
      }
    }
  } else {
    // Enlarging: each destination pixel mixes two neighbouring source pixels.
    double step = count > 1 ? (length - 1) / (count - 1) : length / count;
    uint32_t whole = uint32_t(unit);
    for (int32_t i = 0; i < count; ++i) {
      double p = i * step + from, ip = std::floor(p);
      uint32_t a = uint32_t(std::clamp(TruncInt((1 - (p - ip)) * unit), 0, int32_t(whole)));
      int32_t k = TruncInt(ip);
      t.start.push_back(int32_t(t.index.size()));
      t.index.push_back(std::clamp(k, low, high - 1));
      t.weight.push_back(a);
      t.index.push_back(std::clamp(k + 1, low, high - 1));
      t.weight.push_back(whole - a);
    }
  }
  t.start.push_back(int32_t(t.index.size()));
  return t;
}

// Separable resampling: each source row is resampled across into channel
// sums (units of 257, so a sum fits 16 bits), then rows are mixed down
// (units of 256) and the channels are (sum >> 16).
template <typename Src>
void FilteredStretch(uint32_t* bits, int32_t pitch, const Rect& dest, const Src& src, const FRect& area,
                     int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Taps across = BuildTaps(area.mX, area.mWidth, left, right, dest.mWidth, 257);
  Taps down = BuildTaps(area.mY, area.mHeight, top, bottom, dest.mHeight, 256);
  // Work rows: per source row four sums per destination column, in the
  // pixel's byte order (b, g, r, a). Destination rows take their source
  // rows in increasing order, a few at a time: a ring of work rows, each
  // made when a destination row first needs it, holds what is still to come.
  size_t stride = (size_t(dest.mWidth) + 4) * 4;
  int32_t ring = 1;
  for (int32_t j = 0; j < dest.mHeight; ++j) ring = std::max(ring, down.start[j + 1] - down.start[j]);
  std::vector<uint16_t> work(stride * size_t(ring));
  std::vector<int32_t> held(size_t(ring), -1);  // the source row in each slot
  // Enlarging across (and some shrinking) gives every column two taps.
  bool twoTaps = true;
  for (int32_t i = 0; i < dest.mWidth; ++i) twoTaps &= across.start[i + 1] - across.start[i] == 2;
  std::vector<int32_t> i0, i1;
  std::vector<uint16_t> w0, w1;
  if (twoTaps) {
    for (int32_t i = 0; i < dest.mWidth; ++i) {
      size_t t = size_t(across.start[i]);
      i0.push_back(across.index[t]);
      i1.push_back(across.index[t + 1]);
      w0.insert(w0.end(), 4, uint16_t(across.weight[t]));
      w1.insert(w1.end(), 4, uint16_t(across.weight[t + 1]));
    }
  }
  std::vector<uint32_t> buffer;
  auto resample = [&](int32_t row, uint16_t* out) {
    if (twoTaps) {
      ResampleRow2(out, RowOf(src, row, buffer), i0.data(), i1.data(), w0.data(), w1.data(), dest.mWidth);
      return;
    }
    auto s = src.Row(row, 0);
    for (int32_t i = 0; i < dest.mWidth; ++i) {
      uint32_t sum[4] = {0, 0, 0, 0};
      for (int32_t t = across.start[i]; t < across.start[i + 1]; ++t) {
        uint32_t p = s[across.index[t]], w = across.weight[t];
        for (int k = 0; k < 4; ++k) sum[k] += ((p >> (8 * k)) & 0xFF) * w;
      }
      for (int k = 0; k < 4; ++k) out[i * 4 + k] = uint16_t(sum[k]);
    }
  };
  size_t words = size_t(dest.mWidth) * 4;
  std::vector<uint32_t> sums(words), filtered(size_t(dest.mWidth));
  auto workRow = [&](int32_t t) {
    const int32_t row = down.index[t];
    const size_t slot = size_t(row - top) % size_t(ring);
    uint16_t* out = work.data() + slot * stride;
    if (held[slot] != row) {
      resample(row, out);
      held[slot] = row;
    }
    return out;
  };
  for (int32_t j = 0; j < dest.mHeight; ++j) {
    int32_t t = down.start[j], end = down.start[j + 1];
    if (end - t == 2) {
      MixRowsToPixels(filtered.data(), workRow(t), down.weight[t], workRow(t + 1), down.weight[t + 1], dest.mWidth);
    } else {
      std::fill(sums.begin(), sums.end(), 0u);
      for (; t < end; ++t) {
        const uint16_t* in = workRow(t);
        uint32_t w = down.weight[t];
        for (size_t k = 0; k < words; ++k) sums[k] += in[k] * w;
      }
      for (int32_t i = 0; i < dest.mWidth; ++i) {
        uint32_t p = 0;
        for (int k = 0; k < 4; ++k) p |= std::min(sums[size_t(i) * 4 + k] >> 16, 255u) << (8 * k);
        filtered[i] = p;
      }
    }
    FilteredBlendRow(bits + size_t(dest.mY + j) * size_t(pitch) + size_t(dest.mX), filtered.data(), dest.mWidth);
  }
}

}  // namespace

void MemoryImage::StretchBlitFiltered(MemoryImage* src, const Rect& destRect, const FRect& srcArea) {
  Rect dest = destRect.Intersection(Rect(0, 0, mWidth, mHeight));
  if (dest != destRect || dest.mWidth <= 0 || dest.mHeight <= 0) return;
  int32_t left, top, right, bottom;
  if (!WholePixels(srcArea, *src, left, top, right, bottom)) return;
  uint32_t* bits = GetBits();
  WithSource(*src, [&](const auto& source) {
    FilteredStretch(bits, mWidth, dest, source, srcArea, left, top, right, bottom);
  });
}

void MemoryImage::StretchBlit(Image* srcImage, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                              const Color& color, int32_t drawMode, bool fastStretch) {
  srcImage->mDrawn = true;
  auto* src = dynamic_cast<MemoryImage*>(srcImage);
  if (src == nullptr) return;
  Rect dest;
  FRect area;
  if (!ClipStretch(destRect, srcRect, clip.Intersection(Rect(0, 0, mWidth, mHeight)), dest, area)) return;
  if (fastStretch) {
    int32_t left, top, right, bottom;
    if (WholePixels(area, *src, left, top, right, bottom)) {
      uint32_t* bits = GetBits();
      WithSource(*src, [&](const auto& source) {
        FastStretch(bits, mWidth, dest, source, area, left, top, right, bottom, color);
      });
    }
  } else {
    StretchBlitFiltered(src, dest, area);
  }
  OnBitsChanged();
}

}  // namespace Plix
