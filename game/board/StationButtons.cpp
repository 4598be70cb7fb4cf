#include "game/board/StationButtons.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/characters/Girl.h"

namespace Plix {

void ShowStation(AlphaButton* button, bool shown) {
  if (!button) return;
  button->SetDisabled(!shown);
  button->SetVisible(shown);
}

void DisableStation(AlphaButton* button, bool disabled) {
  if (button) button->SetDisabled(disabled);
}

bool ICBoxButton::HeroineFetchesBox() const { return mGirl && mGirl->HasIceCreamBoxActionFor(mBox); }

void ICBoxButton::Draw(Graphics& g) {
  AlphaButton::Draw(g);
  if (!mBox || mBox->mFlavor == 0 || mPendingClicks > mBox->mPortions || HeroineFetchesBox()) return;
  const int left = mBox->mPortions - mPendingClicks;
  Image* balls = IMAGE_BALLS_LEFT;
  if (left < 1 || left > 3 || !balls) return;
  const int cw = balls->GetCellWidth();
  const int x0 = mX + mWidth / 2 - cw * left / 2;
  for (int i = 0; i < left; ++i) g.DrawImageCell(balls, x0 + i * cw, mY + 2, mScoopCell);
}

void ICBoxButton::DrawBadge(Graphics& g) {
  Image* marker = IMAGE_ACTION_MARKER;
  if (!marker || !mBox) return;
  const int n = BadgeCel(mPendingClicks);
  const int cx = BadgeX(marker), cy = BadgeY(marker);
  if (mBox->mFlavor == 0) {
    g.DrawImageCell(marker, cx, cy - 5, n);
  } else if (mPendingClicks > mBox->mPortions || HeroineFetchesBox()) {
    g.DrawImageCell(marker, cx, cy + 5, 9);
    g.DrawImageCell(marker, cx, cy - 5, n);
  } else {
    const int spare = mBox->mPortions - mPendingClicks - 1;
    g.DrawImageCell(marker, cx, spare >= 0 && spare <= 2 ? cy + 5 : cy, n);
  }
}

namespace {

// The badge of a station whose stock limits the clicks it can serve.
void DrawStockBadge(Graphics& g, int x, int y, int count) {
  if (count < 1 || !IMAGE_ACTION_MARKER) return;
  g.DrawImageCell(IMAGE_ACTION_MARKER, x, y, AlphaButton::BadgeCel(count));
}

}  // namespace

void CookiesButton::DrawBadge(Graphics& g) {
  if (!mBoard || !IMAGE_ACTION_MARKER) return;
  DrawStockBadge(g, BadgeX(IMAGE_ACTION_MARKER), BadgeY(IMAGE_ACTION_MARKER),
                 std::min(mPendingClicks, mBoard->GetCookieCount()));
}

void LemonadeButton::DrawBadge(Graphics& g) {
  if (!mBoard || !IMAGE_ACTION_MARKER) return;
  DrawStockBadge(g, BadgeX(IMAGE_ACTION_MARKER), BadgeY(IMAGE_ACTION_MARKER),
                 std::min(mPendingClicks, mBoard->GetLemonadeCount()));
}

void TrashStationButton::Draw(Graphics& g) {
  const int pending = mPendingClicks;
  mPendingClicks = 0;
  AlphaButton::Draw(g);
  mPendingClicks = pending;
  if (mVisible) {
    if (IMAGE_TRASH_STATION_TRAY)
      for (int i = 0; i < mLoad; ++i) g.DrawImage(IMAGE_TRASH_STATION_TRAY, mX + 29, mY + 45 - 4 * i);
    if (IMAGE_TRASH_STATION_FRONT) g.DrawImage(IMAGE_TRASH_STATION_FRONT, mX + 36, mY + 16);
  }
  // A count of 0 draws nothing.
  if (mPendingClicks != 0) DrawBadge(g);
}

}  // namespace Plix
