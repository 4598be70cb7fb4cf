// The software renderers of the display image that draw straight into its
// locked 16- or 32-bit surface: fills, lines, the blitters and the rotated
// and stretched blits. Pixels are built from the surface's channel masks;
// the additive ones saturate through the display's per-channel tables.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/SWKernels.h"

namespace Plix {

namespace {

int32_t Trunc(double v) { return static_cast<int32_t>(std::max(-2147483648.0, std::min(2147483647.0, v))); }

// The channel layout of a locked surface and the display.
struct Layout {
  uint32_t m[3];
  int32_t s[3];
  int32_t b[3];
  const int32_t* t[3];

  Layout(const DDSURFACEDESC& d, const DDInterface& display) {
    m[0] = d.ddpfPixelFormat.dwRBitMask;
    m[1] = d.ddpfPixelFormat.dwGBitMask;
    m[2] = d.ddpfPixelFormat.dwBBitMask;
    s[0] = display.mRedShift;
    s[1] = display.mGreenShift;
    s[2] = display.mBlueShift;
    b[0] = display.mRedBits;
    b[1] = display.mGreenBits;
    b[2] = display.mBlueBits;
    for (int c = 0; c < 3; ++c) t[c] = display.AddTable(c);
  }
  // X8R8G8B8, which the row kernels handle.
  bool IsXRGB(const DDSURFACEDESC& d) const {
    return d.ddpfPixelFormat.dwRGBBitCount == 32 && m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF;
  }
};

uint32_t Scale(uint32_t v, uint32_t m) { return static_cast<uint32_t>((uint64_t(v) * m) >> 8) & m; }

template <class P>
P* Row(const DDSURFACEDESC& d, int32_t y) {
  return static_cast<P*>(d.lpSurface) + static_cast<ptrdiff_t>(y) * (d.lPitch / static_cast<int32_t>(sizeof(P)));
}

// Calls f with a null pointer of the surface's pixel type, 16 or 32 bits.
template <class F>
void WithPixelType(const DDSURFACEDESC& d, F&& f) {
  if (d.ddpfPixelFormat.dwRGBBitCount == 16) f(static_cast<uint16_t*>(nullptr));
  else if (d.ddpfPixelFormat.dwRGBBitCount == 32) f(static_cast<uint32_t*>(nullptr));
}

uint32_t KPrime(int32_t k, int32_t a) { return static_cast<uint32_t>(k * a / 255); }

uint32_t ColorK(const Color& c, int ch) {
  return static_cast<uint32_t>(ch == 0 ? c.mRed : ch == 1 ? c.mGreen : c.mBlue);
}

// The additive rule: the table saturates the sum of the two channel values.
uint32_t AddPixel(const Layout& l, uint32_t d, const uint32_t v[3]) {
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c)
    out |= static_cast<uint32_t>(l.t[c][((d & l.m[c]) >> l.s[c]) + v[c]]) << l.s[c];
  return out;
}

// Source pixels of a memory image: native words or 32-bit bits, through
// the colour table for a 256-colour image.
struct SourceWords {
  const uint32_t* words;
  const uint8_t* indices;
  int32_t width;
  uint32_t At(size_t i) const { return indices ? words[indices[i]] : words[i]; }
};

// Calls f with an accessor specialised for direct or indexed sources, so
// that the inner loops do not test for a palette per pixel.
template <class F>
void WithSource(const SourceWords& s, F&& f) {
  if (s.indices) {
    f([w = s.words, ix = s.indices](size_t i) { return w[ix[i]]; });
  } else {
    f([w = s.words](size_t i) { return w[i]; });
  }
}

}  // namespace

// ------------------------------------------------------------------- fills

