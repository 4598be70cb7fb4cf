#include "framework/graphics/DDImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/GraphicsHost.h"

namespace Plix {

namespace {

int LowBit(uint32_t mask) {
  for (int i = 0; i < 32; ++i)
    if (mask & (1u << i)) return i;
  return 0;
}

int BitCount(uint32_t mask) {
  int n = 0;
  for (; mask; mask &= mask - 1) ++n;
  return n;
}

// One channel of a surface pixel widened to 8 bits; the low bits stay 0
// (a 5-bit 31 becomes 248).
uint32_t Widen(uint32_t pixel, uint32_t mask) {
  if (!mask) return 0;
  const int shift = LowBit(mask), bits = BitCount(mask);
  uint32_t v = (pixel & mask) >> shift;
  return bits >= 8 ? (v >> (bits - 8)) & 255 : (v << (8 - bits)) & 255;
}

}  // namespace

void SurfaceToARGB(const DDSURFACEDESC& desc, int32_t width, int32_t height, const DDCOLORKEY* key,
                   uint32_t* out) {
  const DDPIXELFORMAT& f = desc.ddpfPixelFormat;
  const int bytes = static_cast<int>(f.dwRGBBitCount / 8);
  if (bytes != 2 && bytes != 4) return;
  const uint32_t alphaMask = (f.dwFlags & DDPF_ALPHAPIXELS) ? f.dwRGBAlphaBitMask : 0;
  const int alphaBits = BitCount(alphaMask);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(desc.lpSurface) + static_cast<ptrdiff_t>(y) * (desc.lPitch / bytes) * bytes;
    for (int32_t x = 0; x < width; ++x) {
      uint32_t p;
      if (bytes == 2) {
        uint16_t v;
        std::memcpy(&v, row + x * 2, 2);
        p = v;
      } else {
        std::memcpy(&p, row + x * 4, 4);
      }
      uint32_t rgb = (Widen(p, f.dwRBitMask) << 16) | (Widen(p, f.dwGBitMask) << 8) | Widen(p, f.dwBBitMask);
      uint32_t alpha = 255;
      if (alphaMask) {
        uint32_t a = (p & alphaMask) >> LowBit(alphaMask);
        alpha = alphaBits == 4 ? a * 17 : alphaBits >= 8 ? (a >> (alphaBits - 8)) & 255 : a * 255 / ((1u << alphaBits) - 1);
      }
      if (key && p >= key->dwColorSpaceLowValue && p <= key->dwColorSpaceHighValue) alpha = 0;
      out[static_cast<size_t>(y) * width + x] = (alpha << 24) | rgb;
    }
  }
}

DDImage::DDImage(DDInterface* display) : MemoryImage(), mDDInterface(display) {
  mDDInterface->AddDDImage(this);
}

DDImage::~DDImage() {
  if (mSurface) mSurface->Release();
  mSurface = nullptr;
  mDDInterface->RemoveDDImage(this);
}

bool DDImage::Is3D() const {
  return mDDInterface->mIs3D && mSurface != nullptr && mSurface == mDDInterface->mDrawSurface;
}

bool DDImage::Check3D(Image* image) {
  auto* dd = dynamic_cast<DDImage*>(image);
  return dd != nullptr && dd->Is3D();
}

IDirectDrawSurface* DDImage::GetSurface() {
  if (!mSurface) CreateSurface();
  return mSurface;
}

bool DDImage::LockSurface() {
  if (Is3D()) return false;
  if (mLockCount == 0) {
    mLockedSurfaceDesc = DDSURFACEDESC();
    mLockedSurfaceDesc.dwSize = kDDSurfaceDescSize;
    IDirectDrawSurface* surface = GetSurface();
    if (!surface || surface->Lock(nullptr, &mLockedSurfaceDesc, DDLOCK_WAIT, nullptr) != DD_OK) return false;
  }
  ++mLockCount;
  return true;
}

bool DDImage::UnlockSurface() {
  if (Is3D()) return false;
  if (--mLockCount == 0 && mSurface) mSurface->Unlock(nullptr);
  return true;
}

