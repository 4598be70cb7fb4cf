#pragma once
// A Direct3D-7-shaped device over the emulated DirectDraw surfaces
// (framework/platform/DDraw.h), drawn by the software rasteriser of
// framework/platform/Rasterizer.h. It offers what the framework draws with:
// pre-transformed vertices (XYZRHW | DIFFUSE | SPECULAR | TEX1), triangle
// lists, strips and fans, line strips, one texture stage with point or
// bilinear sampling and clamped addressing, texture x diffuse, alpha
// blending with the factors ZERO, ONE, SRCALPHA and INVSRCALPHA, viewports,
// clears and render targets. Texture formats: A8R8G8B8, A4R4G4B4, R5G6B5
// and 8-bit palettised with an alpha palette.
//
// The device is reached as on the original platform: QueryInterface of an
// IDirectDraw7 for IID_IDirect3D7, then CreateDevice on a surface made with
// DDSCAPS_3DDEVICE. The adapter says what it is: a software rasteriser.
// Tests change its capabilities and force results through EmulatedDirect3D.
#include <cstdint>
#include <vector>

#include "framework/platform/DDraw.h"

namespace Plix {

// ---------------------------------------------------------------- results

constexpr HRESULT D3D_OK = DD_OK;
constexpr HRESULT D3DERR_INVALIDPRIMITIVETYPE = MakeDDHResult(736);
constexpr HRESULT D3DERR_INVALIDVERTEXTYPE = MakeDDHResult(737);
constexpr HRESULT D3DERR_SCENE_IN_SCENE = MakeDDHResult(760);
constexpr HRESULT D3DERR_SCENE_NOT_IN_SCENE = MakeDDHResult(761);
constexpr HRESULT D3DERR_SCENE_BEGIN_FAILED = MakeDDHResult(762);
constexpr HRESULT D3DERR_SCENE_END_FAILED = MakeDDHResult(763);
constexpr HRESULT D3DERR_INVALIDVERTEXFORMAT = MakeDDHResult(2048);
constexpr HRESULT D3DERR_WRONGTEXTUREFORMAT = MakeDDHResult(2072);
constexpr HRESULT D3DERR_UNSUPPORTEDCOLOROPERATION = MakeDDHResult(2073);
constexpr HRESULT D3DERR_UNSUPPORTEDALPHAOPERATION = MakeDDHResult(2075);
constexpr HRESULT D3DERR_TEXTURE_LOCKED = MakeDDHResult(727);
constexpr HRESULT D3DERR_ZBUFFER_NOTPRESENT = MakeDDHResult(2070);

// -------------------------------------------------------------- interfaces

constexpr IID IID_IDirect3D7{207};
constexpr IID IID_IDirect3DHALDevice{301};
constexpr IID IID_IDirect3DTnLHalDevice{302};
constexpr IID IID_IDirect3DRGBDevice{303};

// ------------------------------------------------------------------ values

using D3DCOLOR = DWORD;

enum D3DPRIMITIVETYPE : DWORD {
  D3DPT_POINTLIST = 1,
  D3DPT_LINELIST = 2,
  D3DPT_LINESTRIP = 3,
  D3DPT_TRIANGLELIST = 4,
  D3DPT_TRIANGLESTRIP = 5,
  D3DPT_TRIANGLEFAN = 6
};

constexpr DWORD D3DFVF_XYZRHW = 0x004;
constexpr DWORD D3DFVF_DIFFUSE = 0x040;
constexpr DWORD D3DFVF_SPECULAR = 0x080;
constexpr DWORD D3DFVF_TEX1 = 0x100;
// The one vertex layout the device draws: D3DTLVERTEX's eight words.
constexpr DWORD D3DFVF_TLVERTEX = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1;

constexpr DWORD D3DDP_WAIT = 0x00000001;

constexpr DWORD D3DCLEAR_TARGET = 0x00000001;
constexpr DWORD D3DCLEAR_ZBUFFER = 0x00000002;
constexpr DWORD D3DCLEAR_STENCIL = 0x00000004;

enum D3DRENDERSTATETYPE : DWORD {
  D3DRENDERSTATE_ZENABLE = 7,
  D3DRENDERSTATE_SHADEMODE = 9,
  D3DRENDERSTATE_ZWRITEENABLE = 14,
  D3DRENDERSTATE_SRCBLEND = 19,
  D3DRENDERSTATE_DESTBLEND = 20,
  D3DRENDERSTATE_CULLMODE = 22,
  D3DRENDERSTATE_DITHERENABLE = 26,
  D3DRENDERSTATE_ALPHABLENDENABLE = 27,
  D3DRENDERSTATE_SPECULARENABLE = 29,
  D3DRENDERSTATE_LIGHTING = 137
};
constexpr DWORD kD3DRenderStateCount = 256;

enum D3DBLEND : DWORD {
  D3DBLEND_ZERO = 1,
  D3DBLEND_ONE = 2,
  D3DBLEND_SRCCOLOR = 3,
  D3DBLEND_INVSRCCOLOR = 4,
  D3DBLEND_SRCALPHA = 5,
  D3DBLEND_INVSRCALPHA = 6
};

enum D3DCULL : DWORD { D3DCULL_NONE = 1, D3DCULL_CW = 2, D3DCULL_CCW = 3 };
enum D3DSHADEMODE : DWORD { D3DSHADE_FLAT = 1, D3DSHADE_GOURAUD = 2 };

enum D3DTEXTURESTAGESTATETYPE : DWORD {
  D3DTSS_COLOROP = 1,
  D3DTSS_COLORARG1 = 2,
  D3DTSS_COLORARG2 = 3,
  D3DTSS_ALPHAOP = 4,
  D3DTSS_ALPHAARG1 = 5,
  D3DTSS_ALPHAARG2 = 6,
  D3DTSS_ADDRESS = 12,
  D3DTSS_ADDRESSU = 13,
  D3DTSS_ADDRESSV = 14,
  D3DTSS_MAGFILTER = 16,
  D3DTSS_MINFILTER = 17,
  D3DTSS_MIPFILTER = 18
};
constexpr DWORD kD3DTextureStageStateCount = 32;

enum D3DTEXTUREOP : DWORD { D3DTOP_DISABLE = 1, D3DTOP_SELECTARG1 = 2, D3DTOP_SELECTARG2 = 3, D3DTOP_MODULATE = 4 };

constexpr DWORD D3DTA_DIFFUSE = 0;
constexpr DWORD D3DTA_CURRENT = 1;
constexpr DWORD D3DTA_TEXTURE = 2;

enum D3DTEXTUREADDRESS : DWORD {
  D3DTADDRESS_WRAP = 1,
  D3DTADDRESS_MIRROR = 2,
  D3DTADDRESS_CLAMP = 3,
  D3DTADDRESS_BORDER = 4
};
enum D3DTEXTUREMAGFILTER : DWORD { D3DTFG_POINT = 1, D3DTFG_LINEAR = 2 };
enum D3DTEXTUREMINFILTER : DWORD { D3DTFN_POINT = 1, D3DTFN_LINEAR = 2 };
enum D3DTEXTUREMIPFILTER : DWORD { D3DTFP_NONE = 1, D3DTFP_POINT = 2, D3DTFP_LINEAR = 3 };

constexpr DWORD D3DPTEXTURECAPS_PERSPECTIVE = 0x00000001;
constexpr DWORD D3DPTEXTURECAPS_POW2 = 0x00000002;
constexpr DWORD D3DPTEXTURECAPS_ALPHA = 0x00000004;
constexpr DWORD D3DPTEXTURECAPS_ALPHAPALETTE = 0x00000080;

constexpr DWORD D3DPBLENDCAPS_ZERO = 0x00000001;
constexpr DWORD D3DPBLENDCAPS_ONE = 0x00000002;
constexpr DWORD D3DPBLENDCAPS_SRCALPHA = 0x00000010;
constexpr DWORD D3DPBLENDCAPS_INVSRCALPHA = 0x00000020;

constexpr DWORD D3DPTFILTERCAPS_NEAREST = 0x00000001;
constexpr DWORD D3DPTFILTERCAPS_LINEAR = 0x00000002;
constexpr DWORD D3DPTADDRESSCAPS_WRAP = 0x00000001;
constexpr DWORD D3DPTADDRESSCAPS_CLAMP = 0x00000004;
constexpr DWORD D3DPSHADECAPS_COLORGOURAUDRGB = 0x00000008;

constexpr DWORD D3DDEVCAPS_TLVERTEXSYSTEMMEMORY = 0x00000040;
constexpr DWORD D3DDEVCAPS_TEXTURESYSTEMMEMORY = 0x00000100;
constexpr DWORD D3DDEVCAPS_DRAWPRIMTLVERTEX = 0x00000400;

constexpr DWORD DDBD_16 = 0x00000400;
constexpr DWORD DDBD_24 = 0x00000200;
constexpr DWORD DDBD_32 = 0x00000100;

constexpr HRESULT D3DENUMRET_CANCEL = 0;
constexpr HRESULT D3DENUMRET_OK = 1;

// --------------------------------------------------------------- records

// A pre-transformed vertex: position with reciprocal w, two colours and
// one pair of texture coordinates (the D3DFVF_TLVERTEX layout).
struct D3DTLVERTEX {
  float sx = 0;
  float sy = 0;
  float sz = 0;
  float rhw = 1;
  D3DCOLOR color = 0;
  D3DCOLOR specular = 0;
  float tu = 0;
  float tv = 0;
};

struct D3DRECT {
  LONG x1 = 0;
  LONG y1 = 0;
  LONG x2 = 0;
  LONG y2 = 0;
};

struct D3DVIEWPORT7 {
  DWORD dwX = 0;
  DWORD dwY = 0;
  DWORD dwWidth = 0;
  DWORD dwHeight = 0;
  float dvMinZ = 0;
  float dvMaxZ = 0;
};

struct D3DPRIMCAPS {
  DWORD dwSize = 0;
  DWORD dwMiscCaps = 0;
  DWORD dwRasterCaps = 0;
  DWORD dwZCmpCaps = 0;
  DWORD dwSrcBlendCaps = 0;
  DWORD dwDestBlendCaps = 0;
  DWORD dwAlphaCmpCaps = 0;
  DWORD dwShadeCaps = 0;
  DWORD dwTextureCaps = 0;
  DWORD dwTextureFilterCaps = 0;
  DWORD dwTextureBlendCaps = 0;
  DWORD dwTextureAddressCaps = 0;
};

// The part of the device description the framework reads.
struct D3DDEVICEDESC7 {
  DWORD dwDevCaps = 0;
  D3DPRIMCAPS dpcLineCaps;
  D3DPRIMCAPS dpcTriCaps;
  DWORD dwDeviceRenderBitDepth = 0;
  DWORD dwDeviceZBufferBitDepth = 0;
  DWORD dwMinTextureWidth = 0;
  DWORD dwMinTextureHeight = 0;
  DWORD dwMaxTextureWidth = 0;
  DWORD dwMaxTextureHeight = 0;
  DWORD dwMaxTextureAspectRatio = 0;
  WORD wMaxTextureBlendStages = 0;
  WORD wMaxSimultaneousTextures = 0;
  GUID deviceGUID;
};

using LPD3DENUMPIXELFORMATSCALLBACK = HRESULT (*)(DDPIXELFORMAT* format, void* context);

// ----------------------------------------------------------------- objects

class IDirect3D7;

class IDirect3DDevice7 : public DDObject {
public:
  HRESULT GetCaps(D3DDEVICEDESC7* desc);
  HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context);
  HRESULT BeginScene();
  HRESULT EndScene();
  // count 0 with null rects clears the viewport; the target only (there is
  // no depth or stencil buffer).
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil);
  HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags);
  HRESULT GetRenderTarget(IDirectDrawSurface7** out);
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value);
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value);
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value);
  HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture);
  HRESULT GetTexture(DWORD stage, IDirectDrawSurface7** out);
  // The viewport must lie inside the render target.
  HRESULT SetViewport(const D3DVIEWPORT7* viewport);
  HRESULT GetViewport(D3DVIEWPORT7* viewport);
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices, DWORD count, DWORD flags);

