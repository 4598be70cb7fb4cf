#include "game/screens/FlavorContest.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "framework/graphics/Graphics.h"
#include "framework/platform/CRand.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/GameDialog.h"

namespace Plix {

namespace {

using Scene = ContestScene;

// The n-th contest awards flavour 13 + n, the one the floor's next box is
// filled with. The name, colour, darkness and card belong to the flavour;
// the right number and the attempts to the contest's place in the run (the
// first is the easiest).
const FlavorContest::Row kRows[] = {
    {"strawberry", 14, 230, 80, 80, 6, 5, 0.5f, 1},  {"chocolate", 15, 181, 116, 59, 9, 4, 0.3f, 4},
    {"pear", 16, 154, 224, 116, 1, 4, 0.5f, 0},      {"blueberry", 17, 92, 156, 228, 10, 4, 0.2f, 2},
    {"pineapple", 18, 247, 238, 93, 2, 4, 0.5f, 3},
};

constexpr int kPlateStart[3][2] = {{320, 440}, {320, 430}, {320, 420}};
constexpr int kJudgePlace[3][2] = {{240, 281}, {355, 279}, {482, 278}};
constexpr float kPlateSpeed = 4.0f;

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::wstring Format(const char* format, int number, const char* name) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, number, name);
  return Widen(buffer);
}

std::wstring Format(const char* format, const char* name) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, name);
  return Widen(buffer);
}

}  // namespace

const FlavorContest::Row* FlavorContest::RowFor(int flavorCount) {
  if (flavorCount < 1 || flavorCount > static_cast<int>(std::size(kRows))) return nullptr;
  return &kRows[flavorCount - 1];
}

void FlavorContest::MixedColour(const Row& row, int guess, int out[3]) {
  const int flavour[3] = {row.r, row.g, row.b};
  const float t = static_cast<float>(row.rightNumber);
  const float s = static_cast<float>(guess);
  for (int c = 0; c < 3; ++c) {
    const float f = static_cast<float>(flavour[c]);
    if (guess == row.rightNumber) {
      out[c] = flavour[c];
    } else if (guess < row.rightNumber) {
      const float r = (t - s) / t;
      out[c] = static_cast<int>(f * (1.0f - r) + 255.0f * r);
    } else {
      // A right number of 10 leaves no room above it; such a guess cannot
      // be chosen, but keep the divisor away from 0.
      const float room = kMaxScoops - t > 0.0f ? kMaxScoops - t : 1.0f;
      const float r = (s - t) / room;
      const float dark = f * (0.2f + 0.8f * row.darkness);
      out[c] = static_cast<int>(f * (1.0f - r) + dark * r);
    }
  }
}

FlavorContest::FlavorContest(GameApp& app)
    : ScreenFrame(app, "FlavorContest", "data/store.ogg"),
      mRow(RowFor(app.GetCurrentProfile() ? app.GetCurrentProfile()->GetFlavorCount() : 0)),
      mScene(240, false) {
  for (int i = 0; i < 3; ++i) mPlates[i] = Plate{kPlateStart[i][0], kPlateStart[i][1], 0, false, kAtBlender, {}};
  if (mRow) mAttemptsLeft = mRow->attempts;
  mState = kOpening;
  mScene.Start(Scene::kUncleGesture);
  mScene.SetHeroineFront(true);
}

FlavorContest::~FlavorContest() { delete mBalloon; }

void FlavorContest::CreateButtons() {
  AlphaButton* exit = AddButton(kExit, IMAGE_FLAVOR_CONTEST_EXIT, IMAGE_FLAVOR_CONTEST_EXIT_OVER, 0, 358);
  exit->CreateHitMask(0);
}

void FlavorContest::OnFadeResult(int) {
  RemoveAndQueueDelete();
  mApp.FlavorContestToMap();
}

void FlavorContest::OnButton(int id) {
  if (id == kExit) Leave();
}

