#pragma once
// What a shop floor must hold beyond what the game's reader refuses: links
// both ways and never between two nodes at one spot, the stations every day
// needs, and what the days played on the floor ask of it (a napkin table,
// seats for their largest party, juggling balls the monkey can reach), or,
// for a Happy Hour floor, a queue long enough for a full crowd and no
// decoration that runs on a day's clock.
#include <string>
#include <string_view>
#include <vector>

#include "game/board/EnvironmentFile.h"

namespace Plix {

class LevelTable;

struct FloorRules {
  bool happyHour = false;
  // The first day (1-based) of the floor that asks for each, 0 when none does.
  int napkinDay = 0;
  int jugglingDay = 0;
  // The largest party the floor's days bring, and the first day bringing it.
  int largestGroup = 0;
  int largestGroupDay = 0;
};

// Ten customers stand 56 px apart along the Happy Hour queue.
constexpr float kHappyHourQueueLength = 9 * 56.0f;
// Juggling balls can be owned on the floor from this day on.
constexpr int kFirstJugglingDay = 9;

// Whether a floor file name is one of the three Happy Hour floors.
bool IsHappyHourFloor(const std::string& fileName);

// The rules of a floor by its file name (the level table's environment
// names are compared by their last path part).
FloorRules RulesForFloor(const LevelTable& levels, const std::string& fileName);

// The picture sizes the node positions depend on, from the image
// declarations (data/images.txt). False with `error` when one is missing.
bool ReadFloorSizes(const std::string& imagesText, EnvironmentSizes& sizes, std::string& error);

// Every problem of one floor; empty when it passes.
std::vector<std::string> CheckFloor(std::string_view text, const FloorRules& rules, const EnvironmentSizes& sizes);

}  // namespace Plix
