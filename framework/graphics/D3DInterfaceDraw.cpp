// The drawing operations of the Direct3D path: blits walk the image's
// texture pieces and draw one quad per piece, half a pixel up and left so
// that texel centres land on pixel centres; matrix blits transform the
// quads' corners and clip them to the clip rectangle when they reach out.
#include <algorithm>
#include <cmath>

#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TextureData.h"

namespace Plix {

namespace {

D3DVertex MakeVertex(float x, float y, uint32_t color, float u = 0, float v = 0) {
  D3DVertex r;
  r.sx = x;
  r.sy = y;
  r.sz = 0;
  r.rhw = 1;
  r.color = color;
  r.specular = 0;
  r.tu = u;
  r.tv = v;
  return r;
}

// The point at t of the way from a to b; colours only when they differ.
D3DVertex InterpolateVertex(const D3DVertex& a, const D3DVertex& b, float t) {
  D3DVertex r = a;
  r.sx = a.sx + (b.sx - a.sx) * t;
  r.sy = a.sy + (b.sy - a.sy) * t;
  r.tu = a.tu + (b.tu - a.tu) * t;
  r.tv = a.tv + (b.tv - a.tv) * t;
  if (a.color != b.color) {
    r.color = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const float ca = float((a.color >> shift) & 255), cb = float((b.color >> shift) & 255);
      r.color |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
  }
  return r;
}

// One step of Sutherland-Hodgman: keeps the part where the coordinate is
// at least the limit (or, with below set, less than it).
void ClipPolygon(const D3DVertexList& in, D3DVertexList& out, float D3DVertex::*coord, float limit, bool below) {
  out.Clear();
  const int32_t n = in.Size();
  auto inside = [&](const D3DVertex& v) { return below ? v.*coord < limit : v.*coord >= limit; };
  for (int32_t i = 0; i < n; ++i) {
    const D3DVertex& a = in[i];
    const D3DVertex& b = in[(i + 1) % n];
    const bool ina = inside(a), inb = inside(b);
    if (ina) out.Add(a);
    if (ina != inb) out.Add(InterpolateVertex(a, b, (limit - a.*coord) / (b.*coord - a.*coord)));
  }
}

// The polygon inside lo <= x < hi, lo <= y < hi for the two coordinates.
void ClipToBox(D3DVertexList& polygon, float D3DVertex::*cx, float D3DVertex::*cy, float left, float top, float right,
               float bottom) {
  D3DVertexList other;
  ClipPolygon(polygon, other, cx, left, false);
  ClipPolygon(other, polygon, cy, top, false);
  ClipPolygon(polygon, other, cx, right, true);
  ClipPolygon(other, polygon, cy, bottom, true);
}

void ClipToUnitSquare(D3DVertexList& polygon) { ClipToBox(polygon, &D3DVertex::tu, &D3DVertex::tv, 0, 0, 1, 1); }

}  // namespace

void D3DInterface::SetDrawModeBlend(int32_t drawMode) {
  mDevice->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  mDevice->SetRenderState(D3DRENDERSTATE_DESTBLEND, drawMode == 0 ? D3DBLEND_INVSRCALPHA : D3DBLEND_ONE);
}

void D3DInterface::SetLinearFilter(bool on) {
  if (on == gLinearFilter) return;
  const char* step = on ? "SetTextureStageState LINEAR" : "SetTextureStageState Point";
  const DWORD value = on ? 2 : 1;
  for (D3DTEXTURESTAGESTATETYPE state : {D3DTSS_MINFILTER, D3DTSS_MAGFILTER, D3DTSS_MIPFILTER})
    CheckD3DError(step, mDevice->SetTextureStageState(0, state, value));
  gLinearFilter = on;
}

void D3DInterface::SetTexture(IDirectDrawSurface7* texture, const char* step) {
  CheckD3DError(step, mDevice->SetTexture(0, texture));
}

void D3DInterface::Draw(D3DPRIMITIVETYPE type, D3DVertexList& vertices, const char* step) {
  CheckD3DError(step, mDevice->DrawPrimitive(type, D3DFVF_TLVERTEX, vertices.Data(),
                                             static_cast<DWORD>(vertices.Size()), D3DDP_WAIT));
}

TextureData* D3DInterface::PrepareTextures(Image* image) {
  auto* memoryImage = dynamic_cast<MemoryImage*>(image);
  if (!memoryImage || !PrepareImageTexture(memoryImage)) return nullptr;
  return memoryImage->mD3DData;
}

IDirectDrawSurface7* D3DInterface::GetTexturePiece(TextureData* data, int32_t x, int32_t y, int32_t& width,
                                                   int32_t& height, float& u1, float& v1, float& u2, float& v2) {
  const TexturePiece& piece =
      data->mPieces[static_cast<size_t>(y / data->mPieceHeight) * data->mColumns + x / data->mPieceWidth];
  const int32_t ox = x % data->mPieceWidth, oy = y % data->mPieceHeight;
  const int32_t right = std::min(ox + width, piece.mWidth), bottom = std::min(oy + height, piece.mHeight);
  width = right - ox;
  height = bottom - oy;
  u1 = float(ox) / piece.mWidth;
  v1 = float(oy) / piece.mHeight;
  u2 = float(right) / piece.mWidth;
  v2 = float(bottom) / piece.mHeight;
  return piece.mTexture;
}

// The walk over the pieces under a source rectangle: calls draw(texture,
// local x, local y, width, height, u1, v1, u2, v2) per piece part, with
// local positions from the rectangle's top-left corner.
template <class DrawPiece>
static void WalkPieces(TextureData* data, const Rect& srcRect, DrawPiece draw) {
  const Rect r = srcRect.Intersection(Rect(0, 0, data->mWidth, data->mHeight));
  for (int32_t sy = r.mY; sy < r.mY + r.mHeight;) {
    int32_t rowHeight = 0;
    for (int32_t sx = r.mX; sx < r.mX + r.mWidth;) {
      int32_t w = r.mX + r.mWidth - sx, h = r.mY + r.mHeight - sy;
      float u1, v1, u2, v2;
      IDirectDrawSurface7* texture = D3DInterface::GetTexturePiece(data, sx, sy, w, h, u1, v1, u2, v2);
      if (w <= 0 || h <= 0) return;
      draw(texture, float(sx - srcRect.mX), float(sy - srcRect.mY), float(w), float(h), u1, v1, u2, v2);
      sx += w;
      rowHeight = h;
    }
    if (rowHeight <= 0) return;
    sy += rowHeight;
  }
}

void D3DInterface::BlitTextured(TextureData* data, const Rect& srcRect, float x, float y, uint32_t color) {
  WalkPieces(data, srcRect, [&](IDirectDrawSurface7* texture, float lx, float ly, float w, float h, float u1, float v1,
                                float u2, float v2) {
    const float left = x + lx - 0.5f, top = y + ly - 0.5f;
    D3DVertexList quad;
    quad.Add(MakeVertex(left, top, color, u1, v1));
    quad.Add(MakeVertex(left, top + h, color, u1, v2));
    quad.Add(MakeVertex(left + w, top, color, u2, v1));
    quad.Add(MakeVertex(left + w, top + h, color, u2, v2));
    SetTexture(texture, "SetTexture gTexture");
    Draw(D3DPT_TRIANGLESTRIP, quad, "DrawPrimitive (Tri) 1");
  });
}

void D3DInterface::DrawTransformedPieces(TextureData* data, const Matrix3& matrix, const Rect& srcRect,
                                         const Rect* clip, float x, float y, bool centred, uint32_t color) {
  const float startX = centred ? -srcRect.mWidth / 2.0f : 0, startY = centred ? -srcRect.mHeight / 2.0f : 0;
  const float moveX = centred ? x : x - 0.5f, moveY = centred ? y : y - 0.5f;
  WalkPieces(data, srcRect, [&](IDirectDrawSurface7* texture, float lx, float ly, float w, float h, float u1, float v1,
                                float u2, float v2) {
    const float left = startX + lx, top = startY + ly;
    auto corner = [&](float px, float py, float u, float v) {
      const Vector2 p = matrix.TransformPoint(px, py);
      return MakeVertex(p.mX + moveX, p.mY + moveY, color, u, v);
    };
    const D3DVertex tl = corner(left, top, u1, v1), bl = corner(left, top + h, u1, v2);
    const D3DVertex tr = corner(left + w, top, u2, v1), br = corner(left + w, top + h, u2, v2);
    SetTexture(texture, "SetTexture gTexture");
    bool outside = false;
    if (clip) {
      for (const D3DVertex* v : {&tl, &bl, &tr, &br})
        outside = outside || v->sx < clip->mX || v->sx >= clip->mX + clip->mWidth || v->sy < clip->mY ||
                  v->sy >= clip->mY + clip->mHeight;
    }
    D3DVertexList quad;
    if (outside) {
      for (const D3DVertex* v : {&tl, &bl, &br, &tr}) quad.Add(*v);
      DrawClippedFan(quad, *clip);
      return;
    }
    for (const D3DVertex* v : {&tl, &bl, &tr, &br}) quad.Add(*v);
    Draw(D3DPT_TRIANGLESTRIP, quad, "DrawPrimitive (Tri) 3");
  });
}

void D3DInterface::DrawClippedFan(const D3DVertexList& polygon, const Rect& clip) {
  D3DVertexList clipped = polygon;
  ClipToBox(clipped, &D3DVertex::sx, &D3DVertex::sy, float(clip.mX), float(clip.mY), float(clip.mX + clip.mWidth),
            float(clip.mY + clip.mHeight));
  if (clipped.Size() >= 3) Draw(D3DPT_TRIANGLEFAN, clipped, "DrawPrimitive (Tri) 2");
}

void D3DInterface::Blit(Image* image, float x, float y, const Rect& srcRect, const Color& color, int32_t drawMode,
                        bool smooth) {
  if (!PreDraw()) return;
  TextureData* data = PrepareTextures(image);
  if (!data) return;
  if (!mTransformStack.empty()) {
    BlitClipped(image, x, y, srcRect, nullptr, color, drawMode);
    return;
  }
  SetDrawModeBlend(drawMode);
  SetLinearFilter(smooth);
  BlitTextured(data, srcRect, x, y, color.ToInt());
}

void D3DInterface::BlitClipped(Image* image, float x, float y, const Rect& srcRect, const Rect* clip,
                               const Color& color, int32_t drawMode) {
  Matrix3 m;
  m.Translate(x, y);
  BlitMatrix(image, m, srcRect, clip, color, drawMode, true, 0, 0, false);
}

void D3DInterface::BlitMirror(Image* image, float x, float y, const Rect& srcRect, const Color& color,
                              int32_t drawMode) {
  Matrix3 m;
  m.Translate(float(-srcRect.mWidth), 0);
  m.Scale(-1, 1);
  m.Translate(x, y);
  BlitMatrix(image, m, srcRect, nullptr, color, drawMode, false, 0, 0, false);
}

void D3DInterface::StretchBlit(Image* image, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                               const Color& color, int32_t drawMode, bool fastStretch, bool mirror) {
  if (srcRect.mWidth <= 0 || srcRect.mHeight <= 0) return;
  const float sx = float(destRect.mWidth) / srcRect.mWidth, sy = float(destRect.mHeight) / srcRect.mHeight;
  Matrix3 m;
  if (mirror) {
    m.Translate(float(-srcRect.mWidth), 0);
    m.Scale(-sx, sy);
  } else {
    m.Scale(sx, sy);
  }
  m.Translate(float(destRect.mX), float(destRect.mY));
  BlitMatrix(image, m, srcRect, &clip, color, drawMode, !fastStretch, 0, 0, false);
}

void D3DInterface::BlitRotated(Image* image, float x, float y, const Rect& srcRect, const Rect& clip,
                               const Color& color, int32_t drawMode, double angle, float centerX, float centerY) {
  Matrix3 m;
  m.Translate(-centerX, -centerY);
  m.Rotate(float(angle));
  m.Translate(x + centerX, y + centerY);
  BlitMatrix(image, m, srcRect, &clip, color, drawMode, true, 0, 0, false);
}

void D3DInterface::BlitMatrix(Image* image, const Matrix3& matrix, const Rect& srcRect, const Rect* clip,
                              const Color& color, int32_t drawMode, bool smooth, float x, float y, bool centred) {
  if (!PreDraw()) return;
  TextureData* data = PrepareTextures(image);
  if (!data) return;
  SetDrawModeBlend(drawMode);
  if (mTransformStack.empty()) {
    SetLinearFilter(smooth);
    DrawTransformedPieces(data, matrix, srcRect, clip, x, y, centred, color.ToInt());
    return;
  }
  SetLinearFilter(true);
  Matrix3 m;
  if (x == 0 && y == 0) {
    m = matrix;
    m.Multiply(mTransformStack.back());
    DrawTransformedPieces(data, m, srcRect, clip, 0, 0, centred, color.ToInt());
    return;
  }
  if (centred) m.Translate(-srcRect.mWidth / 2.0f, -srcRect.mHeight / 2.0f);
  m.Multiply(matrix);
  m.Translate(x, y);
  m.Multiply(mTransformStack.back());
  DrawTransformedPieces(data, m, srcRect, clip, 0, 0, false, color.ToInt());
}

void D3DInterface::BlitTrianglesTex(Image* image, const TriVertex* vertices, int32_t triangleCount,
                                    const Color& color, int32_t drawMode, float offsetX, float offsetY, bool smooth) {
  if (!PreDraw()) return;
  TextureData* data = PrepareTextures(image);
  if (!data) return;
  SetDrawModeBlend(drawMode);
  SetLinearFilter(smooth);
  DrawTrianglesTextured(data, vertices, triangleCount, color.ToInt(), offsetX, offsetY);
}

void D3DInterface::DrawTrianglesTextured(TextureData* data, const TriVertex* vertices, int32_t triangleCount,
                                         uint32_t color, float offsetX, float offsetY) {
  if (data->mPieces.empty() || triangleCount <= 0) return;
  // Texture coordinates measured in pieces.
  auto make = [&](const TriVertex& t) {
    return MakeVertex(t.mX + offsetX, t.mY + offsetY, t.mColor ? t.mColor : color, t.mU * data->mWidthInPieces,
                      t.mV * data->mHeightInPieces);
  };
  if (data->mWidthInPieces <= 1 && data->mHeightInPieces <= 1) {
    SetTexture(data->mPieces[0].mTexture, "SetTexture gTexture");
    D3DVertexList list;
    for (int32_t i = 0; i < triangleCount; ++i) {
      for (int k = 0; k < 3; ++k) list.Add(make(vertices[i * 3 + k]));
      if (list.Size() == 300 || i + 1 == triangleCount) {
        Draw(D3DPT_TRIANGLELIST, list, "DrawPrimitive (TriList)");
        list.Clear();
      }
    }
    return;
  }
  for (int32_t i = 0; i < triangleCount; ++i) {
    D3DVertex tri[3];
    float minU = 0, maxU = 0, minV = 0, maxV = 0;
    for (int k = 0; k < 3; ++k) {
      tri[k] = make(vertices[i * 3 + k]);
      minU = k ? std::min(minU, tri[k].tu) : tri[k].tu;
      maxU = k ? std::max(maxU, tri[k].tu) : tri[k].tu;
      minV = k ? std::min(minV, tri[k].tv) : tri[k].tv;
      maxV = k ? std::max(maxV, tri[k].tv) : tri[k].tv;
    }
    if (!std::isfinite(minU + maxU + minV + maxV)) continue;
    auto range = [](float lo, float hi, int32_t count, int32_t& first, int32_t& last) {
      first = int32_t(std::clamp(std::floor(lo), 0.0f, float(count)));
      last = int32_t(std::clamp(std::ceil(hi), 0.0f, float(count)));
    };
    int32_t c0, c1, r0, r1;
    range(minU, maxU, data->mColumns, c0, c1);
    range(minV, maxV, data->mRows, r0, r1);
    for (int32_t row = r0; row < r1; ++row) {
      for (int32_t col = c0; col < c1; ++col) {
        const TexturePiece& piece = data->mPieces[static_cast<size_t>(row) * data->mColumns + col];
        // The last row and column are smaller textures: their coordinates
        // scale up so that they still address the image's pixels.
        const float scaleU = col == data->mColumns - 1 ? float(data->mPieceWidth) / piece.mWidth : 1.0f;
        const float scaleV = row == data->mRows - 1 ? float(data->mPieceHeight) / piece.mHeight : 1.0f;
        D3DVertexList part;
        for (D3DVertex v : tri) {
          v.tu = (v.tu - col) * scaleU;
          v.tv = (v.tv - row) * scaleV;
          part.Add(v);
        }
        ClipToUnitSquare(part);
        if (part.Size() < 3) continue;
        SetTexture(piece.mTexture, "SetTexture gTexture");
        Draw(D3DPT_TRIANGLEFAN, part, "DrawPrimitive (Tri) 4");
      }
    }
  }
}

void D3DInterface::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) {
  if (!PreDraw()) return;
  SetDrawModeBlend(drawMode);
  Vector2 a{float(x1), float(y1)}, b{float(x2), float(y2)};
  if (!mTransformStack.empty()) {
    a = mTransformStack.back().TransformPoint(a.mX, a.mY);
    b = mTransformStack.back().TransformPoint(b.mX, b.mY);
  }
  // The third point covers the end pixel, which a line strip leaves out.
  const uint32_t c = color.ToInt();
  D3DVertexList line;
  line.Add(MakeVertex(a.mX, a.mY, c));
  line.Add(MakeVertex(b.mX, b.mY, c));
  line.Add(MakeVertex(b.mX + 0.5f, b.mY + 0.5f, c));
  SetTexture(nullptr, "SetTexture NULL");
  Draw(D3DPT_LINESTRIP, line, "DrawPrimitive (Line)");
}

