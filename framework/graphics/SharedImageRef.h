#pragma once
// A counted handle to an image in the application's shared image cache, or
// the holder of an image outside the cache, which it may own.
#include <cstdint>
#include <memory>

namespace Plix {

class MemoryImage;

// A cache record: the image (owned) and the count of references to it. The
// application frees records whose count fell to 0 at its next sweep.
struct SharedImage {
  std::unique_ptr<MemoryImage> mImage;
  int32_t mRefCount = 0;

  SharedImage();
  ~SharedImage();
};

class SharedImageRef {
public:
  SharedImage* mSharedImage = nullptr;
  MemoryImage* mUnsharedImage = nullptr;
  bool mOwnsUnshared = false;  // the unshared image is deleted by Release

  SharedImageRef() = default;
  // Shares the record; an unshared image is referred to but never owned.
  SharedImageRef(const SharedImageRef& other);
  SharedImageRef& operator=(const SharedImageRef& other);
  ~SharedImageRef();

  // Releases, then shares the other's record (not its unshared image).
  void Assign(const SharedImageRef& other);
  void AssignShared(SharedImage* record);
  // Releases, then holds an image outside the cache; mOwnsUnshared stays.
  void AssignImage(MemoryImage* image);
  void Release();

  MemoryImage* GetImage() const;
  MemoryImage* GetCachedImage() const;
};

}  // namespace Plix
