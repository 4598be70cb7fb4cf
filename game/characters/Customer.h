#pragma once
// One guest of a story day: seated by the customer manager, it fades in,
// chooses, waits with a falling mood, eats what it is served, may ask for a
// napkin or order a second time, pays and fades out. The seven kinds set
// its parameters and animations and override its treat and entertainment
// reactions; everything else lives here.
#include <initializer_list>
#include <utility>

#include "game/app/Animation.h"
#include "game/board/IceCream.h"

namespace Plix {

class Board;
class CustomerManager;
class Graphics;
class Image;
class Table;

class Customer {
public:
  enum State { kChoosing = 0, kWaiting = 1, kEating = 2, kFinished = 3, kLeaving = 4 };
  enum AnimationIndex { kIdle, kChoosingAnim, kPleased, kContent, kUnhappy, kHandEating, kSpoonEating, kAnimationCount };
  // Dish offsets, in this order: plate (order kind 3), special cup (4),
  // banana split (6), special plate (5), cake (7).
  static constexpr int kDishKinds = 5;

  virtual ~Customer() = default;
  Customer(const Customer&) = delete;
  Customer& operator=(const Customer&) = delete;

  virtual bool MatchesOrderExactly(const IceCream* item) const;
  virtual bool MatchesOrder(const IceCream* item) const;
  virtual bool WantsNapkin() const { return mWantsNapkin; }
  virtual bool CanTakeCookie() const { return mCookies < 1; }
  virtual bool CanTakeLemonade() const { return mLemonades < 1; }
  virtual float GetMood() const { return mMood; }
  virtual int GetPrice() const { return mPrice; }
  virtual int GetMoney() const { return mExtraMoney; }
  // A second order begins.
  virtual void StartChoosing();
  virtual void ReceiveItem(const IceCream* item);
  virtual void GiveNapkin();
  virtual void GiveCookie(int grade);
  virtual void GiveLemonade(int grade);
  virtual void WatchJuggling(int level);
  virtual void HearBarrelOrgan(int level);
  // A sunshade over a customer who sat without one.
  virtual void AddPayment(int amount);
  virtual void LowerMood();
  // One update; true once the visit is over.
  virtual bool Update();
  virtual void Draw(Graphics& g);
  virtual void DrawLegs(Graphics& g);

  const IceCream& GetOrder() const { return mOrder; }
  void SetTable(Table* table);
  Table* GetTable() const { return mTable; }
  void SetSeatSide(int side) { mSeatSide = side; }
  int GetSeatSide() const { return mSeatSide; }
  // The cloud's centre across from the seat point at screen x `seatX`:
  // beside the head, on the far side of the figure, but moved in from a
  // screen edge so that the whole wish shows.
  int GetCloudX(int seatX) const;
  // A fixed first order, chosen by someone else.
  void SetOrder(const IceCream& item);
  void SetReadyMark(bool on) { mReadyMark = on; }
  bool GetReadyMark() const { return mReadyMark; }
  void SetSunshadeLevel(int level) { mSunshadeLevel = level; }
  int GetSunshadeLevel() const { return mSunshadeLevel; }
  // Kept within 0..100; moves the cloud's face when its band changes.
  void ChangeMood(float delta);
  int GetState() const { return mState; }
  int GetGroup() const { return mGroup; }
  void SetGroup(int group) { mGroup = group; }
  void SetOrderValue(int value) { mOrderValue = value; }
  int GetOrderValue() const { return mOrderValue; }
  bool MayReorder() const { return mMayReorder; }
  void SetMayReorder(bool may) { mMayReorder = may; }
  bool HasReordered() const { return mReordered; }
  void SetReordered() { mReordered = true; }
  float GetReorderThreshold() const { return mReorderThreshold; }
  int GetKindCode() const { return mKindCode; }
  Image* GetSittingImage() const { return mSittingImage; }
  // The dish offset of an order kind 3..7.
  void GetDishOffset(int orderKind, int& x, int& y) const;
  int GetNapkins() const { return mNapkins; }
  int GetCookies() const { return mCookies; }
  int GetLemonades() const { return mLemonades; }
  int GetJugglingShows() const { return mJugglingShows; }
  int GetOrganTunes() const { return mOrganTunes; }
  int GetWaited() const { return mWaited; }
  int GetCountdown() const { return mCountdown; }
  int GetChooseTime() const { return mChooseTime; }
  int GetAlpha() const { return mAlpha; }
  int GetFlash() const { return mFlash; }
  int GetLaughCountdown() const { return mLaughCountdown; }
  int GetTargetBand() const { return mTargetBand; }
  int GetShownBand() const { return mShownBand; }
  int GetBandProgress() const { return mBandProgress; }
  float GetMoodLossRate() const { return mMoodLossRate; }
  int GetNapkinReduction() const { return mNapkinReduction; }
  const Animation* GetCurrentAnimation() const { return mCurrentAnimation; }
  const Animation& GetAnimation(int index) const { return mAnimations[index]; }
  Image* GetFadeImage() const { return mFadeImage; }
  CustomerManager* GetManager() const { return mManager; }

protected:
  explicit Customer(CustomerManager* manager);

