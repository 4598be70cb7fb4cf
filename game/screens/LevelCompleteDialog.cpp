#include "game/screens/LevelCompleteDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widget/ButtonWidget.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/Particle.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"

namespace Plix {

namespace {

constexpr int kLeftInset = 97;
constexpr int kRightInset = 97;
constexpr int kBottomInset = 64;
constexpr int kSparklesOnGoal = 32;
constexpr int kRibbonX = 442;
constexpr int kRibbonY = 412;
constexpr int kSongId = 1;
constexpr int kGoalResult = 1;
constexpr int kMissedResult = 2;

int WidthOf(Image* image) { return image ? image->GetWidth() : 0; }
int HeightOf(Image* image) { return image ? image->GetHeight() : 0; }
int CelHeightOf(Image* image) { return image ? image->GetCellHeight() : 0; }

int Trunc(float v) { return static_cast<int>(v); }

std::wstring Dollars(int amount) {
  return amount >= 0 ? L"$" + std::to_wstring(amount) : L"-$" + std::to_wstring(-static_cast<long long>(amount));
}

void DrawCelIf(Graphics* g, Image* image, int x, int y, int cel) {
  if (image) g->DrawImageCell(image, x, y, cel);
}

// Right-aligned to x, or left from it, at baseline y.
void WriteRight(Graphics* g, const std::wstring& text, int x, int y) { g->WriteString(text, x, y, 0, 1); }
void WriteCentred(Graphics* g, const std::wstring& text, int x, int y) { g->WriteString(text, x, y, 0, 0); }

}  // namespace

LevelCompleteDialog::LevelCompleteDialog(GameApp& app, GameScreen* board, int takings, int tips, int goal, int expert,
                                         int topScore)
    : GameDialog(app, kDialogId, IMAGE_DIALOG_STANDARD),
      mBoard(board),
      mTakings(takings),
      mTips(tips),
      mGoal(goal),
      mExpert(expert),
      mTopScore(topScore),
      // A day without takings, targets or top score would divide by zero.
      mChartMax(std::max({expert, takings, topScore, 1})),
      mGoalMark(Trunc(static_cast<float>(goal) * kMarkSpan / static_cast<float>(mChartMax))),
      mExpertMark(Trunc(static_cast<float>(expert) * kMarkSpan / static_cast<float>(mChartMax))),
      mTopMark(Trunc(static_cast<float>(topScore) * kMarkSpan / static_cast<float>(mChartMax))),
      mGroceries(goal - goal / 5),
      mShare(goal / 5),
      mEarned(takings - goal) {
  mCountCurve.SetStart(0, 0);
  mCountCurve.SetControl(static_cast<float>(takings), 0);
  mCountCurve.SetEnd(static_cast<float>(takings), 0);
  mContinue = MakeButton(kContinue, IMAGE_DIALOG_BUTTON_LARGE_2, L"Continue", IMAGE_DIALOG_BUTTON_LARGE_1);
  SetVeil(0, true);
  const int blink[][2] = {{2, 200}, {0, 4}, {1, 6}, {0, 4}, {2, 300}, {0, 4}, {1, 6},
                          {0, 4},   {2, 50}, {0, 4}, {1, 6}, {0, 4}, {2, 100}};
  for (const auto& frame : blink) mBlink.AddFrame(frame[0], frame[1]);
  mBlink.SetLooping();
  mBlink.Reset();
}

void LevelCompleteDialog::OnAddedToManager(WidgetManager* manager) {
  GameDialog::OnAddedToManager(manager);
  mApp.ClearParticles();
}

void LevelCompleteDialog::PlaceControls(int x, int y, int width, int height) {
  const int cw = mContinue->mWidth, ch = mContinue->mHeight;
  mContinue->Resize(x + (width - cw) / 2, y + height - kBottomInset - ch, cw, ch);
  mBarX = kLeftInset;
  mBarY = height - 230;
}

// ------------------------------------------------------------------ counting

void LevelCompleteDialog::Update() {
  Dialog::Update();
  mBlink.Update();
  if (mGlowStep > 0) {
    mGlowAlpha += mGlowStep;
    if (mGlowAlpha > 254) {
      mGlowAlpha = 255;
      mGlowStep = -4;
    }
  } else if (mGlowStep < 0) {
    mGlowAlpha += mGlowStep;
    if (mGlowAlpha < 1) {
      mGlowAlpha = 0;
      mGlowStep = 4;
    }
  }
  if (mWobbleAmplitude > 0) {
    mWobbleAmplitude -= 0.003f;
    mWobblePhase += 0.1f;
    if (mWobbleAmplitude <= 0) mWobbleAmplitude = 0;
  }
  if (mGoalReached) {
    mGoalDrop = std::min(mGoalDrop + 1, 10);
    if (Rand() % 20 == 0) SpawnHeaderSparkle(true);
  }
  if (mExpertReached) {
    mExpertDrop = std::min(mExpertDrop + 1, 10);
    if (mRibbonScale > 1.0f) {
      mRibbonScale -= 0.04f;
      if (mRibbonScale <= 1.0f) {
        mRibbonScale = 1.0f;
        mApp.PlaySound(SOUND_FLAVOR_CONTEST_SUCCEDED);
        BurstRibbon();
      }
    }
    mRibbonAlpha = std::min(mRibbonAlpha + 4, 255);
  }
  if (mTopBeaten) mTopDrop = std::min(mTopDrop + 1, 10);

  // The count waits until the report has come to rest.
  if (mSliding) {
    SlideStep();
    return;
  }
  switch (mPhase) {
    case kTakings: CountTakings(); break;
    case kGroceries: CountCost(mShownGroceries, mGroceries, kShare); break;
    case kShare: CountCost(mShownShare, mShare, kEarned); break;
    case kEarned: CountEarned(); break;
    default: break;
  }
  mApp.UpdateParticles();
  MarkDirty();
}

void LevelCompleteDialog::CountTakings() {
  if (mT >= 1.0f) return;
  // Takings x 2.5 updates; nothing to count ends the count at once.
  if (mTakings <= 0)
    mT = 1.0f;
  else
    mT += 1.0f / (static_cast<float>(mTakings) * 2.5f);
  if (mT >= 1.0f) {
    mT = 1.0f;
    mPhase = kGroceries;
    mPhaseDelay = kPhasePause;
    if (mTakings < mGoal) MournFailure();
  }
  const int v = Trunc(mCountCurve.GetX(mT));
  if (v >= mTopScore && !mTopBeaten) mTopBeaten = true;
  if (v >= mGoal && !mGoalReached) {
    mGoalReached = true;
    CelebrateGoal();
  }
  if (v >= mExpert && !mExpertReached) {
    mExpertReached = true;
    StartRibbon();
  }
  // Sales first, the tips on top.
  const int sales = mTakings - mTips;
  int old;
  if (v <= sales) {
    old = mShownSales;
    mShownSales = v;
  } else {
    old = mShownSales + mShownTips;
    mShownSales = sales;
    mShownTips = v - sales;
  }
  if (v / 5 != old / 5) mApp.PlaySound(SOUND_SCORE_COUNT);
}

void LevelCompleteDialog::CountCost(int& shown, int full, int next) {
  if (--mPhaseDelay > 0) return;
  mPhaseDelay = 1;
  if (shown < full) ++shown;
  if (shown >= full) {
    mPhase = next;
    mPhaseDelay = kPhasePause;
  }
}

void LevelCompleteDialog::CountEarned() {
  if (--mPhaseDelay > 0) return;
  if (!mPaySoundPlayed && mEarned > 0) {
    mApp.PlaySound(SOUND_PAY);
    mPaySoundPlayed = true;
  }
  mPhaseDelay = 1;
  if (mEarned < 0) {
    if (mShownEarned > mEarned) --mShownEarned;
    if (mShownEarned <= mEarned) mPhase = kDone;
  } else if (mShownEarned < mEarned) {
    if (++mShownEarned == mEarned) {
      mUncleCel = 1;
      mPhase = kDone;
    }
  } else {
    mPhase = kDone;
  }
}

void LevelCompleteDialog::CelebrateGoal() {
  mGlowStep = 4;
  if (mApp.mMusicOutput) mApp.mMusicOutput->FadeOut(kSongId, true, 0.02);
  mApp.PlaySound(SOUND_LEVEL_COMPLETE);
  for (int i = 0; i < kSparklesOnGoal; ++i) SpawnHeaderSparkle(false);
  mUncleCel = 1;
}

void LevelCompleteDialog::MournFailure() {
  mFailed = true;
  mGlowStep = 4;
  if (mApp.mMusicOutput) mApp.mMusicOutput->FadeOut(kSongId, true, 0.02);
  mApp.PlaySound(SOUND_GAME_OVER);
}

void LevelCompleteDialog::StartRibbon() {
  mWobbleAmplitude = 0.2f;
  mRibbonAlpha = 0;
  mRibbonScale = 2.0f;
}

void LevelCompleteDialog::SkipCountUp() {
  const bool goalBefore = mGoalReached;
  mT = 1.0f;
  mShownTips = mTips;
  mShownSales = mTakings - mTips;
  mShownGroceries = mGroceries;
  mShownShare = mShare;
  mShownEarned = mEarned;
  mPhase = kDone;
  if (mTakings >= mTopScore) mTopBeaten = true;
  if (mTakings >= mGoal) mGoalReached = true;
  if (mTakings >= mExpert && !mExpertReached) {
    StartRibbon();
    mExpertReached = true;
  }
  mGlowStep = 4;
  if (mGoalReached) {
    if (!goalBefore) CelebrateGoal();
    if (!mPaySoundPlayed && mEarned > 0) {
      mApp.PlaySound(SOUND_PAY);
      mPaySoundPlayed = true;
    }
  } else if (!mFailed) {
    MournFailure();
  }
}

void LevelCompleteDialog::ButtonReleased(int id) {
  Dialog::ButtonReleased(id);
  if (id != kContinue) return;
  if (mPhase == kDone)
    StartClosing(kContinue);
  else
    SkipCountUp();
}

void LevelCompleteDialog::KeyChar(wchar_t ch) {
  if (ch == 27 || ch == 13) ButtonReleased(kContinue);
}

void LevelCompleteDialog::CloseAction() {
  const int result = mTakings < mGoal ? kMissedResult : kGoalResult;
  GameApp& app = mApp;
  GameScreen* board = mBoard;
  app.ClearParticles();
  app.CloseDialogObject(this);
  app.ResumeBoard();
  if (board) board->ExitLevel(result);
}

// ------------------------------------------------------------------ particles

const Animation* LevelCompleteDialog::StarAnimation(bool big) const {
  auto* board = dynamic_cast<Board*>(mBoard);
  if (!board) return nullptr;
  return big ? &board->mBigStar : &board->mSmallStar;
}

void LevelCompleteDialog::SpawnHeaderSparkle(bool smallOnly) {
  const int hw = std::max(WidthOf(IMAGE_DIALOG_HEADER_1), 1), hh = std::max(HeightOf(IMAGE_DIALOG_HEADER_1), 1);
  const float x = static_cast<float>(Rand() % hw + (mWidth - hw) / 2);
  const float y = static_cast<float>(Rand() % hh + 8);
  const bool big = Rand() % 2 == 0 && !smallOnly;
  const int delay = big ? Rand() % 100 : 0;
  float dx = static_cast<float>(Rand() % 100);
  float dy = static_cast<float>(Rand() % 100);
  NormalizeVector(dx, dy);
  const int blue = 200 + Rand() % 56;
  const Animation* star = StarAnimation(big);
  if (!star) return;
  auto* particle = new MovingAnimationParticle(x, y, *star);
  particle->SetDelay(delay);
  particle->SetVelocity(0.25f * dx, 0.25f * dy);
  particle->SetEndVelocity(0, 0);
  particle->SetColor(255, 255, blue, 255);
  mApp.AddParticle(particle);
}

void LevelCompleteDialog::BurstRibbon() {
  for (int i = 0; i < 20; ++i) {
    float ux = static_cast<float>(Rand() % 200 - 100);
    float uy = static_cast<float>(Rand() % 200 - 100);
    NormalizeVector(ux, uy);
    const float x = kRibbonX + static_cast<float>(Rand() % 32) * ux;
    const float y = kRibbonY + static_cast<float>(Rand() % 32) * uy;
    const float speed = 1.0f + static_cast<float>(Rand() % 100) * 0.01f;
    const float blend = static_cast<float>(Rand() % 100) * 0.0001f;
    const float k1 = 1.0f + static_cast<float>(Rand() % 100) * 0.01f;
    const float k2 = 1.0f + static_cast<float>(Rand() % 100) * 0.01f;
    const Animation* star = StarAnimation(false);
    if (!star) continue;
    auto* particle = new MovingAnimationParticle(x, y, *star);
    particle->SetSpeed(speed);
    particle->SetBlendStep(blend);
    particle->SetVelocity(k1 * ux, k2 * uy);
    particle->SetEndVelocity(ux, uy);
    particle->SetColor(255, 255, 64, 255);
    mApp.AddParticle(particle);
  }
}

// ------------------------------------------------------------------ drawing

int LevelCompleteDialog::GetFillOffset() const {
  return Trunc(mCountCurve.GetX(mT) * kFillTravel / static_cast<float>(mChartMax));
}

std::wstring LevelCompleteDialog::GetHeaderWord() const {
  if (mGoalReached) return L"Completed";
  if (mFailed) {
    PlayerProfile* profile = mApp.GetCurrentProfile();
    return profile && profile->GetLives() == 0 ? L"Game Over" : L"Failed";
  }
  return L"Day " + std::to_wstring((mBoard ? mBoard->GetLevelIndex() : 0) + 1);
}

void LevelCompleteDialog::Draw(Graphics* g) {
  DrawVeil(g, mVeilAlpha);
  DrawImageIf(g, IMAGE_DIALOG_PEMI_BOTTOM, -194, HeightOf(IMAGE_DIALOG_PEMI_TOP) + 12);
  DrawImageIf(g, IMAGE_DIALOG_STANDARD, 0, 0);
  if (IMAGE_DIALOG_HEADER_1) DrawImageIf(g, IMAGE_DIALOG_HEADER_1, (mWidth - IMAGE_DIALOG_HEADER_1->GetWidth()) / 2, 8);

  if (FONT_RAVIE_16) {
    g->SetFont(FONT_RAVIE_16);
    const std::wstring word = GetHeaderWord();
    Color colour = DialogTitleColor();
    int glow = -1;
    if (mGoalReached) {
      colour = Color(64, 200, 32);
      glow = Trunc(static_cast<float>(mGlowAlpha) * 0.25f);
    } else if (mFailed) {
      colour = Color(200, 32, 64);
      glow = Trunc(static_cast<float>(mGlowAlpha) * 0.4f);
    }
    g->SetColor(colour);
    WriteCentred(g, word, mWidth / 2, 49);
    if (glow >= 0) {
      g->SetDrawMode(DRAWMODE_ADDITIVE);
      g->SetColor(Color(colour.mRed, colour.mGreen, colour.mBlue, glow));
      WriteCentred(g, word, mWidth / 2, 49);
      g->SetDrawMode(DRAWMODE_NORMAL);
    }
  }
  DrawBar(g);
  DrawUncle(g);
  DrawMarkers(g);
  if (mExpertReached && IMAGE_EXPERT_RIBBON) {
    const int w = Trunc(static_cast<float>(IMAGE_EXPERT_RIBBON->GetWidth()) * mRibbonScale);
    const int h = Trunc(static_cast<float>(IMAGE_EXPERT_RIBBON->GetHeight()) * mRibbonScale);
    g->SetColorizeImages(true);
    g->SetColor(Color(255, 255, 255, mRibbonAlpha));
    g->DrawImageStretched(IMAGE_EXPERT_RIBBON, kRibbonX - w / 2, kRibbonY - h / 2, w, h);
    g->SetColorizeImages(false);
    g->SetColor(Color(255, 255, 255));
  }
  DrawAccount(g);
  mApp.DrawParticles(g);
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_DIALOG_PEMI_TOP, -194, 12);
  const int eyes = mBlink.GetCurrentCel();
  if (eyes != 2) DrawCelIf(g, IMAGE_DIALOG_PEMI_BLINKING, -91, 109, eyes);
}

