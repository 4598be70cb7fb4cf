#pragma once
// One screen at a time: the screen pointers, the moves from one screen to
// the next (each switcher the leaving screen calls after it has removed
// itself from the widget manager and queued itself for deletion), the fade
// that covers the change, the focus pause of the current screen and the
// application-wide particle list. GameApp derives from it; tests drive it
// with a fake host.
#include <memory>
#include <string>

#include "game/app/Fade.h"
#include "game/app/GameScreen.h"
#include "game/app/Particle.h"

namespace Plix {

class Graphics;
class Image;
class Loader;
class PlayerProfile;
class ResourceManager;
class Splash;
class WidgetManager;

// What screen switching needs of the application object.
class ScreenHost {
public:
  virtual ~ScreenHost() = default;
  virtual WidgetManager* GetWidgetManager() = 0;
  virtual ResourceManager* GetResourceManager() = 0;
  // Deletes the widget after the current step of the main loop.
  virtual void QueueWidgetDelete(Widget* widget) = 0;
  // Once; later calls do nothing.
  virtual void StartLoadingThread() = 0;
  // 0 before loading starts, loaded / total meanwhile, 1 once it is over.
  virtual double GetLoadingProgress() = 0;
  virtual bool IsWindowed() = 0;
  // The display draws with 3D acceleration.
  virtual bool IsHardwareDrawing() = 0;
  virtual void SetCursor(int cursor) = 0;
  // An image by file name without extension; null when there is none. The
  // caller owns it.
  virtual Image* LoadImage(const std::string& name) = 0;
  virtual bool SaveProfiles() = 0;
  virtual PlayerProfile* GetCurrentProfile() = 0;
  // Asks the main loop to shut the program down.
  virtual void RequestQuit() = 0;
  // A value the updates take from outside them (from when frames were
  // drawn): a recorded demo keeps it and its playback takes it back, so
  // that a playback drawing at another pace plays the same.
  virtual void SyncWithDemo(bool& value) {}
  virtual int GetWidth() { return 800; }
  virtual int GetHeight() { return 600; }
};

class GameScreens {
public:
  explicit GameScreens(ScreenHost& host);
  virtual ~GameScreens();
  GameScreens(const GameScreens&) = delete;
  GameScreens& operator=(const GameScreens&) = delete;

  ScreenHost& GetScreenHost() { return *mHost; }
  // Null: no screen is made until a factory is installed.
  void SetScreenFactory(ScreenFactory* factory);
  ScreenFactory& GetScreenFactory() { return *mFactory; }
  // Counts the changes from one screen to another, for checks made after
  // each of them.
  int GetScreenChangeCount() const { return mScreenChanges; }

  // The splash screen, once initialisation is over; not focused.
  void ShowSplash();
  // The switchers.
  void SplashToLoader();
  void MainMenuToMap();
  void MainMenuToBoard(int mode);
  void MainMenuToBestSellers();
  void MapToMainMenu();
  void MapToStore();
  void MapToCircus();
  void MapToTrophyRoom();
  void MapToHotel();
  void RestartStory();
  void HotelToBoard();
  void HotelToTheEndMap();
  void StoreToMap();
  void MapToBoard(int day);
  void CircusToMap();
  void TrophyRoomToMap();
  void BoardToMap(int flag, int day, bool animate);
  void BoardToMainMenu();
  void BoardToFlavorContest();
  void BoardToHotel();
  void BoardToBestSellers(int kind, int score, int stars, int time);
  void BestSellersToMap();
  void BestSellersToBoard(int mode);
  void BestSellersToMainMenu();
  void FlavorContestToMap();
  void TheEndMapToBestSellers();
  // The end of loading: the loader goes, the main menu comes.
  void LoaderToMainMenu();

  // The fade (see Fade); a fade-out also sets the pointer cursor.
  void StartFadeIn() { mFade.StartFadeIn(); }
  void StartFadeOut(int result, int r, int g, int b, int a, int delay, int step);
  int UpdateFade();
  void DrawFade(Graphics* g);
  int GetFadeState() const { return mFade.GetFadeState(); }

  // Focus back to the main menu or the board after a dialog.
  void ResumeMainMenu();
  void ResumeBoard();
  // Focus loss and gain: the first screen that exists, in a fixed order
  // (board, hotel, main menu, best sellers, map, circus, trophy room,
  // store, end map, flavour contest), pauses or resumes.
  void PauseCurrentScreen();
  void ResumeCurrentScreen();
  // Shut-down: every screen leaves the widget manager; the pointers stay.
  void RemoveScreens();
  // Deletes the screens the pointers still name and clears them.
  void DeleteScreens();

  // The particle list owns its particles; newest first.
  void AddParticle(Particle* particle) { mParticles.AddParticle(particle); }
  void UpdateParticles() { mParticles.UpdateParticles(); }
  void DrawParticles(Graphics* g) { mParticles.DrawParticles(*g); }
  void ClearParticles() { mParticles.ClearParticles(); }
  int GetParticleCount() const { return mParticles.GetCount(); }

  // At most one of these is set; the widget tree holds the screen while it
  // is in it.
  GameScreen* mBoard = nullptr;
  GameScreen* mCircus = nullptr;
  GameScreen* mTrophyRoom = nullptr;
  GameScreen* mFlavorContest = nullptr;
  GameScreen* mStore = nullptr;
  GameScreen* mMainMenu = nullptr;
  GameScreen* mMap = nullptr;
  GameScreen* mBestSellersScreen = nullptr;
  GameScreen* mHotel = nullptr;
  GameScreen* mTheEndMap = nullptr;
  Splash* mSplash = nullptr;
  Loader* mLoader = nullptr;

protected:
  // For an application that sets its host once its own members exist.
  GameScreens();
  void SetScreenHost(ScreenHost& host) { mHost = &host; }

private:
  enum class Particles { kKeep, kClear };
  // The first common steps once the leaving screen is gone: the particles
  // when the move says so, then its pointer.
  void Leave(GameScreen*& leaving, Particles particles);
  enum class Save { kNo, kYes };
  // The new screen over the window, in the tree, focused; then the players'
  // file is written.
  void Show(GameScreen*& slot, GameScreen* screen, Save save = Save::kYes);
  GameScreen* FirstScreen();

  int mScreenChanges = 0;
  ScreenHost* mHost = nullptr;
  ScreenFactory* mFactory;
  ParticleList mParticles;
  Fade mFade;
};

}  // namespace Plix
