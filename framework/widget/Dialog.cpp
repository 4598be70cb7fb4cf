#include "framework/widget/Dialog.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/SysFont.h"
#include "framework/widget/DialogButton.h"
#include "framework/widget/DialogListener.h"
#include "framework/widget/WidgetHost.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

namespace {

const int32_t kDialogColors[][3] = {
    {255, 255, 255}, {255, 255, 0}, {255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {80, 80, 80}, {255, 255, 255},
};

DialogButton* MakeButton(int id, const std::wstring& label, ButtonListener* listener) {
  DialogButton* button = new DialogButton(id, listener);
  button->mLabel = label;
  return button;
}

}  // namespace

Dialog::Dialog(Image* componentImage, int id, bool isModal, const std::wstring& header, const std::wstring& lines,
               const std::wstring& footer, int buttonMode)
    : mDialogListener(GetWidgetHost()->GetDialogListener()),
      mComponentImage(componentImage),
      mDialogHeader(header),
      mDialogFooter(footer),
      mDialogLines(lines),
      mButtonMode(buttonMode),
      mId(id),
      mIsModal(isModal) {
  if (buttonMode == BUTTONS_YES_NO) {
    mYesButton = MakeButton(ID_YES, L"YES", this);
    mNoButton = MakeButton(ID_NO, L"NO", this);
  } else if (buttonMode == BUTTONS_OK_CANCEL) {
    mYesButton = MakeButton(ID_OK, L"OK", this);
    mNoButton = MakeButton(ID_CANCEL, L"CANCEL", this);
  } else if (buttonMode == BUTTONS_FOOTER) {
    mYesButton = MakeButton(ID_FOOTER, footer, this);
  }
  mHasTransparentParts = true;
  mTranslucent = true;
  mPriority = 1;
  // After the buttons: rows 3 and 4 are handed on to them.
  SetColorTableRGB(kDialogColors, 7);
}

Dialog::~Dialog() {
  if (mDeletedFlag != nullptr) *mDeletedFlag = true;
  delete mYesButton;
  delete mNoButton;
  delete mHeaderFont;
  delete mLinesFont;
}

void Dialog::SetButtonFont(Font* font) {
  if (mYesButton != nullptr) mYesButton->SetFont(font);
  if (mNoButton != nullptr) mNoButton->SetFont(font);
}

void Dialog::SetHeaderFont(Font* font) {
  delete mHeaderFont;
  mHeaderFont = font != nullptr ? font->Duplicate() : nullptr;
}

void Dialog::SetLinesFont(Font* font) {
  delete mLinesFont;
  mLinesFont = font != nullptr ? font->Duplicate() : nullptr;
}

void Dialog::EnsureFonts() {
  if (mHeaderFont == nullptr) mHeaderFont = new SysFont(GetGraphicsHost(), "Arial Unicode MS", 14, 0);
  if (mLinesFont == nullptr) mLinesFont = new SysFont(GetGraphicsHost(), "Arial Unicode MS", 12, 0);
}

bool Dialog::IsModal() { return mIsModal; }

void Dialog::SetColor(int index, const Color& color) {
  Widget::SetColor(index, color);
  int buttonRow = index == COLOR_BUTTON_TEXT ? 0 : index == COLOR_BUTTON_TEXT_HILITE ? 1 : -1;
  if (buttonRow < 0) return;
  if (mYesButton != nullptr) mYesButton->SetColor(buttonRow, color);
  if (mNoButton != nullptr) mNoButton->SetColor(buttonRow, color);
}

int Dialog::GetPreferredHeight(int width) {
  EnsureFonts();
  int height = mContentInsets.mTop + mContentInsets.mBottom + mBackgroundInsets.mTop + mBackgroundInsets.mBottom;
  bool placed = false;
  if (!mDialogHeader.empty()) {
    height += mHeaderFont->GetHeight() - mHeaderFont->GetAscentPadding();
    placed = true;
  }
  if (!mDialogLines.empty()) {
    if (placed) height += mSpaceAfterHeader;
    const int textWidth = width - mContentInsets.mLeft - mContentInsets.mRight - mBackgroundInsets.mLeft -
                          mBackgroundInsets.mRight - 4;
    height += MeasureWordWrappedHeight(mLinesFont, textWidth, mDialogLines,
                                       mLinesFont->GetLineSpacing() + mLineSpacingOffset);
    placed = true;
  }
  if (!mDialogFooter.empty() && mButtonMode != BUTTONS_FOOTER) {
    if (placed) height += 8;
    height += mHeaderFont->GetLineSpacing();
    placed = true;
  }
  if (mYesButton != nullptr) {
    if (placed) height += 8;
    height += mButtonHeight + 8;
  }
  return height;
}

void Dialog::Update() { Widget::Update(); }

void Dialog::Draw(Graphics* g) {
  EnsureFonts();

  const Rect frame(mBackgroundInsets.mLeft, mBackgroundInsets.mTop,
                   mWidth - mBackgroundInsets.mLeft - mBackgroundInsets.mRight,
                   mHeight - mBackgroundInsets.mTop - mBackgroundInsets.mBottom);
  if (mComponentImage != nullptr) {
    g->DrawImageBox(frame, mComponentImage);
  } else {
    g->SetColor(GetColorOrDefault(COLOR_OUTLINE, Color(255, 255, 255)));
    g->DrawRect(12, 12, mWidth - 25, mHeight - 25);
    g->SetColor(GetColorOrDefault(COLOR_BKG, Color(80, 80, 80)));
    g->FillRect(13, 13, mWidth - 26, mHeight - 26);
    g->SetColor(Color(0, 0, 0, 128));
    g->FillRect(mWidth - 12, 24, 12, mHeight - 36);
    g->FillRect(24, mHeight - 12, mWidth - 24, 12);
  }

  int y = mContentInsets.mTop + mBackgroundInsets.mTop;
  if (!mDialogHeader.empty()) {
    g->SetFont(mHeaderFont);
    g->SetColor(GetColor(COLOR_HEADER));
    y -= mHeaderFont->GetAscentPadding();
    DrawCenteredLine(g, y + mHeaderFont->GetAscent(), mDialogHeader);
    y += mHeaderFont->GetHeight() + mSpaceAfterHeader;
  }

  g->SetFont(mLinesFont);
  g->SetColor(GetColor(COLOR_LINES));
  const Rect linesRect(mBackgroundInsets.mLeft + mContentInsets.mLeft + 2, y,
                       mWidth - mContentInsets.mRight - mBackgroundInsets.mLeft - mContentInsets.mLeft -
                           mBackgroundInsets.mRight - 4,
                       0);
  y += DrawWordWrapped(g, mDialogLines, linesRect, mLinesFont->GetLineSpacing() + mLineSpacingOffset, mTextAlign);

  if (!mDialogFooter.empty() && mButtonMode != BUTTONS_FOOTER) {
    y += mHeaderFont->GetLineSpacing() + 8;
    g->SetFont(mHeaderFont);
    g->SetColor(GetColor(COLOR_FOOTER));
    DrawCenteredLine(g, y, mDialogFooter);
  }
}

void Dialog::OnAddedToManager(WidgetManager* manager) {
  WidgetContainer::OnAddedToManager(manager);
  if (mYesButton != nullptr) manager->AddWidget(mYesButton);
  if (mNoButton != nullptr) manager->AddWidget(mNoButton);
}

void Dialog::OnRemovedFromManager(WidgetManager* manager) {
  WidgetContainer::OnRemovedFromManager(manager);
  if (mYesButton != nullptr) manager->RemoveWidget(mYesButton);
  if (mNoButton != nullptr) manager->RemoveWidget(mNoButton);
}

void Dialog::OnOrderChanged() {
  if (mWidgetManager == nullptr) return;
  if (mYesButton != nullptr) mWidgetManager->PlaceInFront(mYesButton, this);
  if (mNoButton != nullptr) mWidgetManager->PlaceInFront(mNoButton, this);
}

void Dialog::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
  Widget::Resize(x, y, width, height);
  // The buttons sit beside the dialog in its parent: parent coordinates.
  const int insetsX = mContentInsets.mLeft + mContentInsets.mRight + mBackgroundInsets.mLeft + mBackgroundInsets.mRight;
  const int buttonY = y + height - mContentInsets.mBottom - mBackgroundInsets.mBottom - mButtonHeight;
  if (mYesButton != nullptr && mNoButton != nullptr) {
    const int buttonWidth = (width - 2 * mButtonSidePadding - insetsX - mButtonHorzSpacing) / 2;
    const int yesX = x + mBackgroundInsets.mLeft + mContentInsets.mLeft + mButtonSidePadding;
    mYesButton->Resize(yesX, buttonY, buttonWidth, mButtonHeight);
    mNoButton->Resize(yesX + buttonWidth + mButtonHorzSpacing, buttonY, buttonWidth, mButtonHeight);
  } else if (mYesButton != nullptr) {
    mYesButton->Resize(x + mBackgroundInsets.mLeft + mContentInsets.mLeft, buttonY, width - insetsX, mButtonHeight);
  }
}

