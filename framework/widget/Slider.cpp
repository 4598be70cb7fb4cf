#include "framework/widget/Slider.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/SliderListener.h"
#include "framework/widget/WidgetHost.h"
#include "framework/widget/WidgetImages.h"

namespace Plix {

Slider::Slider(int id, SliderListener* listener)
    : mListener(listener), mId(id), mTrackImage(IMAGE_DIALOG_SLIDER), mThumbImage(IMAGE_DIALOG_SLIDER_THUMB) {}

void Slider::SetValue(double value) {
  mVal = std::clamp(value, 0.0, 1.0);
  MarkDirtyWithOverlaps();
}

int Slider::ThumbLength() const {
  if (mThumbImage == nullptr) return 0;
  return mHorizontal ? mThumbImage->GetWidth() : mThumbImage->GetHeight();
}

int Slider::ThumbPos() const { return static_cast<int>((Length() - ThumbLength()) * mVal); }

bool Slider::ThumbHit(int along) const {
  int pos = ThumbPos();
  return along >= pos && along < pos + ThumbLength();
}

void Slider::TellValue() {
  if (mListener != nullptr) mListener->OnSliderValue(mId, mVal);
}

void Slider::Draw(Graphics* g) {
  // The thumb and the track ends may reach past the slider's own rectangle.
  g->ClearClipRect();

  if (mTrackImage != nullptr) {
    if (mHorizontal) {
      const int cw = mTrackImage->GetWidth() / 3, ch = mTrackImage->GetHeight();
      const int y = (mHeight - ch) / 2;
      g->DrawImageSrcRect(mTrackImage, 0, y, Rect(0, 0, cw, ch));
      const int middle = cw > 0 ? (mWidth - cw - 1) / cw : 0;
      for (int i = 1; i <= middle; ++i) g->DrawImageSrcRect(mTrackImage, i * cw, y, Rect(cw, 0, cw, ch));
      g->DrawImageSrcRect(mTrackImage, mWidth - cw, y, Rect(2 * cw, 0, cw, ch));
    } else {
      const int cw = mTrackImage->GetWidth(), ch = mTrackImage->GetHeight() / 3;
      g->DrawImageSrcRect(mTrackImage, 0, 0, Rect(0, 0, cw, ch));
      const int middle = ch > 0 ? (mHeight - ch - 1) / ch : 0;
      for (int i = 1; i <= middle; ++i) g->DrawImageSrcRect(mTrackImage, 0, i * ch, Rect(0, ch, cw, ch));
      g->DrawImageSrcRect(mTrackImage, 0, mHeight - ch, Rect(0, 2 * ch, cw, ch));
    }
  }

  if (mThumbImage != nullptr) {
    if (mHorizontal)
      g->DrawImage(mThumbImage, ThumbPos(), (mHeight - mThumbImage->GetHeight()) / 2);
    else
      g->DrawImage(mThumbImage, (mWidth - mThumbImage->GetWidth()) / 2, ThumbPos());
  }
}

void Slider::MouseDown(int x, int y, int clickCount) {
  const int along = mHorizontal ? x : y;
  if (ThumbHit(along)) {
    GetWidgetHost()->SetCursor(CURSOR_DRAGGING);
    mDragging = true;
    (mHorizontal ? mRelX : mRelY) = along - ThumbPos();
  } else if (Length() > 0) {
    // The thumb jumps to the click; the listener hears of it on release.
    SetValue(static_cast<double>(along) / Length());
  }
}

void Slider::MouseDrag(int x, int y) {
  if (!mDragging) return;
  const int travel = Length() - ThumbLength();
  if (travel <= 0) return;  // no room to move in
  const int along = mHorizontal ? x - mRelX : y - mRelY;
  double value = std::clamp(static_cast<double>(along) / travel, 0.0, 1.0);
  if (value != mVal) {
    mVal = value;
    TellValue();
    MarkDirtyWithOverlaps();
  }
}

void Slider::MouseUpAt(int x, int y) {
  mDragging = false;
  GetWidgetHost()->SetCursor(CURSOR_POINTER);
  TellValue();
}

void Slider::MouseMove(int x, int y) {
  GetWidgetHost()->SetCursor(ThumbHit(mHorizontal ? x : y) ? CURSOR_DRAGGING : CURSOR_POINTER);
}

void Slider::MouseLeave() {
  if (!mDragging) GetWidgetHost()->SetCursor(CURSOR_POINTER);
}

}  // namespace Plix
