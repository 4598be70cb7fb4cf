#include "framework/graphics/SharedImageRef.h"

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"

namespace Plix {

SharedImage::SharedImage() = default;
SharedImage::~SharedImage() = default;

SharedImageRef::SharedImageRef(const SharedImageRef& other)
    : mSharedImage(other.mSharedImage), mUnsharedImage(other.mUnsharedImage) {
  if (mSharedImage != nullptr) ++mSharedImage->mRefCount;
}

SharedImageRef& SharedImageRef::operator=(const SharedImageRef& other) {
  if (this != &other) Assign(other);
  return *this;
}

SharedImageRef::~SharedImageRef() { Release(); }

void SharedImageRef::Assign(const SharedImageRef& other) {
  SharedImage* record = other.mSharedImage;
  Release();
  mSharedImage = record;
  if (mSharedImage != nullptr) ++mSharedImage->mRefCount;
}

void SharedImageRef::AssignShared(SharedImage* record) {
  Release();
  mSharedImage = record;
  if (mSharedImage != nullptr) ++mSharedImage->mRefCount;
}

void SharedImageRef::AssignImage(MemoryImage* image) {
  Release();
  mUnsharedImage = image;
}

void SharedImageRef::Release() {
  if (mOwnsUnshared && mUnsharedImage != nullptr) delete mUnsharedImage;
  mUnsharedImage = nullptr;
  if (mSharedImage != nullptr) {
    if (--mSharedImage->mRefCount == 0) GetGraphicsHost()->mSharedImagesChanged = true;
  }
  mSharedImage = nullptr;
}

MemoryImage* SharedImageRef::GetImage() const {
  if (mUnsharedImage != nullptr) return mUnsharedImage;
  return GetCachedImage();
}

MemoryImage* SharedImageRef::GetCachedImage() const {
  return mSharedImage != nullptr ? mSharedImage->mImage.get() : nullptr;
}

}  // namespace Plix
