#pragma once
// The floor player of the whole-day tests: its hand delivers every move,
// press and release to the widget manager, and finds where to press by
// moving the mouse until the floor lights the button or table up.
#include <functional>
#include <vector>

#include "tools/demos/FloorPlayer.h"

namespace Plix {

class WidgetManager;

namespace Testing {

class WidgetHand : public Demos::FloorHand {
public:
  explicit WidgetHand(WidgetManager& widgets) : mWidgets(widgets) {}
  bool ButtonPoint(Board& board, AlphaButton* button, int& x, int& y) override;
  bool TablePoint(Board& board, Table* table, int& x, int& y) override;
  void Move(int x, int y) override;
  void Press(int x, int y, bool right) override;
  void Click(int x, int y) override;
  void PressHere(Board& board) override;

private:
  // Where `what` lit up last time, if it still does there; otherwise the
  // point the scan finds, remembered.
  bool Hover(const void* what, int& x, int& y, const Lit& lit, const std::function<bool()>& scan);

  WidgetManager& mWidgets;
  // Where a button or a table was last hovered.
  struct Spot {
    const void* what;
    int x, y;
  };
  std::vector<Spot> mSpots;
};

class ScriptedPlayer : private WidgetHand, public Demos::FloorPlayer {
public:
  explicit ScriptedPlayer(WidgetManager& widgets, Options options = {})
      : WidgetHand(widgets), FloorPlayer(static_cast<WidgetHand&>(*this), options) {}
};

}  // namespace Testing
}  // namespace Plix
