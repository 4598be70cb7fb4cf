#include "framework/widget/ButtonWidget.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/SysFont.h"
#include "framework/widget/ButtonListener.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

namespace {

const int32_t kButtonColors[][3] = {
    {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}, {132, 132, 132}, {212, 212, 212},
};

}  // namespace

ButtonWidget::ButtonWidget(int id, ButtonListener* listener) : mId(id), mButtonListener(listener) {
  mTranslucent = true;
  SetColorTableRGB(kButtonColors, 6);
}

ButtonWidget::~ButtonWidget() { delete mFont; }

void ButtonWidget::SetFont(Font* font) {
  delete mFont;
  mFont = font != nullptr ? font->Duplicate() : nullptr;
}

Font* ButtonWidget::EnsureFont(int pointSize, int script) {
  if (mFont == nullptr) mFont = new SysFont(GetGraphicsHost(), "Arial Unicode MS", pointSize, script);
  return mFont;
}

bool ButtonWidget::IsButtonDown() { return mIsDown && mIsOver && !mDisabled; }

void ButtonWidget::DrawButtonImage(Graphics* g, Image* image, const Rect& rect, int x, int y) {
  if (rect.mWidth != 0) {
    if (mNormalImage != nullptr) g->DrawImageSrcRect(mNormalImage, x, y, rect);
  } else if (image != nullptr) {
    g->DrawImage(image, x, y);
  }
}

void ButtonWidget::Draw(Graphics* g) {
  if (mBtnNoDraw) return;
  if (mFont == nullptr && !mLabel.empty()) EnsureFont(10, 0);

  int labelX = mLabelOffsetX, labelY = mLabelOffsetY;
  if (mFont != nullptr) {
    int textWidth = mFont->StringWidth(mLabel);
    if (mLabelJustify == 0)
      labelX += (mWidth - textWidth) / 2;
    else if (mLabelJustify == 1)
      labelX += mWidth - textWidth;
    int ascent = mFont->GetAscent();
    labelY += (mHeight + ascent - ascent / 6 - 1) / 2;
  }
  g->SetFont(mFont);

  const bool pressed = IsPressedLook();
  const Color& labelColor = GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL);

  if (mNormalImage == nullptr && mDownImage == nullptr) {
    if (!mFrameNoDraw) {
      g->SetColor(GetColor(COLOR_BKG));
      g->FillRect(0, 0, mWidth, mHeight);
    }
    if (pressed) {
      if (!mFrameNoDraw) {
        g->SetColor(GetColor(COLOR_DARK_OUTLINE));
        g->FillRect(0, 0, mWidth - 1, 1);
        g->FillRect(0, 0, 1, mHeight - 1);
        g->SetColor(GetColor(COLOR_LIGHT_OUTLINE));
        g->FillRect(0, mHeight - 1, mWidth, 1);
        g->FillRect(mWidth - 1, 0, 1, mHeight);
        g->SetColor(GetColor(COLOR_MEDIUM_OUTLINE));
        g->FillRect(1, 1, mWidth - 3, 1);
        g->FillRect(1, 1, 1, mHeight - 3);
      }
      g->SetColor(labelColor);
      g->DrawString(mLabel, labelX + 1, labelY + 1);
    } else {
      if (!mFrameNoDraw) {
        g->SetColor(GetColor(COLOR_LIGHT_OUTLINE));
        g->FillRect(0, 0, mWidth - 1, 1);
        g->FillRect(0, 0, 1, mHeight - 1);
        g->SetColor(GetColor(COLOR_DARK_OUTLINE));
        g->FillRect(0, mHeight - 1, mWidth, 1);
        g->FillRect(mWidth - 1, 0, 1, mHeight);
        g->SetColor(GetColor(COLOR_MEDIUM_OUTLINE));
        g->FillRect(1, mHeight - 2, mWidth - 2, 1);
        g->FillRect(mWidth - 2, 1, 1, mHeight - 2);
      }
      g->SetColor(labelColor);
      g->DrawString(mLabel, labelX, labelY);
    }
    return;
  }

  if (pressed) {
    if (HaveButtonImage(mDownImage, mDownRect))
      DrawButtonImage(g, mDownImage, mDownRect, 0, 0);
    else if (HaveButtonImage(mOverImage, mOverRect))
      DrawButtonImage(g, mOverImage, mOverRect, 1, 1);
    else
      DrawButtonImage(g, mNormalImage, mNormalRect, 1, 1);
    g->SetColor(GetColor(COLOR_LABEL_HILITE));
    g->DrawString(mLabel, labelX + 1, labelY + 1);
    return;
  }

  if (mDisabled && HaveButtonImage(mDisabledImage, mDisabledRect)) {
    DrawButtonImage(g, mDisabledImage, mDisabledRect, 0, 0);
  } else if (mOverAlpha > 0 && HaveButtonImage(mOverImage, mOverRect)) {
    if (HaveButtonImage(mNormalImage, mNormalRect) && mOverAlpha < 1)
      DrawButtonImage(g, mNormalImage, mNormalRect, 0, 0);
    g->SetImageTinting(true);
    g->SetColor(Color(255, 255, 255, static_cast<int>(mOverAlpha * 255)));
    DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
    g->SetImageTinting(false);
  } else if ((mIsOver || mIsDown) && HaveButtonImage(mOverImage, mOverRect)) {
    DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
  } else if (HaveButtonImage(mNormalImage, mNormalRect)) {
    DrawButtonImage(g, mNormalImage, mNormalRect, 0, 0);
  }
  g->SetColor(labelColor);
  g->DrawString(mLabel, labelX, labelY);
}

