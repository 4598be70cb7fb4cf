#pragma once
// The one-button message dialogs: they come up from below the screen over a
// fixed veil, say their text under the title "Warning", and go back down on
// "OK", Enter or Esc; then they close and tell their owner. The two warnings
// of the options dialog are the only ones.
#include <string>

#include "game/screens/GameDialog.h"

namespace Plix {

class ButtonWidget;

// Told when a warning it opened has closed.
class WarningOwner {
public:
  virtual ~WarningOwner() = default;
  virtual void OnWarningClosed() = 0;
};

class MessageDialog : public GameDialog {
public:
  static constexpr int kDialogId = 2;
  static constexpr int kOkButton = 1;

  MessageDialog(GameApp& app, WarningOwner* owner, std::wstring text);

  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;

  const std::wstring& GetText() const { return mText; }
  ButtonWidget* GetOkButton() const { return mOk; }

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void CloseAction() override;

private:
  WarningOwner* mOwner;
  std::wstring mText;
  ButtonWidget* mOk;
};

class NotRecommended3DDialog : public MessageDialog {
public:
  explicit NotRecommended3DDialog(GameApp& app, WarningOwner* owner);
};

class NotPossibleWindowDialog : public MessageDialog {
public:
  explicit NotPossibleWindowDialog(GameApp& app, WarningOwner* owner);
};

}  // namespace Plix
