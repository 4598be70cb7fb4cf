#include "game/screens/PlayerDialogs.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/DebugOutput.h"
#include "framework/util/Utilities.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/Checkbox.h"
#include "framework/widget/EditWidget.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"

namespace Plix {

namespace {

int WidthOf(Image* image) { return image ? image->GetWidth() : 0; }
int CellWidthOf(Image* image) { return image ? image->GetCellWidth() : 0; }
int CellHeightOf(Image* image) { return image ? image->GetCellHeight() : 0; }

}  // namespace

// ---------------------------------------------------------------- the list

MMPlayerDialog::MMPlayerDialog(GameApp& app) : GameDialog(app, kDialogId, IMAGE_DIALOG_BIG) {
  mSelect = MakeButton(kSelect, IMAGE_DIALOG_BUTTON_1, L"Select");
  mCancel = MakeButton(kCancel, IMAGE_DIALOG_BUTTON_2, L"Cancel", IMAGE_DIALOG_BUTTON_1);
  mCreate = MakeButton(kCreate, IMAGE_DIALOG_BUTTON_2, L"Create", IMAGE_DIALOG_BUTTON_1);
  mDelete = MakeButton(kDelete, IMAGE_DIALOG_BUTTON_1, L"Delete");
  for (int i = 0; i < kRows; ++i) {
    mRows[i] = new Checkbox(i, this);
    LookAsCheckbox(mRows[i]);
    AddControl(mRows[i]);
  }
  PlayerProfile* current = mApp.GetCurrentProfile();
  mSelected = current && !current->GetName().empty() ? mApp.GetCurrentProfileIndex() : -1;
  SetVeil(0, true);
  RefreshChecks();
  UpdateCreateButton();
}

ButtonWidget* MMPlayerDialog::GetButton(int id) const {
  switch (id) {
    case kSelect: return mSelect;
    case kCancel: return mCancel;
    case kCreate: return mCreate;
    case kDelete: return mDelete;
    default: return nullptr;
  }
}

bool MMPlayerDialog::RowHasName(int row) {
  PlayerProfile* profile = mApp.GetProfile(row);
  return profile && !profile->GetName().empty();
}

void MMPlayerDialog::UpdateCreateButton() {
  bool free = false;
  for (int i = 0; i < kRows; ++i) free |= !RowHasName(i);
  mCreate->SetDisabled(!free);
}

void MMPlayerDialog::PlaceControls(int x, int y, int width, int height) {
  const int bw = mSelect->mWidth, bh = mSelect->mHeight;
  const int right = x + width - mContentInsets.mRight - bw + 10;
  mCancel->Resize(x + mContentInsets.mLeft, y + height - mContentInsets.mBottom - bh, bw, bh);
  mSelect->Resize(right, y + height - mContentInsets.mBottom - bh, bw, CellHeightOf(IMAGE_DIALOG_BUTTON_2));
  mCreate->Resize(right, y + kRowTop, bw, bh);
  mDelete->Resize(right, y + kRowTop + bh, bw, bh);
  const int cw = CellWidthOf(IMAGE_DIALOG_CHECKBOX), ch = CellHeightOf(IMAGE_DIALOG_CHECKBOX);
  for (Checkbox* row : mRows) row->Resize(row->mX, row->mY, cw + 200, ch);
  mRows[0]->Resize(x + mContentInsets.mLeft, y + kRowTop, cw + 200, ch);
  for (int i = 1; i < kRows; ++i) Layout(mRows[i - 1], mRows[i], LAY_SameLeft | LAY_Below, 0, -7);
}

void MMPlayerDialog::RefreshChecks() {
  for (Checkbox* row : mRows) row->SetChecked(false, false);
  if (mSelected >= 0 && mSelected < kRows) mRows[mSelected]->SetChecked(true, false);
}

void MMPlayerDialog::OnCheckboxChanged(int id, bool checked) {
  MarkDirty();
  if (id < 0 || id >= kRows) return;
  if (!RowHasName(id)) {
    mRows[id]->SetChecked(false, false);
    return;
  }
  for (Checkbox* row : mRows) row->SetChecked(false, false);
  mRows[id]->SetChecked(true, false);
  mApp.PlaySound(SOUND_MOUSE_CLICK);
  mSelected = id;
  OutputDebugStringA(StrFormat("selected profile = %d\n", id));
}

void MMPlayerDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  switch (id) {
    case kSelect:
    case kCancel:
      StartClosing(id);
      break;
    case kCreate:
      // Sliding out, the list is about to go: it would not be there to
      // hear from the name dialog.
      if (IsClosing() || mCreate->mDisabled) return;
      mVeilShown = false;
      ShowFromBelow(mApp, new MMNewPlayerDialog(mApp, false), MMNewPlayerDialog::kDialogId);
      break;
    case kDelete:
      if (IsClosing() || mSelected < 0 || !RowHasName(mSelected)) return;
      mVeilShown = false;
      ShowFromBelow(mApp, new DeletePlayerDialog(mApp), DeletePlayerDialog::kDialogId);
      break;
    default:
      break;
  }
}