private:
  friend class IDirect3D7;
  IDirect3DDevice7(IDirect3D7* owner, IDirectDrawSurface7* target);
  ~IDirect3DDevice7() override;
  void ResetViewport();

  IDirect3D7* mOwner;                    // counted
  IDirectDrawSurface7* mTarget;          // counted
  IDirectDrawSurface7* mTexture = nullptr;  // counted
  bool mInScene = false;
  D3DVIEWPORT7 mViewport;
  DWORD mRenderState[kD3DRenderStateCount] = {};
  DWORD mStageState[kD3DTextureStageStateCount] = {};
};

class IDirect3D7 : public DDObject {
public:
  // Any of the device classes gives the one software device.
  HRESULT CreateDevice(const IID& deviceClass, IDirectDrawSurface7* target, IDirect3DDevice7** out);

private:
  friend HRESULT CreateDirect3D7(IDirectDraw7* directDraw, void** out);
  explicit IDirect3D7(IDirectDraw7* directDraw);
  ~IDirect3D7() override;

  IDirectDraw7* mDirectDraw;  // counted
};

// Releases a counted interface and forgets it.
template <class T>
void ReleaseInterface(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

// What IDirectDraw7::QueryInterface(IID_IDirect3D7) answers.
HRESULT CreateDirect3D7(IDirectDraw7* directDraw, void** out);

// ------------------------------------------------------ the emulated device

enum class D3DOp {
  QueryInterface,  // IDirectDraw7 -> IDirect3D7
  CreateDevice,
  GetCaps,
  EnumTextureFormats,
  SetRenderTarget,
  BeginScene,
  Clear,
  SetTexture,
  DrawPrimitive,
  SetRenderState,
  SetTextureStageState,
  Count
};

struct EmulatedDirect3DConfig {
  // What GetCaps reports. A software rasteriser has no real limits; these
  // are the sizes it draws well.
  DWORD minTextureWidth = 1;
  DWORD minTextureHeight = 1;
  DWORD maxTextureWidth = 2048;
  DWORD maxTextureHeight = 2048;
  DWORD maxTextureAspectRatio = 0;  // none
  bool alphaPalette = true;
  // Listed by EnumTextureFormats, in this order.
  std::vector<DDPIXELFORMAT> textureFormats{PixelFormatA8R8G8B8(), PixelFormatA4R4G4B4(), PixelFormatR5G6B5(),
                                            PixelFormatP8()};
  // A driver defect for tests: the diffuse alpha never reaches the blend.
  bool ignoreDiffuseAlpha = false;
};

// One DrawPrimitive, as tests see it when they ask for a record.
struct D3DDrawRecord {
  D3DPRIMITIVETYPE type = D3DPT_TRIANGLELIST;
  std::vector<D3DTLVERTEX> vertices;
  IDirectDrawSurface7* texture = nullptr;  // not counted; identity only
};

class EmulatedDirect3D {
public:
  static EmulatedDirect3D& Get();

  void Configure(const EmulatedDirect3DConfig& config) { mConfig = config; }
  const EmulatedDirect3DConfig& Config() const { return mConfig; }
  // The next `times` calls of op (-1: every call) return hr.
  void FailNext(D3DOp op, HRESULT hr, int times = 1);
  void ClearFaults();
  // Every DrawPrimitive is appended to the log while one is set.
  void SetDrawLog(std::vector<D3DDrawRecord>* log) { mDrawLog = log; }
  int LiveDevices() const { return mLiveDevices; }

private:
  friend class IDirect3DDevice7;
  friend class IDirect3D7;
  friend HRESULT CreateDirect3D7(IDirectDraw7*, void**);
  EmulatedDirect3D() = default;
  HRESULT Fault(D3DOp op);

  struct Fault_ {
    HRESULT hr = D3D_OK;
    int times = 0;
  };
  EmulatedDirect3DConfig mConfig;
  Fault_ mFaults[static_cast<int>(D3DOp::Count)];
  std::vector<D3DDrawRecord>* mDrawLog = nullptr;
  int mLiveDevices = 0;
};

// Restores the default device and clears the faults and the log around a
// test.
class ScopedEmulatedDirect3D {
public:
  explicit ScopedEmulatedDirect3D(const EmulatedDirect3DConfig& config = {}) {
    Reset();
    EmulatedDirect3D::Get().Configure(config);
  }
  ~ScopedEmulatedDirect3D() { Reset(); }
  ScopedEmulatedDirect3D(const ScopedEmulatedDirect3D&) = delete;
  ScopedEmulatedDirect3D& operator=(const ScopedEmulatedDirect3D&) = delete;

private:
  static void Reset() {
    EmulatedDirect3D::Get().ClearFaults();
    EmulatedDirect3D::Get().SetDrawLog(nullptr);
    EmulatedDirect3D::Get().Configure({});
  }
};

}  // namespace Plix
