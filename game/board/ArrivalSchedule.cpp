#include "game/board/ArrivalSchedule.h"

#include <vector>

#include "framework/platform/CRand.h"

namespace Plix {

void ArrivalSchedule::AddOrder(const ArrivalOrder& order) {
  ArrivalOrder* copy = new ArrivalOrder(order);
  copy->SetTaken(false);
  mOrders.PushBack(copy);
}

void ArrivalSchedule::SpreadOverDay(int dayLength) {
  if (mOrders.IsEmpty()) return;
  mDayLength = dayLength;

  // Shuffle: draw orders one by one into a second list, then move them back.
  ObjectList drawn;
  const int n = mOrders.GetCount();
  for (int i = 0; i < n; ++i) {
    int r = Rand() % mOrders.GetCount();
    void* order = mOrders.GetAt(r);
    mOrders.RemoveAt(r);
    drawn.PushBack(order);
  }
  for (void* order; drawn.PopFront(order);) mOrders.PushBack(order);

  // Each party takes time by its size and values; an entry no one comes
  // from takes none.
  int sum = 0;
  ObjectListIterator it;
  for (it.Begin(mOrders); !it.AtEnd(); it.Next()) {
    ArrivalOrder* o = static_cast<ArrivalOrder*>(it.Get());
    o->SetTime(sum);
    int k = o->GetGroupCode();
    if (k >= 0 && k <= 3) {
      int weight = 5 + k;
      for (int m = 0; m <= k; ++m) weight += o->GetMemberValue(m);
      sum += weight * 20;
    }
  }
  // A schedule of entries that take no time at all still starts at second 2.
  const float scale = sum > 0 ? static_cast<float>(dayLength - 2) / static_cast<float>(sum) : 0.0f;
  for (it.Begin(mOrders); !it.AtEnd(); it.Next()) {
    ArrivalOrder* o = static_cast<ArrivalOrder*>(it.Get());
    o->SetTime(static_cast<int>(static_cast<float>(o->GetTime()) * scale) + 2);
  }

  PullTowards(static_cast<int>(dayLength * 0.6), 0.45f);
  mCursor.Begin(mOrders);
  mDone = false;
}

void ArrivalSchedule::PullTowards(int middle, float strength) {
  if (mOrders.IsEmpty() || middle > mDayLength || middle < 0) return;
  std::vector<ArrivalOrder*> orders;
  ObjectListIterator it;
  for (it.Begin(mOrders); !it.AtEnd(); it.Next()) orders.push_back(static_cast<ArrivalOrder*>(it.Get()));
  const int n = static_cast<int>(orders.size());
  int first = 0;
  while (first < n && orders[first]->GetTime() <= middle) ++first;
  if (first == n) return;

  const float step = static_cast<float>(strength / (n * 0.5));
  auto pull = [&](ArrivalOrder* o, int& prev, float& w) {
    int t = static_cast<int>(o->GetTime() * (1.0 - w) + static_cast<double>(prev) * w);
    o->SetTime(t);
    prev = t;
    w -= step;
  };
  int prev = middle;
  float w = strength;
  for (int j = first; j < n; ++j) pull(orders[j], prev, w);
  prev = middle;
  w = strength;
  for (int j = first - 1; j >= 0; --j) pull(orders[j], prev, w);
}

ArrivalOrder* ArrivalSchedule::NextDue() {
  if (mSecond >= mDayLength) return nullptr;
  ++mSecond;
  if (mDone || mCursor.AtEnd()) return nullptr;
  ArrivalOrder* order = static_cast<ArrivalOrder*>(mCursor.Get());
  if (order->GetTime() > mSecond) return nullptr;
  if (!mCursor.Next()) mDone = true;
  order->SetTaken(true);
  return order;
}

void ArrivalSchedule::Postpone(ArrivalOrder* order, int delay) {
  mOrders.Remove(order);
  order->SetTime(mSecond + delay);
  order->SetTaken(false);
  ArrivalOrder* later = nullptr;
  ObjectListIterator it;
  for (it.Begin(mOrders); !it.AtEnd(); it.Next()) {
    ArrivalOrder* o = static_cast<ArrivalOrder*>(it.Get());
    if (o->GetTime() >= order->GetTime()) {
      later = o;
      break;
    }
  }
  if (later)
    mOrders.InsertBefore(order, later);
  else
    mOrders.PushBack(order);
  mDone = false;

  // Back to the earliest order not handed out yet (the last one when all were).
  mCursor.Begin(mOrders);
  while (static_cast<ArrivalOrder*>(mCursor.Get())->IsTaken()) {
    ObjectListIterator next = mCursor;
    if (!next.Next()) break;
    mCursor = next;
  }
}

ArrivalOrder* ArrivalSchedule::GetCurrent() const {
  if (mOrders.IsEmpty() || mCursor.AtEnd()) return nullptr;
  return static_cast<ArrivalOrder*>(mCursor.Get());
}

float ArrivalSchedule::GetDayFraction() const {
  if (mDayLength <= 0) return 1.0f;
  return static_cast<float>(mSecond) / static_cast<float>(mDayLength);
}

void ArrivalSchedule::Clear() {
  for (void* order; mOrders.PopFront(order);) delete static_cast<ArrivalOrder*>(order);
  mCursor = ObjectListIterator();
  mDone = false;
}

}  // namespace Plix
