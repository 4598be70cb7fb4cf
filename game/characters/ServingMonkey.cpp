#include "game/characters/ServingMonkey.h"

#include <initializer_list>

#include "framework/graphics/Graphics.h"
#include "framework/platform/CRand.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/ItemHolder.h"

namespace Plix {

namespace {

struct Frame {
  int cel;
  int ticks;
  float itemX = 0;
  float itemY = 0;
};

// The second picture strip is drawn this far left and up of his origin.
void Build(Animation& a, Image* image, float speed, std::initializer_list<Frame> frames) {
  a.SetImage(image);
  for (const Frame& f : frames) a.AddFrame(f.cel, f.ticks, f.itemX, f.itemY);
  a.SetSpeed(speed);
  if (image == IMAGE_MONKEY_BOY_2) a.SetPosition(-29, -1);
  a.Reset();
}

bool SmallItem(int kind) { return kind == kItemCone || kind == kItemCup || kind == kItemSpecialCup; }

}  // namespace

ServingMonkey::ServingMonkey(Board* board, ItemHolder* counter) : mCounter(counter), mBoard(board) {
  Image* boy1 = IMAGE_MONKEY_BOY_1;
  Image* boy2 = IMAGE_MONKEY_BOY_2;
  Build(mIdleA, boy2, 1.0f,
        {{0, 20}, {1, 200}, {2, 20}, {3, 20}, {4, 20}, {5, 200}, {2, 20}, {3, 20}, {4, 20}, {5, 20}, {2, 20},
         {3, 20}, {4, 20}, {5, 200}, {0, 20}});
  Build(mIdleB, boy1, 1.0f, {{1, 10}, {2, 300}, {1, 10}});
  Build(mIdleC, boy1, 1.0f, {{3, 10}, {4, 20}, {3, 10}});
  Build(mTakeSmall, boy2, 1.7f, {{6, 20}, {7, 10}, {8, 20}});
  Build(mTakeLarge, boy2, 1.7f, {{6, 20}, {7, 10}, {10, 20}});
  Build(mEat, boy1, 1.3f,
        {{15, 50, 27, 76},
         {16, 50, 27, 76},
         {5, 50, 27, 76},
         {7, 20, 27, 76},
         {8, 20},
         {9, 20},
         {10, 20},
         {9, 20},
         {10, 20},
         {9, 20},
         {10, 20}});
  Build(mThrowToTrash, boy1, 1.7f, {{15, 50, 27, 76}, {16, 50, 27, 76}, {5, 50, 27, 76}, {17, 50}, {18, 20}, {19, 20}});
  Build(mThrowToCustomer, boy1, 1.7f, {{17, 50}, {18, 20}});
  Build(mHold, boy2, 1.5f, {{9, 20}});
  Build(mDisgust, boy2, 1.7f, {{9, 20, 27, 76}, {15, 30, 27, 76}, {16, 60, -2, 54}});
  Build(mPutOnCounter, boy2, 1.5f, {{9, 10}, {11, 10}, {12, 30}, {13, 10}});
}

ServingMonkey::~ServingMonkey() = default;

void ServingMonkey::Play(Animation& animation) {
  animation.Reset();
  mCurrent = &animation;
}

void ServingMonkey::Take(const IceCream& item, int containerId, int state) {
  mItem = item;
  mContainerId = containerId;
  if (mItem.GetDecoration() == kItemSparkler) mBoard->OnSparklerAdded();
  mState = state;
  Play(SmallItem(mItem.GetKind()) ? mTakeSmall : mTakeLarge);
}

void ServingMonkey::TakeItem(const IceCream& item, int containerId) {
  mTarget = nullptr;
  Take(item, containerId, kTookUnwanted);
}

void ServingMonkey::TakeItemToState4(const IceCream& item, int containerId) {
  mTarget = nullptr;
  Take(item, containerId, kTookWanted);
}

void ServingMonkey::TakeItemWithTarget(const IceCream& item, int containerId, FlightTarget* target) {
  mTarget = target;
  Take(item, containerId, kTookWanted);
}

bool ServingMonkey::HolderHasRoom() const { return mCounter && mCounter->HasRoomFor(mItem); }

void ServingMonkey::BackToIdle() {
  mState = kIdle;
  mActed = true;
}

void ServingMonkey::LetGo() {
  if (mItem.GetDecoration() == kItemSparkler) mBoard->OnSparklerRemoved();
  mItem.SetKind(kItemNone);
}

void ServingMonkey::Update() {
  if (mCurrent) {
    if (mCurrent == &mDisgust && !mBadSoundPlayed && mCurrent->GetFrameCounter() == 2) {
      mBoard->mApp.PlaySound(SOUND_MONKEY_BAD_ICE_CREAM);
      mBadSoundPlayed = true;
    }
    if (!mCurrent->Update()) mCurrent = nullptr;
  }

  ++mIdleCounter;
  if (mIdleCounter % 200 == 0 && Rand() % 2 == 0 && mState == kIdle && !mCurrent && mItem.GetKind() == kItemNone) {
    const int r = Rand() % 6;
    Play(r <= 2 ? mIdleC : r <= 4 ? mIdleB : mIdleA);
  }

  const int frame = mCurrent ? mCurrent->GetFrameCounter() : -1;
  switch (mState) {
    case kTookUnwanted:
      if (mCurrent) break;
      mBoard->SetServingMonkeyDone();
      if (Rand() % 4 == 0 && (mItem.GetKind() == kItemCone || mItem.GetKind() == kItemCup)) {
        mState = kEating;
        mActed = false;
        Play(mEat);
      } else {
        mState = kDisgusted;
        mBadSoundPlayed = false;
        Play(mDisgust);
      }
      break;
    case kDisgusted:
      if (mCurrent) break;
      mState = kThrowingToTrash;
      mActed = false;
      Play(mThrowToTrash);
      break;
    case kThrowingToTrash:
      if (!mCurrent) {
        BackToIdle();
      } else if (frame == 3 && !mActed) {
        mBoard->ThrowToTrash(&mItem, static_cast<float>(mX + 64), static_cast<float>(mY + 48));
        LetGo();
        mActed = true;
      }
      break;
    case kTookWanted:
      if (mCurrent) break;
      mBoard->SetServingMonkeyDone();
      mState = kHolding;
      Play(mHold);
      break;
    case kHolding:
      if (mCurrent) break;
      if (mTarget) {
        mState = kThrowingToCustomer;
        Play(mThrowToCustomer);
        mBoard->ThrowItem(&mItem, mTarget, static_cast<float>(mX + 64), static_cast<float>(mY + 48));
        mTarget = nullptr;
        LetGo();
      } else if (HolderHasRoom()) {
        mState = kPuttingOnCounter;
        mActed = false;
        Play(mPutOnCounter);
      }
      break;
    case kThrowingToCustomer:
      if (!mCurrent) BackToIdle();
      break;
    case kEating:
      if (!mCurrent) {
        BackToIdle();
      } else if (frame == 3 && !mActed) {
        LetGo();
        mActed = true;
        mBoard->mApp.PlaySound(SOUND_EAT_FRUIT);
      }
      break;
    case kPuttingOnCounter:
      if (!mCurrent) {
        BackToIdle();
      } else if (frame == 2 && !mActed) {
        mCounter->Add(mItem);
        mBoard->MarkCustomersWithReadyOrders();
        LetGo();
        mActed = true;
      }
      break;
    default:
      break;
  }
}

void ServingMonkey::Draw(Graphics& g) {
  const bool empty = mItem.GetKind() == kItemNone;
  if (mCurrent) {
    if (Image* image = mCurrent->GetImage())
      g.DrawImageCell(image, mX + mCurrent->GetX(), mY + mCurrent->GetY(), mCurrent->GetCurrentCel());
    const bool inHand = mCurrent == &mDisgust || mCurrent == &mThrowToTrash || mCurrent == &mEat;
    if (inHand && !empty) {
      const int dx = mX + static_cast<int>(mCurrent->GetCurrentOffsetX());
      const int dy = mY + static_cast<int>(mCurrent->GetCurrentOffsetY());
      g.Translate(dx, dy);
      mItem.Draw(g);
      g.Translate(-dx, -dy);
    }
  }
  if (mCurrent && mCurrent != &mHold && mCurrent != &mPutOnCounter) return;
  const int kind = mItem.GetKind();
  if (!empty && kind >= 1 && kind <= 10) {
    if (!mCurrent && IMAGE_MONKEY_BOY_1) g.DrawImageCell(IMAGE_MONKEY_BOY_1, mX, mY, 5);
    g.Translate(mX + 27, mY + 76);
    mItem.Draw(g);
    g.Translate(-mX - 27, -mY - 76);
  } else if (empty && !mCurrent && IMAGE_MONKEY_BOY_1) {
    g.DrawImageCell(IMAGE_MONKEY_BOY_1, mX, mY, 0);
  }
}

}  // namespace Plix
