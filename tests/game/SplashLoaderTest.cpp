#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Graphics.h"
#include "game/app/GameResources.h"
#include "game/app/GameScreens.h"
#include "game/app/Loader.h"
#include "game/app/Splash.h"
#include "tests/game/GameTestSupport.h"
#include "tests/game/ScreenTestSupport.h"

namespace Plix {
namespace {

struct SplashFixture : ::testing::Test {
  ~SplashFixture() override {
    host.FlushDeletes();
    screens.RemoveScreens();
    screens.DeleteScreens();
  }
  Splash* Show(int logos, bool windowed) {
    for (int n = 0; n < logos; ++n) host.mImages["logos/splash" + std::to_string(n)] = {200, 100};
    host.mWindowed = windowed;
    screens.ShowSplash();
    return screens.mSplash;
  }
  // Updates until the loader is up; the number of updates.
  int UpdatesUntilLoader(Splash* splash, int limit = 5000) {
    for (int n = 1; n <= limit; ++n) {
      splash->Update();
      if (screens.mLoader) return n;
    }
    return -1;
  }

  Testing::FakeScreenHost host;
  GameScreens screens{host};
};

TEST_F(SplashFixture, LogosAreLoadedInOrderUpToTheFirstMissingOne) {
  host.mImages["logos/splash0"] = {10, 10};
  host.mImages["logos/splash1"] = {10, 10};
  host.mImages["logos/splash3"] = {10, 10};  // after a gap: never looked at
  screens.ShowSplash();
  EXPECT_EQ(screens.mSplash->GetLogoCount(), 2);
}

TEST_F(SplashFixture, SearchStopsAtTheFourthLogo) {
  EXPECT_EQ(Show(6, true)->GetLogoCount(), 4);
}

TEST_F(SplashFixture, HowLongTheSplashLasts) {
  struct Case {
    int logos;
    bool windowed;
    int updates;
  };
  const Case cases[] = {
      {0, true, 1},
      {0, false, 1},
      {1, true, 128 + 100 + 128},
      {1, false, 128 + 100 + 128},  // no black wait before the first logo
      {2, true, 2 * (128 + 100 + 128)},  // the second fades in from -1: 128 again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.logos << " logos, windowed " << c.windowed);
    Testing::FakeScreenHost caseHost;
    GameScreens caseScreens{caseHost};
    for (int n = 0; n < c.logos; ++n) caseHost.mImages["logos/splash" + std::to_string(n)] = {200, 100};
    caseHost.mWindowed = c.windowed;
    caseScreens.ShowSplash();
    Splash* splash = caseScreens.mSplash;
    int n = 0;
    while (!caseScreens.mLoader && n < 5000) {
      splash->Update();
      ++n;
    }
    EXPECT_EQ(n, c.updates);
    EXPECT_EQ(caseHost.mLoadingStarts, 1);
    caseHost.FlushDeletes();
    caseScreens.RemoveScreens();
    caseScreens.DeleteScreens();
  }
}

TEST_F(SplashFixture, AClickSkipsTheLogoOnlyOnceItIsVisibleEnough) {
  Splash* splash = Show(1, true);
  for (int n = 0; n < 32; ++n) splash->Update();
  ASSERT_EQ(splash->GetAlpha(), 64);
  splash->MouseDown(5, 5, 1);
  EXPECT_EQ(splash->GetState(), Splash::kFadingIn);
  splash->Update();
  ASSERT_EQ(splash->GetAlpha(), 66);
  splash->MouseDown(5, 5, 1);
  EXPECT_EQ(splash->GetState(), Splash::kFadingOut);
  // 66 down to 0 in 33 updates, then the loader.
  EXPECT_EQ(UpdatesUntilLoader(splash), 33);
}

TEST_F(SplashFixture, ClicksOnBlackOrWhileFadingOutDoNothing) {
  Splash* splash = Show(1, false);
  splash->MouseDown(5, 5, 1);
  EXPECT_EQ(splash->GetState(), Splash::kFadingIn);
  splash->Update();
  EXPECT_EQ(splash->GetAlpha(), 2);
  for (int n = 1; n < 128 + 100 + 5; ++n) splash->Update();
  ASSERT_EQ(splash->GetState(), Splash::kFadingOut);
  const int alpha = splash->GetAlpha();
  splash->MouseDown(5, 5, 1);
  splash->Update();
  EXPECT_EQ(splash->GetAlpha(), alpha - 2);
}

TEST_F(SplashFixture, DrawsTheLogoCentredOnBlackAtItsAlpha) {
  auto logo = Testing::FilledImage(200, 100, 0xFFFFFFFF);
  struct OneLogoHost : Testing::FakeScreenHost {
    Image* logo = nullptr;
    Image* LoadImage(const std::string& name) override {
      if (name != "logos/splash0" || !logo) return nullptr;
      Image* given = logo;
      logo = nullptr;
      return given;
    }
  } logoHost;
  logoHost.logo = logo.release();
  GameScreens logoScreens{logoHost};
  logoScreens.ShowSplash();
  Splash* splash = logoScreens.mSplash;
  for (int n = 0; n < 64; ++n) splash->Update();  // alpha 128
  auto screen = Testing::FilledImage(800, 600, 0xFF336699);
  Graphics g(screen.get());
  splash->Draw(&g);
  const uint32_t* bits = screen->GetBits();
  EXPECT_TRUE(Testing::NearColor(bits[0], 0, 0, 0));
  EXPECT_TRUE(Testing::NearColor(bits[300 * 800 + 400], 128, 128, 128)) << std::hex << bits[300 * 800 + 400];
  EXPECT_TRUE(Testing::NearColor(bits[250 * 800 + 300], 128, 128, 128));  // top-left corner of the logo
  EXPECT_TRUE(Testing::NearColor(bits[249 * 800 + 300], 0, 0, 0));
  EXPECT_TRUE(Testing::NearColor(bits[250 * 800 + 299], 0, 0, 0));
  EXPECT_FALSE(g.GetImageTinting());
  logoScreens.RemoveScreens();
  logoScreens.DeleteScreens();
}

TEST_F(SplashFixture, LoaderBarFollowsTheProgressAndRepaintsFromItsOwnUpdate) {
  auto backdrop = Testing::FilledImage(800, 600, 0xFF000080);
  auto bar = Testing::FilledImage(290, 24, 0xFFFF0000);
  Testing::ScopedResource<Image*> useBackdrop(IMAGE_LOADING, backdrop.get());
  Testing::ScopedResource<Image*> useBar(IMAGE_LOADING_BAR, bar.get());
  screens.SplashToLoader();
  Loader* loader = screens.mLoader;
  auto screen = Testing::FilledImage(800, 600, 0xFFFFFFFF);
  Graphics g(screen.get());
  const uint32_t* row = screen->GetBits() + 470 * 800;

  struct Case {
    double progress;
    int width;
  };
  for (const Case& c : {Case{0.0, 0}, Case{0.5, 145}, Case{1.0, 290}}) {
    SCOPED_TRACE(c.progress);
    host.mProgress = c.progress;
    loader->mDirty = false;
    loader->Update();
    EXPECT_EQ(loader->mDirty, true);  // the progress moved since the last frame
    loader->Draw(&g);
    loader->mDirty = false;
    loader->Update();
    EXPECT_EQ(loader->mDirty, false);  // nothing new to show
    EXPECT_EQ(loader->GetBarWidth(), c.width);
    EXPECT_TRUE(Testing::NearColor(row[254], 0, 0, 128));
    if (c.width > 0) {
      EXPECT_TRUE(Testing::NearColor(row[255 + c.width - 1], 255, 0, 0));
    }
    EXPECT_TRUE(Testing::NearColor(row[255 + c.width], 0, 0, 128));
  }
}

}  // namespace
}  // namespace Plix
