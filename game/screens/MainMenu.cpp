#include "game/screens/MainMenu.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/util/Utilities.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/Curve.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/screens/DifficultyDialog.h"
#include "game/screens/GameDialog.h"
#include "game/screens/HelpDialog.h"
#include "game/screens/OptionsDialog.h"
#include "game/screens/PlayerDialogs.h"

namespace Plix {

namespace {

constexpr float kBuildingStart = 100, kBeachStart = 50, kHeroineStart = 150, kQuitStart = 150;
constexpr float kBuildingStep = 1.0f, kBeachStep = 0.5f, kHeroineStep = 1.5f, kQuitStep = 1.5f;

const float kButterfly1[13][2] = {{265, 282}, {326, 148}, {574, 139}, {706, 274}, {619, 416}, {446, 402}, {545, 235},
                                  {456, 64},  {185, 77},  {131, 196}, {331, 437}, {117, 513}, {65, 342}};
const float kButterfly2[13][2] = {{383, 341}, {304, 210}, {265, 165}, {180, 34},  {106, 76},  {128, 139}, {349, 107},
                                  {501, 184}, {554, 370}, {408, 465}, {565, 508}, {531, 232}, {421, 264}};

int WidthOf(Image* image) { return image ? image->GetWidth() : 0; }
int HeightOf(Image* image) { return image ? image->GetHeight() : 0; }

// Falls towards 0; true when it moved.
bool SlideIn(float& offset, float step) {
  if (offset <= 0) return false;
  offset = std::max(offset - step, 0.0f);
  return true;
}

void SlideOut(float& offset, float step, float start) {
  if (offset < start) offset = std::min(offset + step, start);
}

void StepGlow(int& alpha, int& step) {
  alpha += step;
  if (alpha > 255) {
    alpha = 255;
    step = -4 - Rand() % 2;
  } else if (alpha < 0) {
    alpha = 0;
    step = 4 + Rand() % 2;
  }
}

// Placed centred across the screen at y, sized to the picture, added under
// the id and focused.
void ShowDialog(GameApp& app, GameDialog* dialog, int id, Image* picture, int y) {
  const int w = WidthOf(picture), h = HeightOf(picture);
  dialog->Resize((800 - w) / 2, y == -1 ? -h : y, w, h);
  app.AddDialog(id, dialog);
  app.mAppWidgets->SetFocus(dialog);
}

}  // namespace

MainMenu::MainMenu(GameApp& app)
    : ScreenFrame(app, "MainMenu", "data/mainmenu.ogg", GroupLoad::kWhenNotReady), mNotice(StringToWString(kHappyHourNotice)) {
  mClouds[0] = {IMAGE_MAIN_MENU_CLOUD_1, static_cast<float>(-(WidthOf(IMAGE_MAIN_MENU_CLOUD_1) / 2)), 0, 0.25f};
  mClouds[1] = {IMAGE_MAIN_MENU_CLOUD_2, static_cast<float>(WidthOf(IMAGE_MAIN_MENU_CLOUD_2)), -64, 0.5f};
  mClouds[2] = {IMAGE_MAIN_MENU_CLOUD_1, 400, -80, 0.4f};
  mClouds[3] = {IMAGE_MAIN_MENU_CLOUD_2, 600, -90, 0.3f};

  const float (*paths[2])[2] = {kButterfly1, kButterfly2};
  const float starts[2] = {0.75f, 0.0f};
  const int pauses[2] = {500, 300};
  for (int i = 0; i < 2; ++i) {
    Butterfly& b = mButterflies[i];
    std::copy(&paths[i][0][0], &paths[i][0][0] + 26, &b.points[0][0]);
    b.t = starts[i];
    b.delay = 0;
    b.lapPause = pauses[i];
    for (int cel : {0, 1, 2, 1}) b.flap.AddFrame(cel, 10);
    b.flap.SetLooping();
    b.flap.Reset();
    float x = 0, y = 0;
    EvalClosedSpline(b.points, b.t, 0.3f, x, y);
    b.x = b.previousX = static_cast<int>(x);
    b.y = static_cast<int>(y);
  }

  for (int cel : {0, 1, 2, 1}) mHelpHover.AddFrame(cel, 20);
  mHelpHover.SetLooping();
  mHelpHover.Reset();
  for (int duration : {10, 15, 20})
    for (int cel : {0, 1, 2, 1}) mHelpIdle.AddFrame(cel, duration);
  mHelpIdle.Reset();
}

MainMenu::~MainMenu() = default;

void MainMenu::CreateButtons() {
  AddButton(kOptions, IMAGE_MAIN_MENU_OPTIONS, IMAGE_MAIN_MENU_OPTIONS_OVER, 420, 333);
  AddButton(kBestSellers, IMAGE_MAIN_MENU_TOP_SELLERS, IMAGE_MAIN_MENU_TOP_SELLERS_OVER, 557, 325);
  AddButton(kStoryMode, IMAGE_MAIN_MENU_STORY_MODE, IMAGE_MAIN_MENU_STORY_MODE_OVER, 76, 24);
  AddButton(kHappyHour, IMAGE_MAIN_MENU_HAPPY_MODE, IMAGE_MAIN_MENU_HAPPY_MODE_OVER, 529, 49);
  AddButton(kChangePlayer, IMAGE_MAIN_MENU_CHANGE_PLAYER, IMAGE_MAIN_MENU_CHANGE_PLAYER_OVER, 420, 245);
  AddButton(kHelp, IMAGE_MAIN_MENU_HELP_2, nullptr, 668, 262);
  AddButton(kQuit, IMAGE_MAIN_MENU_QUIT_1, IMAGE_MAIN_MENU_QUIT_2, 630, 474);
}

void MainMenu::OnAddedToManager(WidgetManager* manager) {
  ScreenFrame::OnAddedToManager(manager);
  if (!mApp.mHasFocus && mPauseCount == 0) Pause();
}

int MainMenu::ButtonOffsetY(AlphaButton* button) {
  return static_cast<int>(button->GetId() == kQuit ? mQuitOffset : mBuildingOffset);
}

bool MainMenu::CurrentPlayerHasName() {
  PlayerProfile* profile = mApp.GetCurrentProfile();
  return profile && !profile->GetName().empty();
}

int MainMenu::GetHelpAnimation() const {
  return mHelpCurrent == &mHelpHover ? 1 : mHelpCurrent == &mHelpIdle ? 2 : 0;
}

int MainMenu::BlinkCel(int count) {
  if (count <= 1) return -1;
  return count >= 6 && count <= 10 ? 1 : 0;
}

void MainMenu::StepButterfly(Butterfly& b) {
  if (b.delay > 0) --b.delay;
  if (b.delay == 0) {
    b.t += 0.0005f;
    b.flap.Update();
    if (b.t > 1.0f) {
      b.t = 0;
      b.delay = b.lapPause;
    }
  }
  b.previousX = b.x;
  float x = 0, y = 0;
  EvalClosedSpline(b.points, b.t, 0.3f, x, y);
  b.x = static_cast<int>(x);
  b.y = static_cast<int>(y);
  if (b.x > b.previousX)
    b.facing = 1;
  else if (b.x < b.previousX)
    b.facing = 0;
}

void MainMenu::Update() {
  GameScreen::Update();
  const int fade = mApp.GetFadeState();
  bool moved = false;
  if (fade != 2) {
    moved |= SlideIn(mBuildingOffset, kBuildingStep);
    moved |= SlideIn(mBeachOffset, kBeachStep);
    moved |= SlideIn(mHeroineOffset, kHeroineStep);
    moved |= SlideIn(mQuitOffset, kQuitStep);
  }
  if (mPauseCount > 0) {
    if (moved) MarkDirty();
    return;
  }
  if (fade == 2) {
    SlideOut(mBuildingOffset, kBuildingStep, kBuildingStart);
    SlideOut(mBeachOffset, kBeachStep, kBeachStart);
    SlideOut(mHeroineOffset, kHeroineStep, kHeroineStart);
    SlideOut(mQuitOffset, kQuitStep, kQuitStart);
  }

  if (mBlink == 0) {
    if (Rand() % 400 == 1) mBlink = 1;
  } else if (++mBlink >= 16) {
    mBlink = 0;
  }

  StepGlow(mStoryGlow, mStoryGlowStep);
  StepGlow(mHappyGlow, mHappyGlowStep);

  if (mHovered && mHovered->GetId() == kHappyHour && mBuildingOffset == 0 && !mApp.IsHappyHourUnlocked()) {
    if (++mNoticeHover > 25 && mNoticeShown < static_cast<int>(mNotice.size())) ++mNoticeShown;
  }

  for (Butterfly& b : mButterflies) StepButterfly(b);

  for (Cloud& c : mClouds) {
    c.x += c.speed;
    if (c.x > 800) c.x = static_cast<float>(-WidthOf(c.image));
  }

  if (StepFade()) return;

  const bool overHelp = mHovered && mHovered->GetId() == kHelp;
  if (overHelp && (mHelpCurrent == nullptr || mHelpCurrent == &mHelpIdle)) {
    mHelpCurrent = &mHelpHover;
    mHelpCurrent->Reset();
  } else if (!overHelp && mHelpCurrent == &mHelpHover) {
    mHelpCurrent = nullptr;
  }
  if (mHelpCurrent && !mHelpCurrent->Update()) mHelpCurrent = nullptr;

  if (++mUpdateCount % 400 == 0 && Rand() % 2 == 0 && !mHelpCurrent) {
    mHelpCurrent = &mHelpIdle;
    mHelpCurrent->Reset();
  }
  MarkDirty();
}

void MainMenu::OnFadeResult(int result) {
  switch (result) {
    case kResultQuit:
      mApp.Shutdown();
      break;
    case kResultHappyHour:
      RemoveAndQueueDelete();
      mApp.MainMenuToBoard(mDifficulty);
      break;
    case kResultStoryMode:
      RemoveAndQueueDelete();
      mApp.MainMenuToMap();
      break;
    case kResultBestSellers:
      RemoveAndQueueDelete();
      mApp.MainMenuToBestSellers();
      break;
    default:
      break;
  }
}

std::wstring MainMenu::GetWelcomeText() {
  PlayerProfile* profile = mApp.GetCurrentProfile();
  if (!profile || profile->GetName().empty()) return L"Welcome!";
  return L"Welcome " + profile->GetName() + L"!";
}

void MainMenu::Draw(Graphics* g) {
  const int building = static_cast<int>(mBuildingOffset);
  const int beach = static_cast<int>(mBeachOffset);
  const int heroine = static_cast<int>(mHeroineOffset);
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_MAIN_MENU, 0, 0);
  for (const Cloud& c : mClouds)
    if (c.image) g->DrawImageF(c.image, c.x, static_cast<float>(c.y));

