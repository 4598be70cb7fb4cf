#pragma once
// The application's side of its images: the factory of display images
// (loading, copying), the set of every live memory image (rebuilt when the
// display changes), the cache of images shared by file name and variant,
// and the two debugging aids that write images out (screenshot, dump).
// The application base owns one and forwards to it; it also serves as the
// graphics host's image registration side. Everything here is guarded by
// the display lock, because the loading thread makes images while the main
// thread draws.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/Rect.h"
#include "framework/graphics/SharedImageRef.h"
#include "framework/platform/Threads.h"

namespace Plix {

class DDImage;
class DDInterface;
class Image;
class MemoryImage;

class AppImages : public GraphicsHost {
public:
  // The cache key: file name and variant, both upper-cased.
  using SharedImageKey = std::pair<std::string, std::string>;
  struct SharedImageEntry {
    SharedImage mRecord;
    std::atomic<bool> mLoading{false};
  };

  DDInterface* mDDInterface = nullptr;
  std::set<MemoryImage*> mMemoryImageSet;
  std::map<SharedImageKey, SharedImageEntry> mSharedImageMap;

  AppImages() = default;
  ~AppImages() override;
  // The display whose lock guards the sets, or null before there is one.
  void SetDisplay(DDInterface* display) { mDDInterface = display; }
  // The display lock, or a lock of our own while there is no display.
  CriticalSection& Lock();

  // A new display image of the decoded file, or null when it cannot be read.
  virtual DDImage* LoadImage(const std::string& fileName, bool commitBits);
  DDImage* CopyImageRect(Image* image, const Rect& rect);
  DDImage* CopyImage(Image* image);

  // GraphicsHost.
  void RegisterImage(MemoryImage* image) override;
  void UnregisterImage(MemoryImage* image) override;
  void DropTextureData(MemoryImage* image) override;
  bool IsHardwareDrawing() override;
  NativeDisplay* GetNativeDisplay() override;
  bool ReadTextureIntoBits(MemoryImage* image) override;
  // A name beginning with '!' gives a new empty image without reading a
  // file. A second caller asking while the first still loads waits for it.
  SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) override;
  // Frees the shared images nobody refers to any more.
  void SweepSharedImages();

  // The visible screen as "_screenshots/image<n>.png" under the
  // application-data folder, n one above the largest there.
  void TakeScreenshot();
  // Every memory image as "_dump/img<n>.png" with a JPEG thumbnail, listed
  // with its memory use in "_dump/imagelist.html".
  void DumpImages();

protected:
  // Called after a screenshot so that the time spent writing it does not
  // cause catch-up updates.
  virtual void ResetFrameTiming() {}

private:
  CriticalSection mOwnLock;
  std::mutex mLoadMutex;
  std::condition_variable mLoadDone;
};

}  // namespace Plix
