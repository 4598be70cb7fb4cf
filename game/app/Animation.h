#pragma once
// Frame animation over the cels of one image strip, advanced by a speed
// once per update tick. Built frame by frame, then Reset, then Update and
// Draw every tick.
#include "game/app/ObjectList.h"

namespace Plix {

class Graphics;
class Image;

struct AnimationFrame {
  int row;
  int cel;
  int duration;  // update ticks
  float offsetX;
  float offsetY;
};

class Animation {
public:
  Animation() = default;
  // Deletes the frames when this animation owns them.
  ~Animation();
  // A copy shares the frame list without owning it; the original (or
  // whoever it was moved to) keeps it.
  Animation(const Animation& other);
  Animation& operator=(const Animation& other);
  Animation(Animation&& other) noexcept;
  Animation& operator=(Animation&& other) noexcept;

  void AddFrame(int cel, int duration, float offsetX = 0.0f, float offsetY = 0.0f);
  void SetRow(int row) { mRow = row; }
  void SetLooping() { mLooping = true; }
  void SetSpeed(float speed) { mSpeed = speed; }
  void SetImage(Image* image) { mImage = image; }
  Image* GetImage() const { return mImage; }
  void SetPosition(int x, int y) { mX = x; mY = y; }
  int GetX() const { return mX; }
  int GetY() const { return mY; }
  float GetSpeed() const { return mSpeed; }

  // Back to the first frame; must run after the frames are added.
  void Reset();
  // One tick; true while not finished. At most one frame change per tick.
  bool Update();
  bool IsFinished() const { return mFinished; }

  int GetCurrentRow() const;
  int GetCurrentCel() const;
  float GetCurrentOffsetX() const;
  float GetCurrentOffsetY() const;
  int GetFrameCounter() const { return mFrameCounter; }
  // True once per pass when the frame counter equals n.
  bool IsAtFrameOnce(int n);
  // The cel of the frame entered last, once; -1 when already taken.
  int TakeNewCel();
  void ShareFrames() { mOwnsFrames = false; }

  // The current cel at the draw position; a cel outside the image's grid
  // draws nothing.
  void Draw(Graphics& g) const;

private:
  const AnimationFrame* Current() const;
  void DeleteFrames();

  ObjectList* mFrames = nullptr;
  ObjectListIterator mCursor;
  bool mLooping = false;
  float mSpeed = 1.0f;
  float mElapsed = 0.0f;
  int mRow = 0;
  Image* mImage = nullptr;
  bool mOwnsFrames = true;
  int mFrameCounter = 0;
  bool mFrameEventFired = false;
  int mX = 0;
  int mY = 0;
  int mPendingCel = -1;
  bool mFinished = false;
};

}  // namespace Plix
