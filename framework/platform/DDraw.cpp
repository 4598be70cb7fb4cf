#include "framework/platform/DDraw.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/platform/Clock.h"
#include "framework/platform/Direct3D.h"
#include "framework/platform/SdlWindow.h"

namespace Plix {

namespace {

DDPIXELFORMAT MakeFormat(DWORD flags, DWORD bits, DWORD r, DWORD g, DWORD b, DWORD a) {
  DDPIXELFORMAT f;
  f.dwFlags = flags;
  f.dwRGBBitCount = bits;
  f.dwRBitMask = r;
  f.dwGBitMask = g;
  f.dwBBitMask = b;
  f.dwRGBAlphaBitMask = a;
  return f;
}

bool ValidRect(const RECT& r) { return r.left < r.right && r.top < r.bottom; }

bool Inside(const RECT& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}

uint32_t ReadPixel(const uint8_t* p, int bytes) {
  switch (bytes) {
    case 1: return p[0];
    case 2: { uint16_t v; std::memcpy(&v, p, 2); return v; }
    case 3: return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
    default: { uint32_t v; std::memcpy(&v, p, 4); return v; }
  }
}

void WritePixel(uint8_t* p, int bytes, uint32_t v) {
  switch (bytes) {
    case 1: p[0] = static_cast<uint8_t>(v); break;
    case 2: { uint16_t w = static_cast<uint16_t>(v); std::memcpy(p, &w, 2); break; }
    case 3: p[0] = static_cast<uint8_t>(v); p[1] = static_cast<uint8_t>(v >> 8); p[2] = static_cast<uint8_t>(v >> 16); break;
    default: std::memcpy(p, &v, 4); break;
  }
}

}  // namespace

DDPIXELFORMAT PixelFormatX8R8G8B8() { return MakeFormat(DDPF_RGB, 32, 0xFF0000, 0xFF00, 0xFF, 0); }
DDPIXELFORMAT PixelFormatA8R8G8B8() {
  return MakeFormat(DDPF_RGB | DDPF_ALPHAPIXELS, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000u);
}
DDPIXELFORMAT PixelFormatR5G6B5() { return MakeFormat(DDPF_RGB, 16, 0xF800, 0x07E0, 0x001F, 0); }
DDPIXELFORMAT PixelFormatX1R5G5B5() { return MakeFormat(DDPF_RGB, 16, 0x7C00, 0x03E0, 0x001F, 0); }
DDPIXELFORMAT PixelFormatA4R4G4B4() {
  return MakeFormat(DDPF_RGB | DDPF_ALPHAPIXELS, 16, 0x0F00, 0x00F0, 0x000F, 0xF000);
}
DDPIXELFORMAT PixelFormatR8G8B8() { return MakeFormat(DDPF_RGB, 24, 0xFF0000, 0xFF00, 0xFF, 0); }
DDPIXELFORMAT PixelFormatP8() { return MakeFormat(DDPF_RGB | DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0); }

// ----------------------------------------------------------------- DDObject

uint32_t DDObject::Release() {
  uint32_t left = --mRefs;
  if (left == 0) delete this;
  return left;
}

// ---------------------------------------------------------- clipper, palette

HRESULT IDirectDrawClipper::SetHWnd(DWORD, HWND hwnd) {
  mHwnd = hwnd;
  return DD_OK;
}

HRESULT IDirectDrawClipper::GetHWnd(HWND* hwnd) {
  if (!hwnd) return DDERR_INVALIDPARAMS;
  *hwnd = mHwnd;
  return DD_OK;
}

IDirectDrawPalette::IDirectDrawPalette(const PALETTEENTRY* entries) {
  for (int i = 0; i < 256; ++i) mEntries[i] = entries ? entries[i] : PALETTEENTRY{};
}

HRESULT IDirectDrawPalette::GetEntries(DWORD, DWORD base, DWORD count, PALETTEENTRY* out) {
  if (!out || base > 256 || count > 256 - base) return DDERR_INVALIDPARAMS;
  std::copy(mEntries + base, mEntries + base + count, out);
  return DD_OK;
}

HRESULT IDirectDrawPalette::SetEntries(DWORD, DWORD base, DWORD count, const PALETTEENTRY* in) {
  if (!in || base > 256 || count > 256 - base) return DDERR_INVALIDPARAMS;
  std::copy(in, in + count, mEntries + base);
  return DD_OK;
}

// ------------------------------------------------------------------ surface

IDirectDrawSurface::IDirectDrawSurface(IDirectDraw* owner, int width, int height, const DDPIXELFORMAT& format,
                                       DWORD caps)
    : mOwner(owner), mWidth(width), mHeight(height), mFormat(format), mCaps(caps) {
  mOwner->AddRef();
  int rowBytes = width * BytesPerPixel();
  mPitch = ((rowBytes + 7) & ~7) + EmulatedDisplay::Get().Config().pitchPadding;
  mPixels.assign(static_cast<size_t>(mPitch) * static_cast<size_t>(height), 0);
  EmulatedDisplay& d = EmulatedDisplay::Get();
  std::lock_guard<std::recursive_mutex> registry(d.mRegistryLock);
  ++d.mLiveSurfaces;
  d.mSurfaces.push_back(this);
}

IDirectDrawSurface::~IDirectDrawSurface() {
  EmulatedDisplay& d = EmulatedDisplay::Get();
  std::lock_guard<std::recursive_mutex> registry(d.mRegistryLock);
  --d.mLiveSurfaces;
  d.mVideoUsed -= mVideoBytes;
  d.mSurfaces.erase(std::remove(d.mSurfaces.begin(), d.mSurfaces.end(), this), d.mSurfaces.end());
  if (d.mPrimary == this) d.mPrimary = nullptr;
  if (mBackBuffer) {
    mBackBuffer->mFront = nullptr;
    mBackBuffer->Release();
  }
  if (mPalette) mPalette->Release();
  if (mClipper) mClipper->Release();
  mOwner->Release();
}

HRESULT IDirectDrawSurface::QueryInterface(const IID& iid, void** out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (HRESULT hr = EmulatedDisplay::Get().Fault(DDOp::QueryInterface)) return hr;
  if (!(iid == IID_IDirectDrawSurface) && !(iid == IID_IDirectDrawSurface7)) return E_NOINTERFACE;
  AddRef();
  *out = this;
  return DD_OK;
}

template <class Desc>
void IDirectDrawSurface::Describe(Desc* desc) const {
  desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
  desc->dwWidth = static_cast<DWORD>(mWidth);
  desc->dwHeight = static_cast<DWORD>(mHeight);
  desc->lPitch = mPitch;
  desc->ddpfPixelFormat = mFormat;
  desc->ddsCaps.dwCaps = mCaps;
  desc->dwBackBufferCount = mBackBuffer ? 1 : 0;
  if (mBackBuffer) desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
  if (mHasSrcKey) {
    desc->dwFlags |= DDSD_CKSRCBLT;
    desc->ddckCKSrcBlt = mSrcKey;
  }
}

template <class Desc>
HRESULT IDirectDrawSurface::LockImpl(RECT* rect, Desc* desc, DWORD flags) {
  if (!desc) return DDERR_INVALIDPARAMS;
  if (HRESULT hr = EmulatedDisplay::Get().Fault(DDOp::Lock)) return hr;
  if (mLost) return DDERR_SURFACELOST;
  if (mLockCount > 0) return DDERR_SURFACEBUSY;
  RECT r{0, 0, mWidth, mHeight};
  if (rect) {
    if (!ValidRect(*rect) || !Inside(*rect, mWidth, mHeight)) return DDERR_INVALIDRECT;
    r = *rect;
  }
  Describe(desc);
  desc->dwFlags |= DDSD_LPSURFACE;
  desc->lpSurface = mPixels.data() + static_cast<size_t>(r.top) * mPitch + static_cast<size_t>(r.left) * BytesPerPixel();
  ++mLockCount;
  if (!(flags & DDLOCK_READONLY)) MarkChanged();
  return DD_OK;
}

HRESULT IDirectDrawSurface::Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE) {
  if (desc && desc->dwSize != kDDSurfaceDescSize) return DDERR_INVALIDPARAMS;
  return LockImpl(rect, desc, flags);
}

