#pragma once
// The abstract picture: a named rectangle of pixels cut into a grid of cels,
// optionally animated, with one fixed set of virtual drawing operations that
// every drawing in the program goes through. Image itself draws nothing but
// the two operations it builds from FillRect.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

namespace Plix {

class Graphics;
class Matrix3;

enum AnimType : int32_t { ANIM_NONE = 0, ANIM_ONCE = 1, ANIM_PINGPONG = 2, ANIM_LOOP = 3 };

// How the cels of an image animate. Compute() finishes a record filled from
// the resource manifest.
class CellAnimInfo {
public:
  // Bounds on a grid and its frames: no art has a side of more cels than
  // this, and they keep a broken manifest from asking for gigabytes.
  static constexpr int32_t kMaxCels = 1 << 16;
  static constexpr int32_t kMaxFrames = 2 * kMaxCels;  // pingpong plays inner cels twice

  int32_t mAnimType = ANIM_NONE;
  int32_t mFrameDelay = 1;
  int32_t mFrameCount = 1;
  std::vector<int32_t> mPerFrameDelays;  // below 1: mFrameDelay applies
  std::vector<int32_t> mFrameMap;        // empty: frame n shows cel n
  int32_t mTotalTime = 0;

  // Grows the delay list to reach the frame (new entries 0) and sets it;
  // false, changing nothing, for a frame outside 0..kMaxFrames-1.
  bool SetPerFrameDelay(int32_t frame, int32_t delay);
  // False, changing nothing, for more than kMaxCels cels or more than
  // kMaxFrames entries in the frame map or the delay list.
  bool Compute(int32_t celCount, int32_t beginDelay = 0, int32_t endDelay = 0);
};

// One horizontal run of pixels.
struct Span {
  int32_t mY = 0;
  int32_t mX = 0;
  int32_t mWidth = 0;
};

// A corner of a textured triangle: position, texture coordinates 0..1 across
// the source image, and a packed ARGB colour where 0 means none of its own.
struct TriVertex {
  float mX = 0;
  float mY = 0;
  float mU = 0;
  float mV = 0;
  uint32_t mColor = 0;
};

// Draw modes of the operation set; other values draw nothing.
constexpr int32_t DRAWMODE_NORMAL = 0;
constexpr int32_t DRAWMODE_ADDITIVE = 1;

class Image {
public:
  bool mDrawn = false;  // set on the source by every blit
  std::string mName;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  int32_t mCelRows = 1;
  int32_t mCelColumns = 1;
  std::unique_ptr<CellAnimInfo> mAnimInfo;

  Image() = default;
  // Copies the size, the cel grid and its own copy of the animation; the
  // name starts empty.
  Image(const Image& other);
  Image& operator=(const Image&) = delete;
  virtual ~Image();

  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  int32_t GetCellWidth() const { return mCelColumns != 0 ? mWidth / mCelColumns : 0; }
  int32_t GetCellHeight() const { return mCelRows != 0 ? mHeight / mCelRows : 0; }

  // Takes the other image's cel grid and animation; name, size and pixels stay.
  void CopyAttributes(const Image& other);

  // A new drawing context on this image; the caller deletes it. Defined
  // together with Graphics.
  Graphics* CreateGraphics();

  // The operation set. Positions have been translated and, for the
  // operations without a clip rect, clipped by the caller.
  virtual bool FillPolygonAccel(const Point* vertices, int32_t count, const Rect* clip, const Color& color,
                                int32_t drawMode, int32_t offsetX, int32_t offsetY);
  virtual void FillRect(const Rect& rect, const Color& color, int32_t drawMode);
  // An outline of (width + 1) x (height + 1) pixels through four FillRects.
  virtual void DrawRect(const Rect& rect, const Color& color, int32_t drawMode);
  virtual void ClearRect(const Rect& rect);
  virtual void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode);
  virtual void DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode);
  // One one-pixel-high FillRect per span.
  virtual void FillSpans(const Span* spans, int32_t count, const Color& color, int32_t drawMode);
  virtual void FillSpansWithCoverage(const Span* spans, int32_t count, const Color& color, int32_t drawMode,
                                     const uint8_t* coverage, int32_t coverX, int32_t coverY, int32_t coverWidth,
                                     int32_t coverHeight);
  virtual void Blit(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color, int32_t drawMode);
  virtual void BlitF(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                     int32_t drawMode);
  virtual void BlitRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                           int32_t drawMode, double angle, float centerX, float centerY);
  virtual void StretchBlit(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                           const Color& color, int32_t drawMode, bool fastStretch);
  virtual void BlitMatrix(Image* src, float x, float y, const Matrix3& matrix, const Rect& clip, const Color& color,
                          int32_t drawMode, const Rect& srcRect, bool smooth);
  // Triangles are consecutive triples of vertices.
  virtual void BlitTrianglesTex(Image* texture, const TriVertex* vertices, int32_t triangleCount, const Rect& clip,
                                const Color& color, int32_t drawMode, float offsetX, float offsetY, bool smooth);
  virtual void BlitMirror(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                          int32_t drawMode);
  virtual void StretchBlitMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                                 const Color& color, int32_t drawMode, bool fastStretch);
};

}  // namespace Plix
