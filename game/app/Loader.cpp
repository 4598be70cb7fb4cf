#include "game/app/Loader.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "game/app/GameResources.h"
#include "game/app/GameScreens.h"

namespace Plix {

Loader::Loader(GameScreens& app) : mApp(app), mResources(app.GetScreenHost().GetResourceManager()) {}

Loader::~Loader() {
  if (mResources && mResources->IsGroupReady("Loading")) mResources->FreeGroup("Loading");
}

int Loader::GetBarWidth() {
  if (!IMAGE_LOADING_BAR) return 0;
  return static_cast<int>(mApp.GetScreenHost().GetLoadingProgress() * IMAGE_LOADING_BAR->GetWidth());
}

void Loader::Update() {
  Widget::Update();
  if (GetBarWidth() != mDrawnBarWidth) MarkDirty();
}

void Loader::Draw(Graphics* g) {
  if (IMAGE_LOADING) g->DrawImage(IMAGE_LOADING, 0, 0);
  mDrawnBarWidth = GetBarWidth();
  if (IMAGE_LOADING_BAR && mDrawnBarWidth > 0)
    g->DrawImageSrcRect(IMAGE_LOADING_BAR, 255, 463, Rect(0, 0, mDrawnBarWidth, IMAGE_LOADING_BAR->GetHeight()));
}

}  // namespace Plix
