#include "framework/graphics/MemoryImage.h"

#include <gtest/gtest.h>

#include "framework/graphics/GraphicsHost.h"
#include "tests/graphics/PixelTestUtil.h"

namespace Plix {
namespace {

using Testing::MakeImage;
using Testing::PixelAt;
using Testing::Pixels;

TextureData* FakeTexture() {
  static int token;
  return reinterpret_cast<TextureData*>(&token);
}

TEST(MemoryImage, RegistersWithItsHost) {
  FakeGraphicsHost host;
  ScopedGraphicsHost scope(&host);
  MemoryImage* raw;
  {
    MemoryImage image;
    raw = &image;
    EXPECT_TRUE(host.IsRegistered(&image));
    MemoryImage copy(image);
    EXPECT_TRUE(host.IsRegistered(&copy));
    EXPECT_EQ(host.GetRegisteredCount(), 2u);
    FakeGraphicsHost other;
    MemoryImage given(&other);
    EXPECT_TRUE(other.IsRegistered(&given));
    EXPECT_FALSE(host.IsRegistered(&given));
  }
  EXPECT_EQ(host.GetRegisteredCount(), 0u);
  // Unregistering drops the texture as well.
  ASSERT_EQ(host.mDroppedTextures.size(), 2u);
  EXPECT_EQ(host.mDroppedTextures.back(), raw);
}

TEST(MemoryImage, CreateThenGetBitsGivesZerosAndGuard) {
  MemoryImage image;
  image.Create(4, 3);
  EXPECT_TRUE(image.mHasTrans);
  EXPECT_TRUE(image.mHasAlpha);
  EXPECT_EQ(image.mBitsChangedCount, 1);
  const uint32_t* bits = image.GetBits();
  for (int i = 0; i < 12; ++i) EXPECT_EQ(bits[i], 0u);
  EXPECT_EQ(bits[12], 0x4BEEFADEu);
}

TEST(MemoryImage, SetBitsCopiesAndScans) {
  struct Case {
    std::vector<uint32_t> bits;
    bool commit, trans, alpha;
  } cases[] = {
      {{0xFF000000, 0xFFFFFFFF}, true, false, false},
      {{0x00000000, 0xFFFFFFFF}, true, true, false},
      {{0x80000000, 0xFFFFFFFF}, true, false, true},
      {{0x00000000, 0x01FFFFFF}, true, true, true},
  };
  for (const auto& c : cases) {
    MemoryImage image;
    image.SetBits(c.bits.data(), 2, 1, c.commit);
    EXPECT_EQ(image.mHasTrans, c.trans);
    EXPECT_EQ(image.mHasAlpha, c.alpha);
    EXPECT_FALSE(image.mBitsChanged);
    EXPECT_EQ(Pixels(image), c.bits);
    EXPECT_EQ(image.GetBits()[2], MemoryImage::kGuardWord);
  }
  // Without commit the scan waits.
  MemoryImage image;
  uint32_t clear = 0;
  image.SetBits(&clear, 1, 1, false);
  EXPECT_TRUE(image.mBitsChanged);
  image.UpdateAlphaFlags();
  EXPECT_TRUE(image.mHasTrans);
  // Its own bits are left alone.
  int32_t count = image.mBitsChangedCount;
  image.SetBits(image.GetBits(), 1, 1);
  EXPECT_EQ(image.mBitsChangedCount, count);
}

TEST(MemoryImage, ForcedModeIsNeverScanned) {
  auto image = MakeImage(4, 4, 0xFF000000u);
  image->SetImageMode(false, false);
  image->FillRect(Rect(0, 0, 2, 2), Color(255, 255, 255, 100), 0);
  image->UpdateAlphaFlags();
  EXPECT_FALSE(image->mHasAlpha);
  EXPECT_FALSE(image->mHasTrans);
  EXPECT_EQ(image->GetRasterFormat(), 0x888);
  MemoryImage plain;
  EXPECT_EQ(plain.GetRasterFormat(), 0x8888);
}

TEST(MemoryImage, EmptyImageScansAsTransparent) {
  MemoryImage image;
  image.OnBitsChanged();
  image.UpdateAlphaFlags();
  EXPECT_TRUE(image.mHasTrans);
  EXPECT_FALSE(image.mBitsChanged);
}

TEST(MemoryImage, OnBitsChangedDropsCaches) {
  auto image = MakeImage(2, 2, 0xFF102030u);
  image->GetNativeAlphaData(nullptr);
  image->GetRLAlphaData();
  image->GetRLAdditiveData(nullptr);
  int32_t count = image->mBitsChangedCount;
  image->OnBitsChanged();
  EXPECT_EQ(image->mBitsChangedCount, count + 1);
  EXPECT_TRUE(image->mBitsChanged);
  EXPECT_FALSE(image->mNativeAlphaData);
  EXPECT_FALSE(image->mRLAlphaData);
  EXPECT_FALSE(image->mRLAdditiveData);
}

TEST(MemoryImage, AlphaRunLengths) {
  struct Case {
    int32_t w, h;
    std::vector<uint32_t> alphas;
    std::vector<uint8_t> runs;
  } cases[] = {
      {6, 1, {0, 0, 255, 128, 128, 128}, {2, 1, 1, 3, 2, 1}},
      {1, 3, {0, 0, 0}, {1, 1, 1}},
      {3, 2, {255, 255, 255, 255, 1, 254}, {3, 2, 1, 1, 2, 1}},
  };
  for (const auto& c : cases) {
    std::vector<uint32_t> bits;
    for (uint32_t a : c.alphas) bits.push_back(a << 24 | 0x123456);
    auto image = MakeImage(c.w, c.h, bits);
    const uint8_t* runs = image->GetRLAlphaData();
    EXPECT_EQ(std::vector<uint8_t>(runs, runs + c.runs.size()), c.runs);
  }
  // A 300-pixel opaque run: 255 for its first 46 pixels, then 254 down to 1.
  auto wide = MakeImage(300, 2, 0xFFFFFFFFu);
  const uint8_t* runs = wide->GetRLAlphaData();
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 300; ++i) {
      int expect = i < 46 ? 255 : 300 - i;
      ASSERT_EQ(runs[row * 300 + i], expect) << i;
    }
  }
}

