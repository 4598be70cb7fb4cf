#pragma once
// The map's question before a new story: it slides down over a darkening
// veil, asks with "Yes" and "No" (Enter and Esc), slides back up, resumes
// the map and, after "Yes", has the map fade out towards the new story.
#include "game/screens/GameDialog.h"

namespace Plix {

class ButtonWidget;
class Map;

class RestartDialog : public GameDialog {
public:
  static constexpr int kId = 3;
  enum ButtonId { kYes = 1, kNo = 2 };

  RestartDialog(GameApp& app, Map& owner);

  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;
  ButtonWidget* GetButton(int id) const { return id == kYes ? mYes : id == kNo ? mNo : nullptr; }

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void OnArrived() override;
  void CloseAction() override;

private:
  Map& mOwner;
  ButtonWidget* mYes;
  ButtonWidget* mNo;
};

}  // namespace Plix
