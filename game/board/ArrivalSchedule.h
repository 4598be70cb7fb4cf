#pragma once
// The story day's timetable of arriving parties. The set-up adds one order
// per party and spreads them over the day; the board asks once a second for
// the next due party and puts back one it cannot seat yet. The schedule also
// keeps the day's clock that the HUD and the closed sign read.
#include "game/app/ObjectList.h"

namespace Plix {

class ArrivalOrder {
public:
  static constexpr int kMaxMembers = 4;

  ArrivalOrder() = default;

  void SetTime(int time) { mTime = time; }
  int GetTime() const { return mTime; }
  // k: a party of k + 1 members for k 0..3; above 3 no one comes.
  void SetGroupCode(int code) { mGroupCode = code; }
  int GetGroupCode() const { return mGroupCode; }
  // i 0..3, unchecked.
  void SetMemberKind(int i, int kind) { mMemberKinds[i] = kind; }
  int GetMemberKind(int i) const { return mMemberKinds[i]; }
  void SetMemberValue(int i, int value) { mMemberValues[i] = value; }
  int GetMemberValue(int i) const { return mMemberValues[i]; }
  void SetTaken(bool taken) { mTaken = taken; }
  bool IsTaken() const { return mTaken; }

private:
  int mTime = 0;
  int mGroupCode = 0;
  int mMemberKinds[kMaxMembers] = {};
  int mMemberValues[kMaxMembers] = {};
  bool mTaken = false;
};

class ArrivalSchedule {
public:
  ArrivalSchedule() = default;
  ~ArrivalSchedule() { Clear(); }
  ArrivalSchedule(const ArrivalSchedule&) = delete;
  ArrivalSchedule& operator=(const ArrivalSchedule&) = delete;

  // Appends a copy (not taken).
  void AddOrder(const ArrivalOrder& order);
  // Shuffles the orders and spreads them over a day of `dayLength`
  // seconds, thicker towards its busy part. An empty schedule is left alone.
  void SpreadOverDay(int dayLength);
  // Pulls the times after `middle` towards it, and those before it, with a
  // weight starting at `strength` and falling order by order.
  void PullTowards(int middle, float strength);
  // One second passes; the order due by now, if any (at most one a second).
  ArrivalOrder* NextDue();
  // Puts an order that could not be seated back, due `delay` seconds from now.
  void Postpone(ArrivalOrder* order, int delay);
  // The next order to hand out; null when every one has been.
  ArrivalOrder* GetCurrent() const;

  bool IsOver() const { return mSecond >= mDayLength; }
  // 1 for a schedule never spread: its day is over from the start.
  float GetDayFraction() const;
  int GetSecondsLeft() const { return mDayLength - mSecond; }
  int GetSecond() const { return mSecond; }
  int GetDayLength() const { return mDayLength; }
  bool IsDone() const { return mDone; }
  const ObjectList& GetOrders() const { return mOrders; }
  // Deletes every order.
  void Clear();

private:
  ArrivalOrder* At(int index) const { return static_cast<ArrivalOrder*>(mOrders.GetAt(index)); }

  ObjectList mOrders;
  ObjectListIterator mCursor;
  int mSecond = 0;
  bool mDone = false;
  int mDayLength = 0;
};

}  // namespace Plix
