#include "framework/platform/DDraw.h"

#include "framework/platform/Clock.h"

#include <gtest/gtest.h>

#include <cstring>

namespace Plix {
namespace {

// A DirectDraw object at the normal cooperative level, released at the end.
struct DD {
  IDirectDraw* dd = nullptr;
  DD() {
    EXPECT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
  }
  ~DD() {
    if (dd) dd->Release();
  }
  IDirectDrawSurface* Offscreen(int w, int h, DWORD caps = DDSCAPS_SYSTEMMEMORY, const DDPIXELFORMAT* f = nullptr) {
    DDSURFACEDESC2 desc;
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(w);
    desc.dwHeight = static_cast<DWORD>(h);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | caps;
    if (f) {
      desc.dwFlags |= DDSD_PIXELFORMAT;
      desc.ddpfPixelFormat = *f;
    }
    IDirectDrawSurface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
    return s;
  }
  IDirectDrawSurface* Primary() {
    DDSURFACEDESC2 desc;
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
    return s;
  }
};

uint32_t Get32(IDirectDrawSurface* s, int x, int y) {
  uint32_t v;
  std::memcpy(&v, s->Pixels() + y * s->Pitch() + x * 4, 4);
  return v;
}

void Set32(IDirectDrawSurface* s, int x, int y, uint32_t v) { std::memcpy(s->Pixels() + y * s->Pitch() + x * 4, &v, 4); }

TEST(DDraw, ResultCodesHaveTheSdkValues) {
  EXPECT_EQ(static_cast<uint32_t>(DDERR_SURFACELOST), 0x887601C2u);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_INVALIDPIXELFORMAT), 0x88760091u);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_VERTICALBLANKINPROGRESS), 0x88760219u);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_INVALIDRECT), 0x88760096u);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_OUTOFVIDEOMEMORY), 0x8876017Cu);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_UNSUPPORTED), 0x80004001u);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_INVALIDPARAMS), 0x80070057u);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_NOEXCLUSIVEMODE), 0x887600E1u);
}

TEST(DDraw, PrimaryTakesTheDesktopFormat) {
  struct Case {
    int bits;
    DWORD bitCount, r, g, b;
  } cases[] = {{32, 32, 0xFF0000, 0xFF00, 0xFF}, {16, 16, 0xF800, 0x07E0, 0x1F}, {15, 16, 0x7C00, 0x03E0, 0x1F},
               {24, 24, 0xFF0000, 0xFF00, 0xFF}};
  for (const Case& c : cases) {
    EmulatedDisplayConfig config;
    config.desktopWidth = 320;
    config.desktopHeight = 200;
    config.desktopBits = c.bits;
    ScopedEmulatedDisplay scope(config);
    DD d;
    IDirectDrawSurface* p = d.Primary();
    DDSURFACEDESC desc;
    desc.dwSize = kDDSurfaceDescSize;
    ASSERT_EQ(p->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 320u);
    EXPECT_EQ(desc.dwHeight, 200u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, c.bitCount) << c.bits;
    EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, c.r);
    EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, c.g);
    EXPECT_EQ(desc.ddpfPixelFormat.dwBBitMask, c.b);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY);
    IDirectDrawSurface* second = nullptr;
    DDSURFACEDESC2 again;
    again.dwSize = kDDSurfaceDesc2Size;
    again.dwFlags = DDSD_CAPS;
    again.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    EXPECT_EQ(d.dd->CreateSurface(&again, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    p->Release();
  }
}

