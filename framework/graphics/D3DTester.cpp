#include "framework/graphics/D3DTester.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/D3DTestProbes.h"
#include "framework/graphics/DisplayHost.h"
#include "framework/graphics/TextureData.h"
#include "framework/platform/Files.h"
#include "framework/util/Debug.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

// Whether the device offered A8R8G8B8 textures in the last test: the test
// textures use it, or A4R4G4B4 without it.
bool gTestTexturesA8R8G8B8 = true;

constexpr int32_t kTextureSize = 64;
constexpr int32_t kRenderSize = 100;
constexpr int32_t kTolerance = 768;

int32_t ColorDistance(uint32_t a, uint32_t b) {
  int32_t sum = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int32_t d = int32_t((a >> shift) & 255) - int32_t((b >> shift) & 255);
    sum += d * d;
  }
  return sum;
}

// The year the file was last written, or 0 when it cannot be read.
int32_t FileYear(const std::string& path) {
  std::error_code error;
  const auto written = std::filesystem::last_write_time(Fs::NativePath(path), error);
  if (error) return 0;
  const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
  const std::tm* utc = std::gmtime(&t);
  return utc ? utc->tm_year + 1900 : 0;
}

bool QueryDword(HKEY key, const char* name, DWORD& value) {
  DWORD type = 0, length = sizeof value;
  return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &length) == ERROR_SUCCESS &&
         type == REG_DWORD && length == sizeof value;
}

bool QueryString(HKEY key, const char* name, std::string& value) {
  char buffer[4096];
  DWORD type = 0, length = sizeof buffer;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &length) != ERROR_SUCCESS)
    return false;
  value.assign(buffer, strnlen(buffer, length));
  return true;
}

void SetDword(HKEY key, const char* name, DWORD value) {
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void SetString(HKEY key, const char* name, const std::string& value) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
}

}  // namespace

// ------------------------------------------------------------ D3DTestImage

void D3DTestImage::Create(int32_t width, int32_t height) {
  FreeImage();
  if (width < 1 || height < 1) return;
  mBits.reset(new uint32_t[static_cast<size_t>(width) * height]());
  mWidth = width;
  mHeight = height;
}

void D3DTestImage::FreeImage() {
  mBits.reset();
  mWidth = mHeight = 0;
}

// --------------------------------------------------------------- D3DTester

D3DTester::D3DTester(DisplayHost* app) : mApp(app) {}

D3DTester::~D3DTester() { Cleanup(); }

void D3DTester::SetVidMemoryConstraints(int32_t minimumMB, int32_t recommendedMB) {
  mMinVidMemory = minimumMB;
  mRecVidMemory = recommendedMB;
}

std::string D3DTester::RegistryKeyName() const {
  return "SOFTWARE\\" + mApp->GetDisplaySettings().registryKeyPath + "\\Test3D";
}

void D3DTester::TestD3D(HWND window, IDirectDraw7* directDraw) {
  if (!mApp->GetDisplaySettings().demoPlaying) {
    mWriteRegistry = false;
    if (PrepareTest(window, directDraw)) {
      RunTests();
    } else if (mUseRegistry && !mWriteRegistry) {
      // A cached result, or a test that stopped before reading the cache.
      DWORD type = 0, length = 0;
      mResultFresh = !mRegistryKey ||
                     RegQueryValueExA(mRegistryKey, "FailureReason", nullptr, &type, nullptr, &length) != ERROR_SUCCESS;
      mWriteRegistry = true;
    }
    if (mWriteRegistry) WriteToRegistry();
    Cleanup();
  }
  mApp->SyncStringWithDemo(mFailureReason);
  mApp->SyncStringWithDemo(mWarning);
  mApp->SyncBoolWithDemo(mResultFresh);
}

