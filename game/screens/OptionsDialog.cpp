#include "game/screens/OptionsDialog.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/Checkbox.h"
#include "framework/widget/Slider.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"

namespace Plix {

namespace {

int WidthOf(Image* image) { return image ? image->GetWidth() : 0; }
int HeightOf(Image* image) { return image ? image->GetHeight() : 0; }

const wchar_t* LabelOf(int id) {
  switch (id) {
    case OptionsDialog::k3D: return L"3D Acceleration";
    case OptionsDialog::kFullScreen: return L"Full Screen";
    case OptionsDialog::kShowTutorials: return L"Show Tutorials";
    default: return L"Custom Cursors";
  }
}

}  // namespace

OptionsDialog::OptionsDialog(GameApp& app, bool fromMainMenu, OverlayOwner* owner)
    : GameDialog(app, kDialogId, IMAGE_DIALOG_STANDARD), mFromMainMenu(fromMainMenu), mOwner(owner) {
  for (Slider** slider : {&mMusic, &mSound}) {
    *slider = new Slider(slider == &mMusic ? kMusic : kSound, this);
    (*slider)->mTrackImage = IMAGE_DIALOG_SLIDER;
    (*slider)->mThumbImage = IMAGE_DIALOG_SLIDER_THUMB;
    (*slider)->mDoFinger = true;
    AddControl(*slider);
  }
  mMusic->SetValue(mApp.GetMusicVolume());
  mSound->SetValue(mApp.GetSfxVolume());
  mCancel = MakeButton(kCancel, IMAGE_DIALOG_BUTTON_1, L"Cancel");
  mOk = MakeButton(kOk, IMAGE_DIALOG_BUTTON_2, L"OK", IMAGE_DIALOG_BUTTON_1);
  for (Checkbox** box : {&m3D, &mFullScreen, &mShowTutorials, &mCustomCursors}) {
    const int id = box == &m3D ? k3D : box == &mFullScreen ? kFullScreen : box == &mShowTutorials ? kShowTutorials
                                                                                                  : kCustomCursors;
    *box = new Checkbox(id, this);
    LookAsCheckbox(*box);
    AddControl(*box);
  }
  SetVeil(fromMainMenu ? 0 : kVeilMax, fromMainMenu);
}

Checkbox* OptionsDialog::GetBox(int id) const {
  switch (id) {
    case k3D: return m3D;
    case kFullScreen: return mFullScreen;
    case kShowTutorials: return mShowTutorials;
    case kCustomCursors: return mCustomCursors;
    default: return nullptr;
  }
}

void OptionsDialog::OnAddedToManager(WidgetManager* manager) {
  m3D->SetChecked(mApp.IsHardwareDrawing(), false);
  m3D->SetDisabled(!mApp.IsHardwareSupported());
  mFullScreen->SetChecked(!mApp.mWindowedMode, false);
  PlayerProfile* profile = mApp.GetCurrentProfile();
  mShowTutorials->SetChecked(profile ? profile->GetShowTutorials() : true, false);
  mCustomCursors->SetChecked(mApp.mCustomCursorsOn, false);
  mFullScreenAtOpen = mFullScreen->mChecked;
  m3DAtOpen = m3D->mChecked;
  GameDialog::OnAddedToManager(manager);
}

void OptionsDialog::PlaceControls(int x, int y, int width, int height) {
  const int sw = WidthOf(IMAGE_DIALOG_SLIDER), sh = HeightOf(IMAGE_DIALOG_SLIDER);
  mMusic->Resize(x + (width - sw) / 2, y + 113, sw, sh);
  mSound->Resize(mMusic->mX, mMusic->mY + sh + 37, sw, sh);
  const int half = WidthOf(IMAGE_DIALOG_CHECKBOX) / 2, bh = HeightOf(IMAGE_DIALOG_CHECKBOX);
  int top = mSound->mY + mSound->mHeight + 14;
  for (Checkbox* box : {m3D, mFullScreen, mCustomCursors, mShowTutorials}) {
    const int labelWidth = FONT_RAVIE_14 ? FONT_RAVIE_14->StringWidth(LabelOf(box->mId)) : 0;
    box->Resize(mSound->mX + 4, top, labelWidth + half + 8, bh);
    top += bh;
  }
  const int cw = mOk->mWidth, ch = mOk->mHeight;
  const int by = y + height - mContentInsets.mBottom - ch + 6;
  mCancel->Resize(x + mContentInsets.mLeft, by, cw, ch);
  mOk->Resize(x + width - mContentInsets.mRight - cw, by, cw, ch);
}

void OptionsDialog::OnSliderValue(int id, double value) {
  if (id == kMusic)
    mApp.SetMusicVolume(value);
  else if (id == kSound)
    mApp.SetSfxVolume(value);
}

void OptionsDialog::OpenWarning(MessageDialog* warning) {
  mDrawOverlay = false;
  const int w = WidthOf(IMAGE_DIALOG_MESSAGE), h = HeightOf(IMAGE_DIALOG_MESSAGE);
  warning->Resize((800 - w) / 2, 600, w, h);
  mApp.AddDialog(MessageDialog::kDialogId, warning);
}

void OptionsDialog::OnCheckboxChanged(int id, bool checked) {
  MarkDirty();
  mApp.PlaySound(checked ? SOUND_CHECKBOX_ON : SOUND_CHECKBOX_OFF);
  // Sliding out, no warning opens: it would outlive the dialog it reports
  // to. The boxes are read when the slide ends, as always.
  if (id == k3D && checked && !mApp.IsHardwareRecommended()) {
    if (!IsClosing()) OpenWarning(new NotRecommended3DDialog(mApp, this));
  } else if (id == kFullScreen && !checked && mApp.mFullScreenForced) {
    if (!IsClosing()) OpenWarning(new NotPossibleWindowDialog(mApp, this));
    mFullScreen->SetChecked(true, true);
  }
}

void OptionsDialog::OnWarningClosed() {
  mDrawOverlay = true;
  MarkDirty();
}

void OptionsDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  if (id == kOk || id == kCancel) StartClosing(id);
}

