#pragma once
// The story mode's customers: spawning them at the tables, updating and
// drawing them. The board owns it in story mode.
namespace Plix {

class Board;

class CustomerManager {
public:
  explicit CustomerManager(Board* board) : mBoard(board) {}
  CustomerManager(const CustomerManager&) = delete;
  CustomerManager& operator=(const CustomerManager&) = delete;

private:
  Board* mBoard;
};

}  // namespace Plix
