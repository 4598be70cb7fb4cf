#include "framework/graphics/DDInterface.h"

#include <algorithm>

#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/D3DTester.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/Clock.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/SdlWindow.h"
#include "framework/util/Debug.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

DDBLTFX ZeroFx() {
  DDBLTFX fx;
  fx.dwSize = kDDBltFxSize;
  return fx;
}

RECT ToRECT(const Rect& r) { return RECT{r.mX, r.mY, r.mX + r.mWidth, r.mY + r.mHeight}; }

std::unique_ptr<int32_t[]> MakeAddTable(int bits) {
  const int32_t max = (1 << bits) - 1;
  std::unique_ptr<int32_t[]> table(new int32_t[2 * max + 1]);
  for (int32_t i = 0; i <= 2 * max; ++i) table[i] = std::min(i, max);
  return table;
}

}  // namespace

Ratio MakeRatio(int32_t numerator, int32_t denominator) {
  Ratio r;
  r.Set(numerator, denominator);
  return r;
}

bool RatioDiffers(const Ratio& a, const Ratio& b) {
  if (a.mDenominator == 0 || b.mDenominator == 0) return a.mNumerator != b.mNumerator;
  return b.mNumerator * a.mDenominator / b.mDenominator < a.mNumerator ||
         b.mNumerator < a.mNumerator * b.mDenominator / a.mDenominator;
}

DDInterface::DDInterface(DisplayHost* app)
    : mApp(app), mD3DInterface(std::make_unique<D3DInterface>(this)) {
  mDirectDrawCreate = GetDirectDrawCreate();
  mDirectDrawCreateEx = GetDirectDrawCreateEx();
}

DDInterface::~DDInterface() {
  mRedAddTable.reset();
  mGreenAddTable.reset();
  mBlueAddTable.reset();
  Cleanup();
  mD3DInterface.reset();
  mD3DTester.reset();
  AutoCrit lock(mCritSect);
  mDDImageSet.clear();
}

std::string DDInterface::ResultToString(int result) {
  switch (result) {
    case RESULT_OK: return "RESULT_OK";
    case RESULT_FAIL: return "RESULT_FAIL";
    case RESULT_DD_CREATE_FAIL: return "RESULT_DD_CREATE_FAIL";
    case RESULT_SURFACE_FAIL: return "RESULT_SURFACE_FAIL";
    case RESULT_EXCLUSIVE_FAIL: return "RESULT_EXCLUSIVE_FAIL";
    case RESULT_DISPCHANGE_FAIL: return "RESULT_DISPCHANGE_FAIL";
    case RESULT_INVALID_COLORDEPTH: return "RESULT_INVALID_COLORDEPTH";
    default: return "RESULT_UNKNOWN";
  }
}

bool DDInterface::CheckDXError(HRESULT hr, const char* step) {
  if (SUCCEEDED(hr)) return false;
  mErrorString = StrFormat("%s: %s", step, GetDirectXErrorString(hr).c_str());
  return true;
}

void DDInterface::AddDDImage(DDImage* image) {
  AutoCrit lock(mCritSect);
  mDDImageSet.insert(image);
}

void DDInterface::RemoveDDImage(DDImage* image) {
  AutoCrit lock(mCritSect);
  mDDImageSet.erase(image);
}

void DDInterface::ReleaseImageTexture(MemoryImage* image) {
  if (mD3DInterface) mD3DInterface->ReleaseImageTexture(image);
}

const int32_t* DDInterface::AddTable(int channel) const {
  switch (channel) {
    case 0: return mRedAddTable.get();
    case 1: return mGreenAddTable.get();
    default: return mBlueAddTable.get();
  }
}

