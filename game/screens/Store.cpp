#include "game/screens/Store.h"

#include "framework/graphics/Graphics.h"
#include "framework/platform/CRand.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"

namespace Plix {

namespace {

int gMarks[Store::kMarkCount] = {};

const wchar_t* const kIt = L"\n\nWould you like to buy it?";
const wchar_t* const kThem = L"\n\nWould you like to buy them?";

// A good as it is sold on one day: the mark that offers it, its price and
// talk, and the stock panel's cel (-1: none).
struct Ware {
  int mark;
  int price;
  const wchar_t* info;
  const wchar_t* question;
  int cel;
};

Ware GoodOf(int id, int day) {
  switch (id) {
    case Store::kBlueberryLemonade:
      return {Store::kLemonade1, 5,
              L"Blueberry lemonade will surely make your customers happier! This bottle costs $%d!", kIt, 5};
    case Store::kKiwiLemonade:
      return {Store::kLemonade2, 10, L"Your customers will love kiwi lemonade! One bottle is $%d!", kIt, 15};
    case Store::kTropicalLemonade:
      return {Store::kLemonade3, 15,
              L"No customer, I tell you, can resist the tropical flavor of this exclusive lemonade! It's yours for "
              L"only $%d!",
              kIt, 14};
    case Store::kCookies:
      return {Store::kCookies1, 5,
              L"Many customers like a crunchy cookie while waiting for ice cream! Have a box of five for $%d!", kIt,
              13};
    case Store::kChocolateCookies:
      return {Store::kCookies2, 10,
              L"These cookies have delicious chocolate pieces on them! One box of five is $%d!", kIt, 12};
    case Store::kPretzels:
      return {Store::kCookies3, 15,
              L"You bet these aren't ordinary pretzels! No one can resist them! One box of five will cost you $%d!",
              kIt, 11};
    case Store::kBoxesGood:
      if (day >= 38)
        return {Store::kBoxes, 100, L"Upgrade your ice cream boxes to these super large ones! The price is $%d!",
                kThem, 0};
      return {Store::kBoxes, 60, L"Upgrade all your ice cream boxes to these larger ones! The price is $%d!", kThem,
              0};
    case Store::kTableCloth:
      if (day >= 25)
        return {Store::kCloth2, 20,
                L"Customers will explode with joy if they get to sit at a table with a cloth like this! The cost is "
                L"just $%d!",
                kIt, 9};
      return {day >= 5 ? Store::kCloth1 : -1, 10,
              L"Replace one of your old table cloths with a nicer one! It'll cost you $%d!", kIt, day >= 5 ? 17 : -1};
    case Store::kUmbrellasGood:
      return {Store::kUmbrellas, 12,
              L"Decorate your ice creams with these tiny umbrellas! You get three of them for $%d!", kThem, 1};
    case Store::kCocktailSticksGood:
      return {Store::kCocktailSticks, 9,
              L"Cocktail sticks make good souvenirs, so why don't you put them in your ice creams? Get three for "
              L"$%d!",
              kThem, 4};
    case Store::kStrawsGood:
      return {Store::kStraws, 6,
              L"Straws are an excellent and useful ice cream decoration! Buy three for no more than $%d!", kThem, 2};
    case Store::kSparklersGood:
      return {Store::kSparklers, 15,
              L"Kids love sparklers even more than ice cream, trust me! Have three for just $%d!", kThem, 3};
    case Store::kFlower:
      if (day >= 32)
        return {Store::kFlower3, 15,
                L"I'm not sure I really want to sell an exclusive flower like this! But it's yours for $%d!", kIt, 7};
      if (day >= 13)
        return {Store::kFlower2, 10,
                L"How about this nice flower? It will make your customers happy, I say! The price is $%d!", kIt, 8};
      return {day >= 4 ? Store::kFlower1 : -1, 5, L"A table will look better with a flower! This one is $%d!", kIt,
              day >= 4 ? 6 : -1};
    case Store::kSunshade:
      return {Store::kSunshade1, 20,
              L"A sunshade on a table will prevent customers' ice creams from melting! One will cost you $%d!", kIt,
              10};
    case Store::kCoolerSunshade:
      return {Store::kSunshade2, 40,
              L"This sunshade will keep your customers' ice creams really cool! It'll cost you $%d!", kIt, 18};
    case Store::kFasterMachine:
      return {Store::kMachine2, 80, L"This ice cream machine is a lot faster than the standard machine! It's $%d!",
              kIt, 19};
    case Store::kFastestMachine:
      return {Store::kMachine3, 200, L"This ice cream machine is the fastest there is, trust me! It's yours for $%d!",
              kIt, 20};
    default:
      return {-1, 0, nullptr, nullptr, -1};
  }
}

// Whole bottles or boxes, a part counting as one.
int Portions(int servings) { return (servings + 4) / 5; }

// The stock panel's count for a good.
int OwnedCount(int id, int day, const PlayerProfile& p) {
  switch (id) {
    case Store::kBlueberryLemonade: return Portions(p.GetLemonade(0));
    case Store::kKiwiLemonade: return Portions(p.GetLemonade(1));
    case Store::kTropicalLemonade: return Portions(p.GetLemonade(2));
    case Store::kCookies: return Portions(p.GetCookieBox(0));
    case Store::kChocolateCookies: return Portions(p.GetCookieBox(1));
    case Store::kPretzels: return Portions(p.GetCookieBox(2));
    case Store::kBoxesGood: return 0;
    case Store::kTableCloth: return p.GetTableCloth(day >= 25 ? 1 : 0);
    case Store::kUmbrellasGood: return p.GetUmbrellaStock();
    case Store::kCocktailSticksGood: return p.GetCocktailStickStock();
    case Store::kStrawsGood: return p.GetStrawStock();
    case Store::kSparklersGood: return p.GetSparklerStock();
    case Store::kFlower: return p.GetFlower(day >= 32 ? 2 : day >= 13 ? 1 : 0);
    case Store::kSunshade: return p.GetSunshade(0);
    case Store::kCoolerSunshade: return p.GetSunshade(1);
    case Store::kFasterMachine: return p.GetIceCreamMachineLevel() == 2 ? 1 : 0;
    case Store::kFastestMachine: return p.GetIceCreamMachineLevel() == 3 ? 1 : 0;
    default: return 0;
  }
}

std::wstring WithPrice(const wchar_t* text, int price) {
  std::wstring s = text ? text : L"";
  const size_t at = s.find(L"%d");
  if (at != std::wstring::npos) s.replace(at, 2, std::to_wstring(price));
  return s;
}

// The shelf: a button for each mark that is set, in this order (later
// buttons are drawn over earlier ones and win the mouse).
struct Shelf {
  int id;
  int mark;
  Image* const* image;
  int column;
  int x, y;
  int growth;
};
const Shelf kShelf[] = {
    {Store::kBoxesGood, Store::kBoxes, &IMAGE_STORE_BOXES, 0, 532, 264, 0},
    {Store::kFlower, Store::kFlower3, &IMAGE_STORE_FLOWER_3, 0, 656, 226, 0},
    {Store::kFlower, Store::kFlower2, &IMAGE_STORE_FLOWER_2, 0, 674, 246, 0},
    {Store::kFlower, Store::kFlower1, &IMAGE_STORE_FLOWER_1, 0, 696, 266, 0},
    {Store::kTableCloth, Store::kCloth2, &IMAGE_STORE_CLOTHS, 4, 584, 357, 0},
    {Store::kTableCloth, Store::kCloth1, &IMAGE_STORE_CLOTHS, 2, 584, 357, 0},
    {Store::kCoolerSunshade, Store::kSunshade2, &IMAGE_STORE_SUNSHADE_2, 0, 645, 378, 0},
    {Store::kSunshade, Store::kSunshade1, &IMAGE_STORE_SUNSHADE_1, 0, 698, 364, 0},
    {Store::kPretzels, Store::kCookies3, &IMAGE_STORE_COOKIES, 4, 365, 450, 0},
    {Store::kCookies, Store::kCookies1, &IMAGE_STORE_COOKIES, 0, 218, 461, 0},
    {Store::kChocolateCookies, Store::kCookies2, &IMAGE_STORE_COOKIES, 2, 292, 476, 0},
    {Store::kKiwiLemonade, Store::kLemonade2, &IMAGE_STORE_BOTTLE_2, 0, 515, 403, 0},
    {Store::kBlueberryLemonade, Store::kLemonade1, &IMAGE_STORE_BOTTLE_1, 0, 466, 425, 0},
    {Store::kTropicalLemonade, Store::kLemonade3, &IMAGE_STORE_BOTTLE_3, 0, 557, 414, 0},
    {Store::kUmbrellasGood, Store::kUmbrellas, &IMAGE_STORE_CUPS, 6, 65, 274, 8},
    {Store::kCocktailSticksGood, Store::kCocktailSticks, &IMAGE_STORE_CUPS, 2, 164, 295, 8},
    {Store::kStrawsGood, Store::kStraws, &IMAGE_STORE_CUPS, 0, 13, 313, 8},
    {Store::kSparklersGood, Store::kSparklers, &IMAGE_STORE_CUPS, 4, 108, 338, 8},
    {Store::kFastestMachine, Store::kMachine3, &IMAGE_STORE_ICM_2, 0, 152, 122, 0},
    {Store::kFasterMachine, Store::kMachine2, &IMAGE_STORE_ICM_1, 0, 126, 140, 0},
};

}  // namespace

void Store::UpdateNewItemFlags(const PlayerProfile& p) {
  const int d = p.GetStoryDays() + 1;
  int* m = gMarks;
  for (int i = 0; i < kMarkCount; ++i) m[i] = 0;
  const int batch = p.GetBatchSize();
  if (d >= 38)
    m[kBoxes] = batch < 16;
  else if (d >= 11)
    m[kBoxes] = batch < 14;
  if (d >= 32)
    m[kFlower3] = p.GetFlower(2) < 5;
  else if (d >= 13)
    m[kFlower2] = p.GetFlower(1) < 5;
  else if (d >= 4)
    m[kFlower1] = p.GetFlower(0) < 5;
  if (d >= 25)
    m[kCloth2] = p.GetTableCloth(1) < 5;
  else if (d >= 5)
    m[kCloth1] = p.GetTableCloth(0) < 5;
  m[kSunshade2] = d >= 31 && p.GetSunshade(1) < 5;
  m[kSunshade1] = d >= 8 && p.GetSunshade(0) < 5;
  m[kCookies3] = d >= 27;
  m[kCookies2] = d >= 14;
  m[kCookies1] = d >= 4;
  m[kLemonade3] = d >= 41;
  m[kLemonade2] = d >= 21;
  m[kLemonade1] = d >= 10;
  m[kStraws] = d >= 4 && p.GetStrawStock() == 0;
  m[kCocktailSticks] = d >= 9 && p.GetCocktailStickStock() == 0;
  m[kUmbrellas] = d >= 17 && p.GetUmbrellaStock() == 0;
  m[kSparklers] = d >= 35 && p.GetSparklerStock() == 0;
  const int machine = p.GetIceCreamMachineLevel();
  if (d >= 24)
    m[kMachine3] = machine < 3;
  else if (d >= 4)
    m[kMachine2] = machine == 1;
}

int Store::GetNewItemFlag(int mark) { return mark >= 0 && mark < kMarkCount ? gMarks[mark] : 0; }

int Store::MarkOf(int id, int day) { return GoodOf(id, day).mark; }

Store::Store(GameApp& app) : ShopScreen(app, "Store") {
  for (auto [cel, time] : {std::pair{0, 10}, {1, 10}, {2, 10}, {1, 10}}) mGesture.AddFrame(cel, time);
  for (auto [cel, time] : {std::pair{0, 10}, {3, 10}, {4, 200}, {5, 10}}) mSold.AddFrame(cel, time);
  for (auto [cel, time] : {std::pair{0, 10}, {6, 20}, {7, 20}, {6, 20}, {0, 10}, {7, 20}, {6, 20}})
    mTalk.AddFrame(cel, time);
  mTalk.SetLooping();
  for (Animation* a : {&mGesture, &mSold, &mTalk}) {
    a->SetImage(IMAGE_STORE_SALESPERSON);
    a->Reset();
  }
}

void Store::CreateButtons() {
  AlphaButton* exit = AddButton(kExit, IMAGE_STORE_EXIT, IMAGE_STORE_EXIT_OVER, 3, 472);
  exit->CreateHitMask(0);
  for (const Shelf& s : kShelf)
    if (gMarks[s.mark] != 0) AddItemButton(s.id, *s.image, s.column, s.x, s.y, s.growth);
  Welcome(L"Welcome to my store!\n\nPoint at any item you'd like to know more about!", L"Sure", InfoBalloon::kNormal,
          3, 357, 251);
}

void Store::LeaveToMap() { mApp.StoreToMap(); }

void Store::PlaceItemBalloon(InfoBalloon* balloon) { balloon->Place(3, 357, 271); }

bool Store::GetOffer(int id, Offer& offer) {
  const Ware good = GoodOf(id, Day());
  if (!good.info) return false;
  offer.price = good.price;
  offer.info = WithPrice(good.info, good.price);
  offer.question = good.question;
  return true;
}

bool Store::GetPanel(int id, int& cel, int& count) {
  const int day = Day();
  const Ware good = GoodOf(id, day);
  if (!good.info) return false;
  cel = good.cel;
  count = OwnedCount(id, day, Player());
  return true;
}

int Store::ApplyPurchase(int id, AlphaButton* clicked) {
  PlayerProfile& p = Player();
  const int day = Day();
  int count = 0;
  switch (id) {
    case kBlueberryLemonade:
    case kKiwiLemonade:
    case kTropicalLemonade: {
      const int i = id - kBlueberryLemonade;
      p.SetLemonade(i, p.GetLemonade(i) + 5);
      count = Portions(p.GetLemonade(i));
      break;
    }
    case kCookies:
    case kChocolateCookies:
    case kPretzels: {
      const int i = id - kCookies;
      p.SetCookieBox(i, p.GetCookieBox(i) + 5);
      count = Portions(p.GetCookieBox(i));
      break;
    }
    case kBoxesGood:
      p.SetBatchSize(day >= 38 ? 16 : 14);
      count = 1;
      break;
    case kTableCloth:
      if (day >= 5) {
        const int i = day >= 25 ? 1 : 0;
        p.SetTableCloth(i, p.GetTableCloth(i) + 1);
        count = p.GetTableCloth(i);
      }
      break;
    case kUmbrellasGood: p.SetUmbrellaStock(count = 3); break;
    case kCocktailSticksGood: p.SetCocktailStickStock(count = 3); break;
    case kStrawsGood: p.SetStrawStock(count = 3); break;
    case kSparklersGood: p.SetSparklerStock(count = 3); break;
    case kFlower:
      if (day >= 4) {
        const int i = day >= 32 ? 2 : day >= 13 ? 1 : 0;
        p.SetFlower(i, p.GetFlower(i) + 1);
        count = p.GetFlower(i);
      }
      break;
    case kSunshade:
    case kCoolerSunshade: {
      const int i = id - kSunshade;
      p.SetSunshade(i, p.GetSunshade(i) + 1);
      count = p.GetSunshade(i);
      break;
    }
    case kFasterMachine:
      p.SetIceCreamMachineLevel(2);
      count = 1;
      break;
    case kFastestMachine:
      p.SetIceCreamMachineLevel(3);
      count = 1;
      break;
    default: break;
  }
  const int mark = MarkOf(id, day);
  if (id == kBoxesGood) {
    gMarks[kBoxes] = 0;
    DisableButton(clicked, true);
  } else if (mark < 0 || --gMarks[mark] <= 0) {
    DisableButton(clicked, true);
  }
  return count;
}

void Store::UpdateScene() {
  if (!mSeller && Rand() % 500 == 42) StartAnimation(&mGesture);
  StepSeller();
}

void Store::Draw(Graphics* g) {
  g->SetColor(Color(255, 255, 255));
  if (IMAGE_STORE) g->DrawImage(IMAGE_STORE, 0, 0);
  if (IMAGE_STORE_SALESPERSON)
    g->DrawImageCell(IMAGE_STORE_SALESPERSON, 396, 219, mSeller ? mSeller->GetCurrentCel() : 0);
  DrawButtons(g);
  DrawStockPanel(g, IMAGE_STORE_STOCK, 666, 53, 716, 88);
  DrawCash(g, 176, 72);
  DrawTop(g);
}

}  // namespace Plix
