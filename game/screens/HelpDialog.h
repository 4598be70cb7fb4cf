#pragma once
// "How to Play": five pages of the group "Help", which is loaded while the
// dialog exists, turned in a ring with two arrows, and "Close".
#include "game/screens/GameDialog.h"

namespace Plix {

class ButtonWidget;

class HelpDialog : public GameDialog {
public:
  static constexpr int kDialogId = 4;
  static constexpr int kPages = 5;
  enum ButtonId { kNextPage = 1, kPreviousPage = 2, kClose = 3 };

  HelpDialog(GameApp& app, bool fromMainMenu, OverlayOwner* owner);
  ~HelpDialog() override;

  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;

  int GetPage() const { return mPage; }
  ButtonWidget* GetButton(int id) const;

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void CloseAction() override;

private:
  bool mFromMainMenu;
  OverlayOwner* mOwner;
  int mPage = 0;
  ButtonWidget* mNextPage;
  ButtonWidget* mPreviousPage;
  ButtonWidget* mClose;
};

}  // namespace Plix
