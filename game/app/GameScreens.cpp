#include "game/app/GameScreens.h"

#include "framework/graphics/Graphics.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/Loader.h"
#include "game/app/PlayerProfile.h"
#include "game/app/Splash.h"

namespace Plix {

namespace {

// Until the executable installs its factory: no screen is made.
class NoScreens : public ScreenFactory {
public:
  GameScreen* CreateMainMenu() override { return nullptr; }
  GameScreen* CreateMap(int, int, int) override { return nullptr; }
  GameScreen* CreateStore() override { return nullptr; }
  GameScreen* CreateCircus() override { return nullptr; }
  GameScreen* CreateTrophyRoom() override { return nullptr; }
  GameScreen* CreateHotel(int) override { return nullptr; }
  GameScreen* CreateTheEndMap() override { return nullptr; }
  GameScreen* CreateFlavorContest() override { return nullptr; }
  GameScreen* CreateBestSellers(int, int, int, int) override { return nullptr; }
  GameScreen* CreateBoard(int, int) override { return nullptr; }
};

NoScreens gNoScreens;

}  // namespace

GameScreens::GameScreens() : mFactory(&gNoScreens) {}

GameScreens::GameScreens(ScreenHost& host) : GameScreens() { mHost = &host; }

GameScreens::~GameScreens() = default;

void GameScreens::SetScreenFactory(ScreenFactory* factory) { mFactory = factory ? factory : &gNoScreens; }

void GameScreens::DeleteScreens() {
  for (GameScreen** screen : {&mBoard, &mCircus, &mTrophyRoom, &mFlavorContest, &mStore, &mMainMenu, &mMap,
                              &mBestSellersScreen, &mHotel, &mTheEndMap}) {
    delete *screen;
    *screen = nullptr;
  }
  delete mSplash;
  mSplash = nullptr;
  // Left in place when the program ends while loading.
  delete mLoader;
  mLoader = nullptr;
}

void GameScreens::Leave(GameScreen*& leaving, Particles particles) {
  if (particles == Particles::kClear) ClearParticles();
  leaving = nullptr;
}

void GameScreens::Show(GameScreen*& slot, GameScreen* screen, Save save) {
  slot = screen;
  if (screen) {
    screen->Resize(0, 0, mHost->GetWidth(), mHost->GetHeight());
    WidgetManager* widgets = mHost->GetWidgetManager();
    widgets->AddWidget(screen);
    widgets->SetFocus(screen);
  }
  // Whatever the screen left behind was earned, bought or chosen: the file
  // holds it from this change on, not only from the next day's end.
  if (save == Save::kYes) mHost->SaveProfiles();
  ++mScreenChanges;
}

void GameScreens::ShowSplash() {
  mSplash = new Splash(*this);
  mSplash->Resize(0, 0, mHost->GetWidth(), mHost->GetHeight());
  mHost->GetWidgetManager()->AddWidget(mSplash);
}

void GameScreens::SplashToLoader() {
  WidgetManager* widgets = mHost->GetWidgetManager();
  if (mSplash) {
    widgets->RemoveWidget(mSplash);
    mHost->QueueWidgetDelete(mSplash);
    mSplash = nullptr;
  }
  mLoader = new Loader(*this);
  mLoader->Resize(0, 0, mHost->GetWidth(), mHost->GetHeight());
  widgets->AddWidget(mLoader);
  widgets->SetFocus(mLoader);
  mHost->StartLoadingThread();
}

void GameScreens::LoaderToMainMenu() {
  if (mLoader) {
    mHost->GetWidgetManager()->RemoveWidget(mLoader);
    mHost->QueueWidgetDelete(mLoader);
    mLoader = nullptr;
  }
  // Nothing was played yet: the file holds what was read.
  Show(mMainMenu, mFactory->CreateMainMenu(), Save::kNo);
}

void GameScreens::MainMenuToMap() {
  Leave(mMainMenu, Particles::kKeep);
  Show(mMap, mFactory->CreateMap(1, 0, -4));
}

void GameScreens::MainMenuToBoard(int mode) {
  Leave(mMainMenu, Particles::kKeep);
  Show(mBoard, mFactory->CreateBoard(mode, -1));
}

void GameScreens::MainMenuToBestSellers() {
  Leave(mMainMenu, Particles::kKeep);
  Show(mBestSellersScreen, mFactory->CreateBestSellers(0, 0, 0, 0));
}

void GameScreens::MapToMainMenu() {
  Leave(mMap, Particles::kClear);
  Show(mMainMenu, mFactory->CreateMainMenu());
}

void GameScreens::MapToStore() {
  Leave(mMap, Particles::kClear);
  Show(mStore, mFactory->CreateStore());
}

void GameScreens::MapToCircus() {
  Leave(mMap, Particles::kClear);
  Show(mCircus, mFactory->CreateCircus());
}

void GameScreens::MapToTrophyRoom() {
  Leave(mMap, Particles::kClear);
  Show(mTrophyRoom, mFactory->CreateTrophyRoom());
}

void GameScreens::MapToHotel() {
  Leave(mMap, Particles::kClear);
  Show(mHotel, mFactory->CreateHotel(65));
}

void GameScreens::RestartStory() {
  Leave(mMap, Particles::kClear);
  if (PlayerProfile* profile = mHost->GetCurrentProfile()) profile->ResetStory();
  Show(mMap, mFactory->CreateMap(0, 0, -1));
}

void GameScreens::HotelToBoard() {
  Leave(mHotel, Particles::kKeep);
  Show(mBoard, mFactory->CreateBoard(0, -1));
}

void GameScreens::HotelToTheEndMap() {
  Leave(mHotel, Particles::kKeep);
  Show(mTheEndMap, mFactory->CreateTheEndMap());
}

void GameScreens::StoreToMap() {
  Leave(mStore, Particles::kKeep);
  Show(mMap, mFactory->CreateMap(0, 0, -2));
}

void GameScreens::MapToBoard(int day) {
  Leave(mMap, Particles::kClear);
  Show(mBoard, mFactory->CreateBoard(0, day < 0 ? -1 : day));
}

void GameScreens::CircusToMap() {
  Leave(mCircus, Particles::kKeep);
  Show(mMap, mFactory->CreateMap(0, 0, -3));
}

void GameScreens::TrophyRoomToMap() {
  Leave(mTrophyRoom, Particles::kKeep);
  Show(mMap, mFactory->CreateMap(0, 0, -1));
}

void GameScreens::BoardToMap(int flag, int day, bool animate) {
  Leave(mBoard, Particles::kClear);
  GameScreen* map = mFactory->CreateMap(0, flag, day);
  if (animate) map->StartProgressAnimation();
  Show(mMap, map);
}

void GameScreens::BoardToMainMenu() {
  Leave(mBoard, Particles::kClear);
  Show(mMainMenu, mFactory->CreateMainMenu());
}

void GameScreens::BoardToFlavorContest() {
  Leave(mBoard, Particles::kClear);
  Show(mFlavorContest, mFactory->CreateFlavorContest());
}

void GameScreens::BoardToHotel() {
  Leave(mBoard, Particles::kClear);
  Show(mHotel, mFactory->CreateHotel(0));
}

void GameScreens::BoardToBestSellers(int kind, int score, int stars, int time) {
  Leave(mBoard, Particles::kClear);
  Show(mBestSellersScreen, mFactory->CreateBestSellers(kind, score, stars, time));
}

void GameScreens::BestSellersToMap() {
  Leave(mBestSellersScreen, Particles::kKeep);
  Show(mMap, mFactory->CreateMap(0, 0, -1));
}

void GameScreens::BestSellersToBoard(int mode) {
  Leave(mBestSellersScreen, Particles::kKeep);
  Show(mBoard, mFactory->CreateBoard(mode, -1));
}

void GameScreens::BestSellersToMainMenu() {
  Leave(mBestSellersScreen, Particles::kKeep);
  Show(mMainMenu, mFactory->CreateMainMenu());
}

void GameScreens::FlavorContestToMap() {
  Leave(mFlavorContest, Particles::kKeep);
  GameScreen* map = mFactory->CreateMap(0, 0, -1);
  map->StartProgressAnimation();
  Show(mMap, map);
}

void GameScreens::TheEndMapToBestSellers() {
  Leave(mTheEndMap, Particles::kClear);
  PlayerProfile* profile = mHost->GetCurrentProfile();
  const int score = profile ? profile->GetTotalScore() : 0;
  const int stars = profile ? profile->GetReputationStars() : 0;
  Show(mBestSellersScreen, mFactory->CreateBestSellers(5, score, stars, 0));
}

void GameScreens::StartFadeOut(int result, int r, int g, int b, int a, int delay, int step) {
  mFade.StartFadeOut(result, r, g, b, a, delay, step, mHost->IsHardwareDrawing());
  mHost->SetCursor(0);
}

void GameScreens::DrawFade(Graphics* g) { mFade.DrawFade(*g, mHost->GetWidth(), mHost->GetHeight()); }

void GameScreens::ResumeMainMenu() {
  if (!mMainMenu) return;
  mHost->GetWidgetManager()->SetFocus(mMainMenu);
  mMainMenu->Resume();
}

void GameScreens::ResumeBoard() {
  if (!mBoard) return;
  mHost->GetWidgetManager()->SetFocus(mBoard);
  mBoard->Resume();
}

GameScreen* GameScreens::FirstScreen() {
  for (GameScreen* screen : {mBoard, mHotel, mMainMenu, mBestSellersScreen, mMap, mCircus, mTrophyRoom, mStore,
                             mTheEndMap, mFlavorContest})
    if (screen) return screen;
  return nullptr;
}

void GameScreens::PauseCurrentScreen() {
  if (GameScreen* screen = FirstScreen()) screen->Pause();
}

void GameScreens::ResumeCurrentScreen() {
  if (GameScreen* screen = FirstScreen()) screen->Resume();
}

void GameScreens::RemoveScreens() {
  WidgetManager* widgets = mHost->GetWidgetManager();
  for (Widget* screen : {static_cast<Widget*>(mBoard), static_cast<Widget*>(mCircus),
                         static_cast<Widget*>(mTrophyRoom), static_cast<Widget*>(mFlavorContest),
                         static_cast<Widget*>(mStore), static_cast<Widget*>(mMainMenu), static_cast<Widget*>(mMap),
                         static_cast<Widget*>(mBestSellersScreen), static_cast<Widget*>(mHotel),
                         static_cast<Widget*>(mTheEndMap), static_cast<Widget*>(mSplash),
                         static_cast<Widget*>(mLoader)})
    if (screen) widgets->RemoveWidget(screen);
}

int GameScreens::UpdateFade() {
  // Whether the covered frame was drawn depends on the drawing's pace,
  // which a demo's playback does not repeat: it is recorded.
  if (mFade.WaitsForCoveredFrame()) {
    bool drawn = mFade.IsCoveredFrameDrawn();
    mHost->SyncWithDemo(drawn);
    mFade.SetCoveredFrameDrawn(drawn);
  }
  return mFade.UpdateFade();
}

}  // namespace Plix
