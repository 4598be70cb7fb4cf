#include "framework/resources/DecodeAhead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ResourceHost.h"
#include "framework/resources/ResourceManager.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

using ImageLib::DecodeAhead;
using ImageLib::Image;

std::vector<uint32_t> Pixels(const Image* image) {
  if (!image) return {};
  return {image->mBits, image->mBits + size_t(image->mWidth) * image->mHeight};
}

// Files a.png ... of distinct sizes and pixels, an image made of its alpha
// alone ("shape", from "_shape.png") and one that is missing.
class DecodeAheadTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int i = 0; i < kImages; ++i) Write("images/" + Name(i) + ".png", 3 + i, 2 + i % 3, uint32_t(i) * 0x010203u);
    Write("images/_shape.png", 5, 4, 0x400000);
  }

  static std::string Name(int i) { return std::string(1, static_cast<char>('a' + i)); }

  void Write(const std::string& path, int w, int h, uint32_t seed) {
    auto image = ImageLib::CreateImage(w, h);
    for (int i = 0; i < w * h; ++i) image->mBits[i] = 0xFF000000u | (seed + uint32_t(i) * 0x0A0B0Cu);
    Testing::WriteFile(mDir / path, "");  // makes the folder
    ASSERT_TRUE(ImageLib::WritePNGImage(mDir / path, image.get()));
  }

  std::vector<DecodeAhead::Request> Requests() const {
    std::vector<DecodeAhead::Request> list;
    for (int i = 0; i < kImages; ++i) list.push_back({"images/" + Name(i) + ".png", 0xFFFFFF});
    list.push_back({"images/shape.png", 0x123456});
    list.push_back({"images/missing.png", 0xFFFFFF});
    list.push_back({"images/a.png", 0x654321});  // listed twice: the first counts
    return list;
  }

  static constexpr int kImages = 12;
  Testing::TempDir mDir;
  Testing::ScopedCwd mCwd{mDir.Path()};
};

TEST_F(DecodeAheadTest, EachListedFileIsHandedOutOnceAsTheFileDecodes) {
  for (int workers : {0, 1, 3}) {
    SCOPED_TRACE(workers);
    DecodeAhead ahead(Requests(), workers);
    // Backwards, so that the asking thread meets files no worker has begun
    // while the workers go forwards.
    auto list = Requests();
    list.pop_back();
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
      std::unique_ptr<Image> image;
      ASSERT_TRUE(ahead.Take(it->mPath, it->mComposeColor, image)) << it->mPath;
      auto expected = ImageLib::DecodeImageFile(it->mPath, true, it->mComposeColor);
      EXPECT_EQ(image == nullptr, expected == nullptr) << it->mPath;
      EXPECT_EQ(Pixels(image.get()), Pixels(expected.get())) << it->mPath;
      std::unique_ptr<Image> again;
      EXPECT_FALSE(ahead.Take(it->mPath, it->mComposeColor, again)) << it->mPath;
    }
    std::unique_ptr<Image> none;
    EXPECT_FALSE(ahead.Take("images/unlisted.png", 0xFFFFFF, none));
  }
  // The shape is white when decoded for another colour.
  DecodeAhead ahead(Requests(), 1);
  std::unique_ptr<Image> shape;
  EXPECT_FALSE(ahead.Take("images/shape.png", 0xFFFFFF, shape));
  EXPECT_FALSE(ahead.Take("images/a.png", 0x654321, shape));
  ASSERT_TRUE(ahead.Take("images/shape.png", 0x123456, shape));
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->mBits[0] & 0xFFFFFF, 0x123456u);
}

TEST_F(DecodeAheadTest, ThreadsAskingForTheSameFilesGetEachOnce) {
  DecodeAhead ahead(Requests(), 2);
  const auto list = Requests();
  std::map<std::string, std::atomic<int>> handedOut;
  for (const auto& r : list) handedOut[r.mPath] = 0;
  std::atomic<int> wrong{0};
  std::vector<std::thread> askers;
  for (int t = 0; t < 4; ++t) {
    askers.emplace_back([&, t] {
      for (size_t k = 0; k < list.size(); ++k) {
        const auto& r = list[(k + t * 3) % list.size()];
        std::unique_ptr<Image> image;
        if (!ahead.Take(r.mPath, r.mComposeColor, image)) continue;
        ++handedOut[r.mPath];
        if ((image == nullptr) != (r.mPath == "images/missing.png")) ++wrong;
      }
    });
  }
  for (std::thread& t : askers) t.join();
  for (const auto& [path, count] : handedOut) EXPECT_EQ(count.load(), 1) << path;
  EXPECT_EQ(wrong.load(), 0);
}

