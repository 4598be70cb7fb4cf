// The display end to end in a real window (Xvfb, or SDL's dummy driver
// without a display): a scene drawn through Graphics in both desktop
// depths, presented, and the window's pixels compared with a small golden
// picture. PLIX_UPDATE_GOLDEN=1 rewrites the golden pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/FontData.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/SysFont.h"
#include "framework/platform/SdlWindow.h"
#include "framework/resources/ImageLib.h"
#include "tests/graphics/BitmapFontFixture.h"
#include "tests/graphics/DisplayTestSupport.h"
#include "tests/graphics/FontTestHost.h"
#include "tests/support/Golden.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

struct GoldenCase {
  const char* name;  // tests/graphics/golden/<name>.png
  int bits;
};

const GoldenCase kGolden[] = {{"smoke32", 32}, {"smoke16", 16}};

std::unique_ptr<DDImage> Picture(DDInterface* display, int w, int h, uint32_t (*pixel)(int, int)) {
  std::vector<uint32_t> argb(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) argb[static_cast<size_t>(y) * w + x] = pixel(x, y);
  return Testing::MakeImage(display, w, h, argb);
}

void DrawScene(DDInterface& display, Graphics& g, std::vector<std::unique_ptr<DDImage>>& keep) {
  g.SetColor(Color(40, 60, 90));
  g.FillRect(0, 0, 64, 48);
  g.SetColor(Color(255, 200, 0, 128));
  g.FillRect(4, 4, 20, 12);
  g.SetDrawMode(1);
  g.SetColor(Color(0, 0, 200));
  g.FillRect(14, 8, 20, 12);
  g.SetDrawMode(0);
  g.SetColor(Color(255, 255, 255));
  g.DrawLine(0, 47, 63, 20);
  g.SetColor(Color(255, 64, 64, 160));
  g.DrawLine(2, 2, 60, 30);

  // A round sprite with soft edges, drawn normally and additively.
  auto sprite = Picture(&display, 12, 12, [](int x, int y) {
    const double d = std::hypot(x - 5.5, y - 5.5);
    const int a = d > 6 ? 0 : d < 3 ? 255 : static_cast<int>(255 * (6 - d) / 3);
    return (static_cast<uint32_t>(a) << 24) | 0x20E040u;
  });
  g.DrawImage(sprite.get(), 40, 4);
  g.SetDrawMode(1);
  g.DrawImage(sprite.get(), 46, 10);
  g.SetDrawMode(0);
  // Rotated and stretched.
  auto bar = Picture(&display, 14, 6, [](int x, int y) { return 0xFF000000u | (x < 7 ? 0xC04080u : 0x40C0C0u); });
  g.DrawImageRotated(bar.get(), 4, 24, 0.6);
  auto checker = Picture(&display, 4, 4, [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFFFu : 0xFF303030u; });
  g.DrawImageStretched(checker.get(), 24, 28, 12, 12);
  g.SetFastScaling(true);
  g.DrawImageStretched(checker.get(), 40, 30, 16, 16);
  // A tinted, mirrored cel.
  g.SetColorizeImages(true);
  g.SetColor(Color(255, 128, 128));
  g.DrawImageMirror(bar.get(), 26, 2);
  keep.push_back(std::move(sprite));
  keep.push_back(std::move(bar));
  keep.push_back(std::move(checker));
}

// A line in a bitmap font made from our own description and rasterised
// glyphs, and a line in a system font, both from the pinned DejaVu file.
void DrawText(Graphics& g, ImageFont& bitmapFont, SysFont& sysFont) {
  g.SetColorizeImages(false);
  g.SetFont(&bitmapFont);
  g.SetColor(Color(120, 255, 255));
  g.DrawString(L"Plix", 2, 46);
  g.SetFont(&sysFont);
  g.SetColor(Color(255, 255, 255));
  g.WriteString(L"ok^FF80FF^42", 30, 46);
}

TEST(DisplaySmoke, SceneInAWindowMatchesTheGoldenPicture) {
  Testing::TempDir fontDir;
  Testing::FontTestHost fontHost;
  const auto fixture = Testing::MakeBitmapFontFixture(fontDir.Path(), "Plix", 10);
  fontHost.AddImage(fixture.mImagePath, fixture.mWidth, fixture.mHeight, fixture.mPixels);
  ImageFont bitmapFont(&fontHost, fixture.mScriptPath);
  ASSERT_TRUE(bitmapFont.mFontData->mInitialized) << bitmapFont.mFontData->mError;
  PinFontFile(Testing::kDejaVuSans);
  SysFont sysFont("Arial", 8);
  PinFontFile("");

  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  for (const GoldenCase& c : kGolden) {
    EmulatedDisplayConfig config;
    config.desktopWidth = 320;
    config.desktopHeight = 240;
    Testing::TestDisplay display(c.bits, 64, 48, config);
    SdlWindowDesc desc;
    desc.title = "Plix smoke test";
    desc.width = 64;
    desc.height = 48;
    desc.visible = true;
    std::string error;
    auto window = SdlWindow::Create(desc, &error);
    ASSERT_TRUE(window) << error;
    window->OnMoved(10, 10);
    ASSERT_EQ(display.Init(window->Handle()), 0) << display->mErrorString;

    std::vector<std::unique_ptr<DDImage>> keep;
    Graphics g(display->GetScreenImage());
    DrawScene(*display, g, keep);
    DrawText(g, bitmapFont, sysFont);
    // A custom cursor with a transparent surround, drawn into the frame.
    auto cursor = Picture(display.get(), 7, 7, [](int x, int y) {
      return x == 3 || y == 3 ? 0xFFFFFF00u : 0x00000000u;
    });
    display->SetCursorImage(cursor.get());
    display->mCursorX = 50;
    display->mCursorY = 36;
    ASSERT_TRUE(display->Redraw());

    std::vector<uint32_t> shot;
    ASSERT_NO_FATAL_FAILURE(Testing::ExpectPresentedMatchesGolden(
        *window, 64, 48, std::string("tests/graphics/golden/") + c.name + ".png", &shot));
    // The cursor's colour as the first frame shows it.
    const uint32_t yellow = shot[35 * 64 + 49];
    // The cursor thread moves the cursor between frames; the main thread
    // shows the result.
    std::thread mover([&] { display->SetCursorPos(20, 40); });
    mover.join();
    ASSERT_TRUE(display->PresentPending());
    int w = 0, h = 0;
    ASSERT_TRUE(window->ReadPresentedPixels(shot, w, h));
    // The 7 x 7 cross is centred in the box: its middle is one left of and
    // above the mouse.
    EXPECT_EQ(shot[39 * 64 + 19], yellow) << c.name;
    EXPECT_NE(shot[35 * 64 + 49], yellow) << c.name << ": the old cursor is gone";
    EXPECT_FALSE(display->PresentPending());  // nothing new
    display->SetCursorImage(nullptr);
    display->Cleanup();
  }
}

}  // namespace
}  // namespace Plix
