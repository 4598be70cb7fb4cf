#pragma once
// How a customer's wish is chosen from what the day offers: the story
// chooser behind Board::ChooseOrder and the Happy Hour one behind
// Board::ChooseHappyHourOrder. Every draw comes from the game's Rand, in a
// fixed order, so that a replay repeats the wishes.
#include <cstdint>

#include "game/board/IceCream.h"

namespace Plix {

// What a story day offers (its level record), and the player's flavours.
struct StoryOrderRules {
  int32_t specials = 0;  // S
  int32_t holders = 1;   // H: 1 cups, 2 cones too, 3 plates too
  int32_t toppings = 0;  // T
  int32_t flavors = 1;   // F
  // Order sizes 2, 3 and 4 allowed when above 0.
  int32_t value2 = 0;
  int32_t value3 = 0;
  int32_t value4 = 0;
  // The day is the profile's newest: scoops may come from all the player's
  // flavours.
  bool newestDay = false;
  int32_t profileFlavors = 1;
};

// Happy Hour progress of the board.
struct HappyHourOrderRules {
  int32_t specials = 0;
  int32_t holders = 1;
  int32_t toppings = 0;
  int32_t flavors = 1;
  int32_t valueLevel = 1;
};

// `value` is the customer's order size (1 to 4), `appeal` its table's,
// `pickSize` set for a second order.
IceCream ChooseStoryOrder(const StoryOrderRules& rules, int32_t value, int32_t appeal, bool pickSize);
IceCream ChooseHappyHourOrderFrom(const HappyHourOrderRules& rules);

}  // namespace Plix
