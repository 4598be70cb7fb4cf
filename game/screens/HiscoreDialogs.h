#pragma once
// The best-seller screen's two questions: the name under which a new result
// stays in its table, and whether a table is to be refilled with its
// default entries. The screen stays paused until they have gone.
#include <string>

#include "framework/widget/EditListener.h"
#include "game/screens/GameDialog.h"

namespace Plix {

class BestSellers;
class EditWidget;

class BSNameDialog : public GameDialog, public EditListener {
public:
  static constexpr int kDialogId = 4;
  static constexpr int kMaxChars = 63;
  static constexpr int kMaxPixels = 222;
  enum ButtonId { kOk = 1, kCancel = 2 };

  BSNameDialog(GameApp& app, BestSellers* parent);

  void OnAddedToManager(WidgetManager* manager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void ButtonPressed(int id) override;
  void ButtonReleased(int id) override;

  // Only what the fonts draw and the table file keeps, as for a player's
  // name.
  bool AcceptsChar(int id, wchar_t ch) override;
  bool AcceptsText(int id, const std::wstring& text) override;
  void OnEditChar(wchar_t ch) override;

  EditWidget* GetNameField() const { return mName; }
  ButtonWidget* GetButton(int id) const { return id == kOk ? mOk : id == kCancel ? mCancel : nullptr; }

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void OnArrived() override;
  void CloseAction() override;

private:
  ButtonWidget* mOk;
  ButtonWidget* mCancel;
  EditWidget* mName;
  bool mFocusGiven = false;
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
