#include "game/app/Animation.h"

#include <utility>

#include "framework/graphics/Graphics.h"

namespace Plix {

Animation::~Animation() { DeleteFrames(); }

void Animation::DeleteFrames() {
  if (!mOwnsFrames || !mFrames) return;
  void* item = nullptr;
  while (mFrames->PopFront(item)) delete static_cast<AnimationFrame*>(item);
  delete mFrames;
  mFrames = nullptr;
}

Animation::Animation(const Animation& other) { *this = other; }

Animation& Animation::operator=(const Animation& other) {
  if (this == &other) return *this;
  DeleteFrames();
  mFrames = other.mFrames;
  mCursor = other.mCursor;
  mLooping = other.mLooping;
  mSpeed = other.mSpeed;
  mElapsed = other.mElapsed;
  mRow = other.mRow;
  mImage = other.mImage;
  mOwnsFrames = false;
  mFrameCounter = other.mFrameCounter;
  mFrameEventFired = other.mFrameEventFired;
  mX = other.mX;
  mY = other.mY;
  mPendingCel = other.mPendingCel;
  mFinished = other.mFinished;
  return *this;
}

Animation::Animation(Animation&& other) noexcept { *this = std::move(other); }

Animation& Animation::operator=(Animation&& other) noexcept {
  if (this == &other) return *this;
  bool owns = other.mOwnsFrames;
  *this = static_cast<const Animation&>(other);
  mOwnsFrames = owns;
  other.mOwnsFrames = false;
  return *this;
}

void Animation::AddFrame(int cel, int duration, float offsetX, float offsetY) {
  if (!mFrames) {
    mFrames = new ObjectList;
    mOwnsFrames = true;
  }
  mFrames->PushBack(new AnimationFrame{mRow, cel, duration, offsetX, offsetY});
}

const AnimationFrame* Animation::Current() const {
  return mCursor.AtEnd() ? nullptr : static_cast<const AnimationFrame*>(mCursor.Get());
}

void Animation::Reset() {
  mCursor = ObjectListIterator();
  if (mFrames) mCursor.Begin(*mFrames);
  mElapsed = 0.0f;
  mFinished = false;
  mFrameCounter = 0;
  const AnimationFrame* f = Current();
  mPendingCel = f ? f->cel : -1;
}

bool Animation::Update() {
  if (mFinished) return false;
  const AnimationFrame* frame = Current();
  if (!frame) {
    // No frames (or Reset never ran): nothing to play.
    mFinished = true;
    return false;
  }
  mElapsed = mElapsed + mSpeed;
  if (mElapsed < static_cast<float>(frame->duration)) return true;
  ++mFrameCounter;
  if (mCursor.Next()) {
    mElapsed = mElapsed - static_cast<float>(frame->duration);
    mPendingCel = Current()->cel;
    return true;
  }
  if (mLooping) {
    mCursor.Begin(*mFrames);
    mElapsed = mElapsed - static_cast<float>(frame->duration);
    mFrameCounter = 0;
    mFrameEventFired = false;
    return true;
  }
  mFinished = true;
  return false;
}

int Animation::GetCurrentRow() const {
  const AnimationFrame* f = Current();
  return f ? f->row : 0;
}

int Animation::GetCurrentCel() const {
  const AnimationFrame* f = Current();
  return f ? f->cel : 0;
}

float Animation::GetCurrentOffsetX() const {
  const AnimationFrame* f = Current();
  return f ? f->offsetX : 0.0f;
}

float Animation::GetCurrentOffsetY() const {
  const AnimationFrame* f = Current();
  return f ? f->offsetY : 0.0f;
}

bool Animation::IsAtFrameOnce(int n) {
  if (mFrameCounter != n || mFrameEventFired) return false;
  mFrameEventFired = true;
  return true;
}

int Animation::TakeNewCel() {
  int cel = mPendingCel;
  mPendingCel = -1;
  return cel;
}

void Animation::Draw(Graphics& g) const {
  const AnimationFrame* f = Current();
  if (!f || !mImage) return;
  g.DrawImageCellAt(mImage, mX, mY, f->cel, f->row);
}

}  // namespace Plix
