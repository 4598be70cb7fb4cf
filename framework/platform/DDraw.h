#pragma once
// DirectDraw-shaped display emulation. Surfaces are plain memory in the
// original pixel formats (X8R8G8B8, A8R8G8B8, R5G6B5, X1R5G5B5, A4R4G4B4,
// P8, and 24-bit for desktops the framework must refuse); the primary
// surface is shown through an SDL window (framework/platform/SdlWindow.h).
//
// The values that are observable or recorded keep the original meaning:
// result codes (with the DirectX 7 SDK values), flags, pixel formats,
// pitches and colour keys. Tests configure the emulated desktop and force
// any operation to fail through EmulatedDisplay.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace Plix {

// ---------------------------------------------------------------- results

constexpr HRESULT MakeDDHResult(DWORD code) { return static_cast<HRESULT>(0x88760000u | code); }

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DD_FALSE = S_FALSE;
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);  // E_NOTIMPL
constexpr HRESULT DDERR_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
constexpr HRESULT DDERR_ALREADYINITIALIZED = MakeDDHResult(5);
constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MakeDDHResult(10);
constexpr HRESULT DDERR_CANNOTDETACHSURFACE = MakeDDHResult(20);
constexpr HRESULT DDERR_CURRENTLYNOTAVAIL = MakeDDHResult(40);
constexpr HRESULT DDERR_EXCEPTION = MakeDDHResult(55);
constexpr HRESULT DDERR_HEIGHTALIGN = MakeDDHResult(90);
constexpr HRESULT DDERR_INCOMPATIBLEPRIMARY = MakeDDHResult(95);
constexpr HRESULT DDERR_INVALIDCAPS = MakeDDHResult(100);
constexpr HRESULT DDERR_INVALIDCLIPLIST = MakeDDHResult(110);
constexpr HRESULT DDERR_INVALIDMODE = MakeDDHResult(120);
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDDHResult(130);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDDHResult(145);
constexpr HRESULT DDERR_INVALIDRECT = MakeDDHResult(150);
constexpr HRESULT DDERR_LOCKEDSURFACES = MakeDDHResult(160);
constexpr HRESULT DDERR_NO3D = MakeDDHResult(170);
constexpr HRESULT DDERR_NOALPHAHW = MakeDDHResult(180);
constexpr HRESULT DDERR_NOCLIPLIST = MakeDDHResult(205);
constexpr HRESULT DDERR_NOCOLORCONVHW = MakeDDHResult(210);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDDHResult(212);
constexpr HRESULT DDERR_NOCOLORKEY = MakeDDHResult(215);
constexpr HRESULT DDERR_NOCOLORKEYHW = MakeDDHResult(220);
constexpr HRESULT DDERR_NODIRECTDRAWSUPPORT = MakeDDHResult(222);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDDHResult(225);
constexpr HRESULT DDERR_NOFLIPHW = MakeDDHResult(230);
constexpr HRESULT DDERR_NOGDI = MakeDDHResult(240);
constexpr HRESULT DDERR_NOMIRRORHW = MakeDDHResult(250);
constexpr HRESULT DDERR_NOTFOUND = MakeDDHResult(255);
constexpr HRESULT DDERR_NOSTRETCHHW = MakeDDHResult(310);
constexpr HRESULT DDERR_OUTOFCAPS = MakeDDHResult(360);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDDHResult(380);
constexpr HRESULT DDERR_PALETTEBUSY = MakeDDHResult(387);
constexpr HRESULT DDERR_COLORKEYNOTSET = MakeDDHResult(400);
constexpr HRESULT DDERR_SURFACEALREADYATTACHED = MakeDDHResult(410);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDDHResult(430);
constexpr HRESULT DDERR_CANTLOCKSURFACE = MakeDDHResult(435);
constexpr HRESULT DDERR_SURFACEISOBSCURED = MakeDDHResult(440);
constexpr HRESULT DDERR_SURFACELOST = MakeDDHResult(450);
constexpr HRESULT DDERR_SURFACENOTATTACHED = MakeDDHResult(460);
constexpr HRESULT DDERR_TOOBIGHEIGHT = MakeDDHResult(470);
constexpr HRESULT DDERR_TOOBIGSIZE = MakeDDHResult(480);
constexpr HRESULT DDERR_TOOBIGWIDTH = MakeDDHResult(490);
constexpr HRESULT DDERR_UNSUPPORTEDFORMAT = MakeDDHResult(510);
constexpr HRESULT DDERR_UNSUPPORTEDMASK = MakeDDHResult(520);
constexpr HRESULT DDERR_VERTICALBLANKINPROGRESS = MakeDDHResult(537);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDDHResult(540);
constexpr HRESULT DDERR_XALIGN = MakeDDHResult(560);
constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MakeDDHResult(561);
constexpr HRESULT DDERR_DIRECTDRAWALREADYCREATED = MakeDDHResult(562);
constexpr HRESULT DDERR_NODIRECTDRAWHW = MakeDDHResult(563);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDDHResult(564);
constexpr HRESULT DDERR_NOEMULATION = MakeDDHResult(565);
constexpr HRESULT DDERR_REGIONTOOSMALL = MakeDDHResult(566);
constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MakeDDHResult(567);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDDHResult(568);
constexpr HRESULT DDERR_NOHWND = MakeDDHResult(569);
constexpr HRESULT DDERR_HWNDSUBCLASSED = MakeDDHResult(570);
constexpr HRESULT DDERR_HWNDALREADYSET = MakeDDHResult(571);
constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDDHResult(572);
constexpr HRESULT DDERR_NOPALETTEHW = MakeDDHResult(573);
constexpr HRESULT DDERR_BLTFASTCANTCLIP = MakeDDHResult(574);
constexpr HRESULT DDERR_NOBLTHW = MakeDDHResult(575);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MakeDDHResult(581);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDDHResult(582);
constexpr HRESULT DDERR_CANTDUPLICATE = MakeDDHResult(583);
constexpr HRESULT DDERR_NOTLOCKED = MakeDDHResult(584);
constexpr HRESULT DDERR_CANTCREATEDC = MakeDDHResult(585);
constexpr HRESULT DDERR_NODC = MakeDDHResult(586);
constexpr HRESULT DDERR_WRONGMODE = MakeDDHResult(587);
constexpr HRESULT DDERR_IMPLICITLYCREATED = MakeDDHResult(588);
constexpr HRESULT DDERR_NOTPALETTIZED = MakeDDHResult(589);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = MakeDDHResult(590);
constexpr HRESULT DDERR_INVALIDSURFACETYPE = MakeDDHResult(592);
constexpr HRESULT DDERR_NOFOCUSWINDOW = MakeDDHResult(602);
constexpr HRESULT DDERR_MOREDATA = MakeDDHResult(690);
constexpr HRESULT DDERR_VIDEONOTACTIVE = MakeDDHResult(695);

