#include "game/app/InfoBalloon.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/DebugOutput.h"
#include "framework/util/Utilities.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"

namespace Plix {

namespace {

AlphaButton* gShared[InfoBalloon::kSlotCount] = {};
int gLiveCount = 0;
int gTypingToggle = 0;

int Width(const Image* image) { return image ? image->GetWidth() : 0; }
int Height(const Image* image) { return image ? image->GetHeight() : 0; }
int CelWidth(const Image* image) { return image ? image->GetCellWidth() : 0; }

Image* Portrait(int speaker) {
  switch (speaker) {
    case 1: return IMAGE_BALLOON_PEMI;
    case 2: return IMAGE_BALLOON_SALES_PERSON;
    case 3: return IMAGE_BALLOON_UNCLE;
    case 4: return IMAGE_BALLOON_CIRCUS;
    default: return nullptr;
  }
}

// How far the pointer's tip lies in from the body's edge.
int PointerInset(int style) { return style == InfoBalloon::kSmall ? 66 : style == InfoBalloon::kLarge ? 46 : 76; }

}  // namespace

void InfoBalloon::CreateSharedButtons() {
  Image* images[kSlotCount] = {IMAGE_BALLOON_BUTTON_NEXT, IMAGE_BALLOON_BUTTON, IMAGE_BALLOON_BUTTON,
                               IMAGE_BALLOON_BUTTON_LEFT, IMAGE_BALLOON_BUTTON_RIGHT};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    delete gShared[slot];
    auto* b = new AlphaButton(slot + 1);
    b->SetImage(images[slot], true);
    b->SetStateCell(0, 0, 0);
    b->SetStateCell(1, 1, 0);
    b->SetPosition(0, 0);
    b->CreateHitMask(0);
    gShared[slot] = b;
  }
}

void InfoBalloon::DeleteSharedButtons() {
  for (AlphaButton*& b : gShared) {
    delete b;
    b = nullptr;
  }
}

AlphaButton* InfoBalloon::GetSharedButton(int slot) {
  return slot >= 0 && slot < kSlotCount ? gShared[slot] : nullptr;
}

int InfoBalloon::GetLiveCount() { return gLiveCount; }

void InfoBalloon::SetTypingToggle(int toggle) { gTypingToggle = toggle; }

namespace {
// Counts every balloon made, so that a balloon is told from the one before
// it even where it takes the freed one's memory.
int gBalloonsMade = 0;
}  // namespace

InfoBalloon::InfoBalloon(int id, int style) : mStyle(style), mId(id), mSerial(++gBalloonsMade) {
  mTalk.SetLooping();
  const int frames[6][2] = {{1, 20}, {2, 20}, {1, 20}, {0, 10}, {2, 20}, {1, 20}};
  for (const auto& f : frames) mTalk.AddFrame(f[0], f[1], 0.0f, 0.0f);
  switch (style) {
    case kSmall: mBodyImage = IMAGE_BALLOON_SMALL; break;
    case kNormal: mBodyImage = IMAGE_BALLOON_NORMAL; break;
    case kLarge: mBodyImage = IMAGE_BALLOON_LARGE; break;
    case kWide: mBodyImage = IMAGE_BALLOON_WIDE; break;
    default: break;
  }
  ++gLiveCount;
  OutputDebugStringA(StrFormat("(new) refcount = %d\n", gLiveCount));
}

InfoBalloon::~InfoBalloon() {
  for (AlphaButton* b : gShared)
    if (b) b->SetState(0);
  --gLiveCount;
  OutputDebugStringA(StrFormat("(del) refcount = %d\n", gLiveCount));
}

void InfoBalloon::AddPage(const std::wstring& text) {
  if (mPageCount >= kMaxPages) return;
  mPages[mPageCount++] = text;
}

void InfoBalloon::AppendText(const std::wstring& text) {
  if (mPageCount == 0) AddPage(text);
  else mPages[mPageCount - 1] += text;
}

void InfoBalloon::SetYesText(const std::wstring& text) {
  mYesText = text;
  mYesShown = true;
}

void InfoBalloon::SetNoText(const std::wstring& text) {
  mNoText = text;
  mNoShown = true;
}

void InfoBalloon::SetNumberRange(int maximum, int value) {
  mNumberShown = true;
  mNumberMin = 1;
  mNumberMax = maximum;
  mNumber = value;
  if (mNumber > mNumberMax) mNumber = mNumberMax;
  else if (mNumber < 1) mNumber = 1;
}

void InfoBalloon::UseNewFeatureSound() { mSound = SOUND_MAP_NEW_FEATURE; }

const std::wstring& InfoBalloon::PageText() const {
  static const std::wstring kNone;
  return mCurrentPage >= 0 && mCurrentPage < mPageCount ? mPages[mCurrentPage] : kNone;
}

