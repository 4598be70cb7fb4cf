#include "game/board/IceCream.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/Curve.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"

namespace Plix {

namespace {

int Width(const Image* image) { return image ? image->GetWidth() : 0; }
int Height(const Image* image) { return image ? image->GetHeight() : 0; }
int CellWidth(const Image* image) { return image ? image->GetCellWidth() : 0; }
int CellHeight(const Image* image) { return image ? image->GetCellHeight() : 0; }

}  // namespace

IceCream::IceCream() {
  for (int32_t& f : mFlavors) f = 0;
  SetKind(kItemNone);
}

IceCream IceCream::CreateOfKind(int32_t kind) {
  IceCream item;
  item.SetKind(kind);
  return item;
}

void IceCream::SetKind(int32_t kind) {
  mKind = kind;
  switch (kind) {
    case kItemCone:
    case kItemCup:
    case kItemSpecialCup:
      mPlaces = 1;
      break;
    case kItemPlate:
    case kItemSpecialPlate:
    case kItemBananaSplit:
      mPlaces = 2;
      break;
    case kItemCake:
      mPlaces = 4;
      break;
    default:
      mPlaces = 0;
      break;
  }
  switch (kind) {
    case kItemPlate:
      mDepth = Height(IMAGE_PLATE) / 2;
      break;
    case kItemSpecialPlate:
      mDepth = Height(IMAGE_SPECIAL_PLATE) / 3;
      break;
    case kItemBananaSplit:
      mDepth = Height(IMAGE_BANANA_SPLIT) / 3;
      break;
    case kItemCake:
      mDepth = Height(IMAGE_CAKE) / 4;
      break;
    default:
      break;
  }
  UpdateSize();
}

void IceCream::UpdateSize() {
  switch (mKind) {
    case kItemCone:
      mWidth = Width(IMAGE_CONE);
      mHeight = mScoopCount == 0 ? Height(IMAGE_CONE) : (mScoopCount == 1 ? 43 : 51);
      break;
    case kItemCup:
      mWidth = Width(IMAGE_CUP);
      mHeight = mScoopCount == 0 ? Height(IMAGE_CUP) : 30;
      break;
    case kItemPlate:
      mWidth = Width(IMAGE_PLATE);
      mHeight = mScoopCount == 0 ? Height(IMAGE_PLATE) : 24;
      break;
    case kItemSpecialCup:
      mWidth = Width(IMAGE_SPECIAL_CUP);
      mHeight = Height(IMAGE_SPECIAL_CUP);
      break;
    case kItemSpecialPlate:
      mWidth = Width(IMAGE_SPECIAL_PLATE);
      mHeight = Height(IMAGE_SPECIAL_PLATE);
      break;
    case kItemBananaSplit:
      mWidth = Width(IMAGE_BANANA_SPLIT);
      mHeight = Height(IMAGE_BANANA_SPLIT);
      break;
    case kItemCake:
      mWidth = Width(IMAGE_CAKE);
      mHeight = Height(IMAGE_CAKE);
      break;
    case 8:
    case 9:
    case 10:
    case 11:
      mWidth = 1;
      mHeight = 1;
      break;
    case kItemGolden:
      mWidth = CellWidth(IMAGE_BONUS_GOLDEN);
      mHeight = Height(IMAGE_BONUS_GOLDEN);
      break;
    default:
      mWidth = 0;
      mHeight = 0;
      break;
  }
  if (IsBasicKind(mKind)) {
    if (mTopping == 19) mHeight += 3;
    if (mTopping == 21) mHeight += 4;
  }
}

// Scoops a kind holds: cone 2, cup 1, plate 3.
static int ScoopRoom(int32_t kind) {
  switch (kind) {
    case kItemCone:
      return 2;
    case kItemCup:
      return 1;
    case kItemPlate:
      return 3;
    default:
      return 0;
  }
}

bool IceCream::AddScoop(int32_t code) {
  if (!IsBasicKind(mKind) || mTopping != 0 || mDecoration != 0) return false;
  if (mScoopCount >= ScoopRoom(mKind)) return false;
  mFlavors[mScoopCount++] = code;
  UpdateSize();
  return true;
}

void IceCream::SetDecoration(int32_t code) {
  mDecoration = code;
  if (code == kItemSparkler && mKind == kItemCup) {
    mSparksX = 21;
    mSparksY = -32 - Height(IMAGE_CUP);
  }
}

bool IceCream::AddExtra(int32_t code) {
  if (!IsBasicKind(mKind) || code < kItemVanilla || code > kItemSparkler) return false;
  if (code <= kItemLastScoop) return AddScoop(code);
  if (mScoopCount < 1) return false;
  if (IsToppingItem(code)) {
    if (mTopping != 0) return false;
    SetTopping(code);
    // The topping raises the drawn item.
    UpdateSize();
    return true;
  }
  if (mDecoration != 0) return false;
  SetDecoration(code);
  return true;
}

bool IceCream::CanAdd(int32_t code) const {
  if (!IsBasicKind(mKind) || code < kItemVanilla || code > kItemSparkler) return false;
  if (code <= kItemLastScoop) return mScoopCount < ScoopRoom(mKind);
  if (mScoopCount < 1) return false;
  if (IsToppingItem(code)) return mTopping == 0;
  return mDecoration == 0;
}

int32_t IceCream::GetBasePrice() const {
  switch (mKind) {
    case kItemSpecialCup:
      return 8;
    case kItemSpecialPlate:
      return 12;
    case kItemBananaSplit:
      return 10;
    case kItemCake:
      return 14;
    default:
      return 2 * mScoopCount + 2 + (mTopping != 0 ? 2 : 0);
  }
}

int32_t IceCream::GetPrice() const {
  GameApp* app = GetGameApp();
  return GetPrice([app](int item) { return app ? app->GetScoopPrice(item) : 2; });
}

int32_t IceCream::GetPrice(const std::function<int(int)>& scoopPrice) const {
  if (!IsBasicKind(mKind)) return GetBasePrice();
  int32_t price = 2;
  for (int i = 0; i < mScoopCount; ++i) price += scoopPrice(mFlavors[i]);
  if (mTopping != 0) price += 2;
  switch (mDecoration) {
    case kItemUmbrella:
      price += 5;
      break;
    case kItemCocktailStick:
      price += 4;
      break;
    case kItemStraw:
      price += 3;
      break;
    case kItemSparkler:
      price += 6;
      break;
    default:
      break;
  }
  return price;
}

namespace {

bool SameBasics(const IceCream* wish, const IceCream* item) {
  return wish && item && wish->mKind != 0 && item->mKind != 0 && wish->mKind == item->mKind &&
         wish->mScoopCount == item->mScoopCount && wish->mTopping == item->mTopping;
}

bool SameFlavorsInOrder(const IceCream& a, const IceCream& b) {
  for (int i = 0; i < a.mScoopCount; ++i)
    if (a.mFlavors[i] != b.mFlavors[i]) return false;
  return true;
}

bool SameFlavorsAnyOrder(const IceCream& a, const IceCream& b) {
  for (int32_t code = kItemVanilla; code <= kItemLastScoop; ++code) {
    int count = 0;
    for (int i = 0; i < a.mScoopCount; ++i) count += a.mFlavors[i] == code;
    for (int i = 0; i < b.mScoopCount; ++i) count -= b.mFlavors[i] == code;
    if (count != 0) return false;
  }
  return true;
}

}  // namespace

bool IceCream::MatchesWish(const IceCream* wish, const IceCream* item) {
  if (!SameBasics(wish, item)) return false;
  return wish->mKind == kItemPlate ? SameFlavorsAnyOrder(*wish, *item) : SameFlavorsInOrder(*wish, *item);
}

bool IceCream::MatchesWishAnyOrder(const IceCream* wish, const IceCream* item) {
  return SameBasics(wish, item) && SameFlavorsAnyOrder(*wish, *item);
}

namespace {

// Draws the plain scheme, or its highlight: each highlight image centred on
// where its plain image goes (the belt lifts the highlight itself).
class ItemPainter {
public:
  ItemPainter(Graphics& g, bool selected) : mG(g), mSelected(selected) {}

