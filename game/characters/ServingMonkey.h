#pragma once
// Rudav, the monkey who carries the items leaving the belt to the counter,
// to a Happy Hour customer or to the trash. The board creates him with the
// counter he serves and updates him every tick.
namespace Plix {

class Board;
class ItemHolder;

class ServingMonkey {
public:
  ServingMonkey(Board* board, ItemHolder* counter) : mBoard(board), mCounter(counter) {}
  ServingMonkey(const ServingMonkey&) = delete;
  ServingMonkey& operator=(const ServingMonkey&) = delete;

  void Update() {}
  // 0 idle.
  int GetState() const { return mState; }
  // The belt container whose item he carries, 0 for none.
  int GetContainerId() const { return mContainerId; }

private:
  Board* mBoard;
  ItemHolder* mCounter;
  int mState = 0;
  int mContainerId = 0;
};

}  // namespace Plix