bool D3DTester::PrepareTest(HWND window, IDirectDraw7* directDraw) {
  try {
    Cleanup();
    mDriverYear = 0;
    if (mUseRegistry &&
        RegCreateKeyExA(HKEY_CURRENT_USER, RegistryKeyName().c_str(), 0, "", 0, KEY_ALL_ACCESS, nullptr,
                        &mRegistryKey, nullptr) != ERROR_SUCCESS)
      mRegistryKey = nullptr;

    if (directDraw) {
      mDirectDraw7 = directDraw;
      mDirectDraw7->AddRef();
    } else {
      DirectDrawCreateExFunc create = GetDirectDrawCreateEx();
      if (!create) return Fail("No DirectDrawCreateEx");
      void* out = nullptr;
      CheckDXError(create(nullptr, &out, IID_IDirectDraw7, nullptr), "DirectDrawCreateEx");
      mDirectDraw7 = static_cast<IDirectDraw7*>(out);
    }

    if (!ProbeD3D8Adapter(mDriverName, mDescription, mDisplayGUID)) {
      DDDEVICEIDENTIFIER2 id;
      CheckDXError(mDirectDraw7->GetDeviceIdentifier(&id, 0), "GetDeviceIdentifier");
      std::memcpy(mDisplayGUID, &id.guidDeviceIdentifier, sizeof mDisplayGUID);
      mDriverName = id.szDriver;
      mDescription = id.szDescription;
    }

    DDSCAPS2 caps;
    caps.dwCaps = DDSCAPS_VIDEOMEMORY;
    DWORD total = 0, free = 0;
    const HRESULT memory = mDirectDraw7->GetAvailableVidMem(&caps, &total, &free);
    if (FAILED(memory)) Warn(StrFormat("GetAvailableVidMem failed: %s", GetDirectXErrorString(memory).c_str()));
    DDSURFACEDESC2 mode;
    mode.dwSize = kDDSurfaceDesc2Size;
    mDirectDraw7->GetDisplayMode(&mode);
    const uint64_t desktopBytes =
        uint64_t(mode.ddpfPixelFormat.dwRGBBitCount / 8) * mode.dwHeight * mode.dwWidth;
    const int64_t megabytes = int64_t((uint64_t(total) + desktopBytes) >> 20);
    if (megabytes < mMinVidMemory) return Fail("Not enough video memory.");
    if (megabytes < mRecVidMemory) Warn("Low video memory.");

    if (mUseRegistry) {
      if (ReadFromRegistry()) return false;
      mWriteRegistry = true;
    }
    mFailureReason.clear();
    mWarning.clear();

    // A driver named without a folder lies in the system folder, which has
    // no drivers here: its year stays 0.
    if (mDriverName.find_first_of("/\\") != std::string::npos) mDriverYear = FileYear(mDriverName);
    if (!IsSupportedCard(mDescription)) Warn(StrFormat("Unsupported video card: %s", mDescription.c_str()));

    void* direct3D = nullptr;
    CheckDXError(mDirectDraw7->QueryInterface(IID_IDirect3D7, &direct3D), "QueryInterface IID_IDirect3D7");
    mDirect3D = static_cast<IDirect3D7*>(direct3D);
    CheckDXError(mDirectDraw7->SetCooperativeLevel(window, DDSCL_NORMAL), "SetCooperativeLevel");

    DDSURFACEDESC2 desc;
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = desc.dwHeight = kRenderSize;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
    CheckDXError(mDirectDraw7->CreateSurface(&desc, &mRenderSurface, nullptr), "CreateSurface (Primary)");
    mCaptureImage.Create(kRenderSize, kRenderSize);
    CheckDXError(mDirect3D->CreateDevice(IID_IDirect3DHALDevice, mRenderSurface, &mDevice), "CreateDevice");

    uint32_t formats = 0;
    CheckDXError(mDevice->EnumTextureFormats(
                     [](DDPIXELFORMAT* format, void* context) {
                       *static_cast<uint32_t*>(context) |= uint32_t(D3DInterface::ClassifyPixelFormat(*format));
                       return D3DENUMRET_OK;
                     },
                     &formats),
                 "EnumTextureFormats");
    gTestTexturesA8R8G8B8 = (formats & PixelFormat_A8R8G8B8) != 0;
    if (!gTestTexturesA8R8G8B8) {
      Warn("A8R8G8B8 texture format not supported.");
      if (!(formats & PixelFormat_A4R4G4B4)) return Fail("A4R4G4B4 and A8R8G8B8 texture formats not supported.");
    }

    desc = DDSURFACEDESC2();
    desc.dwSize = kDDSurfaceDesc2Size;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    desc.dwWidth = desc.dwHeight = kTextureSize;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    desc.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
    desc.ddpfPixelFormat = gTestTexturesA8R8G8B8 ? PixelFormatA8R8G8B8() : PixelFormatA4R4G4B4();
    CheckDXError(mDirectDraw7->CreateSurface(&desc, &mTexture1, nullptr), "CreateSurface (TextureSurface1)");
    CheckDXError(mDirectDraw7->CreateSurface(&desc, &mTexture2, nullptr), "CreateSurface (TextureSurfacd2)");
    return true;
  } catch (const TestException& e) {
    mFailureReason = e.what();
    return false;
  }
}