// ------------------------------------------------------------------ flags

constexpr DWORD DDSCL_FULLSCREEN = 0x00000001;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x00000002;
constexpr DWORD DDSCL_NOWINDOWCHANGES = 0x00000004;
constexpr DWORD DDSCL_NORMAL = 0x00000008;
constexpr DWORD DDSCL_EXCLUSIVE = 0x00000010;
constexpr DWORD DDSCL_MULTITHREADED = 0x00000400;

constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x00000020;
constexpr DWORD DDSD_LPSURFACE = 0x00000800;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
constexpr DWORD DDSD_CKSRCBLT = 0x00010000;

constexpr DWORD DDSCAPS_ALPHA = 0x00000002;
constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000004;
constexpr DWORD DDSCAPS_COMPLEX = 0x00000008;
constexpr DWORD DDSCAPS_FLIP = 0x00000010;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x00000020;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr DWORD DDSCAPS_PALETTE = 0x00000100;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
constexpr DWORD DDSCAPS_TEXTURE = 0x00001000;
constexpr DWORD DDSCAPS_3DDEVICE = 0x00002000;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;
constexpr DWORD DDSCAPS_VISIBLE = 0x00008000;
constexpr DWORD DDSCAPS_WRITEONLY = 0x00010000;
constexpr DWORD DDSCAPS_ZBUFFER = 0x00020000;
constexpr DWORD DDSCAPS_MIPMAP = 0x00400000;
constexpr DWORD DDSCAPS_LOCALVIDMEM = 0x10000000;
constexpr DWORD DDSCAPS2_TEXTUREMANAGE = 0x00000010;

constexpr DWORD DDLOCK_SURFACEMEMORYPTR = 0x00000000;
constexpr DWORD DDLOCK_WAIT = 0x00000001;
constexpr DWORD DDLOCK_READONLY = 0x00000010;
constexpr DWORD DDLOCK_WRITEONLY = 0x00000020;
constexpr DWORD DDLOCK_NOSYSLOCK = 0x00000800;

