#include "game/board/ItemHolder.h"

#include "framework/graphics/Graphics.h"

namespace Plix {

namespace {

SparklerCount* gSparklerCount = nullptr;

void SparklerAdded(const IceCream& item) {
  if (item.mDecoration == kItemSparkler && gSparklerCount) gSparklerCount->OnSparklerAdded();
}

void SparklerRemoved(const IceCream& item) {
  if (item.mDecoration == kItemSparkler && gSparklerCount) gSparklerCount->OnSparklerRemoved();
}

}  // namespace

void SetSparklerCount(SparklerCount* count) { gSparklerCount = count; }

SparklerCount* GetSparklerCount() { return gSparklerCount; }

ItemHolder::ItemHolder() { Clear(); }

ItemHolder::~ItemHolder() { Clear(); }

bool ItemHolder::IsEmpty() const {
  for (bool available : mAvailable)
    if (available) return false;
  return true;
}

bool ItemHolder::HasRoomFor(const IceCream& item) const {
  int used = 0;
  for (const IceCream& lying : mItems) used += lying.GetSize();
  return kPlaces - used >= item.GetSize();
}

void ItemHolder::Place(int place, const IceCream& item) {
  mItems[place] = item;
  mAvailable[place] = true;
}

bool ItemHolder::Add(const IceCream& item) {
  if (!HasRoomFor(item)) return false;
  SparklerAdded(item);
  auto free = [this](int place) { return mItems[place].mKind == kItemNone; };
  int place = -1;
  switch (item.GetSize()) {
    case 1:
      if (mItems[0].GetSize() < 2) {
        if (free(0)) {
          place = 0;
        } else if (free(1)) {
          place = 1;
        }
      }
      if (place < 0 && mItems[2].GetSize() < 2) {
        if (free(2)) {
          place = 2;
        } else if (free(3)) {
          place = 3;
        }
      }
      break;
    case 2:
      if (free(2)) {
        place = 2;
      } else if (free(0)) {
        place = 0;
      }
      break;
    case 4:
      place = 0;
      break;
    default:
      break;
  }
  if (place < 0) {
    SparklerRemoved(item);
    return false;
  }
  Place(place, item);
  return true;
}

int32_t ItemHolder::CountExactMatches(const IceCream& wish) const {
  int32_t count = 0;
  for (int i = 0; i < kPlaces; ++i)
    if (mAvailable[i] && IceCream::MatchesWish(&wish, &mItems[i])) ++count;
  return count;
}

bool ItemHolder::ContainsMatch(const IceCream& wish) const {
  for (int i = 0; i < kPlaces; ++i)
    if (mAvailable[i] && IceCream::MatchesWishAnyOrder(&wish, &mItems[i])) return true;
  return false;
}

void ItemHolder::Release(int place) {
  // A leftover's sparkler was already counted out when it was released.
  if (!mAvailable[place]) return;
  mAvailable[place] = false;
  SparklerRemoved(mItems[place]);
}

void ItemHolder::Clear() {
  for (int i = 0; i < kPlaces; ++i) {
    if (mAvailable[i]) SparklerRemoved(mItems[i]);
    mItems[i] = IceCream();
    mAvailable[i] = false;
  }
}

void ItemHolder::CopyFrom(const ItemHolder& other) {
  if (&other == this) return;
  Clear();
  for (int i = 0; i < kPlaces; ++i) {
    mItems[i] = other.mItems[i];
    mAvailable[i] = other.mAvailable[i];
    if (mAvailable[i]) SparklerAdded(mItems[i]);
  }
}

namespace {

struct Offset {
  bool drawn;
  int x;
  int y;
};

constexpr int kAny = -1;

struct Pattern {
  int sizes[4];  // kAny matches every size
  Offset places[4];
};

// Where the available items lie for each way the places can be filled.
const Pattern kPatterns[] = {
    {{1, 0, 0, 0}, {{true, 0, 0}, {}, {}, {}}},
    {{1, 1, 0, 0}, {{true, 16, 0}, {true, -16, 0}, {}, {}}},
    {{1, 1, 1, 0}, {{true, 16, -8}, {true, -16, -8}, {true, 0, 8}, {}}},
    {{1, 1, 1, 1}, {{true, 22, -8}, {true, -9, -8}, {true, 10, 8}, {true, -22, 8}}},
    {{2, kAny, 0, kAny}, {{true, 0, -4}, {}, {}, {}}},
    {{2, kAny, 1, 0}, {{true, 0, -12}, {}, {true, 0, 8}, {}}},
    {{2, kAny, 1, 1}, {{true, 0, -12}, {}, {true, 16, 0}, {true, -16, 0}}},
    {{0, kAny, 2, kAny}, {{}, {}, {true, 0, -4}, {}}},
    {{1, 0, 2, kAny}, {{true, 0, -8}, {}, {true, 0, 4}, {}}},
    {{1, 1, 2, kAny}, {{true, 16, -8}, {true, -16, -8}, {true, 0, 4}, {}}},
    {{2, kAny, 2, kAny}, {{true, 8, -13}, {}, {true, -8, 3}, {}}},
    {{4, kAny, kAny, kAny}, {{true, 0, 0}, {}, {}, {}}},
};

}  // namespace

void ItemHolder::Draw(Graphics& g) const {
  const Pattern* found = nullptr;
  for (const Pattern& p : kPatterns) {
    bool fits = true;
    for (int i = 0; i < kPlaces && fits; ++i) fits = p.sizes[i] == kAny || p.sizes[i] == mItems[i].GetSize();
    if (fits) {
      found = &p;
      break;
    }
  }
  if (!found) return;
  g.Translate(-4, 3);
  for (int i = 0; i < kPlaces; ++i) {
    const Offset& at = found->places[i];
    if (!at.drawn || !mAvailable[i]) continue;
    g.Translate(at.x, at.y);
    mItems[i].Draw(g);
    g.Translate(-at.x, -at.y);
  }
  g.Translate(4, -3);
}

}  // namespace Plix