bool D3DTester::ReadFromRegistry() {
  mResultFresh = true;
  if (!mRegistryKey) return false;
  DWORD version = 0, minimum = 0, recommended = 0;
  if (!QueryDword(mRegistryKey, "Version", version) || version != 2) return false;
  if (!QueryDword(mRegistryKey, "MinVidMemory", minimum) || minimum != DWORD(mMinVidMemory)) return false;
  if (!QueryDword(mRegistryKey, "RecVidMemory", recommended) || recommended != DWORD(mRecVidMemory)) return false;
  uint8_t guid[17];
  DWORD type = 0, length = sizeof guid;
  if (RegQueryValueExA(mRegistryKey, "DisplayGUID", nullptr, &type, guid, &length) != ERROR_SUCCESS ||
      length != sizeof mDisplayGUID || std::memcmp(guid, mDisplayGUID, sizeof mDisplayGUID) != 0)
    return false;
  if (!QueryString(mRegistryKey, "FailureReason", mFailureReason)) return false;
  if (!QueryString(mRegistryKey, "Warning", mWarning)) return false;
  mResultFresh = false;
  return mFailureReason.empty();
}

void D3DTester::WriteToRegistry() {
  if (!mRegistryKey) return;
  SetDword(mRegistryKey, "Version", 2);
  SetDword(mRegistryKey, "MinVidMemory", DWORD(mMinVidMemory));
  SetDword(mRegistryKey, "RecVidMemory", DWORD(mRecVidMemory));
  RegSetValueExA(mRegistryKey, "DisplayGUID", 0, REG_BINARY, mDisplayGUID, sizeof mDisplayGUID);
  SetString(mRegistryKey, "FailureReason", mFailureReason);
  SetString(mRegistryKey, "Warning", mWarning);
}

bool D3DTester::FileContains(const char* fileName, const std::string& text, bool* opened) {
  FILE* file = Fs::OpenFile(fileName, "r");
  if (opened) *opened = file != nullptr;
  if (!file) return false;
  bool found = false;
  char line[4000];
  while (!found && std::fgets(line, sizeof line, file)) {
    const std::string entry = Trim(line);
    found = !entry.empty() && StrFindNoCase(text.c_str(), entry.c_str()) >= 0;
  }
  std::fclose(file);
  return found;
}

bool D3DTester::IsSupportedCard(const std::string& description) {
  bool opened = false;
  if (FileContains("vhwb.dat", description, &opened)) return false;
  const bool allowed = FileContains("vhw.dat", description, &opened);
  if (opened) return allowed;
  if (mDriverYear >= 2002) return true;
  for (const char* maker : {"nvidia", "radeon", "ati "})
    if (StrFindNoCase(description.c_str(), maker) >= 0) return true;
  return false;
}

bool D3DTester::RunTests() {
  return TestAlphaBlend() && TestAdditiveBlend() && TestAlphaAddBlend() && TestAlphaModulate() && TestClipProblem();
}

namespace {
constexpr const char* kSrcAlpha = "D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA";
constexpr const char* kInvSrcAlpha = "D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA";
constexpr const char* kSrcOne = "D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE";
constexpr const char* kDestOne = "D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE";
}  // namespace

bool D3DTester::TestAlphaBlend() {
  return RunBlendTest({D3DBLEND_SRCALPHA, kSrcAlpha, D3DBLEND_INVSRCALPHA, kInvSrcAlpha, 0xFF0000FF, 0xFFFFFFFF, true,
                       0x80FF0000, 0xFFFFFFFF, false, 0x7F007F, "Alpha blend Not Supported",
                       "Alpha blend test not uniform."});
}

bool D3DTester::TestAdditiveBlend() {
  return RunBlendTest({D3DBLEND_ONE, kSrcOne, D3DBLEND_ONE, kDestOne, 0xFF404040, 0xFFFFFFFF, true, 0xFF404040,
                       0xFFFFFFFF, false, 0x808080, "Additive blend not supported.",
                       "Additive blend test not uniform."});
}

