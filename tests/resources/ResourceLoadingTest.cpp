#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/ResourceHost.h"
#include "framework/resources/ResourceManager.h"
#include "framework/sound/SoundManager.h"
#include "tests/graphics/DisplayTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

// Writes a PNG whose pixels come from a function of (x, y).
template <typename F>
void WritePng(const std::string& path, int w, int h, F pixel) {
  auto image = ImageLib::CreateImage(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image->mBits[y * w + x] = pixel(x, y);
  Testing::WriteFile(path, "");  // makes the folder
  ASSERT_TRUE(ImageLib::WritePNGImage(path, image.get()));
}

// Hands out ids from 0 up to a limit and records what it is asked.
class FakeSoundManager : public SoundManager {
public:
  int mLimit = 256;
  std::set<std::string> mBroken;
  std::map<int, std::string> mLoaded;
  std::map<int, double> mVolumes;
  std::map<int, int> mPans;
  std::vector<int> mFreed;

  int FindFreeSoundId() override {
    for (int id = 0; id < mLimit; ++id)
      if (!mLoaded.count(id)) return id;
    return -1;
  }
  bool LoadSound(unsigned int id, const std::string& name) override {
    if (mBroken.count(name)) return false;
    mLoaded[id] = name;
    return true;
  }
  void FreeSound(int id) override {
    mLoaded.erase(id);
    mFreed.push_back(id);
  }
  bool SetBaseVolume(unsigned int id, double volume) override {
    mVolumes[id] = volume;
    return true;
  }
  bool SetBasePan(unsigned int id, int pan) override {
    mPans[id] = pan;
    return true;
  }
  bool Initialized() override { return true; }
  int FindOrLoadSound(const std::string&) override { return -1; }
  void SetVolume(double) override {}
  SoundInstance* NewSoundInstance(unsigned int) override { return nullptr; }
  void FreeSounds() override {}
  void FreeChannels() override {}
  double GetMasterVolume() override { return 1; }
  void SetMasterVolume(double) override {}
  void Reserved() override {}
  void SetCooperativeWindow(HWND, bool) override {}
  void StopAllSounds() override {}
  int GetNumSounds() override { return static_cast<int>(mLoaded.size()); }
};

class LoadingTest : public ::testing::Test {
protected:
  void SetUp() override {
    mHost.mSoundManager = &mSounds;
    WritePng(mDir / "images/a.png", 4, 2, [](int x, int y) { return 0xFF102030u + x; });
    WritePng(mDir / "images/b.png", 2, 2, [](int, int) { return 0xFF0000FFu; });
    WritePng(mDir / "images/mask.png", 4, 2, [](int x, int y) { return 0xFF000000u | (x * 10 + y); });
    WritePng(mDir / "images/cel.png", 2, 2, [](int x, int y) { return 0xFF000000u | (x + 2 * y + 1); });
    WritePng(mDir / "images/_shape.png", 3, 1, [](int x, int) { return 0xFF000000u | (x * 100); });
  }

  void Read(const std::string& groups) {
    Testing::WriteFile(mDir / "resources.xml", "<ResourceManifest>" + groups + "</ResourceManifest>");
    ASSERT_TRUE(mManager.ReadManifestFile("resources.xml")) << mManager.GetErrorText();
  }

  MemoryImage* Image(const std::string& id) { return mManager.RequireImage(id).GetImage(); }

  std::string ThrownBy(const std::function<void()>& f) {
    try {
      f();
    } catch (const ResourceManagerException& e) {
      return e.what();
    }
    return "<nothing thrown>";
  }

  Testing::TempDir mDir;
  Testing::ScopedCwd mCwd{mDir.Path()};
  FakeSoundManager mSounds;
  FakeResourceHost mHost;
  ResourceManager mManager{&mHost};
};

TEST_F(LoadingTest, GroupsLoadCountFreeAndReload) {
  Read(R"(<Resources id="Menu">
      <SetDefaults path="images"/>
      <Image id="A" path="a" rows="2" cols="2" anim="loop"/>
      <Image id="B" path="B"/>
      <Image id="MADE" path="!program"/>
      <Font id="SYS" path="!sys:Arial" size="10"/>
    </Resources>
    <Resources id="Other"><Image id="C" path="a"/></Resources>)");
  EXPECT_EQ(mManager.CountGroupResources("Menu"), 3);
  mManager.BeginGroupLoad("Menu");
  int steps = 0;
  while (mManager.LoadOneMoreResource()) ++steps;
  EXPECT_EQ(steps, 3);
  EXPECT_FALSE(mManager.IsGroupReady("Menu"));  // only a whole load marks it

  EXPECT_TRUE(mManager.LoadResources("Menu"));  // everything is loaded already
  EXPECT_TRUE(mManager.IsGroupReady("Menu"));
  EXPECT_FALSE(mManager.IsGroupReady("Other"));
  EXPECT_EQ(mHost.mFilesLoaded, 2);
  MemoryImage* a = Image("A");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->mWidth, 4);
  EXPECT_EQ(a->mCelRows, 2);
  EXPECT_EQ(a->mCelColumns, 2);
  ASSERT_NE(a->mAnimInfo, nullptr);
  EXPECT_EQ(a->mAnimInfo->mAnimType, ANIM_LOOP);
  EXPECT_EQ(a->mAnimInfo->mFrameCount, 2);
  EXPECT_NE(mManager.RequireFont("SYS"), nullptr);
  EXPECT_NE(mManager.FindFont("SYS"), nullptr);

  EXPECT_TRUE(mManager.LoadResources("Undeclared"));
  EXPECT_TRUE(mManager.IsGroupReady("Undeclared"));

  mManager.FreeGroup("Menu");
  EXPECT_FALSE(mManager.IsGroupReady("Menu"));
  EXPECT_EQ(ThrownBy([&] { Image("A"); }), "Image resource not found: A");
  EXPECT_EQ(mManager.FindFont("SYS"), nullptr);
  EXPECT_TRUE(mManager.LoadResources("Menu"));
  EXPECT_EQ(Image("A")->mWidth, 4);
  EXPECT_NE(mManager.RequireFont("SYS"), nullptr);
}