void DDImage::SetSurface(IDirectDrawSurface* surface) {
  mSurfaceAdopted = true;
  mSurface = surface;
  if (surface) {
    surface->AddRef();
    DDSURFACEDESC desc;
    desc.dwSize = kDDSurfaceDescSize;
    surface->GetSurfaceDesc(&desc);
    mWidth = static_cast<int32_t>(desc.dwWidth);
    mHeight = static_cast<int32_t>(desc.dwHeight);
  }
  mVideoMemory = false;
}

void DDImage::SetVideoMemory(bool wantVideoMemory) {
  if (wantVideoMemory == mWantVideoMemory) return;
  mWantVideoMemory = wantVideoMemory;
  GetBits();
  DeleteSurface();
}

bool DDImage::CreateSurface() {
  if (mSurface) return true;
  UpdateAlphaFlags();
  if (mHasAlpha) return false;
  mWantSurface = true;
  if (mColorTable) MemoryImage::GetBits();

  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.dwWidth = static_cast<DWORD>(std::max(mWidth, 1));
  desc.dwHeight = static_cast<DWORD>(std::max(mHeight, 1));
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (mWantVideoMemory ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);

  AutoCrit lock(mDDInterface->mCritSect);
  if (FAILED(mDDInterface->CreateSurface(&desc, &mSurface))) {
    mSurface = nullptr;
    return false;
  }
  if (!LockSurface()) return false;

  const DDInterface& d = *mDDInterface;
  const DDPIXELFORMAT& pf = mLockedSurfaceDesc.ddpfPixelFormat;
  const uint32_t* bits = MemoryImage::GetBits();
  auto convert = [&](uint32_t p) -> uint32_t {
    return (((p >> (24 - d.mRedBits)) << d.mRedShift) & pf.dwRBitMask) |
           (((p >> (16 - d.mGreenBits)) << d.mGreenShift) & pf.dwGBitMask) |
           (((p >> (8 - d.mBlueBits)) << d.mBlueShift) & pf.dwBBitMask);
  };
  const size_t count = static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight);
  const DWORD bitCount = pf.dwRGBBitCount;
  bool ok = bitCount == 16 || bitCount == 32;
  if (bitCount == 16) {
    std::vector<uint16_t> converted(count);
    for (size_t i = 0; i < count; ++i) converted[i] = static_cast<uint16_t>(convert(bits[i]));
    uint16_t key = 0;
    if (mHasTrans) {
      size_t first = 0;
      while (first < count && (bits[first] >> 24) == 255) ++first;
      key = first < count ? converted[first] : 0;
      bool collides = false;
      for (size_t i = 0; i < count && !collides; ++i) collides = (bits[i] >> 24) == 255 && converted[i] == key;
      if (collides) {
        std::vector<bool> used(65536, false);
        for (size_t i = 0; i < count; ++i)
          if ((bits[i] >> 24) > 0) used[converted[i]] = true;
        auto free = std::find(used.begin(), used.end(), false);
        if (free != used.end()) key = static_cast<uint16_t>(free - used.begin());
      }
      for (size_t i = 0; i < count; ++i)
        if ((bits[i] >> 24) != 255) converted[i] = key;
    }
    auto* surface = static_cast<uint8_t*>(mLockedSurfaceDesc.lpSurface);
    const int32_t pitch = mLockedSurfaceDesc.lPitch / 2;
    for (int32_t y = 0; y < mHeight; ++y)
      std::memcpy(reinterpret_cast<uint16_t*>(surface) + static_cast<ptrdiff_t>(y) * pitch,
                  converted.data() + static_cast<size_t>(y) * mWidth, static_cast<size_t>(mWidth) * 2);
    if (mHasTrans) {
      DDCOLORKEY ck{key, key};
      mSurface->SetColorKey(DDCKEY_SRCBLT, &ck);
    }
  } else if (bitCount == 32) {
    uint32_t key = 0;
    if (mHasTrans) {
      size_t first = 0;
      while (first < count && (bits[first] >> 24) == 255) ++first;
      key = first < count ? bits[first] : 0;
      bool collides = false;
      for (size_t i = 0; i < count && !collides; ++i) collides = (bits[i] >> 24) == 255 && (bits[i] & 0xFFFFFF) == key;
      if (collides) {
        std::vector<bool> used(1u << 24, false);
        for (size_t i = 0; i < count; ++i)
          if ((bits[i] >> 24) > 0) used[bits[i] & 0xFFFFFF] = true;
        auto free = std::find(used.begin(), used.end(), false);
        if (free != used.end()) key = static_cast<uint32_t>(free - used.begin());
      }
    }
    auto* surface = static_cast<uint8_t*>(mLockedSurfaceDesc.lpSurface);
    const int32_t pitch = mLockedSurfaceDesc.lPitch / 4;
    for (int32_t y = 0; y < mHeight; ++y) {
      uint32_t* row = reinterpret_cast<uint32_t*>(surface) + static_cast<ptrdiff_t>(y) * pitch;
      const uint32_t* src = bits + static_cast<size_t>(y) * mWidth;
      for (int32_t x = 0; x < mWidth; ++x) row[x] = (!mHasTrans || (src[x] >> 24) == 255) ? convert(src[x]) : key;
    }
    if (mHasTrans) {
      DDCOLORKEY ck{key, key};
      mSurface->SetColorKey(DDCKEY_SRCBLT, &ck);
    }
  }
  UnlockSurface();
  return ok;
}

