#include "tools/floorcheck/FloorCheck.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "game/app/LevelTable.h"

namespace Plix {

namespace {

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Nodes the board can find by kind: its search stops at the first empty slot.
int FindableNode(const EnvironmentLayout& layout, const EnvironmentSizes& sizes, int kind) {
  for (int i = 0; i < static_cast<int>(layout.records.size()); ++i) {
    if (!RecordMakesNode(layout.records[i])) return -1;
    if (PlaceEnvironmentNode(layout, i, sizes).kind == kind) return i;
  }
  return -1;
}

bool Reachable(const EnvironmentLayout& layout, int from, int to) {
  std::vector<bool> seen(layout.records.size(), false);
  std::vector<int> open{from};
  seen[from] = true;
  while (!open.empty()) {
    int i = open.back();
    open.pop_back();
    if (i == to) return true;
    for (int j : layout.records[i].links)
      if (!seen[j]) {
        seen[j] = true;
        open.push_back(j);
      }
  }
  return false;
}

float QueueLength(const EnvironmentLayout& layout, const EnvironmentSizes& sizes, int head) {
  std::vector<bool> inChain(layout.records.size(), false);
  inChain[head] = true;
  float length = 0.0f;
  for (int at = head;;) {
    int next = -1;
    for (int j : layout.records[at].links)
      if (!inChain[j]) {
        next = j;
        break;
      }
    if (next < 0) return length;
    EnvironmentNode a = PlaceEnvironmentNode(layout, at, sizes), b = PlaceEnvironmentNode(layout, next, sizes);
    length += std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    inChain[next] = true;
    at = next;
  }
}

std::string Day(int day) { return "day " + std::to_string(day); }

}  // namespace

bool IsHappyHourFloor(const std::string& fileName) {
  std::string name = BaseName(fileName);
  return name == "easy.len" || name == "normal.len" || name == "hard.len";
}

FloorRules RulesForFloor(const LevelTable& levels, const std::string& fileName) {
  FloorRules rules;
  rules.happyHour = IsHappyHourFloor(fileName);
  const std::string name = BaseName(fileName);
  for (int i = 0; i < levels.GetLevelCount(); ++i) {
    const LevelRecord& r = *levels.GetLevel(i);
    if (BaseName(r.environmentFile) != name) continue;
    const int day = i + 1;
    // A napkin level of -1 (a cool day) brings no napkin wishes.
    if (r.customerMode >= 0 && rules.napkinDay == 0) rules.napkinDay = day;
    if (day >= kFirstJugglingDay && rules.jugglingDay == 0) rules.jugglingDay = day;
    for (int size = 4; size >= 1; --size)
      if (r.groupCounts[size - 1] > 0) {
        if (size > rules.largestGroup) {
          rules.largestGroup = size;
          rules.largestGroupDay = day;
        }
        break;
      }
  }
  return rules;
}

bool ReadFloorSizes(const std::string& imagesText, EnvironmentSizes& sizes, std::string& error) {
  struct Want {
    const char* id;
    int* width;
    int* height;
    bool full;  // the whole picture, not one cel
    bool found;
  };
  int organWidth = 0;
  Want wants[] = {
      {"IMAGE_TRASH_STATION", &sizes.trashStationWidth, &sizes.trashStationHeight, false, false},
      {"IMAGE_SPECIAL_TABLE", &sizes.napkinTableWidth, &sizes.napkinTableHeight, true, false},
      {"IMAGE_TABLE_1", &sizes.tableWidth[0], &sizes.tableHeight[0], false, false},
      {"IMAGE_TABLE_2", &sizes.tableWidth[1], &sizes.tableHeight[1], false, false},
      {"IMAGE_TABLE_4", &sizes.tableWidth[2], &sizes.tableHeight[2], false, false},
      {"IMAGE_ORGAN_1", &organWidth, &sizes.organHeight, false, false},
      {"IMAGE_TWO_BALLS", &sizes.ballsWidth, &sizes.ballsHeight, false, false},
  };
  std::istringstream in(imagesText);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string id, group;
    int cols = 0, rows = 0, w = 0, h = 0;
    if (!(words >> id >> group >> cols >> rows >> w >> h)) continue;
    for (Want& want : wants)
      if (id == want.id) {
        *want.width = want.full ? cols * w : w;
        *want.height = want.full ? rows * h : h;
        want.found = true;
      }
  }
  for (const Want& want : wants)
    if (!want.found) {
      error = std::string("the image declarations have no ") + want.id;
      return false;
    }
  return true;
}

