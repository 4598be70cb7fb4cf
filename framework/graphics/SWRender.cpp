// The memory image's plain drawing: fills, lines, coverage spans and the
// unscaled blit in the normal and additive draw modes.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/PixelOps.h"
#include "framework/graphics/SWKernels.h"

namespace Plix {

using namespace Px;

namespace {

Rect ClipToImage(const Rect& r, const Image& image) { return r.Intersection(Rect(0, 0, image.mWidth, image.mHeight)); }

bool Inside(const Image& image, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < image.mWidth && y < image.mHeight;
}

// Pixel writers of the sloped line.
struct NormalLinePen {
  uint32_t opaque;  // the whole pixel when the colour is opaque
  uint32_t add[3];  // premultiplied channels otherwise
  uint32_t keep;    // destination weight 256 - alpha
  bool isOpaque;

  explicit NormalLinePen(const Channels& c) : isOpaque(c.a == 255) {
    uint32_t ch[3] = {c.r, c.g, c.b};
    if (isOpaque) {
      for (uint32_t& v : ch) v = (v * 255 + 127) >> 8;
      opaque = 0xFF000000 | (ch[0] << 16) | (ch[1] << 8) | ch[2];
    } else {
      for (int i = 0; i < 3; ++i) {
        uint32_t p = (ch[i] * c.a + 128) >> 8;
        add[i] = (p * 255 + 127) >> 8;
      }
      keep = 256 - c.a;
    }
  }
  uint32_t operator()(uint32_t d) const {
    if (isOpaque) return opaque;
    uint32_t r = ((((d >> 16) & 0xFF) * keep + 127) >> 8) + add[0];
    uint32_t g = ((((d >> 8) & 0xFF) * keep + 127) >> 8) + add[1];
    uint32_t b = (((d & 0xFF) * keep + 127) >> 8) + add[2];
    return 0xFF000000 | (r << 16) | (g << 8) | b;
  }
};

struct AdditiveLinePen {
  uint32_t add;
  const uint8_t* sat;
  AdditiveLinePen(const Channels& c, const uint8_t* table) : sat(table) {
    add = (((c.r * c.a) / 255) << 16) | (((c.g * c.a) / 255) << 8) | ((c.b * c.a) / 255);
  }
  uint32_t operator()(uint32_t d) const {
    return 0xFF000000 | (uint32_t(sat[((d >> 16) & 0xFF) + ((add >> 16) & 0xFF)]) << 16) |
           (uint32_t(sat[((d >> 8) & 0xFF) + ((add >> 8) & 0xFF)]) << 8) | sat[(d & 0xFF) + (add & 0xFF)];
  }
};

// The sloped line's walk: a Bresenham decision value seeded from the
// start's fraction, stopping where it leaves the end points' range.
template <typename Pen>
void WalkLine(MemoryImage& image, uint32_t* bits, double sx, double sy, double ex, double ey, const Pen& pen) {
  auto plot = [&](int32_t x, int32_t y) {
    if (Inside(image, x, y)) {
      uint32_t& d = bits[size_t(y) * size_t(image.mWidth) + size_t(x)];
      d = pen(d);
    }
  };
  double dx = ex - sx, dy = ey - sy;
  bool yMajor = std::fabs(dx) <= std::fabs(dy);
  if (yMajor ? dy < 0 : dx < 0) {
    std::swap(sx, ex);
    std::swap(sy, ey);
    dx = -dx;
    dy = -dy;
  }
  // Work in major/minor terms: "a" runs along the major axis.
  double a0 = yMajor ? sy : sx, b0 = yMajor ? sx : sy;
  double a1 = yMajor ? ey : ex, b1 = yMajor ? ex : ey;
  double da = yMajor ? dy : dx, db = yMajor ? dx : dy;
  int32_t bStep = 1;
  if (db < 0) {
    bStep = -1;
    db = -db;
  }
  int32_t b = TruncInt(b0);
  int32_t bLow = std::min(TruncInt(b0), TruncInt(b1)), bHigh = std::max(TruncInt(b0), TruncInt(b1));
  int64_t inc1 = TruncInt(2 * db);
  int64_t inc2 = TruncInt(2 * (db - da));
  int64_t decision = TruncInt64((b0 - TruncInt(b0)) * double(inc1) + double(TruncInt(2 * db - da)));
  auto plotAB = [&](int32_t a, int32_t bb) { yMajor ? plot(bb, a) : plot(a, bb); };
  plotAB(TruncInt(a0), b);
  // Both ends lie inside the image, so the walk is short; the bound only
  // guards against arguments that do not.
  int64_t aEnd = std::min<double>(a1, double(std::max(image.mWidth, image.mHeight)) + 1.0);
  for (int64_t a = TruncInt(a0 + 1); a <= aEnd; ++a) {
    if (decision < 1) {
      decision += inc1;
    } else {
      b += bStep;
      decision += inc2;
    }
    if (b < bLow || b > bHigh) break;
    plotAB(int32_t(a), b);
  }
}

// Wu's antialiased line in 16.16 fixed point.
void WalkLineAA(MemoryImage& image, uint32_t* bits, double x1d, double y1d, double x2d, double y2d,
                const Channels& c) {
  int32_t x1 = TruncInt(x1d), y1 = TruncInt(y1d), x2 = TruncInt(x2d), y2 = TruncInt(y2d);
  if (y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
    std::swap(x1d, x2d);
    std::swap(y1d, y2d);
  }
  int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
  int32_t xDir = dx < 0 ? -1 : 1;
  int64_t adx = std::llabs(dx);
  bool yMajor = adx < dy;
  int64_t major = yMajor ? dy : adx, minor = yMajor ? adx : dy;
  int64_t slope = major != 0 ? TruncInt64(double(minor) / double(major) * 65536.0) : 0;
  int64_t acc = TruncInt64(std::fabs(y1d - TruncInt(y1d)) * std::fabs(x1d - TruncInt(x1d)) * 65536.0);
  auto blend = [&](int32_t x, int32_t y, uint32_t coverage) {
    if (!Inside(image, x, y)) return;
    uint32_t a = c.a == 255 ? coverage : (coverage * (c.a + 1)) >> 8;
    if (a == 0) return;
    uint32_t& d = bits[size_t(y) * size_t(image.mWidth) + size_t(x)];
    d = Over(d, c.Packed(), a);
  };
  int32_t x = x1, y = y1;
  int64_t steps = std::min<int64_t>(major, int64_t(image.mWidth) + image.mHeight + 2);
  for (int64_t i = 0; i <= steps; ++i) {
    uint32_t frac = uint32_t(acc >> 8) & 255;
    blend(x, y, 255 - uint32_t(acc >> 8));
    if (yMajor) {
      if (x < image.mWidth - 1) blend(x + xDir, y, frac);
    } else {
      if (y < image.mHeight - 1) blend(x, y + 1, frac);
    }
    acc += slope;
    if (acc >= 0x10000) {
      acc &= 0xFFFF;
      yMajor ? x += xDir : ++y;
    }
    yMajor ? ++y : x += xDir;
  }
}

}  // namespace

void MemoryImage::FillRect(const Rect& rect, const Color& color, int32_t drawMode) {
  Rect r = ClipToImage(rect, *this);
  uint32_t* bits = GetBits();
  Channels c(color);
  if (r.mWidth > 0 && r.mHeight > 0) {
    for (int32_t y = r.mY; y < r.mY + r.mHeight; ++y) {
      uint32_t* d = bits + size_t(y) * size_t(mWidth) + size_t(r.mX);
      if (c.a == 255) {
        std::fill(d, d + r.mWidth, c.Packed());
      } else if (c.a != 0) {
        for (int32_t i = 0; i < r.mWidth; ++i) d[i] = Over(d[i], c.Packed(), c.a);
      }
    }
  }
  OnBitsChanged();
}

void MemoryImage::ClearRect(const Rect& rect) {
  Rect r = ClipToImage(rect, *this);
  uint32_t* bits = GetBits();
  for (int32_t y = r.mY; y < r.mY + r.mHeight; ++y) {
    uint32_t* d = bits + size_t(y) * size_t(mWidth) + size_t(r.mX);
    std::fill(d, d + r.mWidth, 0u);
  }
  OnBitsChanged();
}

void MemoryImage::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) {
  if (y1 == y2) {
    int32_t left = TruncInt(std::min(x1, x2)), right = TruncInt(std::max(x1, x2));
    FillRect(Rect(left, TruncInt(y1), right - left + 1, TruncInt(y2 - y1 + 1)), color, drawMode);
    return;
  }
  if (x1 == x2) {
    int32_t top = TruncInt(std::min(y1, y2)), bottom = TruncInt(std::max(y1, y2));
    FillRect(Rect(TruncInt(x1), top, 1, bottom - top + 1), color, drawMode);
    return;
  }
  uint32_t* bits = GetBits();
  Channels c(color);
  if (drawMode == DRAWMODE_NORMAL)
    WalkLine(*this, bits, x1, y1, x2, y2, NormalLinePen(c));
  else if (drawMode == DRAWMODE_ADDITIVE)
    WalkLine(*this, bits, x1, y1, x2, y2, AdditiveLinePen(c, mApp->GetSaturationTable()));
  OnBitsChanged();
}