HRESULT DDInterface::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface** out) {
  HRESULT hr;
  if (mDD7) {
    IDirectDrawSurface7* surface7 = nullptr;
    hr = mDD7->CreateSurface(desc, &surface7, nullptr);
    if (FAILED(hr)) return hr;
    hr = surface7->QueryInterface(IID_IDirectDrawSurface, reinterpret_cast<void**>(out));
    surface7->Release();
    if (FAILED(hr)) return hr;
  } else {
    if (!mDD) return DDERR_NOTINITIALIZED;
    DDSURFACEDESC old;
    old.dwSize = kDDSurfaceDescSize;
    old.dwFlags = desc->dwFlags;
    old.dwHeight = desc->dwHeight;
    old.dwWidth = desc->dwWidth;
    old.lPitch = desc->lPitch;
    old.dwBackBufferCount = desc->dwBackBufferCount;
    old.ddpfPixelFormat = desc->ddpfPixelFormat;
    old.ddsCaps.dwCaps = desc->ddsCaps.dwCaps;
    hr = mDD->CreateSurface(&old, out, nullptr);
    if (FAILED(hr)) return hr;
  }
  // The display works in 16 or 32 bits only.
  IDirectDrawSurface* primary = mPrimarySurface ? mPrimarySurface : *out;
  DDSURFACEDESC check;
  check.dwSize = kDDSurfaceDescSize;
  check.dwFlags = DDSD_PIXELFORMAT;
  primary->GetSurfaceDesc(&check);
  DWORD bits = check.ddpfPixelFormat.dwRGBBitCount;
  if (bits != 16 && bits != 32) {
    (*out)->Release();
    *out = nullptr;
    return DDERR_INVALIDPIXELFORMAT;
  }
  return hr;
}

void DDInterface::ClearSurface(IDirectDrawSurface* surface) {
  if (!surface) return;
  DDSURFACEDESC desc;
  desc.dwSize = kDDSurfaceDescSize;
  if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr))) return;
  auto* row = static_cast<uint8_t*>(desc.lpSurface);
  const size_t bytes = static_cast<size_t>(desc.dwWidth) * (desc.ddpfPixelFormat.dwRGBBitCount / 8);
  for (DWORD y = 0; y < desc.dwHeight; ++y, row += desc.lPitch) std::fill(row, row + bytes, 0);
  surface->Unlock(nullptr);
}

int DDInterface::CreateDrawSurfaceAndClipper(HWND hwnd, const char* mode) {
  DDSURFACEDESC2 desc{};
  desc.dwSize = kDDSurfaceDesc2Size;
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.dwWidth = static_cast<DWORD>(mWidth);
  desc.dwHeight = static_cast<DWORD>(mHeight);
  desc.ddsCaps.dwCaps = mIs3D ? DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY
                              : DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  HRESULT hr = CreateSurface(&desc, &mDrawSurface);
  if (CheckDXError(hr, StrFormat("CreateSurface %s DrawSurface", mode).c_str())) return RESULT_SURFACE_FAIL;

  IDirectDrawClipper* clipper = nullptr;
  hr = mDD->CreateClipper(0, &clipper, nullptr);
  if (CheckDXError(hr, StrFormat("CreateClipper %s", mode).c_str())) return RESULT_FAIL;
  if (SUCCEEDED(clipper->SetHWnd(0, hwnd))) mPrimarySurface->SetClipper(clipper);
  clipper->Release();
  return RESULT_OK;
}

bool DDInterface::RunTest3D(HWND hwnd) {
  DisplaySettings settings = mApp->GetDisplaySettings();
  if (mD3DTester || (!settings.use3DWhenRecommended && !settings.run3DTest)) return false;
  mD3DTester = std::make_unique<D3DTester>(mApp);
  mD3DTester->SetVidMemoryConstraints(settings.minVideoMemoryMB, settings.recommendedVideoMemoryMB);
  mD3DTester->TestD3D(hwnd, mDD7);
  const bool failed = !mD3DTester->mFailureReason.empty();
  const bool warned = !mD3DTester->mWarning.empty();
  if (settings.use3DWhenRecommended && !failed && !warned) mIs3D = true;
  if (failed) mIs3D = false;
  if (mD3DTester->mResultFresh && (failed || warned)) mIs3D = false;
  return true;
}