void FlavorContest::Leave() {
  if (mLeaving) return;
  mLeaving = true;
  LeaveWith(1);
}

void FlavorContest::SetBalloon(InfoBalloon* balloon) {
  delete mBalloon;
  mBalloon = balloon;
}

InfoBalloon* FlavorContest::MakeBalloon(int id, int mode, int x, int y) {
  auto* balloon = new InfoBalloon(id, InfoBalloon::kNormal);
  balloon->Place(mode, x, y);
  return balloon;
}

void FlavorContest::OnBalloonAnswer(int answer) {
  mLastAnswer = answer;
  if (answer == 0 || !mBalloon) return;
  mChosen = mBalloon->GetNumber();
  SetBalloon(nullptr);
}

int FlavorContest::Talk(Scene::Figure speaker) {
  const int r = mBalloon->Update();
  if (r == InfoBalloon::kPageStarted)
    mScene.Start(speaker == Scene::kUncle ? Scene::kUncleTalking : Scene::kHeroineTalking);
  else if (r == InfoBalloon::kPageFinished || r == InfoBalloon::kLastPageFinished)
    mScene.Drop(speaker);
  return r;
}

void FlavorContest::UpdateScreen() {
  if (!mRow) {
    // No flavour is left to contest: back to the map at once.
    Leave();
    return;
  }
  mScene.TriggerIdle();
  mScene.Step();
  StepState();
  UpdateBlender();
  UpdatePlates();
}

void FlavorContest::AskForScoops(int reason) {
  mState = kQuestion;
  mScene.SetHeroineFront(true);
  InfoBalloon* balloon = MakeBalloon(5, 2, reason == 0 ? 457 : 407, 330);
  const bool last = mAttemptsLeft <= 1;
  if (reason == 0) {
    balloon->AddPage(Format("Okay, you heard my uncle!\nHow many scoops, between 1 and 10, of %s do you suggest we start "
                            "with?",
                            mRow->name));
  } else if (reason < 0) {
    balloon->AddPage(last ? Format("The flavor was too strong! This is our last attempt!\nHow many scoops of %s, between 1 "
                                   "and 10, do you suggest?",
                                   mRow->name)
                          : Format("The flavor was too strong, but we have %d more attempts! How many scoops of %s, "
                                   "between 1 and 10, do you suggest?",
                                   mAttemptsLeft, mRow->name));
  } else {
    balloon->AddPage(last ? Format("The flavor was too weak! This is our last attempt!\nHow many scoops of %s, between 1 "
                                   "and 10, do you suggest?",
                                   mRow->name)
                          : Format("The flavor was too weak, but we have %d more attempts! How many scoops of %s, "
                                   "between 1 and 10, do you suggest?",
                                   mAttemptsLeft, mRow->name));
  }
  balloon->SetYesText(L"Mix");
  balloon->SetNumberRange(kMaxScoops, mGuess);
  balloon->LayoutPage();
  SetBalloon(balloon);
}

