// The lessons' step machine and their arrows.
#include "game/board/Tutorial.h"

#include <cmath>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/Table.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"

namespace Plix {

TutorialStep::~TutorialStep() { delete mBalloon; }

void TutorialStep::SetBalloon(InfoBalloon* balloon) {
  if (mBalloon != balloon) delete mBalloon;
  mBalloon = balloon;
}

Tutorial::~Tutorial() {
  void* item = nullptr;
  while (mSteps.PopFront(item)) delete static_cast<TutorialStep*>(item);
}

TutorialStep* Tutorial::GetStep(int index) const {
  if (index < 0 || index >= mSteps.GetCount()) return nullptr;
  return static_cast<TutorialStep*>(mSteps.GetAt(index));
}

const TutorialStep* Tutorial::Current() const { return mRewound ? nullptr : GetStep(mCurrent); }

TutorialStep* Tutorial::AddStep(int type) {
  auto* step = new TutorialStep(type);
  mSteps.PushBack(step);
  return step;
}

TutorialStep* Tutorial::AddWalk(int event, int x) {
  TutorialStep* step = AddStep(TutorialStep::kGirlEvent);
  step->SetEvent(event);
  step->SetArgument(x);
  return step;
}

TutorialStep* Tutorial::AddTalk(int type, std::initializer_list<const wchar_t*> pages, const wchar_t* yes, int style) {
  TutorialStep* step = AddStep(type);
  auto* balloon = new InfoBalloon(0, style);
  for (const wchar_t* page : pages) balloon->AddPage(page);
  if (yes) balloon->SetYesText(yes);
  step->SetBalloon(balloon);
  return step;
}

void Tutorial::SetPointer(int x, int y) {
  mPointerShown = true;
  mPointerX = x;
  mPointerY = y;
}

void Tutorial::PointAt(const AlphaButton* button, int dx, int dy) {
  if (button) SetPointer(button->GetX() + button->GetWidth() / 2 + dx, button->GetY() + dy);
}

int Tutorial::GetStepType() const {
  if (mRewound) return TutorialStep::kBalloon;
  const TutorialStep* step = Current();
  return step ? step->GetType() : 0;
}

AlphaButton* Tutorial::GetStepTarget() const {
  const TutorialStep* step = Current();
  return step ? step->GetTarget() : nullptr;
}

int Tutorial::GetStepEvent() const {
  const TutorialStep* step = Current();
  return step ? step->GetEvent() : 0;
}

int Tutorial::GetStepArgument() const {
  const TutorialStep* step = Current();
  return step ? step->GetArgument() : 0;
}

void Tutorial::StartStep() {
  OnEvent(mCurrent);
  TutorialStep* step = GetStep(mCurrent);
  if (!step) return;
  if (InfoBalloon* balloon = step->GetBalloon()) {
    balloon->GoToFirstPage();
    mBoard->ShowBalloon(0, balloon, false, step->IsBalloonHigh());
  }
  switch (step->GetType()) {
    case TutorialStep::kTimedWait:
      mBoard->ResetTutorialWait();
      break;
    case TutorialStep::kGirlEvent: {
      Girl* girl = mBoard->GetGirl();
      const int x = step->GetArgument();
      if (!girl || x == 0) break;
      if (step->GetEvent() == kGirlWalkByBench)
        girl->EnqueueWalkByBench(x);
      else if (step->GetEvent() == kGirlWalkByCounter)
        girl->EnqueueWalkByCounter(x);
      break;
    }
    default:
      // Hover highlights follow the new step at once.
      mBoard->MouseMove(mBoard->mMouseX, mBoard->mMouseY);
      break;
  }
}

bool Tutorial::NextStep() {
  if (mRewound)
    mRewound = false;
  else
    ++mCurrent;
  if (mCurrent >= mSteps.GetCount()) {
    mBoard->MarkProfileFlag(mId);
    return false;
  }
  StartStep();
  return true;
}

void Tutorial::RetryStep() {
  mBoard->CloseBalloon();
  const TutorialStep* step = GetStep(mCurrent);
  auto* balloon = new InfoBalloon(0, 0);
  balloon->AddPage(step ? step->GetRetryText() : std::wstring());
  balloon->SetYesText(L"OK");
  mBoard->ShowBalloon(0, balloon, true, false);
  mCurrent = step ? step->GetRetryStep() : 0;
  mRewound = true;
}

// ------------------------------------------------------------------ arrows

namespace {

constexpr int kGoldenLesson = 18;

struct ArrowFrame {
  Graphics& g;
  bool software;
  float s;
  float b;
  int w;  // the squashed size of this frame
  int h;

