#pragma once
// The pause menu of a day: it slides down over a darkening veil while the
// board waits paused, and offers going back to the day, leaving it, the
// options and the help. Going back and leaving wait until it has slid up
// again. Options and help open over it and give its veil back when they
// close.
#include "game/screens/GameDialog.h"

namespace Plix {

class ButtonWidget;

class GameMenuDialog : public GameDialog, public OverlayOwner {
public:
  static constexpr int kDialogId = 6;
  enum ButtonId { kResume = 1, kLeave = 2, kOptions = 3, kHelp = 4 };

  // Mode 0 is a story day (leaving goes to the map), 1 to 3 Happy Hour
  // (to the main menu). The title reads "Paused" when a key opened it,
  // "Menu" when the board's menu button did.
  GameMenuDialog(GameApp& app, int mode, bool pausedTitle);

  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;
  void RestoreOverlay() override;

  ButtonWidget* GetButton(int id) const;
  bool DrawsOverlay() const { return mDrawOverlay; }
  const std::wstring& GetTitle() const { return mTitle; }

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void CloseAction() override;

private:
  ButtonWidget* mResume;
  ButtonWidget* mLeave;
  ButtonWidget* mOptions;
  ButtonWidget* mHelp;
  bool mDrawOverlay = true;
  std::wstring mTitle;
};

}  // namespace Plix
