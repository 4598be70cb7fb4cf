#pragma once
// The application's display: the DirectDraw objects, the surfaces a frame is
// drawn into and shown from, the screen image Graphics draws on, the pixel
// layout and additive saturation tables of the surface renderers, the
// software cursor, and the (not yet built) Direct3D path. One critical
// section, the display lock, serialises everything that touches its
// surfaces: the main, loading and cursor threads all take it.
#include <atomic>
#include <memory>
#include <set>
#include <string>

#include "framework/graphics/DisplayHost.h"
#include "framework/graphics/NativeDisplay.h"
#include "framework/graphics/Rect.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/Threads.h"
#include "framework/util/Ratio.h"

namespace Plix {

class D3DInterface;
class D3DTester;
class DDImage;
class Image;
class MemoryImage;

// True when the two aspects differ beyond integer rounding.
bool RatioDiffers(const Ratio& a, const Ratio& b);
Ratio MakeRatio(int32_t numerator, int32_t denominator);

class DDInterface : public NativeDisplay {
public:
  enum {
    RESULT_OK = 0,
    RESULT_FAIL = 1,
    RESULT_DD_CREATE_FAIL = 2,
    RESULT_SURFACE_FAIL = 3,
    RESULT_EXCLUSIVE_FAIL = 4,
    RESULT_DISPCHANGE_FAIL = 5,
    RESULT_INVALID_COLORDEPTH = 6,
    RESULT_3D_FAIL = 7
  };

  DisplayHost* mApp;
  std::unique_ptr<D3DInterface> mD3DInterface;
  std::unique_ptr<D3DTester> mD3DTester;
  bool mIs3D = false;
  CriticalSection mCritSect;
  std::atomic<bool> mInRedraw{false};
  IDirectDraw* mDD = nullptr;
  IDirectDraw7* mDD7 = nullptr;
  IDirectDrawSurface* mPrimarySurface = nullptr;
  IDirectDrawSurface* mSecondarySurface = nullptr;
  IDirectDrawSurface* mDrawSurface = nullptr;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  Ratio mAspect;
  int32_t mDesktopWidth = 0;
  int32_t mDesktopHeight = 0;
  Ratio mDesktopAspect;
  bool mIsAspectCorrected = false;
  int32_t mDisplayWidth = 0;
  int32_t mDisplayHeight = 0;
  Ratio mDisplayAspect;
  Rect mPresentationRect;
  int32_t mFullscreenBits = 0;
  int32_t mRefreshRate = 60;
  int32_t mMillisecondsPerFrame = 16;
  int32_t mScanLineFailCount = 0;
  std::unique_ptr<int32_t[]> mRedAddTable;
  std::unique_ptr<int32_t[]> mGreenAddTable;
  std::unique_ptr<int32_t[]> mBlueAddTable;
  bool mInitialized = false;
  HWND mHWnd = nullptr;
  bool mIsWindowed = true;
  DDImage* mScreenImage = nullptr;  // owned
  std::set<DDImage*> mDDImageSet;
  bool mVideoOnlyDraw = false;
  int32_t mInitCount = 0;
  std::string mErrorString;

  // Software cursor: a 64 x 64 box centred on the mouse.
  int32_t mCursorWidth = 64;
  int32_t mCursorHeight = 64;
  std::atomic<int32_t> mCursorX{0};
  std::atomic<int32_t> mCursorY{0};
  int32_t mCursorDrawnX = 0;
  int32_t mCursorDrawnY = 0;
  Image* mCursorImage = nullptr;  // not owned
  bool mHasOldCursorArea = false;
  IDirectDrawSurface* mOldCursorArea = nullptr;
  IDirectDrawSurface* mNewCursorArea = nullptr;
  DDImage* mOldCursorAreaImage = nullptr;  // owned
  DDImage* mNewCursorAreaImage = nullptr;  // owned

  explicit DDInterface(DisplayHost* app);
  virtual ~DDInterface();
  DDInterface(const DDInterface&) = delete;
  DDInterface& operator=(const DDInterface&) = delete;

  // 0 (RESULT_OK) on success, else one of the result codes with
  // mErrorString naming the failing step.
  int Init(HWND hwnd, bool isWindowed);
  void Cleanup();
  // Shows the frame (or the given part of it); false with mErrorString set
  // when the present failed or before a successful Init.
  bool Redraw(const Rect* rect = nullptr);
  // Main thread, once per loop step: shows what the cursor thread composed
  // into the visible surface since the last frame. Cheap when nothing did.
  bool PresentPending();
  DDImage* GetScreenImage() { return mScreenImage; }
  void SetVideoOnlyDraw(bool videoOnly);
  void SetDrawToVideoMemory(bool on) { SetVideoOnlyDraw(on); }

  void AddDDImage(DDImage* image);
  void RemoveDDImage(DDImage* image);
  void ReleaseImageTexture(MemoryImage* image);

  static std::string ResultToString(int result);
  // False for a success code; otherwise records "step: name" and is true.
  bool CheckDXError(HRESULT hr, const char* step);
  HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface** out);
  void ClearSurface(IDirectDrawSurface* surface);
  bool RunTest3D(HWND hwnd);

  // Software cursor.
  bool SetCursorImage(Image* image);
  void SetCursorPos(int32_t x, int32_t y);
  void DrawCursorTo(IDirectDrawSurface* surface, bool screenCoordinates);
  void MoveCursorOnScreen(IDirectDrawSurface* surface, int32_t x, int32_t y);
  void RestoreCursorArea(IDirectDrawSurface* surface);

  // The saturation table of a channel: 2 * max + 1 entries of min(i, max).
  const int32_t* AddTable(int channel) const;

private:
  struct CursorBox {
    Rect box;   // on the surface
    Rect area;  // the matching part of the 64 x 64 area surfaces
  };
  CursorBox CursorBoxAt(int32_t cx, int32_t cy, const Rect& clip, POINT offset) const;
  POINT WindowOrigin() const;
  void DrawCursorImageTo(DDImage* image, int32_t x, int32_t y);
  HRESULT BltRect(IDirectDrawSurface* dest, const Rect& destRect, IDirectDrawSurface* src, const Rect& srcRect);
  bool SaveUnderCursor(IDirectDrawSurface* surface, CursorBox& at, IDirectDrawSurface* area);
  HRESULT PresentFrameRect(const RECT& dest, const RECT& src, DDBLTFX* fx);
  // The draw surface of the screen image and the primary surface's clipper;
  // `mode` ("FullScreen" or "Windowed") names the step in the error text.
  int CreateDrawSurfaceAndClipper(HWND hwnd, const char* mode);

  DirectDrawCreateFunc mDirectDrawCreate = nullptr;
  DirectDrawCreateExFunc mDirectDrawCreateEx = nullptr;
};

}  // namespace Plix