  DrawImageIf(g, IMAGE_MAIN_MENU_BUSHES, 674, 324 + beach);
  DrawImageIf(g, IMAGE_MAIN_MENU_BEACH, 0, 347 + beach);
  DrawImageIf(g, IMAGE_MAIN_MENU_BUILDING, 0, 5 + building);
  DrawImageIf(g, IMAGE_MAIN_MENU_BUILDING2, 0, 475 + building);

  if (mHelpCurrent) {
    const int cel = mHelpCurrent->GetCurrentCel();
    Image* figure = cel == 0 ? IMAGE_MAIN_MENU_HELP_1 : cel == 1 ? IMAGE_MAIN_MENU_HELP_2 : IMAGE_MAIN_MENU_HELP_3;
    DrawImageIf(g, figure, 668, 262 + building);
  }

  g->SetDrawMode(1);
  g->SetImageTinting(true);
  g->SetColor(Color(255, 255, 255, mStoryGlow));
  DrawImageIf(g, IMAGE_MAIN_MENU_STORY_MODE_GLOW, 69, 16 + building);
  g->SetColor(Color(255, 255, 255, mHappyGlow));
  DrawImageIf(g, IMAGE_MAIN_MENU_HAPPY_MODE_GLOW, 520, 28 + building);
  g->SetDrawMode(0);
  g->SetImageTinting(false);
  g->SetColor(Color(255, 255, 255));