TEST(DDraw, LockGivesPointerPitchAndFormat) {
  EmulatedDisplayConfig config;
  config.pitchPadding = 12;
  ScopedEmulatedDisplay scope(config);
  DD d;
  DDPIXELFORMAT f = PixelFormatR5G6B5();
  IDirectDrawSurface* s = d.Offscreen(5, 3, DDSCAPS_SYSTEMMEMORY, &f);
  DDSURFACEDESC desc;
  desc.dwSize = kDDSurfaceDescSize;
  ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(desc.lpSurface, s->Pixels());
  EXPECT_EQ(desc.lPitch, 16 + 12);  // 10 bytes rounded to 8, plus the padding
  EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, 0x07E0u);
  EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);
  DDSURFACEDESC again;
  again.dwSize = kDDSurfaceDescSize;
  EXPECT_EQ(s->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(s->Unlock(nullptr), DD_OK);
  EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
  // A part of the surface, and a description of the wrong size.
  RECT part{2, 1, 4, 3};
  ASSERT_EQ(s->Lock(&part, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(static_cast<uint8_t*>(desc.lpSurface), s->Pixels() + desc.lPitch + 4);
  s->Unlock(nullptr);
  DDSURFACEDESC bad;
  bad.dwSize = kDDSurfaceDesc2Size;
  EXPECT_EQ(s->Lock(nullptr, &bad, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
  s->Release();
}

TEST(DDraw, BltCopiesWithSourceKeyAndStretches) {
  ScopedEmulatedDisplay scope;
  DD d;
  IDirectDrawSurface* src = d.Offscreen(2, 2);
  IDirectDrawSurface* dst = d.Offscreen(4, 4);
  Set32(src, 0, 0, 0x112233);
  Set32(src, 1, 0, 0x00FF00FF);  // the key
  Set32(src, 0, 1, 0x445566);
  Set32(src, 1, 1, 0x778899);
  Set32(dst, 1, 0, 0xABCDEF);
  DDCOLORKEY key{0x00FF00FF, 0x00FF00FF};
  ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
  DDBLTFX fx;
  fx.dwSize = kDDBltFxSize;
  RECT at{0, 0, 2, 2};
  ASSERT_EQ(dst->Blt(&at, src, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, &fx), DD_OK);
  EXPECT_EQ(Get32(dst, 0, 0), 0x112233u);
  EXPECT_EQ(Get32(dst, 1, 0), 0xABCDEFu);  // keyed: left alone
  EXPECT_EQ(Get32(dst, 1, 1), 0x778899u);
  // Without the flag the key is copied like any colour.
  ASSERT_EQ(dst->Blt(&at, src, nullptr, DDBLT_WAIT, &fx), DD_OK);
  EXPECT_EQ(Get32(dst, 1, 0), 0x00FF00FFu);
  // Stretch 2x2 onto 4x4: nearest neighbour.
  ASSERT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_WAIT, &fx), DD_OK);
  EXPECT_EQ(Get32(dst, 1, 1), 0x112233u);
  EXPECT_EQ(Get32(dst, 3, 3), 0x778899u);
  EXPECT_EQ(Get32(dst, 0, 2), 0x445566u);
  src->Release();
  dst->Release();
}

TEST(DDraw, BltRefusesBadRectanglesLockedSurfacesAndBadSizes) {
  ScopedEmulatedDisplay scope;
  DD d;
  IDirectDrawSurface* src = d.Offscreen(8, 8);
  IDirectDrawSurface* dst = d.Offscreen(8, 8);
  DDBLTFX fx;
  fx.dwSize = kDDBltFxSize;
  RECT outside{-2, 0, 6, 8};
  EXPECT_EQ(dst->Blt(&outside, src, nullptr, DDBLT_WAIT, &fx), DDERR_INVALIDRECT);
  EXPECT_EQ(dst->Blt(nullptr, src, &outside, DDBLT_WAIT, &fx), DDERR_INVALIDRECT);
  RECT empty{3, 3, 3, 5};
  EXPECT_EQ(dst->Blt(&empty, src, nullptr, DDBLT_WAIT, &fx), DDERR_INVALIDRECT);
  DDSURFACEDESC desc;
  desc.dwSize = kDDSurfaceDescSize;
  ASSERT_EQ(dst->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_WAIT, &fx), DDERR_SURFACEBUSY);
  dst->Unlock(nullptr);
  DDBLTFX small;
  small.dwSize = 64;
  EXPECT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_WAIT, &small), DDERR_INVALIDPARAMS);
  DDPIXELFORMAT f16 = PixelFormatR5G6B5();
  IDirectDrawSurface* other = d.Offscreen(8, 8, DDSCAPS_SYSTEMMEMORY, &f16);
  EXPECT_EQ(dst->Blt(nullptr, other, nullptr, DDBLT_WAIT, &fx), DDERR_INVALIDPIXELFORMAT);
  other->Release();
  src->Release();
  dst->Release();
}

