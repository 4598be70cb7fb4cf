#pragma once
// Plain per-pixel statements of the renderers' arithmetic, one channel at a
// time with real divisions, for comparing against the fast paths.
#include <algorithm>
#include <cmath>
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

// The rotated blit, one destination pixel at a time.
inline void Rotated(uint32_t* dest, int dw, int dh, MemoryImage& src, float x, float y, const Rect& sr,
                    const Rect& clip, const Color& color, int mode, double angle, float cx, float cy) {
  if (mode != 0 && mode != 1) return;
  FRect box;
  if (!MemoryImage::RotatedDestBox(x, y, sr, clip.Intersection(Rect(0, 0, dw, dh)), cx, cy, angle, box)) return;
  double cs = std::cos(angle), sn = std::sin(angle);
  int64_t du = int64_t(cs * 65536), dv = int64_t(sn * 65536);
  int64_t W = sr.mWidth, H = sr.mHeight;
  bool white = color.IsWhite();
  uint32_t tint[3] = {uint32_t(color.mRed), uint32_t(color.mGreen), uint32_t(color.mBlue)};
  int x0 = int(box.mX), y0 = int(box.mY);
  for (int j = 0; j <= int(box.mHeight - 1); ++j) {
    double px = double(x0) - cx - x, py = double(y0 + j) - cy - y;
    int64_t u0 = int64_t((px * cs - py * sn + cx) * 65536), v0 = int64_t((py * cs + px * sn + cy) * 65536);
    int64_t first = 0, last = int64_t(box.mWidth - 1);
    bool skip = false;
    if (du > 0) {
      skip |= (u0 >> 16) >= W - 1;
      if ((0x10000 - u0) / du > 0) first = std::max(first, (0x10000 - u0) / du);
      last = std::min(last, ((W << 16) - u0 - 0x17FFF) / du);
    } else if (du == 0) {
      skip |= u0 < 0 || u0 >= (W << 16) - 0x10000;
    } else {
      skip |= (u0 >> 16) < 0;
      if (((W << 16) - u0 - 0x27FFF) / du >= 0) first = ((W << 16) - u0 - 0x27FFF) / du;
      last = std::min(last, (0x7FFF - u0) / du);
    }
    if (dv > 0) {
      skip |= (v0 >> 16) >= H - 1;
      first = std::max(first, (0x10000 - v0) / dv);
      last = std::min(last, ((H << 16) - v0 - 0x17FFF) / dv);
    } else if (dv == 0) {
      skip |= v0 < 0 || v0 >= (H << 16) - 0x10000;
    } else {
      skip |= (v0 >> 16) < 0;
      first = std::max(first, ((H << 16) - v0 - 0x27FFF) / dv);
      last = std::min(last, -(v0 / dv));
    }
    if (skip) continue;
    for (int64_t i = first; i <= last; ++i) {
      int64_t u = u0 + i * du, v = v0 + i * dv;
      int sx = sr.mX + int(u >> 16), sy = sr.mY + int(v >> 16);
      uint32_t fx = uint32_t(u & 0xFFFE) + 1, fy = uint32_t(v & 0xFFFE) + 1;
      uint32_t p[4] = {SourcePixel(src, sx, sy), SourcePixel(src, sx + 1, sy), SourcePixel(src, sx, sy + 1),
                       SourcePixel(src, sx + 1, sy + 1)};
      uint32_t wx[2] = {0x10000 - fx, fx}, wy[2] = {0x10000 - fy, fy};
      uint32_t A = 0, sum[3] = {0, 0, 0};
      for (int k = 0; k < 4; ++k) {
        uint32_t w = (wx[k & 1] * wy[k >> 1]) >> 16;
        w = (w * (p[k] >> 24)) >> 16;
        if (mode == 0 && !white) w = (w * uint32_t(color.mAlpha)) >> 8;
        A += w;
        for (int c = 0; c < 3; ++c) sum[c] += w * Ch(p[k], 16 - 8 * c);
      }
      if (A == 0) continue;
      uint32_t S[3];
      for (int c = 0; c < 3; ++c) {
        uint32_t factor = mode == 0 ? tint[c] : (tint[c] * uint32_t(color.mAlpha)) / 255;
        S[c] = white ? sum[c] / 256 : sum[c] * factor / 65536;
      }
      uint32_t& d = dest[(y0 + j) * dw + x0 + i];
      if (mode == 1) {
        d = Pack(d >> 24, Sat(Ch(d, 16) + S[0]), Sat(Ch(d, 8) + S[1]), Sat(Ch(d, 0) + S[2]));
      } else if (A >= 251) {
        d = Pack(255, S[0], S[1], S[2]);
      } else {
        uint32_t da = d >> 24, k = 256 - A, n = 256 - ((256 - da) * k) / 256;
        uint32_t out[3];
        for (int c = 0; c < 3; ++c) out[c] = (((da * Ch(d, 16 - 8 * c)) / 256) * k + 256 * S[c]) / n;
        d = Pack(n - 1, out[0], out[1], out[2]);
      }
    }
  }
}

