#pragma once
// The main menu's player management: the list of the eight players with
// "Select", "Cancel", "Create" and "Delete"; the name dialog that creates a
// player; the question before a player is deleted. They report through the
// application, which finds the open list through the main menu.
#include <string>

#include "framework/widget/CheckboxListener.h"
#include "framework/widget/EditListener.h"
#include "game/screens/GameDialog.h"

namespace Plix {

class ButtonWidget;
class Checkbox;
class EditWidget;

class MMPlayerDialog : public GameDialog, public CheckboxListener {
public:
  static constexpr int kDialogId = 5;
  static constexpr int kRows = 8;
  static constexpr int kRowTop = 118;
  enum ButtonId { kSelect = 1, kCancel = 2, kCreate = 3, kDelete = 4 };

  explicit MMPlayerDialog(GameApp& app);

  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;
  void OnCheckboxChanged(int id, bool checked) override;

  // After the name dialog: the new player's index, or -1.
  void SelectPlayer(int index);
  // After the question: deletes the selected player when confirmed.
  void DeleteSelectedPlayer(bool confirmed);
  // Every row unchecked, then the selected one checked.
  void RefreshChecks();

  int GetSelectedRow() const { return mSelected; }
  bool IsVeilShown() const { return mVeilShown; }
  Checkbox* GetRow(int i) const { return mRows[i]; }
  ButtonWidget* GetButton(int id) const;

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void CloseAction() override;

private:
  bool RowHasName(int row);
  // "Create" only while a slot is free.
  void UpdateCreateButton();

  ButtonWidget* mSelect;
  ButtonWidget* mCancel;
  ButtonWidget* mCreate;
  ButtonWidget* mDelete;
  Checkbox* mRows[kRows];
  int mSelected = -1;
  bool mVeilShown = true;
};

// A question that asks for a name: the field (only what the fonts draw and
// the files keep), OK and Cancel, Enter and Esc. The new player and the new
// best seller ask through it.
class NameEntryDialog : public GameDialog, public EditListener {
public:
  static constexpr int kDialogId = 4;
  static constexpr int kMaxChars = 63;
  static constexpr int kMaxPixels = 222;
  enum ButtonId { kOk = 1, kCancel = 2 };

  NameEntryDialog(GameApp& app);

  void OnAddedToManager(WidgetManager* manager) override;
  void Update() override;

  bool AcceptsChar(int id, wchar_t ch) override;
  bool AcceptsText(int id, const std::wstring& text) override;
  void OnEditChar(wchar_t ch) override;

  // A character a name may hold.
  static bool IsNameChar(wchar_t ch);
  EditWidget* GetNameField() const { return mName; }
  ButtonWidget* GetButton(int id) const { return id == kOk ? mOk : id == kCancel ? mCancel : nullptr; }

protected:
  // The field centred on the text-field picture of the dialog at x, y.
  void PlaceNameField(int x, int y, int width);

  ButtonWidget* mOk;
  ButtonWidget* mCancel;
  EditWidget* mName;

private:
  bool mFocusedOnce = false;
};

class MMNewPlayerDialog : public NameEntryDialog {
public:
  // fromMenu: opened by the main menu (true) or by the player list.
  MMNewPlayerDialog(GameApp& app, bool fromMenu);

  void Draw(Graphics* g) override;
  void ButtonReleased(int id) override;

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void OnArrived() override;
  void CloseAction() override;

private:
  bool mFromMenu;
};

class DeletePlayerDialog : public GameDialog {
public:
  static constexpr int kDialogId = 3;
  enum ButtonId { kYes = 1, kNo = 2 };

  explicit DeletePlayerDialog(GameApp& app);

  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;
  ButtonWidget* GetButton(int id) const { return id == kYes ? mYes : id == kNo ? mNo : nullptr; }

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void OnArrived() override;
  void CloseAction() override;

private:
  ButtonWidget* mYes;
  ButtonWidget* mNo;
};

}  // namespace Plix