void DDImage::SurfaceFillRect(const Rect& rect, const Color& color) {
  if (mVideoMemory || !GetSurface() || !LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  const uint32_t a = static_cast<uint32_t>(color.mAlpha);
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    const bool is16 = sizeof(P) == 2;
    if (color.mAlpha == 255) {
      uint32_t v = 0;
      for (int c = 0; c < 3; ++c) v |= Scale(ColorK(color, c) + (is16 ? 1 : 0), l.m[c]);
      for (int32_t y = rect.mY; y < rect.mY + rect.mHeight; ++y) {
        P* row = Row<P>(mLockedSurfaceDesc, y);
        std::fill(row + rect.mX, row + rect.mX + rect.mWidth, static_cast<P>(v));
      }
      return;
    }
    uint32_t src[3];
    for (int c = 0; c < 3; ++c) src[c] = Scale(((ColorK(color, c) * a + (is16 ? 128 : 127)) >> 8) + 1, l.m[c]);
    if constexpr (sizeof(P) == 4) {
      if (l.IsXRGB(mLockedSurfaceDesc)) {
        for (int32_t y = rect.mY; y < rect.mY + rect.mHeight; ++y)
          Px::FadeAddRow(Row<P>(mLockedSurfaceDesc, y) + rect.mX, rect.mWidth, 256 - a, src[0] + src[1] + src[2]);
        return;
      }
    }
    for (int32_t y = rect.mY; y < rect.mY + rect.mHeight; ++y) {
      P* row = Row<P>(mLockedSurfaceDesc, y);
      for (int32_t x = rect.mX; x < rect.mX + rect.mWidth; ++x) {
        const uint32_t d = row[x];
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
          const uint64_t dd = uint64_t(d & l.m[c]) * (256 - a) + (is16 ? l.m[c] : 0);
          out += (static_cast<uint32_t>(dd >> 8) & l.m[c]) + src[c];
        }
        row[x] = static_cast<P>(out);
      }
    }
  });
  UnlockSurface();
}

void DDImage::SurfaceFillRectAdditive(const Rect& rect, const Color& color) {
  if (mVideoMemory || !GetSurface() || !LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  uint32_t v[3];
  for (int c = 0; c < 3; ++c) v[c] = KPrime(static_cast<int32_t>(ColorK(color, c)), color.mAlpha) >> (8 - l.b[c]);
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    for (int32_t y = rect.mY; y < rect.mY + rect.mHeight; ++y) {
      P* row = Row<P>(mLockedSurfaceDesc, y);
      for (int32_t x = rect.mX; x < rect.mX + rect.mWidth; ++x) row[x] = static_cast<P>(AddPixel(l, row[x], v));
    }
  });
  UnlockSurface();
}

// ------------------------------------------------------------------- lines

namespace {

// The largest integer at most v and the smallest at least v, within the
// 32-bit range widened by one on each side; NaN gives `nan`.
int64_t FloorInt(double v, int64_t nan) {
  if (std::isnan(v)) return nan;
  return static_cast<int64_t>(std::floor(std::max(-2147483649.0, std::min(2147483648.0, v))));
}
int64_t CeilInt(double v, int64_t nan) {
  if (std::isnan(v)) return nan;
  return static_cast<int64_t>(std::ceil(std::max(-2147483649.0, std::min(2147483648.0, v))));
}

// The integer walk of the plain lines, seeded from the fractional start.
// The end and the bounding box are compared as integers: for an integer
// coordinate, c <= v holds exactly when c <= floor(v).
template <class Plot>
void WalkLine(double x1, double y1, double x2, double y2, Plot&& plot) {
  const double minX = std::min(x1, x2), maxX = std::max(x1, x2);
  const double minY = std::min(y1, y2), maxY = std::max(y1, y2);
  // NaN bounds never stop the walk, as a comparison with NaN never holds.
  const int64_t lowX = CeilInt(minX, INT64_MIN), highX = FloorInt(maxX, INT64_MAX);
  const int64_t lowY = CeilInt(minY, INT64_MIN), highY = FloorInt(maxY, INT64_MAX);
  double dx = x2 - x1, dy = y2 - y1;
  const bool xMajor = std::fabs(dx) > std::fabs(dy);
  if (xMajor ? dx < 0 : dy < 0) {
    std::swap(x1, x2);
    std::swap(y1, y2);
    dx = -dx;
    dy = -dy;
  }
  // Work in (major, minor) coordinates.
  const double ma1 = xMajor ? x1 : y1, mi1 = xMajor ? y1 : x1, ma2 = xMajor ? x2 : y2;
  const double majorExtent = xMajor ? dx : dy, minorDelta = xMajor ? dy : dx;
  const int32_t step = minorDelta >= 0 ? 1 : -1;
  const double minorExtent = std::fabs(minorDelta);
  int32_t major = Trunc(ma1), minor = Trunc(mi1);
  plot(xMajor ? major : minor, xMajor ? minor : major);
  const int32_t incE = Trunc(2 * minorExtent);
  const int32_t incNE = Trunc(2 * (minorExtent - majorExtent));
  int32_t d = Trunc((mi1 - Trunc(mi1)) * incE + Trunc(2 * minorExtent - majorExtent));
  const int64_t first = xMajor ? int64_t(major) + 1 : Trunc(y1 + 1.0);
  const int64_t last = std::min<int64_t>(FloorInt(ma2, first - 1), INT32_MAX);
  const int64_t lowMinor = xMajor ? lowY : lowX, highMinor = xMajor ? highY : highX;
  const int64_t lowMajor = xMajor ? lowX : lowY, highMajor = xMajor ? highX : highY;
  for (int64_t counter = first; counter <= last; ++counter) {
    if (d > 0) {
      minor += step;
      d += incNE;
      if (counter < lowMajor || counter > highMajor || minor < lowMinor || minor > highMinor) return;
    } else {
      d += incE;
    }
    const int32_t c = static_cast<int32_t>(counter);
    plot(xMajor ? c : minor, xMajor ? minor : c);
  }
}

}  // namespace

