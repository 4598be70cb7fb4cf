#pragma once
// Happy Hour's customers: a queue along one path towards the counter. The
// board owns it in Happy Hour.
namespace Plix {

class Board;
class FlightTarget;
class IceCream;
class Graphics;

class CustomerFlow {
public:
  explicit CustomerFlow(Board* board) : mBoard(board) {}
  CustomerFlow(const CustomerFlow&) = delete;
  CustomerFlow& operator=(const CustomerFlow&) = delete;

  // An ice cream thrown at the customer `target` has reached it.
  void HandOver(FlightTarget*, IceCream*) {}
  // Every customer, in list order.
  void DrawAll(Graphics&) {}

private:
  Board* mBoard;
};

}  // namespace Plix
