#pragma once
// A two-state box: a click with any button flips it.
#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"
#include "framework/widget/Widget.h"

namespace Plix {

class CheckboxListener;

class Checkbox : public Widget {
public:
  CheckboxListener* mListener;  // may be null
  int mId;
  bool mChecked = false;
  Image* mUncheckedImage;
  Image* mCheckedImage;
  // With a checked rectangle, both looks are cut from the unchecked image.
  Rect mCheckedRect;
  Rect mUncheckedRect;
  // The look without images.
  Color mBkgColor{255, 255, 255};
  Color mInnerColor{80, 80, 80};
  Color mCheckColor{255, 255, 0};

  Checkbox(int id, CheckboxListener* listener);

  // Tells the listener when asked, also without a change.
  virtual void SetChecked(bool checked, bool tellListener = true);
  virtual bool IsChecked();

  void Draw(Graphics* g) override;
  void MouseDownButton(int x, int y, int button, int clickCount) override;
};

}  // namespace Plix
