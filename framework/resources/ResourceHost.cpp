#include "framework/resources/ResourceHost.h"

#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "framework/util/Utilities.h"

namespace Plix {

FakeResourceHost::FakeResourceHost() = default;
FakeResourceHost::~FakeResourceHost() = default;

SharedImageRef FakeResourceHost::GetCachedImage(const std::string& fileName, const std::string& variant,
                                                bool* isNew) {
  auto [it, inserted] = mCache.try_emplace({StringToUpper(fileName), StringToUpper(variant)});
  if (inserted) {
    it->second = std::make_unique<SharedImage>();
    if (!fileName.empty() && fileName[0] == '!')
      it->second->mImage = std::make_unique<MemoryImage>();
    else
      it->second->mImage.reset(LoadImage(fileName, false));
  }
  if (isNew) *isNew = inserted;
  SharedImageRef ref;
  ref.AssignShared(it->second.get());
  return ref;
}

MemoryImage* FakeResourceHost::LoadImage(const std::string& fileName, bool commitBits) {
  std::unique_ptr<ImageLib::Image> decoded = ImageLib::LoadImageFile(fileName, true);
  if (!decoded) return nullptr;
  ++mFilesLoaded;
  auto* image = new MemoryImage;
  image->mName = fileName;
  image->AdoptBits(decoded->TakeBits(), decoded->mWidth, decoded->mHeight, commitBits);
  return image;
}

}  // namespace Plix
