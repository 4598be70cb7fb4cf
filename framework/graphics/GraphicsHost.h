#pragma once
// What the graphics layer needs of the application object: the set of memory
// images (kept under the display lock), the display's 3D state, pixel layout
// and texture read-back, the additive saturation table and the flag that asks
// for a sweep of the shared image cache. The application implements it and
// sets itself as the process-wide host; until then (and in tests) a plain
// default host without a display answers.
#include <atomic>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "framework/graphics/NativeDisplay.h"
#include "framework/graphics/SharedImageRef.h"
#include "framework/platform/Threads.h"

namespace Plix {

class MemoryImage;

class GraphicsHost {
public:
  GraphicsHost();
  virtual ~GraphicsHost();
  GraphicsHost(const GraphicsHost&) = delete;
  GraphicsHost& operator=(const GraphicsHost&) = delete;

  // Every memory image registers when made and unregisters when destroyed;
  // unregistering also drops the image's 3D texture.
  virtual void RegisterImage(MemoryImage* image) = 0;
  virtual void UnregisterImage(MemoryImage* image) = 0;
  // Asks the display to release the image's 3D texture; nothing without one.
  virtual void DropTextureData(MemoryImage* image) = 0;
  // True while the display draws through the Direct3D device.
  virtual bool IsHardwareDrawing() = 0;
  // The display's pixel layout, or null while there is no display.
  virtual NativeDisplay* GetNativeDisplay() = 0;
  // Copies the image's 3D texture into its (allocated) bits; false when the
  // texture is missing or stale (its change count differs from the image's)
  // or cannot be read.
  virtual bool ReadTextureIntoBits(MemoryImage* image) = 0;

  // An error box (a broken font description, say); it does not end the
  // program. Without an application the text goes to the debugger output.
  virtual void ShowFatalError(const std::string& text);
  // The image of a file through the application's shared image cache; an
  // empty reference when it cannot be loaded. isNew (when given) tells
  // whether this call loaded it. Without an application nothing loads.
  virtual SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew);

  // 512 entries: i below 256, 255 above. Indexed by the sum of two channels.
  const uint8_t* GetSaturationTable() const { return mSaturationTable; }

  // Set when a shared image's reference count falls to 0; the application
  // then sweeps unreferenced shared images.
  std::atomic<bool> mSharedImagesChanged{false};

private:
  uint8_t mSaturationTable[512];
};

// Never null: the default host until the application sets itself.
GraphicsHost* GetGraphicsHost();
// Null restores the default host.
void SetGraphicsHost(GraphicsHost* host);

// The plain host: keeps the image set under its own lock and has no display.
class DefaultGraphicsHost : public GraphicsHost {
public:
  void RegisterImage(MemoryImage* image) override;
  void UnregisterImage(MemoryImage* image) override;
  void DropTextureData(MemoryImage* image) override {}
  bool IsHardwareDrawing() override { return false; }
  NativeDisplay* GetNativeDisplay() override { return nullptr; }
  bool ReadTextureIntoBits(MemoryImage* image) override { return false; }

  bool IsRegistered(MemoryImage* image);
  size_t GetRegisteredCount();

protected:
  CriticalSection mLock;
  std::set<MemoryImage*> mImages;
};

// A host for tests: a display layout, the 3D flag and texture read-back can
// be set, and texture drops are recorded.
class FakeGraphicsHost : public DefaultGraphicsHost {
public:
  bool mHardwareDrawing = false;
  NativeDisplay* mDisplay = nullptr;
  std::function<bool(MemoryImage*)> mReadTexture;
  std::vector<MemoryImage*> mDroppedTextures;

  void DropTextureData(MemoryImage* image) override { mDroppedTextures.push_back(image); }
  bool IsHardwareDrawing() override { return mHardwareDrawing; }
  NativeDisplay* GetNativeDisplay() override { return mDisplay; }
  bool ReadTextureIntoBits(MemoryImage* image) override { return mReadTexture ? mReadTexture(image) : false; }
};

// Makes a host the process-wide one for a scope.
class ScopedGraphicsHost {
public:
  explicit ScopedGraphicsHost(GraphicsHost* host);
  ~ScopedGraphicsHost();
  ScopedGraphicsHost(const ScopedGraphicsHost&) = delete;
  ScopedGraphicsHost& operator=(const ScopedGraphicsHost&) = delete;

private:
  GraphicsHost* mPrevious;
};

}  // namespace Plix