int DDInterface::Init(HWND hwnd, bool isWindowed) {
  AutoCrit lock(mCritSect);
  mInitialized = false;
  Cleanup();

  HRESULT createResult = DD_OK;
  if (mDirectDrawCreateEx) {
    HRESULT hr = mDirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&mDD7), IID_IDirectDraw7, nullptr);
    if (CheckDXError(hr, "DirectDrawCreateEx")) return RESULT_DD_CREATE_FAIL;
    hr = mDD7->QueryInterface(IID_IDirectDraw, reinterpret_cast<void**>(&mDD));
    if (CheckDXError(hr, "QueryrInterface IID_IDirectDraw")) return RESULT_DD_CREATE_FAIL;
  } else {
    createResult = mDirectDrawCreate(nullptr, &mDD, nullptr);
  }

  if (RunTest3D(hwnd) && mD3DTester->mResultFresh) mApp->Test3DDone();

  const DisplaySettings settings = mApp->GetDisplaySettings();
  mHWnd = hwnd;
  mWidth = settings.screenWidth;
  mHeight = settings.screenHeight;
  mAspect = MakeRatio(mWidth, mHeight);
  mDesktopWidth = GetSystemMetrics(SM_CXSCREEN);
  mDesktopHeight = GetSystemMetrics(SM_CYSCREEN);
  mDesktopAspect = MakeRatio(mDesktopWidth, mDesktopHeight);

  mDisplayWidth = mWidth;
  mDisplayHeight = mHeight;
  mDisplayAspect = mAspect;
  mPresentationRect = Rect(0, 0, mWidth, mHeight);
  mApp->SetScreenRect(Rect(0, 0, mWidth, mHeight));
  mFullscreenBits = settings.fullScreenBits;
  mIsWindowed = isWindowed;
  mHasOldCursorArea = false;
  OutputDebugStringA(StrFormat("Application requests %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mWidth),
                               static_cast<unsigned long>(mHeight), mAspect.mNumerator, mAspect.mDenominator));

  if (!mDirectDrawCreateEx && CheckDXError(createResult, "DirectDrawCreate")) return RESULT_DD_CREATE_FAIL;

  DDSURFACEDESC2 desc;
  if (!isWindowed) {
    OutputDebugStringA(StrFormat("Desktop is           %4lu x %4lu [%2d:%2d]\n",
                                 static_cast<unsigned long>(mDesktopWidth), static_cast<unsigned long>(mDesktopHeight),
                                 mDesktopAspect.mNumerator, mDesktopAspect.mDenominator));
    if (mIs3D && RatioDiffers(mDesktopAspect, mAspect)) {
      mDisplayWidth = mDesktopWidth;
      mDisplayHeight = mDesktopHeight;
      mDisplayAspect = mDesktopAspect;
      mIsAspectCorrected = true;
      if (settings.adaptWidth) {
        mAspect = mDesktopAspect;
        mWidth = mDesktopAspect.mNumerator * mHeight / mDesktopAspect.mDenominator;
        mPresentationRect = Rect(0, 0, mDesktopWidth, mDesktopHeight);
      } else {
        mPresentationRect.mWidth = mWidth * mDesktopHeight / mHeight;
        mPresentationRect.mHeight = mDesktopHeight;
        mPresentationRect.mX = (mDesktopWidth - mPresentationRect.mWidth) / 2;
        mPresentationRect.mY = 0;
      }
    }
    OutputDebugStringA(StrFormat("Display is           %4lu x %4lu [%2d:%2d]\n",
                                 static_cast<unsigned long>(mDisplayWidth), static_cast<unsigned long>(mDisplayHeight),
                                 mDisplayAspect.mNumerator, mDisplayAspect.mDenominator));

    HRESULT hr = mDD->SetCooperativeLevel(hwnd, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    if (CheckDXError(hr, "SetCooperativeLevel FullScreen")) return RESULT_EXCLUSIVE_FAIL;
    hr = mDD->SetDisplayMode(static_cast<DWORD>(mDisplayWidth), static_cast<DWORD>(mDisplayHeight),
                             static_cast<DWORD>(mFullscreenBits));
    if (CheckDXError(hr, "SetDisplayMode FullScreen")) return RESULT_DISPCHANGE_FAIL;

    desc = DDSURFACEDESC2();
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (mIs3D) desc.ddsCaps.dwCaps |= DDSCAPS_3DDEVICE;
    hr = CreateSurface(&desc, &mPrimarySurface);
    if (CheckDXError(hr, "CreateSurface FullScreen Primary")) return RESULT_SURFACE_FAIL;

    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    hr = mPrimarySurface->GetAttachedSurface(&caps, &mSecondarySurface);
    if (CheckDXError(hr, "GetAttachedSurface")) return RESULT_SURFACE_FAIL;
    if (mIsAspectCorrected) {
      ClearSurface(mPrimarySurface);
      ClearSurface(mSecondarySurface);
    }

    if (int result = CreateDrawSurfaceAndClipper(hwnd, "FullScreen"); result != RESULT_OK) return result;

    if (!settings.allowPageFlip) mDD->FlipToGDISurface();
  } else {
    Ratio forced = MakeRatio(settings.forcedAspectNumerator, settings.forcedAspectDenominator);
    OutputDebugStringA(StrFormat("Hack aspect is                   [%2d:%2d]\n", forced.mNumerator,
                                 forced.mDenominator));
    if (settings.forceWindowAspect && RatioDiffers(forced, mAspect)) {
      mIsAspectCorrected = true;
      mDisplayWidth = forced.mNumerator * mHeight / forced.mDenominator;
      mDisplayHeight = mHeight;
      mDisplayAspect = forced;
      // Grow the window around its client area; our windows have no frame.
      if (SdlWindow* window = SdlWindow::FromHandle(hwnd)) {
        POINT origin = window->ClientToScreen(POINT{0, 0});
        int32_t left = std::max<int32_t>(origin.x - (mDisplayWidth - mWidth) / 2, 0);
        int32_t top = std::max<int32_t>(origin.y - (mDisplayHeight - mHeight) / 2, 0);
        window->SetClientSize(mDisplayWidth, mDisplayHeight);
        window->Move(left, top);
      }
      if (settings.adaptWidth) {
        mWidth = mDisplayWidth;
        mHeight = mDisplayHeight;
        mAspect = mDisplayAspect;
        mPresentationRect = Rect(0, 0, mDisplayWidth, mDisplayHeight);
      } else {
        mPresentationRect = Rect((mDisplayWidth - mWidth) / 2, 0, mWidth, mHeight);
      }
    }
    OutputDebugStringA(StrFormat("Window is            %4lu x %4lu [%2d:%2d]\n",
                                 static_cast<unsigned long>(mDisplayWidth), static_cast<unsigned long>(mDisplayHeight),
                                 mDisplayAspect.mNumerator, mDisplayAspect.mDenominator));
    mDD->SetCooperativeLevel(hwnd, DDSCL_NORMAL);

    desc = DDSURFACEDESC2();
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (mIs3D) desc.ddsCaps.dwCaps |= DDSCAPS_3DDEVICE;
    HRESULT hr = CreateSurface(&desc, &mPrimarySurface);
    if (hr == DDERR_INVALIDPIXELFORMAT) return RESULT_INVALID_COLORDEPTH;
    if (CheckDXError(hr, "CreateSurface Windowed Primary")) return RESULT_SURFACE_FAIL;

    if (int result = CreateDrawSurfaceAndClipper(hwnd, "Windowed"); result != RESULT_OK) return result;
  }
  OutputDebugStringA(StrFormat("Draw buffer is       %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mWidth),
                               static_cast<unsigned long>(mHeight), mAspect.mNumerator, mAspect.mDenominator));

  DWORD frequency = 0;
  HRESULT freqResult = mDD->GetMonitorFrequency(&frequency);
  mRefreshRate = static_cast<int32_t>(frequency);
  if (FAILED(freqResult) || mRefreshRate < 60) {
    mRefreshRate = 60;
    mApp->SetRefreshPacingFailed();
  } else if (mRefreshRate > 100) {
    mRefreshRate = 100;
    mApp->SetRefreshPacingFailed();
  }
  mMillisecondsPerFrame = 1000 / mRefreshRate;

  const char* areaSteps[2] = {"CreateSurface OldCursorArea", "CreateSurface NewCursorArea"};
  IDirectDrawSurface** areas[2] = {&mOldCursorArea, &mNewCursorArea};
  DDImage** areaImages[2] = {&mOldCursorAreaImage, &mNewCursorAreaImage};
  for (int i = 0; i < 2; ++i) {
    desc = DDSURFACEDESC2();
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<DWORD>(mCursorWidth);
    desc.dwHeight = static_cast<DWORD>(mCursorHeight);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    HRESULT hr = CreateSurface(&desc, areas[i]);
    if (CheckDXError(hr, areaSteps[i])) return RESULT_SURFACE_FAIL;
    *areaImages[i] = new DDImage(this);
    (*areaImages[i])->SetSurface(*areas[i]);
    (*areaImages[i])->SetImageMode(false, false);
  }

  DDSURFACEDESC format;
  format.dwSize = kDDSurfaceDescSize;
  format.dwFlags = DDSD_PIXELFORMAT | DDSD_WIDTH | DDSD_HEIGHT;
  mPrimarySurface->GetSurfaceDesc(&format);
  const DDPIXELFORMAT& pf = format.ddpfPixelFormat;
  if (pf.dwRGBBitCount != 16 && pf.dwRGBBitCount != 32) return RESULT_INVALID_COLORDEPTH;
  SetPixelFormat(static_cast<int32_t>(pf.dwRGBBitCount), pf.dwRBitMask, pf.dwGBitMask, pf.dwBBitMask);
  mRedAddTable = MakeAddTable(mRedBits);
  mGreenAddTable = MakeAddTable(mGreenBits);
  mBlueAddTable = MakeAddTable(mBlueBits);

  SetVideoOnlyDraw(mVideoOnlyDraw);

  if (mIs3D && !mD3DInterface->Init(this)) {
    mErrorString = "3D init error: " + mD3DInterface->mErrorText;
    return RESULT_3D_FAIL;
  }
  ++mInitCount;
  mInitialized = true;
  return RESULT_OK;
}

