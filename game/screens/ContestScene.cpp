#include "game/screens/ContestScene.h"

#include <cstdlib>
#include <iterator>

#include "framework/graphics/Graphics.h"
#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"

namespace Plix {

namespace {

using Frames = int[2];

// cel, duration in updates
constexpr Frames kHappyTastingFrames[] = {{0, 50}, {1, 10}, {2, 10}, {1, 20}, {3, 20}, {0, 20}, {3, 20}, {0, 20}, {3, 20}};
constexpr Frames kHappyCheeringFrames[] = {{0, 10}, {4, 200}};
constexpr Frames kHappyIdleFrames[] = {{0, 10}, {5, 50}, {6, 10}, {5, 10}, {6, 10}};
constexpr Frames kHappyReactionFrames[] = {{0, 50}, {7, 10}, {8, 20}, {7, 10}};
constexpr Frames kHappyDiscussingFrames[] = {{0, 140}, {9, 20}, {10, 20}, {9, 20}, {10, 20}, {9, 20}, {10, 20},
                                       {9, 20},  {10, 20}, {9, 20}, {10, 20}, {9, 20}, {10, 20}};
constexpr Frames kSeriousTastingFrames[] = {{0, 75}, {1, 20}, {2, 50}, {3, 20}, {4, 20}, {0, 10}, {4, 10}, {0, 10}, {0, 10}};
constexpr Frames kSeriousCheeringFrames[] = {{0, 50}, {5, 200}};
constexpr Frames kSeriousIdleFrames[] = {{0, 10}, {6, 10}, {7, 10}, {6, 10}};
constexpr Frames kSeriousReactionFrames[] = {{0, 30}, {8, 10}, {9, 10}, {8, 10}};
constexpr Frames kSeriousDiscussingFrames[] = {{0, 10},  {10, 10}, {11, 20}, {10, 20}, {11, 50}, {10, 20},
                                         {11, 20}, {10, 20}, {11, 20}, {10, 20}, {11, 20}};
constexpr Frames kUncleTastingFrames[] = {{0, 25}, {1, 20}, {2, 20}, {1, 20}, {3, 20}, {0, 20}, {3, 20}, {0, 20}, {0, 10}};
constexpr Frames kUncleGestureFrames[] = {{0, 40}, {4, 100}, {0, 50}};
constexpr Frames kUncleReactionFrames[] = {{0, 10}, {5, 20}, {6, 20}, {5, 20}};
constexpr Frames kUncleTooWeakFrames[] = {{0, 100}, {7, 100}};
constexpr Frames kUncleTooStrongFrames[] = {{0, 100}, {8, 100}};
constexpr Frames kUncleTalkingFrames[] = {{0, 10}, {9, 20}, {0, 20}, {10, 20}, {9, 20}, {0, 20}, {9, 20}};
constexpr Frames kHeroineIdleFrames[] = {{0, 10}, {1, 10}, {5, 10}, {1, 10}};
constexpr Frames kHeroineTalkingFrames[] = {{0, 10}, {6, 10}, {0, 10}, {7, 10}, {0, 10}, {6, 20}, {0, 20}, {7, 20}, {6, 20}};
constexpr Frames kHeroineJoyFrames[] = {{0, 50}, {8, 10}, {9, 10}, {10, 300}, {11, 10}};
constexpr Frames kHeroineSadFrames[] = {{12, 10}, {13, 300}, {14, 10}};
constexpr Frames kHeroineSurprisedFrames[] = {{13, 100}};
constexpr Frames kHeroineScoopingFrames[] = {{0, 20}, {1, 20}, {0, 20}, {1, 20}, {0, 20}, {1, 20}};
constexpr Frames kHeroinePouringFrames[] = {{0, 10}, {1, 20}, {0, 20}, {2, 20}, {0, 10}};
constexpr Frames kHeroineTakingFruitFrames[] = {{0, 20}, {2, 20}, {0, 20}, {2, 20}, {0, 20}, {2, 20}};
constexpr Frames kHeroineServingFrames[] = {{0, 20}, {1, 20}, {0, 20}, {1, 20}, {0, 20}, {1, 20}, {0, 20}, {2, 20},
                                      {0, 20}, {2, 20}, {3, 10}, {4, 10}, {3, 10}, {2, 20}, {3, 10}, {4, 10},
                                      {3, 10}, {2, 20}, {3, 10}, {4, 10}, {3, 10}, {2, 20}};

constexpr int kSeriousX = 216, kSeriousY = 121;
constexpr int kHappyX = 439, kHappyY = 125;
constexpr int kUncleX = 301, kUncleY = 112;
constexpr int kFrontY = 264;
constexpr int kBackDX = 74, kBackY = 260;
constexpr int kWalkStep = 4;

int CelOf(const Animation* animation) { return animation ? animation->GetCurrentCel() : 0; }

}  // namespace

namespace {

enum Sheet { kHappySheet, kSeriousSheet, kUncleSheet, kFrontSheet, kBackSheet };

struct RoleDef {
  const Frames* frames;
  int count;
  Sheet sheet;
  bool loops;
};

#define PLIX_ROLE(frames, sheet, loops) {frames, static_cast<int>(std::size(frames)), sheet, loops}
// In the order of ContestScene::Role.
constexpr RoleDef kRoles[] = {
    PLIX_ROLE(kHappyTastingFrames, kHappySheet, false),       PLIX_ROLE(kHappyCheeringFrames, kHappySheet, false),
    PLIX_ROLE(kHappyIdleFrames, kHappySheet, false),          PLIX_ROLE(kHappyReactionFrames, kHappySheet, false),
    PLIX_ROLE(kHappyDiscussingFrames, kHappySheet, false),    PLIX_ROLE(kSeriousTastingFrames, kSeriousSheet, false),
    PLIX_ROLE(kSeriousCheeringFrames, kSeriousSheet, false),  PLIX_ROLE(kSeriousIdleFrames, kSeriousSheet, false),
    PLIX_ROLE(kSeriousReactionFrames, kSeriousSheet, false),  PLIX_ROLE(kSeriousDiscussingFrames, kSeriousSheet, false),
    PLIX_ROLE(kUncleTastingFrames, kUncleSheet, false),       PLIX_ROLE(kUncleGestureFrames, kUncleSheet, false),
    PLIX_ROLE(kUncleReactionFrames, kUncleSheet, false),      PLIX_ROLE(kUncleTooWeakFrames, kUncleSheet, false),
    PLIX_ROLE(kUncleTooStrongFrames, kUncleSheet, false),     PLIX_ROLE(kUncleTalkingFrames, kUncleSheet, true),
    PLIX_ROLE(kHeroineIdleFrames, kFrontSheet, false),        PLIX_ROLE(kHeroineTalkingFrames, kFrontSheet, false),
    PLIX_ROLE(kHeroineJoyFrames, kFrontSheet, false),         PLIX_ROLE(kHeroineSadFrames, kFrontSheet, false),
    PLIX_ROLE(kHeroineSurprisedFrames, kFrontSheet, false),   PLIX_ROLE(kHeroineScoopingFrames, kBackSheet, false),
    PLIX_ROLE(kHeroinePouringFrames, kBackSheet, false),      PLIX_ROLE(kHeroineTakingFruitFrames, kBackSheet, false),
    PLIX_ROLE(kHeroineServingFrames, kBackSheet, false),
};
#undef PLIX_ROLE
static_assert(std::size(kRoles) == ContestScene::kRoleCount);

Image* SheetImage(Sheet sheet) {
  switch (sheet) {
    case kHappySheet:
      return IMAGE_FLAVOR_CONTEST_HAPPYLADY;
    case kSeriousSheet:
      return IMAGE_FLAVOR_CONTEST_SERIOUSLADY;
    case kUncleSheet:
      return IMAGE_FLAVOR_CONTEST_UNCLE;
    case kFrontSheet:
      return IMAGE_FLAVOR_CONTEST_PEMI;
    case kBackSheet:
      return IMAGE_FLAVOR_CONTEST_PEMI_BACK;
  }
  return nullptr;
}

}  // namespace

ContestScene::ContestScene(int heroineX, bool heroineTalkLoops) : mHeroineX(heroineX), mHeroineTarget(heroineX) {
  for (int role = 0; role < kRoleCount; ++role) {
    const RoleDef& def = kRoles[role];
    Animation& a = mAnimations[role];
    a.SetImage(SheetImage(def.sheet));
    for (int i = 0; i < def.count; ++i) a.AddFrame(def.frames[i][0], def.frames[i][1]);
    if (def.loops || (role == kHeroineTalking && heroineTalkLoops)) a.SetLooping();
    a.Reset();
  }
}

ContestScene::Figure ContestScene::FigureOf(Role role) {
  if (role <= kHappyDiscussing) return kHappyLady;
  if (role <= kSeriousDiscussing) return kSeriousLady;
  if (role <= kUncleTalking) return kUncle;
  return kHeroine;
}

void ContestScene::Start(Role role) {
  Animation& a = mAnimations[role];
  mCurrent[FigureOf(role)] = &a;
  a.Reset();
}

void ContestScene::SetHeroineFront(bool front) { mHeroineFront = front; }

void ContestScene::TriggerIdle() {
  switch (Rand() % 400) {
    case 47:
      if (!mCurrent[kHappyLady]) Start(kHappyIdle);
      break;
    case 102:
      if (!mCurrent[kSeriousLady]) Start(kSeriousIdle);
      break;
    case 203:
      if (!mCurrent[kHeroine] && mHeroineFront) Start(kHeroineIdle);
      break;
    default:
      break;
  }
}

void ContestScene::StepFigure(Figure figure) {
  if (mCurrent[figure] && !mCurrent[figure]->Update()) mCurrent[figure] = nullptr;
}

void ContestScene::Step() {
  StepFigure(kHappyLady);
  StepFigure(kSeriousLady);
  StepFigure(kUncle);
  if (mHeroineX < mHeroineTarget)
    mHeroineX = mHeroineX + kWalkStep > mHeroineTarget ? mHeroineTarget : mHeroineX + kWalkStep;
  else if (mHeroineX > mHeroineTarget)
    mHeroineX = mHeroineX - kWalkStep < mHeroineTarget ? mHeroineTarget : mHeroineX - kWalkStep;
  // While she walks her animation holds its frame.
  if (mHeroineX == mHeroineTarget) StepFigure(kHeroine);
}

void ContestScene::DrawOthers(Graphics* g) const {
  if (IMAGE_FLAVOR_CONTEST_SERIOUSLADY)
    g->DrawImageCell(IMAGE_FLAVOR_CONTEST_SERIOUSLADY, kSeriousX, kSeriousY, CelOf(mCurrent[kSeriousLady]));
  if (IMAGE_FLAVOR_CONTEST_HAPPYLADY)
    g->DrawImageCell(IMAGE_FLAVOR_CONTEST_HAPPYLADY, kHappyX, kHappyY, CelOf(mCurrent[kHappyLady]));
  if (IMAGE_FLAVOR_CONTEST_UNCLE) g->DrawImageCell(IMAGE_FLAVOR_CONTEST_UNCLE, kUncleX, kUncleY, CelOf(mCurrent[kUncle]));
}

void ContestScene::DrawHeroine(Graphics* g) const {
  const Animation* a = mCurrent[kHeroine];
  if (a) {
    Image* image = a->GetImage();
    if (!image) return;
    const bool back = image == IMAGE_FLAVOR_CONTEST_PEMI_BACK;
    g->DrawImageCell(image, back ? mHeroineX + kBackDX : mHeroineX, back ? kBackY : kFrontY, a->GetCurrentCel());
    return;
  }
  Image* still = mHeroineFront ? IMAGE_FLAVOR_CONTEST_PEMI : IMAGE_FLAVOR_CONTEST_PEMI_BACK;
  if (!still) return;
  if (mHeroineFront)
    g->DrawImageCellAt(still, mHeroineX, kFrontY, 0, 0);
  else
    g->DrawImageCellAt(still, mHeroineX + kBackDX, kBackY, 0, 0);
}

}  // namespace Plix
