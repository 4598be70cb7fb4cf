// The bar across the top of the floor: the day clock, the day, lives,
// money and goal figures that count up to their values, the closed sign;
// and the station buttons the monkey's tasks hide, show and count down.
#include <cmath>
#include <string>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/util/Utilities.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"

namespace Plix {

namespace {

constexpr int kBlobs[12][2] = {{755, 0},  {772, 6},  {780, 13}, {778, 21}, {780, 37}, {773, 45},
                               {751, 43}, {741, 45}, {732, 40}, {727, 21}, {736, 12}, {746, 6}};

// Moves the shown figure towards its target: by one near it, in bigger
// jumps far from it, then waits five ticks.
void CountTowards(int& shown, int target, int& delay) {
  if (target - shown <= 0 || delay > 0) return;
  int rest = target - shown - 1;
  ++shown;
  if (rest > 20) {
    shown += 10;
    rest -= 10;
  }
  if (rest > 200) {
    shown += 100;
    rest -= 100;
  }
  if (rest > 2000) shown += 1000;
  delay = 5;
}

std::wstring Figure(const char* format, int a, int b = 0) {
  const std::string text = StrFormat(format, a, b);
  return std::wstring(text.begin(), text.end());
}

// Centred on x, as the bar's figures are written.
void WriteCentred(Graphics& g, Font* font, const Color& color, const std::wstring& text, int x, int y) {
  if (!font) return;
  g.SetFont(font);
  g.SetColor(color);
  g.WriteString(text, x, y, -1, 0);
}

void DrawAt(Graphics& g, Image* image, int x, int y) {
  if (image) g.DrawImage(image, x, y);
}

void Hide(AlphaButton* button) {
  if (!button) return;
  button->SetVisible(false);
  button->SetDisabled(true);
}

void Show(AlphaButton* button) {
  if (!button) return;
  button->SetVisible(true);
  button->SetDisabled(false);
}

void Lower(AlphaButton* button) {
  if (button) button->DecrementPending();
}

}  // namespace

void Board::UpdateStoryHud() {
  const float progress = mArrivalSchedule ? mArrivalSchedule->GetDayFraction() : 0.0f;
  const int h = static_cast<int>(12.0f * progress);
  if (h > 0 && h <= 12) {
    int& blob = mStoryDayFlags[h == 12 ? 0 : h];
    if (blob == 255) {
      blob = 254;
      if (h == 10) {
        mApp.PlaySound(SOUND_TIME_UP);
        mShakeTimer = 5.0f;
        mShakeCount = 20;
        mShakeAngle = static_cast<float>(Rand() % 628) * 0.01f;
      }
    }
  }
  for (int& blob : mStoryDayFlags)
    if (blob > 0 && blob < 255) --blob;
  if (mApp.GetFadeState() != 0 || mTickCount <= 50) return;
  if (mMoneyCountDelay > 0) --mMoneyCountDelay;
  CountTowards(mShownMoneyTarget, mMoney < mGoal ? mGoal : mExpertGoal, mMoneyCountDelay);
  CountTowards(mShownMoney, mMoney, mMoneyCountDelay);
}

void Board::UpdateHappyHourHud() {
  if (mApp.GetFadeState() != 0 || mTickCount <= 50) return;
  if (mMoneyCountDelay > 0) --mMoneyCountDelay;
  CountTowards(mShownMoney, mMoney, mMoneyCountDelay);
  if (mMoneyCountDelay > 0) --mMoneyCountDelay;
  CountTowards(mShownMoneyTarget, mNextHiscore == -1 ? mMoney : mNextHiscore, mMoneyCountDelay);
}

void Board::DrawStoryHud(Graphics& g) {
  DrawAt(g, IMAGE_GAME_INTERFACE, 0, 0);
  DrawAt(g, IMAGE_GAME_INTERFACE_BOTTOM, 0, 34);
  if (mMenuButton) mMenuButton->Draw(g);
  DrawAt(g, IMAGE_GAME_INTERFACE_CHOCOLATE, 0, 0);

  // The clock slides in from the right and shakes when time runs short.
  const float baseX = g.mTransX, baseY = g.mTransY;
  if (mShakeCount > 0) {
    g.mTransX = baseX + mShakeTimer * std::cos(mShakeAngle);
    g.mTransY = baseY + mShakeTimer * std::sin(mShakeAngle);
  } else {
    g.mTransX = baseX + mIntroCountdown;
  }
  DrawAt(g, IMAGE_GAME_INTERFACE_CLOCK, 724, 7);
  if (IMAGE_GAME_INTERFACE_CLOCK_BLOBS) {
    g.SetImageTinting(true);
    for (int i = 0; i < 12; ++i) {
      g.SetColor(Color(255, 255, 255, mStoryDayFlags[i]));
      g.DrawImageCell(IMAGE_GAME_INTERFACE_CLOCK_BLOBS, kBlobs[i][0], kBlobs[i][1], i);
    }
    g.SetImageTinting(false);
  }
  const float progress = mArrivalSchedule ? mArrivalSchedule->GetDayFraction() : 0.0f;
  int spoon = static_cast<int>(36.0f * progress);
  if (spoon >= 36 || spoon < 0) spoon = 0;
  if (IMAGE_GAME_INTERFACE_SPOON) g.DrawImageCell(IMAGE_GAME_INTERFACE_SPOON, 731, 3, spoon);
  g.mTransX = baseX;
  g.mTransY = baseY;

  const Color white(255, 255, 255, 255);
  WriteCentred(g, FONT_DAYLIVES, white, Figure("%d", mDay + 1), 160, 19);
  WriteCentred(g, FONT_DAYLIVES, white, Figure("%d", Profile().GetLives()), 288, 20);
  WriteCentred(g, FONT_NUMBERS, Color(0, 135, 66, 255), Figure("%.4d", mShownMoney), 452, 38);
  if (mMoney >= mGoal) DrawAt(g, IMAGE_GAME_INTERFACE_EXPERT, 499, 15);
  WriteCentred(g, FONT_NUMBERS, Color(153, 1, 91, 255), Figure("%.4d", mShownMoneyTarget), 644, 38);
  if (mArrivalSchedule && mArrivalSchedule->IsOver()) DrawAt(g, IMAGE_GAME_INTERFACE_CLOSED, mClosedSignPos, 28);
}

void Board::DrawHappyHourHud(Graphics& g) {
  DrawAt(g, IMAGE_GAME_INTERFACE, 0, 0);
  DrawAt(g, IMAGE_GAME_INTERFACE_BOTTOM, 0, 34);
  DrawAt(g,
         mMode == 1   ? IMAGE_GAME_INTERFACE_EASY
         : mMode == 2 ? IMAGE_GAME_INTERFACE_NORMAL
                      : IMAGE_GAME_INTERFACE_HARD,
         70, 5);
  if (mMenuButton) mMenuButton->Draw(g);
  DrawAt(g, IMAGE_GAME_INTERFACE_CHOCOLATE, 0, 0);

  const float baseX = g.mTransX;
  g.mTransX = baseX + mIntroCountdown;
  DrawAt(g, IMAGE_GAME_INTERFACE_CLOCK, 724, 7);
  if (IMAGE_GAME_INTERFACE_CLOCK_BLOBS) {
    for (int i = 0; i < 12; ++i)
      if (i != 3 && i != 9) g.DrawImageCell(IMAGE_GAME_INTERFACE_CLOCK_BLOBS, kBlobs[i][0], kBlobs[i][1], i);
  }
  WriteCentred(g, FONT_RAVIE_10, Color(149, 69, 107, 220), Figure("%d:%.2d", mSeconds / 60, mSeconds % 60), 763,
               42);
  g.mTransX = baseX;

  WriteCentred(g, FONT_DAYLIVES, Color(255, 255, 255, 255), mLivesLeft >= 0 ? Figure("%d", mLivesLeft) : L"0", 288,
               20);
  const Color green(0, 135, 66, 255);
  if (IMAGE_GAME_INTERFACE_HISCORE)
    g.DrawImageCell(IMAGE_GAME_INTERFACE_HISCORE, 499, 16, mHiscorePlace == -1 ? 0 : mHiscorePlace);
  WriteCentred(g, FONT_NUMBERS, green, Figure("%.4d", mShownMoneyTarget), 644, 38);
  WriteCentred(g, FONT_NUMBERS, green, Figure("%.4d", mShownMoney), 452, 38);
}

void Board::HideJugglingButton() { Hide(mJugglingButton.get()); }
void Board::ShowJugglingButton() { Show(mJugglingButton.get()); }
void Board::HideBarrelOrganButton() { Hide(mOrganButton.get()); }
void Board::ShowBarrelOrganButton() { Show(mOrganButton.get()); }

void Board::DecrementMonkeyPendingClicks(int kind, Table* table) {
  switch (kind) {
    case 2:
      if (table) table->DecrementPending();
      break;
    case 3: Lower(mDishButton.get()); break;
    case 4: Lower(mTrashStationButton.get()); break;
    case 5: Lower(mNapkinsButton.get()); break;
    case 6:
      for (auto& lemonade : mLemonadeButtons) Lower(lemonade.get());
      break;
    case 7: Lower(mCookiesButton.get()); break;
    case 8: Lower(mJugglingButton.get()); break;
    case 10: Lower(mOrganButton.get()); break;
    default: break;
  }
}

}  // namespace Plix
