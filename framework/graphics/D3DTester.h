#pragma once
// The 3D capability test: before the display draws through Direct3D it
// identifies the adapter, checks its video memory against two lists of
// known good and bad adapters ("vhw.dat", "vhwb.dat"), renders five tiny
// scenes on a device of its own and compares what they read back with the
// colours the blend modes must give. The outcome is a failure reason (no
// 3D), a warning (3D works but is not switched on by itself) or neither,
// kept per adapter and memory limits in the registry key "Test3D" under the
// application's key, so that a result without failure is not tested again.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "framework/platform/Direct3D.h"
#include "framework/platform/Registry.h"

namespace Plix {

class DisplayHost;

// A 32-bit ARGB picture the test fills and reads back into.
class D3DTestImage {
public:
  std::unique_ptr<uint32_t[]> mBits;
  int32_t mWidth = 0;
  int32_t mHeight = 0;

  D3DTestImage() = default;
  D3DTestImage(int32_t width, int32_t height) { Create(width, height); }
  virtual ~D3DTestImage() = default;

  void Create(int32_t width, int32_t height);
  void FreeImage();
  uint32_t& At(int32_t x, int32_t y) { return mBits[static_cast<size_t>(y) * mWidth + x]; }
};

class D3DTester {
public:
  class TestException : public std::exception {
  public:
    explicit TestException(std::string message) : mMessage(std::move(message)) {}
    const char* what() const noexcept override { return mMessage.c_str(); }

  private:
    std::string mMessage;
  };

  DisplayHost* mApp;
  IDirectDraw7* mDirectDraw7 = nullptr;
  IDirectDrawSurface7* mRenderSurface = nullptr;
  IDirectDrawSurface7* mTexture1 = nullptr;
  IDirectDrawSurface7* mTexture2 = nullptr;
  IDirect3D7* mDirect3D = nullptr;
  IDirect3DDevice7* mDevice = nullptr;
  HKEY mRegistryKey = nullptr;
  uint8_t mDisplayGUID[16] = {};
  std::string mDriverName;
  std::string mDescription;
  D3DTestImage mCaptureImage;
  std::string mFailureReason;
  std::string mWarning;
  int32_t mMinVidMemory = 0;
  int32_t mRecVidMemory = 0;
  bool mUseRegistry = true;
  bool mWriteRegistry = false;
  // The result was computed now, not read from the registry.
  bool mResultFresh = false;
  int32_t mDriverYear = 0;

  explicit D3DTester(DisplayHost* app);
  virtual ~D3DTester();
  D3DTester(const D3DTester&) = delete;
  D3DTester& operator=(const D3DTester&) = delete;

  void SetVidMemoryConstraints(int32_t minimumMB, int32_t recommendedMB);
  // Afterwards mFailureReason, mWarning and mResultFresh hold the outcome.
  void TestD3D(HWND window, IDirectDraw7* directDraw);

  // The steps, open for tests.
  bool PrepareTest(HWND window, IDirectDraw7* directDraw);
  bool ReadFromRegistry();
  void WriteToRegistry();
  bool IsSupportedCard(const std::string& description);
  // Whether a line of the list file occurs in the text (ignoring case);
  // `opened` says whether the file could be read at all.
  static bool FileContains(const char* fileName, const std::string& text, bool* opened);
  bool RunTests();
  bool TestAlphaBlend();
  bool TestAdditiveBlend();
  bool TestAlphaAddBlend();
  bool TestAlphaModulate();
  bool TestClipProblem();
  void DrawImage(D3DTestImage& image, int32_t x, int32_t y, uint32_t color);
  void DrawTextureQuad(D3DTestImage& image, int32_t blockX, int32_t blockY, int32_t x, int32_t y, uint32_t color);
  void CopyImageToTexture(D3DTestImage& image, int32_t blockX, int32_t blockY);
  void CopyPrimaryToTestImage();
  void CheckDXError(HRESULT result, const char* step);
  bool Fail(const std::string& reason);
  bool Warn(const std::string& warning);
  void Cleanup();

  // Over the capture's top-left 10 x 10: pixels further from the expected
  // colour than the tolerance, and whether all are alike.
  static void JudgeBlock(const D3DTestImage& capture, uint32_t expected, int32_t& wrongPixels, bool& uniform);

private:
  struct BlendTest {
    DWORD srcBlend;
    const char* srcStep;
    DWORD destBlend;
    const char* destStep;
    uint32_t firstTexture, firstColor;
    bool second;
    uint32_t secondTexture, secondColor;
    bool modulateAlpha;
    uint32_t expected;
    const char* failure;
    const char* warning;
  };
  bool RunBlendTest(const BlendTest& test);
  // One scene: cleared to black, blending on with the given factors, no
  // culling, drawn and read back into the capture; false with the failure
  // set when a call failed.
  bool RenderTestScene(DWORD srcBlend, const char* srcStep, DWORD destBlend, const char* destStep,
                       bool modulateAlpha, const std::function<void()>& draw);
  std::string RegistryKeyName() const;
};

}  // namespace Plix
