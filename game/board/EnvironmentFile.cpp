#include "game/board/EnvironmentFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace Plix {

namespace {

constexpr int kSlotCounts[7] = {0, 10, 11, 10, 8, 17, 10};

// Whitespace-separated decimal integers, as the game has always read them.
class NumberReader {
public:
  explicit NumberReader(std::string_view text) : mText(text) {}

  // False at the end of the text or on a word that is not a number.
  bool Next(int& value, std::string& error, const std::string& what) {
    while (mPos < mText.size() && IsSpace(mText[mPos])) ++mPos;
    if (mPos >= mText.size()) {
      error = "the file ends before " + what;
      return false;
    }
    size_t start = mPos;
    while (mPos < mText.size() && !IsSpace(mText[mPos])) ++mPos;
    std::string word(mText.substr(start, mPos - start));
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) {
      error = "\"" + word.substr(0, 20) + "\" is not a number (" + what + ")";
      return false;
    }
    value = static_cast<int>(v);
    return true;
  }

private:
  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

  std::string_view mText;
  size_t mPos = 0;
};

std::string RecordName(int i) { return "record " + std::to_string(i); }

bool CheckRecord(int area, int i, const EnvironmentRecord& r, std::string& error) {
  const int limit = EnvironmentLayout::kMaxCoordinate;
  if (r.x < -limit || r.x > limit || r.y < -limit || r.y > limit) {
    error = RecordName(i) + ": position " + std::to_string(r.x) + ", " + std::to_string(r.y) + " is off the floor";
    return false;
  }
  if (r.kind == kEnvTable && r.p4 != 1 && r.p4 != 2 && r.p4 != 4) {
    error = RecordName(i) + ": a table has 1, 2 or 4 seats, not " + std::to_string(r.p4);
    return false;
  }
  if (r.kind == kEnvDecoration && (r.p4 < 0 || r.p4 >= AreaDecorationSlots(area))) {
    error = RecordName(i) + ": decoration slot " + std::to_string(r.p4) + " is not in the list of area " +
            std::to_string(area) + " (" + std::to_string(AreaDecorationSlots(area)) + " slots)";
    return false;
  }
  return true;
}

}  // namespace

int AreaDecorationSlots(int area) { return area >= 1 && area <= 6 ? kSlotCounts[area] : 0; }

bool AreaSlotHasPicture(int area, int slot) {
  if (slot < 0 || slot >= AreaDecorationSlots(area)) return false;
  return !(area == 1 && (slot == 4 || slot == 9));
}

bool RecordMakesNode(const EnvironmentRecord& record) {
  return record.kind >= 0 && record.kind <= kEnvDecoration && record.kind != kEnvEmpty;
}

bool IsAnimatedDecoration(int area, int slot) {
  switch (area) {
    case 1: return slot == 7;
    case 2: return slot == 8 || slot == 9 || slot == 4;
    case 4: return slot == 3;
    case 5: return slot == 16;
    case 6: return slot == 9;
    default: return false;
  }
}