void DDImage::DeleteSurface() {
  if (!mSurface) return;
  if (!mBits && !mColorTable && mD3DData == nullptr) GetBits();
  mSurface->Release();
  mSurface = nullptr;
  mLockCount = 0;
}

void DDImage::DeleteAllNonSurfaceData() {
  // Without a surface (draw mode 2, or a creation that failed) the memory
  // forms are the only copy of the pixels.
  if (!mSurface) return;
  mBits.reset();
  mColorIndices.reset();
  mColorTable.reset();
  mNativeAlphaData.reset();
  mRLAlphaData.reset();
  mRLAdditiveData.reset();
}

uint32_t* DDImage::GetBits() {
  if (mBits) return mBits.get();
  if (!mSurface) return MemoryImage::GetBits();
  if (mVideoMemory || !LockSurface()) return nullptr;
  const size_t count = static_cast<size_t>(std::max(mWidth, 0)) * static_cast<size_t>(std::max(mHeight, 0));
  mBits.reset(new uint32_t[count + 1]());
  mBits[count] = kGuardWord;
  DDCOLORKEY key;
  const bool keyed = mSurface->GetColorKey(DDCKEY_SRCBLT, &key) == DD_OK;
  SurfaceToARGB(mLockedSurfaceDesc, mWidth, mHeight, keyed ? &key : nullptr, mBits.get());
  UnlockSurface();
  return mBits.get();
}

void DDImage::OnBitsChanged() {
  MemoryImage::OnBitsChanged();
  // An adopted surface (the screen) is the image itself: never dropped.
  if (mSurface && !mSurfaceAdopted) {
    mSurface->Release();
    mSurface = nullptr;
    mLockCount = 0;
  }
}

void DDImage::UpdateAlphaFlags() {
  if (mSurface) return;
  MemoryImage::UpdateAlphaFlags();
}

void DDImage::Create(int32_t width, int32_t height) { MemoryImage::Create(width, height); }

void DDImage::PurgeBits() {
  if (mSurfaceAdopted) return;
  mPurgeBits = true;
  UpdateAlphaFlags();
  const bool hardware = mApp->IsHardwareDrawing();
  if (!hardware) {
    if (mWantSurface && CreateSurface()) {
      mBits.reset();
      mColorIndices.reset();
      mColorTable.reset();
      return;
    }
  } else if (mSurface) {
    GetBits();
    DeleteSurface();
  }
  if (!hardware) {
    if (!mBits && !mColorIndices) return;
    GetNativeAlphaData(mApp->GetNativeDisplay());
  } else if (mD3DData == nullptr) {
    return;
  }
  mBits.reset();
  if (mD3DData != nullptr) {
    mColorIndices.reset();
    mColorTable.reset();
  }
}

