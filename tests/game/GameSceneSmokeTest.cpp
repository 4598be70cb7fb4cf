// The shared game pieces with the game's own data in a real window (Xvfb,
// or SDL's dummy driver without a display): coins flying to the takings, a
// firework bursting over its trail, a balloon typing its page with yes and
// no buttons, and a money pop-up. The groups "Permanent", "Game" and "Map"
// load from the built main.pak and are bound as the game binds them. A
// click on the balloon's yes button goes in as SDL events through the
// window system. The window's picture is compared with a golden one;
// PLIX_UPDATE_GOLDEN=1 rewrites it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/platform/CRand.h"
#include "framework/platform/FontEngine.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/WindowSystem.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"
#include "framework/resources/ResourceHost.h"
#include "framework/resources/ResourceManager.h"
#include "framework/sound/DSoundManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/FlyingItems.h"
#include "game/app/ResourceBinding.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/Particle.h"
#include "tests/game/GameTestSupport.h"
#include "tests/graphics/DisplayTestSupport.h"
#include "tests/support/Golden.h"
#include "tests/support/ResourceGraphicsHost.h"
#include "tests/support/SdlInput.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

InfoBalloon* gBalloon = nullptr;
std::vector<int> gBalloonCodes;

// The window procedure of a screen that shows a balloon: mouse messages go
// to it, as the screens forward them.
LRESULT SceneWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gBalloon && message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) {
    int x = static_cast<int16_t>(lParam & 0xFFFF);
    int y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
    switch (message) {
      case WM_MOUSEMOVE: gBalloon->MouseMove(x, y, true); break;
      case WM_LBUTTONDOWN: gBalloon->MouseDown(); break;
      case WM_LBUTTONUP: gBalloonCodes.push_back(gBalloon->MouseUp(x, y)); break;
      default: break;
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST(GameSceneSmoke, CoinsFireworkBalloonAndPopupMatchTheGoldenPicture) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  PinFontFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

  // The data, as the loading thread reads it.
  Testing::TempDir dir;
  Testing::ScopedCwd cwd(dir.Path());  // nothing from the disk
  PakInterface pak;
  PakInterface* previousPak = ReplacePakInterface(&pak);
  ASSERT_TRUE(pak.AddPakFile(Testing::BinaryDir() + "/run/main.pak")) << pak.GetErrorText();
  Testing::OfflineAudio audio;
  FakeResourceHost resources;
  DSoundManager sounds(reinterpret_cast<HWND>(1), false);
  resources.mSoundManager = &sounds;

  EmulatedDisplayConfig config;
  config.desktopWidth = 1024;
  config.desktopHeight = 768;
  Testing::TestDisplay display(32, kWidth, kHeight, config);
  // The graphics side of the application: the display, and the font
  // images served from the resource host's cache.
  Testing::ResourceGraphicsHost graphics(&resources);
  graphics.mDisplay = display.get();
  ScopedGraphicsHost scopedGraphics(&graphics);

  auto manager = std::make_unique<ResourceManager>(&resources);
  ASSERT_TRUE(manager->ReadManifestFile("properties/resources.xml")) << manager->GetErrorText();
  for (const char* group : {"Permanent", "Game", "Map"}) ASSERT_TRUE(manager->LoadResources(group)) << group;
  ASSERT_TRUE(BindPermanentResources(manager.get()));
  ASSERT_TRUE(BindGameResources(manager.get()));
  ASSERT_TRUE(BindMapResources(manager.get()));

  ASSERT_NE(RegisterClassW("GameSceneWindow", SceneWindowProc, 0), 0);
  HWND hwnd = CreateWindowExW(0, "GameSceneWindow", L"Plix game scene", WS_CAPTION | WS_VISIBLE, 10, 10, kWidth,
                              kHeight);
  ASSERT_NE(hwnd, nullptr);
  SdlWindow* window = SdlWindow::FromHandle(hwnd);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(display.Init(hwnd), 0) << display->mErrorString;

  // The scene: what a screen of the game would hold.
  Testing::RecordingGameHost host;  // the particle list and the sounds
  InfoBalloon::CreateSharedButtons();
  InfoBalloon::SetTypingToggle(0);
  SRand(2024);
  auto balloon = std::make_unique<InfoBalloon>(1, InfoBalloon::kNormal);
  balloon->AddPage(L"A hot day on the island! Shall we open the shop and sell ice cream to everyone?");
  balloon->SetYesText(L"Yes");
  balloon->SetNoText(L"No");
  balloon->SetDelay(60);
  balloon->Place(3, 540, 440);
  balloon->LayoutPage();
  MoneyPopup popup;
  auto* firework = new FireWorkParticle(180, 460);
  firework->SetColor(255, 160, 60, 255);
  host.AddParticle(firework);

  const int kTicks = 130;
  for (int tick = 0; tick < kTicks; ++tick) {
    if (tick % 12 == 0 && tick >= 36) {
      auto* coin = new CoinParticle(80.0f + tick * 3, 440.0f - tick);
      host.AddParticle(coin);
    }
    if (tick == 70) popup.Start(25, 300, 330.0f);
    if (tick == 90) {
      auto* rocket = new FireWorkParticle(230, 470);  // still rising, over its trail
      rocket->SetColor(120, 255, 120, 255);
      host.AddParticle(rocket);
    }
    host.mParticles.UpdateParticles();
    balloon->Update();
    popup.Update();
  }
  EXPECT_TRUE(firework->IsBursting());
  EXPECT_GT(balloon->GetShown(), 0);
  EXPECT_LT(balloon->GetShown(), 60);  // still typing
  EXPECT_FALSE(popup.IsDone());

  // A click on "Yes" through the window.
  gBalloon = balloon.get();
  gBalloonCodes.clear();
  Pump();
  AlphaButton* yes = balloon->GetSlot(InfoBalloon::kYes);
  ASSERT_NE(yes, nullptr);
  const int x = yes->GetX() + yes->GetWidth() / 2, y = yes->GetY() + yes->GetHeight() / 2;
  const uint32_t id = window->WindowId();
  Testing::PushClick(id, x, y);
  Pump();
  EXPECT_EQ(gBalloonCodes, std::vector<int>{InfoBalloon::kYesChosen});
  EXPECT_EQ(host.mSounds.back(), SOUND_MOUSE_CLICK);
  gBalloon = nullptr;
  balloon->MouseMove(0, 0, true);  // the picture shows the buttons unlit

  Graphics g(display->GetScreenImage());
  g.SetColor(Color(70, 150, 210, 255));
  g.FillRect(0, 0, kWidth, kHeight);
  host.mParticles.DrawParticles(g);
  popup.Draw(g);
  balloon->Draw(g);
  ASSERT_TRUE(display->Redraw());

  ASSERT_NO_FATAL_FAILURE(
      Testing::ExpectPresentedMatchesGolden(*window, kWidth, kHeight, "tests/game/golden/scene.png"));

  balloon.reset();
  InfoBalloon::DeleteSharedButtons();
  host.mParticles.ClearParticles();
  for (const char* group : {"Permanent", "Game", "Map"})
    for (const ResourceBinding& b : GetGroupBindings(group)) {
      if (b.mImage) *b.mImage = nullptr;
      if (b.mSound) *b.mSound = 0;
      if (b.mFont) *b.mFont = nullptr;
    }
  display->Cleanup();
  DestroyWindow(hwnd);
  manager.reset();
  resources.mCache.clear();  // the font images go while their host is there
  ReplacePakInterface(previousPak);
  PinFontFile("");
}

}  // namespace
}  // namespace Plix