void MemoryImage::DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) {
  uint32_t* bits = GetBits();
  if (drawMode == DRAWMODE_NORMAL) WalkLineAA(*this, bits, x1, y1, x2, y2, Channels(color));
  OnBitsChanged();
}

void MemoryImage::FillSpansWithCoverage(const Span* spans, int32_t count, const Color& color, int32_t drawMode,
                                        const uint8_t* coverage, int32_t coverX, int32_t coverY,
                                        int32_t coverWidth, int32_t coverHeight) {
  uint32_t* bits = GetBits();
  Channels c(color);
  int64_t coverSize = coverage != nullptr && coverWidth > 0 && coverHeight > 0 ? int64_t(coverWidth) * coverHeight : 0;
  for (int32_t s = 0; s < count; ++s) {
    const Span& span = spans[s];
    if (span.mY < 0 || span.mY >= mHeight) continue;
    int64_t cover = int64_t(span.mX) + (int64_t(span.mY) - coverY) * coverWidth - coverX;
    uint32_t* row = bits + size_t(span.mY) * size_t(mWidth);
    for (int32_t i = 0; i < span.mWidth; ++i, ++cover) {
      int32_t x = span.mX + i;
      if (x < 0 || x >= mWidth || cover < 0 || cover >= coverSize) continue;
      uint32_t a = (c.a * (uint32_t(coverage[cover]) + 1)) >> 8;
      if (a != 0) row[x] = OverRounded(row[x], c.Packed(), a);
    }
  }
  OnBitsChanged();
}

