// The lessons: when each is shown, what it points at, and its steps with
// the heroine's words.
#include "framework/graphics/Image.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/board/Board.h"
#include "game/board/IceCream.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"

namespace Plix {

namespace {

// The monkey's task kinds the lessons wait for.
constexpr int kMonkeyToTable = 2;
constexpr int kMonkeyToCounterDish = 3;
constexpr int kMonkeyToNapkins = 5;

const wchar_t* const kRetryText = L"Oops! Let's try again!";

void Retry(TutorialStep* step, int retryStep, bool withText) {
  step->SetRetryStep(retryStep);
  if (withText) step->SetRetryText(kRetryText);
}

TutorialStep* Target(TutorialStep* step, AlphaButton* button) {
  step->SetTarget(button);
  return step;
}

int HeldScoop(Board* board) { return board->GetGirl() ? board->GetGirl()->GetCarryCode() : 0; }

// A demo customer of the kind with the order; none while no table is free.
Customer* SendDemoCustomer(Board* board, int kind, const IceCream& order) {
  CustomerManager* customers = board->GetCustomerManager();
  return customers ? customers->SpawnCustomerOfKind(kind, order) : nullptr;
}

}  // namespace

// ------------------------------------------------------- the first ice cream

FirstIceCreamTutorial::FirstIceCreamTutorial(Board* board) : Tutorial(board) {
  mId = 0;
  mHoldsCustomers = true;
  AddTalk(TutorialStep::kBalloon, {L"Alright, this is our first day at work! So let's wait for our very first customer.\n"}, L"OK");
  AddStep(TutorialStep::kTimedWait)->SetArgument(200);
  AddStep(TutorialStep::kCustomerEvent);
  AddStep(TutorialStep::kTimedWait)->SetArgument(100);
  Retry(Target(AddTalk(TutorialStep::kButton, {L"He wants a cup with one vanilla ball.\n\nClick on the cup button and see what "
                                     L"happens!\n"}),
               board->mCupMachineButton.get()),
        4, false);
  AddStep(TutorialStep::kTimedWait)->SetArgument(100);
  Retry(Target(AddTalk(TutorialStep::kButton, {L"Now hurry to pick up an ice cream ball!\n"}), board->mIceCreamBoxButtons[0].get()),
        4, false);
  TutorialStep* step = AddStep(TutorialStep::kGirlEvent);
  step->SetEvent(kGirlToIceCreamBox);
  Retry(step, 4, false);
  step = AddTalk(TutorialStep::kConveyor, {L"Click on the cup before it reaches the end of the conveyer!\n"});
  Retry(step, 4, true);
  step->SetBalloonHigh(true);
  step = AddStep(TutorialStep::kGirlEvent);
  step->SetEvent(kGirlToIceCream);
  Retry(step, 4, true);
  Retry(AddWalk(kGirlWalkByCounter, 401), 4, false);
  Retry(AddTalk(TutorialStep::kReadyOrder, {L"Now let's wait for Rudav to add the ice cream to the tray..."}), 4, false);
  Retry(Target(AddTalk(TutorialStep::kButton, {L"Click on the tray and Vurez will pick it up."}), board->mDishButton.get()), 4,
        false);
  step = AddStep(TutorialStep::kMonkeyEvent);
  step->SetEvent(kMonkeyToCounterDish);
  Retry(step, 4, false);
  Retry(AddWalk(kGirlWalkByCounter, 100), 4, false);
  Retry(AddTalk(TutorialStep::kTable, {L"Next, click on the customer's table to serve him the ice cream."}), 4, false);
  step = AddStep(TutorialStep::kMonkeyEvent);
  step->SetEvent(kMonkeyToTable);
  Retry(step, 4, false);
  Retry(AddTalk(TutorialStep::kBalloon, {L"Excellent! If it doesn't get any harder than this, this island is ours!"}, L"OK"), 4,
        false);
  AddWalk(kGirlWalkByCounter, 602);
  AddTalk(TutorialStep::kBalloon,
          {L"Do you see that cake shaped clock in the top right corner? When the time is up, no more customers will "
           L"enter."},
          L"Alright");
}

void FirstIceCreamTutorial::OnEvent(int step) {
  if (step == 2 && !mDemoSent) Update();
  if (step == 6 && HeldScoop(mBoard) == kItemVanilla) mCurrent = 8;
  if (step == 19) {
    SetPointer(750, 34);
    mPointerSideways = true;
  }
}

void FirstIceCreamTutorial::Update() {
  // Without a free table the demo customer is asked for again each tick.
  if (mDemoSent || mRewound || mCurrent != 2) return;
  IceCream order = IceCream::CreateOfKind(kItemCup);
  order.AddScoop(kItemVanilla);
  Customer* customer = SendDemoCustomer(mBoard, 0, order);
  if (!customer) return;
  mAwaitedCustomer = customer;
  mTargetTable = customer->GetTable();
  mDemoSent = true;
}

// ------------------------------------------------------------ the cherries

ToppingTutorial::ToppingTutorial(Board* board) : Tutorial(board) {
  mId = 1;
  mHoldsCustomers = true;
  AddWalk(kGirlWalkByBench, 397);
  AddTalk(TutorialStep::kBalloon,
          {L"Look at this jar!\n\nIt's filled with cherries that we can add to our ice creams.",
           L"Let's wait for a customer that'd like an ice cream with a cherry on top..."},
          L"OK");
  AddStep(TutorialStep::kTimedWait)->SetArgument(100);
  AddStep(TutorialStep::kCustomerEvent);
  AddStep(TutorialStep::kTimedWait)->SetArgument(100);
  Target(AddTalk(TutorialStep::kButton, {L"Start with the cup as usual."}), board->mCupMachineButton.get());
  AddStep(TutorialStep::kTimedWait)->SetArgument(100);
  Target(AddTalk(TutorialStep::kButton, {L"Now pick up a ball of vanilla ice cream.\n"}), board->mIceCreamBoxButtons[0].get());
  TutorialStep* step = AddStep(TutorialStep::kGirlEvent);
  step->SetEvent(kGirlToIceCreamBox);
  Retry(step, 5, false);
  step = AddTalk(TutorialStep::kConveyor, {L"Click on the cone before it reaches the end of the conveyer.\n"});
  Retry(step, 5, true);
  step->SetBalloonHigh(true);
  step = AddStep(TutorialStep::kGirlEvent);
  step->SetEvent(kGirlToIceCream);
  Retry(step, 5, true);
  Retry(Target(AddTalk(TutorialStep::kButton, {L"Now hurry and pick up the jar with cherries!"}), board->mCherriesButton.get()), 5,
        true);
  step = AddStep(TutorialStep::kGirlEvent);
  step->SetEvent(kGirlToCherries);
  Retry(step, 5, true);
  step = AddTalk(TutorialStep::kConveyor, {L"Click on the ice cream to add a cherry.\n"});
  Retry(step, 5, true);
  step->SetBalloonHigh(true);
  step = AddStep(TutorialStep::kGirlEvent);
  step->SetEvent(kGirlToIceCream);
  Retry(step, 5, true);
  AddTalk(TutorialStep::kBalloon, {L"Great! I bet that customer will love this ice cream!"}, L"OK");
  AddWalk(kGirlWalkByCounter, 56);
  AddTalk(TutorialStep::kBalloon,
          {L"Don't forget to use this button if you want the conveyer to speed up for a while.",
           L"It's more likely that a customer makes a second order if he or she was served fast."},
          L"Alright");
}

void ToppingTutorial::OnEvent(int step) {
  if (step == 2 && !mDemoSent) Update();
  if (step == 7 && HeldScoop(mBoard) == kItemVanilla) mCurrent = 9;
  if (step == 17) SetPointer(16, 453);
}

void ToppingTutorial::Update() {
  // Sent as the wait before it starts; without a free table it is asked
  // for again each tick until the lesson's customer step is passed.
  if (mDemoSent || mRewound || (mCurrent != 2 && mCurrent != 3)) return;
  IceCream order = IceCream::CreateOfKind(kItemCup);
  order.AddScoop(kItemVanilla);
  order.SetTopping(kItemFirstTopping);
  Customer* customer = SendDemoCustomer(mBoard, 5, order);
  if (!customer) return;
  mAwaitedCustomer = customer;
  mDemoSent = true;
}

// ------------------------------------------------------- the speed button

FastButtonTutorial::FastButtonTutorial(Board* board) : Tutorial(board) {
  mId = 2;
  AddWalk(kGirlWalkByCounter, 56);
  AddTalk(TutorialStep::kBalloon,
          {L"Don't forget to use this button if you want the conveyer to speed up for a while.",
           L"It's more likely that a customer makes a second order if he or she was served fast."},
          L"Alright");
}

void FastButtonTutorial::OnEvent(int step) {
  if (step == 1) SetPointer(16, 453);
}

IGSpeedButtonTutorial::IGSpeedButtonTutorial(Board* board) : Tutorial(board) {
  mId = 32;
  mHoldsFloor = true;
  mHoldsCustomers = true;
  AddWalk(kGirlWalkByCounter, 56);
  AddTalk(TutorialStep::kBalloon,
          {L"Customers that have to wait for too long for their orders will become upset and might even leave the ice "
           L"cream bar.",
           L"So when an ice cream is ready, you can press this button and the conveyer will temporarily speed up."},
          L"Alright");
}

void IGSpeedButtonTutorial::OnEvent(int step) {
  if (step == 1) SetPointer(16, 453);
}

// ------------------------------------------------------------- the machine

IceCreamMachineTutorial::IceCreamMachineTutorial(Board* board, AlphaButton* boxButton)
    : Tutorial(board), mBoxButton(boxButton) {
  mId = 3;
  mHoldsFloor = true;
  mHoldsCustomers = true;
  AlphaButton* machine = board->mMachineButton.get();
  Target(AddTalk(TutorialStep::kButton,
                 {L"Oops, we're out of ice cream!\n\nClick on the ice cream machine to refill the box."}),
         machine);
  AddStep(TutorialStep::kGirlEvent)->SetEvent(kGirlToIceCreamMachine);
  AddStep(TutorialStep::kGirlEvent)->SetEvent(kGirlToIceCreamMachine);
  AddStep(TutorialStep::kGirlEvent)->SetEvent(kGirlWalkByCounter);
  AddTalk(TutorialStep::kMachineReady, {L"This time we'll just wait here until the machine is done.\n\nNext time you can do "
                              L"other things while waiting.\n"});
  Target(AddTalk(TutorialStep::kButton, {L"The machine is done!\n\nClick on the machine to pick up the filled box."}), machine);
  AddStep(TutorialStep::kGirlEvent)->SetEvent(kGirlToIceCreamMachine);
  Target(AddTalk(TutorialStep::kButton, {L"Finally, click on the bench to put the box back."}), boxButton);
  AddStep(TutorialStep::kGirlEvent)->SetEvent(kGirlToIceCreamBox);
  AddTalk(TutorialStep::kBalloon,
          {L"Now we're back in business!",
           L"If you want to refill a box before it's empty, you can pick it up by clicking on it with your right mouse "
           L"button."},
          L"Alright");
}

// -------------------------------------------------- the short presentations

FruitPresTutorial::FruitPresTutorial(Board* board, int code) : Tutorial(board) {
  mId = 5;
  AddWalk(kGirlWalkByBench, 127);
  switch (code) {
    case kItemBanana:
      PointAt(board->mBananaButton.get());
      AddTalk(TutorialStep::kBalloon, {L"If Vurez seems slow and tired we can throw her a banana by clicking on it!"}, L"OK");
      break;
    case kItemApple:
      PointAt(board->mAppleButton.get(), 0, 4);
      AddTalk(TutorialStep::kBalloon, {L"If Vurez seems slow and tired we can throw her an apple by clicking on it!"}, L"OK");
      break;
    case kItemPear:
      PointAt(board->mPearButton.get());
      AddTalk(TutorialStep::kBalloon, {L"If Vurez seems slow and tired we can throw her a pear by clicking on it!"}, L"OK");
      break;
    default:
      PointAt(board->mSuperBananaButton.get());
      AddTalk(TutorialStep::kBalloon, {L"If Vurez seems slow and tired we can throw her a super banana by clicking on it!"},
              L"OK");
      break;
  }
}

DecorationPresTutorial::DecorationPresTutorial(Board* board, int code) : Tutorial(board) {
  mId = 6;
  AddWalk(kGirlWalkByBench, 500);
  switch (code) {
    case kItemUmbrella:
      PointAt(board->mUmbrellaButton.get());
      AddTalk(TutorialStep::kBalloon,
              {L"If we add an umbrella to an ice cream before Rudav picks it up, the customer will most likely pay us "
               L"a little extra money!"},
              L"OK");
      break;
    case kItemCocktailStick:
      PointAt(board->mCocktailStickButton.get());
      AddTalk(TutorialStep::kBalloon,
              {L"If we add a cocktail stick to an ice cream before Rudav picks it up, the customer will most likely "
               L"pay us a little extra money!"},
              L"OK");
      break;
    case kItemStraw:
      PointAt(board->mStrawButton.get());
      AddTalk(TutorialStep::kBalloon,
              {L"If we add a straw to an ice cream before Rudav picks it up, the customer will most likely pay us a "
               L"little extra money!"},
              L"OK");
      break;
    default:
      PointAt(board->mSparklerButton.get());
      AddTalk(TutorialStep::kBalloon,
              {L"If we add a sparkler to an ice cream before Rudav picks it up, the customer will most likely pay us "
               L"a little extra money!"},
              L"OK");
      break;
  }
}

ChocolateSaucePresTutorial::ChocolateSaucePresTutorial(Board* board) : Tutorial(board) {
  mId = 7;
  PointAt(board->mChocolateSauceButton.get());
  AddWalk(kGirlWalkByBench, 428);
  AddTalk(TutorialStep::kBalloon,
          {L"Look, chocolate sauce!\nWe can add chocolate sauce to an ice cream the same way that we add sprinkles."},
          L"OK");
}

SprinklesPresTutorial::SprinklesPresTutorial(Board* board) : Tutorial(board) {
  mId = 8;
  PointAt(board->mSprinklesButton.get());
  AddWalk(kGirlWalkByBench, 404);
  AddTalk(TutorialStep::kBalloon,
          {L"Look, a jar with sprinkles!\nWe can add sprinkles to an ice cream the same way that we add cherries."},
          L"OK");
}

CookiesPresTutorial::CookiesPresTutorial(Board* board) : Tutorial(board) {
  mId = 9;
  PointAt(board->mCookiesButton.get());
  AddTalk(TutorialStep::kBalloon,
          {L"If a customer's mood seems low, we can let Vurez bring him or her a cookie.",
           L"Click on the plate with cookies and then on the customer's table, and Vurez will take care of it!"},
          L"OK");
}

LemonadePresTutorial::LemonadePresTutorial(Board* board) : Tutorial(board) {
  mId = 10;
  // The bottle of the first place that holds lemonade.
  int place = 0;
  while (place < 2 && board->mLemonades[place] <= 0) ++place;
  if (board->mLemonades[place] <= 0) place = 0;
  PointAt(board->mLemonadeButtons[place].get());
  AddTalk(TutorialStep::kBalloon,
          {L"If a customer's mood seems low, we can let Vurez bring him or her a glass of lemonade.",
           L"Click on the bottle and then on the customer's table, and Vurez will take care of it!"},
          L"OK");
}

JugglingPresTutorial::JugglingPresTutorial(Board* board) : Tutorial(board) {
  mId = 11;
  PointAt(board->mJugglingButton.get());
  AddTalk(TutorialStep::kBalloon,
          {L"Vurez can now cheer up the whole place by doing some juggling!",
           L"Click on the balls and Vurez will take care of it."},
          L"OK");
}

BarrelOrganPresTutorial::BarrelOrganPresTutorial(Board* board) : Tutorial(board) {
  mId = 12;
  PointAt(board->mOrganButton.get(), 6);
  AddTalk(TutorialStep::kBalloon,
          {L"Some barrel organ music will cheer everybody up!",
           L"Click on the barrel organ and Vurez will play us a tune."},
          L"OK");
}

SunshadePresTutorial::SunshadePresTutorial(Board* board) : Tutorial(board) {
  mId = 13;
  AddTalk(TutorialStep::kBalloon,
          {L"Our sunshade will prevent customers' ice creams from melting, and that'll sure save us some napkins."},
          L"Great");
}

ConePresTutorial::ConePresTutorial(Board* board) : Tutorial(board) {
  mId = 14;
  PointAt(board->mConeMachineButton.get());
  AddWalk(kGirlWalkByCounter, 202);
  AddTalk(TutorialStep::kBalloon,
          {L"Our ice cream container machine has been upgraded!\n\nNow we can sell ice cream in cones as well.",
           L"A cone can have two ice cream balls, but it doesn't matter which order we add them."},
          L"OK");
}

PlatePresTutorial::PlatePresTutorial(Board* board) : Tutorial(board) {
  mId = 15;
  PointAt(board->mPlateMachineButton.get());
  AddWalk(kGirlWalkByCounter, 202);
  AddTalk(TutorialStep::kBalloon,
          {L"Our ice cream container machine has been upgraded!\n\nNow we can sell ice cream on plates as well.",
           L"A plate can have three ice cream balls, but it doesn't matter which order we add them."},
          L"OK");
}

// --------------------------------------------------------- trash and napkin

namespace {

// The heroine stands a small balloon's width from the table, on the side
// facing the middle of the floor; 0 when she is on that side already.
int TableWalkX(Board* board, Table* table) {
  const int centre = table ? table->GetX() + table->GetWidth() / 2 : 0;
  const int width = IMAGE_BALLOON_SMALL ? IMAGE_BALLOON_SMALL->GetWidth() : 0;
  const int heroineX = board->GetGirl() ? static_cast<int>(board->GetGirl()->GetX()) : 0;
  if (centre < 400 && heroineX < centre + width) return centre + width;
  if (centre >= 400 && heroineX > centre - width) return centre - width;
  return 0;
}

}  // namespace

TrashTutorial::TrashTutorial(Board* board, Table* table) : Tutorial(board) {
  mId = 16;
  mHoldsFloor = true;
  mHoldsCustomers = true;
  mTargetTable = table;
  const int x = TableWalkX(board, table);
  if (x != 0) AddWalk(kGirlWalkByCounter, x);
  AddTalk(TutorialStep::kTable, {L"No customer wants to sit at that table because of the trash. Click on the table and Vurez "
                       L"will pick up the trash."});
  AddStep(TutorialStep::kMonkeyEvent)->SetEvent(kMonkeyToTable);
  AddTalk(TutorialStep::kBalloon,
          {L"Next you can click on the garbage station for Vurez to throw away the trash. If you don't, she'll run "
           L"there herself later."},
          L"OK");
}

NapkinTutorial::NapkinTutorial(Board* board, Table* table) : Tutorial(board) {
  mId = 17;
  mHoldsFloor = true;
  mHoldsCustomers = true;
  mTargetTable = table;
  const int x = TableWalkX(board, table);
  if (x != 0) AddWalk(kGirlWalkByCounter, x);
  Target(AddTalk(TutorialStep::kButton, {L"That customer needs a napkin!\n\nClick on the napkins and Vurez will pick one up."}),
         board->mNapkinsButton.get());
  AddStep(TutorialStep::kMonkeyEvent)->SetEvent(kMonkeyToNapkins);
  AddTalk(TutorialStep::kTable, {L"Now click on the table and Vurez will deliver the napkin to the customer."});
}

// ------------------------------------------------------------ on the belt

GoldenIceCreamTutorial::GoldenIceCreamTutorial(Board* board) : Tutorial(board) {
  mId = 18;
  mHoldsFloor = true;
  mHoldsCustomers = true;
  AddTalk(TutorialStep::kBalloon,
          {L"There's a golden ice cream on the conveyer! My uncle told me that if we collect five of them he'll reward "
           L"us somehow.",
           L"So we better pick it up. Click on it before Rudav catches it!\n"},
          L"OK");
}

BonusTutorial::BonusTutorial(Board* board, int x, int y) : Tutorial(board) {
  mId = 19;
  mHoldsFloor = true;
  SetPointer(x, y);
  AddTalk(TutorialStep::kBalloon,
          {L"There's a nice looking object on the conveyer!\nClick on it before Rudav catches it and see what "
           L"happens!\n"},
          L"OK");
}

// ------------------------------------------------------- special products

SpecialCupTutorial::SpecialCupTutorial(Board* board) : Tutorial(board) {
  mId = 20;
  SetPointer(127, 476);
  AddWalk(kGirlWalkByCounter, 172);
  AddTalk(TutorialStep::kBalloon,
          {L"Look! We can now serve exclusive ice cream in cups.",
           L"If a customer wants one, all you need to do is to click on this freezer box."},
          L"OK");
}

BananaSplitTutorial::BananaSplitTutorial(Board* board) : Tutorial(board) {
  mId = 21;
  SetPointer(131, 502);
  AddWalk(kGirlWalkByCounter, 172);
  AddTalk(TutorialStep::kBalloon, {L"Look! We can now serve banana splits."}, L"OK");
}

SpecialPlateTutorial::SpecialPlateTutorial(Board* board) : Tutorial(board) {
  mId = 22;
  SetPointer(164, 466);
  AddWalk(kGirlWalkByCounter, 220);
  AddTalk(TutorialStep::kBalloon, {L"Look! We can now serve exclusive ice cream on plates."}, L"OK");
}

CakeTutorial::CakeTutorial(Board* board) : Tutorial(board) {
  mId = 23;
  SetPointer(167, 492);
  AddWalk(kGirlWalkByCounter, 220);
  AddTalk(TutorialStep::kBalloon, {L"Look! We can now serve ice cream g\u00e2teau."}, L"OK");
}

ReputationStarTutorial::ReputationStarTutorial(Board* board) : Tutorial(board) {
  mId = 24;
  mHoldsFloor = true;
  mHoldsCustomers = true;
  SetPointer(378, 475);
  AddWalk(kGirlWalkByCounter, 321);
  AddStep(TutorialStep::kTimedWait)->SetArgument(100);
  AddTalk(TutorialStep::kBalloon,
          {L"Our ice cream bar was awarded with a golden star! That means our business is doing great!"}, L"OK");
}

HappyHourTutorial::HappyHourTutorial(Board* board) : Tutorial(board) {
  mId = 25;
  AddStep(TutorialStep::kTimedWait)->SetArgument(50);
  TutorialStep* step = AddTalk(TutorialStep::kBalloon,
                               {L"During Happy Hour the customers will line up in front of the counter. And they will "
                                L"want their ice creams REALLY fast!"},
                               L"OK", InfoBalloon::kNormal);
  step->GetBalloon()->SetDelay(50);
  AddWalk(kGirlWalkByCounter, 56);
  AddTalk(TutorialStep::kBalloon,
          {L"I suggest that we use the speed button a lot, because if more than three customers leave this place, "
           L"the game is over!"},
          L"Alright", InfoBalloon::kNormal);
}

void HappyHourTutorial::OnEvent(int step) {
  if (step == 3) SetPointer(16, 453);
}

// ------------------------------------------------------------ the flavours
//
// A new flavour fills the next box: strawberry box 1, chocolate box 2,
// pear box 3, blueberry box 4, pineapple box 5. Each lesson walks the
// heroine to its box and points at it.

StrawberryPresTutorial::StrawberryPresTutorial(Board* board) : Tutorial(board) {
  mId = 26;
  SetPointer(292, 551);
  AddWalk(kGirlWalkByCounter, 289);
  AddTalk(TutorialStep::kBalloon, {L"We can now serve delicious strawberry ice cream."}, L"Great");
}

ChocolatePresTutorial::ChocolatePresTutorial(Board* board) : Tutorial(board) {
  mId = 27;
  SetPointer(350, 551);
  AddWalk(kGirlWalkByCounter, 350);
  AddTalk(TutorialStep::kBalloon, {L"We can now serve our customers chocolate ice cream."}, L"Great");
}

PearPresTutorial::PearPresTutorial(Board* board) : Tutorial(board) {
  mId = 28;
  SetPointer(232, 589);
  AddWalk(kGirlWalkByCounter, 232);
  AddTalk(TutorialStep::kBalloon, {L"We can now serve pear flavor ice cream."}, L"Great");
}

BlueberryPresTutorial::BlueberryPresTutorial(Board* board) : Tutorial(board) {
  mId = 29;
  SetPointer(292, 589);
  AddWalk(kGirlWalkByCounter, 289);
  AddTalk(TutorialStep::kBalloon, {L"We can now serve tasty blueberry ice cream."}, L"Great");
}

PineapplePresTutorial::PineapplePresTutorial(Board* board) : Tutorial(board) {
  mId = 30;
  SetPointer(350, 589);
  AddWalk(kGirlWalkByCounter, 350);
  AddTalk(TutorialStep::kBalloon, {L"We can now serve pineapple ice cream."}, L"Great");
}

Tutorial* NewFlavourTutorial(Board* board, int flavourCount) {
  switch (flavourCount) {
    case 2: return new StrawberryPresTutorial(board);
    case 3: return new ChocolatePresTutorial(board);
    case 4: return new PearPresTutorial(board);
    case 5: return new BlueberryPresTutorial(board);
    case 6: return new PineapplePresTutorial(board);
    default: return nullptr;
  }
}

ServeFastTutorial::ServeFastTutorial(Board* board) : Tutorial(board) {
  mId = 31;
  AddTalk(TutorialStep::kBalloon,
          {L"We didn't quite reach the goal last time. But let's give it another shot!",
           L"In order to reach today's goal, we must serve our customers as fast as possible."},
          L"OK");
}

Tutorial* MakeTutorial(Board* board, int id, int code, Table* table) {
  switch (id) {
    case 0: return new FirstIceCreamTutorial(board);
    case 1: return new ToppingTutorial(board);
    case 2: return new FastButtonTutorial(board);
    case 5: return new FruitPresTutorial(board, code);
    case 6: return new DecorationPresTutorial(board, code);
    case 7: return new ChocolateSaucePresTutorial(board);
    case 8: return new SprinklesPresTutorial(board);
    case 9: return new CookiesPresTutorial(board);
    case 10: return new LemonadePresTutorial(board);
    case 11: return new JugglingPresTutorial(board);
    case 12: return new BarrelOrganPresTutorial(board);
    case 13: return new SunshadePresTutorial(board);
    case 14: return new ConePresTutorial(board);
    case 15: return new PlatePresTutorial(board);
    case 16: return table ? new TrashTutorial(board, table) : nullptr;
    case 17: return table ? new NapkinTutorial(board, table) : nullptr;
    case 18: return new GoldenIceCreamTutorial(board);
    case 20: return new SpecialCupTutorial(board);
    case 21: return new BananaSplitTutorial(board);
    case 22: return new SpecialPlateTutorial(board);
    case 23: return new CakeTutorial(board);
    case 24: return new ReputationStarTutorial(board);
    case 25: return new HappyHourTutorial(board);
    case 26: return new StrawberryPresTutorial(board);
    case 27: return new ChocolatePresTutorial(board);
    case 28: return new PearPresTutorial(board);
    case 29: return new BlueberryPresTutorial(board);
    case 30: return new PineapplePresTutorial(board);
    case 31: return new ServeFastTutorial(board);
    case 32: return new IGSpeedButtonTutorial(board);
    default: return nullptr;
  }
}

}  // namespace Plix
