#include "game/screens/HelpDialog.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/ButtonWidget.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/screens/ScreenResources.h"

namespace Plix {

HelpDialog::HelpDialog(GameApp& app, bool fromMainMenu, OverlayOwner* owner)
    : GameDialog(app, kDialogId, IMAGE_DIALOG_BIG), mFromMainMenu(fromMainMenu), mOwner(owner) {
  mContentInsets = Insets{90, 82, 90, 44};
  mNextPage = MakeButton(kNextPage, IMAGE_DIALOG_ARROW_RIGHT, L"");
  mPreviousPage = MakeButton(kPreviousPage, IMAGE_DIALOG_ARROW_LEFT, L"");
  mClose = MakeButton(kClose, IMAGE_DIALOG_BUTTON_2, L"Close", IMAGE_DIALOG_BUTTON_1);
  SetVeil(fromMainMenu ? 0 : kVeilMax, fromMainMenu);
  LoadAndBindGroup(mApp, "Help");
}

HelpDialog::~HelpDialog() { FreeGroupAndHandles(mApp, "Help"); }

ButtonWidget* HelpDialog::GetButton(int id) const {
  return id == kNextPage ? mNextPage : id == kPreviousPage ? mPreviousPage : id == kClose ? mClose : nullptr;
}

void HelpDialog::PlaceControls(int x, int y, int width, int height) {
  const int cw = mPreviousPage->mWidth, ch = mPreviousPage->mHeight;
  const int ay = y + height - mContentInsets.mBottom - ch - 28;
  mPreviousPage->Resize(x + mContentInsets.mLeft + 64, ay, cw, ch);
  mNextPage->Resize(x + width - mContentInsets.mRight - cw - 54, ay, cw, ch);
  const int bw = mClose->mWidth, bh = mClose->mHeight;
  mClose->Resize(x + (width - bw) / 2, y + height - mContentInsets.mBottom - bh, bw, bh);
}

void HelpDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  switch (id) {
    case kNextPage:
      mPage = (mPage + 1) % kPages;
      MarkDirty();
      break;
    case kPreviousPage:
      mPage = mPage == 0 ? kPages - 1 : mPage - 1;
      MarkDirty();
      break;
    case kClose:
      StartClosing(kClose);
      break;
    default:
      break;
  }
}

void HelpDialog::KeyChar(wchar_t ch) {
  if (ch == 13 || ch == 27) StartClosing(kClose);
}

void HelpDialog::CloseAction() {
  const bool fromMainMenu = mFromMainMenu;
  OverlayOwner* owner = mOwner;
  mApp.CloseDialogObject(this);
  if (fromMainMenu)
    mApp.ResumeMainMenu();
  else if (owner)
    owner->RestoreOverlay();
}

void HelpDialog::Draw(Graphics* g) {
  DrawVeil(g, mVeilAlpha);
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_DIALOG_BIG, 0, 0);
  Image* pages[kPages] = {IMAGE_HELP_1, IMAGE_HELP_2, IMAGE_HELP_3, IMAGE_HELP_4, IMAGE_HELP_5};
  DrawImageIf(g, pages[mPage], 81, 77);
  DrawPictureAndTitle(g, nullptr, L"How to Play");
}

}  // namespace Plix
