#pragma once
// Vurez, the monkey who takes the player's tasks on a story day: he carries
// the counter's tray to the tables, clears their dishes, throws things away
// at the trash station, fetches napkins, lemonade and cookies, juggles and
// plays the barrel organ. The board creates him, runs his update every tick,
// steps his running task every frame and draws him in its depth order. He
// works off a queue of tasks, eats the treats thrown to him (which speed him
// up), tires while he works and rests while idle.
#include "game/app/Animation.h"
#include "game/app/FlyingItems.h"
#include "game/app/ObjectList.h"
#include "game/app/ZObject.h"
#include "game/board/BarMovementNode.h"
#include "game/board/ItemHolder.h"

namespace Plix {

class Board;
class Image;
class MonkeyAction;
class PlayerProfile;
class Table;

class Monkey : public ZObject, public FlightTarget {
public:
  // What his hands hold.
  enum Carry {
    kCarryNothing = 0,
    kCarryTray = 1,
    kCarryDishes = 2,
    kCarryNapkin = 3,
    kCarryLemonade = 4,  // 4..6: varieties 1..3
    kCarryCookie = 7,    // 7..9: varieties 1..3
    kCarryBalls = 10,
  };
  enum Direction { kRight = 1, kDown = 2, kLeft = 3, kUp = 4 };
  enum AnimationIndex {
    kWalkUp,
    kWalkUpCarrying,
    kWalkUpTray,
    kWalkDown,
    kWalkDownCarrying,
    kWalkDownTray,
    kWalkLeft,
    kWalkLeftCarrying,
    kWalkLeftTray,
    kWalkRight,
    kWalkRightCarrying,
    kWalkRightTray,
    kJuggleTwo,
    kJuggleThree,
    kJuggleFour,
    kBarrelOrgan,
    kEatTreat,
    kIdleLong,
    kIdleScratch,
    kIdleBlink,
    kAnimationCount
  };
  static constexpr int kMaxDishes = 16;
  static constexpr float kNormalSpeed = 4.0f;
  static constexpr float kTreatSpeed = 5.0f;

  explicit Monkey(Board* board);
  // Deletes every queued task.
  ~Monkey() override;
  Monkey(const Monkey&) = delete;
  Monkey& operator=(const Monkey&) = delete;

  Board* GetBoard() const { return mBoard; }

  // ---- Position ----
  float GetX() const override { return mX; }
  float GetY() const override { return mY; }
  void SetPosition(float x, float y) {
    mX = x;
    mY = y;
  }
  // The node becomes his current one and he stands on it; none leaves him
  // where he is.
  void StandAtNode(BarMovementNode* node);
  BarMovementNode* GetNode() const { return mNode; }

  // ---- Hands ----
  int GetCarryKind() const { return mCarryCode; }
  bool HasEmptyHands() const { return mCarryCode == kCarryNothing; }
  bool IsCarryingDishes() const { return mCarryCode == kCarryDishes; }
  ItemHolder* GetCarriedItems() { return &mTray; }
  int GetDishCount() const { return mDishCount; }
  int GetDish(int index) const { return mDishes[index]; }
  // Stops the current animation, then: the tray (code 1) takes a copy of
  // the holder and the balls (10) need empty hands; any other code needs
  // empty hands too. False, with the hands as they were, when they are not
  // free.
  bool PickUp(int code, const ItemHolder* holder = nullptr);
  // A dish collected from a table onto the stack; false when the stack is
  // full (the dish stays where it was).
  bool AddDish(int code);
  // Empty hands: the tray's ready marks are recomputed first.
  void DropAll();

  // ---- Speed, fatigue and treats ----
  float GetSpeed() const { return mSpeed; }
  float GetTargetSpeed() const { return mTargetSpeed; }
  int GetBoostFrames() const { return mBoostFrames; }
  float GetFatigue() const { return mFatigue; }
  float GetEffectiveSpeed() const { return mFatigue * mSpeed; }
  int GetTreatKind() const { return mTreatKind; }
  // A treat has reached him: he eats it when idle-handed and not busy
  // moving, else he is just cheered on; either way fresh and boosted.
  // Always true.
  bool SpeedUp(int treatKind);

  // ---- Animations ----
  // The walk cycle for the direction and what he carries, restarted.
  void SetWalkDirection(int direction);
  int GetWalkDirection() const { return mWalkDirection; }
  void PlayAnimation(Animation* animation);
  void PlayAnimation(AnimationIndex index) { PlayAnimation(&mAnimations[index]); }
  void StopAnimation() { mCurrentAnimation = nullptr; }
  Animation* GetCurrentAnimation() const { return mCurrentAnimation; }
  bool IsPlaying(AnimationIndex index) const { return mCurrentAnimation == &mAnimations[index]; }
  Animation& GetAnimation(AnimationIndex index) { return mAnimations[index]; }
  // The juggling sound and the juggle for the player's level.
  void StartJuggling();
  int GetFrameCounter() const { return mFrameCounter; }

  // ---- Tasks ----
  // The player's clicks; true when a task was queued.
  bool EnqueueToTable(Table* table);
  bool EnqueueToCounterDish();
  bool EnqueueToTrashStation();
  bool EnqueueToNapkins();
  bool EnqueueToLemonade();
  bool EnqueueToCookies();
  bool EnqueueToJugglingBalls();
  bool EnqueueToBarrelOrgan();
  // One tick, called by the board directly (the draw list's update stays
  // empty): animation, idle choice, then the treat being eaten or speed,
  // boost and tasks; fatigue last.
  void UpdateIdle();
  // Once a frame: the running task moves by the fraction of a tick.
  void StepCurrentTask(float dt);
  bool IsIdle() const { return !mRunning && mTasks.IsEmpty() && HasEmptyHands(); }
  bool IsRunning() const { return mRunning; }
  int GetTaskCount() const { return mTasks.GetCount(); }
  MonkeyAction* GetTask(int index) const;
  // The kind of the back of the queue, 0 when empty.
  int LastTaskKind() const;

  // The player's profile, none without a player.
  PlayerProfile* GetProfile() const;

  // ---- Drawing ----
  int GetBaseY() override { return static_cast<int>(mY); }
  void Draw(Graphics& g) override;

private:
  void BuildAnimations();
  void UpdateAnimation();
  void ChooseIdle();
  void UpdateTreat();
  void UpdateFatigue();
  void UpdateTasks();
  bool IsIdleAnimation() const;
  bool Append(MonkeyAction* task);
  void DrawStanding(Graphics& g);
  // What he holds (not the tray) with its hand point at (x, y).
  void DrawHeld(Graphics& g, int x, int y);
  void DrawDishStack(Graphics& g, int x, int y);

  Board* mBoard;
  ObjectList mTasks;  // of owned MonkeyAction, the front one current
  bool mRunning = false;
  float mX = 0;
  float mY = 0;
  float mSpeed = kNormalSpeed;
  float mTargetSpeed = kNormalSpeed;
  int mBoostFrames = 0;
  float mFatigue = 1.0f;
  BarMovementNode* mNode = nullptr;
  int mCarryCode = kCarryNothing;
  ItemHolder mTray;
  int mTreatKind = 0;
  int mDishes[kMaxDishes] = {};
  int mDishCount = 0;
  int mWalkDirection = kDown;
  bool mEatSoundPlayed = false;
  int mFrameCounter = 0;
  Animation mAnimations[kAnimationCount];
  Animation* mCurrentAnimation = nullptr;
};

}  // namespace Plix
