#pragma once
// The uncle's room shared by the flavour contest and the hotel's story:
// the background, the happy lady, the serious lady, the uncle and Pemi,
// their short frame animations, the idle animations started at random,
// and Pemi's sideways walk. Each screen owns one scene and starts the
// animations its story needs.
#include "game/app/Animation.h"

namespace Plix {

class Graphics;
class Image;

class ContestScene {
public:
  enum Figure { kHappyLady, kSeriousLady, kUncle, kHeroine, kFigureCount };
  enum Role {
    kHappyTasting,
    kHappyCheering,
    kHappyIdle,
    kHappyReaction,
    kHappyDiscussing,
    kSeriousTasting,
    kSeriousCheering,
    kSeriousIdle,
    kSeriousReaction,
    kSeriousDiscussing,
    kUncleTasting,
    kUncleGesture,
    kUncleReaction,
    kUncleTooWeak,
    kUncleTooStrong,
    kUncleTalking,
    kHeroineIdle,
    kHeroineTalking,
    kHeroineJoy,
    kHeroineSad,
    kHeroineSurprised,
    kHeroineScooping,
    kHeroinePouring,
    kHeroineTakingFruit,
    kHeroineServing,
    kRoleCount
  };

  // The animations are built from the bound images of the group; Pemi's
  // talking loops only where the screen says so.
  ContestScene(int heroineX, bool heroineTalkLoops);

  // Makes the figure's current animation this role's, from its start.
  void Start(Role role);
  void Drop(Figure figure) { mCurrent[figure] = nullptr; }
  Animation* GetCurrent(Figure figure) const { return mCurrent[figure]; }
  bool IsRunning(Figure figure, Role role) const { return mCurrent[figure] == &mAnimations[role]; }
  bool HasAnimation(Figure figure) const { return mCurrent[figure] != nullptr; }
  Animation& GetAnimation(Role role) { return mAnimations[role]; }

  void SetHeroineFront(bool front);
  bool IsHeroineFront() const { return mHeroineFront; }
  int GetHeroineX() const { return mHeroineX; }
  int GetHeroineTarget() const { return mHeroineTarget; }
  void SetHeroineTarget(int x) { mHeroineTarget = x; }
  bool HeroineOnTarget() const { return mHeroineX == mHeroineTarget; }

  // Once per update, before Step: an idle animation on a figure standing
  // still, now and then.
  void TriggerIdle();
  // Once per update: the three others advance; Pemi walks, and her
  // animation advances only while she stands on her target.
  void Step();

  // The serious lady, the happy lady and the uncle.
  void DrawOthers(Graphics* g) const;
  void DrawHeroine(Graphics* g) const;

private:
  static Figure FigureOf(Role role);
  void StepFigure(Figure figure);

  Animation mAnimations[kRoleCount];
  Animation* mCurrent[kFigureCount] = {};
  int mHeroineX;
  int mHeroineTarget;
  bool mHeroineFront = true;
};

}  // namespace Plix
