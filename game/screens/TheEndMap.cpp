#include "game/screens/TheEndMap.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/CRand.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/Particle.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/GameDialog.h"
#include "game/screens/Map.h"

namespace Plix {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kTitleY = 232;
constexpr int kTitleInFrom = 100;
constexpr int kTitleOutFrom = 500;

void Write(Graphics& g, int number, int x, int y) {
  if (FONT_RAVIE_14) g.WriteString(std::to_wstring(number), x, y, -1, 0);
}

int WidthOf(Image* image) { return image ? image->GetWidth() : 0; }
int HeightOf(Image* image) { return image ? image->GetHeight() : 0; }

}  // namespace

TheEndMap::TheEndMap(GameApp& app) : ScreenFrame(app, "Map", "") {
  mStar.SetImage(IMAGE_STAR_PARTICLE_MEDIUM);
  for (int cel = 0; cel <= 8; ++cel) mStar.AddFrame(cel, 10);
  mStar.SetSpeed(2.0f);
  mStar.Reset();
  PaintPicture();
}

TheEndMap::~TheEndMap() = default;

void TheEndMap::PaintPicture() {
  auto* picture = new DDImage(mApp.mAppDisplay);
  picture->Create(kWidth, kHeight);
  mPicture.reset(picture);
  Graphics g(picture);
  g.SetColor(Color(255, 255, 255));
  DrawImageIf(&g, IMAGE_MAP, 0, 0);
  const PlayerProfile* profile = mApp.GetCurrentProfile();
  if (IMAGE_MAP_LEVEL)
    for (int i = 0; i < Map::kDayCount; ++i)
      g.DrawImageCell(IMAGE_MAP_LEVEL, Map::kMarkers[i][0], Map::kMarkers[i][1],
                      profile && profile->IsLevelDone(i) ? 2 : 1);
  if (IMAGE_MAP_STORE) g.DrawImageCell(IMAGE_MAP_STORE, 0, 269, 0);
  if (IMAGE_MAP_CIRCUS) g.DrawImageCell(IMAGE_MAP_CIRCUS, 613, 61, 0);
  if (IMAGE_MAP_HOTEL) g.DrawImageCell(IMAGE_MAP_HOTEL, 298, 146, 0);
  if (FONT_RAVIE_14) g.SetFont(FONT_RAVIE_14);
  g.SetColor(Color(255, 64, 255));
  Write(g, profile ? profile->GetLives() : 0, 489, 50);
  Write(g, profile ? profile->GetTotalScore() : 0, 604, 50);
  Write(g, profile ? profile->GetCash() : 0, 722, 50);
  g.SetColor(Color(255, 255, 255));
  Write(g, Map::kDayCount, 77, 171);
  DrawImageIf(&g, IMAGE_MAP_LOGO, 8, 5);
  // The night over everything.
  g.SetColor(Color(16, 16, 32, 64));
  g.FillRect(0, 0, kWidth, kHeight);
}

void TheEndMap::CreateButtons() {
  mApp.ClearParticles();
  AlphaButton* next = AddButton(kContinue, IMAGE_MAP_CONTINUE, IMAGE_MAP_CONTINUE_OVER,
                                790 - WidthOf(IMAGE_MAP_CONTINUE), 510);
  next->CreateHitMask(0);
}

void TheEndMap::OnFadeResult(int result) {
  if (result != 1 && result != 2) return;
  RemoveAndQueueDelete();
  mApp.TheEndMapToBestSellers();
}

void TheEndMap::UpdateScreen() {
  mApp.UpdateParticles();
  ++mCounter;
  if (mCounter > kTitleOutFrom)
    mTitleAlpha = std::max(mTitleAlpha - 1, 0);
  else if (mCounter > kTitleInFrom)
    mTitleAlpha = std::min(mTitleAlpha + 2, 255);
  Image* title = IMAGE_MAP_GAME_COMPLETED;
  if (mTitleAlpha > 0 && Rand() % 4 == 0) {
    const int w = std::max(WidthOf(title), 1);
    const int h = std::max(HeightOf(title), 1);
    const int y = kTitleY + Rand() % h;
    const int x = 400 - w / 2 + Rand() % w;
    auto* sparkle = new AnimationParticle(static_cast<float>(x), static_cast<float>(y), mStar);
    sparkle->SetColor(240, 240, 255, mTitleAlpha);
    sparkle->SetSpeed(1.0f + static_cast<float>(Rand() % 100) * 0.01f);
    mApp.AddParticle(sparkle);
  }
  if (mCounter % 10 == 0 && Rand() % 2 == 0) {
    auto* firework = new FireWorkParticle(static_cast<float>(375 + Rand() % 16), 340.0f);
    static constexpr int kColours[4][3] = {{255, 255, 64}, {64, 255, 255}, {255, 64, 255}, {64, 64, 255}};
    const int* c = kColours[Rand() % 4];
    firework->SetColor(c[0], c[1], c[2], 255);
    mApp.AddParticle(firework);
  }
}

void TheEndMap::Draw(Graphics* g) {
  g->SetColor(Color(255, 255, 255));
  if (mPicture) g->DrawImage(mPicture.get(), 0, 0);
  DrawButtons(g);
  mApp.DrawParticles(g);
  if (mTitleAlpha > 0 && IMAGE_MAP_GAME_COMPLETED) {
    g->SetColorizeImages(true);
    g->SetColor(Color(255, 255, 255, mTitleAlpha));
    g->DrawImage(IMAGE_MAP_GAME_COMPLETED, 400 - WidthOf(IMAGE_MAP_GAME_COMPLETED) / 2, kTitleY);
    g->SetColorizeImages(false);
    g->SetColor(Color(255, 255, 255));
  }
  if (mApp.GetFadeState() != 0) mApp.DrawFade(g);
  if (mPauseCount > 0) {
    g->SetColor(Color(0, 0, 0, 64));
    g->FillRect(0, 0, mWidth, mHeight);
  }
}

void TheEndMap::MouseUpAt(int x, int y) {
  if (mPauseCount > 0 || mApp.GetFadeState() == 2) return;
  mApp.SetCursor(0);
  if (mPressed && mPressed == mHovered && mPressed->GetId() == kContinue) LeaveWith(kContinue);
  mPressed = nullptr;
}

}  // namespace Plix
