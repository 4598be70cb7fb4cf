#pragma once
// The graphics side of an application in tests: font images (and every other
// cached image) come from the resource host's shared cache, as they do in the
// application object, which is both hosts.
#include <string>

#include "framework/graphics/GraphicsHost.h"
#include "framework/resources/ResourceHost.h"

namespace Plix::Testing {

class ResourceGraphicsHost : public FakeGraphicsHost {
public:
  explicit ResourceGraphicsHost(ResourceHost* resources) : mResources(resources) {}
  SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) override {
    return mResources->GetCachedImage(fileName, variant, isNew);
  }

private:
  ResourceHost* mResources;
};

}  // namespace Plix::Testing
