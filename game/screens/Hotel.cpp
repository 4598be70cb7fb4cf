#include "game/screens/Hotel.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/GameDialog.h"

namespace Plix {

namespace {

using Scene = ContestScene;

constexpr int kHeroineX = 300;
constexpr int kWait = 100;
constexpr int kEndingWait = 300;
constexpr int kBalloonDelay = 50;

}  // namespace

Hotel::Hotel(GameApp& app, int storyMode)
    : ScreenFrame(app, "FlavorContest", storyMode == kOpening ? "data/store.ogg" : "data/game_complete.ogg"),
      mStoryMode(storyMode),
      mScene(kHeroineX, true) {
  // The ending's song plays on into the end map.
  if (!IsOpening()) KeepSongWhenRemoved();
  mScene.SetHeroineFront(true);
  mSkip = new ButtonWidget(kSkip, this);
  LookAsDialogButton(mSkip, IMAGE_DIALOG_BUTTON_2, L"Skip Story", IMAGE_DIALOG_BUTTON_1);
}

Hotel::~Hotel() {
  delete mBalloon;
  delete mSkip;
}

void Hotel::OnAddedToManager(WidgetManager* manager) {
  ScreenFrame::OnAddedToManager(manager);
  Image* cells = IMAGE_DIALOG_BUTTON_1;
  mSkip->Resize(630, 546, cells ? cells->GetCellWidth() : 0, cells ? cells->GetCellHeight() : 0);
  manager->AddWidget(mSkip);
}

void Hotel::OnRemovedFromManager(WidgetManager* manager) {
  ScreenFrame::OnRemovedFromManager(manager);
  if (mSkip && mSkip->mWidgetManager) manager->RemoveWidget(mSkip);
}

void Hotel::OnFadeResult(int result) {
  ButtonWidget* skip = mSkip;
  mSkip = nullptr;
  RemoveAndQueueDelete();
  if (skip) {
    if (skip->mWidgetManager) skip->mWidgetManager->RemoveWidget(skip);
    mApp.QueueWidgetDelete(skip);
  }
  if (result == kToBoard)
    mApp.HotelToBoard();
  else
    mApp.HotelToTheEndMap();
}

void Hotel::ButtonPressed(int) { PlayDialogClickSound(mApp); }

void Hotel::ButtonReleased(int) {
  if (IsOpening()) {
    if (mStep == 11) return;
    mStep = 11;
    LeaveOpening();
  } else {
    if (mStep == 7) return;
    mStep = 7;
    LeaveEnding();
  }
}

void Hotel::LeaveOpening() {
  if (PlayerProfile* profile = mApp.GetCurrentProfile()) profile->SetFlag(kOpening, true);
  LeaveWith(kToBoard);
}

void Hotel::LeaveEnding() {
  // The song is left playing.
  mApp.StartFadeOut(kToTheEnd, 0, 0, 0, 255, 0, 6);
}

void Hotel::Say(Speaker speaker, int mode, int x, int y, std::initializer_list<const wchar_t*> pages,
                const wchar_t* button, bool delayed) {
  auto* balloon = new InfoBalloon(0, InfoBalloon::kNormal);
  balloon->Place(mode, x, y);
  for (const wchar_t* page : pages) balloon->AddPage(page);
  balloon->SetYesText(button);
  if (delayed) balloon->SetDelay(kBalloonDelay);
  balloon->LayoutPage();
  delete mBalloon;
  mBalloon = balloon;
  mSpeaker = speaker;
}

void Hotel::HeroineSays(const wchar_t* page, const wchar_t* button, bool delayed) {
  Say(kHeroineSpeaks, 2, mScene.GetHeroineX() + 64, 330, {page}, button, delayed);
}

void Hotel::OnBalloonAnswer(int answer) {
  if (answer <= 1 || !mBalloon) return;
  if (mSpeaker == kUncleSpeaks && mScene.IsRunning(Scene::kUncle, Scene::kUncleTalking)) mScene.Drop(Scene::kUncle);
  if (mSpeaker == kHeroineSpeaks && mScene.IsRunning(Scene::kHeroine, Scene::kHeroineTalking))
    mScene.Drop(Scene::kHeroine);
  delete mBalloon;
  mBalloon = nullptr;
}

void Hotel::UpdateScreen() {
  mScene.TriggerIdle();
  if (mBalloon) {
    const int r = mBalloon->Update();
    const Scene::Figure who = mSpeaker == kUncleSpeaks ? Scene::kUncle : Scene::kHeroine;
    if (r == InfoBalloon::kPageStarted) {
      mScene.Start(who == Scene::kUncle ? Scene::kUncleTalking : Scene::kHeroineTalking);
    } else if (r == InfoBalloon::kPageFinished || r == InfoBalloon::kLastPageFinished) {
      mScene.Drop(who);
      if (who == Scene::kUncle && r == InfoBalloon::kLastPageFinished) mScene.SetHeroineFront(true);
    }
  }
  if (IsOpening())
    RunOpeningStory();
  else
    RunEndingStory();
  mScene.Step();
}

void Hotel::RunOpeningStory() {
  const bool gone = mBalloon == nullptr;
  switch (mStep) {
    case 0:
      if (++mCounter <= kWait) break;
      mScene.Start(Scene::kUncleGesture);
      mStep = 1;
      break;
    case 1:
      if (mScene.HasAnimation(Scene::kUncle)) break;
      mScene.SetHeroineFront(false);
      Say(kUncleSpeaks, 3, 326, 177,
          {L"Welcome to the hotel, Pemi!\n\nI hope you had a pleasant flight in my good old private jet.",
           L"... How many summers have you spent on this island by now? Ten, fifteen?.. I can't even remember.",
           L"Nobody, except for me perhaps, knows this island better than you do. And that's why I wanted to have "
           L"this little talk."},
          L"OK", false);
      mStep = 2;
      break;
    case 2:
      if (!gone) break;
      HeroineSays(L"My uncle seems a bit sentimental and weird today. Trust me, he's usually a very cheerful person. I "
                  L"wonder what's going on?",
                  L"OK", true);
      mStep = 3;
      break;
    case 3:
      if (!gone) break;
      mScene.SetHeroineFront(false);
      Say(kUncleSpeaks, 2, 454, 177,
          {L"I love this island, and I love ice cream even more. But after all these years... Well, I guess all the "
           L"hard work has simply made me a bit tired.",
           L"So you see, Pemi, I'm actually planning to retire...",
           L"As I see it, there are two options. I could sell this paradise to someone rich enough, but who knows "
           L"what would happen to the island if I did?.."},
          L"OK", true);
      mStep = 4;
      break;
    case 4:
      if (!gone) break;
      mScene.SetHeroineFront(true);
      mScene.Start(Scene::kHeroineSurprised);
      mStep = 5;
      break;
    case 5:
      if (mScene.HasAnimation(Scene::kHeroine)) break;
      HeroineSays(L"Sell Zad Arivi Davezo?! He must have lost his mind!", L"Yep", false);
      mStep = 6;
      break;
    case 6:
      if (!gone) break;
      mScene.SetHeroineFront(false);
      Say(kUncleSpeaks, 3, 326, 177,
          {L"The better option is to let someone that I trust, a member of the family, take over the business and "
           L"the island.",
           L"You are the only one that I have in mind. But, of course, I couldn't let you take over the place until "
           L"I know how good you are when it comes to selling ice creams.",
           L"So what do you say? Are you interested?"},
          L"Yes", false);
      mStep = 7;
      break;
    case 7:
      if (!gone) break;
      mScene.Start(Scene::kUncleGesture);
      mStep = 8;
      break;
    case 8:
      if (mScene.HasAnimation(Scene::kUncle)) break;
      mScene.SetHeroineFront(false);
      Say(kUncleSpeaks, 2, 454, 177,
          {L"Lovely, Pemi! I had hoped so much that you'd say yes!",
           L"I will let you start in the park, since it's the calmest place on the island. And, of course, Rudav and "
           L"Vurez will be there to assist you!"},
          L"Great", true);
      mStep = 9;
      break;
    case 9:
      if (!gone) break;
      mCounter = 0;
      mStep = 10;
      break;
    case 10:
      if (++mCounter <= kWait) break;
      mStep = 11;
      LeaveOpening();
      break;
    default:
      break;
  }
}

void Hotel::RunEndingStory() {
  const bool gone = mBalloon == nullptr;
  switch (mStep) {
    case 0:
      if (++mCounter <= kWait) break;
      mScene.SetHeroineFront(false);
      Say(kUncleSpeaks, 3, 326, 177,
          {L"Welcome back, Pemi!\n\nThe last few days I've been watching you from my office at the top of this "
           L"hotel ...",
           L"... I have to admit that you've been performing better than I could possibly have imagined. And I've "
           L"heard nothing but good words from the tourists.",
           L"But about giving this whole island away to you...",
           L"I've thought about it and... Well, I'm not quite sure that I could do something like that."},
          L"What?", false);
      mStep = 1;
      break;
    case 1:
      if (!gone) break;
      mScene.Start(Scene::kHeroineSurprised);
      mStep = 2;
      break;
    case 2:
      if (mScene.HasAnimation(Scene::kHeroine)) break;
      mCounter = 0;
      mStep = 3;
      break;
    case 3:
      if (++mCounter <= kWait) break;
      mScene.Start(Scene::kUncleGesture);
      mScene.SetHeroineFront(false);
      mStep = 4;
      break;
    case 4:
      if (mScene.HasAnimation(Scene::kUncle)) break;
      Say(kUncleSpeaks, 2, 454, 177,
          {L"Ha ha ha! I'm just kidding with you, dearest! No one is more suitable for this job than you!",
           L"Zad Arivi Davezo is now yours, Pemi! And I know you'll take good care of both the business and the "
           L"tourists!"},
          L"OK", true);
      mStep = 5;
      break;
    case 5:
      if (!gone) break;
      mScene.SetHeroineFront(true);
      mScene.Start(Scene::kHeroineJoy);
      mScene.Start(Scene::kSeriousCheering);
      mScene.Start(Scene::kHappyCheering);
      mScene.Start(Scene::kUncleGesture);
      mCounter = 0;
      mStep = 6;
      break;
    case 6:
      if (++mCounter <= kEndingWait) break;
      mStep = 7;
      LeaveEnding();
      break;
    default:
      break;
  }
}

void Hotel::Draw(Graphics* g) {
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_FLAVOR_CONTEST, 0, 0);
  mScene.DrawOthers(g);
  mScene.DrawHeroine(g);
  if (mBalloon) mBalloon->Draw(*g);
  QueueOverlay();
}

void Hotel::DrawOverlay(Graphics* g) {
  if (mApp.GetFadeState() > 0) mApp.DrawFade(g);
  if (mPauseCount > 0) {
    g->SetColor(Color(0, 0, 0, 64));
    g->FillRect(0, 0, mWidth, mHeight);
  }
}

void Hotel::MouseMove(int x, int y) {
  if (mPauseCount > 0 || !mBalloon) return;
  mBalloon->MouseMove(x, y, false);
}

void Hotel::MouseDown(int, int, int) {
  if (mPauseCount > 0 || !mBalloon) return;
  mBalloon->MouseDown();
}

void Hotel::MouseDrag(int x, int y) {
  if (mPauseCount > 0 || !mBalloon) return;
  mBalloon->MouseDrag(x, y);
}

void Hotel::MouseUpAt(int x, int y) {
  if (mPauseCount > 0) return;
  mApp.SetCursor(0);
  if (mBalloon) OnBalloonAnswer(mBalloon->MouseUp(x, y));
}

void Hotel::KeyChar(wchar_t ch) {
  if (mBalloon) OnBalloonAnswer(mBalloon->KeyDown(ch));
}

}  // namespace Plix