namespace {

// Clips a blit to both images; false when nothing is left.
bool ClipBlit(const Image& dest, const Image& src, int32_t& x, int32_t& y, Rect& s) {
  Rect inSrc = s.Intersection(Rect(0, 0, src.mWidth, src.mHeight));
  int64_t nx = int64_t(x) + inSrc.mX - s.mX, ny = int64_t(y) + inSrc.mY - s.mY;
  if (inSrc.mWidth <= 0 || inSrc.mHeight <= 0 || nx > INT32_MAX || ny > INT32_MAX || nx < INT32_MIN ||
      ny < INT32_MIN)
    return false;
  Rect d = Rect(int32_t(nx), int32_t(ny), inSrc.mWidth, inSrc.mHeight).Intersection(Rect(0, 0, dest.mWidth, dest.mHeight));
  if (d.mWidth <= 0 || d.mHeight <= 0) return false;
  s = Rect(inSrc.mX + (d.mX - int32_t(nx)), inSrc.mY + (d.mY - int32_t(ny)), d.mWidth, d.mHeight);
  x = d.mX;
  y = d.mY;
  return true;
}

// The source's rows as 32-bit pixels: the bits themselves, or palette
// entries expanded into a buffer.
class SourceRows {
public:
  explicit SourceRows(MemoryImage& src)
      : mSrc(src), mPalettised(src.mColorTable && src.mColorIndices), mBits(mPalettised ? nullptr : src.GetBits()) {}

  // Rows are the image's own bits, one width apart.
  bool Direct() const { return !mPalettised; }

