#pragma once
// A graphics host for font tests: records error boxes and serves images
// made in memory through the shared image cache.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImageRef.h"

namespace Plix::Testing {

class FontTestHost : public FakeGraphicsHost {
public:
  std::vector<std::string> mErrors;
  std::vector<std::string> mRequested;

  void ShowFatalError(const std::string& text) override { mErrors.push_back(text); }

  SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) override {
    mRequested.push_back(fileName);
    SharedImageRef ref;
    auto it = mImages.find(fileName);
    if (it == mImages.end()) return ref;
    if (isNew) *isNew = it->second->mRefCount == 0 && !mHanded[fileName];
    mHanded[fileName] = true;
    ref.AssignShared(it->second.get());
    return ref;
  }

  // An image the cache will serve under that name; pixels from `argb`
  // (row after row), or transparent.
  MemoryImage* AddImage(const std::string& fileName, int width, int height, std::vector<uint32_t> argb = {}) {
    auto record = std::make_unique<SharedImage>();
    record->mImage = std::make_unique<MemoryImage>(this);
    if (argb.empty()) argb.assign(static_cast<size_t>(width * height), 0);
    record->mImage->SetBits(argb.data(), width, height);
    MemoryImage* image = record->mImage.get();
    mImages[fileName] = std::move(record);
    return image;
  }

private:
  std::map<std::string, std::unique_ptr<SharedImage>> mImages;
  std::map<std::string, bool> mHanded;
};

}  // namespace Plix::Testing
