#include "game/screens/Circus.h"

#include <initializer_list>
#include <utility>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"

namespace Plix {

namespace {

const wchar_t* const kIt = L"\n\nWould you like to buy it?";
const wchar_t* const kThem = L"\n\nWould you like to buy them?";
const wchar_t* const kTrained = L"\n\nWould you like Vurez to be trained?";

// Profile treat slots.
constexpr int kBananaSlot = 0;
constexpr int kAppleSlot = 1;
constexpr int kPearSlot = 2;
constexpr int kSuperBananaSlot = 3;

constexpr int kJugglingTicks = 500;
constexpr int kMelodyTicks = 650;
constexpr int kMelodyAt = 300;

void Build(Animation& a, Image* image, int row, std::initializer_list<std::pair<int, int>> frames, bool loop = false) {
  for (auto [cel, time] : frames) a.AddFrame(cel, time);
  a.SetImage(image);
  a.SetRow(row);
  if (loop) a.SetLooping();
  a.Reset();
}

int LessonPrice(int level) { return level == 0 ? 40 : level == 1 ? 70 : 100; }

std::wstring WithPrice(const wchar_t* text, int price) {
  std::wstring s = text;
  const size_t at = s.find(L"%d");
  if (at != std::wstring::npos) s.replace(at, 2, std::to_wstring(price));
  return s;
}

void DrawFrame(Graphics* g, const Animation* a, Image* idle, int x, int y) {
  Image* image = a ? a->GetImage() : idle;
  if (!image) return;
  if (a)
    g->DrawImageCellAt(image, x, y, a->GetCurrentCel(), a->GetCurrentRow());
  else
    g->DrawImageCellAt(image, x, y, 0, 0);
}

}  // namespace

Circus::Circus(GameApp& app) : ShopScreen(app, "Circus") {
  Build(mGesture, IMAGE_CIRCUS_MAN, 0, {{0, 10}, {1, 10}, {2, 10}, {1, 10}, {0, 10}});
  Build(mTalk, IMAGE_CIRCUS_MAN, 1, {{0, 20}, {1, 20}, {2, 20}, {1, 20}, {0, 10}}, true);
  Build(mSold, IMAGE_CIRCUS_MAN, 2, {{0, 10}, {1, 10}, {2, 50}, {1, 10}, {0, 10}});
  Build(mBoyShort, IMAGE_CIRCUS_MONKEY_BOY, 0, {{0, 10}, {6, 10}, {7, 10}, {6, 10}});
  Build(mBoyLong, IMAGE_CIRCUS_MONKEY_BOY, 0,
        {{0, 10}, {1, 20}, {2, 100}, {3, 100}, {2, 200}, {1, 100}, {4, 10}, {5, 10}, {4, 10}, {1, 200}});
  Build(mGirlShort, IMAGE_CIRCUS_MONKEY_GIRL, 0, {{0, 10}, {1, 10}, {2, 10}, {1, 10}});
  Build(mGirlLong, IMAGE_CIRCUS_MONKEY_GIRL, 0,
        {{0, 10}, {3, 20}, {4, 20}, {5, 10}, {6, 10}, {5, 10}, {4, 20}, {3, 20}});
  Build(mGirlBack, IMAGE_CIRCUS_MONKEY_GIRL_RIGHT, 0,
        {{0, 20}, {1, 20}, {2, 20}, {3, 20}, {4, 20}, {1, 20}, {2, 20}, {5, 20}}, true);
  Build(mGirlOut, IMAGE_CIRCUS_MONKEY_GIRL_LEFT, 0,
        {{0, 15}, {1, 15}, {2, 15}, {3, 15}, {4, 15}, {5, 15}, {6, 15}, {7, 15}}, true);
  Build(mBothMonkeys, IMAGE_CIRCUS_MONKEYS_HANDS, 0,
        {{0, 100}, {1, 10}, {2, 20}, {3, 40}, {4, 200}, {3, 20}, {2, 20}, {1, 10}});
  for (auto [x, y] : {std::pair{259, 511}, {228, 527}, {177, 532}, {122, 524}, {80, 505}, {15, 497}})
    mPath.AddPoint(static_cast<float>(x), static_cast<float>(y));
}

Circus::~Circus() { mPath.Clear(); }

Image* Circus::JugglingImage(int level, int day) {
  if (level == 0 && day >= 9) return IMAGE_CIRCUS_TWO_BALLS;
  if (level == 1 && day >= 23) return IMAGE_CIRCUS_THREE_BALLS;
  if (level == 2 && day >= 36) return IMAGE_CIRCUS_FOUR_BALLS;
  return nullptr;
}

bool Circus::MelodyOffered(int level, int day) {
  return (level == 0 && day >= 16) || (level == 1 && day >= 30) || (level == 2 && day >= 44);
}

void Circus::CreateButtons() {
  // Bananas, apples, pears and super bananas are the day's variants A to D.
  const CircusOffers& offers = gCircusOffers;
  const int day = Day();
  PlayerProfile& p = Player();
  if (offers.mJugglingFlag == 0) {
    if (Image* balls = JugglingImage(p.GetJugglingLevel(), day)) AddItemButton(kJuggling, balls, 0, 160, 542, 0);
  }
  if (offers.mMelodyFlag == 0 && MelodyOffered(p.GetMelodyLevel(), day))
    AddItemButton(kMelody, IMAGE_CIRCUS_ORGAN, 0, 222, 489, 0);
  const struct {
    int id;
    Image* image;
    int onSale;
    std::initializer_list<std::pair<int, int>> places;
  } stands[] = {
      {kApple, IMAGE_CIRCUS_APPLE, offers.mVariantB, {{587, 369}, {594, 402}, {614, 433}, {623, 462}, {640, 492}}},
      {kPear, IMAGE_CIRCUS_PEAR, offers.mVariantC, {{726, 420}, {673, 433}, {707, 443}, {739, 456}, {687, 472}}},
      {kBananas, IMAGE_CIRCUS_BANANAS, offers.mVariantA, {{516, 382}, {546, 426}, {566, 474}}},
      {kSuperBanana, IMAGE_CIRCUS_SUPER_BANANA, offers.mVariantD, {{645, 282}}},
  };
  for (const auto& stand : stands) {
    int above = static_cast<int>(stand.places.size()) - 1;
    for (auto [x, y] : stand.places) {
      if (stand.onSale > above) AddItemButton(stand.id, stand.image, 0, x, y, 0);
      --above;
    }
  }
  AddButton(kExit, IMAGE_CIRCUS_EXIT, IMAGE_CIRCUS_EXIT_OVER, -10, 499);
  Welcome(L"Welcome to the circus, Pemi!\n\nPoint at anything that catches your lovely eyes and I'll tell you about "
          L"it!",
          L"OK", InfoBalloon::kNormal, 2, 482, 355);
}

void Circus::LeaveToMap() { mApp.CircusToMap(); }

void Circus::PlaceItemBalloon(InfoBalloon* balloon) { balloon->Place(2, 482, 355); }

bool Circus::GetOffer(int id, Offer& offer) {
  PlayerProfile& p = Player();
  const wchar_t* info = nullptr;
  const wchar_t* question = kIt;
  switch (id) {
    case kJuggling: {
      const int level = p.GetJugglingLevel();
      offer.price = LessonPrice(level);
      info = level == 0   ? L"A juggling monkey'd sure make your customers happy! That'll cost you $%d!"
             : level == 1 ? L"Your monkey could probably learn to juggle with three balls! That'll be $%d!"
                          : L"Four balls?.. Your customers would explode with joy! But it'll be $%d!";
      question = kTrained;
      break;
    }
    case kMelody: {
      const int level = p.GetMelodyLevel();
      offer.price = LessonPrice(level);
      info = level == 0   ? L"Customers'd sure like to listen to some music! It will cost you $%d!"
             : level == 1 ? L"How'bout a more advanced melody for your monkey? It will cost you $%d!"
             : level == 2 ? L"I think your monkey's ready for a REALLY nice tune! The price is $%d!"
                          : L"";
      question = kTrained;
      break;
    }
    case kApple:
      offer.price = 2;
      info = L"If your monkey eats an apple, it'll work faster! One apple costs $%d!";
      break;
    case kPear:
      offer.price = 3;
      info = L"Monkeys love pears even more than apples, I'd say! One pear will cost you $%d!";
      break;
    case kBananas:
      offer.price = 5;
      info = L"A tired monkey will regain strength from a banana! Buy a bunch of three for $%d!";
      question = kThem;
      break;
    case kSuperBanana:
      offer.price = 25;
      info = L"After eating this extremely rare super banana, a monkey won't get tired for a long, long time! It "
             L"costs $%d!";
      break;
    default: return false;
  }
  offer.info = WithPrice(info, offer.price);
  offer.question = question;
  return true;
}

bool Circus::GetPanel(int id, int& cel, int& count) {
  static constexpr int kPanel[][2] = {{kApple, 2}, {kPear, 1}, {kBananas, 0}, {kSuperBanana, 3}};
  static constexpr int kSlot[] = {kAppleSlot, kPearSlot, kBananaSlot, kSuperBananaSlot};
  for (int i = 0; i < 4; ++i) {
    if (kPanel[i][0] != id) continue;
    cel = kPanel[i][1];
    count = Player().GetMonkeyTreat(kSlot[i]);
    return true;
  }
  return false;
}

int Circus::ApplyPurchase(int id, AlphaButton* clicked) {
  PlayerProfile& p = Player();
  CircusOffers& offers = gCircusOffers;
  auto sellTreat = [&](int slot, int add, int& onSale) {
    p.SetMonkeyTreat(slot, add > 0 ? p.GetMonkeyTreat(slot) + add : 1);
    --onSale;
    DisableButton(clicked, true);
    return p.GetMonkeyTreat(slot);
  };
  switch (id) {
    case kJuggling:
      p.SetJugglingLevel(p.GetJugglingLevel() + 1);
      offers.mJugglingFlag = 1;
      DisableButton(clicked, false);
      StartShow(kJugglingShow);
      break;
    case kMelody:
      p.SetMelodyLevel(p.GetMelodyLevel() + 1);
      offers.mMelodyFlag = 1;
      DisableButton(clicked, false);
      StartShow(kMelodyShow);
      break;
    case kApple: return sellTreat(kAppleSlot, 1, offers.mVariantB);
    case kPear: return sellTreat(kPearSlot, 1, offers.mVariantC);
    case kBananas: return sellTreat(kBananaSlot, 3, offers.mVariantA);
    case kSuperBanana: return sellTreat(kSuperBananaSlot, 0, offers.mVariantD);
    default: break;
  }
  return GetStockCount();
}

bool Circus::RefuseClick(int id) {
  if (mShowState == kNoShow || (id != kExit && id != kJuggling && id != kMelody)) return false;
  HideItemInfo();
  auto* wait = new InfoBalloon(-1, InfoBalloon::kSmall);
  wait->SetFastText();
  SetBalloon(wait);
  PlaceItemBalloon(wait);
  wait->AddPage(L"Hey, slow down a little!\n\nYou'd better wait until your monkey is done!");
  wait->SetYesText(L"OK");
  wait->LayoutPage();
  return true;
}

// The yard's life and the show.

void Circus::UpdateScene() {
  if (mTicks % 200 == 0 && !mSeller && Rand() % 3 == 0) StartAnimation(&mGesture);
  auto start = [](Animation*& current, Animation& next) {
    current = &next;
    next.Reset();
  };
  if (mTicks % 250 == 0 && !mBoy && !mPair) {
    if (Rand() % 2 == 0)
      start(mBoy, mBoyShort);
    else if (Rand() % 3 == 0)
      start(mBoy, mBoyLong);
  }
  if (mTicks % 300 == 0 && mShowState == kNoShow && !mGirl && !mPair) {
    if (Rand() % 2 == 0)
      start(mGirl, mGirlShort);
    else if (Rand() % 3 == 0)
      start(mGirl, mGirlLong);
  }
  StepSeller();
  for (Animation** a : {&mBoy, &mPair})
    if (*a && !(*a)->Update()) *a = nullptr;
  UpdateShow();
}

void Circus::UpdateShow() {
  if (mGirl && !mGirl->Update()) mGirl = nullptr;
  switch (mShowState) {
    case kWalkingOut:
      if (mPath.Advance(1.5f)) {
        mShowState = kPerforming;
        mGirl = nullptr;
        mShowTimer = mShowKind == kJugglingShow ? kJugglingTicks : kMelodyTicks;
      }
      break;
    case kPerforming:
      --mShowTimer;
      if (mLightAlpha < 255) {
        mLightAlpha += 16;
        if (mLightAlpha > 255) {
          mLightAlpha = 255;
          mApp.PlaySound(mShowKind == kJugglingShow ? SOUND_PRACTICE_JUGGLING_2 : SOUND_BARREL_ORGAN_4);
        }
      }
      if (mShowTimer == kMelodyAt && mShowKind == kMelodyShow) {
        const int level = Player().GetMelodyLevel();
        mApp.PlaySound(level == 1 ? SOUND_BARREL_ORGAN_1 : level == 2 ? SOUND_BARREL_ORGAN_2 : SOUND_BARREL_ORGAN_3);
      }
      if (mShowTimer <= 0) {
        mShowState = kWalkingBack;
        mPath.GoToEnd();
        mGirl = &mGirlBack;
        mGirlBack.Reset();
      }
      break;
    case kWalkingBack:
      mLightAlpha = mLightAlpha > 8 ? mLightAlpha - 8 : 0;
      if (mPath.AdvanceBackward(1.0f)) {
        mShowState = kNoShow;
        mBoy = nullptr;
        mGirl = nullptr;
        mPair = &mBothMonkeys;
        mBothMonkeys.Reset();
      }
      break;
    default: break;
  }
}

void Circus::StartShow(int kind) {
  mLightAlpha = 0;
  mGirl = &mGirlOut;
  mGirlOut.Reset();
  mPath.Start();
  mShowState = kWalkingOut;
  mPair = nullptr;
  mShowKind = kind;
}

// Drawing.

void Circus::DrawShadow(Graphics* g, int x, int y) {
  Image* shadow = IMAGE_CIRCUS_MONKEY_SHADOW;
  if (!shadow) return;
  g->SetImageTinting(true);
  g->SetColor(Color(0, 0, 0, 64));
  g->DrawImage(shadow, x - shadow->GetWidth() / 2, y - shadow->GetHeight() / 2);
  g->SetImageTinting(false);
  g->SetColor(Color(255, 255, 255));
}

void Circus::DrawMan(Graphics* g) { DrawFrame(g, mSeller, IMAGE_CIRCUS_MAN, 382, 345); }

void Circus::DrawMonkeyBoy(Graphics* g) {
  DrawShadow(g, 203, 508);
  DrawFrame(g, mBoy, IMAGE_CIRCUS_MONKEY_BOY, 169, 406);
}

void Circus::DrawMonkeyGirl(Graphics* g) {
  if (mShowState == kNoShow) {
    DrawShadow(g, 260, 508);
    DrawFrame(g, mGirl, IMAGE_CIRCUS_MONKEY_GIRL, 223, 408);
    return;
  }
  if (mShowState == kPerforming) return;
  const int px = static_cast<int>(mPath.GetX()), py = static_cast<int>(mPath.GetY());
  g->SetClipRect(52, 0, 748, 600);
  DrawShadow(g, px, py - 4);
  if (mGirl) DrawFrame(g, mGirl, nullptr, px - 30, py - (mShowState == kWalkingOut ? 106 : 104));
  g->ClearClipRect();
}

void Circus::Draw(Graphics* g) {
  g->SetColor(Color(255, 255, 255));
  if (IMAGE_CIRCUS) g->DrawImage(IMAGE_CIRCUS, 0, 0);
  DrawMan(g);
  if (mPair) {
    DrawShadow(g, 203, 508);
    DrawShadow(g, 260, 508);
    DrawFrame(g, mPair, IMAGE_CIRCUS_MONKEYS_HANDS, 169, 406);
  } else {
    DrawMonkeyBoy(g);
    DrawMonkeyGirl(g);
  }
  if ((mShowState == kWalkingOut || mShowState == kWalkingBack) && IMAGE_CIRCUS_TENT_OPENING)
    g->DrawImage(IMAGE_CIRCUS_TENT_OPENING, 0, 354);
  if ((mShowState == kPerforming || (mShowState == kWalkingBack && mLightAlpha > 0)) && IMAGE_CIRCUS_TENT_LIGHT) {
    g->SetImageTinting(true);
    g->SetColor(Color(255, 255, 255, mLightAlpha));
    g->DrawImage(IMAGE_CIRCUS_TENT_LIGHT, 42, 365);
    g->SetImageTinting(false);
    g->SetColor(Color(255, 255, 255));
  }
  if (IMAGE_CIRCUS_SIGN) g->DrawImage(IMAGE_CIRCUS_SIGN, 39, 499);
  DrawButtons(g);
  DrawStockPanel(g, IMAGE_CIRCUS_STOCK, 35, 149, 72, 184);
  DrawCash(g, 174, 78);
  DrawTop(g);
}

}  // namespace Plix