void OptionsDialog::KeyChar(wchar_t ch) {
  if (ch == 13)
    StartClosing(kOk);
  else if (ch == 27)
    StartClosing(kCancel);
}

void OptionsDialog::CloseAction() {
  if (mClosing == kOk) {
    const bool windowed = mFullScreen->mChecked != mFullScreenAtOpen ? !mFullScreen->mChecked : mApp.mWindowedMode;
    const bool is3D = m3D->mChecked != m3DAtOpen ? m3D->mChecked : mApp.IsHardwareDrawing();
    mApp.ChangeScreenMode(windowed, is3D, false);
    if (PlayerProfile* profile = mApp.GetCurrentProfile()) profile->SetShowTutorials(mShowTutorials->mChecked);
    mApp.EnableCustomCursors(mCustomCursors->mChecked);
  }
  const bool fromMainMenu = mFromMainMenu;
  OverlayOwner* owner = mOwner;
  mApp.CloseDialogObject(this);
  if (fromMainMenu)
    mApp.ResumeMainMenu();
  else if (owner)
    owner->RestoreOverlay();
}

void OptionsDialog::Draw(Graphics* g) {
  if (mDrawOverlay) DrawVeil(g, mVeilAlpha);
  DrawPictureAndTitle(g, IMAGE_DIALOG_STANDARD, L"Options");
  if (!FONT_RAVIE_14) return;
  g->SetFont(FONT_RAVIE_14);
  g->SetColor(DialogTextColor());
  DrawCentred(g, L"Music Volume", mWidth / 2, mMusic->mY - mY - 10);
  DrawCentred(g, L"Sound Volume", mWidth / 2, mSound->mY - mY - 10);
  const int half = WidthOf(IMAGE_DIALOG_CHECKBOX) / 2;
  for (Checkbox* box : {m3D, mFullScreen, mShowTutorials, mCustomCursors})
    g->WriteString(LabelOf(box->mId), box->mX - mX + half + 8, box->mY - mY + 27);
}

}  // namespace Plix
