#include "game/app/GameApp.h"

#include "framework/graphics/DDImage.h"
#include "framework/platform/DebugOutput.h"
#include "framework/resources/ResourceManager.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/Utilities.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/ResourceBinding.h"

namespace Plix {

namespace {
GameApp* gGameApp = nullptr;
}  // namespace

GameApp* GetGameApp() { return gGameApp; }

// The application as the screens, the shared game pieces and the profile
// manager see it.
class GameApp::Sides : public ScreenHost, public GameHost, public ProfileHost {
public:
  explicit Sides(GameApp& app) : mApp(app) {}

  // ScreenHost
  WidgetManager* GetWidgetManager() override { return mApp.mAppWidgets; }
  ResourceManager* GetResourceManager() override { return mApp.mAppResources; }
  void QueueWidgetDelete(Widget* widget) override { mApp.QueueWidgetDelete(widget); }
  void StartLoadingThread() override { mApp.StartLoadingThread(); }
  double GetLoadingProgress() override { return mApp.GetLoadingProgress(); }
  bool IsWindowed() override { return mApp.mWindowedMode; }
  bool IsHardwareDrawing() override { return mApp.IsHardwareDrawing(); }
  void SetCursor(int cursor) override { mApp.SetCursor(cursor); }
  Image* LoadImage(const std::string& name) override { return mApp.LoadImage(name); }
  bool SaveProfiles() override { return mApp.SaveProfiles(); }
  PlayerProfile* GetCurrentProfile() override { return mApp.GetCurrentProfile(); }
  void RequestQuit() override { mApp.mShutdownAsked = true; }
  void SyncWithDemo(bool& value) override { mApp.SyncBoolWithDemo(value); }
  int GetWidth() override { return mApp.mScreenWidth; }
  int GetHeight() override { return mApp.mScreenHeight; }

  // GameHost
  void PlaySound(int soundId) override { mApp.PlaySound(soundId); }
  void AddParticle(Particle* particle) override { mApp.AddParticle(particle); }

  // ProfileHost
  void PrepareDayFromProfile(PlayerProfile& profile) override {
    mApp.GetScreenFactory().PrepareDayFromProfile(profile);
  }
  void UpdateNewItemFlags(PlayerProfile& profile) override { mApp.GetScreenFactory().UpdateNewItemFlags(profile); }
  // Through the application's file operations, which a demo records.
  bool ProfileFileExists(const std::string& path) override { return mApp.FileExists(path); }
  bool ReadProfileFile(const std::string& path, Buffer& buffer) override {
    if (!mApp.ReadBufferFromFile(path, buffer)) return false;
    Remember(path, buffer);
    return true;
  }
  bool WriteProfileFile(const std::string& path, const Buffer& buffer, std::string* error) override {
    if (!mApp.WriteBufferToFile(path, buffer, error)) return false;
    Remember(path, buffer);
    return true;
  }

private:
  // The players' file itself, not a copy kept aside.
  void Remember(const std::string& path, const Buffer& buffer) {
    if (path != mApp.mProfiles.GetProfilePath()) return;
    const uint8_t* data = buffer.GetDataPtr();
    mApp.mProfileFileBytes.assign(data, data + buffer.GetDataLen());
  }

