#pragma once
// A display on the emulated desktop, without a window, for the tests of the
// display, its images and the drawing context.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/platform/DDraw.h"

namespace Plix::Testing {

class TestDisplayHost : public DisplayHost {
public:
  DisplaySettings mSettings;
  int mTest3DDone = 0;
  int mPacingFailed = 0;
  Rect mScreenRect;
  DisplaySettings GetDisplaySettings() override { return mSettings; }
  void Test3DDone() override { ++mTest3DDone; }
  void SetScreenRect(const Rect& rect) override { mScreenRect = rect; }
  void SetRefreshPacingFailed() override { ++mPacingFailed; }
};

// A display of the given desktop depth (32 or 16) and draw-buffer size,
// initialised windowed; the graphics host knows it as the native display.
class TestDisplay {
public:
  explicit TestDisplay(int bits = 32, int width = 32, int height = 24, EmulatedDisplayConfig config = {})
      : mScope(Config(config, bits)), mHostScope(&mHost) {
    mApp.mSettings.screenWidth = width;
    mApp.mSettings.screenHeight = height;
    mDisplay = std::make_unique<DDInterface>(&mApp);
    mHost.mDisplay = mDisplay.get();
  }
  ~TestDisplay() { mDisplay.reset(); }

  int Init(HWND hwnd = nullptr, bool windowed = true) { return mDisplay->Init(hwnd, windowed); }
  DDInterface& operator*() { return *mDisplay; }
  DDInterface* operator->() { return mDisplay.get(); }
  DDInterface* get() { return mDisplay.get(); }

  TestDisplayHost mApp;
  FakeGraphicsHost mHost;

private:
  static EmulatedDisplayConfig Config(EmulatedDisplayConfig c, int bits) {
    c.desktopBits = bits;
    c.pitchPadding = 8;  // catches code that steps rows by width
    return c;
  }
  ScopedEmulatedDisplay mScope;
  ScopedGraphicsHost mHostScope;

public:
  std::unique_ptr<DDInterface> mDisplay;
};

// Raw pixel access of a surface.
inline uint32_t SurfacePixel(IDirectDrawSurface* s, int x, int y) {
  const uint8_t* p = s->Pixels() + y * s->Pitch();
  if (s->Format().dwRGBBitCount == 16) {
    uint16_t v;
    std::memcpy(&v, p + x * 2, 2);
    return v;
  }
  uint32_t v;
  std::memcpy(&v, p + x * 4, 4);
  return v;
}

inline void SetSurfacePixel(IDirectDrawSurface* s, int x, int y, uint32_t v) {
  uint8_t* p = s->Pixels() + y * s->Pitch();
  if (s->Format().dwRGBBitCount == 16) {
    uint16_t w = static_cast<uint16_t>(v);
    std::memcpy(p + x * 2, &w, 2);
  } else {
    std::memcpy(p + x * 4, &v, 4);
  }
}

inline void FillSurface(IDirectDrawSurface* s, uint32_t v) {
  for (int y = 0; y < s->Height(); ++y)
    for (int x = 0; x < s->Width(); ++x) SetSurfacePixel(s, x, y, v);
}

// A display image of the given ARGB pixels.
inline std::unique_ptr<DDImage> MakeImage(DDInterface* display, int w, int h, const std::vector<uint32_t>& argb) {
  auto image = std::make_unique<DDImage>(display);
  image->SetBits(argb.data(), w, h);
  return image;
}

inline std::unique_ptr<DDImage> SolidImage(DDInterface* display, int w, int h, uint32_t argb) {
  return MakeImage(display, w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, argb));
}

}  // namespace Plix::Testing