  void Draw(Image* image, int restX, int restY, int liftedX, int liftedY) const {
    if (!image) return;
    if (s >= 0.0f) {
      g.DrawImage(image, liftedX, liftedY);
      return;
    }
    const bool fast = g.mFastStretch, linear = g.mLinearBlend;
    if (software) {
      g.SetFastStretch(false);
      g.SetLinearBlend(true);
    }
    g.DrawImageStretched(image, restX, restY, w, h);
    if (software) {
      g.SetFastStretch(fast);
      g.SetLinearBlend(linear);
    }
  }
  int Lift() const { return static_cast<int>(b * 16.0f); }
};

}  // namespace

void Tutorial::DrawArrows(Graphics& g) {
  Image* down = IMAGE_TUTORIAL_ARROW;
  Image* picture = mPointerSideways ? IMAGE_TUTORIAL_ARROW_RIGHT : down;
  if (!down || !picture) return;
  const float s = std::sin(mBoard->mTutorialClock);
  ArrowFrame arrow{g, !mBoard->mApp.IsHardwareDrawing(), s, std::fabs(s), 0, 0};
  if (mPointerSideways) {
    arrow.w = static_cast<int>((1.0f + 0.15f * s) * static_cast<float>(picture->GetWidth()));
    arrow.h = static_cast<int>((1.0f - 0.1f * s) * static_cast<float>(picture->GetHeight()));
  } else {
    arrow.h = static_cast<int>((1.0f + 0.25f * s) * static_cast<float>(picture->GetHeight()));
    arrow.w = static_cast<int>((1.0f - 0.125f * s) * static_cast<float>(picture->GetWidth()));
  }
  const int width = down->GetWidth(), height = down->GetHeight();

  switch (GetStepType()) {
    case TutorialStep::kTable:
      if (Table* table = mTargetTable) {
        const int cel = table->GetWidth();
        arrow.Draw(down, table->GetX() + (cel - arrow.w) / 2, table->GetY() - 16 - arrow.h,
                   table->GetX() + (cel - width) / 2, table->GetY() - 16 - arrow.Lift() - height);
      }
      break;
    case TutorialStep::kButton:
      if (AlphaButton* button = GetStepTarget()) {
        arrow.Draw(down, button->GetX() + (button->GetWidth() - arrow.w) / 2 + 1, button->GetY() - arrow.h,
                   button->GetX() + (button->GetWidth() - width) / 2 + 1,
                   button->GetY() - static_cast<int>(s * 16.0f) - height);
      }
      break;
    default:
      break;
  }
  Conveyor* belt = mBoard->GetConveyor();
  auto overItem = [&](const ConveyorContainer* item, int above) {
    const int x = static_cast<int>(item->GetX());
    const int y = static_cast<int>(item->GetY() + static_cast<float>(item->GetYOffset()));
    arrow.Draw(down, x - arrow.w / 2 + 2, y - arrow.h - above, x - width / 2 + 2, y - arrow.Lift() - height - above);
  };
  if (belt && GetStepType() == TutorialStep::kConveyor && !belt->GetContainers().IsEmpty())
    overItem(static_cast<const ConveyorContainer*>(belt->GetContainers().GetAt(0)), 24);
  if (belt && mId == kGoldenLesson) {
    if (IceCream* golden = belt->FindItemOfKind12())
      if (const ConveyorContainer* item = belt->FindContainerOfItem(golden)) overItem(item, 48);
  }

  if (!mPointerShown) return;
  if (mPointerSideways) {
    Image* right = IMAGE_TUTORIAL_ARROW_RIGHT;
    arrow.Draw(right, mPointerX - 7 - arrow.w, mPointerY - arrow.h / 2,
               mPointerX - 7 - arrow.Lift() - right->GetWidth(), mPointerY - right->GetHeight() / 2);
  } else {
    arrow.Draw(down, mPointerX - arrow.w / 2, mPointerY - arrow.h, mPointerX - width / 2,
               mPointerY - arrow.Lift() - height);
  }
}

}  // namespace Plix
