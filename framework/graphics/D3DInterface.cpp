#include "framework/graphics/D3DInterface.h"

#include <algorithm>

#include "framework/graphics/DDInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TextureData.h"
#include "framework/platform/SdlWindow.h"
#include "framework/util/Debug.h"

namespace Plix {

int32_t gMinTextureWidth = 64;
int32_t gMinTextureHeight = 64;
int32_t gMaxTextureWidth = 64;
int32_t gMaxTextureHeight = 64;
int32_t gMaxTextureAspectRatio = 1;
uint32_t gSupportedTextureFormats = 0;
bool gLinearFilter = false;
std::atomic<bool> gHardwareProblem{false};

// ------------------------------------------------------------ D3DVertexList

D3DVertexList& D3DVertexList::operator=(const D3DVertexList& other) {
  if (this == &other) return *this;
  Clear();
  for (int32_t i = 0; i < other.mSize; ++i) Add(other.mData[i]);
  return *this;
}

void D3DVertexList::Add(const D3DVertex& v) {
  if (mSize == mCapacity) {
    std::vector<D3DVertex> grown(static_cast<size_t>(mCapacity) * 2);
    std::copy(mData, mData + mSize, grown.begin());
    mHeap.swap(grown);
    mData = mHeap.data();
    mCapacity *= 2;
  }
  mData[mSize++] = v;
}

// ------------------------------------------------------------- D3DInterface

D3DInterface::D3DInterface(DDInterface* display) : mDisplay(display) {
  gMinTextureWidth = gMinTextureHeight = 64;
  gMaxTextureWidth = gMaxTextureHeight = 64;
  gMaxTextureAspectRatio = 1;
}

D3DInterface::~D3DInterface() {
  Cleanup();
  mTransformStack.clear();
}

bool D3DInterface::Init(DDInterface* display) {
  mErrorText.clear();
  mDisplay = display;
  mDirectDraw = display->mDD7;
  mWindow = display->mHWnd;
  mWidth = display->mWidth;
  mHeight = display->mHeight;
  if (!display->mDrawSurface) return false;
  void* surface = nullptr;
  if (CheckD3DError("Query DrawSurface", display->mDrawSurface->QueryInterface(IID_IDirectDrawSurface7, &surface)))
    return false;
  mDrawSurface = static_cast<IDirectDrawSurface7*>(surface);
  return InitDevice();
}

bool D3DInterface::InitDevice() {
  void* direct3D = nullptr;
  // Without DirectDrawCreateEx there is no version-7 interface to ask.
  const HRESULT query = mDirectDraw ? mDirectDraw->QueryInterface(IID_IDirect3D7, &direct3D) : DDERR_NOTINITIALIZED;
  if (CheckD3DError("QueryInterface IID_IDirect3D7", query)) return false;
  mDirect3D = static_cast<IDirect3D7*>(direct3D);
  if (CheckD3DError("CreateDevice IID_IDirect3DHALDevice",
                    mDirect3D->CreateDevice(IID_IDirect3DHALDevice, mDrawSurface, &mDevice)))
    return false;
  D3DDEVICEDESC7 desc;
  if (CheckD3DError("", mDevice->GetCaps(&desc))) return false;

  gMinTextureWidth = static_cast<int32_t>(desc.dwMinTextureWidth);
  gMinTextureHeight = static_cast<int32_t>(desc.dwMinTextureHeight);
  gMaxTextureWidth = static_cast<int32_t>(std::min<DWORD>(desc.dwMaxTextureWidth, 1u << 30));
  gMaxTextureHeight = static_cast<int32_t>(std::min<DWORD>(desc.dwMaxTextureHeight, 1u << 30));
  gMaxTextureAspectRatio = static_cast<int32_t>(std::min<DWORD>(desc.dwMaxTextureAspectRatio, 1u << 30));
  gLinearFilter = false;
  if (gMaxTextureWidth == 0) {
    gMinTextureWidth = gMinTextureHeight = gMaxTextureWidth = gMaxTextureHeight = 64;
    gMaxTextureAspectRatio = 1;
  } else {
    gMaxTextureWidth = std::min(gMaxTextureWidth, 1024);
    gMaxTextureHeight = std::min(gMaxTextureHeight, 1024);
    gMinTextureWidth = std::max(gMinTextureWidth, 1);
    gMinTextureHeight = std::max(gMinTextureHeight, 1);
    if (gMaxTextureAspectRatio == 0) gMaxTextureAspectRatio = 65536;
  }

  gSupportedTextureFormats = 0;
  mDevice->EnumTextureFormats(
      [](DDPIXELFORMAT* format, void*) {
        gSupportedTextureFormats |= static_cast<uint32_t>(ClassifyPixelFormat(*format));
        return D3DENUMRET_OK;
      },
      nullptr);
  if (!(desc.dpcTriCaps.dwTextureCaps & D3DPTEXTURECAPS_ALPHAPALETTE))
    gSupportedTextureFormats &= ~uint32_t(PixelFormat_Palette8);

  SetupViewport();
  // No depth buffer: the scenes run with depth testing off.
  mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  return true;
}

void D3DInterface::SetupViewport() {
  // The window's client area; a window we cannot see leaves the device's
  // own viewport (the whole target), as a refused viewport does.
  RECT client;
  if (SdlWindow* window = SdlWindow::FromHandle(mWindow)) client = window->GetClientRect();
  POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
  ClientToScreen(mWindow, &topLeft);
  ClientToScreen(mWindow, &bottomRight);
  mViewport = D3DVIEWPORT7();
  mViewport.dwWidth = static_cast<DWORD>(std::max<LONG>(bottomRight.x - topLeft.x, 0));
  mViewport.dwHeight = static_cast<DWORD>(std::max<LONG>(bottomRight.y - topLeft.y, 0));
  mViewport.dvMinZ = 0.0f;
  mViewport.dvMaxZ = 1.0f;
  mDevice->SetViewport(&mViewport);
}

bool D3DInterface::PreDraw() {
  if (!mDevice || (mDisplay && mDisplay->mApp->IsMinimised())) return false;
  if (mSceneBegun) return true;
  if (FAILED(mDevice->SetRenderTarget(mDrawSurface, 0))) {
    gHardwareProblem = true;
    return false;
  }
  gHardwareProblem = false;
  mDevice->BeginScene();
  mDevice->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
  mDevice->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  mDevice->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  mDevice->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
  mDevice->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_POINT);
  mDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_POINT);
  mDevice->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_NONE);
  mDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  mDevice->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
  mDevice->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
  mDevice->SetRenderState(D3DRENDERSTATE_DITHERENABLE, FALSE);
  mDevice->SetRenderState(D3DRENDERSTATE_SPECULARENABLE, FALSE);
  mDevice->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, FALSE);
  mDevice->SetRenderState(D3DRENDERSTATE_ZENABLE, FALSE);
  mDevice->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  mSceneBegun = true;
  gLinearFilter = false;
  return true;
}

