#pragma once
// What every dialog of the game shares: it is a modal toolkit dialog that
// draws its own picture and owns its controls, which live in the widget
// manager beside it in screen coordinates; it slides in from outside the
// screen at 16 pixels an update, disabled until it is at rest, and slides
// back out before its close action runs; its button presses click; it may
// darken the screen under it with a veil.
#include <string>
#include <vector>

#include "framework/widget/Dialog.h"

namespace Plix {

class ButtonWidget;
class Checkbox;
class GameApp;
class Image;

// A dialog that opens another over itself hides its own veil meanwhile; the
// child gives it back when it has gone.
class OverlayOwner {
public:
  virtual ~OverlayOwner() = default;
  virtual void RestoreOverlay() = 0;
};

class GameDialog : public Dialog {
public:
  static constexpr int kSlideStep = 16;
  static constexpr int kVeilMax = 102;
  static constexpr int kVeilStep = 4;

  // `picture` sets the slide target: the middle of the 800 x 600 screen.
  GameDialog(GameApp& app, int id, Image* picture, Image* componentImage = nullptr);
  ~GameDialog() override;

  // The click sound of every dialog button; the action waits for the
  // release.
  void ButtonPressed(int id) override;
  void OnAddedToManager(WidgetManager* manager) override;
  void OnRemovedFromManager(WidgetManager* manager) override;
  // Remembers the first y as the rest y, then places the controls.
  void Resize(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void Update() override;

  // Back the way it came: target the rest y, slide, disabled. The code is
  // what the close action reads (0 is reserved for sliding in).
  void StartClosing(int code);
  // Sliding out: presses that would open another dialog are ignored.
  bool IsClosing() const { return mClosing != 0; }
  bool IsSliding() const { return mSliding; }
  int GetClosingCode() const { return mClosing; }
  int GetTargetY() const { return mTargetY; }
  int GetRestY() const { return mRestY; }
  int GetVeilAlpha() const { return mVeilAlpha; }

protected:
  // In screen coordinates, after each resize.
  virtual void PlaceControls(int x, int y, int width, int height) {}
  // At rest after sliding in.
  virtual void OnArrived() {}
  // At the rest y after sliding out: close and report.
  virtual void CloseAction() = 0;

  // A control the dialog owns and adds to the manager beside itself, in
  // the order added.
  void AddControl(Widget* control);
  // A button of the dialogs' look: the image's cel 0 for normal and down,
  // cel 1 for over (cel sizes measured on `cells`, by default the image),
  // the label in FONT_RAVIE_14 shifted by (-4, -8), hand cursor.
  ButtonWidget* MakeButton(int id, Image* image, const std::wstring& label, Image* cells = nullptr);
  // A check box drawn from the two halves of IMAGE_DIALOG_CHECKBOX.
  void LookAsCheckbox(Checkbox* box);

  // Veils that fade: +4 while sliding in up to 102, -4 while sliding out.
  void SetVeil(int alpha, bool animated) {
    mVeilAlpha = alpha;
    mVeilAnimated = animated;
  }
  // The whole screen in (0, 0, 32, alpha), the clip cleared first.
  void DrawVeil(Graphics* g, int alpha);
  // The picture, the header plate and the title of every dialog.
  void DrawPictureAndTitle(Graphics* g, Image* picture, const std::wstring& title);
  // A word-wrapped text block centred 24 pixels above the middle.
  void DrawBodyText(Graphics* g, const std::wstring& text);
  // Centred on x at baseline y, in the font and colour given.
  void DrawCentred(Graphics* g, const std::wstring& text, int x, int y);

  GameApp& mApp;
  int mTargetY;
  bool mSliding = true;
  int mClosing = 0;
  int mRestY = -1;
  int mVeilAlpha = 0;
  bool mVeilAnimated = false;

  // One step of the slide (and of an animated veil); at its end the dialog
  // arrives or runs its close action. Update calls it while sliding.
  void SlideStep();

private:
  std::vector<Widget*> mControls;  // owned
};

// The click of every dialog button's press (and of the best-sellers and
// hotel screens' buttons).
void PlayDialogClickSound(GameApp& app);

// Colours of the dialogs' texts.
Color DialogTitleColor();
Color DialogTextColor();
// The look of every dialog button: the image's cells for normal and over
// (`cells` gives the cell size when the image is not cut in cells), the
// label in the dialog font and colour, the hand cursor; sized to one cell.
void LookAsDialogButton(ButtonWidget* button, Image* image, const std::wstring& label, Image* cells = nullptr);
// Adds a message-sized dialog below the screen, centred across, to slide up
// over whatever is up, and gives it the keyboard.
void ShowFromBelow(GameApp& app, GameDialog* dialog, int id);

// Draws the image when there is one (a group that failed leaves nulls).
void DrawImageIf(Graphics* g, Image* image, int x, int y);

}  // namespace Plix