void LevelCompleteDialog::DrawBar(Graphics* g) {
  if (FONT_RAVIE_14) g->SetFont(FONT_RAVIE_14);
  g->SetColor(DialogTextColor());
  Image* bar = IMAGE_DIALOG_PROGRESSBAR;
  if (!bar) return;
  DrawCelIf(g, bar, mBarX, mBarY, 0);
  g->SetClipRect(mBarX + 6, mBarY, bar->GetCellWidth() - 6, bar->GetCellHeight());
  DrawCelIf(g, bar, mBarX + GetFillOffset() - kFillTravel, mBarY, 1);
  g->ClearClipRect();
  DrawCelIf(g, bar, mBarX, mBarY, 2);
}

void LevelCompleteDialog::DrawUncle(Graphics* g) {
  Image* uncle = IMAGE_DIALOG_UNCLE;
  if (!uncle) return;
  const int cw = uncle->GetCellWidth(), ch = uncle->GetCellHeight();
  const int x = mWidth - kRightInset - cw + 16;
  const int y = mBarY + (CelHeightOf(IMAGE_DIALOG_PROGRESSBAR) - ch) / 2;
  if (mWobbleAmplitude > 0) {
    const float scale = 1.0f + std::fabs(std::sin(mWobblePhase)) * mWobbleAmplitude;
    g->PushState();
    g->SetScale(scale, scale, static_cast<float>(x + cw / 2), static_cast<float>(y + ch));
    g->DrawImageCell(uncle, x, y, mUncleCel);
    g->PopState();
  } else {
    g->DrawImageCell(uncle, x, y, mUncleCel);
  }
}

