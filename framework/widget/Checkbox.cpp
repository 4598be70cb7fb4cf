#include "framework/widget/Checkbox.h"

#include "framework/graphics/Graphics.h"
#include "framework/widget/CheckboxListener.h"
#include "framework/widget/WidgetImages.h"

namespace Plix {

Checkbox::Checkbox(int id, CheckboxListener* listener)
    : mListener(listener), mId(id), mUncheckedImage(IMAGE_DIALOG_CHECKBOX), mCheckedImage(IMAGE_DIALOG_CHECKBOX) {
  mDoFinger = true;
}

void Checkbox::SetChecked(bool checked, bool tellListener) {
  mChecked = checked;
  if (tellListener && mListener != nullptr) mListener->OnCheckboxChanged(mId, mChecked);
  MarkDirty();
}

bool Checkbox::IsChecked() { return mChecked; }

void Checkbox::Draw(Graphics* g) {
  if (mCheckedRect.mWidth == 0 && mCheckedImage != nullptr && mUncheckedImage != nullptr) {
    g->DrawImage(mChecked ? mCheckedImage : mUncheckedImage, 0, 0);
  } else if (mCheckedRect.mWidth != 0 && mUncheckedImage != nullptr) {
    g->DrawImageSrcRect(mUncheckedImage, 0, 0, mChecked ? mCheckedRect : mUncheckedRect);
  } else if (mCheckedImage == nullptr && mUncheckedImage == nullptr) {
    g->SetColor(mBkgColor);
    g->FillRect(0, 0, mWidth, mHeight);
    g->SetColor(mInnerColor);
    g->FillRect(1, 1, mWidth - 2, mHeight - 2);
    if (mChecked) {
      g->SetColor(mCheckColor);
      g->DrawLine(1, 1, mWidth - 2, mHeight - 2);
      g->DrawLine(mWidth - 1, 1, 1, mHeight - 2);
    }
  }
}

void Checkbox::MouseDownButton(int x, int y, int button, int clickCount) { SetChecked(!mChecked, true); }

}  // namespace Plix
