#pragma once
// Rudav, the small monkey by the counter who takes the items leaving the
// belt: a wanted one to the counter (or, in Happy Hour, thrown to the
// customer who wants it), an unwanted one eaten or, disgusted, thrown into
// the trash. He never walks. The board creates him with the counter he
// serves, updates him every tick and draws him.
#include "game/app/Animation.h"
#include "game/board/IceCream.h"

namespace Plix {

class Board;
class FlightTarget;
class Graphics;
class ItemHolder;

class ServingMonkey {
public:
  enum State {
    kIdle = 0,
    kTookUnwanted = 1,
    kDisgusted = 2,
    kThrowingToTrash = 3,
    kTookWanted = 4,
    kHolding = 5,
    kThrowingToCustomer = 6,
    kEating = 7,
    kPuttingOnCounter = 8,
  };
  static constexpr int kX = 487;
  static constexpr int kY = 330;

  ServingMonkey(Board* board, ItemHolder* counter);
  ~ServingMonkey();
  ServingMonkey(const ServingMonkey&) = delete;
  ServingMonkey& operator=(const ServingMonkey&) = delete;

  // An item nobody wants: eaten or thrown away.
  void TakeItem(const IceCream& item, int containerId);
  // A wanted item: to the counter.
  void TakeItemToState4(const IceCream& item, int containerId);
  // A wanted item thrown to the Happy Hour customer who wants it.
  void TakeItemWithTarget(const IceCream& item, int containerId, FlightTarget* target);
  // The counter has room for what he holds.
  bool HolderHasRoom() const;

  void Update();
  void Draw(Graphics& g);

  // 0 idle: the board offers him an item only then.
  int GetState() const { return mState; }
  // The belt container whose item he took, 0 before the first.
  int GetContainerId() const { return mContainerId; }
  // Product kind 0: empty hands.
  const IceCream& GetItem() const { return mItem; }
  FlightTarget* GetTarget() const { return mTarget; }
  // The animation playing, none once it has played out.
  const Animation* GetCurrentAnimation() const { return mCurrent; }
  int GetIdleCounter() const { return mIdleCounter; }

  // His animations, for the tests and the lessons that watch him.
  Animation mIdleA;
  Animation mIdleB;
  Animation mIdleC;
  Animation mTakeSmall;
  Animation mTakeLarge;
  Animation mEat;
  Animation mThrowToTrash;
  Animation mThrowToCustomer;
  Animation mHold;
  Animation mDisgust;
  Animation mPutOnCounter;

private:
  void Take(const IceCream& item, int containerId, int state);
  void Play(Animation& animation);
  void BackToIdle();
  // A sparkler in his hands stops counting, and his hands are empty.
  void LetGo();

  int mX = kX;
  int mY = kY;
  int mState = kIdle;
  ItemHolder* mCounter;
  Board* mBoard;
  IceCream mItem;
  bool mBadSoundPlayed = false;
  FlightTarget* mTarget = nullptr;
  Animation* mCurrent = nullptr;
  bool mActed = false;
  int mIdleCounter = 0;
  int mContainerId = 0;
};

}  // namespace Plix
