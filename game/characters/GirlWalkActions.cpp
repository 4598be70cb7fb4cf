#include "game/board/Board.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"

namespace Plix {

GirlWalkAction::GirlWalkAction(Girl* girl, float targetX, float yOffset, bool bench)
    : GirlAction(girl, false), mTargetX(targetX), mYOffset(yOffset), mBench(bench) {
  mKind = bench ? kGirlWalkByBench : kGirlWalkByCounter;
  mSegment.Reset();
}

WalkPath* GirlWalkAction::Path() const {
  return mBench ? mBoard->GetBenchWalkPath() : mBoard->GetCounterWalkPath();
}

void GirlWalkAction::PointAt(float x, float& outX, float& outY) const {
  mCursor.PointAtX(*Path(), x, outX, outY);
  outY += mYOffset;
}

void GirlWalkAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  if (!Path()) {
    // A floor without this path: nowhere to walk.
    result.finished = true;
    return;
  }
  float px = 0;
  float py = 0;
  PointAt(mGirl->GetX(), px, py);
  if (mGirl->GetX() == px && mGirl->GetY() == py) {
    if (mTargetX == mGirl->GetX()) {
      result.finished = true;
      return;
    }
    mPhase = 1;
    mCursor.SeekToX(*Path(), mGirl->GetX());
    mGirl->StartWalkAnimation(mGirl->GetX() < mTargetX ? Girl::kRight : Girl::kLeft);
    return;
  }
  mPhase = 0;
  mSegment.Reset();
  mSegment.SetStart(mGirl->GetX(), mGirl->GetY());
  mSegment.SetEnd(px, py);
  mSegment.ComputeDirection();
  mSegment.SetProgress(0);
  mGirl->StartWalkAnimation(mBench ? Girl::kDown : Girl::kUp);
}

void GirlWalkAction::Arrive() {
  mGirl->StopAnimations();
  mPhase = 2;
}

void GirlWalkAction::Step(float dt) {
  float d = mGirl->GetSpeed() * dt;
  if (mPhase == 0) {
    bool end = mSegment.Advance(d);
    mGirl->SetPosition(mSegment.GetCurrentX(), mSegment.GetCurrentY());
    if (end) {
      mPhase = 1;
      mCursor.SeekToX(*Path(), mGirl->GetX());
      mGirl->StartWalkAnimation(mGirl->GetX() < mTargetX ? Girl::kRight : Girl::kLeft);
    }
    return;
  }
  if (mPhase != 1) return;
  float cx = mCursor.GetX();
  if (mTargetX == cx) {
    Arrive();
    return;
  }
  bool forward = mTargetX > cx;
  bool pathEnd = forward ? mCursor.Advance(*Path(), d, false) : mCursor.AdvanceBackward(*Path(), d);
  bool shortOfTarget = forward ? mTargetX > mCursor.GetX() : mTargetX < mCursor.GetX();
  if (shortOfTarget) {
    mGirl->SetPosition(mCursor.GetX(), mCursor.GetY() + mYOffset);
    // A target beyond the path's end: she stops where the path does.
    if (pathEnd) Arrive();
    return;
  }
  float px = 0;
  float py = 0;
  PointAt(mTargetX, px, py);
  mGirl->SetPosition(px, py);
  Arrive();
}

}  // namespace Plix
