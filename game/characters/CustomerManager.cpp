#include "game/characters/CustomerManager.h"

#include <vector>

#include "framework/platform/CRand.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/IceCream.h"
#include "game/board/ItemHolder.h"
#include "game/board/Table.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerKinds.h"

namespace Plix {

CustomerManager::CustomerManager(Board* board) : mBoard(board) {}

CustomerManager::~CustomerManager() { Clear(); }

void CustomerManager::Clear() {
  for (void* c; mCustomers.PopFront(c);) delete static_cast<Customer*>(c);
}

void CustomerManager::Update() {
  ObjectListIterator it;
  it.Begin(mCustomers);
  while (!it.AtEnd()) {
    Customer* c = static_cast<Customer*>(it.Get());
    const bool over = c->Update();
    it.Next();
    if (!over) continue;
    // The iterator already stands past it, so the walk goes on.
    mCustomers.Remove(c);
    if (c->GetTable()) c->GetTable()->RemoveCustomer(c);
    delete c;
  }
}

Table* CustomerManager::PickTable(int seats, int free, bool empty) const {
  std::vector<Table*> candidates;
  ObjectListIterator it;
  for (it.Begin(mBoard->GetTables()); !it.AtEnd(); it.Next()) {
    Table* t = static_cast<Table*>(it.Get());
    if (t->GetKind() != seats) continue;
    if (empty ? t->IsEmpty() : t->CountFreeSeats() >= free) candidates.push_back(t);
  }
  if (candidates.empty()) return nullptr;
  return candidates[Rand() % static_cast<int>(candidates.size())];
}

Customer* CustomerManager::Seat(int kind, int value, int group, Table* table) {
  Customer* c = CreateCustomerOfKind(kind, this);
  c->SetOrderValue(value);
  c->SetGroup(group);
  mCustomers.PushBack(c);
  table->SeatCustomer(c);
  return c;
}

bool CustomerManager::SpawnSingle(int kind, int value, int partySize) {
  Table* t = PickTable(1, 1, false);
  if (!t) t = PickTable(2, 1, false);
  if (!t && partySize != 3 && partySize != 4) t = PickTable(4, 1, false);
  if (!t) return false;
  Seat(kind, value, 0, t);
  return true;
}

bool CustomerManager::SeatParty(ArrivalOrder* order, Table* table, bool mayReorder) {
  const int group = mNextGroupId;
  for (int m = 0; m <= order->GetGroupCode(); ++m) {
    Customer* c = Seat(order->GetMemberKind(m), order->GetMemberValue(m), group, table);
    if (!mayReorder) c->SetMayReorder(false);
  }
  NextGroupId();
  return true;
}

bool CustomerManager::SpawnPair(ArrivalOrder* order) {
  const int size = order->GetGroupCode() + 1;
  if (Table* t = PickTable(2, 2, true)) return SeatParty(order, t, true);
  if (size != 3 && size != 4) {
    // A pair at a four-seat table may not order again.
    if (Table* t = PickTable(4, 2, false)) return SeatParty(order, t, false);
  }
  return false;
}

bool CustomerManager::SpawnThree(ArrivalOrder* order) {
  if (Table* t = PickTable(4, 3, false)) return SeatParty(order, t, true);
  return false;
}

bool CustomerManager::SpawnFour(ArrivalOrder* order) {
  if (Table* t = PickTable(4, 4, true)) return SeatParty(order, t, true);
  return false;
}

bool CustomerManager::SpawnCustomer(ArrivalOrder* order) {
  const int k = order->GetGroupCode();
  if (k < 0 || k > 3) return false;
  // The party being placed is this order, whatever the schedule's cursor
  // shows: the rest of a split party is no longer the current arrival.
  const int size = k + 1;
  if (k == 0) return SpawnSingle(order->GetMemberKind(0), order->GetMemberValue(0), size);
  const bool placed = k == 1 ? SpawnPair(order) : k == 2 ? SpawnThree(order) : SpawnFour(order);
  if (placed) return true;
  if (!SpawnSingle(order->GetMemberKind(0), order->GetMemberValue(0), size)) return false;
  for (int m = 0; m < k; ++m) {
    order->SetMemberKind(m, order->GetMemberKind(m + 1));
    order->SetMemberValue(m, order->GetMemberValue(m + 1));
  }
  order->SetGroupCode(k - 1);
  return false;
}

Customer* CustomerManager::SpawnCustomerOfKind(int kind, const IceCream& item) {
  Table* t = PickTable(1, 1, false);
  if (!t) t = PickTable(2, 1, false);
  if (!t) t = PickTable(4, 1, false);
  if (!t) return nullptr;
  Customer* c = CreateCustomerOfKind(kind, this);
  c->SetOrder(item);
  c->SetMayReorder(false);
  mCustomers.PushBack(c);
  t->SeatCustomer(c);
  return c;
}

int CustomerManager::CountMatching(const IceCream& item) const {
  int n = 0;
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next())
    if (static_cast<Customer*>(it.Get())->MatchesOrder(&item)) ++n;
  return n;
}

bool CustomerManager::AnyWantsHeldItem(const ItemHolder& holder) const {
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) {
    const Customer* c = static_cast<Customer*>(it.Get());
    for (int place = 0; place < 4; ++place)
      if (holder.IsOccupied(place) && c->MatchesOrder(&holder.GetItem(place))) return true;
  }
  return false;
}

void CustomerManager::ShowJuggling(int level) {
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) static_cast<Customer*>(it.Get())->WatchJuggling(level);
}

void CustomerManager::PlayBarrelOrgan(int level) {
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) static_cast<Customer*>(it.Get())->HearBarrelOrgan(level);
}

bool CustomerManager::CanGroupReorder(int group) const {
  if (mCustomers.IsEmpty()) return false;
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) {
    const Customer* c = static_cast<Customer*>(it.Get());
    if (c->GetGroup() != group) continue;
    if (c->HasReordered() || !c->MayReorder() || c->GetMood() < c->GetReorderThreshold()) return false;
  }
  return true;
}

void CustomerManager::GroupStartChoosing(int group) {
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) {
    Customer* c = static_cast<Customer*>(it.Get());
    if (c->GetGroup() == group) c->StartChoosing();
  }
}

void CustomerManager::EndGroupReorders(int group) {
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) {
    Customer* c = static_cast<Customer*>(it.Get());
    if (c->GetGroup() == group) c->SetReordered();
  }
}

int CustomerManager::GetNapkinLevel() const { return mBoard->GetLevelWMode(); }

int CustomerManager::NextGroupId() {
  if (++mNextGroupId > 100) mNextGroupId = 1;
  return mNextGroupId;
}

}  // namespace Plix