  Board* GetBoard() const;
  void MakeCurrent(int animation);
  // Pleased, content or unhappy by the mood.
  void ShowMoodAnimation();
  // Shared by the kinds' treat and entertainment reactions.
  void AfterTreat(int grade, int extraMoney);
  void AfterShow(int count, int level, float moodPerLevel, int extraMoney);
  // The kind's frames: (cel, updates) pairs.
  void AddFrames(int animation, std::initializer_list<std::pair<int, int>> frames, bool looping);

  bool mPresetOrder = false;
  CustomerManager* mManager;
  int mGroup = 0;
  Table* mTable = nullptr;
  int mState = kChoosing;
  int mOrderValue = 1;
  IceCream mOrder;
  bool mWantsNapkin = false;
  int mNapkins = 0;
  int mCookies = 0;
  int mLemonades = 0;
  int mJugglingShows = 0;
  int mOrganTunes = 0;
  int mSeatSide = 0;
  float mMood = 80.0f;
  int mNapkinReduction = 2;
  int mSunshadeLevel = 0;
  float mMoodLossRate = 0.25f;
  float mReorderThreshold = 65.0f;
  int mCountdown = 0;
  int mWaited = 0;
  bool mReordered = false;
  bool mMayReorder = true;
  int mPrice = 0;
  int mExtraMoney = 0;
  bool mReadyMark = false;
  int mAlpha = 0;
  int mAlphaStep = 4;
  int mBodyX = 0, mBodyY = 0;
  int mLegsX = 0, mLegsY = 0;
  int mDishOffsets[kDishKinds][2] = {{32, -16}, {32, -16}, {32, -16}, {32, -16}, {32, -16}};
  int mCloudOffset = 32;
  int mShownBand = 0;
  int mTargetBand = 0;
  int mBandProgress = 0;
  float mCloudPhase = 0.0f;
  float mCloudSwing = 0.0f;
  int mFlash = 0;
  int mReorderGlow = 0;
  int mGlowStep = 0;
  Image* mSittingImage = nullptr;
  Image* mLegsImage = nullptr;
  bool mFacing = false;
  Animation* mCurrentAnimation = nullptr;
  int mSpoonFrame = 0;
  int mLaughCountdown = 0;
  int mChooseTime = 0;
  int mKindCode = 0;
  Animation mAnimations[kAnimationCount];
  Image* mFadeImage = nullptr;
  int mFadeCel = 0;
  int mFadeTicks = 0;
  int mGroupWait = 0;
  int mNapkinTicks = 0;

private:
  // The figure is drawn flipped when exactly one of seat side 1 and the
  // kind's facing is set.
  bool IsMirrored() const;
  // Where the seated picture's top-left corner goes before the kind's
  // offsets.
  int BodyLeft() const;
  int BodyTop() const;
  void DrawCloudBubbles(Graphics& g);
  void DrawCloudContent(Graphics& g);
  void UpdateChoosing();
  void UpdateWaiting();
  void UpdateEating();
  void UpdateFinished();
  void Leave();
};

}  // namespace Plix
