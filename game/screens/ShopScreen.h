#pragma once
// What the store and the circus share: the goods stand about as image
// buttons; resting the mouse on one makes the seller talk about it, a click
// asks whether to buy, and yes pays from the player's cash after the cash
// check. The cash at the top counts down to what is left, and a small panel
// shows how many of the good under discussion the player owns. One balloon
// at most is on screen: the welcome, the talk about a good (no buttons), the
// question, or a refusal.
#include <string>

#include "game/app/Animation.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/ScreenFrame.h"

namespace Plix {

class InfoBalloon;

class ShopScreen : public ScreenFrame {
public:
  static constexpr int kExit = 1;
  static constexpr int kResultLeave = 1;
  // Updates of pointing before the talk opens.
  static constexpr int kHoverTicks = 25;

  ShopScreen(GameApp& app, std::string group);
  ~ShopScreen() override;

  void Update() override;
  void KeyChar(wchar_t ch) override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int clickCount) override;
  void MouseUpAt(int x, int y) override;
  void MouseDrag(int x, int y) override;

  InfoBalloon* GetBalloon() const { return mBalloon; }
  // The good the open question is about; 0 for other balloons.
  int GetBalloonItem() const { return mBalloonItem; }
  bool IsShowingItemInfo() const { return mHoverInfo; }
  int GetDisplayedCash() const { return mDisplayedCash; }
  int GetPendingPrice() const { return mPendingPrice; }
  int GetStockCell() const { return mStockCell; }
  int GetStockCount() const { return mStockCount; }
  int GetStockTimer() const { return mStockTimer; }
  int GetHoverTimer() const { return mHoverTimer; }
  // The buttons in creation order.
  AlphaButton* GetButton(int i) const { return static_cast<AlphaButton*>(mButtons.GetAt(i)); }
  // The seller's running animation: 0 idle, 1 gesture, 2 talk, 3 sold.
  int GetSellerMood() const;
  // The good's talk with its price, its price and its question; false for
  // ids that are not goods.
  struct Offer {
    int price = 0;
    std::wstring info;
    std::wstring question;
  };
  virtual bool GetOffer(int id, Offer& offer) = 0;
  // The day about to be played.
  int Day();
  PlayerProfile& Player();

protected:
  // The panel's cel (-1: none on this day) and count for a good; false for
  // ids without a panel.
  virtual bool GetPanel(int id, int& cel, int& count) = 0;
  // What buying changes; the new stock count.
  virtual int ApplyPurchase(int id, AlphaButton* clicked) = 0;
  // Where the talk, the question and the refusal stand.
  virtual void PlaceItemBalloon(InfoBalloon* balloon) = 0;
  // True when the click was refused (the refusal is on screen then).
  virtual bool RefuseClick(int id) { return false; }
  // Whether the mouse over the question shows the panel of its good.
  virtual bool PanelFromBalloonUnderMouse() const { return true; }
  // The switch back to the map, once the screen has left.
  virtual void LeaveToMap() = 0;
  // The rest of an unpaused update after the shared steps.
  virtual void UpdateScene() {}

  void OnFadeResult(int result) override;

  // A button showing `column` of the image, its over look one column to
  // the right, hit on its opaque pixels grown by `growth`.
  AlphaButton* AddItemButton(int id, Image* image, int column, int x, int y, int growth);
  // The welcome balloon with its button, placed and shown after a delay.
  void Welcome(const std::wstring& text, const std::wstring& button, int style, int mode, int x, int y);
  void SetBalloon(InfoBalloon* balloon, int item = 0);
  void ShowItemInfo(int id);
  void HideItemInfo();
  bool HandleBalloonResult(int result);
  void SetStockPanel(int id);
  // The button can no longer be pointed at or clicked.
  void DisableButton(AlphaButton* button, bool hide);

  void StartAnimation(Animation* animation);
  void StepSeller();
  void DrawStockPanel(Graphics* g, Image* image, int x, int y, int textX, int textY);
  void DrawCash(Graphics* g, int x, int y);
  // The balloon, the fade and the paused veil.
  void DrawTop(Graphics* g);

  Animation mGesture;
  Animation mTalk;
  Animation mSold;
  Animation* mSeller = nullptr;
  int mTicks = 0;
  int mStockTimer = 0;

private:
  void StepCash();
  void StepStockTimer();
  void StepTalk();
  void StepHover();

  InfoBalloon* mBalloon = nullptr;  // owned
  int mBalloonItem = 0;
  bool mHoverInfo = false;
  int mHoverTimer = 0;
  int mDisplayedCash = 0;
  int mCashDelay = 0;
  int mPendingPrice = 0;
  int mStockCell = -1;
  int mStockCount = 0;
  AlphaButton* mClicked = nullptr;
  PlayerProfile mNoPlayer;
};

}  // namespace Plix
