#pragma once
// What the resource manager needs of the application object: its shared
// image cache, its image loading, whether the display draws in 3D, and its
// sound manager. The application implements it and hands itself to the
// resource manager; tests use the fake below.
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "framework/graphics/SharedImageRef.h"

namespace Plix {

class MemoryImage;
class SoundManager;

class ResourceHost {
public:
  virtual ~ResourceHost() = default;
  // The image of a file through the shared cache, keyed by the file name
  // and variant without regard to case; an empty reference when it cannot
  // be loaded. isNew (when given) tells whether this call loaded it.
  virtual SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) = 0;
  // A new image (owned by the caller) from a file, or null.
  virtual MemoryImage* LoadImage(const std::string& fileName, bool commitBits) = 0;
  // True while the display draws through the Direct3D device.
  virtual bool IsHardwareDrawing() = 0;
  // The application's sound manager; null before it exists.
  virtual SoundManager* GetSoundManager() = 0;
};

// A host for tests: images decoded by ImageLib into memory images, a cache
// that counts its loads, a settable 3D flag and sound manager.
class FakeResourceHost : public ResourceHost {
public:
  FakeResourceHost();
  ~FakeResourceHost() override;

  SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) override;
  MemoryImage* LoadImage(const std::string& fileName, bool commitBits) override;
  bool IsHardwareDrawing() override { return mHardwareDrawing; }
  SoundManager* GetSoundManager() override { return mSoundManager; }

  bool mHardwareDrawing = false;
  SoundManager* mSoundManager = nullptr;
  int mFilesLoaded = 0;  // by LoadImage and by the cache
  std::map<std::pair<std::string, std::string>, std::unique_ptr<SharedImage>> mCache;
};

}  // namespace Plix
