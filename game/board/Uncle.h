#pragma once
// The heroine's uncle, who appears on the floor to hand over a trophy
// grade: he fades in holding the trophy, announces it in a balloon, lifts
// it so that it bursts into stars, and fades out again. The day stands
// still meanwhile. The board owns him for the whole day, updates him while
// a visit runs (state not 0) and tells him when his balloon types and when
// the player has dismissed it.
#include <string>

#include "game/app/ZObject.h"

namespace Plix {

class Board;
class Graphics;
class Image;

class Uncle : public ZObject {
public:
  enum State { kIdle, kAppearing, kTalking, kPause, kHoldingUp, kBurst, kDisappearing };
  static constexpr int kTrophyCount = 10;

  explicit Uncle(Board* board) : mBoard(board) {}
  Uncle(const Uncle&) = delete;
  Uncle& operator=(const Uncle&) = delete;

  // His feet.
  int GetBaseY() override;
  void Draw(Graphics& g) override;
  // The trophy growing and fading over the floor while it bursts.
  void DrawTrophyBurst(Graphics& g);

  // A visit to hand over the trophy (0..9) at the grade (1..3); a visit
  // already running starts again with the new trophy.
  void StartAward(int trophy, int grade);
  // One board tick of a visit; nothing while idle.
  void UpdateVisit();
  // The player has dismissed his balloon.
  void OnBalloonClosed();
  void StartTalking() { mTalking = true; }
  void StopTalking() { mTalking = false; }

  int GetState() const { return mState; }
  bool IsIdle() const { return mState == kIdle; }
  // His place on the floor (the top left of his picture), from the floor
  // layout.
  void SetPosition(int x, int y) {
    mX = x;
    mY = y;
  }
  int GetLeft() const { return mX; }
  int GetTop() const { return mY; }
  // The point his balloon is placed from: his centre, at his feet.
  int GetX() const;
  int GetY() const;

  int GetTrophy() const { return mTrophy; }
  // 0 bronze, 1 silver, 2 golden.
  int GetGrade() const { return mGrade; }
  int GetTicks() const { return mTicks; }
  int GetFrame() const { return mFrame; }
  int GetAlpha() const { return mAlpha; }
  float GetBurstScale() const { return mBurstScale; }
  int GetBurstAlpha() const { return mBurstAlpha; }
  bool IsTalking() const { return mTalking; }
  int GetMouthCel() const { return kMouthCels[mMouthIndex]; }

  // What the balloon says: the trophy's sentence, the grade's word and the
  // trophy's name.
  static std::wstring AwardText(int trophy, int grade);

private:
  static constexpr int kMouthCels[6] = {2, 0, 2, 1, 0, 1};

  void ShowAwardText();
  void BurstTrophy();
  void DrawTrophyInHand(Graphics& g);
  int TrophyCelWidth() const;
  int TrophyCelHeight() const;

  Board* mBoard;
  int mX = 0;
  int mY = 0;
  int mState = kIdle;
  int mTrophy = 0;
  int mGrade = 0;
  int mTicks = 0;
  int mFrame = 0;
  Image* mTrophyImage = nullptr;
  int mTrophyOffsetX = 0;
  int mTrophyOffsetY = 0;
  int mAlpha = 0;
  float mBurstScale = 0;
  int mBurstAlpha = 0;
  bool mTalking = false;
  int mMouthIndex = 0;
};

}  // namespace Plix
