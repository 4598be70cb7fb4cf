#pragma once
// Music and sound volumes, which act at once, and four switches (3D
// acceleration, full screen, custom cursors, show tutorials), applied only
// when the dialog is left with "OK". Two switches may first raise a warning.
#include "framework/widget/CheckboxListener.h"
#include "framework/widget/SliderListener.h"
#include "game/screens/GameDialog.h"
#include "game/screens/WarningDialogs.h"

namespace Plix {

class ButtonWidget;
class Checkbox;
class Slider;

class OptionsDialog : public GameDialog, public SliderListener, public CheckboxListener, public WarningOwner {
public:
  static constexpr int kDialogId = 10;
  enum ControlId { kMusic = 1, kSound = 2, k3D = 3, kFullScreen = 4, kShowTutorials = 5, kCustomCursors = 6,
                   kOk = 7, kCancel = 8 };

  // fromMainMenu: resumes the menu when it closes; else it gives the
  // owner (the pause menu) its veil back.
  OptionsDialog(GameApp& app, bool fromMainMenu, OverlayOwner* owner);

  void OnAddedToManager(WidgetManager* manager) override;
  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;
  void OnSliderValue(int id, double value) override;
  void OnCheckboxChanged(int id, bool checked) override;
  void OnWarningClosed() override;

  Slider* GetSlider(int id) const { return id == kMusic ? mMusic : id == kSound ? mSound : nullptr; }
  Checkbox* GetBox(int id) const;
  ButtonWidget* GetButton(int id) const { return id == kOk ? mOk : id == kCancel ? mCancel : nullptr; }
  bool DrawsOverlay() const { return mDrawOverlay; }

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void CloseAction() override;

private:
  void OpenWarning(MessageDialog* warning);

  bool mFromMainMenu;
  OverlayOwner* mOwner;
  Slider* mMusic;
  Slider* mSound;
  Checkbox* m3D;
  Checkbox* mFullScreen;
  // The boxes as the dialog opened: OK applies a mode only where the
  // player changed its box (Alt+Enter still works while it is open).
  bool mFullScreenAtOpen = false;
  bool m3DAtOpen = false;
  Checkbox* mShowTutorials;
  Checkbox* mCustomCursors;
  ButtonWidget* mOk;
  ButtonWidget* mCancel;
  bool mDrawOverlay = true;
};

}  // namespace Plix