constexpr DWORD DDBLT_COLORFILL = 0x00000400;
constexpr DWORD DDBLT_DDFX = 0x00000800;
constexpr DWORD DDBLT_KEYDEST = 0x00002000;
constexpr DWORD DDBLT_KEYSRC = 0x00008000;
constexpr DWORD DDBLT_KEYSRCOVERRIDE = 0x00010000;
constexpr DWORD DDBLT_WAIT = 0x01000000;
constexpr DWORD DDBLT_DONOTWAIT = 0x08000000;

constexpr DWORD DDBLTFX_ARITHSTRETCHY = 0x00000001;
constexpr DWORD DDBLTFX_MIRRORLEFTRIGHT = 0x00000002;
constexpr DWORD DDBLTFX_MIRRORUPDOWN = 0x00000004;

constexpr DWORD DDFLIP_WAIT = 0x00000001;
constexpr DWORD DDFLIP_NOVSYNC = 0x00000008;

constexpr DWORD DDCKEY_DESTBLT = 0x00000002;
constexpr DWORD DDCKEY_SRCBLT = 0x00000008;

constexpr DWORD DDPF_ALPHAPIXELS = 0x00000001;
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000020;
constexpr DWORD DDPF_RGB = 0x00000040;

constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x00000001;
constexpr DWORD DDWAITVB_BLOCKEND = 0x00000004;

constexpr DWORD DDPCAPS_8BIT = 0x00000004;
constexpr DWORD DDPCAPS_ALLOW256 = 0x00000040;
constexpr DWORD DDPCAPS_ALPHA = 0x00000400;

// Sizes the callers put into dwSize, checked as the original checks them.
constexpr DWORD kDDSurfaceDescSize = 108;
constexpr DWORD kDDSurfaceDesc2Size = 124;
constexpr DWORD kDDBltFxSize = 100;
constexpr DWORD kDDPixelFormatSize = 32;

// --------------------------------------------------------------- records

struct GUID {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};
};

// Interface ids: only their identity matters.
struct IID {
  uint32_t id;
  bool operator==(const IID& o) const { return id == o.id; }
};
constexpr IID IID_IDirectDraw{1};
constexpr IID IID_IDirectDraw7{7};
constexpr IID IID_IDirectDrawSurface{101};
constexpr IID IID_IDirectDrawSurface7{107};

struct DDCOLORKEY {
  DWORD dwColorSpaceLowValue = 0;
  DWORD dwColorSpaceHighValue = 0;
};

struct DDPIXELFORMAT {
  DWORD dwSize = kDDPixelFormatSize;
  DWORD dwFlags = 0;
  DWORD dwFourCC = 0;
  DWORD dwRGBBitCount = 0;
  DWORD dwRBitMask = 0;
  DWORD dwGBitMask = 0;
  DWORD dwBBitMask = 0;
  DWORD dwRGBAlphaBitMask = 0;
};

struct DDSCAPS {
  DWORD dwCaps = 0;
};

struct DDSCAPS2 {
  DWORD dwCaps = 0;
  DWORD dwCaps2 = 0;
  DWORD dwCaps3 = 0;
  DWORD dwCaps4 = 0;
};

// The first-generation description (the lock description of the images).
struct DDSURFACEDESC {
  DWORD dwSize = 0;
  DWORD dwFlags = 0;
  DWORD dwHeight = 0;
  DWORD dwWidth = 0;
  LONG lPitch = 0;
  DWORD dwBackBufferCount = 0;
  DWORD dwRefreshRate = 0;
  void* lpSurface = nullptr;
  DDCOLORKEY ddckCKDestBlt;
  DDCOLORKEY ddckCKSrcBlt;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS ddsCaps;
};

// The description of surface creation through the version-7 interface.
struct DDSURFACEDESC2 {
  DWORD dwSize = 0;
  DWORD dwFlags = 0;
  DWORD dwHeight = 0;
  DWORD dwWidth = 0;
  LONG lPitch = 0;
  DWORD dwBackBufferCount = 0;
  DWORD dwRefreshRate = 0;
  void* lpSurface = nullptr;
  DDCOLORKEY ddckCKDestBlt;
  DDCOLORKEY ddckCKSrcBlt;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS2 ddsCaps;
  DWORD dwTextureStage = 0;
};