  if (AlphaButton* help = FindButton(kHelp)) help->SetVisible(mHelpCurrent == nullptr);
  DrawButtons(g);

  DrawImageIf(g, IMAGE_MAIN_MENU_PEMI_TOP, -12, 183 + heroine);
  DrawImageIf(g, IMAGE_MAIN_MENU_PEMI_BOTTOM, -12, 183 + heroine + HeightOf(IMAGE_MAIN_MENU_PEMI_TOP));
  if (const int cel = BlinkCel(mBlink); cel >= 0 && IMAGE_MAIN_MENU_PEMI_BLINKING)
    g->DrawImageCell(IMAGE_MAIN_MENU_PEMI_BLINKING, 91, 280 + heroine, cel);

  if (FONT_RAVIE_10) {
    g->SetFont(FONT_RAVIE_10);
    g->SetImageTinting(true);
    g->SetColor(Color(91, 95, 194));
    g->WriteString(GetWelcomeText(), 549, 276 + building, -1, 0);
    g->SetColor(Color(0, 0, 0, 192));
    g->WriteString(L"v1.03", 792, 18, -1, 1);
    g->SetImageTinting(false);
  }

  g->SetColor(Color(255, 255, 255));
  for (int i : {1, 0}) {
    const Butterfly& b = mButterflies[i];
    Image* image = i == 0 ? IMAGE_MAIN_MENU_BUTTERFLY_1 : IMAGE_MAIN_MENU_BUTTERFLY_2;
    if (!image) continue;
    const int cel = b.flap.GetCurrentCel() + (b.facing == 1 ? 3 : 0);
    g->DrawImageCell(image, b.x - image->GetCellWidth() / 2, b.y - image->GetCellHeight(), cel);
  }

