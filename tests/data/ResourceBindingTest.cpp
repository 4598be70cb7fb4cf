// The binding of the built data set: every id the game binds is declared in
// its group of the built manifest, every group loads from main.pak through
// the resource manager with images of the declared size and cel grid, its
// binding function fills every variable, and a file missing from the archive
// stops its group's binding at that id.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>

#include "framework/graphics/Font.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/PakInterface.h"
#include "framework/resources/ResourceHost.h"
#include "framework/resources/ResourceManager.h"
#include "framework/sound/DSoundManager.h"
#include "framework/widget/WidgetImages.h"
#include "game/app/GameResources.h"
#include "tests/support/ResourceGraphicsHost.h"
#include "tests/support/TestSupport.h"
#include "tools/paktool/PakWriter.h"
#include "tools/databuild/Tables.h"

namespace Plix {
namespace {

std::string BuildDir() { return PLIX_DATA_BUILD_DIR; }

// Group name and its ids in binding order, as the game expects them.
using BoundGroups = std::map<std::string, std::vector<std::string>>;

BoundGroups ExpectedGroups() {
  BoundGroups groups;
  std::istringstream in(Testing::ReadFile(Testing::SourceDir() + "/tests/data/bound_resources.txt"));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string group, id;
    words >> group >> id;
    groups[group].push_back(id);
  }
  return groups;
}

struct Binder {
  const char* group;
  bool (*bind)(ResourceManager*);
};

const Binder kBinders[] = {
    {"Area1", BindArea1Resources},
    {"Area2", BindArea2Resources},
    {"Area3", BindArea3Resources},
    {"Area4", BindArea4Resources},
    {"Area5", BindArea5Resources},
    {"Area6", BindArea6Resources},
    {"BestSellers", BindBestSellersResources},
    {"Circus", BindCircusResources},
    {"First", BindFirstResources},
    {"FlavorContest", BindFlavorContestResources},
    {"Game", BindGameResources},
    {"HappyHourCustomers", BindHappyHourCustomersResources},
    {"Help", BindHelpResources},
    {"Loading", BindLoadingResources},
    {"MainMenu", BindMainMenuResources},
    {"Map", BindMapResources},
    {"Permanent", BindPermanentResources},
    {"Store", BindStoreResources},
    {"StoryModeCustomers", BindStoryModeCustomersResources},
    {"TrophyRoom", BindTrophyRoomResources},
};

// The manager with its records open to the test.
class OpenManager : public ResourceManager {
public:
  using ResourceManager::ResourceManager;

  std::map<std::string, std::vector<BaseRes*>> Groups() const {
    std::map<std::string, std::vector<BaseRes*>> out;
    for (const auto& [name, list] : mResGroupMap)
      if (!list.empty()) out[name].assign(list.begin(), list.end());
    return out;
  }
  const BaseRes* Find(const std::string& id) const {
    for (const ResMap* map : {&mImageMap, &mSoundMap, &mFontMap})
      if (auto it = map->find(id); it != map->end()) return it->second.get();
    return nullptr;
  }
};

// What a variable holds before a binding writes it: never a real resource.
char gMarker;
Image* const kUnsetImage = reinterpret_cast<Image*>(&gMarker);
Font* const kUnsetFont = reinterpret_cast<Font*>(&gMarker);
constexpr int kUnsetSound = -12345;

void SetGroupVariables(const std::string& group, Image* image, int sound, Font* font) {
  for (const ResourceBinding& b : GetGroupBindings(group)) {
    if (b.mImage) *b.mImage = image;
    if (b.mSound) *b.mSound = sound;
    if (b.mFont) *b.mFont = font;
  }
}

// What a binding's variable holds, as one pointer (a sound's id as its
// value).
void* Held(const ResourceBinding& b) {
  return b.mImage ? static_cast<void*>(*b.mImage)
                  : b.mFont ? static_cast<void*>(*b.mFont) : reinterpret_cast<void*>(intptr_t(*b.mSound));
}

bool IsUnset(const ResourceBinding& b) {
  return b.mImage ? *b.mImage == kUnsetImage : b.mSound ? *b.mSound == kUnsetSound : *b.mFont == kUnsetFont;
}

// Loads groups from an archive as the game does: a published pak interface,
// the manifest read from it, images from the resource host, fonts through
// the graphics host, sounds through the real sound manager without a device.
class BindingTest : public ::testing::Test {
protected:
  BindingTest() { mHost.mSoundManager = &mSounds; }
  ~BindingTest() override {
    for (const Binder& b : kBinders) SetGroupVariables(b.group, nullptr, 0, nullptr);
    mManager.reset();
    ReplacePakInterface(mPreviousPak);
  }

