// The game's application object on the fake platform: its identity and
// defaults, the start-up without a level table, the way from start-up to the
// main menu with the built data, the profile file written at the end and
// read at the next start, and the hooks that pass focus and display changes
// on to the screens.
#include "game/app/GameApp.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/platform/Files.h"
#include "framework/resources/ResourceManager.h"
#include "framework/sound/MusicInterface.h"
#include "framework/util/Utilities.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/LevelTable.h"
#include "game/app/Loader.h"
#include "tests/game/ScreenTestSupport.h"
#include "game/app/ProfileManager.h"
#include "game/app/Splash.h"
#include "tests/app/AppTestSupport.h"
#include "tests/game/ScreenTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

class TestGame : public GameApp {
public:
  TestGame() { mSoundWithoutWindow = true; }
  bool HandleChangeDir(const std::string&) override { return true; }
};

class GameAppTest : public Testing::AppFixture {
protected:
  TestGame& Game() { return static_cast<TestGame&>(*mApp); }
  // Loop steps until the condition holds; false after a minute of real time.
  template <class Condition>
  bool StepUntil(Condition done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end || !mApp->MainLoopStep(nullptr)) return false;
    }
    return true;
  }
  std::string ProfilePath() { return GetAppDataFolder() + "profdatavx.bin"; }
  // The same before start-up has set the application-data folder.
  std::string StoredPath() { return Fs::UserDataFolder("VARNOK", "Zovad Uda Vodiz") + "profdatavx.bin"; }

  // Debug output lines holding `part`.
  int Count(const std::string& part) const {
    int n = 0;
    for (const std::string& line : DebugLines()) n += line.find(part) != std::string::npos ? 1 : 0;
    return n;
  }

  Testing::OfflineAudio mAudio;
};

TEST_F(GameAppTest, IdentityAndDefaults) {
  TestGame& g = Make<TestGame>();
  EXPECT_EQ(g.mCompanyWord, "VARNOK");
  EXPECT_EQ(g.mProductTitle, "Zovad Uda Vodiz");
  EXPECT_EQ(g.mWindowTitle, L"Zovad Uda Vodiz");
  EXPECT_EQ(g.mProductVersion, "1.03");
  EXPECT_EQ(g.mRegKeyPath, "VARNOK\\Zovad Uda Vodiz");
  EXPECT_EQ(g.mMusicVolume, 0.5);
  EXPECT_EQ(g.mSfxVolume, 0.8);
  EXPECT_EQ(g.mScreenWidth, 800);
  EXPECT_EQ(g.mScreenHeight, 600);
  EXPECT_FALSE(g.mWindowedMode);
  EXPECT_FALSE(g.mDebugKeysEnabled);
  EXPECT_FALSE(g.mLoaderStartsWithLoop);
  EXPECT_TRUE(g.mPaceByRefresh);
  EXPECT_TRUE(g.mUse3DWhenRecommended);
  EXPECT_EQ(g.GetFadeState(), 0);
  EXPECT_EQ(g.GetCurrentSong(), 0);
  EXPECT_TRUE(g.GetProfiles().GetOptionByte());
  EXPECT_EQ(GetGameApp(), &g);
}

// A table with its last day cut off is refused at start-up, naming the
// file and the line, and the program ends with code 1.
TEST_F(GameAppTest, ALevelTableCutShortIsRefusedAtStartUp) {
  const std::string shipped = Testing::ReadFile(Testing::SourceDir() + "/data/levels.txt");
  const std::string cut = shipped.substr(0, shipped.find("LEVEL 50\n"));
  Testing::ScopedCwd cwd(mDir.Path());
  std::filesystem::create_directories("data");
  Testing::WriteFile("data/levels.txt", cut);
  TestGame& g = Make<TestGame>();
  ASSERT_EQ(InitApp(), -1);
  EXPECT_TRUE(g.mShutdownAsked);
  ASSERT_EQ(mBackend.mBoxes.size(), 1u);
  const std::string box = WStringToString(mBackend.mBoxes[0].text);
  const std::string line = std::to_string(1 + std::count(cut.begin(), cut.end(), '\n'));
  EXPECT_EQ(box.rfind("Could not load levels!", 0), 0u) << box;
  EXPECT_NE(box.find("data/levels.txt:" + line + ": the table ends after 49 levels; the game needs 50"),
            std::string::npos)
      << box;
  g.Start();
  EXPECT_EQ(g.mExitCode, 1);
}