HRESULT IDirectDrawSurface::Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE) {
  if (desc && desc->dwSize != kDDSurfaceDesc2Size) return DDERR_INVALIDPARAMS;
  return LockImpl(rect, desc, flags);
}

HRESULT IDirectDrawSurface::Unlock(void*) {
  if (mLockCount == 0) return DDERR_NOTLOCKED;
  --mLockCount;
  return DD_OK;
}

void IDirectDrawSurface::MarkChanged() {
  EmulatedDisplay& d = EmulatedDisplay::Get();
  if (d.mPrimary == this) d.mPrimaryChanged = true;
}

HRESULT IDirectDrawSurface::Blt(RECT* destRect, IDirectDrawSurface* src, RECT* srcRect, DWORD flags, DDBLTFX* fx) {
  EmulatedDisplay& display = EmulatedDisplay::Get();
  if (HRESULT hr = display.Fault(DDOp::Blt)) return hr;
  if (fx && fx->dwSize != kDDBltFxSize) return DDERR_INVALIDPARAMS;
  if (mLost || (src && src->mLost)) return DDERR_SURFACELOST;
  if (mLockCount > 0 || (src && src->mLockCount > 0)) return DDERR_SURFACEBUSY;

  RECT d = destRect ? *destRect : RECT{0, 0, mWidth, mHeight};
  if (!ValidRect(d)) return DDERR_INVALIDRECT;
  const int bytes = BytesPerPixel();
  std::lock_guard<std::recursive_mutex> pixels(display.PixelLock());

  if (flags & DDBLT_COLORFILL) {
    if (!fx) return DDERR_INVALIDPARAMS;
    if (!Inside(d, mWidth, mHeight)) return DDERR_INVALIDRECT;
    for (int y = d.top; y < d.bottom; ++y) {
      uint8_t* row = mPixels.data() + static_cast<size_t>(y) * mPitch;
      for (int x = d.left; x < d.right; ++x) WritePixel(row + x * bytes, bytes, fx->dwFillColor);
    }
    MarkChanged();
    return DD_OK;
  }
  if (!src) return DDERR_INVALIDPARAMS;
  RECT s = srcRect ? *srcRect : RECT{0, 0, src->mWidth, src->mHeight};
  if (!ValidRect(s) || !Inside(s, src->mWidth, src->mHeight)) return DDERR_INVALIDRECT;
  if (src->mFormat.dwRGBBitCount != mFormat.dwRGBBitCount) return DDERR_INVALIDPIXELFORMAT;

  // Destination clipping: only with a clipper; its window's client area
  // (on the primary) and the surface bound it.
  const int dw = d.right - d.left, dh = d.bottom - d.top;
  const int sw = s.right - s.left, sh = s.bottom - s.top;
  RECT clip{0, 0, mWidth, mHeight};
  if (mClipper) {
    HWND hwnd = nullptr;
    mClipper->GetHWnd(&hwnd);
    if (SdlWindow* w = SdlWindow::FromHandle(hwnd); w && display.mPrimary == this) {
      POINT o = w->ClientToScreen(POINT{0, 0});
      clip.left = std::max<LONG>(clip.left, o.x);
      clip.top = std::max<LONG>(clip.top, o.y);
      clip.right = std::min<LONG>(clip.right, o.x + w->ClientWidth());
      clip.bottom = std::min<LONG>(clip.bottom, o.y + w->ClientHeight());
    }
  } else if (!Inside(d, mWidth, mHeight)) {
    return DDERR_INVALIDRECT;
  }
  RECT c{std::max(d.left, clip.left), std::max(d.top, clip.top), std::min(d.right, clip.right),
         std::min(d.bottom, clip.bottom)};
  if (!ValidRect(c)) return DD_OK;

  bool useKey = false;
  DDCOLORKEY key;
  if (flags & DDBLT_KEYSRCOVERRIDE) {
    if (!fx) return DDERR_INVALIDPARAMS;
    useKey = true;
    key = fx->ddckSrcColorkey;
  } else if ((flags & DDBLT_KEYSRC) && src->mHasSrcKey) {
    useKey = true;
    key = src->mSrcKey;
  }
  const bool mirrorX = (flags & DDBLT_DDFX) && fx && (fx->dwDDFX & DDBLTFX_MIRRORLEFTRIGHT);
  const bool mirrorY = (flags & DDBLT_DDFX) && fx && (fx->dwDDFX & DDBLTFX_MIRRORUPDOWN);

  // The common case, a plain copy of the same size: whole rows at a time.
  if (!useKey && !mirrorX && !mirrorY && dw == sw && dh == sh && src != this) {
    const size_t rowBytes = static_cast<size_t>(c.right - c.left) * bytes;
    for (int y = c.top; y < c.bottom; ++y) {
      const uint8_t* from = src->mPixels.data() + static_cast<size_t>(s.top + y - d.top) * src->mPitch +
                            static_cast<size_t>(s.left + c.left - d.left) * bytes;
      std::memcpy(mPixels.data() + static_cast<size_t>(y) * mPitch + static_cast<size_t>(c.left) * bytes, from, rowBytes);
    }
    MarkChanged();
    return DD_OK;
  }
  // A blit within one surface reads from a copy of the source.
  std::vector<uint8_t> copy;
  const uint8_t* srcBase = src->mPixels.data();
  if (src == this) {
    copy = mPixels;
    srcBase = copy.data();
  }
  for (int y = c.top; y < c.bottom; ++y) {
    int ry = y - d.top;
    if (mirrorY) ry = dh - 1 - ry;
    int sy = s.top + static_cast<int>(static_cast<int64_t>(ry) * sh / dh);
    const uint8_t* srow = srcBase + static_cast<size_t>(sy) * src->mPitch;
    uint8_t* drow = mPixels.data() + static_cast<size_t>(y) * mPitch;
    for (int x = c.left; x < c.right; ++x) {
      int rx = x - d.left;
      if (mirrorX) rx = dw - 1 - rx;
      int sx = s.left + static_cast<int>(static_cast<int64_t>(rx) * sw / dw);
      uint32_t v = ReadPixel(srow + sx * bytes, bytes);
      if (useKey && v >= key.dwColorSpaceLowValue && v <= key.dwColorSpaceHighValue) continue;
      WritePixel(drow + x * bytes, bytes, v);
    }
  }
  MarkChanged();
  return DD_OK;
}

