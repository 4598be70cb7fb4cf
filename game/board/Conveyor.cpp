#include "game/board/Conveyor.h"

#include <cmath>

#include "framework/graphics/Graphics.h"
#include "framework/platform/CRand.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/IceCream.h"
#include "game/characters/Girl.h"

namespace Plix {

namespace {

constexpr float kBelt[11][2] = {{41, 458},  {76, 447},  {116, 436}, {154, 427}, {198, 418}, {244, 411},
                                {292, 407}, {352, 404}, {417, 403}, {457, 405}, {466, 407}};

// The program's container count: serial numbers never repeat in a run.
int gNextSerial = 1;

// Bonus items start their lesson once they have come this far and the
// heroine is not standing right by them.
constexpr float kLessonX = 87.0f;
constexpr float kLessonNearX = 32.0f;
constexpr int kFlagGoldenLesson = 18;
constexpr int kFlagBonusLesson = 19;

constexpr float kFastSpeed = 4.0f;
constexpr float kReverseSpeed = -2.0f;
constexpr float kAfterReverseSpeed = 0.25f;
constexpr int kPauseTicks = 500;
constexpr float kPauseRamp = 100.0f;

float BaseSpeed(const Board& board) {
  if (board.GetMode() != 0) return 0.31f;
  // The early days run a hair faster than 0.336 itself.
  return board.GetDay() >= 3 ? 0.28f : std::nextafter(0.336f, 1.0f);
}

int HalfWidth(const IceCream& item) { return item.GetWidth() / 2; }

}  // namespace

// ---------------------------------------------------------------- container

ConveyorContainer::ConveyorContainer(IceCream* item) : mItem(item), mSerial(gNextSerial++) {
  const int kind = item->GetKind();
  mYOffset = kind == kItemCone ? 3 : kind == kItemCup ? 4 : 0;
}

ConveyorContainer::~ConveyorContainer() { delete mItem; }

int ConveyorContainer::PeekNextSerial() { return gNextSerial; }

bool ConveyorContainer::HitTest(int x, int y) const {
  const float cx = mCursor.GetX(), cy = mCursor.GetY();
  const int half = HalfWidth(*mItem) + 12;
  const float bottom = cy + static_cast<float>(mYOffset + mItem->GetDepth());
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  return cx - static_cast<float>(half) <= fx && fx < cx + static_cast<float>(half) &&
         bottom - static_cast<float>(mItem->GetHeight() + 12) <= fy && fy <= bottom + 12.0f;
}

// ------------------------------------------------------------------ the belt

Conveyor::Conveyor(Board* board) : mBoard(board) {
  mBaseSpeed = BaseSpeed(*board);
  mSpeed = mTargetSpeed = mBaseSpeed;
  for (const auto& p : kBelt) mBelt.AddPoint(p[0], p[1]);
  mBelt.Start();
  for (int i = 0; i < kDirtCount; ++i) {
    mDirt[i].mCel = i % 3;
    mDirt[i].mCursor.Start(mBelt);
    mDirt[i].mCursor.SeekToX(mBelt, static_cast<float>(Rand() % 425 + 41));
  }
}

Conveyor::~Conveyor() { DeleteAll(); }

void Conveyor::DeleteAll() {
  void* item = nullptr;
  while (mContainers.PopFront(item)) delete static_cast<ConveyorContainer*>(item);
  while (mPending.PopFront(item)) delete static_cast<IceCream*>(item);
  mLastAdded = nullptr;
  mHighlighted = nullptr;
}

void Conveyor::Reset() {
  DeleteAll();
  mSpeed = mTargetSpeed = mBaseSpeed;
  mJammed = false;
  mReversing = false;
  mFastForward = false;
  mPauseCountdown = 0;
}

void Conveyor::AddItem(int kind, bool atFront) {
  auto* item = new IceCream(IceCream::CreateOfKind(kind));
  if (atFront)
    mPending.PushFront(item);
  else
    mPending.PushBack(item);
}

bool Conveyor::CanAddContainer(const IceCream& item) const {
  const int kind = item.GetKind();
  if ((kind < kItemSpecialCup || kind > kItemCake) && mBoard->IsFFButtonActionQueued()) return false;
  if (mFastForward) return false;
  if (!mLastAdded) return true;
  if (mReversing) return false;
  const int needed = (mLastAdded->GetItem()->GetWidth() + item.GetWidth()) / 2;
  return mLastAdded->GetX() - kStartX >= static_cast<float>(needed) + mGap;
}

void Conveyor::EnterFirstPending() {
  if (mContainers.IsEmpty() || mJammed) {
    SetSpeedNow(mBaseSpeed);
    mFastForward = false;
  }
  void* pending = nullptr;
  mPending.PopFront(pending);
  auto* container = new ConveyorContainer(static_cast<IceCream*>(pending));
  container->mCursor.Start(mBelt);
  mBoard->mApp.PlaySound(SOUND_CONTAINER_ADDED_TO_CONVEYER);
  mContainers.PushBack(container);
  mLastAdded = container;
  const int kind = container->mItem->GetKind();
  // The station's badge for this click goes down as the holder enters.
  if (IceCream::IsBasicKind(kind)) mBoard->DecrementGirlPendingClicks(kind + 1, nullptr);
}

void Conveyor::Update() {
  if (!mPending.IsEmpty() && CanAddContainer(*static_cast<IceCream*>(mPending.GetAt(0)))) EnterFirstPending();

  if (mPauseCountdown != 0 && mSpeed == 0.0f) {
    if (--mPauseCountdown == 0) SetSpeed(mSavedSpeed, static_cast<int>(mPauseRamp));
  }

  if (mTargetSpeed > mSpeed) {
    mSpeed += mStep;
    if (mSpeed > mTargetSpeed) mSpeed = mTargetSpeed;
  } else if (mTargetSpeed < mSpeed) {
    mSpeed += mStep;
    if (mSpeed < mTargetSpeed) mSpeed = mTargetSpeed;
  }

  if (mFastForward) {
    const bool over = mLastAdded ? mLastAdded->mStoppedAtEnd : mSpeed == mTargetSpeed;
    if (over) {
      mFastForward = false;
      SetSpeed(mBaseSpeed, 10);
    }
  }
}

void Conveyor::SetSpeed(float speed, int frames) {
  if (frames == 0) {
    mSpeed = mTargetSpeed = speed;
    return;
  }
  mTargetSpeed = speed;
  mStep = (speed - mSpeed) / static_cast<float>(frames);
}

void Conveyor::SetSpeedNow(float speed) { mSpeed = mTargetSpeed = speed; }

void Conveyor::FastForward() {
  mPauseCountdown = 0;
  mReversing = false;
  SetSpeed(kFastSpeed, 100);
  mFastForward = true;
  mBoard->mApp.PlaySound(SOUND_CONVEYER_FAST_FORWARD);
}

void Conveyor::StartReverse() {
  if (mContainers.IsEmpty()) return;
  mPauseCountdown = 0;
  mFastForward = false;
  SetSpeed(kReverseSpeed, 100);
  mReversing = true;
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) static_cast<ConveyorContainer*>(it.Get())->mStoppedAtStart = false;
}