bool ParseEnvironment(std::string_view text, EnvironmentLayout& layout, std::string& error) {
  layout = EnvironmentLayout();
  EnvironmentLayout read;
  NumberReader in(text);
  auto fail = [&]() {
    layout = EnvironmentLayout();
    return false;
  };
  if (!in.Next(read.area, error, "the area")) return fail();
  int count = 0;
  if (!in.Next(count, error, "the record count")) return fail();
  if (count < 0 || count > EnvironmentLayout::kMaxRecords) {
    error = std::to_string(count) + " records (at most " + std::to_string(EnvironmentLayout::kMaxRecords) + ")";
    return fail();
  }
  read.records.resize(count);
  for (int i = 0; i < count; ++i) {
    EnvironmentRecord& r = read.records[i];
    const std::string what = RecordName(i);
    if (!in.Next(r.kind, error, what) || !in.Next(r.x, error, what) || !in.Next(r.y, error, what) ||
        !in.Next(r.p4, error, what) || !in.Next(r.p5, error, what))
      return fail();
    if (!CheckRecord(read.area, i, r, error)) return fail();
  }
  for (int i = 0; i < count; ++i) {
    EnvironmentRecord& r = read.records[i];
    const std::string what = "the links of " + RecordName(i);
    int n = 0;
    if (!in.Next(n, error, what)) return fail();
    if (n < 0 || n > EnvironmentLayout::kMaxRecords) {
      error = RecordName(i) + ": " + std::to_string(n) + " links";
      return fail();
    }
    if (n > 0 && !RecordMakesNode(r)) {
      error = RecordName(i) + " has no walk node but " + std::to_string(n) + " links";
      return fail();
    }
    for (int k = 0; k < n; ++k) {
      int j = 0;
      if (!in.Next(j, error, what)) return fail();
      if (j < 0 || j >= count) {
        error = RecordName(i) + ": link to record " + std::to_string(j) + " of " + std::to_string(count);
        return fail();
      }
      if (j == i) {
        error = RecordName(i) + " links to itself";
        return fail();
      }
      if (!RecordMakesNode(read.records[j])) {
        error = RecordName(i) + ": link to " + RecordName(j) + ", which has no walk node";
        return fail();
      }
      r.links.push_back(j);
    }
  }
  layout = std::move(read);
  return true;
}

EnvironmentNode PlaceEnvironmentNode(const EnvironmentLayout& layout, int index, const EnvironmentSizes& s) {
  const EnvironmentRecord& r = layout.records[index];
  EnvironmentNode node;
  node.kind = r.kind;
  node.x = static_cast<float>(r.x);
  node.y = static_cast<float>(r.y);
  switch (r.kind) {
    case kEnvTable: {
      int t = r.p4 == 1 ? 0 : r.p4 == 2 ? 1 : 2;
      int w = s.tableWidth[t], h = s.tableHeight[t];
      node.x = static_cast<float>(r.x + w / 2);
      bool above = r.p4 == 1 ? (r.p5 == 0 || r.p5 == 1) : r.p5 != 0;
      node.y = above ? static_cast<float>(r.y) + 4.0f : static_cast<float>(r.y + h) + 16.0f;
      break;
    }
    case kEnvTrashStation:
      node.x = static_cast<float>(r.x + s.trashStationWidth / 2);
      node.y = static_cast<float>(r.y + s.trashStationHeight + 8);
      break;
    case kEnvNapkins:
      node.x = static_cast<float>(r.x + s.napkinTableWidth / 2);
      node.y = static_cast<float>(r.y + s.napkinTableHeight + 8);
      break;
    case kEnvOrgan:
      node.x = static_cast<float>(r.x) - 29.0f;
      node.y = static_cast<float>(r.y + s.organHeight - 4);
      break;
    case kEnvJugglingBalls:
      node.x = static_cast<float>(r.x + s.ballsWidth / 2);
      node.y = static_cast<float>(r.y + s.ballsHeight + 8);
      break;
    case kEnvUnclePlace:
      node.x = 0.0f;
      node.y = 0.0f;
      break;
    case kEnvDecoration:
      if (IsAnimatedDecoration(layout.area, r.p4)) node.kind = kEnvWaypoint;
      break;
    default:
      break;
  }
  return node;
}

bool CheckLinkedPositions(const EnvironmentLayout& layout, const EnvironmentSizes& sizes, std::string& error) {
  const int count = static_cast<int>(layout.records.size());
  for (int i = 0; i < count; ++i) {
    if (!RecordMakesNode(layout.records[i])) continue;
    EnvironmentNode a = PlaceEnvironmentNode(layout, i, sizes);
    for (int j : layout.records[i].links) {
      EnvironmentNode b = PlaceEnvironmentNode(layout, j, sizes);
      if (a.x == b.x && a.y == b.y) {
        error = RecordName(i) + " and " + RecordName(j) + " are linked and lie at one position (" +
                std::to_string(static_cast<int>(a.x)) + ", " + std::to_string(static_cast<int>(a.y)) + ")";
        return false;
      }
    }
  }
  return true;
}

}  // namespace Plix