TEST_F(DecodeAheadTest, LoadImageFileTakesFromAnInstalledOneUntilItIsRemoved) {
  auto ahead = std::make_shared<DecodeAhead>(Requests(), 1);
  ImageLib::InstallDecodeAhead(ahead);
  auto a = ImageLib::LoadImageFile("images/a.png");
  ASSERT_NE(a, nullptr);
  std::unique_ptr<Image> taken;
  EXPECT_FALSE(ImageLib::TakeDecodedAhead("images/a.png", 0xFFFFFF, taken));  // handed out already
  // Without the alpha search the file is read as usual.
  EXPECT_NE(ImageLib::LoadImageFile("images/b.png", false), nullptr);
  EXPECT_TRUE(ImageLib::TakeDecodedAhead("images/b.png", 0xFFFFFF, taken));
  ImageLib::RemoveDecodeAhead(ahead);
  EXPECT_FALSE(ImageLib::TakeDecodedAhead("images/c.png", 0xFFFFFF, taken));
  EXPECT_NE(ImageLib::LoadImageFile("images/c.png"), nullptr);
}

// A group loads the same images whether or not its files are decoded ahead;
// a load that fails half-way leaves nothing decoding or installed.
TEST_F(DecodeAheadTest, AGroupLoadsAlikeWithOrWithoutWorkersAndStopsThemWhenItEnds) {
  std::string group = "<Resources id=\"G\"><SetDefaults path=\"images\"/>";
  for (int i = 0; i < kImages; ++i) group += "<Image id=\"I" + Name(i) + "\" path=\"" + Name(i) + "\"/>";
  group += "<Image id=\"SHAPE\" path=\"shape\" alphacolor=\"123456\"/></Resources>";
  group += "<Resources id=\"Broken\"><SetDefaults path=\"images\"/><Image id=\"X\" path=\"missing\"/>";
  for (int i = 0; i < kImages; ++i) group += "<Image id=\"J" + Name(i) + "\" path=\"" + Name(i) + "\" variant=\"j\"/>";
  group += "</Resources>";
  Testing::WriteFile(mDir / "resources.xml", "<ResourceManifest>" + group + "</ResourceManifest>");

  std::map<std::string, std::vector<uint32_t>> first;
  for (int workers : {0, 4}) {
    SCOPED_TRACE(workers);
    FakeResourceHost host;
    ResourceManager manager(&host);
    manager.mDecodeAheadWorkers = workers;
    ASSERT_TRUE(manager.ReadManifestFile("resources.xml")) << manager.GetErrorText();
    ASSERT_TRUE(manager.LoadResources("G")) << manager.GetErrorText();
    for (int i = 0; i <= kImages; ++i) {
      const std::string id = i < kImages ? "I" + Name(i) : "SHAPE";
      MemoryImage* image = manager.RequireImage(id).GetImage();
      ASSERT_NE(image, nullptr) << id;
      std::vector<uint32_t> pixels(image->GetBits(), image->GetBits() + image->mWidth * image->mHeight);
      if (workers == 0)
        first[id] = pixels;
      else
        EXPECT_EQ(pixels, first[id]) << id;
    }
    EXPECT_EQ(host.mFilesLoaded, kImages + 1);

    EXPECT_FALSE(manager.LoadResources("Broken"));
    EXPECT_EQ(manager.GetErrorText(), "Failed to load image: images/missing");
    std::unique_ptr<Image> left;
    EXPECT_FALSE(ImageLib::TakeDecodedAhead("images/" + Name(kImages - 1), 0xFFFFFF, left));
  }
}

}  // namespace
}  // namespace Plix
