#pragma once
// The Direct3D 7 path of the display and its 3D capability test, as far as
// the display and its images route to them. The path itself is not built
// yet: initialisation fails with an error text and the capability test
// reports that no 3D device exists, so the display stays on software
// drawing. The drawing operations exist so that the routes of the display
// images are in place; they are never reached while 3D is off.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"
#include "framework/platform/DDraw.h"

namespace Plix {

class DDInterface;
class Image;
class MemoryImage;
class Matrix3;
struct TriVertex;

class D3DInterface {
public:
  std::string mErrorText;
  // The transform stack of the device; blits with DirectDraw only when empty.
  std::vector<int> mTransformStack;

  bool InitFromDDInterface(DDInterface* display);
  void Cleanup() {}
  void EndScene() {}
  bool HasError() const { return false; }
  void ReleaseImageTexture(MemoryImage* image) {}
  bool ReadTextureIntoBits(MemoryImage* image) { return false; }

  void FillRect(const Rect& rect, const Color& color, int32_t drawMode) {}
  void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) {}
  void FillPoly(const Point* vertices, int32_t count, const Rect* clip, const Color& color, int32_t drawMode,
                int32_t offsetX, int32_t offsetY) {}
  void Blt(Image* src, float x, float y, const Rect& srcRect, const Color& color, int32_t drawMode,
           bool smooth) {}
  void BltClipF(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                int32_t drawMode) {}
  void BltMirror(Image* src, float x, float y, const Rect& srcRect, const Color& color, int32_t drawMode) {}
  void BltRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                  int32_t drawMode, double angle, float centerX, float centerY) {}
  void StretchBlt(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                  int32_t drawMode, bool fastStretch, bool mirror = false) {}
  void BltTransformed(Image* src, const Rect& clip, const Color& color, int32_t drawMode, const Rect& srcRect,
                      const Matrix3& matrix, bool smooth, float x, float y) {}
  void DrawTrianglesTex(const TriVertex* vertices, int32_t triangleCount, const Color& color, int32_t drawMode,
                        Image* texture, float offsetX, float offsetY, bool smooth) {}
};

class D3DTester {
public:
  std::string mFailureReason;
  std::string mWarning;
  bool mResultFresh = false;

  void SetVidMemoryConstraints(uint32_t minMB, uint32_t recommendedMB) {}
  // Without a 3D device there is nothing to test: the result is a failure.
  bool TestD3D(HWND hwnd, IDirectDraw7* directDraw) {
    mFailureReason = "No 3D device";
    mResultFresh = true;
    return false;
  }
};

inline bool D3DInterface::InitFromDDInterface(DDInterface*) {
  mErrorText = "No 3D device";
  return false;
}

}  // namespace Plix
