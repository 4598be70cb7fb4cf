#pragma once
// The recorder's player between the shop floors: it answers the balloons
// and dialogs it meets, names a new player, picks the story or Happy Hour
// at the main menu, the next day, the store or the circus on the map, buys
// in a shop, and hands the floor to the FloorPlayer. Once what the run was
// for is over it closes the window. One look per update; one action at a
// time, pushed as SDL input.
#include <memory>
#include <string>

#include "tools/demos/FloorPlayer.h"
#include "tools/demos/HandOnFloor.h"
#include "tools/demos/Hand.h"

namespace Plix {
class GameApp;
class GameScreen;
class AlphaButton;
class ButtonWidget;
class InfoBalloon;
}  // namespace Plix

namespace Plix::Demos {

struct Scenario {
  enum Kind { kStoryDay, kStore, kCircus, kContest, kHappyHour };
  std::string mName;
  Kind mKind = kStoryDay;
  // The story day the starting players stand at; -1: no players at all.
  int mStartDay = -1;
  int mDifficulty = 0;  // Happy Hour: 0 easy, 1 normal, 2 hard
  uint32_t mClockStart = 0;  // the clock's start, hence the random seed
};

class Navigator {
public:
  explicit Navigator(const Scenario& scenario);
  ~Navigator();
  void Step(GameApp& game);
  bool Finished() const { return mClosed; }
  // Why the run was given up; empty while it goes well.
  const std::string& Failure() const { return mFailure; }
  int Ticks() const { return mTicks; }

private:
  bool AnswerBalloon(InfoBalloon* balloon);
  bool ClickAlpha(AlphaButton* button);
  void ClickWidget(ButtonWidget* button);
  bool HandleDialogs(GameApp& game);
  void Finish();

  Scenario mScenario;
  Hand mHand;
  HandOnFloor mFloorHand{mHand};
  std::unique_ptr<FloorPlayer> mFloor;
  GameScreen* mFloorScreen = nullptr;
  int mTicks = 0;
  int mWait = 0;
  bool mReported = false;  // the day's report was seen
  bool mVisited = false;   // the shop or contest was entered
  bool mBought = false;
  bool mLeaving = false;
  bool mClosed = false;
  int mIdleTicks = 0;
  // The contest's guesses: the range the right number lies in.
  int mLow = 1, mHigh = 10, mGuess = 0;
  std::string mFailure;
};

}  // namespace Plix::Demos
