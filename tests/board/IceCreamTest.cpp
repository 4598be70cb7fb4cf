// The ice-cream item: codes, sizes, what it takes, what it costs, which
// wishes it answers, and how it is drawn.
#include "game/board/IceCream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "framework/platform/CRand.h"
#include "tests/board/ItemTestSupport.h"

namespace Plix {
namespace {

using Testing::BlitLog;
using Testing::ItemImages;

// An item of a kind with extras put on one by one; every extra must be
// taken.
IceCream Made(int32_t kind, std::initializer_list<int32_t> extras = {}) {
  IceCream item = IceCream::CreateOfKind(kind);
  for (int32_t code : extras) EXPECT_TRUE(item.AddExtra(code)) << "kind " << kind << " code " << code;
  return item;
}

TEST(ItemCodes, Classes) {
  for (int32_t code = -1; code <= 36; ++code) {
    EXPECT_EQ(IceCream::IsBasicKind(code), code >= 1 && code <= 3) << code;
    EXPECT_EQ(IceCream::IsBonusKindCode(code), code >= 8 && code <= 12) << code;
    EXPECT_EQ(IceCream::IsToppingItem(code), code >= 19 && code <= 21) << code;
    EXPECT_EQ(IceCream::IsMachineIngredient(code), code >= 26 && code <= 30) << code;
  }
  EXPECT_TRUE(IceCream::CreateOfKind(kItemGolden).IsBonusKind());
  EXPECT_FALSE(IceCream::CreateOfKind(kItemCake).IsBonusKind());
}

struct KindCase {
  int32_t kind;
  int32_t places;
  int32_t width;
  int32_t height;
  int32_t depth;
};

TEST(IceCreamSize, ByKind) {
  ItemImages images;
  const KindCase cases[] = {
      {0, 0, 0, 0, 0},     {1, 1, 22, 33, 0},   {2, 1, 30, 22, 0},  {3, 2, 48, 18, 9},  {4, 1, 32, 40, 0},
      {5, 2, 60, 30, 10},  {6, 2, 62, 27, 9},   {7, 4, 64, 48, 12}, {8, 0, 1, 1, 0},    {11, 0, 1, 1, 0},
      {12, 0, 28, 36, 0},  {13, 0, 0, 0, 0},    {35, 0, 0, 0, 0},
  };
  for (const KindCase& c : cases) {
    const IceCream item = IceCream::CreateOfKind(c.kind);
    EXPECT_EQ(item.GetKind(), c.kind);
    EXPECT_EQ(item.GetSize(), c.places) << c.kind;
    EXPECT_EQ(item.GetWidth(), c.width) << c.kind;
    EXPECT_EQ(item.GetHeight(), c.height) << c.kind;
    EXPECT_EQ(item.GetDepth(), c.depth) << c.kind;
    EXPECT_EQ(item.GetScoopCount(), 0);
    EXPECT_EQ(item.GetMarker(), 0);
  }
  // A kind without a depth keeps the one it had.
  IceCream item = IceCream::CreateOfKind(kItemCake);
  item.SetKind(kItemCone);
  EXPECT_EQ(item.GetDepth(), 12);
  EXPECT_EQ(item.GetSize(), 1);
}

struct HeightCase {
  int32_t kind;
  std::initializer_list<int32_t> extras;
  int32_t height;
};

TEST(IceCreamSize, HeightGrowsWithScoopsAndSomeToppings) {
  ItemImages images;
  const HeightCase cases[] = {
      {1, {13}, 43},         {1, {13, 14}, 51},     {1, {13, 19}, 46},   {1, {13, 14, 20}, 51},
      {1, {13, 14, 21}, 55}, {2, {15}, 30},         {2, {15, 21}, 34},   {3, {13}, 24},
      {3, {13, 14, 15}, 24}, {3, {13, 19, 22}, 27},
  };
  for (const HeightCase& c : cases) EXPECT_EQ(Made(c.kind, c.extras).GetHeight(), c.height) << c.kind;
}

TEST(IceCreamScoops, EachBasicKindHasItsRoom) {
  ItemImages images;
  const int32_t room[][2] = {{kItemCone, 2}, {kItemCup, 1}, {kItemPlate, 3}, {kItemSpecialCup, 0}, {kItemGolden, 0}};
  for (const auto& r : room) {
    IceCream item = IceCream::CreateOfKind(r[0]);
    for (int i = 0; i < r[1]; ++i) EXPECT_TRUE(item.AddScoop(kItemVanilla + i)) << r[0];
    EXPECT_FALSE(item.AddScoop(kItemVanilla)) << r[0];
    EXPECT_EQ(item.GetScoopCount(), r[1]);
    for (int i = 0; i < r[1]; ++i) EXPECT_EQ(item.GetFlavor(i), kItemVanilla + i);
  }
  // Nothing goes under a topping or a decoration.
  IceCream topped = Made(kItemPlate, {13});
  topped.SetTopping(20);
  EXPECT_FALSE(topped.AddScoop(14));
  IceCream decorated = Made(kItemPlate, {13});
  decorated.SetDecoration(kItemStraw);
  EXPECT_FALSE(decorated.AddScoop(14));
  EXPECT_EQ(decorated.GetScoopCount(), 1);
}

struct ExtraCase {
  const char* name;
  int32_t kind;
  std::initializer_list<int32_t> before;
  int32_t code;
  bool added;
  bool canAdd;
};

TEST(IceCreamExtras, AddExtraAndCanAdd) {
  ItemImages images;
  const ExtraCase cases[] = {
      {"second scoop on a cone", 1, {13}, 14, true, true},
      {"scoop under a topping", 1, {13, 19}, 14, false, true},
      {"scoop under a decoration", 3, {13, 22}, 14, false, true},
      {"third scoop on a cone", 1, {13, 14}, 15, false, false},
      {"second scoop in a cup", 2, {13}, 13, false, false},
      {"topping without a scoop", 1, {}, 19, false, false},
      {"topping on a scoop", 2, {13}, 21, true, true},
      {"second topping", 2, {13, 20}, 19, false, false},
      {"decoration without a scoop", 3, {}, 25, false, false},
      {"decoration on a scoop", 3, {13}, 23, true, true},
      {"decoration over a topping", 3, {13, 19}, 24, true, true},
      {"second decoration", 1, {13, 22}, 25, false, false},
      {"scoop on a special", 4, {}, 13, false, false},
      {"golden bonus", 1, {13}, 12, false, false},
      {"machine ingredient", 1, {13}, 26, false, false},
      {"treat", 1, {13}, 31, false, false},
      {"nothing", 1, {13}, 0, false, false},
  };
  for (const ExtraCase& c : cases) {
    IceCream item = Made(c.kind, c.before);
    const IceCream before = item;
    EXPECT_EQ(item.CanAdd(c.code), c.canAdd) << c.name;
    EXPECT_EQ(item.GetScoopCount(), before.GetScoopCount()) << c.name;
    EXPECT_EQ(item.GetTopping(), before.GetTopping()) << c.name;
    EXPECT_EQ(item.GetDecoration(), before.GetDecoration()) << c.name;
    EXPECT_EQ(item.AddExtra(c.code), c.added) << c.name;
    if (!c.added) {
      EXPECT_EQ(item.GetScoopCount(), before.GetScoopCount()) << c.name;
      EXPECT_EQ(item.GetTopping(), before.GetTopping()) << c.name;
      EXPECT_EQ(item.GetDecoration(), before.GetDecoration()) << c.name;
    }
  }
}

TEST(IceCreamExtras, ASparklerOnACupPlacesTheSparks) {
  ItemImages images;
  IceCream cup = Made(kItemCup, {13, kItemSparkler});
  EXPECT_EQ(cup.GetDecoration(), kItemSparkler);
  EXPECT_EQ(cup.mSparksX, 21);
  EXPECT_EQ(cup.mSparksY, -32 - 22);
  IceCream cone = Made(kItemCone, {13, kItemSparkler});
  EXPECT_EQ(cone.mSparksX, 0);
  EXPECT_EQ(cone.mSparksY, 0);
}

struct PriceCase {
  const char* name;
  int32_t kind;
  std::initializer_list<int32_t> extras;
  int32_t base;
  int32_t price;  // on a day that offers vanilla only
};

TEST(IceCreamPrice, BaseAndDayPrice) {
  ItemImages images;
  const PriceCase cases[] = {
      {"two vanilla, topping, straw", 1, {13, 13, 19, 24}, 8, 11},
      {"vanilla and a new flavour", 1, {13, 14}, 6, 2 + 2 + 3},
      {"cup with umbrella", 2, {13, 22}, 4, 2 + 2 + 5},
      {"plate of three, sauce, cocktail stick", 3, {13, 13, 13, 21, 23}, 10, 2 + 6 + 2 + 4},
      {"new flavour with sparkler", 2, {18, 25}, 4, 2 + 3 + 6},
      {"empty cone", 1, {}, 2, 2},
      {"special cup", 4, {}, 8, 8},
      {"special plate", 5, {}, 12, 12},
      {"banana split", 6, {}, 10, 10},
      {"cake", 7, {}, 14, 14},
      {"golden", 12, {}, 2, 2},
  };
  const auto vanillaDay = [](int item) { return item - kItemVanilla >= 1 ? 3 : 2; };
  for (const PriceCase& c : cases) {
    const IceCream item = Made(c.kind, c.extras);
    EXPECT_EQ(item.GetBasePrice(), c.base) << c.name;
    EXPECT_EQ(item.GetPrice(vanillaDay), c.price) << c.name;
  }
  // Without a day played no flavour is new.
  EXPECT_EQ(Made(kItemCone, {13, 14}).GetPrice(), 6);
}

struct WishCase {
  const char* name;
  IceCream wish;
  IceCream item;
  bool exact;
  bool anyOrder;
};

TEST(IceCreamWish, Matching) {
  ItemImages images;
  const WishCase cases[] = {
      {"plate in another order", Made(3, {13, 14, 14}), Made(3, {14, 13, 14}), true, true},
      {"plate of other flavours", Made(3, {13, 14, 14}), Made(3, {13, 13, 14}), false, false},
      {"cone in another order", Made(1, {13, 14}), Made(1, {14, 13}), false, true},
      {"same cone", Made(1, {13, 14, 20}), Made(1, {13, 14, 20}), true, true},
      {"decoration differs", Made(2, {15}), Made(2, {15, 22}), true, true},
      {"topping differs", Made(2, {15, 19}), Made(2, {15, 20}), false, false},
      {"topping missing", Made(2, {15, 19}), Made(2, {15}), false, false},
      {"scoop counts differ", Made(3, {13, 13}), Made(3, {13, 13, 13}), false, false},
      {"kinds differ", Made(1, {13}), Made(2, {13}), false, false},
      {"same special", Made(6), Made(6), true, true},
      {"nothing wished", Made(0), Made(0), false, false},
  };
  for (const WishCase& c : cases) {
    EXPECT_EQ(IceCream::MatchesWish(&c.wish, &c.item), c.exact) << c.name;
    EXPECT_EQ(IceCream::MatchesWishAnyOrder(&c.wish, &c.item), c.anyOrder) << c.name;
  }
  const IceCream cone = Made(1, {13});
  EXPECT_FALSE(IceCream::MatchesWish(nullptr, &cone));
  EXPECT_FALSE(IceCream::MatchesWishAnyOrder(nullptr, &cone));
}

TEST(IceCreamMarker, CountsDownToZeroOnly) {
  IceCream item = IceCream::CreateOfKind(kItemCone);
  item.DecrementMarker();
  EXPECT_EQ(item.GetMarker(), 0);
  item.IncrementMarker();
  item.IncrementMarker();
  item.DecrementMarker();
  EXPECT_EQ(item.GetMarker(), 1);
  item.IncrementMarker();
  item.ClearPending();
  EXPECT_EQ(item.GetMarker(), 0);
}

// One expected blit: image, cel, position from the anchor.
struct Expected {
  Image* image;
  int cel;
  int x;
  int y;
};

// Draws the item with its anchor at (400, 300) and compares every blit but
// the sparks, in order.
void ExpectDrawn(const IceCream& item, bool selected, std::initializer_list<Expected> expected, const std::string& name) {
  BlitLog log;
  Graphics g(&log);
  g.Translate(400, 300);
  if (selected) {
    item.DrawSelected(g);
  } else {
    item.Draw(g);
  }
  std::vector<BlitLog::Call> calls;
  for (const BlitLog::Call& c : log.mCalls)
    if (c.image != IMAGE_SPARKS) calls.push_back(c);
  ASSERT_EQ(calls.size(), expected.size()) << name;
  size_t i = 0;
  for (const Expected& e : expected) {
    const BlitLog::Call& c = calls[i++];
    EXPECT_EQ(c.image, e.image) << name << " blit " << i;
    EXPECT_EQ(c.cel, e.cel) << name << " blit " << i;
    EXPECT_EQ(c.x - 400, e.x) << name << " blit " << i;
    EXPECT_EQ(c.y - 300, e.y) << name << " blit " << i;
  }
}

IceCream WithMarker(IceCream item, int marker) {
  for (int i = 0; i < marker; ++i) item.IncrementMarker();
  return item;
}

TEST(IceCreamDraw, BasicKinds) {
  ItemImages images;
  // Cone 22 x 33, cup 30 x 22, plate 48 x 18; scoop cels 26 and 22 wide,
  // small scoops 20 high; topping cels 22 wide; marker cels 20 x 20.
  ExpectDrawn(WithMarker(Made(1, {13, 15, 21, 25}), 12), false,
              {{IMAGE_CONE, 0, -11, -33},
               {IMAGE_BIG_BALLS, 0, -13, -43},
               {IMAGE_SMALL_BALLS, 2, -11, -49},
               {IMAGE_TOPPING, 5, -11, -53},
               {IMAGE_SPARKLER, 0, 5, -71},
               {IMAGE_ACTION_MARKER, 8, -8, -26}},
              "cone of two with sauce and sparkler, marker 12");
  ExpectDrawn(Made(1, {16, 19, 23}), false,
              {{IMAGE_CONE, 0, -11, -33},
               {IMAGE_BIG_BALLS, 3, -13, -43},
               {IMAGE_TOPPING, 0, -11, -46},
               {IMAGE_COCKTAIL_STICK, 0, -16, -54}},
              "cone of one with cherry and cocktail stick");
  ExpectDrawn(WithMarker(Made(2, {14, 19, 22}), 1), false,
              {{IMAGE_CUP, 0, -15, -23},
               {IMAGE_BIG_BALLS, 1, -13, -30},
               {IMAGE_TOPPING, 0, -11, -33},
               {IMAGE_UMBRELLA, 0, -20, -44},
               {IMAGE_ACTION_MARKER, 0, -8, -22}},
              "cup with cherry and umbrella, marker 1");
  ExpectDrawn(Made(3, {13, 14, 15, 21, 24}), false,
              {{IMAGE_PLATE, 0, -24, -9},
               {IMAGE_SMALL_BALLS, 0, -23, -17},
               {IMAGE_TOPPING, 5, -23, -20},
               {IMAGE_SMALL_BALLS, 1, 1, -17},
               {IMAGE_TOPPING, 5, 1, -20},
               {IMAGE_STRAW, 0, 18, -23},
               {IMAGE_SMALL_BALLS, 2, -11, -12},
               {IMAGE_TOPPING, 5, -11, -15}},
              "plate of three with sauce and straw");
  ExpectDrawn(Made(3, {17, 22}), false,
              {{IMAGE_PLATE, 0, -24, -9}, {IMAGE_SMALL_BALLS, 4, -11, -16}, {IMAGE_UMBRELLA, 0, -19, -29}},
              "plate of one with umbrella");
  ExpectDrawn(WithMarker(Made(3, {13, 18, 25}), 2), false,
              {{IMAGE_PLATE, 0, -24, -9},
               {IMAGE_SMALL_BALLS, 0, -21, -16},
               {IMAGE_SMALL_BALLS, 5, -1, -16},
               {IMAGE_SPARKLER, 0, 16, -34},
               {IMAGE_ACTION_MARKER, 1, -8, -6}},
              "plate of two with sparkler, marker 2");
  ExpectDrawn(WithMarker(Made(3), 1), false, {{IMAGE_PLATE, 0, -24, -9}, {IMAGE_ACTION_MARKER, 0, -8, -16}},
              "empty plate, marker 1");
}

TEST(IceCreamDraw, SpecialsAndTheGoldenIceCream) {
  ItemImages images;
  ExpectDrawn(WithMarker(Made(4), 3), false, {{IMAGE_SPECIAL_CUP, 0, -16, -40}}, "special cup");
  ExpectDrawn(Made(5), false, {{IMAGE_SPECIAL_PLATE, 0, -30, 10 - 30}}, "special plate");
  ExpectDrawn(Made(6), false, {{IMAGE_BANANA_SPLIT, 0, -31, 9 - 27}}, "banana split");
  ExpectDrawn(Made(7), false, {{IMAGE_CAKE, 0, -32, 12 - 48}}, "cake");
  ExpectDrawn(Made(8), false, {}, "belt bonus");
  ExpectDrawn(WithMarker(Made(12), 3), false,
              {{IMAGE_BONUS_GOLDEN, 0, -14, -33}, {IMAGE_ACTION_MARKER, 2, -8, -(20 + 36) / 2}}, "golden");
  ExpectDrawn(WithMarker(Made(12), 3), true,
              {{IMAGE_BONUS_GOLDEN, 1, -14, -33}, {IMAGE_ACTION_MARKER, 2, -8, -(20 + 36) / 2}}, "golden selected");
  ExpectDrawn(Made(7), true, {}, "cake selected");
}

TEST(IceCreamDraw, SelectedRimsCentredOnThePlainParts) {
  ItemImages images;
  // Rims 4 pixels larger than the plain parts: 2 left and 2 up.
  ExpectDrawn(WithMarker(Made(1, {14, 20}), 1), true,
              {{IMAGE_CONE_SELECTED, 0, -13, -35},
               {IMAGE_BIG_BALL_SELECTED, 1, -15, -45},
               {IMAGE_TOPPING_SELECTED, 1, -13, -45}},
              "cone with sprinkles selected");
  ExpectDrawn(Made(2, {13, kItemSparkler}), true,
              {{IMAGE_CUP_SELECTED, 0, -17, -25},
               {IMAGE_BIG_BALL_SELECTED, 0, -15, -32},
               {IMAGE_SPARKLER_SELECTED, 0, 5, -52}},
              "cup with sparkler selected");
}

TEST(Sparks, ShareOneBurstDrawnAdditivelyAroundThePoint) {
  ItemImages images;
  SRand(5);
  InitSparks();
  BlitLog log;
  Graphics g(&log);
  DrawSparks(g, 100, 100);
  ASSERT_EQ(log.mCalls.size(), 32u);
  for (const BlitLog::Call& c : log.mCalls) {
    EXPECT_EQ(c.image, IMAGE_SPARKS);
    EXPECT_EQ(c.x, 97);
    EXPECT_EQ(c.y, 99);
    EXPECT_EQ(c.color.mAlpha, 255);
    EXPECT_EQ(c.mode, DRAWMODE_ADDITIVE);
  }
  EXPECT_FALSE(g.GetImageTinting());
  EXPECT_EQ(g.GetDrawMode(), DRAWMODE_NORMAL);
  EXPECT_EQ(g.mTransX, 0);

  // One update: a unit step out and a fade of 8 to 23.
  UpdateSparks();
  log.mCalls.clear();
  DrawSparks(g, 100, 100);
  ASSERT_EQ(log.mCalls.size(), 32u);
  for (const BlitLog::Call& c : log.mCalls) {
    EXPECT_GE(c.x, 96);
    EXPECT_LE(c.x, 98);
    EXPECT_GE(c.y, 98);
    EXPECT_LE(c.y, 100);
    EXPECT_GE(c.color.mAlpha, 255 - 23);
    EXPECT_LE(c.color.mAlpha, 255 - 8);
  }
  // A spark that has faded out starts again at the point: after 40 updates
  // none can still be on its first flight (at most 32 updates of 8).
  for (int i = 0; i < 40; ++i) UpdateSparks();
  log.mCalls.clear();
  DrawSparks(g, 100, 100);
  for (const BlitLog::Call& c : log.mCalls) {
    EXPECT_LE(std::abs(c.x - 97), 24);
    EXPECT_LE(std::abs(c.y - 99), 24);
  }
}

}  // namespace
}  // namespace Plix
