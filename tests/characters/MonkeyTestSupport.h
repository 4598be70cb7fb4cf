#pragma once
// Vurez on a small test floor: a stage, the counter, the trash station, the
// napkins, lemonade, cookies, the juggling balls, the barrel organ and two
// tables, every one linked both ways to a hub in the middle. The tests run
// his ticks themselves (one update and one whole-tick step each) and hear
// the sounds he plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/CRand.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/EnvironmentFile.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Monkey.h"
#include "game/characters/MonkeyAction.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix::Testing {

// Hears the sounds and passes everything on to the application's host.
class SoundLog : public GameHost {
public:
  explicit SoundLog(GameHost* next) : mNext(next) {}
  void PlaySound(int soundId) override {
    mSounds.push_back(soundId);
    mNext->PlaySound(soundId);
  }
  void SetCursor(int cursor) override { mNext->SetCursor(cursor); }
  void AddParticle(Particle* particle) override {
    ++mParticles;
    mNext->AddParticle(particle);
  }
  int Count(int soundId) const { return static_cast<int>(std::count(mSounds.begin(), mSounds.end(), soundId)); }

  std::vector<int> mSounds;
  int mParticles = 0;

private:
  GameHost* mNext;
};

struct FloorNode {
  int kind;
  int x;
  int y;
  int p4 = 0;
};

class MonkeyFixture : public BoardFixture {
public:
  // Record indices of the standard floor.
  enum { kStage, kCounter, kTrash, kNapkins, kLemonade, kCookies, kBalls, kOrgan, kTable1, kTable2, kHub };

protected:
  void SetUp() override {
    BoardFixture::SetUp();
    SRand(25);
    // Sounds are not bound without a sound card: the ones listened for get
    // ids of their own.
    int id = 9000;
    for (int* sound : kHeard) {
      mSavedSounds.push_back(*sound);
      if (*sound == 0) *sound = ++id;
    }
    mSoundLog = std::make_unique<SoundLog>(GetGameHost());
    SetGameHost(mSoundLog.get());
    mLiveAtStart = MonkeyAction::GetLiveCount();
  }
  void TearDown() override {
    mOwnedBoard.reset();
    if (GameScreen* shown = mGame->mBoard) {
      mGame->mAppWidgets->RemoveWidget(shown);
      delete shown;
      mGame->mBoard = nullptr;
    }
    mBoard = nullptr;
    SetGameHost(nullptr);
    for (size_t i = 0; i < std::size(kHeard); ++i) *kHeard[i] = mSavedSounds[i];
    EXPECT_EQ(MonkeyAction::GetLiveCount(), mLiveAtStart);
    BoardFixture::TearDown();
  }

  static std::vector<FloorNode> StandardNodes() {
    return {{kEnvMonkeyPlace, 400, 300}, {kEnvCounter, 600, 420},  {kEnvTrashStation, 150, 120},
            {kEnvNapkins, 100, 300},     {kEnvLemonade, 220, 450}, {kEnvCookies, 320, 450},
            {kEnvJugglingBalls, 520, 220}, {kEnvOrgan, 660, 220},  {kEnvTable, 300, 200, 1},
            {kEnvTable, 480, 360, 2},    {kEnvWaypoint, 400, 250}};
  }

  // A story board (not on the screen) on the nodes; every node but the hub
  // is linked both ways to the last node, the hub, unless `linked` says
  // otherwise for it.
  Board& Floor(const std::vector<FloorNode>& nodes, int day = 40, std::vector<bool> linked = {}) {
    const std::string path = WriteFloor(nodes, day, linked);
    mOwnedBoard = std::make_unique<Board>(*mGame, 0, day);
    mBoard = mOwnedBoard.get();
    EXPECT_TRUE(mBoard->LoadEnvironment(path.c_str()));
    mMonkey = mBoard->GetMonkey();
    return *mBoard;
  }
  Board& StandardFloor(int day = 40) { return Floor(StandardNodes(), day); }
  // The story day as the map opens it, in the widget manager, on the
  // standard floor in place of whatever floor the day's set-up laid.
  Board& ShownFloor(int day) {
    const std::string path = WriteFloor(StandardNodes(), day, {});
    Board& board = Open(0, day);
    board.ClearFloor();
    EXPECT_TRUE(board.LoadEnvironment(path.c_str()));
    mBoard = &board;
    mMonkey = mBoard->GetMonkey();
    return board;
  }