void DDImage::SurfaceDrawLine(double x1, double y1, double x2, double y2, const Color& color) {
  if (mVideoMemory || !GetSurface() || !LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  const uint32_t a = static_cast<uint32_t>(color.mAlpha);
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    if (color.mAlpha == 255) {
      uint32_t v = 0;
      for (int c = 0; c < 3; ++c)
        v |= static_cast<uint32_t>((uint64_t(ColorK(color, c)) * l.m[c] + (l.m[c] >> 1)) >> 8) & l.m[c];
      WalkLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) { Row<P>(mLockedSurfaceDesc, y)[x] = static_cast<P>(v); });
      return;
    }
    uint32_t src[3];
    for (int c = 0; c < 3; ++c) {
      const uint64_t q = (ColorK(color, c) * a + 128) >> 8;
      src[c] = static_cast<uint32_t>((q * l.m[c] + (l.m[c] >> 1)) >> 8) & l.m[c];
    }
    const auto pixels = static_cast<char*>(mLockedSurfaceDesc.lpSurface);
    const ptrdiff_t pitch = mLockedSurfaceDesc.lPitch;
    if (std::max({l.m[0], l.m[1], l.m[2]}) < (1u << 24)) {
      // (D & M) * (256 - A) + M / 2 stays below 2^32 for masks below 2^24.
      const uint32_t add = src[0] + src[1] + src[2], k = 256 - a;
      WalkLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) {
        P& p = reinterpret_cast<P*>(pixels + y * pitch)[x];
        const uint32_t d = p;
        p = static_cast<P>((((d & l.m[0]) * k + (l.m[0] >> 1)) >> 8 & l.m[0]) +
                           (((d & l.m[1]) * k + (l.m[1] >> 1)) >> 8 & l.m[1]) +
                           (((d & l.m[2]) * k + (l.m[2] >> 1)) >> 8 & l.m[2]) + add);
      });
      return;
    }
    WalkLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) {
      P& p = Row<P>(mLockedSurfaceDesc, y)[x];
      uint32_t out = 0;
      for (int c = 0; c < 3; ++c)
        out += (static_cast<uint32_t>((uint64_t(p & l.m[c]) * (256 - a) + (l.m[c] >> 1)) >> 8) & l.m[c]) + src[c];
      p = static_cast<P>(out);
    });
  });
  UnlockSurface();
}

void DDImage::SurfaceDrawLineAdditive(double x1, double y1, double x2, double y2, const Color& color) {
  if (mVideoMemory || !GetSurface() || !LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  uint32_t v[3];
  for (int c = 0; c < 3; ++c) v[c] = KPrime(static_cast<int32_t>(ColorK(color, c)), color.mAlpha) >> (8 - l.b[c]);
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    WalkLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) {
      P& p = Row<P>(mLockedSurfaceDesc, y)[x];
      p = static_cast<P>(AddPixel(l, p, v));
    });
  });
  UnlockSurface();
}

