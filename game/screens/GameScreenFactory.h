#pragma once
// The screens the application's switchers make. The executable and the
// screen tests install one on the application.
#include "game/app/GameScreen.h"

namespace Plix {

class GameApp;

class GameScreenFactory : public ScreenFactory {
public:
  explicit GameScreenFactory(GameApp& app);

  GameScreen* CreateMainMenu() override;
  GameScreen* CreateMap(int firstFlag, int secondFlag, int arrival) override;
  GameScreen* CreateStore() override;
  GameScreen* CreateCircus() override;
  GameScreen* CreateTrophyRoom() override;
  GameScreen* CreateHotel(int code) override;
  GameScreen* CreateTheEndMap() override;
  GameScreen* CreateFlavorContest() override;
  GameScreen* CreateBestSellers(int kind, int score, int stars, int time) override;
  GameScreen* CreateBoard(int mode, int day) override;
  // The circus offers of the profile's coming day.
  void PrepareDayFromProfile(PlayerProfile& profile) override;
  void UpdateNewItemFlags(PlayerProfile& profile) override;
  Dialog* CreateGameMenuDialog(int mode, bool openedByKey) override;
  void ShowWarning(const std::wstring& text) override;
  Dialog* CreateLevelCompleteDialog(GameScreen* board, int money, int tips, int goal, int expertGoal,
                                    int topScore) override;

private:
  GameApp& mApp;
};

}  // namespace Plix
