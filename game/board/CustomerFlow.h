#pragma once
// Happy Hour's customers: a queue along one path towards the counter. The
// board owns it in Happy Hour, the set-up lays its path, and the board's
// Happy Hour logic adds customers and updates it every tick. Each customer
// wishes for one ice cream and loses mood every second it waits; a served
// one pays and fades out happily, one whose mood runs out fades out angrily
// and costs a life. Once the game is lost no one joins, the queue empties
// itself one angry customer at a time, and then the game is over.
#include <cstdint>

#include "game/app/Animation.h"
#include "game/app/FlyingItems.h"
#include "game/app/ObjectList.h"
#include "game/board/IceCream.h"
#include "game/board/WalkPath.h"

namespace Plix {

class Board;
class CustomerFlow;
class Graphics;
class Image;

class FlowCustomer : public FlightTarget {
public:
  enum State { kFadingIn = 0, kWaiting = 1, kBeingServed = 2, kLeavingHappy = 3, kLeavingAngry = 4 };
  enum AnimationIndex { kHappy, kContent, kImpatient, kAngry, kAnimationCount };
  // Until the first placement in the queue.
  static constexpr int kUnplaced = 1000;

  // Mood 100, fading in; plays the appearing sound.
  explicit FlowCustomer(CustomerFlow* flow);
  FlowCustomer(const FlowCustomer&) = delete;
  FlowCustomer& operator=(const FlowCustomer&) = delete;

  // The kind's picture, timings and offsets (0..6); another kind is only
  // stored.
  void SetKind(int kind);
  // Its place in the queue, 0 first in line. The first placement also sets
  // the idle animation and shows the bubble's offsets at once.
  void SetQueuePos(int pos);
  // Waiting, and the item is what it wished for (flavours in any order).
  bool WantsItem(const IceCream* item) const;
  // The item is on its way: no more mood is lost.
  void SetServed() { mState = kBeingServed; }
  // The item has arrived: pays and fades out happily.
  void LeaveHappy(IceCream* item);
  void LeaveAngry();
  // Falling below 0 sends it away angry and costs the board a life.
  void ChangeMood(float delta);
  // One tick; true once it has finished leaving.
  bool Update();
  void Draw(Graphics& g);

  // Where thrown ice creams and the payment's coins go.
  float GetX() const override;
  float GetY() const override;
  // Where the payment's money pop-up starts.
  int32_t GetHeadX() const;
  int32_t GetHeadY() const;
  float GetMood() const { return mMood; }

  int GetKind() const { return mKind; }
  int GetState() const { return mState; }
  int GetCounter() const { return mCounter; }
  int GetQueuePos() const { return mQueuePos; }
  int GetMaxQueuePos() const { return mMaxQueuePos; }
  float GetMoodLoss() const { return mMoodLoss; }
  float GetWalkLeft() const { return mWalkLeft; }
  void AddWalk(float distance) { mWalkLeft += distance; }
  const IceCream& GetOrder() const { return mOrder; }
  void SetOrder(const IceCream& order) { mOrder = order; }
  const PathCursor& GetCursor() const { return mCursor; }
  PathCursor& Cursor() { return mCursor; }
  int GetBand() const { return mBand; }
  int GetAlpha() const { return mAlpha; }
  int GetFlash() const { return mFlash; }
  int GetOffsetShown() const { return mOffsetShown; }
  int GetOffsetTarget() const { return mOffsetTarget; }
  int GetSideTarget() const { return mSideTarget; }
  Image* GetFadePicture() const { return mFadePicture; }
  // Null while none is shown.
  const Animation* GetShownAnimation() const { return mAnimation; }
  const Animation& GetAnimation(int index) const { return mAnimations[index]; }

private:
  void ShowAnimation(Animation* animation);
  void StartFadeStrip(Image* picture);
  static void EaseAmplitude(float& amplitude, float target);

  int mKind = 0;
  CustomerFlow* mFlow;
  PathCursor mCursor;
  IceCream mOrder;
  float mMood = 100.0f;
  int mState = kFadingIn;
  int mCounter = 0;
  int mQueuePos = kUnplaced;
  int mMaxQueuePos = 0;
  float mWalkLeft = 0;
  float mMoodLoss = 0;
  Image* mPicture = nullptr;
  int32_t mHeadX = 0;
  int32_t mHeadY = 0;
  int mOffsetShown = 0;
  int mOffsetTarget = 0;
  int mBubbleY = 0;
  int mShadowX = 0;
  int mShadowY = 0;
  int mSideShown = 0;
  int mSideTarget = 0;
  int mPictureX = 0;
  int mPictureY = 0;
  int mBandShown = 0;
  int mBand = 0;
  int mBandAlpha = 0;
  float mPhase = 0;
  float mAmplitude = 0;
  int mFlash = 0;
  Animation* mAnimation = nullptr;
  Animation mAnimations[kAnimationCount];
  Image* mFadePicture = nullptr;
  int mFadeFrame = 0;
  int mFadeTicks = 0;
  int mAlpha = 0;
  int mAlphaStep = 4;
};

class CustomerFlow {
public:
  static constexpr int kMaxCustomers = 10;
  // The space one customer takes in the queue.
  static constexpr float kSpacing = 56.0f;

  explicit CustomerFlow(Board* board);
  ~CustomerFlow();
  CustomerFlow(const CustomerFlow&) = delete;
  CustomerFlow& operator=(const CustomerFlow&) = delete;

  // The queue's line, from the counter outward.
  void AddPathPoint(float x, float y);
  // False when the game is lost or the queue is full; true otherwise, also
  // when the newcomer found no room on the path and was dropped.
  bool AddCustomer(int kind);
  // One tick of the whole queue.
  void Update();
  // An ice cream thrown at `target` has landed: a customer of this queue
  // pays for it and leaves happily; any other target is ignored.
  void HandOver(FlightTarget* target, IceCream* item);
  // Newest first.
  void DrawAll(Graphics& g);
  // The waiting customer the item is for, the least patient first; ties go
  // to the newer one. Null when none wants it.
  FlowCustomer* FindCustomerFor(const IceCream* item);
  // Once: nobody joins any more and the queue empties itself.
  void SetLost();
  bool IsLost() const { return mLost; }
  // The game is lost and the last customer has gone.
  bool IsOver() const { return mLost && mCustomers.IsEmpty(); }
  // The path's pieces and every customer go.
  void DeleteAll();

  Board* GetBoard() const { return mBoard; }
  const WalkPath& GetPath() const { return mPath; }
  // Head first: the newest customer, at the end of the queue.
  const ObjectList& GetCustomers() const { return mCustomers; }
  int GetCount() const { return mCustomers.GetCount(); }
  int GetTicksSinceHappy() const { return mTicksSinceHappy; }
  int GetStreak() const { return mStreak; }
  int GetLoseCountdown() const { return mLoseCountdown; }
  // A happy leave: within 300 ticks of the one before it lengthens the
  // streak and delays the next arrival by the streak.
  void CountHappyLeave();

private:
  void Remove(FlowCustomer* customer);

  Board* mBoard;
  WalkPath mPath;
  ObjectList mCustomers;  // of owned FlowCustomer, newest first
  int mTicksSinceHappy = 0;
  int mStreak = 0;
  int mLoseCountdown = 0;
  bool mLost = false;
};

}  // namespace Plix