void DDImage::SurfaceDrawLineAA(double x1, double y1, double x2, double y2, const Color& color) {
  if (!GetSurface() || !LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  uint32_t packed = 0;
  for (int c = 0; c < 3; ++c) packed |= Scale(ColorK(color, c), l.m[c]);
  int32_t x1i = Trunc(x1), y1i = Trunc(y1), x2i = Trunc(x2), y2i = Trunc(y2);
  if (y1i > y2i) {
    std::swap(x1i, x2i);
    std::swap(y1i, y2i);
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  int32_t dxi = x2i - x1i;
  const int32_t dyi = y2i - y1i;
  double dxf = x2 - x1;
  const double dyf = y2 - y1;
  int32_t xStep = 1;
  if (dxi < 0) {
    dxi = -dxi;
    dxf = -dxf;
    xStep = -1;
  }
  uint32_t e = static_cast<uint32_t>(Trunc(std::fabs(x1 - x1i) * std::fabs(y1 - y1i) * 65536));
  const uint32_t alpha = static_cast<uint32_t>(color.mAlpha);
  auto weight = [&](uint32_t w) { return color.mAlpha == 255 ? w : (w * (alpha + 1)) >> 8; };
  const int32_t rowLimit = mLockedSurfaceDesc.lPitch / static_cast<int32_t>(mLockedSurfaceDesc.ddpfPixelFormat.dwRGBBitCount / 8) - 1;
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    auto blend = [&](int32_t x, int32_t y, uint32_t w) {
      P& p = Row<P>(mLockedSurfaceDesc, y)[x];
      uint32_t out = 0;
      for (int c = 0; c < 3; ++c)
        out |= static_cast<uint32_t>((uint64_t(p & l.m[c]) * (256 - w) + uint64_t(w) * (packed & l.m[c])) >> 8) & l.m[c];
      p = static_cast<P>(out);
    };
    auto lineWeight = [&] { return weight(255 - ((e >> 8) & 255)); };
    auto neighbourWeight = [&] { return weight((e >> 8) & 255); };
    int32_t x = x1i, y = y1i;
    blend(x, y, lineWeight());
    if (dxi < dyi) {
      const uint32_t g = static_cast<uint32_t>(Trunc(65536 * dxf / dyf));
      for (int32_t i = 0; i < dyi - 1; ++i) {
        e += g;
        if (e > 65535) {
          e &= 65535;
          x += xStep;
        }
        ++y;
        blend(x, y, lineWeight());
        const int32_t nx = x + xStep;
        if (x < rowLimit && nx >= 0) blend(nx, y, neighbourWeight());
      }
    } else if (dxi > 1) {
      const uint32_t g = static_cast<uint32_t>(Trunc(65536 * dyf / dxf));
      for (int32_t i = 0; i < dxi - 1; ++i) {
        e += g;
        if (e > 65535) {
          e &= 65535;
          ++y;
        }
        x += xStep;
        blend(x, y, lineWeight());
        if (y < mHeight - 1) blend(x, y + 1, neighbourWeight());
      }
    }
    blend(x2i, y2i, lineWeight());
  });
  UnlockSurface();
}

// ---------------------------------------------------------------- blitters

bool DDImage::HardwareBlit(DDImage* src, const RECT& dest, const RECT& source) {
  if (mLockCount > 0 && mSurface) mSurface->Unlock(nullptr);
  DDBLTFX fx;
  fx.dwSize = kDDBltFxSize;
  RECT d = dest, s = source;
  DWORD flags = DDBLT_WAIT | (src->mHasTrans ? DDBLT_KEYSRC : 0);
  IDirectDrawSurface* target = GetSurface();
  IDirectDrawSurface* from = src->GetSurface();
  if (target && from) target->Blt(&d, from, &s, flags, &fx);
  if (mLockCount > 0 && mSurface) {
    mLockedSurfaceDesc.dwSize = kDDSurfaceDescSize;
    return mSurface->Lock(nullptr, &mLockedSurfaceDesc, DDLOCK_WAIT, nullptr) == DD_OK;
  }
  return true;
}

void DDImage::SurfaceBlit(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color) {
  src->mDrawn = true;
  auto* memSrc = dynamic_cast<MemoryImage*>(src);
  if (!memSrc) return;
  memSrc->UpdateAlphaFlags();
  auto* ddSrc = dynamic_cast<DDImage*>(src);
  const bool white = color.IsWhite();
  const bool srcHasSurface = ddSrc && ddSrc->mSurface;
  if (memSrc->mIsVolatile && !srcHasSurface && !mVideoMemory && white) {
    BlitVolatile(memSrc, x, y, srcRect);
  } else if (!memSrc->mHasAlpha && white) {
    if (srcHasSurface && !(!mWantVideoMemory && ddSrc->mWantVideoMemory)) {
      HardwareBlit(ddSrc, RECT{x, y, x + srcRect.mWidth, y + srcRect.mHeight},
                   RECT{srcRect.mX, srcRect.mY, srcRect.mX + srcRect.mWidth, srcRect.mY + srcRect.mHeight});
    } else if (!mVideoMemory) {
      BlitPlain(memSrc, x, y, srcRect);
    }
  } else if (!mVideoMemory) {
    BlitRunLengthAlpha(memSrc, x, y, srcRect, color, false);
  }
}

