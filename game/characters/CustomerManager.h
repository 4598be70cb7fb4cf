#pragma once
// The story day's customers: the manager chooses a table for every due
// arrival, creates its members of the right kinds and seats them, runs them
// every tick and deletes them when their visit is over. It also hands out
// the ids that keep the members of one party together.
#include "game/app/ObjectList.h"

namespace Plix {

class ArrivalOrder;
class Board;
class Customer;
class IceCream;
class ItemHolder;
class Table;

class CustomerManager {
public:
  explicit CustomerManager(Board* board);
  ~CustomerManager();
  CustomerManager(const CustomerManager&) = delete;
  CustomerManager& operator=(const CustomerManager&) = delete;

  // Deletes every customer.
  void Clear();
  Board* GetBoard() const { return mBoard; }
  const ObjectList& GetCustomers() const { return mCustomers; }
  int Count() const { return mCustomers.GetCount(); }
  // Runs every customer; those whose visit is over leave their table and
  // are deleted.
  void Update();
  // Places a due arrival; true when the whole party sat down. A party that
  // cannot sit together sends its first member alone and keeps the rest in
  // the order, which the board postpones.
  bool SpawnCustomer(ArrivalOrder* order);
  // One customer of a kind with a fixed order (the lessons' customers);
  // none without a free seat.
  Customer* SpawnCustomerOfKind(int kind, const IceCream& order);
  int CountMatching(const IceCream& item) const;
  bool AnyWantsHeldItem(const ItemHolder& holder) const;
  void ShowJuggling(int level);
  void PlayBarrelOrgan(int level);
  bool CanGroupReorder(int group) const;
  void GroupStartChoosing(int group);
  void EndGroupReorders(int group);
  // The day's napkin level: -1 none, 0..2 ever more.
  int GetNapkinLevel() const;
  // 1..100, then 1 again.
  int NextGroupId();
  int PeekGroupId() const { return mNextGroupId; }

  // The table choice for each party size; `partySize` is that of the party
  // being placed (a member split off a party of three or four never takes
  // a four-seat table alone).
  bool SpawnSingle(int kind, int value, int partySize);
  bool SpawnPair(ArrivalOrder* order);
  bool SpawnThree(ArrivalOrder* order);
  bool SpawnFour(ArrivalOrder* order);

private:
  // A random table of `seats` seats with at least `free` free seats (all
  // free when `empty`); none when there is no such table.
  Table* PickTable(int seats, int free, bool empty) const;
  Customer* Seat(int kind, int value, int group, Table* table);
  bool SeatParty(ArrivalOrder* order, Table* table, bool mayReorder);

  Board* mBoard;
  ObjectList mCustomers;  // of owned Customer, in order of arrival
  int mNextGroupId = 1;
};

}  // namespace Plix