TEST_F(GameAppTest, WithoutALevelTableItSaysSoAndQuitsKeepingTheStoredPlayers) {
  TestGame& g = Make<TestGame>();
  ASSERT_EQ(InitApp(), -1);
  // A player's file from an earlier run.
  const std::string stored = "precious progress";
  std::filesystem::create_directories(Fs::NativePath(GetAppDataFolder()));
  ASSERT_TRUE(Fs::WriteFileAtomic(ProfilePath(), stored.data(), stored.size()));

  EXPECT_TRUE(g.mShutdownAsked);
  ASSERT_EQ(mBackend.mBoxes.size(), 1u);
  EXPECT_EQ(mBackend.mBoxes[0].text.rfind(L"Could not load levels!", 0), 0u) << WStringToString(mBackend.mBoxes[0].text);
  EXPECT_NE(mBackend.mBoxes[0].text.find(L"data/levels.txt"), std::wstring::npos);  // names the file
  EXPECT_FALSE(g.mAppResources->IsGroupReady("First"));
  EXPECT_EQ(g.mSplash, nullptr);

  g.Start();  // the main loop ends the program in the ordinary way
  EXPECT_TRUE(g.mShuttingDown);
  EXPECT_EQ(g.mExitCode, 1);  // but a launcher can tell
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(Fs::ReadWholeFile(ProfilePath(), bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), stored);
}

// From start-up to the main menu with the data the build made, then the
// players saved at the end and read back at the next start.
TEST_F(GameAppTest, StartsUpToTheMainMenuAndKeepsThePlayersAcrossRuns) {
  Testing::ScopedCwd run(Testing::BinaryDir() + "/run");
  std::vector<std::string> screens;
  Testing::RecordingFactory factory(screens);
  {
    TestGame& g = Make<TestGame>();
    g.SetScreenFactory(&factory);
    ASSERT_EQ(InitApp(), -1);
    ASSERT_FALSE(g.mShutdownAsked);
    EXPECT_TRUE(g.mAppResources->IsGroupReady("First"));
    EXPECT_TRUE(g.mAppResources->IsGroupReady("Loading"));
    ASSERT_NE(g.mSplash, nullptr);
    EXPECT_EQ(g.mSplash->GetLogoCount(), 2);
    EXPECT_EQ(g.mResourcesToLoad,
              g.mAppResources->CountGroupResources("Permanent") + g.mAppResources->CountGroupResources("MainMenu"));
    EXPECT_EQ(g.GetLevelCount(), 50);

    g.SplashToLoader();  // the logos' timing is tested on its own
    Loader* loader = g.mLoader;
    ASSERT_NE(loader, nullptr);
    ASSERT_TRUE(StepUntil([&] { return g.mMainMenu != nullptr; }));
    EXPECT_EQ(g.mLoader, nullptr);
    EXPECT_EQ(g.mResourcesLoaded.load(), g.mResourcesToLoad.load());
    EXPECT_EQ(g.GetLoadingProgress(), 1.0);
    EXPECT_EQ(g.mAppWidgets->mFocusWidget, g.mMainMenu);
    EXPECT_EQ(g.GetCurrentSong(), 1);
    ASSERT_FALSE(screens.empty());
    EXPECT_EQ(screens.front(), "create MainMenu()");
    StepUntil([&] { return !g.mAppResources->IsGroupReady("Loading"); });  // freed with the loader
    EXPECT_FALSE(g.mAppResources->IsGroupReady("Loading"));

    const int pemi = g.CreateProfile(L"Pemi");
    const int ana = g.CreateProfile(L"Ana");
    g.SetCurrentProfile(ana);
    EXPECT_EQ(pemi, 0);
    g.Shutdown();
    EXPECT_FALSE(g.mAppWidgets->HasWidget(g.mMainMenu));
    EXPECT_TRUE(Fs::IsFile(ProfilePath()));
  }
  mApp.reset();
  {
    TestGame& g = Make<TestGame>();
    ASSERT_EQ(InitApp(), -1);
    EXPECT_EQ(g.GetCurrentProfileIndex(), 1);
    EXPECT_EQ(g.GetCurrentProfile()->GetName(), L"Ana");
    EXPECT_EQ(g.GetProfile(0)->GetName(), L"Pemi");
    g.Shutdown();
  }
}

