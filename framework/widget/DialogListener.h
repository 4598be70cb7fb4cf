#pragma once
// How a dialog reports its buttons 1000 and 1001; the application is one.
namespace Plix {

class DialogListener {
public:
  virtual ~DialogListener() = default;
  virtual void DialogButtonPressed(int dialogId, int buttonId) {}
  virtual void DialogButtonReleased(int dialogId, int buttonId) {}
};

}  // namespace Plix