void FlavorContest::StepState() {
  switch (mState) {
    case kOpening:
      if (mScene.HasAnimation(Scene::kUncle)) break;
      mScene.SetHeroineFront(false);
      {
        InfoBalloon* balloon = MakeBalloon(1, 3, 326, 177);
        balloon->AddPage(Widen(std::string("You have collected five of my golden ice creams, Pemi!\n\nI have therefore "
                                           "summoned you to participate in my special ") +
                               mRow->name + " flavor contest!"));
        balloon->AddPage(L"Would you like to hear the rules of the contest?");
        balloon->SetYesText(L"Yes");
        balloon->SetNoText(L"No");
        balloon->LayoutPage();
        SetBalloon(balloon);
      }
      mState = kInvitation;
      break;
    case kInvitation:
    case kRules:
      if (mBalloon) {
        if (Talk(Scene::kUncle) == InfoBalloon::kLastPageFinished) mScene.SetHeroineFront(true);
        break;
      }
      mScene.Drop(Scene::kUncle);
      if (mState == kInvitation && mLastAnswer == InfoBalloon::kYesChosen) {
        InfoBalloon* balloon = MakeBalloon(4, 2, 454, 177);
        balloon->AddPage(
            L"I want you to try and mix together a new ice cream flavor! My two most reliable partners and I will "
            L"taste and judge the result.");
        balloon->AddPage(
            L"Your supplies are limited. But if you succeed in making a good mix before you're out of ice cream, I "
            L"will allow you to serve the new flavor to your customers!");
        balloon->SetYesText(L"OK");
        balloon->LayoutPage();
        SetBalloon(balloon);
        mScene.SetHeroineFront(false);
        mState = kRules;
      } else {
        AskForScoops(0);
      }
      mLastAnswer = 0;
      break;
    case kQuestion:
      if (mBalloon) {
        Talk(Scene::kHeroine);
        break;
      }
      mGuess = mChosen;
      mScene.Drop(Scene::kHeroine);
      mScene.SetHeroineFront(false);
      mScene.SetHeroineTarget(336);
      mScene.Start(Scene::kHeroineScooping);
      mState = 6;
      break;
    case 6:
      if (mScene.HasAnimation(Scene::kHeroine)) break;
      if (mAttemptsLeft > 0) --mAttemptsLeft;
      mScene.Start(Scene::kHeroinePouring);
      mScene.SetHeroineTarget(240);
      mState = 7;
      break;
    case 7:
      if (mScene.HasAnimation(Scene::kHeroine)) break;
      mBlenderState = 1;
      mScene.Start(Scene::kHeroineTakingFruit);
      mScene.SetHeroineTarget(144);
      mState = 8;
      break;
    case 8:
      if (mScene.HasAnimation(Scene::kHeroine)) break;
      mScene.Start(Scene::kHeroinePouring);
      mScene.SetHeroineTarget(240);
      mState = 9;
      break;
    case 9:
      if (mScene.HasAnimation(Scene::kHeroine)) break;
      MixColour();
      mScene.SetHeroineTarget(112);
      mState = kMixing;
      break;
    case kMixing:
      if (mScene.HeroineOnTarget()) mScene.SetHeroineFront(true);
      if (mBlenderState != 3) break;
      mScene.Start(Scene::kHeroineServing);
      mScene.SetHeroineTarget(224);
      mState = kServing;
      break;
    case kServing:
      ServePlates();
      break;
    case kTasting:
      Taste();
      break;
    case 13:
      if (mScene.HasAnimation(Scene::kSeriousLady) || mScene.HasAnimation(Scene::kHappyLady)) break;
      if (mGuess == mRow->rightNumber) {
        Win();
      } else if (mAttemptsLeft == 0) {
        Lose();
      } else {
        mScene.Start(Scene::kSeriousReaction);
        mScene.Start(Scene::kUncleReaction);
        mScene.Start(Scene::kHappyReaction);
        mState = 15;
      }
      break;
    case 15: {
      struct Back {
        Scene::Figure judge;
        int cel;
      };
      static constexpr Back kBack[3] = {{Scene::kSeriousLady, 9}, {Scene::kUncle, 6}, {Scene::kHappyLady, 8}};
      for (int i = 0; i < 3; ++i) {
        Animation* a = mScene.GetCurrent(kBack[i].judge);
        if (a && a->TakeNewCel() == kBack[i].cel) ThrowPlate(i, false);
      }
      if (mPlates[0].state != kAtBlender || mPlates[1].state != kAtBlender) break;
      mState = kVerdict;
      if (mGuess < mRow->rightNumber) {
        mScene.Start(Scene::kUncleTooWeak);
        mVerdict = 1;
      } else {
        mScene.Start(Scene::kUncleTooStrong);
        mVerdict = -1;
      }
      break;
    }
    case kVerdict:
      if (mScene.HasAnimation(Scene::kUncle)) break;
      mScene.SetHeroineFront(true);
      AskForScoops(mVerdict);
      break;
    case kWon:
      if (mScene.HasAnimation(Scene::kUncle)) break;
      {
        InfoBalloon* balloon = MakeBalloon(18, 2, 454, 177);
        balloon->AddPage(mAttemptsLeft >= 2 ? L"Congratulations, Pemi!\n\nYou will never stop surprising me with your ice "
                                              L"cream talent!"
                                            : L"Congratulations, dear Pemi!\n\nI had my doubts, I'll admit! But you've "
                                              L"managed to make the perfect mix!");
        balloon->AddPage(L"When you return to your ice cream bar you will be able to serve this new and wonderful flavor!");
        balloon->AddPage(L"I wish you the best of luck and hope to see you here again soon!");
        balloon->SetYesText(L"Thanks");
        balloon->LayoutPage();
        SetBalloon(balloon);
      }
      mApp.PlaySound(SOUND_FLAVOR_CONTEST_SUCCEDED);
      mState = kWinTalk;
      break;
    case kWinTalk:
      if (mBalloon) {
        Talk(Scene::kUncle);
        break;
      }
      mScene.Start(Scene::kUncleGesture);
      mScene.Start(Scene::kHappyCheering);
      mScene.Start(Scene::kSeriousCheering);
      mState = 19;
      break;
    case 19:
      if (mScene.HasAnimation(Scene::kUncle)) break;
      mScene.Start(Scene::kHeroineJoy);
      mScene.SetHeroineFront(true);
      mCounter = 0;
      mState = kClosing;
      break;
    case kLossTalk:
      if (mBalloon) {
        Talk(Scene::kUncle);
        break;
      }
      mScene.Start(Scene::kHeroineSad);
      mScene.SetHeroineFront(true);
      mCounter = 0;
      mState = kClosing;
      break;
    case kClosing:
      if (++mCounter == kClosingWait) Leave();
      break;
    default:
      break;
  }
}