TEST(MemoryImage, AdditiveRunLengthsFollowNativeColour) {
  // Alpha 0 premultiplies to black, so a coloured clear pixel counts as black.
  auto image = MakeImage(5, 1, {0xFF000000, 0x00FFFFFF, 0xFF010000, 0x80808080, 0xFF000000});
  const uint8_t* runs = image->GetRLAdditiveData(nullptr);
  EXPECT_EQ(std::vector<uint8_t>(runs, runs + 5), (std::vector<uint8_t>{2, 1, 2, 1, 1}));
}

TEST(MemoryImage, NativeDataPremultipliesIntoLayout) {
  NativeDisplay d565;
  d565.SetPixelFormat(16, 0xF800, 0x07E0, 0x001F);
  EXPECT_EQ(d565.mRedShift, 11);
  EXPECT_EQ(d565.mGreenBits, 6);
  struct Case {
    NativeDisplay* display;
    uint32_t pixel, native;
  } cases[] = {
      {nullptr, 0xFFFFFFFF, 0xFFFFFFFF},
      {nullptr, 0x80FF8040, 0x80804020},  // channel * 129 >> 8
      {nullptr, 0x00FFFFFF, 0x00000000},
      {&d565, 0xFFFFFFFF, 0xFF00FFFF},
      {&d565, 0xFF102030, 0xFF001106},
  };
  for (const auto& c : cases) {
    auto image = MakeImage(1, 1, c.pixel);
    EXPECT_EQ(image->GetNativeAlphaData(c.display)[0], c.native) << std::hex << c.pixel;
  }
}

