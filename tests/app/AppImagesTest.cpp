#include "framework/app/AppImages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/Files.h"
#include "framework/resources/ImageLib.h"
#include "framework/util/Utilities.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

class SmallScreen : public DisplayHost {
public:
  DisplaySettings GetDisplaySettings() override {
    DisplaySettings s;
    s.screenWidth = 16;
    s.screenHeight = 12;
    return s;
  }
};

// Loads slowly when asked to, so that a second thread asks meanwhile.
class SlowImages : public AppImages {
public:
  std::atomic<bool> mHold{false};
  std::atomic<int> mLoads{0};
  DDImage* LoadImage(const std::string& fileName, bool commitBits) override {
    ++mLoads;
    while (mHold) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return AppImages::LoadImage(fileName, commitBits);
  }
};

class AppImagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    mOldFolder = GetAppDataFolder();
    SetAppDataFolder(mDir.Path());
    mImages.SetDisplay(&mDisplay);
    ASSERT_EQ(mDisplay.Init(nullptr, true), 0);
    WritePng(mDir / "pic.png", 3, 2, 0xFF102030);
  }
  void TearDown() override {
    {
      AutoCrit lock(mImages.Lock());
      mImages.mSharedImageMap.clear();
    }
    SetAppDataFolder(mOldFolder);
  }
  static void WritePng(const std::string& path, int w, int h, uint32_t argb) {
    auto image = ImageLib::CreateImage(w, h);
    std::fill(image->mBits, image->mBits + w * h, argb);
    ASSERT_TRUE(ImageLib::WritePNGImage(path, image.get()));
  }

  Testing::TempDir mDir;
  std::string mOldFolder;
  ScopedEmulatedDisplay mEmulated;
  SlowImages mImages;
  ScopedGraphicsHost mHost{&mImages};
  SmallScreen mApp;
  DDInterface mDisplay{&mApp};
};

TEST_F(AppImagesTest, LoadsAndCopiesDisplayImages) {
  std::unique_ptr<DDImage> image(mImages.LoadImage(mDir / "pic.png", true));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->GetWidth(), 3);
  EXPECT_EQ(image->GetBits()[5], 0xFF102030u);
  EXPECT_EQ(image->mName, mDir / "pic.png");
  EXPECT_EQ(mImages.LoadImage(mDir / "missing.png", true), nullptr);

  image->mCelColumns = 3;
  std::unique_ptr<DDImage> copy(mImages.CopyImage(image.get()));
  EXPECT_EQ(copy->mCelColumns, 3);
  // Drawn by the memory image's blit onto a blank image: within 1 a channel.
  auto near = [](uint32_t p) { return (p >> 24) == 255 && ((p >> 16) & 255) >= 0x0F && (p & 255) >= 0x2F; };
  EXPECT_TRUE(near(copy->GetBits()[4])) << std::hex << copy->GetBits()[4];
  std::unique_ptr<DDImage> part(mImages.CopyImageRect(image.get(), Rect(1, 0, 2, 2)));
  EXPECT_EQ(part->GetWidth(), 2);
  EXPECT_TRUE(near(part->GetBits()[3]));
  {
    AutoCrit lock(mImages.Lock());
    EXPECT_EQ(mImages.mMemoryImageSet.count(part.get()), 1u);
  }
  DDImage* raw = part.get();
  part.reset();
  AutoCrit lock(mImages.Lock());
  EXPECT_EQ(mImages.mMemoryImageSet.count(raw), 0u);
}

TEST_F(AppImagesTest, SharedImagesByNameAndVariant) {
  bool isNew = false;
  SharedImageRef a = mImages.GetCachedImage(mDir / "pic.png", "", &isNew);
  EXPECT_TRUE(isNew);
  ASSERT_NE(a.GetImage(), nullptr);
  SharedImageRef b = mImages.GetCachedImage(mDir / "PIC.PNG", "", &isNew);
  EXPECT_FALSE(isNew);
  EXPECT_EQ(a.GetImage(), b.GetImage());
  SharedImageRef c = mImages.GetCachedImage(mDir / "pic.png", "dark", &isNew);
  EXPECT_TRUE(isNew);
  EXPECT_NE(c.GetImage(), a.GetImage());
  EXPECT_EQ(mImages.mLoads, 2);

  // '!' names read no file.
  SharedImageRef empty = mImages.GetCachedImage("!scratch", "", &isNew);
  EXPECT_TRUE(isNew);
  ASSERT_NE(empty.GetImage(), nullptr);
  EXPECT_EQ(mImages.mLoads, 2);
  // A file that cannot be read leaves the record empty.
  SharedImageRef none = mImages.GetCachedImage(mDir / "missing.png", "", nullptr);
  EXPECT_EQ(none.GetImage(), nullptr);

  // Dropped and taken again before the sweep: the same image.
  MemoryImage* first = a.GetImage();
  a.Release();
  b.Release();
  SharedImageRef again = mImages.GetCachedImage(mDir / "pic.png", "", &isNew);
  EXPECT_FALSE(isNew);
  EXPECT_EQ(again.GetImage(), first);
  mImages.SweepSharedImages();
  EXPECT_EQ(again.GetImage(), first);
  // Released for good: swept at the next tick.
  again.Release();
  mImages.SweepSharedImages();
  SharedImageRef fresh = mImages.GetCachedImage(mDir / "pic.png", "", &isNew);
  EXPECT_TRUE(isNew);
}

