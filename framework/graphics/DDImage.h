#pragma once
// The image the display can draw with hardware help: a memory image that
// may also live in a DirectDraw surface in the display's 16- or 32-bit
// format. Every drawing operation picks a route: Direct3D on the 3D screen,
// the software renderers working on the locked surface, DirectDraw's own
// blitter, or the memory image's renderers on the 32-bit bits. After
// drawing into the surface the surface holds the only current pixels; the
// memory forms are freed and read back from the surface on demand.
#include <cstdint>

#include "framework/graphics/MemoryImage.h"
#include "framework/platform/DDraw.h"

namespace Plix {

class DDInterface;

class DDImage : public MemoryImage {
public:
  DDInterface* mDDInterface;
  IDirectDrawSurface* mSurface = nullptr;  // counted reference
  bool mSurfaceAdopted = false;  // handed in by SetSurface: never made, deleted or read back by itself
  bool mVideoMemory = false;
  bool mWantVideoMemory = false;
  bool mWantSurface = false;
  int32_t mLockCount = 0;
  DDSURFACEDESC mLockedSurfaceDesc;

  explicit DDImage(DDInterface* display);
  DDImage(const DDImage&) = delete;
  DDImage& operator=(const DDImage&) = delete;
  ~DDImage() override;

  // The display draws through Direct3D and this image wraps its draw surface.
  bool Is3D() const;
  static bool Check3D(Image* image);

  IDirectDrawSurface* GetSurface();
  bool CreateSurface();
  void DeleteSurface();
  bool LockSurface();
  bool UnlockSurface();
  void SetSurface(IDirectDrawSurface* surface);
  void SetVideoMemory(bool wantVideoMemory);
  void EnsureSurface() { CreateSurface(); }
  // Frees the 32-bit bits, the palette form and the derived caches: after
  // surface drawing the surface holds the only current pixels.
  void DeleteAllNonSurfaceData();

  // The image operation set.
  bool FillPolygonAccel(const Point* vertices, int32_t count, const Rect* clip, const Color& color, int32_t drawMode,
                        int32_t offsetX, int32_t offsetY) override;
  void FillRect(const Rect& rect, const Color& color, int32_t drawMode) override;
  void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) override;
  void DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) override;
  void FillSpansWithCoverage(const Span* spans, int32_t count, const Color& color, int32_t drawMode,
                             const uint8_t* coverage, int32_t coverX, int32_t coverY, int32_t coverWidth,
                             int32_t coverHeight) override;
  void Blit(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color, int32_t drawMode) override;
  void BlitF(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
             int32_t drawMode) override;
  void BlitRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                   int32_t drawMode, double angle, float centerX, float centerY) override;
  void StretchBlit(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                   int32_t drawMode, bool fastStretch) override;
  void BlitMatrix(Image* src, float x, float y, const Matrix3& matrix, const Rect& clip, const Color& color,
                  int32_t drawMode, const Rect& srcRect, bool smooth) override;
  void BlitTrianglesTex(Image* texture, const TriVertex* vertices, int32_t triangleCount, const Rect& clip,
                        const Color& color, int32_t drawMode, float offsetX, float offsetY, bool smooth) override;
  void BlitMirror(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                  int32_t drawMode) override;
  void StretchBlitMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                         const Color& color, int32_t drawMode, bool fastStretch) override;

  // Memory image operations kept in step with the surface.
  void PurgeBits() override;
  void CommitLoadFlags() override;
  void DeleteExtraBuffers() override;
  void DeleteNativeData() override;
  void OnBitsChanged() override;
  void UpdateAlphaFlags() override;
  void Create(int32_t width, int32_t height) override;
  // Reads a surface-only image back into 32-bit bits.
  uint32_t* GetBits() override;
  bool Palettize() override;

  // Surface renderers: the caller has clipped; they lock, draw, unlock.
  virtual void SurfaceFillRect(const Rect& rect, const Color& color);
  virtual void SurfaceFillRectAdditive(const Rect& rect, const Color& color);
  virtual void SurfaceBlit(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color);
  virtual void SurfaceBlitAdditive(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color);
  virtual void SurfaceDrawLine(double x1, double y1, double x2, double y2, const Color& color);
  virtual void SurfaceDrawLineAdditive(double x1, double y1, double x2, double y2, const Color& color);
  virtual void SurfaceDrawLineAA(double x1, double y1, double x2, double y2, const Color& color);
  // What an additive antialiased line should draw is not settled: nothing.
  virtual void SurfaceDrawLineAAAdditive(double x1, double y1, double x2, double y2, const Color& color) {}
  virtual void SurfaceBlitMirror(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color);
  virtual void SurfaceBlitMirrorAdditive(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color);

private:
  bool SurfaceAllowed();
  void DrawLineRouted(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode,
                      bool antialiased);
  // DirectDraw's blitter from a source surface, with the lock released
  // around it; false when the lock could not be taken again.
  bool HardwareBlit(DDImage* src, const RECT& dest, const RECT& source);
  void BlitRunLengthAlpha(MemoryImage* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                          bool mirror);
  void BlitRunLengthAdditive(MemoryImage* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                             bool mirror);
  void BlitPlain(MemoryImage* src, int32_t x, int32_t y, const Rect& srcRect);
  void BlitVolatile(MemoryImage* src, int32_t x, int32_t y, const Rect& srcRect);
  void RotatedIntoSurface(MemoryImage* src, float x, float y, const Rect& srcRect, const Rect& clip,
                          const Color& color, int32_t drawMode, double angle, float centerX, float centerY);
  void NearestStretch(MemoryImage* src, const Rect& dest, const FRect& srcArea, const Color& color,
                      int32_t drawMode, bool mirror);
  int32_t SurfaceFormatCode() const;
};

// The pixels of a locked surface as 0xAARRGGBB words. A pixel equal to the
// colour key comes back fully transparent; a format with an alpha mask
// (A4R4G4B4, A8R8G8B8) keeps its alpha, a nibble scaled by 17.
void SurfaceToARGB(const DDSURFACEDESC& desc, int32_t width, int32_t height, const DDCOLORKEY* key,
                   uint32_t* out);

}  // namespace Plix