void Conveyor::Pause() {
  if (mPauseCountdown == 0) mSavedSpeed = mTargetSpeed;
  mFastForward = false;
  mReversing = false;
  mPauseRamp = kPauseRamp;
  mPauseCountdown = kPauseTicks;
  SetSpeed(0.0f, 100);
}

void Conveyor::Move(float dt) {
  const float distance = mSpeed * dt;
  if (mReversing && mSpeed < 0.0f)
    MoveBackward(distance);
  else
    MoveForward(distance);
}

void Conveyor::MoveForward(float distance) {
  bool blocked = false;
  bool taken = false;
  float limit = 0;
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) {
    auto* c = static_cast<ConveyorContainer*>(it.Get());
    const float half = static_cast<float>(HalfWidth(*c->mItem));
    if (!blocked) {
      if (c->mCursor.Advance(mBelt, distance, false)) {
        if (mBoard->OfferToServingMonkey(c->mItem, static_cast<int>(c->GetX()), static_cast<int>(c->GetY()),
                                         c->mSerial)) {
          taken = true;
          if (c->mStoppedAtEnd) ClearStoppedAtEnd();
        } else {
          c->mStoppedAtEnd = true;
          blocked = true;
          limit = c->GetX() - half - mGap;
        }
      } else {
        CheckBonusLesson(*c);
      }
      continue;
    }
    if (!c->mStoppedAtEnd && c->GetX() + half <= limit) {
      c->mCursor.Advance(mBelt, distance, false);
      blocked = false;
      continue;
    }
    if (!c->mStoppedAtEnd) {
      c->mCursor.SeekToX(mBelt, limit - half);
      c->mStoppedAtEnd = true;
    }
    limit = c->GetX() - half - mGap;
  }
  mJammed = blocked;
  if (taken) {
    void* front = nullptr;
    mContainers.PopFront(front);
    auto* c = static_cast<ConveyorContainer*>(front);
    if (c == mLastAdded) mLastAdded = nullptr;
    if (c->mItem == mHighlighted) mHighlighted = nullptr;
    if (c->mItem->GetDecoration() == kItemSparkler) mBoard->OnSparklerRemoved();
    delete c;
  }
  for (ConveyorDirt& dirt : mDirt) dirt.mCursor.Advance(mBelt, distance, true);
}

