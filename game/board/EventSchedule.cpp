#include "game/board/EventSchedule.h"

#include <cstdio>

#include "framework/platform/DebugOutput.h"

namespace Plix {

void EventSchedule::Add(int action, int time) {
  auto* event = new ScheduledEvent(action, time);
  ObjectListIterator it;
  for (it.Begin(mEvents); !it.AtEnd(); it.Next()) {
    void* item = it.Get();
    if (static_cast<ScheduledEvent*>(item)->GetTime() > time) {
      mEvents.InsertBefore(event, item);
      return;
    }
  }
  mEvents.PushBack(event);
}

// Begin again rather than the iterator's own Rewind: the head may have
// changed (or the list been empty) since the cursor last started.
void EventSchedule::Rewind() { mCursor.Begin(mEvents); }

int EventSchedule::TakeImmediate() {
  if (mCursor.AtEnd()) return 0;
  const auto* event = static_cast<const ScheduledEvent*>(mCursor.Get());
  if (event->GetTime() != 0) return 0;
  mCursor.Next();
  return event->GetAction();
}

int EventSchedule::NextEvent() {
  ++mClock;
  if (mCursor.AtEnd()) return 0;
  const auto* event = static_cast<const ScheduledEvent*>(mCursor.Get());
  if (event->GetTime() > mClock) return 0;
  mCursor.Next();
  return event->GetAction();
}

// Unlinks as it deletes, so the list never holds a freed event that a
// later call could hand out.
void EventSchedule::Clear() {
  void* item = nullptr;
  while (mEvents.PopFront(item)) delete static_cast<ScheduledEvent*>(item);
  Rewind();
  mClock = 0;
}

void EventSchedule::Reset() {
  Clear();
  mEvents.Clear();
}

void EventSchedule::DumpToDebugger() const {
  ObjectListIterator it;
  for (it.Begin(mEvents); !it.AtEnd(); it.Next()) {
    const auto* event = static_cast<const ScheduledEvent*>(it.Get());
    char line[64];
    std::snprintf(line, sizeof line, "time: %d\taction: %d\n", event->GetTime(), event->GetAction());
    OutputDebugStringA(line);
  }
}

}  // namespace Plix