void DDImage::SurfaceBlitMirror(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color) {
  src->mDrawn = true;
  auto* memSrc = dynamic_cast<MemoryImage*>(src);
  if (!memSrc) return;
  memSrc->UpdateAlphaFlags();
  BlitRunLengthAlpha(memSrc, x, y, srcRect, color, true);
}

void DDImage::SurfaceBlitAdditive(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color) {
  src->mDrawn = true;
  auto* memSrc = dynamic_cast<MemoryImage*>(src);
  if (!memSrc || mVideoMemory) return;
  BlitRunLengthAdditive(memSrc, x, y, srcRect, color, false);
}

void DDImage::SurfaceBlitMirrorAdditive(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color) {
  src->mDrawn = true;
  auto* memSrc = dynamic_cast<MemoryImage*>(src);
  if (!memSrc || mVideoMemory) return;
  BlitRunLengthAdditive(memSrc, x, y, srcRect, color, true);
}

void DDImage::BlitPlain(MemoryImage* src, int32_t x, int32_t y, const Rect& srcRect) {
  if (!GetSurface() || !LockSurface()) return;
  const SourceWords native{src->GetNativeAlphaData(mDDInterface), src->mColorTable ? src->mColorIndices.get() : nullptr,
                           src->mWidth};
  const bool skipClear = src->mHasTrans;
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    WithSource(native, [&](auto at) {
      for (int32_t r = 0; r < srcRect.mHeight; ++r) {
        P* row = Row<P>(mLockedSurfaceDesc, y + r) + x;
        const size_t base = static_cast<size_t>(srcRect.mY + r) * native.width + srcRect.mX;
        if constexpr (sizeof(P) == 4) {
          if (!skipClear && !native.indices) {
            std::memcpy(row, native.words + base, static_cast<size_t>(srcRect.mWidth) * 4);
            continue;
          }
        }
        for (int32_t i = 0; i < srcRect.mWidth; ++i) {
          const uint32_t n = at(base + i);
          if (skipClear && (n >> 24) == 0) continue;
          row[i] = static_cast<P>(n);
        }
      }
    });
  });
  UnlockSurface();
}

void DDImage::BlitVolatile(MemoryImage* src, int32_t x, int32_t y, const Rect& srcRect) {
  if (!GetSurface() || !LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  const SourceWords bits{src->mColorTable ? src->mColorTable.get() : src->GetBits(),
                         src->mColorTable ? src->mColorIndices.get() : nullptr, src->mWidth};
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    const bool is16 = sizeof(P) == 2;
    for (int32_t r = 0; r < srcRect.mHeight; ++r) {
      P* row = Row<P>(mLockedSurfaceDesc, y + r) + x;
      const size_t base = static_cast<size_t>(srcRect.mY + r) * bits.width + srcRect.mX;
      for (int32_t i = 0; i < srcRect.mWidth; ++i) {
        const uint32_t s = bits.At(base + i);
        const uint64_t alpha = s >> 24, v = 256 - alpha;
        const uint32_t d = row[i];
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
          const uint64_t p = (s >> (16 - 8 * c)) & 255, m = l.m[c];
          const uint64_t sourcePart = is16 ? (p * alpha * m) >> 8 : ((p * alpha) >> 8) * m;
          out += static_cast<uint32_t>(((uint64_t(d & m) * v) + sourcePart + (m >> 1)) >> 8) & l.m[c];
        }
        row[i] = static_cast<P>(out);
      }
    }
  });
  UnlockSurface();
}

