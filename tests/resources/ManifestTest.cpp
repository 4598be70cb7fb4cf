#include <gtest/gtest.h>

#include "framework/resources/ResourceHost.h"
#include "framework/resources/ResourceManager.h"
#include "tests/resources/PakTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

// Opens up the records for inspection.
class InspectedManager : public ResourceManager {
public:
  using ResourceManager::ResourceManager;
  using ResourceManager::mFontMap;
  using ResourceManager::mImageMap;
  using ResourceManager::mResGroupMap;
  using ResourceManager::mSoundMap;

  ImageRes* Image(const std::string& id) { return static_cast<ImageRes*>(Find(mImageMap, id)); }
  SoundRes* Sound(const std::string& id) { return static_cast<SoundRes*>(Find(mSoundMap, id)); }
  FontRes* FontRecord(const std::string& id) { return static_cast<FontRes*>(Find(mFontMap, id)); }
  std::vector<std::string> GroupIds(const std::string& group) {
    std::vector<std::string> ids;
    for (BaseRes* r : mResGroupMap[group]) ids.push_back(r->mId);
    return ids;
  }

private:
  static BaseRes* Find(ResMap& map, const std::string& id) {
    auto it = map.find(id);
    return it == map.end() ? nullptr : it->second.get();
  }
};

class ManifestTest : public ::testing::Test {
protected:
  bool Read(const std::string& text) {
    Testing::WriteFile(mFile, text);
    return mManager.ReadManifestFile(mFile);
  }
  // The suffix every manifest error carries.
  std::string At(int line) { return " on Line " + std::to_string(line) + " in File '" + mFile + "'"; }

  Testing::TempDir mDir;
  std::string mFile = mDir / "resources.xml";
  FakeResourceHost mHost;
  InspectedManager mManager{&mHost};
};

TEST_F(ManifestTest, EveryErrorWithItsLine) {
  const std::string head = "<?xml version=\"1.0\"?>\n<ResourceManifest>\n<Resources id=\"G\">\n";
  struct Case {
    std::string text;
    std::string error;
    int line;
  } cases[] = {
      {"", "Expecting ResourceManifest tag", 1},
      {"<?xml version=\"1.0\"?>\n\n<Manifest>", "Expecting ResourceManifest tag", 3},
      {"<ResourceManifest>\n  <Resources>\n", "No id specified.", 2},
      {"<ResourceManifest>\n  <Resources id=\"\">\n", "No id specified.", 2},
      {"<ResourceManifest>\n\n<Images id=\"G\">", "Invalid Section 'Images'", 3},
      {"<ResourceManifest>\nhello\n<Resources id=\"G\">", "Element Not Expected 'hello'", 3},
      {head + "  <Image path=\"a\"/>\n  stray words\n</Resources>", "Element Not Expected 'stray words'", 6},
      {head + "<Bitmap path=\"a\"/>", "Invalid Section 'Bitmap'", 4},
      {head + "<Image path=\"a\">\n<Extra/></Image>", "Unexpected element found.", 5},
      {head + "\n<Image id=\"A\"/>", "No path specified.", 5},
      {head + "<Sound path=\"\"/>", "No path specified.", 4},
      {head + "<Image path=\"a\"/>\n<Image path=\"b\" id=\"a\"/>", "Resource already defined.", 5},
      {head + "<Image path=\"a\" anim=\"spin\"/>", "Invalid animation type.", 4},
      {head + "<Image path=\"a\" rows=\"0\"/>", "Invalid rows or cols.", 4},
      // Grids and frame tables no image can hold.
      {head + "<Image path=\"a\" cols=\"1500000000\" anim=\"pingpong\"/>", "Too many rows or cols in image 'a'.", 4},
      {head + "\n<Image id=\"B\" path=\"b\" cols=\"2000000000\" anim=\"loop\" enddelay=\"1\"/>",
       "Too many rows or cols in image 'B'.", 5},
      {head + "<Image path=\"a\" rows=\"65537\"/>", "Too many rows or cols in image 'a'.", 4},
      {head + "<Image path=\"a\" anim=\"once\" framemap=\"" + std::string(CellAnimInfo::kMaxFrames, ',') + "\"/>",
       "Too many frames in image 'a'.", 4},
      {head + "<Font path=\"!sys:Arial\"/>", "SysFont needs point size", 4},
      {head + "<Font path=\"!sys:Arial\" size=\"0\"/>", "SysFont needs point size", 4},
      {head + "<Image path=\"a\">\n\n</Resources>", "End 'Resources' Doesn't Match Start 'Image'", 6},
      {head + "<Image path=\"a\"/>\n\x01", "Illegal Character", 5},
      // Cut off between two tags.
      {head + "<Image path=\"a\"/>", "Unexpected End of File", 4},
      {head + "</Resources>\n", "Unexpected End of File", 5},
      // The first error wins.
      {head + "<Image/>\n<Image path=\"a\" anim=\"x\"/>", "No path specified.", 4},
  };
  for (const auto& c : cases) {
    FakeResourceHost host;
    ResourceManager manager(&host);
    Testing::WriteFile(mFile, c.text);
    EXPECT_FALSE(manager.ReadManifestFile(mFile)) << c.text;
    EXPECT_TRUE(manager.HasError());
    EXPECT_EQ(manager.GetErrorText(), c.error + At(c.line)) << c.text;
  }
}

