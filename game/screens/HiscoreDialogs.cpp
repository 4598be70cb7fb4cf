#include "game/screens/HiscoreDialogs.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/EditWidget.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/BestSellers.h"
#include "game/screens/PlayerDialogs.h"

namespace Plix {

namespace {

int WidthOf(Image* image) { return image ? image->GetWidth() : 0; }

std::wstring PlayerName(GameApp& app) {
  PlayerProfile* profile = app.GetCurrentProfile();
  return profile ? profile->GetName() : std::wstring();
}

// Both buttons side by side on the dialog's bottom inset.
void PlaceButtonPair(ButtonWidget* first, ButtonWidget* second, const Insets& insets, int x, int y, int width,
                     int height) {
  const int bw = first->mWidth, bh = first->mHeight;
  const int by = y + height - insets.mBottom - bh;
  first->Resize(x + insets.mLeft, by, bw, bh);
  second->Resize(x + width - insets.mRight - bw, by, bw, bh);
}

}  // namespace

// ------------------------------------------------------------ the name dialog

BSNameDialog::BSNameDialog(GameApp& app, BestSellers* parent) : NameEntryDialog(app), mParent(parent) {
  // Selected, so that typing replaces it.
  mName->SetText(PlayerName(app));
  SetVeil(0, true);
}

void BSNameDialog::PlaceControls(int x, int y, int width, int height) {
  PlaceNameField(x, y, width);
  PlaceButtonPair(mOk, mCancel, mContentInsets, x, y, width, height);
}

void BSNameDialog::ButtonPressed(int id) {
  mApp.PlaySound(SOUND_KEYBOARD);
  mApp.PlaySound(SOUND_MOUSE_CLICK);
}

void BSNameDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  if (id == kOk || id == kCancel) StartClosing(id);
}

void BSNameDialog::OnArrived() { mApp.PlaySound(SOUND_DIALOG_ASK); }

void BSNameDialog::CloseAction() {
  // An empty name is never stored.
  std::wstring name = mClosing == kOk ? std::wstring(mName->mString) : std::wstring();
  if (name.empty()) name = PlayerName(mApp);
  BestSellers* parent = mParent;
  mApp.CloseDialogObject(this);
  parent->SetNewEntryName(name);
  parent->Resume();
}

void BSNameDialog::Draw(Graphics* g) {
  DrawVeil(g, mVeilAlpha);
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_DIALOG_MESSAGE, 0, 0);
  DrawImageIf(g, IMAGE_DIALOG_HEADER_2, (mWidth - WidthOf(IMAGE_DIALOG_HEADER_2)) / 2, 8);
  if (FONT_RAVIE_16) {
    g->SetFont(FONT_RAVIE_16);
    g->SetColor(DialogTitleColor());
    DrawCentred(g, L"Congratulations", mWidth / 2, 49);
  }
  const int fieldTop = mName->mY - mY;
  if (FONT_RAVIE_14) {
    g->SetFont(FONT_RAVIE_14);
    g->SetColor(DialogTextColor());
    DrawCentred(g, L"Please enter your name", mWidth / 2, fieldTop - 32);
  }
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_DIALOG_TEXTFIELD, (mWidth - WidthOf(IMAGE_DIALOG_TEXTFIELD)) / 2, fieldTop - 11);
}

// ----------------------------------------------------------- the clear dialog

BSClearDialog::BSClearDialog(GameApp& app, BestSellers* parent, int table)
    : GameDialog(app, kDialogId, IMAGE_DIALOG_MESSAGE), mParent(parent), mTable(table) {
  mYes = MakeButton(kYes, IMAGE_DIALOG_BUTTON_1, L"Yes");
  mNo = MakeButton(kNo, IMAGE_DIALOG_BUTTON_1, L"No");
  SetVeil(0, true);
}

void BSClearDialog::PlaceControls(int x, int y, int width, int height) {
  PlaceButtonPair(mYes, mNo, mContentInsets, x, y, width, height);
}

void BSClearDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  if (id == kYes || id == kNo) StartClosing(id);
}

void BSClearDialog::KeyChar(wchar_t ch) {
  if (ch == 13)
    StartClosing(kYes);
  else if (ch == 27)
    StartClosing(kNo);
}

void BSClearDialog::OnArrived() { mApp.PlaySound(SOUND_DIALOG_ASK); }

void BSClearDialog::CloseAction() {
  const bool clear = mClosing == kYes;
  const int table = mTable;
  BestSellers* parent = mParent;
  GameApp& app = mApp;
  app.CloseDialogObject(this);
  if (clear) app.ResetBestSellerTable(table);
  parent->Resume();
}

void BSClearDialog::Draw(Graphics* g) {
  static const wchar_t* const kQuestions[] = {
      L"Do you really want to clear all hiscore entries for Story Mode?",
      L"Do you really want to clear all hiscore entries for Happy Hour Easy?",
      L"Do you really want to clear all hiscore entries for Happy Hour Normal?",
      L"Do you really want to clear all hiscore entries for Happy Hour Hard?",
  };
  DrawVeil(g, mVeilAlpha);
  DrawPictureAndTitle(g, IMAGE_DIALOG_MESSAGE, L"Clear");
  if (mTable >= 0 && mTable < 4) DrawBodyText(g, kQuestions[mTable]);
}

}  // namespace Plix