struct DDBLTFX {
  DWORD dwSize = 0;
  DWORD dwDDFX = 0;
  DWORD dwFillColor = 0;
  DDCOLORKEY ddckDestColorkey;
  DDCOLORKEY ddckSrcColorkey;
};

// The adapter's identity (GetDeviceIdentifier).
struct DDDEVICEIDENTIFIER2 {
  char szDriver[512] = {};
  char szDescription[512] = {};
  int64_t liDriverVersion = 0;
  DWORD dwVendorId = 0;
  DWORD dwDeviceId = 0;
  DWORD dwSubSysId = 0;
  DWORD dwRevision = 0;
  GUID guidDeviceIdentifier;
  DWORD dwWHQLLevel = 0;
};

struct PALETTEENTRY {
  BYTE peRed = 0;
  BYTE peGreen = 0;
  BYTE peBlue = 0;
  BYTE peFlags = 0;
};

// The standard formats of the emulation.
DDPIXELFORMAT PixelFormatX8R8G8B8();
DDPIXELFORMAT PixelFormatA8R8G8B8();
DDPIXELFORMAT PixelFormatR5G6B5();
DDPIXELFORMAT PixelFormatX1R5G5B5();
DDPIXELFORMAT PixelFormatA4R4G4B4();
DDPIXELFORMAT PixelFormatR8G8B8();  // 24-bit, only as a desktop to refuse
DDPIXELFORMAT PixelFormatP8();

// ----------------------------------------------------------------- objects

class IDirectDraw;
class IDirectDrawSurface;
class IDirectDrawClipper;
class IDirectDrawPalette;
using IDirectDraw7 = IDirectDraw;
using IDirectDrawSurface7 = IDirectDrawSurface;

// Reference counted as the originals: Release deletes at zero.
class DDObject {
public:
  uint32_t AddRef() { return ++mRefs; }
  uint32_t Release();

protected:
  DDObject() = default;
  virtual ~DDObject() = default;

private:
  uint32_t mRefs = 1;
};

class IDirectDrawClipper : public DDObject {
public:
  HRESULT SetHWnd(DWORD flags, HWND hwnd);
  HRESULT GetHWnd(HWND* hwnd);

private:
  HWND mHwnd = nullptr;
};

class IDirectDrawPalette : public DDObject {
public:
  explicit IDirectDrawPalette(const PALETTEENTRY* entries);
  HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* out);
  HRESULT SetEntries(DWORD flags, DWORD base, DWORD count, const PALETTEENTRY* in);
  const PALETTEENTRY* Entries() const { return mEntries; }

private:
  PALETTEENTRY mEntries[256];
};

class IDirectDrawSurface : public DDObject {
public:
  HRESULT QueryInterface(const IID& iid, void** out);
  // rect null locks the whole surface.
  HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE event);
  HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event);
  HRESULT Unlock(void* rect);
  // Copy, stretch (nearest), colour fill and source colour key. Rectangles
  // outside either surface fail with DDERR_INVALIDRECT unless a clipper on
  // the destination clips them.
  HRESULT Blt(RECT* destRect, IDirectDrawSurface* src, RECT* srcRect, DWORD flags, DDBLTFX* fx);
  HRESULT Flip(IDirectDrawSurface* target, DWORD flags);
  HRESULT GetSurfaceDesc(DDSURFACEDESC* desc);
  HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc);
  HRESULT GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** out);
  HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface** out);
  HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
  HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key);
  HRESULT SetPalette(IDirectDrawPalette* palette);
  HRESULT GetPalette(IDirectDrawPalette** out);
  HRESULT SetClipper(IDirectDrawClipper* clipper);
  HRESULT IsLost();
  HRESULT Restore();

  // Emulation details, for the presenter and tests.
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int Pitch() const { return mPitch; }
  const DDPIXELFORMAT& Format() const { return mFormat; }
  DWORD Caps() const { return mCaps; }
  uint8_t* Pixels() { return mPixels.data(); }
  bool IsLocked() const { return mLockCount > 0; }
  bool HasSourceKey() const { return mHasSrcKey; }