void LevelCompleteDialog::DrawMarkers(Graphics* g) {
  Image* arrows = IMAGE_DIALOG_PROGRESSBAR_ARROWS;
  DrawCelIf(g, arrows, mBarX + mGoalMark + 10, mBarY + 44 + mGoalDrop, 0);
  DrawCelIf(g, arrows, mBarX + mExpertMark + 10, mBarY + 44 + mExpertDrop, 0);
  DrawCelIf(g, arrows, mBarX + mTopMark + 10, mBarY - mTopDrop + 5, 1);
  if (!FONT_DEFAULT) return;
  g->SetFont(FONT_DEFAULT);
  const int goalX = mBarX + mGoalMark + 22, expertX = mBarX + mExpertMark + 22;
  const int goalY = mBarY + 82 + mGoalDrop, expertY = mBarY + 82 + mExpertDrop;
  const int apart = (FONT_DEFAULT->StringWidth(L"Goal") + FONT_DEFAULT->StringWidth(L"Expert")) / 2 + 4;
  if (expertX - goalX < apart) {
    WriteRight(g, L"Goal", goalX, goalY);
    g->WriteString(L"Expert", expertX, expertY);
  } else {
    WriteCentred(g, L"Goal", goalX, goalY);
    WriteCentred(g, L"Expert", expertX, expertY);
  }
  WriteCentred(g, L"Top", mBarX + mTopMark + 22, mBarY - mTopDrop);
}