void MMPlayerDialog::KeyChar(wchar_t ch) {
  if (ch == 13)
    StartClosing(kSelect);
  else if (ch == 27)
    StartClosing(kCancel);
}

void MMPlayerDialog::CloseAction() {
  const bool named = mSelected >= 0 && RowHasName(mSelected);
  PlayerProfile* current = mApp.GetCurrentProfile();
  const bool currentUnnamed = !current || current->GetName().empty();
  if (named && (mClosing == kSelect || currentUnnamed)) mApp.SetCurrentProfile(mSelected);
  mApp.CloseDialogObject(this);
  mApp.ResumeMainMenu();
}

void MMPlayerDialog::SelectPlayer(int index) {
  if (index != -1) mSelected = index;
  mVeilShown = true;
  RefreshChecks();
  UpdateCreateButton();
  MarkDirty();
}

void MMPlayerDialog::DeleteSelectedPlayer(bool confirmed) {
  if (confirmed && mSelected >= 0 && mSelected < kRows) {
    mApp.DeleteProfile(mSelected);
    // The profiles keep their current player through the deletion; the
    // selection follows that player, as the greeting does.
    const int current = mApp.GetCurrentProfileIndex();
    mSelected = RowHasName(current) ? current : -1;
    RefreshChecks();
    UpdateCreateButton();
  }
  mVeilShown = true;
  MarkDirty();
}

void MMPlayerDialog::Draw(Graphics* g) {
  if (mVeilShown) DrawVeil(g, mVeilAlpha);
  DrawPictureAndTitle(g, IMAGE_DIALOG_BIG, L"Player");
  if (!FONT_RAVIE_14) return;
  g->SetFont(FONT_RAVIE_14);
  const int x = mContentInsets.mLeft + CellWidthOf(IMAGE_DIALOG_CHECKBOX) + 6;
  for (int i = 0; i < kRows; ++i) {
    PlayerProfile* profile = mApp.GetProfile(i);
    if (!profile || profile->GetName().empty()) continue;
    g->SetColor(i == mSelected ? DialogTextColor() : Color(170, 120, 80));
    g->WriteString(profile->GetName(), x, mRows[i]->mY - mY + 28);
  }
}

// ----------------------------------------------------------- the name dialog

NameEntryDialog::NameEntryDialog(GameApp& app) : GameDialog(app, kDialogId, IMAGE_DIALOG_MESSAGE) {
  mOk = MakeButton(kOk, IMAGE_DIALOG_BUTTON_2, L"OK", IMAGE_DIALOG_BUTTON_1);
  mCancel = MakeButton(kCancel, IMAGE_DIALOG_BUTTON_1, L"Cancel");
  mName = new EditWidget(1, this);
  if (FONT_RAVIE_14) mName->SetFont(FONT_RAVIE_14);
  mName->mMaxChars = kMaxChars;
  mName->mMaxPixels = kMaxPixels;
  mName->SetColor(EditWidget::COLOR_BKG, Color(0, 0, 0, 0));
  mName->SetColor(EditWidget::COLOR_OUTLINE, Color(0, 0, 0, 0));
  mName->SetColor(EditWidget::COLOR_TEXT, Color(64, 32, 0));
  mName->SetColor(EditWidget::COLOR_HILITE, Color(64, 32, 0));
  AddControl(mName);
}

MMNewPlayerDialog::MMNewPlayerDialog(GameApp& app, bool fromMenu) : NameEntryDialog(app), mFromMenu(fromMenu) {
  SetVeil(fromMenu ? 0 : kVeilMax, fromMenu);
}

bool NameEntryDialog::IsNameChar(wchar_t ch) {
  // The files keep Latin-1; the list, the welcome line and the tables draw it.
  if (ch < 32 || ch > 255) return false;
  for (Font* font : {FONT_RAVIE_14, FONT_RAVIE_10})
    if (font && font->StringWidth(std::wstring(1, ch)) <= 0) return false;
  return true;
}

bool NameEntryDialog::AcceptsChar(int id, wchar_t ch) { return IsNameChar(ch); }

bool NameEntryDialog::AcceptsText(int id, const std::wstring& text) {
  for (wchar_t ch : text)
    if (!IsNameChar(ch)) return false;
  return true;
}

