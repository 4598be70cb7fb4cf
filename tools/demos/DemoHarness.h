#pragma once
// The game run on a recorded demo, as the replay tests, bench/game and the
// recorder run it: the real application with every real screen, in a
// folder of its own for settings and players, on SDL's dummy drivers, and
// what a run is checked by at its end: the bytes of the players' file and
// the screen the run closed on.
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/app/GameApp.h"
#include "game/screens/GameScreenFactory.h"

namespace Plix::Demos {

// Where the demos, their expectations and starting players are kept.
std::string DemoFolder();

// What a recorded run ends with. The expectation file beside each demo
// holds it as text.
struct Outcome {
  size_t mProfileSize = 0;
  uint64_t mProfileHash = 0;  // FNV-1a of the players' file
  std::string mScreen;        // the screens and dialogs up when it closed
  int mUpdates = 0;           // the update count at the close

  std::string Text() const;
  bool operator==(const Outcome&) const = default;
};
// False, with what is wrong, for a text that is not an expectation file.
bool ParseOutcome(const std::string& text, Outcome& outcome, std::string& error);
uint64_t HashBytes(const uint8_t* data, size_t size);

// Settings, players and the instance lock in a temporary folder of their
// own, for the lifetime of the sandbox; the built data's folder as the
// working directory; SDL's dummy video and audio drivers.
class Sandbox {
public:
  explicit Sandbox(const std::string& tag);
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;
  // Where the game keeps its players' file.
  std::string ProfilePath() const;
  // Puts a run's starting players in place; false when the file cannot be
  // copied.
  bool PlaceProfile(const std::string& file) const;
  const std::string& Folder() const { return mFolder; }

private:
  std::string mFolder;
};

// The game with its real screens. It notes the screen it closes on.
class DemoGame : public GameApp {
public:
  DemoGame();
  ~DemoGame() override;
  bool HandleChangeDir(const std::string&) override { return true; }
  void Shutdown() override;
  void UpdateTick() override;

  // "board day 3 mode 0, dialog 3", "map day 4", ...
  std::string ScreenIdentity();
  // The state a diverging playback is looked for by (DEMO_TRACE).
  std::string TraceLine();
  // After the main loop: the outcome of the run.
  Outcome GetOutcome();
  // A played demo that runs this many updates past its recorded length
  // without closing has lost its way: the run is ended.
  bool Overran() const { return mOverran; }

  GameScreenFactory mFactory;
  std::string mFinalScreen;
  int mFinalUpdate = 0;
  bool mOverran = false;
  // The first screen change after which the players' file did not hold
  // what the players in memory did; empty while every one did.
  std::string mUnsavedProfile;
  int mCheckedChanges = 0;
};

// Plays the demo file headless at full speed (the playback's skip to the
// end) to its recorded close. False, with why, when the file does not play
// to its close. Once per process: the game keeps some state in globals
// (the sparks' motion, the balloons' typing beat) that a second run in the
// same process would start from.
bool ReplayDemo(const std::string& demoFile, const std::string& startProfile, Outcome& outcome,
                std::string& error);

// The same in a child process of `program`, run as
// "program --replay <demo> <start or -> <outcome file>" (ReplayMain).
bool ReplayDemoInChild(const std::string& program, const std::string& demoFile, const std::string& startProfile,
                       Outcome& outcome, std::string& error);
// The child's side: 0 when the outcome was written.
int ReplayMain(int argc, char** argv);

}  // namespace Plix::Demos
