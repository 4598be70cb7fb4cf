#pragma once
// An image whose master copy is 32-bit ARGB pixels (0xAARRGGBB, rows top to
// bottom) in memory, optionally held as 256-colour palette indices, with
// caches in the display's pixel layout and a link to the 3D texture the
// Direct3D path keeps for it. It draws in software into its own bits with
// exact integer arithmetic; the display image derives from it.
#include <cstdint>
#include <memory>

#include "framework/graphics/Image.h"

namespace Plix {

class GraphicsHost;
class NativeDisplay;
struct TextureData;  // the Direct3D path's record, owned through the host

class MemoryImage : public Image {
public:
  // The bits block holds width x height pixels and one guard word.
  static constexpr uint32_t kGuardWord = 0x4BEEFADE;

  std::unique_ptr<uint32_t[]> mBits;  // null when held in another form
  int32_t mBitsChangedCount = 0;
  TextureData* mD3DData = nullptr;
  uint32_t mD3DFlags = 0;
  std::unique_ptr<uint32_t[]> mColorTable;    // 256 entries, with mColorIndices
  std::unique_ptr<uint8_t[]> mColorIndices;   // one per pixel
  bool mForcedMode = false;  // mHasTrans and mHasAlpha are given, not scanned
  bool mHasTrans = false;    // some pixel has alpha 0
  bool mHasAlpha = false;    // some pixel has alpha 1..254
  bool mIsVolatile = false;
  bool mPurgeBits = false;
  bool mWantPal = false;
  std::unique_ptr<uint32_t[]> mNativeAlphaData;  // display layout, premultiplied
  std::unique_ptr<uint8_t[]> mRLAlphaData;       // alpha class run lengths
  std::unique_ptr<uint8_t[]> mRLAdditiveData;    // non-black run lengths
  bool mBitsChanged = false;  // the alpha flags need a new scan
  GraphicsHost* mApp = nullptr;

  // Registers with the process-wide host, or with the given one.
  MemoryImage();
  explicit MemoryImage(GraphicsHost* app);
  MemoryImage(const MemoryImage& other);
  MemoryImage& operator=(const MemoryImage&) = delete;
  ~MemoryImage() override;

  // Software drawing into the bits. Every change ends with OnBitsChanged.
  void FillRect(const Rect& rect, const Color& color, int32_t drawMode) override;
  void ClearRect(const Rect& rect) override;
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

  // Storage and caches. A null display means a plain X8R8G8B8 layout.
  virtual uint32_t* GetNativeAlphaData(NativeDisplay* display);
  virtual uint8_t* GetRLAlphaData();
  virtual uint8_t* GetRLAdditiveData(NativeDisplay* display);
  // Frees the 32-bit bits once another form can rebuild them: the native
  // cache without 3D, the texture with 3D.
  virtual void PurgeBits();
  // Secures the bits, then frees the three derived caches.
  virtual void DeleteSWBuffers();
  // Asks the host to drop the 3D texture.
  virtual void Delete3DBuffers();
  virtual void DeleteExtraBuffers();
  // After loading: palettise and purge as requested.
  virtual void CommitLoadFlags();
  virtual void OnBitsChanged();
  virtual void UpdateAlphaFlags();
  // Secures the bits, then frees the native cache and the additive runs.
  virtual void DeleteNativeData();
  virtual void Clear();
  virtual void SetBits(const uint32_t* bits, int32_t width, int32_t height, bool commitBits = true);
  // SetBits without a copy: takes a block of width * height + 1 words whose
  // first width * height are the pixels (the last becomes the guard).
  void AdoptBits(std::unique_ptr<uint32_t[]> block, int32_t width, int32_t height, bool commitBits = true);
  virtual void Create(int32_t width, int32_t height);
  // The 32-bit bits, rebuilt from the palette, the native cache or the
  // texture (or zero-filled) when missing.
  virtual uint32_t* GetBits();
  virtual void SetImageMode(bool hasTrans, bool hasAlpha);
  virtual void SetVolatile(bool isVolatile);
  // Exact 256-colour form; false (bits kept) on the 257th distinct colour.
  virtual bool Palettize();

  // Helpers shared with the display image's own renderers.

  // Bounding box of the rotated source rect, clipped; false when empty.
  static bool RotatedDestBox(float x, float y, const Rect& srcRect, const Rect& clip, float centerX, float centerY,
                             double angle, FRect& box);
  // The clipped destination of a stretch and the source area it shows;
  // false when nothing is visible.
  static bool ClipStretch(const Rect& destRect, const Rect& srcRect, const Rect& clip, Rect& clippedDest,
                          FRect& srcArea);
  static bool ClipStretchMirror(const Rect& destRect, const Rect& srcRect, const Rect& clip, Rect& clippedDest,
                                FRect& srcArea);
  // Filtered stretch of a source area into destRect of this image's bits.
  void StretchBlitFiltered(MemoryImage* src, const Rect& destRect, const FRect& srcArea);
  // Rasterise a matrix blit or textured triangles into any pixel buffer of
  // format 0x8888, 0x888, 0x565 or 0x555.
  static void BlitMatrixRaster(MemoryImage* src, const Rect& srcRect, float x, float y, const Matrix3& matrix,
                               const Rect& clip, const Color& color, void* dest, int32_t pitch, int32_t format,
                               bool smooth, int32_t drawMode = DRAWMODE_NORMAL);
  static void BlitTrianglesRaster(MemoryImage* texture, const TriVertex* vertices, int32_t triangleCount,
                                  const Rect& clip, const Color& color, void* dest, int32_t pitch, int32_t format,
                                  float offsetX, float offsetY, bool smooth, int32_t drawMode = DRAWMODE_NORMAL);

  // The pixel format code the rasterisers get for this image's bits.
  int32_t GetRasterFormat() const;

  // For a tinted blit onto opaque pixels: per pixel the source weight
  // w = (alpha * tint alpha) / 255 in the top byte and each colour channel's
  // source term (s * w * t) >> 16 below it. Kept for one tint, made when
  // the same tint is asked for twice in a row (a sprite drawn tinted frame
  // after frame, not a tint that changes every frame); null until then,
  // and for palettised images.
  const uint32_t* GetTintTerms(const Color& color);

protected:
  void FreePalette();
  void DropTintTerms();

  std::unique_ptr<uint32_t[]> mTintTerms;
  uint32_t mTintColor = 0;  // the tint asked for last, packed
  int32_t mTintAsks = 0;    // times in a row
  void AllocBits();
};

}  // namespace Plix