// The fast stretch into the clipped destination of (dest rect, src rect, clip).
inline void FastStretch(uint32_t* dest, int dw, int dh, MemoryImage& src, const Rect& dr, const Rect& sr,
                        const Rect& clip, const Color& color) {
  Rect c = dr.Intersection(clip).Intersection(Rect(0, 0, dw, dh));
  if (dr.mWidth <= 0 || dr.mHeight <= 0 || c.mWidth <= 0 || c.mHeight <= 0) return;
  double scaleX = double(sr.mWidth) / dr.mWidth, scaleY = double(sr.mHeight) / dr.mHeight;
  double ax = sr.mX + (c.mX - dr.mX) * scaleX, ay = sr.mY + (c.mY - dr.mY) * scaleY;
  double aw = sr.mWidth + (c.mWidth - dr.mWidth) * scaleX, ah = sr.mHeight + (c.mHeight - dr.mHeight) * scaleY;
  for (int j = 0; j < c.mHeight; ++j)
    for (int i = 0; i < c.mWidth; ++i) {
      uint32_t p = SourcePixel(src, int(ax + i * (aw / c.mWidth)), int(ay + j * (ah / c.mHeight)));
      uint32_t& d = dest[(c.mY + j) * dw + c.mX + i];
      if (color.IsWhite())
        d = Over(d, p, p >> 24);
      else
        d = OverTinted(d, p, ((p >> 24) * uint32_t(color.mAlpha)) / 255, color);
    }
}

// Weight of source pixel k in destination pixel i of one axis of the
// filtered stretch (unit 257 across, 256 down).
inline uint32_t FilterWeight(int k, int i, double from, double length, int low, int high, int count, double unit) {
  if (count < length) {
    double scale = count / length;
    double s0 = std::max<double>(k, from), s1 = std::min<double>(k + 1, from + length);
    double d0 = std::max((s0 - from) * scale, double(i)), d1 = std::min((s1 - from) * scale, double(i + 1));
    return d1 > d0 ? uint32_t(int((d1 - d0) * unit)) : 0;
  }
  double step = count > 1 ? (length - 1) / (count - 1) : length / count;
  double p = i * step + from;
  int ip = int(std::floor(p));
  uint32_t a = uint32_t(int((1 - (p - ip)) * unit));
  uint32_t w = 0;
  if (k == std::clamp(ip, low, high - 1)) w += a;
  if (k == std::clamp(ip + 1, low, high - 1)) w += uint32_t(unit) - a;
  return w;
}

inline void FilteredStretch(uint32_t* dest, int dw, int dh, MemoryImage& src, const Rect& dr, const Rect& sr,
                            const Rect& clip) {
  Rect c = dr.Intersection(clip).Intersection(Rect(0, 0, dw, dh));
  if (dr.mWidth <= 0 || dr.mHeight <= 0 || c.mWidth <= 0 || c.mHeight <= 0) return;
  double scaleX = double(sr.mWidth) / dr.mWidth, scaleY = double(sr.mHeight) / dr.mHeight;
  double ax = sr.mX + (c.mX - dr.mX) * scaleX, ay = sr.mY + (c.mY - dr.mY) * scaleY;
  double aw = sr.mWidth + (c.mWidth - dr.mWidth) * scaleX, ah = sr.mHeight + (c.mHeight - dr.mHeight) * scaleY;
  int left = std::max(int(std::floor(ax)), 0), top = std::max(int(std::floor(ay)), 0);
  int right = std::min(int(std::ceil(ax + aw)), src.mWidth), bottom = std::min(int(std::ceil(ay + ah)), src.mHeight);
  if (left >= right || top >= bottom) return;
  for (int j = 0; j < c.mHeight; ++j)
    for (int i = 0; i < c.mWidth; ++i) {
      uint32_t sum[4] = {0, 0, 0, 0};
      for (int r = top; r < bottom; ++r) {
        uint32_t wy = FilterWeight(r, j, ay, ah, top, bottom, c.mHeight, 256);
        if (wy == 0) continue;
        for (int k = left; k < right; ++k) {
          uint32_t wx = FilterWeight(k, i, ax, aw, left, right, c.mWidth, 257);
          uint32_t p = SourcePixel(src, k, r);
          for (int ch = 0; ch < 4; ++ch) sum[ch] += Ch(p, 24 - 8 * ch) * wx * wy;
        }
      }
      uint32_t a = std::min(sum[0] >> 16, 255u);
      if (a == 0) continue;
      uint32_t& d = dest[(c.mY + j) * dw + c.mX + i];
      uint32_t out[3];
      for (int ch = 0; ch < 3; ++ch)
        out[ch] = ((Ch(d, 16 - 8 * ch) * (256 - a)) >> 8) + ((std::min(sum[ch + 1] >> 16, 255u) * a) >> 8);
      uint32_t da = d >> 24;
      d = Pack(da + ((255 - da) * a) / 255, out[0], out[1], out[2]);
    }
}

}  // namespace Plix::Ref
