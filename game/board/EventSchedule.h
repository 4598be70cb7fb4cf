#pragma once
// Happy Hour's timetable of unlocks (flavours, toppings, holders,
// specials, faster arrivals). The board owns it in Happy Hour; the set-up
// fills it, takes the time-0 steps at once, and the board asks once a
// second for the next due step.
#include "game/app/ObjectList.h"

namespace Plix {

class ScheduledEvent {
public:
  ScheduledEvent(int action, int time) : mAction(action), mTime(time) {}
  // A code of the board's unlock table; never 0, which means "nothing due".
  int GetAction() const { return mAction; }
  // Seconds of the game.
  int GetTime() const { return mTime; }

private:
  int mAction = 0;
  int mTime = 0;
};

class EventSchedule {
public:
  EventSchedule() = default;
  ~EventSchedule() { Reset(); }
  EventSchedule(const EventSchedule&) = delete;
  EventSchedule& operator=(const EventSchedule&) = delete;

  // Keeps the events in ascending time; equal times stay in the order added.
  void Add(int action, int time);
  // The cursor back to the head; the clock stays.
  void Rewind();
  // The action under the cursor when its time is 0, stepping past it;
  // otherwise (and at the end) 0.
  int TakeImmediate();
  // One second passes; the action due by now, if any. At most one a call,
  // so two steps due together come out on consecutive seconds.
  int NextEvent();
  // Deletes every event, rewinds and sets the clock back to 0.
  void Clear();
  void Reset();
  // One line per event, in order, to the debugger output.
  void DumpToDebugger() const;

  int GetClock() const { return mClock; }
  const ObjectList& GetEvents() const { return mEvents; }

private:
  ObjectList mEvents;  // owns its ScheduledEvents
  ObjectListIterator mCursor;
  int mClock = 0;
};

}  // namespace Plix
