#include "game/screens/ShopScreen.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/platform/DebugOutput.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/Curve.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"

namespace Plix {

namespace {

constexpr int kPanelTicks = 50;
constexpr int kPanelTicksAfterAnswer = 100;
constexpr int kCashStepDelay = 5;
constexpr int kWelcomeDelay = 100;

const wchar_t* const kRefusals[3] = {L"Sorry, but you can't afford it ...",
                                     L"It seems this item is a bit too expensive for you ...",
                                     L"I'm afraid you don't have enough money ..."};

}  // namespace

ShopScreen::ShopScreen(GameApp& app, std::string group) : ScreenFrame(app, std::move(group), "data/circus.ogg") {
  mDisplayedCash = Player().GetCash();
}

ShopScreen::~ShopScreen() { delete mBalloon; }

PlayerProfile& ShopScreen::Player() {
  PlayerProfile* profile = mApp.GetCurrentProfile();
  return profile ? *profile : mNoPlayer;
}

int ShopScreen::Day() { return Player().GetStoryDays() + 1; }

int ShopScreen::GetSellerMood() const {
  if (mSeller == &mGesture) return 1;
  if (mSeller == &mTalk) return 2;
  if (mSeller == &mSold) return 3;
  return 0;
}

AlphaButton* ShopScreen::AddItemButton(int id, Image* image, int column, int x, int y, int growth) {
  AlphaButton* button = AddButton(id, image, nullptr, x, y);
  button->SetImage(image, true);
  button->SetStateCell(0, column, 0);
  button->SetStateCell(1, column + 1, 0);
  button->CreateHitMask(growth);
  return button;
}

void ShopScreen::SetBalloon(InfoBalloon* balloon, int item) {
  delete mBalloon;
  mBalloon = balloon;
  mBalloonItem = item;
}

void ShopScreen::Welcome(const std::wstring& text, const std::wstring& button, int style, int mode, int x, int y) {
  auto* balloon = new InfoBalloon(0, style);
  balloon->SetFastText();
  SetBalloon(balloon);
  balloon->Place(mode, x, y);
  balloon->AddPage(text);
  balloon->SetYesText(button);
  balloon->SetDelay(kWelcomeDelay);
  balloon->SetBlocking();
  balloon->LayoutPage();
}

// Update.

void ShopScreen::Update() {
  GameScreen::Update();
  if (IsPaused()) return;
  StepCash();
  if (StepFade()) return;
  ++mTicks;
  StepStockTimer();
  StepTalk();
  StepHover();
  UpdateScene();
  MarkDirty();
}

void ShopScreen::StepCash() {
  if (mCashDelay > 0) --mCashDelay;
  const int d = mDisplayedCash - Player().GetCash();
  if (d <= 0 || mCashDelay != 0) return;
  mCashDelay = kCashStepDelay;
  --mDisplayedCash;
  int r = d - 1;
  if (r > 20) {
    mDisplayedCash -= 10;
    r -= 10;
  }
  if (r > 200) {
    mDisplayedCash -= 100;
    r -= 100;
  }
  if (r > 2000) mDisplayedCash -= 1000;
}

void ShopScreen::StepStockTimer() {
  if (mStockTimer <= 0 || mBalloon || (mHovered && mHovered->GetId() > 0)) return;
  if (--mStockTimer == 0) mStockCell = -1;
}

void ShopScreen::StepTalk() {
  if (!mBalloon) {
    if (mSeller == &mTalk) mSeller = nullptr;
    return;
  }
  const int result = mBalloon->Update();
  if (result == InfoBalloon::kPageStarted) {
    StartAnimation(&mTalk);
  } else if ((result == InfoBalloon::kPageFinished || result == InfoBalloon::kLastPageFinished) &&
             mSeller == &mTalk) {
    mSeller = nullptr;
  }
}

void ShopScreen::StepHover() {
  if (!mHovered || mPressed || mHoverInfo || mBalloon) return;
  if (++mHoverTimer > kHoverTicks) ShowItemInfo(mHovered->GetId());
}

void ShopScreen::StartAnimation(Animation* animation) {
  mSeller = animation;
  animation->Reset();
}

void ShopScreen::StepSeller() {
  if (mSeller && !mSeller->Update()) mSeller = nullptr;
}

void ShopScreen::OnFadeResult(int result) {
  if (result != kResultLeave) return;
  RemoveAndQueueDelete();
  LeaveToMap();
}

// The talk.

void ShopScreen::ShowItemInfo(int id) {
  SetBalloon(nullptr);
  if (id == kExit) return;
  OutputDebugStringA("show info balloon\n");
  mHoverInfo = true;
  auto* balloon = new InfoBalloon(0, InfoBalloon::kLarge);
  balloon->SetFastText();
  SetBalloon(balloon);
  PlaceItemBalloon(balloon);
  Offer offer;
  balloon->AddPage(GetOffer(id, offer) ? offer.info : std::wstring());
  balloon->LayoutPage();
}

void ShopScreen::HideItemInfo() {
  mHoverInfo = false;
  if (!mBalloon) return;
  OutputDebugStringA("hide info balloon\n");
  SetBalloon(nullptr);
  if (mSeller == &mTalk) mSeller = nullptr;
}

void ShopScreen::SetStockPanel(int id) {
  int cel = -1, count = 0;
  if (!GetPanel(id, cel, count)) return;
  mStockTimer = kPanelTicks;
  if (cel < 0) return;
  mStockCell = cel;
  mStockCount = count;
}

void ShopScreen::DisableButton(AlphaButton* button, bool hide) {
  if (!button) return;
  button->SetDisabled(true);
  if (hide) button->SetVisible(false);
  if (mHovered == button) mHovered = nullptr;
  if (mPressed == button) mPressed = nullptr;
}

bool ShopScreen::HandleBalloonResult(int result) {
  if (result <= 0 || !mBalloon) return false;
  if (result == InfoBalloon::kPageFinished) return true;
  const int id = mBalloonItem;
  SetBalloon(nullptr);
  if (id <= 0) return true;
  mStockTimer = kPanelTicksAfterAnswer;
  if (result != InfoBalloon::kYesChosen) return true;
  PlayerProfile& player = Player();
  if (mPendingPrice > player.GetCash()) {
    auto* refusal = new InfoBalloon(0, InfoBalloon::kSmall);
    refusal->SetFastText();
    SetBalloon(refusal);
    PlaceItemBalloon(refusal);
    refusal->AddPage(kRefusals[Rand() % 3]);
    refusal->SetYesText(L"OK");
    refusal->SetBlocking();
    refusal->LayoutPage();
    mApp.PlaySound(SOUND_NOT_ENOUGH_MONEY_1);
    return true;
  }
  StartAnimation(&mSold);
  mApp.PlaySound(SOUND_PAY);
  player.SpendCash(mPendingPrice);
  mStockCount = ApplyPurchase(id, mClicked);
  return true;
}

// Input: only the pause stops it; the fade-out to the map does not.

void ShopScreen::KeyChar(wchar_t ch) {
  if (IsPaused()) return;
  if (mBalloon && !mHoverInfo) HandleBalloonResult(mBalloon->KeyDown(ch));
}

void ShopScreen::MouseMove(int x, int y) {
  if (IsPaused()) return;
  if (mBalloon && !mHoverInfo && mBalloon->MouseMove(x, y, true)) {
    if (mHovered) mHovered->LeaveHover();
    mHovered = nullptr;
    if (PanelFromBalloonUnderMouse() && mBalloonItem > 0) SetStockPanel(mBalloonItem);
    return;
  }
  AlphaButton* before = mHovered;
  // A button bought meanwhile keeps its disabled state.
  if (mHovered) mHovered->LeaveHover();
  mHovered = nullptr;
  AlphaButton* candidate = nullptr;
  ObjectListIterator it;
  for (it.Begin(mButtons); !it.AtEnd(); it.Next()) {
    auto* button = static_cast<AlphaButton*>(it.Get());
    if (button->GetState() != 3 && button->Contains(x, y)) candidate = button;
  }
  if (candidate) {
    mApp.SetCursor(1);
    candidate->SetState(1);
    mHovered = candidate;
    SetStockPanel(candidate->GetId());
    if (candidate != before) {
      if (candidate->GetId() != kExit) mApp.PlaySound(SOUND_MOUSE_OVER_SHORT);
      mHoverTimer = 0;
      if (mHoverInfo) HideItemInfo();
    }
    return;
  }
  if (before) {
    mApp.SetCursor(0);
    mHoverTimer = 0;
    if (mHoverInfo) HideItemInfo();
  }
  if (mBalloon && mBalloonItem > 0) SetStockPanel(mBalloonItem);
}

void ShopScreen::MouseDown(int x, int y, int clickCount) {
  GameScreen::MouseDown(x, y, clickCount);
  if (IsPaused()) return;
  if (mBalloon && !mHoverInfo) {
    if (!mBalloon->MouseDown()) return;
    // A press outside a blocking balloon closes it and goes on as a press.
    SetBalloon(nullptr);
    MouseMove(x, y);
  }
  if (!mHovered) return;
  mPressed = mHovered;
  mApp.PlaySound(SOUND_MOUSE_CLICK);
}

void ShopScreen::MouseDrag(int x, int y) {
  if (IsPaused()) return;
  if (mBalloon && !mHoverInfo) mBalloon->MouseDrag(x, y);
  if (!mPressed) return;
  if (mPressed->Contains(x, y)) {
    mHovered = mPressed;
    mHovered->SetState(1);
    mApp.SetCursor(1);
  } else {
    mPressed->LeaveHover();
    mHovered = nullptr;
    mApp.SetCursor(0);
  }
}

void ShopScreen::MouseUpAt(int x, int y) {
  if (IsPaused()) return;
  mApp.SetCursor(0);
  if (mBalloon && !mHoverInfo) HandleBalloonResult(mBalloon->MouseUp(x, y));
  if (mPressed && mPressed == mHovered) {
    AlphaButton* clicked = mPressed;
    const int id = clicked->GetId();
    mClicked = clicked;
    Offer offer;
    if (RefuseClick(id)) {
      // The refusal is up; nothing else happens.
    } else if (id == kExit) {
      if (!mHoverInfo) ShowItemInfo(id);
      LeaveWith(kResultLeave);
    } else if (GetOffer(id, offer)) {
      if (!mHoverInfo || !mBalloon) ShowItemInfo(id);
      mPendingPrice = offer.price;
      mBalloon->AppendText(offer.question);
      mBalloon->SetYesText(L"Yes");
      mBalloon->SetNoText(L"No");
      mBalloonItem = id;
      mBalloon->SetBlocking();
      mHoverInfo = false;
      mBalloon->LayoutButtons();
      if (mSeller != &mTalk) StartAnimation(&mTalk);
    }
    clicked->LeaveHover();
  }
  mPressed = nullptr;
  mHovered = nullptr;
}

// Drawing.

void ShopScreen::DrawStockPanel(Graphics* g, Image* image, int x, int y, int textX, int textY) {
  if (mStockCell < 0) return;
  if (image) g->DrawImageCell(image, x, y, mStockCell);
  if (!FONT_RAVIE_14) return;
  g->SetImageTinting(true);
  g->SetFont(FONT_RAVIE_14);
  g->SetColor(Color(255, 255, 255));
  g->DrawString(L"x" + std::to_wstring(mStockCount), textX, textY);
  g->SetImageTinting(false);
}

void ShopScreen::DrawCash(Graphics* g, int x, int y) {
  if (!FONT_RAVIE_16) return;
  char text[32];
  FormatNumberWithCommas(text, mDisplayedCash);
  g->SetFont(FONT_RAVIE_16);
  g->SetColor(Color(255, 255, 0));
  g->WriteString(std::wstring(text, text + std::char_traits<char>::length(text)), x, y, -1, 0);
}

void ShopScreen::DrawTop(Graphics* g) {
  g->SetColor(Color(255, 255, 255));
  if (mBalloon) mBalloon->Draw(*g);
  if (mApp.GetFadeState() != 0) mApp.DrawFade(g);
  if (IsPaused()) {
    g->SetColor(Color(0, 0, 0, 64));
    g->FillRect(0, 0, mWidth, mHeight);
  }
}

}  // namespace Plix