void DDImage::CommitLoadFlags() {
  MemoryImage::CommitLoadFlags();
  if (mWantSurface) CreateSurface();
}

void DDImage::DeleteExtraBuffers() {
  if (mSurfaceAdopted) return;
  MemoryImage::DeleteExtraBuffers();
  DeleteSurface();
}

void DDImage::DeleteNativeData() {
  if (mSurfaceAdopted) return;
  MemoryImage::DeleteNativeData();
  DeleteSurface();
}

bool DDImage::Palettize() {
  if (!MemoryImage::Palettize()) return false;
  DeleteSurface();
  return true;
}

bool DDImage::SurfaceAllowed() {
  UpdateAlphaFlags();
  return !mHasAlpha && !mHasTrans && !mDDInterface->mIs3D;
}

int32_t DDImage::SurfaceFormatCode() const {
  const DDPIXELFORMAT& f = mLockedSurfaceDesc.ddpfPixelFormat;
  if (f.dwRGBBitCount == 32) return 0x888;
  if (f.dwRGBBitCount == 16 && f.dwRBitMask == 0xF800 && f.dwGBitMask == 0x07E0 && f.dwBBitMask == 0x1F) return 0x565;
  if (f.dwRGBBitCount == 16 && f.dwRBitMask == 0x7C00 && f.dwGBitMask == 0x03E0 && f.dwBBitMask == 0x1F) return 0x555;
  return 0;
}

// ------------------------------------------------------------ entry points

bool DDImage::FillPolygonAccel(const Point* vertices, int32_t count, const Rect* clip, const Color& color,
                               int32_t drawMode, int32_t offsetX, int32_t offsetY) {
  if (!Is3D()) return false;
  mDDInterface->mD3DInterface->FillPoly(vertices, count, clip, color, drawMode, offsetX, offsetY);
  return true;
}

void DDImage::FillRect(const Rect& rect, const Color& color, int32_t drawMode) {
  if (Is3D()) {
    mDDInterface->mD3DInterface->FillRect(rect, color, drawMode);
    return;
  }
  if (SurfaceAllowed()) {
    if (drawMode == DRAWMODE_NORMAL) SurfaceFillRect(rect, color);
    else if (drawMode == DRAWMODE_ADDITIVE) SurfaceFillRectAdditive(rect, color);
    DeleteAllNonSurfaceData();
    return;
  }
  MemoryImage::FillRect(rect, color, drawMode);
}

namespace {
int32_t Trunc(double v) { return static_cast<int32_t>(std::max(-2147483648.0, std::min(2147483647.0, v))); }
}  // namespace

void DDImage::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) {
  DrawLineRouted(x1, y1, x2, y2, color, drawMode, false);
}

void DDImage::DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) {
  DrawLineRouted(x1, y1, x2, y2, color, drawMode, true);
}

void DDImage::DrawLineRouted(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode,
                             bool antialiased) {
  // Direct3D and the memory image draw the plain line for both entries.
  if (Is3D()) {
    mDDInterface->mD3DInterface->DrawLine(x1, y1, x2, y2, color, drawMode);
    return;
  }
  if (mHasTrans || mHasAlpha || mDDInterface->mIs3D) {
    MemoryImage::DrawLine(x1, y1, x2, y2, color, drawMode);
    return;
  }
  if (y1 == y2) {
    const int32_t left = Trunc(std::min(x1, x2)), right = Trunc(std::max(x1, x2));
    FillRect(Rect(left, Trunc(y1), right - left + 1, Trunc(y2 - y1 + 1.0)), color, drawMode);
    return;
  }
  if (x1 == x2) {
    const int32_t top = Trunc(std::min(y1, y2)), bottom = Trunc(std::max(y1, y2));
    FillRect(Rect(Trunc(x1), top, Trunc(x2 - x1 + 1.0), bottom - top + 1), color, drawMode);
    return;
  }
  UpdateAlphaFlags();
  if (drawMode == DRAWMODE_NORMAL) {
    if (antialiased) SurfaceDrawLineAA(x1, y1, x2, y2, color);
    else SurfaceDrawLine(x1, y1, x2, y2, color);
  } else if (drawMode == DRAWMODE_ADDITIVE) {
    if (antialiased) SurfaceDrawLineAAAdditive(x1, y1, x2, y2, color);
    else SurfaceDrawLineAdditive(x1, y1, x2, y2, color);
  }
  DeleteAllNonSurfaceData();
}

