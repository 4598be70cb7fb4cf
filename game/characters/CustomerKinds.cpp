#include "game/characters/CustomerKinds.h"

#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/characters/CustomerManager.h"

namespace Plix {

namespace {

struct KindRow {
  float moodLossRate;
  int napkinReduction;
  int chooseBase, earlyChooseBase;  // rand() % 200 + base; the early one before day 4
  int spoonFrame;
  bool facing;
  int body[2], legs[2];
  int dishes[Customer::kDishKinds][2];  // plate, special cup, banana split, special plate, cake
  int cloud;
  int cookies, lemonades;  // taken while below
  int cookieMoney, lemonadeMoney, organMoney;
  float jugglingMood, organMood;
};

const KindRow kKinds[7] = {
    {1.0f, 2, 500, 350, 4, false, {-4, 0}, {12, 74}, {{30, -12}, {28, -11}, {30, -10}, {30, -11}, {30, -11}}, 56,
     3, 2, 1, 1, 1, 10.0f, 7.5f},
    {1.75f, 2, 100, 100, 4, true, {2, -4}, {14, 75}, {{30, -11}, {30, -16}, {32, -10}, {32, -14}, {32, -16}}, 48,
     0, 1, 0, 1, 1, 10.0f, 5.0f},
    {1.5f, 4, 200, 200, 4, false, {-4, 0}, {25, 66}, {{28, -14}, {24, -11}, {30, -12}, {28, -13}, {30, -11}}, 43,
     4, 4, 0, 0, 1, 15.0f, 15.0f},
    {1.5f, 0, 300, 300, 5, false, {-10, 8}, {19, 85}, {{28, -15}, {27, -18}, {28, -15}, {28, -18}, {28, -16}}, 56,
     2, 1, 0, 0, 1, 10.0f, 10.0f},
    {1.3f, 2, 300, 300, 5, false, {-16, 4}, {25, 72}, {{27, -19}, {25, -22}, {28, -19}, {28, -21}, {28, -21}}, 60,
     2, 2, 0, 0, 0, 10.0f, 7.5f},
    {1.15f, 1, 400, 250, 5, true, {12, -4}, {14, 75}, {{30, -18}, {30, -19}, {30, -20}, {30, -20}, {30, -20}}, 57,
     3, 1, 0, 0, 1, 10.0f, 10.0f},
    {1.3f, 1, 300, 300, 5, true, {6, -2}, {9, 72}, {{23, -10}, {24, -17}, {25, -10}, {26, -11}, {26, -11}}, 52,
     1, 2, 0, 0, 1, 10.0f, 15.0f},
};

// Image sets: the code 1 kind wears set 3 and the code 2 kind set 2.
Image* SittingImage(int kind) {
  Image* const images[7] = {IMAGE_CUSTOMER_1_SITTING, IMAGE_CUSTOMER_3_SITTING, IMAGE_CUSTOMER_2_SITTING,
                            IMAGE_CUSTOMER_4_SITTING, IMAGE_CUSTOMER_5_SITTING, IMAGE_CUSTOMER_6_SITTING,
                            IMAGE_CUSTOMER_7_SITTING};
  return images[kind];
}

Image* LegsImage(int kind) {
  Image* const images[7] = {IMAGE_CUSTOMER_1_SITTING_LEGS, IMAGE_CUSTOMER_3_SITTING_LEGS,
                            IMAGE_CUSTOMER_2_SITTING_LEGS, IMAGE_CUSTOMER_4_SITTING_LEGS,
                            IMAGE_CUSTOMER_5_SITTING_LEGS, IMAGE_CUSTOMER_6_SITTING_LEGS,
                            IMAGE_CUSTOMER_7_SITTING_LEGS};
  return images[kind];
}

}  // namespace

CustomerOfKind::CustomerOfKind(CustomerManager* manager, int kind) : Customer(manager) {
  const KindRow& row = kKinds[kind];
  mKindCode = kind;
  mMoodLossRate = row.moodLossRate;
  mNapkinReduction = row.napkinReduction;
  const int base = GetBoard()->GetDay() + 1 < 4 ? row.earlyChooseBase : row.chooseBase;
  mChooseTime = Rand() % 200 + base;
  mCountdown = mChooseTime;
  mSpoonFrame = row.spoonFrame;
  mFacing = row.facing;
  mSittingImage = SittingImage(kind);
  mLegsImage = LegsImage(kind);
  mBodyX = row.body[0];
  mBodyY = row.body[1];
  mLegsX = row.legs[0];
  mLegsY = row.legs[1];
  for (int i = 0; i < kDishKinds; ++i) {
    mDishOffsets[i][0] = row.dishes[i][0];
    mDishOffsets[i][1] = row.dishes[i][1];
  }
  mCloudOffset = row.cloud;

  AddFrames(kIdle, {{0, 100}}, true);
  if (kind == 0) {
    AddFrames(kChoosingAnim, {{9, 100}}, true);
    AddFrames(kPleased, {{10, 10}, {11, 200}, {10, 10}}, false);
    AddFrames(kContent, {{7, 10}, {8, 200}, {7, 10}}, false);
    AddFrames(kUnhappy, {{12, 10}, {13, 400}, {12, 10}}, false);
    AddFrames(kHandEating, {{1, 10}, {2, 10}, {3, 50}, {2, 10}, {1, 10}, {2, 10}, {3, 50}, {2, 10}, {1, 50}}, true);
    AddFrames(kSpoonEating, {{4, 10}, {5, 10}, {6, 50}, {5, 10}, {4, 10}, {5, 10}, {6, 50}, {5, 10}, {4, 50}}, true);
  } else if (kind == 1 || kind == 2) {
    AddFrames(kChoosingAnim, {{13, 100}}, true);
    AddFrames(kPleased, {{14, 10}, {15, 200}, {14, 10}}, false);
    AddFrames(kContent, {{11, 10}, {12, 200}, {11, 10}}, false);
    AddFrames(kUnhappy, {{16, 10}, {17, kind == 1 ? 300 : 400}, {16, 10}}, false);
    if (kind == 1) {
      AddFrames(kHandEating, {{1, 10}, {2, 10}, {3, 20}, {4, 20}, {1, 20}, {5, 20}, {1, 20}, {2, 10}, {3, 20},
                              {4, 20}, {1, 20}, {5, 20}, {1, 50}},
                true);
      AddFrames(kSpoonEating, {{6, 10}, {7, 10}, {8, 20}, {9, 20}, {6, 20}, {10, 20}, {6, 20}, {7, 10}, {8, 20},
                               {9, 20}, {6, 20}, {10, 20}, {6, 50}},
                true);
    } else {
      AddFrames(kHandEating, {{1, 20}, {2, 20}, {3, 20}, {4, 20}, {1, 20}, {5, 20}, {1, 20}, {2, 20}, {3, 20},
                              {4, 20}, {1, 20}, {5, 50}},
                true);
      AddFrames(kSpoonEating, {{6, 20}, {7, 20}, {8, 20}, {9, 20}, {6, 20}, {10, 20}, {6, 20}, {7, 20}, {8, 20},
                               {9, 20}, {6, 20}, {10, 50}},
                true);
    }
  } else {
    AddFrames(kChoosingAnim, {{11, 100}}, true);
    AddFrames(kPleased, {{12, 10}, {13, 200}, {12, 10}}, false);
    AddFrames(kContent, {{9, 10}, {10, 200}, {9, 10}}, false);
    AddFrames(kUnhappy, {{14, 10}, {15, 400}, {14, 10}}, false);
    AddFrames(kHandEating, {{1, 20}, {2, 20}, {3, 20}, {2, 20}, {4, 20}, {1, 20}, {4, 20}, {1, 20}, {2, 20}, {3, 20},
                            {2, 20}, {4, 20}, {1, 20}, {4, 20}, {1, 50}},
              true);
    AddFrames(kSpoonEating, {{5, 20}, {6, 20}, {7, 20}, {6, 20}, {8, 20}, {5, 20}, {8, 20}, {5, 20}, {6, 20}, {7, 20},
                             {6, 20}, {8, 20}, {5, 20}, {8, 20}, {5, 20}},
              true);
  }
  MakeCurrent(kIdle);
}

bool CustomerOfKind::CanTakeCookie() const {
  return (mState == kWaiting || mWantsNapkin) && mCookies < kKinds[mKindCode].cookies;
}

bool CustomerOfKind::CanTakeLemonade() const {
  return (mState == kWaiting || mWantsNapkin) && mLemonades < kKinds[mKindCode].lemonades;
}

void CustomerOfKind::GiveCookie(int grade) {
  Customer::GiveCookie(grade);
  AfterTreat(grade, kKinds[mKindCode].cookieMoney);
}

void CustomerOfKind::GiveLemonade(int grade) {
  Customer::GiveLemonade(grade);
  AfterTreat(grade, kKinds[mKindCode].lemonadeMoney);
}

void CustomerOfKind::WatchJuggling(int level) {
  Customer::WatchJuggling(level);
  AfterShow(mJugglingShows, level, kKinds[mKindCode].jugglingMood, 1);
}

void CustomerOfKind::HearBarrelOrgan(int level) {
  Customer::HearBarrelOrgan(level);
  AfterShow(mOrganTunes, level, kKinds[mKindCode].organMood, kKinds[mKindCode].organMoney);
}

void OldManCustomer::GiveNapkin() {
  const bool wanted = mWantsNapkin;
  Customer::GiveNapkin();
  if (wanted) ChangeMood(10.0f);
}

Customer* CreateCustomerOfKind(int kindCode, CustomerManager* manager) {
  switch (kindCode) {
    case 1: return new SportyCustomer(manager);
    case 2: return new BoyCustomer(manager);
    case 3: return new JacketCustomer(manager);
    case 4: return new DadCustomer(manager);
    case 5: return new LadyCustomer(manager);
    case 6: return new MumCustomer(manager);
    default: return new OldManCustomer(manager);
  }
}

}  // namespace Plix