// A profile path taken by a folder: start-up goes on, the player is told,
// and shut-down leaves the folder as it is.
TEST_F(GameAppTest, AProfileFolderIsToldAboutAndLeftAsItIs) {
  Testing::ScopedCwd run(Testing::BinaryDir() + "/run");
  std::filesystem::create_directories(Fs::NativePath(StoredPath()) + "/inner");
  TestGame& g = Make<TestGame>();
  ASSERT_EQ(InitApp(), -1);
  ASSERT_FALSE(g.mShutdownAsked);
  ASSERT_EQ(mBackend.mBoxes.size(), 1u);
  EXPECT_EQ(mBackend.mBoxes[0].text,
            L"The players' file " + StringToWString(StoredPath()) + L" could not be read; it is left as it is.");
  EXPECT_TRUE(g.GetProfile(0)->GetName().empty());
  g.CreateProfile(L"Pemi");
  g.Shutdown();
  EXPECT_TRUE(Fs::IsDirectory(StoredPath() + "/inner"));
  // Each warning once, not again by the application.
  EXPECT_EQ(Count("cannot read " + StoredPath()), 1);
  EXPECT_EQ(Count("cannot save the players"), 1);
}

// One corrupt length field: the file is kept aside, the player is told in
// one line, and the players that could be read whole are saved again.
TEST_F(GameAppTest, ADamagedProfileFileIsKeptAsideAndTheRestSaved) {
  Testing::ScopedCwd run(Testing::BinaryDir() + "/run");
  std::string damaged;
  {
    ProfileManager first;
    first.SetFolder(Fs::UserDataFolder("VARNOK", "Zovad Uda Vodiz"));
    LevelTable none;
    first.LoadProfiles(none);
    first.CreateProfile(L"Pemi");
    first.CreateProfile(L"Ana");
    ASSERT_TRUE(first.SaveProfiles()) << first.GetError();
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Fs::ReadWholeFile(StoredPath(), bytes));
    damaged.assign(bytes.begin(), bytes.end());
    damaged[4 + 2 + 4 + 784] = '\x7f';  // Ana's name length: beyond the limit
    ASSERT_TRUE(Fs::WriteFileAtomic(StoredPath(), damaged.data(), damaged.size()));
  }
  TestGame& g = Make<TestGame>();
  ASSERT_EQ(InitApp(), -1);
  ASSERT_EQ(mBackend.mBoxes.size(), 1u);
  EXPECT_EQ(mBackend.mBoxes[0].text, L"The players' file is damaged (player 2's name length is past the limit); it is kept as " +
                                         StringToWString(StoredPath()) + L".broken.");
  EXPECT_EQ(g.GetProfile(0)->GetName(), L"Pemi");
  EXPECT_TRUE(g.GetProfile(1)->GetName().empty());
  EXPECT_EQ(Count("is damaged"), 1);
  g.Shutdown();
  std::vector<uint8_t> aside, saved;
  ASSERT_TRUE(Fs::ReadWholeFile(StoredPath() + ".broken", aside));
  EXPECT_EQ(std::string(aside.begin(), aside.end()), damaged);
  ASSERT_TRUE(Fs::ReadWholeFile(StoredPath(), saved));
  EXPECT_NE(std::string(saved.begin(), saved.end()), damaged);
  mApp.reset();
  mBackend.mBoxes.clear();
  TestGame& again = Make<TestGame>();
  ASSERT_EQ(InitApp(), -1);
  EXPECT_TRUE(mBackend.mBoxes.empty());
  EXPECT_EQ(again.GetProfile(0)->GetName(), L"Pemi");
  again.Shutdown();
}