void Conveyor::MoveBackward(float distance) {
  // The speed is below 0: walk back by its size.
  const float back = -distance;
  float limit = 0;
  bool haveLimit = false;
  bool allAtStart = true;
  for (int i = mContainers.GetCount() - 1; i >= 0; --i) {
    auto* c = static_cast<ConveyorContainer*>(mContainers.GetAt(i));
    const float half = static_cast<float>(HalfWidth(*c->mItem));
    if (!c->mStoppedAtStart) {
      if (c->mCursor.AdvanceBackward(mBelt, back)) {
        c->mStoppedAtStart = true;
      } else if (haveLimit && c->GetX() - half < limit) {
        c->mCursor.SeekToX(mBelt, limit + half);
        c->mStoppedAtStart = true;
      } else {
        allAtStart = false;
        continue;
      }
    }
    limit = c->GetX() + half + mGap;
    haveLimit = true;
  }
  if (allAtStart) {
    mReversing = false;
    SetSpeedNow(0.0f);
    SetSpeed(kAfterReverseSpeed, 200);
  }
}

void Conveyor::CheckBonusLesson(ConveyorContainer& container) {
  const int kind = container.mItem->GetKind();
  if (!IceCream::IsBonusKindCode(kind)) return;
  if (mBoard->GetTutorial() || !mBoard->mQueuedTutorials.IsEmpty()) return;
  if (container.GetX() < kLessonX) return;
  Girl* girl = mBoard->GetGirl();
  if (girl && std::fabs(girl->GetX() - container.GetX()) <= kLessonNearX) return;
  PlayerProfile* profile = mBoard->mApp.GetCurrentProfile();
  if (kind == kItemGolden) {
    if (!profile || !profile->GetFlag(kFlagGoldenLesson)) mBoard->StartGoldenIceCreamTutorial();
  } else if (!profile || !profile->GetFlag(kFlagBonusLesson)) {
    mBoard->StartBonusTutorial(static_cast<int>(container.GetX()), static_cast<int>(container.GetY()));
  }
}

// ------------------------------------------------------------------ queries

bool Conveyor::HasItemOnBelt(const IceCream* item) const { return FindContainerOfItem(item) != nullptr; }