void Dialog::MouseDownButton(int x, int y, int button, int clickCount) {
  if (clickCount != 1) return;
  GetWidgetHost()->SetCursor(CURSOR_DRAGGING);
  mDragging = true;
  mDragMouseX = x;
  mDragMouseY = y;
}

void Dialog::MouseDrag(int x, int y) {
  if (!mDragging || mWidgetManager == nullptr) return;
  // At most 8 pixels of the dialog leave the manager's area on any side.
  int newX = mX - mDragMouseX + x;
  int newY = mY - mDragMouseY + y;
  newX = std::max(-8, std::min(newX, mWidgetManager->mWidth - mWidth + 8));
  newY = std::max(-8, std::min(newY, mWidgetManager->mHeight - mHeight + 8));
  mDragMouseX = std::max(8, std::min(mX - newX + x, mWidth - 9));
  mDragMouseY = std::max(8, std::min(mY - newY + y, mHeight - 9));
  Move(newX, newY);
}

void Dialog::MouseUpButton(int x, int y, int button, int clickCount) {
  if (!mDragging) return;
  GetWidgetHost()->SetCursor(CURSOR_POINTER);
  mDragging = false;
}

void Dialog::ButtonPressed(int id) {
  if ((id == ID_YES || id == ID_NO) && mDialogListener != nullptr) mDialogListener->DialogButtonPressed(mId, id);
}

void Dialog::ButtonReleased(int id) {
  if (id != ID_YES && id != ID_NO) return;
  mResult = id;
  if (mDialogListener != nullptr) mDialogListener->DialogButtonReleased(mId, id);
}

int Dialog::WaitForResult(bool autoKill) {
  WidgetHost* host = GetWidgetHost();
  auto deleted = std::make_shared<bool>(false);
  std::shared_ptr<bool> outerFlag = mDeletedFlag;  // a wait nested in another keeps both informed
  mDeletedFlag = deleted;
  while (mWidgetManager != nullptr && mResult == NO_RESULT) {
    if (!host->MainLoopStep(false) || *deleted) break;
  }
  if (*deleted) {
    if (outerFlag != nullptr) *outerFlag = true;
    return NO_RESULT;
  }
  mDeletedFlag = outerFlag;
  const int result = mResult;
  const int id = mId;
  if (autoKill) host->CloseDialogById(id);  // deletes the dialog
  return result;
}

}  // namespace Plix
