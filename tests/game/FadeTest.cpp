#include "game/app/Fade.h"

#include <gtest/gtest.h>

#include "framework/graphics/Graphics.h"
#include "tests/game/GameTestSupport.h"

namespace Plix {
namespace {

// Updates until the fade hands back something other than 0 or `limit`
// updates have run; a covered frame is drawn after every update when
// `draw` is set. Returns the number of updates and the result.
std::pair<int, int> RunFade(Fade& fade, bool draw, int limit = 1000) {
  Graphics g;
  for (int n = 1; n <= limit; ++n) {
    const int result = fade.UpdateFade();
    if (result != 0) return {n, result};
    if (draw) fade.DrawFade(g, 800, 600);
  }
  return {limit, 0};
}

TEST(Fade, FadeOutReachesFullCoverAndHandsBackItsResultOnceAfterACoveredFrame) {
  struct Case {
    int step;
    int delay;
    bool hardware;
    int updatesToCover;  // updates until the alpha is 255
  };
  const Case cases[] = {
      {8, 0, false, 32},   // 8 x 32 = 256, clamped
      {8, 20, false, 32},  // the delay counts only with 3D acceleration
      {8, 20, true, 52},
      {255, 0, false, 1},
      {6, 0, false, 43},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "step " << c.step << " delay " << c.delay << " hw " << c.hardware);
    Fade fade;
    fade.StartFadeIn();
    RunFade(fade, false, 100);  // alpha down to 0
    ASSERT_EQ(fade.GetAlpha(), 0);
    fade.StartFadeOut(42, 10, 20, 30, 0, c.delay, c.step, c.hardware);
    EXPECT_EQ(fade.GetFadeState(), Fade::kFadingOut);
    for (int n = 1; n <= c.updatesToCover; ++n) {
      EXPECT_EQ(fade.UpdateFade(), 0);
      EXPECT_EQ(fade.GetAlpha() == 255, n == c.updatesToCover) << n;
    }
    // Without a drawn frame the result waits.
    for (int n = 0; n < 5; ++n) EXPECT_EQ(fade.UpdateFade(), 0);
    EXPECT_EQ(RunFade(fade, true), std::make_pair(2, 42));
    EXPECT_EQ(fade.GetFadeState(), Fade::kFadedOut);
    EXPECT_EQ(RunFade(fade, true, 10), std::make_pair(10, 0));  // once only
  }
}

TEST(Fade, FadeInFromTheStartCoverEndsAfter43Updates) {
  Fade fade;
  ASSERT_EQ(fade.GetAlpha(), 255);
  fade.StartFadeIn();
  for (int n = 1; n <= 42; ++n) {
    EXPECT_EQ(fade.UpdateFade(), 0);
    EXPECT_EQ(fade.GetFadeState(), Fade::kFadingIn) << n;
  }
  EXPECT_EQ(fade.GetAlpha(), 3);
  EXPECT_EQ(fade.UpdateFade(), 0);
  EXPECT_EQ(fade.GetAlpha(), 0);
  EXPECT_EQ(fade.GetFadeState(), Fade::kNone);
}

TEST(Fade, FadeInAfterAFadeOutStartsFromFullCoverWithoutAResult) {
  Fade fade;
  fade.StartFadeOut(7, 0, 0, 0, 255, 0, 255, false);
  EXPECT_EQ(RunFade(fade, true).second, 7);
  fade.StartFadeIn();
  EXPECT_EQ(fade.GetAlpha(), 255);
  EXPECT_EQ(RunFade(fade, true, 60), std::make_pair(60, 0));
  EXPECT_EQ(fade.GetFadeState(), Fade::kNone);
}

TEST(Fade, DrawsTheColourAtTheFadesAlphaNotItsOwn) {
  auto image = Testing::FilledImage(800, 600, 0xFFFFFFFF);
  Graphics g(image.get());
  Fade fade;
  fade.StartFadeIn();
  RunFade(fade, false, 100);
  fade.DrawFade(g, 800, 600);  // state 0: nothing
  EXPECT_EQ(image->GetBits()[0], 0xFFFFFFFFu);

  fade.StartFadeOut(1, 255, 0, 0, 10, 0, 128, false);
  fade.UpdateFade();  // alpha 128
  fade.DrawFade(g, 800, 600);
  EXPECT_TRUE(Testing::NearColor(image->GetBits()[0], 255, 127, 127)) << std::hex << image->GetBits()[0];
  EXPECT_TRUE(Testing::NearColor(image->GetBits()[800 * 600 - 1], 255, 127, 127));
  fade.UpdateFade();  // 255
  fade.DrawFade(g, 800, 600);
  EXPECT_TRUE(Testing::NearColor(image->GetBits()[400], 255, 0, 0));
}

}  // namespace
}  // namespace Plix