void FlavorContest::MixColour() {
  MixedColour(*mRow, mGuess, mMixed);
  mMixing = 0.0f;
  mBlenderCel = 1;
  mBlenderCountdown = 10;
  mBlenderState = 2;
  mApp.PlaySound(SOUND_FLAVOR_CONTEST_BLENDER);
}

void FlavorContest::ThrowPlate(int i, bool out) {
  Plate& p = mPlates[i];
  p.state = out ? kFlyingOut : kFlyingBack;
  const int* from = out ? kPlateStart[0] : kJudgePlace[i];
  const int* to = out ? kJudgePlace[i] : kPlateStart[i];
  p.flight.SetStart(static_cast<float>(from[0]), static_cast<float>(from[1]));
  p.flight.SetEnd(static_cast<float>(to[0]), static_cast<float>(to[1]));
  p.flight.ComputeDirection();
  p.flight.SetProgress(0.0f);
  mApp.PlaySound(SOUND_FLAVOR_CONTEST_THROW);
}

void FlavorContest::ServePlates() {
  Animation* a = mScene.GetCurrent(Scene::kHeroine);
  if (a && mScene.IsRunning(Scene::kHeroine, Scene::kHeroineServing) && a->TakeNewCel() == 4) {
    for (int i : {2, 1, 0}) {
      if (mPlates[i].state != kAtBlender) continue;
      mPlates[i].portions = 4;
      ThrowPlate(i, true);
      if (i == 0) mBlenderState = 0;
      break;
    }
  }
  for (const Plate& p : mPlates)
    if (p.state != kAtJudge) return;
  mScene.SetHeroineTarget(176);
  mScene.SetHeroineFront(true);
  mState = kTasting;
  for (Plate& p : mPlates) {
    p.portions = 4;
    p.bitePending = false;
    p.state = kAtJudge;
  }
}

