#pragma once
// The Happy Hour start: slides down over a darkening veil, steps through
// "Easy", "Normal" and "Hard" with two arrows, and on "Play" or "Back"
// slides up again, then starts the day or gives the menu back.
#include "game/screens/GameDialog.h"

namespace Plix {

class ButtonWidget;
class MainMenu;

class DifficultyDialog : public GameDialog {
public:
  static constexpr int kDialogId = 5;
  enum ButtonId { kPlay = 1, kBack = 2, kPrevious = 3, kNext = 4 };

  DifficultyDialog(GameApp& app, MainMenu* menu);

  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;

  // 0 "Easy", 1 "Normal", 2 "Hard".
  int GetDifficultyIndex() const { return mIndex; }
  static const wchar_t* DifficultyName(int index);
  ButtonWidget* GetButton(int id) const;

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void CloseAction() override;

private:
  MainMenu* mMenu;
  int mIndex = 1;
  ButtonWidget* mPrevious;
  ButtonWidget* mNext;
  ButtonWidget* mPlay;
  ButtonWidget* mBack;
};

}  // namespace Plix