void DDImage::BlitRunLengthAlpha(MemoryImage* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                                 bool mirror) {
  if (!GetSurface() || !LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  const SourceWords native{src->GetNativeAlphaData(mDDInterface), src->mColorTable ? src->mColorIndices.get() : nullptr,
                           src->mWidth};
  const uint8_t* runs = src->GetRLAlphaData();
  const bool tinted = !color.IsWhite();
  const uint32_t a = static_cast<uint32_t>(color.mAlpha);
  uint32_t k[3];
  for (int c = 0; c < 3; ++c) k[c] = KPrime(static_cast<int32_t>(ColorK(color, c)), color.mAlpha);
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    const uint32_t wordMask = sizeof(P) == 2 ? 0xFFFF : 0xFFFFFFFF;
    if constexpr (sizeof(P) == 4) {
      if (!tinted && !mirror && !native.indices && l.IsXRGB(mLockedSurfaceDesc)) {
        const size_t base = static_cast<size_t>(srcRect.mY) * native.width + srcRect.mX;
        Px::OverNativeRow(Row<P>(mLockedSurfaceDesc, y) + x, native.words + base, runs + base, srcRect.mWidth,
                          srcRect.mHeight, mLockedSurfaceDesc.lPitch / 4, native.width);
        return;
      }
    }
    WithSource(native, [&](auto at) {
      for (int32_t r = 0; r < srcRect.mHeight; ++r) {
        P* row = Row<P>(mLockedSurfaceDesc, y + r);
        const size_t base = static_cast<size_t>(srcRect.mY + r) * native.width + srcRect.mX;
        int32_t i = 0;
        while (i < srcRect.mWidth) {
          const int32_t length = std::max<int32_t>(1, std::min<int32_t>(runs[base + i], srcRect.mWidth - i));
          const uint32_t firstAlpha = at(base + i) >> 24;
          if (firstAlpha == 0) {
            i += length;
            continue;
          }
          if constexpr (sizeof(P) == 4) {
            if (!tinted && firstAlpha == 255 && !mirror && !native.indices) {
              std::memcpy(row + x + i, native.words + base + i, static_cast<size_t>(length) * 4);
              i += length;
              continue;
            }
          }
          for (int32_t j = i; j < i + length; ++j) {
            const uint32_t n = at(base + j);
            P& p = row[mirror ? x + srcRect.mWidth - 1 - j : x + j];
            const uint32_t alpha = n >> 24;
            if (tinted) {
              uint32_t out = 0;
              if (firstAlpha == 255 && a == 255) {
                for (int c = 0; c < 3; ++c) out += static_cast<uint32_t>((uint64_t(n & l.m[c]) * k[c]) >> 8) & l.m[c];
              } else {
                const uint64_t v = 256 - (alpha * a) / 255;
                for (int c = 0; c < 3; ++c)
                  out += static_cast<uint32_t>((uint64_t(p & l.m[c]) * v + uint64_t(n & l.m[c]) * k[c]) >> 8) & l.m[c];
              }
              p = static_cast<P>(out);
            } else if (firstAlpha == 255) {
              p = static_cast<P>(n & wordMask);
            } else {
              // (D & M) * V stays below 2^32 for every mask of 8 bits or less.
              const uint32_t v = 256 - alpha, d = p;
              p = static_cast<P>((((d & l.m[0]) * v >> 8) & l.m[0]) + (((d & l.m[1]) * v >> 8) & l.m[1]) +
                                 (((d & l.m[2]) * v >> 8) & l.m[2]) + (n & wordMask));
            }
          }
          i += length;
        }
      }
    });
  });
  UnlockSurface();
}

void DDImage::BlitRunLengthAdditive(MemoryImage* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                                    bool mirror) {
  if (!GetSurface() || !LockSurface()) return;
  const uint32_t* words = src->GetNativeAlphaData(mDDInterface);
  src->UpdateAlphaFlags();
  if (!LockSurface()) {
    UnlockSurface();
    return;
  }
  const uint8_t* runs = src->GetRLAdditiveData(mDDInterface);
  const SourceWords native{words, src->mColorTable ? src->mColorIndices.get() : nullptr, src->mWidth};
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  const bool tinted = !color.IsWhite();
  uint32_t k[3];
  for (int c = 0; c < 3; ++c) k[c] = KPrime(static_cast<int32_t>(ColorK(color, c)), color.mAlpha);
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    for (int32_t r = 0; r < srcRect.mHeight; ++r) {
      P* row = Row<P>(mLockedSurfaceDesc, y + r);
      const size_t base = static_cast<size_t>(srcRect.mY + r) * native.width + srcRect.mX;
      int32_t i = 0;
      while (i < srcRect.mWidth) {
        const int32_t length = std::max<int32_t>(1, std::min<int32_t>(runs[base + i], srcRect.mWidth - i));
        if ((native.At(base + i) & 0xFFFFFF) != 0) {
          for (int32_t j = i; j < i + length; ++j) {
            const uint32_t n = native.At(base + j);
            P& p = row[mirror ? x + srcRect.mWidth - 1 - j : x + j];
            uint32_t out = 0;
            for (int c = 0; c < 3; ++c) {
              const uint32_t d = (p & l.m[c]) >> l.s[c];
              const uint32_t s = (n & l.m[c]) >> l.s[c];
              const uint32_t sum = tinted ? ((s * k[c]) >> 8) + d : ((p & l.m[c]) + (n & l.m[c])) >> l.s[c];
              out |= static_cast<uint32_t>(l.t[c][sum]) << l.s[c];
            }
            p = static_cast<P>(out);
          }
        }
        i += length;
      }
    }
  });
  UnlockSurface();
  UnlockSurface();
}

