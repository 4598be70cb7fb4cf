#include "game/screens/BestSellers.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/screens/GameDialog.h"
#include "game/screens/HiscoreDialogs.h"

namespace Plix {

namespace {

constexpr int kScreenWidth = 800;
constexpr int kResultRetry = 3;
constexpr int kResultMainMenu = 5;
constexpr int kLeftX = 160;
constexpr int kMiddleX = 460;
constexpr int kRightX = 660;
constexpr int kHeadBaseline = 212;
constexpr float kFirstRowFactor = 1.3f;

int TextWidth(Font* font, const std::wstring& text) { return font ? font->StringWidth(text) : 0; }

void WriteLeft(Graphics* g, const std::wstring& text, int x, int y) { g->WriteString(text, x, y); }
void WriteCentred(Graphics* g, const std::wstring& text, int x, int y) {
  g->WriteString(text, x - TextWidth(g->GetFont(), text) / 2, y);
}
void WriteRight(Graphics* g, const std::wstring& text, int x, int y) {
  g->WriteString(text, x - TextWidth(g->GetFont(), text), y);
}

// Where each button of a mode stands; a mode lacking one leaves its slot
// empty.
struct Place {
  bool used;
  int x;
  int y;
};
Place PlaceOf(int id, int mode) {
  const bool browsing = mode == 0;
  switch (id) {
    case BestSellers::kLeft: return {browsing, 307, 148};
    case BestSellers::kRight: return {browsing, 485, 148};
    case BestSellers::kRetry: return {!browsing, 505, 446};
    case BestSellers::kClear: return {browsing, 156, 446};
    case BestSellers::kMainMenu: return {true, browsing ? 505 : 156, 446};
  }
  return {false, 0, 0};
}

}  // namespace

BestSellers::BestSellers(GameApp& app, int mode, int score, int stars, int time)
    : ScreenFrame(app, "BestSellers", "data/hawaii.ogg"), mMode(mode), mScore(score), mStars(stars), mTime(time) {
  switch (mode) {
    case 1:
    case 5:
      mShownTable = 0;
      mNewEntryRank = mApp.AddStoryBestSeller(score, stars);
      break;
    case 2:
    case 3:
    case 4:
      mShownTable = mode - 1;
      mNewEntryRank = mApp.AddHappyHourBestSeller(mode - 2, score, time);
      break;
    default:
      break;
  }
  mNameCountdown = mNewEntryRank >= 0 ? kNameDelay : 0;
  mSlots[kLeft - 1] = PlaceOf(kLeft, mode).used ? MakeButton(kLeft, IMAGE_DIALOG_ARROW_LEFT, L"") : nullptr;
  mSlots[kRight - 1] = PlaceOf(kRight, mode).used ? MakeButton(kRight, IMAGE_DIALOG_ARROW_RIGHT, L"") : nullptr;
  if (PlaceOf(kRetry, mode).used)
    mSlots[kRetry - 1] = MakeButton(kRetry, IMAGE_DIALOG_BUTTON_2, mode == 5 ? L"Continue" : L"Retry");
  if (PlaceOf(kClear, mode).used) mSlots[kClear - 1] = MakeButton(kClear, IMAGE_DIALOG_BUTTON_2, L"Clear");
  mSlots[kMainMenu - 1] = MakeButton(kMainMenu, IMAGE_DIALOG_BUTTON_2, L"Main Menu");
}

BestSellers::~BestSellers() {
  for (ButtonWidget*& button : mSlots) {
    delete button;
    button = nullptr;
  }
}

ButtonWidget* BestSellers::MakeButton(int id, Image* image, const std::wstring& label) {
  auto* button = new ButtonWidget(id, this);
  button->mNormalImage = button->mOverImage = button->mDownImage = image;
  const bool arrow = id == kLeft || id == kRight;
  // The two button pictures share one cel size.
  Image* cells = arrow ? image : IMAGE_DIALOG_BUTTON_1;
  const int cw = cells ? cells->GetCellWidth() : 0;
  const int ch = cells ? cells->GetCellHeight() : 0;
  button->mNormalRect = button->mDownRect = Rect(0, 0, cw, ch);
  button->mOverRect = Rect(cw, 0, cw, ch);
  button->mLabel = label;
  if (!arrow) {
    if (FONT_RAVIE_14) button->SetFont(FONT_RAVIE_14);
    button->mLabelOffsetX = -4;
    button->mLabelOffsetY = -8;
    button->SetColor(ButtonWidget::COLOR_LABEL, DialogTextColor());
    button->SetColor(ButtonWidget::COLOR_LABEL_HILITE, DialogTextColor());
  }
  button->mDoFinger = true;
  button->Resize(0, 0, cw, ch);
  return button;
}

void BestSellers::OnAddedToManager(WidgetManager* manager) {
  for (int id = 1; id <= kButtonCount; ++id) {
    ButtonWidget* button = mSlots[id - 1];
    if (!button) continue;
    const Place place = PlaceOf(id, mMode);
    button->Resize(place.x, place.y, button->mWidth, button->mHeight);
    manager->AddWidget(button);
  }
  ScreenFrame::OnAddedToManager(manager);
}

void BestSellers::OnRemovedFromManager(WidgetManager* manager) {
  ScreenFrame::OnRemovedFromManager(manager);
  for (ButtonWidget* button : mSlots)
    if (button) manager->RemoveWidget(button);
}

void BestSellers::Pause() {
  MarkDirty();
  ++mPauseCount;
}

void BestSellers::UpdateScreen() {
  mPulse += mPulseStep;
  if (mPulse < 0) {
    mPulse = 0;
    mPulseStep = -mPulseStep;
  } else if (mPulse > 255) {
    mPulse = 255;
    mPulseStep = -mPulseStep;
  }
  if (mNewEntryRank >= 0 && mNameCountdown > 0 && --mNameCountdown == 0) {
    Pause();
    auto* dialog = new BSNameDialog(mApp, this);
    const int w = IMAGE_DIALOG_MESSAGE ? IMAGE_DIALOG_MESSAGE->GetWidth() : 0;
    const int h = IMAGE_DIALOG_MESSAGE ? IMAGE_DIALOG_MESSAGE->GetHeight() : 0;
    dialog->Resize((kScreenWidth - w) / 2, -h, w, h);
    mApp.AddDialog(kNameDialogId, dialog);
    mApp.mAppWidgets->SetFocus(dialog);
  }
}

void BestSellers::OnFadeResult(int result) {
  if (result != kResultRetry && result != kResultMainMenu) return;
  RemoveAndQueueDelete();
  if (result == kResultMainMenu)
    mApp.BestSellersToMainMenu();
  else if (mMode >= 2 && mMode <= 4)
    mApp.BestSellersToBoard(mMode - 1);
  else
    mApp.BestSellersToMap();
}

void BestSellers::ButtonPressed(int id) { PlayDialogClickSound(mApp); }

void BestSellers::ButtonReleased(int id) {
  // A new result gets its name first.
  if (mMode != 0 && mNameCountdown > 0) return;
  switch (id) {
    case kLeft:
      mShownTable = mShownTable == 0 ? 3 : mShownTable - 1;
      break;
    case kRight:
      mShownTable = mShownTable == 3 ? 0 : mShownTable + 1;
      break;
    case kRetry:
      LeaveWith(kResultRetry);
      break;
    case kClear: {
      Pause();
      auto* dialog = new BSClearDialog(mApp, this, mShownTable);
      const int w = IMAGE_DIALOG_MESSAGE ? IMAGE_DIALOG_MESSAGE->GetWidth() : 0;
      const int h = IMAGE_DIALOG_MESSAGE ? IMAGE_DIALOG_MESSAGE->GetHeight() : 0;
      dialog->Resize((kScreenWidth - w) / 2, -h, w, h);
      mApp.AddDialog(kClearDialogId, dialog);
      mApp.mAppWidgets->SetFocus(dialog);
      break;
    }
    case kMainMenu:
      LeaveWith(kResultMainMenu);
      break;
    default:
      break;
  }
  MarkDirty();
}

void BestSellers::SetNewEntryName(const std::wstring& name) {
  if (BestSellerEntry* entry = mApp.GetBestSellerEntry(mShownTable, mNewEntryRank)) entry->name = name;
}

std::wstring BestSellers::FormatTime(int seconds) {
  return std::to_wstring(seconds / 60) + L":" + std::to_wstring(seconds % 60);
}

void BestSellers::Draw(Graphics* g) {
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_BESTSELLERS, 0, 0);
  if (FONT_RAVIE_14) {
    g->SetFont(FONT_RAVIE_14);
    g->SetColor(Color(0, 0, 0));
    if (mShownTable == 0) {
      WriteCentred(g, L"Story", 408, 166);
    } else {
      WriteCentred(g, L"Happy Hour", 408, 158);
      static const wchar_t* const kLevels[] = {L"Easy", L"Normal", L"Hard"};
      if (FONT_RAVIE_10) {
        g->SetFont(FONT_RAVIE_10);
        WriteCentred(g, kLevels[mShownTable - 1], 408, 156 + FONT_RAVIE_14->GetHeight());
        g->SetFont(FONT_RAVIE_14);
      }
    }
    g->SetColor(Color(255, 255, 0));
    WriteLeft(g, L"Player", kLeftX, kHeadBaseline);
    WriteCentred(g, mShownTable == 0 ? L"Star Rating" : L"Time", kMiddleX, kHeadBaseline);
    WriteRight(g, L"Score", kRightX, kHeadBaseline);
    DrawRows(g);
  }
  QueueOverlay();
}

