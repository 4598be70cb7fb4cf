#include "framework/widget/DialogButton.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"

namespace Plix {

namespace {

const int32_t kDialogButtonColors[][3] = {
    {255, 255, 255}, {255, 255, 255}, {0, 0, 0}, {255, 255, 255}, {132, 132, 132}, {212, 212, 212},
};

bool HasArea(const Rect& r) { return r.mWidth >= 1 && r.mHeight >= 1; }

}  // namespace

DialogButton::DialogButton(int id, ButtonListener* listener) : ButtonWidget(id, listener) {
  mDoFinger = true;
  SetColorTableRGB(kDialogButtonColors, 6);
}

void DialogButton::Draw(Graphics* g) {
  if (mBtnNoDraw) return;
  if (mComponentImage == nullptr) {
    ButtonWidget::Draw(g);
    return;
  }
  if (mFont == nullptr && !mLabel.empty()) EnsureFont(12, 1);

  const bool pressed = IsButtonDown();
  const Rect box(0, 0, mWidth, mHeight);
  Graphics local(*g);
  if (mNormalRect.mWidth == 0) {
    if (pressed) local.Translate(mTranslateX, mTranslateY);
    local.DrawImageBox(box, mComponentImage);
  } else {
    if (mDisabled && HasArea(mDisabledRect)) {
      local.DrawImageBoxSrcRect(box, mDisabledRect, mComponentImage);
    } else if (pressed) {
      local.DrawImageBoxSrcRect(box, mDownRect, mComponentImage);
    } else if (mOverAlpha > 0) {
      if (mOverAlpha < 1) local.DrawImageBoxSrcRect(box, mNormalRect, mComponentImage);
      local.SetImageTinting(true);
      local.SetColor(Color(255, 255, 255, static_cast<int>(mOverAlpha * 255)));
      local.DrawImageBoxSrcRect(box, mOverRect, mComponentImage);
      local.SetImageTinting(false);
    } else if (mIsOver) {
      local.DrawImageBoxSrcRect(box, mOverRect, mComponentImage);
    } else {
      local.DrawImageBoxSrcRect(box, mNormalRect, mComponentImage);
    }
    // The label moves, the frame does not.
    if (pressed) local.Translate(mTranslateX, mTranslateY);
  }

  if (mFont != nullptr) {
    local.SetFont(mFont);
    local.SetColor(GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL));
    const int ascent = mFont->GetAscent();
    const int x = mTextOffsetX + (mWidth - mFont->StringWidth(mLabel)) / 2;
    const int y = mTextOffsetY + (ascent + mHeight - ascent / 6 - mFont->GetAscentPadding() - 1) / 2;
    local.DrawString(mLabel, x, y);
  }
}

}  // namespace Plix
