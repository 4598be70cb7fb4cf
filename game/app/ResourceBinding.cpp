#include "game/app/ResourceBinding.h"

#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ResourceManager.h"

namespace Plix {

bool BindResources(ResourceManager* manager, std::span<const ResourceBinding> table) {
  if (!manager) return false;
  try {
    for (const ResourceBinding& b : table) {
      if (b.mImage)
        *b.mImage = manager->RequireImage(b.mId).GetImage();
      else if (b.mSound)
        *b.mSound = manager->RequireSound(b.mId);
      else if (b.mFont)
        *b.mFont = manager->RequireFont(b.mId);
    }
  } catch (const ResourceManagerException&) {
    return false;
  }
  return true;
}

void ClearResources(std::span<const ResourceBinding> table) {
  for (const ResourceBinding& b : table) {
    if (b.mImage) *b.mImage = nullptr;
    if (b.mSound) *b.mSound = 0;
    if (b.mFont) *b.mFont = nullptr;
  }
}

void ClearFreedGroupHandles(const std::string& group) {
  if (!group.empty()) {
    ClearResources(GetGroupBindings(group));
    return;
  }
  for (const char* name : GetBoundGroups()) ClearResources(GetGroupBindings(name));
}

}  // namespace Plix