private:
  friend class IDirectDraw;
  friend class EmulatedDisplay;
  IDirectDrawSurface(IDirectDraw* owner, int width, int height, const DDPIXELFORMAT& format, DWORD caps);
  ~IDirectDrawSurface() override;

  template <class Desc>
  HRESULT LockImpl(RECT* rect, Desc* desc, DWORD flags);
  template <class Desc>
  void Describe(Desc* desc) const;
  int BytesPerPixel() const { return static_cast<int>(mFormat.dwRGBBitCount + 7) / 8; }
  void MarkChanged();

  IDirectDraw* mOwner;  // counted reference
  int mWidth;
  int mHeight;
  int mPitch;
  DDPIXELFORMAT mFormat;
  DWORD mCaps;
  std::vector<uint8_t> mPixels;
  int mLockCount = 0;
  bool mLost = false;
  bool mHasSrcKey = false;
  DDCOLORKEY mSrcKey;
  IDirectDrawPalette* mPalette = nullptr;  // counted
  IDirectDrawClipper* mClipper = nullptr;  // counted
  IDirectDrawSurface* mBackBuffer = nullptr;  // counted, primary of a flip chain
  IDirectDrawSurface* mFront = nullptr;  // not counted: the primary a back buffer belongs to
  DWORD mVideoBytes = 0;
};

class IDirectDraw : public DDObject {
public:
  HRESULT QueryInterface(const IID& iid, void** out);
  HRESULT SetCooperativeLevel(HWND hwnd, DWORD flags);
  HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits);
  HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD refresh, DWORD flags);
  HRESULT RestoreDisplayMode();
  HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** out, void* outer);
  HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface** out, void* outer);
  HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** out, void* outer);
  HRESULT CreatePalette(DWORD flags, const PALETTEENTRY* entries, IDirectDrawPalette** out, void* outer);
  HRESULT GetDisplayMode(DDSURFACEDESC2* desc);
  HRESULT GetAvailableVidMem(DDSCAPS2* caps, DWORD* total, DWORD* free);
  HRESULT GetDeviceIdentifier(DDDEVICEIDENTIFIER2* out, DWORD flags);
  HRESULT GetMonitorFrequency(DWORD* hz);
  // Scan-line polling is not offered; vertical sync comes from the renderer.
  HRESULT GetScanLine(DWORD* line);
  HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event);
  HRESULT FlipToGDISurface();

  HWND CooperativeWindow() const { return mHwnd; }
  bool IsExclusive() const { return mExclusive; }

private:
  friend class EmulatedDisplay;
  friend HRESULT DirectDrawCreate(GUID*, IDirectDraw**, void*);
  friend HRESULT DirectDrawCreateEx(GUID*, void**, const IID&, void*);
  IDirectDraw() = default;
  ~IDirectDraw() override;
  HRESULT CreateSurfaceImpl(DWORD flags, DWORD width, DWORD height, const DDPIXELFORMAT& format,
                            DWORD caps, DWORD backBuffers, IDirectDrawSurface** out);

  HWND mHwnd = nullptr;
  bool mExclusive = false;
};

// The two entry points of ddraw.dll.
HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** out, void* outer);
HRESULT DirectDrawCreateEx(GUID* guid, void** out, const IID& iid, void* outer);

using DirectDrawCreateFunc = HRESULT (*)(GUID*, IDirectDraw**, void*);
using DirectDrawCreateExFunc = HRESULT (*)(GUID*, void**, const IID&, void*);
// What GetProcAddress finds in the loaded ddraw module: DirectDrawCreateEx
// is missing when the emulated system is configured as an old one.
DirectDrawCreateFunc GetDirectDrawCreate();
DirectDrawCreateExFunc GetDirectDrawCreateEx();

// ------------------------------------------------------ the emulated device

// Operations whose result a test can force.
enum class DDOp {
  Create,               // DirectDrawCreate and DirectDrawCreateEx
  QueryInterface,
  SetCooperativeLevel,
  SetDisplayMode,
  CreateSurface,        // any surface; see FailCreateSurface for one kind
  GetAttachedSurface,
  CreateClipper,
  CreatePalette,
  Lock,
  Blt,
  Flip,
  GetMonitorFrequency,
  Count
};

struct EmulatedDisplayConfig {
  int desktopWidth = 1024;
  int desktopHeight = 768;
  // 32 (X8R8G8B8), 16 (R5G6B5), 15 (X1R5G5B5), 24 or 8.
  int desktopBits = 32;
  DWORD monitorFrequency = 60;  // 0: the query fails
  DWORD videoMemory = 64u << 20;
  bool hasDirectDrawCreateEx = true;
  // Extra bytes at the end of every surface row, so that code that assumes
  // pitch == width * bytes shows up in tests.
  int pitchPadding = 0;
  // What the adapter says it is. There is no driver file behind it.
  std::string adapterDescription = "Plix software rasteriser (Direct3D 7 emulation)";
  std::string adapterDriver = "plixsoft";
};

