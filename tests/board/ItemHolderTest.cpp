// The four-place tray: where items go by size, leftovers, the sparkler
// count, wishes and the drawing pattern.
#include "game/board/ItemHolder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/board/ItemTestSupport.h"

namespace Plix {
namespace {

using Testing::BlitLog;
using Testing::ItemImages;

// The place the item went to, -1 when refused.
int AddAndFind(ItemHolder& holder, const IceCream& item) {
  bool before[ItemHolder::kPlaces];
  for (int i = 0; i < ItemHolder::kPlaces; ++i) before[i] = holder.IsOccupied(i);
  if (!holder.Add(item)) return -1;
  for (int i = 0; i < ItemHolder::kPlaces; ++i)
    if (!before[i] && holder.IsOccupied(i)) return i;
  return -2;
}

struct PlacementCase {
  const char* name;
  std::initializer_list<int32_t> kinds;  // added in turn
  std::initializer_list<int> places;     // where each went, -1 refused
};

TEST(ItemHolder, PlacesBySize) {
  ItemImages images;
  const PlacementCase cases[] = {
      {"four cones, then a fifth", {1, 2, 1, 4, 1}, {0, 1, 2, 3, -1}},
      {"three dishes", {3, 5, 6}, {2, 0, -1}},
      {"cone, dish, cone, cone", {1, 3, 2, 1}, {0, 2, 1, -1}},
      {"dish, then singles", {6, 1, 1}, {2, 0, 1}},
      {"cake, then a cone", {7, 1}, {0, -1}},
      {"cone, then a cake", {1, 7}, {0, -1}},
      {"kinds that take no place", {12, 0, 8}, {-1, -1, -1}},
  };
  for (const PlacementCase& c : cases) {
    ItemHolder holder;
    EXPECT_TRUE(holder.IsEmpty());
    std::vector<int> places;
    for (int32_t kind : c.kinds) places.push_back(AddAndFind(holder, IceCream::CreateOfKind(kind)));
    EXPECT_EQ(places, std::vector<int>(c.places)) << c.name;
  }
}

TEST(ItemHolder, LeftoversTakeRoomUntilCleared) {
  ItemImages images;
  ItemHolder holder;
  ASSERT_TRUE(holder.Add(IceCream::CreateOfKind(kItemCone)));
  EXPECT_FALSE(holder.IsEmpty());
  holder.Release(0);
  EXPECT_TRUE(holder.IsEmpty());
  EXPECT_FALSE(holder.IsOccupied(0));
  EXPECT_EQ(holder.GetItem(0).GetKind(), kItemCone);
  const IceCream cake = IceCream::CreateOfKind(kItemCake);
  EXPECT_FALSE(holder.HasRoomFor(cake));
  EXPECT_FALSE(holder.Add(cake));
  // A single goes beside the leftover.
  EXPECT_EQ(AddAndFind(holder, IceCream::CreateOfKind(kItemCup)), 1);
  holder.Clear();
  EXPECT_EQ(holder.GetItem(0).GetKind(), kItemNone);
  EXPECT_TRUE(holder.HasRoomFor(cake));
  EXPECT_EQ(AddAndFind(holder, cake), 0);
}

class CountingSparklers : public SparklerCount {
public:
  CountingSparklers() { SetSparklerCount(this); }
  ~CountingSparklers() override { SetSparklerCount(nullptr); }
  void OnSparklerAdded() override { ++mInPlay; }
  void OnSparklerRemoved() override { --mInPlay; }
  int mInPlay = 0;
};

IceCream Sparkling(int32_t kind) {
  IceCream item = IceCream::CreateOfKind(kind);
  item.AddExtra(kItemVanilla);
  EXPECT_TRUE(item.AddExtra(kItemSparkler));
  return item;
}

TEST(ItemHolder, KeepsTheSparklerCountRight) {
  ItemImages images;
  CountingSparklers sparklers;
  {
    ItemHolder holder;
    ASSERT_TRUE(holder.Add(Sparkling(kItemPlate)));
    ASSERT_TRUE(holder.Add(Sparkling(kItemPlate)));
    EXPECT_EQ(sparklers.mInPlay, 2);
    // One that does not fit leaves the count.
    EXPECT_FALSE(holder.Add(Sparkling(kItemCone)));
    EXPECT_EQ(sparklers.mInPlay, 2);
    holder.Release(2);
    EXPECT_EQ(sparklers.mInPlay, 1);
    // Releasing a leftover again counts nothing more, nor does clearing it.
    holder.Release(2);
    EXPECT_EQ(sparklers.mInPlay, 1);
    holder.Clear();
    EXPECT_EQ(sparklers.mInPlay, 0);
    ASSERT_TRUE(holder.Add(Sparkling(kItemCup)));
    ASSERT_TRUE(holder.Add(IceCream::CreateOfKind(kItemCone)));
    EXPECT_EQ(sparklers.mInPlay, 1);
  }
  EXPECT_EQ(sparklers.mInPlay, 0);
  {
    // Room for a dish, but singles lie in both pairs.
    ItemHolder holder;
    for (int i = 0; i < ItemHolder::kPlaces; ++i) holder.Add(IceCream::CreateOfKind(kItemCone));
    holder.GetItem(1) = IceCream();
    holder.GetItem(3) = IceCream();
    ASSERT_TRUE(holder.HasRoomFor(Sparkling(kItemPlate)));
    EXPECT_FALSE(holder.Add(Sparkling(kItemPlate)));
    EXPECT_EQ(sparklers.mInPlay, 0);
    ASSERT_TRUE(holder.Add(Sparkling(kItemCone)));
  }
  // The holder's end clears it.
  EXPECT_EQ(sparklers.mInPlay, 0);
}

IceCream Made(int32_t kind, std::initializer_list<int32_t> extras) {
  IceCream item = IceCream::CreateOfKind(kind);
  for (int32_t code : extras) EXPECT_TRUE(item.AddExtra(code));
  return item;
}

TEST(ItemHolder, WishesMatchAvailableItemsOnly) {
  ItemImages images;
  ItemHolder holder;
  holder.Add(Made(kItemCone, {13, 14}));
  holder.Add(Made(kItemCone, {14, 13}));
  holder.Add(Made(kItemCone, {13, 14, kItemStraw}));
  const IceCream wish = Made(kItemCone, {13, 14});
  EXPECT_EQ(holder.CountExactMatches(wish), 2);
  EXPECT_TRUE(holder.ContainsMatch(wish));
  holder.Release(0);
  holder.Release(2);
  EXPECT_EQ(holder.CountExactMatches(wish), 0);
  EXPECT_TRUE(holder.ContainsMatch(wish));  // any order
  holder.Release(1);
  EXPECT_FALSE(holder.ContainsMatch(wish));
  EXPECT_FALSE(holder.ContainsMatch(Made(kItemCup, {13})));
}

// An item of the size: special cup (1), special plate (2), cake (4).
IceCream OfSize(int size) {
  switch (size) {
    case 1:
      return IceCream::CreateOfKind(kItemSpecialCup);
    case 2:
      return IceCream::CreateOfKind(kItemSpecialPlate);
    case 4:
      return IceCream::CreateOfKind(kItemCake);
    default:
      return IceCream();
  }
}

struct DrawCase {
  const char* name;
  int sizes[4];
  std::initializer_list<int> released;
  // Place and offset of each item drawn, in drawing order.
  std::initializer_list<std::initializer_list<int>> drawn;
};

TEST(ItemHolder, DrawsAvailableItemsByTheSizePattern) {
  ItemImages images;
  const DrawCase cases[] = {
      {"one single", {1, 0, 0, 0}, {}, {{0, 0, 0}}},
      {"two singles", {1, 1, 0, 0}, {}, {{0, 16, 0}, {1, -16, 0}}},
      {"three singles", {1, 1, 1, 0}, {}, {{0, 16, -8}, {1, -16, -8}, {2, 0, 8}}},
      {"four singles", {1, 1, 1, 1}, {}, {{0, 22, -8}, {1, -9, -8}, {2, 10, 8}, {3, -22, 8}}},
      {"front dish", {2, 0, 0, 0}, {}, {{0, 0, -4}}},
      {"front dish, single", {2, 0, 1, 0}, {}, {{0, 0, -12}, {2, 0, 8}}},
      {"front dish, two singles", {2, 0, 1, 1}, {}, {{0, 0, -12}, {2, 16, 0}, {3, -16, 0}}},
      {"back dish", {0, 0, 2, 0}, {}, {{2, 0, -4}}},
      {"single, back dish", {1, 0, 2, 0}, {}, {{0, 0, -8}, {2, 0, 4}}},
      {"two singles, back dish", {1, 1, 2, 0}, {}, {{0, 16, -8}, {1, -16, -8}, {2, 0, 4}}},
      {"two dishes", {2, 0, 2, 0}, {}, {{0, 8, -13}, {2, -8, 3}}},
      {"cake", {4, 0, 0, 0}, {}, {{0, 0, 0}}},
      {"leftover keeps its place", {1, 1, 0, 0}, {0}, {{1, -16, 0}}},
      {"leftover dish", {2, 0, 2, 0}, {2}, {{0, 8, -13}}},
      {"a pattern not listed", {0, 1, 0, 0}, {}, {}},
      {"single behind a gap", {0, 0, 1, 0}, {}, {}},
  };
  for (const DrawCase& c : cases) {
    // Every place available, then filled as the case says.
    ItemHolder holder;
    for (int i = 0; i < ItemHolder::kPlaces; ++i) ASSERT_TRUE(holder.Add(IceCream::CreateOfKind(kItemCone)));
    for (int i = 0; i < ItemHolder::kPlaces; ++i) holder.GetItem(i) = OfSize(c.sizes[i]);
    for (int place : c.released) holder.Release(place);

    BlitLog log;
    Graphics g(&log);
    g.Translate(400, 300);
    holder.Draw(g);
    EXPECT_EQ(g.mTransX, 400) << c.name;
    EXPECT_EQ(g.mTransY, 300) << c.name;
    ASSERT_EQ(log.mCalls.size(), c.drawn.size()) << c.name;
    size_t n = 0;
    for (const auto& d : c.drawn) {
      const int* v = d.begin();
      const IceCream& item = holder.GetItem(v[0]);
      Image* image = item.GetKind() == kItemSpecialCup ? IMAGE_SPECIAL_CUP
                     : item.GetKind() == kItemCake     ? IMAGE_CAKE
                                                       : IMAGE_SPECIAL_PLATE;
      // The item's own anchor offset: (-w/2, depth - h).
      const int lift = item.GetKind() == kItemSpecialCup ? 0 : item.GetDepth();
      const BlitLog::Call& call = log.mCalls[n++];
      EXPECT_EQ(call.image, image) << c.name << " place " << v[0];
      EXPECT_EQ(call.x, 400 - 4 + v[1] - image->GetWidth() / 2) << c.name << " place " << v[0];
      EXPECT_EQ(call.y, 300 + 3 + v[2] + lift - image->GetHeight()) << c.name << " place " << v[0];
    }
  }
}

}  // namespace
}  // namespace Plix