TEST_F(LoadingTest, ProgramResources) {
  Read(R"(<Resources id="G"><Image id="MADE" path="!program"/></Resources>)");
  EXPECT_TRUE(mManager.LoadResources("G"));
  EXPECT_EQ(ThrownBy([&] { mManager.RequireImage("MADE"); }), "Image resource not found: MADE");
  mManager.mAllowMissingProgramResources = true;
  EXPECT_TRUE(mManager.LoadResources("G"));  // clears the error
  EXPECT_EQ(mManager.RequireImage("MADE").GetImage(), nullptr);
}

TEST_F(LoadingTest, AFailureStopsTheGroupAndStaysTheError) {
  Read(R"(<Resources id="G">
      <Image id="A" path="images/a"/>
      <Image id="GONE" path="images/missing"/>
      <Image id="B" path="images/b"/>
    </Resources>)");
  EXPECT_FALSE(mManager.LoadResources("G"));
  EXPECT_EQ(mManager.GetErrorText(), "Failed to load image: images/missing");
  EXPECT_FALSE(mManager.IsGroupReady("G"));
  EXPECT_NE(Image("A"), nullptr);
  // The getters throw with the first error, which still stands.
  EXPECT_EQ(ThrownBy([&] { Image("B"); }), "Failed to load image: images/missing");
  EXPECT_EQ(ThrownBy([&] { mManager.RequireSound("NOPE"); }), "Failed to load image: images/missing");
  mManager.BeginGroupLoad("Nothing");  // a new load clears it
  EXPECT_EQ(ThrownBy([&] { mManager.RequireSound("NOPE"); }), "Sound resource not found: NOPE");
  mManager.BeginGroupLoad("Nothing");
  EXPECT_EQ(ThrownBy([&] { mManager.RequireFont("NOPE"); }), "Font resource not found: NOPE");
}

TEST_F(LoadingTest, AlphaImagesAndGrids) {
  Read(R"(<Resources id="G">
      <SetDefaults path="images/"/>
      <Image id="MASKED" path="a" alphaimage="mask"/>
      <Image id="GRID" path="b" alphagrid="cel" variant="grid"/>
      <Image id="SHAPE" path="shape" alphacolor="123456"/>
    </Resources>
    <Resources id="Bad1"><Image id="BAD1" path="a" variant="1" alphaimage="b"/></Resources>
    <Resources id="Bad2"><Image id="BAD2" path="a" variant="2" alphagrid="a" cols="2"/></Resources>
    <Resources id="Bad3"><Image id="BAD3" path="a" variant="3" alphaimage="none"/></Resources>)");
  ASSERT_TRUE(mManager.LoadResources("G")) << mManager.GetErrorText();
  uint32_t* masked = Image("MASKED")->GetBits();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(masked[i], ((i % 4) * 10u + i / 4) << 24 | (0x102030u + i % 4)) << i;
  uint32_t* grid = Image("GRID")->GetBits();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(grid[i], uint32_t(i + 1) << 24 | 0x0000FF) << i;
  uint32_t* shape = Image("SHAPE")->GetBits();
  for (int x = 0; x < 3; ++x) EXPECT_EQ(shape[x], uint32_t(x * 100) << 24 | 0x123456) << x;
  EXPECT_EQ(ImageLib::gAlphaComposeColor, 0xFFFFFFu);

  EXPECT_FALSE(mManager.LoadResources("Bad1"));
  EXPECT_EQ(mManager.GetErrorText(), "AlphaImage size mismatch between images/a and images/b");
  EXPECT_FALSE(mManager.LoadResources("Bad2"));
  EXPECT_EQ(mManager.GetErrorText(), "GridAlphaImage size mismatch between images/a and images/a");
  EXPECT_FALSE(mManager.LoadResources("Bad3"));
  EXPECT_EQ(mManager.GetErrorText(), "Failed to load image: images/none");
}