TEST(MemoryImage, PurgeToNativeAndBack) {
  FakeGraphicsHost host;
  ScopedGraphicsHost scope(&host);
  auto image = MakeImage(3, 1, {0xFF123456, 0x80FF8040, 0x00000000});
  image->PurgeBits();
  EXPECT_TRUE(image->mPurgeBits);
  EXPECT_FALSE(image->mBits);
  ASSERT_TRUE(image->mNativeAlphaData);
  // Rebuilt from the native cache (which is kept), within its precision.
  EXPECT_EQ(Pixels(*image), (std::vector<uint32_t>{0xFF123456, 0x80FE7F3F, 0x00000000}));
  EXPECT_TRUE(image->mNativeAlphaData);

  // Nothing to rebuild from: the image is left alone.
  MemoryImage empty;
  empty.PurgeBits();
  EXPECT_FALSE(empty.mNativeAlphaData);
}

TEST(MemoryImage, PurgeUnder3DNeedsTexture) {
  FakeGraphicsHost host;
  host.mHardwareDrawing = true;
  ScopedGraphicsHost scope(&host);
  auto image = MakeImage(2, 1, 0xFF00FF00u);
  image->Palettize();
  image->GetBits();
  image->PurgeBits();
  EXPECT_TRUE(image->mBits);  // no texture yet
  image->Palettize();
  image->mD3DData = FakeTexture();
  image->PurgeBits();
  EXPECT_FALSE(image->mBits);
  EXPECT_FALSE(image->mColorTable);
  EXPECT_FALSE(image->mNativeAlphaData);

  // The texture reads back while current; otherwise the bits come back zero.
  host.mReadTexture = [&](MemoryImage* m) {
    m->mBits[0] = 0xFF00FF00;
    m->mBits[1] = 0xFF00FF00;
    return true;
  };
  EXPECT_EQ(Pixels(*image), (std::vector<uint32_t>{0xFF00FF00, 0xFF00FF00}));
  image->mBits.reset();
  host.mReadTexture = nullptr;
  EXPECT_EQ(Pixels(*image), (std::vector<uint32_t>{0, 0}));
  image->mD3DData = nullptr;
}

TEST(MemoryImage, Palettize) {
  // Indices in order of first appearance; alpha counts.
  auto image = MakeImage(4, 1, {0xFFFFFFFF, 0x00FFFFFF, 0xFFFFFFFF, 0x12345678});
  ASSERT_TRUE(image->Palettize());
  EXPECT_TRUE(image->mWantPal);
  EXPECT_FALSE(image->mBits);
  EXPECT_EQ(std::vector<uint8_t>(image->mColorIndices.get(), image->mColorIndices.get() + 4),
            (std::vector<uint8_t>{0, 1, 0, 2}));
  EXPECT_EQ(image->mColorTable[0], 0xFFFFFFFFu);
  EXPECT_EQ(image->mColorTable[1], 0x00FFFFFFu);
  EXPECT_EQ(image->mColorTable[2], 0x12345678u);
  EXPECT_TRUE(image->Palettize());

  // A copy is palettised with the same table order.
  MemoryImage copy(*image);
  ASSERT_TRUE(copy.mColorTable);
  EXPECT_FALSE(copy.mBits);
  EXPECT_EQ(copy.mColorTable[2], 0x12345678u);
  EXPECT_EQ(Pixels(copy), (std::vector<uint32_t>{0xFFFFFFFF, 0x00FFFFFF, 0xFFFFFFFF, 0x12345678}));
  EXPECT_FALSE(copy.mColorTable);  // GetBits gives the palette form up

  auto one = MakeImage(1, 1, 0xFF336699u);
  ASSERT_TRUE(one->Palettize());
  EXPECT_EQ(one->mColorIndices[0], 0);
  EXPECT_EQ(one->mColorTable[0], 0xFF336699u);
}