  GameApp& mApp;
};

GameApp::GameApp() : mSides(std::make_unique<Sides>(*this)), mProfiles(mSides.get()) {
  SetScreenHost(*mSides);
  gGameApp = this;
  SetGameHost(mSides.get());

  // Whatever frees a group, no IMAGE_, SOUND_ or FONT_ handle is left
  // pointing into it; nor into any, once the manager goes with the program.
  if (mAppResources) mAppResources->SetGroupFreedHandler(ClearFreedGroupHandles);

  mCompanyWord = "VARNOK";
  mProductTitle = "Zovad Uda Vodiz";
  mWindowTitle = StringToWString(mProductTitle);
  mProductVersion = "1.03";
  mRegKeyPath = "VARNOK\\Zovad Uda Vodiz";

  mMusicVolume = 0.5;
  mSfxVolume = 0.8;
  mScreenWidth = 800;
  mScreenHeight = 600;
  mWindowedMode = false;
  mDebugKeysEnabled = false;
  // The splash starts the loading thread when it ends.
  mLoaderStartsWithLoop = false;
  mPaceByRefresh = true;
  mUse3DWhenRecommended = true;
}

GameApp::~GameApp() {
  ClearParticles();
  DeleteScreens();
  InfoBalloon::DeleteSharedButtons();
  if (mMusicOutput) mMusicOutput->UnloadMusic(1);
  SetGameHost(nullptr);
  if (gGameApp == this) gGameApp = nullptr;
}

// ------------------------------------------------------------------ start-up

bool GameApp::LoadLevels(const std::string& path) { return mLevels.LoadLevels(path); }

int GameApp::GetScoopPrice(int item) const {
  const int level = mBoard ? mBoard->GetLevelIndex() : -1;
  // Only asked while a day is played; without one no flavour is new.
  if (level < 0 || level >= mLevels.GetLevelCount()) return 2;
  return mLevels.GetScoopPrice(item, level);
}

bool GameApp::LoadAndBindGroup(const std::string& group, bool exitOnError) {
  if (mAppResources->LoadResources(group) && BindResources(mAppResources, GetGroupBindings(group))) return true;
  mShutdownAsked = true;
  ReportResourceError(exitOnError);
  return false;
}

void GameApp::FinishInit() {
  // The levels come first: the profiles derive each level's default top
  // score from them.
  // The game plays every one of its 50 days: a table cut short or with a
  // block missing is refused here, not found out on the day it fails.
  if (!LoadLevels() || !mLevels.CheckComplete()) {
    TellPlayer(mLevels.GetError());
    mShutdownAsked = true;
    mExitCode = 1;
    ShowFatalError(std::string(kCouldNotLoadLevels) + "\n\n" + mLevels.GetError() +
                   (mArchiveError.empty() ? "" : "\n" + mArchiveError));
    return;
  }
  LoadProfiles();
  mProfilesLoaded = true;
  // The manager has written the details to the debug output already.
  if (!mProfiles.GetNotice().empty()) ShowMessageBox(mProfiles.GetNotice(), mProductTitle, MB_OK | MB_ICONWARNING);
  LoadResourceManifest();
  if (!LoadAndBindGroup("First", true) || !LoadAndBindGroup("Loading", true)) return;

  SetCustomCursor(0, IMAGE_MOUSE_POINTER);
  SetCustomCursor(1, IMAGE_MOUSE_HAND);
  SetCustomCursor(2, IMAGE_MOUSE_HAND);
  SetCustomCursor(3, IMAGE_MOUSE_POINTER);

  ShowSplash();
  mResourcesToLoad =
      mAppResources->CountGroupResources("MainMenu") + mAppResources->CountGroupResources("Permanent");
}

// ----------------------------------------------------------- loading thread

bool GameApp::LoadGroupCounting(const std::string& group) {
  mAppResources->BeginGroupLoad(group);
  while (mAppResources->LoadOneMoreResource()) {
    ++mResourcesLoaded;  // the loader's own update reads it
    if (mShuttingDown) return false;
  }
  return true;
}

bool GameApp::BindLoadedGroup(const std::string& group) {
  if (!mAppResources->HasError() && BindResources(mAppResources, GetGroupBindings(group))) return true;
  ReportResourceError(false);
  mShutdownAsked = true;
  return false;
}

void GameApp::LoadOnThread() {
  if (!LoadGroupCounting("Permanent") || !BindLoadedGroup("Permanent")) return;
  if (mAppSounds) mAppSounds->SetBaseVolume(SOUND_CUSTOMER_SERVED, 0.75);
  // The music interface guards its song table with its own lock: the main
  // loop updates the music meanwhile.
  LoadSong(ChooseSong());
  if (!LoadGroupCounting("MainMenu")) return;
  BindLoadedGroup("MainMenu");
}

int GameApp::ChooseSong() {
  PlayerProfile* profile = GetCurrentProfile();
  if (!profile) return 1;
  switch (profile->GetSongIndex()) {
    case 0: return 1;
    case 2: return 2;
    case 3: return 3;
    default: return 4;
  }
}

void GameApp::LoadSong(int song) {
  if (mCurrentSong == song) {
    OutputDebugStringA("song already loaded\n");
    return;
  }
  if (!mMusicOutput) return;
  if (mCurrentSong != 0) mMusicOutput->UnloadMusic(1);
  mCurrentSong = song;
  const char* file = song == 1   ? "data/song1.ogg"
                     : song == 2 ? "data/song2.ogg"
                     : song == 3 ? "data/song3.ogg"
                                 : "data/song4.ogg";
  mMusicOutput->LoadMusic(1, file);
}

void GameApp::OnLoadingDone() {
  if (mShutdownAsked) return;
  InfoBalloon::CreateSharedButtons();
  LoaderToMainMenu();
}

// ----------------------------------------------------------------- shut-down

void GameApp::OnShutdown() {
  RemoveScreens();
  // Without the level table the players were never read: writing the empty
  // slots would wipe the stored ones.
  if (mProfilesLoaded) SaveProfiles();
}

std::string GameApp::UnsavedProfileChange() const {
  if (mProfileFileBytes.empty()) return {};
  Buffer file;
  file.SetData(mProfileFileBytes.data(), static_cast<int>(mProfileFileBytes.size()));
  return mProfiles.DescribeDifference(file);
}

bool GameApp::SaveProfiles() {
  if (mProfiles.SaveProfiles()) return true;
  // The exit code says so; the player is told the first time, on screen
  // when there is one, and plays on.
  if (mExitCode == 0) mExitCode = 1;
  if (mSaveFailureTold) return false;
  mSaveFailureTold = true;
  const std::string why = mProfiles.GetError();
  TellPlayer("The players could not be saved: " + why);
  if (!mShuttingDown)
    GetScreenFactory().ShowWarning(StringToWString("Your progress could not be saved.\n\n" + why));
  return false;
}

// ------------------------------------------------------- focus and display

void GameApp::LostFocus() { PauseCurrentScreen(); }

void GameApp::GotFocus() { ResumeCurrentScreen(); }

void GameApp::ChangeScreenMode(bool windowed, bool is3D, bool force) {
  PlixAppBase::ChangeScreenMode(windowed, is3D, force);
  if (mBoard) mBoard->UpdateBackImageSurface();
}

void GameApp::ChangeScreenModeTo(bool windowed) {
  PlixAppBase::ChangeScreenModeTo(windowed);
  if (mBoard) mBoard->UpdateBackImageSurface();
}

void GameApp::ReapplyScreenMode() {
  PlixAppBase::ReapplyScreenMode();
  if (mBoard) mBoard->UpdateBackImageSurface();
}

// ----------------------------------------------------- the player dialogs

void GameApp::ContinueAfterNewPlayer(int index) {
  if (!mMainMenu) return;
  mAppWidgets->SetFocus(mMainMenu);
  mMainMenu->Resume();
  mMainMenu->ContinueWithPlayer(index);
}

void GameApp::SelectPlayerInDialog(int index) {
  if (mMainMenu) mMainMenu->SelectPlayerInDialog(index);
}

void GameApp::DeleteSelectedPlayer(bool confirmed) {
  if (mMainMenu) mMainMenu->DeleteSelectedPlayer(confirmed);
}

}  // namespace Plix
