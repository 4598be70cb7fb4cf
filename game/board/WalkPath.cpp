#include "game/board/WalkPath.h"

#include <cmath>

namespace Plix {

PathSegment::PathSegment(float startX, float startY, float endX, float endY)
    : mStartX(startX), mStartY(startY), mEndX(endX), mEndY(endY) {
  ComputeDirection();
}

void PathSegment::Reset() { *this = PathSegment(); }

static float Clamp01(float t) { return t < 0 ? 0 : (t > 1 ? 1 : t); }

float PathSegment::GetXAt(float t) const { return mStartX + (mEndX - mStartX) * Clamp01(t); }

float PathSegment::GetYAt(float t) const { return mStartY + (mEndY - mStartY) * Clamp01(t); }

bool PathSegment::ComputeDirection() {
  if (mStartX == mEndX && mStartY == mEndY) {
    mReciprocalLength = 0;
    mForwardFacing = kFacingNone;
    mBackwardFacing = kFacingNone;
    return false;
  }
  const float dx = mEndX - mStartX;
  const float dy = mEndY - mStartY;
  mReciprocalLength = 1.0f / std::sqrt(dx * dx + dy * dy);
  if (std::fabs(dx) >= std::fabs(dy)) {
    mForwardFacing = dx > 0 ? kFacingRight : kFacingLeft;
    mBackwardFacing = dx > 0 ? kFacingLeft : kFacingRight;
  } else {
    mForwardFacing = dy > 0 ? kFacingDown : kFacingUp;
    mBackwardFacing = dy > 0 ? kFacingUp : kFacingDown;
  }
  return true;
}

bool PathSegment::Advance(float distance) {
  if (mProgress >= 1) {
    mProgress = 1;
    return true;
  }
  mProgress += distance * mReciprocalLength;
  if (mProgress >= 1) {
    mProgress = 1;
    return true;
  }
  return false;
}

namespace {

// One walker over a list of segments: the path's own or a cursor's.
struct Walker {
  const ObjectList& segments;
  ObjectListIterator& it;
  float& x;
  float& y;
  float& progress;

  PathSegment* Current() const { return it.AtEnd() ? nullptr : static_cast<PathSegment*>(it.Get()); }
  void Follow(const PathSegment& s) {
    x = s.GetXAt(progress);
    y = s.GetYAt(progress);
  }

