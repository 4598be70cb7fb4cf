// Matrix and textured-triangle blits: polygons are clipped to the clip rect
// (Sutherland-Hodgman), converted to 16.16 fixed point and filled by
// rasterisers chosen from a table by the features they need. Pixel centres
// lie on whole coordinates; the top-left rule decides shared edges, so
// triangles that share an edge never draw a pixel twice.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/Matrix3.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/PixelOps.h"

namespace Plix {

using namespace Px;

namespace {

struct PolyVertex {
  float x, y, u, v;
  uint32_t color;  // packed ARGB
};

// A clipped vertex in fixed point: position and texture position 16.16
// (texture position in texels), colour channels 8.16 in the order a, r, g, b.
struct RasterVertex {
  int32_t x, y, u, v;
  int32_t c[4];
};

struct RasterContext {
  uint8_t* dest;
  int32_t pitch;
  int32_t clipLeft, clipTop, clipRight, clipBottom;  // inclusive pixel bounds
  const uint32_t* texBits;
  const uint8_t* texIndices;
  const uint32_t* texTable;
  int32_t texWidth, texHeight, maxU, maxV;
  uint32_t tint[4];  // a, r, g, b
  bool blending, vertexColors, tinted, additive;
  const uint8_t* sat;
};

uint32_t Texel(const RasterContext& ctx, int32_t x, int32_t y) {
  size_t i = size_t(y) * size_t(ctx.texWidth) + size_t(x);
  return ctx.texIndices != nullptr ? ctx.texTable[ctx.texIndices[i]] : ctx.texBits[i];
}

uint32_t Lerp8(uint32_t a, uint32_t b, uint32_t f) {  // f: 0..0xFFFF toward b
  return (a * (0x10000 - f) + b * f) >> 16;
}

// Bilinear sample with texel centres at half texels, clamped to the texture.
uint32_t SampleSmooth(const RasterContext& ctx, int64_t u, int64_t v) {
  int32_t pu = int32_t(std::clamp<int64_t>(u - 0x8000, 0, ctx.maxU));
  int32_t pv = int32_t(std::clamp<int64_t>(v - 0x8000, 0, ctx.maxV));
  int32_t x0 = pu >> 16, y0 = pv >> 16;
  int32_t x1 = std::min(x0 + 1, ctx.texWidth - 1), y1 = std::min(y0 + 1, ctx.texHeight - 1);
  uint32_t fx = uint32_t(pu & 0xFFFF), fy = uint32_t(pv & 0xFFFF);
  uint32_t p00 = Texel(ctx, x0, y0), p10 = Texel(ctx, x1, y0), p01 = Texel(ctx, x0, y1), p11 = Texel(ctx, x1, y1);
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t top = Lerp8((p00 >> shift) & 0xFF, (p10 >> shift) & 0xFF, fx);
    uint32_t bottom = Lerp8((p01 >> shift) & 0xFF, (p11 >> shift) & 0xFF, fx);
    out |= Lerp8(top, bottom, fy) << shift;
  }
  return out;
}

uint32_t SampleNearest(const RasterContext& ctx, int64_t u, int64_t v) {
  return Texel(ctx, int32_t(std::clamp<int64_t>(u, 0, ctx.maxU) >> 16), int32_t(std::clamp<int64_t>(v, 0, ctx.maxV) >> 16));
}

// Destination pixels as 8-bit channels, and back.
template <int Format>
uint32_t LoadPixel(const uint8_t* p) {
  if constexpr (Format == 0x8888 || Format == 0x888) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return Format == 0x888 ? v | 0xFF000000 : v;
  } else {
    uint16_t v;
    std::memcpy(&v, p, 2);
    if constexpr (Format == 0x565)
      return 0xFF000000 | (uint32_t(v >> 11) << 19) | (uint32_t((v >> 5) & 0x3F) << 10) | (uint32_t(v & 0x1F) << 3);
    else
      return 0xFF000000 | (uint32_t((v >> 10) & 0x1F) << 19) | (uint32_t((v >> 5) & 0x1F) << 11) |
             (uint32_t(v & 0x1F) << 3);
  }
}

