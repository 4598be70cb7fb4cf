#pragma once
// An environment file lays out one shop floor: the area (scenery set), up to
// 64 records that place tables, stations, decorations and walk nodes, and a
// list of links per record. Reading and checking the text is kept apart
// from the board, so that the floor checker tool checks the shipped floors
// with the same rules the game loads them by.
#include <string>
#include <string_view>
#include <vector>

namespace Plix {

enum EnvironmentKind {
  kEnvWaypoint = 0,
  kEnvTable = 1,
  kEnvEmpty = 2,
  kEnvCounter = 3,
  kEnvTrashStation = 4,
  kEnvNapkins = 5,
  kEnvLemonade = 6,
  kEnvCookies = 7,
  kEnvOrgan = 8,
  kEnvJugglingBalls = 9,
  kEnvMonkeyPlace = 10,
  kEnvUnclePlace = 11,
  kEnvDecoration = 12,
};

struct EnvironmentRecord {
  int kind = 0;
  int x = 0;
  int y = 0;
  int p4 = 0;
  int p5 = 0;
  // Record indices this record's node leads to, in file order.
  std::vector<int> links;
};

struct EnvironmentLayout {
  static constexpr int kMaxRecords = 64;
  // Coordinates further out than this are refused: the placement sums must
  // stay far from the integer limits.
  static constexpr int kMaxCoordinate = 30000;

  int area = 0;
  std::vector<EnvironmentRecord> records;
};

// The number of decoration slots of an area (0 for an area outside 1..6).
int AreaDecorationSlots(int area);
// Whether a decoration slot of the area holds a picture.
bool AreaSlotHasPicture(int area, int slot);
// Whether the record makes a walk node (every kind 0..12 but the empty slot).
bool RecordMakesNode(const EnvironmentRecord& record);
// Whether a decoration record is one of the animated decorations, which
// stand on a plain waypoint.
bool IsAnimatedDecoration(int area, int slot);

// Reads and checks an environment file's text. False when the text is short
// or malformed or breaks a limit (more than 64 records, a table of other
// than 1, 2 or 4 seats, a decoration slot outside the area's list, a link on
// an empty slot, to an empty slot, to itself or out of range); `error` then
// says what is wrong and where, and `layout` is left empty.
bool ParseEnvironment(std::string_view text, EnvironmentLayout& layout, std::string& error);

// The picture sizes that decide where the nodes of some records lie.
struct EnvironmentSizes {
  int trashStationWidth = 0, trashStationHeight = 0;  // cel size of the trash station
  int napkinTableWidth = 0, napkinTableHeight = 0;    // full size of the napkin table
  int tableWidth[3] = {}, tableHeight[3] = {};        // cel sizes of the 1-, 2- and 4-seat tables
  int organHeight = 0;                                // cel height of the barrel organ
  int ballsWidth = 0, ballsHeight = 0;                // juggling button, or the balls' cel size
};

struct EnvironmentNode {
  int kind = 0;
  float x = 0.0f;
  float y = 0.0f;
};

// The walk node record `index` makes: its kind and position. Only for
// records that make a node.
EnvironmentNode PlaceEnvironmentNode(const EnvironmentLayout& layout, int index, const EnvironmentSizes& sizes);

// False when two linked nodes lie at one position (the route search would
// go round them without end); `error` names the two records.
bool CheckLinkedPositions(const EnvironmentLayout& layout, const EnvironmentSizes& sizes, std::string& error);

}  // namespace Plix