  void Open(const std::string& pakPath) {
    ASSERT_TRUE(mPak.AddPakFile(pakPath)) << mPak.GetErrorText();
    mManager = std::make_unique<OpenManager>(&mHost);
    ASSERT_TRUE(mManager->ReadManifestFile("properties/resources.xml")) << mManager->GetErrorText();
  }

  // True when the binding's variable holds what the manager delivers.
  ::testing::AssertionResult HoldsResource(ResourceManager& manager, const ResourceBinding& b) {
    if (b.mImage) {
      MemoryImage* image = manager.RequireImage(b.mId).GetImage();
      if (!image || *b.mImage != image) return ::testing::AssertionFailure() << b.mId << " not bound";
    } else if (b.mSound) {
      int id = manager.RequireSound(b.mId);
      if (*b.mSound != id || mSounds.GetSoundLength(static_cast<unsigned>(id)) == 0)
        return ::testing::AssertionFailure() << b.mId << " not bound to a loaded sound";
    } else if (!*b.mFont || *b.mFont != manager.RequireFont(b.mId)) {
      return ::testing::AssertionFailure() << b.mId << " not bound";
    }
    return ::testing::AssertionSuccess();
  }

  Testing::TempDir mDir;
  Testing::ScopedCwd mCwd{mDir.Path()};  // nothing comes from the disk
  PakInterface mPak;
  PakInterface* mPreviousPak = ReplacePakInterface(&mPak);
  Testing::OfflineAudio mAudio;
  // The images register with the graphics host: it outlives them.
  Testing::ResourceGraphicsHost mGraphics{&mHost};
  ScopedGraphicsHost mScopedGraphics{&mGraphics};
  FakeResourceHost mHost;
  DSoundManager mSounds{reinterpret_cast<HWND>(1), false};
  std::unique_ptr<OpenManager> mManager;
};

TEST(ResourceBinding, TablesHoldEveryBoundIdInItsGroupInByteOrder) {
  BoundGroups expected = ExpectedGroups();
  ASSERT_EQ(expected.size(), std::size(kBinders));
  std::map<char, int> kinds;
  for (const Binder& binder : kBinders) {
    SCOPED_TRACE(binder.group);
    std::vector<std::string> ids;
    for (const ResourceBinding& b : GetGroupBindings(binder.group)) {
      ids.push_back(b.mId);
      ++kinds[b.mId[0]];
      // The variable is of the id's kind.
      const char* prefix = b.mImage ? "IMAGE_" : b.mSound ? "SOUND_" : "FONT_";
      EXPECT_EQ(std::string(b.mId).rfind(prefix, 0), 0u) << b.mId;
      EXPECT_EQ((b.mImage != nullptr) + (b.mSound != nullptr) + (b.mFont != nullptr), 1) << b.mId;
    }
    EXPECT_EQ(ids, expected[binder.group]);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  }
  EXPECT_EQ(kinds['I'], 507);
  EXPECT_EQ(kinds['S'], 95);
  EXPECT_EQ(kinds['F'], 7);
  EXPECT_TRUE(GetGroupBindings("Nowhere").empty());
  // The widget toolkit's dialog images are the ones the Permanent group fills.
  auto permanent = GetGroupBindings("Permanent");
  auto address = [&](const char* id) {
    auto it = std::find_if(permanent.begin(), permanent.end(),
                           [&](const ResourceBinding& b) { return std::string(b.mId) == id; });
    return it == permanent.end() ? nullptr : it->mImage;
  };
  EXPECT_EQ(address("IMAGE_DIALOG_CHECKBOX"), &IMAGE_DIALOG_CHECKBOX);
  EXPECT_EQ(address("IMAGE_DIALOG_SLIDER"), &IMAGE_DIALOG_SLIDER);
  EXPECT_EQ(address("IMAGE_DIALOG_SLIDER_THUMB"), &IMAGE_DIALOG_SLIDER_THUMB);
}

TEST_F(BindingTest, BuiltManifestDeclaresEveryBoundIdInItsGroup) {
  Open(BuildDir() + "/run/main.pak");
  BoundGroups expected = ExpectedGroups();
  auto groups = mManager->Groups();
  EXPECT_EQ(groups.size(), expected.size());
  for (auto& [group, ids] : expected) {
    SCOPED_TRACE(group);
    std::vector<std::string> declared;
    for (const auto* res : groups[group]) {
      declared.push_back(res->mId);
      const char* prefix[] = {"IMAGE_", "SOUND_", "FONT_"};
      EXPECT_EQ(res->mId.rfind(prefix[res->mType], 0), 0u) << res->mId << " is of another kind";
    }
    std::sort(declared.begin(), declared.end());
    EXPECT_EQ(declared, ids);
  }
}

TEST_F(BindingTest, EveryGroupLoadsFromMainPakAndBinds) {
  Open(BuildDir() + "/run/main.pak");
  std::map<std::string, DataBuild::ImageDecl> declared;
  for (auto& d : DataBuild::ReadImageTable(Testing::SourceDir() + "/data/images.txt")) declared[d.id] = d;

  for (const Binder& binder : kBinders) {
    SCOPED_TRACE(binder.group);
    ASSERT_TRUE(mManager->LoadResources(binder.group)) << mManager->GetErrorText();
    ASSERT_TRUE(binder.bind(mManager.get())) << mManager->GetErrorText();
    auto table = GetGroupBindings(binder.group);
    for (const ResourceBinding& b : table) {
      ASSERT_TRUE(HoldsResource(*mManager, b));
      if (!b.mImage) continue;
      const Image* image = *b.mImage;
      const DataBuild::ImageDecl& d = declared.at(b.mId);
      EXPECT_EQ(image->GetWidth(), d.Width()) << b.mId;
      EXPECT_EQ(image->GetHeight(), d.Height()) << b.mId;
      EXPECT_EQ(image->mCelColumns, d.cols) << b.mId;
      EXPECT_EQ(image->mCelRows, d.rows) << b.mId;
    }
    // Binding again stores the same values; freeing the group, with the
    // game's handler installed, leaves no handle into it.
    std::vector<void*> first;
    for (const ResourceBinding& b : table) first.push_back(Held(b));
    EXPECT_TRUE(binder.bind(mManager.get()));
    for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(Held(table[i]), first[i]) << table[i].mId;
    mManager->SetGroupFreedHandler(ClearFreedGroupHandles);
    mManager->FreeGroup(binder.group);
    mManager->SetGroupFreedHandler(nullptr);
    for (const ResourceBinding& b : table) EXPECT_EQ(Held(b), nullptr) << b.mId;
  }
  EXPECT_EQ(mManager->GetErrorText(), "");
}

// An empty name is every group freed at once, as the manager goes.
TEST(ResourceBinding, FreeingEveryGroupClearsEveryHandle) {
  for (const Binder& b : kBinders) SetGroupVariables(b.group, kUnsetImage, kUnsetSound, kUnsetFont);
  ClearFreedGroupHandles("");
  for (const Binder& binder : kBinders)
    for (const ResourceBinding& b : GetGroupBindings(binder.group)) EXPECT_EQ(Held(b), nullptr) << b.mId;
}

TEST_F(BindingTest, NeverLoadedGroupStopsAtItsFirstId) {
  Open(BuildDir() + "/run/main.pak");
  SetGroupVariables("Help", kUnsetImage, kUnsetSound, kUnsetFont);
  EXPECT_FALSE(BindHelpResources(mManager.get()));
  EXPECT_EQ(mManager->GetErrorText(), "Image resource not found: IMAGE_HELP_1");
  for (const ResourceBinding& b : GetGroupBindings("Help")) EXPECT_TRUE(IsUnset(b)) << b.mId;
  EXPECT_FALSE(BindHelpResources(nullptr));
}

// A copy of the archive without the file of one id.
std::string PakWithout(const std::string& folder, const std::string& entry) {
  std::vector<PakFile> files;
  std::string error;
  EXPECT_TRUE(CollectPakFolder(BuildDir() + "/datastage", files, error)) << error;
  auto it = std::find_if(files.begin(), files.end(),
                         [&](const PakFile& f) { return NormalizePakPath(f.mName) == NormalizePakPath(entry); });
  EXPECT_NE(it, files.end()) << entry;
  if (it != files.end()) files.erase(it);
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(BuildPakArchive(files, bytes, error)) << error;
  std::string path = folder + "/main.pak";
  Testing::WriteFile(path, std::string(bytes.begin(), bytes.end()));
  return path;
}

TEST_F(BindingTest, MissingFileStopsItsGroupAtThatId) {
  struct Case {
    const char* group;
    const char* id;
    const char* suffix;  // the sound loader adds it to the path
  };
  const Case cases[] = {
      {"First", "IMAGE_MOUSE_HAND", ""},
      {"Map", "IMAGE_MAP_LOGO", ""},
      {"Permanent", "FONT_NUMBERS", ""},
      {"Permanent", "SOUND_MOUSE_CLICK", ".wav"},
  };
  Open(BuildDir() + "/run/main.pak");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const std::string path = mManager->Find(c.id)->mPath;
    Testing::TempDir folder;
    PakInterface trimmed;
    ReplacePakInterface(&trimmed);
    ASSERT_TRUE(trimmed.AddPakFile(PakWithout(folder.Path(), path + c.suffix)));
    OpenManager manager(&mHost);
    ASSERT_TRUE(manager.ReadManifestFile("properties/resources.xml"));

    SetGroupVariables(c.group, kUnsetImage, kUnsetSound, kUnsetFont);
    EXPECT_FALSE(manager.LoadResources(c.group));
    // The load's error is the first one recorded: it names the file.
    const std::string loadError = manager.GetErrorText();
    EXPECT_NE(loadError.find(path), std::string::npos) << loadError;
    auto binder = std::find_if(std::begin(kBinders), std::end(kBinders),
                               [&](const Binder& b) { return std::string(b.group) == c.group; });
    EXPECT_FALSE(binder->bind(&manager));
    EXPECT_EQ(manager.GetErrorText(), loadError);
    // Every variable before the id (in byte order) is bound; it and the
    // rest keep what they held.
    for (const ResourceBinding& b : GetGroupBindings(c.group)) {
      if (std::string(b.mId) < c.id)
        EXPECT_TRUE(HoldsResource(manager, b));
      else
        EXPECT_TRUE(IsUnset(b)) << b.mId;
    }
    // With no earlier error recorded, the binding's own error names the id.
    manager.BeginGroupLoad(c.group);
    EXPECT_FALSE(binder->bind(&manager));
    const char* kind = c.id[0] == 'I' ? "Image" : c.id[0] == 'S' ? "Sound" : "Font";
    EXPECT_EQ(manager.GetErrorText(), std::string(kind) + " resource not found: " + c.id);
    ReplacePakInterface(&mPak);
  }
}

}  // namespace
}  // namespace Plix
