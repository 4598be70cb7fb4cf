// The station buttons of the shop floor and the day's stocks they show.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "framework/graphics/Image.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/StationButtons.h"

namespace Plix {

namespace {

struct Cell {
  int state;
  int column;
  int row;
};

constexpr int kNoMask = -1;

// Image (all states unless told otherwise), cells, position and hit mask.
void SetUpButton(AlphaButton& b, Image* image, std::initializer_list<Cell> cells, int x, int y, int dilation,
                 bool allStates = true) {
  b.SetImage(image, allStates);
  for (const Cell& c : cells) b.SetStateCell(c.state, c.column, c.row);
  b.SetPosition(x, y);
  if (dilation != kNoMask) b.CreateHitMask(dilation);
}

template <class Button = AlphaButton, class... Args>
std::unique_ptr<Button> MakeButton(Args&&... args) {
  return std::make_unique<Button>(std::forward<Args>(args)...);
}

// A level read from the profile, lowered one step at a time while the day
// number is below each step's day.
int LimitLevel(int level, int day, int below3, int below2, int below1) {
  if (level == 3 && day < below3) level = 2;
  if (level == 2 && day < below2) level = 1;
  if (level == 1 && day < below1) level = 0;
  return level;
}

// Treat stations: full at `full`, emptier to the right.
void ShowTreat(AlphaButton* b, int count, int full) {
  if (!b) return;
  if (count == 0) {
    b->SetDisabled(true);
    b->SetVisible(false);
    return;
  }
  const int column = count >= full ? 0 : full - count;
  b->SetStateCell(0, column, 0);
  b->SetStateCell(1, column, 1);
}

// A treat put back: an emptied station, which its last treat hid, shows and
// works again.
void ShowReturnedTreat(AlphaButton* b, int count, int full) {
  if (!b) return;
  if (count == 1) {
    b->SetDisabled(false);
    b->SetVisible(true);
  }
  ShowTreat(b, count, full);
}

// Decoration mugs: three or more show column 0, an empty mug column 3.
void ShowMug(AlphaButton* b, int count) {
  if (!b) return;
  const int column = 3 - std::min(count, 3);
  b->SetStateCell(0, column, 0);
  b->SetStateCell(1, column, 1);
}

// The last non-empty of three stocks, -1 when all are empty.
int LastFilled(const int (&stocks)[3]) {
  for (int k = 2; k >= 0; --k)
    if (stocks[k] > 0) return k;
  return -1;
}

}  // namespace

// ------------------------------------------------------------ the buttons

void Board::CreateStationButtons() {
  PlayerProfile& profile = Profile();
  const int d = mDay + 1;
  mJugglingLevel = LimitLevel(profile.GetJugglingLevel(), d, 36, 23, 9);
  mOrganLevel = LimitLevel(profile.GetMelodyLevel(), d, 44, 30, 16);
  const int machineLevel = profile.GetIceCreamMachineLevel();
  mMachineLevel = LimitLevel(machineLevel, d, 24, 4, -1);

  if (mJugglingLevel > 0) {
    Image* balls = mJugglingLevel == 1 ? IMAGE_TWO_BALLS : mJugglingLevel == 2 ? IMAGE_THREE_BALLS : IMAGE_FOUR_BALLS;
    mJugglingButton = MakeButton(40);
    SetUpButton(*mJugglingButton, balls, {{0, 0, 0}, {1, 1, 0}}, 0, 0, 8);
    mJugglingButton->SetStateImage(3, nullptr);
    const int markerHeight = IMAGE_ACTION_MARKER ? IMAGE_ACTION_MARKER->GetCellHeight() : 0;
    mJugglingButton->SetBadgeOffset(mJugglingButton->GetHeight() - markerHeight / 2);
  }
  if (mOrganLevel > 0) {
    Image* organ = mOrganLevel == 1 ? IMAGE_ORGAN_1 : mOrganLevel == 2 ? IMAGE_ORGAN_2 : IMAGE_ORGAN_3;
    mOrganButton = MakeButton(41);
    SetUpButton(*mOrganButton, organ, {{0, 0, 0}, {1, 2, 0}}, 0, 0, 0);
    mOrganButton->AddHitRect(17, 22, 33, 41);
  }

  struct Holder {
    std::unique_ptr<AlphaButton>& button;
    int id;
    Image* image;
    int x, y;
  } holders[] = {{mConeMachineButton, 4, IMAGE_HOLDER_MACHINE_CONE, 93, 344},
                 {mCupMachineButton, 5, IMAGE_HOLDER_MACHINE_CUP, 130, 337},
                 {mPlateMachineButton, 6, IMAGE_HOLDER_MACHINE_PLATE, 50, 355}};
  for (Holder& h : holders) {
    h.button = MakeButton(h.id);
    SetUpButton(*h.button, h.image, {{0, 0, 0}, {1, 1, 0}, {3, 2, 0}}, h.x, h.y, 0);
    h.button->SetBadgeOffset(-20);
  }

  mDishButton = MakeButton(1);
  const int dishW = IMAGE_DISH ? IMAGE_DISH->GetWidth() : 0, dishH = IMAGE_DISH ? IMAGE_DISH->GetHeight() : 0;
  SetUpButton(*mDishButton, IMAGE_DISH, {}, 613 - dishW / 2, 416 - dishH / 2, 0);
  mDishButton->SetBadgeOffset(16);
  mDishButton->HideBadge();

  mMachineButton = MakeButton(3);
  if (mMachineLevel == 1) {
    SetUpButton(*mMachineButton, IMAGE_ICECREAM_MACHINE_1, {{0, 0, 0}, {1, 1, 0}, {3, 0, 0}}, 656, 375, 0);
    mMachineButton->AddHitRect(41, 58, 28, 21);
    mMachineButton->AddHitRect(70, 71, 24, 16);
    mMachineHandleImage = IMAGE_ICECREAM_MACHINE_1_HANDLE;
    mMachineBoxImage = IMAGE_ICECREAM_MACHINE_1_BOX;
    mMachineLampImage = IMAGE_ICECREAM_MACHINE_1_LAMP;
    mMachinePartPoints[0][0] = 682, mMachinePartPoints[0][1] = 431;
    mMachinePartPoints[1][0] = 746, mMachinePartPoints[1][1] = 366;
  } else if (mMachineLevel == 2) {
    SetUpButton(*mMachineButton, IMAGE_ICECREAM_MACHINE_2, {{0, 0, 0}, {1, 1, 0}, {3, 0, 0}}, 656, 354, 0);
    mMachineButton->AddHitRect(30, 74, 58, 15);
    mMachineHandleImage = IMAGE_ICECREAM_MACHINE_2_HANDLE;
    mMachineBoxImage = IMAGE_ICECREAM_MACHINE_2_BOX;
    mMachineLampImage = IMAGE_ICECREAM_MACHINE_2_LAMP;
    mMachinePartPoints[0][0] = 679, mMachinePartPoints[0][1] = 411;
    mMachinePartPoints[1][0] = 732, mMachinePartPoints[1][1] = 348;
  } else {
    SetUpButton(*mMachineButton, IMAGE_ICECREAM_MACHINE_3, {{0, 0, 0}, {1, 1, 0}, {3, 0, 0}}, 655, 328, 0);
    mMachineButton->AddHitRect(37, 101, 58, 17);
    mMachineHandleImage = IMAGE_ICECREAM_MACHINE_3_HANDLE;
    mMachineBoxImage = IMAGE_ICECREAM_MACHINE_3_BOX;
    mMachineLampImage = IMAGE_ICECREAM_MACHINE_3_LAMP;
    mMachinePartPoints[0][0] = 685, mMachinePartPoints[0][1] = 414;
    mMachinePartPoints[1][0] = 672, mMachinePartPoints[1][1] = 344;
  }
  mMachineButton->HideBadge();

  const int boxPositions[6][2] = {{203, 526}, {262, 526}, {322, 526}, {203, 563}, {262, 563}, {322, 563}};
  for (int i = 0; i < 6; ++i) {
    mIceCreamBoxButtons[i] = MakeButton<ICBoxButton>(7 + i);
    ICBoxButton& b = *mIceCreamBoxButtons[i];
    SetUpButton(b, IMAGE_ICECREAM_VANILLA, {}, boxPositions[i][0], boxPositions[i][1], 0);
    b.SetStateImage(3, nullptr);
    b.SetBox(&mIceCreamBoxes[i]);
    b.SetGirl(mGirl.get());
    b.SetScoopCell(i);
  }

  mTrashcanButton = MakeButton(13);
  SetUpButton(*mTrashcanButton, IMAGE_TRASHCAN, {{0, 0, 0}, {1, 1, 0}}, 26, 479, 0);
  mTrashStationButton = MakeButton<TrashStationButton>();
  SetUpButton(*mTrashStationButton, IMAGE_TRASH_STATION, {{0, 0, 0}, {1, 1, 0}}, 0, 0, 0);
  mTrashStationButton->AddHitRect(14, 19, 82, 54);
  mTrashStationButton->AddHitRect(64, 8, 36, 11);
  mFastForwardButton = MakeButton(0);
  SetUpButton(*mFastForwardButton, IMAGE_FAST_FORWARD, {{0, 0, 0}, {1, 1, 0}}, 0, 454, kNoMask);

  const struct {
    Cell cells[3];
    int x, y;
  } freezers[4] = {{{{0, 0, 0}, {1, 1, 0}, {3, 4, 0}}, 106, 456},
                   {{{0, 0, 1}, {1, 1, 1}, {3, 4, 1}}, 110, 483},
                   {{{0, 2, 0}, {1, 3, 0}, {3, 5, 0}}, 142, 447},
                   {{{0, 2, 1}, {1, 3, 1}, {3, 5, 1}}, 146, 475}};
  for (int i = 0; i < 4; ++i) {
    mFreezerButtons[i] = MakeButton(15 + i);
    AlphaButton& b = *mFreezerButtons[i];
    b.SetImage(IMAGE_FREEZER_CLOSED, false);
    for (int state = 1; state <= 3; ++state) b.SetFreezerClosedImage(state);
    for (const Cell& c : freezers[i].cells) b.SetStateCell(c.state, c.column, c.row);
    b.SetPosition(freezers[i].x, freezers[i].y);
    b.CreateHitMask(0);
  }

  const struct {
    Image* image;
    int x, y;
  } flavors[5] = {{IMAGE_STRAWBERRY_FLV, 560, 522},
                  {IMAGE_CHOCOLATE_FLV, 541, 558},
                  {IMAGE_PEAR_FLV, 603, 561},
                  {IMAGE_BLUEBERRY_FLV, 625, 532},
                  {IMAGE_PINEAPPLE_FLV, 676, 551}};
  for (int i = 0; i < 5; ++i) {
    mFlavorButtons[i] = MakeButton(19 + i);
    SetUpButton(*mFlavorButtons[i], flavors[i].image, {{0, 0, 0}, {1, 1, 0}}, flavors[i].x, flavors[i].y, 0);
  }
  mCherriesButton = MakeButton(24);
  SetUpButton(*mCherriesButton, IMAGE_CHERRY_JAR, {{0, 0, 0}, {1, 1, 0}}, 374, 500, 0);
  mChocolateSauceButton = MakeButton(26);
  SetUpButton(*mChocolateSauceButton, IMAGE_CHOCOLATE_SAUCE_TUBE, {{0, 0, 0}, {1, 1, 0}}, 412, 507, 0);
  mSprinklesButton = MakeButton(25);
  SetUpButton(*mSprinklesButton, IMAGE_SPRINKLES_JAR, {{0, 0, 0}, {1, 1, 0}}, 379, 553, 0);

  const struct {
    std::unique_ptr<AlphaButton>& button;
    int id;
    Image* image;
    int x, y;
  } mugs[] = {{mUmbrellaButton, 27, IMAGE_UMBRELLA_MUG, 500, 490},
              {mCocktailStickButton, 28, IMAGE_COCKTAIL_MUG, 456, 484},
              {mStrawButton, 29, IMAGE_STRAW_MUG, 456, 532},
              {mSparklerButton, 30, IMAGE_SPARKLER_MUG, 501, 536}};
  for (const auto& m : mugs) {
    m.button = MakeButton(m.id);
    SetUpButton(*m.button, m.image, {{0, 1, 0}, {1, 1, 1}, {3, 3, 0}}, m.x, m.y, 6);
  }

  mBananaButton = MakeButton(31);
  SetUpButton(*mBananaButton, IMAGE_BANANAS, {{0, 0, 0}, {1, 0, 1}}, 92, 544, 0);
  mBananaButton->SetStateImage(3, nullptr);
  mAppleButton = MakeButton(32);
  SetUpButton(*mAppleButton, IMAGE_APPLES, {{0, 0, 1}, {1, 0, 0}}, 128, 530, 0);
  mAppleButton->SetStateImage(3, nullptr);
  mPearButton = MakeButton(33);
  SetUpButton(*mPearButton, IMAGE_PEARS, {{0, 0, 0}, {1, 0, 1}}, 151, 555, 0);
  mPearButton->SetStateImage(3, nullptr);
  mSuperBananaButton = MakeButton(34);
  SetUpButton(*mSuperBananaButton, IMAGE_SUPER_BANANA, {{0, 0, 0}, {1, 1, 0}}, 55, 541, 0);

  mNapkinsButton = MakeButton(35);
  SetUpButton(*mNapkinsButton, IMAGE_NAPKINS, {{0, 0, 0}, {1, 1, 0}}, 0, 0, 0);
  mCookiesButton = MakeButton<CookiesButton>();
  SetUpButton(*mCookiesButton, IMAGE_COOKIES, {{0, 4, 0}, {1, 4, 1}}, 0, 0, kNoMask);
  mCookiesButton->SetStateImage(3, IMAGE_COOKIES_EMPTY);
  mCookiesButton->CreateHitMask(0);
  mCookiesButton->SetBox(this);
  Image* bottles[3] = {IMAGE_BOTTLE_0, IMAGE_BOTTLE_1, IMAGE_BOTTLE_2};
  for (int i = 0; i < 3; ++i) {
    mLemonadeButtons[i] = MakeButton<LemonadeButton>(37 + i);
    SetUpButton(*mLemonadeButtons[i], bottles[i], {{0, 0, 0}, {1, 0, 1}}, 0, 0, kNoMask);
    mLemonadeButtons[i]->SetBox(this);
  }

  mMenuButton = MakeButton(42);
  mMenuButton->SetImage(IMAGE_GAME_INTERFACE_MENU, true);
  mMenuButton->SetStateImage(1, IMAGE_GAME_INTERFACE_MENU_OVER);
  mMenuButton->SetPosition(-4, -7);
  mMenuButton->SetHoverOffset();
  mMenuButton->CreateHitMask(0);

  ObjectList& high = mButtonLists[2];
  if (mOrganButton) high.PushBack(mOrganButton.get());
  if (mJugglingButton) high.PushBack(mJugglingButton.get());
  high.PushBack(mTrashStationButton.get());
  high.PushBack(mMenuButton.get());
  for (AlphaButton* b : {mTrashcanButton.get(), mFastForwardButton.get(), mFreezerButtons[3].get(),
                         mFreezerButtons[1].get(), mFreezerButtons[2].get(), mFreezerButtons[0].get(),
                         mCupMachineButton.get(), mConeMachineButton.get(), mPlateMachineButton.get(),
                         mDishButton.get(), mMachineButton.get()})
    mButtonLists[0].PushBack(b);
  for (auto& b : mIceCreamBoxButtons) mButtonLists[1].PushBack(b.get());
  for (int i : {0, 1, 3, 2, 4}) mButtonLists[1].PushBack(mFlavorButtons[i].get());
  for (AlphaButton* b : {mUmbrellaButton.get(), mCocktailStickButton.get(), mStrawButton.get(),
                         mSparklerButton.get(), mAppleButton.get(), mBananaButton.get(), mPearButton.get(),
                         mSuperBananaButton.get(), mCherriesButton.get(), mChocolateSauceButton.get(),
                         mSprinklesButton.get()})
    mButtonLists[1].PushBack(b);
  high.PushBack(mNapkinsButton.get());
  high.PushBack(mCookiesButton.get());
  for (auto& b : mLemonadeButtons) high.PushBack(b.get());
  mHoverButton = nullptr;
}

void Board::DestroyStationButtons() {
  mHoverButton = nullptr;
  for (ObjectList& list : mButtonLists) list.Clear();
  for (auto& b : mIceCreamBoxButtons) b.reset();
  for (auto& b : mFreezerButtons) b.reset();
  for (auto& b : mFlavorButtons) b.reset();
  for (auto& b : mLemonadeButtons) b.reset();
  for (auto* b : {&mTrashcanButton, &mDishButton, &mMachineButton, &mFastForwardButton, &mConeMachineButton,
                  &mCupMachineButton, &mPlateMachineButton, &mCherriesButton, &mSprinklesButton,
                  &mChocolateSauceButton, &mUmbrellaButton, &mCocktailStickButton, &mStrawButton, &mSparklerButton,
                  &mBananaButton, &mAppleButton, &mPearButton, &mSuperBananaButton, &mNapkinsButton,
                  &mJugglingButton, &mOrganButton, &mMenuButton})
    b->reset();
  mTrashStationButton.reset();
  mCookiesButton.reset();
}

// ------------------------------------------------------------- the stocks

void Board::TakeBanana() {
  if (mBananas > 0) --mBananas;
  ShowTreat(mBananaButton.get(), mBananas, 5);
}

void Board::TakeApple() {
  if (mApples > 0) --mApples;
  ShowTreat(mAppleButton.get(), mApples, 3);
}

void Board::TakePear() {
  if (mPears > 0) --mPears;
  ShowTreat(mPearButton.get(), mPears, 3);
}

void Board::ReturnApple() {
  ++mApples;
  ShowReturnedTreat(mAppleButton.get(), mApples, 3);
}

void Board::ReturnPear() {
  ++mPears;
  ShowReturnedTreat(mPearButton.get(), mPears, 3);
}

void Board::TakeSuperBanana() {
  if (mSuperBananas <= 0) return;
  --mSuperBananas;
  if (mSuperBananaButton) {
    mSuperBananaButton->SetStateCell(0, 2, 0);
    mSuperBananaButton->SetStateCell(1, 3, 0);
  }
}

void Board::ReturnSuperBanana() {
  ++mSuperBananas;
  if (mSuperBananaButton) {
    mSuperBananaButton->SetStateCell(0, 0, 0);
    mSuperBananaButton->SetStateCell(1, 1, 0);
  }
}

int Board::GetCookieCount() const { return mCookies[0] + mCookies[1] + mCookies[2]; }

int Board::GetLemonadeCount() const { return mLemonades[0] + mLemonades[1] + mLemonades[2]; }

int Board::TakeCookie() {
  const int k = LastFilled(mCookies);
  int product = 0;
  if (k >= 0) {
    --mCookies[k];
    product = 7 + k;
  }
  ShowCookies();
  return product;
}

int Board::TakeLemonade() {
  const int k = LastFilled(mLemonades);
  int product = 0;
  if (k >= 0) {
    --mLemonades[k];
    product = 4 + k;
  }
  ShowLemonade();
  return product;
}

void Board::ShowCookies() {
  AlphaButton* b = mCookiesButton.get();
  if (!b) return;
  const int k = LastFilled(mCookies);
  if (k < 0) {
    b->SetDisabled(true);
    b->SetVisible(false);
    return;
  }
  const int column = (mCookies[k] - 1) % 5;
  b->SetStateCell(0, column, 2 * k);
  b->SetStateCell(1, column, 2 * k + 1);
  b->SetDisabled(false);
  b->SetVisible(true);
}

void Board::ShowLemonade() {
  for (auto& b : mLemonadeButtons) {
    if (!b) continue;
    b->SetVisible(false);
    b->SetDisabled(true);
  }
  const int k = LastFilled(mLemonades);
  if (k < 0 || !mLemonadeButtons[k]) return;
  AlphaButton& b = *mLemonadeButtons[k];
  const int column = 4 - (mLemonades[k] - 1) % 5;
  b.SetVisible(true);
  b.SetDisabled(false);
  b.SetStateCell(0, column, 0);
  b.SetStateCell(1, column, 1);
}

void Board::ShowTreats() {
  ShowTreat(mBananaButton.get(), mBananas, 5);
  ShowTreat(mAppleButton.get(), mApples, 3);
  ShowTreat(mPearButton.get(), mPears, 3);
}

void Board::ShowMugs() {
  const std::pair<AlphaButton*, int> mugs[4] = {{mUmbrellaButton.get(), mUmbrellas},
                                                {mCocktailStickButton.get(), mCocktailSticks},
                                                {mStrawButton.get(), mStraws},
                                                {mSparklerButton.get(), mSparklers}};
  for (const auto& [button, stock] : mugs) {
    if (!button) continue;
    if (stock == 0) {
      button->SetDisabled(true);
      button->SetVisible(false);
    } else {
      ShowMug(button, stock);
    }
  }
}

void Board::TakeUmbrella() {
  if (mUmbrellas > 0) --mUmbrellas;
  ShowMug(mUmbrellaButton.get(), mUmbrellas);
}

void Board::TakeCocktailStick() {
  if (mCocktailSticks > 0) --mCocktailSticks;
  ShowMug(mCocktailStickButton.get(), mCocktailSticks);
}

void Board::TakeStraw() {
  if (mStraws > 0) --mStraws;
  ShowMug(mStrawButton.get(), mStraws);
}

void Board::TakeSparkler() {
  if (mSparklers > 0) --mSparklers;
  ShowMug(mSparklerButton.get(), mSparklers);
}

void Board::ReturnUmbrella() {
  ++mUmbrellas;
  ShowMug(mUmbrellaButton.get(), mUmbrellas);
}

void Board::ReturnCocktailStick() {
  ++mCocktailSticks;
  ShowMug(mCocktailStickButton.get(), mCocktailSticks);
}

void Board::ReturnStraw() {
  ++mStraws;
  ShowMug(mStrawButton.get(), mStraws);
}

void Board::ReturnSparkler() {
  ++mSparklers;
  ShowMug(mSparklerButton.get(), mSparklers);
}

void Board::UpdateIceCreamBoxButton(int index) {
  if (index < 0 || index >= 6 || !mIceCreamBoxButtons[index]) return;
  AlphaButton& b = *mIceCreamBoxButtons[index];
  const IceCreamBox& box = mIceCreamBoxes[index];
  const int portionsFull = GetIceCreamBatchSize();
  const int fill = portionsFull > 0 ? static_cast<int>(std::ceil(5.0 / portionsFull * box.mPortions)) : 0;
  Image* image = nullptr;
  switch (box.mFlavor) {
    case 0:
      b.SetStateImage(0, nullptr);
      b.SetStateImage(1, nullptr);
      return;
    case 13: image = IMAGE_ICECREAM_VANILLA; break;
    case 14: image = IMAGE_ICECREAM_STRAWBERRY; break;
    case 15: image = IMAGE_ICECREAM_CHOCOLATE; break;
    case 16: image = IMAGE_ICECREAM_PEAR; break;
    case 17: image = IMAGE_ICECREAM_BLUEBERRY; break;
    case 18: image = IMAGE_ICECREAM_PINEAPPLE; break;
    default: break;
  }
  if (image) {
    b.SetImage(image, false);
    b.SetStateImage(1, image);
  }
  int column = 0;
  if (fill <= 0) {
    b.SetImage(IMAGE_ICECREAM_BOX, false);
    b.SetStateImage(1, IMAGE_ICECREAM_BOX);
  } else {
    column = 5 - fill;
  }
  b.SetStateCell(0, column, 0);
  b.SetStateCell(1, column, 0);
}

void Board::RefreshIceCreamBox(IceCreamBox* box) {
  for (int i = 0; i < 6; ++i)
    if (&mIceCreamBoxes[i] == box) UpdateIceCreamBoxButton(i);
}

int Board::FillTrashStation() { return mTrashStationButton ? mTrashStationButton->AddLoad() : 0; }

ArrivalOrder* Board::GetCurrentArrivalOrder() { return mArrivalSchedule ? mArrivalSchedule->GetCurrent() : nullptr; }

void Board::MarkNapkinHintSeen() { Profile().SetFlag(17, true); }

}  // namespace Plix