template <int Format>
void StorePixel(uint8_t* p, uint32_t c) {
  if constexpr (Format == 0x8888 || Format == 0x888) {
    std::memcpy(p, &c, 4);
  } else {
    uint16_t v;
    if constexpr (Format == 0x565)
      v = uint16_t(((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F));
    else
      v = uint16_t(((c >> 9) & 0x7C00) | ((c >> 6) & 0x03E0) | ((c >> 3) & 0x001F));
    std::memcpy(p, &v, 2);
  }
}

uint32_t Modulate(uint32_t p, const uint32_t m[4]) {  // m: a, r, g, b
  return (((p >> 24) * m[0] / 255) << 24) | ((((p >> 16) & 0xFF) * m[1] / 255) << 16) |
         ((((p >> 8) & 0xFF) * m[2] / 255) << 8) | ((p & 0xFF) * m[3] / 255);
}

// Blends a shaded sample (texel times vertex colour times tint) into the
// destination by its alpha; opaque textures sample alpha 255, so the blending
// entries differ only in what they may meet.
template <int Format>
void ShadePixel(uint8_t* d, uint32_t s, const RasterContext& ctx) {
  uint32_t a = s >> 24;
  if (a == 0) return;
  uint32_t dp = LoadPixel<Format>(d);
  if (ctx.additive) {
    uint32_t add = a == 255 ? s : ScaleRGB(s, a);
    StorePixel<Format>(d, (dp & 0xFF000000) | (uint32_t(ctx.sat[((dp >> 16) & 0xFF) + ((add >> 16) & 0xFF)]) << 16) |
                              (uint32_t(ctx.sat[((dp >> 8) & 0xFF) + ((add >> 8) & 0xFF)]) << 8) |
                              ctx.sat[(dp & 0xFF) + (add & 0xFF)]);
  } else if (a == 255) {
    StorePixel<Format>(d, s);
  } else {
    StorePixel<Format>(d, Over(dp, s, a));
  }
}

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// x of the edge from a to b (a above b) on the scan line at y (16.16).
int64_t EdgeX(const RasterVertex& a, const RasterVertex& b, int64_t y) {
  return a.x + FloorDiv((y - a.y) * (int64_t(b.x) - a.x), int64_t(b.y) - a.y);
}

int64_t CeilPixel(int64_t fixed) { return FloorDiv(fixed + 0xFFFF, 0x10000); }

// One triangle of a given destination format, textured or not, point or
// bilinear sampled. Blending, vertex colours, tint and the additive mode are
// read from the context.
template <int Format, bool Textured, bool Smooth>
void FillTriangle(const RasterVertex* tri, const RasterContext& ctx) {
  const RasterVertex* v[3] = {&tri[0], &tri[1], &tri[2]};
  std::sort(v, v + 3, [](const RasterVertex* a, const RasterVertex* b) { return a->y < b->y; });
  const RasterVertex &v0 = *v[0], &v1 = *v[1], &v2 = *v[2];
  if (v0.y == v2.y) return;

  // Attribute planes, in units per pixel.
  double x0 = v0.x / 65536.0, y0 = v0.y / 65536.0;
  double ex1 = v1.x / 65536.0 - x0, ey1 = v1.y / 65536.0 - y0;
  double ex2 = v2.x / 65536.0 - x0, ey2 = v2.y / 65536.0 - y0;
  double det = ex1 * ey2 - ex2 * ey1;
  if (det == 0) return;
  constexpr int kAttribs = 6;  // u, v, a, r, g, b
  double base[kAttribs], dx[kAttribs], dy[kAttribs];
  auto attrib = [](const RasterVertex& r, int i) { return double(i < 2 ? (i == 0 ? r.u : r.v) : r.c[i - 2]); };
  for (int i = 0; i < kAttribs; ++i) {
    double a0 = attrib(v0, i), d1 = attrib(v1, i) - a0, d2 = attrib(v2, i) - a0;
    base[i] = a0;
    dx[i] = (d1 * ey2 - d2 * ey1) / det;
    dy[i] = (d2 * ex1 - d1 * ex2) / det;
  }
  int64_t step[kAttribs];
  for (int i = 0; i < kAttribs; ++i) step[i] = TruncInt64(dx[i]);

  int64_t yStart = std::max<int64_t>(CeilPixel(v0.y), ctx.clipTop);
  int64_t yEnd = std::min<int64_t>(CeilPixel(v2.y) - 1, ctx.clipBottom);
  for (int64_t y = yStart; y <= yEnd; ++y) {
    int64_t fy = y << 16;
    int64_t xa = EdgeX(v0, v2, fy);
    int64_t xb = fy < v1.y ? EdgeX(v0, v1, fy) : EdgeX(v1, v2, fy);
    int64_t left = std::max<int64_t>(CeilPixel(std::min(xa, xb)), ctx.clipLeft);
    int64_t right = std::min<int64_t>(CeilPixel(std::max(xa, xb)) - 1, ctx.clipRight);
    if (left > right) continue;
    int64_t at[kAttribs];
    for (int i = 0; i < kAttribs; ++i) at[i] = TruncInt64(base[i] + (double(left) - x0) * dx[i] + (double(y) - y0) * dy[i]);
    uint8_t* d = ctx.dest + size_t(y) * size_t(ctx.pitch) + size_t(left) * (Format == 0x8888 || Format == 0x888 ? 4 : 2);
    for (int64_t x = left; x <= right; ++x) {
      uint32_t s = 0xFFFFFFFF;
      if constexpr (Textured) s = Smooth ? SampleSmooth(ctx, at[0], at[1]) : SampleNearest(ctx, at[0], at[1]);
      if (ctx.vertexColors) {
        uint32_t m[4];
        for (int i = 0; i < 4; ++i) m[i] = uint32_t(std::clamp<int64_t>(at[2 + i] >> 16, 0, 255));
        s = Modulate(s, m);
      }
      if (ctx.tinted) s = Modulate(s, ctx.tint);
      ShadePixel<Format>(d, s, ctx);
      d += Format == 0x8888 || Format == 0x888 ? 4 : 2;
      for (int i = 0; i < kAttribs; ++i) at[i] += step[i];
    }
  }
}

using Rasteriser = void (*)(const RasterVertex*, const RasterContext&);

template <int Format>
constexpr void FillFormat(Rasteriser* table) {
  for (int i = 0; i < 32; ++i) {
    bool textured = i & 16, smooth = i & 1;
    table[i] = textured ? (smooth ? &FillTriangle<Format, true, true> : &FillTriangle<Format, true, false>)
                        : &FillTriangle<Format, false, false>;
  }
}

// Indexed by 16 textured + 8 blending + 4 vertex colours + 2 tinted +
// 1 smoothing, plus 32 for 0x888, 64 for 0x565 and 96 for 0x555.
struct RasteriserTable {
  Rasteriser entry[128];
  constexpr RasteriserTable() : entry() {
    FillFormat<0x8888>(entry);
    FillFormat<0x888>(entry + 32);
    FillFormat<0x565>(entry + 64);
    FillFormat<0x555>(entry + 96);
  }
};
constexpr RasteriserTable kRasterisers;

int FormatOffset(int32_t format) {
  switch (format) {
    case 0x8888: return 0;
    case 0x888: return 32;
    case 0x565: return 64;
    case 0x555: return 96;
    default: return -1;
  }
}

// Cuts a polygon by one clip line; vertices come from the pool.
template <typename Inside>
int ClipAgainst(const PolyVertex* in, int count, PolyVertex* out, float line, bool vertical, Inside inside) {
  int n = 0;
  for (int i = 0; i < count; ++i) {
    const PolyVertex& cur = in[i];
    const PolyVertex& prev = in[(i + count - 1) % count];
    bool curIn = inside(cur), prevIn = inside(prev);
    if (curIn != prevIn) {
      const PolyVertex& o = curIn ? prev : cur;
      const PolyVertex& s = curIn ? cur : prev;
      float oc = vertical ? o.x : o.y, sc = vertical ? s.x : s.y;
      float t = (line - oc) / (sc - oc);
      PolyVertex p;
      p.x = o.x + (s.x - o.x) * t;
      p.y = o.y + (s.y - o.y) * t;
      p.u = o.u + (s.u - o.u) * t;
      p.v = o.v + (s.v - o.v) * t;
      p.color = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        float oc8 = float((o.color >> shift) & 0xFF), sc8 = float((s.color >> shift) & 0xFF);
        p.color |= uint32_t(std::clamp(TruncInt(oc8 + (sc8 - oc8) * t), 0, 255)) << shift;
      }
      if (vertical) p.x = line;
      else p.y = line;
      out[n++] = p;
    }
    if (curIn) out[n++] = cur;
  }
  return n;
}

