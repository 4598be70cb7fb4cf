#pragma once
// The first screen after loading: the beach with the shop building, Pemi,
// drifting clouds, two butterflies and the help figure, the welcome line of
// the current player, and the seven signs: Story Mode, Happy Hour, best
// sellers, change player, options, help and quit. Its dialogs pause it and
// resume it through the application when they close.
#include <string>

#include "game/app/Animation.h"
#include "game/screens/ScreenFrame.h"

namespace Plix {

class MMPlayerDialog;

class MainMenu : public ScreenFrame {
public:
  enum ButtonId { kQuit = 1, kChangePlayer = 2, kHappyHour = 3, kOptions = 4, kStoryMode = 5, kBestSellers = 6,
                  kHelp = 7 };
  // Fade results.
  enum Result { kResultQuit = 1, kResultHappyHour = 3, kResultStoryMode = 5, kResultBestSellers = 6 };
  static constexpr const char* kHappyHourNotice =
      "Hmm... I don't think we\nare ready for Happy Hour\nuntil we have made it to the Zoo\nin Story Mode.";

  struct Cloud {
    Image* image;
    float x;
    int y;
    float speed;
  };
  struct Butterfly {
    float points[13][2];
    float t;
    int delay;
    int lapPause;
    Animation flap;
    int x = 0;
    int y = 0;
    int previousX = 0;
    int facing = 0;  // 0 left, 1 right
  };

  explicit MainMenu(GameApp& app);
  ~MainMenu() override;

  void OnAddedToManager(WidgetManager* manager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void DrawOverlay(Graphics* g) override;
  void MouseMove(int x, int y) override;
  void MouseUpAt(int x, int y) override;

  // The difficulty dialog's choice 0 to 2: the day starts at 1 to 3.
  void StartHappyHour(int choice);
  // After the create-player dialog: the new player's index, or -1.
  void ContinueWithPlayer(int index) override;
  void SelectPlayerInDialog(int index) override;
  void DeleteSelectedPlayer(bool confirmed) override;

  // The player dialog while it is open, else null.
  MMPlayerDialog* GetPlayerDialog();
  int GetDifficulty() const { return mDifficulty; }
  int GetPendingAction() const { return mPendingAction; }
  float GetBuildingOffset() const { return mBuildingOffset; }
  float GetQuitOffset() const { return mQuitOffset; }
  int GetBlinkCounter() const { return mBlink; }
  void SetBlinkCounter(int count) { mBlink = count; }
  int GetNoticeShown() const { return mNoticeShown; }
  const Butterfly& GetButterfly(int i) const { return mButterflies[i]; }
  Butterfly& GetButterfly(int i) { return mButterflies[i]; }
  // The help figure's animation: 0 none, 1 hover, 2 idle.
  int GetHelpAnimation() const;
  std::wstring GetWelcomeText();
  // The blink cel drawn at a count: -1 none.
  static int BlinkCel(int count);

protected:
  void CreateButtons() override;
  void OnButton(int id) override;
  bool AcceptsPress(AlphaButton* button) override;
  int ButtonOffsetY(AlphaButton* button) override;
  void OnFadeResult(int result) override;

private:
  bool CurrentPlayerHasName();
  void OpenNewPlayerDialog(int pendingAction);
  void OpenDifficultyDialog();
  void StepButterfly(Butterfly& b);

  float mBuildingOffset = 100;
  float mBeachOffset = 50;
  float mHeroineOffset = 150;
  float mQuitOffset = 150;
  Cloud mClouds[4];
  Butterfly mButterflies[2];
  Animation mHelpHover;
  Animation mHelpIdle;
  Animation* mHelpCurrent = nullptr;
  int mBlink = 0;
  int mStoryGlow = 0;
  int mStoryGlowStep = 4;
  int mHappyGlow = 0;
  int mHappyGlowStep = 4;
  int mUpdateCount = 0;
  std::wstring mNotice;
  int mNoticeShown = 0;
  int mNoticeHover = 0;
  int mDifficulty = 0;
  int mPendingAction = 0;
  MMPlayerDialog* mPlayerDialog = nullptr;  // the last one opened, not owned
};

}  // namespace Plix
