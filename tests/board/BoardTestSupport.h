#pragma once
// The game on the fake platform with the built data, a player, and a
// screen factory that makes real boards and records every other screen the
// board moves on to.
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/sound/SoundInstance.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/app/PlayerProfile.h"
#include "game/app/Splash.h"
#include "game/board/Board.h"
#include "tests/app/AppTestSupport.h"
#include "tests/game/ScreenTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix::Testing {

class BoardGame : public GameApp {
public:
  BoardGame() { mSoundWithoutWindow = true; }
  bool HandleChangeDir(const std::string&) override { return true; }
  // Every sound asked for, in order.
  void PlaySound(int soundId) override {
    mSounds.push_back(soundId);
    GameApp::PlaySound(soundId);
  }
  int CountSound(int soundId) const {
    int n = 0;
    for (int s : mSounds) n += s == soundId;
    return n;
  }
  std::vector<int> mSounds;
};

// Without a sound device no sound id is bound and all read 0: for the
// length of a test the given ids get numbers of their own.
class DistinctSoundIds {
public:
  DistinctSoundIds(std::initializer_list<int*> ids) {
    int next = 10000;
    for (int* id : ids) {
      mSaved.emplace_back(id, *id);
      *id = next++;
    }
  }
  ~DistinctSoundIds() {
    for (auto& [id, value] : mSaved) *id = value;
  }
  DistinctSoundIds(const DistinctSoundIds&) = delete;
  DistinctSoundIds& operator=(const DistinctSoundIds&) = delete;

private:
  std::vector<std::pair<int*, int>> mSaved;
};

// An image handle unbound for the length of a scope: what a picture loses
// then is what that image drew.
class Unbound {
public:
  explicit Unbound(Image*& handle) : mHandle(handle), mSaved(handle) { handle = nullptr; }
  ~Unbound() { mHandle = mSaved; }
  Unbound(const Unbound&) = delete;
  Unbound& operator=(const Unbound&) = delete;

private:
  Image*& mHandle;
  Image* mSaved;
};

// A looping sound that records what it is asked, and any use after its
// release.
class RecordingSound : public SoundInstance {
public:
  explicit RecordingSound(std::vector<std::string>& log) : mLog(log) {}
  void Release() override { Note("release"), mReleased = true; }
  void SetBaseVolume(double) override {}
  void SetBasePan(int) override {}
  void AdjustPitch(double) override {}
  void SetVolume(double) override {}
  void SetPan(int) override {}
  bool Play(bool looping, bool autoRelease) override {
    Note(looping && !autoRelease ? "loop" : "play");
    mPlaying = true;
    return true;
  }
  void Stop() override {
    Note("stop");
    mPlaying = false;
  }
  bool IsPlaying() override {
    if (mReleased) mLog.push_back("used after release");
    return mPlaying;
  }
  bool IsReleased() override { return mReleased; }
  double GetVolume() override { return 1.0; }

private:
  void Note(const char* what) { mLog.push_back(mReleased ? std::string("used after release: ") + what : what); }

  std::vector<std::string>& mLog;
  bool mPlaying = false;
  bool mReleased = false;
};

class BoardScreens : public ScreenFactory {
public:
  BoardScreens(GameApp& app, std::vector<std::string>& log) : mApp(app), mLog(log), mOthers(log) {}

  GameScreen* CreateBoard(int mode, int day) override {
    mLog.push_back(RecordingFactory::Describe("create Board", {mode, day}));
    return new Board(mApp, mode, day);
  }
  GameScreen* CreateMainMenu() override { return mOthers.CreateMainMenu(); }
  GameScreen* CreateMap(int a, int b, int c) override { return mOthers.CreateMap(a, b, c); }
  GameScreen* CreateStore() override { return mOthers.CreateStore(); }
  GameScreen* CreateCircus() override { return mOthers.CreateCircus(); }
  GameScreen* CreateTrophyRoom() override { return mOthers.CreateTrophyRoom(); }
  GameScreen* CreateHotel(int code) override { return mOthers.CreateHotel(code); }
  GameScreen* CreateTheEndMap() override { return mOthers.CreateTheEndMap(); }
  GameScreen* CreateFlavorContest() override { return mOthers.CreateFlavorContest(); }
  GameScreen* CreateBestSellers(int kind, int score, int stars, int time) override {
    return mOthers.CreateBestSellers(kind, score, stars, time);
  }
  void PrepareDayFromProfile(PlayerProfile&) override { mLog.push_back("circus offers"); }
  void UpdateNewItemFlags(PlayerProfile&) override { mLog.push_back("store marks"); }

private:
  GameApp& mApp;
  std::vector<std::string>& mLog;
  RecordingFactory mOthers;
};

class BoardFixture : public AppFixture {
protected:
  void SetUp() override {
    mGame = &Make<BoardGame>();
    ASSERT_EQ(InitApp(), -1);
    ASSERT_EQ(mGame->GetLevelCount(), 50);
    // What the loading thread loads before any day.
    ASSERT_TRUE(mGame->LoadAndBindGroup("Permanent", false));
    // No splash moving on to the loader and the main menu meanwhile.
    if (mGame->mSplash) {
      mGame->mAppWidgets->RemoveWidget(mGame->mSplash);
      mGame->QueueWidgetDelete(mGame->mSplash);
      mGame->mSplash = nullptr;
    }
    mGame->SetCurrentProfile(mGame->CreateProfile(L"Pemi"));
    mScreens = std::make_unique<BoardScreens>(*mGame, mLog);
    mGame->SetScreenFactory(mScreens.get());
  }
  void TearDown() override {
    if (GameScreen* board = mGame->mBoard) {
      mGame->mAppWidgets->RemoveWidget(board);
      delete board;
      mGame->mBoard = nullptr;
    }
    RunFor(10);  // what was queued for deletion goes
    mGame->RemoveScreens();
    mGame->DeleteScreens();
    mGame->SetScreenFactory(nullptr);
  }

  PlayerProfile& Player() { return *mGame->GetCurrentProfile(); }
  // A story day (-1: the player's current day) or a Happy Hour game, in the
  // widget manager like the application shows it.
  Board& Open(int mode, int day = -1) {
    if (mode == 0)
      mGame->MapToBoard(day);
    else
      mGame->MainMenuToBoard(mode);
    mLog.clear();
    return *static_cast<Board*>(mGame->mBoard);
  }
  // Runs the loop until the board has left the screen; false when it did
  // not within a minute of game time.
  bool RunUntilBoardLeaves() {
    for (int i = 0; i < 600 && mGame->mBoard; ++i) RunFor(100);
    return mGame->mBoard == nullptr;
  }

  ScopedCwd mRun{BinaryDir() + "/run"};
  OfflineAudio mAudio;
  BoardGame* mGame = nullptr;
  std::vector<std::string> mLog;
  std::unique_ptr<BoardScreens> mScreens;
};

}  // namespace Plix::Testing
