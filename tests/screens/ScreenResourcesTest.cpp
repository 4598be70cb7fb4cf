// A screen's resource group: loaded and bound with it, its handles cleared
// when it is freed, and a group that fails to load or bind reported with a
// message, freed and left with no handle pointing into it.
#include "game/screens/ScreenResources.h"

#include <gtest/gtest.h>

#include "framework/resources/ResourceManager.h"
#include "framework/util/Utilities.h"
#include "game/app/GameResources.h"
#include "tests/screens/ScreenAppSupport.h"

namespace Plix {
namespace {

using Testing::ScreenGame;

class ScreenResourcesTest : public Testing::ScreenAppTest {};

TEST_F(ScreenResourcesTest, FreeingAGroupClearsItsHandles) {
  mRun = std::make_unique<Testing::ScopedCwd>(Testing::BinaryDir() + "/run");
  Make<Testing::ScreenGame>();
  ASSERT_EQ(InitApp(), -1);
  ScreenGame& g = Game();
  ASSERT_TRUE(LoadAndBindGroup(g, "Help"));
  EXPECT_NE(IMAGE_HELP_1, nullptr);
  EXPECT_NE(IMAGE_HELP_5, nullptr);
  FreeGroupAndHandles(g, "Help");
  EXPECT_FALSE(g.mAppResources->IsGroupReady("Help"));
  EXPECT_EQ(IMAGE_HELP_1, nullptr);
  EXPECT_EQ(IMAGE_HELP_5, nullptr);
  EXPECT_TRUE(mBackend.mBoxes.empty());
}

// The manifest's groups: one whose image file is missing, one that loads
// but lacks what the table binds.
TEST_F(ScreenResourcesTest, AGroupThatFailsIsReportedFreedAndClearedWithoutStoppingTheGame) {
  ScreenGame& g = StartBare();
  Testing::WriteFile(mDir / "manifest.xml",
                     "<?xml version=\"1.0\"?>\n<ResourceManifest>\n"
                     "<Resources id=\"Broken\">\n  <Image id=\"IMAGE_X\" path=\"images/nowhere.png\" />\n"
                     "</Resources>\n<Resources id=\"Thin\">\n</Resources>\n</ResourceManifest>\n");
  ASSERT_TRUE(g.mAppResources->ReadManifestFile(mDir / "manifest.xml"));

  struct Case {
    const char* group;
    const char* id;
    const char* named;  // the message names it
  } cases[] = {{"Broken", "IMAGE_X", "nowhere"}, {"Thin", "IMAGE_Y", "IMAGE_Y"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.group);
    Image* stale = reinterpret_cast<Image*>(0x1234);  // left from an earlier binding
    Image* image = stale;
    int sound = 7;
    const ResourceBinding table[] = {{c.id, &image, nullptr, nullptr}, {"SOUND_Z", nullptr, &sound, nullptr}};
    mBackend.mBoxes.clear();
    EXPECT_FALSE(LoadAndBindGroup(g, c.group, table));
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(sound, 0);
    EXPECT_FALSE(g.mAppResources->IsGroupReady(c.group));
    ASSERT_EQ(mBackend.mBoxes.size(), 1u);
    const std::string text = WStringToString(mBackend.mBoxes[0].text);
    EXPECT_NE(text.find(c.group), std::string::npos) << text;
    EXPECT_NE(text.find(c.named), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace Plix