TEST(MemoryImage, PalettizeStopsAtThe257thColour) {
  std::vector<uint32_t> bits(16 * 17);
  for (size_t i = 0; i < bits.size(); ++i) bits[i] = 0xFF000000u | uint32_t((i * 7919) % 256) << 8;
  auto exact = MakeImage(16, 17, bits);
  ASSERT_TRUE(exact->Palettize());
  EXPECT_EQ(Pixels(*exact), bits);

  bits[10] = 0xFEFFFFFF;  // its old colour still appears at 266
  auto over = MakeImage(16, 17, bits);
  EXPECT_FALSE(over->Palettize());
  EXPECT_FALSE(over->mWantPal);
  EXPECT_FALSE(over->mColorTable);
  EXPECT_FALSE(over->mColorIndices);
  ASSERT_TRUE(over->mBits);
  EXPECT_EQ(Pixels(*over), bits);
}

TEST(MemoryImage, CopyOfImageWithoutBitsLeavesSourceWithout) {
  MemoryImage image;
  image.Create(2, 2);
  image.mCelColumns = 2;
  MemoryImage copy(image);
  EXPECT_FALSE(image.mBits);
  ASSERT_TRUE(copy.mBits);
  EXPECT_EQ(copy.mBits[4], MemoryImage::kGuardWord);
  EXPECT_EQ(copy.mCelColumns, 2);
  EXPECT_TRUE(copy.mHasAlpha);
}

TEST(MemoryImage, CopyKeepsCaches) {
  auto image = MakeImage(2, 1, {0xFF000000, 0x80FFFFFF});
  image->GetNativeAlphaData(nullptr);
  image->GetRLAlphaData();
  MemoryImage copy(*image);
  ASSERT_TRUE(copy.mNativeAlphaData);
  EXPECT_EQ(copy.mNativeAlphaData[1], image->mNativeAlphaData[1]);
  ASSERT_TRUE(copy.mRLAlphaData);
  EXPECT_FALSE(copy.mD3DData);
}

TEST(MemoryImage, BufferHousekeeping) {
  FakeGraphicsHost host;
  ScopedGraphicsHost scope(&host);
  auto image = MakeImage(2, 1, {0xFF000000, 0x80FFFFFF});
  image->Palettize();
  image->GetNativeAlphaData(nullptr);
  image->GetRLAlphaData();
  image->GetRLAdditiveData(nullptr);
  image->DeleteNativeData();
  EXPECT_TRUE(image->mColorTable);  // the palette form counts as held
  EXPECT_FALSE(image->mNativeAlphaData);
  EXPECT_FALSE(image->mRLAdditiveData);
  EXPECT_TRUE(image->mRLAlphaData);
  image->DeleteExtraBuffers();
  EXPECT_FALSE(image->mRLAlphaData);
  EXPECT_EQ(host.mDroppedTextures.size(), 1u);

  // With neither bits nor palette the bits are secured first.
  image->GetBits();
  image->PurgeBits();
  ASSERT_FALSE(image->mBits);
  image->DeleteSWBuffers();
  EXPECT_TRUE(image->mBits);
  EXPECT_FALSE(image->mNativeAlphaData);
}

TEST(MemoryImage, CommitLoadFlags) {
  FakeGraphicsHost host;
  ScopedGraphicsHost scope(&host);
  auto image = MakeImage(2, 1, {0xFF000000, 0xFFFFFFFF});
  image->mWantPal = true;
  image->mPurgeBits = true;
  image->CommitLoadFlags();
  EXPECT_TRUE(image->mColorTable);
  EXPECT_TRUE(image->mNativeAlphaData);
  EXPECT_FALSE(image->mBits);
}

TEST(MemoryImage, ClearAndCreateDropOldForms) {
  auto image = MakeImage(2, 2, 0xFFFFFFFFu);
  image->Clear();
  EXPECT_EQ(Pixels(*image), std::vector<uint32_t>(4, 0));
  image->Palettize();
  // A new size never reads the old palette form.
  image->Create(3, 3);
  EXPECT_EQ(Pixels(*image), std::vector<uint32_t>(9, 0));
}

}  // namespace
}  // namespace Plix