void DDInterface::SetVideoOnlyDraw(bool videoOnly) {
  AutoCrit lock(mCritSect);
  mVideoOnlyDraw = videoOnly;
  if (!mSecondarySurface) {
    DDSURFACEDESC2 desc;
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(mWidth);
    desc.dwHeight = static_cast<DWORD>(mHeight);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
    if (FAILED(CreateSurface(&desc, &mSecondarySurface))) mVideoOnlyDraw = false;
  }
  delete mScreenImage;
  mScreenImage = new DDImage(this);
  mScreenImage->SetSurface(mVideoOnlyDraw ? mSecondarySurface : mDrawSurface);
  mScreenImage->mVideoMemory = mVideoOnlyDraw;
  mScreenImage->mWantVideoMemory = mVideoOnlyDraw;
  mScreenImage->SetImageMode(false, false);
}

void DDInterface::Cleanup() {
  AutoCrit lock(mCritSect);
  mInitialized = false;
  if (mD3DInterface) mD3DInterface->Cleanup();
  delete mOldCursorAreaImage;
  mOldCursorAreaImage = nullptr;
  delete mNewCursorAreaImage;
  mNewCursorAreaImage = nullptr;
  for (IDirectDrawSurface** s : {&mOldCursorArea, &mNewCursorArea}) {
    if (*s) (*s)->Release();
    *s = nullptr;
  }
  delete mScreenImage;
  mScreenImage = nullptr;
  for (IDirectDrawSurface** s : {&mDrawSurface, &mSecondarySurface, &mPrimarySurface}) {
    if (*s) (*s)->Release();
    *s = nullptr;
  }
  if (mDD) {
    mDD->SetCooperativeLevel(mHWnd, DDSCL_NORMAL);
    mDD->Release();
    mDD = nullptr;
  }
  if (mDD7) {
    mDD7->Release();
    mDD7 = nullptr;
  }
  mIsAspectCorrected = false;
}

