#include "framework/platform/Direct3D.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace Plix {
namespace {

// DirectDraw, its Direct3D and a device on a 3D-capable render surface.
class Device {
public:
  explicit Device(int w = 8, int h = 8, DWORD extraCaps = 0) {
    void* out = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &out, IID_IDirectDraw7, nullptr), DD_OK);
    dd = static_cast<IDirectDraw7*>(out);
    dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
    target = Surface(w, h, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | extraCaps);
    EXPECT_EQ(dd->QueryInterface(IID_IDirect3D7, &out), DD_OK);
    d3d = static_cast<IDirect3D7*>(out);
    EXPECT_EQ(d3d->CreateDevice(IID_IDirect3DHALDevice, target, &device), D3D_OK);
  }
  ~Device() {
    if (device) device->Release();
    d3d->Release();
    target->Release();
    dd->Release();
  }
  IDirectDrawSurface7* Surface(int w, int h, DWORD caps, const DDPIXELFORMAT* format = nullptr) {
    DDSURFACEDESC2 desc;
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | (format ? DDSD_PIXELFORMAT : 0);
    desc.dwWidth = static_cast<DWORD>(w);
    desc.dwHeight = static_cast<DWORD>(h);
    desc.ddsCaps.dwCaps = caps;
    if (format) desc.ddpfPixelFormat = *format;
    IDirectDrawSurface7* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
    return s;
  }
  uint32_t At(int x, int y) {
    uint32_t v = 0;
    std::memcpy(&v, target->Pixels() + y * target->Pitch() + x * 4, 4);
    return v & 0xFFFFFF;
  }
  HRESULT Quad(float x0, float y0, float x1, float y1, D3DCOLOR color) {
    D3DTLVERTEX v[4];
    // Top-left, top-right, bottom-left, bottom-right: clockwise, so that
    // the default culling keeps it.
    for (int i = 0; i < 4; ++i) {
      v[i].sx = i % 2 ? x1 : x0;
      v[i].sy = i < 2 ? y0 : y1;
      v[i].color = color;
      v[i].tu = i % 2 ? 1.0f : 0.0f;
      v[i].tv = i < 2 ? 0.0f : 1.0f;
    }
    return device->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_TLVERTEX, v, 4, D3DDP_WAIT);
  }

  ScopedEmulatedDisplay display;
  ScopedEmulatedDirect3D emulation;
  IDirectDraw7* dd = nullptr;
  IDirectDrawSurface7* target = nullptr;
  IDirect3D7* d3d = nullptr;
  IDirect3DDevice7* device = nullptr;
};

TEST(Direct3D, TheDeviceComesFromDirectDrawAndNeedsA3DSurface) {
  Device d;
  ASSERT_NE(d.device, nullptr);
  EXPECT_EQ(EmulatedDirect3D::Get().LiveDevices(), 1);
  IDirectDrawSurface7* plain = d.Surface(4, 4, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
  IDirect3DDevice7* other = nullptr;
  EXPECT_EQ(d.d3d->CreateDevice(IID_IDirect3DHALDevice, plain, &other), DDERR_INVALIDCAPS);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(d.device->SetRenderTarget(plain, 0), DDERR_INVALIDCAPS);
  plain->Release();
  // The device holds its target: releasing ours keeps it alive.
  const int surfaces = EmulatedDisplay::Get().LiveSurfaces();
  d.target->AddRef();
  d.target->Release();
  EXPECT_EQ(EmulatedDisplay::Get().LiveSurfaces(), surfaces);
  d.device->Release();
  d.device = nullptr;
  EXPECT_EQ(EmulatedDirect3D::Get().LiveDevices(), 0);
}

TEST(Direct3D, CapsAndTextureFormatsComeFromTheConfiguration) {
  Device d;
  D3DDEVICEDESC7 caps;
  ASSERT_EQ(d.device->GetCaps(&caps), D3D_OK);
  EXPECT_EQ(caps.dwMaxTextureWidth, 2048u);
  EXPECT_EQ(caps.dwMinTextureWidth, 1u);
  EXPECT_EQ(caps.dwMaxTextureAspectRatio, 0u);
  EXPECT_TRUE(caps.dpcTriCaps.dwTextureCaps & D3DPTEXTURECAPS_ALPHAPALETTE);
  std::vector<DWORD> bits;
  d.device->EnumTextureFormats(
      [](DDPIXELFORMAT* f, void* ctx) {
        static_cast<std::vector<DWORD>*>(ctx)->push_back(f->dwRGBBitCount);
        return D3DENUMRET_OK;
      },
      &bits);
  EXPECT_EQ(bits, (std::vector<DWORD>{32, 16, 16, 8}));

  EmulatedDirect3DConfig c;
  c.maxTextureWidth = 0;
  c.alphaPalette = false;
  c.textureFormats = {PixelFormatA4R4G4B4()};
  EmulatedDirect3D::Get().Configure(c);
  ASSERT_EQ(d.device->GetCaps(&caps), D3D_OK);
  EXPECT_EQ(caps.dwMaxTextureWidth, 0u);
  EXPECT_FALSE(caps.dpcTriCaps.dwTextureCaps & D3DPTEXTURECAPS_ALPHAPALETTE);
  bits.clear();
  d.device->EnumTextureFormats(
      [](DDPIXELFORMAT* f, void* ctx) {
        static_cast<std::vector<DWORD>*>(ctx)->push_back(f->dwRGBBitCount);
        return D3DENUMRET_CANCEL;
      },
      &bits);
  EXPECT_EQ(bits, (std::vector<DWORD>{16}));
}

TEST(Direct3D, DrawingNeedsAnOpenSceneAndTheOneVertexLayout) {
  Device d;
  EXPECT_EQ(d.Quad(-0.5f, -0.5f, 1.5f, 1.5f, 0xFFFFFFFF), D3DERR_SCENE_NOT_IN_SCENE);
  EXPECT_EQ(d.device->EndScene(), D3DERR_SCENE_NOT_IN_SCENE);
  ASSERT_EQ(d.device->BeginScene(), D3D_OK);
  EXPECT_EQ(d.device->BeginScene(), D3DERR_SCENE_IN_SCENE);
  D3DTLVERTEX v[3];
  EXPECT_EQ(d.device->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_XYZRHW, v, 3, 0), D3DERR_INVALIDVERTEXTYPE);
  EXPECT_EQ(d.device->DrawPrimitive(D3DPT_POINTLIST, D3DFVF_TLVERTEX, v, 3, 0), D3DERR_INVALIDPRIMITIVETYPE);
  EXPECT_EQ(d.Quad(-0.5f, -0.5f, 1.5f, 1.5f, 0xFF123456), D3D_OK);
  EXPECT_EQ(d.device->EndScene(), D3D_OK);
  EXPECT_EQ(d.At(1, 1), 0x123456u);
  EXPECT_EQ(d.At(2, 2), 0u);
}