void D3DInterface::Flush() {
  if (!mSceneBegun) return;
  mDevice->EndScene();
  mSceneBegun = false;
  mErrorText.clear();
}

void D3DInterface::Cleanup() {
  if (mDevice) Flush();
  mSceneBegun = false;
  {
    AutoCrit lock(mDisplay->mCritSect);
    for (MemoryImage* image : mImageSet) {
      delete image->mD3DData;
      image->mD3DData = nullptr;
    }
    mImageSet.clear();
  }
  ReleaseInterface(mDevice);
  ReleaseInterface(mDirect3D);
  ReleaseInterface(mDrawSurface);
}

bool D3DInterface::CheckD3DError(const char* step, HRESULT result) {
  if (SUCCEEDED(result)) return false;
  mErrorText = std::string(step) + ": " + GetDirectXErrorString(result);
  if (mDisplay) mDisplay->mApp->WriteRegistryStringUnrecorded("Test3D\\RuntimeError", mErrorText);
  return true;
}

IDirectDrawSurface7* D3DInterface::CreateTextureSurface(int32_t width, int32_t height, int32_t formatCode) {
  if (CheckD3DError("SetTexture NULL", mDevice->SetTexture(0, nullptr))) return nullptr;
  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  desc.dwWidth = static_cast<DWORD>(width);
  desc.dwHeight = static_cast<DWORD>(height);
  desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
  desc.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
  desc.ddpfPixelFormat = MakePixelFormat(formatCode);
  IDirectDrawSurface7* texture = nullptr;
  if (FAILED(mDirectDraw->CreateSurface(&desc, &texture, nullptr))) return nullptr;
  return texture;
}

DDPIXELFORMAT D3DInterface::MakePixelFormat(int32_t formatCode) {
  switch (formatCode) {
    case PixelFormat_A8R8G8B8: return PixelFormatA8R8G8B8();
    case PixelFormat_A4R4G4B4: return PixelFormatA4R4G4B4();
    case PixelFormat_R5G6B5: return PixelFormatR5G6B5();
    case PixelFormat_Palette8: return PixelFormatP8();
    default: return DDPIXELFORMAT();
  }
}

int32_t D3DInterface::ClassifyPixelFormat(const DDPIXELFORMAT& format) {
  for (int32_t code : {PixelFormat_A8R8G8B8, PixelFormat_A4R4G4B4, PixelFormat_R5G6B5, PixelFormat_Palette8}) {
    const DDPIXELFORMAT row = MakePixelFormat(code);
    if (row.dwFlags != format.dwFlags || row.dwRGBBitCount != format.dwRGBBitCount) continue;
    if (code == PixelFormat_Palette8) return code;
    if (row.dwRGBAlphaBitMask == format.dwRGBAlphaBitMask && row.dwRBitMask == format.dwRBitMask &&
        row.dwGBitMask == format.dwGBitMask && row.dwBBitMask == format.dwBBitMask)
      return code;
  }
  return PixelFormat_Unknown;
}

// ------------------------------------------------------------ texture cache

bool D3DInterface::PrepareImageTexture(MemoryImage* image) {
  bool made = false, purge = false;
  if (!image->mD3DData) {
    image->mD3DData = new TextureData();
    purge = image->mPurgeBits;
    made = true;
    AutoCrit lock(mDisplay->mCritSect);
    mImageSet.insert(image);
  }
  TextureData* data = image->mD3DData;
  data->CheckCreateTextures(*this, image);
  // The textures hold the pixels now: a purge asked for may go ahead.
  if (made && purge) image->PurgeBits();
  return data->mFormatCode != PixelFormat_Unknown;
}

void D3DInterface::ReleaseImageTexture(MemoryImage* image) {
  AutoCrit lock(mDisplay->mCritSect);
  delete image->mD3DData;
  image->mD3DData = nullptr;
  mImageSet.erase(image);
}

bool D3DInterface::ReadTextureIntoBits(MemoryImage* image) {
  return image->mD3DData && image->mD3DData->ReadIntoBits(*this, image);
}

}  // namespace Plix