// A second thread asking for an image the first still loads waits for it
// instead of getting the half-built record.
TEST_F(AppImagesTest, LaterAskersWaitForTheLoad) {
  mImages.mHold = true;
  SharedImageRef first;
  std::thread loader([&] { first = mImages.GetCachedImage(mDir / "pic.png", "", nullptr); });
  while (mImages.mLoads == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::atomic<bool> answered{false};
  MemoryImage* seen = nullptr;
  bool isNew = true;
  std::thread asker([&] {
    SharedImageRef second = mImages.GetCachedImage(mDir / "pic.png", "", &isNew);
    seen = second.GetImage();
    answered = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(answered);
  mImages.mHold = false;
  loader.join();
  asker.join();
  EXPECT_FALSE(isNew);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen, first.GetImage());
  EXPECT_EQ(mImages.mLoads, 1);
}

TEST_F(AppImagesTest, ScreenshotsAreNumberedAfterTheLargest) {
  const std::string folder = mDir / "_screenshots";
  Fs::MakeDirectory(folder);
  Testing::WriteFile(folder + "/image3.png", "x");
  Testing::WriteFile(folder + "/image7.png", "x");
  Testing::WriteFile(folder + "/other12.png", "x");
  mDisplay.GetScreenImage()->FillRect(Rect(0, 0, 16, 12), Color(255, 0, 0), 0);
  ASSERT_TRUE(mDisplay.Redraw());
  mImages.TakeScreenshot();
  auto shot = ImageLib::LoadImageFile(folder + "/image8.png", false);
  ASSERT_TRUE(shot);
  // The primary: the emulated desktop with the frame at its corner.
  EXPECT_EQ(shot->GetWidth(), EmulatedDisplay::Get().DesktopWidth());
  EXPECT_EQ(shot->GetBits()[0], 0xFFFE0000u);
  EXPECT_EQ(shot->GetBits()[16], 0xFF000000u);
  // The display keeps its surface.
  EXPECT_TRUE(mDisplay.Redraw());
  // Without a display nothing is written.
  AppImages bare;
  bare.TakeScreenshot();
  EXPECT_FALSE(Fs::IsFile(folder + "/image9.png"));
}

TEST_F(AppImagesTest, DumpListsEveryImage) {
  std::unique_ptr<DDImage> a(mImages.LoadImage(mDir / "pic.png", true));
  std::unique_ptr<DDImage> b(mImages.LoadImage(mDir / "pic.png", true));
  mImages.DumpImages();
  const std::string page = Testing::ReadFile(mDir / "_dump/imagelist.html");
  ASSERT_FALSE(page.empty());
  EXPECT_EQ(page.rfind("<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>", 0), 0u);
  EXPECT_NE(page.find("Total Image Allocation: "), std::string::npos);
  size_t images;
  {
    AutoCrit lock(mImages.Lock());
    images = mImages.mMemoryImageSet.size();
  }
  size_t rows = 0;
  for (size_t at = page.find("<TR>"); at != std::string::npos; at = page.find("<TR>", at + 1)) ++rows;
  EXPECT_EQ(rows, images + 1);  // every image, both of the equal ones, and the totals
  EXPECT_NE(page.find("3 x 2<BR>"), std::string::npos);
  EXPECT_NE(page.find("<TD>Totals</TD>"), std::string::npos);
  EXPECT_TRUE(Fs::IsFile(mDir / "_dump/thumb0000.jpg"));
  EXPECT_TRUE(Fs::IsFile(mDir / "_dump/img0000.png"));
  EXPECT_EQ(page.substr(page.size() - 31), "</TABLE></CENTER></BODY></HTML>");
}

TEST_F(AppImagesTest, DumpWithoutImagesHasOnlyTheTotalsRow) {
  AppImages bare;  // not the graphics host: no image registers with it
  bare.DumpImages();
  const std::string page = Testing::ReadFile(mDir / "_dump/imagelist.html");
  EXPECT_NE(page.find("Total Image Allocation: 0 bytes<BR><TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4><TR><TD>Totals"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("<TR>"), page.rfind("<TR>"));
  EXPECT_FALSE(Fs::IsFile(mDir / "_dump/img0000.png"));
}

}  // namespace
}  // namespace Plix
