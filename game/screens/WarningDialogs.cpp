#include "game/screens/WarningDialogs.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/ButtonWidget.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"

namespace Plix {

MessageDialog::MessageDialog(GameApp& app, WarningOwner* owner, std::wstring text)
    : GameDialog(app, kDialogId, IMAGE_DIALOG_MESSAGE), mOwner(owner), mText(std::move(text)) {
  mOk = MakeButton(kOkButton, IMAGE_DIALOG_BUTTON_1, L"OK");
  SetVeil(kVeilMax, false);
}

void MessageDialog::PlaceControls(int x, int y, int width, int height) {
  mOk->Resize(x + (width - mOk->mWidth) / 2, y + height - mContentInsets.mBottom - mOk->mHeight, mOk->mWidth,
              mOk->mHeight);
}

void MessageDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  StartClosing(1);
}

void MessageDialog::KeyChar(wchar_t ch) {
  if (ch == 27 || ch == 13) StartClosing(1);
}

void MessageDialog::CloseAction() {
  mApp.CloseDialogObject(this);
  if (mOwner) mOwner->OnWarningClosed();
}

void MessageDialog::Draw(Graphics* g) {
  DrawVeil(g, mVeilAlpha);
  DrawPictureAndTitle(g, IMAGE_DIALOG_MESSAGE, L"Warning");
  DrawBodyText(g, mText);
}

NotRecommended3DDialog::NotRecommended3DDialog(GameApp& app, WarningOwner* owner)
    : MessageDialog(app, owner, L"Your video card may not fully support this feature!") {}

NotPossibleWindowDialog::NotPossibleWindowDialog(GameApp& app, WarningOwner* owner)
    : MessageDialog(app, owner, L"Window mode is not available with your desktop settings!") {}

}  // namespace Plix