void D3DInterface::FillRect(const Rect& rect, const Color& color, int32_t drawMode) {
  if (!PreDraw()) return;
  SetDrawModeBlend(drawMode);
  const float x = float(rect.mX) - 0.5f, y = float(rect.mY) - 0.5f;
  const float w = float(rect.mWidth), h = float(rect.mHeight);
  const uint32_t c = color.ToInt();
  D3DVertexList quad;
  for (const Vector2& p : {Vector2{x, y}, Vector2{x, y + h}, Vector2{x + w, y}, Vector2{x + w, y + h}}) {
    Vector2 q = p;
    if (!mTransformStack.empty()) {
      q = mTransformStack.back().TransformPoint(p.mX, p.mY);
      q.mX -= 0.5f;
      q.mY -= 0.5f;
    }
    quad.Add(MakeVertex(q.mX, q.mY, c));
  }
  SetTexture(nullptr, "SetTexture NULL");
  Draw(D3DPT_TRIANGLESTRIP, quad, "DrawPrimitive (Rect)");
}

void D3DInterface::FillPoly(const Point* points, int32_t count, const Rect* clip, const Color& color,
                            int32_t drawMode, int32_t offsetX, int32_t offsetY) {
  if (count < 3) return;
  if (!PreDraw()) return;
  SetDrawModeBlend(drawMode);
  SetTexture(nullptr, "SetTexture NULL");
  const uint32_t c = color.ToInt();
  D3DVertexList polygon;
  for (int32_t i = 0; i < count; ++i) {
    Vector2 p{float(points[i].mX + offsetX), float(points[i].mY + offsetY)};
    if (!mTransformStack.empty()) p = mTransformStack.back().TransformPoint(p.mX, p.mY);
    polygon.Add(MakeVertex(p.mX, p.mY, c));
  }
  if (clip) DrawClippedFan(polygon, *clip);
  else Draw(D3DPT_TRIANGLEFAN, polygon, "DrawPrimitive (FillPoly)");
}

}  // namespace Plix
