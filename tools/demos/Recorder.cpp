#include "tools/demos/Recorder.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "framework/platform/Clock.h"
#include "framework/platform/CommandLine.h"
#include "game/app/LevelTable.h"
#include "game/app/PlayerProfile.h"
#include "game/app/ProfileManager.h"
#include "tools/demos/DemoHarness.h"

namespace Plix::Demos {

namespace {

// Game time moves only when the main loop waits, never while the loading
// thread works: loading then takes the same number of updates every time.
class RecorderClock : public Clock {
public:
  explicit RecorderClock(uint32_t startMs) : mTime(startMs) {}
  uint32_t Milliseconds() override { return mTime.Milliseconds(); }
  void Sleep(uint32_t ms) override {
    PlixAppBase* app = mApp.load();
    if (app && app->mLoaderStarted && !app->mLoaderFinished) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return;
    }
    mTime.Advance(ms);
  }
  int64_t PerformanceCounter() override { return mTime.PerformanceCounter(); }
  int64_t PerformanceFrequency() override { return mTime.PerformanceFrequency(); }

  std::atomic<PlixAppBase*> mApp{nullptr};

private:
  FakeClock mTime;
};

class RecorderGame : public DemoGame {
public:
  explicit RecorderGame(Navigator& navigator) : mNavigator(navigator) {}
  void UpdateTick() override {
    DemoGame::UpdateTick();
    if (!mShuttingDown) mNavigator.Step(*this);
  }

private:
  Navigator& mNavigator;
};

bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// The players a run starts with: one player, "Pemi", standing at the
// scenario's story day with the days before it done.
bool WriteStartingPlayers(const Scenario& s, const Sandbox& sandbox, std::string& error) {
  LevelTable levels;
  if (!levels.LoadLevels()) {
    error = "cannot read the level table";
    return false;
  }
  ProfileManager players;
  players.SetFolder(std::filesystem::path(sandbox.ProfilePath()).parent_path().string());
  players.LoadProfiles(levels);
  const int index = players.CreateProfile(L"Pemi");
  players.SetCurrentProfile(index);
  PlayerProfile& p = *players.GetProfile(index);
  p.SetStoryDays(s.mStartDay);
  for (int day = 0; day < s.mStartDay; ++day) p.SetLevelDone(day);
  p.SetFlag(65, true);  // the hotel's opening was seen
  // A player this far has had the lessons; they are switched off, as the
  // options offer.
  p.SetShowTutorials(false);
  if (s.mKind == Scenario::kHappyHour) p.SetFlag(PlayerProfile::kFlagHappyHourUnlocked, true);
  if (s.mKind == Scenario::kStore || s.mKind == Scenario::kCircus) p.AddCash(2000);
  if (s.mKind == Scenario::kContest) {
    p.SetFlavorCount(1);
    p.SetGoldenIceCreams(5);
  }
  if (!players.SaveProfiles()) {
    error = "cannot write the starting players: " + players.GetError();
    return false;
  }
  return true;
}

}  // namespace

bool RecordScenario(const Scenario& scenario, const std::string& folder, const std::string& program,
                    std::string& error) {
  const std::string demo = folder + "/" + scenario.mName + ".dmo";
  const std::string start = folder + "/" + scenario.mName + ".start";
  const std::string expect = folder + "/" + scenario.mName + ".expect";
  std::error_code ec;
  std::filesystem::remove(start, ec);
  Outcome recorded;
  {
    Sandbox sandbox("demo-record");
    if (scenario.mStartDay >= 0) {
      if (!WriteStartingPlayers(scenario, sandbox, error)) return false;
      std::filesystem::copy_file(sandbox.ProfilePath(), start, std::filesystem::copy_options::overwrite_existing, ec);
      if (ec) {
        error = "cannot copy the starting players to " + start;
        return false;
      }
    }
    const std::string file = sandbox.Folder() + "/run.dmo";
    const std::string demoArg = "-demofile=" + file;
    const char* argv[] = {"zovad", "-record", demoArg.c_str()};
    SetCommandLineArgs(3, argv);
    RecorderClock clock(scenario.mClockStart);
    SetClock(&clock);
    Navigator navigator(scenario);
    auto game = std::make_unique<RecorderGame>(navigator);
    clock.mApp = game.get();
    game->Init();
    game->Start();
    recorded = game->GetOutcome();
    clock.mApp = nullptr;
    game.reset();  // writes the demo
    SetClock(nullptr);
    SetCommandLineArgs(0, nullptr);
    if (!navigator.Failure().empty()) {
      error = navigator.Failure();
      return false;
    }
    // The file the game left behind is what it holds in memory.
    std::vector<uint8_t> stored;
    if (!ReadBytes(sandbox.ProfilePath(), stored) || stored.size() != recorded.mProfileSize ||
        HashBytes(stored.data(), stored.size()) != recorded.mProfileHash) {
      error = "the players' file on disk is not what the game holds at its end";
      return false;
    }
    std::filesystem::copy_file(file, demo, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      error = "no demo was written (" + ec.message() + ")";
      return false;
    }
  }
  std::ofstream out(expect, std::ios::trunc);
  out << "# The end of " << scenario.mName << ".dmo, written by scripts/record-demos.sh.\n" << recorded.Text();
  out.close();
  if (!out) {
    error = "cannot write " + expect;
    return false;
  }
  std::printf("%s: recorded, %s", scenario.mName.c_str(), recorded.Text().c_str());

  Outcome replayed;
  if (!ReplayDemoInChild(program, demo, scenario.mStartDay >= 0 ? start : "", replayed, error)) return false;
  if (!(replayed == recorded)) {
    error = "its playback ends otherwise:\n" + replayed.Text();
    return false;
  }
  return true;
}

}  // namespace Plix::Demos
