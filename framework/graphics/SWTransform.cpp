// The memory image's transformed drawing: rotated, stretched, matrix and
// textured-triangle blits.
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/Matrix3.h"

namespace Plix {

void MemoryImage::BlitRotated(Image* src, float, float, const Rect&, const Rect&, const Color&, int32_t, double, float,
                              float) {
  src->mDrawn = true;
}

void MemoryImage::StretchBlit(Image* src, const Rect&, const Rect&, const Rect&, const Color&, int32_t, bool) {
  src->mDrawn = true;
}

void MemoryImage::BlitMatrix(Image* src, float, float, const Matrix3&, const Rect&, const Color&, int32_t, const Rect&,
                             bool) {
  src->mDrawn = true;
}

void MemoryImage::BlitTrianglesTex(Image* texture, const TriVertex*, int32_t, const Rect&, const Color&, int32_t,
                                   float, float, bool) {
  texture->mDrawn = true;
}

bool MemoryImage::RotatedDestBox(float, float, const Rect&, const Rect&, float, float, double, FRect&) { return false; }
bool MemoryImage::ClipStretch(const Rect&, const Rect&, const Rect&, Rect&, FRect&) { return false; }
bool MemoryImage::ClipStretchMirror(const Rect&, const Rect&, const Rect&, Rect&, FRect&) { return false; }
void MemoryImage::StretchBlitFiltered(MemoryImage*, const Rect&, const FRect&) {}
void MemoryImage::BlitMatrixRaster(MemoryImage*, const Rect&, float, float, const Matrix3&, const Rect&, const Color&,
                                   void*, int32_t, int32_t, bool, int32_t) {}
void MemoryImage::BlitTrianglesRaster(MemoryImage*, const TriVertex*, int32_t, const Rect&, const Color&, void*,
                                      int32_t, int32_t, float, float, bool, int32_t) {}

}  // namespace Plix