TEST(Direct3D, TheDefaultStatesCullCounterClockwiseAndDoNotBlend) {
  Device d;
  d.device->BeginScene();
  D3DTLVERTEX v[3];
  const float pts[3][2] = {{-0.5f, -0.5f}, {3.5f, -0.5f}, {-0.5f, 3.5f}};  // clockwise on the screen
  for (int i = 0; i < 3; ++i) {
    v[i].sx = pts[i][0];
    v[i].sy = pts[i][1];
    v[i].color = 0x80FF0000;
  }
  ASSERT_EQ(d.device->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_TLVERTEX, v, 3, 0), D3D_OK);
  EXPECT_EQ(d.At(0, 0), 0xFF0000u);  // drawn, not blended
  std::swap(v[1], v[2]);
  v[0].color = v[1].color = v[2].color = 0xFF00FF00;
  ASSERT_EQ(d.device->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_TLVERTEX, v, 3, 0), D3D_OK);
  EXPECT_EQ(d.At(0, 0), 0xFF0000u);  // culled
  d.device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  ASSERT_EQ(d.device->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_TLVERTEX, v, 3, 0), D3D_OK);
  EXPECT_EQ(d.At(0, 0), 0x00FF00u);
  d.device->EndScene();
  // Blend factors the rasteriser does not have are refused.
  EXPECT_EQ(d.device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCCOLOR), DDERR_INVALIDPARAMS);
  EXPECT_EQ(d.device->SetTextureStageState(0, D3DTSS_COLOROP, 7), D3DERR_UNSUPPORTEDCOLOROPERATION);
  EXPECT_EQ(d.device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE), DDERR_INVALIDPARAMS);
}

TEST(Direct3D, ClearsAndDrawingStayInsideTheViewport) {
  Device d;
  D3DVIEWPORT7 vp;
  vp.dwX = 2;
  vp.dwY = 2;
  vp.dwWidth = 4;
  vp.dwHeight = 3;
  ASSERT_EQ(d.device->SetViewport(&vp), D3D_OK);
  ASSERT_EQ(d.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF202020, 1.0f, 0), D3D_OK);
  EXPECT_EQ(d.At(2, 2), 0x202020u);
  EXPECT_EQ(d.At(5, 4), 0x202020u);
  EXPECT_EQ(d.At(1, 2), 0u);
  EXPECT_EQ(d.At(6, 4), 0u);
  D3DRECT r{0, 0, 3, 3};
  ASSERT_EQ(d.device->Clear(1, &r, D3DCLEAR_TARGET, 0xFF404040, 1.0f, 0), D3D_OK);
  EXPECT_EQ(d.At(2, 2), 0x404040u);
  EXPECT_EQ(d.At(0, 0), 0u);
  EXPECT_EQ(d.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_ZBUFFER_NOTPRESENT);

  d.device->BeginScene();
  d.Quad(-10, -10, 20, 20, 0xFFFFFFFF);
  d.device->EndScene();
  EXPECT_EQ(d.At(2, 2), 0xFFFFFFu);
  EXPECT_EQ(d.At(5, 4), 0xFFFFFFu);
  EXPECT_EQ(d.At(1, 1), 0u);
  EXPECT_EQ(d.At(6, 5), 0u);

  // A viewport reaching outside the target, or an empty one, is refused
  // and the old one stays.
  vp.dwWidth = 7;
  EXPECT_EQ(d.device->SetViewport(&vp), DDERR_INVALIDPARAMS);
  vp.dwWidth = 0;
  EXPECT_EQ(d.device->SetViewport(&vp), DDERR_INVALIDPARAMS);
  D3DVIEWPORT7 now;
  d.device->GetViewport(&now);
  EXPECT_EQ(now.dwWidth, 4u);
}