std::vector<std::string> CheckFloor(std::string_view text, const FloorRules& rules, const EnvironmentSizes& sizes) {
  std::vector<std::string> problems;
  EnvironmentLayout layout;
  std::string error;
  if (!ParseEnvironment(text, layout, error)) return {error};
  const int count = static_cast<int>(layout.records.size());

  for (int i = 0; i < count; ++i)
    for (int j : layout.records[i].links) {
      const auto& back = layout.records[j].links;
      if (std::find(back.begin(), back.end(), i) == back.end())
        problems.push_back("record " + std::to_string(i) + " links to record " + std::to_string(j) +
                           ", which does not link back");
    }
  if (!CheckLinkedPositions(layout, sizes, error)) problems.push_back(error);

  struct Needed {
    int kind;
    const char* what;
  };
  const Needed needed[] = {{kEnvCounter, "counter spot"},
                           {kEnvTrashStation, "trash station"},
                           {kEnvMonkeyPlace, "monkey's place"},
                           {kEnvUnclePlace, "uncle's place"}};
  for (const Needed& n : needed)
    if (FindableNode(layout, sizes, n.kind) < 0)
      problems.push_back(std::string("no ") + n.what + " before the first empty slot");

  if (rules.napkinDay > 0 && FindableNode(layout, sizes, kEnvNapkins) < 0)
    problems.push_back(Day(rules.napkinDay) + " asks for napkins, but there is no napkin table");

  if (rules.largestGroup > 0) {
    int seats = 0;
    for (const EnvironmentRecord& r : layout.records)
      if (r.kind == kEnvTable && r.p4 > seats) seats = r.p4;
    if (seats < rules.largestGroup)
      problems.push_back(Day(rules.largestGroupDay) + " brings parties of " + std::to_string(rules.largestGroup) +
                         ", but the largest table seats " + std::to_string(seats));
  }

  if (rules.jugglingDay > 0) {
    int balls = FindableNode(layout, sizes, kEnvJugglingBalls);
    int monkey = FindableNode(layout, sizes, kEnvMonkeyPlace);
    if (balls < 0)
      problems.push_back(Day(rules.jugglingDay) + " can have juggling, but there are no juggling balls");
    else if (layout.records[balls].links.empty() || (monkey >= 0 && !Reachable(layout, monkey, balls)))
      problems.push_back(Day(rules.jugglingDay) + " can have juggling, but the juggling balls (record " +
                         std::to_string(balls) + ") are not linked to the monkey's place");
  }

  if (rules.happyHour) {
    int head = FindableNode(layout, sizes, kEnvMonkeyPlace);
    if (head >= 0) {
      float length = QueueLength(layout, sizes, head);
      if (length < kHappyHourQueueLength)
        problems.push_back("the queue from the monkey's place (record " + std::to_string(head) + ") is " +
                           std::to_string(static_cast<int>(length)) + " px long, not " +
                           std::to_string(static_cast<int>(kHappyHourQueueLength)));
    }
    for (int i = 0; i < count; ++i)
      if (layout.area == 4 && layout.records[i].kind == kEnvDecoration && layout.records[i].p4 == 3)
        problems.push_back("record " + std::to_string(i) +
                           " places the rising balloons, which need a day's length Happy Hour has not");
  }
  return problems;
}

}  // namespace Plix
