#include "game/characters/Monkey.h"

#include <algorithm>
#include <initializer_list>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/characters/MonkeyAction.h"

namespace Plix {

namespace {

constexpr int kCelTicks = 10;
constexpr int kIdleEvery = 200;
constexpr int kEatSoundFrame = 3;
constexpr int kMaxStartsPerUpdate = 64;
constexpr float kSpeedStep = 0.01f;
constexpr float kRestStep = 0.0002f;
constexpr float kTireStep = 0.0003f;

int CelW(Image* image) { return image ? image->GetCellWidth() : 0; }
int CelH(Image* image) { return image ? image->GetCellHeight() : 0; }
int FullW(Image* image) { return image ? image->GetWidth() : 0; }
int FullH(Image* image) { return image ? image->GetHeight() : 0; }

void Build(Animation& a, Image* image, std::initializer_list<int> cels, bool looping, float offsetX = 0.0f,
           std::initializer_list<float> offsetsY = {}) {
  a.SetImage(image);
  auto y = offsetsY.begin();
  for (int cel : cels) {
    const bool placed = y != offsetsY.end();
    a.AddFrame(cel, kCelTicks, placed ? offsetX : 0.0f, placed ? *y++ : 0.0f);
  }
  if (looping) a.SetLooping();
  a.Reset();
}

void BuildRun(Animation& a, Image* image, int first, int last, bool looping) {
  a.SetImage(image);
  for (int cel = first; cel <= last; ++cel) a.AddFrame(cel, kCelTicks);
  if (looping) a.SetLooping();
  a.Reset();
}

Image* BallsImage(int level) {
  switch (level) {
    case 1: return IMAGE_TWO_BALLS;
    case 2: return IMAGE_THREE_BALLS;
    case 3: return IMAGE_FOUR_BALLS;
    default: return nullptr;
  }
}

Image* CookieImage(int carry) {
  switch (carry) {
    case Monkey::kCarryCookie: return IMAGE_MONKEY_COOKIE_1;
    case Monkey::kCarryCookie + 1: return IMAGE_MONKEY_COOKIE_2;
    default: return IMAGE_MONKEY_COOKIE_3;
  }
}

Image* TreatImage(int kind) {
  switch (kind) {
    case kItemBanana:
    case kItemSuperBanana: return IMAGE_BANANA;
    case kItemApple: return IMAGE_APPLE;
    case kItemPear: return IMAGE_PEAR;
    default: return nullptr;
  }
}

Image* DishImage(int code) {
  switch (code) {
    case kItemPlate: return IMAGE_CUSTOMER_PLATE;
    case kItemSpecialCup: return IMAGE_CUSTOMER_SPECIAL_CUP;
    case kItemSpecialPlate: return IMAGE_CUSTOMER_SPECIAL_PLATE;
    case kItemBananaSplit: return IMAGE_CUSTOMER_BANANA_SPLIT;
    case kItemCake: return IMAGE_CUSTOMER_CAKE;
    default: return nullptr;
  }
}

}  // namespace

Monkey::Monkey(Board* board) : mBoard(board) { BuildAnimations(); }

Monkey::~Monkey() {
  void* item = nullptr;
  while (mTasks.PopFront(item)) delete static_cast<MonkeyAction*>(item);
}

void Monkey::BuildAnimations() {
  Build(mAnimations[kWalkUp], IMAGE_MONKEY_GIRL_UP_1, {0, 1, 2, 3, 4, 5, 6, 7}, true);
  Build(mAnimations[kWalkUpCarrying], IMAGE_MONKEY_GIRL_UP_1, {8, 9, 10, 11, 12, 13, 14, 15}, true);
  Build(mAnimations[kWalkUpTray], IMAGE_MONKEY_GIRL_UP_2, {0, 1, 2, 3, 4, 5, 6, 7}, true, 48,
        {25, 27, 26, 25, 25, 27, 26, 25});
  Build(mAnimations[kWalkDown], IMAGE_MONKEY_GIRL_DOWN_1, {56, 57, 58, 59, 60, 61, 62, 63}, true);
  Build(mAnimations[kWalkDownCarrying], IMAGE_MONKEY_GIRL_DOWN_1, {73, 74, 75, 76, 77, 78, 79, 80}, true, 18,
        {57, 58, 58, 58, 57, 58, 58, 58});
  Build(mAnimations[kWalkDownTray], IMAGE_MONKEY_GIRL_DOWN_4, {0, 1, 2, 3, 4, 5, 6, 7}, true, 48,
        {22, 24, 23, 22, 22, 24, 23, 22});
  Build(mAnimations[kWalkLeft], IMAGE_MONKEY_GIRL_LEFT_1, {0, 1, 2, 3, 4, 5, 6, 7}, true);
  Build(mAnimations[kWalkLeftCarrying], IMAGE_MONKEY_GIRL_LEFT_1, {8, 9, 10, 11, 12, 13, 14, 15}, true);
  Build(mAnimations[kWalkLeftTray], IMAGE_MONKEY_GIRL_LEFT_2, {0, 1, 2, 3, 4, 5, 6, 7}, true, 48,
        {22, 24, 23, 22, 23, 23, 24, 23});
  Build(mAnimations[kWalkRight], IMAGE_MONKEY_GIRL_LEFT_1, {0, 1, 2, 3, 4, 5, 6, 7}, true);
  Build(mAnimations[kWalkRightCarrying], IMAGE_MONKEY_GIRL_RIGHT, {0, 1, 2, 3, 4, 5, 6, 7}, true, 48,
        {62, 64, 63, 62, 63, 63, 64, 63});
  Build(mAnimations[kWalkRightTray], IMAGE_MONKEY_GIRL_LEFT_2, {0, 1, 2, 3, 4, 5, 6, 7}, true, 48,
        {22, 24, 23, 22, 23, 23, 24, 23});
  BuildRun(mAnimations[kJuggleTwo], IMAGE_MONKEY_GIRL_DOWN_2, 0, 10, false);
  BuildRun(mAnimations[kJuggleThree], IMAGE_MONKEY_GIRL_DOWN_2, 11, 21, false);
  BuildRun(mAnimations[kJuggleFour], IMAGE_MONKEY_GIRL_DOWN_2, 22, 32, false);
  BuildRun(mAnimations[kBarrelOrgan], IMAGE_MONKEY_GIRL_DOWN_1, 30, 48, false);

  // The treat is held up to the mouth, then chewed.
  Animation& eat = mAnimations[kEatTreat];
  eat.SetImage(IMAGE_MONKEY_GIRL_DOWN_1);
  eat.AddFrame(65, 2 * kCelTicks, 17.0f, 10.0f);
  eat.AddFrame(66, kCelTicks, 43.0f, 59.0f);
  eat.AddFrame(67, kCelTicks, 43.0f, 59.0f);
  for (int cel : {68, 69, 70, 69, 70, 69, 70, 69, 70, 69, 70, 69}) eat.AddFrame(cel, kCelTicks);
  eat.Reset();

  BuildRun(mAnimations[kIdleLong], IMAGE_MONKEY_GIRL_DOWN_1, 0, 28, false);
  Animation& scratch = mAnimations[kIdleScratch];
  scratch.SetImage(IMAGE_MONKEY_GIRL_DOWN_1);
  for (int cel : {50, 51, 52, 53, 54}) scratch.AddFrame(cel, kCelTicks);
  for (int i = 0; i < 6; ++i) {
    scratch.AddFrame(53, kCelTicks);
    scratch.AddFrame(54, kCelTicks);
  }
  for (int cel : {55, 51, 50}) scratch.AddFrame(cel, kCelTicks);
  scratch.Reset();
  Build(mAnimations[kIdleBlink], IMAGE_MONKEY_GIRL_DOWN_1, {71, 72, 71}, false);
}

// ---- Position and hands ----

void Monkey::StandAtNode(BarMovementNode* node) {
  if (!node) return;
  mNode = node;
  mX = node->GetX();
  mY = node->GetY();
}

bool Monkey::PickUp(int code, const ItemHolder* holder) {
  StopAnimation();
  if (mCarryCode != kCarryNothing) return false;
  if (code == kCarryTray) {
    if (holder)
      mTray.CopyFrom(*holder);
    else
      mTray.Clear();
  }
  mCarryCode = code;
  return true;
}

bool Monkey::AddDish(int code) {
  if (mDishCount >= kMaxDishes) return false;
  mCarryCode = kCarryDishes;
  mDishes[mDishCount++] = code;
  return true;
}

void Monkey::DropAll() {
  if (mCarryCode == kCarryTray) mBoard->MarkCustomersWithReadyOrders();
  mCarryCode = kCarryNothing;
  for (int& dish : mDishes) dish = 0;
  mDishCount = 0;
  mTray.Clear();
}

PlayerProfile* Monkey::GetProfile() const { return mBoard->mApp.GetCurrentProfile(); }

// ---- Animations ----

void Monkey::PlayAnimation(Animation* animation) {
  mCurrentAnimation = animation;
  if (animation) animation->Reset();
}

void Monkey::SetWalkDirection(int direction) {
  mWalkDirection = direction;
  // Plain, carrying and with-tray cycles lie in threes, by direction.
  int base = kWalkDown;
  switch (direction) {
    case kRight: base = kWalkRight; break;
    case kLeft: base = kWalkLeft; break;
    case kUp: base = kWalkUp; break;
    default: break;
  }
  int variant = 0;
  if (mCarryCode == kCarryTray)
    variant = 2;
  else if (mCarryCode >= kCarryDishes && mCarryCode <= kCarryBalls)
    variant = 1;
  PlayAnimation(static_cast<AnimationIndex>(base + variant));
}

void Monkey::StartJuggling() {
  GetGameHost()->PlaySound(SOUND_MONKEY_JUGGLING);
  PlayerProfile* profile = GetProfile();
  const int level = profile ? profile->GetJugglingLevel() : 0;
  PlayAnimation(level == 1 ? kJuggleTwo : level == 2 ? kJuggleThree : kJuggleFour);
}

bool Monkey::IsIdleAnimation() const {
  return IsPlaying(kIdleLong) || IsPlaying(kIdleScratch) || IsPlaying(kIdleBlink);
}

void Monkey::UpdateAnimation() {
  if (!mCurrentAnimation) return;
  if (IsPlaying(kEatTreat) && mCurrentAnimation->GetFrameCounter() == kEatSoundFrame && !mEatSoundPlayed) {
    GetGameHost()->PlaySound(SOUND_EAT_FRUIT);
    mEatSoundPlayed = true;
  }
  mCurrentAnimation->Update();
  if (mCurrentAnimation->IsFinished()) mCurrentAnimation = nullptr;
}

void Monkey::ChooseIdle() {
  ++mFrameCounter;
  if (mFrameCounter % kIdleEvery != 0) return;
  if (Rand() % 2 != 0 || mCurrentAnimation || mCarryCode != kCarryNothing) return;
  const int r = Rand() % 10;
  if (r < 6) {
    PlayAnimation(kIdleBlink);
  } else if (r < 8) {
    PlayAnimation(kIdleLong);
  } else {
    PlayAnimation(kIdleScratch);
    GetGameHost()->PlaySound(SOUND_MONKEY_SCRATCH);
  }
}

// ---- Treats, speed and fatigue ----

bool Monkey::SpeedUp(int treatKind) {
  if (mCarryCode == kCarryNothing && (!mCurrentAnimation || IsIdleAnimation())) {
    mTreatKind = treatKind;
    StopAnimation();
    PlayAnimation(kEatTreat);
    mEatSoundPlayed = false;
  } else {
    mBoard->CheckHappyMonkeysTrophy();
    GetGameHost()->PlaySound(SOUND_MONKEY_SPEED_UP);
  }
  mFatigue = 1.0f;
  int boost = 0;
  switch (treatKind) {
    case kItemBanana: boost = 1500; break;
    case kItemApple: boost = 2000; break;
    case kItemPear: boost = 2500; break;
    case kItemSuperBanana: boost = 400000; break;
    default: return true;
  }
  mBoostFrames += boost;
  mSpeed = mTargetSpeed = kTreatSpeed;
  return true;
}

void Monkey::UpdateTreat() {
  if (!mCurrentAnimation) mTreatKind = 0;
}

void Monkey::UpdateFatigue() {
  if (mBoostFrames != 0) return;
  if (!mRunning) {
    if (mFatigue < 1.0f) mFatigue = std::min(1.0f, mFatigue + kRestStep);
    return;
  }
  // An experienced monkey can be worked harder.
  PlayerProfile* profile = GetProfile();
  const float floor = profile && profile->GetStoryDays() > 7 ? 0.6f : 0.8f;
  if (mFatigue > floor) mFatigue = std::max(floor, mFatigue - kTireStep);
}

void Monkey::UpdateIdle() {
  UpdateAnimation();
  ChooseIdle();
  if (mTreatKind != 0) {
    // Eating: nothing else happens until the treat is gone.
    UpdateTreat();
    UpdateFatigue();
    return;
  }
  if (mSpeed < mTargetSpeed) mSpeed = std::min(mTargetSpeed, mSpeed + kSpeedStep);
  if (mSpeed > mTargetSpeed) mSpeed = std::max(mTargetSpeed, mSpeed - kSpeedStep);
  if (mBoostFrames > 0 && mRunning && --mBoostFrames == 0) mTargetSpeed = kNormalSpeed;
  UpdateTasks();
  UpdateFatigue();
}

// ---- Tasks ----

MonkeyAction* Monkey::GetTask(int index) const { return static_cast<MonkeyAction*>(mTasks.GetAt(index)); }

int Monkey::LastTaskKind() const { return mTasks.IsEmpty() ? 0 : GetTask(mTasks.GetCount() - 1)->GetKind(); }

bool Monkey::Append(MonkeyAction* task) {
  mTasks.PushBack(task);
  return true;
}

void Monkey::StepCurrentTask(float dt) {
  if (mRunning && !mTasks.IsEmpty()) GetTask(0)->Step(dt);
}

void Monkey::UpdateTasks() {
  if (mRunning && !mTasks.IsEmpty()) {
    MonkeyAction* front = GetTask(0);
    if (front->Apply()) {
      mTasks.RemoveAt(0);
      mBoard->OnTutorialMonkeyEvent(front->GetKind(), false);
      delete front;
      mRunning = false;
    }
  }
  // A queue that kept answering with new tasks would never let the tick
  // end; what is left waits for the next one.
  int starts = 0;
  while (!mRunning && !mTasks.IsEmpty() && starts++ < kMaxStartsPerUpdate) {
    MonkeyAction* front = GetTask(0);
    const MonkeyActionResult result = front->Run();
    const bool other = result.next && result.next != front;
    if (result.finished) {
      mTasks.RemoveAt(0);
      if (!other) mBoard->OnTutorialMonkeyEvent(front->GetKind(), true);
      delete front;
      if (other) mTasks.PushFront(result.next);
    } else if (other) {
      mTasks.PushFront(result.next);
    } else {
      mRunning = true;
    }
  }
}

bool Monkey::EnqueueToTable(Table* table) { return Append(new MonkeyToTableAction(this, table, true)); }

bool Monkey::EnqueueToCounterDish() { return Append(new MonkeyToCounterDishAction(this)); }

bool Monkey::EnqueueToTrashStation() {
  if ((mTasks.IsEmpty() && HasEmptyHands()) || LastTaskKind() == kMonkeyToTrashStation) return false;
  return Append(new MonkeyToTrashStationAction(this, true));
}

bool Monkey::EnqueueToNapkins() {
  if ((mTasks.IsEmpty() && mCarryCode == kCarryNapkin) || LastTaskKind() == kMonkeyToNapkins) return false;
  return Append(new MonkeyToNapkinsAction(this));
}

bool Monkey::EnqueueToLemonade() {
  const bool holdsOne = mCarryCode >= kCarryLemonade && mCarryCode <= kCarryLemonade + 2;
  if ((mTasks.IsEmpty() && holdsOne) || LastTaskKind() == kMonkeyToLemonade) return false;
  return Append(new MonkeyToLemonadeAction(this));
}

bool Monkey::EnqueueToCookies() {
  const bool holdsOne = mCarryCode >= kCarryCookie && mCarryCode <= kCarryCookie + 2;
  if ((mTasks.IsEmpty() && holdsOne) || LastTaskKind() == kMonkeyToCookies) return false;
  return Append(new MonkeyToCookiesAction(this));
}

bool Monkey::EnqueueToJugglingBalls() { return Append(new MonkeyToJugglingBallsAction(this)); }

bool Monkey::EnqueueToBarrelOrgan() { return Append(new MonkeyToBarrelOrganAction(this)); }

// ---- Drawing ----

void Monkey::Draw(Graphics& g) {
  Image* shadow = mCarryCode == kCarryTray ? IMAGE_MONKEY_DISH_SHADOW : IMAGE_MONKEY_SHADOW;
  if (shadow) {
    g.SetColorizeImages(true);
    g.SetColor(mBoard->GetShadowColor());
    g.DrawImage(shadow, static_cast<int>(mX - FullW(shadow) / 2), static_cast<int>(mY - FullH(shadow) / 2 + 2.0f));
    g.SetColorizeImages(false);
  }
  if (!mCurrentAnimation) {
    DrawStanding(g);
    return;
  }
  const Animation& a = *mCurrentAnimation;
  if (IsPlaying(kBarrelOrgan)) {
    // The organ is his while he plays: its handle turns with his arm.
    AlphaButton* organ = mBoard->mOrganButton.get();
    Image* image = organ ? organ->GetStateImage(0) : nullptr;
    if (image) {
      const int cel = a.GetCurrentCel();
      const bool turned = cel % 2 == 0 && cel >= 30 && cel <= 40 && a.GetFrameCounter() < 20;
      g.DrawImageCell(image, organ->GetX(), organ->GetY(), turned ? 1 : 0);
    }
  }
  Image* body = a.GetImage();
  const int cw = CelW(body), ch = CelH(body);
  const int bx = static_cast<int>(mX) - cw / 2, by = static_cast<int>(mY) - ch + 8;
  if (body) {
    if (IsPlaying(kWalkRight) || IsPlaying(kWalkRightTray))
      g.DrawImageMirrorCell(body, bx, by, a.GetCurrentCel());
    else
      g.DrawImageCell(body, bx, by, a.GetCurrentCel());
  }
  const int ax = static_cast<int>(mX - cw / 2) + static_cast<int>(a.GetCurrentOffsetX());
  const int ay = static_cast<int>(mY - ch + 8.0f) + static_cast<int>(a.GetCurrentOffsetY());
  if (IsPlaying(kEatTreat) && a.GetFrameCounter() < 3) {
    if (Image* treat = TreatImage(mTreatKind)) g.DrawImage(treat, ax - FullW(treat) / 2, ay - FullH(treat) / 2);
  }
  if (mCarryCode == kCarryTray) {
    g.Translate(ax, ay);
    mTray.Draw(g);
    g.Translate(-ax, -ay);
  }
  // Walking up or left the load is hidden behind him.
  if (IsPlaying(kWalkDownCarrying) || IsPlaying(kWalkRightCarrying)) DrawHeld(g, ax, ay);
}

void Monkey::DrawStanding(Graphics& g) {
  const int x = static_cast<int>(mX), y = static_cast<int>(mY);
  if (mCarryCode == kCarryTray) {
    Image* image = IMAGE_MONKEY_GIRL_DOWN_4;
    const int cw = CelW(image), ch = CelH(image);
    if (image) g.DrawImageCell(image, x - cw / 2 + 4, y - ch + 8, 8);
    const int tx = x - cw / 2 + 52, ty = y - ch + 30;
    g.Translate(tx, ty);
    mTray.Draw(g);
    g.Translate(-tx, -ty);
    return;
  }
  if (mCarryCode >= kCarryDishes && mCarryCode <= kCarryBalls) {
    Image* image = IMAGE_MONKEY_GIRL_DOWN_6;
    const int cw = CelW(image), ch = CelH(image);
    if (image) g.DrawImageCell(image, x - cw / 2, y - ch + (mCarryCode == kCarryDishes ? 8 : 4), 0);
    const int hx = static_cast<int>(mX - cw / 2) + 7, hy = static_cast<int>(mY - ch + 8.0f) + 56;
    DrawHeld(g, hx, hy);
    return;
  }
  Image* image = IMAGE_MONKEY_GIRL_DOWN_1;
  if (image) g.DrawImageCell(image, x - CelW(image) / 2, y - CelH(image) + 8, 49);
}

void Monkey::DrawHeld(Graphics& g, int x, int y) {
  if (mCarryCode == kCarryDishes) {
    DrawDishStack(g, x, y + 4);
    return;
  }
  Image* image = nullptr;
  if (mCarryCode == kCarryNapkin) {
    image = IMAGE_MONKEY_NAPKIN;
    if (image) g.DrawImage(image, x - FullW(image) / 2, y - FullH(image) / 2);
  } else if (mCarryCode >= kCarryLemonade && mCarryCode <= kCarryLemonade + 2) {
    image = IMAGE_MONKEY_LEMONADE;
    if (image) g.DrawImage(image, x - FullW(image) / 2, y - FullH(image) + 4);
  } else if (mCarryCode >= kCarryCookie && mCarryCode <= kCarryCookie + 2) {
    image = CookieImage(mCarryCode);
    if (image) g.DrawImage(image, x - FullW(image) / 2, y - FullH(image) / 2);
  } else if (mCarryCode == kCarryBalls) {
    PlayerProfile* profile = GetProfile();
    image = BallsImage(profile ? profile->GetJugglingLevel() : 0);
    if (image) g.DrawImageCell(image, x - CelW(image) / 2, y - FullH(image) + 8, 0);
  }
}

void Monkey::DrawDishStack(Graphics& g, int x, int y) {
  for (int i = 0; i < mDishCount; ++i) {
    Image* image = DishImage(mDishes[i]);
    if (!image) continue;
    g.DrawImageCell(image, x - CelW(image) / 2, y - FullH(image), 1);
    y -= mDishes[i] == kItemSpecialCup ? 6 : 4;
  }
}

}  // namespace Plix