TEST(Direct3D, TexturesAreSampledWithTheirPaletteAndRefusedWhileLocked) {
  Device d;
  const DDPIXELFORMAT p8 = PixelFormatP8();
  IDirectDrawSurface7* tex = d.Surface(2, 1, DDSCAPS_TEXTURE, &p8);
  PALETTEENTRY entries[256];
  entries[1] = PALETTEENTRY{0x10, 0x20, 0x30, 0xFF};
  entries[2] = PALETTEENTRY{0xFF, 0xFF, 0xFF, 0x00};
  IDirectDrawPalette* palette = nullptr;
  ASSERT_EQ(d.dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256 | DDPCAPS_ALPHA, entries, &palette, nullptr), DD_OK);
  ASSERT_EQ(tex->SetPalette(palette), DD_OK);
  palette->Release();
  tex->Pixels()[0] = 1;
  tex->Pixels()[1] = 2;

  d.device->BeginScene();
  d.device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
  d.device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  d.device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  ASSERT_EQ(d.device->SetTexture(0, tex), D3D_OK);
  ASSERT_EQ(d.Quad(-0.5f, -0.5f, 1.5f, 0.5f, 0xFFFFFFFF), D3D_OK);
  EXPECT_EQ(d.At(0, 0), 0x102030u);
  EXPECT_EQ(d.At(1, 0), 0u);  // alpha 0 in the palette

  DDSURFACEDESC2 lock;
  lock.dwSize = kDDSurfaceDesc2Size;
  ASSERT_EQ(tex->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(d.Quad(-0.5f, -0.5f, 1.5f, 0.5f, 0xFFFFFFFF), D3DERR_TEXTURE_LOCKED);
  tex->Unlock(nullptr);
  d.device->EndScene();

  IDirectDrawSurface7* plain = d.Surface(2, 2, DDSCAPS_OFFSCREENPLAIN);
  EXPECT_EQ(d.device->SetTexture(0, plain), DDERR_INVALIDCAPS);
  plain->Release();
  d.device->SetTexture(0, nullptr);
  tex->Release();
}

TEST(Direct3D, ForcedFaultsAndLostTargetsFailTheirCalls) {
  Device d;
  EmulatedDirect3D::Get().FailNext(D3DOp::BeginScene, D3DERR_SCENE_BEGIN_FAILED);
  EXPECT_EQ(d.device->BeginScene(), D3DERR_SCENE_BEGIN_FAILED);
  EXPECT_EQ(d.device->BeginScene(), D3D_OK);
  EmulatedDirect3D::Get().FailNext(D3DOp::DrawPrimitive, DDERR_GENERIC, -1);
  EXPECT_EQ(d.Quad(0, 0, 1, 1, 0xFFFFFFFF), DDERR_GENERIC);
  EXPECT_EQ(d.Quad(0, 0, 1, 1, 0xFFFFFFFF), DDERR_GENERIC);
  EmulatedDirect3D::Get().ClearFaults();
  d.device->EndScene();

  EmulatedDisplay::Get().LoseAllSurfaces();
  EXPECT_EQ(d.device->SetRenderTarget(d.target, 0), DDERR_SURFACELOST);
  d.target->Restore();
  EXPECT_EQ(d.device->SetRenderTarget(d.target, 0), D3D_OK);

  EmulatedDirect3D::Get().FailNext(D3DOp::QueryInterface, E_NOINTERFACE);
  void* out = nullptr;
  EXPECT_EQ(d.dd->QueryInterface(IID_IDirect3D7, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
}

TEST(Direct3D, TheDrawLogRecordsPrimitivesForTests) {
  Device d;
  std::vector<D3DDrawRecord> log;
  EmulatedDirect3D::Get().SetDrawLog(&log);
  d.device->BeginScene();
  d.Quad(9.5f, 19.5f, 12.5f, 22.5f, 0xFFFFFFFF);
  d.device->EndScene();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].type, D3DPT_TRIANGLESTRIP);
  ASSERT_EQ(log[0].vertices.size(), 4u);
  EXPECT_FLOAT_EQ(log[0].vertices[0].sx, 9.5f);
  EXPECT_FLOAT_EQ(log[0].vertices[3].sy, 22.5f);
}

TEST(Direct3D, TheAdapterNamesItselfASoftwareDevice) {
  ScopedEmulatedDisplay display;
  IDirectDraw* dd = nullptr;
  ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
  DDDEVICEIDENTIFIER2 id;
  ASSERT_EQ(dd->GetDeviceIdentifier(&id, 0), DD_OK);
  EXPECT_NE(std::string(id.szDescription).find("software"), std::string::npos);
  dd->Release();
}

}  // namespace
}  // namespace Plix
