#pragma once
// A short scripted lesson on the shop floor: numbered steps walked through
// while the player does what the heroine asks. Each lesson is a subclass
// whose constructor builds its steps; its id is the profile flag that
// marks it seen. The board queues lessons, starts one when the heroine is
// idle and deletes it when it is over.
namespace Plix {

class Board;

class Tutorial {
public:
  Tutorial(Board* board, int id) : mBoard(board), mId(id) {}
  virtual ~Tutorial() = default;
  Tutorial(const Tutorial&) = delete;
  Tutorial& operator=(const Tutorial&) = delete;

  int GetId() const { return mId; }
  // Starts the current step.
  void StartStep() {}
  // Shows the current step again.
  void ShowStep() {}
  // Moves on; false once the lesson is over.
  bool NextStep() { return false; }
  void RetryStep() {}
  // The current step's type (0 without steps) and its argument (a timed
  // wait's length in ticks).
  int GetStepType() const { return 0; }
  int GetStepArgument() const { return 0; }
  // The heroine's or a monkey's event a step of type 5 or 6 waits for.
  int GetStepEvent() const { return 0; }
  // A button step's button; a table step's table.
  void* GetStepTarget() const { return nullptr; }
  void* GetTargetTable() const { return nullptr; }
  // While it runs the belt and the serving monkey stand still.
  bool HoldsFloor() const { return mHoldsFloor; }
  // While it runs the customers' waiting time stands still.
  bool HoldsCustomers() const { return mHoldsCustomers; }

protected:
  Board* mBoard;
  int mId;
  bool mHoldsFloor = false;
  bool mHoldsCustomers = false;
};

// The lesson that explains a reputation star, queued when the first one lands.
inline Tutorial* NewReputationStarTutorial(Board* board) { return new Tutorial(board, 24); }

}  // namespace Plix
