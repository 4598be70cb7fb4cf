#pragma once
// The speech and hint balloon of every scene: a body with a pointer aimed
// at a point, up to five pages typed out a character at a time, an
// optional talking portrait, and the five buttons shared by all balloons
// (next page, yes, no, minus, plus). Owners forward their mouse and key
// events, call Update once per update and Draw once per frame, and act on
// the codes that Update, MouseUp and KeyDown return.
#include <string>

#include "game/app/Animation.h"

namespace Plix {

class AlphaButton;
class Graphics;
class Image;

class InfoBalloon {
public:
  static constexpr int kMaxPages = 5;
  // Styles.
  static constexpr int kSmall = 0;
  static constexpr int kNormal = 1;
  static constexpr int kLarge = 2;
  static constexpr int kWide = 3;
  // Button slots, and the ids of the shared buttons (slot + 1).
  enum Slot { kNext = 0, kYes, kNo, kMinus, kPlus, kSlotCount };
  // Codes of Update.
  static constexpr int kPageStarted = 3;
  static constexpr int kPageFinished = 1;
  static constexpr int kLastPageFinished = 2;
  // Codes of MouseUp and KeyDown.
  static constexpr int kYesChosen = 2;
  static constexpr int kNoChosen = 3;

  // The five shared buttons, made once the permanent images are bound.
  static void CreateSharedButtons();
  static void DeleteSharedButtons();
  static AlphaButton* GetSharedButton(int slot);
  // Balloons alive.
  static int GetLiveCount();
  // Without fast text, a character is typed on every second update counted
  // over all balloons together; a new scene may start the count afresh.
  static void SetTypingToggle(int toggle);

  InfoBalloon(int id, int style);
  ~InfoBalloon();
  InfoBalloon(const InfoBalloon&) = delete;
  InfoBalloon& operator=(const InfoBalloon&) = delete;
  // Destroys and frees a balloon made with new.
  static void Delete(InfoBalloon* balloon) { delete balloon; }

  // At most five pages; a sixth is ignored.
  void AddPage(const std::wstring& text);
  // To the last page (the first when there is none yet).
  void AppendText(const std::wstring& text);
  void SetYesText(const std::wstring& text);
  void SetNoText(const std::wstring& text);
  // The number chooser: 1 to maximum, starting at the value brought into
  // that range.
  void SetNumberRange(int maximum, int value);
  int GetNumber() const { return mNumber; }
  void SetDelay(int updates) { mDelay = updates; }
  void UseNewFeatureSound();
  // 0 none, 1 Pemi, 2 the sales person, 3 the uncle, 4 the circus keeper.
  void SetSpeaker(int speaker) { mSpeaker = speaker; }
  void SetFastText() { mFastText = true; }
  void SetBlocking() { mBlocking = true; }
  bool IsBlocking() const { return mBlocking; }
  int GetId() const { return mId; }
  // Different for every balloon the program makes.
  int GetSerial() const { return mSerial; }

  // Mode 0 moves the pointer only, 1 nothing, 2 puts the body to the right
  // of the pointer, 3 to its left.
  void Place(int mode, int anchorX, int anchorY);
  int GetPlacement() const { return mPlacement; }
  int GetAnchorY() const { return mAnchorY; }
  // Puts the shared buttons of the current page in place and restarts the
  // typing; LayoutButtons does the same without restarting.
  void LayoutPage();
  void LayoutButtons();
  void GoToFirstPage() { mCurrentPage = 0; }
  bool HasButtons() const;
  bool IsLastPage() const { return mCurrentPage == mPageCount - 1; }

  int Update();
  void Draw(Graphics& g);
  bool MouseMove(int x, int y, bool checkBody);
  void MouseDrag(int x, int y);
  // True when the click is consumed.
  bool MouseDown();
  int MouseUp(int x, int y);
  int KeyDown(wchar_t key);

  // State the owners and tests read.
  int GetX() const { return mX; }
  int GetY() const { return mY; }
  int GetPointerX() const { return mPointerX; }
  int GetPointerY() const { return mPointerY; }
  int GetPointerCel() const { return mPointerCel; }
  int GetCurrentPage() const { return mCurrentPage; }
  const std::wstring& GetPageText() const { return PageText(); }
  int GetPageCount() const { return mPageCount; }
  int GetShown() const { return mShown; }
  int GetTalkingCel() const { return mTalkingCel; }
  int GetNumberX() const { return mNumberX; }
  AlphaButton* GetSlot(int slot) const { return slot >= 0 && slot < kSlotCount ? mButtons[slot] : nullptr; }
  AlphaButton* GetHovered() const { return mHovered; }
  Image* GetBodyImage() const { return mBodyImage; }

private:
  const std::wstring& PageText() const;
  void Layout(bool restartTyping);
  void TurnPage();
  AlphaButton* Put(int slot, int x, int y);

  int mX = 0;
  int mY = 0;
  int mPointerX = 0;
  int mPointerY = 0;
  int mAnchorX = 0;
  int mAnchorY = 0;
  int mStyle;
  int mPageCount = 0;
  std::wstring mYesText;
  std::wstring mNoText;
  bool mBlocking = false;
  int mSpeaker = 0;
  int mTalkingCel = 0;
  Animation mTalk;
  Animation* mActiveTalk = nullptr;
  std::wstring mPages[kMaxPages];
  int mPlacement = 0;
  int mCurrentPage = 0;
  AlphaButton* mButtons[kSlotCount] = {};
  int mNumberMin = 0;
  int mNumberMax = 0;
  int mNumber = 0;
  int mNumberX = 0;
  Image* mBodyImage = nullptr;
  int mPointerCel = 0;
  int mShown = 0;
  AlphaButton* mHovered = nullptr;
  AlphaButton* mPressed = nullptr;
  bool mYesShown = false;
  bool mNoShown = false;
  bool mNumberShown = false;
  int mDelay = 1;
  int mSound = -1;
  int mId;
  int mSerial;
  bool mFastText = false;
};

}  // namespace Plix
