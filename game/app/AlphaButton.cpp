#include "game/app/AlphaButton.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "game/app/GameResources.h"

namespace Plix {

AlphaButton::AlphaButton(int id) : mId(id) {}

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
  if (ValidState(mState) && mStateImage[mState])
    g.DrawImageCellAt(mStateImage[mState], mX, mY, mStateCell[mState][0], mStateCell[mState][1]);
  if (mLabelled && FONT_DEFAULT) {
    g.SetFont(FONT_DEFAULT);
    g.SetImageTinting(true);
    g.SetColor(Color(0, 0, 0, 255));
    const int a = FONT_DEFAULT->GetAscent();
    g.WriteString(mLabel, mX + mWidth / 2 + mLabelOffsetX, mY + mLabelOffsetY + (mHeight + a - a / 6 - 1) / 2, -1, 0);
    g.SetImageTinting(false);
  }
}

}  // namespace Plix