void DDImage::Blit(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color, int32_t drawMode) {
  src->mDrawn = true;
  if (Is3D()) {
    auto* ddSrc = dynamic_cast<DDImage*>(src);
    D3DInterface& d3d = *mDDInterface->mD3DInterface;
    if (ddSrc && ddSrc->mSurface && d3d.mTransformStack.empty() && drawMode == DRAWMODE_NORMAL && color.IsWhite() &&
        !ddSrc->mHasAlpha) {
      HardwareBlit(ddSrc, RECT{x, y, x + srcRect.mWidth, y + srcRect.mHeight},
                   RECT{srcRect.mX, srcRect.mY, srcRect.mX + srcRect.mWidth, srcRect.mY + srcRect.mHeight});
    } else {
      d3d.Blit(src, static_cast<float>(x), static_cast<float>(y), srcRect, color, drawMode, false);
    }
    return;
  }
  UpdateAlphaFlags();
  const bool ownSurface = this == mDDInterface->mOldCursorAreaImage || this == mDDInterface->mNewCursorAreaImage;
  if (!mHasTrans && !mHasAlpha && (!mDDInterface->mIs3D || ownSurface)) {
    if (drawMode == DRAWMODE_NORMAL) SurfaceBlit(src, x, y, srcRect, color);
    else if (drawMode == DRAWMODE_ADDITIVE) SurfaceBlitAdditive(src, x, y, srcRect, color);
    DeleteAllNonSurfaceData();
    return;
  }
  MemoryImage::Blit(src, x, y, srcRect, color, drawMode);
}

void DDImage::BlitF(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                    int32_t drawMode) {
  src->mDrawn = true;
  if (Is3D()) {
    FRect full(x, y, srcRect.mWidth, srcRect.mHeight);
    FRect visible = full.Intersection(FRect(clip.mX, clip.mY, clip.mWidth, clip.mHeight));
    D3DInterface& d3d = *mDDInterface->mD3DInterface;
    if (visible.mWidth == srcRect.mWidth && visible.mHeight == srcRect.mHeight)
      d3d.Blit(src, x, y, srcRect, color, drawMode, true);
    else if (visible.mWidth != 0 && visible.mHeight != 0)
      d3d.BlitClipped(src, x, y, srcRect, &clip, color, drawMode);
    return;
  }
  BlitRotated(src, x, y, srcRect, clip, color, drawMode, 0.0, 0.0f, 0.0f);
}

void DDImage::BlitMirror(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                         int32_t drawMode) {
  if (Is3D()) {
    mDDInterface->mD3DInterface->BlitMirror(src, static_cast<float>(x), static_cast<float>(y), srcRect, color, drawMode);
    return;
  }
  if (drawMode == DRAWMODE_NORMAL) SurfaceBlitMirror(src, x, y, srcRect, color);
  else if (drawMode == DRAWMODE_ADDITIVE) SurfaceBlitMirrorAdditive(src, x, y, srcRect, color);
  DeleteAllNonSurfaceData();
}

void DDImage::BlitRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                          int32_t drawMode, double angle, float centerX, float centerY) {
  src->mDrawn = true;
  if (mVideoMemory) return;
  if (Is3D()) {
    mDDInterface->mD3DInterface->BlitRotated(src, x, y, srcRect, clip, color, drawMode, angle, centerX, centerY);
    return;
  }
  if (SurfaceAllowed()) {
    FRect box;
    if (!MemoryImage::RotatedDestBox(x, y, srcRect, clip, centerX, centerY, angle, box)) return;
    auto* memSrc = dynamic_cast<MemoryImage*>(src);
    if (memSrc) RotatedIntoSurface(memSrc, x, y, srcRect, clip, color, drawMode, angle, centerX, centerY);
    DeleteAllNonSurfaceData();
    return;
  }
  MemoryImage::BlitRotated(src, x, y, srcRect, clip, color, drawMode, angle, centerX, centerY);
}

