#pragma once
// The best-seller screen's two questions: the name under which a new result
// stays in its table, and whether a table is to be refilled with its
// default entries. The screen stays paused until they have gone.
#include <string>

#include "game/screens/GameDialog.h"
#include "game/screens/PlayerDialogs.h"

namespace Plix {

class BestSellers;
class EditWidget;

class BSNameDialog : public NameEntryDialog {
public:
  BSNameDialog(GameApp& app, BestSellers* parent);

  void Draw(Graphics* g) override;
  void ButtonPressed(int id) override;
  void ButtonReleased(int id) override;

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void OnArrived() override;
  void CloseAction() override;

private:
  BestSellers* mParent;
};

class BSClearDialog : public GameDialog {
public:
  static constexpr int kDialogId = 3;
  enum ButtonId { kYes = 1, kNo = 2 };

  BSClearDialog(GameApp& app, BestSellers* parent, int table);

  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;
  int GetTable() const { return mTable; }
  ButtonWidget* GetButton(int id) const { return id == kYes ? mYes : id == kNo ? mNo : nullptr; }

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void OnArrived() override;
  void CloseAction() override;

private:
  BestSellers* mParent;
  int mTable;
  ButtonWidget* mYes;
  ButtonWidget* mNo;
};

}  // namespace Plix