void InfoBalloon::Place(int mode, int anchorX, int anchorY) {
  mAnchorX = anchorX;
  mAnchorY = anchorY;
  mPlacement = mode;
  if (mode == 0 || mode == 2 || mode == 3) {
    mPointerX = anchorX - CelWidth(IMAGE_BALLOON_POINTERS) / 2;
    mPointerY = anchorY - Height(IMAGE_BALLOON_POINTERS);
    mPointerCel = mode == 2 ? 1 : 0;
  }
  const int w = Width(mBodyImage), h = Height(mBodyImage), k = PointerInset(mStyle);
  if (mode == 2) {
    mX = anchorX - k;
    mY = mPointerY - h + 4;
    // Room for the portrait on the left.
    static const int kSpeakerShift[5] = {0, 32, 8, 40, 0};
    if (mSpeaker >= 0 && mSpeaker <= 4) mX -= kSpeakerShift[mSpeaker];
  } else if (mode == 3) {
    mX = anchorX - w + k;
    mY = mPointerY - h + 4;
  }
}

AlphaButton* InfoBalloon::Put(int slot, int x, int y) {
  AlphaButton* b = gShared[slot];
  mButtons[slot] = b;
  if (!b) return nullptr;
  b->SetPosition(x, y);
  b->SetState(0);
  return b;
}

void InfoBalloon::Layout(bool restartTyping) {
  if (restartTyping) mShown = 0;
  mHovered = nullptr;
  mPressed = nullptr;
  const int w = Width(mBodyImage), h = Height(mBodyImage);
  // The right-hand and left-hand places on the bottom edge, for a button
  // of that slot.
  auto right = [&](int slot, int& x, int& y) {
    AlphaButton* b = gShared[slot];
    x = mX + w - (b ? b->GetWidth() : 0) - 10;
    y = mY + h - (b ? b->GetHeight() : 0) - 8;
  };
  auto left = [&](int slot, int& x, int& y) {
    AlphaButton* b = gShared[slot];
    x = mX + 16;
    y = mY + h - (b ? b->GetHeight() : 0) - 8;
  };
  int x = 0, y = 0;
  if (!IsLastPage()) {
    right(kNext, x, y);
    Put(kNext, x, y);
    return;
  }
  mButtons[kNext] = nullptr;
  if (mYesShown) {
    if (!mNoShown) {
      right(kYes, x, y);
      if (AlphaButton* b = Put(kYes, x, y)) b->SetLabel(mYesText, -2, -4);
    } else {
      right(kNo, x, y);
      if (AlphaButton* b = Put(kNo, x, y)) b->SetLabel(mNoText, -2, -4);
      left(kYes, x, y);
      if (AlphaButton* b = Put(kYes, x, y)) b->SetLabel(mYesText, -2, -4);
    }
    if (mNumberShown) {
      right(kYes, x, y);
      if (AlphaButton* b = Put(kYes, x, y)) b->SetLabel(mYesText, -2, -4);
      left(kMinus, x, y);
      AlphaButton* minus = Put(kMinus, x, y);
      int minusX = x, minusY = y, minusW = minus ? minus->GetWidth() : 0;
      AlphaButton* plus = Put(kPlus, minusX + minusW + 64, minusY);
      int plusX = plus ? plus->GetX() : minusX + minusW + 64;
      mNumberX = (CelWidth(IMAGE_BALLOON_BUTTON_RIGHT) + plusX + minusX) / 2 + 14;
    }
  }
}

void InfoBalloon::LayoutPage() { Layout(true); }

void InfoBalloon::LayoutButtons() { Layout(false); }

bool InfoBalloon::HasButtons() const { return mButtons[kNext] || mButtons[kYes] || mButtons[kNo]; }

void InfoBalloon::TurnPage() {
  if (mCurrentPage < mPageCount - 1) ++mCurrentPage;
  LayoutPage();
}

int InfoBalloon::Update() {
  if (mDelay > 0) {
    if (--mDelay == 0 && mSound != -1) GetGameHost()->PlaySound(mSound);
    return 0;
  }
  int result = 0;
  gTypingToggle = 1 - gTypingToggle;
  const int length = static_cast<int>(PageText().size());
  if ((gTypingToggle == 0 || mFastText) && mShown < length) {
    if (mShown == 0) {
      result = kPageStarted;
      if (mSpeaker != 0) {
        mActiveTalk = &mTalk;
        mTalk.Reset();
      }
    }
    if (++mShown == length) {
      if (mSpeaker != 0) mActiveTalk = nullptr;
      result = IsLastPage() ? kLastPageFinished : kPageFinished;
    }
  }
  if (mSpeaker != 0) {
    if (mActiveTalk) {
      mActiveTalk->Update();
      mTalkingCel = mActiveTalk->GetCurrentCel();
    } else {
      mTalkingCel = 0;
    }
  }
  return result;
}