  // The floor's file; the player has played the days before `day` and
  // trained the juggling and the organ to their top.
  std::string WriteFloor(const std::vector<FloorNode>& nodes, int day, const std::vector<bool>& linked) {
    std::string records, links;
    const int hub = static_cast<int>(nodes.size()) - 1;
    std::vector<std::vector<int>> out(nodes.size());
    for (int i = 0; i < hub; ++i) {
      if (!linked.empty() && !linked[i]) continue;
      out[i].push_back(hub);
      out[hub].push_back(i);
    }
    for (size_t i = 0; i < nodes.size(); ++i) {
      const FloorNode& n = nodes[i];
      records += std::to_string(n.kind) + " " + std::to_string(n.x) + " " + std::to_string(n.y) + " " +
                 std::to_string(n.p4) + " 0\n";
      links += std::to_string(out[i].size());
      for (int j : out[i]) links += " " + std::to_string(j);
      links += "\n";
    }
    const std::string path = mDir / "monkey.len";
    WriteFile(path, "1 " + std::to_string(nodes.size()) + "\n" + records + links);
    Player().SetStoryDays(day);  // today's day counts for the trophies
    Player().SetJugglingLevel(3);
    Player().SetMelodyLevel(3);
    return path;
  }

  Table* TableAt(int i) { return static_cast<Table*>(mBoard->mTables.GetAt(i)); }
  BarMovementNode* Node(int record) { return mBoard->mWalkNodes[record]; }
  CustomerManager& Manager() { return *mBoard->GetCustomerManager(); }

  // One tick of his: the update, then the whole tick's step.
  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
      mMonkey->UpdateIdle();
      mMonkey->StepCurrentTask(1.0f);
    }
  }
  // Ticks until nothing is queued or running; false after a minute.
  bool TickUntilDone() {
    for (int i = 0; i < 6000; ++i) {
      if (mMonkey->GetTaskCount() == 0 && !mMonkey->IsRunning()) return true;
      Tick();
    }
    return false;
  }
  // A waiting customer of the kind at the table with a fixed order.
  Customer* Waiting(const IceCream& order, int kind = 0) {
    Customer* c = Manager().SpawnCustomerOfKind(kind, order);
    if (!c) return nullptr;
    for (int i = 0; i < 3000 && c->GetState() == Customer::kChoosing; ++i) c->Update();
    return c;
  }
  static IceCream Cup(int scoop) {
    IceCream cup = IceCream::CreateOfKind(kItemCup);
    cup.AddScoop(scoop);
    return cup;
  }
  int Sounds(int id) const { return mSoundLog->Count(id); }

  static inline int* const kHeard[] = {
      &SOUND_GARBAGE_LARGE,  &SOUND_GARBAGE_MEDIUM,   &SOUND_PICK_UP_TRAY,    &SOUND_PICK_UP_NAPKIN,
      &SOUND_PICK_UP_COOKIE, &SOUND_PICK_UP_LEMONADE, &SOUND_MONKEY_JUGGLING, &SOUND_MONKEY_SPEED_UP,
      &SOUND_EAT_FRUIT,      &SOUND_MONKEY_SCRATCH,   &SOUND_BARREL_ORGAN_1,  &SOUND_BARREL_ORGAN_2,
      &SOUND_BARREL_ORGAN_3};
  std::vector<int> mSavedSounds;
  std::unique_ptr<SoundLog> mSoundLog;
  std::unique_ptr<Board> mOwnedBoard;
  Board* mBoard = nullptr;
  Monkey* mMonkey = nullptr;
  int mLiveAtStart = 0;
};

}  // namespace Plix::Testing