TEST_F(ManifestTest, MissingFileHasNoLineOrFile) {
  EXPECT_FALSE(mManager.ReadManifestFile(mDir / "none.xml"));
  EXPECT_EQ(mManager.GetErrorText(), "Resource file not found: " + mDir / "none.xml");
}

TEST_F(ManifestTest, ReadsThroughTheArchive) {
  Testing::ScopedPak pak;
  Testing::WriteFile(mDir / "main.pak",
                     Testing::PakBytes({{"properties\\resources.xml",
                                         "<ResourceManifest><Resources id=\"First\"><Image path=\"a\"/>"
                                         "</Resources></ResourceManifest>"}}));
  ASSERT_TRUE(pak->AddPakFile(mDir / "main.pak"));
  EXPECT_TRUE(mManager.ReadManifestFile("properties\\resources.xml")) << mManager.GetErrorText();
  EXPECT_EQ(mManager.GroupIds("First"), std::vector<std::string>{"a"});
}

TEST_F(ManifestTest, RecordsDefaultsAndIds) {
  ASSERT_TRUE(Read(R"(<?xml version="1.0"?>
<ResourceManifest>
  <Resources id="Loading">
    <Image path="loose\Top.png"/>
    <SetDefaults path="images\" idprefix="IMAGE_"/>
    <Image path="Foo.png"/>
    <Image id="BAR" path="sub/bar"/>
    <Image path="!program" id="MADE"/>
    <Sound path="!ref:x" id="BANG" volume="0.25" pan="-300"/>
  </Resources>
  <Resources id="Later">
    <SetDefaults path="sounds/" idprefix="SOUND_/"/>
    <Sound path="coin"/>
    <Font path="!sys:Arial" id="FONT_A" size="12" bold="" shadow=""/>
    <Font path="fonts/big.txt" image="fonts/big_image" tags="one, two" id="FONT_B"/>
  </Resources>
</ResourceManifest>
)")) << mManager.GetErrorText();
  EXPECT_EQ(mManager.GroupIds("Loading"), (std::vector<std::string>{"Top", "IMAGE_Foo", "IMAGE_BAR", "IMAGE_MADE", "IMAGE_BANG"}));
  EXPECT_EQ(mManager.GroupIds("Later"), (std::vector<std::string>{"SOUND_coin", "SOUND_FONT_A", "SOUND_FONT_B"}));
  EXPECT_EQ(mManager.Image("Top")->mPath, "loose\\Top.png");
  EXPECT_EQ(mManager.Image("IMAGE_Foo")->mPath, "images/Foo.png");
  EXPECT_EQ(mManager.Image("IMAGE_Foo")->mResGroup, "Loading");
  EXPECT_EQ(mManager.Image("IMAGE_BAR")->mPath, "images/sub/bar");
  EXPECT_EQ(mManager.Image("IMAGE_BAR")->mXMLAttributes.at(L"id"), L"BAR");
  EXPECT_TRUE(mManager.Image("IMAGE_MADE")->mFromProgram);
  EXPECT_EQ(mManager.Image("IMAGE_MADE")->mPath, "!program");
  ResourceManager::SoundRes* bang = mManager.Sound("IMAGE_BANG");
  EXPECT_EQ(bang->mPath, "!ref:x");  // '!' paths stay as written
  EXPECT_FALSE(bang->mFromProgram);
  EXPECT_DOUBLE_EQ(bang->mVolume, 0.25);
  EXPECT_EQ(bang->mPanning, -300);
  EXPECT_EQ(mManager.Sound("SOUND_coin")->mPath, "sounds/coin");
  EXPECT_DOUBLE_EQ(mManager.Sound("SOUND_coin")->mVolume, -1);
  ResourceManager::FontRes* a = mManager.FontRecord("SOUND_FONT_A");
  EXPECT_TRUE(a->mSysFont);
  EXPECT_EQ(a->mPath, "Arial");
  EXPECT_EQ(a->mSize, 12);
  EXPECT_TRUE(a->mBold);
  EXPECT_TRUE(a->mShadow);
  EXPECT_FALSE(a->mItalic);
  EXPECT_FALSE(a->mUnderline);
  ResourceManager::FontRes* b = mManager.FontRecord("SOUND_FONT_B");
  EXPECT_FALSE(b->mSysFont);
  EXPECT_EQ(b->mPath, "sounds/fonts/big.txt");
  EXPECT_EQ(b->mImagePath, "fonts/big_image");  // no default path
  EXPECT_EQ(b->mTags, "one, two");
  EXPECT_EQ(mManager.CountGroupResources("Loading"), 4);  // "!program" is not counted
  EXPECT_EQ(mManager.CountGroupResources("Later"), 3);
  EXPECT_EQ(mManager.CountGroupResources(""), 8);
}

TEST_F(ManifestTest, ImageAttributes) {
  mHost.mHardwareDrawing = true;
  ASSERT_TRUE(Read(R"(<ResourceManifest><Resources id="G">
    <Image id="PLAIN" path="p"/>
    <Image id="FLAGS" path="f" nopal="" noalpha="" a4r4g4b4="" a8r8g8b8="" ddsurface="" minsubdivide=""
           alphaimage="alpha" alphagrid="grid" alphacolor="ff8000" variant="Blue"/>
    <Image id="NB" path="n" nobits=""/>
    <Image id="NB3" path="n3" nobits3d=""/>
    <Image id="NB2" path="n2" nobits2d=""/>
    <SetDefaults path="images"/>
    <Image id="ONCE" path="o" anim="once" rows="2" cols="5" framedelay="7" alphaimage="a"/>
    <Image id="PING" path="i" anim="pingpong" cols="3"/>
    <Image id="LOOP" path="l" anim="loop" cols="3" perframedelay="1,2,3" framemap="2,0,1" begindelay="10" enddelay="20"/>
    <Image id="CASE" path="c" Anim="loop" cols="3" framedelay="9"/>
    <Image id="NONE" path="c" anim="none" cols="3" framedelay="9"/>
  </Resources></ResourceManifest>)")) << mManager.GetErrorText();
  ResourceManager::ImageRes* plain = mManager.Image("PLAIN");
  EXPECT_TRUE(plain->mPalletize);
  EXPECT_TRUE(plain->mAutoFindAlpha);
  EXPECT_FALSE(plain->mA4R4G4B4 || plain->mA8R8G8B8 || plain->mDDSurface || plain->mPurgeBits ||
               plain->mMinimizeSubdivisions);
  EXPECT_EQ(plain->mAlphaColor, 0xFFFFFFu);
  EXPECT_EQ(plain->mRows, 1);
  EXPECT_EQ(plain->mCols, 1);
  EXPECT_EQ(plain->mAnimInfo.mAnimType, ANIM_NONE);

  ResourceManager::ImageRes* flags = mManager.Image("FLAGS");
  EXPECT_FALSE(flags->mPalletize);
  EXPECT_FALSE(flags->mAutoFindAlpha);
  EXPECT_TRUE(flags->mA4R4G4B4 && flags->mA8R8G8B8 && flags->mDDSurface && flags->mMinimizeSubdivisions);
  EXPECT_FALSE(flags->mPurgeBits);
  EXPECT_EQ(flags->mAlphaImage, "alpha");
  EXPECT_EQ(flags->mAlphaGridImage, "grid");
  EXPECT_EQ(flags->mAlphaColor, 0xFF8000u);
  EXPECT_EQ(flags->mVariant, "Blue");

  EXPECT_TRUE(mManager.Image("NB")->mPurgeBits);
  EXPECT_TRUE(mManager.Image("NB3")->mPurgeBits);   // the display runs 3D
  EXPECT_FALSE(mManager.Image("NB2")->mPurgeBits);

  ResourceManager::ImageRes* once = mManager.Image("ONCE");
  EXPECT_EQ(once->mAlphaImage, "images/a");
  EXPECT_EQ(once->mAnimInfo.mAnimType, ANIM_ONCE);
  EXPECT_EQ(once->mAnimInfo.mFrameDelay, 7);
  EXPECT_EQ(once->mAnimInfo.mFrameCount, 5);  // the larger of rows and cols
  EXPECT_EQ(mManager.Image("PING")->mAnimInfo.mAnimType, ANIM_PINGPONG);
  EXPECT_EQ(mManager.Image("PING")->mAnimInfo.mFrameMap, (std::vector<int32_t>{0, 1, 2, 1}));
  ResourceManager::ImageRes* loop = mManager.Image("LOOP");
  EXPECT_EQ(loop->mAnimInfo.mAnimType, ANIM_LOOP);
  EXPECT_EQ(loop->mAnimInfo.mFrameMap, (std::vector<int32_t>{2, 0, 1}));
  ASSERT_EQ(loop->mAnimInfo.mPerFrameDelays.size(), 3u);
  EXPECT_EQ(loop->mAnimInfo.mPerFrameDelays[1], 2);
  EXPECT_EQ(mManager.Image("CASE")->mAnimInfo.mAnimType, ANIM_NONE);  // "Anim" is another attribute
  EXPECT_EQ(mManager.Image("CASE")->mAnimInfo.mFrameDelay, 1);
  EXPECT_EQ(mManager.Image("NONE")->mAnimInfo.mFrameDelay, 1);  // read only with an animation
}

TEST_F(ManifestTest, RedefiningWhenAllowed) {
  mManager.mAllowAlreadyDefinedResources = true;
  ASSERT_TRUE(Read(R"(<ResourceManifest><Resources id="G">
    <Image id="A" path="first" rows="2"/>
    <Image id="A" path="second" cols="3"/>
  </Resources></ResourceManifest>)")) << mManager.GetErrorText();
  ResourceManager::ImageRes* a = mManager.Image("A");
  EXPECT_EQ(a->mPath, "second");
  EXPECT_EQ(a->mRows, 2);
  EXPECT_EQ(a->mCols, 3);
  EXPECT_EQ(mManager.GroupIds("G"), std::vector<std::string>{"A"});
}

TEST_F(ManifestTest, DuplicateKeepsTheFirstRecord) {
  EXPECT_FALSE(Read(R"(<ResourceManifest><Resources id="G">
    <Image id="A" path="first"/>
    <Image id="A" path="second"/>
  </Resources></ResourceManifest>)"));
  EXPECT_EQ(mManager.Image("A")->mPath, "first");
}

}  // namespace
}  // namespace Plix