bool InfoBalloon::MouseMove(int x, int y, bool checkBody) {
  if (mDelay > 0) return false;
  if (mHovered) mHovered->SetState(0);
  mHovered = nullptr;
  AlphaButton* choice = nullptr;
  for (AlphaButton* b : mButtons)
    if (b && b->GetState() != 3 && b->Contains(x, y)) choice = b;
  if (choice) {
    choice->SetState(1);
    mHovered = choice;
    GetGameHost()->SetCursor(1);
    return true;
  }
  GetGameHost()->SetCursor(0);
  return checkBody && mBlocking && x >= mX && x < mX + Width(mBodyImage) && y >= mY && y < mY + Height(mBodyImage);
}

void InfoBalloon::MouseDrag(int x, int y) {
  if (mDelay > 0 || !mPressed) return;
  if (mPressed->Contains(x, y)) {
    mHovered = mPressed;
    mPressed->SetState(1);
    GetGameHost()->SetCursor(1);
  } else {
    mHovered = nullptr;
    mPressed->SetState(0);
    GetGameHost()->SetCursor(0);
  }
}

bool InfoBalloon::MouseDown() {
  if (mDelay > 0) return mBlocking;
  if (mHovered) {
    mPressed = mHovered;
    GetGameHost()->PlaySound(SOUND_MOUSE_CLICK);
    return false;
  }
  return mBlocking;
}

int InfoBalloon::MouseUp(int x, int y) {
  if (mDelay > 0 || !mPressed || mPressed != mHovered) return 0;
  GetGameHost()->SetCursor(0);
  switch (mPressed->GetId()) {
    case kNext + 1:
      TurnPage();
      MouseMove(x, y, false);
      return 0;
    case kYes + 1: return kYesChosen;
    case kNo + 1: return kNoChosen;
    case kMinus + 1:
      if (mNumber > mNumberMin) --mNumber;
      return 0;
    case kPlus + 1:
      if (mNumber < mNumberMax) ++mNumber;
      return 0;
    default: return 0;
  }
}

int InfoBalloon::KeyDown(wchar_t key) {
  if (mDelay > 0) return 0;
  const bool enter = key == 13, escape = key == 27;
  if (!IsLastPage()) {
    if (enter || escape) TurnPage();
    return 0;
  }
  if (!mYesShown) return 0;
  if (escape) return mNoShown ? kNoChosen : kYesChosen;
  if (enter) return kYesChosen;
  return 0;
}

void InfoBalloon::Draw(Graphics& g) {
  if (mDelay > 0) return;
  const int w = Width(mBodyImage), h = Height(mBodyImage);
  if (mBodyImage) g.DrawImage(mBodyImage, mX, mY);

  int inset = 0;
  if (Image* portrait = Portrait(mSpeaker)) {
    static const int kAt[5][3] = {{0, 0, 0}, {-3, -23, -3}, {-5, -43, -5}, {5, -12, 5}, {7, -3, 7}};
    g.DrawImageCell(portrait, mX + kAt[mSpeaker][0], mY + kAt[mSpeaker][1], mTalkingCel);
    inset = portrait->GetCellWidth() + kAt[mSpeaker][2];
  }

  Image* pointer = mStyle == kWide ? IMAGE_BALLOON_WIDE_ARROWS : IMAGE_BALLOON_POINTERS;
  if (pointer) g.DrawImageCell(pointer, mPointerX, mPointerY, mPointerCel);

  g.SetFont(FONT_DEFAULT);
  g.SetImageTinting(true);
  g.SetColor(Color(0, 0, 0, 255));
  g.DrawWordWrapped(Rect(mX + inset + 16, mY + 16, w - inset - 32, h - 32), PageText(), -1, -1, mShown);
  g.SetImageTinting(false);

  for (AlphaButton* b : mButtons)
    if (b) b->Draw(g);

  AlphaButton* minus = mButtons[kMinus];
  if (mNumberShown && minus) {
    g.SetImageTinting(true);
    g.SetColor(Color(0, 0, 0, 255));
    g.SetFont(FONT_RAVIE_14);
    const int a = FONT_DEFAULT ? FONT_DEFAULT->GetAscent() : 0;
    const int base = minus->GetY() + (a + minus->GetHeight() - a / 6 - 1) / 2;
    g.WriteString(StringToWString(StrFormat("%d", mNumber)), mNumberX, base - 3);
    g.SetImageTinting(false);
    if (IMAGE_FLAVOR_CONTEST_SPOON)
      g.DrawImage(IMAGE_FLAVOR_CONTEST_SPOON, minus->GetX() + minus->GetWidth() + 2, minus->GetY() + 4);
  }
}

}  // namespace Plix