  void Whole(Image* plain, Image* highlight, int x, int y) {
    Image* image = mSelected ? highlight : plain;
    if (!image) return;
    if (mSelected) Centre(plain, highlight, Width(plain), Height(plain), x, y);
    mG.DrawImage(image, x, y);
  }
  void Cell(Image* plain, Image* highlight, int cel, int x, int y) {
    Image* image = mSelected ? highlight : plain;
    if (!image) return;
    if (mSelected) Centre(plain, highlight, CellWidth(plain), CellHeight(plain), x, y);
    mG.DrawImageCell(image, x, y, cel);
  }
  bool Selected() const { return mSelected; }

private:
  void Centre(Image* plain, Image* highlight, int w, int h, int& x, int& y) {
    if (plain) {
      x -= (CellWidth(highlight) - w) / 2;
      y -= (CellHeight(highlight) - h) / 2;
    }
  }

  Graphics& mG;
  bool mSelected;
};

// Topping cells 0 to 2 sit on a big scoop, 3 to 5 on a small one.
void DrawTopping(ItemPainter& p, int32_t topping, bool small, int y19, int y20, int y21) {
  if (!IceCream::IsToppingItem(topping)) return;
  const int index = topping - kItemFirstTopping;
  const int y = index == 0 ? y19 : (index == 1 ? y20 : y21);
  const int cel = index + (small ? 3 : 0);
  p.Cell(IMAGE_TOPPING, IMAGE_TOPPING_SELECTED, cel, -CellWidth(IMAGE_TOPPING) / 2, y);
}

struct DecorationSpot {
  int x;
  int y;
};

// Umbrella, cocktail stick, straw and sparkler at their spots; the sparks
// of a sparkler at `sparks`.
void DrawDecoration(ItemPainter& p, Graphics& g, int32_t decoration, const DecorationSpot (&spots)[4],
                    DecorationSpot sparks) {
  static Image** const plain[4] = {&IMAGE_UMBRELLA, &IMAGE_COCKTAIL_STICK, &IMAGE_STRAW, &IMAGE_SPARKLER};
  static Image** const highlight[4] = {&IMAGE_UMBRELLA_SELECTED, &IMAGE_COCKTAIL_STICK_SELECTED,
                                       &IMAGE_STRAW_SELECTED, &IMAGE_SPARKLER_SELECTED};
  if (decoration < kItemUmbrella || decoration > kItemSparkler) return;
  const int i = decoration - kItemUmbrella;
  p.Whole(*plain[i], *highlight[i], spots[i].x, spots[i].y);
  if (decoration == kItemSparkler && !p.Selected()) DrawSparks(g, sparks.x, sparks.y);
}

void DrawMarker(Graphics& g, int32_t marker, int y) {
  if (marker == 0 || !IMAGE_ACTION_MARKER) return;
  const int cel = marker >= 9 ? 8 : marker - 1;
  g.DrawImageCell(IMAGE_ACTION_MARKER, 2 - CellWidth(IMAGE_ACTION_MARKER) / 2, y, cel);
}

void DrawBasic(const IceCream& item, Graphics& g, ItemPainter& p) {
  const int32_t topping = item.mTopping;
  const int32_t decoration = item.mDecoration;
  if (item.mKind == kItemCone) {
    const int h = Height(IMAGE_CONE);
    p.Whole(IMAGE_CONE, IMAGE_CONE_SELECTED, -Width(IMAGE_CONE) / 2, -h);
    if (item.mScoopCount >= 1) {
      p.Cell(IMAGE_BIG_BALLS, IMAGE_BIG_BALL_SELECTED, item.mFlavors[0] - kItemVanilla,
             -CellWidth(IMAGE_BIG_BALLS) / 2, -10 - h);
    }
    if (item.mScoopCount == 1) {
      DrawTopping(p, topping, false, -13 - h, -10 - h, -13 - h);
      const int d = -h - (topping == 21 ? 4 : 0);
      DrawDecoration(p, g, decoration, {{-20, d - 24}, {-16, d - 21}, {7, d - 17}, {7, d - 30}}, {21, d - 30});
    } else if (item.mScoopCount >= 2) {
      p.Cell(IMAGE_SMALL_BALLS, IMAGE_SMALL_BALL_SELECTED, item.mFlavors[1] - kItemVanilla,
             -CellWidth(IMAGE_SMALL_BALLS) / 2, -16 - h);
      DrawTopping(p, topping, true, -19 - h, -16 - h, -20 - h);
      const int d = -h - (topping == 21 ? 3 : 0);
      DrawDecoration(p, g, decoration, {{-19, d - 30}, {-15, d - 26}, {6, d - 19}, {5, d - 35}}, {19, d - 35});
    }
    if (!p.Selected()) DrawMarker(g, item.mMarker, -26);
  } else if (item.mKind == kItemCup) {
    const int h = Height(IMAGE_CUP);
    p.Whole(IMAGE_CUP, IMAGE_CUP_SELECTED, -Width(IMAGE_CUP) / 2, -1 - h);
    if (item.mScoopCount >= 1) {
      p.Cell(IMAGE_BIG_BALLS, IMAGE_BIG_BALL_SELECTED, item.mFlavors[0] - kItemVanilla,
             -CellWidth(IMAGE_BIG_BALLS) / 2, -8 - h);
      DrawTopping(p, topping, false, -11 - h, -8 - h, -11 - h);
    }
    const int d = -h - (topping == 21 ? 4 : 0);
    DrawDecoration(p, g, decoration, {{-20, d - 22}, {-16, d - 19}, {7, d - 15}, {7, d - 28}}, {21, d - 28});
    if (!p.Selected()) DrawMarker(g, item.mMarker, -22);
  } else {
    p.Whole(IMAGE_PLATE, IMAGE_PLATE_SELECTED, -Width(IMAGE_PLATE) / 2, -Height(IMAGE_PLATE) / 2);
    static const DecorationSpot kOne[1] = {{0, 4}};
    static const DecorationSpot kTwo[2] = {{-10, 4}, {10, 4}};
    static const DecorationSpot kThree[3] = {{-11, 3}, {11, 3}, {0, 8}};
    static const DecorationSpot kThreeSauce[3] = {{-12, 3}, {12, 3}, {0, 8}};
    const int count = item.mScoopCount > 3 ? 3 : item.mScoopCount;
    const DecorationSpot* points = count == 1 ? kOne : (count == 2 ? kTwo : (topping == 21 ? kThreeSauce : kThree));
    const int scoopH = Height(IMAGE_SMALL_BALLS);
    const bool withFirst = decoration == kItemUmbrella || decoration == kItemCocktailStick;
    for (int i = 0; i < count; ++i) {
      const int px = points[i].x;
      const int py = points[i].y;
      p.Cell(IMAGE_SMALL_BALLS, IMAGE_SMALL_BALL_SELECTED, item.mFlavors[i] - kItemVanilla,
             px - CellWidth(IMAGE_SMALL_BALLS) / 2, py - scoopH);
      if (IceCream::IsToppingItem(topping)) {
        const int index = topping - kItemFirstTopping;
        const int y = py - scoopH - (index == 0 ? 4 : (index == 1 ? 0 : 3));
        p.Cell(IMAGE_TOPPING, IMAGE_TOPPING_SELECTED, index + 3, px - CellWidth(IMAGE_TOPPING) / 2, y);
      }
      // Umbrella and cocktail stick stand in the first scoop, straw and
      // sparkler in the second (in the only one of a single scoop).
      const int carrier = withFirst || count == 1 ? 0 : 1;
      if (i == carrier) {
        const int b = py - (topping == 21 ? 2 : 0);
        DrawDecoration(p, g, decoration, {{px - 19, b - 33}, {px - 15, b - 29}, {px + 6, b - 24}, {px + 6, b - 38}},
                       {px + 20, b - 38});
      }
    }
    if (!p.Selected()) DrawMarker(g, item.mMarker, count > 0 ? -6 : -16);
  }
}

void DrawItem(const IceCream& item, Graphics& g, bool selected) {
  ItemPainter p(g, selected);
  if (IceCream::IsBasicKind(item.mKind)) {
    DrawBasic(item, g, p);
    return;
  }
  if (item.mKind == kItemGolden) {
    if (IMAGE_BONUS_GOLDEN)
      g.DrawImageCell(IMAGE_BONUS_GOLDEN, -CellWidth(IMAGE_BONUS_GOLDEN) / 2, 3 - Height(IMAGE_BONUS_GOLDEN),
                      selected ? 1 : 0);
    DrawMarker(g, item.mMarker, -(CellHeight(IMAGE_ACTION_MARKER) + item.mHeight) / 2);
    return;
  }
  if (selected) return;
  Image* image = nullptr;
  switch (item.mKind) {
    case kItemSpecialCup:
      image = IMAGE_SPECIAL_CUP;
      break;
    case kItemSpecialPlate:
      image = IMAGE_SPECIAL_PLATE;
      break;
    case kItemBananaSplit:
      image = IMAGE_BANANA_SPLIT;
      break;
    case kItemCake:
      image = IMAGE_CAKE;
      break;
    default:
      return;
  }
  if (!image) return;
  const int lift = item.mKind == kItemSpecialCup ? 0 : item.mDepth;
  g.DrawImage(image, -image->GetWidth() / 2, lift - image->GetHeight());
}

}  // namespace

void IceCream::Draw(Graphics& g) const { DrawItem(*this, g, false); }

void IceCream::DrawSelected(Graphics& g) const { DrawItem(*this, g, true); }

namespace {

struct Spark {
  float x;
  float y;
  float dx;
  float dy;
  int drawnX;
  int drawnY;
  int alpha;
  int fade;
};

constexpr int kSparkCount = 32;
Spark gSparks[kSparkCount];
bool gSparksReady = false;

void InitSpark(Spark& s) {
  s.x = s.y = 0;
  s.drawnX = s.drawnY = 0;
  s.dx = static_cast<float>(Rand() % 200) - 100.0f;
  s.dy = static_cast<float>(Rand() % 200) - 100.0f;
  NormalizeVector(s.dx, s.dy);
  s.alpha = 255;
  s.fade = Rand() % 16 + 8;
}

void EnsureSparks() {
  if (!gSparksReady) InitSparks();
}

}  // namespace

void InitSparks() {
  for (Spark& s : gSparks) InitSpark(s);
  gSparksReady = true;
}

void ResetSparks() { gSparksReady = false; }

void UpdateSparks() {
  EnsureSparks();
  for (Spark& s : gSparks) {
    s.x += s.dx;
    s.y += s.dy;
    s.drawnX = static_cast<int>(s.x);
    s.drawnY = static_cast<int>(s.y);
    s.alpha -= s.fade;
    if (s.alpha < 0) InitSpark(s);
  }
}

void DrawSparks(Graphics& g, int32_t x, int32_t y) {
  EnsureSparks();
  if (!IMAGE_SPARKS) return;
  g.PushState();
  g.Translate(x - 1, y + 1);
  g.SetImageTinting(true);
  g.SetDrawMode(DRAWMODE_ADDITIVE);
  for (const Spark& s : gSparks) {
    g.SetColor(Color(255, 255, 255, s.alpha));
    g.DrawImage(IMAGE_SPARKS, s.drawnX - 2, s.drawnY - 2);
  }
  g.SetDrawMode(DRAWMODE_NORMAL);
  g.SetImageTinting(false);
  g.PopState();
}

}  // namespace Plix
