#include "game/app/AlphaButton.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"

namespace Plix {

AlphaButton::AlphaButton(int id) : mId(id), mClickSound(SOUND_MOUSE_CLICK) {}

void AlphaButton::SetImage(Image* image, bool allStates) {
  if (!image) return;
  mStateImage[0] = image;
  if (allStates) mStateImage[1] = mStateImage[2] = mStateImage[3] = image;
  mWidth = image->GetCellWidth();
  mHeight = image->GetCellHeight();
}

void AlphaButton::SetStateImage(int state, Image* image) {
  if (ValidState(state)) mStateImage[state] = image;
}

void AlphaButton::SetStateCell(int state, int column, int row) {
  if (!ValidState(state)) return;
  mStateCell[state][0] = column;
  mStateCell[state][1] = row;
}

void AlphaButton::SetFreezerClosedImage(int state) {
  if (state >= 1 && state <= 3) mStateImage[state] = IMAGE_FREEZER_CLOSED;
}

void AlphaButton::SetLabel(const std::wstring& text, int offsetX, int offsetY) {
  mLabel = text;
  mLabelOffsetX = offsetX;
  mLabelOffsetY = offsetY;
  mLabelled = true;
}

void AlphaButton::CreateHitMask(int dilation) {
  mHitMask.clear();
  auto* image = dynamic_cast<MemoryImage*>(mStateImage[0]);
  if (!image) return;
  const int w = image->GetWidth(), h = image->GetHeight();
  const uint32_t* bits = w > 0 && h > 0 ? image->GetBits() : nullptr;
  if (!bits) return;
  std::vector<uint8_t> mask(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < mask.size(); ++i) mask[i] = (bits[i] >> 24) != 0 ? 255 : 0;

  // Growth stays inside each cell.
  const int cw = image->GetCellWidth(), ch = image->GetCellHeight();
  for (int pass = 0; pass < dilation && cw > 0 && ch > 0; ++pass) {
    std::vector<uint8_t> grown = mask;
    for (int top = 0; top + ch <= h; top += ch) {
      for (int left = 0; left + cw <= w; left += cw) {
        const int right = left + cw, bottom = top + ch;
        for (int py = top; py < bottom; ++py) {
          for (int px = left; px < right; ++px) {
            uint8_t& out = grown[static_cast<size_t>(py) * w + px];
            if (out) continue;
            const bool l = px > left, r = px < right - 2, u = py > top, d = py < bottom - 2;
            auto at = [&](int x, int y) { return mask[static_cast<size_t>(y) * w + x] != 0; };
            if ((l && at(px - 1, py)) || (r && at(px + 1, py)) || (u && at(px, py - 1)) || (d && at(px, py + 1)) ||
                (l && u && at(px - 1, py - 1)) || (r && u && at(px + 1, py - 1)) ||
                (l && d && at(px - 1, py + 1)) || (r && d && at(px + 1, py + 1)))
              out = 255;
          }
        }
      }
    }
    mask.swap(grown);
  }
  mHitMask.swap(mask);
  mMaskWidth = w;
  mMaskCellWidth = cw;
  mMaskCellHeight = ch;
}

void AlphaButton::AddHitRect(int x, int y, int w, int h) {
  if (mHitMask.empty() || mMaskCellWidth <= 0 || mMaskCellHeight <= 0) return;
  const int maskHeight = static_cast<int>(mHitMask.size()) / mMaskWidth;
  for (int top = 0; top + mMaskCellHeight <= maskHeight; top += mMaskCellHeight) {
    for (int left = 0; left + mMaskCellWidth <= mMaskWidth; left += mMaskCellWidth) {
      // Kept inside the mask: a rectangle larger than a cell spills into
      // the next cell instead of past the image.
      for (int py = top + y; py < top + y + h; ++py) {
        for (int px = left + x; px < left + x + w; ++px) {
          if (px < 0 || px >= mMaskWidth || py < 0 || py >= maskHeight) continue;
          mHitMask[static_cast<size_t>(py) * mMaskWidth + px] = 255;
        }
      }
    }
  }
}

bool AlphaButton::Contains(int x, int y) const {
  if (mState == 3) return false;
  const int lx = x - mX, ly = y - mY;
  if (lx < 0 || lx >= mWidth || ly < 0 || ly >= mHeight) return false;
  if (mHitMask.empty() || !mStateImage[0]) return true;
  const int mx = mStateCell[0][0] * mWidth + lx;
  const int my = mStateCell[0][1] * mHeight + ly;
  const size_t index = static_cast<size_t>(my) * mMaskWidth + mx;
  if (mx < 0 || mx >= mMaskWidth || my < 0 || index >= mHitMask.size()) return false;
  return mHitMask[index] != 0;
}

void AlphaButton::Draw(Graphics& g) {
  if (!mVisible) return;
  if (mActive && mState != 1) {
    g.SetImageTinting(true);
    g.SetColor(Color(255, 255, 255, 102));
  }
  if (mOverlayOn) {
    g.SetImageTinting(true);
    g.SetColor(mOverlayColor);
  }
  Image* image = ValidState(mState) ? mStateImage[mState] : nullptr;
  const int x = mState == 1 ? mX + mHoverOffsetX : mX;
  const int y = mState == 1 ? mY + mHoverOffsetY : mY;
  if (image) g.DrawImageCellAt(image, x, y, mStateCell[mState][0], mStateCell[mState][1]);
  if (mOverlayOn) g.SetImageTinting(false);
  if (mLabelled && FONT_DEFAULT) {
    g.SetFont(FONT_DEFAULT);
    g.SetImageTinting(true);
    g.SetColor(ValidState(mState) ? mLabelColor[mState] : Color(0, 0, 0, 255));
    const int a = FONT_DEFAULT->GetAscent();
    g.WriteString(mLabel, mX + mWidth / 2 + mLabelOffsetX, mY + mLabelOffsetY + (mHeight + a - a / 6 - 1) / 2, -1, 0);
    g.SetImageTinting(false);
  }
  if (mActive) g.SetImageTinting(false);
  if (mGlowCount > 0 && image) {
    g.SetDrawMode(1);
    g.SetImageTinting(true);
    g.SetColor(Color(mGlowLevel, mGlowLevel, mGlowLevel, 255));
    g.DrawImageCellAt(image, x, y, mStateCell[mState][0], mStateCell[mState][1]);
    g.SetImageTinting(false);
    g.SetDrawMode(0);
  }
  if (mBadgeShown && mPendingClicks != 0) DrawBadge(g);
}

int AlphaButton::BadgeX(const Image* marker) const { return mX + (mWidth - marker->GetCellWidth()) / 2; }

int AlphaButton::BadgeY(const Image* marker) const { return mY + (mHeight - marker->GetCellHeight()) / 2; }

void AlphaButton::DrawBadge(Graphics& g) {
  if (!IMAGE_ACTION_MARKER) return;
  g.DrawImageCell(IMAGE_ACTION_MARKER, BadgeX(IMAGE_ACTION_MARKER) + mBadgeOffsetX,
                  BadgeY(IMAGE_ACTION_MARKER) + mBadgeOffsetY, BadgeCel(mPendingClicks));
}

void AlphaButton::UpdateAppear() {
  if (mGlowCount > 0) {
    mGlowLevel -= 4;
    if (mGlowLevel <= 0) {
      --mGlowCount;
      mGlowLevel = 255;
    }
  } else if (mGlowLevel < 255) {
    mGlowLevel += 4;
    mOverlayColor = Color(255, 255, 255, mGlowLevel);
    if (mGlowLevel >= 255) {
      mOverlayOn = false;
      mGlowCount = 2;
      mGlowLevel = 255;
    }
  }
}

int GetChooserTextY() {
  const AlphaButton* minus = InfoBalloon::GetSharedButton(3);
  if (!minus || !FONT_DEFAULT) return 0;
  const int a = FONT_DEFAULT->GetAscent();
  return minus->GetY() + (minus->GetHeight() + a - a / 6 - 1) / 2;
}

}  // namespace Plix
