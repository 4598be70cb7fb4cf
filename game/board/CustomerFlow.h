#pragma once
// Happy Hour's customers: a queue along one path towards the counter. The
// board owns it in Happy Hour.
namespace Plix {

class Board;

class CustomerFlow {
public:
  explicit CustomerFlow(Board* board) : mBoard(board) {}
  CustomerFlow(const CustomerFlow&) = delete;
  CustomerFlow& operator=(const CustomerFlow&) = delete;

private:
  Board* mBoard;
};

}  // namespace Plix
