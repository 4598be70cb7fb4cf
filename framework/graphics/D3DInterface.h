#pragma once
// The Direct3D 7 path of the display: a device on the display's draw
// surface, the fixed render state of every scene, the texture cache of the
// images drawn through it (TextureData.h) and the drawing operations the
// display images route to when they are the 3D screen. Every Direct3D call
// with a step name goes through CheckD3DError, which keeps the failure as
// the path's error text and in the registry ("Test3D\RuntimeError"), so
// that the next start's capability test knows hardware drawing failed.
#include <atomic>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/Matrix3.h"
#include "framework/graphics/Rect.h"
#include "framework/platform/Direct3D.h"

namespace Plix {

class DDInterface;
class Image;
class MemoryImage;
struct TextureData;
struct TriVertex;

// Device limits and state, one copy for the program.
extern int32_t gMinTextureWidth;
extern int32_t gMinTextureHeight;
extern int32_t gMaxTextureWidth;   // at most 1024
extern int32_t gMaxTextureHeight;
extern int32_t gMaxTextureAspectRatio;
extern uint32_t gSupportedTextureFormats;  // texture format codes (TextureData.h)
extern bool gLinearFilter;                 // the filter state last set on the device
// The last scene start could not set the render target; read at exit to
// ask whether hardware drawing should stay on, cleared by presenting.
extern std::atomic<bool> gHardwareProblem;

using D3DVertex = D3DTLVERTEX;

// The vertices of one primitive: room for 100 inside, so that ordinary
// draws allocate nothing; more move to the heap, doubling.
class D3DVertexList {
public:
  D3DVertexList() = default;
  D3DVertexList(const D3DVertexList& other) { *this = other; }
  D3DVertexList& operator=(const D3DVertexList& other);

  void Add(const D3DVertex& v);
  void Clear() { mSize = 0; }
  int32_t Size() const { return mSize; }
  D3DVertex* Data() { return mData; }
  D3DVertex& operator[](int32_t i) { return mData[i]; }
  const D3DVertex& operator[](int32_t i) const { return mData[i]; }

private:
  D3DVertex mInline[100];
  std::vector<D3DVertex> mHeap;
  D3DVertex* mData = mInline;
  int32_t mSize = 0;
  int32_t mCapacity = 100;
};

class D3DInterface {
public:
  DDInterface* mDisplay;  // the owner; its lock guards the image set
  HWND mWindow = nullptr;
  int32_t mWidth = 640;
  int32_t mHeight = 480;
  IDirectDraw7* mDirectDraw = nullptr;  // borrowed from the display
  IDirectDrawSurface7* mDrawSurface = nullptr;
  IDirect3D7* mDirect3D = nullptr;
  IDirect3DDevice7* mDevice = nullptr;
  D3DVIEWPORT7 mViewport;
  bool mSceneBegun = false;
  // Every image that holds texture data.
  std::set<MemoryImage*> mImageSet;
  std::vector<Matrix3> mTransformStack;
  // The text of the last failed call, until the scene is flushed.
  std::string mErrorText;

  explicit D3DInterface(DDInterface* display);
  virtual ~D3DInterface();
  D3DInterface(const D3DInterface&) = delete;
  D3DInterface& operator=(const D3DInterface&) = delete;

  // On the display's draw surface, once its DirectDraw objects exist.
  bool Init(DDInterface* display);
  bool InitDevice();
  void SetupViewport();
  // Opens the frame's scene with the fixed render state; false while the
  // window is minimised or the render target cannot be set.
  bool PreDraw();
  // Ends the scene before the frame is shown.
  void Flush();
  // Drops every image's textures and the device.
  void Cleanup();
  // A failure pending since the last Flush.
  bool HasError() const { return !mErrorText.empty(); }
  // False for success; a failure is recorded under the step's name.
  bool CheckD3DError(const char* step, HRESULT result);

  IDirectDrawSurface7* CreateTextureSurface(int32_t width, int32_t height, int32_t formatCode);
  static DDPIXELFORMAT MakePixelFormat(int32_t formatCode);
  static int32_t ClassifyPixelFormat(const DDPIXELFORMAT& format);

  // Texture cache.
  bool PrepareImageTexture(MemoryImage* image);
  void ReleaseImageTexture(MemoryImage* image);
  bool ReadTextureIntoBits(MemoryImage* image);

  // Drawing operations of the 3D screen.
  void Blit(Image* image, float x, float y, const Rect& srcRect, const Color& color, int32_t drawMode, bool smooth);
  void BlitClipped(Image* image, float x, float y, const Rect& srcRect, const Rect* clip, const Color& color,
                   int32_t drawMode);
  void BlitMirror(Image* image, float x, float y, const Rect& srcRect, const Color& color, int32_t drawMode);
  void StretchBlit(Image* image, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                   int32_t drawMode, bool fastStretch, bool mirror = false);
  void BlitRotated(Image* image, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                   int32_t drawMode, double angle, float centerX, float centerY);
  void BlitMatrix(Image* image, const Matrix3& matrix, const Rect& srcRect, const Rect* clip, const Color& color,
                  int32_t drawMode, bool smooth, float x, float y, bool centred);
  void BlitTrianglesTex(Image* image, const TriVertex* vertices, int32_t triangleCount, const Color& color,
                        int32_t drawMode, float offsetX, float offsetY, bool smooth);
  void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode);
  void FillRect(const Rect& rect, const Color& color, int32_t drawMode);
  void FillPoly(const Point* points, int32_t count, const Rect* clip, const Color& color, int32_t drawMode,
                int32_t offsetX, int32_t offsetY);

  // The piece holding image pixel (x, y): width and height come in as what
  // is wanted and go out as what the piece holds from there; the texture
  // coordinates of that part.
  static IDirectDrawSurface7* GetTexturePiece(TextureData* data, int32_t x, int32_t y, int32_t& width,
                                              int32_t& height, float& u1, float& v1, float& u2, float& v2);

private:
  void SetDrawModeBlend(int32_t drawMode);
  void SetLinearFilter(bool on);
  // The image's textures, ready to draw; null when there are none.
  TextureData* PrepareTextures(Image* image);
  void BlitTextured(TextureData* data, const Rect& srcRect, float x, float y, uint32_t color);
  void DrawTransformedPieces(TextureData* data, const Matrix3& matrix, const Rect& srcRect, const Rect* clip,
                             float x, float y, bool centred, uint32_t color);
  void DrawTrianglesTextured(TextureData* data, const TriVertex* vertices, int32_t triangleCount, uint32_t color,
                             float offsetX, float offsetY);
  void DrawClippedFan(const D3DVertexList& polygon, const Rect& clip);
  void SetTexture(IDirectDrawSurface7* texture, const char* step);
  void Draw(D3DPRIMITIVETYPE type, D3DVertexList& vertices, const char* step);
};

}  // namespace Plix
