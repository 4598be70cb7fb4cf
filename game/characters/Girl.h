#pragma once
// Pemi, the heroine: her queue of errands, her walk along the counter and
// the bench, what she carries and her animations. The board creates her,
// runs her update every tick and steps her running errand every frame.
namespace Plix {

class Board;
struct IceCreamBox;

class Girl {
public:
  Girl(Board* board, float x, float y) : mBoard(board), mX(x), mY(y) {}
  ~Girl() = default;
  Girl(const Girl&) = delete;
  Girl& operator=(const Girl&) = delete;

  // No errand queued or running.
  bool IsIdle() const { return true; }
  // What she holds: 0 nothing, 35 an ice-cream box, else an item code.
  int GetCarryCode() const { return mCarryCode; }
  float GetX() const { return mX; }
  float GetY() const { return mY; }
  // The talking animation while her balloon types.
  void StartSpecialAnimation() {}
  void StopSpecialAnimation() {}
  // One tick of the queue and the animations.
  void Update() {}
  // Once a frame: the running errand moves by the fraction of a tick.
  void StepCurrentAction(float) {}
  // An errand for that box is queued or running.
  bool HasIceCreamBoxActionFor(const IceCreamBox*) const { return false; }

private:
  Board* mBoard;
  float mX;
  float mY;
  int mCarryCode = 0;
};

}  // namespace Plix
