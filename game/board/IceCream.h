#pragma once
// The one value type of everything built, carried, wished for, served or put
// on the belt, and the item codes that the heroine, the monkeys, the
// customers, the stations and the belt share.
#include <cstdint>
#include <functional>

namespace Plix {

class Graphics;

// Item codes. 1 to 12 are item kinds; from 13 on they are what the heroine
// and the monkeys pick up and carry.
constexpr int32_t kItemNone = 0;
constexpr int32_t kItemCone = 1;
constexpr int32_t kItemCup = 2;
constexpr int32_t kItemPlate = 3;
constexpr int32_t kItemSpecialCup = 4;
constexpr int32_t kItemSpecialPlate = 5;
constexpr int32_t kItemBananaSplit = 6;
constexpr int32_t kItemCake = 7;
constexpr int32_t kItemFirstBonus = 8;  // 8 to 11: belt bonus items
constexpr int32_t kItemGolden = 12;
constexpr int32_t kItemVanilla = 13;  // scoops 13 to 18, in flavour order
constexpr int32_t kItemLastScoop = 18;
constexpr int32_t kItemFirstTopping = 19;  // toppings 19 to 21
constexpr int32_t kItemLastTopping = 21;
constexpr int32_t kItemUmbrella = 22;
constexpr int32_t kItemCocktailStick = 23;
constexpr int32_t kItemStraw = 24;
constexpr int32_t kItemSparkler = 25;
constexpr int32_t kItemFirstIngredient = 26;  // 26 to 30, one per flavour 14 to 18
constexpr int32_t kItemLastIngredient = 30;
constexpr int32_t kItemBanana = 31;
constexpr int32_t kItemApple = 32;
constexpr int32_t kItemPear = 33;
constexpr int32_t kItemSuperBanana = 34;
constexpr int32_t kItemIceCreamBox = 35;  // the heroine's carry code only

class IceCream {
public:
  static constexpr int kMaxFlavors = 4;

  // Kind 0.
  IceCream();
  static IceCream CreateOfKind(int32_t kind);

  static bool IsBasicKind(int32_t code) { return code >= kItemCone && code <= kItemPlate; }
  static bool IsBonusKindCode(int32_t code) { return code >= kItemFirstBonus && code <= kItemGolden; }
  static bool IsToppingItem(int32_t code) { return code >= kItemFirstTopping && code <= kItemLastTopping; }
  static bool IsMachineIngredient(int32_t code) { return code >= kItemFirstIngredient && code <= kItemLastIngredient; }
  bool IsBonusKind() const { return IsBonusKindCode(mKind); }

  // Also sets the places, the depth and the size.
  void SetKind(int32_t kind);
  // Width and height from the kind's image, the scoops and the topping.
  void UpdateSize();
  int32_t GetKind() const { return mKind; }

  // A scoop (13 to 18) on a basic kind with room and neither topping nor
  // decoration.
  bool AddScoop(int32_t code);
  void SetTopping(int32_t code) { mTopping = code; }
  // A sparkler on a cup also places the sparks.
  void SetDecoration(int32_t code);
  // What the heroine puts on: a scoop, a topping or a decoration (13 to 25).
  bool AddExtra(int32_t code);
  // AddExtra's answer without the change; for a scoop only the room counts.
  bool CanAdd(int32_t code) const;

  int32_t GetBasePrice() const;
  // The price on the day the board plays (GameApp::GetScoopPrice).
  int32_t GetPrice() const;
  // The same with each scoop priced by `scoopPrice` (scoop code -> price).
  int32_t GetPrice(const std::function<int(int)>& scoopPrice) const;

  // Kinds, scoop counts and toppings equal, flavours in order (as a multiset
  // for a plate); the decoration never counts. False without a wish or for
  // kind 0.
  static bool MatchesWish(const IceCream* wish, const IceCream* item);
  // The same with the flavours always compared as a multiset.
  static bool MatchesWishAnyOrder(const IceCream* wish, const IceCream* item);

  // The number shown while queued actions of the heroine refer to the item.
  void IncrementMarker() { ++mMarker; }
  void DecrementMarker() {
    if (mMarker >= 1) --mMarker;
  }
  void ClearPending() { mMarker = 0; }

  // Drawn with its anchor (bottom centre) at the graphics origin.
  void Draw(Graphics& g) const;
  void DrawSelected(Graphics& g) const;

  int32_t GetFlavor(int i) const { return mFlavors[i]; }
  int32_t GetScoopCount() const { return mScoopCount; }
  int32_t GetTopping() const { return mTopping; }
  int32_t GetDecoration() const { return mDecoration; }
  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  // Counter places taken: 1, 2 or 4; 0 for kinds that take none.
  int32_t GetSize() const { return mPlaces; }
  int32_t GetDepth() const { return mDepth; }
  int32_t GetMarker() const { return mMarker; }

  int32_t mKind = 0;
  // Only the first mScoopCount are meaningful.
  int32_t mFlavors[kMaxFlavors];
  int32_t mScoopCount = 0;
  int32_t mTopping = 0;
  int32_t mDecoration = 0;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  int32_t mPlaces = 0;
  // How far the image reaches below the anchor.
  int32_t mDepth = 0;
  int32_t mMarker = 0;
  int32_t mSparksX = 0;
  int32_t mSparksY = 0;
};

// The 32 sparks that every sparkler on screen shows. Sparks are set up at
// the first update or draw, or by InitSparks.
void InitSparks();
// Every day starts with the sparks unfilled, so that they draw from the
// generator at the same point of each day: a seed fixes the day, whatever
// ran before it in the process.
void ResetSparks();
void UpdateSparks();
void DrawSparks(Graphics& g, int32_t x, int32_t y);

}  // namespace Plix
