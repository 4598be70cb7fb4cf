#include "game/screens/RestartDialog.h"

#include "framework/widget/ButtonWidget.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/screens/Map.h"

namespace Plix {

RestartDialog::RestartDialog(GameApp& app, Map& owner)
    : GameDialog(app, kId, IMAGE_DIALOG_MESSAGE, IMAGE_DIALOG_MESSAGE), mOwner(owner) {
  mYes = MakeButton(kYes, IMAGE_DIALOG_BUTTON_1, L"Yes");
  mNo = MakeButton(kNo, IMAGE_DIALOG_BUTTON_1, L"No");
  SetVeil(0, true);
}

void RestartDialog::PlaceControls(int x, int y, int width, int height) {
  const int bw = mYes->mWidth, bh = mYes->mHeight;
  const int by = y + height - mContentInsets.mBottom - bh;
  mYes->Resize(x + mContentInsets.mLeft, by, bw, bh);
  mNo->Resize(x + width - mContentInsets.mRight - bw, by, bw, bh);
}

void RestartDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  if (id == kYes || id == kNo) StartClosing(id);
}

void RestartDialog::KeyChar(wchar_t ch) {
  if (ch == 13)
    StartClosing(kYes);
  else if (ch == 27)
    StartClosing(kNo);
}

void RestartDialog::OnArrived() { mApp.PlaySound(SOUND_DIALOG_ASK); }

void RestartDialog::CloseAction() {
  const bool confirmed = mClosing == kYes;
  Map& owner = mOwner;
  mApp.CloseDialogObject(this);
  owner.Resume();
  if (confirmed) owner.StartNewGame();
}

void RestartDialog::Draw(Graphics* g) {
  DrawVeil(g, mVeilAlpha);
  DrawPictureAndTitle(g, IMAGE_DIALOG_MESSAGE, L"New Game");
  DrawBodyText(g, L"Do you really want to start a new game? Your progress will be lost.");
}

}  // namespace Plix