void NameEntryDialog::OnEditChar(wchar_t ch) {
  mApp.PlaySound(SOUND_KEYBOARD);
  if (ch == 13)
    StartClosing(kOk);
  else if (ch == 27)
    StartClosing(kCancel);
}

void NameEntryDialog::OnAddedToManager(WidgetManager* manager) {
  GameDialog::OnAddedToManager(manager);
  manager->SetFocus(mName);
}

void NameEntryDialog::Update() {
  GameDialog::Update();
  if (mFocusedOnce || !mWidgetManager) return;
  mFocusedOnce = true;
  mWidgetManager->SetFocus(mName);
}

void NameEntryDialog::PlaceNameField(int x, int y, int width) {
  const int tw = WidthOf(IMAGE_DIALOG_TEXTFIELD);
  mName->Resize(x + (width - tw) / 2 + 16, y + 145, tw - 32, 36);
}

void MMNewPlayerDialog::PlaceControls(int x, int y, int width, int height) {
  PlaceNameField(x, y, width);
  const int bw = mOk->mWidth, bh = mOk->mHeight;
  const int by = y + height - mContentInsets.mBottom - bh;
  mOk->Resize(x + mContentInsets.mLeft, by, bw, bh);
  mCancel->Resize(x + width - mContentInsets.mRight - bw, by, bw, bh);
}

void MMNewPlayerDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  if (id == kOk || id == kCancel) StartClosing(id);
}

void MMNewPlayerDialog::OnArrived() { mApp.PlaySound(SOUND_DIALOG_ASK); }

void MMNewPlayerDialog::CloseAction() {
  int index = -1;
  if (mClosing == kOk && !mName->mString.empty()) index = mApp.CreateProfile(std::wstring(mName->mString));
  const bool fromMenu = mFromMenu;
  mApp.CloseDialogObject(this);
  if (fromMenu)
    mApp.ContinueAfterNewPlayer(index);
  else
    mApp.SelectPlayerInDialog(index);
}

void MMNewPlayerDialog::Draw(Graphics* g) {
  DrawVeil(g, mVeilAlpha);
  DrawPictureAndTitle(g, IMAGE_DIALOG_MESSAGE, mFromMenu ? L"New Player" : L"Create Player");
  const int fieldTop = mName->mY - mY;
  if (FONT_RAVIE_14) {
    g->SetFont(FONT_RAVIE_14);
    g->SetColor(DialogTextColor());
    DrawCentred(g, L"Please enter your name", mWidth / 2, fieldTop - 32);
  }
  g->SetColor(Color(255, 255, 255));
  if (IMAGE_DIALOG_TEXTFIELD) DrawImageIf(g, IMAGE_DIALOG_TEXTFIELD, (mWidth - WidthOf(IMAGE_DIALOG_TEXTFIELD)) / 2, fieldTop - 11);
}

// ------------------------------------------------------------ the question

DeletePlayerDialog::DeletePlayerDialog(GameApp& app)
    : GameDialog(app, kDialogId, IMAGE_DIALOG_MESSAGE, IMAGE_DIALOG_MESSAGE) {
  mYes = MakeButton(kYes, IMAGE_DIALOG_BUTTON_1, L"Yes");
  mNo = MakeButton(kNo, IMAGE_DIALOG_BUTTON_2, L"No", IMAGE_DIALOG_BUTTON_1);
  SetVeil(kVeilMax, false);
}

void DeletePlayerDialog::PlaceControls(int x, int y, int width, int height) {
  const int bw = mYes->mWidth, bh = mYes->mHeight;
  const int by = y + height - mContentInsets.mBottom - bh;
  mYes->Resize(x + mContentInsets.mLeft, by, bw, bh);
  mNo->Resize(x + width - mContentInsets.mRight - bw, by, bw, bh);
}

void DeletePlayerDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  if (id == kYes || id == kNo) StartClosing(id);
}

void DeletePlayerDialog::KeyChar(wchar_t ch) {
  if (ch == 13)
    StartClosing(kYes);
  else if (ch == 27)
    StartClosing(kNo);
}

void DeletePlayerDialog::OnArrived() { mApp.PlaySound(SOUND_DIALOG_ASK); }

void DeletePlayerDialog::CloseAction() {
  const bool confirmed = mClosing == kYes;
  mApp.CloseDialogObject(this);
  mApp.DeleteSelectedPlayer(confirmed);
}

void DeletePlayerDialog::Draw(Graphics* g) {
  DrawVeil(g, kVeilMax);
  DrawPictureAndTitle(g, IMAGE_DIALOG_MESSAGE, L"Delete");
  DrawBodyText(g, L"Do you really want to delete this profile?");
}

}  // namespace Plix
