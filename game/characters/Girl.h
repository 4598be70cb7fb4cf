#pragma once
// Pemi, the heroine: her queue of errands, what she carries, her speed and
// her animations. The board creates her, runs her update every tick, steps
// her running errand every frame and draws her. She keeps no path of her
// own: each walking errand moves her along the board's counter or bench
// path and picks her walk cycle.
#include <memory>

#include "game/app/Animation.h"
#include "game/app/ObjectList.h"

namespace Plix {

class AlphaButton;
class Board;
class Graphics;
class GirlAction;
class IceCream;
struct IceCreamBox;

class Girl {
public:
  // Carry groups: they choose her walk cycle and her standing picture.
  enum CarryGroup { kGroupEmpty, kGroupScoop, kGroupItem, kGroupLarge };
  // Facings of the walk cycles.
  enum Direction { kRight = 1, kDown = 2, kLeft = 3, kUp = 4 };
  static constexpr float kNormalSpeed = 4.7f;
  // Where she stands at the start of a day.
  static constexpr float kStartX = 367.0f;
  static constexpr float kStartY = 495.0f;
  // Left of this x, idle with nothing queued, she walks back to it.
  static constexpr float kHomeX = 211.0f;
  // Errands started in one update, at most; a queue that keeps answering
  // with new errands beyond this is left for the next update.
  static constexpr int kMaxStartsPerUpdate = 64;

  explicit Girl(Board* board);
  Girl(Board* board, float x, float y);
  ~Girl();
  Girl(const Girl&) = delete;
  Girl& operator=(const Girl&) = delete;

  Board* GetBoard() const { return mBoard; }

  // ---- Position, carry and speed ----
  void SetPosition(float x, float y) {
    mX = x;
    mY = y;
  }
  float GetX() const { return mX; }
  float GetY() const { return mY; }
  float GetSpeed() const { return mSpeed; }
  float GetTargetSpeed() const { return mTargetSpeed; }
  int GetCarryCode() const { return mCarryCode; }
  void SetCarryCode(int code) { mCarryCode = code; }
  bool IsEmptyHanded() const { return mCarryCode == 0; }
  static CarryGroup GroupOf(int carryCode);
  // The box in her arms while the carry code is 35.
  IceCreamBox& GetCarriedBox();
  void SetCarriedBox(const IceCreamBox& box);
  void SetCarriedBoxContents(int flavor, int portions);
  // A speed boost for 1000 updates.
  void BoostSpeed(float speed);
  void UpdateSpeed();

  // ---- Animations ----
  void UpdateAnimations();
  // The walk cycle of her carry group facing that way, restarted.
  void StartWalkAnimation(int direction);
  void PlayBodyAnimation(Animation* animation);
  void PlayReachOutAnimation();
  void PlayReachBackAnimation();
  void PlayScoopAnimation();
  void PlayBoxUpAnimation();
  void PlayBoxDownAnimation();
  void StopAnimations();
  // The talking animation while a balloon page of hers types.
  void StartSpecialAnimation();
  void StopSpecialAnimation();
  Animation* GetBodyAnimation() const { return mBodyAnimation; }
  Animation* GetOverheadAnimation() const { return mOverheadAnimation; }
  Animation* GetSpecialAnimation() const { return mSpecialAnimation; }
  // The overhead animation's current cel, -1 without one.
  int GetOverheadCel() const;
  void UpdateCarryOffset();
  int GetCarryOffsetX() const { return mCarryOffsetX; }
  int GetCarryOffsetY() const { return mCarryOffsetY; }

  // ---- Drawing ----
  void Draw(Graphics& g);
  // In front of the workbenches.
  void DrawOverheadAnimation(Graphics& g);