POINT DDInterface::WindowOrigin() const {
  POINT origin{0, 0};
  ClientToScreen(mHWnd, &origin);
  return origin;
}

HRESULT DDInterface::PresentFrameRect(const RECT& dest, const RECT& src, DDBLTFX* fx) {
  RECT d = dest, s = src;
  return mPrimarySurface->Blt(&d, mDrawSurface, &s, DDBLT_WAIT | (fx->dwDDFX ? DDBLT_DDFX : 0), fx);
}

bool DDInterface::Redraw(const Rect* rect) {
  AutoCrit lock(mCritSect);
  if (!mInitialized) return false;
  mInRedraw = true;
  if (mIs3D) {
    if (mD3DInterface->HasError()) {
      mInRedraw = false;
      mIs3D = false;
      return false;
    }
    mD3DInterface->Flush();
  }
  const DisplaySettings settings = mApp->GetDisplaySettings();
  RECT src, dest;
  if (!rect || mIsAspectCorrected) {
    dest = ToRECT(mPresentationRect);
    src = RECT{0, 0, mWidth, mHeight};
  } else {
    src = dest = ToRECT(*rect);
  }
  DDBLTFX fx = ZeroFx();
  if (mIsAspectCorrected) fx.dwDDFX = DDBLTFX_ARITHSTRETCHY;
  const POINT origin = WindowOrigin();
  dest.left += origin.x;
  dest.right += origin.x;
  dest.top += origin.y;
  dest.bottom += origin.y;

  DDSURFACEDESC probe;
  probe.dwSize = kDDSurfaceDescSize;
  if (SUCCEEDED(mDrawSurface->Lock(nullptr, &probe, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) {
    mDrawSurface->Unlock(nullptr);
  }

  const bool vsync = settings.waitForVSync && !settings.refreshWaitBySleep;
  HRESULT hr = DD_OK;
  const char* step = "Redraw Windowed";
  if (mIsWindowed && !mVideoOnlyDraw) {
    mCursorDrawnX = mCursorX;
    mCursorDrawnY = mCursorY;
    DrawCursorTo(mDrawSurface, false);
    bool presented = false;
    if (vsync && mScanLineFailCount < 3) {
      // Present the halves behind the beam; a device that does not report
      // its scan line counts as a failure and falls back to a plain blit.
      const int32_t half = settings.screenHeight / 2;
      const LONG middle = dest.top + half;
      const LONG bottom = dest.top + mHeight;
      bool sawAbove = false, waited = false;
      DWORD line = 0;
      const uint32_t start = GetTickCount();
      while (GetTickCount() - start < 200) {
        HRESULT scan = mDD->GetScanLine(&line);
        if (scan == DDERR_VERTICALBLANKINPROGRESS || (SUCCEEDED(scan) && (static_cast<LONG>(line) >= middle ||
                                                                          static_cast<int32_t>(line) >= mDesktopHeight))) {
          if (sawAbove) {
            waited = true;
            break;
          }
        } else if (SUCCEEDED(scan)) {
          sawAbove = true;
        } else {
          break;
        }
      }
      if (waited) {
        mScanLineFailCount = 0;
        RECT topDest{dest.left, dest.top, dest.right, middle}, topSrc{src.left, src.top, src.right, half};
        hr = PresentFrameRect(topDest, topSrc, &fx);
        const DWORD seen = line;
        for (;;) {
          if (SUCCEEDED(mDD->GetScanLine(&line)) && (line < seen || static_cast<LONG>(line) >= bottom)) break;
          if (GetTickCount() - start > 400) break;
        }
        RECT bottomDest{dest.left, middle, dest.right, bottom}, bottomSrc{src.left, half, src.right, src.bottom};
        hr = PresentFrameRect(bottomDest, bottomSrc, &fx);
        presented = true;
      } else {
        ++mScanLineFailCount;
      }
    }
    if (!presented) {
      if (vsync) mDD->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
      hr = PresentFrameRect(dest, src, &fx);
    }
    if (mHasOldCursorArea) RestoreCursorArea(mDrawSurface);
  } else if (mIsWindowed) {
    if (vsync) mDD->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    mCursorDrawnX = mCursorX;
    mCursorDrawnY = mCursorY;
    DrawCursorTo(mSecondarySurface, true);
    hr = mPrimarySurface->Blt(&dest, mSecondarySurface, &src, DDBLT_WAIT, &fx);
  } else if (settings.allowPageFlip && !mApp->IsMessageBoxOpen()) {
    if (!mVideoOnlyDraw) hr = mSecondarySurface->Blt(&dest, mDrawSurface, &src, DDBLT_WAIT, &fx);
    mCursorDrawnX = mCursorX;
    mCursorDrawnY = mCursorY;
    DrawCursorTo(mSecondarySurface, true);
    hr = mPrimarySurface->Flip(nullptr, DDFLIP_WAIT);
    step = "Redraw FullScreen Flip";
  } else {
    hr = PresentFrameRect(dest, src, &fx);
    step = "Redraw FullScreen Blt";
  }
  mInRedraw = false;
  const bool ok = !CheckDXError(hr, step);
  // Only the main thread presents; it is the one that redraws.
  EmulatedDisplay::Get().Present();
  return ok;
}

bool DDInterface::PresentPending() {
  AutoCrit lock(mCritSect);
  return mInitialized && EmulatedDisplay::Get().Present();
}

// ------------------------------------------------------------ software cursor

bool DDInterface::SetCursorImage(Image* image) {
  AutoCrit lock(mCritSect);
  const bool changed = mCursorImage != image;
  mCursorImage = image;
  return changed;
}

void DDInterface::SetCursorPos(int32_t x, int32_t y) {
  mCursorX = x;
  mCursorY = y;
  if (mInRedraw) return;
  AutoCrit lock(mCritSect);
  if (!mHasOldCursorArea) {
    mCursorDrawnX = x;
    mCursorDrawnY = y;
    DrawCursorTo(mPrimarySurface, true);
  } else {
    MoveCursorOnScreen(mPrimarySurface, x, y);
  }
}

DDInterface::CursorBox DDInterface::CursorBoxAt(int32_t cx, int32_t cy, const Rect& clip, POINT offset) const {
  Rect whole(cx - mCursorWidth / 2, cy - mCursorHeight / 2, mCursorWidth, mCursorHeight);
  CursorBox at;
  at.box = whole.Intersection(clip);
  at.area = Rect(at.box.mX - whole.mX, at.box.mY - whole.mY, at.box.mWidth, at.box.mHeight);
  at.box.mX += offset.x;
  at.box.mY += offset.y;
  return at;
}

HRESULT DDInterface::BltRect(IDirectDrawSurface* dest, const Rect& destRect, IDirectDrawSurface* src,
                             const Rect& srcRect) {
  if (destRect.mWidth <= 0 || destRect.mHeight <= 0) return DDERR_INVALIDRECT;
  RECT d = ToRECT(destRect), s = ToRECT(srcRect);
  DDBLTFX fx = ZeroFx();
  return dest->Blt(&d, src, &s, DDBLT_WAIT, &fx);
}

bool DDInterface::SaveUnderCursor(IDirectDrawSurface* surface, CursorBox& at, IDirectDrawSurface* area) {
  if (SUCCEEDED(BltRect(area, at.area, surface, at.box))) return true;
  // Partly off the primary (a window across the desktop's edge): clip to
  // the primary and try once more.
  DDSURFACEDESC desc;
  desc.dwSize = kDDSurfaceDescSize;
  desc.dwFlags = DDSD_PIXELFORMAT | DDSD_WIDTH | DDSD_HEIGHT;
  mPrimarySurface->GetSurfaceDesc(&desc);
  Rect clipped = at.box.Intersection(Rect(0, 0, static_cast<int32_t>(desc.dwWidth), static_cast<int32_t>(desc.dwHeight)));
  at.area.mX += clipped.mX - at.box.mX;
  at.area.mY += clipped.mY - at.box.mY;
  at.area.mWidth = clipped.mWidth;
  at.area.mHeight = clipped.mHeight;
  at.box = clipped;
  return SUCCEEDED(BltRect(area, at.area, surface, at.box));
}

void DDInterface::DrawCursorImageTo(DDImage* image, int32_t x, int32_t y) {
  if (!image) return;
  Graphics g(image);
  g.DrawImage(mCursorImage, x, y);
}

void DDInterface::DrawCursorTo(IDirectDrawSurface* surface, bool screenCoordinates) {
  if (!mCursorImage || !mPrimarySurface || !surface) {
    mHasOldCursorArea = false;
    return;
  }
  const POINT offset = screenCoordinates ? WindowOrigin() : POINT{0, 0};
  CursorBox at = CursorBoxAt(mCursorDrawnX, mCursorDrawnY, mPresentationRect, offset);
  mHasOldCursorArea = SaveUnderCursor(surface, at, mOldCursorArea);
  const int32_t imageX = (mCursorWidth - mCursorImage->GetWidth()) / 2;
  const int32_t imageY = (mCursorHeight - mCursorImage->GetHeight()) / 2;
  if (surface == mDrawSurface && !mIs3D) {
    DrawCursorImageTo(mScreenImage, mCursorDrawnX - mCursorWidth / 2 + imageX,
                      mCursorDrawnY - mCursorHeight / 2 + imageY);
  } else {
    BltRect(mNewCursorArea, at.area, mOldCursorArea, at.area);
    DrawCursorImageTo(mNewCursorAreaImage, imageX, imageY);
    BltRect(surface, at.box, mNewCursorArea, at.area);
  }
}

void DDInterface::MoveCursorOnScreen(IDirectDrawSurface* surface, int32_t x, int32_t y) {
  if (!mCursorImage || !mPrimarySurface || !surface) {
    mHasOldCursorArea = false;
    return;
  }
  const POINT offset = WindowOrigin();
  CursorBox oldAt = CursorBoxAt(mCursorDrawnX, mCursorDrawnY, mPresentationRect, offset);
  CursorBox newAt = CursorBoxAt(x, y, mPresentationRect, offset);
  SaveUnderCursor(surface, newAt, mNewCursorArea);

  const int32_t imageX = (mCursorWidth - mCursorImage->GetWidth()) / 2;
  const int32_t imageY = (mCursorHeight - mCursorImage->GetHeight()) / 2;
  const int32_t dx = mCursorDrawnX - x, dy = mCursorDrawnY - y;
  Rect overlap = Rect(dx, dy, mCursorWidth, mCursorHeight).Intersection(Rect(0, 0, mCursorWidth, mCursorHeight));
  if (overlap.mWidth > 0 && overlap.mHeight > 0) {
    // The grab still shows the old cursor where the boxes overlap: take the
    // clean background from the old area instead.
    BltRect(mNewCursorArea, overlap, mOldCursorArea,
            Rect(overlap.mX - dx, overlap.mY - dy, overlap.mWidth, overlap.mHeight));
    DrawCursorImageTo(mOldCursorAreaImage, imageX - dx, imageY - dy);
  }
  BltRect(surface, oldAt.box, mOldCursorArea, oldAt.area);
  BltRect(mOldCursorArea, Rect(0, 0, mCursorWidth, mCursorHeight), mNewCursorArea,
          Rect(0, 0, mCursorWidth, mCursorHeight));
  DrawCursorImageTo(mNewCursorAreaImage, imageX, imageY);
  BltRect(surface, newAt.box, mNewCursorArea, newAt.area);
  mCursorDrawnX = x;
  mCursorDrawnY = y;
}

void DDInterface::RestoreCursorArea(IDirectDrawSurface* surface) {
  if (!mHasOldCursorArea || !mPrimarySurface) return;
  CursorBox at = CursorBoxAt(mCursorDrawnX, mCursorDrawnY, Rect(0, 0, mWidth, mHeight), POINT{0, 0});
  BltRect(surface, at.box, mOldCursorArea, at.area);
}

}  // namespace Plix