TEST_F(LoadingTest, ImageFlagsReachTheImage) {
  Read(R"(<Resources id="G">
      <Image id="PAL" path="images/b" variant="p"/>
      <Image id="NOPAL" path="images/b" nopal="" a4r4g4b4="" a8r8g8b8="" minsubdivide=""/>
    </Resources>)");
  ASSERT_TRUE(mManager.LoadResources("G")) << mManager.GetErrorText();
  MemoryImage* pal = Image("PAL");
  EXPECT_NE(pal->mColorTable, nullptr);
  EXPECT_EQ(pal->mD3DFlags, 0u);
  MemoryImage* plain = Image("NOPAL");
  EXPECT_EQ(plain->mColorTable, nullptr);
  EXPECT_EQ(plain->mD3DFlags, 4u | 8u | 1u);
  EXPECT_EQ(pal->GetBits()[0], 0xFF0000FFu);
}

TEST_F(LoadingTest, ReferencedFonts) {
  Read(R"(<Resources id="Early"><Font id="COPY" path="!ref:SOURCE"/><Font id="SOURCE" path="!sys:Arial" size="9"/></Resources>
    <Resources id="Late"><Font id="SOURCE2" path="!sys:Arial" size="9" italic=""/><Font id="COPY2" path="!ref:SOURCE2"/></Resources>)");
  EXPECT_FALSE(mManager.LoadResources("Early"));
  EXPECT_EQ(mManager.GetErrorText(), "Ref font not found: SOURCE");
  ASSERT_TRUE(mManager.LoadResources("Late")) << mManager.GetErrorText();
  Font* copy = mManager.RequireFont("COPY2");
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, mManager.RequireFont("SOURCE2"));  // a duplicate of its own
}

TEST_F(LoadingTest, Sounds) {
  Read(R"(<Resources id="G">
      <SetDefaults path="sounds"/>
      <Sound id="COIN" path="coin" volume="0.5" pan="-200"/>
      <Sound id="QUIET" path="quiet" volume="0"/>
      <Sound id="PLAIN" path="plain"/>
    </Resources>
    <Resources id="Broken">
      <Sound id="OK" path="ok"/><Sound id="BAD" path="bad"/><Sound id="AFTER" path="after"/>
    </Resources>)");
  mSounds.mBroken.insert("sounds/bad");
  ASSERT_TRUE(mManager.LoadResources("G")) << mManager.GetErrorText();
  EXPECT_EQ(mManager.RequireSound("COIN"), 0);
  EXPECT_EQ(mManager.RequireSound("QUIET"), 1);
  EXPECT_EQ(mManager.RequireSound("PLAIN"), 2);
  EXPECT_EQ(mSounds.mLoaded[0], "sounds/coin");
  EXPECT_EQ(mSounds.mVolumes, (std::map<int, double>{{0, 0.5}, {1, 0.0}}));
  EXPECT_EQ(mSounds.mPans, (std::map<int, int>{{0, -200}}));

  EXPECT_FALSE(mManager.LoadResources("Broken"));
  EXPECT_EQ(mManager.GetErrorText(), "Failed to load sound: sounds/bad");
  EXPECT_FALSE(mManager.IsGroupReady("Broken"));
  EXPECT_EQ(mManager.RequireSound("OK"), 3);
  EXPECT_EQ(mSounds.mLoaded.count(4), 0u);  // AFTER was never tried

  mManager.FreeGroup("G");
  EXPECT_EQ(mSounds.mFreed, (std::vector<int>{0, 2, 1}));  // in id order of the records
  EXPECT_EQ(ThrownBy([&] { mManager.RequireSound("COIN"); }), "Failed to load sound: sounds/bad");
  mSounds.mLimit = 4;  // only the freed ids 0 to 2 are left
  EXPECT_FALSE(mManager.LoadResources("Broken"));
  EXPECT_EQ(mManager.GetErrorText(), "Failed to load sound: sounds/bad");
  mSounds.mBroken.clear();
  mSounds.mLimit = 1;
  EXPECT_FALSE(mManager.LoadResources("Broken"));  // OK is loaded; BAD takes id 0; AFTER finds none
  EXPECT_EQ(mManager.GetErrorText(), "Out of free sound ids");
}