  // ---- The queue ----
  // One tick: animations, the running errand, the next ones, speed.
  void Update();
  // Once a frame: the running errand moves by the fraction of a tick.
  void StepCurrentAction(float dt);
  // Drops every errand but the front one.
  void CancelPending();
  bool IsIdle() const { return !mRunning && mActions.IsEmpty(); }
  bool IsRunning() const { return mRunning; }
  int GetActionCount() const { return mActions.GetCount(); }
  GirlAction* GetAction(int index) const;
  GirlAction* FrontAction() const;
  int FrontActionKind() const;
  // The second errand's kind, 0 with fewer than two.
  int NextActionKind() const;
  bool HasFFButtonAction() const;
  // A box errand for that box with its take-whole-box flag is queued.
  bool HasIceCreamBoxActionFor(const IceCreamBox* box) const;

  // ---- Errands from the stations; false when the click is refused ----
  bool EnqueueIceCream(IceCream* item);
  bool EnqueueTrashcan();
  bool EnqueueIceCreamBox(IceCreamBox* box, AlphaButton* button, bool takeWholeBox);
  bool EnqueueCherries();
  bool EnqueueSprinkles();
  bool EnqueueChocolateSauce();
  bool EnqueueUmbrellas();
  bool EnqueueCocktailSticks();
  bool EnqueueStraws();
  bool EnqueueSparklers();
  bool EnqueueInitToIceCreamMachine();
  bool EnqueueStrawBerry();
  bool EnqueuePear();
  bool EnqueueChocolate();
  bool EnqueueBlueBerry();
  bool EnqueuePineApple();
  bool EnqueueBananas();
  bool EnqueueApples();
  bool EnqueuePears();
  bool EnqueueSuperBanana();
  bool EnqueueSpecialCup();
  bool EnqueueBananaSplit();
  bool EnqueueSpecialPlate();
  bool EnqueueCake();
  bool EnqueueFFButton();
  bool EnqueueWalkByBench(int x);
  bool EnqueueWalkByCounter(int x);
  // The queue takes the errand over, at its back.
  void Append(GirlAction* action) { mActions.PushBack(action); }

  // The animation members the errands play.
  Animation mWalkEmptyLeft, mWalkEmptyRight, mWalkEmptyUp, mWalkEmptyDown;
  Animation mWalkScoopLeft, mWalkScoopRight, mWalkScoopUp, mWalkScoopDown;
  Animation mWalkItemLeft, mWalkItemRight, mWalkItemUp, mWalkItemDown;
  Animation mWalkLargeLeft, mWalkLargeRight, mWalkLargeUp, mWalkLargeDown;
  Animation mServeAnimation;
  Animation mReachOutBody, mReachOutOverhead;
  Animation mReachBackBody, mReachBackOverhead;
  Animation mScoopBody, mScoopOverhead;
  Animation mBoxUpBody, mBoxUpOverhead;
  Animation mBoxDownBody, mBoxDownOverhead;
  Animation mHandFruitAnimation;
  Animation mPressButtonAnimation;
  Animation mPickUpDishAnimation;
  Animation mHoldAtCounterAnimation;
  Animation mMachineAnimation1;
  Animation mMachineAnimation2;
  Animation mIdle1, mIdle2, mIdle3, mIdle4, mIdle5;
  Animation mTrashDropAnimation;
  Animation mTrashEmptyBoxAnimation;
  Animation mMachineHoldAnimation;
  Animation mTalkAnimation;

private:
  void BuildAnimations();
  void ChooseIdle();
  void PlayPair(Animation* body, Animation* overhead, bool updateOffset);
  // Pops and deletes the front errand.
  void DeleteFront();
  void PrepareIceCreamMachineRun();
  void DrawCarried(Graphics& g);
  void DrawBox(Graphics& g);

  Board* mBoard;
  ObjectList mActions;  // of owned GirlAction, the front one current
  bool mRunning = false;
  int mCarryCode = 0;
  std::unique_ptr<IceCreamBox> mCarriedBox;  // a copy of the box she carries
  float mX = 0;
  float mY = 0;
  float mSpeed = kNormalSpeed;
  float mTargetSpeed = kNormalSpeed;
  int mBoostFrames = 0;
  int mFrameCounter = 0;
  Animation* mBodyAnimation = nullptr;
  Animation* mOverheadAnimation = nullptr;
  Animation* mSpecialAnimation = nullptr;
  int mCarryOffsetX = 0;
  int mCarryOffsetY = 0;
};

}  // namespace Plix