void DDImage::StretchBlit(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                          int32_t drawMode, bool fastStretch) {
  src->mDrawn = true;
  if (Is3D()) {
    mDDInterface->mD3DInterface->StretchBlit(src, destRect, srcRect, clip, color, drawMode, fastStretch);
    return;
  }
  Rect dest;
  FRect area;
  if (!MemoryImage::ClipStretch(destRect, srcRect, clip, dest, area)) return;
  auto* memSrc = dynamic_cast<MemoryImage*>(src);
  if (!fastStretch) {
    if (!SurfaceAllowed() || !memSrc) {
      MemoryImage::StretchBlit(src, destRect, srcRect, clip, color, drawMode, false);
      return;
    }
    MemoryImage temp;
    temp.Create(dest.mWidth, dest.mHeight);
    temp.GetBits();
    temp.StretchBlitFiltered(memSrc, Rect(0, 0, dest.mWidth, dest.mHeight), area);
    Blit(&temp, dest.mX, dest.mY, Rect(0, 0, dest.mWidth, dest.mHeight), color, drawMode);
    return;
  }
  if (!memSrc) return;
  auto* ddSrc = dynamic_cast<DDImage*>(src);
  if (ddSrc && color.IsWhite() && drawMode == DRAWMODE_NORMAL && (ddSrc->mSurface || ddSrc->CreateSurface()) &&
      !ddSrc->mHasAlpha) {
    const int32_t left = Trunc(area.mX), top = Trunc(area.mY);
    const bool relocked = HardwareBlit(
        ddSrc, RECT{dest.mX, dest.mY, dest.mX + dest.mWidth, dest.mY + dest.mHeight},
        RECT{left, top, Trunc(area.mX + area.mWidth), Trunc(area.mY + area.mHeight)});
    if (relocked) DeleteAllNonSurfaceData();
    return;
  }
  NearestStretch(memSrc, dest, area, color, drawMode, false);
  DeleteAllNonSurfaceData();
}

void DDImage::StretchBlitMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                                const Color& color, int32_t drawMode, bool fastStretch) {
  src->mDrawn = true;
  if (Is3D()) {
    mDDInterface->mD3DInterface->StretchBlit(src, destRect, srcRect, clip, color, drawMode, fastStretch, true);
    return;
  }
  Rect dest;
  FRect area;
  if (!MemoryImage::ClipStretchMirror(destRect, srcRect, clip, dest, area)) return;
  auto* memSrc = dynamic_cast<MemoryImage*>(src);
  if (memSrc && src != this) NearestStretch(memSrc, dest, area, color, drawMode, true);
  DeleteAllNonSurfaceData();
}

void DDImage::BlitMatrix(Image* src, float x, float y, const Matrix3& matrix, const Rect& clip, const Color& color,
                         int32_t drawMode, const Rect& srcRect, bool smooth) {
  src->mDrawn = true;
  if (Is3D()) {
    mDDInterface->mD3DInterface->BlitMatrix(src, matrix, srcRect, &clip, color, drawMode, true, x, y, true);
    return;
  }
  auto* memSrc = dynamic_cast<MemoryImage*>(src);
  if (!memSrc || !LockSurface()) return;
  // A 16-bit layout other than 5-6-5 or 5-5-5 has no rasteriser: nothing.
  if (int32_t format = SurfaceFormatCode())
    MemoryImage::BlitMatrixRaster(memSrc, srcRect, x, y, matrix, clip, color, mLockedSurfaceDesc.lpSurface,
                                  mLockedSurfaceDesc.lPitch, format, smooth);
  UnlockSurface();
  DeleteAllNonSurfaceData();
}

