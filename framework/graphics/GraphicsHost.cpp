#include "framework/graphics/GraphicsHost.h"

#include <bit>

#include "framework/platform/DebugOutput.h"

namespace Plix {

namespace {

GraphicsHost* DefaultHost() {
  // Never destroyed: images made at static initialisation outlive everything.
  static GraphicsHost* host = new DefaultGraphicsHost();
  return host;
}

std::atomic<GraphicsHost*> gGraphicsHost{nullptr};

void MaskLayout(uint32_t mask, int32_t& bits, int32_t& shift) {
  bits = std::popcount(mask);
  shift = mask != 0 ? std::countr_zero(mask) : 0;
}

}  // namespace

void NativeDisplay::SetPixelFormat(int32_t bitCount, uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
  mBitCount = bitCount;
  mRedMask = redMask;
  mGreenMask = greenMask;
  mBlueMask = blueMask;
  MaskLayout(redMask, mRedBits, mRedShift);
  MaskLayout(greenMask, mGreenBits, mGreenShift);
  MaskLayout(blueMask, mBlueBits, mBlueShift);
}

GraphicsHost::GraphicsHost() {
  for (int i = 0; i < 512; ++i) mSaturationTable[i] = static_cast<uint8_t>(i < 256 ? i : 255);
}

GraphicsHost::~GraphicsHost() = default;

void GraphicsHost::ShowFatalError(const std::string& text) { OutputDebugStringA(text + "\n"); }

SharedImageRef GraphicsHost::GetCachedImage(const std::string&, const std::string&, bool* isNew) {
  if (isNew) *isNew = false;
  return SharedImageRef();
}

GraphicsHost* GetGraphicsHost() {
  GraphicsHost* host = gGraphicsHost.load(std::memory_order_acquire);
  return host != nullptr ? host : DefaultHost();
}

void SetGraphicsHost(GraphicsHost* host) { gGraphicsHost.store(host, std::memory_order_release); }

void DefaultGraphicsHost::RegisterImage(MemoryImage* image) {
  AutoCrit lock(mLock);
  mImages.insert(image);
}

void DefaultGraphicsHost::UnregisterImage(MemoryImage* image) {
  {
    AutoCrit lock(mLock);
    mImages.erase(image);
  }
  DropTextureData(image);
}

bool DefaultGraphicsHost::IsRegistered(MemoryImage* image) {
  AutoCrit lock(mLock);
  return mImages.count(image) != 0;
}

size_t DefaultGraphicsHost::GetRegisteredCount() {
  AutoCrit lock(mLock);
  return mImages.size();
}

ScopedGraphicsHost::ScopedGraphicsHost(GraphicsHost* host) : mPrevious(gGraphicsHost.load()) {
  SetGraphicsHost(host);
}

ScopedGraphicsHost::~ScopedGraphicsHost() { SetGraphicsHost(mPrevious); }

}  // namespace Plix