// The emulated video adapter and desktop: one per process.
class EmulatedDisplay {
public:
  static EmulatedDisplay& Get();

  void Configure(const EmulatedDisplayConfig& config);
  const EmulatedDisplayConfig& Config() const { return mConfig; }
  // Takes the desktop size from the real screen when SDL's video runs.
  void ConfigureFromRealDesktop();

  // Forced results: the next `times` calls of op (-1: every call) return hr.
  void FailNext(DDOp op, HRESULT hr, int times = 1);
  // Fails only creations whose caps contain all of capsMask.
  void FailCreateSurface(DWORD capsMask, HRESULT hr, int times = 1);
  void ClearFaults();
  // Marks every surface lost, as after another program took the screen.
  void LoseAllSurfaces();

  int DesktopWidth() const { return mConfig.desktopWidth; }
  int DesktopHeight() const { return mConfig.desktopHeight; }
  // The current mode: the desktop unless an exclusive owner changed it.
  int ModeWidth() const { return mModeWidth; }
  int ModeHeight() const { return mModeHeight; }
  DDPIXELFORMAT ModeFormat() const;
  DWORD VideoMemoryUsed() const { return mVideoUsed; }
  int LiveSurfaces() const { return mLiveSurfaces; }
  int LiveObjects() const { return mLiveObjects; }
  IDirectDrawSurface* Primary() const { return mPrimary; }

  // Shows the primary surface in its window when it changed since the last
  // call. Only the thread that made the window presents; from any other
  // thread (the cursor thread) this does nothing and the change waits.
  bool Present();
  // Whether the primary changed since it was last presented.
  bool PrimaryChanged() const { return mPrimaryChanged.load(); }

  // Serialises the pixel work of Blt and Present, so that the cursor thread
  // composing into the primary never races the main thread presenting it.
  std::recursive_mutex& PixelLock() { return mPixelLock; }

private:
  friend class IDirectDraw;
  friend class IDirectDrawSurface;
  friend HRESULT DirectDrawCreate(GUID*, IDirectDraw**, void*);
  EmulatedDisplay() = default;
  HRESULT Fault(DDOp op);
  HRESULT CreateFault(DWORD caps);
  static DDPIXELFORMAT FormatForBits(int bits);
  // Waits for the next vertical blank of the emulated monitor.
  void WaitForVerticalBlank();

  struct Fault_ {
    HRESULT hr = DD_OK;
    int times = 0;
  };
  EmulatedDisplayConfig mConfig;
  Fault_ mFaults[static_cast<int>(DDOp::Count)];
  DWORD mCreateCaps = 0;
  Fault_ mCreateFault;
  int mModeWidth = 1024;
  int mModeHeight = 768;
  int mModeBits = 32;
  IDirectDraw* mExclusiveOwner = nullptr;
  IDirectDrawSurface* mPrimary = nullptr;
  DWORD mVideoUsed = 0;
  int mLiveSurfaces = 0;
  int mLiveObjects = 0;
  std::atomic<bool> mPrimaryChanged{false};
  uint32_t mVerticalBlankPhase = 0;
  uint32_t mLastVerticalBlank = 0;
  std::vector<IDirectDrawSurface*> mSurfaces;
  std::recursive_mutex mPixelLock;
  // Guards the surface list, the counters and the video memory account:
  // the loading thread creates surfaces while the main thread releases.
  std::recursive_mutex mRegistryLock;
};

// Restores the default configuration and clears the faults around a test.
class ScopedEmulatedDisplay {
public:
  explicit ScopedEmulatedDisplay(const EmulatedDisplayConfig& config = {}) {
    EmulatedDisplay::Get().ClearFaults();
    EmulatedDisplay::Get().Configure(config);
  }
  ~ScopedEmulatedDisplay() {
    EmulatedDisplay::Get().ClearFaults();
    EmulatedDisplay::Get().Configure({});
  }
  ScopedEmulatedDisplay(const ScopedEmulatedDisplay&) = delete;
  ScopedEmulatedDisplay& operator=(const ScopedEmulatedDisplay&) = delete;
};

}  // namespace Plix
