#pragma once
// The report at the end of a day: it slides down over the paused shop,
// counts the day's takings up along a bar that shows the goal, the expert
// goal and the day's top score, then counts the groceries, the uncle's
// share and the cash earned, and cheers or mourns the result. "Continue"
// (Enter, Esc) first jumps to the final numbers, then closes the report
// and leaves the day: result 1 when the goal was reached, else 2.
#include <memory>

#include "game/app/Animation.h"
#include "game/app/Curve.h"
#include "game/screens/GameDialog.h"

namespace Plix {

class ButtonWidget;
class GameScreen;

class LevelCompleteDialog : public GameDialog {
public:
  static constexpr int kDialogId = 3;
  static constexpr int kContinue = 1;
  // Counting phases.
  enum Phase { kTakings = 0, kGroceries = 1, kShare = 2, kEarned = 3, kDone = 4 };
  // Updates between two counts.
  static constexpr int kPhasePause = 100;
  // The bar's fill travels 280 pixels, its marks span 256.
  static constexpr int kFillTravel = 280;
  static constexpr int kMarkSpan = 256;

  // The opener places it off screen above (see the board's day end).
  LevelCompleteDialog(GameApp& app, GameScreen* board, int takings, int tips, int goal, int expert, int topScore);

  void OnAddedToManager(WidgetManager* manager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void KeyChar(wchar_t ch) override;
  void ButtonReleased(int id) override;
  // The final numbers at once, with the sounds of the marks not passed yet.
  void SkipCountUp();

  ButtonWidget* GetButton() const { return mContinue; }
  int GetPhase() const { return mPhase; }
  float GetCountT() const { return mT; }
  int GetChartMaximum() const { return mChartMax; }
  int GetGoalMark() const { return mGoalMark; }
  int GetExpertMark() const { return mExpertMark; }
  int GetTopMark() const { return mTopMark; }
  // The bar's fill offset now: trunc(counted x 280 / chart maximum).
  int GetFillOffset() const;
  int GetShownSales() const { return mShownSales; }
  int GetShownTips() const { return mShownTips; }
  int GetShownGroceries() const { return mShownGroceries; }
  int GetShownShare() const { return mShownShare; }
  int GetShownEarned() const { return mShownEarned; }
  int GetGroceries() const { return mGroceries; }
  int GetShare() const { return mShare; }
  int GetEarned() const { return mEarned; }
  bool GoalReached() const { return mGoalReached; }
  bool ExpertReached() const { return mExpertReached; }
  bool TopBeaten() const { return mTopBeaten; }
  bool Failed() const { return mFailed; }
  // "Completed", "Failed", "Game Over" or "Day n".
  std::wstring GetHeaderWord() const;
  float GetRibbonScale() const { return mRibbonScale; }
  int GetRibbonAlpha() const { return mRibbonAlpha; }
  int GetUncleCel() const { return mUncleCel; }
  int GetGoalDrop() const { return mGoalDrop; }
  int GetExpertDrop() const { return mExpertDrop; }
  int GetTopDrop() const { return mTopDrop; }

protected:
  void PlaceControls(int x, int y, int width, int height) override;
  void CloseAction() override;

private:
  void CountTakings();
  // One step of a cost count; the next phase once it has arrived.
  void CountCost(int& shown, int full, int next);
  void CountEarned();
  // The goal passed: the music goes, the jingle, sparkles, a pleased uncle.
  void CelebrateGoal();
  // The goal missed: the music goes and the sad jingle sounds.
  void MournFailure();
  void StartRibbon();
  void SpawnHeaderSparkle(bool smallOnly);
  void BurstRibbon();
  // The board's star animations; none when the board is not the shop's.
  const Animation* StarAnimation(bool big) const;
  void DrawBar(Graphics* g);
  void DrawUncle(Graphics* g);
  void DrawMarkers(Graphics* g);
  void DrawAccount(Graphics* g);

  GameScreen* mBoard;
  int mTakings;
  int mTips;
  int mGoal;
  int mExpert;
  int mTopScore;
  int mChartMax;
  int mGoalMark;
  int mExpertMark;
  int mTopMark;
  Curve mCountCurve;
  float mT = 0.0f;
  int mGroceries;
  int mShare;
  int mEarned;
  int mShownSales = 0;
  int mShownTips = 0;
  int mShownGroceries = 0;
  int mShownShare = 0;
  int mShownEarned = 0;
  int mPhase = kTakings;
  int mPhaseDelay = 0;
  bool mGoalReached = false;
  bool mExpertReached = false;
  bool mTopBeaten = false;
  bool mFailed = false;
  bool mPaySoundPlayed = false;
  int mGoalDrop = 0;
  int mExpertDrop = 0;
  int mTopDrop = 0;
  int mGlowAlpha = 0;
  int mGlowStep = 0;
  float mRibbonScale = 2.0f;
  int mRibbonAlpha = 0;
  float mWobblePhase = 0.0f;
  float mWobbleAmplitude = 0.0f;
  int mUncleCel = 0;
  Animation mBlink;
  int mBarX = 97;
  int mBarY = 0;
  ButtonWidget* mContinue;
};

}  // namespace Plix
