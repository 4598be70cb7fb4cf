#include "game/screens/ScreenFrame.h"

#include <map>

#include "framework/graphics/Graphics.h"
#include "framework/resources/ResourceManager.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/screens/ScreenResources.h"

namespace Plix {

namespace {

constexpr int kSongId = 0;
constexpr double kSongFadeIn = 0.005;
constexpr double kSongFadeOut = 0.02;
constexpr int kLeaveFadeStep = 6;

// Screens alive per group: a screen made while the one it replaces still
// waits for deletion shares the group, which goes only with its last owner.
std::map<std::string, int>& GroupOwners() {
  static std::map<std::string, int> owners;
  return owners;
}

}  // namespace

ScreenFrame::ScreenFrame(GameApp& app, std::string group, std::string song, GroupLoad load)
    : mApp(app), mGroup(std::move(group)), mSong(std::move(song)) {
  if (mGroup.empty()) return;
  ResourceManager* resources = mApp.mAppResources;
  const bool ready = resources && resources->IsGroupReady(mGroup);
  if (load == GroupLoad::kAlways || !ready) LoadAndBindGroup(mApp, mGroup);
  ++GroupOwners()[mGroup];
}

ScreenFrame::~ScreenFrame() {
  void* item = nullptr;
  while (mButtons.PopFront(item)) delete static_cast<AlphaButton*>(item);
  if (mGroup.empty()) return;
  auto& owners = GroupOwners();
  if (--owners[mGroup] > 0) return;
  owners.erase(mGroup);
  FreeGroupAndHandles(mApp, mGroup);
}

AlphaButton* ScreenFrame::AddButton(int id, Image* normal, Image* over, int x, int y) {
  auto* button = new AlphaButton(id);
  button->SetImage(normal, false);
  button->SetStateImage(1, over);
  button->SetPosition(x, y);
  mButtons.PushBack(button);
  return button;
}

AlphaButton* ScreenFrame::FindButton(int id) const {
  ObjectListIterator it;
  for (it.Begin(mButtons); !it.AtEnd(); it.Next()) {
    auto* button = static_cast<AlphaButton*>(it.Get());
    if (button->GetId() == id) return button;
  }
  return nullptr;
}

void ScreenFrame::OnAddedToManager(WidgetManager* manager) {
  GameScreen::OnAddedToManager(manager);
  CreateButtons();
  mApp.StartFadeIn();
  if (MusicInterface* music = mApp.mMusicOutput; music && !mSong.empty()) {
    music->LoadMusic(kSongId, mSong);
    music->FadeIn(kSongId, -1, kSongFadeIn, false);
  }
}

void ScreenFrame::OnRemovedFromManager(WidgetManager* manager) {
  GameScreen::OnRemovedFromManager(manager);
  if (mApp.mMusicOutput && !mKeepSong) mApp.mMusicOutput->UnloadMusic(kSongId);
}

void ScreenFrame::Pause() {
  MarkDirty();
  ++mPauseCount;
  mApp.SetCursor(0);
}

void ScreenFrame::Resume() {
  if (mPauseCount <= 0) return;
  --mPauseCount;
  MarkDirty();
}

void ScreenFrame::Update() {
  GameScreen::Update();
  if (mPauseCount > 0) return;
  UpdateScreen();
  if (StepFade()) return;
  MarkDirty();
}

bool ScreenFrame::StepFade() {
  if (mLeft) return true;
  const int result = mApp.UpdateFade();
  if (result == 0) return false;
  OnFadeResult(result);
  return mLeft;
}

void ScreenFrame::LeaveWith(int result) {
  mApp.StartFadeOut(result, 0, 0, 0, 255, 0, kLeaveFadeStep);
  if (mApp.mMusicOutput) mApp.mMusicOutput->FadeOut(kSongId, true, kSongFadeOut);
}

void ScreenFrame::RemoveAndQueueDelete() {
  mLeft = true;
  if (mWidgetManager) mWidgetManager->RemoveWidget(this);
  mApp.QueueWidgetDelete(this);
}

bool ScreenFrame::HitButton(AlphaButton* button, int x, int y) {
  return button->Contains(x, y - ButtonOffsetY(button));
}

void ScreenFrame::MouseMove(int x, int y) {
  if (mApp.GetFadeState() == 2 || mPauseCount > 0) return;
  if (mHovered) mHovered->SetState(0);
  mHovered = nullptr;
  ObjectListIterator it;
  for (it.Begin(mButtons); !it.AtEnd(); it.Next()) {
    auto* button = static_cast<AlphaButton*>(it.Get());
    if (button->GetState() != 3 && HitButton(button, x, y)) mHovered = button;
  }
  if (mHovered) mHovered->SetState(1);
  mApp.SetCursor(mHovered ? 1 : 0);
}

void ScreenFrame::MouseDown(int x, int y, int clickCount) {
  GameScreen::MouseDown(x, y, clickCount);
  if (mApp.GetFadeState() == 2 || !mHovered) return;
  if (!AcceptsPress(mHovered)) return;
  mApp.PlaySound(SOUND_MOUSE_CLICK);
  mPressed = mHovered;
}

void ScreenFrame::MouseDrag(int x, int y) {
  if (mApp.GetFadeState() == 2 || !mPressed) return;
  if (HitButton(mPressed, x, y)) {
    mHovered = mPressed;
    mHovered->SetState(1);
    mApp.SetCursor(1);
  } else {
    mPressed->SetState(0);
    mHovered = nullptr;
    mApp.SetCursor(0);
  }
}

void ScreenFrame::MouseUpAt(int x, int y) {
  const int fade = mApp.GetFadeState();
  if (fade == 2 || fade == 3) return;
  if (mPressed && mPressed == mHovered) OnButton(mPressed->GetId());
  if (mLeft) return;
  if (mPressed) mPressed->SetState(0);
  mHovered = mPressed = nullptr;
  MouseMove(x, y);
}

void ScreenFrame::DrawButtons(Graphics* g) {
  ObjectListIterator it;
  for (it.Begin(mButtons); !it.AtEnd(); it.Next()) {
    auto* button = static_cast<AlphaButton*>(it.Get());
    const float saved = g->mTransY;
    g->mTransY = static_cast<float>(ButtonOffsetY(button));
    button->Draw(*g);
    g->mTransY = saved;
  }
}

}  // namespace Plix