// -------------------------------------------------------- rotated, stretch

void DDImage::RotatedIntoSurface(MemoryImage* src, float x, float y, const Rect& srcRect, const Rect& clip,
                                 const Color& color, int32_t drawMode, double angle, float centerX, float centerY) {
  FRect box;
  if (!MemoryImage::RotatedDestBox(x, y, srcRect, clip, centerX, centerY, angle, box)) return;
  src->UpdateAlphaFlags();
  if (!LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  const SourceWords bits{src->mColorTable ? src->mColorTable.get() : src->GetBits(),
                         src->mColorTable ? src->mColorIndices.get() : nullptr, src->mWidth};
  const float cosA = static_cast<float>(std::cos(angle)), sinA = static_cast<float>(std::sin(angle));
  const int64_t du = Trunc(std::cos(angle) * 65536), dv = Trunc(std::sin(angle) * 65536);
  const int64_t w = srcRect.mWidth, h = srcRect.mHeight;
  const bool tinted = !color.IsWhite();
  const uint32_t a = static_cast<uint32_t>(color.mAlpha);
  uint32_t k[3], kp[3];
  for (int c = 0; c < 3; ++c) {
    k[c] = ColorK(color, c);
    kp[c] = KPrime(static_cast<int32_t>(k[c]), color.mAlpha);
  }
  // Narrows [start, end] so that each sample and its right and lower
  // neighbours fall inside the source; false when the row is empty.
  auto narrow = [](int64_t start0, int64_t d, int64_t size, int64_t& start, int64_t& end) {
    if (d >= 1) {
      if ((start0 >> 16) >= size - 1) return false;
      const int64_t first = (65536 - start0) / d;
      if (first > 0) start = std::max(start, first);
      end = std::min(end, ((size << 16) - start0 - 0x17FFF) / d);
    } else if (d <= -1) {
      if ((start0 >> 16) < 0) return false;
      const int64_t first = ((size << 16) - start0 - 0x27FFF) / d;
      if (first >= 0) start = std::max(start, first);
      end = std::min(end, (0x7FFF - start0) / d);
    } else if (start0 < 0 || start0 >= (size << 16) - 65536) {
      return false;
    }
    return true;
  };
  const int32_t left = Trunc(box.mX), top = Trunc(box.mY);
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    for (int32_t r = 0; r < box.mHeight; ++r) {
      const float fa = static_cast<float>(left) - centerX - x;
      const float fb = static_cast<float>(top + r) - centerY - y;
      const int64_t uStart = Trunc((fa * cosA - fb * sinA + centerX) * 65536);
      const int64_t vStart = Trunc((fa * sinA + fb * cosA + centerY) * 65536);
      int64_t start = 0, end = Trunc(box.mWidth - 1);
      if (!narrow(uStart, du, w, start, end) || !narrow(vStart, dv, h, start, end) || start > end) continue;
      P* row = Row<P>(mLockedSurfaceDesc, top + r);
      for (int64_t i = start; i <= end; ++i) {
        const int64_t u = uStart + i * du, v = vStart + i * dv;
        const size_t at = static_cast<size_t>((srcRect.mY + (v >> 16)) * src->mWidth + srcRect.mX + (u >> 16));
        const uint32_t p00 = bits.At(at), p10 = bits.At(at + 1);
        const uint32_t p01 = bits.At(at + src->mWidth), p11 = bits.At(at + src->mWidth + 1);
        const uint64_t fu = (u & 0xFFFE) + 1, fv = (v & 0xFFFE) + 1;
        uint64_t w00 = ((((65536 - fu) * (65536 - fv)) >> 16) * (p00 >> 24)) >> 16;
        uint64_t w10 = (((fu * (65536 - fv)) >> 16) * (p10 >> 24)) >> 16;
        uint64_t w01 = ((((65536 - fu) * fv) >> 16) * (p01 >> 24)) >> 16;
        uint64_t w11 = (((fu * fv) >> 16) * (p11 >> 24)) >> 16;
        const bool blend = drawMode == DRAWMODE_NORMAL;
        if (tinted && blend) {
          w00 = (w00 * a) >> 8;
          w10 = (w10 * a) >> 8;
          w01 = (w01 * a) >> 8;
          w11 = (w11 * a) >> 8;
        }
        const uint32_t d = row[left + i];
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
          const uint32_t field = 0xFF0000u >> (8 * c);
          uint64_t sum = (p00 & field) * w00 + (p10 & field) * w10 + (p01 & field) * w01 + (p11 & field) * w11;
          const int32_t reduce = 32 - 8 * c - l.b[c];
          if (blend) {
            if (tinted) sum = ((sum >> 8) * (k[c] + 1));
            const uint64_t dw = 256 - std::min<uint64_t>(256, w00 + w10 + w01 + w11);
            out |= static_cast<uint32_t>(((sum >> reduce) << l.s[c]) + ((uint64_t(d & l.m[c]) * dw) >> 8)) & l.m[c];
          } else {
            uint64_t value = sum >> reduce;
            if (tinted) value = (value * kp[c]) >> 8;
            out |= static_cast<uint32_t>(l.t[c][value + ((d & l.m[c]) >> l.s[c])]) << l.s[c];
          }
        }
        row[left + i] = static_cast<P>(out);
      }
    }
  });
  UnlockSurface();
}