void FlavorContest::Taste() {
  static constexpr Scene::Figure kJudges[3] = {Scene::kSeriousLady, Scene::kUncle, Scene::kHappyLady};
  static constexpr Scene::Role kTasting[3] = {Scene::kSeriousTasting, Scene::kUncleTasting, Scene::kHappyTasting};
  static const int* const kSpoons[3] = {&SOUND_CUSTOMER_EAT_SPOON_1, &SOUND_CUSTOMER_EAT_SPOON_2,
                                        &SOUND_CUSTOMER_EAT_SPOON_3};
  for (int i = 0; i < 3; ++i) {
    Plate& p = mPlates[i];
    if (p.portions > 0 && !mScene.HasAnimation(kJudges[i])) {
      mScene.Start(kTasting[i]);
      p.bitePending = true;
    }
    Animation* a = mScene.GetCurrent(kJudges[i]);
    if (p.bitePending && a && a->GetCurrentCel() == 1) {
      --p.portions;
      p.bitePending = false;
      mApp.PlaySound(*kSpoons[Rand() % 3]);
    }
  }
  for (int i = 0; i < 3; ++i)
    if (mPlates[i].portions > 0 || mScene.HasAnimation(kJudges[i])) return;
  mScene.Start(Scene::kSeriousDiscussing);
  mScene.Start(Scene::kHappyDiscussing);
  mScene.SetHeroineFront(false);
  mState = 13;
}

void FlavorContest::Win() {
  mState = kWon;
  mScene.Start(Scene::kUncleGesture);
  mScene.SetHeroineFront(false);
  if (PlayerProfile* profile = mApp.GetCurrentProfile()) profile->SetFlavorCount(profile->GetFlavorCount() + 1);
}

void FlavorContest::Lose() {
  mState = kLossTalk;
  InfoBalloon* balloon = MakeBalloon(18, 2, 454, 177);
  balloon->AddPage(
      L"I'm sorry, dear Pemi!\n\nIce cream is all about perfection, and you don't seem to be ready for this flavor "
      L"yet!");
  balloon->AddPage(L"Keep up the good work, and I'm sure I'll see you here again soon!");
  balloon->SetYesText(L"OK");
  balloon->LayoutPage();
  SetBalloon(balloon);
  mApp.PlaySound(SOUND_FLAVOR_CONTEST_FAILED);
}

void FlavorContest::UpdateBlender() {
  if (mBlenderState != 2) return;
  if (--mBlenderCountdown <= 0) {
    mBlenderCountdown = 10;
    mBlenderCel = mBlenderCel == 1 ? 3 : 1;
  }
  if (mMixing < 1.0f) {
    mMixing += 0.005f;
    if (mMixing > 1.0f) {
      mMixing = 1.0f;
      mBlenderState = 3;
    }
  }
}

void FlavorContest::UpdatePlates() {
  for (Plate& p : mPlates) {
    if (p.state != kFlyingOut && p.state != kFlyingBack) continue;
    if (p.flight.Advance(kPlateSpeed)) p.state = p.state == kFlyingOut ? kAtJudge : kAtBlender;
    p.x = static_cast<int>(p.flight.GetCurrentX());
    p.y = static_cast<int>(p.flight.GetCurrentY());
  }
}

void FlavorContest::DrawBlender(Graphics* g) {
  Image* blender = IMAGE_FLAVOR_CONTEST_BLENDER;
  if (!blender) return;
  constexpr int x = 333, y = 352;
  const Color white(255, 255, 255);
  switch (mBlenderState) {
    case 0:
      g->DrawImageCell(blender, x, y, 0);
      break;
    case 1:
      for (int cel : {5, 1, 2}) g->DrawImageCell(blender, x, y, cel);
      break;
    case 2: {
      g->DrawImageCell(blender, x, y, 5);
      int c[3];
      for (int i = 0; i < 3; ++i) c[i] = static_cast<int>(mMixed[i] * mMixing + 255.0f * (1.0f - mMixing));
      g->SetColorizeImages(true);
      g->SetColor(Color(c[0], c[1], c[2]));
      g->DrawImageCell(blender, x, y, mBlenderCel);
      g->SetColorizeImages(false);
      g->SetColor(white);
      g->DrawImageCell(blender, x, y, mBlenderCel + 1);
      break;
    }
    default:
      g->DrawImageCell(blender, x, y, 5);
      g->SetColorizeImages(true);
      g->SetColor(Color(mMixed[0], mMixed[1], mMixed[2]));
      g->DrawImageCell(blender, x, y, 1);
      g->SetColorizeImages(false);
      g->SetColor(white);
      g->DrawImageCell(blender, x, y, 2);
      break;
  }
}