bool D3DTester::TestAlphaAddBlend() {
  return RunBlendTest({D3DBLEND_SRCALPHA, kSrcAlpha, D3DBLEND_ONE, kDestOne, 0xFF404040, 0xFFFFFFFF, true,
                       0x80808080, 0xFFFFFFFF, false, 0x808080, "AlphaAdd blend not supported.",
                       "AlphaAdd blend test not uniform."});
}

bool D3DTester::TestAlphaModulate() {
  return RunBlendTest({D3DBLEND_SRCALPHA, kSrcAlpha, D3DBLEND_INVSRCALPHA, kInvSrcAlpha, 0xFF0000FF, 0xFFFFFFFF, true,
                       0xFFFF0000, 0x80FFFFFF, true, 0x7F007F, "AlphaModulated blend not supported.",
                       "AlphaModulated blend test not uniform."});
}

bool D3DTester::RenderTestScene(DWORD srcBlend, const char* srcStep, DWORD destBlend, const char* destStep,
                                bool modulateAlpha, const std::function<void()>& draw) {
  try {
    CheckDXError(mDevice->BeginScene(), "");
    CheckDXError(mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0), "Clear");
    CheckDXError(mDevice->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE),
                 "D3DRENDERSTATE_ALPHABLENDENABLE, TRUE");
    CheckDXError(mDevice->SetRenderState(D3DRENDERSTATE_SRCBLEND, srcBlend), srcStep);
    CheckDXError(mDevice->SetRenderState(D3DRENDERSTATE_DESTBLEND, destBlend), destStep);
    CheckDXError(mDevice->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE),
                 "D3DRENDERSTATE_CULLMODE, D3DCULL_NONE");
    if (modulateAlpha)
      CheckDXError(mDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE), "D3DTSS_ALPHAOP, D3DTOP_MODULATE");
    draw();
    mDevice->EndScene();
    CopyPrimaryToTestImage();
    return true;
  } catch (const TestException& e) {
    mDevice->EndScene();
    mFailureReason = e.what();
    return false;
  }
}

bool D3DTester::RunBlendTest(const BlendTest& test) {
  const bool drawn = RenderTestScene(test.srcBlend, test.srcStep, test.destBlend, test.destStep, test.modulateAlpha, [&] {
    D3DTestImage image(kTextureSize, kTextureSize);
    std::fill(image.mBits.get(), image.mBits.get() + kTextureSize * kTextureSize, test.firstTexture);
    DrawImage(image, 0, 0, test.firstColor);
    if (test.second) {
      std::fill(image.mBits.get(), image.mBits.get() + kTextureSize * kTextureSize, test.secondTexture);
      DrawImage(image, 0, 0, test.secondColor);
    }
  });
  if (!drawn) return false;
  int32_t wrong = 0;
  bool uniform = true;
  JudgeBlock(mCaptureImage, test.expected, wrong, uniform);
  if (wrong > 0) return Fail(test.failure);
  if (!uniform) return Warn(test.warning);
  return true;
}

void D3DTester::JudgeBlock(const D3DTestImage& capture, uint32_t expected, int32_t& wrongPixels, bool& uniform) {
  wrongPixels = 0;
  uniform = true;
  const uint32_t first = capture.mBits[0];
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 0; x < 10; ++x) {
      const uint32_t p = capture.mBits[static_cast<size_t>(y) * capture.mWidth + x];
      if (ColorDistance(p, expected) > kTolerance) ++wrongPixels;
      if (p != first) uniform = false;
    }
  }
}

bool D3DTester::TestClipProblem() {
  const bool drawn = RenderTestScene(D3DBLEND_SRCALPHA, kSrcAlpha, D3DBLEND_INVSRCALPHA, kInvSrcAlpha, false, [&] {
    // Black even columns, white odd ones, drawn two pixels up and left.
    D3DTestImage stripes(kTextureSize, kTextureSize);
    for (int32_t y = 0; y < kTextureSize; ++y)
      for (int32_t x = 0; x < kTextureSize; ++x) stripes.At(x, y) = x % 2 ? 0xFFFFFFFF : 0xFF000000;
    DrawImage(stripes, -2, -2, 0xFFFFFFFF);
  });
  if (!drawn) return false;
  int32_t wrong = 0;
  for (int32_t y = 0; y < 62; ++y)
    for (int32_t x = 0; x < 62; ++x)
      if (ColorDistance(mCaptureImage.At(x, y), x % 2 ? 0xFFFFFF : 0x000000) > kTolerance) ++wrong;
  if (wrong > 0) Warn("Clip problem detected.");
  return true;
}

