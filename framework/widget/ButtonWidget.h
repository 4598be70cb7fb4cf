#pragma once
// The push button: drawn from up to four images (or rectangles cut from the
// normal image) or, without images, as a bevelled box in six colours. It
// reports presses, releases, hovering and holding to its listener and can
// fade its over image in and out.
#include <string>

#include "framework/graphics/Rect.h"
#include "framework/widget/Widget.h"

namespace Plix {

class ButtonListener;

class ButtonWidget : public Widget {
public:
  // Colour rows.
  enum { COLOR_LABEL, COLOR_LABEL_HILITE, COLOR_DARK_OUTLINE, COLOR_LIGHT_OUTLINE, COLOR_MEDIUM_OUTLINE, COLOR_BKG };

  int mId;
  std::wstring mLabel;
  int mLabelJustify = 0;  // 0 centred, 1 right, anything else left
  int mLabelOffsetX = 0;
  int mLabelOffsetY = 0;
  Font* mFont = nullptr;  // owned copy
  Image* mNormalImage = nullptr;
  Image* mOverImage = nullptr;
  Image* mDownImage = nullptr;
  Image* mDisabledImage = nullptr;
  // A rectangle with a width cuts that state's look from the normal image.
  Rect mNormalRect;
  Rect mOverRect;
  Rect mDownRect;
  Rect mDisabledRect;
  bool mInverted = false;
  bool mBtnNoDraw = false;
  bool mFrameNoDraw = false;
  ButtonListener* mButtonListener;
  double mOverAlpha = 0;
  double mOverAlphaSpeed = 0;        // fade-out step per tick
  double mOverAlphaFadeInSpeed = 0;  // fade-in step per tick

  ButtonWidget(int id, ButtonListener* listener);
  ~ButtonWidget() override;

  virtual void DrawButtonImage(Graphics* g, Image* image, const Rect& rect, int x, int y);
  virtual void SetFont(Font* font);
  // Held down with the mouse over it, and enabled.
  virtual bool IsButtonDown();

  bool HaveButtonImage(Image* image, const Rect& rect) const { return image != nullptr || rect.mWidth != 0; }

  void Update() override;
  void Draw(Graphics* g) override;
  void SetDisabled(bool disabled) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseMove(int x, int y) override;
  void MouseDownButton(int x, int y, int button, int clickCount) override;
  void MouseUpButton(int x, int y, int button, int clickCount) override;

protected:
  // The label font, made on first need.
  Font* EnsureFont(int pointSize, int script);
  bool IsPressedLook() { return IsButtonDown() != mInverted; }
  // Over look changed or label colour changes: worth a repaint on hover.
  bool HoverChangesLook();
};

}  // namespace Plix
