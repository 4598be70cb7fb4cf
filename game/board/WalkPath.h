#pragma once
// Tracks on the shop floor: polylines of straight pieces along which the
// heroine, the Happy Hour crowd, the belt's containers and the monkey move.
// A WalkPath carries one walker of its own; PathCursors let many walkers
// share one path's pieces. Speeds are pixels per update.
#include <cstdint>

#include "game/app/ObjectList.h"

namespace Plix {

// Facings, from the direction of a piece.
constexpr int32_t kFacingNone = 0;
constexpr int32_t kFacingRight = 1;
constexpr int32_t kFacingDown = 2;
constexpr int32_t kFacingLeft = 3;
constexpr int32_t kFacingUp = 4;

// One straight piece with its own progress (0 at the start, 1 at the end).
class PathSegment {
public:
  PathSegment() = default;
  PathSegment(float startX, float startY, float endX, float endY);

  // Every field 0.
  void Reset();
  // These only store; whoever moves an end calls ComputeDirection.
  void SetStart(float x, float y) {
    mStartX = x;
    mStartY = y;
  }
  void SetEnd(float x, float y) {
    mEndX = x;
    mEndY = y;
  }
  void SetProgress(float t) { mProgress = t; }
  float GetProgress() const { return mProgress; }

  float GetStartX() const { return mStartX; }
  float GetStartY() const { return mStartY; }
  float GetEndX() const { return mEndX; }
  float GetEndY() const { return mEndY; }
  int32_t GetDirection() const { return mForwardFacing; }
  int32_t GetBackwardDirection() const { return mBackwardFacing; }
  float GetReciprocalLength() const { return mReciprocalLength; }
  float GetLength() const { return 1.0f / mReciprocalLength; }

  // The point at the progress, not clamped.
  float GetCurrentX() const { return mStartX + (mEndX - mStartX) * mProgress; }
  float GetCurrentY() const { return mStartY + (mEndY - mStartY) * mProgress; }
  // The point at t clamped to [0, 1].
  float GetXAt(float t) const;
  float GetYAt(float t) const;

  // Length and facings from the ends; false for a piece of zero length.
  bool ComputeDirection();
  // True once the end is reached (progress then 1).
  bool Advance(float distance);

private:
  float mStartX = 0;
  float mStartY = 0;
  float mEndX = 0;
  float mEndY = 0;
  float mProgress = 0;
  float mReciprocalLength = 0;
  int32_t mForwardFacing = 0;
  int32_t mBackwardFacing = 0;
};

class WalkPath {
public:
  WalkPath();
  ~WalkPath();
  WalkPath(const WalkPath&) = delete;
  WalkPath& operator=(const WalkPath&) = delete;

  void Clear();
  // The first point places the walker; a repeated point adds nothing.
  void AddPoint(float x, float y);
  // The walker to the start of the first piece.
  void Start();
  // The walker to the end of the last piece.
  void GoToEnd();
  // True when the walker stands at the end of the last piece.
  bool Advance(float distance);
  // True when the walker stands at the start of the first piece.
  bool AdvanceBackward(float distance);

  float GetX() const { return mX; }
  float GetY() const { return mY; }
  int32_t GetCurrentDirection() const;
  float GetTotalLength() const { return mTotalLength; }
  float GetProgress() const { return mProgress; }
  int GetSegmentIndex() const { return mIterator.GetIndex(); }
  const ObjectList& GetSegments() const { return mSegments; }
  int GetSegmentCount() const { return mSegments.GetCount(); }
  PathSegment* GetSegment(int index) const { return static_cast<PathSegment*>(mSegments.GetAt(index)); }

private:
  float mLastX = 0;
  float mLastY = 0;
  ObjectList mSegments;  // of PathSegment, owned
  ObjectListIterator mIterator;
  float mX = -1;
  float mY = -1;
  float mProgress = 0;
  float mTotalLength = 0;
};

// A walker on the pieces of a WalkPath held elsewhere; every operation takes
// that path.
class PathCursor {
public:
  PathCursor() = default;

  void Start(const WalkPath& path);
  // At the end of the last piece it stops (true) or, looping, starts again
  // on the first piece with the distance left over.
  bool Advance(const WalkPath& path, float distance, bool loop);
  bool AdvanceBackward(const WalkPath& path, float distance);
  // The track's point at x, the track running left to right; the cursor
  // does not move.
  void PointAtX(const WalkPath& path, float x, float& outX, float& outY) const;
  // False, leaving the cursor, when no piece spans x.
  bool SeekToX(const WalkPath& path, float x);

  float GetX() const { return mX; }
  float GetY() const { return mY; }
  float GetProgress() const { return mProgress; }
  int GetSegmentIndex() const { return mIterator.GetIndex(); }
  // The facing of the piece the cursor stands on; 0 before Start.
  int32_t GetCurrentDirection() const;

private:
  ObjectListIterator mIterator;
  float mX = -1;
  float mY = -1;
  float mProgress = 0;
};

}  // namespace Plix
