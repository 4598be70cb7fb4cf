// Reads the built data set with the game's own readers: every image of the
// manifest decodes from main.pak at its declared size, every font
// description loads without an error, and the level table gives fifty days
// whose floors exist.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "framework/graphics/FontData.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImageRef.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"
#include "game/app/LevelTable.h"
#include "tests/support/TestSupport.h"
#include "tools/databuild/Tables.h"

using namespace Plix;

namespace {

std::string BuildDir() { return PLIX_DATA_BUILD_DIR; }

// Reads through a table of its own that holds the built main.pak.
class DataPakTest : public ::testing::Test {
protected:
  void SetUp() override {
    mPrevious = ReplacePakInterface(&mPak);
    ASSERT_TRUE(mPak.AddPakFile(BuildDir() + "/run/main.pak")) << mPak.GetErrorText();
  }
  void TearDown() override { ReplacePakInterface(mPrevious); }

  PakInterface mPak;
  PakInterface* mPrevious = nullptr;
};

// Serves font images from the pak and keeps the first error a font reports.
class FontHost : public DefaultGraphicsHost {
public:
  std::string mError;
  std::vector<std::unique_ptr<SharedImage>> mImages;

  void ShowFatalError(const std::string& text) override {
    if (mError.empty()) mError = text;
  }
  SharedImageRef GetCachedImage(const std::string& fileName, const std::string&, bool* isNew) override {
    if (isNew) *isNew = true;
    SharedImageRef ref;
    auto file = ImageLib::LoadImageFile(fileName);
    if (!file) return ref;
    auto record = std::make_unique<SharedImage>();
    record->mImage = std::make_unique<MemoryImage>(this);
    record->mImage->SetBits(file->GetBits(), file->GetWidth(), file->GetHeight());
    ref.AssignShared(record.get());
    mImages.push_back(std::move(record));
    return ref;
  }
};

}  // namespace

TEST_F(DataPakTest, EveryImageDecodesAtItsDeclaredSize) {
  auto images = DataBuild::ReadImageTable(Testing::SourceDir() + "/data/images.txt");
  for (const auto& d : images) {
    SCOPED_TRACE(d.id);
    auto image = ImageLib::LoadImageFile(d.file);
    ASSERT_TRUE(image != nullptr);
    EXPECT_EQ(image->GetWidth(), d.Width());
    EXPECT_EQ(image->GetHeight(), d.Height());
  }
}

TEST_F(DataPakTest, EveryFontDescriptionLoads) {
  // The pak layer reads the graphics layer's data files for it: from an
  // empty folder the scripts can only come from the archive.
  Testing::TempDir empty;
  Testing::ScopedCwd cwd(empty.Path());
  auto fonts = DataBuild::ReadFontTable(Testing::SourceDir() + "/data/fonts.txt");
  for (const auto& f : fonts) {
    SCOPED_TRACE(f.id);
    FontHost host;
    FontData* data = new FontData();
    data->AddRef();
    data->Load(&host, f.file);
    EXPECT_TRUE(data->mInitialized);
    EXPECT_EQ(host.mError, "");
    EXPECT_FALSE(data->mFontLayerList.empty());
    data->Release();
  }
}

TEST_F(DataPakTest, FloorLayoutsAreInTheArchiveAsBesideIt) {
  std::vector<std::pair<std::string, std::string>> disk;
  for (const char* name : {"area1", "area2", "area3", "area4", "area5", "area6", "easy", "normal", "hard"})
    disk.emplace_back(std::string("data/") + name + ".len",
                      Testing::ReadFile(BuildDir() + "/run/data/" + name + ".len"));
  Testing::TempDir empty;
  Testing::ScopedCwd cwd(empty.Path());
  for (const auto& [path, bytes] : disk) {
    SCOPED_TRACE(path);
    std::vector<uint8_t> packed;
    ASSERT_TRUE(ReadPakFile(path, packed));
    EXPECT_EQ(std::string(packed.begin(), packed.end()), bytes);
  }
}

TEST(GameReadsData, LevelTableGivesFiftyDaysWithFloors) {
  LevelTable table;
  ASSERT_TRUE(table.LoadLevels(BuildDir() + "/run/data/levels.txt"));
  ASSERT_EQ(table.GetLevelCount(), 50);
  int lastFlavours = 1;
  for (int i = 0; i < 50; ++i) {
    SCOPED_TRACE("day " + std::to_string(i + 1));
    const LevelRecord* r = table.GetLevel(i);
    EXPECT_TRUE(std::filesystem::exists(BuildDir() + "/run/" + r->environmentFile)) << r->environmentFile;
    EXPECT_GT(r->goal, 0);
    EXPECT_GT(r->expert, r->goal);
    EXPECT_GE(r->flavorCount, lastFlavours);
    EXPECT_LE(r->flavorCount, 6);
    EXPECT_LE(r->countT, 3);
    EXPECT_LE(r->countH, 3);
    EXPECT_LE(r->countS, 4);
    lastFlavours = r->flavorCount;
  }
  EXPECT_EQ(lastFlavours, 6);
  EXPECT_EQ(table.GetLevel(49)->countT, 3);
  EXPECT_EQ(table.GetLevel(49)->countH, 3);
  EXPECT_EQ(table.GetLevel(49)->countS, 4);
}