TEST(DDraw, ColourFillWritesTheValue) {
  ScopedEmulatedDisplay scope;
  DD d;
  DDPIXELFORMAT f16 = PixelFormatR5G6B5();
  IDirectDrawSurface* s = d.Offscreen(3, 2, DDSCAPS_SYSTEMMEMORY, &f16);
  DDBLTFX fx;
  fx.dwSize = kDDBltFxSize;
  fx.dwFillColor = 0xF81F;
  RECT r{1, 0, 3, 2};
  ASSERT_EQ(s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
  uint16_t v0, v1;
  std::memcpy(&v0, s->Pixels(), 2);
  std::memcpy(&v1, s->Pixels() + s->Pitch() + 4, 2);
  EXPECT_EQ(v0, 0);
  EXPECT_EQ(v1, 0xF81F);
  s->Release();
}

// A primary surface with one back buffer (exclusive mode only).
IDirectDrawSurface* FlipChain(IDirectDraw* dd) {
  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.dwBackBufferCount = 1;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  IDirectDrawSurface* primary = nullptr;
  EXPECT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
  return primary;
}

TEST(DDraw, FullScreenModeFlipChainAndModeRestore) {
  EmulatedDisplayConfig config;
  config.desktopWidth = 1280;
  config.desktopHeight = 1024;
  ScopedEmulatedDisplay scope(config);
  IDirectDraw* dd = nullptr;
  ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
  // Without exclusive mode neither a mode change nor a flip chain.
  EXPECT_EQ(dd->SetDisplayMode(800, 600, 16), DDERR_NOEXCLUSIVEMODE);
  int fakeWindow = 0;
  ASSERT_EQ(dd->SetCooperativeLevel(&fakeWindow, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
  EXPECT_EQ(dd->SetDisplayMode(801, 600, 16), DDERR_INVALIDMODE);
  EXPECT_EQ(dd->SetDisplayMode(800, 600, 24), DDERR_INVALIDMODE);
  ASSERT_EQ(dd->SetDisplayMode(800, 600, 16), DD_OK);
  IDirectDrawSurface* primary = FlipChain(dd);
  ASSERT_NE(primary, nullptr);
  EXPECT_EQ(primary->Width(), 800);
  EXPECT_EQ(primary->Format().dwRGBBitCount, 16u);
  DDSCAPS caps{DDSCAPS_BACKBUFFER};
  IDirectDrawSurface* back = nullptr;
  ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
  back->Pixels()[0] = 0x5A;
  ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(primary->Pixels()[0], 0x5A);
  EXPECT_EQ(back->Pixels()[0], 0);
  back->Release();
  primary->Release();
  ASSERT_EQ(dd->SetCooperativeLevel(&fakeWindow, DDSCL_NORMAL), DD_OK);
  EXPECT_EQ(EmulatedDisplay::Get().ModeWidth(), 1280);
  dd->Release();
  EXPECT_EQ(EmulatedDisplay::Get().LiveSurfaces(), 0);
  EXPECT_EQ(EmulatedDisplay::Get().LiveObjects(), 0);
}

// A flip waits for the next vertical blank: flipping in a loop runs at the
// monitor's refresh rate, whatever the renderer does.
TEST(DDraw, FlipsArePacedByTheMonitorRefresh) {
  struct Case {
    DWORD hz;
    int flips;
    uint32_t ms;
  };
  for (const Case& c : {Case{60, 60, 1000}, Case{75, 150, 2000}, Case{100, 10, 100}}) {
    SCOPED_TRACE(c.hz);
    FakeClock clock(5000);
    ScopedClock useClock(clock);
    EmulatedDisplayConfig config;
    config.monitorFrequency = c.hz;
    ScopedEmulatedDisplay scope(config);
    IDirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    int window = 0;
    ASSERT_EQ(dd->SetCooperativeLevel(&window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    IDirectDrawSurface* primary = FlipChain(dd);
    ASSERT_NE(primary, nullptr);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);  // the first sets the phase
    const uint32_t start = clock.Milliseconds();
    for (int i = 0; i < c.flips; ++i) {
      clock.Advance(3);  // drawing the frame
      ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    }
    EXPECT_EQ(clock.Milliseconds() - start, c.ms);
    primary->Release();
    ASSERT_EQ(dd->SetCooperativeLevel(&window, DDSCL_NORMAL), DD_OK);
    dd->Release();
  }
}

TEST(DDraw, VideoMemoryIsCountedAndRunsOut) {
  EmulatedDisplayConfig config;
  config.videoMemory = 4000;
  ScopedEmulatedDisplay scope(config);
  DD d;
  DWORD total = 0, free = 0;
  DDSCAPS2 caps{DDSCAPS_VIDEOMEMORY};
  d.dd->GetAvailableVidMem(&caps, &total, &free);
  EXPECT_EQ(total, 4000u);
  EXPECT_EQ(free, 4000u);
  IDirectDrawSurface* s = d.Offscreen(10, 10, DDSCAPS_VIDEOMEMORY);
  d.dd->GetAvailableVidMem(&caps, &total, &free);
  EXPECT_EQ(free, 3600u);
  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.dwWidth = 40;
  desc.dwHeight = 40;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
  IDirectDrawSurface* big = nullptr;
  EXPECT_EQ(d.dd->CreateSurface(&desc, &big, nullptr), DDERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(big, nullptr);
  s->Release();
  d.dd->GetAvailableVidMem(&caps, &total, &free);
  EXPECT_EQ(free, 4000u);
}

TEST(DDraw, ForcedFailuresLostSurfacesAndOldSystems) {
  ScopedEmulatedDisplay scope;
  EmulatedDisplay& e = EmulatedDisplay::Get();
  IDirectDraw* dd = nullptr;
  e.FailNext(DDOp::Create, DDERR_NODIRECTDRAWHW);
  EXPECT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DDERR_NODIRECTDRAWHW);
  EXPECT_EQ(dd, nullptr);
  {
    DD d;
    // Only creations with the given caps fail, and only as often as asked.
    e.FailCreateSurface(DDSCAPS_VIDEOMEMORY, DDERR_OUTOFVIDEOMEMORY, 1);
    IDirectDrawSurface* sys = d.Offscreen(4, 4);
    ASSERT_NE(sys, nullptr);
    DDSURFACEDESC2 desc;
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = desc.dwHeight = 4;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
    IDirectDrawSurface* vid = nullptr;
    EXPECT_EQ(d.dd->CreateSurface(&desc, &vid, nullptr), DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(d.dd->CreateSurface(&desc, &vid, nullptr), DD_OK);
    e.LoseAllSurfaces();
    DDSURFACEDESC lock;
    lock.dwSize = kDDSurfaceDescSize;
    EXPECT_EQ(sys->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(vid->Blt(nullptr, sys, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(sys->IsLost(), DDERR_SURFACELOST);
    sys->Restore();
    EXPECT_EQ(sys->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), DD_OK);
    sys->Unlock(nullptr);
    e.FailNext(DDOp::Lock, DDERR_WASSTILLDRAWING, -1);
    EXPECT_EQ(sys->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(sys->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), DDERR_WASSTILLDRAWING);
    e.ClearFaults();
    vid->Release();
    sys->Release();
    DWORD hz = 0;
    EXPECT_EQ(d.dd->GetMonitorFrequency(&hz), DD_OK);
    EXPECT_EQ(hz, 60u);
    DWORD line = 0;
    EXPECT_EQ(d.dd->GetScanLine(&line), DDERR_UNSUPPORTED);
  }
  EmulatedDisplayConfig old;
  old.hasDirectDrawCreateEx = false;
  old.monitorFrequency = 0;
  e.Configure(old);
  EXPECT_EQ(GetDirectDrawCreateEx(), nullptr);
  EXPECT_NE(GetDirectDrawCreate(), nullptr);
  DD d;
  DWORD hz = 0;
  EXPECT_NE(d.dd->GetMonitorFrequency(&hz), DD_OK);
}

TEST(DDraw, QueryInterfaceSharesTheObject) {
  ScopedEmulatedDisplay scope;
  void* out = nullptr;
  ASSERT_EQ(DirectDrawCreateEx(nullptr, &out, IID_IDirectDraw7, nullptr), DD_OK);
  auto* dd7 = static_cast<IDirectDraw7*>(out);
  void* v1 = nullptr;
  ASSERT_EQ(dd7->QueryInterface(IID_IDirectDraw, &v1), DD_OK);
  EXPECT_EQ(v1, out);
  EXPECT_EQ(static_cast<IDirectDraw*>(v1)->Release(), 1u);
  EXPECT_EQ(dd7->Release(), 0u);
  EXPECT_EQ(EmulatedDisplay::Get().LiveObjects(), 0);
}

}  // namespace
}  // namespace Plix
