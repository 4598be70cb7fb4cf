// One frame of the shop floor, from the floor picture to the fade, and the
// "Paused" veil over the whole screen while the application is inactive.
#include <cmath>
#include <cstdlib>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/BarMovementNode.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/CustomerFlow.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/Girl.h"
#include "game/characters/ServingMonkey.h"

namespace Plix {

namespace {

constexpr int kUncleTrophyBurst = 5;

void DrawAt(Graphics& g, Image* image, int x, int y) {
  if (image) g.DrawImage(image, x, y);
}

void DrawList(Graphics& g, ObjectList& list) {
  ObjectListIterator it;
  for (it.Begin(list); !it.AtEnd(); it.Next()) static_cast<AlphaButton*>(it.Get())->Draw(g);
}

// Stretched pictures look better without the fast scaler when drawing in
// software.
class SoftwareScaling {
public:
  SoftwareScaling(Graphics& g, bool software) : mG(g), mOn(software), mFast(g.mFastStretch), mSmooth(g.mLinearBlend) {
    if (!mOn) return;
    g.SetFastScaling(false);
    g.SetSmoothScaling(true);
  }
  ~SoftwareScaling() {
    if (!mOn) return;
    mG.SetFastScaling(mFast);
    mG.SetSmoothScaling(mSmooth);
  }
  SoftwareScaling(const SoftwareScaling&) = delete;
  SoftwareScaling& operator=(const SoftwareScaling&) = delete;

private:
  Graphics& mG;
  bool mOn, mFast, mSmooth;
};

// The filling's colour by the machine's ingredient (strawberry, chocolate,
// pear, blueberry, pineapple); other values keep the colour already set.
void SetFillingColor(Graphics& g, int ingredient) {
  switch (ingredient) {
    case 0: g.SetColor(Color(255, 255, 255, 255)); break;
    case 26: g.SetColor(Color(230, 80, 80, 255)); break;
    case 27: g.SetColor(Color(181, 116, 59, 255)); break;
    case 28: g.SetColor(Color(154, 224, 116, 255)); break;
    case 29: g.SetColor(Color(92, 156, 228, 255)); break;
    case 30: g.SetColor(Color(247, 238, 93, 255)); break;
    default: break;
  }
}

}  // namespace

void Board::DrawButtonList0(Graphics& g) { DrawList(g, mButtonLists[0]); }
void Board::DrawButtonList1(Graphics& g) { DrawList(g, mButtonLists[1]); }

void Board::DrawThrownTreat(Graphics& g) {
  if (mThrownTreat) mThrownTreat->Draw(g);
}

void Board::DrawFlyingIceCreams(Graphics& g) {
  ObjectListIterator it;
  for (it.Begin(mFlyingIceCreams); !it.AtEnd(); it.Next()) static_cast<FlyingIceCream*>(it.Get())->Draw(g);
}

void Board::DrawCustomerFlow(Graphics& g) {
  if (mCustomerFlow) mCustomerFlow->DrawAll(g);
}

void Board::DrawOverlayDecorations(Graphics& g) {
  for (int i = 0; i < mOverlayCount && i < kOverlayCount; ++i) {
    BarMovementNode* node = mOverlayDecorations[i];
    if (!node || !node->GetObject()) continue;
    g.DrawImage(static_cast<Image*>(node->GetObject()), static_cast<int>(node->GetX()), static_cast<int>(node->GetY()));
  }
}

void Board::Draw(Graphics* graphics) {
  Graphics& g = *graphics;
  PlayerProfile& profile = Profile();
  const bool story = mMode == 0;

  if (mBackImage) g.DrawImage(mBackImage.get(), 0, 34);

  g.SetImageTinting(true);
  g.SetColor(mShadowColor);
  if (IMAGE_MONKEY_SHADOW) {
    const float w = static_cast<float>(IMAGE_MONKEY_SHADOW->GetWidth());
    const float h = static_cast<float>(IMAGE_MONKEY_SHADOW->GetHeight());
    g.DrawImage(IMAGE_MONKEY_SHADOW, static_cast<int>(mGirl->GetX() - w / 2), static_cast<int>(mGirl->GetY() - h / 2));
    if (mOrganButton) g.DrawImage(IMAGE_MONKEY_SHADOW, mOrganButton->GetX() + 2, mOrganButton->GetY() + 47);
  }
  if (mJugglingButton && mJugglingButton->IsVisible() && IMAGE_SMALL_SHADOW) {
    const int x = mJugglingButton->GetX(), y = mJugglingButton->GetY();
    switch (profile.GetJugglingLevel()) {
      case 1: g.DrawImage(IMAGE_SMALL_SHADOW, x - 8, y + 2); break;
      case 2: g.DrawImage(IMAGE_SMALL_SHADOW, x - 8, y + 10); break;
      case 3: g.DrawImage(IMAGE_SMALL_SHADOW, x - 2, y + 10); break;
      default: break;
    }
  }
  g.SetImageTinting(false);

  DrawDrawList(g);

  DrawAt(g, IMAGE_COUNTER_LEFT_1, 0, 400);
  DrawAt(g, IMAGE_COUNTER_LEFT_2, 190, 384);
  DrawAt(g, IMAGE_HATCH_CLOSED, 481, 389);
  DrawAt(g, IMAGE_COUNTER_RIGHT_1, 546, 396);
  DrawAt(g, IMAGE_COUNTER_RIGHT_2, 685, 419);
  DrawAt(g, IMAGE_HINGE, 553, 406);

  static constexpr int kStars[5][2] = {{367, 460}, {388, 459}, {410, 459}, {432, 460}, {454, 460}};
  for (int i = 0; i < profile.GetReputationStars() && i < 5; ++i) DrawAt(g, IMAGE_GOLDEN_STAR, kStars[i][0], kStars[i][1]);
  static constexpr int kGolden[5][2] = {{368, 432}, {389, 432}, {410, 432}, {432, 432}, {454, 433}};
  for (int i = 0; i < mGoldenIceCreams && i < 5; ++i) DrawAt(g, IMAGE_GOLDEN_ICECREAM, kGolden[i][0], kGolden[i][1]);

  if (!story) DrawCustomerFlow(g);

  DrawAt(g, IMAGE_HOLDER_MACHINE_BUTTONS, 48, 334);
  if (mDishButton && mHoverButton == mDishButton.get())
    DrawAt(g, IMAGE_DISH_OVER, mDishButton->GetX() - 3, mDishButton->GetY() - 3);
  DrawButtonList0(g);

  if (story) {
    g.Translate(613, 416);
    mCounter.Draw(g);
    g.Translate(-613, -416);
    if (mDishButton && mDishButton->GetPending() != 0) mDishButton->DrawBadge(g);
  }

  mConveyor->Draw(g);
  DrawIceCreamMachine(g);
  DrawAt(g, IMAGE_HOLDER_MACHINE, 6, 334);
  mServingMonkey->Draw(g);
  if (mFlyingGoldenIceCream.mPath && mFlyingGoldenIceCream.mPhase == 0) DrawGoldenIceCreamFlight(g);

  mGirl->Draw(g);
  DrawThrownTreat(g);
  DrawFlyingIceCreams(g);

  DrawAt(g, IMAGE_WORKBENCH_1, 27, 530);
  DrawAt(g, IMAGE_WORKBENCH_2, 620, 530);
  DrawAt(g, IMAGE_WORKBENCH_3, 180, 530);
  DrawAt(g, IMAGE_WORKBENCH_4, 179, 497);
  for (auto& box : mIceCreamBoxButtons)
    if (box && mHoverButton == box.get()) DrawAt(g, IMAGE_ICECREAM_BOX_OVER, box->GetX() - 3, box->GetY() - 3);
  DrawButtonList1(g);
  mGirl->DrawOverheadAnimation(g);

  // The super banana is for sale only late in the story; it stays hidden
  // for clicks and hover everywhere but here.
  if (story && profile.GetMonkeyTreat(3) != 0 && mDay + 1 >= 26 && mSuperBananaButton) {
    mSuperBananaButton->SetVisible(true);
    mSuperBananaButton->Draw(g);
    mSuperBananaButton->SetVisible(false);
  }

  DrawOverlayDecorations(g);
  if (story)
    DrawStoryHud(g);
  else
    DrawHappyHourHud(g);
  if (mUncle && mUncle->GetState() == kUncleTrophyBurst) mUncle->DrawTrophyBurst(g);

  for (MoneyPopup& popup : mMoneyPopups)
    if (!popup.IsDone()) popup.Draw(g);
  for (BoardNotice& notice : mNotices) notice.Draw(g);

  if (mPauseDepth == 0) mApp.DrawParticles(&g);
  if (mFlyingStar.mPath) DrawFlyingStar(g);
  if (mFlyingGoldenIceCream.mPath && mFlyingGoldenIceCream.mPhase == 1) DrawGoldenIceCreamFlight(g);

  DrawBanner(g, mGoalBanner, IMAGE_TODAYS_GOAL_REACHED);
  DrawBanner(g, mExpertBanner, IMAGE_EXPERT_GOAL_REACHED);
  DrawBanner(g, mGameOverBanner, IMAGE_GAME_OVER);

  if (mBalloon) mBalloon->Draw(g);
  if (mTutorial) mTutorial->DrawArrows(g);

  if (mApp.GetFadeState() > 0) mApp.DrawFade(&g);
  if (!mApp.mAppActive) QueueOverlay();
}

void Board::DrawIceCreamMachine(Graphics& g) {
  static constexpr int kStartY[3] = {439, 429, 429};
  const int level = mMachineLevel >= 1 && mMachineLevel <= 3 ? mMachineLevel : 3;
  const int runLength = mMachineAnimation[3];
  const int handleX = mMachineAnimation[0], restY = mMachineAnimation[1];
  if (mMachineHandleImage) {
    int y = restY;
    if (mMachineState == 2 && runLength > 0) {
      const float f = static_cast<float>(runLength - mMachineTicksLeft) / static_cast<float>(runLength);
      y = static_cast<int>(static_cast<float>(kStartY[level - 1]) * (1.0f - f) + static_cast<float>(restY) * f);
    }
    g.DrawImage(mMachineHandleImage, handleX, y);
  }
  const int boxX = mMachinePartPoints[0][0], boxY = mMachinePartPoints[0][1];
  const int boxCel = mMachineIngredient == 0 ? 1 : mMachineIngredient - 24;
  if (mMachineState >= 1 && mMachineState <= 3 && mMachineBoxImage) g.DrawImageCell(mMachineBoxImage, boxX, boxY, 0);
  if (mMachineState == 3) {
    if (mMachineBoxImage) g.DrawImageCell(mMachineBoxImage, boxX, boxY, boxCel);
    if (mMachineLampImage) {
      g.SetDrawMode(DRAWMODE_ADDITIVE);
      g.SetImageTinting(true);
      g.SetColor(Color(mMachineLampAlpha, mMachineLampAlpha, mMachineLampAlpha, 255));
      g.DrawImage(mMachineLampImage, mMachinePartPoints[1][0], mMachinePartPoints[1][1]);
      g.SetImageTinting(false);
      g.SetDrawMode(DRAWMODE_NORMAL);
    }
  } else if (mMachineState == 2) {
    g.SetImageTinting(true);
    const int alpha = runLength > 0 ? static_cast<int>((runLength - mMachineTicksLeft) * 255.0 / runLength) : 255;
    g.SetColor(Color(255, 255, 255, alpha));
    if (mMachineBoxImage) g.DrawImageCell(mMachineBoxImage, boxX, boxY, boxCel);
    SetFillingColor(g, mMachineIngredient);
    if (IMAGE_ICECREAM_MACHINE_FILLING) {
      if (level == 1)
        g.DrawImageCell(IMAGE_ICECREAM_MACHINE_FILLING, 700, 431, 0);
      else if (level == 2)
        g.DrawImageCell(IMAGE_ICECREAM_MACHINE_FILLING, 695, 409, 1);
      else
        g.DrawImageCell(IMAGE_ICECREAM_MACHINE_FILLING, 698, 414, 2);
    }
    g.SetImageTinting(false);
  }
  if (mMachineButton && mMachineButton->GetPending() > 0) mMachineButton->DrawBadge(g);
}

void Board::DrawBanner(Graphics& g, const BoardBanner& banner, Image* image) {
  if (!image) return;
  const int w = image->GetWidth(), h = image->GetHeight();
  switch (banner.mState) {
    case 1: {
      g.SetImageTinting(true);
      g.SetColor(Color(255, 255, 255, banner.mAlpha));
      SoftwareScaling scaling(g, !mApp.IsHardwareDrawing());
      g.DrawImageStretched(image, static_cast<int>(400.0f - static_cast<float>(w) * banner.mScale * 0.5f),
                           banner.mYOffset, static_cast<int>(static_cast<float>(w) * banner.mScale),
                           static_cast<int>(static_cast<float>(h) * banner.mScale));
      g.SetImageTinting(false);
      break;
    }
    case 2:
      g.DrawImage(image, 400 - w / 2, banner.mYOffset);
      break;
    case 3:
      g.SetImageTinting(true);
      g.SetColor(Color(255, 255, 255, banner.mAlpha));
      g.DrawImage(image, 400 - w / 2, banner.mYOffset);
      g.SetImageTinting(false);
      break;
    default:
      break;
  }
}

void Board::DrawOverlay(Graphics* graphics) {
  if (mApp.mAppActive) return;
  Graphics& g = *graphics;
  g.SetColor(Color(0, 0, 0, 64));
  g.FillRect(0, 0, mWidth, mHeight);
  if (mPauseDepth != 1) return;
  if (IMAGE_DIALOG_HEADER_1)
    g.DrawImage(IMAGE_DIALOG_HEADER_1, (mWidth - IMAGE_DIALOG_HEADER_1->GetWidth()) / 2,
                (mHeight - IMAGE_DIALOG_HEADER_1->GetHeight()) / 2 - 26);
  if (FONT_RAVIE_16) {
    g.SetFont(FONT_RAVIE_16);
    g.SetColor(Color(80, 30, 1, 255));
    WriteString(&g, L"Paused", mWidth / 2, mHeight / 2 - 19, 0, 0);
  }
}

}  // namespace Plix