ConveyorContainer* Conveyor::FindContainerOfItem(const IceCream* item) const {
  if (!item) return nullptr;
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) {
    auto* c = static_cast<ConveyorContainer*>(it.Get());
    if (c->mItem == item) return c;
  }
  return nullptr;
}

ConveyorContainer* Conveyor::FindContainerBySerial(int serial) const {
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) {
    auto* c = static_cast<ConveyorContainer*>(it.Get());
    if (c->mSerial == serial) return c;
  }
  return nullptr;
}

IceCream* Conveyor::FindItemOfKind12() const {
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) {
    auto* c = static_cast<ConveyorContainer*>(it.Get());
    if (c->mItem->GetKind() == kItemGolden) return c->mItem;
  }
  return nullptr;
}

IceCream* Conveyor::ItemAt(int x, int y) {
  IceCream* found = nullptr;
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) {
    auto* c = static_cast<ConveyorContainer*>(it.Get());
    if (c->HitTest(x, y)) found = c->mItem;
  }
  return found;
}

int Conveyor::CountWaiting(int kind) const {
  int n = 0;
  for (int i = 0; i < mPending.GetCount(); ++i) n += static_cast<const IceCream*>(mPending.GetAt(i))->GetKind() == kind;
  return n;
}

void Conveyor::RemoveItemFromBelt(IceCream* item) {
  ConveyorContainer* c = FindContainerOfItem(item);
  if (!c) return;
  mContainers.Remove(c);
  if (mHighlighted == item) mHighlighted = nullptr;
  delete c;
  mLastAdded = mContainers.IsEmpty() ? nullptr
                                     : static_cast<ConveyorContainer*>(mContainers.GetAt(mContainers.GetCount() - 1));
}

void Conveyor::ForEachItem() {
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) static_cast<ConveyorContainer*>(it.Get())->mItem->ClearPending();
}

void Conveyor::ClearStoppedAtEnd() {
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) static_cast<ConveyorContainer*>(it.Get())->mStoppedAtEnd = false;
}

// ------------------------------------------------------------------ drawing

void Conveyor::Draw(Graphics& g) {
  if (IMAGE_CONVEYER_DIRT) {
    g.PushState();
    g.SetImageTinting(true);
    for (const ConveyorDirt& dirt : mDirt) {
      const int x = static_cast<int>(dirt.mCursor.GetX());
      const int y = static_cast<int>(dirt.mCursor.GetY());
      // The spots fade in and out at the belt's ends.
      float a = 1.0f;
      if (x < 73)
        a = static_cast<float>(x - 41) / 32.0f;
      else if (x >= 435)
        a = static_cast<float>(466 - x) / 32.0f;
      a = a < 0.0f ? 0.0f : a > 1.0f ? 1.0f : a;
      g.SetColor(Color(255, 255, 255, static_cast<int>(255.0f * a)));
      g.DrawImageCell(IMAGE_CONVEYER_DIRT, x - 8, y - 8, dirt.mCel);
    }
    g.PopState();
  }
  ObjectListIterator it;
  for (it.Begin(mContainers); !it.AtEnd(); it.Next()) {
    auto* c = static_cast<ConveyorContainer*>(it.Get());
    const int dx = static_cast<int>(c->GetX());
    const int dy = static_cast<int>(c->GetY()) + c->mYOffset;
    g.Translate(dx, dy);
    const int kind = c->mItem->GetKind();
    if (c->mItem != mHighlighted || (kind >= kItemSpecialCup && kind <= kItemCake)) {
      c->mItem->Draw(g);
    } else if (IceCream::IsBasicKind(kind)) {
      g.Translate(0, -3);
      c->mItem->DrawSelected(g);
      g.Translate(0, 3);
      c->mItem->Draw(g);
    } else {
      c->mItem->DrawSelected(g);
    }
    g.Translate(-dx, -dy);
  }
}

}  // namespace Plix