  bool Forward(float distance, bool loop);
  bool Backward(float distance);
};

bool Walker::Forward(float distance, bool loop) {
  if (distance < 0) return Backward(-distance);
  PathSegment* s = Current();
  // Without a piece there is nowhere to go.
  if (!s) return true;
  const bool last = it.GetIndex() == segments.GetCount() - 1;
  if (last && progress >= 1) return true;
  if (distance == 0) return false;
  const float old = progress;
  progress += s->GetReciprocalLength() * distance;
  if (progress < 1) {
    Follow(*s);
    return false;
  }
  const float left = distance - (1 - old) / s->GetReciprocalLength();
  if (!last) {
    it.SeekTo(it.GetIndex() + 1);
  } else if (loop) {
    it.Begin(segments);
  } else {
    progress = 1;
    Follow(*s);
    return true;
  }
  PathSegment* next = Current();
  progress = next->GetReciprocalLength() * left;
  Follow(*next);
  return false;
}

bool Walker::Backward(float distance) {
  if (distance < 0) return Forward(-distance, false);
  PathSegment* s = Current();
  if (!s) return true;
  const bool first = it.GetIndex() == 0;
  if (first && progress <= 0) return true;
  if (distance == 0) return false;
  const float old = progress;
  progress -= s->GetReciprocalLength() * distance;
  if (progress > 0) {
    Follow(*s);
    return false;
  }
  if (first) {
    progress = 0;
    Follow(*s);
    return true;
  }
  const float left = distance - old / s->GetReciprocalLength();
  it.SeekTo(it.GetIndex() - 1);
  PathSegment* previous = Current();
  progress = 1 - previous->GetReciprocalLength() * left;
  Follow(*previous);
  return false;
}

// The first piece whose x-range holds x, and the progress there; a piece of
// no width counts as progress 0.
PathSegment* SegmentAtX(const ObjectList& segments, float x, int& index, float& t) {
  ObjectListIterator it;
  it.Begin(segments);
  for (; !it.AtEnd(); it.Next()) {
    auto* s = static_cast<PathSegment*>(it.Get());
    if (s->GetStartX() <= x && x <= s->GetEndX()) {
      const float width = s->GetEndX() - s->GetStartX();
      t = width != 0 ? (x - s->GetStartX()) / width : 0;
      index = it.GetIndex();
      return s;
    }
  }
  return nullptr;
}

}  // namespace

WalkPath::WalkPath() { mIterator.Begin(mSegments); }

WalkPath::~WalkPath() { Clear(); }

void WalkPath::Clear() {
  ObjectListIterator it;
  for (it.Begin(mSegments); !it.AtEnd(); it.Next()) delete static_cast<PathSegment*>(it.Get());
  mSegments.Clear();
  mIterator.Begin(mSegments);
  mLastX = 0;
  mLastY = 0;
  mX = -1;
  mY = -1;
  mProgress = 0;
  mTotalLength = 0;
}

void WalkPath::AddPoint(float x, float y) {
  if (mX == -1 && mY == -1) {
    mLastX = mX = x;
    mLastY = mY = y;
    return;
  }
  if (x == mLastX && y == mLastY) return;
  auto* s = new PathSegment(mLastX, mLastY, x, y);
  mSegments.PushBack(s);
  mTotalLength += s->GetLength();
  mLastX = x;
  mLastY = y;
}

void WalkPath::Start() {
  mIterator.Begin(mSegments);
  if (!mIterator.AtEnd()) {
    auto* s = static_cast<PathSegment*>(mIterator.Get());
    mX = s->GetStartX();
    mY = s->GetStartY();
  }
  mProgress = 0;
}

void WalkPath::GoToEnd() {
  if (mSegments.IsEmpty()) return;
  mIterator.Begin(mSegments);
  mIterator.SeekTo(mSegments.GetCount() - 1);
  auto* s = static_cast<PathSegment*>(mIterator.Get());
  mX = s->GetEndX();
  mY = s->GetEndY();
  mProgress = 1;
}

bool WalkPath::Advance(float distance) { return Walker{mSegments, mIterator, mX, mY, mProgress}.Forward(distance, false); }

bool WalkPath::AdvanceBackward(float distance) {
  return Walker{mSegments, mIterator, mX, mY, mProgress}.Backward(distance);
}

int32_t WalkPath::GetCurrentDirection() const {
  return mIterator.AtEnd() ? kFacingNone : static_cast<PathSegment*>(mIterator.Get())->GetDirection();
}

void PathCursor::Start(const WalkPath& path) {
  mIterator.Begin(path.GetSegments());
  if (!mIterator.AtEnd()) {
    auto* s = static_cast<PathSegment*>(mIterator.Get());
    mX = s->GetStartX();
    mY = s->GetStartY();
  }
  mProgress = 0;
}

bool PathCursor::Advance(const WalkPath& path, float distance, bool loop) {
  return Walker{path.GetSegments(), mIterator, mX, mY, mProgress}.Forward(distance, loop);
}

bool PathCursor::AdvanceBackward(const WalkPath& path, float distance) {
  return Walker{path.GetSegments(), mIterator, mX, mY, mProgress}.Backward(distance);
}

void PathCursor::PointAtX(const WalkPath& path, float x, float& outX, float& outY) const {
  const ObjectList& segments = path.GetSegments();
  if (segments.IsEmpty()) {
    outX = -1;
    outY = -1;
    return;
  }
  auto* first = static_cast<PathSegment*>(segments.GetAt(0));
  if (first->GetStartX() >= x) {
    outX = first->GetStartX();
    outY = first->GetStartY();
    return;
  }
  int index = 0;
  float t = 0;
  if (PathSegment* s = SegmentAtX(segments, x, index, t)) {
    outX = x;
    outY = s->GetStartY() + t * (s->GetEndY() - s->GetStartY());
    return;
  }
  auto* last = static_cast<PathSegment*>(segments.GetAt(segments.GetCount() - 1));
  outX = last->GetEndX();
  outY = last->GetEndY();
}

bool PathCursor::SeekToX(const WalkPath& path, float x) {
  int index = 0;
  float t = 0;
  PathSegment* s = SegmentAtX(path.GetSegments(), x, index, t);
  if (!s) return false;
  mIterator.Begin(path.GetSegments());
  mIterator.SeekTo(index);
  mProgress = t;
  mX = s->GetXAt(t);
  mY = s->GetYAt(t);
  return true;
}

int32_t PathCursor::GetCurrentDirection() const {
  return mIterator.AtEnd() ? kFacingNone : static_cast<PathSegment*>(mIterator.Get())->GetDirection();
}

}  // namespace Plix