void FlavorContest::Draw(Graphics* g) {
  const Color white(255, 255, 255);
  g->SetColor(white);
  DrawImageIf(g, IMAGE_FLAVOR_CONTEST, 0, 0);
  if (mRow) {
    g->SetColorizeImages(true);
    g->SetColor(Color(mRow->r, mRow->g, mRow->b));
    DrawImageIf(g, IMAGE_FLAVOR_CONTEST_BALL_1, 621, 75);
    DrawImageIf(g, IMAGE_FLAVOR_CONTEST_BALL_2, 600, 93);
    DrawImageIf(g, IMAGE_FLAVOR_CONTEST_BALL_3, 638, 99);
    g->SetColorizeImages(false);
    g->SetColor(white);
  }
  mScene.DrawOthers(g);
  if (Image* plate = IMAGE_FLAVOR_CONTEST_PLATE) {
    for (const Plate& p : mPlates) {
      g->DrawImageCell(plate, p.x, p.y, 0);
      if (p.portions <= 0) continue;
      g->SetColorizeImages(true);
      g->SetColor(Color(mMixed[0], mMixed[1], mMixed[2]));
      g->DrawImageCell(plate, p.x, p.y, 5 - p.portions);
      g->SetColorizeImages(false);
      g->SetColor(white);
    }
  }
  DrawBlender(g);
  if (IMAGE_FLAVOR_CONTEST_ICECREAM) g->DrawImageCell(IMAGE_FLAVOR_CONTEST_ICECREAM, 447, 408, 9 - mAttemptsLeft);
  if (mRow && IMAGE_FLAVOR_CONTEST_FLAVORS) g->DrawImageCell(IMAGE_FLAVOR_CONTEST_FLAVORS, 230, 430, mRow->cardCel);
  DrawButtons(g);
  mScene.DrawHeroine(g);
  if (mBalloon) mBalloon->Draw(*g);
  mApp.DrawFade(g);
  if (mPauseCount > 0) {
    g->SetColor(Color(0, 0, 0, 64));
    g->FillRect(0, 0, mWidth, mHeight);
  }
}

bool FlavorContest::IgnoresMouse() const { return mPauseCount > 0 || mApp.GetFadeState() == 2; }

void FlavorContest::MouseMove(int x, int y) {
  if (IgnoresMouse()) return;
  if (mBalloon && mBalloon->MouseMove(x, y, false)) return;
  ScreenFrame::MouseMove(x, y);
}

void FlavorContest::MouseDown(int x, int y, int clickCount) {
  if (IgnoresMouse()) return;
  if (mBalloon) mBalloon->MouseDown();
  ScreenFrame::MouseDown(x, y, clickCount);
}

void FlavorContest::MouseDrag(int x, int y) {
  if (IgnoresMouse()) return;
  if (mBalloon) mBalloon->MouseDrag(x, y);
  ScreenFrame::MouseDrag(x, y);
}

void FlavorContest::MouseUpAt(int x, int y) {
  mApp.SetCursor(0);
  if (IgnoresMouse()) return;
  if (mBalloon) OnBalloonAnswer(mBalloon->MouseUp(x, y));
  if (mPressed && mPressed == mHovered && mPressed->GetId() == kExit) Leave();
  mPressed = nullptr;
}

void FlavorContest::KeyChar(wchar_t ch) {
  if (mBalloon) OnBalloonAnswer(mBalloon->KeyDown(ch));
}

}  // namespace Plix