TEST_F(LoadingTest, ImageFonts) {
  WritePng(mDir / "fonts/strip.png", 20, 10, [](int, int) { return 0xFFFFFFFFu; });
  Testing::WriteFile(mDir / "fonts/strip.txt", "4 8\nA 7\nB 5\n");
  Testing::WriteFile(mDir / "fonts/plain.txt", "SetDefaultPointSize 12;\n");
  Testing::WriteFile(mDir / "fonts/broken.txt", "SetDefaultPointSize;\n");
  Read(R"(<Resources id="G">
      <Font id="STRIP" path="fonts/strip.txt" image="fonts/strip" tags="bold,	small  Big"/>
      <Font id="PLAIN" path="fonts/plain.txt"/>
    </Resources>
    <Resources id="Broken"><Font id="BROKEN" path="fonts/broken.txt"/></Resources>
    <Resources id="NoImage"><Font id="NOIMAGE" path="fonts/strip.txt" image="fonts/none"/></Resources>)");
  ASSERT_TRUE(mManager.LoadResources("G")) << mManager.GetErrorText();
  auto* strip = dynamic_cast<ImageFont*>(mManager.RequireFont("STRIP"));
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->mTagVector, (std::vector<std::string>{"BOLD", "SMALL", "BIG"}));
  EXPECT_EQ(strip->CharWidth(L'A'), 7);
  EXPECT_NE(dynamic_cast<ImageFont*>(mManager.RequireFont("PLAIN")), nullptr);
  EXPECT_FALSE(mManager.LoadResources("Broken"));
  EXPECT_EQ(mManager.GetErrorText(), "Failed to load font: fonts/broken.txt");
  EXPECT_FALSE(mManager.LoadResources("NoImage"));
  EXPECT_EQ(mManager.GetErrorText(), "Failed to load image: fonts/none");
  mManager.FreeGroup("G");
  EXPECT_EQ(mManager.FindFont("STRIP"), nullptr);
}

// Display images, as the application makes them.
class DisplayResourceHost : public FakeResourceHost {
public:
  explicit DisplayResourceHost(DDInterface* display) : mDisplay(display) {}
  MemoryImage* LoadImage(const std::string& fileName, bool commitBits) override {
    std::unique_ptr<ImageLib::Image> decoded = ImageLib::LoadImageFile(fileName, true);
    if (!decoded) return nullptr;
    auto* image = new DDImage(mDisplay);
    image->SetBits(decoded->mBits, decoded->mWidth, decoded->mHeight, commitBits);
    return image;
  }
  DDInterface* mDisplay;
};

TEST_F(LoadingTest, OpaqueDisplaySurfaces) {
  Testing::TestDisplay display;
  ASSERT_EQ(display.Init(), 0);
  DisplayResourceHost host(display.get());
  ResourceManager manager(&host);
  WritePng(mDir / "images/see.png", 2, 2, [](int x, int) { return x ? 0x80FFFFFFu : 0xFF000000u; });
  Testing::WriteFile(mDir / "res.xml", R"(<ResourceManifest>
    <Resources id="G"><Image id="OPAQUE" path="images/b" ddsurface="" nopal=""/>
                      <Image id="SEE" path="images/see" ddsurface="" nopal=""/></Resources>
    <Resources id="Again"><Image id="AGAIN" path="images/b"/></Resources></ResourceManifest>)");
  ASSERT_TRUE(manager.ReadManifestFile("res.xml")) << manager.GetErrorText();
  ASSERT_TRUE(manager.LoadResources("G")) << manager.GetErrorText();
  auto* opaque = dynamic_cast<DDImage*>(manager.RequireImage("OPAQUE").GetImage());
  ASSERT_NE(opaque, nullptr);
  EXPECT_TRUE(opaque->mWantSurface);
  EXPECT_NE(opaque->mSurface, nullptr);  // the surface holds the only pixels
  EXPECT_EQ(opaque->mBits, nullptr);
  auto* see = dynamic_cast<DDImage*>(manager.RequireImage("SEE").GetImage());
  EXPECT_FALSE(see->mWantSurface);
  EXPECT_NE(see->mBits, nullptr);
  // The cached image already has its surface: it is palettised later.
  ASSERT_TRUE(manager.LoadResources("Again")) << manager.GetErrorText();
  EXPECT_EQ(manager.RequireImage("AGAIN").GetImage(), opaque);
  EXPECT_TRUE(opaque->mWantPal);
  EXPECT_EQ(opaque->mColorTable, nullptr);
}

}  // namespace
}  // namespace Plix
