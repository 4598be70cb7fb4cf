#pragma once
// Plain per-pixel statements of the renderers' arithmetic, one channel at a
// time with real divisions, for comparing against the fast paths.
#include <algorithm>
#include <cstdint>

#include "framework/graphics/Color.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/Rect.h"

namespace Plix::Ref {

inline uint32_t Ch(uint32_t p, int shift) { return (p >> shift) & 0xFF; }
inline uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }
inline uint32_t Sat(uint32_t v) { return v > 255 ? 255 : v; }

// The over-blend: A = da + ((255 - da) a) / 255, w = 255 a / A.
inline uint32_t Over(uint32_t d, uint32_t c, uint32_t a, bool rounded = false) {
  if (a == 0) return d;
  uint32_t da = d >> 24;
  uint32_t A = da + ((255 - da) * a) / 255;
  uint32_t w = (a * 255) / A;
  uint32_t ch[3];
  for (int i = 0; i < 3; ++i) {
    uint32_t dc = Ch(d, 16 - 8 * i), cc = Ch(c, 16 - 8 * i);
    ch[i] = rounded ? (dc * (256 - w) + cc * w) >> 8 : ((dc * (256 - w)) >> 8) + ((cc * w) >> 8);
  }
  return Pack(A, ch[0], ch[1], ch[2]);
}

inline uint32_t OverTinted(uint32_t d, uint32_t s, uint32_t a, const Color& t) {
  if (a == 0) return d;
  uint32_t da = d >> 24;
  uint32_t A = da + ((255 - da) * a) / 255;
  uint32_t w = (a * 255) / A;
  uint32_t tint[3] = {uint32_t(t.mRed), uint32_t(t.mGreen), uint32_t(t.mBlue)};
  uint32_t ch[3];
  for (int i = 0; i < 3; ++i)
    ch[i] = ((Ch(d, 16 - 8 * i) * (256 - w)) >> 8) + ((Ch(s, 16 - 8 * i) * w * tint[i]) >> 16);
  return Pack(A, ch[0], ch[1], ch[2]);
}

// One pixel of the unscaled blit. destOpaque: the destination has neither
// alpha flag set; srcHasAlpha: the source's flag.
inline uint32_t BlitPixel(uint32_t d, uint32_t s, const Color& color, int mode, bool destOpaque, bool srcHasAlpha) {
  uint32_t sa = s >> 24;
  bool white = color.IsWhite();
  if (mode == 0) {
    if (destOpaque && white) {
      if (sa == 255) return s;
      if (sa == 0) return d;
      uint32_t ch[3];
      for (int i = 0; i < 3; ++i)
        ch[i] = ((Ch(d, 16 - 8 * i) * (256 - sa)) >> 8) + ((Ch(s, 16 - 8 * i) * sa) >> 8);
      return Pack(255, ch[0], ch[1], ch[2]);
    }
    if (!white) return OverTinted(d, s, (sa * uint32_t(color.mAlpha)) / 255, color);
    return Over(d, s, sa);
  }
  uint32_t tint[3] = {uint32_t(color.mRed), uint32_t(color.mGreen), uint32_t(color.mBlue)};
  uint32_t ch[3];
  for (int i = 0; i < 3; ++i) {
    uint32_t sc = Ch(s, 16 - 8 * i), add;
    if (white) {
      add = srcHasAlpha ? (sc * sa) >> 8 : sc;
    } else {
      uint32_t t = (tint[i] * uint32_t(color.mAlpha)) / 255;
      add = (sc * t) >> 8;
      if (srcHasAlpha) add = (add * sa) >> 8;
    }
    ch[i] = Sat(Ch(d, 16 - 8 * i) + add);
  }
  return Pack(d >> 24, ch[0], ch[1], ch[2]);
}

inline uint32_t SourcePixel(MemoryImage& src, int x, int y) {
  size_t i = size_t(y) * size_t(src.mWidth) + size_t(x);
  if (src.mColorTable) return src.mColorTable[src.mColorIndices[i]];
  return src.GetBits()[i];
}

// The blit over whole pixels, clipping each pixel to both images.
inline void Blit(uint32_t* dest, int dw, int dh, bool destOpaque, MemoryImage& src, int x, int y, const Rect& sr,
                 const Color& color, int mode) {
  if (mode != 0 && mode != 1) return;
  src.UpdateAlphaFlags();
  bool srcHasAlpha = src.mHasAlpha;
  for (int j = 0; j < sr.mHeight; ++j)
    for (int i = 0; i < sr.mWidth; ++i) {
      int sx = sr.mX + i, sy = sr.mY + j, dx = x + i, dy = y + j;
      if (sx < 0 || sy < 0 || sx >= src.mWidth || sy >= src.mHeight) continue;
      if (dx < 0 || dy < 0 || dx >= dw || dy >= dh) continue;
      uint32_t& d = dest[dy * dw + dx];
      d = BlitPixel(d, SourcePixel(src, sx, sy), color, mode, destOpaque, srcHasAlpha);
    }
}

}  // namespace Plix::Ref