void DDImage::NearestStretch(MemoryImage* src, const Rect& dest, const FRect& srcArea, const Color& color,
                             int32_t drawMode, bool mirror) {
  if (dest.mWidth <= 0 || dest.mHeight <= 0 || !GetSurface() || !LockSurface()) return;
  const Layout l(mLockedSurfaceDesc, *mDDInterface);
  const SourceWords native{src->GetNativeAlphaData(mDDInterface), src->mColorTable ? src->mColorIndices.get() : nullptr,
                           src->mWidth};
  const int64_t uStart = Trunc(srcArea.mX * 65536), vStart = Trunc(srcArea.mY * 65536);
  const int64_t du = Trunc(srcArea.mWidth * 65536 / dest.mWidth), dv = Trunc(srcArea.mHeight * 65536 / dest.mHeight);
  const bool tinted = !color.IsWhite();
  const uint32_t a = static_cast<uint32_t>(color.mAlpha);
  uint32_t k[3];
  for (int c = 0; c < 3; ++c) k[c] = KPrime(static_cast<int32_t>(ColorK(color, c)), color.mAlpha);
  WithPixelType(mLockedSurfaceDesc, [&](auto* tag) {
    using P = std::remove_pointer_t<decltype(tag)>;
    const uint32_t wordMask = sizeof(P) == 2 ? 0xFFFF : 0xFFFFFFFF;
    int64_t v = vStart;
    for (int32_t r = 0; r < dest.mHeight; ++r, v += dv) {
      P* row = Row<P>(mLockedSurfaceDesc, dest.mY + r);
      const size_t base = static_cast<size_t>(v >> 16) * native.width;
      int64_t u = uStart;
      for (int32_t i = 0; i < dest.mWidth; ++i, u += du) {
        const uint32_t n = native.At(base + static_cast<size_t>(u >> 16));
        P& p = row[mirror ? dest.mX + dest.mWidth - 1 - i : dest.mX + i];
        uint32_t out = 0;
        if (drawMode == DRAWMODE_NORMAL) {
          const uint32_t alpha = n >> 24;
          if (tinted) {
            const uint64_t ap = alpha * a / 255;
            if (ap == 0) continue;
            for (int c = 0; c < 3; ++c)
              out += static_cast<uint32_t>((uint64_t(p & l.m[c]) * (256 - ap) + uint64_t(n & l.m[c]) * k[c]) >> 8) & l.m[c];
          } else {
            if (alpha == 0) continue;
            for (int c = 0; c < 3; ++c) out += static_cast<uint32_t>((uint64_t(p & l.m[c]) * (256 - alpha)) >> 8) & l.m[c];
            out += n & wordMask;
          }
        } else {
          if (n == 0) continue;
          for (int c = 0; c < 3; ++c) {
            const uint32_t s = (n & l.m[c]) >> l.s[c];
            const uint32_t sum = tinted ? ((s * k[c]) >> 8) + ((p & l.m[c]) >> l.s[c]) : ((p & l.m[c]) + (n & l.m[c])) >> l.s[c];
            out |= static_cast<uint32_t>(l.t[c][sum]) << l.s[c];
          }
        }
        p = static_cast<P>(out);
      }
    }
  });
  UnlockSurface();
}

}  // namespace Plix
