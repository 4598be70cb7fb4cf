#pragma once
// Happy Hour's timetable of unlocks (flavours, toppings, holders,
// specials, faster arrivals). The board owns it in Happy Hour.
namespace Plix {

class EventSchedule {
public:
  EventSchedule() = default;
  EventSchedule(const EventSchedule&) = delete;
  EventSchedule& operator=(const EventSchedule&) = delete;
};

}  // namespace Plix
