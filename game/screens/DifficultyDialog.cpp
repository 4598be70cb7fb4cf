#include "game/screens/DifficultyDialog.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/ButtonWidget.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/screens/MainMenu.h"

namespace Plix {

DifficultyDialog::DifficultyDialog(GameApp& app, MainMenu* menu)
    : GameDialog(app, kDialogId, IMAGE_DIALOG_MESSAGE), mMenu(menu) {
  mPrevious = MakeButton(kPrevious, IMAGE_DIALOG_ARROW_LEFT, L"");
  mNext = MakeButton(kNext, IMAGE_DIALOG_ARROW_RIGHT, L"");
  mPlay = MakeButton(kPlay, IMAGE_DIALOG_BUTTON_1, L"Play");
  mBack = MakeButton(kBack, IMAGE_DIALOG_BUTTON_2, L"Back", IMAGE_DIALOG_BUTTON_1);
  SetVeil(0, true);
}

const wchar_t* DifficultyDialog::DifficultyName(int index) {
  return index == 0 ? L"Easy" : index == 1 ? L"Normal" : L"Hard";
}

ButtonWidget* DifficultyDialog::GetButton(int id) const {
  switch (id) {
    case kPlay: return mPlay;
    case kBack: return mBack;
    case kPrevious: return mPrevious;
    case kNext: return mNext;
    default: return nullptr;
  }
}

void DifficultyDialog::PlaceControls(int x, int y, int width, int height) {
  int m = 0;
  if (FONT_RAVIE_14)
    for (int i = 0; i < 3; ++i) m = std::max(m, FONT_RAVIE_14->StringWidth(DifficultyName(i)));
  m += 32;
  const int aw = mPrevious->mWidth, ah = mPrevious->mHeight;
  mPrevious->Resize(x + (width - m) / 2 - aw, y + 142, aw, ah);
  mNext->Resize(x + (width + m) / 2, y + 142, mNext->mWidth, mNext->mHeight);
  const int cw = mPlay->mWidth, ch = mPlay->mHeight;
  const int by = y + height - mContentInsets.mBottom - ch;
  mBack->Resize(x + mContentInsets.mLeft, by, cw, ch);
  mPlay->Resize(x + width - mContentInsets.mRight - cw, by, cw, ch);
}

void DifficultyDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  switch (id) {
    case kPrevious:
      if (--mIndex < 0) mIndex = 2;
      MarkDirty();
      break;
    case kNext:
      if (++mIndex > 2) mIndex = 0;
      MarkDirty();
      break;
    case kPlay:
    case kBack:
      StartClosing(id);
      break;
    default:
      break;
  }
}

void DifficultyDialog::KeyChar(wchar_t ch) {
  if (ch == 13)
    StartClosing(kPlay);
  else if (ch == 27)
    StartClosing(kBack);
}

void DifficultyDialog::CloseAction() {
  const int code = mClosing;
  mApp.CloseDialogObject(this);
  if (code == kPlay)
    mMenu->StartHappyHour(mIndex);
  else
    mMenu->Resume();
}

void DifficultyDialog::Draw(Graphics* g) {
  DrawVeil(g, mVeilAlpha);
  DrawPictureAndTitle(g, IMAGE_DIALOG_MESSAGE, L"Happy Hour");
  if (!FONT_RAVIE_14) return;
  g->SetFont(FONT_RAVIE_14);
  g->SetColor(DialogTextColor());
  DrawCentred(g, DifficultyName(mIndex), mWidth / 2, 160);
  DrawCentred(g, L"Please select difficulty", mWidth / 2, 124);
}

}  // namespace Plix
