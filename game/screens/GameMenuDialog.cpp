#include "game/screens/GameMenuDialog.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/screens/HelpDialog.h"
#include "game/screens/OptionsDialog.h"

namespace Plix {

namespace {

constexpr int kQuitResult = 4;

int WidthOf(Image* image) { return image ? image->GetWidth() : 0; }
int HeightOf(Image* image) { return image ? image->GetHeight() : 0; }
int CelWidthOf(Image* image) { return image ? image->GetCellWidth() : 0; }
int CelHeightOf(Image* image) { return image ? image->GetCellHeight() : 0; }

}  // namespace

GameMenuDialog::GameMenuDialog(GameApp& app, int mode, bool pausedTitle)
    : GameDialog(app, kDialogId, IMAGE_DIALOG_MENU), mTitle(pausedTitle ? L"Paused" : L"Menu") {
  mResume = MakeButton(kResume, IMAGE_DIALOG_BUTTON_LARGE_1, L"Resume Game");
  mLeave = MakeButton(kLeave, IMAGE_DIALOG_BUTTON_LARGE_2, mode == 0 ? L"Exit to Map" : L"Main Menu");
  mOptions = MakeButton(kOptions, IMAGE_DIALOG_BUTTON_1, L"Options");
  mHelp = MakeButton(kHelp, IMAGE_DIALOG_BUTTON_2, L"Help");
  SetVeil(0, true);
}

ButtonWidget* GameMenuDialog::GetButton(int id) const {
  switch (id) {
    case kResume: return mResume;
    case kLeave: return mLeave;
    case kOptions: return mOptions;
    case kHelp: return mHelp;
    default: return nullptr;
  }
}

void GameMenuDialog::PlaceControls(int x, int y, int width, int height) {
  const int lw = CelWidthOf(IMAGE_DIALOG_BUTTON_LARGE_1), lh = CelHeightOf(IMAGE_DIALOG_BUTTON_LARGE_1);
  mResume->Resize(x + (width - lw) / 2, y + 100, lw, lh);
  Layout(mResume, mLeave, LAY_SameLeft | LAY_Below, 0, 4);
  mLeave->Resize(mLeave->mX, mLeave->mY, lw, lh);
  const int sw = CelWidthOf(IMAGE_DIALOG_BUTTON_2), sh = CelHeightOf(IMAGE_DIALOG_BUTTON_2);
  mOptions->Resize(x + (width - sw) / 2, mLeave->mY + mLeave->mHeight + 14, sw, sh);
  Layout(mOptions, mHelp, LAY_SameLeft | LAY_Below, 0, 4);
  mHelp->Resize(mHelp->mX, mHelp->mY, sw, sh);
}

void GameMenuDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  switch (id) {
    case kResume:
    case kLeave:
      StartClosing(id);
      break;
    case kOptions:
    case kHelp: {
      // Sliding out, the menu is about to be deleted: a dialog opened now
      // would give its veil back to a menu that is gone.
      if (IsClosing()) break;
      mDrawOverlay = false;
      GameDialog* child;
      int childId;
      if (id == kOptions) {
        child = new OptionsDialog(mApp, false, this);
        childId = OptionsDialog::kDialogId;
        const int w = WidthOf(IMAGE_DIALOG_STANDARD), h = HeightOf(IMAGE_DIALOG_STANDARD);
        child->Resize((800 - w) / 2, 600, w, h);
      } else {
        child = new HelpDialog(mApp, false, this);
        childId = HelpDialog::kDialogId;
        const int w = WidthOf(IMAGE_DIALOG_BIG), h = HeightOf(IMAGE_DIALOG_BIG);
        child->Resize((800 - w) / 2, -h, w, h);
      }
      mApp.AddDialog(childId, child);
      if (mApp.mAppWidgets) mApp.mAppWidgets->SetFocus(child);
      break;
    }
    default:
      break;
  }
}

void GameMenuDialog::KeyChar(wchar_t ch) {
  if (ch == 13 || ch == 27 || ch == L'p' || ch == L' ') StartClosing(kResume);
}

void GameMenuDialog::RestoreOverlay() {
  mDrawOverlay = true;
  MarkDirty();
}

void GameMenuDialog::CloseAction() {
  const bool leave = mClosing == kLeave;
  GameApp& app = mApp;
  app.CloseDialogObject(this);
  app.ResumeBoard();
  if (leave && app.mBoard) app.mBoard->ExitLevel(kQuitResult);
}

void GameMenuDialog::Draw(Graphics* g) {
  if (mDrawOverlay) DrawVeil(g, mVeilAlpha);
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_DIALOG_MENU, 0, 0);
  if (IMAGE_DIALOG_HEADER_3) DrawImageIf(g, IMAGE_DIALOG_HEADER_3, (mWidth - IMAGE_DIALOG_HEADER_3->GetWidth()) / 2, 8);
  if (!FONT_RAVIE_16) return;
  g->SetFont(FONT_RAVIE_16);
  g->SetColor(DialogTitleColor());
  DrawCentred(g, mTitle, mWidth / 2, 49);
}

}  // namespace Plix
