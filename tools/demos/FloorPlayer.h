#pragma once
// A player on the shop floor, for the recorder and the whole-day tests: it
// looks at what is on the floor (the wishes in the customers' clouds, the
// belt, the counter, the tray, the dishes on the tables, the boxes and the
// machine, the balloon and the lesson's arrow) and plays with the mouse
// alone, every move, press and release made by its hand at a screen
// position. It serves the wishes it sees, refills the boxes, carries the
// tray, brings napkins, clears the tables and speeds the belt up when
// nothing on it needs her. A lesson is played as it asks.
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game/board/IceCream.h"

namespace Plix {

class AlphaButton;
class Board;
class Table;

namespace Demos {

// How the player's mouse reaches the game: the recorder's pushes SDL input,
// the tests' calls the widget manager.
class FloorHand {
public:
  virtual ~FloorHand() = default;
  // A point where a press reaches the button or the table; false when none.
  virtual bool ButtonPoint(Board& board, AlphaButton* button, int& x, int& y) = 0;
  virtual bool TablePoint(Board& board, Table* table, int& x, int& y) = 0;
  virtual void Move(int x, int y) = 0;
  // Pressed and released at a point just found.
  virtual void Press(int x, int y, bool right) = 0;
  // Moved there, pressed and released.
  virtual void Click(int x, int y) = 0;
  // Pressed and released where the mouse is.
  virtual void PressHere(Board& board) = 0;

protected:
  using Lit = std::function<bool(int x, int y)>;
  // From the button's middle outwards, wrapping round: the first point
  // where `lit` holds.
  static bool ScanButton(const AlphaButton& button, int& x, int& y, const Lit& lit);
  // Outwards from the table's middle in growing squares: the nearest point
  // where `lit` holds.
  static bool ScanTable(const Table& table, int& x, int& y, const Lit& lit);
};

class FloorPlayer {
public:
  struct Options {
    // Clicks nothing at all (lessons then stay unanswered: play it with
    // lessons off).
    bool idle = false;
    // Makes no more ice creams once the day's clock shows this second (-1:
    // never). The tables are still looked after: a guest who wants a
    // napkin waits for it however long it takes.
    int servesUntil = -1;
    // Game ticks between two clicks: a quick hand, not a machine gun.
    int clickInterval = 20;
    // Containers ordered ahead of what Pemi has finished.
    int openJobs = 2;
    bool fastForward = true;
    bool decorations = true;
  };

  FloorPlayer(FloorHand& hand, Options options);
  explicit FloorPlayer(FloorHand& hand) : FloorPlayer(hand, Options()) {}

  // One look at the floor per game tick; at most one click.
  void Step(Board& board);

  // What was seen on the floor, for a failure message.
  std::string Describe(Board& board) const;

  int GetClicks() const { return mClicks; }
  int GetFastForwards() const { return mFastForwards; }
  int GetRefills() const { return mRefills; }
  int GetLessonClicks() const { return mLessonClicks; }
  // Containers ordered at the machines that have not reached the belt.
  int GetContainersOrdered() const { return mContainersOrdered; }

private:
  enum class Target { kButton, kBelt, kTable };
  struct Click {
    Target target;
    AlphaButton* button = nullptr;
    bool right = false;
    int serial = 0;  // a belt container
    Table* table = nullptr;
  };
  // One ice cream in the making for a wish the player has seen.
  struct Job {
    IceCream wish;
    int serial = 0;  // its container on the belt, 0 before it rides
    int decoration = 0;
    int age = 0;  // ticks since it was ordered
  };

  bool Press(Board& board, const Click& click);
  bool PressButton(Board& board, AlphaButton* button, bool right);
  bool PressTable(Board& board, Table* table);
  void MoveToBelt(Board& board, int serial);
  void PressBeltIfHovered(Board& board);

  bool AnswerBalloonOrLesson(Board& board);
  // New containers on the belt: the jobs waiting for one take them.
  void WatchBelt(Board& board);
  void TrackJobs(Board& board);
  bool OrderContainer(Board& board);
  void PlanPemi(Board& board);
  void PlanVurez(Board& board);

  // What still has to go into the job's ice cream: a scoop, a topping or a
  // decoration code; 0 when it is done.
  int NextAddition(Board& board, const Job& job) const;
  std::vector<IceCream> UnservedWishes(Board& board) const;

  FloorHand& mHand;
  Options mOptions;
  int mTick = 0;
  int mNextClick = 0;
  int mClicks = 0;
  int mFastForwards = 0;
  int mRefills = 0;
  int mLessonClicks = 0;
  int mContainersOrdered = 0;
  bool mPemiTurn = true;
  std::deque<Click> mPemiPlan;
  std::deque<Click> mVurezPlan;
  std::vector<Job> mJobs;
  std::set<int> mSeenSerials;
  // A belt click waits one tick for the board to look under the mouse.
  int mBeltSerial = 0;
  int mBeltTries = 0;
};

}  // namespace Demos
}  // namespace Plix