int BestSellers::RowBaseline(int row) {
  const int height = FONT_RAVIE_14 ? FONT_RAVIE_14->GetHeight() : 0;
  return kHeadBaseline + static_cast<int>(static_cast<float>(height) * kFirstRowFactor) + row * (height - 5);
}

void BestSellers::DrawRows(Graphics* g) {
  for (int row = 0; row < ProfileManager::kTablePlaces; ++row) {
    const int baseline = RowBaseline(row);
    const BestSellerEntry* entry = mApp.GetBestSellerEntry(mShownTable, row);
    if (!entry) continue;
    g->SetColor(row == mNewEntryRank ? Color(255, 255, mPulse) : Color(255, 231, 231));
    WriteLeft(g, entry->name, kLeftX, baseline);
    WriteRight(g, std::to_wstring(entry->score), kRightX, baseline);
    if (mShownTable != 0) {
      WriteCentred(g, FormatTime(entry->time), kMiddleX, baseline);
    } else if (entry->stars > 0 && IMAGE_BESTSELLERS_STAR) {
      const int w = IMAGE_BESTSELLERS_STAR->GetWidth();
      const int x = kMiddleX - w * entry->stars / 2;
      for (int s = 0; s < entry->stars; ++s) g->DrawImage(IMAGE_BESTSELLERS_STAR, x + s * w, baseline - 16);
    }
  }
}

void BestSellers::DrawOverlay(Graphics* g) {
  if (mApp.GetFadeState() > 0) mApp.DrawFade(g);
  if (!mApp.mHasFocus) {
    g->SetColor(Color(0, 0, 0, 64));
    g->FillRect(0, 0, mWidth, mHeight);
  }
}

}  // namespace Plix