// A flip shows the back buffer at the monitor's next vertical blank, so a
// program that flips frame after frame runs at the refresh rate, as its
// pacing expects. The renderer's own vertical sync cannot stand in for it:
// a software renderer or a virtual X server has none.
void EmulatedDisplay::WaitForVerticalBlank() {
  const DWORD hz = mConfig.monitorFrequency;
  if (hz == 0) return;
  const double period = 1000.0 / hz;
  const uint32_t now = timeGetTime();
  // Blanks fall on multiples of the period from a phase set by the first
  // flip, and again after a second without one.
  if (mVerticalBlankPhase == 0 || now - mLastVerticalBlank > 1000) mVerticalBlankPhase = now;
  const double since = now - mVerticalBlankPhase;
  const uint32_t next =
      mVerticalBlankPhase + static_cast<uint32_t>(std::lround((std::floor(since / period) + 1) * period));
  Sleep(next - now);
  mLastVerticalBlank = next;
}

HRESULT IDirectDrawSurface::Flip(IDirectDrawSurface*, DWORD) {
  EmulatedDisplay& display = EmulatedDisplay::Get();
  if (HRESULT hr = display.Fault(DDOp::Flip)) return hr;
  if (!mBackBuffer) return DDERR_NOTFLIPPABLE;
  if (mLost || mBackBuffer->mLost) return DDERR_SURFACELOST;
  if (mLockCount > 0 || mBackBuffer->mLockCount > 0) return DDERR_SURFACEBUSY;
  display.WaitForVerticalBlank();
  std::lock_guard<std::recursive_mutex> pixels(display.PixelLock());
  mPixels.swap(mBackBuffer->mPixels);
  MarkChanged();
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetSurfaceDesc(DDSURFACEDESC* desc) {
  if (!desc || desc->dwSize != kDDSurfaceDescSize) return DDERR_INVALIDPARAMS;
  Describe(desc);
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetSurfaceDesc(DDSURFACEDESC2* desc) {
  if (!desc || desc->dwSize != kDDSurfaceDesc2Size) return DDERR_INVALIDPARAMS;
  Describe(desc);
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** out) {
  if (!caps || !out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (HRESULT hr = EmulatedDisplay::Get().Fault(DDOp::GetAttachedSurface)) return hr;
  if (!(caps->dwCaps & DDSCAPS_BACKBUFFER) || !mBackBuffer) return DDERR_NOTFOUND;
  mBackBuffer->AddRef();
  *out = mBackBuffer;
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface** out) {
  if (!caps) return DDERR_INVALIDPARAMS;
  DDSCAPS c{caps->dwCaps};
  return GetAttachedSurface(&c, out);
}

HRESULT IDirectDrawSurface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
  if (!(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
  if (mLost) return DDERR_SURFACELOST;
  mHasSrcKey = key != nullptr;
  if (key) mSrcKey = *key;
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetColorKey(DWORD flags, DDCOLORKEY* key) {
  if (!key || !(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
  if (!mHasSrcKey) return DDERR_NOCOLORKEY;
  *key = mSrcKey;
  return DD_OK;
}

HRESULT IDirectDrawSurface::SetPalette(IDirectDrawPalette* palette) {
  if (palette && !(mFormat.dwFlags & DDPF_PALETTEINDEXED8)) return DDERR_NOTPALETTIZED;
  if (palette) palette->AddRef();
  if (mPalette) mPalette->Release();
  mPalette = palette;
  MarkChanged();
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetPalette(IDirectDrawPalette** out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = mPalette;
  if (!mPalette) return DDERR_NOPALETTEATTACHED;
  mPalette->AddRef();
  return DD_OK;
}

HRESULT IDirectDrawSurface::SetClipper(IDirectDrawClipper* clipper) {
  if (clipper) clipper->AddRef();
  if (mClipper) mClipper->Release();
  mClipper = clipper;
  return DD_OK;
}

HRESULT IDirectDrawSurface::IsLost() { return mLost ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDrawSurface::Restore() {
  mLost = false;
  if (mBackBuffer) mBackBuffer->mLost = false;
  MarkChanged();
  return DD_OK;
}

// -------------------------------------------------------------- DirectDraw

IDirectDraw::~IDirectDraw() {
  EmulatedDisplay& d = EmulatedDisplay::Get();
  --d.mLiveObjects;
  if (d.mExclusiveOwner == this) {
    d.mExclusiveOwner = nullptr;
    d.mModeWidth = d.mConfig.desktopWidth;
    d.mModeHeight = d.mConfig.desktopHeight;
    d.mModeBits = d.mConfig.desktopBits;
  }
}

HRESULT IDirectDraw::QueryInterface(const IID& iid, void** out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (iid == IID_IDirect3D7) return CreateDirect3D7(this, out);
  if (HRESULT hr = EmulatedDisplay::Get().Fault(DDOp::QueryInterface)) return hr;
  if (!(iid == IID_IDirectDraw) && !(iid == IID_IDirectDraw7)) return E_NOINTERFACE;
  AddRef();
  *out = this;
  return DD_OK;
}

HRESULT IDirectDraw::SetCooperativeLevel(HWND hwnd, DWORD flags) {
  EmulatedDisplay& d = EmulatedDisplay::Get();
  if (HRESULT hr = d.Fault(DDOp::SetCooperativeLevel)) return hr;
  const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
  const bool fullScreen = (flags & DDSCL_FULLSCREEN) != 0;
  if (exclusive != fullScreen) return DDERR_INVALIDPARAMS;
  if (!exclusive && !(flags & DDSCL_NORMAL)) return DDERR_INVALIDPARAMS;
  if (exclusive) {
    if (!hwnd) return DDERR_NOHWND;
    if (d.mExclusiveOwner && d.mExclusiveOwner != this) return DDERR_EXCLUSIVEMODEALREADYSET;
    d.mExclusiveOwner = this;
  } else if (d.mExclusiveOwner == this) {
    d.mExclusiveOwner = nullptr;
    RestoreDisplayMode();
  }
  mExclusive = exclusive;
  mHwnd = hwnd;
  return DD_OK;
}

HRESULT IDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bits) {
  return SetDisplayMode(width, height, bits, 0, 0);
}

HRESULT IDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD, DWORD) {
  EmulatedDisplay& d = EmulatedDisplay::Get();
  if (HRESULT hr = d.Fault(DDOp::SetDisplayMode)) return hr;
  if (d.mExclusiveOwner != this) return DDERR_NOEXCLUSIVEMODE;
  static const int kModes[][2] = {{640, 480},  {800, 600},  {1024, 768}, {1280, 720}, {1280, 800},
                                  {1280, 1024}, {1366, 768}, {1600, 900}, {1920, 1080}};
  bool known = static_cast<int>(width) == d.mConfig.desktopWidth && static_cast<int>(height) == d.mConfig.desktopHeight;
  for (const auto& m : kModes) known = known || (static_cast<int>(width) == m[0] && static_cast<int>(height) == m[1]);
  if (!known || (bits != 8 && bits != 16 && bits != 32)) return DDERR_INVALIDMODE;
  d.mModeWidth = static_cast<int>(width);
  d.mModeHeight = static_cast<int>(height);
  d.mModeBits = static_cast<int>(bits);
  return DD_OK;
}

HRESULT IDirectDraw::RestoreDisplayMode() {
  EmulatedDisplay& d = EmulatedDisplay::Get();
  if (d.mExclusiveOwner && d.mExclusiveOwner != this) return DDERR_NOEXCLUSIVEMODE;
  d.mModeWidth = d.mConfig.desktopWidth;
  d.mModeHeight = d.mConfig.desktopHeight;
  d.mModeBits = d.mConfig.desktopBits;
  return DD_OK;
}

HRESULT IDirectDraw::CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** out, void*) {
  if (!desc || !out || desc->dwSize != kDDSurfaceDescSize) return DDERR_INVALIDPARAMS;
  DDPIXELFORMAT none;
  return CreateSurfaceImpl(desc->dwFlags, desc->dwWidth, desc->dwHeight,
                           (desc->dwFlags & DDSD_PIXELFORMAT) ? desc->ddpfPixelFormat : none, desc->ddsCaps.dwCaps,
                           desc->dwBackBufferCount, out);
}

HRESULT IDirectDraw::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface** out, void*) {
  if (!desc || !out || desc->dwSize != kDDSurfaceDesc2Size) return DDERR_INVALIDPARAMS;
  DDPIXELFORMAT none;
  DWORD caps = desc->ddsCaps.dwCaps;
  // A managed texture lives in system memory as far as anyone can tell.
  if (desc->ddsCaps.dwCaps2 & DDSCAPS2_TEXTUREMANAGE) caps |= DDSCAPS_SYSTEMMEMORY;
  return CreateSurfaceImpl(desc->dwFlags, desc->dwWidth, desc->dwHeight,
                           (desc->dwFlags & DDSD_PIXELFORMAT) ? desc->ddpfPixelFormat : none, caps,
                           desc->dwBackBufferCount, out);
}

HRESULT IDirectDraw::CreateSurfaceImpl(DWORD flags, DWORD width, DWORD height, const DDPIXELFORMAT& format,
                                       DWORD caps, DWORD backBuffers, IDirectDrawSurface** out) {
  *out = nullptr;
  EmulatedDisplay& d = EmulatedDisplay::Get();
  std::lock_guard<std::recursive_mutex> registry(d.mRegistryLock);
  if (HRESULT hr = d.Fault(DDOp::CreateSurface)) return hr;
  if (HRESULT hr = d.CreateFault(caps)) return hr;
  if (!(flags & DDSD_CAPS)) caps = 0;

  if (caps & DDSCAPS_PRIMARYSURFACE) {
    if (d.mPrimary) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    if (flags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) return DDERR_INVALIDPARAMS;
    const bool flip = (caps & DDSCAPS_FLIP) != 0;
    if (flip) {
      if (!mExclusive) return DDERR_NOEXCLUSIVEMODE;
      if (!(caps & DDSCAPS_COMPLEX) || !(flags & DDSD_BACKBUFFERCOUNT) || backBuffers < 1) return DDERR_INVALIDCAPS;
    }
    const int w = d.mModeWidth, h = d.mModeHeight;
    const DDPIXELFORMAT f = d.ModeFormat();
    const DWORD bytes = static_cast<DWORD>(w) * static_cast<DWORD>(h) * ((f.dwRGBBitCount + 7) / 8);
    if (d.mVideoUsed + bytes * (flip ? 2 : 1) > d.mConfig.videoMemory) return DDERR_OUTOFVIDEOMEMORY;
    DWORD frontCaps = (caps & ~DDSCAPS_SYSTEMMEMORY) | DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM | DDSCAPS_VISIBLE;
    if (flip) frontCaps |= DDSCAPS_FRONTBUFFER;
    auto* primary = new IDirectDrawSurface(this, w, h, f, frontCaps);
    primary->mVideoBytes = bytes;
    d.mVideoUsed += bytes;
    if (flip) {
      DWORD backCaps = (caps & ~(DDSCAPS_PRIMARYSURFACE | DDSCAPS_SYSTEMMEMORY)) | DDSCAPS_BACKBUFFER |
                       DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;
      auto* back = new IDirectDrawSurface(this, w, h, f, backCaps);
      back->mVideoBytes = bytes;
      d.mVideoUsed += bytes;
      back->mFront = primary;
      primary->mBackBuffer = back;
    }
    d.mPrimary = primary;
    d.mPrimaryChanged = true;
    *out = primary;
    return DD_OK;
  }

  if (!(flags & DDSD_WIDTH) || !(flags & DDSD_HEIGHT) || width == 0 || height == 0) return DDERR_INVALIDPARAMS;
  if (width > 16384) return DDERR_TOOBIGWIDTH;
  if (height > 16384) return DDERR_TOOBIGHEIGHT;
  DDPIXELFORMAT f = d.ModeFormat();
  if (flags & DDSD_PIXELFORMAT) {
    f = format;
    DWORD bits = f.dwRGBBitCount;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return DDERR_INVALIDPIXELFORMAT;
  }
  const DWORD bytes = width * height * ((f.dwRGBBitCount + 7) / 8);
  bool video = (caps & DDSCAPS_VIDEOMEMORY) != 0;
  if (video && (caps & DDSCAPS_SYSTEMMEMORY)) return DDERR_INVALIDCAPS;
  if (!video && !(caps & DDSCAPS_SYSTEMMEMORY)) {
    // Without a choice the original takes video memory while there is some.
    video = d.mVideoUsed + bytes <= d.mConfig.videoMemory;
  }
  if (video && d.mVideoUsed + bytes > d.mConfig.videoMemory) return DDERR_OUTOFVIDEOMEMORY;
  if (video) caps = (caps | DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM) & ~DDSCAPS_SYSTEMMEMORY;
  else caps |= DDSCAPS_SYSTEMMEMORY;
  auto* surface = new IDirectDrawSurface(this, static_cast<int>(width), static_cast<int>(height), f, caps);
  if (video) {
    surface->mVideoBytes = bytes;
    d.mVideoUsed += bytes;
  }
  *out = surface;
  return DD_OK;
}

HRESULT IDirectDraw::CreateClipper(DWORD, IDirectDrawClipper** out, void*) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (HRESULT hr = EmulatedDisplay::Get().Fault(DDOp::CreateClipper)) return hr;
  *out = new IDirectDrawClipper();
  return DD_OK;
}

HRESULT IDirectDraw::CreatePalette(DWORD flags, const PALETTEENTRY* entries, IDirectDrawPalette** out, void*) {
  if (!out || !(flags & DDPCAPS_8BIT)) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (HRESULT hr = EmulatedDisplay::Get().Fault(DDOp::CreatePalette)) return hr;
  *out = new IDirectDrawPalette(entries);
  return DD_OK;
}

HRESULT IDirectDraw::GetDisplayMode(DDSURFACEDESC2* desc) {
  if (!desc || desc->dwSize != kDDSurfaceDesc2Size) return DDERR_INVALIDPARAMS;
  EmulatedDisplay& d = EmulatedDisplay::Get();
  desc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
  desc->dwWidth = static_cast<DWORD>(d.mModeWidth);
  desc->dwHeight = static_cast<DWORD>(d.mModeHeight);
  desc->ddpfPixelFormat = d.ModeFormat();
  desc->lPitch = d.mModeWidth * static_cast<LONG>((desc->ddpfPixelFormat.dwRGBBitCount + 7) / 8);
  desc->dwRefreshRate = d.mConfig.monitorFrequency;
  return DD_OK;
}

HRESULT IDirectDraw::GetAvailableVidMem(DDSCAPS2*, DWORD* total, DWORD* free) {
  EmulatedDisplay& d = EmulatedDisplay::Get();
  if (total) *total = d.mConfig.videoMemory;
  if (free) *free = d.mConfig.videoMemory - std::min(d.mVideoUsed, d.mConfig.videoMemory);
  return DD_OK;
}

HRESULT IDirectDraw::GetDeviceIdentifier(DDDEVICEIDENTIFIER2* out, DWORD) {
  if (!out) return DDERR_INVALIDPARAMS;
  const EmulatedDisplayConfig& c = EmulatedDisplay::Get().Config();
  *out = DDDEVICEIDENTIFIER2();
  c.adapterDriver.copy(out->szDriver, sizeof out->szDriver - 1);
  c.adapterDescription.copy(out->szDescription, sizeof out->szDescription - 1);
  out->guidDeviceIdentifier.data1 = 0x504C5853;  // "PLXS"
  return DD_OK;
}

HRESULT IDirectDraw::GetMonitorFrequency(DWORD* hz) {
  if (!hz) return DDERR_INVALIDPARAMS;
  EmulatedDisplay& d = EmulatedDisplay::Get();
  if (HRESULT hr = d.Fault(DDOp::GetMonitorFrequency)) return hr;
  if (d.mConfig.monitorFrequency == 0) return DDERR_UNSUPPORTED;
  *hz = d.mConfig.monitorFrequency;
  return DD_OK;
}

HRESULT IDirectDraw::GetScanLine(DWORD*) { return DDERR_UNSUPPORTED; }

HRESULT IDirectDraw::WaitForVerticalBlank(DWORD, HANDLE) { return DDERR_UNSUPPORTED; }

HRESULT IDirectDraw::FlipToGDISurface() { return DD_OK; }

HRESULT DirectDrawCreate(GUID*, IDirectDraw** out, void*) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  EmulatedDisplay& d = EmulatedDisplay::Get();
  if (HRESULT hr = d.Fault(DDOp::Create)) return hr;
  *out = new IDirectDraw();
  ++d.mLiveObjects;
  return DD_OK;
}

HRESULT DirectDrawCreateEx(GUID* guid, void** out, const IID& iid, void* outer) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (!(iid == IID_IDirectDraw7)) return DDERR_INVALIDPARAMS;
  IDirectDraw* dd = nullptr;
  HRESULT hr = DirectDrawCreate(guid, &dd, outer);
  *out = dd;
  return hr;
}

DirectDrawCreateFunc GetDirectDrawCreate() { return &DirectDrawCreate; }

DirectDrawCreateExFunc GetDirectDrawCreateEx() {
  return EmulatedDisplay::Get().Config().hasDirectDrawCreateEx ? &DirectDrawCreateEx : nullptr;
}

// ------------------------------------------------------- emulated display

EmulatedDisplay& EmulatedDisplay::Get() {
  static EmulatedDisplay display;
  return display;
}

void EmulatedDisplay::Configure(const EmulatedDisplayConfig& config) {
  mConfig = config;
  if (!mExclusiveOwner) {
    mModeWidth = config.desktopWidth;
    mModeHeight = config.desktopHeight;
    mModeBits = config.desktopBits;
  }
}

void EmulatedDisplay::ConfigureFromRealDesktop() {
  SDL_DisplayMode mode;
  if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
    EmulatedDisplayConfig c = mConfig;
    c.desktopWidth = mode.w;
    c.desktopHeight = mode.h;
    if (mode.refresh_rate > 0) c.monitorFrequency = static_cast<DWORD>(mode.refresh_rate);
    Configure(c);
  }
}

void EmulatedDisplay::FailNext(DDOp op, HRESULT hr, int times) {
  mFaults[static_cast<int>(op)] = {hr, times};
}

void EmulatedDisplay::FailCreateSurface(DWORD capsMask, HRESULT hr, int times) {
  mCreateCaps = capsMask;
  mCreateFault = {hr, times};
}

void EmulatedDisplay::ClearFaults() {
  for (auto& f : mFaults) f = {};
  mCreateFault = {};
  mCreateCaps = 0;
}

void EmulatedDisplay::LoseAllSurfaces() {
  std::lock_guard<std::recursive_mutex> registry(mRegistryLock);
  for (IDirectDrawSurface* s : mSurfaces) s->mLost = true;
}

HRESULT EmulatedDisplay::Fault(DDOp op) {
  Fault_& f = mFaults[static_cast<int>(op)];
  if (f.times == 0) return DD_OK;
  if (f.times > 0) --f.times;
  return f.hr;
}

HRESULT EmulatedDisplay::CreateFault(DWORD caps) {
  if (mCreateFault.times == 0 || (caps & mCreateCaps) != mCreateCaps) return DD_OK;
  if (mCreateFault.times > 0) --mCreateFault.times;
  return mCreateFault.hr;
}

DDPIXELFORMAT EmulatedDisplay::FormatForBits(int bits) {
  switch (bits) {
    case 16: return PixelFormatR5G6B5();
    case 15: return PixelFormatX1R5G5B5();
    case 24: return PixelFormatR8G8B8();
    case 8: return PixelFormatP8();
    default: return PixelFormatX8R8G8B8();
  }
}

DDPIXELFORMAT EmulatedDisplay::ModeFormat() const {
  // A desktop of 15 bits stays X1R5G5B5 for 16-bit requests of the desktop
  // itself; a mode set to 16 bits is R5G6B5.
  return FormatForBits(mModeBits);
}

bool EmulatedDisplay::Present() {
  std::lock_guard<std::recursive_mutex> pixels(mPixelLock);
  IDirectDrawSurface* primary = mPrimary;
  if (!primary || !mPrimaryChanged) return false;
  IDirectDraw* owner = primary->mOwner;
  HWND hwnd = owner->mHwnd;
  if (primary->mClipper) primary->mClipper->GetHWnd(&hwnd);
  SdlWindow* window = SdlWindow::FromHandle(hwnd);
  if (!window) {
    mPrimaryChanged = false;
    return false;
  }
  if (!window->IsOwnerThread()) return false;

  RECT region{0, 0, primary->mWidth, primary->mHeight};
  if (!owner->mExclusive) {
    POINT o = window->ClientToScreen(POINT{0, 0});
    region = {o.x, o.y, o.x + window->ClientWidth(), o.y + window->ClientHeight()};
  }
  const int w = region.right - region.left, h = region.bottom - region.top;
  if (w <= 0 || h <= 0) return false;
  const DDPIXELFORMAT& f = primary->mFormat;
  const bool direct = Inside(region, primary->mWidth, primary->mHeight) &&
                      (f.dwRGBBitCount == 32 || f.dwRGBBitCount == 16);
  bool ok;
  if (direct) {
    FrameLayout layout = f.dwRGBBitCount == 32    ? FrameLayout::X8R8G8B8
                         : f.dwGBitMask == 0x07E0 ? FrameLayout::R5G6B5
                                                  : FrameLayout::X1R5G5B5;
    const uint8_t* p = primary->mPixels.data() + static_cast<size_t>(region.top) * primary->mPitch +
                       static_cast<size_t>(region.left) * primary->BytesPerPixel();
    ok = window->PresentFrame(p, primary->mPitch, w, h, layout);
  } else {
    // Partly off the desktop, or a format SDL is not handed directly:
    // convert into a black frame.
    std::vector<uint32_t> frame(static_cast<size_t>(w) * h, 0);
    const int bytes = primary->BytesPerPixel();
    for (int y = std::max<LONG>(region.top, 0); y < std::min<LONG>(region.bottom, primary->mHeight); ++y) {
      for (int x = std::max<LONG>(region.left, 0); x < std::min<LONG>(region.right, primary->mWidth); ++x) {
        uint32_t v = ReadPixel(primary->mPixels.data() + static_cast<size_t>(y) * primary->mPitch + x * bytes, bytes);
        uint32_t rgb;
        if (f.dwFlags & DDPF_PALETTEINDEXED8) {
          PALETTEENTRY e = primary->mPalette ? primary->mPalette->Entries()[v & 0xFF] : PALETTEENTRY{};
          rgb = (static_cast<uint32_t>(e.peRed) << 16) | (static_cast<uint32_t>(e.peGreen) << 8) | e.peBlue;
        } else if (bytes == 2) {
          bool is565 = f.dwGBitMask == 0x07E0;
          uint32_t r = is565 ? (v >> 11) & 31 : (v >> 10) & 31;
          uint32_t g = is565 ? ((v >> 5) & 63) << 2 : ((v >> 5) & 31) << 3;
          rgb = ((r << 3) << 16) | (g << 8) | ((v & 31) << 3);
        } else {
          rgb = v & 0xFFFFFF;
        }
        frame[static_cast<size_t>(y - region.top) * w + (x - region.left)] = rgb;
      }
    }
    ok = window->PresentFrame(frame.data(), w * 4, w, h, FrameLayout::X8R8G8B8);
  }
  if (ok) mPrimaryChanged = false;
  return ok;
}

}  // namespace Plix
