#include "framework/platform/Direct3D.h"

#include <algorithm>
#include <mutex>

#include "framework/platform/Rasterizer.h"

namespace Plix {

namespace {

bool IsRenderTarget(IDirectDrawSurface7* s) { return s && (s->Caps() & DDSCAPS_3DDEVICE); }

// Render targets are RGB surfaces of 16, 24 or 32 bits.
bool DrawableFormat(const DDPIXELFORMAT& f) {
  return (f.dwFlags & DDPF_RGB) && !(f.dwFlags & DDPF_PALETTEINDEXED8) &&
         (f.dwRGBBitCount == 16 || f.dwRGBBitCount == 24 || f.dwRGBBitCount == 32);
}

// The texel layout of a texture surface; false for one the device cannot
// sample.
bool TexelFormatOf(const DDPIXELFORMAT& f, Raster::TexelFormat& out) {
  const bool alpha = (f.dwFlags & DDPF_ALPHAPIXELS) != 0;
  if (f.dwFlags & DDPF_PALETTEINDEXED8) {
    out = Raster::TexelFormat::P8;
    return f.dwRGBBitCount == 8;
  }
  auto is = [&](DWORD bits, DWORD r, DWORD g, DWORD b) {
    return f.dwRGBBitCount == bits && f.dwRBitMask == r && f.dwGBitMask == g && f.dwBBitMask == b;
  };
  if (is(32, 0xFF0000, 0xFF00, 0xFF)) {
    out = alpha && f.dwRGBAlphaBitMask == 0xFF000000u ? Raster::TexelFormat::A8R8G8B8 : Raster::TexelFormat::X8R8G8B8;
    return true;
  }
  if (is(16, 0x0F00, 0x00F0, 0x000F) && alpha && f.dwRGBAlphaBitMask == 0xF000) {
    out = Raster::TexelFormat::A4R4G4B4;
    return true;
  }
  if (is(16, 0xF800, 0x07E0, 0x001F)) {
    out = Raster::TexelFormat::R5G6B5;
    return true;
  }
  if (is(16, 0x7C00, 0x03E0, 0x001F)) {
    out = Raster::TexelFormat::X1R5G5B5;
    return true;
  }
  return false;
}

Raster::Target TargetOf(IDirectDrawSurface7* s) {
  const DDPIXELFORMAT& f = s->Format();
  Raster::Target t;
  t.bits = s->Pixels();
  t.pitch = s->Pitch();
  t.width = s->Width();
  t.height = s->Height();
  t.bytesPerPixel = static_cast<int32_t>(f.dwRGBBitCount / 8);
  t.redMask = f.dwRBitMask;
  t.greenMask = f.dwGBitMask;
  t.blueMask = f.dwBBitMask;
  t.alphaMask = (f.dwFlags & DDPF_ALPHAPIXELS) ? f.dwRGBAlphaBitMask : 0;
  return t;
}

Raster::Blend BlendOf(DWORD value) {
  switch (value) {
    case D3DBLEND_ZERO: return Raster::Blend::Zero;
    case D3DBLEND_SRCALPHA: return Raster::Blend::SrcAlpha;
    case D3DBLEND_INVSRCALPHA: return Raster::Blend::InvSrcAlpha;
    default: return Raster::Blend::One;
  }
}

bool SupportedBlend(DWORD v) {
  return v == D3DBLEND_ZERO || v == D3DBLEND_ONE || v == D3DBLEND_SRCALPHA || v == D3DBLEND_INVSRCALPHA;
}

bool SupportedOp(DWORD v) { return v >= D3DTOP_DISABLE && v <= D3DTOP_MODULATE; }

bool SupportedArg(DWORD v) { return v == D3DTA_DIFFUSE || v == D3DTA_CURRENT || v == D3DTA_TEXTURE; }

// Stage 0's current colour is the diffuse colour.
Raster::StageArg ArgOf(DWORD v) { return v == D3DTA_TEXTURE ? Raster::StageArg::Texture : Raster::StageArg::Diffuse; }

void StageOf(DWORD op, DWORD arg1, DWORD arg2, Raster::StageOp& rop, Raster::StageArg& r1, Raster::StageArg& r2) {
  r1 = ArgOf(arg1);
  r2 = ArgOf(arg2);
  switch (op) {
    case D3DTOP_SELECTARG1: rop = Raster::StageOp::Arg1; break;
    case D3DTOP_SELECTARG2: rop = Raster::StageOp::Arg2; break;
    case D3DTOP_MODULATE: rop = Raster::StageOp::Modulate; break;
    default:  // a disabled stage passes the diffuse colour on
      rop = Raster::StageOp::Arg1;
      r1 = Raster::StageArg::Diffuse;
      break;
  }
}

Raster::Vertex ToRaster(const D3DTLVERTEX& v) {
  Raster::Vertex r;
  r.x = v.sx;
  r.y = v.sy;
  r.z = v.sz;
  r.rhw = v.rhw;
  r.diffuse = v.color;
  r.specular = v.specular;
  r.u = v.tu;
  r.v = v.tv;
  return r;
}

}  // namespace

// ------------------------------------------------------------- IDirect3D7

HRESULT CreateDirect3D7(IDirectDraw7* directDraw, void** out) {
  *out = nullptr;
  if (HRESULT hr = EmulatedDirect3D::Get().Fault(D3DOp::QueryInterface)) return hr;
  *out = new IDirect3D7(directDraw);
  return D3D_OK;
}

IDirect3D7::IDirect3D7(IDirectDraw7* directDraw) : mDirectDraw(directDraw) { mDirectDraw->AddRef(); }

IDirect3D7::~IDirect3D7() { mDirectDraw->Release(); }

HRESULT IDirect3D7::CreateDevice(const IID& deviceClass, IDirectDrawSurface7* target, IDirect3DDevice7** out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (HRESULT hr = EmulatedDirect3D::Get().Fault(D3DOp::CreateDevice)) return hr;
  if (!(deviceClass == IID_IDirect3DHALDevice) && !(deviceClass == IID_IDirect3DTnLHalDevice) &&
      !(deviceClass == IID_IDirect3DRGBDevice))
    return DDERR_INVALIDPARAMS;
  if (!target) return DDERR_INVALIDPARAMS;
  if (!IsRenderTarget(target)) return DDERR_INVALIDCAPS;
  if (!DrawableFormat(target->Format())) return DDERR_INVALIDPIXELFORMAT;
  if (target->IsLost() != DD_OK) return DDERR_SURFACELOST;
  *out = new IDirect3DDevice7(this, target);
  return D3D_OK;
}

// -------------------------------------------------------- IDirect3DDevice7

IDirect3DDevice7::IDirect3DDevice7(IDirect3D7* owner, IDirectDrawSurface7* target) : mOwner(owner), mTarget(target) {
  mOwner->AddRef();
  mTarget->AddRef();
  ++EmulatedDirect3D::Get().mLiveDevices;
  // The original device's defaults.
  mRenderState[D3DRENDERSTATE_SHADEMODE] = D3DSHADE_GOURAUD;
  mRenderState[D3DRENDERSTATE_ZWRITEENABLE] = TRUE;
  mRenderState[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
  mRenderState[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
  mRenderState[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
  mRenderState[D3DRENDERSTATE_LIGHTING] = TRUE;
  mStageState[D3DTSS_COLOROP] = D3DTOP_MODULATE;
  mStageState[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
  mStageState[D3DTSS_COLORARG2] = D3DTA_CURRENT;
  mStageState[D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
  mStageState[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
  mStageState[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
  mStageState[D3DTSS_ADDRESS] = D3DTADDRESS_WRAP;
  mStageState[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
  mStageState[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
  mStageState[D3DTSS_MAGFILTER] = D3DTFG_POINT;
  mStageState[D3DTSS_MINFILTER] = D3DTFN_POINT;
  mStageState[D3DTSS_MIPFILTER] = D3DTFP_NONE;
  ResetViewport();
}

IDirect3DDevice7::~IDirect3DDevice7() {
  --EmulatedDirect3D::Get().mLiveDevices;
  if (mTexture) mTexture->Release();
  mTarget->Release();
  mOwner->Release();
}

void IDirect3DDevice7::ResetViewport() {
  mViewport = D3DVIEWPORT7();
  mViewport.dwWidth = static_cast<DWORD>(mTarget->Width());
  mViewport.dwHeight = static_cast<DWORD>(mTarget->Height());
  mViewport.dvMaxZ = 1.0f;
}

HRESULT IDirect3DDevice7::GetCaps(D3DDEVICEDESC7* desc) {
  if (!desc) return DDERR_INVALIDPARAMS;
  EmulatedDirect3D& emu = EmulatedDirect3D::Get();
  if (HRESULT hr = emu.Fault(D3DOp::GetCaps)) return hr;
  const EmulatedDirect3DConfig& c = emu.mConfig;
  *desc = D3DDEVICEDESC7();
  desc->dwDevCaps = D3DDEVCAPS_TLVERTEXSYSTEMMEMORY | D3DDEVCAPS_TEXTURESYSTEMMEMORY | D3DDEVCAPS_DRAWPRIMTLVERTEX;
  D3DPRIMCAPS caps;
  caps.dwSize = sizeof(D3DPRIMCAPS);
  caps.dwSrcBlendCaps = caps.dwDestBlendCaps =
      D3DPBLENDCAPS_ZERO | D3DPBLENDCAPS_ONE | D3DPBLENDCAPS_SRCALPHA | D3DPBLENDCAPS_INVSRCALPHA;
  caps.dwShadeCaps = D3DPSHADECAPS_COLORGOURAUDRGB;
  caps.dwTextureCaps = D3DPTEXTURECAPS_PERSPECTIVE | D3DPTEXTURECAPS_ALPHA |
                       (c.alphaPalette ? D3DPTEXTURECAPS_ALPHAPALETTE : 0);
  caps.dwTextureFilterCaps = D3DPTFILTERCAPS_NEAREST | D3DPTFILTERCAPS_LINEAR;
  caps.dwTextureAddressCaps = D3DPTADDRESSCAPS_WRAP | D3DPTADDRESSCAPS_CLAMP;
  desc->dpcLineCaps = caps;
  desc->dpcTriCaps = caps;
  desc->dwDeviceRenderBitDepth = DDBD_16 | DDBD_24 | DDBD_32;
  desc->dwMinTextureWidth = c.minTextureWidth;
  desc->dwMinTextureHeight = c.minTextureHeight;
  desc->dwMaxTextureWidth = c.maxTextureWidth;
  desc->dwMaxTextureHeight = c.maxTextureHeight;
  desc->dwMaxTextureAspectRatio = c.maxTextureAspectRatio;
  desc->wMaxTextureBlendStages = 1;
  desc->wMaxSimultaneousTextures = 1;
  desc->deviceGUID.data1 = IID_IDirect3DRGBDevice.id;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) {
  if (!callback) return DDERR_INVALIDPARAMS;
  EmulatedDirect3D& emu = EmulatedDirect3D::Get();
  if (HRESULT hr = emu.Fault(D3DOp::EnumTextureFormats)) return hr;
  for (DDPIXELFORMAT format : emu.mConfig.textureFormats)
    if (callback(&format, context) == D3DENUMRET_CANCEL) break;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::BeginScene() {
  if (HRESULT hr = EmulatedDirect3D::Get().Fault(D3DOp::BeginScene)) return hr;
  if (mInScene) return D3DERR_SCENE_IN_SCENE;
  mInScene = true;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::EndScene() {
  if (!mInScene) return D3DERR_SCENE_NOT_IN_SCENE;
  mInScene = false;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float, DWORD) {
  if (HRESULT hr = EmulatedDirect3D::Get().Fault(D3DOp::Clear)) return hr;
  if (count > 0 && !rects) return DDERR_INVALIDPARAMS;
  if (flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) return D3DERR_ZBUFFER_NOTPRESENT;
  if (!(flags & D3DCLEAR_TARGET)) return D3D_OK;
  if (mTarget->IsLost() != DD_OK) return DDERR_SURFACELOST;
  if (mTarget->IsLocked()) return DDERR_SURFACEBUSY;
  const LONG vl = static_cast<LONG>(mViewport.dwX), vt = static_cast<LONG>(mViewport.dwY);
  const LONG vr = vl + static_cast<LONG>(mViewport.dwWidth), vb = vt + static_cast<LONG>(mViewport.dwHeight);
  const D3DRECT whole{vl, vt, vr, vb};
  std::lock_guard<std::recursive_mutex> pixels(EmulatedDisplay::Get().PixelLock());
  const Raster::Target target = TargetOf(mTarget);
  for (DWORD i = 0; i < std::max<DWORD>(count, 1); ++i) {
    const D3DRECT& r = count ? rects[i] : whole;
    Raster::Fill(target, std::max(r.x1, vl), std::max(r.y1, vt), std::min(r.x2, vr), std::min(r.y2, vb), color);
  }
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetRenderTarget(IDirectDrawSurface7* surface, DWORD) {
  if (HRESULT hr = EmulatedDirect3D::Get().Fault(D3DOp::SetRenderTarget)) return hr;
  if (!surface) return DDERR_INVALIDPARAMS;
  if (!IsRenderTarget(surface)) return DDERR_INVALIDCAPS;
  if (!DrawableFormat(surface->Format())) return DDERR_INVALIDPIXELFORMAT;
  if (surface->IsLost() != DD_OK) return DDERR_SURFACELOST;
  if (surface != mTarget) {
    surface->AddRef();
    mTarget->Release();
    mTarget = surface;
    ResetViewport();
  }
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetRenderTarget(IDirectDrawSurface7** out) {
  if (!out) return DDERR_INVALIDPARAMS;
  mTarget->AddRef();
  *out = mTarget;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (HRESULT hr = EmulatedDirect3D::Get().Fault(D3DOp::SetRenderState)) return hr;
  if (state >= kD3DRenderStateCount) return DDERR_INVALIDPARAMS;
  // The rasteriser blends with these four factors only.
  if ((state == D3DRENDERSTATE_SRCBLEND || state == D3DRENDERSTATE_DESTBLEND) && !SupportedBlend(value))
    return DDERR_INVALIDPARAMS;
  if (state == D3DRENDERSTATE_CULLMODE && (value < D3DCULL_NONE || value > D3DCULL_CCW)) return DDERR_INVALIDPARAMS;
  mRenderState[state] = value;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  if (!value || state >= kD3DRenderStateCount) return DDERR_INVALIDPARAMS;
  *value = mRenderState[state];
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
  if (HRESULT hr = EmulatedDirect3D::Get().Fault(D3DOp::SetTextureStageState)) return hr;
  // One texture stage.
  if (stage != 0 || state >= kD3DTextureStageStateCount) return DDERR_INVALIDPARAMS;
  switch (state) {
    case D3DTSS_COLOROP:
      if (!SupportedOp(value)) return D3DERR_UNSUPPORTEDCOLOROPERATION;
      break;
    case D3DTSS_ALPHAOP:
      if (!SupportedOp(value)) return D3DERR_UNSUPPORTEDALPHAOPERATION;
      break;
    case D3DTSS_COLORARG1:
    case D3DTSS_COLORARG2:
    case D3DTSS_ALPHAARG1:
    case D3DTSS_ALPHAARG2:
      if (!SupportedArg(value)) return DDERR_INVALIDPARAMS;
      break;
    case D3DTSS_ADDRESS:
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV:
      if (value != D3DTADDRESS_WRAP && value != D3DTADDRESS_CLAMP) return DDERR_INVALIDPARAMS;
      if (state == D3DTSS_ADDRESS) mStageState[D3DTSS_ADDRESSU] = mStageState[D3DTSS_ADDRESSV] = value;
      break;
    case D3DTSS_MAGFILTER:
    case D3DTSS_MINFILTER:
      if (value != D3DTFG_POINT && value != D3DTFG_LINEAR) return DDERR_INVALIDPARAMS;
      break;
    case D3DTSS_MIPFILTER:
      if (value < D3DTFP_NONE || value > D3DTFP_LINEAR) return DDERR_INVALIDPARAMS;
      break;
    default: break;
  }
  mStageState[state] = value;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value) {
  if (!value || stage != 0 || state >= kD3DTextureStageStateCount) return DDERR_INVALIDPARAMS;
  *value = mStageState[state];
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetTexture(DWORD stage, IDirectDrawSurface7* texture) {
  if (HRESULT hr = EmulatedDirect3D::Get().Fault(D3DOp::SetTexture)) return hr;
  if (stage != 0) return DDERR_INVALIDPARAMS;
  if (texture) {
    Raster::TexelFormat format;
    if (!(texture->Caps() & DDSCAPS_TEXTURE)) return DDERR_INVALIDCAPS;
    if (!TexelFormatOf(texture->Format(), format)) return D3DERR_WRONGTEXTUREFORMAT;
    texture->AddRef();
  }
  if (mTexture) mTexture->Release();
  mTexture = texture;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetTexture(DWORD stage, IDirectDrawSurface7** out) {
  if (!out || stage != 0) return DDERR_INVALIDPARAMS;
  if (mTexture) mTexture->AddRef();
  *out = mTexture;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetViewport(const D3DVIEWPORT7* viewport) {
  if (!viewport || viewport->dwWidth == 0 || viewport->dwHeight == 0) return DDERR_INVALIDPARAMS;
  const uint64_t right = uint64_t(viewport->dwX) + viewport->dwWidth;
  const uint64_t bottom = uint64_t(viewport->dwY) + viewport->dwHeight;
  if (right > uint64_t(mTarget->Width()) || bottom > uint64_t(mTarget->Height())) return DDERR_INVALIDPARAMS;
  mViewport = *viewport;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetViewport(D3DVIEWPORT7* viewport) {
  if (!viewport) return DDERR_INVALIDPARAMS;
  *viewport = mViewport;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::DrawPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices, DWORD count,
                                       DWORD) {
  EmulatedDirect3D& emu = EmulatedDirect3D::Get();
  if (HRESULT hr = emu.Fault(D3DOp::DrawPrimitive)) return hr;
  if (!mInScene) return D3DERR_SCENE_NOT_IN_SCENE;
  if (fvf != D3DFVF_TLVERTEX) return D3DERR_INVALIDVERTEXTYPE;
  if (type != D3DPT_LINESTRIP && type != D3DPT_TRIANGLELIST && type != D3DPT_TRIANGLESTRIP &&
      type != D3DPT_TRIANGLEFAN)
    return D3DERR_INVALIDPRIMITIVETYPE;
  if (count > 0 && !vertices) return DDERR_INVALIDPARAMS;
  if (mTarget->IsLost() != DD_OK || (mTexture && mTexture->IsLost() != DD_OK)) return DDERR_SURFACELOST;
  if (mTarget->IsLocked()) return DDERR_SURFACEBUSY;
  if (mTexture && mTexture->IsLocked()) return D3DERR_TEXTURE_LOCKED;
  const auto* v = static_cast<const D3DTLVERTEX*>(vertices);
  if (emu.mDrawLog) emu.mDrawLog->push_back(D3DDrawRecord{type, std::vector<D3DTLVERTEX>(v, v + count), mTexture});

  Raster::State state;
  state.blend = mRenderState[D3DRENDERSTATE_ALPHABLENDENABLE] != FALSE;
  state.srcBlend = BlendOf(mRenderState[D3DRENDERSTATE_SRCBLEND]);
  state.destBlend = BlendOf(mRenderState[D3DRENDERSTATE_DESTBLEND]);
  state.gouraud = mRenderState[D3DRENDERSTATE_SHADEMODE] != D3DSHADE_FLAT;
  StageOf(mStageState[D3DTSS_COLOROP], mStageState[D3DTSS_COLORARG1], mStageState[D3DTSS_COLORARG2], state.colorOp,
          state.colorArg1, state.colorArg2);
  StageOf(mStageState[D3DTSS_ALPHAOP], mStageState[D3DTSS_ALPHAARG1], mStageState[D3DTSS_ALPHAARG2], state.alphaOp,
          state.alphaArg1, state.alphaArg2);
  state.bilinear = mStageState[D3DTSS_MAGFILTER] == D3DTFG_LINEAR;
  state.wrapU = mStageState[D3DTSS_ADDRESSU] == D3DTADDRESS_WRAP;
  state.wrapV = mStageState[D3DTSS_ADDRESSV] == D3DTADDRESS_WRAP;
  state.ignoreDiffuseAlpha = emu.mConfig.ignoreDiffuseAlpha;
  // The viewport, kept inside the target.
  state.clipLeft = static_cast<int32_t>(std::min<DWORD>(mViewport.dwX, DWORD(mTarget->Width())));
  state.clipTop = static_cast<int32_t>(std::min<DWORD>(mViewport.dwY, DWORD(mTarget->Height())));
  state.clipRight = static_cast<int32_t>(std::min<uint64_t>(uint64_t(mViewport.dwX) + mViewport.dwWidth, mTarget->Width()));
  state.clipBottom =
      static_cast<int32_t>(std::min<uint64_t>(uint64_t(mViewport.dwY) + mViewport.dwHeight, mTarget->Height()));
  const DWORD cull = mRenderState[D3DRENDERSTATE_CULLMODE];

  Raster::Texture texture;
  if (mTexture) {
    TexelFormatOf(mTexture->Format(), texture.format);
    texture.bits = mTexture->Pixels();
    texture.pitch = mTexture->Pitch();
    texture.width = mTexture->Width();
    texture.height = mTexture->Height();
    IDirectDrawPalette* palette = nullptr;
    if (texture.format == Raster::TexelFormat::P8 && mTexture->GetPalette(&palette) == DD_OK) {
      for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = palette->Entries()[i];
        const uint32_t alpha = emu.mConfig.alphaPalette ? e.peFlags : 255;
        texture.palette[i] = (alpha << 24) | (uint32_t(e.peRed) << 16) | (uint32_t(e.peGreen) << 8) | e.peBlue;
      }
      palette->Release();
    }
  }
  const Raster::Texture* tex = mTexture ? &texture : nullptr;

  std::lock_guard<std::recursive_mutex> pixels(EmulatedDisplay::Get().PixelLock());
  const Raster::Target target = TargetOf(mTarget);
  auto culled = [&](const D3DTLVERTEX& a, const D3DTLVERTEX& b, const D3DTLVERTEX& c) {
    // Screen y grows downwards: a positive cross product turns clockwise.
    const double cross = (double(b.sx) - a.sx) * (double(c.sy) - a.sy) - (double(c.sx) - a.sx) * (double(b.sy) - a.sy);
    return (cull == D3DCULL_CCW && cross < 0) || (cull == D3DCULL_CW && cross > 0);
  };
  auto triangle = [&](const D3DTLVERTEX& a, const D3DTLVERTEX& b, const D3DTLVERTEX& c) {
    if (!culled(a, b, c)) Raster::DrawTriangle(target, tex, state, ToRaster(a), ToRaster(b), ToRaster(c));
  };
  switch (type) {
    case D3DPT_LINESTRIP:
      for (DWORD i = 0; i + 1 < count; ++i) Raster::DrawLine(target, tex, state, ToRaster(v[i]), ToRaster(v[i + 1]));
      break;
    case D3DPT_TRIANGLELIST:
      for (DWORD i = 0; i + 2 < count; i += 3) triangle(v[i], v[i + 1], v[i + 2]);
      break;
    case D3DPT_TRIANGLESTRIP:
      // An image's quad: its two triangles together, row by row.
      if (count == 4 && !culled(v[0], v[1], v[2]) && !culled(v[2], v[1], v[3]) &&
          Raster::DrawUprightQuad(target, tex, state, ToRaster(v[0]), ToRaster(v[1]), ToRaster(v[2]), ToRaster(v[3])))
        break;
      // Every second triangle is turned round so that all keep the first's winding.
      for (DWORD i = 0; i + 2 < count; ++i) {
        if (i % 2 == 0) triangle(v[i], v[i + 1], v[i + 2]);
        else triangle(v[i + 1], v[i], v[i + 2]);
      }
      break;
    default:
      for (DWORD i = 1; i + 1 < count; ++i) triangle(v[0], v[i], v[i + 1]);
      break;
  }
  return D3D_OK;
}

// ------------------------------------------------------- EmulatedDirect3D

EmulatedDirect3D& EmulatedDirect3D::Get() {
  static EmulatedDirect3D emulation;
  return emulation;
}

void EmulatedDirect3D::FailNext(D3DOp op, HRESULT hr, int times) { mFaults[static_cast<int>(op)] = {hr, times}; }

void EmulatedDirect3D::ClearFaults() {
  for (auto& f : mFaults) f = {};
}

HRESULT EmulatedDirect3D::Fault(D3DOp op) {
  Fault_& f = mFaults[static_cast<int>(op)];
  if (f.times == 0) return D3D_OK;
  if (f.times > 0) --f.times;
  return f.hr;
}

}  // namespace Plix