void LevelCompleteDialog::DrawAccount(Graphics* g) {
  Font* font = FONT_RAVIE_14;
  if (!font) return;
  g->SetFont(font);
  const Color heading = DialogTextColor(), label(170, 120, 80), plus(64, 200, 32), minus(200, 32, 64);
  const int h = font->GetHeight();
  const int valueX = mWidth - kRightInset;
  int y = 99;
  auto line = [&](const wchar_t* text, int amount, const Color& valueColour) {
    g->SetColor(label);
    g->WriteString(text, kLeftInset, y);
    g->SetColor(valueColour);
    WriteRight(g, Dollars(amount), valueX, y);
  };
  g->SetColor(heading);
  g->WriteString(L"In", kLeftInset, y);
  y += h;
  line(L"Zev Urore Sales", mShownSales, plus);
  y += h - 2;
  line(L"Customer Tips", mShownTips, plus);
  y = Trunc(static_cast<float>(y) + static_cast<float>(h) * 1.25f);
  g->SetColor(heading);
  g->WriteString(L"Out", kLeftInset, y);
  y += h;
  line(L"Groceries & Inventory", mShownGroceries, minus);
  y += h - 2;
  line(L"Uncle's share", mShownShare, minus);
  y = Trunc(static_cast<float>(y) + static_cast<float>(h) * 1.25f);
  g->SetColor(heading);
  g->WriteString(L"Earned Cash", kLeftInset, y);
  g->SetColor(mShownEarned < 0 ? minus : mShownEarned > 0 ? plus : heading);
  WriteRight(g, Dollars(mShownEarned), valueX, y);
}

}  // namespace Plix
