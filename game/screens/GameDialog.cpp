#include "game/screens/GameDialog.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/Checkbox.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"

namespace Plix {

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

int HeightOf(Image* image) { return image ? image->GetHeight() : 0; }

}  // namespace

Color DialogTitleColor() { return Color(80, 30, 1); }
Color DialogTextColor() { return Color(140, 20, 112); }

void DrawImageIf(Graphics* g, Image* image, int x, int y) {
  if (image) g->DrawImage(image, x, y);
}

GameDialog::GameDialog(GameApp& app, int id, Image* picture, Image* componentImage)
    : Dialog(componentImage, id, true, L"", L"", L"", BUTTONS_NONE),
      mApp(app),
      mTargetY((kScreenHeight - HeightOf(picture)) / 2) {
  mContentInsets = Insets{97, 82, 97, 64};
  SetDisabled(true);
}

GameDialog::~GameDialog() {
  for (Widget* control : mControls) delete control;
}

void PlayDialogClickSound(GameApp& app) { app.PlaySound(SOUND_MOUSE_CLICK); }

void GameDialog::ButtonPressed(int id) { PlayDialogClickSound(mApp); }

void GameDialog::AddControl(Widget* control) { mControls.push_back(control); }

void GameDialog::OnAddedToManager(WidgetManager* manager) {
  Dialog::OnAddedToManager(manager);
  for (Widget* control : mControls) manager->AddWidget(control);
}

void GameDialog::OnRemovedFromManager(WidgetManager* manager) {
  Dialog::OnRemovedFromManager(manager);
  for (Widget* control : mControls) manager->RemoveWidget(control);
}

void GameDialog::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
  Dialog::Resize(x, y, width, height);
  if (mRestY == -1) mRestY = y;
  PlaceControls(x, y, width, height);
}

void GameDialog::Update() {
  Dialog::Update();
  if (mSliding) SlideStep();
}

void GameDialog::SlideStep() {
  if (mVeilAnimated) {
    if (mClosing == 0)
      mVeilAlpha = std::min(mVeilAlpha + kVeilStep, kVeilMax);
    else
      mVeilAlpha = std::max(mVeilAlpha - kVeilStep, 0);
  }
  int y = mY;
  if (y < mTargetY)
    y = std::min(y + kSlideStep, mTargetY);
  else if (y > mTargetY)
    y = std::max(y - kSlideStep, mTargetY);
  Resize(mX, y, mWidth, mHeight);
  MarkDirty();
  if (y != mTargetY) return;
  if (mClosing != 0) {
    CloseAction();
    return;
  }
  mSliding = false;
  SetDisabled(false);
  OnArrived();
}

void GameDialog::StartClosing(int code) {
  mTargetY = mRestY;
  mSliding = true;
  mClosing = code;
  // Disabling drops the keyboard focus; keys still act while it slides.
  const bool focused = mWidgetManager && mWidgetManager->mFocusWidget == this;
  SetDisabled(true);
  if (focused) mWidgetManager->SetFocus(this);
}

void LookAsDialogButton(ButtonWidget* button, Image* image, const std::wstring& label, Image* cells) {
  if (!cells) cells = image;
  button->mNormalImage = button->mOverImage = button->mDownImage = image;
  const int cw = cells ? cells->GetCellWidth() : 0;
  const int ch = cells ? cells->GetCellHeight() : 0;
  button->mNormalRect = button->mDownRect = Rect(0, 0, cw, ch);
  button->mOverRect = Rect(cw, 0, cw, ch);
  button->mLabel = label;
  if (FONT_RAVIE_14) button->SetFont(FONT_RAVIE_14);
  button->mLabelOffsetX = -4;
  button->mLabelOffsetY = -8;
  button->SetColor(ButtonWidget::COLOR_LABEL, DialogTextColor());
  button->SetColor(ButtonWidget::COLOR_LABEL_HILITE, DialogTextColor());
  button->mDoFinger = true;
  button->Resize(0, 0, cw, ch);
}

void ShowFromBelow(GameApp& app, GameDialog* dialog, int id) {
  const int w = IMAGE_DIALOG_MESSAGE ? IMAGE_DIALOG_MESSAGE->GetWidth() : 0;
  const int h = IMAGE_DIALOG_MESSAGE ? IMAGE_DIALOG_MESSAGE->GetHeight() : 0;
  dialog->Resize((800 - w) / 2, 600, w, h);
  app.AddDialog(id, dialog);
  if (app.mAppWidgets) app.mAppWidgets->SetFocus(dialog);
}

ButtonWidget* GameDialog::MakeButton(int id, Image* image, const std::wstring& label, Image* cells) {
  auto* button = new ButtonWidget(id, this);
  LookAsDialogButton(button, image, label, cells);
  AddControl(button);
  return button;
}

void GameDialog::LookAsCheckbox(Checkbox* box) {
  Image* image = IMAGE_DIALOG_CHECKBOX;
  box->mUncheckedImage = box->mCheckedImage = image;
  const int w = image ? image->GetWidth() : 0;
  const int h = image ? image->GetHeight() : 0;
  box->mUncheckedRect = Rect(0, 0, w / 2, h);
  box->mCheckedRect = Rect(w / 2, 0, w / 2, h);
  box->mDoFinger = true;
}

void GameDialog::DrawVeil(Graphics* g, int alpha) {
  g->ClearClipRect();
  g->SetColor(Color(0, 0, 32, alpha));
  g->FillRect(-mX, -mY, kScreenWidth, kScreenHeight);
  g->SetColor(Color(255, 255, 255));
}

void GameDialog::DrawCentred(Graphics* g, const std::wstring& text, int x, int y) {
  if (!g->GetFont()) return;
  g->WriteString(text, x, y, -1, 0);
}

void GameDialog::DrawPictureAndTitle(Graphics* g, Image* picture, const std::wstring& title) {
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, picture, 0, 0);
  if (IMAGE_DIALOG_HEADER_1) DrawImageIf(g, IMAGE_DIALOG_HEADER_1, (mWidth - IMAGE_DIALOG_HEADER_1->GetWidth()) / 2, 8);
  if (!FONT_RAVIE_16) return;
  g->SetFont(FONT_RAVIE_16);
  g->SetColor(DialogTitleColor());
  DrawCentred(g, title, mWidth / 2, 49);
}

void GameDialog::DrawBodyText(Graphics* g, const std::wstring& text) {
  if (!FONT_RAVIE_14) return;
  g->SetFont(FONT_RAVIE_14);
  g->SetColor(DialogTextColor());
  const int width = mWidth - mContentInsets.mLeft - mContentInsets.mRight;
  const int spacing = FONT_RAVIE_14->GetHeight() + 2;
  const int height = MeasureWordWrappedHeight(FONT_RAVIE_14, width, text, spacing);
  DrawWordWrapped(g, text, Rect(mContentInsets.mLeft, (mHeight - height) / 2 - 24, width, 0), spacing, 0);
}

}  // namespace Plix
