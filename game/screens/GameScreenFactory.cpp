#include "game/screens/GameScreenFactory.h"

#include "game/app/GameApp.h"
#include "game/board/Board.h"
#include "game/screens/BestSellers.h"
#include "game/screens/Circus.h"
#include "game/screens/CircusOffers.h"
#include "game/screens/FlavorContest.h"
#include "game/screens/GameMenuDialog.h"
#include "game/screens/Hotel.h"
#include "game/screens/LevelCompleteDialog.h"
#include "game/screens/MainMenu.h"
#include "game/screens/Map.h"
#include "game/screens/Store.h"
#include "game/screens/TheEndMap.h"
#include "game/screens/TrophyRoom.h"
#include "game/screens/WarningDialogs.h"

namespace Plix {

GameScreenFactory::GameScreenFactory(GameApp& app) : mApp(app) {}

GameScreen* GameScreenFactory::CreateMainMenu() { return new MainMenu(mApp); }

GameScreen* GameScreenFactory::CreateMap(int firstFlag, int secondFlag, int arrival) {
  return new Map(mApp, firstFlag != 0, secondFlag != 0, arrival);
}

GameScreen* GameScreenFactory::CreateStore() { return new Store(mApp); }

GameScreen* GameScreenFactory::CreateCircus() { return new Circus(mApp); }

GameScreen* GameScreenFactory::CreateTrophyRoom() { return new TrophyRoom(mApp); }

GameScreen* GameScreenFactory::CreateHotel(int code) { return new Hotel(mApp, code); }

GameScreen* GameScreenFactory::CreateTheEndMap() { return new TheEndMap(mApp); }

GameScreen* GameScreenFactory::CreateFlavorContest() { return new FlavorContest(mApp); }

GameScreen* GameScreenFactory::CreateBestSellers(int kind, int score, int stars, int time) {
  return new BestSellers(mApp, kind, score, stars, time);
}

GameScreen* GameScreenFactory::CreateBoard(int mode, int day) { return new Board(mApp, mode, day); }

void GameScreenFactory::UpdateNewItemFlags(PlayerProfile& profile) { Store::UpdateNewItemFlags(profile); }

void GameScreenFactory::PrepareDayFromProfile(PlayerProfile& profile) { CircusOffers::ChooseOffers(profile); }

Dialog* GameScreenFactory::CreateGameMenuDialog(int mode, bool openedByKey) {
  return new GameMenuDialog(mApp, mode, openedByKey);
}

void GameScreenFactory::ShowWarning(const std::wstring& text) {
  // Over whatever is up; play goes on beneath it.
  ShowFromBelow(mApp, new MessageDialog(mApp, nullptr, text), MessageDialog::kDialogId);
}

Dialog* GameScreenFactory::CreateLevelCompleteDialog(GameScreen* board, int money, int tips, int goal, int expertGoal,
                                                     int topScore) {
  return new LevelCompleteDialog(mApp, board, money, tips, goal, expertGoal, topScore);
}

}  // namespace Plix
