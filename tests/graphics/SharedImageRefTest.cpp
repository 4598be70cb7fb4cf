#include "framework/graphics/SharedImageRef.h"

#include <gtest/gtest.h>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"

namespace Plix {
namespace {

TEST(SharedImageRef, CountsAndFlagsTheSweep) {
  FakeGraphicsHost host;
  ScopedGraphicsHost scope(&host);
  SharedImage record;
  record.mImage = std::make_unique<MemoryImage>();
  {
    SharedImageRef a;
    EXPECT_EQ(a.GetImage(), nullptr);
    a.AssignShared(&record);
    EXPECT_EQ(record.mRefCount, 1);
    EXPECT_EQ(a.GetImage(), record.mImage.get());
    EXPECT_EQ(a.GetCachedImage(), record.mImage.get());
    SharedImageRef b(a);
    EXPECT_EQ(record.mRefCount, 2);
    b.Release();  // 2 -> 1
    EXPECT_FALSE(host.mSharedImagesChanged);
    SharedImageRef c;
    c = a;
    EXPECT_EQ(record.mRefCount, 2);
    c = c;
    EXPECT_EQ(record.mRefCount, 2);
  }
  EXPECT_EQ(record.mRefCount, 0);
  EXPECT_TRUE(host.mSharedImagesChanged);
}

TEST(SharedImageRef, UnsharedImageOwnership) {
  FakeGraphicsHost host;
  ScopedGraphicsHost scope(&host);
  SharedImageRef owner;
  owner.mOwnsUnshared = true;
  owner.AssignImage(new MemoryImage());
  EXPECT_EQ(host.GetRegisteredCount(), 1u);
  {
    // A copy refers to the image but never owns it.
    SharedImageRef copy(owner);
    EXPECT_EQ(copy.GetImage(), owner.GetImage());
    EXPECT_FALSE(copy.mOwnsUnshared);
    EXPECT_EQ(copy.GetCachedImage(), nullptr);
  }
  EXPECT_EQ(host.GetRegisteredCount(), 1u);
  owner.Release();
  EXPECT_EQ(host.GetRegisteredCount(), 0u);
  EXPECT_TRUE(owner.mOwnsUnshared);

  // Assign takes only the shared record.
  SharedImage record;
  SharedImageRef shared;
  shared.AssignShared(&record);
  MemoryImage plain;
  shared.mUnsharedImage = &plain;
  SharedImageRef other;
  other.Assign(shared);
  EXPECT_EQ(other.mUnsharedImage, nullptr);
  EXPECT_EQ(record.mRefCount, 2);
  shared.Release();
  other.Release();
}

}  // namespace
}  // namespace Plix