void DDImage::BlitTrianglesTex(Image* texture, const TriVertex* vertices, int32_t triangleCount, const Rect& clip,
                               const Color& color, int32_t drawMode, float offsetX, float offsetY, bool smooth) {
  texture->mDrawn = true;
  if (Is3D()) {
    mDDInterface->mD3DInterface->BlitTrianglesTex(texture, vertices, triangleCount, color, drawMode, offsetX, offsetY,
                                                  smooth);
    return;
  }
  auto* memSrc = dynamic_cast<MemoryImage*>(texture);
  if (!memSrc || !LockSurface()) return;
  if (int32_t format = SurfaceFormatCode())
    MemoryImage::BlitTrianglesRaster(memSrc, vertices, triangleCount, clip, color, mLockedSurfaceDesc.lpSurface,
                                     mLockedSurfaceDesc.lPitch, format, offsetX, offsetY, smooth);
  UnlockSurface();
  DeleteAllNonSurfaceData();
}

void DDImage::FillSpansWithCoverage(const Span* spans, int32_t count, const Color& color, int32_t drawMode,
                                    const uint8_t* coverage, int32_t coverX, int32_t coverY, int32_t coverWidth,
                                    int32_t coverHeight) {
  if (count <= 0) return;
  if (Is3D()) {
    int32_t left = spans[0].mX, top = spans[0].mY, right = left, bottom = top;
    for (int32_t i = 0; i < count; ++i) {
      left = std::min(left, spans[i].mX);
      top = std::min(top, spans[i].mY);
      right = std::max(right, spans[i].mX + spans[i].mWidth - 1);
      bottom = std::max(bottom, spans[i].mY);
    }
    std::vector<Span> moved(spans, spans + count);
    for (Span& s : moved) {
      s.mX -= left;
      s.mY -= top;
    }
    MemoryImage temp;
    temp.Create(right - left + 1, bottom - top + 1);
    temp.GetBits();
    temp.FillSpansWithCoverage(moved.data(), count, color, drawMode, coverage, coverX - left, coverY - top,
                               coverWidth, coverHeight);
    Blit(&temp, left, top, Rect(0, 0, temp.mWidth, temp.mHeight), Color::White, drawMode);
    return;
  }
  if (!LockSurface()) return;
  const DDPIXELFORMAT& f = mLockedSurfaceDesc.ddpfPixelFormat;
  const uint32_t masks[3] = {f.dwRBitMask, f.dwGBitMask, f.dwBBitMask};
  const uint32_t k[3] = {static_cast<uint32_t>(color.mRed), static_cast<uint32_t>(color.mGreen),
                         static_cast<uint32_t>(color.mBlue)};
  uint32_t packed = 0;
  for (int c = 0; c < 3; ++c) packed |= ((k[c] * masks[c]) >> 8) & masks[c];
  const int bytes = static_cast<int>(f.dwRGBBitCount / 8);
  if (bytes == 2 || bytes == 4) {
    auto* base = static_cast<uint8_t*>(mLockedSurfaceDesc.lpSurface);
    for (int32_t i = 0; i < count; ++i) {
      const Span& s = spans[i];
      const uint8_t* cov = coverage + static_cast<ptrdiff_t>(s.mY - coverY) * coverWidth + (s.mX - coverX);
      uint8_t* row = base + static_cast<ptrdiff_t>(s.mY) * (mLockedSurfaceDesc.lPitch / bytes) * bytes;
      for (int32_t j = 0; j < s.mWidth; ++j) {
        const uint32_t w = ((static_cast<uint32_t>(cov[j]) + 1) * static_cast<uint32_t>(color.mAlpha)) >> 8;
        uint8_t* p = row + static_cast<ptrdiff_t>(s.mX + j) * bytes;
        uint32_t d = 0;
        std::memcpy(&d, p, static_cast<size_t>(bytes));
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c)
          out |= static_cast<uint32_t>(((uint64_t(d & masks[c]) * (256 - w)) + uint64_t(packed & masks[c]) * w) >> 8) &
                 masks[c];
        std::memcpy(p, &out, static_cast<size_t>(bytes));
      }
    }
  }
  UnlockSurface();
  DeleteAllNonSurfaceData();
}

}  // namespace Plix
