#pragma once
// The button a dialog makes for its answers; it can draw its frame as a
// 3 x 3 box cut from one component image.
#include "framework/widget/ButtonWidget.h"

namespace Plix {

class DialogButton : public ButtonWidget {
public:
  Image* mComponentImage = nullptr;
  // How far the label moves while pressed.
  int mTranslateX = 1;
  int mTranslateY = 1;
  int mTextOffsetX = 0;
  int mTextOffsetY = 0;

  DialogButton(int id, ButtonListener* listener);

  void Draw(Graphics* g) override;
};

}  // namespace Plix
