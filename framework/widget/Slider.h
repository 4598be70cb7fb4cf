#pragma once
// A horizontal or vertical value control for a value from 0 to 1, drawn as
// a three-cell track and a thumb.
#include "framework/widget/Widget.h"

namespace Plix {

class SliderListener;

class Slider : public Widget {
public:
  SliderListener* mListener;
  double mVal = 0;
  int mId;
  Image* mTrackImage;  // null: no track
  Image* mThumbImage;  // null: no thumb
  bool mDragging = false;
  // Where inside the thumb the mouse took hold, along the axis.
  int mRelX = 0;
  int mRelY = 0;
  bool mHorizontal = true;

  Slider(int id, SliderListener* listener);

  // Clamped to 0..1; the listener is not told.
  virtual void SetValue(double value);
  virtual bool HasTransparencies() { return true; }

  void Draw(Graphics* g) override;
  void MouseLeave() override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int clickCount) override;
  void MouseUpAt(int x, int y) override;
  void MouseDrag(int x, int y) override;

private:
  int Length() const { return mHorizontal ? mWidth : mHeight; }
  int ThumbLength() const;
  // The thumb's position along the axis.
  int ThumbPos() const;
  bool ThumbHit(int along) const;
  void TellValue();
};

}  // namespace Plix