struct PolygonJob {
  const Rect* clip;
  const Color* color;
  MemoryImage* texture;
  void* dest;
  int32_t pitch;
  int32_t format;
  bool smooth;
  bool vertexColors;
  int32_t drawMode;
};

void FillClipped(const PolygonJob& job, const RasterContext& ctx, Rasteriser fill, const PolyVertex (&tri)[3]) {
  // The right and bottom lines lie on the clip's far edges: pixel centres
  // are whole coordinates and the fill rule leaves a polygon's right and
  // bottom edges out, so lines through the last pixels' centres would lose
  // the last column and row.
  float left = float(job.clip->mX), top = float(job.clip->mY);
  float right = float(job.clip->mX + job.clip->mWidth), bottom = float(job.clip->mY + job.clip->mHeight);
  PolyVertex pool[80];  // each pass writes at most one vertex more than it reads
  PolyVertex* a = pool;
  PolyVertex* b = pool + 40;
  int n = 3;
  std::copy(tri, tri + 3, a);
  n = ClipAgainst(a, n, b, left, true, [&](const PolyVertex& p) { return p.x >= left; });
  if (n < 3) return;
  n = ClipAgainst(b, n, a, right, true, [&](const PolyVertex& p) { return p.x <= right; });
  if (n < 3) return;
  n = ClipAgainst(a, n, b, top, false, [&](const PolyVertex& p) { return p.y >= top; });
  if (n < 3) return;
  n = ClipAgainst(b, n, a, bottom, false, [&](const PolyVertex& p) { return p.y <= bottom; });
  if (n < 3) return;

  RasterVertex r[8];
  for (int i = 0; i < n; ++i) {
    const PolyVertex& p = a[i];
    r[i].x = TruncInt(double(p.x) * 65536);
    r[i].y = TruncInt(double(p.y) * 65536);
    r[i].u = job.texture != nullptr ? TruncInt(double(p.u) * job.texture->mWidth * 65536) : 0;
    r[i].v = job.texture != nullptr ? TruncInt(double(p.v) * job.texture->mHeight * 65536) : 0;
    uint32_t c = job.vertexColors ? (p.color != 0 ? p.color : 0xFFFFFFFF) : 0xFFFFFFFF;
    r[i].c[0] = int32_t(c >> 24) << 16;
    r[i].c[1] = int32_t((c >> 16) & 0xFF) << 16;
    r[i].c[2] = int32_t((c >> 8) & 0xFF) << 16;
    r[i].c[3] = int32_t(c & 0xFF) << 16;
  }
  // The clipped polygon is convex and in boundary order: fill it as a fan.
  for (int k = 2; k < n; ++k) {
    RasterVertex t[3] = {r[0], r[k - 1], r[k]};
    fill(t, ctx);
  }
}