  if (mNoticeShown > 0) {
    DrawImageIf(g, IMAGE_MAIN_MENU_BUBBLE, 184, 61);
    if (FONT_DEFAULT) {
      g->SetFont(FONT_DEFAULT);
      g->SetColor(Color(0, 0, 0));
      DrawWordWrapped(g, mNotice, Rect(227, 92, 270, 90), -1, 0);
    }
  }

  if (mApp.GetFadeState() > 0) mApp.DrawFade(g);
  if (!mApp.mHasFocus) QueueOverlay();
}

void MainMenu::DrawOverlay(Graphics* g) {
  g->SetColor(Color(0, 0, 0, 64));
  g->FillRect(0, 0, mWidth, mHeight);
}

void MainMenu::MouseMove(int x, int y) {
  if (mApp.GetFadeState() == 2 || mPauseCount > 0) return;
  ScreenFrame::MouseMove(x, y);
  if (!mHovered || mHovered->GetId() != kHappyHour) mNoticeShown = mNoticeHover = 0;
}

bool MainMenu::AcceptsPress(AlphaButton* button) {
  if (button->GetId() != kHappyHour) return true;
  return mApp.GetCurrentProfile() != nullptr && mApp.IsHappyHourUnlocked();
}

void MainMenu::MouseUpAt(int x, int y) {
  ScreenFrame::MouseUpAt(x, y);
  mHelpCurrent = nullptr;
}

void MainMenu::OpenNewPlayerDialog(int pendingAction) {
  Pause();
  ShowDialog(mApp, new MMNewPlayerDialog(mApp, true), MMNewPlayerDialog::kDialogId, IMAGE_DIALOG_MESSAGE, 600);
  mPendingAction = pendingAction;
}

void MainMenu::OpenDifficultyDialog() {
  Pause();
  ShowDialog(mApp, new DifficultyDialog(mApp, this), DifficultyDialog::kDialogId, IMAGE_DIALOG_MESSAGE, -1);
}

void MainMenu::OnButton(int id) {
  switch (id) {
    case kQuit:
      LeaveWith(kResultQuit);
      break;
    case kChangePlayer:
      Pause();
      mPlayerDialog = new MMPlayerDialog(mApp);
      ShowDialog(mApp, mPlayerDialog, MMPlayerDialog::kDialogId, IMAGE_DIALOG_BIG, -1);
      break;
    case kHappyHour:
      if (!CurrentPlayerHasName())
        OpenNewPlayerDialog(kResultHappyHour);
      else
        OpenDifficultyDialog();
      break;
    case kOptions:
      Pause();
      ShowDialog(mApp, new OptionsDialog(mApp, true, nullptr), OptionsDialog::kDialogId, IMAGE_DIALOG_STANDARD, -1);
      break;
    case kStoryMode:
      if (!CurrentPlayerHasName())
        OpenNewPlayerDialog(kResultStoryMode);
      else
        LeaveWith(kResultStoryMode);
      break;
    case kBestSellers:
      LeaveWith(kResultBestSellers);
      break;
    case kHelp:
      Pause();
      ShowDialog(mApp, new HelpDialog(mApp, true, nullptr), HelpDialog::kDialogId, IMAGE_DIALOG_BIG, -1);
      break;
    default:
      break;
  }
}

void MainMenu::StartHappyHour(int choice) {
  mDifficulty = choice;
  Resume();
  if (choice >= 0 && choice <= 2) mDifficulty = choice + 1;
  LeaveWith(kResultHappyHour);
}

void MainMenu::ContinueWithPlayer(int index) {
  if (index >= 0) {
    mApp.SetCurrentProfile(index);
    if (mPendingAction == kResultHappyHour)
      OpenDifficultyDialog();
    else if (mPendingAction == kResultStoryMode)
      LeaveWith(kResultStoryMode);
  }
  mPendingAction = 0;
}

MMPlayerDialog* MainMenu::GetPlayerDialog() {
  // Only while it is still open: a closed one is gone or about to be.
  auto* open = dynamic_cast<MMPlayerDialog*>(mApp.GetDialog(MMPlayerDialog::kDialogId));
  return open && open == mPlayerDialog ? open : nullptr;
}

void MainMenu::SelectPlayerInDialog(int index) {
  MMPlayerDialog* dialog = GetPlayerDialog();
  if (!dialog) return;
  mApp.mAppWidgets->SetFocus(dialog);
  dialog->SelectPlayer(index);
}

void MainMenu::DeleteSelectedPlayer(bool confirmed) {
  MMPlayerDialog* dialog = GetPlayerDialog();
  if (!dialog) return;
  mApp.mAppWidgets->SetFocus(dialog);
  dialog->DeleteSelectedPlayer(confirmed);
}

}  // namespace Plix
