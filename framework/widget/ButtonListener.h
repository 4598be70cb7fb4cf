#pragma once
// How a button reports what the mouse does to it, under the id its owner
// gave it. Every operation has an empty default.
namespace Plix {

class ButtonListener {
public:
  virtual ~ButtonListener() = default;
  virtual void ButtonPressedWithClicks(int id, int clickCount) { ButtonPressed(id); }
  virtual void ButtonPressed(int id) {}
  // The click: the mouse went up over the button.
  virtual void ButtonReleased(int id) {}
  // Once per update tick while the button is held down with the mouse over it.
  virtual void ButtonHeldTick(int id) {}
  virtual void ButtonHoverEnter(int id) {}
  virtual void ButtonHoverLeave(int id) {}
  // Widget-local position.
  virtual void ButtonHoverMove(int id, int x, int y) {}
};

}  // namespace Plix
