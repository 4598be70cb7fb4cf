#include "game/board/EventSchedule.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/platform/DebugOutput.h"

namespace Plix {
namespace {

using Pairs = std::vector<std::pair<int, int>>;  // (action, time)

Pairs Contents(const EventSchedule& s) {
  Pairs out;
  ObjectListIterator it;
  for (it.Begin(s.GetEvents()); !it.AtEnd(); it.Next()) {
    const auto* e = static_cast<const ScheduledEvent*>(it.Get());
    out.emplace_back(e->GetAction(), e->GetTime());
  }
  return out;
}

void Fill(EventSchedule& s, const Pairs& events) {
  for (const auto& [action, time] : events) s.Add(action, time);
}

// The (second, action) pairs NextEvent hands out over `seconds` calls.
Pairs Tick(EventSchedule& s, int seconds) {
  Pairs out;
  for (int i = 0; i < seconds; ++i)
    if (int action = s.NextEvent()) out.emplace_back(s.GetClock(), action);
  return out;
}

TEST(EventSchedule, AddKeepsTimeOrderAndEqualTimesInAddedOrder) {
  struct Case {
    Pairs added;
    Pairs expected;
  };
  const Case cases[] = {
      {{{5, 30}, {6, 10}, {7, 30}}, {{6, 10}, {5, 30}, {7, 30}}},
      {{{1, 0}, {2, 0}, {3, 0}}, {{1, 0}, {2, 0}, {3, 0}}},
      {{{1, 20}, {2, 10}, {3, 0}}, {{3, 0}, {2, 10}, {1, 20}}},
      {{{1, 10}, {2, 5}, {3, 10}, {4, 5}, {5, 0}}, {{5, 0}, {2, 5}, {4, 5}, {1, 10}, {3, 10}}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    EventSchedule s;
    Fill(s, c.added);
    EXPECT_EQ(Contents(s), c.expected);
  }
}

TEST(EventSchedule, ImmediateEventsThenTheClockHandsOutTheRest) {
  EventSchedule s;
  Fill(s, {{8, 12}, {3, 0}, {4, 0}});
  s.Rewind();
  EXPECT_EQ(s.TakeImmediate(), 3);
  EXPECT_EQ(s.TakeImmediate(), 4);
  EXPECT_EQ(s.TakeImmediate(), 0);
  EXPECT_EQ(s.TakeImmediate(), 0);  // stays put on the timed event
  EXPECT_EQ(s.GetClock(), 0);
  for (int second = 1; second <= 11; ++second) EXPECT_EQ(s.NextEvent(), 0) << "second " << second;
  EXPECT_EQ(s.NextEvent(), 8);
  EXPECT_EQ(s.GetClock(), 12);
}

TEST(EventSchedule, AtMostOneActionASecondInAddedOrder) {
  struct Case {
    Pairs added;
    int seconds;
    Pairs handedOut;  // (second, action)
  };
  const Case cases[] = {
      // Two due together come out on consecutive seconds.
      {{{1, 3}, {2, 3}}, 6, {{3, 1}, {4, 2}}},
      // A backlog drains one a second, then the later one is on time.
      {{{1, 2}, {2, 2}, {3, 2}, {4, 9}}, 10, {{2, 1}, {3, 2}, {4, 3}, {9, 4}}},
      // A time-0 event not taken at once comes out on the first second.
      {{{5, 0}, {6, 1}}, 3, {{1, 5}, {2, 6}}},
      {{}, 5, {}},
  };
  for (const Case& c : cases) {
    EventSchedule s;
    Fill(s, c.added);
    s.Rewind();
    EXPECT_EQ(Tick(s, c.seconds), c.handedOut);
    EXPECT_EQ(s.GetClock(), c.seconds);
  }
}

TEST(EventSchedule, EndOfTheListGivesZeroForeverWhileTheClockRuns) {
  EventSchedule s;
  s.Rewind();
  EXPECT_EQ(s.NextEvent(), 0);
  EXPECT_EQ(s.GetClock(), 1);
  EXPECT_EQ(s.TakeImmediate(), 0);

  s.Add(7, 0);
  s.Rewind();
  EXPECT_EQ(s.TakeImmediate(), 7);
  EXPECT_EQ(s.TakeImmediate(), 0);
  EXPECT_EQ(Tick(s, 50), Pairs{});
  EXPECT_EQ(s.GetClock(), 51);
}

TEST(EventSchedule, RewindKeepsTheClockAndHandsOutAgain) {
  EventSchedule s;
  Fill(s, {{1, 2}, {2, 4}});
  s.Rewind();
  EXPECT_EQ(Tick(s, 5), (Pairs{{2, 1}, {4, 2}}));
  s.Rewind();
  // Both are overdue at second 6, so they come out one a second.
  EXPECT_EQ(Tick(s, 2), (Pairs{{6, 1}, {7, 2}}));
}

TEST(EventSchedule, ClearAndResetEmptyTheScheduleAndRestartTheClock) {
  for (bool reset : {false, true}) {
    EventSchedule s;
    Fill(s, {{1, 0}, {2, 3}, {3, 5}});
    s.Rewind();
    EXPECT_EQ(s.TakeImmediate(), 1);
    Tick(s, 3);
    if (reset)
      s.Reset();
    else
      s.Clear();
    EXPECT_EQ(s.GetClock(), 0);
    EXPECT_TRUE(s.GetEvents().IsEmpty());
    // Nothing freed is handed out afterwards.
    EXPECT_EQ(s.TakeImmediate(), 0);
    EXPECT_EQ(s.NextEvent(), 0);

    // Usable again from scratch.
    s.Clear();
    Fill(s, {{9, 2}, {4, 0}});
    s.Rewind();
    EXPECT_EQ(s.TakeImmediate(), 4);
    EXPECT_EQ(Tick(s, 3), (Pairs{{2, 9}}));
  }
}

TEST(EventSchedule, DumpWritesOneLinePerEventInOrder) {
  EventSchedule s;
  Fill(s, {{5, 30}, {6, 10}, {-2, 0}});
  std::string out;
  SetDebugOutputSink([&out](const std::string& text) { out += text; });
  s.DumpToDebugger();
  SetDebugOutputSink({});
  EXPECT_EQ(out, "time: 0\taction: -2\ntime: 10\taction: 6\ntime: 30\taction: 5\n");
}

}  // namespace
}  // namespace Plix