void ButtonWidget::SetDisabled(bool disabled) {
  Widget::SetDisabled(disabled);
  if (HaveButtonImage(mDisabledImage, mDisabledRect)) MarkDirty();
}

bool ButtonWidget::HoverChangesLook() {
  return mIsDown || HaveButtonImage(mOverImage, mOverRect) ||
         GetColor(COLOR_LABEL).NotEqual(GetColor(COLOR_LABEL_HILITE));
}

void ButtonWidget::MouseEnter() {
  if (mOverAlphaFadeInSpeed == 0 && mOverAlpha > 0) mOverAlpha = 0;
  if (HoverChangesLook()) MarkDirty();
  if (mButtonListener != nullptr) mButtonListener->ButtonHoverEnter(mId);
}

void ButtonWidget::MouseLeave() {
  if (mOverAlphaSpeed == 0 && mOverAlpha > 0)
    mOverAlpha = 0;
  else if (mOverAlphaSpeed > 0 && mOverAlpha == 0)
    mOverAlpha = 1;  // the fade-out starts from the full over look
  if (HoverChangesLook()) MarkDirty();
  if (mButtonListener != nullptr) mButtonListener->ButtonHoverLeave(mId);
}

void ButtonWidget::MouseMove(int x, int y) {
  if (mButtonListener != nullptr) mButtonListener->ButtonHoverMove(mId, x, y);
}

void ButtonWidget::MouseDownButton(int x, int y, int button, int clickCount) {
  if (mButtonListener != nullptr) mButtonListener->ButtonPressedWithClicks(mId, clickCount);
  MarkDirty();
}

void ButtonWidget::MouseUpButton(int x, int y, int button, int clickCount) {
  if (mIsOver && mWidgetManager != nullptr && mWidgetManager->mHasFocus && mButtonListener != nullptr)
    mButtonListener->ButtonReleased(mId);
  MarkDirty();
}

void ButtonWidget::Update() {
  Widget::Update();
  if (mIsDown && mIsOver && mButtonListener != nullptr) mButtonListener->ButtonHeldTick(mId);

  if (!mIsDown && !mIsOver && mOverAlpha > 0) {
    if (mOverAlphaSpeed > 0)
      mOverAlpha = std::max(mOverAlpha - mOverAlphaSpeed, 0.0);
    else
      mOverAlpha = 0;
    MarkDirty();
  } else if (mIsOver && mOverAlphaFadeInSpeed > 0 && mOverAlpha < 1) {
    mOverAlpha = std::min(mOverAlpha + mOverAlphaFadeInSpeed, 1.0);
    MarkDirty();
  }
}

}  // namespace Plix