  // The pixels of row y from x on, n of them.
  const uint32_t* Row(int32_t y, int32_t x, int32_t n) {
    size_t at = size_t(y) * size_t(mSrc.mWidth) + size_t(x);
    if (!mPalettised) return mBits + at;
    mBuffer.resize(size_t(n));
    const uint8_t* indices = mSrc.mColorIndices.get() + at;
    for (int32_t i = 0; i < n; ++i) mBuffer[i] = mSrc.mColorTable[indices[i]];
    return mBuffer.data();
  }

private:
  MemoryImage& mSrc;
  bool mPalettised;
  const uint32_t* mBits;
  std::vector<uint32_t> mBuffer;
};

void BlitWith(MemoryImage& dest, uint32_t* dstBits, MemoryImage& src, int32_t x, int32_t y, const Rect& s,
              const Color& color, int32_t drawMode) {
  uint32_t* dst = dstBits + size_t(y) * size_t(dest.mWidth) + size_t(x);
  bool white = color.IsWhite();
  Channels c(color);
  const uint8_t* runs = nullptr;
  bool opaqueCase = false;
  bool destOpaque = false;
  bool hasAlpha = false;
  if (drawMode == DRAWMODE_NORMAL) {
    // The common sprite case, opaque destination and white, copies opaque
    // runs; the other cases only skip clear runs.
    destOpaque = !dest.mHasAlpha && !dest.mHasTrans;
    opaqueCase = destOpaque && white;
    runs = opaqueCase || !src.mIsVolatile ? src.GetRLAlphaData() : nullptr;
  } else {
    src.UpdateAlphaFlags();
    hasAlpha = src.mHasAlpha;
    runs = hasAlpha && !src.mIsVolatile ? src.GetRLAlphaData() : nullptr;
  }
  uint32_t tr = (c.r * c.a) / 255, tg = (c.g * c.a) / 255, tb = (c.b * c.a) / 255;
  // A sprite drawn with the same tint again takes the terms that tint
  // gives it, worked out once.
  const uint32_t* terms = drawMode == DRAWMODE_NORMAL && !white ? src.GetTintTerms(color) : nullptr;
  SourceRows rows(src);
  // The kernels take the whole block of rows at once when the source's rows
  // are its own bits; a palettised source is expanded row by row.
  const bool direct = rows.Direct();
  const int32_t block = direct ? s.mHeight : 1;
  const ptrdiff_t dStride = dest.mWidth, sStride = src.mWidth;
  for (int32_t j = 0; j < s.mHeight; j += (drawMode == DRAWMODE_NORMAL || white) ? block : 1) {
    const uint32_t* p = rows.Row(s.mY + j, s.mX, s.mWidth);
    const uint8_t* run = runs ? runs + size_t(s.mY + j) * size_t(src.mWidth) + size_t(s.mX) : nullptr;
    uint32_t* d = dst + size_t(j) * size_t(dest.mWidth);
    int32_t n = s.mWidth;
    if (drawMode == DRAWMODE_NORMAL) {
      if (opaqueCase)
        BlitOpaqueRow(d, p, run, n, block, dStride, sStride);
      else if (white)
        OverRow(d, p, run, n, block, dStride, sStride);
      else if (terms)
        OverTintTermsRow(d, p, terms + size_t(s.mY + j) * size_t(src.mWidth) + size_t(s.mX), run, n, c.r, c.g, c.b,
                         c.a, destOpaque, block, dStride, sStride);
      else
        OverTintedRow(d, p, run, n, c.r, c.g, c.b, c.a, block, dStride, sStride);
    } else if (white) {
      if (hasAlpha)
        AddAlphaRow(d, p, run, n, block, dStride, sStride);
      else
        AddRow(d, p, n, block, dStride, sStride);
    } else {
      // Additive and tinted: per channel d + ((s * t) >> 8), times the
      // source alpha >> 8 when it has alpha.
      for (int32_t k = 0; k < n; ++k) {
        uint32_t q = p[k];
        uint32_t r = (((q >> 16) & 0xFF) * tr) >> 8, g = (((q >> 8) & 0xFF) * tg) >> 8, b = ((q & 0xFF) * tb) >> 8;
        if (hasAlpha) {
          uint32_t sa = q >> 24;
          r = (r * sa) >> 8;
          g = (g * sa) >> 8;
          b = (b * sa) >> 8;
        }
        d[k] = AddSaturate(d[k], (r << 16) | (g << 8) | b);
      }
    }
  }
}

}  // namespace

void MemoryImage::Blit(Image* srcImage, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                       int32_t drawMode) {
  srcImage->mDrawn = true;
  auto* src = dynamic_cast<MemoryImage*>(srcImage);
  if (src == nullptr || (drawMode != DRAWMODE_NORMAL && drawMode != DRAWMODE_ADDITIVE)) return;
  Rect s = srcRect;
  if (ClipBlit(*this, *src, x, y, s)) {
    uint32_t* bits = GetBits();
    if (src == this) {
      // Onto itself: read from a copy, so that overlapping rows read the
      // pixels as they were.
      MemoryImage copy(*this);
      BlitWith(*this, bits, copy, x, y, s, color, drawMode);
    } else {
      BlitWith(*this, bits, *src, x, y, s, color, drawMode);
    }
  }
  OnBitsChanged();
}

void MemoryImage::BlitF(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                        int32_t drawMode) {
  BlitRotated(src, x, y, srcRect, clip, color, drawMode, 0.0, 0.0f, 0.0f);
}

}  // namespace Plix