// The polygon renderer: the vertices form a strip.
void RenderPolygon(const PolygonJob& job, const PolyVertex* vertices, int count) {
  int offset = FormatOffset(job.format);
  if (count < 3 || offset < 0 || job.dest == nullptr) return;
  if (job.drawMode != DRAWMODE_NORMAL && job.drawMode != DRAWMODE_ADDITIVE) return;
  Rect clip = *job.clip;
  if (clip.mWidth <= 0 || clip.mHeight <= 0) return;

  RasterContext ctx{};
  ctx.dest = static_cast<uint8_t*>(job.dest);
  ctx.pitch = job.pitch;
  ctx.clipLeft = clip.mX;
  ctx.clipTop = clip.mY;
  ctx.clipRight = clip.mX + clip.mWidth - 1;
  ctx.clipBottom = clip.mY + clip.mHeight - 1;
  bool textured = job.texture != nullptr && job.texture->mWidth > 0 && job.texture->mHeight > 0;
  if (textured) {
    MemoryImage* tex = job.texture;
    tex->UpdateAlphaFlags();
    if (tex->mColorTable && tex->mColorIndices) {
      ctx.texIndices = tex->mColorIndices.get();
      ctx.texTable = tex->mColorTable.get();
    } else {
      ctx.texBits = tex->GetBits();
    }
    ctx.texWidth = tex->mWidth;
    ctx.texHeight = tex->mHeight;
    ctx.maxU = (tex->mWidth - 1) << 16;
    ctx.maxV = (tex->mHeight - 1) << 16;
  }
  Channels c(*job.color);
  ctx.tint[0] = c.a;
  ctx.tint[1] = c.r;
  ctx.tint[2] = c.g;
  ctx.tint[3] = c.b;
  ctx.tinted = !job.color->IsWhite();
  ctx.blending = (textured && (job.texture->mHasAlpha || job.texture->mHasTrans)) || job.smooth;
  ctx.vertexColors = job.vertexColors;
  ctx.additive = job.drawMode == DRAWMODE_ADDITIVE;
  ctx.sat = GetGraphicsHost()->GetSaturationTable();
  int index = (textured ? 16 : 0) + (ctx.blending ? 8 : 0) + (ctx.vertexColors ? 4 : 0) + (ctx.tinted ? 2 : 0) +
              (job.smooth ? 1 : 0) + offset;
  Rasteriser fill = kRasterisers.entry[index];
  if (fill == nullptr) return;

  for (int i = 2; i < count; ++i) {
    bool swap = (i - 2) % 2 == 1;
    PolyVertex tri[3] = {vertices[swap ? i - 1 : i - 2], vertices[swap ? i - 2 : i - 1], vertices[i]};
    FillClipped(job, ctx, fill, tri);
  }
}

}  // namespace

