#pragma once
// The flavour contest: five golden ice creams bring Pemi to the uncle's
// room, where she guesses how many scoops of the new flavour make the
// right mix. She blends it, serves the three judges and hears "too weak"
// or "too strong" until the attempts run out; an exact guess unlocks the
// flavour. Then, or at the exit, back to the island map.
#include <string>

#include "game/board/WalkPath.h"
#include "game/screens/ContestScene.h"
#include "game/screens/ScreenFrame.h"

namespace Plix {

class InfoBalloon;

class FlavorContest : public ScreenFrame {
public:
  static constexpr int kExit = 1;
  static constexpr int kMaxScoops = 10;
  static constexpr int kClosingWait = 350;
  // Contest states the tests wait for.
  enum State {
    kOpening = 0,
    kInvitation = 1,
    kRules = 4,
    kQuestion = 5,
    kMixing = 10,
    kServing = 11,
    kTasting = 12,
    kVerdict = 14,
    kWon = 17,
    kWinTalk = 18,
    kLossTalk = 21,
    kClosing = 23,
  };
  // Plate states.
  static constexpr int kAtBlender = 0;
  static constexpr int kFlyingOut = 11;
  static constexpr int kAtJudge = 12;
  static constexpr int kFlyingBack = 15;

  struct Plate {
    int x;
    int y;
    int portions;
    bool bitePending;
    int state;
    PathSegment flight;
  };

  // The row of the contest for a flavour count (1 to 5); null for any
  // other count, which has no contest.
  struct Row {
    const char* name;
    int kind;
    int r, g, b;
    int rightNumber;
    int attempts;
    float darkness;
    int cardCel;
  };
  static const Row* RowFor(int flavorCount);
  // The blender's colour for a guess against the row's right number.
  static void MixedColour(const Row& row, int guess, int out[3]);

  explicit FlavorContest(GameApp& app);
  ~FlavorContest() override;

  void Draw(Graphics* g) override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int clickCount) override;
  void MouseDrag(int x, int y) override;
  void MouseUpAt(int x, int y) override;
  void KeyChar(wchar_t ch) override;

  int GetState() const { return mState; }
  int GetAttemptsLeft() const { return mAttemptsLeft; }
  int GetGuess() const { return mGuess; }
  int GetVerdict() const { return mVerdict; }
  int GetBlenderState() const { return mBlenderState; }
  const int* GetMixedColour() const { return mMixed; }
  const Plate& GetPlate(int i) const { return mPlates[i]; }
  const Row* GetRow() const { return mRow; }
  InfoBalloon* GetBalloon() const { return mBalloon; }
  const ContestScene& GetScene() const { return mScene; }

protected:
  void CreateButtons() override;
  void UpdateScreen() override;
  void OnFadeResult(int result) override;
  void OnButton(int id) override;

private:
  bool IgnoresMouse() const;
  void SetBalloon(InfoBalloon* balloon);
  InfoBalloon* MakeBalloon(int id, int mode, int x, int y);
  void OnBalloonAnswer(int answer);
  // The balloon's typing drives the speaker's talking animation.
  int Talk(ContestScene::Figure speaker);
  void StepState();
  void AskForScoops(int reason);
  void MixColour();
  void ServePlates();
  void Taste();
  void Win();
  void Lose();
  void ThrowPlate(int i, bool out);
  void UpdateBlender();
  void UpdatePlates();
  void DrawBlender(Graphics* g);
  void Leave();

  const Row* mRow;
  ContestScene mScene;
  InfoBalloon* mBalloon = nullptr;
  int mLastAnswer = 0;
  int mChosen = 0;
  int mVerdict = 0;
  int mCounter = 0;
  Plate mPlates[3];
  int mState = kOpening;
  int mAttemptsLeft = 0;
  int mBlenderState = 0;
  float mMixing = 1.0f;
  int mMixed[3] = {255, 255, 255};
  int mBlenderCel = 1;
  int mBlenderCountdown = 0;
  int mGuess = kMaxScoops / 2;
  bool mLeaving = false;
};

}  // namespace Plix
