#pragma once
// A display on the emulated desktop that draws through the emulated
// Direct3D device, with the application's image side (AppImages) as the
// graphics host, an in-memory registry, and a display host that records
// what the Direct3D path and the 3D test hand to the application.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/AppImages.h"
#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/Direct3D.h"
#include "framework/platform/Registry.h"

namespace Plix::Testing {

class D3DTestHost : public DisplayHost {
public:
  DisplaySettings mSettings;
  bool mMinimised = false;
  int mTest3DDone = 0;
  std::vector<std::pair<std::string, std::string>> mRegistryWrites;
  std::vector<std::string> mSyncedStrings;
  std::vector<bool> mSyncedBools;
  // Values a played demo hands back, in order.
  std::deque<std::string> mDemoStrings;
  std::deque<bool> mDemoBools;

  DisplaySettings GetDisplaySettings() override { return mSettings; }
  void Test3DDone() override { ++mTest3DDone; }
  bool IsMinimised() override { return mMinimised; }
  bool WriteRegistryStringUnrecorded(const std::string& name, const std::string& value) override {
    mRegistryWrites.emplace_back(name, value);
    return true;
  }
  void SyncStringWithDemo(std::string& value) override {
    mSyncedStrings.push_back(value);
    if (!mDemoStrings.empty()) {
      value = mDemoStrings.front();
      mDemoStrings.pop_front();
    }
  }
  void SyncBoolWithDemo(bool& value) override {
    mSyncedBools.push_back(value);
    if (!mDemoBools.empty()) {
      value = mDemoBools.front();
      mDemoBools.pop_front();
    }
  }
};

class Display3D {
public:
  // A windowed display of the given desktop depth and size; drawing through
  // Direct3D when is3D is set.
  explicit Display3D(bool is3D = true, int bits = 32, int width = 64, int height = 48,
                     const EmulatedDirect3DConfig& device = {}, EmulatedDisplayConfig desktop = {})
      : mRegistryScope(mRegistry),
        mDisplayScope(DesktopConfig(desktop, bits)),
        mDeviceScope(device),
        mHostScope(&mImages) {
    mApp.mSettings.screenWidth = width;
    mApp.mSettings.screenHeight = height;
    mApp.mSettings.registryKeyPath = "VARNOK\\Test";
    mDisplay = std::make_unique<DDInterface>(&mApp);
    mDisplay->mIs3D = is3D;
    mImages.SetDisplay(mDisplay.get());
  }
  ~Display3D() {
    mDisplay.reset();
    mImages.SetDisplay(nullptr);
  }

  int Init(HWND window = nullptr) { return mDisplay->Init(window, true); }
  DDInterface* operator->() { return mDisplay.get(); }
  D3DInterface& D3D() { return *mDisplay->mD3DInterface; }
  DDImage* Screen() { return mDisplay->GetScreenImage(); }

  // The draw surface's pixel as 0x00RRGGBB (16-bit layouts widened).
  uint32_t Pixel(int x, int y) {
    IDirectDrawSurface* s = mDisplay->mDrawSurface;
    const uint8_t* row = s->Pixels() + y * s->Pitch();
    if (s->Format().dwRGBBitCount == 16) {
      uint16_t v;
      std::memcpy(&v, row + x * 2, 2);
      return (((v >> 11) & 31) << 19) | (((v >> 5) & 63) << 10) | ((v & 31) << 3);
    }
    uint32_t v;
    std::memcpy(&v, row + x * 4, 4);
    return v & 0xFFFFFF;
  }

  // A display image of the given ARGB pixels.
  std::unique_ptr<DDImage> Image(int w, int h, const std::vector<uint32_t>& argb) {
    auto image = std::make_unique<DDImage>(mDisplay.get());
    image->SetBits(argb.data(), w, h);
    return image;
  }
  std::unique_ptr<DDImage> Solid(int w, int h, uint32_t argb) {
    return Image(w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, argb));
  }

  RegistryStore mRegistry;
  D3DTestHost mApp;
  AppImages mImages;

private:
  static EmulatedDisplayConfig DesktopConfig(EmulatedDisplayConfig c, int bits) {
    c.desktopBits = bits;
    c.pitchPadding = 8;
    return c;
  }
  ScopedRegistryStore mRegistryScope;
  ScopedEmulatedDisplay mDisplayScope;
  ScopedEmulatedDirect3D mDeviceScope;
  ScopedGraphicsHost mHostScope;

public:
  std::unique_ptr<DDInterface> mDisplay;
};

}  // namespace Plix::Testing