void D3DTester::DrawImage(D3DTestImage& image, int32_t x, int32_t y, uint32_t color) {
  for (int32_t ty = 0; ty < image.mHeight; ty += kTextureSize)
    for (int32_t tx = 0; tx < image.mWidth; tx += kTextureSize) DrawTextureQuad(image, tx, ty, x + tx, y + ty, color);
}

void D3DTester::DrawTextureQuad(D3DTestImage& image, int32_t blockX, int32_t blockY, int32_t x, int32_t y,
                                uint32_t color) {
  CopyImageToTexture(image, blockX, blockY);
  CheckDXError(mDevice->SetTexture(0, mTexture1), "SetTexture theTexture");
  D3DTLVERTEX quad[4];
  for (int i = 0; i < 4; ++i) {
    const bool right = i >= 2, bottom = i % 2 == 1;
    quad[i].sx = float(x) - 0.5f + (right ? kTextureSize : 0);
    quad[i].sy = float(y) - 0.5f + (bottom ? kTextureSize : 0);
    quad[i].color = color;
    quad[i].tu = right ? 1.0f : 0.0f;
    quad[i].tv = bottom ? 1.0f : 0.0f;
  }
  CheckDXError(mDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_TLVERTEX, quad, 4, D3DDP_WAIT), "DrawPrimitive");
  CheckDXError(mDevice->SetTexture(0, nullptr), "SetTexture NULL");
}

void D3DTester::CopyImageToTexture(D3DTestImage& image, int32_t blockX, int32_t blockY) {
  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  CheckDXError(mTexture1->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), "Lock Texture");
  const int32_t w = std::min(kTextureSize, image.mWidth - blockX), h = std::min(kTextureSize, image.mHeight - blockY);
  auto* bits = static_cast<uint8_t*>(desc.lpSurface);
  if (w < kTextureSize || h < kTextureSize) std::memset(bits, 0, static_cast<size_t>(desc.lPitch) * kTextureSize);
  for (int32_t row = 0; row < h; ++row) {
    uint8_t* out = bits + static_cast<size_t>(row) * desc.lPitch;
    const uint32_t* in = &image.At(blockX, blockY + row);
    if (gTestTexturesA8R8G8B8) {
      std::memcpy(out, in, static_cast<size_t>(w) * 4);
      continue;
    }
    for (int32_t col = 0; col < w; ++col) {
      const uint16_t t = static_cast<uint16_t>(ArgbToTexel(in[col], PixelFormat_A4R4G4B4));
      std::memcpy(out + col * 2, &t, 2);
    }
  }
  CheckDXError(mTexture1->Unlock(nullptr), "Texture Unlock");
}

void D3DTester::CopyPrimaryToTestImage() {
  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  CheckDXError(mRenderSurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), "CopyPrimary Lock");
  const DDPIXELFORMAT& f = desc.ddpfPixelFormat;
  const DWORD bits = f.dwRGBBitCount;
  const ReadBackSurface surface{desc.lpSurface, desc.lPitch, f.dwRBitMask, f.dwGBitMask, f.dwBBitMask};
  if (bits == 32) ReadBack32(mCaptureImage.mBits.get(), mCaptureImage.mWidth, mCaptureImage.mHeight, surface);
  else if (bits == 16) ReadBack16(mCaptureImage.mBits.get(), mCaptureImage.mWidth, mCaptureImage.mHeight, surface);
  mRenderSurface->Unlock(nullptr);
  if (bits == 24) throw TestException("Can't test 24-bit mode.");
  if (bits != 16 && bits != 32) throw TestException("Invalid Color Depth");
}

void D3DTester::CheckDXError(HRESULT result, const char* step) {
  if (FAILED(result)) throw TestException(std::string("DXError - ") + step + ": " + GetDirectXErrorString(result));
}

bool D3DTester::Fail(const std::string& reason) {
  mFailureReason = reason;
  return false;
}

bool D3DTester::Warn(const std::string& warning) {
  mWarning = warning;
  return true;
}

void D3DTester::Cleanup() {
  ReleaseInterface(mDirectDraw7);
  ReleaseInterface(mDirect3D);
  ReleaseInterface(mDevice);
  ReleaseInterface(mRenderSurface);
  ReleaseInterface(mTexture1);
  ReleaseInterface(mTexture2);
  if (mRegistryKey) RegCloseKey(mRegistryKey);
  mRegistryKey = nullptr;
}

}  // namespace Plix