TEST_F(GameAppTest, ShutDownWhileLoadingTakesTheLoaderAwayAndStillSavesThePlayers) {
  Testing::ScopedCwd run(Testing::BinaryDir() + "/run");
  TestGame& g = Make<TestGame>();
  ASSERT_EQ(InitApp(), -1);
  g.SplashToLoader();
  Loader* loader = g.mLoader;
  g.Shutdown();
  EXPECT_FALSE(g.mAppWidgets->HasWidget(loader));
  EXPECT_TRUE(Fs::IsFile(ProfilePath()));
  g.WaitForLoadingThread();
  EXPECT_EQ(g.mMainMenu, nullptr);
}

TEST_F(GameAppTest, FocusAndDisplayChangesReachTheScreens) {
  TestGame& g = Make<TestGame>();
  ASSERT_EQ(InitApp(), -1);  // no level table here, but a display
  std::vector<std::string> log;
  Testing::RecordingScreen menu(log, "MainMenu"), board(log, "Board");
  g.LostFocus();  // no screen: nothing
  g.ChangeScreenModeTo(true);
  EXPECT_TRUE(log.empty());
  g.mMainMenu = &menu;
  g.LostFocus();
  g.GotFocus();
  g.mBoard = &board;  // a day in play comes first
  g.LostFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"pause MainMenu", "resume MainMenu", "pause Board"}));
  // The day's back image follows each change (the base's own operations may
  // call each other, so it may be refreshed more than once).
  for (auto change : {+[](GameApp& a) { a.ChangeScreenModeTo(false); }, +[](GameApp& a) { a.ReapplyScreenMode(); },
                      +[](GameApp& a) { a.ChangeScreenMode(true, false); }}) {
    log.clear();
    change(g);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "back image Board");
  }
  g.mMainMenu = nullptr;
  g.mBoard = nullptr;
}

// Scoop prices follow the day the board plays: a flavour the day does not
// offer yet costs 3, the others 2; without a day in play nothing is new.
TEST_F(GameAppTest, ScoopPriceFollowsTheBoardsDay) {
  struct DayBoard : GameScreen {
    int mLevel = 0;
    int GetLevelIndex() const override { return mLevel; }
  };
  TestGame& g = Make<TestGame>();
  Testing::TempDir dir;
  Testing::WriteFile(dir / "levels.txt", "L 1 v 1 1\nL 2 v 1 1 newf newf\n");  // one, then three flavours
  ASSERT_TRUE(g.LoadLevels(dir / "levels.txt"));
  DayBoard board;
  struct Case {
    int level, item, price;
  } cases[] = {{0, 13, 2}, {0, 14, 3}, {1, 15, 2}, {1, 16, 3}, {1, 18, 3}, {-1, 18, 2}, {7, 18, 2}};
  g.mBoard = &board;
  for (const Case& c : cases) {
    board.mLevel = c.level;
    EXPECT_EQ(g.GetScoopPrice(c.item), c.price) << c.level << " " << c.item;
  }
  g.mBoard = nullptr;
  EXPECT_EQ(g.GetScoopPrice(16), 2);
}

// The song of the current player's song index; loading the same song again
// reads nothing.
TEST_F(GameAppTest, SongChoiceAndLoading) {
  TestGame& g = Make<TestGame>();
  const std::pair<int, int> songs[] = {{0, 1}, {1, 4}, {2, 2}, {3, 3}, {4, 4}};
  for (auto [index, song] : songs) {
    while (g.GetCurrentProfile()->GetSongIndex() != index) g.GetCurrentProfile()->AdvanceSongIndex();
    EXPECT_EQ(g.ChooseSong(), song) << index;
  }

  struct RecordingMusic : MusicInterface {
    bool LoadMusic(int id, const std::string& file) override {
      calls.push_back("load " + std::to_string(id) + " " + file);
      return true;
    }
    void UnloadMusic(int id) override { calls.push_back("unload " + std::to_string(id)); }
    std::vector<std::string> calls;
  };
  auto* music = new RecordingMusic();  // the application deletes it
  g.mMusicOutput = music;
  g.LoadSong(4);
  g.LoadSong(4);
  g.LoadSong(2);
  EXPECT_EQ(music->calls,
            (std::vector<std::string>{"load 1 data/song4.ogg", "unload 1", "load 1 data/song2.ogg"}));
  EXPECT_EQ(g.GetCurrentSong(), 2);
}

}  // namespace
}  // namespace Plix