void MemoryImage::BlitMatrixRaster(MemoryImage* src, const Rect& srcRect, float x, float y, const Matrix3& matrix,
                                   const Rect& clip, const Color& color, void* dest, int32_t pitch, int32_t format,
                                   bool smooth, int32_t drawMode) {
  if (src == nullptr || src->mWidth <= 0 || src->mHeight <= 0) return;
  float w = float(srcRect.mWidth), h = float(srcRect.mHeight);
  float u0 = float(srcRect.mX) / src->mWidth, u1 = float(srcRect.mX + srcRect.mWidth) / src->mWidth;
  float v0 = float(srcRect.mY) / src->mHeight, v1 = float(srcRect.mY + srcRect.mHeight) / src->mHeight;
  PolyVertex quad[4] = {{-w / 2, -h / 2, u0, v0, 0xFFFFFFFF},
                        {w / 2, -h / 2, u1, v0, 0xFFFFFFFF},
                        {-w / 2, h / 2, u0, v1, 0xFFFFFFFF},
                        {w / 2, h / 2, u1, v1, 0xFFFFFFFF}};
  for (PolyVertex& p : quad) {
    Vector2 t = matrix.TransformPoint(p.x, p.y);
    p.x = t.mX + x - 0.5f;
    p.y = t.mY + y - 0.5f;
  }
  PolygonJob job{&clip, &color, src, dest, pitch, format, smooth, false, drawMode};
  RenderPolygon(job, quad, 4);
}

void MemoryImage::BlitTrianglesRaster(MemoryImage* texture, const TriVertex* vertices, int32_t triangleCount,
                                      const Rect& clip, const Color& color, void* dest, int32_t pitch,
                                      int32_t format, float offsetX, float offsetY, bool smooth, int32_t drawMode) {
  if (texture == nullptr || vertices == nullptr) return;
  for (int32_t t = 0; t < triangleCount; ++t) {
    PolyVertex tri[3];
    bool vertexColors = false;
    for (int i = 0; i < 3; ++i) {
      const TriVertex& v = vertices[t * 3 + i];
      tri[i] = PolyVertex{v.mX + offsetX, v.mY + offsetY, v.mU, v.mV, v.mColor};
      vertexColors |= v.mColor != 0;
    }
    PolygonJob job{&clip, &color, texture, dest, pitch, format, smooth, vertexColors, drawMode};
    RenderPolygon(job, tri, 3);
  }
}

void MemoryImage::BlitMatrix(Image* srcImage, float x, float y, const Matrix3& matrix, const Rect& clip,
                             const Color& color, int32_t drawMode, const Rect& srcRect, bool smooth) {
  srcImage->mDrawn = true;
  auto* src = dynamic_cast<MemoryImage*>(srcImage);
  if (src == nullptr) return;
  Rect inImage = clip.Intersection(Rect(0, 0, mWidth, mHeight));
  BlitMatrixRaster(src, srcRect, x, y, matrix, inImage, color, GetBits(), mWidth * 4, GetRasterFormat(), smooth,
                   drawMode);
  OnBitsChanged();
}

void MemoryImage::BlitTrianglesTex(Image* textureImage, const TriVertex* vertices, int32_t triangleCount,
                                   const Rect& clip, const Color& color, int32_t drawMode, float offsetX,
                                   float offsetY, bool smooth) {
  textureImage->mDrawn = true;
  auto* texture = dynamic_cast<MemoryImage*>(textureImage);
  if (texture == nullptr) return;
  Rect inImage = clip.Intersection(Rect(0, 0, mWidth, mHeight));
  BlitTrianglesRaster(texture, vertices, triangleCount, inImage, color, GetBits(), mWidth * 4, GetRasterFormat(),
                      offsetX, offsetY, smooth, drawMode);
  OnBitsChanged();
}

}  // namespace Plix
