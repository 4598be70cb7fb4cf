#include "tools/demos/DemoHarness.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "framework/app/Buffer.h"
#include "framework/platform/CommandLine.h"
#include "framework/platform/Files.h"
#include "framework/platform/Threads.h"
#include "game/app/InfoBalloon.h"
#include "game/board/Board.h"
#include "game/board/Tutorial.h"
#include "game/characters/Girl.h"
#include "game/screens/BestSellers.h"
#include "game/screens/Map.h"

namespace Plix::Demos {

namespace {

// A played demo that runs on this long after its recorded length has lost
// its close.
constexpr int kOverrunUpdates = 500;

// DEMO_TRACE=1 prints the state every 500 updates, DEMO_TRACE_FROM=<n>
// every update from the nth on: where a playback leaves its recording.
bool Tracing(int update) {
  static const bool trace = std::getenv("DEMO_TRACE") != nullptr;
  static const char* from = std::getenv("DEMO_TRACE_FROM");
  return (trace && update % 500 == 0) || (from && update >= std::atoi(from));
}

}  // namespace

std::string DemoFolder() { return PLIX_DEMO_DIR; }

uint64_t HashBytes(const uint8_t* data, size_t size) {
  uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < size; ++i) {
    hash ^= data[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Outcome::Text() const {
  char hash[32];
  std::snprintf(hash, sizeof(hash), "%016llx", static_cast<unsigned long long>(mProfileHash));
  std::ostringstream out;
  out << "profile " << mProfileSize << " " << hash << "\n"
      << "screen " << mScreen << "\n"
      << "updates " << mUpdates << "\n";
  return out.str();
}

bool ParseOutcome(const std::string& text, Outcome& outcome, std::string& error) {
  std::istringstream in(text);
  std::string line;
  bool profile = false, screen = false, updates = false;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space), value = space == std::string::npos ? "" : line.substr(space + 1);
    if (key == "profile") {
      unsigned long long size = 0, hash = 0;
      if (std::sscanf(value.c_str(), "%llu %llx", &size, &hash) != 2) {
        error = "bad profile line: " + line;
        return false;
      }
      outcome.mProfileSize = static_cast<size_t>(size);
      outcome.mProfileHash = hash;
      profile = true;
    } else if (key == "screen") {
      outcome.mScreen = value;
      screen = true;
    } else if (key == "updates") {
      outcome.mUpdates = std::atoi(value.c_str());
      updates = true;
    } else {
      error = "unknown line: " + line;
      return false;
    }
  }
  if (!profile || !screen || !updates) {
    error = "the profile, screen and updates lines are not all there";
    return false;
  }
  return true;
}

// ------------------------------------------------------------- sandbox

Sandbox::Sandbox(const std::string& tag) {
  mFolder = (std::filesystem::temp_directory_path() / ("plix-" + tag + "-" + std::to_string(getpid()))).string();
  std::error_code ec;
  std::filesystem::remove_all(mFolder, ec);
  std::filesystem::create_directories(mFolder + "/runtime");
  std::filesystem::permissions(mFolder + "/runtime", std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::replace, ec);
  setenv("XDG_CONFIG_HOME", (mFolder + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (mFolder + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (mFolder + "/runtime").c_str(), 1);
  // Headless, whatever display there is: the run must not depend on one.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("SDL_RENDER_DRIVER", "software", 1);
  std::filesystem::current_path(PLIX_RUN_DIR);
}

Sandbox::~Sandbox() {
  std::error_code ec;
  std::filesystem::remove_all(mFolder, ec);
}

std::string Sandbox::ProfilePath() const {
  return Fs::UserDataFolder("VARNOK", "Zovad Uda Vodiz") + ProfileManager::kFileName;
}

bool Sandbox::PlaceProfile(const std::string& file) const {
  const std::filesystem::path to = ProfilePath();
  std::error_code ec;
  std::filesystem::create_directories(to.parent_path(), ec);
  return std::filesystem::copy_file(file, to, std::filesystem::copy_options::overwrite_existing, ec);
}


// ------------------------------------------------------------ the game

DemoGame::DemoGame() : mFactory(*this) {
  SetScreenFactory(&mFactory);
  // A window, not the whole desktop: nothing to change back afterwards.
  mWindowedMode = true;
}

DemoGame::~DemoGame() { SetScreenFactory(nullptr); }

void DemoGame::Shutdown() {
  if (!mShuttingDown && mMainThreadId != 0 && CurrentThreadId() == mMainThreadId) {
    mFinalScreen = ScreenIdentity();
    mFinalUpdate = mTicksDone;
  }
  GameApp::Shutdown();
}

void DemoGame::UpdateTick() {
  // The tick after a screen change: whatever the change left in the
  // players must be in the file it wrote.
  if (GetScreenChangeCount() != mCheckedChanges) {
    mCheckedChanges = GetScreenChangeCount();
    const std::string unsaved = mUnsavedProfile.empty() ? UnsavedProfileChange() : std::string();
    if (!unsaved.empty())
      mUnsavedProfile = "after the change to " + ScreenIdentity() + " (update " + std::to_string(mTicksDone) +
                        "), the players' file lacks " + unsaved;
  }
  GameApp::UpdateTick();
  if (Tracing(mTicksDone)) std::fprintf(stderr, "%s %d: %s\n", mDemoPlaying ? "playback" : "update", mTicksDone,
                                        TraceLine().c_str());
  if (mDemoPlaying && mTicksDone > static_cast<int64_t>(mDemoLength) + kOverrunUpdates && !mOverran) {
    mOverran = true;
    mShutdownAsked = true;
  }
}

std::string DemoGame::TraceLine() {
  std::string line = ScreenIdentity() + ", fade " + std::to_string(GetFadeState()) + ", active " +
                     std::to_string(mAppActive ? 1 : 0);
  if (auto* board = dynamic_cast<Board*>(mBoard)) {
    line += ", money " + std::to_string(board->mMoney) + " second " + std::to_string(board->mSeconds) + " paused " +
            std::to_string(board->mPauseDepth) + " mouse " + std::to_string(board->mMouseX) + "," +
            std::to_string(board->mMouseY);
    char more[96];
    Tutorial* lesson = board->GetTutorial();
    std::snprintf(more, sizeof(more), " girl %.3f lesson %d/%d balloon %d", board->GetGirl()->GetX(),
                  lesson ? lesson->GetId() : -1, lesson ? lesson->GetCurrentStep() : -1,
                  board->GetBalloon() ? board->GetBalloon()->GetShown() : -1);
    line += more;
  }
  return line;
}

std::string DemoGame::ScreenIdentity() {
  const struct {
    GameScreen* screen;
    const char* name;
  } screens[] = {{mBoard, "board"},          {mCircus, "circus"},   {mTrophyRoom, "trophy room"},
                 {mFlavorContest, "contest"}, {mStore, "store"},     {mMainMenu, "main menu"},
                 {mMap, "map"},              {mBestSellersScreen, "best sellers"},
                 {mHotel, "hotel"},          {mTheEndMap, "end map"}};
  std::string identity;
  for (const auto& s : screens) {
    if (!s.screen) continue;
    if (!identity.empty()) identity += " + ";
    identity += s.name;
    if (auto* board = dynamic_cast<Board*>(s.screen))
      identity += " day " + std::to_string(board->GetDay() + 1) + " mode " + std::to_string(board->GetMode());
    if (auto* map = dynamic_cast<Map*>(s.screen)) identity += " day " + std::to_string(map->ShownDayNumber());
    if (auto* table = dynamic_cast<BestSellers*>(s.screen))
      identity += " table " + std::to_string(table->GetShownTable()) + " new entry " +
                  std::to_string(table->GetNewEntryRank());
  }
  if (identity.empty()) identity = "none";
  for (const auto& [id, dialog] : mOpenDialogs)
    if (dialog) identity += ", dialog " + std::to_string(id);
  return identity;
}

Outcome DemoGame::GetOutcome() {
  Outcome outcome;
  Buffer bytes;
  GetProfiles().WriteFile(bytes);
  outcome.mProfileSize = static_cast<size_t>(bytes.GetDataLen());
  outcome.mProfileHash = HashBytes(bytes.GetDataPtr(), outcome.mProfileSize);
  outcome.mScreen = mFinalScreen;
  outcome.mUpdates = mFinalUpdate;
  return outcome;
}

// -------------------------------------------------------------- replay

bool ReplayDemo(const std::string& demoFile, const std::string& startProfile, Outcome& outcome,
                std::string& error) {
  Sandbox sandbox("demo-replay");
  if (!startProfile.empty() && !sandbox.PlaceProfile(startProfile)) {
    error = "cannot place the starting players " + startProfile;
    return false;
  }
  const std::string file = "-demofile=" + demoFile;
  const char* argv[] = {"zovad", "-play", file.c_str()};
  SetCommandLineArgs(3, argv);
  auto game = std::make_unique<DemoGame>();
  game->Init();
  if (!game->mDemoPlaying || game->mShutdownAsked || game->mShuttingDown) {
    error = "the game did not start playing " + demoFile;
    return false;
  }
  // The playback's own skip to the end, drawing a frame now and then.
  game->mSkipToTick = INT32_MAX;
  game->Start();
  outcome = game->GetOutcome();
  const bool overran = game->Overran();
  const std::string unsaved = game->mUnsavedProfile;
  game.reset();
  SetCommandLineArgs(0, nullptr);
  if (overran) {
    error = "the playback ran past the demo's end without its close";
    return false;
  }
  if (!unsaved.empty()) {
    error = unsaved;
    return false;
  }
  return true;
}

bool ReplayDemoInChild(const std::string& program, const std::string& demoFile, const std::string& startProfile,
                       Outcome& outcome, std::string& error) {
  const std::string out = (std::filesystem::temp_directory_path() /
                           ("plix-demo-outcome-" + std::to_string(getpid()) + ".txt"))
                              .string();
  const std::string start = startProfile.empty() ? "-" : startProfile;
  std::vector<char*> args;
  std::string a0 = program, a1 = "--replay", a2 = demoFile, a3 = start, a4 = out;
  for (std::string* a : {&a0, &a1, &a2, &a3, &a4}) args.push_back(a->data());
  args.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, args.data(), environ) != 0) {
    error = "cannot start " + program;
    return false;
  }
  int status = 0;
  waitpid(child, &status, 0);
  std::ifstream in(out);
  std::ostringstream text;
  text << in.rdbuf();
  in.close();
  std::error_code ec;
  std::filesystem::remove(out, ec);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    error = "the playback failed: " + text.str();
    return false;
  }
  return ParseOutcome(text.str(), outcome, error);
}

int ReplayMain(int argc, char** argv) {
  if (argc != 5) return 2;
  const std::string start = argv[3] == std::string("-") ? "" : argv[3];
  Outcome outcome;
  std::string error;
  const bool ok = ReplayDemo(argv[2], start, outcome, error);
  std::ofstream out(argv[4], std::ios::trunc);
  out << (ok ? outcome.Text() : error + "\n");
  return ok ? 0 : 1;
}

}  // namespace Plix::Demos
